#include "app/program/BrowserProgram.h"

#include <algorithm>
#include <stdexcept>

#include "platform/core/Files.h"
#include "platform/forms/Application.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/TerminationSignals.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "skin/boxes/bsSkinBoxCtrlsRegister.h"
#include "skin/form/bsSkinFormRegister.h"

namespace app::program {

void RegisterProgramClasses() {
    skin::RegisterSkinFormClasses();
    skin::RegisterSkinBoxClasses();
}

TBrowserProgram::TBrowserProgram(std::unique_ptr<platform::ui::TBackend> backend)
    : m_backend(std::move(backend)) {}

TBrowserProgram::~TBrowserProgram() {
    if (m_ownSignals) platform::ui::TTerminationSignals::Uninstall();
    // The window and every form go with the application, before the window system.
    m_application.reset();
    m_system.reset();
}

void TBrowserProgram::Initialize() {
    if (!m_backend) {
        std::string error;
        m_backend = platform::ui::CreateDefaultBackend(error);
        if (!m_backend) throw std::runtime_error(error);
    }
    m_system = std::make_unique<platform::ui::TWindowSystem>(std::move(m_backend));
    m_application = std::make_unique<platform::forms::TApplication>();
    RegisterProgramClasses();
    InstallScreenshots();
}

bool TBrowserProgram::ClaimInstance(const std::string& name) {
    return m_system->Backend().ClaimInstance(name);
}

void TBrowserProgram::SetTitle(const std::string& title) {
    m_application->SetTitle(title);
}

void TBrowserProgram::CreateMainWindow(const TBrowserPaths& paths) {
    m_window = TBrowserWindow::Create(m_application.get(), paths, WindowOptions);
    if (!m_application->MainForm()) m_application->SetMainForm(m_window);
}

int TBrowserProgram::Run() {
    if (HandleSignals && !platform::ui::TTerminationSignals::Installed())
        m_ownSignals = platform::ui::TTerminationSignals::Install();
    const int code = m_application->Run();
    CloseMainWindow();
    return code;
}

void TBrowserProgram::CloseMainWindow() {
    // The loop also ends without the window's close: a termination signal, the display gone, a
    // script that ran out. The window's own close then runs here, so that one path writes the
    // settings and the packages' values alike (after a close it does nothing more).
    if (m_window == nullptr || m_application->MainForm() != m_window) return;
    m_window->Close();
}

void TBrowserProgram::InstallScreenshots() {
    platform::ui::TScreenCapture* capture = m_system->Backend().ScreenCapture();
    if (!capture || ScreenshotFolder.empty()) return;
    capture->SetIdleHook([this, capture, last = platform::gfx::TBitmap()]() mutable {
        // Only what was presented since the last look can have changed the screen.
        if (!capture->TakePresented()) return false;
        platform::gfx::TBitmap screen = capture->CaptureScreen();
        const bool same =
            screen.Width() == last.Width() && screen.Height() == last.Height() &&
            std::equal(screen.Bits(), screen.Bits() + screen.Width() * screen.Height(), last.Bits());
        if (!same) {
            const std::string path = platform::core::IncludeTrailingPathDelimiter(ScreenshotFolder) +
                                     "screen-" + std::to_string(++m_screenshots) + ".png";
            platform::gfx::SavePng(screen, path);
            last = std::move(screen);
        }
        return false;
    });
}

}  // namespace app::program
