#include "RecoveryCopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "GameContext.h"
#include "core/FileAccess.h"
#include "core/PuzzleRecord.h"
#include "PlayerLetters.h"
#include "TVlqProcs.h"

namespace {

RecoveryCopy* theInstance = nullptr;

QString pathFileOf(const QString& copyPath) {
    QString p = copyPath;
    p.chop(4); // ".vlq"
    return p + QStringLiteral(".path");
}

// The puzzle's full path, as the copy is kept under it.
QString fullPathOf(const QString& puzzlePath) { return QFileInfo(puzzlePath).absoluteFilePath(); }

} // namespace

RecoveryCopy::RecoveryCopy(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, [this] { writeNow(); });
    connect(&playerLetters(), &PlayerLetters::letterChanged, this, [this] { schedule(); });
    theInstance = this;
}

RecoveryCopy::~RecoveryCopy() {
    if (theInstance == this) theInstance = nullptr;
}

RecoveryCopy* RecoveryCopy::instance() { return theInstance; }

QString RecoveryCopy::folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vorlaquince/recovery");
}

QString RecoveryCopy::copyPathOf(const QString& puzzlePath) {
    const QString full = fullPathOf(puzzlePath);
    const QByteArray hash = QCryptographicHash::hash(full.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    QString name = QFileInfo(full).completeBaseName();
    // Only the file name part may come from the puzzle; keep it short.
    name.truncate(80);
    return folder() + QLatin1Char('/') + name + QLatin1Char('-') + QString::fromLatin1(hash) + QStringLiteral(".vlq");
}

void RecoveryCopy::schedule() {
    // Not restarted by every key: a player typing on still gets a copy
    // within the delay of the first unsaved letter.
    if (!timer_.isActive()) timer_.start();
}

bool RecoveryCopy::writeNow() {
    timer_.stop();
    const QString puzzlePath = game().currentPuzzlePath;
    // A recycled puzzle has no path: its letters are given up.
    if (puzzlePath.isEmpty() || writing_) return false;
    writing_ = true;
    const QString copy = copyPathOf(puzzlePath);
    bool done = false;
    try {
        QDir().mkpath(folder());
        // The path file first: a record whose path file is missing could
        // never be offered back.
        QSaveFile pathFile(pathFileOf(copy));
        const QByteArray full = fullPathOf(puzzlePath).toUtf8();
        if (pathFile.open(QIODevice::WriteOnly) && pathFile.write(full) == full.size() && pathFile.commit()) {
            TVlqProcs::WritePuzzleFile(copy, game().puzzle);
            written_.insert(fullPathOf(puzzlePath));
            done = true;
        }
    } catch (...) {
        // Silent: the next change tries again.
    }
    writing_ = false;
    return done;
}

void RecoveryCopy::remove(const QString& puzzlePath) {
    if (puzzlePath.isEmpty()) return;
    if (theInstance && fullPathOf(puzzlePath) == fullPathOf(game().currentPuzzlePath)) theInstance->timer_.stop();
    const QString copy = copyPathOf(puzzlePath);
    QFile::remove(copy);
    QFile::remove(pathFileOf(copy));
    if (theInstance) theInstance->written_.remove(fullPathOf(puzzlePath));
}

void RecoveryCopy::removeOwnCopy() {
    timer_.stop();
    const QString puzzlePath = game().currentPuzzlePath;
    if (!puzzlePath.isEmpty() && written_.contains(fullPathOf(puzzlePath))) remove(puzzlePath);
}

namespace {

// Whether the puzzle file holds the copy's letters: a save since wrote them
// (or only the file's time changed), so the copy has done its work. A
// puzzle file changed or rewritten otherwise leaves the copy to be offered.
bool holdsLettersOf(const QString& puzzlePath, const QString& copyPath) {
    const auto puzzle = vlq::readRegularFile(QFile::encodeName(puzzlePath).toStdString(), vlq::kRecordSize);
    const auto copy = vlq::readRegularFile(QFile::encodeName(copyPath).toStdString(), vlq::kRecordSize);
    if (puzzle.fault != vlq::ReadFault::None || copy.fault != vlq::ReadFault::None ||
        puzzle.data.size() != vlq::kRecordSize || copy.data.size() != vlq::kRecordSize)
        return false;
    const std::size_t letters = vlq::offs::SquareClue - vlq::offs::Entry;
    return puzzle.data.compare(vlq::offs::Entry, letters, copy.data, vlq::offs::Entry, letters) == 0;
}

} // namespace

QList<RecoveryCopy::Found> RecoveryCopy::waiting() {
    QList<Found> found;
    const QDir dir(folder());
    for (const QFileInfo& pathInfo : dir.entryInfoList({QStringLiteral("*.path")}, QDir::Files, QDir::Time | QDir::Reversed)) {
        QString copyPath = pathInfo.absoluteFilePath();
        copyPath.chop(5);
        copyPath += QStringLiteral(".vlq");
        const QFileInfo copyInfo(copyPath);
        QFile pathFile(pathInfo.absoluteFilePath());
        QString puzzlePath;
        if (pathFile.open(QIODevice::ReadOnly)) puzzlePath = QString::fromUtf8(pathFile.read(4096)).trimmed();
        // A copy belongs to the puzzle whose path hashes to its name; a path
        // file that says otherwise is not ours to trust.
        if (!copyInfo.isFile() || puzzlePath.isEmpty() || QFileInfo(copyPathOf(puzzlePath)).fileName() != copyInfo.fileName()) {
            QFile::remove(pathInfo.absoluteFilePath());
            QFile::remove(copyPath);
            continue;
        }
        const QFileInfo puzzle(puzzlePath);
        if (puzzle.exists() && puzzle.lastModified() >= copyInfo.lastModified() &&
            holdsLettersOf(puzzlePath, copyPath)) {
            remove(puzzlePath); // saved since
            continue;
        }
        found << Found{puzzlePath, copyPath, copyInfo.lastModified()};
    }
    return found;
}
