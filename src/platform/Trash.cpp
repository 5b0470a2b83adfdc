#include "Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

bool moveToTrash(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    ensureHomeTrash();
#endif
    // A move reported done while the file is still there is no move.
    return QFile::moveToTrash(path) && !QFileInfo::exists(path);
}

} // namespace vlq
