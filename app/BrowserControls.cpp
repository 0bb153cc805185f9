#include "app/BrowserControls.h"

#include "app/DataDirs.h"
#include "platform/core/Files.h"

namespace app {

TBrowserPaths DefaultBrowserPaths() {
    return ResolveBrowserPaths(platform::core::ExecutablePath(), TDataDirs::FromEnvironment());
}

platform::core::TStartResult TProcessStarter::StartProgram(const std::string& path) {
    return platform::core::StartProgram(path);
}

}  // namespace app
