#include "platform/ui/backend/BackendFactory.h"

#include <cstdlib>
#include <string_view>

#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "platform/ui/backend/x11/X11CursorImage.h"
#include "platform/ui/backend/x11/X11TrayChooser.h"

namespace platform::ui {

std::unique_ptr<TBackend> CreateDefaultBackend(std::string& error) {
    const char* value = std::getenv("VK_BACKEND");
    const std::string_view choice = value ? value : "";
    if (choice == "headless") {
        headless::THeadlessScreen screen;
        screen.Scale = headless::HeadlessScaleFromEnvironment();
        screen.Width *= screen.Scale;
        screen.Height *= screen.Scale;
        return std::make_unique<headless::THeadlessBackend>(std::move(screen));
    }
    x11::RegisterX11NotificationArea();
    x11::RegisterX11CursorImageSource();
    if (choice.empty() || choice == "x11") return x11::CreateX11Backend(error);
    error = "VK_BACKEND=" + std::string(choice) + " names no backend (use headless or x11)";
    return nullptr;
}

}  // namespace platform::ui
