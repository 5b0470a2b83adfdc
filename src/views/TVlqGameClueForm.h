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
    // and deselect lines directly.
    QListWidget* ClueList = nullptr;
    // Position (from 0) of the letter right-clicked in the quotation grid
    // within its clue's answer; set by the grid before it calls
    // ClueListClick with itself as sender.
    int GridLetterIndex = 0;

    void ReadSettings();
    void PlaceWindow();
    // Rebuilds every line and selects the current clue's line, if any.
    void FillList();
    // Rebuilds the line of clue k (1..30) in place; it is not reselected.
    void RefreshClueLine(int k);
    // Makes the selected line's clue current and opens the answer window on
    // it. sender == game().gridForm: the cursor goes to GridLetterIndex.
    void ClueListClick(QObject* sender);
    // Deselects the list.
    void ClearSelection();
};
