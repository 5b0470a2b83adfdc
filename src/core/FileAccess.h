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
    LinkLoop,     // links that lead round in a loop (errno ELOOP)
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

// Why a write failed.
enum class WriteFault {
    None,
    FolderMissing, // the target's folder is not there
    AccessDenied,  // the system refused the file or its folder
    NotRegular,    // a folder, pipe, device or socket is at the path: never written over
    DiskWrite,     // the write itself failed: a full disk, a quota, a file-size limit, a broken disk
};
struct WriteResult {
    WriteFault fault = WriteFault::None;
    int error = 0;     // the system's error number, when it gave one
    std::string text;  // the system's text for it ("No space left on device" ...)
    bool ok() const { return fault == WriteFault::None; }
};

// Writes data as the whole new content of the file at path, for the game's
// saves, its recovery copies and vlqtool alike. Through a link the link's
// target is written. Only nothing or a regular file is written over. The
// data go to a temporary file of a unique name beside the target, every
// write checked, synced, renamed over the target, and then the folder is
// synced: after a crash or a power cut the target holds its old bytes or
// the new ones, never a part and never the old ones again. The new file
// keeps the old one's permission bits, owner and group (a new one gets 0666
// less the umask). A file of other links, one whose owner cannot be kept,
// one whose name leaves no room for a temporary name, or one in a folder
// that takes no new file is written where it is instead; a failed write
// there puts the old bytes back. On failure no temporary file is left;
// those of earlier writes of the name that a crash cut short (untouched for
// ten minutes) are removed before the write.
WriteResult writeFileSafely(const std::string& path, std::string_view data);

// A short text for a read fault: "no such file", "not a regular file" ...
std::string readFaultText(ReadFault fault);

} // namespace vlq
