// Makes a file or folder read-only for the guard's lifetime, also for root:
// there the immutable attribute stands in for the permission bits, which
// root does not obey. ok() is false when neither could be set (the test
// should skip).
#pragma once
#include <QString>

class ReadOnlyGuard {
public:
    explicit ReadOnlyGuard(const QString& path);
    ~ReadOnlyGuard();
    ReadOnlyGuard(const ReadOnlyGuard&) = delete;
    ReadOnlyGuard& operator=(const ReadOnlyGuard&) = delete;
    bool ok() const { return ok_; }

private:
    QString path_;
    bool immutable_ = false;
    bool ok_ = false;
};
