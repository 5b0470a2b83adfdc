#include "TVlqGameClueForm.h"

#include <QApplication>
#include <algorithm>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "ClueLineLabels.h"
#include "DocumentWindow.h"
#include "GridAccessible.h"
#include "SquareLook.h"
#include "TVlqGameGridForm.h"
#include "TVlqGameTitleForm.h"
#include "TVlqSolveForm.h"
#include "app/PuzzleViews.h"
#include "game/GameContext.h"
#include "game/RecordText.h"
#include "game/WholeClues.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleRules.h"
#include "core/SettingsText.h"
#include "core/SpokenText.h"
#include "game/SettingsTable.h"

namespace {

// Lines of a fixed height and a fixed scrollable width, text a little in
// from the left, vertically centred, on one line, ampersands shown as such.
class ClueLineDelegate : public QStyledItemDelegate {
public:
    ClueLineDelegate(const int& extent, QObject* parent) : QStyledItemDelegate(parent), extent_(extent) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {extent_, game().aids.squareLabels ? vlq::kLabelledLineHeight : TVlqGameClueForm::kLineHeight};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const auto group = (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
        const bool linked = !selected && TVlqGameGridForm::linkedClue() == index.row() + 1;
        if (selected) p->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        else if (linked) p->fillRect(option.rect, game().aids.linkedColour);
        QColor ink = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        // On the tint the text keeps its contrast (the light text of a dark set).
        if (linked) ink = vlq::letterInk(ink, game().aids.linkedColour);
        if (game().aids.squareLabels) {
            paintLabelled(p, option, index, ink);
            return;
        }
        p->save();
        p->setFont(option.font);
        p->setPen(ink);
        const QRect textRect = option.rect.adjusted(TVlqGameClueForm::kTextIndent, 0, 0, 0);
        p->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
        p->restore();
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
            const QWidget* w = option.widget;
            (w ? w->style() : QApplication::style())->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, w);
        }
    }

private:
    // The line as print shows it (square-labels aid), with the focus frame.
    void paintLabelled(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index,
                       const QColor& ink) const {
        vlq::paintLabelledClueLine(*p, option.rect, TVlqGameClueForm::kTextIndent, option.font, ink, index.row() + 1);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            const QWidget* w = option.widget;
            (w ? w->style() : QApplication::style())->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, w);
        }
    }

    const int& extent_;
};

// The list box: reports selection moves made with the keyboard, the way a
// mouse click is reported by clicked().
class ClueListBox : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void()> onKeyboardMove;

protected:
    // Only the left button selects a line, as in a list box.
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) QListWidget::mousePressEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        // Keyboard flow: the arrows read the clues (the selection moves and
        // the line is heard); Enter opens the answer window on the clue.
        if (game().aids.keyboardFlow) {
            if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !selectedItems().isEmpty() &&
                onKeyboardMove) {
                onKeyboardMove();
                return;
            }
            QListWidget::keyPressEvent(event);
            return;
        }
        const QList<QListWidgetItem*> before = selectedItems();
        QListWidget::keyPressEvent(event);
        const QList<QListWidgetItem*> after = selectedItems();
        if (!after.isEmpty() && after != before && onKeyboardMove) onKeyboardMove();
    }
    // The lines fill the list's height in whole lines: what is left below
    // the last whole line stays blank instead of showing half a line.
    void updateGeometries() override {
        QListWidget::updateGeometries();
        const int rows = viewport()->height() + viewportMargins().bottom();
        // Labelled lines (an aid) are taller than the classic ones.
        const int line = game().aids.squareLabels ? vlq::kLabelledLineHeight : TVlqGameClueForm::kLineHeight;
        const int spare = rows >= line ? rows % line : 0;
        if (spare != viewportMargins().bottom()) setViewportMargins(0, 0, 0, spare);
    }
};

