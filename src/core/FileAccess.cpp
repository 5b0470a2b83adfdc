#include "FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

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

std::string writeFileAtomically(const std::string& path, std::string_view data) {
    const std::string folder = folderOf(path);
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Hidden, so a folder listing never shows it as a puzzle.
    std::string temp = folder + "/." + name + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);

    mode_t mode;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int error = 0;
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, data) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return std::strerror(error);
    }
    if (!syncFolderOf(path)) return "written, but its folder could not be synced";
    return {};
}

std::string readFaultText(ReadFault fault) {
    switch (fault) {
    case ReadFault::None: return {};
    case ReadFault::NotFound: return "no such file";
    case ReadFault::AccessDenied: return "access denied";
    case ReadFault::NotRegular: return "not a regular file (a folder, pipe or device)";
    case ReadFault::ReadFailed: return "read error";
    }
    return {};
}

} // namespace vlq
