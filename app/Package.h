#pragma once
// One puzzle package: a folder holding PuzzlePackage.ini, numbered JPEG previews and one
// executable per puzzle and severity. The package is itself the ini object over its settings
// file; the user's choices are written back when it is destroyed.

#include <cstdint>
#include <string>
#include <vector>

#include "app/DataDirs.h"
#include "platform/core/IniFile.h"

namespace app {

inline constexpr const char* kPackageIniName = "PuzzlePackage.ini";
// No package has more puzzles: counting previews stops here, so that no folder can stall the start.
inline constexpr int32_t kMaxPuzzles = 100000;

struct TPuzzle {
    int32_t Severity = 1;  // 1..5, an index into SeverityNames
};

class TPackage : public platform::core::TIniFile {
public:
    // dir: the package folder without a trailing "/".
    explicit TPackage(std::string dir);
    // Writes [User] last_puzzle and [Severity] as the dirty flags say; nothing else.
    ~TPackage() override;

    // Number of consecutive previews that exist, counting from 1, at most kMaxPuzzles. 0 when the
    // preview base would name a file outside the package folder.
    [[nodiscard]] int32_t CountPreviews() const;
    // True when PuzzleCount >= 1, every preview 1..PuzzleCount exists, and neither base name holds
    // a path separator (its files would lie outside the package folder).
    [[nodiscard]] bool IsComplete() const;

    [[nodiscard]] std::string PreviewPath(int64_t puzzleIndex) const;  // 0-based index
    [[nodiscard]] std::string PuzzleExecutablePath(int64_t puzzleIndex, int32_t severity) const;
    // The puzzle at a 0-based index, or nullptr when there is none.
    [[nodiscard]] TPuzzle* PuzzleAt(int64_t index);
    [[nodiscard]] const TPuzzle* PuzzleAt(int64_t index) const;

    std::string Directory;
    bool SeverityDirty = false;
    bool LastPuzzleDirty = false;
    std::string PackageName;
    std::string FileBase;
    std::string PreviewBase;
    int32_t PuzzleCount = 0;
    std::vector<TPuzzle> Puzzles;
    int32_t LastPuzzle = 0;  // 0-based, taken as stored (not checked against PuzzleCount)

private:
    // Where [User] and [Severity] go: this file, or its copy when the package folder is read-only.
    TUserValues m_userValues{*this};
    // Counted once at construction; bounds how many puzzle entries are read.
    int32_t m_previewCount = 0;
};

}  // namespace app
