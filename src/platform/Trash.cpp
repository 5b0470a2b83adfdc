#include "Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace vlq {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
namespace {

// The home trash of the freedesktop.org layout lives in the user's data
// folder ($XDG_DATA_HOME/Trash). QFile::moveToTrash expects that folder to
// exist: when it does not, it reports success while moving the file into a
// "files" folder under the current directory. Making the folders first
// (private to the user, as the layout asks) avoids that.
void ensureHomeTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return;
    const QString trash = data + QStringLiteral("/Trash");
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    for (const QString& dir : {data, trash, trash + QStringLiteral("/files"), trash + QStringLiteral("/info")}) {
        if (QFileInfo::exists(dir)) continue;
        if (!QDir().mkpath(dir)) return;
        if (dir != data) QFile::setPermissions(dir, owner);
    }
}

} // namespace
#endif

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
namespace {

// Whether a file moved to inTrash is in one of the user's trash folders:
// the home trash, or a volume's .Trash/UID or .Trash-UID.
bool inUsersTrash(const QString& inTrash) {
    const QFileInfo moved(inTrash);
    const QDir files = moved.absoluteDir();
    if (files.dirName() != QLatin1String("files")) return false;
    const QFileInfo trash(QFileInfo(files.absolutePath()).absolutePath());
    const QString uid = QString::number(::getuid());
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
    return trash.canonicalFilePath() == QFileInfo(home).canonicalFilePath() ||
           trash.fileName() == QStringLiteral(".Trash-") + uid ||
           (trash.fileName() == uid && QFileInfo(trash.absolutePath()).fileName() == QLatin1String(".Trash"));
}

// Undoes a move that went elsewhere: the file back at its path, the
// ".trashinfo" note and the files/ and info/ folders made for it gone.
void putBack(const QString& path, const QString& moved) {
    if (!QFileInfo::exists(path)) QFile::rename(moved, path);
    const QDir trash(QFileInfo(QFileInfo(moved).absolutePath()).absolutePath());
    QFile::remove(trash.filePath(QStringLiteral("info/") + QFileInfo(moved).fileName() + QStringLiteral(".trashinfo")));
    // Only when empty: a folder of the player's own of that name stays.
    trash.rmdir(QStringLiteral("files"));
    trash.rmdir(QStringLiteral("info"));
}

} // namespace
#endif

bool moveToTrash(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    ensureHomeTrash();
    // Where the file went decides: Qt falls back to a files/ folder in the
    // working folder when no trash can be made, and calls that done.
    QString moved;
    if (!QFile::moveToTrash(path, &moved)) return false;
    if (!moved.isEmpty() && !inUsersTrash(moved)) {
        putBack(path, moved);
        return false;
    }
    return !QFileInfo::exists(path);
#else
    // A move reported done while the file is still there is no move.
    return QFile::moveToTrash(path) && !QFileInfo::exists(path);
#endif
}

} // namespace vlq
