#pragma once
// Writes a generated folder as a whole: every file goes into a new folder beside the target, which
// then replaces the target by renaming, so a failure never leaves a half-written folder. A target
// that holds anything the generator did not make is refused instead of replaced.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::gfx {
class TBitmap;
}

namespace skingen {

// The bytes of a JPEG of the bitmap (empty on failure).
[[nodiscard]] std::vector<uint8_t> JpegBytes(const platform::gfx::TBitmap& bitmap, int quality);

struct TOutputFile {
    std::string Path;  // relative, "/"-separated
    std::vector<uint8_t> Bytes;
    bool Executable = false;
};

class TOutputFolder {
public:
    void Add(std::string path, std::vector<uint8_t> bytes, bool executable = false);
    void Add(std::string path, const std::string& text, bool executable = false);
    [[nodiscard]] const std::vector<TOutputFile>& Files() const { return m_files; }

    // Whether Commit may replace the folder (see there); callers ask first to fail before any work.
    static bool CheckTarget(const std::string& folder, const std::vector<std::string>& names,
                            const std::function<bool(const std::string& path)>& ownsEntry,
                            std::string* error);

    // ownsEntry tells whether an entry (a top-level name) of an existing target is the
    // generator's own; an existing target may only hold such entries or the names being written.
    bool Commit(const std::string& folder, const std::function<bool(const std::string& path)>& ownsEntry,
                std::string* error) const;
    // For a folder shared with other files: each file is replaced on its own, atomically, and
    // nothing else in the folder is touched.
    bool CommitFiles(const std::string& folder, std::string* error) const;

private:
    std::vector<TOutputFile> m_files;
};

}  // namespace skingen
