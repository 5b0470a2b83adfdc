#include "ReadOnlyGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

namespace {
constexpr QFileDevice::Permissions kWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther;

bool chattr(const QString& flag, const QString& path) {
    return QProcess::execute(QStringLiteral("chattr"), {flag, path}) == 0;
}
} // namespace

ReadOnlyGuard::ReadOnlyGuard(const QString& path) : path_(path) {
    ok_ = QFile::setPermissions(path_, QFile::permissions(path_) & ~kWrite);
    if (ok_ && ::geteuid() == 0) {
        immutable_ = chattr(QStringLiteral("+i"), path_);
        ok_ = immutable_;
    }
}

ReadOnlyGuard::~ReadOnlyGuard() {
    if (immutable_) chattr(QStringLiteral("-i"), path_);
    QFile::setPermissions(path_, QFile::permissions(path_) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
}
