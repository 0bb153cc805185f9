#pragma once
// Window opacity and the screen areas that menus, lists and windows keep inside.

#include "platform/core/Types.h"

namespace platform::ui {
class TWindow;
}

namespace skin {

using platform::core::TRect;
using platform::ui::TWindow;

// Sets the opacity (0 transparent .. 255 opaque, clamped) of a window with the layered style.
// Nothing without a running window system or for a window that no longer exists.
void SetWindowAlpha(TWindow* window, int alpha);
// Whether the display can show window opacity at all (a compositor is running).
[[nodiscard]] bool SupportsLayeredWindows();
[[nodiscard]] bool HasMultiMonitor();
// The primary monitor's work area, or the whole primary screen from (0, 0); an empty rectangle
// without a running window system.
[[nodiscard]] TRect ScreenWorkArea(bool workArea);
// With several monitors, the work area (or the whole area) of the monitor nearest the window;
// otherwise ScreenWorkArea.
[[nodiscard]] TRect MonitorWorkArea(const TWindow* window, bool workArea);

}  // namespace skin
