// Window position, size, z-order of children, visibility and window states.

#include "platform/ui/WindowPlacement.h"

#include <algorithm>

#include "platform/ui/FocusManager.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/MoveSizeLoop.h"
#include "platform/ui/PaintScheduler.h"
#include "platform/ui/ScreenScale.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

core::TRect TWindowPlacement::CalcClientArea(TWindow* window, const core::TRect& rect) {
    core::TRect r = rect;
    m_system.SendMessage(window, WM_NCCALCSIZE, 0, PtrToLParam(&r));
    // Window coordinates, kept inside the window.
    core::TRect c = r.Offset(-rect.Left, -rect.Top);
    const int w = rect.Width(), h = rect.Height();
    c.Left = std::clamp(c.Left, 0, w);
    c.Top = std::clamp(c.Top, 0, h);
    c.Right = std::clamp(c.Right, c.Left, w);
    c.Bottom = std::clamp(c.Bottom, c.Top, h);
    return c;
}

void TWindowPlacement::ApplyBounds(TWindow* window, const core::TRect& rect, bool frameChanged, bool redraw) {
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
    if (!m_system.IsWindow(window)) return;
    TPaintScheduler& painter = m_system.Painter();
    if (!window->m_parent) {
        if (window->m_messageOnly) return;
        if (window->m_native && m_desktopChange != window->m_id)
            window->m_native->SetBounds(ToDevice(rect, m_system.Scale()));
        painter.EnsureBackBuffer(window);
        if ((sized || frameChanged) && visible) painter.RedrawAll(window);
        return;
    }
    if (visible && redraw) {
        painter.InvalidateInTopLevel(window->TopLevel(), oldArea);
        painter.RedrawAll(window);
    }
}

bool TWindowPlacement::Restack(TWindow* window, TWindow* insertAfter) {
    if (!window->m_parent) {
        if (insertAfter) return false;
        const std::vector<TWindow*>& tops = m_system.Tree().TopLevels();
        const bool changed = tops.empty() || tops.front() != window;
        m_system.Tree().RaiseTopLevel(window);
        return changed;
    }
    auto& siblings = window->m_parent->m_children;
    std::erase(siblings, window);
    auto at = siblings.begin();
    if (insertAfter && insertAfter->m_parent == window->m_parent) {
        at = std::find(siblings.begin(), siblings.end(), insertAfter);
        if (at != siblings.end()) ++at;
    }
    siblings.insert(at, window);
    if (window->IsWindowVisible()) m_system.Painter().RedrawAll(window);
    return true;
}

