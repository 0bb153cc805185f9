#include "app/BrowserControls.h"

#include "platform/core/Files.h"

namespace app {

TBrowserPaths DefaultBrowserPaths() {
    const std::string exe = platform::core::ExecutablePath();
    return {platform::core::ChangeFileExt(exe, ".ini"), platform::core::ExtractFilePath(exe)};
}

platform::core::TStartResult TProcessStarter::StartProgram(const std::string& path) {
    return platform::core::StartProgram(path);
}

}  // namespace app
