#include "app/DataDirs.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "app/BrowserControls.h"
#include "app/SkinCatalog.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"

namespace app {

namespace fs = std::filesystem;

namespace {

std::string AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string HomeBased(const char* variable, const char* underHome) {
    std::string value = AbsoluteEnv(variable);
    if (!value.empty()) return value;
    const std::string home = AbsoluteEnv("HOME");
    return home.empty() ? std::string() : home + "/" + underHome;
}

// One file name for a whole path: "%" and "/" are escaped, so different folders never share one.
std::string EscapePath(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == '%')
            out += "%25";
        else if (c == '/')
            out += "%2F";
        else
            out += c;
    }
    return out;
}

}  // namespace

TDataDirs TDataDirs::FromEnvironment() {
    TDataDirs dirs;
    dirs.DataHome = HomeBased("XDG_DATA_HOME", ".local/share");
    dirs.ConfigHome = HomeBased("XDG_CONFIG_HOME", ".config");
    const char* list = std::getenv("XDG_DATA_DIRS");
    const std::string text = list != nullptr && list[0] != '\0' ? list : "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(':', start);
        if (end == std::string::npos) end = text.size();
        const std::string dir = text.substr(start, end - start);
        if (!dir.empty() && dir[0] == '/') dirs.DataDirs.push_back(dir);
        start = end + 1;
    }
    return dirs;
}

std::vector<std::string> TDataDirs::PackageFolders() const {
    std::vector<std::string> folders;
    const std::string tail = std::string("/") + kDataFolderName + "/packages";
    if (!DataHome.empty()) folders.push_back(DataHome + tail);
    for (const std::string& dir : DataDirs) folders.push_back(dir + tail);
    return folders;
}

std::vector<std::string> TDataDirs::SkinFolders() const {
    std::vector<std::string> folders;
    const std::string tail = std::string("/") + kDataFolderName + "/" + kSkinFolderName;
    if (!DataHome.empty()) folders.push_back(DataHome + tail);
    for (const std::string& dir : DataDirs) folders.push_back(dir + tail);
    return folders;
}

std::string TDataDirs::ConfigFolder() const {
    return ConfigHome.empty() ? std::string() : ConfigHome + "/" + kDataFolderName;
}

bool CanReplaceFile(const std::string& path) {
    const std::string folder = platform::core::ExtractFileDir(path);
    if (access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0) return false;
    return !fs::exists(path) || access(path.c_str(), W_OK) == 0;
}

TBrowserPaths ResolveBrowserPaths(const std::string& exePath, const TDataDirs& dirs) {
    TBrowserPaths paths{platform::core::ChangeFileExt(exePath, ".ini"), platform::core::ExtractFilePath(exePath),
                        dirs.PackageFolders()};
    paths.SkinFolders.push_back(platform::core::ExtractFilePath(exePath) + kSkinFolderName);
    for (std::string& folder : dirs.SkinFolders()) paths.SkinFolders.push_back(std::move(folder));
    const std::string config = dirs.ConfigFolder();
    if (CanReplaceFile(paths.SettingsFileName) || config.empty()) return paths;
    const std::string copy = config + "/" + platform::core::ExtractFileName(paths.SettingsFileName);
    std::error_code ec;
    if (!fs::exists(copy) && platform::core::FileExists(paths.SettingsFileName)) {
        fs::create_directories(config, ec);
        if (const auto bytes = platform::core::ReadFileBytes(paths.SettingsFileName))
            platform::core::WriteFileAtomic(copy, bytes->data(), bytes->size());
    }
    paths.SettingsFileName = copy;
    return paths;
}

std::string PackageValuesPath(const std::string& packageDir, const TDataDirs& dirs) {
    const std::string config = dirs.ConfigFolder();
    if (config.empty()) return {};
    std::error_code ec;
    fs::path absolute = fs::weakly_canonical(fs::absolute(packageDir, ec), ec);
    if (ec) absolute = packageDir;
    return config + "/packages/" + EscapePath(absolute.string()) + ".ini";
}

TUserValues::TUserValues(platform::core::TIniFile& own) : m_own(own) {
    if (!CanReplaceFile(own.FileName()))
        m_copyPath = PackageValuesPath(platform::core::ExtractFileDir(own.FileName()), TDataDirs::FromEnvironment());
}

int32_t TUserValues::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    if (Redirected()) {
        const platform::core::TIniFile copy(m_copyPath);
        if (copy.ValueExists(section, key)) return copy.ReadInteger(section, key, def);
    }
    return m_own.ReadInteger(section, key, def);
}

bool TUserValues::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!Redirected()) return m_own.WriteString(section, key, value);
    std::error_code ec;
    fs::create_directories(fs::path(m_copyPath).parent_path(), ec);
    platform::core::TIniFile copy(m_copyPath);
    return copy.WriteString(section, key, value);
}

bool TUserValues::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, platform::core::IntToStr(value));
}

}  // namespace app
