// The clue list: one document window per opened puzzle, one line per clue
// in clue order, each showing the clue text and how far its answer is
// filled in. Choosing a line makes that clue current and opens the answer
// entry window on it.
#pragma once
#include <QWidget>

class QListWidget;
class QMdiArea;
class QMdiSubWindow;

class TVlqGameClueForm : public QWidget {
    Q_OBJECT
public:
    // Creates the window as a sub-window of area, registers it as
    // game().clueForm and shows it (settings, placement, filling).
    explicit TVlqGameClueForm(QMdiArea* area);
    ~TVlqGameClueForm() override;

    QMdiSubWindow* subWindow() const;

    // One line per clue; line k-1 belongs to clue k. Other windows select
    // and deselect lines directly; doing so never runs ClueListClick.
    QListWidget* ClueList = nullptr;
    // Position (from 0) of the letter right-clicked in the quotation grid
    // within its clue's answer; set by the grid before it calls
    // ClueListClick with itself as sender.
    int GridLetterIndex = 0;

    // Every line is this many pixels high, whatever the font.
    static constexpr int kLineHeight = 19;
    // Scrollable width of the list once the window has been shown.
    static constexpr int kHorizontalExtent = 800;
    // Text starts this many pixels in from the left of a line.
    static constexpr int kTextIndent = 2;

    // Text colour and font of the list from SolveFontColor, SolveFontName,
    // SolveFontSize and SolveFontStyle. Throws vlq::SettingsError for a
    // stored value of the wrong kind or malformed colour text.
    void ReadSettings();
    // Bounds of the sub-window in the MDI area from ScreenBoundsClues (empty:
    // the space below the author-title window; a first value of 10000,
    // 20000, 30000 or 40000 picks a computed place), then puts a hidden
    // answer window's top 100 pixels below this window's top. Throws
    // vlq::SettingsError naming the value when it is not four integers.
    void PlaceWindow();
    // Rebuilds every line and selects the current clue's line, if any.
    void FillList();
    // Rebuilds the line of clue k (1..30) in place; the line is left
    // unselected. Lines that do not exist are left alone.
    void RefreshClueLine(int k);
    // Makes the selected line's clue current, clears the grid's cursor,
    // repaints the author-title strip and opens the answer window on the
    // clue. sender == game().gridForm puts the answer cursor on
    // GridLetterIndex, any other sender on setting SolveHLOn (0..31; other
    // values park it). Does nothing when no line is selected. Errors while
    // reading settings are reported, not thrown.
    void ClueListClick(QObject* sender);
    // Deselects the list.
    void ClearSelection();

    // The clue list's line of clue k as the list shows it.
    static QString clueLineText(int k);
    // What a screen reader says for clue k's line (its accessible name):
    // label, text, letters and how many are filled; with the keyboard-flow
    // aid the letters and blanks as the line shows them.
    static QString clueSpeech(int k);

protected:
    void showEvent(QShowEvent* event) override;

private:
    int horizontalExtent_ = 0;
};
