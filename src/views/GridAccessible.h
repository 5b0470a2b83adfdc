// What assistive technology (a screen reader, through the platform's
// accessibility bus) sees of the painted square views. The quotation grid,
// the author-title strip and the answer window's strip paint their squares
// themselves, so the toolkit knows no children in them; here each becomes
// a table with one cell per square (the grid Height x Width, the strips one
// row). A grid cell is named as describeSquare says, an answer cell as
// describeAnswerLetter, an author-title cell as describeTitleSquare; a
// square with an error cross adds "marked wrong", one with a check mark
// "checked wrong". The answer table's description is its clue.
//
// The tables come from a factory keyed on the views' class names
// (installAccessibility, before any window exists). Cells are light
// objects made on first request, registered with the toolkit, kept by index
// and deleted with their table; a new document window per puzzle starts a
// new cache. The views report cursor moves with announceCurrentSquare and
// every letter change arrives through the letter door's signal; the clue
// list reports its lines' new texts with announceClueLine. All of them do
// nothing at all unless a tool is listening (QAccessible::isActive()), so a
// key press costs nothing more when no one is.
#pragma once
#include <QAccessibleWidget>
#include <QHash>

#include "core/PuzzleRecord.h"

namespace vlq {

// Which painted squares a table stands for.
enum class SquareTableKind { Grid, Title, Answer };

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    GridAccessible(QWidget* view, SquareTableKind kind);
    ~GridAccessible() override;

    SquareTableKind kind() const { return kind_; }

    // Cell of (row, column), both from 0, as a child index; -1 outside.
    int indexOf(int row, int column) const;
    // Child index of the cell the view's cursor is on; -1 for none.
    int currentIndex() const;
    // Child index of the cell that shows grid square `at`; -1 for none.
    int indexShowing(Square at) const;

    // What cell (row, column) says, where it lies on the screen, and
    // whether the view's cursor is on it while the view has the keyboard.
    QString cellName(int row, int column) const;
    // The last note said on cell (row, column) while the cursor was on it
    // (announceNote); empty for every other cell.
    QString cellNote(int row, int column) const;
    void setNote(int index, const QString& note) {
        noteIndex_ = index;
        note_ = note;
    }
    QRect cellRect(int row, int column) const;
    bool cellFocused(int row, int column) const;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;

    // QAccessibleTableInterface; the squares take no selection of their
    // own, the cursor is the focus.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    Square squareOf(int row, int column) const; // {0, 0} for none

    SquareTableKind kind_;
    mutable QHash<int, QAccessible::Id> cells_;
    int noteIndex_ = -1;
    QString note_;
};

// The factory for the three square views; other classes get nullptr.
QAccessibleInterface* vlqAccessibleFactory(const QString& className, QObject* object);

// Installs the factory and follows the letter door, once per run; call it
// before any window exists.
void installAccessibility();

// The cursor of `view` (the grid, the author-title strip or the answer
// strip) moved: the cell under it takes the accessible focus, when the view
// has the keyboard. Nothing happens unless a tool is listening.
void announceCurrentSquare(QWidget* view);

// `view` has just taken the keyboard: once the toolkit has reported the
// view itself as focused, the cell under its cursor takes the focus.
// Nothing happens unless a tool is listening.
void announceFocusTaken(QWidget* view);

// What grid square `at` shows changed (its letter, an error cross): every
// cell that shows it reports a new name. Nothing happens unless a tool is
// listening.
void announceSquare(Square at);

// Something the player should hear about the cell under the cursor of
// `view` (a check's verdict, the letters a reveal put in): it becomes that
// cell's description and a description-change event. Nothing happens
// unless a tool is listening.
void announceNote(QWidget* view, const QString& note);

// The text of line `row` (from 0) of the clue list changed while the list's
// model kept quiet: the line reports its new name. Nothing happens unless
// a tool is listening.
void announceClueLine(QWidget* clueList, int row);

} // namespace vlq
