#pragma once
// The program around the browser window: the display backend and window system, the application
// object, the skinned classes known to form resources, and the message loop.

#include <memory>
#include <string>

#include "app/BrowserControls.h"
#include "app/Program.h"
#include "app/program/BrowserWindow.h"

namespace platform::forms {
class TApplication;
}
namespace platform::ui {
class TBackend;
class TWindowSystem;
}  // namespace platform::ui

namespace app::program {

// Makes the program's component classes known to form resources (safe to call again).
void RegisterProgramClasses();

class TBrowserProgram : public IBrowserApplication {
public:
    // backend: the display to run on; null picks it from the environment (VK_BACKEND).
    explicit TBrowserProgram(std::unique_ptr<platform::ui::TBackend> backend = nullptr);
    ~TBrowserProgram() override;

    // Throws std::runtime_error when no display backend can start.
    void Initialize() override;
    // Through the display: a second browser for the same folder brings the first to the front.
    bool ClaimInstance(const std::string& name) override;
    void SetTitle(const std::string& title) override;
    void CreateMainWindow(const TBrowserPaths& paths) override;
    int Run() override;

    [[nodiscard]] platform::forms::TApplication* Application() const { return m_application.get(); }
    [[nodiscard]] platform::ui::TWindowSystem* System() const { return m_system.get(); }
    [[nodiscard]] TBrowserWindow* Window() const { return m_window; }

    // Given to the window when it is made.
    TBrowserWindowOptions WindowOptions;
    // Where the headless backend saves what the screen shows each time the program waits for
    // input (FOLDER/screen-1.png, screen-2.png, ...; a screen like the one before is not saved
    // again). Empty: nothing is saved.
    std::string ScreenshotFolder;
    // Whether Run makes SIGTERM, SIGHUP and SIGINT close the window (see TTerminationSignals);
    // the handlers stay until the program object goes.
    bool HandleSignals = true;

private:
    void InstallScreenshots();
    void CloseMainWindow();

    std::unique_ptr<platform::ui::TBackend> m_backend;
    std::unique_ptr<platform::ui::TWindowSystem> m_system;
    std::unique_ptr<platform::forms::TApplication> m_application;
    TBrowserWindow* m_window = nullptr;
    int m_screenshots = 0;
    bool m_ownSignals = false;
};

}  // namespace app::program
