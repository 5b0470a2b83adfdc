// The game's life around its puzzle: never trapped by a failed save on the
// way out, ended cleanly by the signals of a logout, offered the recovery
// copies a crash left behind, and handed the puzzle files of later starts.
#include "TVlqGameMainForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <exception>
#include <unistd.h>

#include "SingleInstance.h"
#include "VlqApplication.h"
#include "core/VlqError.h"
#include "game/ChoiceBox.h"
#include "game/GameContext.h"
#include "game/PuzzleLock.h"
#include "game/RecoveryCopy.h"
#include "game/TVlqProcs.h"
#include "game/PuzzleSave.h"
#include "services/HelpWindow.h"

namespace {

const QString kTitle = QString::fromLatin1(VlqApplication::Title);

// The text of the error being handled, as the general error report shows it.
QString currentErrorText() {
    QString text;
    try {
        throw;
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what()).trimmed();
    } catch (...) {
    }
    if (text.isEmpty()) text = QStringLiteral("Unexpected error");
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    return text;
}

QString puzzleName(const QString& path) { return QFileInfo(path).completeBaseName(); }

} // namespace

bool TVlqGameMainForm::leavePuzzle(const QString& leaveCaption) {
    GameContext& gc = game();
    if (gc.currentPuzzlePath.isEmpty()) return true;
    if (!gc.modified) {
        if (RecoveryCopy* copy = RecoveryCopy::instance()) copy->removeOwnCopy();
        return true;
    }
    QString reason;
    try {
        saveSilentlyWhenModified(true); // a file deleted or changed meanwhile: told where the letters went
        return true;
    } catch (...) {
        reason = currentErrorText();
    }
    enum { SaveCopy, Leave, Cancel };
    // Set once the recovery copy failed too (a full disk, a data folder
    // that takes no file): the player is then told the letters would go.
    bool noRecoveryCopy = false;
    for (;;) {
        // The file is named once: most reasons name it themselves.
        const QString file = QDir::toNativeSeparators(gc.currentPuzzlePath);
        const QString where = reason.contains(file) ? QString() : QStringLiteral(" to ") + file;
        const QString outcome =
            noRecoveryCopy ? QStringLiteral("No recovery copy of them could be kept either: going on without "
                                            "saving loses the letters typed since the last save.")
                           : QStringLiteral("You can save a copy of them elsewhere, or go on without saving: the "
                                            "letters are then kept as a recovery copy, offered when the game next "
                                            "starts.");
        const QString text = QStringLiteral("Your letters in \"%1\" could not be saved%2:\n\n%3\n\n%4 Cancel goes "
                                            "back to the puzzle.")
                                 .arg(puzzleName(gc.currentPuzzlePath), where, reason, outcome);
        const int choice = ChoiceBox::ask(kTitle, text, {QStringLiteral("Save a &Copy..."), leaveCaption, QStringLiteral("Cancel")},
                                          Cancel, Cancel);
        if (choice == Cancel) return false;
        if (choice == Leave) {
            RecoveryCopy* copy = RecoveryCopy::instance();
            if (noRecoveryCopy || !copy || copy->writeNow()) return true;
            noRecoveryCopy = true; // asked again, now knowing what is at stake
            continue;
        }
        const QString suggested = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                                  QLatin1Char('/') + puzzleName(gc.currentPuzzlePath) + QStringLiteral(" (copy).vlq");
        const QString target = ChoiceBox::askSavePath(QStringLiteral("Save a Copy"), suggested);
        if (target.isEmpty()) continue;
        try {
            TVlqProcs::WritePuzzleFile(target, gc.puzzle);
            // The letters are safe in the copy.
            RecoveryCopy::remove(gc.currentPuzzlePath);
            return true;
        } catch (...) {
            reason = QStringLiteral("The copy could not be saved to %1 either: %2")
                         .arg(QDir::toNativeSeparators(target), currentErrorText());
        }
    }
}

