// Opening, saving, reverting and the recent-puzzle list of the main window.
#include "TVlqGameMainForm.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "PuzzleViews.h"
#include "game/GameContext.h"
#include "game/ProgressKeeper.h"
#include "game/PuzzleLock.h"
#include "game/RecoveryCopy.h"
#include "game/PuzzleSave.h"
#include "game/RecordText.h"
#include "game/TVlqProcs.h"
#include "VlqApplication.h"

#include "core/RecentList.h"
#include "core/VlqError.h"
#include "game/SettingsTable.h"

#include "platform/Maximize.h"
#include "platform/TSoundFX.h"
#include "services/PuzzleImport.h"
#include "services/TVlqDlgForm.h"
#include "views/TGameClockForm.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

namespace {

const QString kNotVlq = QStringLiteral("Puzzle not in Vorlaquince format or is corrupt.");
const QString kNotFound = QStringLiteral("Unable to locate this puzzle from path in history list.");

} // namespace

// --- commands ------------------------------------------------------------------

void TVlqGameMainForm::Solve1Click() {
    guarded([this] {
        QString path;
        {
            TVlqDlgForm dialog(this);
            if (dialog.exec() != QDialog::Accepted) return;
            path = dialog.chosenPath();
        }
        OpenPuzzleFile(path);
    });
}

bool TVlqGameMainForm::OpenPuzzleFile(const QString& path) {
    if (!isForeignPuzzleFile(path)) return openPuzzle(path, false);
    // Another program's acrostic opens as its .vlq in the puzzle folder.
    const ImportedPuzzle imported = importIntoPuzzleFolder(path);
    if (imported.path.isEmpty()) {
        TVlqProcs::ErrorBox(imported.error);
        return false;
    }
    return openPuzzle(imported.path, false);
}

void TVlqGameMainForm::HistoryClick(int number) {
    guarded([this, number] {
        if (number < 1 || number > 3) return;
        const QString entry = TVlqProcs::ReadSetting(VlqSetting::HistoryPuzzle[number - 1]);
        const QString path = QString::fromStdString(vlq::historyPath(entry.toStdString()));
        if (path == game().currentPuzzlePath) return; // the open puzzle: no re-read
        openPuzzle(path, true);
    });
}

bool TVlqGameMainForm::openPuzzle(const QString& path, bool fromHistory) {
    const QFileInfo info(path);
    const QString fullPath = info.absoluteFilePath();
    // A player's letters are never dropped without a word: the open puzzle
    // is saved first; when that fails the error is shown and the player
    // chooses whether to go on without saving (keeping a recovery copy).
    try {
        saveSilentlyWhenModified(true);
    } catch (...) {
        reportCurrentException();
        if (!TVlqProcs::Question(QStringLiteral("Open \"%1\" without saving the open puzzle? Its letters are kept "
                                                "as a recovery copy, offered when the game next starts.")
                                     .arg(info.completeBaseName())))
            return false;
        RecoveryCopy* copy = RecoveryCopy::instance();
        if (copy && !copy->writeNow() &&
            !TVlqProcs::Question(QStringLiteral("No recovery copy of the open puzzle's letters could be kept either: "
                                                "opening \"%1\" loses the letters typed since the last save. Open "
                                                "it anyway?")
                                     .arg(info.completeBaseName())))
            return false;
    }
    // Letters an earlier game left of this puzzle are offered first: the
    // saved puzzle opened over them would soon put new letters in their copy.
    switch (offerRecoveryCopies(fullPath)) {
    case RecoveryOutcome::Recovered: return true;
    case RecoveryOutcome::Kept: return false;
    default: break;
    }
    if (!mayOpenHeldPuzzle(fullPath)) return false;
    QString opened = fullPath;
    QString otherLetters; // told once the copy is open
    try {
        if (fromHistory && !QDir::setCurrent(info.absolutePath())) throw vlq::IoError(3, "Path not found");
        if (info.isFile() && !info.isWritable()) {
            // A puzzle the player may not write keeps its letters in a copy
            // in the puzzle folder, as another program's puzzle does.
            const vlq::PuzzleRecord own = TVlqProcs::ReadPuzzleFile(fullPath);
            const ImportedPuzzle kept = keepReadOnlyPuzzle(fullPath, own);
            if (kept.path.isEmpty()) {
                TVlqProcs::ErrorBox(kept.error);
                return false;
            }
            opened = QFileInfo(kept.path).absoluteFilePath();
            // Letters of the file's own that the copy does not hold are
            // never dropped without a word.
            if (opened != fullPath) {
                const vlq::PuzzleRecord copy = TVlqProcs::ReadPuzzleFile(opened);
                bool lacks = false;
                for (int r = 1; r <= own.height() && !lacks; ++r)
                    for (int c = 1; c <= own.width() && !lacks; ++c)
                        lacks = own.entry(c, r) >= 'A' && own.entry(c, r) <= 'Z' && copy.entry(c, r) != own.entry(c, r);
                if (lacks)
                    otherLetters = QStringLiteral("This puzzle file is read-only, so your letters are kept in a "
                                                  "copy, which is open now:\n%1\n\nThe read-only file holds letters "
                                                  "the copy lacks; they are not shown:\n%2")
                                       .arg(QDir::toNativeSeparators(opened), QDir::toNativeSeparators(fullPath));
            }
        }
        TVlqProcs::LoadPuzzle(opened);
    } catch (const vlq::IoError&) {
        // A name whose bytes are no UTF-8 text cannot be handed back to the
        // system as it is; a file the player may not read is not called
        // corrupt either: each may be a sound puzzle, not one to throw away.
        if (fullPath.contains(QChar::ReplacementCharacter))
            TVlqProcs::ErrorBox(QStringLiteral("The name of this puzzle file holds bytes that are not UTF-8 text, "
                                               "so the game cannot open it under that name. Rename the file and "
                                               "open it again:\n%1")
                                    .arg(QDir::toNativeSeparators(fullPath)));
        else if (info.isFile() && !info.isReadable())
            TVlqProcs::ErrorBox(QStringLiteral("You do not have permission to read this puzzle file:\n%1")
                                    .arg(QDir::toNativeSeparators(fullPath)));
        else
            TVlqProcs::ErrorBox(fromHistory && !info.exists() ? kNotFound : kNotVlq);
        return false;
    }
    // A copy still to be written belongs to the puzzle being left.
    if (RecoveryCopy* copy = RecoveryCopy::instance()) copy->dropPending();
    game().currentPuzzlePath = opened;
    game().modified = false;
    openPuzzleLock().take(opened);
    ShowPuzzle();
    if (!otherLetters.isEmpty()) TVlqProcs::Inform(otherLetters);
    return true;
}

