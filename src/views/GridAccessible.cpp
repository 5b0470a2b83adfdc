#include "GridAccessible.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>

#include "SquareGeometry.h"
#include "TVlqGameGridForm.h"
#include "TVlqGameTitleForm.h"
#include "TVlqSolveForm.h"
#include "core/PuzzleRules.h"
#include "core/SpokenText.h"
#include "game/CheckMarks.h"
#include "game/GameContext.h"
#include "game/PlayerLetters.h"
#include "game/RecordText.h"

namespace vlq {

namespace {

// One square of a table. Not a QObject: it asks its table for everything,
// so it never holds a stale name or place.
class SquareAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    SquareAccessible(GridAccessible* table, int row, int column) : table_(table), row_(row), column_(column) {}

    bool isValid() const override { return table_ && table_->isValid() && table_->indexOf(row_, column_) >= 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_ ? table_->window() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return table_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) return table_->cellName(row_, column_);
        if (t == QAccessible::Description) return table_->cellNote(row_, column_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return isValid() ? table_->cellRect(row_, column_) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.readOnly = true; // letters are typed through the view, not set here
        s.focused = table_->cellFocused(row_, column_);
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return table_; }

private:
    GridAccessible* table_;
    int row_;
    int column_;
};

int usedCols() { return std::clamp(game().puzzle.width(), 0, kMaxCols); }
int usedRows() { return std::clamp(game().puzzle.height(), 0, kMaxRows); }

} // namespace

GridAccessible::GridAccessible(QWidget* view, SquareTableKind kind)
    : QAccessibleWidget(view, QAccessible::Table), kind_(kind) {}

GridAccessible::~GridAccessible() {
    for (const QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

int GridAccessible::rowCount() const {
    return kind_ == SquareTableKind::Grid ? usedRows() : 1;
}

int GridAccessible::columnCount() const {
    switch (kind_) {
    case SquareTableKind::Grid: return usedCols();
    case SquareTableKind::Title: return static_cast<const TVlqGameTitleForm*>(widget())->squareCount();
    case SquareTableKind::Answer: return game().solveForm ? game().solveForm->answerLength() : 0;
    }
    return 0;
}

int GridAccessible::indexOf(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return -1;
    return row * columnCount() + column;
}

Square GridAccessible::squareOf(int row, int column) const {
    const PuzzleRecord& rec = game().puzzle;
    switch (kind_) {
    case SquareTableKind::Grid: return {column + 1, row + 1};
    case SquareTableKind::Title: return rec.decodeSquare(100 + column + 1);
    case SquareTableKind::Answer: {
        const int k = game().currentClue;
        if (k < 1 || k > kMaxClues || column >= kMaxAnswer) return {};
        return answerSquare(rec, k, column + 1);
    }
    }
    return {};
}

int GridAccessible::indexShowing(Square at) const {
    switch (kind_) {
    case SquareTableKind::Grid: return indexOf(at.row - 1, at.col - 1);
    case SquareTableKind::Title:
    case SquareTableKind::Answer:
        for (int i = 0; i < columnCount(); ++i)
            if (squareOf(0, i) == at) return i;
        return -1;
    }
    return -1;
}

int GridAccessible::currentIndex() const {
    switch (kind_) {
    case SquareTableKind::Grid: {
        const auto q = static_cast<const TVlqGameGridForm*>(widget())->currentSquare();
        return q ? indexOf(q->row - 1, q->col - 1) : -1;
    }
    case SquareTableKind::Title: return indexOf(0, game().currentClue - 1);
    case SquareTableKind::Answer: return game().solveForm ? indexOf(0, game().solveForm->AnswerCursor) : -1;
    }
    return -1;
}

QString GridAccessible::cellName(int row, int column) const {
    if (indexOf(row, column) < 0) return {};
    const PuzzleRecord& rec = game().puzzle;
    const Square at = squareOf(row, column);
    QString name;
    switch (kind_) {
    case SquareTableKind::Grid: name = recordText(describeSquare(rec, at)); break;
    case SquareTableKind::Title: name = recordText(describeTitleSquare(rec, column + 1, columnCount())); break;
    case SquareTableKind::Answer: name = recordText(describeAnswerLetter(rec, game().currentClue, column + 1)); break;
    }
    if (!rec.inGrid(at.col, at.row)) return name;
    const TVlqGameGridForm* grid = game().gridForm;
    if (grid && grid->crossed(at.col, at.row)) name += QStringLiteral(", marked wrong");
    if (checkMarks().isMarked(at)) name += QStringLiteral(", checked wrong");
    return name;
}

QString GridAccessible::cellNote(int row, int column) const {
    const int index = indexOf(row, column);
    return index >= 0 && index == noteIndex_ && index == currentIndex() ? note_ : QString();
}

QRect GridAccessible::cellRect(int row, int column) const {
    QRect local;
    switch (kind_) {
    case SquareTableKind::Grid: local = squareOutline(column + 1, row + 1, std::max(1, game().gridSquareSize)); break;
    case SquareTableKind::Title: local = squareOutline(column + 1, 1, std::max(1, game().titleSquareSize)); break;
    case SquareTableKind::Answer:
        if (game().solveForm) local = game().solveForm->stripSquare(column);
        break;
    }
    return QRect(widget()->mapToGlobal(local.topLeft()), local.size());
}

bool GridAccessible::cellFocused(int row, int column) const {
    return widget()->hasFocus() && currentIndex() == indexOf(row, column) && indexOf(row, column) >= 0;
}

int GridAccessible::childCount() const { return rowCount() * columnCount(); }

QAccessibleInterface* GridAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns <= 0 || index >= childCount()) return nullptr;
    return cellAt(index / columns, index % columns);
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
    const int index = indexOf(row, column);
    if (index < 0) return nullptr;
    // Cached by place; a strip that changes its clue keeps its cells, which
    // ask for their name each time.
    const int key = row * kMaxCols + column;
    if (const auto found = cells_.constFind(key); found != cells_.cend())
        return QAccessible::accessibleInterface(*found);
    auto* cell = new SquareAccessible(const_cast<GridAccessible*>(this), row, column);
    cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || child->parent() != this || child->role() != QAccessible::Cell) return -1;
    const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    return cell ? indexOf(cell->rowIndex(), cell->columnIndex()) : -1;
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
            if (cellRect(row, column).contains(x, y)) return cellAt(row, column);
    return nullptr;
}