void TVlqGameMainForm::endOnSignal() {
    // A logout waits for no one: no progress pulse, no box. The letters go
    // to the puzzle file, or else to a recovery copy, and the game ends at
    // once, also from inside a modal window or a nested wait (which is why
    // it does not unwind through them).
    static bool ending = false;
    if (ending) return;
    ending = true;
    GameContext& gc = game();
    if (!gc.currentPuzzlePath.isEmpty()) {
        bool saved = !gc.modified;
        if (gc.modified) {
            try {
                saveOpenPuzzle(SaveRequest::Unasked); // never over another program's changes
                saved = true;
            } catch (...) {
            }
        }
        if (RecoveryCopy* copy = RecoveryCopy::instance()) {
            if (!saved) copy->writeNow();
            else copy->removeOwnCopy();
        }
    }
    openPuzzleLock().release();
    if (singleInstance_) singleInstance_->release();
    HelpWindow::closeIfCreated();
    ::_exit(0);
}

TVlqGameMainForm::RecoveryOutcome TVlqGameMainForm::offerRecoveryCopies(const QString& onlyFor, const QString& except) {
    RecoveryOutcome outcome = RecoveryOutcome::NoneWaiting;
    QList<RecoveryCopy::Found> offered;
    for (const RecoveryCopy::Found& found : RecoveryCopy::waiting()) {
        if ((!onlyFor.isEmpty() && found.puzzlePath != onlyFor) || found.puzzlePath == except) continue;
        // A game of this computer still playing that puzzle (in another
        // session) writes this copy itself: it is its own, not letters left
        // behind. Whether a holder elsewhere still runs cannot be told: its
        // copy is offered, and Recover then names the holder.
        const auto holder = PuzzleLock::otherHolder(found.puzzlePath);
        if (holder && holder->host == QSysInfo::machineHostName()) continue;
        offered << found;
    }
    // Several copies waiting: one question lists them all, and only Recover
    // goes on to ask about each.
    if (offered.size() > 1) {
        QString list;
        for (const RecoveryCopy::Found& found : offered)
            list += QStringLiteral("\n\"%1\" (%2), kept at %3")
                        .arg(puzzleName(found.puzzlePath), QDir::toNativeSeparators(found.puzzlePath),
                             QLocale().toString(found.written, QLocale::ShortFormat));
        enum { Each, DiscardAll, LaterAll };
        const int choice = ChoiceBox::ask(
            kTitle,
            QStringLiteral("Letters of %1 puzzles were not saved when the game last ended; recovery copies of them "
                           "were kept:\n%2\n\nRecover asks about each in turn. Discard All deletes every copy. "
                           "Later keeps them all for the next start.")
                .arg(offered.size())
                .arg(list),
            {QStringLiteral("&Recover..."), QStringLiteral("&Discard All"), QStringLiteral("&Later")}, Each, LaterAll);
        if (choice == LaterAll) return RecoveryOutcome::Kept;
        if (choice == DiscardAll) {
            for (const RecoveryCopy::Found& found : offered) RecoveryCopy::remove(found.puzzlePath);
            return RecoveryOutcome::Discarded;
        }
    }
    for (const RecoveryCopy::Found& found : offered) {
        const QString when = QLocale().toString(found.written, QLocale::LongFormat);
        QString text = QStringLiteral("Letters of the puzzle \"%1\" (%2) were not saved when the game last "
                                      "ended. A recovery copy of them was kept at %3.\n\nRecover them?")
                           .arg(puzzleName(found.puzzlePath), QDir::toNativeSeparators(found.puzzlePath), when);
        if (!onlyFor.isEmpty()) text += QStringLiteral(" Later leaves the puzzle closed and keeps them.");
        enum { Recover, Discard, Later };
        const int choice = ChoiceBox::ask(kTitle, text, {QStringLiteral("&Recover"), QStringLiteral("&Discard"), QStringLiteral("&Later")},
                                          Recover, Later);
        if (choice == Discard) RecoveryCopy::remove(found.puzzlePath);
        outcome = choice == Discard ? RecoveryOutcome::Discarded : RecoveryOutcome::Kept;
        if (choice != Recover) continue;
        // The recovered puzzle replaces the open one as any opening does.
        if (onlyFor.isEmpty() && !leavePuzzle(QStringLiteral("&Recover Without Saving"))) return outcome;
        if (!mayOpenHeldPuzzle(found.puzzlePath)) return outcome;
        // The copy must be readable, or nothing changes. Then the puzzle
        // file first, so what is known of it is its own (a puzzle file gone
        // or unreadable since is no reason to lose the letters); then the
        // whole record from the copy.
        try {
            TVlqProcs::ReadPuzzleFile(found.copyPath);
        } catch (const vlq::IoError&) {
            TVlqProcs::ErrorBox(QStringLiteral("The recovery copy %1 cannot be read: %2")
                                    .arg(QDir::toNativeSeparators(found.copyPath), currentErrorText()));
            outcome = RecoveryOutcome::NoneWaiting; // no letters to keep it for
            continue;
        }
        if (QFileInfo(found.puzzlePath).isFile()) {
            try {
                TVlqProcs::LoadPuzzle(found.puzzlePath);
            } catch (const vlq::IoError&) {
            }
        }
        PuzzleOnDisk puzzleFile = game().lastOnDisk;
        // The letters were typed over the file as it was then: when another
        // program has written it since (a sync from another computer, another
        // puzzle put in its place), a save finds it changed and asks, as it
        // does for an open puzzle. A copy of an older game tells only its time.
        const bool since = found.base ? *found.base != puzzleFile.bytes
                                      : QFileInfo(found.puzzlePath).lastModified() > found.written;
        if (puzzleFile.path == QFileInfo(found.puzzlePath).absoluteFilePath() && since) {
            puzzleFile.stamp = {};
            puzzleFile.bytes = found.base.value_or(std::string());
        }
        TVlqProcs::LoadPuzzle(found.copyPath); // read a moment ago
        game().lastOnDisk = puzzleFile; // a save checks the puzzle's file, not the copy's
        game().currentPuzzlePath = found.puzzlePath;
        game().modified = true; // unsaved changes, as before the game ended
        openPuzzleLock().take(found.puzzlePath);
        ShowPuzzle();
        return RecoveryOutcome::Recovered; // one puzzle open at a time; the others wait for the next start
    }
    return outcome;
}