// A clue line whose accessible name (clue letter, text, letters filled) is
// made when a screen reader asks for it, so that typing costs nothing more
// when none is listening.
class ClueLineItem : public QListWidgetItem {
public:
    ClueLineItem(const QString& text, int k) : QListWidgetItem(text), k_(k) {}
    QVariant data(int role) const override {
        if (role == Qt::AccessibleTextRole) return TVlqGameClueForm::clueSpeech(k_);
        // A clue the record holds shortened shows whole in the tooltip (aids on).
        if (role == Qt::ToolTipRole) {
            const QString whole = wholeClueText(k_);
            return whole.isEmpty() ? QVariant() : QVariant(whole);
        }
        return QListWidgetItem::data(role);
    }

private:
    int k_;
};

// Bounds of a document window in the MDI area (its sub-window's); empty
// when the window does not exist.
QRect outerBounds(const QWidget* w) {
    if (!w) return {};
    if (const auto* sub = qobject_cast<const QMdiSubWindow*>(w->parentWidget())) return sub->geometry();
    return w->geometry();
}

} // namespace

TVlqGameClueForm::TVlqGameClueForm(QMdiArea* area) {
    setWindowTitle(QStringLiteral("Clues"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);

    auto* list = new ClueListBox(this);
    ClueList = list;
    QPalette listPal = ClueList->palette();
    listPal.setColor(QPalette::Base, Qt::white);
    listPal.setColor(QPalette::Text, Qt::black);
    ClueList->setPalette(listPal);
    QFont listFont(QStringLiteral("Times New Roman"));
    listFont.setPixelSize(15);
    ClueList->setFont(listFont);
    ClueList->setSelectionMode(QAbstractItemView::SingleSelection);
    ClueList->setUniformItemSizes(true);
    ClueList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    ClueList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ClueList->setItemDelegate(new ClueLineDelegate(horizontalExtent_, ClueList));
    connect(ClueList, &QAbstractItemView::clicked, this, [this] { ClueListClick(ClueList); });
    list->onKeyboardMove = [this] { ClueListClick(ClueList); };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ClueList);
    resize(419, 146);

    vlq::addDocumentWindow(area, this);
    game().clueForm = this;
    subWindow()->show();
}

TVlqGameClueForm::~TVlqGameClueForm() {
    if (game().clueForm == this) game().clueForm = nullptr;
}

QMdiSubWindow* TVlqGameClueForm::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void TVlqGameClueForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    horizontalExtent_ = kHorizontalExtent;
    ClueList->doItemsLayout();
    try {
        ReadSettings();
        PlaceWindow();
    } catch (const std::exception& e) {
        // A bad setting costs the placement, never the list itself.
        vlq::reportError(e);
    }
    FillList();
}

void TVlqGameClueForm::ReadSettings() {
    // UseCursors would pick a list cursor the program never loads, so the
    // list keeps the default pointer whatever it holds.
    (void)TVlqProcs::ReadSetting(VlqSetting::UseCursors);
    const QColor colour = TVlqProcs::ReadSetting(VlqSetting::SolveFontColor);
    const QString name = TVlqProcs::ReadSetting(VlqSetting::SolveFontName);
    const int size = TVlqProcs::ReadSetting(VlqSetting::SolveFontSize);
    const int style = TVlqProcs::ReadSetting(VlqSetting::SolveFontStyle);

    ClueList->unsetCursor();
    QPalette pal = ClueList->palette();
    const QColor base = vlq::darkPane().value_or(QColor(Qt::white));
    pal.setColor(QPalette::Base, base);
    pal.setColor(QPalette::Text, vlq::letterInk(colour, base));
    ClueList->setPalette(pal);
    ClueList->setFont(vlq::settingsFont(name, size, style));
}