QAccessibleInterface* GridAccessible::focusChild() const {
    const int index = currentIndex();
    return index >= 0 ? child(index) : nullptr;
}

QString GridAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Description && kind_ == SquareTableKind::Answer) {
        const int k = game().currentClue;
        return k >= 1 && k <= kMaxClues ? recordText(game().puzzle.clue(k)) : QString();
    }
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    switch (kind_) {
    case SquareTableKind::Grid: return QStringLiteral("Quotation grid");
    case SquareTableKind::Title: return QStringLiteral("Author and title");
    case SquareTableKind::Answer: return QStringLiteral("Answer");
    }
    return {};
}

QString GridAccessible::columnDescription(int column) const {
    return kind_ == SquareTableKind::Grid ? QStringLiteral("Column %1").arg(column + 1)
                                          : recordText(clueLabel(kind_ == SquareTableKind::Title ? column + 1 : 0));
}

QString GridAccessible::rowDescription(int row) const {
    return kind_ == SquareTableKind::Grid ? QStringLiteral("Row %1").arg(row + 1) : QString();
}

// --- the factory and the announcements ---------------------------------------

QAccessibleInterface* vlqAccessibleFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (className == QLatin1String("TVlqGameGridForm")) return new GridAccessible(w, SquareTableKind::Grid);
    if (className == QLatin1String("TVlqGameTitleForm")) return new GridAccessible(w, SquareTableKind::Title);
    // The answer strip is a plain widget inside the answer window (which may
    // be going: then it is no answer window any more).
    if (w->objectName() == QLatin1String("SolveGrid") && qobject_cast<TVlqSolveForm*>(w->parentWidget()))
        return new GridAccessible(w, SquareTableKind::Answer);
    return nullptr;
}

void installAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(vlqAccessibleFactory);
    QObject::connect(&playerLetters(), &PlayerLetters::letterChanged, qApp, [](Square at) { announceSquare(at); });
}

namespace {

GridAccessible* tableOf(QWidget* view) {
    if (!view) return nullptr;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    return iface ? dynamic_cast<GridAccessible*>(iface) : nullptr;
}

} // namespace

void announceCurrentSquare(QWidget* view) {
    if (!QAccessible::isActive()) return;
    GridAccessible* table = tableOf(view);
    if (!table) return;
    const int index = table->currentIndex();
    if (index < 0 || !view->hasFocus()) return;
    QAccessibleEvent focus(view, QAccessible::Focus);
    focus.setChild(index);
    QAccessible::updateAccessibility(&focus);
}

void announceFocusTaken(QWidget* view) {
    if (!QAccessible::isActive() || !view) return;
    QTimer::singleShot(0, view, [view] { announceCurrentSquare(view); });
}

void announceSquare(Square at) {
    if (!QAccessible::isActive()) return;
    const GameContext& g = game();
    QWidget* views[] = {g.gridForm, g.titleForm, g.solveForm ? g.solveForm->SolveGrid : nullptr};
    for (QWidget* view : views) {
        if (!view || !view->isVisible()) continue;
        GridAccessible* table = tableOf(view);
        const int index = table ? table->indexShowing(at) : -1;
        if (index < 0) continue;
        QAccessibleEvent renamed(view, QAccessible::NameChanged);
        renamed.setChild(index);
        QAccessible::updateAccessibility(&renamed);
    }
}

void announceNote(QWidget* view, const QString& note) {
    if (!QAccessible::isActive()) return;
    GridAccessible* table = tableOf(view);
    if (!table) return;
    const int index = table->currentIndex();
    table->setNote(index, note);
    QAccessibleEvent said(view, QAccessible::DescriptionChanged);
    if (index >= 0) said.setChild(index);
    QAccessible::updateAccessibility(&said);
}

void announceClueLine(QWidget* clueList, int row) {
    if (!QAccessible::isActive() || !clueList) return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(clueList);
    QAccessibleTableInterface* lines = list ? list->tableInterface() : nullptr;
    QAccessibleInterface* line = lines ? lines->cellAt(row, 0) : nullptr;
    if (!line) return;
    QAccessibleEvent renamed(line, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

} // namespace vlq
