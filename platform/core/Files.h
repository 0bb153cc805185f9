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

[[nodiscard]] bool FileExists(const std::string& path);        // a regular file (or link to one)
[[nodiscard]] bool DirectoryExists(const std::string& path);
// Names (not paths) of the subfolders of a folder, in the order the file system returns them
// (not sorted), without "." and "..". Links to folders count as subfolders. Empty when the folder
// cannot be read. ListFiles likewise lists regular files (and links to them).
[[nodiscard]] std::vector<std::string> ListSubfolders(const std::string& folder);
[[nodiscard]] std::vector<std::string> ListFiles(const std::string& folder);

[[nodiscard]] std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path);
// Writes a temporary file beside the target, flushes it and renames it over the target, so the
// target is either the old or the new file, never half-written. Keeps the old file's mode (a new
// file gets 0666 less the umask). A symbolic link is followed: the file it names is replaced.
// On failure returns false with errno set; the target is untouched and the temporary removed.
bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size);

}  // namespace platform::core
