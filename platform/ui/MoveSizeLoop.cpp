// The move and size loop.

#include "platform/ui/MoveSizeLoop.h"

#include <algorithm>

#include "platform/ui/InputRouter.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {

uint32_t ButtonKey(TMouseButton b) {
    return b == TMouseButton::Left ? VK_LBUTTON : b == TMouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

}  // namespace

bool TMoveSizeLoop::Begin(TWindow* window, uint32_t command) {
    if (!m_system.IsWindow(window) || window->Parent() || window->IsMessageOnly() || Running()) return false;
    const uint32_t sc = command & 0xFFF0;
    const int edge = static_cast<int>(command & 0x000F);
    if (sc != SC_MOVE && sc != SC_SIZE) return false;
    if (sc == SC_SIZE && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)) return false;
    // Only a pressed left button drives the loop; keyboard moving is not offered.
    if (!m_system.Input().IsDown(VK_LBUTTON)) return false;

    const TMinMaxInfo mmi = m_system.Placement().QueryMinMax(window);
    if (!m_system.IsWindow(window)) return false;
    m_state = {};
    m_state.WindowId = window->Id();
    m_state.Command = sc;
    m_state.Edge = sc == SC_SIZE ? edge : 0;
    m_state.Start = m_system.GetCursorPos();
    m_state.StartRect = window->WindowRect();
    m_state.Current = window->WindowRect();
    m_state.MinTrack = mmi.MinTrackSize;
    m_state.MaxTrack = mmi.MaxTrackSize;
    return true;
}

void TMoveSizeLoop::Run(TWindow* window, uint32_t command) {
    if (!Begin(window, command)) return;
    m_system.Backend().GrabPointer(window->Native());
    m_system.SendMessage(window, WM_ENTERSIZEMOVE, 0, 0);
    const uint64_t id = window->Id();
    m_system.Queue().RunModal(
        [this, id] { return m_state.WindowId != id || m_state.Ended || !m_system.FindWindow(id); });

    TWindow* w = m_system.FindWindow(id);
    const bool cancelled = m_state.WindowId == id && m_state.Cancelled;
    const core::TRect startRect = m_state.StartRect;
    if (m_state.WindowId == id) m_state = {};
    TWindow* capture = m_system.Input().Capture();
    m_system.Backend().GrabPointer(capture ? capture->TopLevel()->Native() : nullptr);
    if (!w) return;
    if (cancelled && w->WindowRect() != startRect)
        m_system.SetWindowPos(w, nullptr, startRect, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_system.IsWindow(w)) m_system.SendMessage(w, WM_EXITSIZEMOVE, 0, 0);
}

void TMoveSizeLoop::End(bool cancel) {
    if (!Running()) return;
    m_state.Ended = true;
    m_state.Cancelled = m_state.Cancelled || cancel;
}

void TMoveSizeLoop::Forget(const TWindow* window) {
    if (m_state.WindowId == window->Id()) m_state = {};
}

bool TMoveSizeLoop::Input(const TInputEvent& e) {
    TWindow* w = m_system.FindWindow(m_state.WindowId);
    if (!w) {
        m_state.Ended = true;
        return false;
    }
    TInputRouter& input = m_system.Input();
    switch (e.Kind) {
        case TInputKind::MouseMove:
            input.SetPointer(e.ScreenPos);
            if (!m_state.Ended) Track(w, e.ScreenPos);
            return true;
        case TInputKind::ButtonUp:
            input.SetPointer(e.ScreenPos);
            input.SyncModifiers(e.Modifiers);
            input.SetKeyDown(ButtonKey(e.Button), false);
            if (e.Button == TMouseButton::Left && !m_state.Ended) {
                Track(w, e.ScreenPos);
                End(false);
            }
            return true;
        case TInputKind::ButtonDown:
            input.SetPointer(e.ScreenPos);
            input.SetKeyDown(ButtonKey(e.Button), true);
            return true;
        case TInputKind::KeyDown:
            input.SetKeyDown(e.VirtualKey, true);
            if (e.VirtualKey == VK_ESCAPE) End(true);
            if (e.VirtualKey == VK_RETURN) End(false);
            return true;
        case TInputKind::KeyUp:
            input.SetKeyDown(e.VirtualKey, false);
            return true;
        case TInputKind::Char:
        case TInputKind::Wheel:
            return true;
        default:
            return false;  // desktop events go their usual way
    }
}

core::TRect TMoveSizeLoop::Sized(core::TRect r, int dx, int dy) const {
    const int e = m_state.Edge;
    const bool left = e == WMSZ_LEFT || e == WMSZ_TOPLEFT || e == WMSZ_BOTTOMLEFT;
    const bool right = e == WMSZ_RIGHT || e == WMSZ_TOPRIGHT || e == WMSZ_BOTTOMRIGHT;
    const bool top = e == WMSZ_TOP || e == WMSZ_TOPLEFT || e == WMSZ_TOPRIGHT;
    const bool bottom = e == WMSZ_BOTTOM || e == WMSZ_BOTTOMLEFT || e == WMSZ_BOTTOMRIGHT;
    if (left) r.Left += dx;
    if (right) r.Right += dx;
    if (top) r.Top += dy;
    if (bottom) r.Bottom += dy;
    // The track size holds the edge that does not move.
    const int minW = std::max(0, m_state.MinTrack.X), minH = std::max(0, m_state.MinTrack.Y);
    const int maxW = std::max(minW, m_state.MaxTrack.X), maxH = std::max(minH, m_state.MaxTrack.Y);
    const int width = std::clamp(r.Width(), minW, maxW);
    const int height = std::clamp(r.Height(), minH, maxH);
    if (left) {
        r.Left = r.Right - width;
    } else {
        r.Right = r.Left + width;
    }
    if (top) {
        r.Top = r.Bottom - height;
    } else {
        r.Bottom = r.Top + height;
    }
    return r;
}

void TMoveSizeLoop::Track(TWindow* window, core::TPoint pointer) {
    const int dx = pointer.X - m_state.Start.X;
    const int dy = pointer.Y - m_state.Start.Y;
    core::TRect r = m_state.StartRect;
    if (m_state.Command == SC_MOVE) {
        r = r.Offset(dx, dy);
        m_system.SendMessage(window, WM_MOVING, 0, PtrToLParam(&r));
    } else {
        r = Sized(r, dx, dy);
        m_system.SendMessage(window, WM_SIZING, static_cast<TWParam>(m_state.Edge), PtrToLParam(&r));
    }
    if (!m_system.IsWindow(window)) return;
    m_state.Current = r;
    if (r != window->WindowRect()) m_system.SetWindowPos(window, nullptr, r, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::ui
