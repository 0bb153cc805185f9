#pragma once
// The window object: one per windowed control, form, menu, list or hint. Windows are created,
// changed and destroyed through TWindowSystem (its TWindowTree owns them); this class holds a
// window's state and its window procedure. A TWindow* stays valid until the window is destroyed
// (after its WM_NCDESTROY); keep it only as long as that.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Messages.h"
#include "platform/ui/backend/Backend.h"

namespace platform::gfx {
class TBitmap;
}

namespace platform::ui {

class TWindowSystem;

// A window procedure. To put one in front of another, keep the value SetWndProc returns and
// call it for the messages the new procedure passes on; the last one in a chain usually ends in
// DefWindowProc.
using TWndProc = std::function<TLResult(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam)>;

struct TCreateParams {
    std::string Text;           // caption; a top-level's title on the desktop
    uint32_t Style = 0;         // WS_*; WS_CHILD needs a Parent
    uint32_t ExStyle = 0;       // WS_EX_*
    uint32_t ClassStyle = 0;    // CS_*
    core::TRect Bounds;         // parent client coordinates; screen coordinates for a top-level
    TWindow* Parent = nullptr;  // child windows
    TWindow* Owner = nullptr;   // top-level windows that stay with (above) another
    TWndProc WndProc;           // empty: DefWindowProc only
    void* UserData = nullptr;
    // A window that only receives messages and timers: no native window, never shown.
    bool MessageOnly = false;
};

enum class TShowState : uint8_t { Normal, Minimized, Maximized };

class TWindow {
public:
    ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    // Never reused within a process; queued messages and timers refer to windows by it.
    [[nodiscard]] uint64_t Id() const { return m_id; }
    [[nodiscard]] TWindowSystem& System() const { return *m_system; }
    // True from the start of DestroyWindow on.
    [[nodiscard]] bool IsDestroying() const { return m_destroying; }

    // ---- Tree ----
    [[nodiscard]] TWindow* Parent() const { return m_parent; }
    [[nodiscard]] TWindow* Owner() const { return m_owner; }
    // Top of the z-order first.
    [[nodiscard]] const std::vector<TWindow*>& Children() const { return m_children; }
    [[nodiscard]] TWindow* TopLevel();
    [[nodiscard]] const TWindow* TopLevel() const;
    [[nodiscard]] bool IsTopLevel() const { return m_parent == nullptr; }
    [[nodiscard]] bool IsMessageOnly() const { return m_messageOnly; }
    // The backend's window of a top-level window (0 for child and message-only windows).
    [[nodiscard]] TNativeId NativeId() const { return m_native ? m_native->Id() : 0; }
    // A top-level window's native window, null for others.
    [[nodiscard]] TNativeWindow* Native() const { return m_native.get(); }
    // True when other is this window or lies below it.
    [[nodiscard]] bool Contains(const TWindow* other) const;

    // ---- Geometry ----
    // Parent client coordinates; screen coordinates for a top-level window.
    [[nodiscard]] core::TRect WindowRect() const { return m_rect; }
    [[nodiscard]] int Width() const { return m_rect.Width(); }
    [[nodiscard]] int Height() const { return m_rect.Height(); }
    // (0, 0, client width, client height).
    [[nodiscard]] core::TRect ClientRect() const;
    // The client area in window coordinates, as WM_NCCALCSIZE placed it.
    [[nodiscard]] core::TRect ClientArea() const { return m_client; }
    [[nodiscard]] core::TRect ScreenRect() const;
    [[nodiscard]] core::TPoint ClientToScreen(core::TPoint p) const;
    [[nodiscard]] core::TPoint ScreenToClient(core::TPoint p) const;
    [[nodiscard]] core::TPoint WindowToScreen(core::TPoint p) const;
    [[nodiscard]] core::TPoint ScreenToWindow(core::TPoint p) const;
    // The window's top-left in its top-level window's coordinates (its back buffer).
    [[nodiscard]] core::TPoint OffsetInTopLevel() const;

    // ---- Styles ----
    [[nodiscard]] uint32_t Style() const { return m_style; }
    [[nodiscard]] uint32_t ExStyle() const { return m_exStyle; }
    [[nodiscard]] uint32_t ClassStyle() const { return m_classStyle; }
    [[nodiscard]] bool HasStyle(uint32_t bits) const { return (m_style & bits) == bits; }
    [[nodiscard]] bool HasExStyle(uint32_t bits) const { return (m_exStyle & bits) == bits; }

