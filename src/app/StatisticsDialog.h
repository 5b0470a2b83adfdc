// Options ▸ "S&tatistics..." (aid progress): the player's figures from the
// progress store (puzzles started and solved, solved without reveals,
// median and best time, current and longest run of days with a solve) and
// a table of every solve (title, time, date, revealed) that sorts by any
// column and copies as tab-separated text (Ctrl+C or the Copy button).
#pragma once
#include <QDialog>

class QLabel;
class QTableWidget;
class ProgressStore;

class StatisticsDialog : public QDialog {
    Q_OBJECT
public:
    // Reads the store at once; an empty or unusable store gives zeros and
    // an empty table.
    explicit StatisticsDialog(ProgressStore& store, QWidget* parent = nullptr);

    QLabel* FiguresLbl = nullptr;   // the figures, one per line
    QTableWidget* SolvesTbl = nullptr;

    // The selected rows (every row when none is selected) with the header,
    // tab-separated, one line per row, as the table sorts them.
    QString tableText() const;
    // tableText() to the clipboard.
    void copyTable() const;
};
