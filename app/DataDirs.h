#pragma once
// Where the browser finds packages and where it keeps what the user chose, for portable and for
// installed use. Portable (a writable program folder): packages beside the program, settings in
// the program's and the packages' own ini files. Installed: packages also under the XDG data
// folders; what cannot be written into a read-only program or package folder goes to the XDG
// configuration folder instead and is read back from there first.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/IniFile.h"

namespace app {

struct TBrowserPaths;

// The folder name under the XDG data and configuration folders.
inline constexpr const char* kDataFolderName = "vondrakel-puzzle-browser";

struct TDataDirs {
    std::string DataHome;               // $XDG_DATA_HOME, default ~/.local/share
    std::vector<std::string> DataDirs;  // $XDG_DATA_DIRS, default /usr/local/share:/usr/share
    std::string ConfigHome;             // $XDG_CONFIG_HOME, default ~/.config; empty: none known

    // From the environment; relative paths are ignored, as the XDG rules ask.
    [[nodiscard]] static TDataDirs FromEnvironment();

    // <DataHome>/<name>/packages, then <each of DataDirs>/<name>/packages.
    [[nodiscard]] std::vector<std::string> PackageFolders() const;
    // <DataHome>/<name>/skins, then <each of DataDirs>/<name>/skins.
    [[nodiscard]] std::vector<std::string> SkinFolders() const;
    // <ConfigHome>/<name>, or empty when no configuration folder is known.
    [[nodiscard]] std::string ConfigFolder() const;
};

// Whether a file can be replaced the way the ini files write (a new file beside it, then a
// rename): its folder must be writable, and the file too if it exists.
[[nodiscard]] bool CanReplaceFile(const std::string& path);

// The settings file and package folders of the program at exePath: the program's own ini file
// where it can be written, else its copy in the configuration folder (made from the program's
// file the first time, so nothing read before is lost).
[[nodiscard]] TBrowserPaths ResolveBrowserPaths(const std::string& exePath, const TDataDirs& dirs);

// Where the user's values of the package in packageDir go when its folder is read-only.
[[nodiscard]] std::string PackageValuesPath(const std::string& packageDir, const TDataDirs& dirs);

// A package's [User] and [Severity] values: in its own ini file where that can be written;
// otherwise written to its file in the configuration folder, and read from there first.
class TUserValues {
public:
    explicit TUserValues(platform::core::TIniFile& own);

    [[nodiscard]] int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);

    [[nodiscard]] bool Redirected() const { return !m_copyPath.empty(); }

private:
    platform::core::TIniFile& m_own;
    std::string m_copyPath;  // empty: the package's own file is written
};

}  // namespace app
