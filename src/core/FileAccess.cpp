#include "FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>
#include <vector>

#include <dirent.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vlq {
namespace {

FileStamp stampOf(const struct stat& st) {
    FileStamp s;
    s.device = std::uint64_t(st.st_dev);
    s.inode = std::uint64_t(st.st_ino);
    s.size = std::int64_t(st.st_size);
    s.modifiedNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + std::int64_t(st.st_mtim.tv_nsec);
    return s;
}

ReadFault openFault(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReadFault::NotFound;
    case ELOOP:
        return ReadFault::LinkLoop;
    case ENXIO:   // a socket, or a device without its driver
    case EISDIR:
        return ReadFault::NotRegular;
    default:
        return ReadFault::AccessDenied;
    }
}

// The folder part of path ("." when it names none).
std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool writeAll(int fd, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

} // namespace

FileContents readRegularFile(const std::string& path, std::size_t maxSize) {
    FileContents result;
    // A first look without opening: some devices act when opened.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        result.fault = openFault(errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.fault = ReadFault::NotRegular;
        return result;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.fault = openFault(errno);
        return result;
    }
    // The path may have been swapped between the look and the opening.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.fault = ReadFault::NotRegular;
        return result;
    }
    result.stamp = stampOf(st);
    std::vector<char> buffer(maxSize + 1);
    std::size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            result.fault = ReadFault::ReadFailed;
            return result;
        }
        if (n == 0) break;
        got += std::size_t(n);
    }
    ::close(fd);
    result.longer = got > maxSize;
    result.data.assign(buffer.data(), std::min(got, maxSize));
    return result;
}

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return stampOf(st);
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool syncFolderOf(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return synced;
}

namespace {

WriteResult writeFailure(int error) {
    WriteResult r;
    switch (error) {
    case ENOENT:
    case ENOTDIR: r.fault = WriteFault::FolderMissing; break;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: r.fault = WriteFault::AccessDenied; break;
    case EISDIR: r.fault = WriteFault::NotRegular; break;
    default: r.fault = WriteFault::DiskWrite; break;
    }
    r.error = error;
    r.text = std::strerror(error);
    return r;
}

// Overwrites the file's first bytes with data and cuts it to that length.
// When the write fails the old bytes are put back, so a failure leaves the
// file as it was as far as the disk allows.
WriteResult writeInPlace(const std::string& path, std::string_view data) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return writeFailure(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return writeFailure(EISDIR);
    }
    std::string old(data.size(), '\0');
    std::size_t got = 0;
    for (ssize_t n; got < old.size() && (n = ::read(fd, old.data() + got, old.size() - got)) != 0;) {
        if (n > 0) got += std::size_t(n);
        else if (errno != EINTR) break;
    }
    old.resize(got);
    int error = 0;
    if (::lseek(fd, 0, SEEK_SET) != 0 || !writeAll(fd, data) || ::fsync(fd) != 0) {
        error = errno;
        if (::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, old)) (void)::fsync(fd);
    } else if (::ftruncate(fd, off_t(data.size())) != 0) {
        error = errno;
    }
    ::close(fd);
    if (error != 0) {
        WriteResult r = writeFailure(error);
        // The file could be opened for writing: what failed is the disk.
        if (r.fault != WriteFault::DiskWrite) r.fault = WriteFault::DiskWrite;
        return r;
    }
    return {};
}

// Removes the temporary files of writes of `name` that a crash or a kill
// cut short: ".NAME.XXXXXX" in the folder, this user's, untouched for ten
// minutes (a write takes moments, so none is still under way).
void removeLeftTemporaries(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::string prefix = "." + name + ".";
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName = entry->d_name;
        if (entryName.size() != prefix.size() + 6 || !entryName.starts_with(prefix)) continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || now - st.st_mtime < 600)
            continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

WriteResult writeFileSafely(const std::string& given, std::string_view data) {
    // Through a link the file is its target, in the target's folder.
    std::string path = given;
    struct stat st {};
    if (::lstat(given.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(given.c_str(), nullptr)) {
            path = real;
            std::free(real);
        }
    }
    const bool exists = ::stat(path.c_str(), &st) == 0;
    // A folder, a pipe, a device or a socket takes no file: the data would
    // go into it, or nowhere, and the node would be lost.
    if (exists && !S_ISREG(st.st_mode)) return writeFailure(EISDIR);
    if (exists && ::access(path.c_str(), W_OK) != 0) return writeFailure(EACCES);
    const std::string folder = folderOf(path);
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // A file of other links, or of a name too long for a temporary name
    // beside it, is written where it is, so every link sees the new bytes.
    if (exists && (st.st_nlink > 1 || name.size() > 240)) return writeInPlace(path, data);

    removeLeftTemporaries(folder, name);
    // Hidden, so a folder listing never shows it as a puzzle.
    std::string temp = folder + "/." + name + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        // A writable file in a folder that takes no new file is written
        // where it is.
        if (exists && ::access(folder.c_str(), W_OK) != 0) return writeInPlace(path, data);
        return writeFailure(error);
    }
    mode_t mode = st.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    // The new file keeps the old one's owner and group (a puzzle shared with
    // a group, another user's file written by root); where they cannot be
    // kept, the file is written where it is instead.
    if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
        ::close(fd);
        ::unlink(temp.c_str());
        return writeInPlace(path, data);
    }
    int error = 0;
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, data) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        WriteResult r = writeFailure(error);
        // The temporary file was made: what failed is the disk, or the rename.
        if (r.fault == WriteFault::FolderMissing || r.fault == WriteFault::NotRegular) r.fault = WriteFault::DiskWrite;
        return r;
    }
    // The rename reaches the disk too: after a power cut the folder names
    // the new file, not the old one.
    if (!syncFolderOf(path)) {
        WriteResult r = writeFailure(errno ? errno : EIO);
        r.fault = WriteFault::DiskWrite;
        return r;
    }
    return {};
}

std::string readFaultText(ReadFault fault) {
    switch (fault) {
    case ReadFault::None: return {};
    case ReadFault::NotFound: return "no such file";
    case ReadFault::AccessDenied: return "access denied";
    case ReadFault::NotRegular: return "not a regular file (a folder, pipe or device)";
    case ReadFault::ReadFailed: return "read error";
    case ReadFault::LinkLoop: return "its links lead round in a loop";
    }
    return {};
}

} // namespace vlq