void TVlqGameClueForm::PlaceWindow() {
    const std::optional<vlq::Bounds> b = TVlqProcs::ReadSetting(VlqSetting::ScreenBoundsClues);
    const GameContext& g = game();
    const QRect title = outerBounds(g.titleForm);
    const QRect grid = outerBounds(g.gridForm);
    QRect r;
    if (!b) {
        // As wide as the screen, but never beyond the document area.
        const int across = g.availableWidth > 0 ? std::min(vlq::screenWidth(), g.availableWidth) : vlq::screenWidth();
        r = QRect(g.frameSize, title.y() + title.height() + g.frameSize, across - 2 * g.frameSize,
                  g.availableHeight - title.y() - title.height() - 2 * g.frameSize);
    } else {
        const int wide = vlq::screenWidth() - 8;
        switch (b->left) {
        case 10000:
            r = QRect(2, title.y() + title.height() + 2, wide, g.availableHeight - title.y() - title.height() - 4);
            break;
        case 20000:
            r = QRect(2, grid.y() + grid.height() + 2, wide, g.availableHeight - grid.y() - grid.height() - 4);
            break;
        case 30000:
        case 40000:
            r = QRect(2, 2, wide, g.availableHeight - grid.height() - title.height() - 12);
            break;
        default:
            r = vlq::keptInView(subWindow(), QRect(vlq::storedTopLeft(*b), vlq::storedSize(*b)));
        }
    }
    if (QMdiSubWindow* sub = subWindow())
        sub->setGeometry(r.x(), r.y(), std::max(r.width(), 0), std::max(r.height(), 0));
    else
        setGeometry(r.x(), r.y(), std::max(r.width(), 0), std::max(r.height(), 0));

    // The answer window places itself again whenever it is shown; one that
    // shows keeps its place (moving it here made it jump).
    if (g.solveForm && !g.solveForm->isVisible()) {
        const QPoint at = g.solveForm->pos();
        g.solveForm->move(at.x(), outerBounds(this).y() + 100);
    }
}

QString TVlqGameClueForm::clueSpeech(int k) {
    // Keyboard flow: the letters as the line shows them, for reading by arrowing.
    if (game().aids.keyboardFlow) return vlq::recordText(vlq::describeClueLetters(game().puzzle, k));
    return vlq::recordText(vlq::describeClue(game().puzzle, k));
}

QString TVlqGameClueForm::clueLineText(int k) {
    return vlq::recordText(vlq::clueLine(game().puzzle, k));
}

void TVlqGameClueForm::FillList() {
    const QSignalBlocker block(ClueList);
    ClueList->clear();
    for (int k = 1; k <= vlq::kMaxClues; ++k) {
        if (game().puzzle.clue(k).empty()) continue;
        ClueList->addItem(new ClueLineItem(clueLineText(k), k));
    }
    const int current = game().currentClue;
    if (current >= 1 && current <= ClueList->count()) ClueList->setCurrentRow(current - 1);
}

void TVlqGameClueForm::RefreshClueLine(int k) {
    if (k < 1 || k > ClueList->count()) return;
    QListWidgetItem* line = ClueList->item(k - 1);
    const QSignalBlocker block(ClueList);
    {
        // Without the model's change signal: the view would answer it by
        // laying out every line again from a timer and repainting the whole
        // list, at every key. Lines have one fixed size, so painting this one
        // line is all a new text needs.
        const QSignalBlocker quiet(ClueList->model());
        line->setText(clueLineText(k));
    }
    line->setSelected(false);
    ClueList->viewport()->update(ClueList->visualItemRect(line));
    // Nor does a screen reader hear of it from the model.
    vlq::announceClueLine(ClueList, k - 1);
}

void TVlqGameClueForm::ClueListClick(QObject* sender) {
    const QList<QListWidgetItem*> selected = ClueList->selectedItems();
    if (selected.isEmpty()) return;
    const int k = ClueList->row(selected.first()) + 1;
    if (sender && sender == static_cast<QObject*>(game().gridForm)) {
        PuzzleViews::clueChosen(k, GridLetterIndex, PuzzleViews::ChosenIn::Square);
        return;
    }
    try {
        const int cursor = TVlqProcs::ReadSetting(VlqSetting::SolveHLOn);
        PuzzleViews::clueChosen(k, cursor, PuzzleViews::ChosenIn::ClueList);
    } catch (const std::exception& e) {
        // The clue is chosen all the same; the answer window stays as it is.
        PuzzleViews::clueChosen(k, std::nullopt, PuzzleViews::ChosenIn::ClueList);
        vlq::reportError(e);
    }
}

void TVlqGameClueForm::ClearSelection() {
    const QSignalBlocker block(ClueList);
    ClueList->clearSelection();
}
