// The main window's side of the player's progress: the solved notice (aid
// solvedNotice: the score card opens by itself the moment the letters make
// the grid full and right; a full grid with a wrong letter gets a quiet
// note), the kept time on the clock (aid keepTime), "S&tatistics..." in the
// Options menu (aid progress) and the one notice that the progress store
// cannot be used. The notes go to a quiet status label at the right end of
// the toolbar, which the classic game never shows.
#pragma once
#include <QObject>

class QAction;
class QLabel;
class QMenu;
class ProgressKeeper;
class TVlqGameMainForm;

class ProgressCommands : public QObject {
    Q_OBJECT
public:
    // Makes the game's ProgressKeeper (game().progress); puts "S&tatistics..."
    // into menu after `after` while the aid is on; follows form's
    // aidsChanged. The object is form's child.
    ProgressCommands(TVlqGameMainForm* form, QMenu* menu, QAction* after);

    QAction* statisticsItem = nullptr; // "S&tatistics..."
    QLabel* statusLabel = nullptr;     // "StatusLbl"

    // Shows text in the status label (empty: hides it).
    void showNote(const QString& text);
    void StatisticsClick();

private:
    void followAids();
    void solved();
    void showTime(int seconds);
    void tellStoreOff();

    TVlqGameMainForm* form_;
    QMenu* menu_;
    QAction* after_;
    ProgressKeeper* keeper_;
    bool storeOffTold_ = false;
};
