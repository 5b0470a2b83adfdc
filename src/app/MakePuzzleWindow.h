// The "Make a Puzzle" window: a view over the puzzle being made
// (vlq::MakerDraft), which holds every rule it shows. The player types a
// quotation, an author and a title; Make runs the answer maker on a worker
// thread (MakerWorker) with a progress bar and Cancel; the answers come
// into a table, one row per letter of the author and title, where an
// answer can be typed or chosen from the other words that fit, a clue
// rewritten in place and an answer locked before the next Make. Save
// Puzzle puts the finished puzzle into the puzzle folder and Solve It opens
// it in the game; Save Draft and Open Draft keep unfinished work as the
// source text `vlqtool build` reads. Its place and size are kept in the
// settings (ScreenBoundsMaker).
#pragma once
#include <QWidget>

#include "maker/MakerDraft.h"

class MakerWorker;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

class MakePuzzleWindow : public QWidget {
    Q_OBJECT
public:
    explicit MakePuzzleWindow(QWidget* parent = nullptr);
    ~MakePuzzleWindow() override;

    // The table's columns.
    enum Column { LetterColumn, AnswerColumn, LengthColumn, ClueColumn, LockColumn, ColumnCount };

    QPlainTextEdit* quotationBox = nullptr;
    QLineEdit* authorBox = nullptr;
    QLineEdit* titleBox = nullptr;
    QLabel* figuresLabel = nullptr;
    QSpinBox* seedBox = nullptr;
    QPushButton* makeButton = nullptr;      // "&Make"
    QPushButton* makeAgainButton = nullptr; // "Make A&gain": the next seed
    QPushButton* cancelButton = nullptr;
    QProgressBar* progressBar = nullptr;
    QTableWidget* answerTable = nullptr;
    QLabel* poolLabel = nullptr;
    QLabel* statusLabel = nullptr;
    QPushButton* savePuzzleButton = nullptr; // "&Save Puzzle"
    QPushButton* solveItButton = nullptr;    // "Solve &It"
    QPushButton* saveDraftButton = nullptr;  // "Save &Draft"
    QPushButton* openDraftButton = nullptr;  // "&Open Draft..."

    const vlq::MakerDraft& draft() const { return draft_; }
    MakerWorker& worker() { return *worker_; }
    // The puzzle file Save Puzzle wrote last; empty before.
    QString savedPuzzle() const { return saved_; }

    // Make: refused with the reasons named when the draft cannot be made,
    // else the search starts on the worker thread.
    void make();
    void makeAgain();
    void cancelMaking();
    // Save Puzzle: asks first while clues are still to be written; true
    // when the puzzle was written into the puzzle folder.
    bool savePuzzle();
    // Solve It: opens the saved puzzle in the game.
    void solveIt();
    bool saveDraftTo(const QString& path);
    bool openDraftFrom(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void inputChanged();
    void showDraft();
    void showRow(int k);
    void showPool();
    void showFigures();
    void cellChanged(QTableWidgetItem* item);
    void madeSet(const vlq::MakeResult& made);
    void setMaking(bool making);
    void setStatus(const QString& text, bool trouble = false);
    void draftChanged();
    void saveDraft();
    void openDraft();

    vlq::MakerDraft draft_;
    MakerWorker* worker_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QString saved_;
    bool filling_ = false; // the controls are being filled from the draft: no edits
    bool placed_ = false;  // the stored bounds were taken
};
