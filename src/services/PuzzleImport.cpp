#include "PuzzleImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include "PuzzleFolder.h"
#include "core/ForeignFormats.h"
#include "core/VlqError.h"
#include "game/TVlqProcs.h"

namespace {

// Same puzzle: Width, Height, Solution, and the ties between squares and
// answer letters (SquareClue, ClueSquares); Entry, clue texts and byline
// may differ.
bool samePuzzle(const QByteArray& file, const vlq::PuzzleRecord& rec) {
    if (file.size() < static_cast<qsizetype>(vlq::kRecordSize)) return false;
    const auto* b = reinterpret_cast<const std::uint8_t*>(file.constData());
    const auto& r = rec.bytes();
    return std::equal(r.begin(), r.begin() + vlq::offs::Entry, b) &&
           std::equal(r.begin() + vlq::offs::SquareClue, r.begin() + vlq::offs::Clues, b + vlq::offs::SquareClue);
}

} // namespace

bool isForeignPuzzleFile(const QString& path) { return vlq::isForeignPuzzlePath(path.toStdString()); }

QString puzzleFileName(const QString& title, const QString& fallback) {
    QString name = title;
    name.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")), QStringLiteral(" "));
    name = name.simplified();
    while (name.startsWith(QLatin1Char('.'))) name.remove(0, 1);
    name = name.left(60).trimmed();
    while (name.endsWith(QLatin1Char('.'))) name.chop(1);
    return name.isEmpty() ? fallback : name;
}

ImportedPuzzle importIntoPuzzleFolder(const QString& foreignPath, QString folder) {
    const QFileInfo info(foreignPath);
    const QString shown = info.fileName();
    QFile file(foreignPath);
    if (!file.open(QIODevice::ReadOnly)) return {{}, QStringLiteral("Cannot read %1.").arg(shown)};
    if (file.size() > static_cast<qint64>(vlq::kMaxForeignFileSize))
        return {{}, QStringLiteral("Cannot open %1: the file is larger than 4 MiB.").arg(shown)};
    const QByteArray data = file.readAll();
    const vlq::ImportResult imported = vlq::importForeign(
        std::span(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())),
        info.completeBaseName().toStdString());
    if (!imported.ok())
        return {{}, QStringLiteral("Cannot open %1: %2.").arg(shown, QString::fromStdString(imported.error))};

    if (folder.isEmpty()) folder = puzzleFolderPath();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {{}, QStringLiteral("Cannot open %1: there is no puzzle folder to put it in.").arg(shown)};
    const QString base = puzzleFileName(QString::fromStdString(imported.title), info.completeBaseName());
    for (int n = 1; n < 100; ++n) {
        const QString target = QDir(folder).filePath(
            (n == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(n)) + QStringLiteral(".vlq"));
        QFile existing(target);
        if (existing.exists()) {
            if (existing.open(QIODevice::ReadOnly) && samePuzzle(existing.read(vlq::kRecordSize), imported.record))
                return {target, {}};
            continue;
        }
        try {
            // Written as a save is: a full disk leaves no cut file behind.
            TVlqProcs::WritePuzzleFile(target, imported.record);
        } catch (const vlq::IoError& e) {
            return {{}, QStringLiteral("Cannot open %1: %2 cannot be written (%3).").arg(shown, target, e.what())};
        }
        return {target, {}};
    }
    return {{}, QStringLiteral("Cannot open %1: the puzzle folder holds too many puzzles named %2.").arg(shown, base)};
}
