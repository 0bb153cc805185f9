#include "app/BrowserControls.h"

#include <array>
#include <filesystem>
#include <fstream>

#include "app/DataDirs.h"
#include "platform/core/Files.h"

namespace app {

TBrowserPaths DefaultBrowserPaths() {
    return ResolveBrowserPaths(platform::core::ExecutablePath(), TDataDirs::FromEnvironment());
}

platform::core::TStartResult TProcessStarter::StartProgram(const std::string& path) {
    return platform::core::StartProgram(path);
}

std::string TProcessStarter::FindWine() {
    return platform::core::FindProgramOnPath("wine");
}

platform::core::TStartResult TProcessStarter::StartThrough(const std::string& runner,
                                                           const std::string& path) {
    // The runner starts in the file's folder, so a relative path would name another file there.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    const std::string file = ec ? path : absolute.lexically_normal().string();
    return platform::core::StartProgramWith({runner, file}, platform::core::ExtractFileDir(file));
}

bool IsWindowsExecutable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 2> signature{};
    return in.read(signature.data(), signature.size()) && signature[0] == 'M' && signature[1] == 'Z';
}

}  // namespace app
