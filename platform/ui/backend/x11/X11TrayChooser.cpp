#include "platform/ui/backend/x11/X11TrayChooser.h"

#include <memory>

#include "platform/ui/NotificationArea.h"
#include "platform/ui/backend/x11/X11TrayAuto.h"

namespace platform::ui::x11 {

void RegisterX11NotificationArea() {
    RegisterNotificationAreaFactory("x11", [](TWindowSystem& system) -> std::unique_ptr<TNotificationArea> {
        auto area = std::make_unique<TX11TrayAuto>(system);
        if (!area->Usable()) return nullptr;
        return area;
    });
}

}  // namespace platform::ui::x11
