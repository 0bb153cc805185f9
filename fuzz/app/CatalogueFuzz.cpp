// Fuzzes the catalogue's reading of a package folder: the input names the folder's files and
// gives its PuzzlePackage.ini. Layout: file names, one per line, then an empty line, then the
// ini bytes. Properties: the scan ends; a package is either accepted or reported with exactly one
// message; an accepted one holds a puzzle per claimed puzzle and names only files inside its
// folder; its close writes only [User] and [Severity] and leaves a readable file behind.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/PackageList.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"

namespace {

constexpr std::size_t kMaxFiles = 40;

void Check(bool condition) {
    if (!condition) std::abort();
}

const std::string& Base() {
    static const std::string base = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "vk-fuzz-catalogue-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr);
        return pattern;
    }();
    return base;
}

bool Usable(std::string_view name) {
    return !name.empty() && name.size() < 200 && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Inside(const std::string& path, const std::string& folder) {
    return path.compare(0, folder.size() + 1, folder + "/") == 0 &&
           path.find('/', folder.size() + 1) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find("\n\n");
    const std::string_view names = split == std::string_view::npos ? std::string_view() : input.substr(0, split);
    const std::string_view ini = split == std::string_view::npos ? input : input.substr(split + 2);

    const std::string dir = Base() + "/pkg";
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directory(dir, ec);
    std::size_t files = 0;
    for (std::size_t start = 0; start <= names.size() && files < kMaxFiles;) {
        const std::size_t end = std::min(names.find('\n', start), names.size());
        const std::string_view name = names.substr(start, end - start);
        if (Usable(name) && name != app::kPackageIniName) {
            WriteFile(dir + "/" + std::string(name), "\xFF\xD8");
            ++files;
        }
        start = end + 1;
    }
    const std::string iniPath = dir + "/" + app::kPackageIniName;
    WriteFile(iniPath, ini);

    std::vector<std::string> messages;
    std::string packageBefore;
    {
        app::TPackageList list(Base(), [&](const std::string& text) { messages.push_back(text); });
        Check(list.Count() + messages.size() == 1);
        if (list.Count() == 0) return 0;
        app::TPackage& package = *list.Items(0);
        Check(package.PuzzleCount >= 1 && package.PuzzleCount <= static_cast<int32_t>(files));
        Check(package.Puzzles.size() == static_cast<std::size_t>(package.PuzzleCount));
        for (int32_t i = 0; i < package.PuzzleCount; ++i) {
            Check(Inside(package.PreviewPath(i), dir));
            Check(platform::core::FileExists(package.PreviewPath(i)));
            Check(Inside(package.PuzzleExecutablePath(i, package.Puzzles[static_cast<std::size_t>(i)].Severity), dir));
        }
        platform::core::TStringList values;
        package.ReadSectionValues("Package", values);
        packageBefore = values.Text();
        package.Puzzles.back().Severity = 3;
        package.SeverityDirty = true;
        package.LastPuzzle = package.PuzzleCount - 1;
        package.LastPuzzleDirty = true;
    }
    // The close wrote what it could: the [Package] section is never touched.
    platform::core::TIniFile after(iniPath);
    Check(after.Readable());
    platform::core::TStringList values;
    after.ReadSectionValues("Package", values);
    Check(values.Text() == packageBefore);
    return 0;
}
