#pragma once
// The program's entry sequence, over the application object that the window system provides.

#include <string>

#include "app/BrowserControls.h"

namespace app {

class IBrowserApplication {
public:
    virtual ~IBrowserApplication() = default;
    virtual void Initialize() = 0;
    // Claims the program folder for this process (one browser per folder, so that two never
    // write the same ini files). False when a browser already runs there; it has been brought
    // to the front, and this one ends.
    virtual bool ClaimInstance(const std::string& /*name*/) { return true; }
    virtual void SetTitle(const std::string& title) = 0;
    // Creates the browser window from its form resource: every component first, then the
    // window's create handler (TBrowser::FormCreate) with these paths.
    virtual void CreateMainWindow(const TBrowserPaths& paths) = 0;
    // Runs the message loop until the main window has closed; returns the exit code.
    virtual int Run() = 0;
};

// The name a browser claims for its program folder (paths.PackageFolder, made canonical).
[[nodiscard]] std::string InstanceName(const TBrowserPaths& paths);

// Initialise, claim the program folder (another browser there: end at once with 0), set the
// title, create the main window, run until it closes.
int RunPuzzleBrowser(IBrowserApplication& application, const TBrowserPaths& paths);

}  // namespace app
