#include "PuzzleSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "ChoiceBox.h"
#include "GameContext.h"
#include "PuzzleLock.h"
#include "RecoveryCopy.h"
#include "TVlqProcs.h"
#include "core/FileAccess.h"
#include "core/VlqError.h"

namespace {

std::string nativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

OnDisk puzzleOnDisk(const QString& path) {
    PuzzleOnDisk& known = game().lastOnDisk;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (known.path.isEmpty() || known.path != absolute) return OnDisk::Unknown;
    const auto stamp = vlq::fileStamp(nativePath(absolute));
    if (!stamp) return vlq::pathExists(nativePath(QFileInfo(absolute).absolutePath())) ? OnDisk::Gone : OnDisk::Unknown;
    // The bytes are compared whatever the stamp says: a file system that
    // keeps whole seconds, or a program that puts the old time back, leaves
    // a changed file with the stamp it had.
    const vlq::FileContents now = vlq::readRegularFile(nativePath(absolute), vlq::kRecordSize);
    // Something the game cannot read is left to the write to report.
    if (now.fault != vlq::ReadFault::None) return OnDisk::Unknown;
    if (now.data != known.bytes || now.longer != known.longer) return OnDisk::Changed;
    known.stamp = now.stamp; // touched, or put back with the same bytes
    return OnDisk::AsKnown;
}

QString reserveCopyBeside(const QString& path) {
    const QFileInfo info(path);
    QString base = info.completeBaseName();
    base.remove(QRegularExpression(QStringLiteral(" \\(\\d+\\)$")));
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("vlq") : info.suffix();
    const QDir folder = info.absoluteDir();
    for (int n = 2; n < 1000; ++n) {
        const QString target = folder.filePath(QStringLiteral("%1 (%2).%3").arg(base).arg(n).arg(suffix));
        // A new, empty file takes the name, so a file that appears meanwhile
        // is never overwritten: the save replaces only this placeholder.
        QFile placeholder(target);
        if (!placeholder.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (vlq::pathExists(nativePath(target)) || QFileInfo(target).isSymLink()) continue;
            const vlq::IoError cause = folder.exists() ? vlq::IoError::accessDenied() : vlq::IoError(3, "Path not found");
            throw vlq::IoError(cause.code(), QStringLiteral("Cannot save a copy of the puzzle beside this file:\n%1\n%2")
                                                 .arg(shown(path), QString::fromLatin1(cause.what()))
                                                 .toStdString());
        }
        return target;
    }
    throw vlq::IoError::accessDenied();
}

SaveOutcome saveOpenPuzzle(SaveRequest request) {
    GameContext& gc = game();
    const QString path = gc.currentPuzzlePath;
    if (path.isEmpty()) return {};
    switch (puzzleOnDisk(path)) {
    case OnDisk::AsKnown:
    case OnDisk::Unknown:
        TVlqProcs::SavePuzzle(path);
        return {SaveOutcome::Saved, {}};
    case OnDisk::Gone:
        TVlqProcs::SavePuzzle(path);
        return {SaveOutcome::Saved,
                QStringLiteral("The file of this puzzle had been deleted or renamed. Your letters are saved again "
                               "in a new file at its place:\n%1")
                    .arg(shown(path))};
    case OnDisk::Changed:
        break;
    }

    enum { KeepBoth, Overwrite, LoadTheirs };
    int choice = KeepBoth;
    if (request == SaveRequest::Asked)
        choice = ChoiceBox::ask(
            QStringLiteral("Vorlaquince 6 Game"),
            QStringLiteral("Another program has changed the file of this puzzle since it was opened or saved:\n%1\n\n"
                           "Keep Both saves your letters in a copy beside it and goes on with the copy. Overwrite "
                           "replaces the other program's changes with your letters. Load Theirs drops your letters "
                           "and shows the file as it is now.")
                .arg(shown(path)),
            {QStringLiteral("Keep &Both"), QStringLiteral("&Overwrite"), QStringLiteral("&Load Theirs")}, KeepBoth,
            KeepBoth);
    if (choice == Overwrite) {
        TVlqProcs::SavePuzzle(path);
        return {SaveOutcome::Saved, {}};
    }
    if (choice == LoadTheirs) {
        try {
            TVlqProcs::LoadPuzzle(path);
        } catch (const vlq::IoError&) {
            TVlqProcs::ErrorBox(QStringLiteral("The changed file is not in Vorlaquince format or is corrupt: "
                                               "your letters stay open, unsaved.\n%1")
                                    .arg(shown(path)));
            return {};
        }
        TVlqProcs::LettersSafe(path);
        return {SaveOutcome::TheirsLoaded, {}};
    }
    const QString copy = reserveCopyBeside(path);
    try {
        TVlqProcs::SavePuzzle(copy);
    } catch (...) {
        QFile::remove(copy);
        throw;
    }
    gc.currentPuzzlePath = copy;
    // The letters are safe in the copy, which this game now holds.
    RecoveryCopy::remove(path);
    openPuzzleLock().take(copy);
    return {SaveOutcome::SavedAsCopy,
            request == SaveRequest::Asked
                ? QString()
                : QStringLiteral("Another program had changed the file of this puzzle:\n%1\n\nYour letters are saved "
                                 "in a copy beside it:\n%2")
                      .arg(shown(path), shown(copy))};
}
