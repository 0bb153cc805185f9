#include "app/Program.h"

#include "app/Global.h"

namespace app {

int RunPuzzleBrowser(IBrowserApplication& application, const TBrowserPaths& paths) {
    application.Initialize();
    application.SetTitle(std::string(kApplicationTitle));
    application.CreateMainWindow(paths);
    return application.Run();
}

}  // namespace app
