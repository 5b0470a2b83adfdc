#include "PuzzleImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include "PuzzleFolder.h"
#include "core/FileAccess.h"
#include "core/ForeignFormats.h"
#include "core/VlqError.h"
#include "game/RecordText.h"
#include "game/TVlqProcs.h"
#include "game/WholeClues.h"

namespace {

// Same puzzle: Width, Height, Solution, and the ties between squares and
// answer letters (SquareClue, ClueSquares); Entry, clue texts and byline
// may differ.
bool samePuzzle(const std::string& file, const vlq::PuzzleRecord& rec) {
    if (file.size() < vlq::kRecordSize) return false;
    const auto* b = reinterpret_cast<const std::uint8_t*>(file.data());
    const auto& r = rec.bytes();
    return std::equal(r.begin(), r.begin() + vlq::offs::Entry, b) &&
           std::equal(r.begin() + vlq::offs::SquareClue, r.begin() + vlq::offs::Clues, b + vlq::offs::SquareClue);
}

std::string nativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Puts record into the folder as base.vlq, or the first "base (n).vlq" free
// or holding the same puzzle (which is then the one to open; with `fresh`
// only a free name will do). `skip` is a file never to be taken: the
// original the record came from. `shown` names that original in messages.
ImportedPuzzle placeInFolder(const vlq::PuzzleRecord& record, const QString& base, QString folder,
                             const QString& skip, const QString& shown, bool fresh = false) {
    const QString cannot = fresh ? QStringLiteral("Cannot save %1") : QStringLiteral("Cannot open %1");
    if (folder.isEmpty()) folder = puzzleFolderPath();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {{}, (cannot + QStringLiteral(": there is no puzzle folder to put it in.")).arg(shown)};
    for (int n = 1; n < 100; ++n) {
        const QString target = QDir(folder).filePath(
            (n == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(n)) + QStringLiteral(".vlq"));
        if (QFileInfo(target).absoluteFilePath() == QFileInfo(skip).absoluteFilePath()) continue;
        if (vlq::pathExists(nativePath(target)) || QFileInfo(target).isSymLink()) {
            // Read without blocking: a pipe of that name is no puzzle.
            const vlq::FileContents existing = vlq::readRegularFile(nativePath(target), vlq::kRecordSize);
            if (!fresh && existing.fault == vlq::ReadFault::None && samePuzzle(existing.data, record)) return {target, {}};
            continue;
        }
        try {
            // Written as a save is: a full disk leaves no cut file behind.
            TVlqProcs::WritePuzzleFile(target, record);
        } catch (const vlq::IoError& e) {
            return {{}, (cannot + QStringLiteral(": %2 cannot be written (%3).")).arg(shown, target, e.what())};
        }
        return {target, {}};
    }
    return {{}, (cannot + QStringLiteral(": the puzzle folder holds too many puzzles named %2.")).arg(shown, base)};
}

} // namespace

bool isForeignPuzzleFile(const QString& path) { return vlq::isForeignPuzzlePath(path.toStdString()); }

QString puzzleFileName(const QString& title, const QString& fallback) {
    QString name = title;
    name.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")), QStringLiteral(" "));
    // Invisible format characters (a right-to-left override, a zero-width
    // space) would hide or reverse part of the name, and of the caption
    // made from it.
    name.remove(QRegularExpression(QStringLiteral("\\p{Cf}")));
    name = name.simplified();
    while (name.startsWith(QLatin1Char('.'))) name.remove(0, 1);
    name = name.left(60).trimmed();
    while (name.endsWith(QLatin1Char('.'))) name.chop(1);
    return name.isEmpty() ? fallback : name;
}

ImportedPuzzle importIntoPuzzleFolder(const QString& foreignPath, QString folder) {
    const QFileInfo info(foreignPath);
    const QString shown = info.fileName();
    // Opened without blocking and read no further than the limit: a pipe or
    // a link to a device is refused at once.
    const vlq::FileContents file = vlq::readRegularFile(nativePath(foreignPath), vlq::kMaxForeignFileSize);
    if (file.fault == vlq::ReadFault::NotRegular)
        return {{}, QStringLiteral("Cannot open %1: it is not a regular file (a folder, pipe or device).").arg(shown)};
    if (file.fault != vlq::ReadFault::None) return {{}, QStringLiteral("Cannot read %1.").arg(shown)};
    if (file.longer) return {{}, QStringLiteral("Cannot open %1: the file is larger than 4 MiB.").arg(shown)};
    const vlq::ImportResult imported = vlq::importForeign(
        std::span(reinterpret_cast<const std::uint8_t*>(file.data.data()), file.data.size()),
        info.completeBaseName().toStdString());
    if (!imported.ok())
        return {{}, QStringLiteral("Cannot open %1: %2.").arg(shown, QString::fromStdString(imported.error))};
    const QString base = puzzleFileName(QString::fromStdString(imported.title), info.completeBaseName());
    const ImportedPuzzle placed = placeInFolder(imported.record, base, folder, {}, shown);
    if (!placed.path.isEmpty() && !imported.wholeClues.empty()) {
        // Kept under the puzzle as it lies in the folder: a file found there
        // holding the same puzzle may word its clues otherwise.
        QMap<int, QString> whole;
        for (const auto& [k, text] : imported.wholeClues) whole.insert(k, vlq::recordText(text));
        try {
            keepWholeClueTexts(TVlqProcs::ReadPuzzleFile(placed.path), whole);
        } catch (const std::exception&) {
            // Opening reports the file; the texts stay shortened.
        }
    }
    return placed;
}

ImportedPuzzle keepReadOnlyPuzzle(const QString& path, const vlq::PuzzleRecord& record, QString folder) {
    const QFileInfo info(path);
    return placeInFolder(record, puzzleFileName(info.completeBaseName(), QStringLiteral("Puzzle")), folder, path,
                         info.fileName());
}

ImportedPuzzle placeNewPuzzle(const vlq::PuzzleRecord& record, const QString& base, QString folder) {
    return placeInFolder(record, base, folder, {}, base, true);
}
