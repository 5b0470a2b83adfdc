#include "services/PuzzleFigures.h"

#include <QDir>
#include <QFileInfo>

#include "core/PuzzleIdentity.h"
#include "core/PuzzleRules.h"
#include "game/RecordText.h"
#include "game/TVlqProcs.h"

namespace {

FileFigures readFigures(const QString& path, qint64 mtime, qint64 size) {
    FileFigures f;
    f.path = path;
    f.mtime = mtime;
    f.size = size;
    f.title = QFileInfo(path).completeBaseName();
    try {
        const vlq::PuzzleRecord rec = TVlqProcs::ReadPuzzleFile(path);
        const vlq::FillCount fill = vlq::fillCount(rec);
        f.identity = QString::fromStdString(vlq::puzzleIdentity(rec));
        f.author = vlq::recordText(rec.byline()); // the picker's side panel shows the byline
        f.width = rec.width();
        f.height = rec.height();
        f.clues = vlq::clueCount(rec);
        f.filled = fill.filled;
        f.total = fill.total;
    } catch (const std::exception&) {
        // No puzzle: cached as such, so it is not read again until it changes.
    }
    return f;
}

} // namespace

namespace vlq {

QList<PuzzleFigures> listPuzzleFigures(const QString& folder, const QStringList& files) {
    ProgressStore& store = ProgressStore::shared();
    const QHash<QString, FileFigures> cached = store.fileFigures();
    const QHash<QString, PuzzleProgress> progress = store.allProgress();
    const QDir dir(folder);
    QList<FileFigures> fresh;
    QList<PuzzleFigures> out;
    out.reserve(files.size());
    for (const QString& name : files) {
        const QFileInfo info(dir.filePath(name));
        const QString path = info.absoluteFilePath();
        const qint64 mtime = info.lastModified().toMSecsSinceEpoch();
        const qint64 size = info.size();
        const auto hit = cached.constFind(path);
        PuzzleFigures shown;
        if (hit != cached.cend() && hit->mtime == mtime && hit->size == size) {
            shown.file = *hit;
        } else {
            shown.file = readFigures(path, mtime, size);
            fresh.push_back(shown.file);
        }
        if (!shown.file.identity.isEmpty()) shown.progress = progress.value(shown.file.identity);
        out.push_back(shown);
    }
    if (!fresh.isEmpty()) store.storeFileFigures(fresh);
    return out;
}

QString figuresText(const PuzzleFigures& f) {
    if (f.file.identity.isEmpty()) return {};
    QStringList parts{QStringLiteral("%1 x %2").arg(f.file.width).arg(f.file.height),
                      QStringLiteral("%1 clues").arg(f.file.clues),
                      QStringLiteral("%1%").arg(f.file.total > 0 ? f.file.filled * 100 / f.file.total : 0)};
    if (f.progress.solvedAt.isValid()) parts << QStringLiteral("solved");
    if (f.progress.lastPlayed.isValid()) parts << f.progress.lastPlayed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd"));
    return parts.join(QStringLiteral("   "));
}

} // namespace vlq
