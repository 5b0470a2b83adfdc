// What one puzzle window tells the others. The quotation grid, the
// author-title strip, the clue list and the answer window do not call each
// other: each tells one of these propagations what happened, and it brings
// the other windows up to date in the order the game needs. Where the
// keyboard goes after a change of scene is decided here too, once
// (focusGrid). Every propagation copes with windows that do not exist.
#pragma once
#include <QColor>
#include <optional>

#include "core/PuzzleRecord.h"

namespace PuzzleViews {

// Which window made a letter change; that window has drawn its own square.
enum class From { Grid, Answer, Elsewhere };

// Where a clue was chosen.
enum class ChosenIn {
    ClueList,  // a line of the list
    Square,    // a square of the grid (through its clue's line)
    Strip,     // a square of the author-title strip
    Answer,    // the answer window stepping to the next clue (Tab)
};

// The document windows of a newly opened puzzle are all up: the grid takes
// the keyboard.
void puzzleOpened();

// The open puzzle's letters were read again from its file (revert, or a
// save that took another program's letters): no current square, clue or
// clue line, the answer window closed, every window drawn anew, the grid
// takes the keyboard.
void puzzleReloaded();

// Every letter was replaced at once (start over): every window drawn anew.
void lettersReplaced();

// Grid square `at` shows something new (its letter, its check mark): every
// other window that shows it draws it again (the grid square, the answer
// strip's square while its clue is current, the author-title square of an
// answer's first letter, the clue's line). The modified flag is the
// caller's.
void letterChanged(vlq::Square at, From from);

// The clue line of clue k is built again (its letters may have changed).
void clueLineChanged(int k);

// A letter was revealed: the grid's cheated flag is set.
void revealed();

// Clue k (1..30) becomes current: the grid's link tint and the strip
// follow it, the clue list selects its line (unless the choice was made
// there), and the answer window opens on it with its cursor on strip
// square `answerCursor` (0..31; anything else parks it). A choice in the
// clue list or the grid also takes away the grid's current square. Without
// a cursor the answer window is left alone. With the keyboard-flow aid a
// choice in the list or the strip puts the cursor on the answer's first
// empty letter instead, so that typing fills it at once.
void clueChosen(int k, std::optional<int> answerCursor, ChosenIn where);

// The clue of grid square `at` chosen there (a right click, Ctrl+Enter):
// its line selected, the answer window's cursor on that square's letter.
void squareClueChosen(vlq::Square at);

// No clue is current any more (the answer window closed, scoring): the
// strip and the link tint follow.
void clueCleared();

// The answer window closed: no clue is current; with the keyboard-flow aid
// the grid takes the keyboard back.
void answerWindowClosed();

// The score card closed: with the keyboard-flow aid the grid takes the
// keyboard back (without a current square over the error crosses when
// errorsShown, which a current square's run would paint over).
void scoringEnds(bool errorsShown);

// The linked-squares tint moved from clue `was` to clue `now`: their clue
// lines and the strip are drawn again (the grid draws its own squares).
void linkChanged(int was, int now);

// The answer window, when it shows, closes (clearing the current clue).
void closeAnswerWindow();

// Scoring begins: no answer window, current square, clue or clue line.
void scoringStarts();

// The whole solution shown in grey (on) while the button is held; taken
// away again (off) by a full repaint of the grid and the strip.
void solutionShown(bool on);

// The answer window's right-button mark on grid square `at`.
void markSquare(vlq::Square at, const QColor& fill);

// The cursor of the view the player is typing in goes to grid square `at`
// (the answer window's when it shows that square's clue, else the grid's),
// and a screen reader hears the square.
void cursorTo(vlq::Square at);

// A note for the player about the square under the cursor where they are
// typing (the answer window when it shows, else the grid), heard through a
// screen reader.
void say(const QString& note);

// The one decision where the keyboard goes when the player returns to the
// puzzle: the grid takes it, activated in its sub-window. With the
// keyboard-flow aid it also gets a current square (the first empty one)
// when it has none and withSquare, so that typing fills it at once.
void focusGrid(bool withSquare = true);

} // namespace PuzzleViews