void TVlqGameMainForm::Save1Click() {
    guarded([this] {
        if (game().currentPuzzlePath.isEmpty()) return;
        PulseProgress();
        const QString notice = savePuzzleNow(true);
        if (!notice.isEmpty()) TVlqProcs::Inform(notice);
    });
}

void TVlqGameMainForm::saveSilentlyWhenModified(bool tellPlayer) {
    if (!game().modified || game().currentPuzzlePath.isEmpty()) return;
    PulseProgress();
    const QString notice = savePuzzleNow(false);
    if (tellPlayer && !notice.isEmpty()) TVlqProcs::Inform(notice);
}

QString TVlqGameMainForm::savePuzzleNow(bool asked) {
    const SaveOutcome outcome = saveOpenPuzzle(asked ? SaveRequest::Asked : SaveRequest::Unasked);
    // The copy holds the letters: a settings store that refuses the new
    // path is reported on its own, never as a failed save.
    if (outcome.result == SaveOutcome::SavedAsCopy) guarded([this] { showPuzzlePath(); });
    if (outcome.result == SaveOutcome::TheirsLoaded) showReloadedPuzzle();
    return outcome.notice;
}

void TVlqGameMainForm::RevertToSaved1Click() {
    guarded([this] {
        if (game().currentPuzzlePath.isEmpty()) return;
        if (game().soundFX) {
            if (game().soundMode == 1) game().soundFX->PlayAttention();
            else if (game().soundMode > 1) game().soundFX->PlaySpokenPrompt();
        }
        if (!TVlqProcs::Question(QStringLiteral("Discard all recent changes and return to last saved puzzle?"))) return;
        try {
            TVlqProcs::LoadPuzzle(game().currentPuzzlePath);
        } catch (const vlq::IoError& e) {
            // A file whose contents could take the game outside the record
            // is a bad puzzle file, and said so as opening says it. Other
            // read errors keep their own text. The open puzzle stays as it is.
            if (e.code() != vlq::IoError::invalidFormat().code()) throw;
            TVlqProcs::ErrorBox(kNotVlq);
            return;
        }
        showReloadedPuzzle();
    });
}

namespace {

// A record less its letters: the grid, clues and byline the windows show.
QByteArray shapeOf(const vlq::PuzzleRecord& record) {
    QByteArray shape(reinterpret_cast<const char*>(record.bytes().data()), qsizetype(record.bytes().size()));
    shape.remove(qsizetype(vlq::offs::Entry), qsizetype(vlq::offs::SquareClue - vlq::offs::Entry));
    return shape;
}

} // namespace

void TVlqGameMainForm::showReloadedPuzzle() {
    // Another puzzle in the file (another program wrote it): new windows,
    // as opening it would give.
    if (shapeOf(game().puzzle) != shownShape_) {
        ShowPuzzle();
        TVlqProcs::LettersSafe(game().currentPuzzlePath);
        return;
    }
    PuzzleViews::puzzleReloaded();
    TVlqProcs::LettersSafe(game().currentPuzzlePath);
}

// --- puzzle state ------------------------------------------------------------

