// Moving between the puzzle's panes without a mouse, for the keyboard flow
// of the solving aids: F6 takes the keyboard from the quotation grid to the
// author-title strip, the clue list and back to the grid (Shift+F6 the other
// way; from the answer window it goes back to the grid). On the strip, Left
// and Right (Home, End) move the current clue and Enter or Space opens the
// answer window on it, as a click on its square does. In the answer window
// Left, Right, Home and End put its cursor on a square, as a click does
// (also from parked). With the keyboard flow off F6 does nothing, the
// strip never has the keyboard and the answer window keeps its keys: the
// classic game.
#pragma once
#include <QObject>

class QWidget;

class PaneKeys : public QObject {
    Q_OBJECT
public:
    // Listens for F6 and Shift+F6 everywhere in the program and for the
    // answer window's keys (game().solveForm, made before); mainWindow owns it.
    explicit PaneKeys(QWidget* mainWindow);

    // The next (step 1) or previous (step -1) pane takes the keyboard.
    void cycle(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool stripKey(int key);
    bool answerKey(int key);
};
