#pragma once
// The desktop's notification area as a service: a program puts small icons with a tip into it and
// hears of the mouse actions on them. Which area a desktop offers is found at run time (the x11
// backend registers its chooser; the headless backend has a simulated one). When the area goes
// away and comes back (a panel restart), its icons are gone: listeners are told so they can add
// theirs again.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/backend/Backend.h"

namespace platform::ui {

class TWindowSystem;

enum class TTrayAction : uint8_t {
    MouseMove,
    MouseDown,
    MouseUp,
    DoubleClick,
    // Protocols that report whole actions instead of raw button events.
    Activate,           // primary action (a left click)
    SecondaryActivate,  // secondary action (a middle click)
    ContextMenu,        // the menu is wanted at Screen
    Scroll,
};

struct TTrayEvent {
    TTrayAction Action = TTrayAction::MouseMove;
    TMouseButton Button = TMouseButton::Left;
    core::TPoint Screen{};
    int Delta = 0;  // Scroll only
    bool Horizontal = false;
};

struct TTrayIconImage {
    gfx::TBitmap Pixmap;
    std::string Tip;
};

using TTrayEventHandler = std::function<void(const TTrayEvent&)>;

class TNotificationArea {
public:
    virtual ~TNotificationArea() = default;

    // "headless", "xembed", "sni" or "none".
    [[nodiscard]] virtual std::string Protocol() const = 0;
    // An area that takes icons exists now.
    [[nodiscard]] virtual bool Present() = 0;
    // The new icon's id (above 0), or 0 when there is no area or it refused the icon.
    virtual int AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) = 0;
    virtual bool ModifyIcon(int id, const TTrayIconImage& image) = 0;
    virtual void RemoveIcon(int id) = 0;

    // Told after the area restarted; every icon must be added again.
    int AddRestartListener(std::function<void()> listener);
    void RemoveRestartListener(int token);

protected:
    void NotifyRestarted();

private:
    std::map<int, std::function<void()>> m_restartListeners;
    int m_nextToken = 1;
};

// An area that is never there.
class TNoNotificationArea : public TNotificationArea {
public:
    [[nodiscard]] std::string Protocol() const override { return "none"; }
    [[nodiscard]] bool Present() override { return false; }
    int AddIcon(const TTrayIconImage&, TTrayEventHandler) override { return 0; }
    bool ModifyIcon(int, const TTrayIconImage&) override { return false; }
    void RemoveIcon(int) override {}
};

using TNotificationAreaFactory = std::function<std::unique_ptr<TNotificationArea>(TWindowSystem& system)>;

// The notification area of the running window system, made on first use by the factory of its
// backend (by name) and kept until another window system runs. Null without a window system.
[[nodiscard]] TNotificationArea* NotificationArea();
// Counts the areas made or installed: an icon added to an earlier one is gone.
[[nodiscard]] uint64_t NotificationAreaGeneration();
// Registers the factory for backends of that name ("headless", "x11").
void RegisterNotificationAreaFactory(const std::string& backendName, TNotificationAreaFactory factory);
// Puts an area in place for the running window system (tests, programs that choose their own);
// null forgets the current one so that the next use makes it again.
void InstallNotificationArea(std::unique_ptr<TNotificationArea> area);

}  // namespace platform::ui
