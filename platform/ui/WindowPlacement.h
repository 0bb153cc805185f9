#pragma once
// Window placement and attributes: position and size (WM_WINDOWPOSCHANGING, WM_NCCALCSIZE,
// WM_WINDOWPOSCHANGED), the z-order of children, showing and hiding, the window states
// (minimised, maximised, normal), enabling, and the attributes a native window shows (title,
// icon, shape, opacity, topmost). Changes the desktop made itself are recorded without being sent
// back to it.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/core/Types.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

namespace platform::ui {

class TWindowSystem;

class TWindowPlacement {
public:
    explicit TWindowPlacement(TWindowSystem& system) : m_system(system) {}

    // See the position, state and attribute members of TWindowSystem.
    bool SetWindowPos(TWindow* window, TWindow* insertAfter, const core::TRect& rect, uint32_t flags);
    void SendToBack(TWindow* window);
    bool ShowWindow(TWindow* window, int cmd);
    bool EnableWindow(TWindow* window, bool enable);
    void SetWindowIcon(TWindow* window, const gfx::TBitmap* icon);
    void SetWindowStyle(TWindow* window, uint32_t style);
    void SetWindowExStyle(TWindow* window, uint32_t exStyle);
    void SetWindowRgn(TWindow* window, std::optional<gfx::TRegion> region, bool redraw);
    void SetLayeredAlpha(TWindow* window, uint8_t alpha);

    // WM_NCCALCSIZE for a window rectangle; the client area in window coordinates.
    core::TRect CalcClientArea(TWindow* window, const core::TRect& rect);
    TMinMaxInfo QueryMinMax(TWindow* window);
    void SetShowState(TWindow* window, TShowState state);
    // The desktop moved, sized, minimised or restored the window itself: apply it without
    // asking the desktop again.
    void ApplyDesktopBounds(TWindow* window, const core::TRect& screen);
    void ApplyDesktopState(TWindow* window, TShowState state);

private:
    struct TShowRequest {
        TShowState State;
        bool Show = true;
        bool Activate = true;
    };
    static TShowRequest ParseShowCommand(TShowState current, int cmd);
    void Reveal(TWindow* window, bool activate);
    void Conceal(TWindow* window);
    void ShowTopLevel(TWindow* window, bool show, bool activate);
    bool Restack(TWindow* window, TWindow* insertAfter);
    void ApplyBounds(TWindow* window, const core::TRect& rect, bool frameChanged, bool redraw);
    core::TRect StateTarget(TWindow* window, TShowState old, TShowState state, const core::TRect& before);
    void UpdateNativeAlpha(TWindow* window);

    TWindowSystem& m_system;
    uint64_t m_desktopChange = 0;  // the window whose desktop-made change is applied: not echoed back
};

}  // namespace platform::ui
