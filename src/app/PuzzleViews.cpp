#include "PuzzleViews.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalBlocker>
#include <QTimer>

#include "core/PuzzleRules.h"
#include "game/GameContext.h"
#include "views/GridAccessible.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

namespace PuzzleViews {

namespace {

// The answer window when it is on screen, else null.
TVlqSolveForm* shownAnswerWindow() {
    TVlqSolveForm* f = game().solveForm;
    return f && f->isVisible() ? f : nullptr;
}

} // namespace

void puzzleOpened() {
    focusGrid();
    // The windows of the old puzzle went while the grid was being made;
    // where the keyboard landed meanwhile (and what a screen reader heard
    // last) is settled once the event loop has caught up with them.
    if (TVlqGameGridForm* grid = game().gridForm) QTimer::singleShot(0, grid, [] { focusGrid(); });
}

void puzzleReloaded() {
    GameContext& g = game();
    // The answer window shows the old letters of a clue that is no longer
    // current: it closes, as it does when another puzzle opens.
    closeAnswerWindow();
    if (g.gridForm) {
        g.gridForm->ClearCursor();
        g.gridForm->FullRepaint();
    }
    if (g.clueForm) {
        g.clueForm->ClearSelection();
        g.clueForm->FillList();
    }
    if (g.titleForm) {
        clueCleared();
        g.titleForm->FullRepaint();
    }
    focusGrid();
}

void lettersReplaced() {
    GameContext& g = game();
    if (g.gridForm) g.gridForm->FullRepaint();
    if (g.titleForm) g.titleForm->FullRepaint();
    if (g.clueForm) g.clueForm->FillList();
}

void letterChanged(vlq::Square at, From from) {
    GameContext& g = game();
    const auto [k, j] = vlq::letterPlace(g.puzzle, at);
    if (g.gridForm && g.puzzle.inGrid(at.col, at.row)) {
        // The answer window's square keeps the blank colour inside the
        // grid's yellow run: it is no longer the one the player is at.
        if (from == From::Answer) g.gridForm->PaintSquare(at.col, at.row);
        else if (from == From::Elsewhere) g.gridForm->refreshSquare(at.col, at.row);
    }
    if (k == 0) return;
    if (j == 1 && g.titleForm) g.titleForm->update();
    if (from != From::Answer)
        if (TVlqSolveForm* f = shownAnswerWindow(); f && g.currentClue == k) f->SolveGrid->update(f->stripSquare(j - 1));
    clueLineChanged(k);
}

void clueLineChanged(int k) {
    if (game().clueForm && k >= 1 && k <= vlq::kMaxClues) game().clueForm->RefreshClueLine(k);
}

void revealed() {
    if (game().gridForm) game().gridForm->setCheated(true);
}

void clueChosen(int k, std::optional<int> answerCursor, ChosenIn where) {
    GameContext& g = game();
    g.currentClue = k;
    const bool fromList = where == ChosenIn::ClueList || where == ChosenIn::Square;
    if (fromList && g.gridForm) g.gridForm->ClearCursor();
    if (g.gridForm) g.gridForm->followLink();
    if (!fromList && g.clueForm) g.clueForm->FillList();
    if (answerCursor && g.aids.keyboardFlow && (where == ChosenIn::ClueList || where == ChosenIn::Strip))
        answerCursor = vlq::firstEmptyLetter(g.puzzle, k);
    if (g.titleForm) g.titleForm->update();
    if (!answerCursor || !g.solveForm) return;
    // Anything outside the strip's own range parks the cursor.
    g.solveForm->AnswerCursor = (*answerCursor >= 0 && *answerCursor <= 31) ? *answerCursor : 31;
    g.solveForm->OpenOnClue();
}

void squareClueChosen(vlq::Square at) {
    GameContext& g = game();
    const auto [k, j] = vlq::letterPlace(g.puzzle, at);
    TVlqGameClueForm* clues = g.clueForm;
    if (k == 0 || !clues) return;
    clues->GridLetterIndex = j - 1;
    if (clues->ClueList) {
        // Selected here on purpose; the list's own reaction to a selection
        // must not run in addition to the call below.
        const QSignalBlocker quiet(clues->ClueList);
        clues->ClueList->setCurrentRow(k - 1);
    }
    clues->ClueListClick(g.gridForm);
}

void answerWindowClosed() {
    clueCleared();
    if (game().aids.keyboardFlow) focusGrid();
}

void scoringEnds(bool errorsShown) {
    if (game().aids.keyboardFlow) focusGrid(!errorsShown);
}

void clueCleared() {
    GameContext& g = game();
    if (g.currentClue == 0) return;
    g.currentClue = 0;
    if (g.titleForm) g.titleForm->update();
    if (g.gridForm) g.gridForm->followLink();
    // Keyboard flow: the list marks no clue once none is current.
    if (g.aids.keyboardFlow && g.clueForm) g.clueForm->ClearSelection();
}

void linkChanged(int was, int now) {
    GameContext& g = game();
    for (const int k : {was, now}) {
        if (k < 1 || !g.clueForm) continue;
        QListWidget* list = g.clueForm->ClueList;
        if (QListWidgetItem* line = list->item(k - 1)) list->viewport()->update(list->visualItemRect(line));
    }
    if (g.titleForm) g.titleForm->update();
}

void closeAnswerWindow() {
    if (TVlqSolveForm* f = shownAnswerWindow()) f->close();
}

void scoringStarts() {
    GameContext& g = game();
    closeAnswerWindow();
    if (g.gridForm) g.gridForm->ClearCursor();
    clueCleared();
    if (g.clueForm) g.clueForm->ClearSelection();
}

void solutionShown(bool on) {
    GameContext& g = game();
    if (on) {
        if (g.gridForm) g.gridForm->ShowSolution();
        if (g.titleForm) g.titleForm->ShowSolution();
    } else {
        if (g.gridForm) g.gridForm->FullRepaint();
        if (g.titleForm) g.titleForm->FullRepaint();
    }
}

void markSquare(vlq::Square at, const QColor& fill) {
    if (game().gridForm && game().puzzle.inGrid(at.col, at.row)) game().gridForm->MarkSquare(at.col, at.row, fill);
}

void cursorTo(vlq::Square at) {
    GameContext& g = game();
    const auto [k, j] = vlq::letterPlace(g.puzzle, at);
    if (TVlqSolveForm* f = shownAnswerWindow(); f && k != 0 && k == g.currentClue) {
        f->AnswerCursor = j - 1;
        f->SolveGrid->update();
        vlq::announceCurrentSquare(f->SolveGrid);
        return;
    }
    if (g.gridForm) g.gridForm->selectSquare(at);
}

void say(const QString& note) {
    if (TVlqSolveForm* f = shownAnswerWindow()) vlq::announceNote(f->SolveGrid, note);
    else if (game().gridForm) vlq::announceNote(game().gridForm, note);
}

void focusGrid(bool withSquare) {
    GameContext& g = game();
    TVlqGameGridForm* grid = g.gridForm;
    if (!grid) return;
    if (g.aids.keyboardFlow && withSquare && !grid->currentSquare())
        if (const auto first = vlq::firstEmptySquare(g.puzzle)) grid->selectSquare(*first);
    if (QMdiSubWindow* sub = grid->subWindow(); sub && sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    grid->setFocus();
    vlq::announceCurrentSquare(grid);
}

} // namespace PuzzleViews
