#include "PuzzleLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString userName() {
    if (const passwd* pw = ::getpwuid(::getuid())) return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(::getuid());
}

// The start of what the system says of a process of this computer under
// /proc/PID/ (pid "self" for this one): up to 512 bytes, empty when it
// cannot be read.
QByteArray processFile(const QByteArray& pid, const char* name) {
    const int fd = ::open(("/proc/" + pid + '/' + name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    char text[512];
    const ssize_t n = ::read(fd, text, sizeof text);
    ::close(fd);
    return n > 0 ? QByteArray(text, qsizetype(n)) : QByteArray();
}

// Whether a process of this computer runs under pid (one we may not signal
// runs too). A game killed and not yet waited for by its parent (a zombie)
// is still signalled, but runs no more.
bool processRuns(qint64 pid) {
    if (pid <= 0 || pid > 0x7fffffff) return false;
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM) return false;
    // "pid (name) state ...": the name may hold spaces and brackets.
    const QByteArray line = processFile(QByteArray::number(pid), "stat");
    const qsizetype end = line.lastIndexOf(')');
    return end < 0 || end + 2 >= line.size() || line.at(end + 2) != 'Z';
}

// The name the system keeps for a process of this computer ("self" for
// this one): its program's file name, cut to 15 bytes. Readable for the
// processes of every user, and the same for every copy of the game
// wherever it is installed, also after an update replaced its file. Empty
// when it cannot be read.
QByteArray programNameOf(const QByteArray& pid) { return processFile(pid, "comm").trimmed(); }

// Whether the process under pid is a game like this one. A pid handed on
// to another program since the lock was written makes the lock stale;
// when the name cannot be read, the holder counts as a game. A game
// started through a link of another name runs the same program file.
bool runsThisProgram(qint64 pid) {
    const QByteArray number = QByteArray::number(pid);
    const QByteArray theirs = programNameOf(number);
    const QByteArray mine = programNameOf("self");
    if (theirs.isEmpty() || mine.isEmpty() || theirs == mine) return true;
    struct stat theirFile {}, myFile {};
    return ::stat(("/proc/" + number + "/exe").constData(), &theirFile) == 0 &&
           ::stat("/proc/self/exe", &myFile) == 0 && theirFile.st_ino == myFile.st_ino &&
           theirFile.st_dev == myFile.st_dev;
}

} // namespace

QString PuzzleLock::lockPathOf(const QString& puzzlePath) {
    // Beside the file itself: a game that opened it through a link and
    // one that opened it by its own name meet at one lock.
    const QString real = QFileInfo(puzzlePath).canonicalFilePath();
    const QFileInfo info(real.isEmpty() ? puzzlePath : real);
    return info.absolutePath() + QStringLiteral("/.~lock.") + info.fileName() + QLatin1Char('#');
}

std::optional<PuzzleLock::Holder> PuzzleLock::otherHolder(const QString& puzzlePath) {
    QFile f(lockPathOf(puzzlePath));
    // Only a small regular file: never wait on a pipe of that name.
    const QFileInfo info(f.fileName());
    if (!info.isFile() || info.size() > 4096) return std::nullopt;
    // A lock this player may not read (another player's umask made it
    // private): its process cannot be checked, so it counts as its
    // owner's, held since it was written. Open Anyway takes it over.
    if (!f.open(QIODevice::ReadOnly)) return Holder{info.owner(), QString(), 0, info.lastModified()};
    const QStringList fields = QString::fromUtf8(f.read(4096)).trimmed().split(QLatin1Char(','));
    if (fields.size() < 5 || fields[0] != QLatin1String("Vorlaquince")) return std::nullopt;
    Holder h{fields[1], fields[2], fields[3].toLongLong(), QDateTime::fromString(fields[4], Qt::ISODate)};
    if (h.host == QSysInfo::machineHostName()) {
        if (h.pid == QCoreApplication::applicationPid() || !processRuns(h.pid) || !runsThisProgram(h.pid))
            return std::nullopt;
    }
    return h;
}

void PuzzleLock::take(const QString& puzzlePath) {
    release();
    const QString lockPath = lockPathOf(puzzlePath);
    const QByteArray line = QStringLiteral("Vorlaquince,%1,%2,%3,%4\n")
                                .arg(userName(), QSysInfo::machineHostName())
                                .arg(QCoreApplication::applicationPid())
                                .arg(QDateTime::currentDateTime().toString(Qt::ISODate))
                                .toUtf8();
    // A new file each time (the old one unlinked first), so release() can
    // tell its own file by its inode.
    ::unlink(QFile::encodeName(lockPath).constData());
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return;
    // Readable by the other players of a shared folder whatever this
    // player's umask: a lock they cannot read warns no one.
    ::fchmod(fd, 0644);
    if (::write(fd, line.constData(), size_t(line.size())) != line.size()) {
        ::close(fd);
        ::unlink(QFile::encodeName(lockPath).constData());
        return;
    }
    fd_ = fd;
    puzzlePath_ = QFileInfo(puzzlePath).absoluteFilePath();
    lockPath_ = lockPath;
}

void PuzzleLock::release() {
    if (fd_ < 0) return;
    // Where the file is now: its folder may have been renamed since.
    QString where = lockPath_;
    char target[4096];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd_);
    const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
    if (n > 0) {
        target[n] = '\0';
        if (target[0] == '/') where = QFile::decodeName(target);
    }
    struct stat mine {}, there {};
    const QByteArray encoded = QFile::encodeName(where);
    // Another game that opened anyway may have put its own lock there.
    if (::fstat(fd_, &mine) == 0 && ::lstat(encoded.constData(), &there) == 0 && mine.st_ino == there.st_ino &&
        mine.st_dev == there.st_dev)
        ::unlink(encoded.constData());
    ::close(fd_);
    fd_ = -1;
    puzzlePath_.clear();
    lockPath_.clear();
}

PuzzleLock& openPuzzleLock() {
    static PuzzleLock lock;
    return lock;
}
