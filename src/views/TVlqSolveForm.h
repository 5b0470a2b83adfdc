// The answer entry window: a floating tool window that shows the current
// clue and a strip of squares for its answer. Typing into the strip writes
// straight into the puzzle record's Entry grid. One instance is created at
// start-up, hidden, and lives until the program ends.
#pragma once
#include <QWidget>

class TVlqSolveForm : public QWidget {
    Q_OBJECT
public:
    explicit TVlqSolveForm(QWidget* parent = nullptr);

    // Strip square the next key acts on: 0..n-1 on the strip, n past the
    // end, 31 parked (every key but Escape is ignored).
    int AnswerCursor = 31;
    // Letters of the current clue's answer (0 when no clue is current).
    int answerLength() const;

    void ReadSettings();
    void PlaceWindow();
    // Keyboard entry of the answer, including the reveal key '+'.
    void FormKeyPress(QChar ch);
    // Repaints if visible, else shows; then raises. Callers set
    // game().currentClue and AnswerCursor first.
    void OpenOnClue();
};
