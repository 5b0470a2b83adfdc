// The score card: a small modal tool window that reports the verdict on the
// player's grid and offers what to do next. Created once at start-up and
// reused; each button closes it with its own result.
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

class TScoreForm : public QDialog {
    Q_OBJECT
public:
    // How the card was closed. Cancel is also the close box and Escape.
    enum Result { Cancel = QDialog::Rejected, ShowErrors = 2, StartOver = 3, Recycle = 4 };

    explicit TScoreForm(QWidget* parent = nullptr);

    // Showing step: judges the whole grid of game().puzzle and sets the card
    // up. Correct: PlayCorrect (sounds on) and the grid's celebration, which
    // finishes before the card appears; Recycle Bin offered; "(but you
    // cheated)" exactly when the grid window's cheated flag is set.
    // Incorrect: red banner, Show Errors offered, PlayIncorrect (sounds on).
    // With the solved notice (aid solvedNotice) a correct card grows below
    // its buttons to show the quotation whole with the author and title its
    // answers spell (QuoteLbl), and the kept time (aid keepTime).
    // Returns the verdict.
    bool FormShow();
    // FormShow, then the card modally; returns a Result. No input reaches
    // any window from the start until the card is up (and modal).
    int ShowModal();

    QLabel* BannerLbl = nullptr;
    QLabel* CheatLbl = nullptr;
    QLabel* PictureImg = nullptr;
    QLabel* QuoteLbl = nullptr;
    QPushButton* ShowErrsBtn = nullptr;
    QPushButton* StartOverBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    void showQuotation(bool on);

protected:
    // Centres the card over the main window, the first opening included.
    void showEvent(QShowEvent* e) override;
};
