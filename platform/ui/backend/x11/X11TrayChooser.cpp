#include "platform/ui/backend/x11/X11TrayChooser.h"

#include <memory>

#include "platform/ui/NotificationArea.h"
#include "platform/ui/backend/x11/X11TraySni.h"
#include "platform/ui/backend/x11/X11TrayXEmbed.h"

namespace platform::ui::x11 {

void RegisterX11NotificationArea() {
    RegisterNotificationAreaFactory("x11", [](TWindowSystem& system) -> std::unique_ptr<TNotificationArea> {
        if (SniWatcherPresent()) {
            auto sni = std::make_unique<TX11TraySni>(system);
            if (sni->Usable()) return sni;
        }
        auto xembed = std::make_unique<TX11TrayXEmbed>(system);
        if (xembed->Usable()) return xembed;
        return nullptr;
    });
}

}  // namespace platform::ui::x11
