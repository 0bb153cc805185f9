#pragma once
// Monitors from RandR (its monitor list, or the active CRTCs of older servers, or the screen
// alone), with work areas from the desktop's _NET_WORKAREA clipped to each monitor.

#include <optional>
#include <vector>

#include "platform/core/Types.h"
#include "platform/ui/backend/Backend.h"
#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

struct TX11Atoms;

// Gives each monitor the part of the desktop's work area that lies on it; a monitor that the
// work area misses, or every monitor when there is none, keeps its whole rectangle. The primary
// monitor (index primary, if valid) comes first; the others keep their order.
[[nodiscard]] std::vector<TMonitor> BuildMonitors(const std::vector<core::TRect>& bounds, int primary,
                                                  const std::optional<core::TRect>& workArea);

// Asks the server. Never empty.
[[nodiscard]] std::vector<TMonitor> QueryMonitors(Display* display, int screen, const TX11Atoms& atoms,
                                                  bool haveRandr);

}  // namespace platform::ui::x11
