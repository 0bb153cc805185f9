#pragma once
// StatusNotifierItem over the session bus: each icon is an item object on a connection of its
// own (its bus name registered with the watcher), with the pixmap at several sizes for the host
// to choose from and the tip as its tooltip. The host reports whole actions (Activate,
// SecondaryActivate, ContextMenu, Scroll) at screen positions; the program opens its own
// skinned menu there, so no menu is exported. When the watcher comes back (a panel restart),
// every item registers again.
//
// The connections are read by a 20 ms timer of the user-interface thread.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/NotificationArea.h"

namespace platform::ui {
class TWindowSystem;
}

namespace platform::ui::x11 {

// The watcher's well-known name and object path, and the item's path and interface.
inline constexpr const char* kSniWatcherName = "org.kde.StatusNotifierWatcher";
inline constexpr const char* kSniWatcherPath = "/StatusNotifierWatcher";
inline constexpr const char* kSniItemPath = "/StatusNotifierItem";
inline constexpr const char* kSniItemInterface = "org.kde.StatusNotifierItem";

class TX11TraySni : public TNotificationArea {
public:
    explicit TX11TraySni(TWindowSystem& system);
    ~TX11TraySni() override;
    TX11TraySni(const TX11TraySni&) = delete;
    TX11TraySni& operator=(const TX11TraySni&) = delete;

    // The session bus could be opened.
    [[nodiscard]] bool Usable() const;
    [[nodiscard]] std::string Protocol() const override { return "sni"; }
    // A watcher is on the bus.
    [[nodiscard]] bool Present() override;
    int AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) override;
    bool ModifyIcon(int id, const TTrayIconImage& image) override;
    void RemoveIcon(int id) override;

    // Handles what the connections have (the timer does this); true when anything was handled.
    bool Pump();
    // Told (from the pump) when a watcher appears on the bus or leaves it.
    void SetWatcherListener(std::function<void(bool present)> listener);
    // The bus name an icon registered under (empty when there is none).
    [[nodiscard]] std::string ServiceName(int id) const;

    struct TImpl;

private:
    std::unique_ptr<TImpl> m_impl;
};

// Whether a watcher is on the session bus ($DBUS_SESSION_BUS_ADDRESS).
[[nodiscard]] bool SniWatcherPresent();

}  // namespace platform::ui::x11
