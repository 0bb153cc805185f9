#include "app/Program.h"

#include <filesystem>

#include "app/DataDirs.h"
#include "app/Global.h"

namespace app {

std::string InstanceName(const TBrowserPaths& paths) {
    std::error_code ec;
    std::filesystem::path folder =
        std::filesystem::weakly_canonical(std::filesystem::absolute(paths.PackageFolder, ec), ec);
    if (ec) folder = paths.PackageFolder;
    std::string name = folder.string();
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    return std::string(kDataFolderName) + " " + name;
}

int RunPuzzleBrowser(IBrowserApplication& application, const TBrowserPaths& paths) {
    application.Initialize();
    if (!application.ClaimInstance(InstanceName(paths))) return 0;
    application.SetTitle(std::string(kApplicationTitle));
    application.CreateMainWindow(paths);
    return application.Run();
}

}  // namespace app
