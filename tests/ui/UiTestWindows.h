#pragma once
// Window creation shortcuts for the ui tests.

#include "platform/ui/WindowSystem.h"

namespace vktest {

inline platform::ui::TWindow* MakeTopLevel(platform::ui::TWindowSystem& ws, platform::core::TRect bounds,
                                           platform::ui::TWndProc proc,
                                           uint32_t style = platform::ui::WS_POPUP, uint32_t exStyle = 0,
                                           uint32_t classStyle = 0) {
    platform::ui::TCreateParams p;
    p.Bounds = bounds;
    p.Style = style | platform::ui::WS_VISIBLE;
    p.ExStyle = exStyle;
    p.ClassStyle = classStyle;
    p.WndProc = std::move(proc);
    return ws.CreateWindow(p);
}

inline platform::ui::TWindow* MakeChild(platform::ui::TWindowSystem& ws, platform::ui::TWindow* parent,
                                        platform::core::TRect bounds, platform::ui::TWndProc proc,
                                        uint32_t style = 0, uint32_t classStyle = 0) {
    platform::ui::TCreateParams p;
    p.Bounds = bounds;
    p.Parent = parent;
    p.Style = style | platform::ui::WS_CHILD | platform::ui::WS_VISIBLE;
    p.ClassStyle = classStyle;
    p.WndProc = std::move(proc);
    return ws.CreateWindow(p);
}

}  // namespace vktest
