// The puzzle open dialog: lists the .vlq files of the puzzle folder and lets
// the player pick one. It only chooses a name; opening the file and every
// error message belong to the main window.
//
// Showing it makes the puzzle folder the current folder (a missing folder is
// not reported). With the solving aids on, each puzzle shows its figures
// beside its name (PuzzleFigures) and the side panel the picked one's
// byline, grid and best time (PickerPanel). Open does nothing until a puzzle has been picked; neither
// Enter nor Esc closes the dialog (unless the solving aids' keyboard flow is
// on: then Enter opens and Esc cancels); the close box cancels.
#pragma once
#include <QDialog>
#include <QPixmap>

#include "services/PuzzleFigures.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class PickerPanel;

class TVlqDlgForm : public QDialog {
    Q_OBJECT
public:
    explicit TVlqDlgForm(QWidget* parent = nullptr);

    // The puzzle folder listed (absolute, no trailing separator).
    QString puzzleFolder() const { return folder_; }
    // Full path of the picked puzzle: the puzzle folder and the file's real
    // name (Edit1's name and its extension as the folder spells it).
    QString chosenPath() const;

    // The list icon "FICO2", 16 x 16, white made transparent.
    static QPixmap listIcon();

    QLabel* LookInLbl = nullptr;
    QLabel* LookInImage = nullptr; // decorative 257 x 21 picture
    // 88 x 313, cream; with the aids the picked puzzle's byline, grid and best time
    PickerPanel* ColorPanel = nullptr;
    QListWidget* VlqList = nullptr; // 440 x 265, one item per puzzle file
    QLineEdit* Edit1 = nullptr;     // picked name, read-only
    QLineEdit* Edit2 = nullptr;     // "Vorlaquince Acrostic Puzzle"
    QPushButton* OpenBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void VlqListSelectionChanged();
    void OpenBtnClick();

    // With the aids on: the figures of each listed puzzle, in list order.
    QList<PuzzleFigures> figures_;
    QString folder_;
    QString chosenFile_; // real file name of the picked item
    bool openArmed_ = false; // Open closes with OK only after a pick
};
