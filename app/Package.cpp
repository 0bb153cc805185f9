#include "app/Package.h"

#include <algorithm>
#include <limits>

#include "app/Global.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"

namespace app {

using platform::core::IntToStr;

namespace {

constexpr const char* kPackageSection = "Package";
constexpr const char* kUserSection = "User";
constexpr const char* kSeveritySection = "Severity";

std::string SeverityKey(int64_t number) {
    return "puzzle_" + IntToStr(number);
}

// Either separator: a package written for another system may use the other one.
bool StaysInFolder(const std::string& base) { return base.find_first_of("/\\") == std::string::npos; }

}  // namespace

TPackage::TPackage(std::string dir) : TIniFile(dir + "/" + kPackageIniName), Directory(std::move(dir)) {
    ConfineWritesTo(Directory);
    // One state of the file for all the keys read here: it is read once, not looked at per key.
    BeginUpdate();
    PackageName = ReadString(kPackageSection, "name", "nopackage");
    FileBase = ReadString(kPackageSection, "file", "nofile");
    PreviewBase = ReadString(kPackageSection, "preview", "nopreview");
    m_previewCount = CountPreviews();
    PuzzleCount = ReadInteger(kPackageSection, "puzzles", m_previewCount);

    const int32_t stored = m_userValues.ReadInteger(kUserSection, "last_puzzle", 1);
    LastPuzzle = stored == std::numeric_limits<int32_t>::min() ? stored : stored - 1;

    // A package claiming more puzzles than it has previews is incomplete and will be discarded;
    // reading entries past the previews would let a huge "puzzles" value stall the scan.
    const int32_t entries = std::min(PuzzleCount, m_previewCount);
    if (entries > 0) Puzzles.reserve(static_cast<std::size_t>(entries));
    for (int32_t n = 1; n <= entries; ++n) {
        TPuzzle puzzle;
        puzzle.Severity = m_userValues.ReadInteger(kSeveritySection, SeverityKey(n), 1);
        // A hand-edited severity outside the table would name no executable.
        if (!IsValidSeverity(puzzle.Severity)) puzzle.Severity = 1;
        Puzzles.push_back(puzzle);
    }
    EndUpdate();
}

TPackage::~TPackage() {
    // Write failures are not reported: the program is closing and has no one to tell. All changes
    // go into one write, so that a kill leaves the file old or new as a whole.
    if (!LastPuzzleDirty && !SeverityDirty) return;
    BeginUpdate();
    if (LastPuzzleDirty)
        m_userValues.WriteString(kUserSection, "last_puzzle", IntToStr(static_cast<int64_t>(LastPuzzle) + 1));
    if (SeverityDirty) {
        for (std::size_t i = 0; i < Puzzles.size(); ++i)
            m_userValues.WriteInteger(kSeveritySection, SeverityKey(static_cast<int64_t>(i) + 1), Puzzles[i].Severity);
    }
    EndUpdate();
}

int32_t TPackage::CountPreviews() const {
    if (!StaysInFolder(PreviewBase)) return 0;
    int32_t count = 0;
    while (count < kMaxPuzzles && platform::core::FileExists(PreviewPath(count)))
        ++count;
    return count;
}

bool TPackage::IsComplete() const {
    if (PuzzleCount < 1 || !StaysInFolder(FileBase) || !StaysInFolder(PreviewBase)) return false;
    for (int64_t i = 0; i < PuzzleCount; ++i) {
        // Previews were counted consecutively at construction, so the first gap is known; stop
        // there rather than test up to a huge claimed count.
        if (i >= m_previewCount) return false;
        if (!platform::core::FileExists(PreviewPath(i))) return false;
    }
    return true;
}

std::string TPackage::PreviewPath(int64_t puzzleIndex) const {
    return Directory + "/" + PreviewBase + "-" + IntToStr(puzzleIndex + 1) + ".jpg";
}

std::string TPackage::PuzzleExecutablePath(int64_t puzzleIndex, int32_t severity) const {
    const std::string_view name = IsValidSeverity(severity) ? SeverityNames[severity] : SeverityNames[1];
    return Directory + "/" + FileBase + "-" + IntToStr(puzzleIndex + 1) + "-" + std::string(name) + ".exe";
}

TPuzzle* TPackage::PuzzleAt(int64_t index) {
    if (index < 0 || index >= static_cast<int64_t>(Puzzles.size())) return nullptr;
    return &Puzzles[static_cast<std::size_t>(index)];
}

const TPuzzle* TPackage::PuzzleAt(int64_t index) const {
    return const_cast<TPackage*>(this)->PuzzleAt(index);
}

}  // namespace app