bool TVlqGameMainForm::mayOpenHeldPuzzle(const QString& fullPath) {
    const auto holder = PuzzleLock::otherHolder(fullPath);
    if (!holder) return true;
    const QString who = holder->host.isEmpty() ? QStringLiteral("user %1").arg(holder->user)
                                                : QStringLiteral("user %1 on %2").arg(holder->user, holder->host);
    const QString text =
        QStringLiteral("\"%1\" is open in another Vorlaquince game (%2, since %3).\n\n"
                       "If both games save it, whichever saves last overwrites the other's letters.")
            .arg(puzzleName(fullPath), who, QLocale().toString(holder->since, QLocale::ShortFormat));
    return ChoiceBox::ask(kTitle, text, {QStringLiteral("Open Anyway"), QStringLiteral("Cancel")}, 1, 1) == 0;
}

void TVlqGameMainForm::attachSingleInstance(SingleInstance* instance) {
    singleInstance_ = instance;
    connect(instance, &SingleInstance::requested, this, [this](const QStringList& paths) {
        pendingOpens_ += paths;
        pendingRaise_ = true;
        servePendingOpens();
    });
}

void TVlqGameMainForm::servePendingOpens() {
    if (!pendingRaise_) return;
    // Never in the middle of a modal window, a question or a nested wait
    // (a save's progress pulse): try again shortly.
    if (QApplication::activeModalWidget() || QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(200, this, [this] { servePendingOpens(); });
        return;
    }
    pendingRaise_ = false;
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    while (!pendingOpens_.isEmpty()) {
        const QString path = pendingOpens_.takeFirst();
        guarded([this, path] { OpenPuzzleFile(path); });
    }
}
