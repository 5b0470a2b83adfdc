#include "PaneKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QShortcut>
#include <algorithm>

#include "PuzzleViews.h"
#include "game/GameContext.h"
#include "views/GridAccessible.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

PaneKeys::PaneKeys(QWidget* mainWindow) : QObject(mainWindow) {
    for (const auto& [keys, step] : {std::pair{QKeySequence(Qt::Key_F6), 1}, {QKeySequence(Qt::SHIFT | Qt::Key_F6), -1}}) {
        auto* shortcut = new QShortcut(keys, mainWindow);
        shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { cycle(step); });
    }
    if (game().solveForm) game().solveForm->installEventFilter(this);
}

void PaneKeys::cycle(int step) {
    const GameContext& g = game();
    if (!g.aids.keyboardFlow) return;
    QWidget* panes[] = {g.gridForm, g.titleForm, g.clueForm ? g.clueForm->ClueList : nullptr};
    const QWidget* focus = QApplication::focusWidget();
    int at = -1;
    for (int i = 0; i < 3; ++i)
        if (panes[i] && focus && (focus == panes[i] || panes[i]->isAncestorOf(focus))) at = i;
    // From outside the three (the answer window, nothing) the grid is next.
    for (int n = 1; n <= 3; ++n) {
        const int i = at < 0 ? (step > 0 ? n - 1 : 3 - n) : ((at + step * n) % 3 + 3) % 3;
        QWidget* pane = panes[i];
        if (!pane || !pane->isVisible()) continue;
        pane->window()->activateWindow();
        if (pane == g.gridForm) {
            PuzzleViews::focusGrid();
            return;
        }
        if (pane == g.titleForm) {
            pane->installEventFilter(this);
            if (g.currentClue < 1) PuzzleViews::clueChosen(1, std::nullopt, PuzzleViews::ChosenIn::Strip);
        }
        pane->setFocus(Qt::ShortcutFocusReason);
        vlq::announceCurrentSquare(pane);
        return;
    }
}

bool PaneKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !game().aids.keyboardFlow) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (watched == game().titleForm) return stripKey(key->key());
    if (watched == game().solveForm) return answerKey(key->key());
    return false;
}

// Cursor keys in the answer window.
bool PaneKeys::answerKey(int key) {
    TVlqSolveForm* solve = game().solveForm;
    const int n = solve->answerLength();
    const bool parked = solve->AnswerCursor < 0 || solve->AnswerCursor >= n;
    int to = solve->AnswerCursor;
    switch (key) {
    case Qt::Key_Left: to = parked ? n - 1 : std::max(0, to - 1); break;
    case Qt::Key_Right: to = parked ? 0 : std::min(n - 1, to + 1); break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = n - 1; break;
    default: return false;
    }
    if (n < 1) return true;
    solve->AnswerCursor = to;
    solve->SolveGrid->update();
    vlq::announceCurrentSquare(solve->SolveGrid);
    return true;
}

// Keys on the author-title strip.
bool PaneKeys::stripKey(int key) {
    TVlqGameTitleForm* title = game().titleForm;
    const int count = title->squareCount();
    int clue = std::clamp(game().currentClue, 1, std::max(1, count));
    switch (key) {
    case Qt::Key_Left: clue = std::max(1, clue - 1); break;
    case Qt::Key_Right: clue = std::min(count, clue + 1); break;
    case Qt::Key_Home: clue = 1; break;
    case Qt::Key_End: clue = count; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: title->chooseClue(clue); return true;
    default: return false;
    }
    if (count < 1 || clue == game().currentClue) return true;
    // The clue list's selection and the link tint follow the strip's square.
    PuzzleViews::clueChosen(clue, std::nullopt, PuzzleViews::ChosenIn::Strip);
    vlq::announceCurrentSquare(title);
    return true;
}
