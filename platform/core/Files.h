#pragma once
// Files and folders. Paths use "/".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

// Full path of the running executable (from /proc/self/exe).
[[nodiscard]] std::string ExecutablePath();
[[nodiscard]] std::string ExtractFilePath(std::string_view path);   // with trailing "/"
[[nodiscard]] std::string ExtractFileDir(std::string_view path);    // without trailing "/"
[[nodiscard]] std::string ExtractFileName(std::string_view path);
[[nodiscard]] std::string ExtractFileExt(std::string_view path);    // with the dot, or ""
[[nodiscard]] std::string ChangeFileExt(std::string_view path, std::string_view ext);
// An empty path stays empty (it must not turn into the root folder).
[[nodiscard]] std::string IncludeTrailingPathDelimiter(std::string_view path);
// Removes trailing "/"s but keeps the root "/".
[[nodiscard]] std::string ExcludeTrailingPathDelimiter(std::string_view path);

// Paths are C strings to the system: one holding a NUL byte names nothing, so every function here
// treats it as missing (and a write refuses it) rather than acting on the part before the NUL.
[[nodiscard]] bool FileExists(const std::string& path);        // a regular file (or link to one)
[[nodiscard]] bool DirectoryExists(const std::string& path);
enum class TEntryKind { None, File, Directory, Other };  // Other: FIFO, device, socket
// What the path names, links followed.
[[nodiscard]] TEntryKind EntryKind(const std::string& path);

// What changes when a file is replaced or rewritten: identity, size and times.
struct TFileStamp {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    bool operator==(const TFileStamp&) const = default;
};
// The stamp of what the path names (links followed), or nullopt when there is nothing.
[[nodiscard]] std::optional<TFileStamp> StampOfFile(const std::string& path);
// Names (not paths) of the subfolders of a folder, in the order the file system returns them
// (not sorted), without "." and "..". Links to folders count as subfolders. Empty when the folder
// cannot be read. ListFiles likewise lists regular files (and links to them).
[[nodiscard]] std::vector<std::string> ListSubfolders(const std::string& folder);
[[nodiscard]] std::vector<std::string> ListFiles(const std::string& folder);

inline constexpr std::size_t kNoSizeLimit = static_cast<std::size_t>(-1);
// Reads a regular file (links followed) whole. Anything else is refused without blocking: a FIFO
// or device is never waited on. Fails with errno EFBIG for a file larger than maxSize, EISDIR for
// a folder, EINVAL for any other kind of file. stamp, when given, receives the file's stamp as it
// was when reading began.
[[nodiscard]] std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path,
                                                                std::size_t maxSize = kNoSizeLimit,
                                                                TFileStamp* stamp = nullptr);

struct TWriteOptions {
    // When not empty, a symbolic link is written through only when the file it leads to lies in
    // this folder (compared after resolving both); otherwise the write fails with EACCES.
    std::string ConfineTo;
};

// Replaces a file with new contents so that it is either the old or the new file, never
// half-written: a temporary file beside the target (unnamed while it is written, where the file
// system offers that), flushed and renamed over the target. Stale temporary files of this naming
// that a killed writer left beside the target are removed first.
//
// The file's own permissions and identity are kept: an existing file that the user may not write
// is not replaced (EACCES); the new file gets the old one's mode, owner and group. Where the
// replacement cannot keep them, or the file has other hard links, or the folder does not take a
// temporary file, the file is rewritten in place instead (not atomic, but nothing else is lost).
// Only regular files are written: a FIFO, device or folder fails (EINVAL, EISDIR). A symbolic link
// is followed (see TWriteOptions); a dangling one is replaced by the file. A new file gets 0666
// less the umask. On failure returns false with errno set; the target is untouched.
bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size, const TWriteOptions& options = {});

// Removes the temporary files that an interrupted WriteFileAtomic of this target left beside it
// (those of processes that no longer run). Returns how many were removed.
int RemoveStaleTemporaries(const std::string& path);

}  // namespace platform::core
