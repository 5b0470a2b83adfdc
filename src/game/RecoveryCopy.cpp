#include "RecoveryCopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "GameContext.h"
#include "core/FileAccess.h"
#include "core/PuzzleRecord.h"
#include "PlayerLetters.h"
#include "TVlqProcs.h"

namespace {

RecoveryCopy* theInstance = nullptr;

constexpr qint64 kLongestPath = 1 << 16; // bytes of a path file read

// A file beside the copy's record: its ".vlq" with another ending.
QString besideCopy(const QString& copyPath, const char* ending) {
    QString p = copyPath;
    p.chop(4); // ".vlq"
    return p + QLatin1String(ending);
}
QString pathFileOf(const QString& copyPath) { return besideCopy(copyPath, ".path"); }
QString baseFileOf(const QString& copyPath) { return besideCopy(copyPath, ".base"); }

// The puzzle's full path, as the copy is kept under it.
QString fullPathOf(const QString& puzzlePath) { return QFileInfo(puzzlePath).absoluteFilePath(); }

// The puzzle file as the game last read or wrote it, when it was this one
// (empty when not).
const std::string& baseOf(const QString& puzzlePath) {
    static const std::string none;
    const PuzzleOnDisk& known = game().lastOnDisk;
    return known.path == fullPathOf(puzzlePath) ? known.bytes : none;
}

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// The data home's folder of copies, made when missing: the copies hold the
// player's letters and the paths of their puzzles, so it is theirs alone.
void makeCopyFolder() {
    QDir().mkpath(RecoveryCopy::folder());
    QFile::setPermissions(RecoveryCopy::folder(), kOwnerOnly);
}

// The copy of a puzzle in one of the folders.
QString copyPathIn(const QString& folder, const QString& puzzlePath) {
    return folder + QLatin1Char('/') + QFileInfo(RecoveryCopy::copyPathOf(puzzlePath)).fileName();
}

// The folder for copies when the data home takes none (its disk full, a
// quota reached): in the temporary folder, which often lies on another
// disk. Anyone may make folders there, so one is used only when it is this
// user's own real folder and no one else's to read.
QString spareFolderPath() {
    // $TMPDIR names the temporary folder; /tmp stands in when it names none.
    const QString temp = QFileInfo(QDir::tempPath()).isDir() ? QDir::tempPath() : QStringLiteral("/tmp");
    return temp + QStringLiteral("/vorlaquince-recovery-") + QString::number(::getuid());
}
// That folder, made first when `create`; empty when it is not safe to use.
QString spareFolder(bool create) {
    const QString dir = spareFolderPath();
    if (create && QDir().mkdir(dir)) QFile::setPermissions(dir, kOwnerOnly);
    const QFileInfo info(dir);
    if (!info.isDir() || info.isSymLink() || info.ownerId() != ::getuid()) return {};
    if ((info.permissions() & ~(kOwnerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser)))
        return {};
    return info.absoluteFilePath();
}

// The folders the copies may be in, the data home's first.
QStringList copyFolders() {
    QStringList folders{RecoveryCopy::folder()};
    const QString spare = spareFolder(false);
    if (!spare.isEmpty() && QFileInfo(spare) != QFileInfo(folders.first())) folders << spare;
    return folders;
}

// Deletes the puzzle's copy, record and path file, in every folder but
// the copy `kept`.
void removeCopies(const QString& puzzlePath, const QString& kept = {}) {
    for (const QString& dir : copyFolders()) {
        const QString copy = copyPathIn(dir, puzzlePath);
        if (copy == kept) continue;
        QFile::remove(copy);
        QFile::remove(pathFileOf(copy));
        QFile::remove(baseFileOf(copy));
    }
}

// What a crash writes, made ready outside its handler: the puzzle's full
// path and record, and per folder (the data home's, then the spare one)
// the copy and its path file with temporary names beside them.
struct CrashPlan {
    struct Target {
        std::string folder, copy, copyTemp, pathFile, pathFileTemp, baseFile, baseFileTemp;
        bool spare = false;
    };
    std::string fullPath, base;
    std::vector<Target> targets;
};
CrashPlan crashPlans[2];
std::atomic<const CrashPlan*> crashPlan{nullptr};
QString crashPlanPath;
// Set when the letters change, cleared when a copy or a save holds them.
volatile sig_atomic_t lettersUnsaved = 0;

// The plan for the puzzle's copies, made when its letters first change.
void armCrashPlan(const QString& puzzlePath) {
    // The file as last read or written changes with a save; the plan with it.
    const std::string& base = baseOf(puzzlePath);
    if (const CrashPlan* armed = crashPlan.load(); armed && puzzlePath == crashPlanPath && armed->base == base) return;
    CrashPlan& plan = crashPlans[crashPlan.load() == &crashPlans[0] ? 1 : 0];
    plan.fullPath = fullPathOf(puzzlePath).toUtf8().toStdString();
    plan.base = base;
    plan.targets.clear();
    const QString spare = spareFolderPath();
    for (const QString& dir : {RecoveryCopy::folder(), spare}) {
        const QString copy = copyPathIn(dir, puzzlePath);
        const auto local = [](const QString& path) { return QFile::encodeName(path).toStdString(); };
        plan.targets.push_back({local(dir), local(copy), local(copy + QStringLiteral(".crash")), local(pathFileOf(copy)),
                                local(pathFileOf(copy) + QStringLiteral(".crash")), local(baseFileOf(copy)),
                                local(baseFileOf(copy) + QStringLiteral(".crash")), dir == spare});
    }
    // The handler makes no folder but the spare one.
    makeCopyFolder();
    crashPlanPath = puzzlePath;
    crashPlan.store(&plan);
}

// The whole of data and then more in a new file `final`, by way of `temp`,
// each write checked, synced, then renamed; only calls a signal handler may
// make.
bool writeWhole(const std::string& temp, const std::string& final, std::string_view data, std::string_view more = {}) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    bool ok = true;
    for (std::string_view part : {data, more}) {
        while (!part.empty() && ok) {
            const ssize_t n = ::write(fd, part.data(), part.size());
            if (n > 0) part.remove_prefix(std::size_t(n));
            else ok = n < 0 && errno == EINTR;
        }
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.c_str(), final.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

// A copy's record is followed by its puzzle's full path, so a copy whose
// path file was lost still names its puzzle.
std::string copyBytes(const vlq::PuzzleRecord& record, std::string_view fullPath) {
    const auto& bytes = record.bytes();
    std::string all(bytes.begin(), bytes.end());
    all += fullPath;
    return all;
}

// One small file of a copy, through the game's one writer.
bool writeCopyFile(const QString& path, std::string_view data) {
    return vlq::writeFileSafely(QFile::encodeName(path).toStdString(), data).ok();
}

} // namespace

void RecoveryCopy::writeOnCrash() {
    const CrashPlan* plan = crashPlan.load();
    if (!lettersUnsaved || !plan) return;
    const auto& record = game().puzzle.bytes();
    for (const CrashPlan::Target& t : plan->targets) {
        if (t.spare) {
            // Anyone may make folders in the temporary folder: only the
            // player's own real one, closed to others, takes the copy.
            ::mkdir(t.folder.c_str(), 0700);
            struct stat st {};
            if (::lstat(t.folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
                (st.st_mode & 077) != 0)
                continue;
        }
        // The path file first, as for every copy.
        const std::string_view recordBytes(reinterpret_cast<const char*>(record.data()), record.size());
        if (!writeWhole(t.pathFileTemp, t.pathFile, plan->fullPath) || !writeWhole(t.baseFileTemp, t.baseFile, plan->base) ||
            !writeWhole(t.copyTemp, t.copy, recordBytes, plan->fullPath))
            continue;
        const int folder = ::open(t.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) ::fsync(folder), ::close(folder);
        return;
    }
}

RecoveryCopy::RecoveryCopy(QObject* parent) : QObject(parent) {
    timer_.setParent(this); // one of the children the copy owns
    timer_.setSingleShot(true);
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
    // A crash from now on writes these letters at once.
    if (game().currentPuzzlePath.isEmpty()) {
        lettersUnsaved = 0;
    } else {
        armCrashPlan(game().currentPuzzlePath);
        lettersUnsaved = 1;
    }
    // A player typing on still gets a copy within kDelayMs of the first
    // letter not in one.
    if (!timer_.isActive()) pending_.start();
    timer_.start(int(std::clamp<qint64>(kDelayMs - pending_.elapsed(), 0, kPauseMs)));
}

void RecoveryCopy::dropPending() {
    timer_.stop();
    lettersUnsaved = 0;
}

bool RecoveryCopy::writeNow() {
    timer_.stop();
    const QString puzzlePath = game().currentPuzzlePath;
    // A recycled puzzle has no path: its letters are given up.
    if (puzzlePath.isEmpty() || writing_) return false;
    writing_ = true;
    makeCopyFolder();
    bool done = false;
    QString kept;
    // The spare folder is made only when the data home took no copy.
    for (int attempt = 0; attempt < 2 && !done; ++attempt) {
        const QString dir = attempt == 0 ? folder() : spareFolder(true);
        if (dir.isEmpty()) break;
        const QString copy = copyPathIn(dir, puzzlePath);
        // The path file first, then the file as last known, then the
        // record: the copy counts as written only when all three are.
        const std::string full = fullPathOf(puzzlePath).toUtf8().toStdString();
        if (writeCopyFile(pathFileOf(copy), full) && writeCopyFile(baseFileOf(copy), baseOf(puzzlePath)) &&
            writeCopyFile(copy, copyBytes(game().puzzle, full))) {
            written_.insert(fullPathOf(puzzlePath));
            kept = copy;
            done = true;
        }
        // Else silent: the spare folder, then the next change, tries again.
        // A copy written before stays whole, with its path file, to be offered.
    }
    // An older copy in the other folder would be offered with this one.
    if (done) {
        removeCopies(puzzlePath, kept);
        lettersUnsaved = 0;
    }
    writing_ = false;
    return done;
}

void RecoveryCopy::remove(const QString& puzzlePath) {
    if (puzzlePath.isEmpty()) return;
    if (fullPathOf(puzzlePath) == fullPathOf(game().currentPuzzlePath)) {
        if (theInstance) theInstance->timer_.stop();
        lettersUnsaved = 0;
    }
    removeCopies(puzzlePath);
    if (theInstance) theInstance->written_.remove(fullPathOf(puzzlePath));
}

void RecoveryCopy::removeOwnCopy() {
    timer_.stop();
    lettersUnsaved = 0;
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
    QFileInfoList copies;
    for (const QString& dir : copyFolders()) {
        // Half a copy (its record never written) goes.
        for (const QFileInfo& pathFile : QDir(dir).entryInfoList({QStringLiteral("*.path")}, QDir::Files)) {
            const QString copy = pathFile.absolutePath() + QLatin1Char('/') + pathFile.completeBaseName() + QStringLiteral(".vlq");
            if (QFileInfo(copy).isFile()) continue;
            QFile::remove(pathFile.absoluteFilePath());
            QFile::remove(baseFileOf(copy));
        }
        copies += QDir(dir).entryInfoList({QStringLiteral("*.vlq")}, QDir::Files);
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() < b.lastModified(); });
    for (const QFileInfo& copyInfo : copies) {
        const QString copyPath = copyInfo.absoluteFilePath();
        // The path as written, however long (a path may end in a space): the
        // path file's, or else the one the record carries after it.
        QString puzzlePath;
        const auto fromPathFile = vlq::readRegularFile(QFile::encodeName(pathFileOf(copyPath)).toStdString(), kLongestPath);
        if (fromPathFile.fault == vlq::ReadFault::None) puzzlePath = QString::fromStdString(fromPathFile.data);
        // A copy belongs to the puzzle whose path hashes to its name; one
        // whose path says otherwise is not offered, nor deleted.
        const auto belongs = [&] {
            return !puzzlePath.isEmpty() && QFileInfo(copyPathOf(puzzlePath)).fileName() == copyInfo.fileName();
        };
        if (!belongs()) {
            const auto whole = vlq::readRegularFile(QFile::encodeName(copyPath).toStdString(), vlq::kRecordSize + kLongestPath);
            puzzlePath = whole.fault == vlq::ReadFault::None && whole.data.size() > vlq::kRecordSize
                             ? QString::fromStdString(whole.data.substr(vlq::kRecordSize))
                             : QString();
            if (!belongs()) continue;
        }
        const QFileInfo puzzle(puzzlePath);
        if (puzzle.exists() && puzzle.lastModified() >= copyInfo.lastModified() &&
            holdsLettersOf(puzzlePath, copyPath)) {
            remove(puzzlePath); // saved since
            continue;
        }
        std::optional<std::string> base;
        if (QFile baseFile(baseFileOf(copyPath)); baseFile.open(QIODevice::ReadOnly))
            base = baseFile.read(qint64(vlq::kRecordSize) + 1).toStdString();
        found << Found{puzzlePath, copyPath, copyInfo.lastModified(), base};
    }
    return found;
}
