// Window position, size, z-order, visibility, window states and attributes.

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

core::TRect TWindowSystem::CalcClientArea(TWindow* window, const core::TRect& rect) {
    core::TRect r = rect;
    SendMessage(window, WM_NCCALCSIZE, 0, PtrToLParam(&r));
    // Window coordinates, kept inside the window.
    core::TRect c = r.Offset(-rect.Left, -rect.Top);
    const int w = rect.Width(), h = rect.Height();
    c.Left = std::clamp(c.Left, 0, w);
    c.Top = std::clamp(c.Top, 0, h);
    c.Right = std::clamp(c.Right, c.Left, w);
    c.Bottom = std::clamp(c.Bottom, c.Top, h);
    return c;
}

void TWindowSystem::ApplyBounds(TWindow* window, const core::TRect& rect, bool frameChanged, bool redraw) {
    const core::TRect old = window->m_rect;
    const bool sized = old.Width() != rect.Width() || old.Height() != rect.Height();
    const bool visible = window->IsWindowVisible();
    gfx::TRegion oldArea;
    if (window->m_parent && visible) {
        const core::TPoint off = window->OffsetInTopLevel();
        oldArea = gfx::TRegion(core::Bounds(off.X, off.Y, old.Width(), old.Height()));
    }
    window->m_rect = rect;
    if (sized || frameChanged) window->m_client = CalcClientArea(window, rect);
    if (!IsWindow(window)) return;
    if (!window->m_parent) {
        if (window->m_messageOnly) return;
        if (window->m_native && m_desktopChange != window->m_id) m_backend->SetBounds(window->m_native, rect);
        EnsureBackBuffer(window);
        if ((sized || frameChanged) && visible) RedrawAll(window);
        return;
    }
    if (visible && redraw) {
        InvalidateInTopLevel(window->TopLevel(), oldArea);
        RedrawAll(window);
    }
}

