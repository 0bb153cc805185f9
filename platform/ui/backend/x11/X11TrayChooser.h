#pragma once
// Registers the x11 notification area, made when a program first asks for one: StatusNotifierItem
// while a watcher is on the session bus, else the XEmbed system tray (which reports no area until
// a tray manager owns the selection, and picks one up when it appears); the area follows the
// desktop from one protocol to the other while the program runs (X11TrayAuto.h).

namespace platform::ui::x11 {

void RegisterX11NotificationArea();

}  // namespace platform::ui::x11