void TVlqGameMainForm::EnablePuzzleCommands(bool on) {
    for (QAction* a : {Save1, Print1, ScorePuzzle1, RevertToSaved1}) a->setEnabled(on);
    for (QToolButton* b : {SaveBtn, LetterBtn, WordBtn, CheatBtn, ScoreBtn, PrintBtn}) {
        b->setEnabled(on);
        setHintShown(b, on);
    }
}

void TVlqGameMainForm::ShowPuzzle() {
    if (!isMaximized()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // The client size is measured below once the window is maximized.
        vlq::showMaximizedAndWait(this);
        LogoPanel->hide();
        ToolBar1->show();
        for (QWidget* w : std::initializer_list<QWidget*>{OpenBtn, SaveBtn, Sep1, LetterBtn, WordBtn, CheatBtn, Sep4,
                                                           ScoreBtn, Sep2, ClockBtn, PrintBtn, DictBtn, Sep3, ExitBtn,
                                                           toolbarSpacer})
            w->show();
        PencilBtn->setVisible(game().aids.pencil);
        ShowClock1->setEnabled(true);
        AutoArrange1->setEnabled(true);
        const int menuHeight = menuBar()->isVisible() ? menuBar()->sizeHint().height() : 0;
        game().availableWidth = width();
        game().availableHeight = height() - menuHeight - ToolBar1->sizeHint().height() - 4;
        ProgBar->move((game().availableWidth - 100) / 2, 0);
    }
    EnablePuzzleCommands(true);

    // The answer window belongs to the old puzzle's clue: close it (which
    // clears the current clue) before the windows go.
    PuzzleViews::closeAnswerWindow();
    game().currentClue = 0;

    // New document windows for the new record; the old ones go, last first.
    const auto old = MdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = old.crbegin(); it != old.crend(); ++it) delete *it;
    new TVlqGameGridForm(MdiArea);
    new TVlqGameTitleForm(MdiArea);
    new TVlqGameClueForm(MdiArea);
    PuzzleViews::puzzleOpened();
    shownShape_ = shapeOf(game().puzzle);
    // A new puzzle starts a new count; a paused clock stays paused. A kept
    // time goes on from where this puzzle left it.
    if (game().clock && game().clock->isVisible() && !game().aids.keepTime) game().clock->ResetClock();
    if (game().progress) game().progress->puzzleOpened();

    showPuzzlePath();
}

void TVlqGameMainForm::showPuzzlePath() {
    if (auto* grid = game().gridForm) {
        QString name = QFileInfo(game().currentPuzzlePath).fileName();
        name.chop(4);
        const QString caption = name.toUpper() + QStringLiteral(" - by ") +
                                vlq::recordText(game().puzzle.byline());
        grid->setWindowTitle(caption);
        if (grid->subWindow()) grid->subWindow()->setWindowTitle(caption);
    }
    TVlqProcs::WriteSetting(VlqSetting::CurrentPuzzle, game().currentPuzzlePath);
    if (!game().currentPuzzlePath.isEmpty()) RebuildHistory();
}

void TVlqGameMainForm::RebuildHistory() {
    std::array<std::string, 3> stored;
    for (std::size_t i = 0; i < stored.size(); ++i)
        stored[i] = TVlqProcs::ReadSetting(VlqSetting::HistoryPuzzle[i]).toStdString();
    const auto entries = vlq::recentEntries(TVlqProcs::ReadSetting(VlqSetting::CurrentPuzzle).toStdString(),
                                            Save1->isEnabled(), stored);

    for (QAction* a : History) a->setVisible(false);
    int shown = 0;
    for (const std::string& entry : entries) {
        QAction* item = History[shown];
        ++shown;
        // Upper-cased as the grid's caption is, beyond ASCII too ("CAFÉ").
        item->setText(QString::fromStdString(vlq::recentCaption(shown, entry)).toUpper());
        item->setIcon(QIcon(toolImage(0)));
        item->setVisible(true);
        recentSeparator->setVisible(true);
        TVlqProcs::WriteSetting(VlqSetting::HistoryPuzzle[shown - 1], QString::fromStdString(entry));
        if (shown == 3) break;
    }
}

void TVlqGameMainForm::PulseProgress(const QString& doing) {
    ProgBar->setAccessibleName(doing);
    ProgBar->setValue(0);
    ProgBar->show();
    ProgBar->raise();
    for (int i = 0; i < 100; ++i) ProgBar->setValue(ProgBar->value() + 1);
    TVlqProcs::Delay(750);
    ProgBar->hide();
}

// --- puzzle files dropped on the window ---------------------------------------

static QString droppedPuzzle(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && (url.toLocalFile().endsWith(QStringLiteral(".vlq"), Qt::CaseInsensitive) ||
                                  isForeignPuzzleFile(url.toLocalFile())))
            return url.toLocalFile();
    return {};
}

void TVlqGameMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedPuzzle(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TVlqGameMainForm::dropEvent(QDropEvent* event) {
    const QString path = droppedPuzzle(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop is over, so the drag source is not kept waiting.
    QTimer::singleShot(0, this, [this, path] { guarded([this, path] { OpenPuzzleFile(path); }); });
}