    // ---- State ----
    [[nodiscard]] bool IsVisible() const { return (m_style & WS_VISIBLE) != 0; }
    // This window and all its ancestors are visible.
    [[nodiscard]] bool IsWindowVisible() const;
    [[nodiscard]] bool IsEnabled() const { return (m_style & WS_DISABLED) == 0; }
    // This window and all its ancestors are enabled.
    [[nodiscard]] bool IsWindowEnabled() const;
    [[nodiscard]] TShowState ShowState() const { return m_showState; }
    [[nodiscard]] bool IsIconic() const { return m_showState == TShowState::Minimized; }
    [[nodiscard]] bool IsZoomed() const { return m_showState == TShowState::Maximized; }
    // The bounds to restore while minimised or maximised; the window rectangle otherwise.
    [[nodiscard]] core::TRect NormalRect() const;
    // Windows that take no activation and no keyboard focus (WS_EX_NOACTIVATE on the top level).
    [[nodiscard]] bool IsNoActivate() const;

    [[nodiscard]] const std::string& Text() const { return m_text; }
    [[nodiscard]] const gfx::TBitmap* Icon() const { return m_icon.get(); }
    // Window opacity, 255 = opaque; shown only with WS_EX_LAYERED.
    [[nodiscard]] uint8_t Alpha() const { return m_alpha; }
    // The window region (window coordinates), or none for a rectangular window.
    [[nodiscard]] const std::optional<gfx::TRegion>& Region() const { return m_region; }
    // Whether a window-coordinate point is inside the window's rectangle and region.
    [[nodiscard]] bool HitsShape(core::TPoint windowPoint) const;

    [[nodiscard]] void* UserData() const { return m_userData; }
    void SetUserData(void* data) { m_userData = data; }

    // ---- Window procedure ----
    [[nodiscard]] const TWndProc& WndProc() const;
    // Installs proc and returns the one it replaces. An empty proc means DefWindowProc.
    TWndProc SetWndProc(TWndProc proc);

    // ---- Shortcuts to the window system ----
    TLResult Send(uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
    bool Post(uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
    void Invalidate(bool erase = true);
    void InvalidateRect(const core::TRect& clientRect, bool erase = true);
    void Update();
    void SetText(const std::string& text);
    void SetBounds(const core::TRect& rect);
    void Show(int cmd = SW_SHOW);

private:
    friend class TWindowSystem;
    friend class TWindowTree;
    friend class TWindowPlacement;
    friend class TMessageQueue;
    friend class TInputRouter;
    friend class TFocusManager;
    friend class TPaintScheduler;
    friend class TMoveSizeLoop;
    friend class TNonClient;
    TWindow(TWindowSystem& system, uint64_t id);

    TWindowSystem* m_system;
    uint64_t m_id;
    TWindow* m_parent = nullptr;
    TWindow* m_owner = nullptr;
    std::vector<TWindow*> m_children;
    core::TRect m_rect{};
    core::TRect m_client{};
    uint32_t m_style = 0;
    uint32_t m_exStyle = 0;
    uint32_t m_classStyle = 0;
    std::string m_text;
    std::unique_ptr<gfx::TBitmap> m_icon;
    uint8_t m_alpha = 255;
    std::optional<gfx::TRegion> m_region;
    // Shared so that a procedure that replaces itself keeps running to its end.
    std::shared_ptr<const TWndProc> m_proc;
    void* m_userData = nullptr;
    bool m_messageOnly = false;
    bool m_destroying = false;
    bool m_created = false;
    int m_busy = 0;  // procedures of this window running now; it is freed only at 0

    // Painting: the client update region (client coordinates), whether it still needs erasing,
    // and whether the frame must be painted.
    gfx::TRegion m_update;
    bool m_erase = false;
    bool m_frameDirty = false;
    bool m_beganPaint = false;  // BeginPaint ran during the current WM_PAINT

    // Top-level windows only.
    std::unique_ptr<TNativeWindow> m_native;
    std::shared_ptr<gfx::TBitmap> m_backBuffer;
    gfx::TRegion m_dirty;  // painted but not yet presented (window coordinates)
    TShowState m_showState = TShowState::Normal;
    core::TRect m_normalRect{};
    uint8_t m_lastPresentedAlpha = 255;
};

}  // namespace platform::ui
