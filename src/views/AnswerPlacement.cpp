#include "AnswerPlacement.h"

#include <QListWidget>
#include <QScreen>
#include <algorithm>

#include "ClueLineLabels.h"
#include "TVlqGameClueForm.h"
#include "TVlqSolveForm.h"
#include "core/AnswerPlace.h"
#include "game/GameContext.h"

namespace vlq {
namespace {

constexpr int kGap = 2;

Rect toRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// The text of the current clue's line on the screen; empty when it does not
// show in the list.
QRect clueLineOnScreen(const QListWidget& list, int k) {
    const QListWidgetItem* item = list.item(k - 1);
    if (!item) return {};
    QRect r = list.visualItemRect(item).intersected(list.viewport()->rect());
    // Labelled lines (an aid) are painted wider than their plain text.
    const int text = game().aids.squareLabels
                         ? labelledClueLineWidth(TVlqGameClueForm::kTextIndent, list.font(), k)
                         : TVlqGameClueForm::kTextIndent + list.fontMetrics().horizontalAdvance(item->text());
    r.setWidth(std::min(r.width(), text));
    if (r.isEmpty()) return {};
    return {list.viewport()->mapToGlobal(r.topLeft()), r.size()};
}

} // namespace

void keepClueLineClear(TVlqSolveForm& solve) {
    const GameContext& g = game();
    if (!g.aids.placeAnswer || !g.clueForm || !solve.isVisible() || !solve.screen()) return;
    QListWidget& list = *g.clueForm->ClueList;
    const int k = g.currentClue;
    if (k < 1 || k > list.count()) return;
    const Rect screen = toRect(solve.screen()->availableGeometry());
    const auto place = [&] {
        return placeClearOf(toRect(solve.frameGeometry()), toRect(clueLineOnScreen(list, k)), screen, kGap);
    };
    AnswerPlace p = place();
    // No room on the screen: the list moves the line to its top or its
    // bottom, whichever leaves it uncovered (the window may then fit beside
    // or above it after all).
    for (const auto hint : {QAbstractItemView::PositionAtTop, QAbstractItemView::PositionAtBottom}) {
        if (!p.scrollList) break;
        list.scrollToItem(list.item(k - 1), hint);
        p = place();
    }
    if (!p.scrollList) solve.moveFrameTo(QPoint(p.window.left, p.window.top));
}

} // namespace vlq
