// tray_demo: a skinned window with a tray icon and skinned hints.
//
//   tray_demo [--screenshot FILE.png]
//
// The tray icon goes to the desktop's notification area (a StatusNotifierItem host or an XEmbed
// system tray, whichever the desktop has); without one there is no icon and "Minimize to tray"
// minimises. With VK_BACKEND=headless the program runs without a display; --screenshot shows the
// close button's hint and the tray menu, saves the screen as a PNG and exits.

#include <cstdio>
#include <memory>
#include <string>

#include "TrayDemoForm.h"
#include "platform/forms/Application.h"
#include "platform/ui/NotificationArea.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

namespace {

// The close button's hint and the tray menu, as a user would see them.
bool SaveScreenshot(platform::forms::TApplication& app, platform::ui::headless::THeadlessBackend& backend,
                    example::TTrayDemoForm& form, const std::string& path) {
    app.ProcessMessages();
    if (skin::TbsActiveSkinObject* close = form.SkinForm->FindObject("closebutton")) {
        const auto r = close->ObjectRect;
        platform::ui::TWindowSystem::Instance().SetCursorPos(
            {form.Left() + (r.Left + r.Right) / 2, form.Top() + (r.Top + r.Bottom) / 2});
        form.Hint->ShowSkinHint(close->Hint);
        form.Hint->PopUpNow();
    }
    form.TrayMenu->Popup(700, 420);
    app.ProcessMessages();
    return backend.SaveScreenshot(path);
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: tray_demo [--screenshot FILE.png]\n");
            return 2;
        }
    }
    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "tray_demo: %s\n", error.c_str());
        return 1;
    }
    auto* headless = dynamic_cast<platform::ui::headless::THeadlessBackend*>(backend.get());
    platform::ui::TWindowSystem system(std::move(backend));
    int exitCode = 0;
    {
        platform::forms::TApplication app;
        app.SetTitle("Tray demo");
        auto* form = new example::TTrayDemoForm(&app, VK_TRAY_DEMO_SKIN);
        app.SetMainForm(form);
        form->Show();
        if (platform::ui::TNotificationArea* area = platform::ui::NotificationArea())
            std::fprintf(stderr, "tray_demo: notification area: %s%s\n", area->Protocol().c_str(),
                         area->Present() ? "" : " (none present)");
        if (!screenshot.empty()) {
            if (!headless) {
                std::fprintf(stderr, "tray_demo: --screenshot needs VK_BACKEND=headless\n");
                return 2;
            }
            if (!SaveScreenshot(app, *headless, *form, screenshot)) {
                std::fprintf(stderr, "tray_demo: cannot write %s\n", screenshot.c_str());
                return 1;
            }
            return 0;
        }
        exitCode = app.Run();
    }
    platform::ui::InstallNotificationArea(nullptr);
    return exitCode;
}
