// The quotation grid's side of two solving aids: the keyboard flow (the
// cursor moved by arrows, Home, End and Tab, typing running on into the
// next word, Backspace erasing) and the linked squares (the answer of the
// current square or clue tinted in the grid, its clue line and its
// author-title square marked). The moves themselves are rules in core.
#include <QKeyEvent>
#include <algorithm>

#include "TVlqGameGridForm.h"
#include "app/PuzzleViews.h"
#include "core/PuzzleRules.h"
#include "game/GameContext.h"

bool TVlqGameGridForm::flowKey(QKeyEvent* e) {
    const vlq::PuzzleRecord& r = game().puzzle;
    // Ctrl+Enter: the current square's clue in the answer window, as a
    // right click on the square gives it.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() & Qt::ControlModifier) {
        if (current_) SelectSquareClue(current_->col, current_->row);
        return true;
    }
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods != Qt::NoModifier) return false;
    if (!current_) {
        // Without a current square any move starts at the first empty one.
        switch (e->key()) {
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
        case Qt::Key_Home: case Qt::Key_End: case Qt::Key_Tab: case Qt::Key_Backtab:
            if (const auto first = vlq::firstEmptySquare(r)) selectSquare(*first);
            return true;
        default: return false;
        }
    }
    const vlq::Square at = *current_;
    switch (e->key()) {
    case Qt::Key_Left: selectSquare(vlq::arrowMove(r, at, -1, 0)); return true;
    case Qt::Key_Right: selectSquare(vlq::arrowMove(r, at, 1, 0)); return true;
    case Qt::Key_Up: selectSquare(vlq::arrowMove(r, at, 0, -1)); return true;
    case Qt::Key_Down: selectSquare(vlq::arrowMove(r, at, 0, 1)); return true;
    case Qt::Key_Home: selectSquare(vlq::rowStart(r, at)); return true;
    case Qt::Key_End: selectSquare(vlq::rowEnd(r, at)); return true;
    case Qt::Key_Tab:
        selectSquare(e->modifiers() & Qt::ShiftModifier ? vlq::previousWord(r, at) : vlq::nextWord(r, at));
        return true;
    case Qt::Key_Backtab: selectSquare(vlq::previousWord(r, at)); return true;
    case Qt::Key_Backspace: {
        // The letter before the cursor goes; the cursor stays on its square.
        // Written as a typed space is, so it reaches every view.
        const auto before = vlq::runBack(r, at);
        if (!before) return true;
        selectSquare(*before);
        TypeKey(QLatin1Char(' '));
        selectSquare(*before);
        return true;
    }
    default: return false;
    }
}

void TVlqGameGridForm::flowAdvance(vlq::Square at) {
    const auto next = vlq::runOn(game().puzzle, at);
    const std::vector<vlq::Square> run = vlq::wordRun(game().puzzle, at);
    current_ = next ? *next : at;
    const auto inRun = next ? std::find(run.begin(), run.end(), *next) : run.end();
    if (inRun != run.end()) {
        // On in the same word: only the squares stepped over leave the run.
        for (auto q = run.begin(); q != inRun; ++q) drawSquare(q->col, q->row);
    } else if (next) {
        // Into the next word: the old run loses its yellow, the new one gains it.
        PaintRun(at);
        PaintRun(*next);
    }
    followLink();
}

int TVlqGameGridForm::linkedClue() {
    const GameContext& g = game();
    if (!g.aids.linkedTint) return 0;
    if (g.gridForm && g.gridForm->current_) return vlq::linkedPlaces(g.puzzle, *g.gridForm->current_).clue;
    return g.currentClue;
}

void TVlqGameGridForm::followLink() {
    const int now = linkedClue();
    const int was = linkedClue_;
    if (now == was) return;
    linkedClue_ = now;
    const vlq::PuzzleRecord& r = game().puzzle;
    for (const int k : {was, now})
        for (const vlq::Square& q : vlq::answerSquares(r, k)) requestSquare(q.col, q.row);
    PuzzleViews::linkChanged(was, now);
}
