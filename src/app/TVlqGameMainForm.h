// The main frame window: menu, toolbar and the MDI area that holds the three
// document windows of the open puzzle. Starts in its logo state (small, fixed
// size, logo under the toolbar, only the always-available commands) and
// switches to its puzzle state (maximized, puzzle commands enabled) at the
// first successful opening; there is no way back.
//
// Set-up lives in TVlqGameMainForm.cpp, opening/saving/recent puzzles in
// TVlqGameMainFormFile.cpp, reveals and scoring in TVlqGameMainFormPlay.cpp,
// the commands of the other modules in TVlqGameMainFormCommands.cpp.
#pragma once
#include <QMainWindow>
#include <QPixmap>
#include <QStringList>
#include <array>

class MakePuzzleWindow;
class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
class QProgressBar;
class QToolBar;
class QToolButton;
class SingleInstance;

class TVlqGameMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TVlqGameMainForm(QWidget* parent = nullptr);
    ~TVlqGameMainForm() override;

    QMdiArea* mdiArea() const { return MdiArea; }
    // The printer chosen with "P&rinter Setup...", shared with printing.
    QPrinter* printer();

    // Reads DictPath and ThesPath (enabling "&Dictionary..." and
    // "&Thesaurus..." when not empty) and PlaySounds into game().soundMode;
    // gives DictBtn image 8 and its hint when the dictionary is enabled, else
    // image 10 and no hint.
    void ReadToolSettings();
    // Stores the square sizes and, when custom, the places of the showing
    // puzzle windows; without custom the default square size and no places.
    void SaveLayout(bool custom);
    // Sets the window and new document windows up for the record just read
    // into game().puzzle from game().currentPuzzlePath.
    void ShowPuzzle();
    // Rebuilds the three recent-puzzle menu items from CurrentPuzzle and
    // HistoryPuzzle1..3, and stores the list back.
    void RebuildHistory();
    // Shows the progress bar filling, waits 750 ms (input goes on), hides it.
    // doing: what the bar shows progress of, as a screen reader names it.
    void PulseProgress(const QString& doing = QStringLiteral("Saving"));
    // Opens a puzzle file by its path as a puzzle chosen in the open dialog
    // is opened: saves the open puzzle silently first when it has unsaved
    // changes; on failure shows the error box and keeps the open puzzle.
    // A JPZ, APZ or ipuz file opens as its .vlq in the puzzle folder
    // (importIntoPuzzleFolder). Returns true when the puzzle was opened.
    bool OpenPuzzleFile(const QString& path);
    // The puzzle commands: Save, Print, Score Puzzle, Revert to Saved and the
    // buttons SaveBtn, LetterBtn, WordBtn, CheatBtn, ScoreBtn, PrintBtn, with
    // their hints. Enabled by every opening, disabled after recycling.
    void EnablePuzzleCommands(bool on);

    // --- the game's life (TVlqGameMainFormLife.cpp) -------------------------
    // Before the open puzzle is left (Exit, the close box, a recovered
    // puzzle): saves its unsaved letters without asking, telling where they
    // went when the file was deleted or changed meanwhile. When that save
    // fails, a box says why and offers "Save a &Copy...", leaveCaption (which
    // keeps the letters as a recovery copy, or says that none could be kept)
    // and "Cancel" (the default). False when the player stays with the puzzle.
    bool leavePuzzle(const QString& leaveCaption);
    // SIGTERM, SIGHUP, SIGINT: saves (or else writes a recovery copy) and
    // ends the process at once, whatever window is open. Does not return.
    void endOnSignal();
    // Offers each recovery copy its puzzle does not hold (only the copy of the
    // puzzle at onlyFor, when given, whose opening has left the open puzzle
    // already; never the copy of the puzzle at except): Recover opens the
    // puzzle with the copy's letters as unsaved changes, Discard deletes the
    // copy, Later keeps it. Returns what became of the last copy offered.
    enum class RecoveryOutcome { NoneWaiting, Recovered, Discarded, Kept };
    RecoveryOutcome offerRecoveryCopies(const QString& onlyFor = {}, const QString& except = {});
    // Whether fullPath may be opened: true unless another game holds it and
    // the player, asked, does not choose "Open Anyway".
    bool mayOpenHeldPuzzle(const QString& fullPath);
    // Files handed over by later starts open here (see SingleInstance).
    void attachSingleInstance(SingleInstance* instance);

    // The image list of the toolbar: 11 pictures of 24 x 24.
    static constexpr int ImageCount = 11;
    static QPixmap toolImage(int index);
    // Image list index shown by a toolbar button.
    static int imageIndex(const QToolButton* button);
    // Shows or hides a toolbar button's hint.
    static void setHintShown(QToolButton* button, bool shown);
    static QString hintText(const QToolButton* button);

    // --- menu (object names as the components' names) --------------------
    QMenu* Puzzle1 = nullptr;          // the "Puzzle" menu
    QAction* Solve1 = nullptr;
    QAction* OpenFile1 = nullptr;
    QAction* MakePuzzle1 = nullptr;    // "&Make a Puzzle...", Ctrl+N: with the aids on
    QAction* Save1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrinterSetup1 = nullptr;
    QAction* N4 = nullptr;             // separator above the recent list; shown with it
    QAction*& recentSeparator = N4;
    std::array<QAction*, 3> History{}; // History1..History3
    QAction* Exit1 = nullptr;
    QMenu* Options1 = nullptr;
    QAction* ScorePuzzle1 = nullptr;
    QAction* ShowClock1 = nullptr;
    QAction* RevertToSaved1 = nullptr;
    QAction* AutoArrange1 = nullptr;
    QAction* Preferences1 = nullptr;
    QAction* SolvingAids1 = nullptr;
    // Zoom keys of the zoom aid, on the window (in no menu).
    QAction* ZoomIn1 = nullptr;
    QAction* ZoomOut1 = nullptr;
    QAction* ZoomReset1 = nullptr;
    QMenu* Tools1 = nullptr;
    QAction* Dictionary1 = nullptr;
    QAction* Thesaurus1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* KeywordIndex1 = nullptr;
    QAction* About1 = nullptr;

    // --- toolbar -------------------------------------------------------------
    QToolBar* ToolBar1 = nullptr;
    QToolButton* OpenBtn = nullptr;
    QToolButton* SaveBtn = nullptr;
    // Separators of the toolbar, in order: after Save, after the reveals,
    // after Score, and before Exit.
    QFrame* Sep1 = nullptr;
    QToolButton* LetterBtn = nullptr;
    QToolButton* WordBtn = nullptr;
    QToolButton* CheatBtn = nullptr;
    // With the "Pencil" aid in puzzle state: the pencil switch (LetterCommands).
    QToolButton* PencilBtn = nullptr;
    QFrame* Sep4 = nullptr;
    QToolButton* ScoreBtn = nullptr;
    QFrame* Sep2 = nullptr;
    QToolButton* ClockBtn = nullptr;
    QToolButton* PrintBtn = nullptr;
    QToolButton* DictBtn = nullptr;
    QFrame* Sep3 = nullptr;
    QToolButton* ExitBtn = nullptr;
    QWidget* ToolButton14 = nullptr; // 69-pixel spacer after Exit, before the progress bar
    QWidget*& toolbarSpacer = ToolButton14;
    QProgressBar* ProgBar = nullptr;

    QWidget* LogoPanel = nullptr;
    QLabel* LogoImage = nullptr;

