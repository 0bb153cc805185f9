#pragma once
// Registers the x11 choice of notification area, made when a program first asks for one:
// StatusNotifierItem when a watcher is on the session bus, else the XEmbed system tray (which
// reports no area until a tray manager owns the selection, and picks one up when it appears).

namespace platform::ui::x11 {

void RegisterX11NotificationArea();

}  // namespace platform::ui::x11
