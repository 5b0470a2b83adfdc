// Reading and writing the player's files safely, shared by the game and
// vlqtool. Reading opens a candidate without blocking, takes only regular
// files (never a pipe, a device or a folder, also not through a link) and
// reads at most a limit plus one byte, so a stream without end is never read
// to its end. Writing goes through a temporary file of a unique name in the
// target's folder, synced to the disk, renamed over the target, and then the
// folder is synced too: after a crash or a power cut the target holds its
// old bytes or the new ones, never a part and never the old ones again.
// POSIX calls only; no toolkit.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vlq {

// What tells one state of a file from another without reading it: the file
// (device and inode), its size and its modification time.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

enum class ReadFault {
    None,
    NotFound,     // no file at the path (errno ENOENT or ENOTDIR)
    AccessDenied, // the system refused to open it
    NotRegular,   // a folder, a pipe, a device or a socket
    ReadFailed,   // the read itself failed
};

struct FileContents {
    ReadFault fault = ReadFault::None;
    std::string data;     // at most the limit asked for
    bool longer = false;  // the file holds more than the limit
    FileStamp stamp;      // of the file as opened
};

// Reads the regular file at path, at most maxSize bytes of it (one byte more
// is read to learn whether it is longer). Never blocks on opening or reading.
FileContents readRegularFile(const std::string& path, std::size_t maxSize);

// The stamp of the file at path (links followed); nullopt when nothing is
// there. A folder or a pipe has a stamp too.
std::optional<FileStamp> fileStamp(const std::string& path);

// Whether something (of any kind) is at path, links followed.
bool pathExists(const std::string& path);

// Makes a rename or a new file in the folder holding path durable. False
// when the folder could not be synced (a file system that cannot sync
// folders counts as synced).
bool syncFolderOf(const std::string& path);

// Writes data as the whole new content of path: a temporary file with a
// unique name beside it, synced, renamed over path, then the folder synced.
// An existing target keeps its permission bits; a new one gets the usual
// ones (0666 less the umask). Returns an empty string on success, else the
// system's text for the failure; the target is then as it was and no
// temporary file is left.
std::string writeFileAtomically(const std::string& path, std::string_view data);

// A short text for a read fault: "no such file", "not a regular file" ...
std::string readFaultText(ReadFault fault);

} // namespace vlq