signals:
    // The main window has closed; the program ends.
    void closed();
    // The solving aids were read again: switched on or off, or the
    // preferences saved (game().aids is already new).
    void aidsChanged();

public slots:
    // Puzzle menu.
    void Solve1Click();
    // Any puzzle file from any folder, through the desktop's file dialog.
    void OpenFile1Click();
    // The file dialog's filter: every kind of puzzle file the game opens.
    static QString puzzleFileFilter();
    // Shows the Make a Puzzle window (made on first use, the main window's).
    void MakePuzzle1Click();
    void Save1Click();
    void Print1Click();
    void PrinterSetup1Click();
    void HistoryClick(int number); // 1..3
    void Exit1Click();
    // Options menu.
    void ShowClock1Click();
    void RevertToSaved1Click();
    void AutoArrange1Click();
    void Preferences1Click();
    // Switches the solving aids on or off as a whole (kept in the settings)
    // and has the open puzzle's windows take the change.
    void SolvingAids1Click();
    // Tools and Help menus.
    void Dictionary1Click();
    void Thesaurus1Click();
    void Contents1Click();
    void KeywordIndex1Click();
    void About1Click();
    // Reveals and scoring (TVlqGameMainFormPlay.cpp).
    void LetterBtnMouseDown();
    void LetterBtnClick();
    void WordBtnClick();
    void CheatBtnMouseDown();
    void CheatBtnMouseUp();
    void ScoreBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void createAidActions();
    // Zoom by step per cent of the fitted size (0: back to 100), within what
    // fits the screen; the grid and the strip are placed anew.
    void zoomBy(int step);
    // Grid, strip and clue list placed anew, as Auto Arrange does.
    void placeDocumentWindows();
    // The open puzzle's windows after the aids were switched on or off.
    void refreshAidViews();
    void createToolBar();
    void createLogo();
    QToolButton* addToolButton(const char* name, int image, const char* hint);
    QFrame* addSeparator(const char* name);
    void FormShow();
    // Saves the open puzzle without asking when it has unsaved changes; a
    // file changed by another program keeps both (savePuzzleNow). With
    // tellPlayer, where the letters went is told when it is news.
    void saveSilentlyWhenModified(bool tellPlayer = false);
    // Saves the open puzzle through the check for changes made by other
    // programs (game/PuzzleSave.h) and follows the outcome: a copy kept
    // beside the file becomes the open puzzle (caption, recent list), their
    // file loaded is shown as Revert shows it. Throws the save's errors.
    // Returns the outcome's notice for the player, empty when none.
    QString savePuzzleNow(bool asked);
    // The views after the record was read anew from the open puzzle's file.
    void showReloadedPuzzle();
    // The grid's caption, CurrentPuzzle and the recent list after the open
    // puzzle's path changed.
    void showPuzzlePath();
    // Reads path into the record and shows it; the error box and false on
    // failure, leaving the open puzzle as it was.
    bool openPuzzle(const QString& path, bool fromHistory);
    // Raises the window and opens the handed-over files, once no modal
    // window or nested wait runs.
    void servePendingOpens();

    QMdiArea* MdiArea = nullptr;
    QWidget* ToolPanel = nullptr; // the toolbar's row of buttons
    QPrinter* Printer = nullptr;
    bool shownOnce_ = false;
    SingleInstance* singleInstance_ = nullptr;
    QStringList pendingOpens_;
    bool pendingRaise_ = false;
    QString openFileFolder_; // where Open File last found a puzzle
    QByteArray shownShape_;  // the shown record less its letters: what the windows were built for
};
