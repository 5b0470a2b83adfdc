// The solving aids' commands over the player's letters: Undo and Redo
// (aid undoRedo), Check Letter and Check Word (aid checkLetters) and the
// pencil switch (aid pencil, with its toolbar button). They
// sit in the Options menu after "Solving Aids" only while their aid is on,
// so the classic menus stay as they are. Their keys work in the
// main window and in the answer window alike.
//
// Undo and Redo follow the letter history (LetterHistory); a check marks
// the wrong letters of the current square or word (CheckMarks): the answer
// window's letter and answer while it shows, else the grid's current
// square and the whole word it lies in.
#pragma once
#include <QObject>

#include "core/PuzzleRecord.h"

class QAction;
class QMenu;
class TVlqGameMainForm;

class LetterCommands : public QObject {
    Q_OBJECT
public:
    // Puts the items into menu after `after` (at the end when it is not
    // there) for the aids that are on, and follows form's aidsChanged; the
    // object is form's child.
    LetterCommands(TVlqGameMainForm* form, QMenu* menu, QAction* after);

    QAction* undoItem = nullptr;        // "&Undo Letter", Ctrl+Z
    QAction* redoItem = nullptr;        // "R&edo Letter", Ctrl+Shift+Z, Ctrl+Y
    QAction* checkLetterItem = nullptr; // "Check &Letter", Ctrl+K
    QAction* checkWordItem = nullptr;   // "Check &Word", Ctrl+Shift+K
    // "&Pencil", Ctrl+E: typed letters go in pencil while checked (aid
    // pencil); the toolbar's pencil button is the same switch.
    QAction* pencilItem = nullptr;

    void undo();
    void redo();
    void checkLetter();
    void checkWord();

private:
    // The items of the aids that are on in the menu; marks go with their aid.
    void followAids();

    TVlqGameMainForm* form_;
    QMenu* menu_;
    QAction* after_;
    QAction* undoSeparator_ = nullptr;
    QAction* checkSeparator_ = nullptr;
    QAction* pencilSeparator_ = nullptr;
};

// Every window that shows square at's letter shows it anew: the grid
// square, the answer strip's square when its clue is current, the
// author-title strip when it is an answer's first letter, and its clue
// line. For letters that changed behind the windows' backs (undo, redo)
// and for check marks.
void refreshAfterLetter(vlq::Square at);
