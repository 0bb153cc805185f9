#pragma once
// The program's entry sequence, over the application object that the window system provides.

#include <string>

#include "app/BrowserControls.h"

namespace app {

class IBrowserApplication {
public:
    virtual ~IBrowserApplication() = default;
    virtual void Initialize() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // Creates the browser window from its form resource: every component first, then the
    // window's create handler (TBrowser::FormCreate) with these paths.
    virtual void CreateMainWindow(const TBrowserPaths& paths) = 0;
    // Runs the message loop until the main window has closed; returns the exit code.
    virtual int Run() = 0;
};

// Initialise, set the title, create the main window, run until it closes.
int RunPuzzleBrowser(IBrowserApplication& application, const TBrowserPaths& paths);

}  // namespace app