bool TWindowSystem::SetWindowPos(TWindow* window, TWindow* insertAfter, const core::TRect& rect,
                                 uint32_t flags) {
    if (!IsWindow(window)) return false;
    TWindowPos pos{window, insertAfter, rect.Left, rect.Top, rect.Width(), rect.Height(), flags};
    if (flags & SWP_NOMOVE) {
        pos.X = window->m_rect.Left;
        pos.Y = window->m_rect.Top;
    }
    if (flags & SWP_NOSIZE) {
        pos.Cx = window->Width();
        pos.Cy = window->Height();
    }
    if (!(flags & SWP_NOSENDCHANGING)) SendMessage(window, WM_WINDOWPOSCHANGING, 0, PtrToLParam(&pos));
    if (!IsWindow(window)) return false;
    pos.Cx = std::max(0, pos.Cx);
    pos.Cy = std::max(0, pos.Cy);
    const core::TRect newRect = core::Bounds(pos.X, pos.Y, pos.Cx, pos.Cy);
    const bool moved = newRect.Left != window->m_rect.Left || newRect.Top != window->m_rect.Top;
    const bool sized = newRect.Width() != window->Width() || newRect.Height() != window->Height();
    const bool frame = (pos.Flags & SWP_FRAMECHANGED) != 0;
    bool zChanged = false;

    if (!(pos.Flags & SWP_NOZORDER)) {
        if (!window->m_parent) {
            if (!pos.InsertAfter) {
                zChanged = m_topLevels.empty() || m_topLevels.front() != window;
                RaiseTopLevel(window);
            }
        } else {
            auto& siblings = window->m_parent->m_children;
            std::erase(siblings, window);
            auto at = siblings.begin();
            if (pos.InsertAfter && pos.InsertAfter->m_parent == window->m_parent) {
                at = std::find(siblings.begin(), siblings.end(), pos.InsertAfter);
                if (at != siblings.end()) ++at;
            }
            siblings.insert(at, window);
            zChanged = true;
            if (window->IsWindowVisible()) RedrawAll(window);
        }
    }
    if (moved || sized || frame) ApplyBounds(window, newRect, frame, !(pos.Flags & SWP_NOREDRAW));
    if (!IsWindow(window)) return false;
    if (pos.Flags & SWP_SHOWWINDOW) ShowWindow(window, (pos.Flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (pos.Flags & SWP_HIDEWINDOW) ShowWindow(window, SW_HIDE);
    if (!IsWindow(window)) return false;
    if (moved || sized || frame || zChanged) {
        if (!moved) pos.Flags |= SWP_NOMOVE;
        if (!sized) pos.Flags |= SWP_NOSIZE;
        SendMessage(window, WM_WINDOWPOSCHANGED, 0, PtrToLParam(&pos));
    }
    if (!(pos.Flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && !window->m_parent && window->IsVisible())
        SetActiveWindow(window);
    return IsWindow(window);
}

void TWindowSystem::MoveWindow(TWindow* window, const core::TRect& rect, bool repaint) {
    SetWindowPos(window, nullptr, rect, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void TWindowSystem::RaiseTopLevel(TWindow* window) {
    auto isTopmost = [](const TWindow* w) { return (w->m_exStyle & WS_EX_TOPMOST) != 0; };
    std::erase(m_topLevels, window);
    auto at = m_topLevels.begin();
    if (!isTopmost(window))
        while (at != m_topLevels.end() && isTopmost(*at)) ++at;
    m_topLevels.insert(at, window);
    if (window->m_native && window->IsVisible()) m_backend->Raise(window->m_native);
    // Owned windows stay above their owner.
    std::vector<TWindow*> owned;
    for (TWindow* t : m_topLevels)
        if (t->m_owner == window && t != window) owned.push_back(t);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) RaiseTopLevel(*it);
}

void TWindowSystem::BringToTop(TWindow* window) {
    if (!IsWindow(window)) return;
    SetWindowPos(window, nullptr, {}, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWindowSystem::SendToBack(TWindow* window) {
    if (!IsWindow(window)) return;
    if (!window->m_parent) {
        std::erase(m_topLevels, window);
        m_topLevels.push_back(window);
        return;
    }
    auto& siblings = window->m_parent->m_children;
    if (siblings.back() == window) return;
    const core::TPoint off = window->OffsetInTopLevel();
    std::erase(siblings, window);
    siblings.push_back(window);
    if (window->IsWindowVisible())
        InvalidateInTopLevel(window->TopLevel(),
                             gfx::TRegion(core::Bounds(off.X, off.Y, window->Width(), window->Height())));
}

void TWindowSystem::ShowTopLevel(TWindow* window, bool show, bool activate) {
    if (window->m_messageOnly) return;
    if (show) {
        if (window->m_native && !window->IsIconic()) m_backend->SetVisible(window->m_native, true);
        RaiseTopLevel(window);
        RedrawAll(window);
        if (activate) SetActiveWindow(window);
        return;
    }
    if (window->m_native) m_backend->SetVisible(window->m_native, false);
    if (m_active == window) ActivateNextAfter(window);
}

bool TWindowSystem::ShowWindow(TWindow* window, int cmd) {
    if (!IsWindow(window) || window->m_destroying) return false;
    const bool wasVisible = window->IsVisible();
    if (window->m_messageOnly) return wasVisible;

    TShowState state = window->m_showState;
    bool show = true;
    bool activate = true;
    switch (cmd) {
        case SW_HIDE:
            show = false;
            break;
        case SW_SHOWMINIMIZED:
            state = TShowState::Minimized;
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            state = TShowState::Minimized;
            activate = false;
            break;
        case SW_SHOWMAXIMIZED:
            state = TShowState::Maximized;
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
            state = TShowState::Normal;
            break;
        case SW_SHOWNOACTIVATE:
        case SW_SHOWNA:
            activate = false;
            break;
        default:
            break;  // SW_SHOW and unknown commands show
    }
    if (window->IsNoActivate()) activate = false;
    if (!window->m_parent && state != window->m_showState) SetShowState(window, state);
    if (!IsWindow(window)) return wasVisible;

    if (show && !wasVisible) {
        SendMessage(window, WM_SHOWWINDOW, 1, 0);
        if (!IsWindow(window)) return wasVisible;
        window->m_style |= WS_VISIBLE;
        if (!window->m_parent) {
            ShowTopLevel(window, true, activate && !window->IsIconic());
        } else {
            RedrawAll(window);
        }
    } else if (show && activate && !window->m_parent && !window->IsIconic()) {
        SetActiveWindow(window);
    } else if (!show && wasVisible) {
        SendMessage(window, WM_SHOWWINDOW, 0, 0);
        if (!IsWindow(window)) return wasVisible;
        const core::TPoint off = window->OffsetInTopLevel();
        window->m_style &= ~WS_VISIBLE;
        if (m_moveSize.WindowId == window->m_id) EndMoveSize(true);
        if (window->Contains(m_capture)) ReleaseCapture();
        if (window->Contains(m_focus)) FocusLost(window);
        if (!window->m_parent) {
            ShowTopLevel(window, false, false);
        } else if (window->m_parent->IsWindowVisible()) {
            InvalidateInTopLevel(window->TopLevel(),
                                 gfx::TRegion(core::Bounds(off.X, off.Y, window->Width(), window->Height())));
        }
    }
    return wasVisible;
}

TMinMaxInfo TWindowSystem::QueryMinMax(TWindow* window) {
    const TMonitor mon = MonitorFromWindow(window);
    TMinMaxInfo mmi;
    mmi.MaxSize = {mon.WorkArea.Width(), mon.WorkArea.Height()};
    mmi.MaxPosition = mon.WorkArea.TopLeft();
    const bool framed = (window->m_style & (WS_CAPTION | WS_THICKFRAME)) != 0;
    mmi.MinTrackSize = framed ? core::TPoint{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}
                              : core::TPoint{1, 1};
    mmi.MaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessage(window, WM_GETMINMAXINFO, 0, PtrToLParam(&mmi));
    return mmi;
}

void TWindowSystem::SetShowState(TWindow* window, TShowState state) {
    const TShowState old = window->m_showState;
    if (old == state) return;
    if (old == TShowState::Normal) window->m_normalRect = window->m_rect;
    const core::TRect before = window->m_rect;
    window->m_showState = state;
    if (window->m_native && m_desktopChange != window->m_id)
        m_backend->SetMinimized(window->m_native, state == TShowState::Minimized);

    core::TRect target = before;
    if (state == TShowState::Maximized) {
        const TMinMaxInfo mmi = QueryMinMax(window);
        target = core::Bounds(mmi.MaxPosition.X, mmi.MaxPosition.Y, mmi.MaxSize.X, mmi.MaxSize.Y);
    } else if (state == TShowState::Normal && old == TShowState::Maximized) {
        target = window->m_normalRect;
    }
    if (!IsWindow(window)) return;
    if (state == TShowState::Minimized) {
        if (m_active == window) ActivateNextAfter(window);
        if (window->Contains(m_focus)) FocusLost(window);
    }
    if (target != before) SetWindowPos(window, nullptr, target, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!IsWindow(window)) return;
    if (target == before) {
        const int type = state == TShowState::Minimized   ? SIZE_MINIMIZED
                         : state == TShowState::Maximized ? SIZE_MAXIMIZED
                                                          : SIZE_RESTORED;
        SendMessage(window, WM_SIZE, static_cast<TWParam>(type),
                    MakeLParam(window->m_client.Width(), window->m_client.Height()));
    }
    if (state == TShowState::Normal && old == TShowState::Minimized) RedrawAll(window);
}

bool TWindowSystem::EnableWindow(TWindow* window, bool enable) {
    if (!IsWindow(window)) return false;
    const bool was = window->IsEnabled();
    if (was == enable) return was;
    if (!enable) {
        SendMessage(window, WM_CANCELMODE, 0, 0);
        if (!IsWindow(window)) return was;
        if (window->Contains(m_focus)) FocusLost(window);
        if (window->Contains(m_capture)) ReleaseCapture();
        window->m_style |= WS_DISABLED;
    } else {
        window->m_style &= ~WS_DISABLED;
    }
    SendMessage(window, WM_ENABLE, enable ? 1 : 0, 0);
    return was;
}

void TWindowSystem::SetWindowText(TWindow* window, const std::string& text) {
    if (!IsWindow(window)) return;
    SendMessage(window, WM_SETTEXT, 0, PtrToLParam(text.c_str()));
}

void TWindowSystem::SetWindowIcon(TWindow* window, const gfx::TBitmap* icon) {
    if (!IsWindow(window)) return;
    window->m_icon = icon && !icon->Empty() ? std::make_unique<gfx::TBitmap>(*icon) : nullptr;
    if (window->m_native) m_backend->SetIcon(window->m_native, window->m_icon.get());
    RedrawFrame(window);
}

void TWindowSystem::SetWindowStyle(TWindow* window, uint32_t style) {
    if (!IsWindow(window)) return;
    constexpr uint32_t kKept = WS_VISIBLE | WS_DISABLED | WS_CHILD;
    window->m_style = (style & ~kKept) | (window->m_style & kKept);
}

void TWindowSystem::SetWindowExStyle(TWindow* window, uint32_t exStyle) {
    if (!IsWindow(window)) return;
    const uint32_t old = window->m_exStyle;
    window->m_exStyle = exStyle;
    if (window->m_parent || !window->m_native) return;
    if ((old ^ exStyle) & WS_EX_TOPMOST) {
        m_backend->SetTopmost(window->m_native, (exStyle & WS_EX_TOPMOST) != 0);
        RaiseTopLevel(window);
    }
    if ((old ^ exStyle) & WS_EX_LAYERED) UpdateNativeAlpha(window);
}

void TWindowSystem::SetWindowRgn(TWindow* window, std::optional<gfx::TRegion> region, bool redraw) {
    if (!IsWindow(window)) return;
    window->m_region = std::move(region);
    if (!window->m_parent) {
        if (window->m_native)
            m_backend->SetShape(window->m_native, window->m_region ? &*window->m_region : nullptr);
        return;
    }
    if (redraw && window->IsWindowVisible()) {
        const core::TPoint off = window->OffsetInTopLevel();
        InvalidateInTopLevel(window->TopLevel(),
                             gfx::TRegion(core::Bounds(off.X, off.Y, window->Width(), window->Height())));
    }
}

void TWindowSystem::SetLayeredAlpha(TWindow* window, uint8_t alpha) {
    if (!IsWindow(window)) return;
    window->m_alpha = alpha;
    UpdateNativeAlpha(window);
}

void TWindowSystem::UpdateNativeAlpha(TWindow* window) {
    if (window->m_parent || !window->m_native) return;
    const uint8_t alpha = (window->m_exStyle & WS_EX_LAYERED) ? window->m_alpha : 255;
    if (alpha == window->m_lastPresentedAlpha) return;
    window->m_lastPresentedAlpha = alpha;
    m_backend->SetOpacity(window->m_native, alpha);
}

bool TWindowSystem::SupportsLayeredWindows() {
    return m_backend->SupportsOpacity();
}

}  // namespace platform::ui
