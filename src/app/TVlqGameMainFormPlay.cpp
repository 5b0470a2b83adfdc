// Reveals and scoring from the toolbar and the Options menu.
//
// Reveals never touch the record themselves: they feed the reveal key to
// the entry surface the player is using, the answer window when it shows,
// else the quotation grid, whose key rules fill the letter, set the cheated
// and modified flags and move the cursor on.
#include "TVlqGameMainForm.h"

#include <QAction>
#include <QDir>
#include <QPointer>
#include <QToolButton>

#include "PuzzleViews.h"
#include "game/GameContext.h"
#include "game/LetterHistory.h"
#include "game/ProgressKeeper.h"
#include "game/PlayerLetters.h"
#include "TScoreForm.h"
#include "game/TVlqProcs.h"
#include "VlqApplication.h"
#include "game/SettingsTable.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqSolveForm.h"

namespace {

const QChar kRevealKey(u'+');

// Collects the letters a reveal puts in while it lives; at its end a
// screen reader hears them ("revealed S T A R").
class RevealedLetters {
public:
    RevealedLetters() {
        connection_ = QObject::connect(&playerLetters(), &PlayerLetters::letterChanged, [this](vlq::Square at) {
            const std::uint8_t e = game().puzzle.entry(at.col, at.row);
            if (e > ' ' && e < 127) letters_ += QStringLiteral(" ") + QLatin1Char(char(e));
        });
    }
    ~RevealedLetters() {
        QObject::disconnect(connection_);
        if (!letters_.isEmpty()) PuzzleViews::say(QStringLiteral("revealed") + letters_);
    }
    RevealedLetters(const RevealedLetters&) = delete;
    RevealedLetters& operator=(const RevealedLetters&) = delete;

private:
    QMetaObject::Connection connection_;
    QString letters_;
};

// The answer window when it is on screen, else null.
TVlqSolveForm* shownAnswerWindow() {
    TVlqSolveForm* f = game().solveForm;
    return f && f->isVisible() ? f : nullptr;
}

} // namespace

// LetterBtn and WordBtn pressed: the answer window keeps (or gets) the
// keyboard, so the player can type on after the reveal.
void TVlqGameMainForm::LetterBtnMouseDown() {
    guarded([] {
        if (TVlqSolveForm* f = shownAnswerWindow()) {
            f->activateWindow();
            f->setFocus();
        }
    });
}

void TVlqGameMainForm::LetterBtnClick() {
    guarded([] {
        const RevealedLetters heard;
        if (TVlqSolveForm* f = shownAnswerWindow()) f->FormKeyPress(kRevealKey);
        else if (TVlqGameGridForm* g = game().gridForm) g->FormKeyPress(kRevealKey);
    });
}

// The rest of the word. Each reveal key moves the cursor one square on; the
// loops also stop when a key makes no progress, so a surface that refuses
// the key can never hang the program.
void TVlqGameMainForm::WordBtnClick() {
    guarded([] {
        const LetterHistory::Step step; // the word is one step back
        const RevealedLetters heard;
        if (TVlqSolveForm* f = shownAnswerWindow()) {
            const QPointer<TVlqSolveForm> alive(f);
            while (alive && f->AnswerCursor < f->answerLength()) {
                const int before = f->AnswerCursor;
                f->FormKeyPress(kRevealKey);
                if (!alive || f->AnswerCursor <= before) break;
            }
            return;
        }
        TVlqGameGridForm* g = game().gridForm;
        if (!g) return;
        const QPointer<TVlqGameGridForm> alive(g);
        // One key even without a current square (the grid ignores it); then
        // on until the grid's advance leaves the word. A word is at most
        // every square of the grid.
        const int most = vlq::kMaxCols * vlq::kMaxRows;
        for (int i = 0; i < most && alive; ++i) {
            const auto before = g->currentSquare();
            g->FormKeyPress(kRevealKey);
            if (!alive || !g->currentSquare() || g->currentSquare() == before) break;
        }
    });
}

// Held down: the whole solution in grey over the grid and the strip; the
// grid sets the cheated flag. Released: a repaint wipes the grey letters.
void TVlqGameMainForm::CheatBtnMouseDown() {
    guarded([] { PuzzleViews::solutionShown(true); });
}

void TVlqGameMainForm::CheatBtnMouseUp() {
    guarded([] { PuzzleViews::solutionShown(false); });
}

void TVlqGameMainForm::ScoreBtnClick() {
    guarded([this] {
        GameContext& gc = game();
        TScoreForm* card = gc.scoreForm;
        if (!card || !gc.gridForm) return;

        PuzzleViews::scoringStarts();

        const int result = card->ShowModal();
        switch (result) {
        case TScoreForm::Recycle:
            // The document windows stay, showing the recycled puzzle; the
            // puzzle commands stay off until another puzzle is opened. The
            // path is forgotten: letters typed into the windows left on
            // screen must not bring the file back when the program closes.
            if (!TVlqProcs::RecyclePuzzle(gc.currentPuzzlePath)) {
                // Nothing changes: the file, the open puzzle, its commands
                // and its recent entry stay as they were.
                TVlqProcs::ErrorBox(QStringLiteral("Cannot move the puzzle to the trash; it stays where it is:\n%1")
                                        .arg(QDir::toNativeSeparators(gc.currentPuzzlePath)));
                break;
            }
            EnablePuzzleCommands(false);
            gc.currentPuzzlePath.clear();
            TVlqProcs::WriteSetting(VlqSetting::CurrentPuzzle, QString());
            TVlqProcs::WriteSetting(VlqSetting::HistoryPuzzle1, QString());
            RebuildHistory();
            break;
        case TScoreForm::StartOver: {
            // A new history, whose first step (undoable) is the clearing.
            // Punctuation squares keep their apostrophe or hyphen, as the
            // repaint below would put it back anyway: a redone clearing
            // must not take it away.
            letterHistory().clear();
            vlq::PuzzleRecord& rec = gc.puzzle;
            {
                const LetterHistory::Step step;
                for (int r = 1; r <= rec.height(); ++r)
                    for (int c = 1; c <= rec.width(); ++c)
                        setPlayerLetter({c, r}, rec.isPunctuation(c, r) ? rec.solution(c, r) : 0, LetterCause::StartOver);
            }
            PuzzleViews::lettersReplaced();
            if (gc.progress) gc.progress->startedOver();
            // Saved at once, without the progress pulse. A failed save goes
            // to the general error report; clearing the grid does not set
            // the modified flag, but a cleared grid that could not be saved
            // is an unsaved change that Exit must still offer to keep.
            try {
                if (const QString notice = savePuzzleNow(true); !notice.isEmpty()) TVlqProcs::Inform(notice);
            } catch (...) {
                gc.modified = true;
                throw;
            }
            break;
        }
        case TScoreForm::ShowErrors:
            if (gc.gridForm) gc.gridForm->MarkErrors();
            break;
        default: // Cancel, the close box or Escape
            break;
        }
        PuzzleViews::scoringEnds(result == TScoreForm::ShowErrors);
    });
}
