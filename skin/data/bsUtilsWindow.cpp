#include "skin/data/bsUtilsWindow.h"

#include <algorithm>

#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace skin {

using platform::ui::TWindowSystem;

void SetWindowAlpha(TWindow* window, int alpha) {
    TWindowSystem* system = TWindowSystem::Current();
    if (!system || !system->IsWindow(window)) return;
    system->SetLayeredAlpha(window, static_cast<uint8_t>(std::clamp(alpha, 0, 255)));
}

bool SupportsLayeredWindows() {
    TWindowSystem* system = TWindowSystem::Current();
    return system && system->SupportsLayeredWindows();
}

bool HasMultiMonitor() {
    TWindowSystem* system = TWindowSystem::Current();
    return system && system->Monitors().size() > 1;
}

TRect ScreenWorkArea(bool workArea) {
    TWindowSystem* system = TWindowSystem::Current();
    if (!system) return {};
    if (workArea) return system->WorkArea();
    return {0, 0, system->GetSystemMetrics(platform::ui::SM_CXSCREEN),
            system->GetSystemMetrics(platform::ui::SM_CYSCREEN)};
}

TRect MonitorWorkArea(const TWindow* window, bool workArea) {
    TWindowSystem* system = TWindowSystem::Current();
    if (!system || system->Monitors().size() <= 1) return ScreenWorkArea(workArea);
    const platform::ui::TMonitor monitor = system->MonitorFromWindow(window);
    return workArea ? monitor.WorkArea : monitor.Bounds;
}

}  // namespace skin
