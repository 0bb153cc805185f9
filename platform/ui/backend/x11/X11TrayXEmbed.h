#pragma once
// The XEmbed system tray: each icon is a small window of its own that the tray manager (the
// owner of _NET_SYSTEM_TRAY_S<screen>) docks into its panel. The icon window paints the pixmap
// and receives the real button events, so presses, releases and double clicks are reported as
// they happen. A new manager announcing itself (a panel restart) counts as the area restarting.
//
// The tray keeps its own X connection, read by a 20 ms timer of the user-interface thread, so it
// does not depend on the backend's event loop.

#include <map>
#include <memory>
#include <string>

#include "platform/ui/NotificationArea.h"

namespace platform::ui {
class TWindow;
class TWindowSystem;
}  // namespace platform::ui

namespace platform::ui::x11 {

class TX11TrayXEmbed : public TNotificationArea {
public:
    // Opens its own connection to $DISPLAY; Usable() is false when it could not.
    explicit TX11TrayXEmbed(TWindowSystem& system);
    ~TX11TrayXEmbed() override;
    TX11TrayXEmbed(const TX11TrayXEmbed&) = delete;
    TX11TrayXEmbed& operator=(const TX11TrayXEmbed&) = delete;

    [[nodiscard]] bool Usable() const;
    [[nodiscard]] std::string Protocol() const override { return "xembed"; }
    [[nodiscard]] bool Present() override;
    int AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) override;
    bool ModifyIcon(int id, const TTrayIconImage& image) override;
    void RemoveIcon(int id) override;

    // Reads what the connection has (the timer does this; tests may call it). True when
    // anything was handled.
    bool Pump();
    // The X window of an icon (0 when there is none), for tests.
    [[nodiscard]] unsigned long IconWindow(int id) const;
    // The hover tip: shown now, and its window (0 until first shown), for tests.
    [[nodiscard]] bool TipShown() const;
    [[nodiscard]] unsigned long TipWindow() const;

    struct TImpl;

private:
    std::unique_ptr<TImpl> m_impl;
};

// Whether a tray manager owns the system-tray selection of the default screen of $DISPLAY.
[[nodiscard]] bool XEmbedManagerPresent();

}  // namespace platform::ui::x11