bool TWindowPlacement::SetWindowPos(TWindow* window, TWindow* insertAfter, const core::TRect& rect,
                                    uint32_t flags) {
    if (!m_system.IsWindow(window)) return false;
    TWindowPos pos{window, insertAfter, rect.Left, rect.Top, rect.Width(), rect.Height(), flags};
    if (flags & SWP_NOMOVE) {
        pos.X = window->m_rect.Left;
        pos.Y = window->m_rect.Top;
    }
    if (flags & SWP_NOSIZE) {
        pos.Cx = window->Width();
        pos.Cy = window->Height();
    }
    if (!(flags & SWP_NOSENDCHANGING))
        m_system.SendMessage(window, WM_WINDOWPOSCHANGING, 0, PtrToLParam(&pos));
    if (!m_system.IsWindow(window)) return false;
    const core::TRect newRect = core::Bounds(pos.X, pos.Y, std::max(0, pos.Cx), std::max(0, pos.Cy));
    const bool moved = newRect.Left != window->m_rect.Left || newRect.Top != window->m_rect.Top;
    const bool sized = newRect.Width() != window->Width() || newRect.Height() != window->Height();
    const bool frame = (pos.Flags & SWP_FRAMECHANGED) != 0;
    const bool zChanged = !(pos.Flags & SWP_NOZORDER) && Restack(window, pos.InsertAfter);
    if (moved || sized || frame) ApplyBounds(window, newRect, frame, !(pos.Flags & SWP_NOREDRAW));
    if (!m_system.IsWindow(window)) return false;
    if (pos.Flags & SWP_SHOWWINDOW) ShowWindow(window, (pos.Flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (pos.Flags & SWP_HIDEWINDOW) ShowWindow(window, SW_HIDE);
    if (!m_system.IsWindow(window)) return false;
    if (moved || sized || frame || zChanged) {
        pos.Cx = newRect.Width();
        pos.Cy = newRect.Height();
        if (!moved) pos.Flags |= SWP_NOMOVE;
        if (!sized) pos.Flags |= SWP_NOSIZE;
        m_system.SendMessage(window, WM_WINDOWPOSCHANGED, 0, PtrToLParam(&pos));
    }
    if (!(pos.Flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && !window->m_parent && window->IsVisible())
        m_system.Focus().SetActiveWindow(window);
    return m_system.IsWindow(window);
}

void TWindowPlacement::SendToBack(TWindow* window) {
    if (!m_system.IsWindow(window)) return;
    if (!window->m_parent) {
        m_system.Tree().LowerTopLevel(window);
        return;
    }
    auto& siblings = window->m_parent->m_children;
    if (siblings.back() == window) return;
    std::erase(siblings, window);
    siblings.push_back(window);
    if (window->IsWindowVisible()) m_system.Painter().InvalidateWhere(window);
}

// ---- Showing and hiding --------------------------------------------------------------------------

TWindowPlacement::TShowRequest TWindowPlacement::ParseShowCommand(TShowState current, int cmd) {
    TShowRequest r{current};
    switch (cmd) {
        case SW_HIDE:
            r.Show = false;
            break;
        case SW_SHOWMINIMIZED:
            r.State = TShowState::Minimized;
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            r.State = TShowState::Minimized;
            r.Activate = false;
            break;
        case SW_SHOWMAXIMIZED:
            r.State = TShowState::Maximized;
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
            r.State = TShowState::Normal;
            break;
        case SW_SHOWNOACTIVATE:
        case SW_SHOWNA:
            r.Activate = false;
            break;
        default:
            break;  // SW_SHOW and unknown commands show
    }
    return r;
}

bool TWindowPlacement::ShowWindow(TWindow* window, int cmd) {
    if (!m_system.IsWindow(window) || window->m_destroying) return false;
    const bool wasVisible = window->IsVisible();
    if (window->m_messageOnly) return wasVisible;

    TShowRequest request = ParseShowCommand(window->m_showState, cmd);
    if (window->IsNoActivate()) request.Activate = false;
    if (!window->m_parent && request.State != window->m_showState) SetShowState(window, request.State);
    if (!m_system.IsWindow(window)) return wasVisible;

    if (request.Show && !wasVisible) {
        m_system.SendMessage(window, WM_SHOWWINDOW, 1, 0);
        if (m_system.IsWindow(window)) Reveal(window, request.Activate);
    } else if (request.Show && request.Activate && !window->m_parent && !window->IsIconic()) {
        m_system.Focus().SetActiveWindow(window);
    } else if (!request.Show && wasVisible) {
        m_system.SendMessage(window, WM_SHOWWINDOW, 0, 0);
        if (m_system.IsWindow(window)) Conceal(window);
    }
    return wasVisible;
}

void TWindowPlacement::Reveal(TWindow* window, bool activate) {
    window->m_style |= WS_VISIBLE;
    if (!window->m_parent) {
        ShowTopLevel(window, true, activate && !window->IsIconic());
    } else {
        m_system.Painter().RedrawAll(window);
    }
}

void TWindowPlacement::Conceal(TWindow* window) {
    window->m_style &= ~WS_VISIBLE;
    if (m_system.MoveSize().WindowId() == window->m_id) m_system.MoveSize().End(true);
    if (window->Contains(m_system.Input().Capture())) m_system.Input().ReleaseCapture();
    if (window->Contains(m_system.Focus().Focus())) m_system.Focus().FocusLost(window);
    if (!window->m_parent) {
        ShowTopLevel(window, false, false);
    } else if (window->m_parent->IsWindowVisible()) {
        m_system.Painter().InvalidateWhere(window);
    }
}

void TWindowPlacement::ShowTopLevel(TWindow* window, bool show, bool activate) {
    if (window->m_messageOnly) return;
    if (show) {
        if (window->m_native && !window->IsIconic()) window->m_native->SetVisible(true);
        m_system.Tree().RaiseTopLevel(window);
        m_system.Painter().RedrawAll(window);
        if (activate) m_system.Focus().SetActiveWindow(window);
        return;
    }
    if (window->m_native) window->m_native->SetVisible(false);
    if (m_system.Focus().Active() == window) m_system.Focus().ActivateNextAfter(window);
}

// ---- Window states -----------------------------------------------------------------------------------

TMinMaxInfo TWindowPlacement::QueryMinMax(TWindow* window) {
    const TMonitor mon = m_system.MonitorFromWindow(window);
    TMinMaxInfo mmi;
    mmi.MaxSize = {mon.WorkArea.Width(), mon.WorkArea.Height()};
    mmi.MaxPosition = mon.WorkArea.TopLeft();
    const bool framed = (window->m_style & (WS_CAPTION | WS_THICKFRAME)) != 0;
    mmi.MinTrackSize = framed ? core::TPoint{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}
                              : core::TPoint{1, 1};
    mmi.MaxTrackSize = {m_system.GetSystemMetrics(SM_CXMAXTRACK), m_system.GetSystemMetrics(SM_CYMAXTRACK)};
    m_system.SendMessage(window, WM_GETMINMAXINFO, 0, PtrToLParam(&mmi));
    return mmi;
}

core::TRect TWindowPlacement::StateTarget(TWindow* window, TShowState old, TShowState state,
                                          const core::TRect& before) {
    if (state == TShowState::Maximized) {
        const TMinMaxInfo mmi = QueryMinMax(window);
        return core::Bounds(mmi.MaxPosition.X, mmi.MaxPosition.Y, mmi.MaxSize.X, mmi.MaxSize.Y);
    }
    if (state == TShowState::Normal && old == TShowState::Maximized) return window->m_normalRect;
    return before;
}

void TWindowPlacement::SetShowState(TWindow* window, TShowState state) {
    const TShowState old = window->m_showState;
    if (old == state) return;
    if (old == TShowState::Normal) window->m_normalRect = window->m_rect;
    const core::TRect before = window->m_rect;
    window->m_showState = state;
    if (window->m_native && m_desktopChange != window->m_id)
        window->m_native->SetMinimized(state == TShowState::Minimized);

    const core::TRect target = StateTarget(window, old, state, before);
    if (!m_system.IsWindow(window)) return;
    if (state == TShowState::Minimized) {
        if (m_system.Focus().Active() == window) m_system.Focus().ActivateNextAfter(window);
        if (window->Contains(m_system.Focus().Focus())) m_system.Focus().FocusLost(window);
    }
    if (target != before) SetWindowPos(window, nullptr, target, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!m_system.IsWindow(window)) return;
    if (target == before) {
        const int type = state == TShowState::Minimized   ? SIZE_MINIMIZED
                         : state == TShowState::Maximized ? SIZE_MAXIMIZED
                                                          : SIZE_RESTORED;
        m_system.SendMessage(window, WM_SIZE, static_cast<TWParam>(type),
                             MakeLParam(window->m_client.Width(), window->m_client.Height()));
    }
    if (state == TShowState::Normal && old == TShowState::Minimized) m_system.Painter().RedrawAll(window);
}

void TWindowPlacement::ApplyDesktopBounds(TWindow* window, const core::TRect& screen) {
    m_desktopChange = window->m_id;
    SetWindowPos(window, nullptr, screen, SWP_NOZORDER | SWP_NOACTIVATE);
    m_desktopChange = 0;
}

void TWindowPlacement::ApplyDesktopState(TWindow* window, TShowState state) {
    m_desktopChange = window->m_id;
    SetShowState(window, state);
    m_desktopChange = 0;
}

}  // namespace platform::ui
