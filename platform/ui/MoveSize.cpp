// The move and size loop: a nested loop that follows the pointer with the window until the left
// button goes up (Escape puts the window back). Posted messages, paint and timers keep flowing;
// pointer and keyboard input belong to the loop.

#include <algorithm>

#include "platform/ui/WindowSystem.h"

namespace platform::ui {

void TWindowSystem::RunMoveSizeLoop(TWindow* window, uint32_t command) {
    if (!IsWindow(window) || window->m_parent || window->m_messageOnly || InMoveSizeLoop()) return;
    const uint32_t sc = command & 0xFFF0;
    const int edge = static_cast<int>(command & 0x000F);
    if (sc != SC_MOVE && sc != SC_SIZE) return;
    if (sc == SC_SIZE && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)) return;
    // Only a pressed left button drives the loop; keyboard moving is not offered.
    if (!(m_keys[VK_LBUTTON] & 0x80)) return;

    const TMinMaxInfo mmi = QueryMinMax(window);
    if (!IsWindow(window)) return;
    m_moveSize = {};
    m_moveSize.WindowId = window->m_id;
    m_moveSize.Command = sc;
    m_moveSize.Edge = sc == SC_SIZE ? edge : 0;
    m_moveSize.Start = GetCursorPos();
    m_moveSize.StartRect = window->m_rect;
    m_moveSize.Current = window->m_rect;
    m_moveSize.MinTrack = mmi.MinTrackSize;
    m_moveSize.MaxTrack = mmi.MaxTrackSize;
    m_backend->SetPointerGrab(window->m_native);

    SendMessage(window, WM_ENTERSIZEMOVE, 0, 0);
    const uint64_t id = window->m_id;
    RunModalLoop([this, id] { return m_moveSize.WindowId != id || m_moveSize.Ended || !Resolve(id); });

    TWindow* w = Resolve(id);
    const bool cancelled = m_moveSize.WindowId == id && m_moveSize.Cancelled;
    const core::TRect startRect = m_moveSize.StartRect;
    if (m_moveSize.WindowId == id) m_moveSize = {};
    m_backend->SetPointerGrab(m_capture ? m_capture->TopLevel()->m_native : 0);
    if (!w) return;
    if (cancelled && w->m_rect != startRect)
        SetWindowPos(w, nullptr, startRect, SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsWindow(w)) SendMessage(w, WM_EXITSIZEMOVE, 0, 0);
}

void TWindowSystem::EndMoveSize(bool cancel) {
    if (!InMoveSizeLoop()) return;
    m_moveSize.Ended = true;
    m_moveSize.Cancelled = m_moveSize.Cancelled || cancel;
}

bool TWindowSystem::MoveSizeInput(const TInputEvent& e) {
    TWindow* w = Resolve(m_moveSize.WindowId);
    if (!w) {
        m_moveSize.Ended = true;
        return false;
    }
    if (e.Kind == TInputKind::MouseMove || e.Kind == TInputKind::ButtonDown || e.Kind == TInputKind::ButtonUp)
        m_pointer = e.ScreenPos;
    switch (e.Kind) {
        case TInputKind::MouseMove:
            if (!m_moveSize.Ended) MoveSizeTrack(w, e.ScreenPos);
            return true;
        case TInputKind::ButtonUp:
            SyncModifiers(e.Modifiers);
            SetKeyDown(e.Button == TMouseButton::Left    ? VK_LBUTTON
                       : e.Button == TMouseButton::Right ? VK_RBUTTON
                                                         : VK_MBUTTON,
                       false);
            if (e.Button == TMouseButton::Left && !m_moveSize.Ended) {
                MoveSizeTrack(w, e.ScreenPos);
                EndMoveSize(false);
            }
            return true;
        case TInputKind::ButtonDown:
            SetKeyDown(e.Button == TMouseButton::Left    ? VK_LBUTTON
                       : e.Button == TMouseButton::Right ? VK_RBUTTON
                                                         : VK_MBUTTON,
                       true);
            return true;
        case TInputKind::KeyDown:
            SetKeyDown(e.VirtualKey, true);
            if (e.VirtualKey == VK_ESCAPE) EndMoveSize(true);
            if (e.VirtualKey == VK_RETURN) EndMoveSize(false);
            return true;
        case TInputKind::KeyUp:
            SetKeyDown(e.VirtualKey, false);
            return true;
        case TInputKind::Char:
        case TInputKind::Wheel:
            return true;
        default:
            return false;  // desktop events go their usual way
    }
}

void TWindowSystem::MoveSizeTrack(TWindow* window, core::TPoint pointer) {
    const int dx = pointer.X - m_moveSize.Start.X;
    const int dy = pointer.Y - m_moveSize.Start.Y;
    core::TRect r = m_moveSize.StartRect;
    if (m_moveSize.Command == SC_MOVE) {
        r = r.Offset(dx, dy);
        SendMessage(window, WM_MOVING, 0, PtrToLParam(&r));
    } else {
        const int e = m_moveSize.Edge;
        const bool left = e == WMSZ_LEFT || e == WMSZ_TOPLEFT || e == WMSZ_BOTTOMLEFT;
        const bool right = e == WMSZ_RIGHT || e == WMSZ_TOPRIGHT || e == WMSZ_BOTTOMRIGHT;
        const bool top = e == WMSZ_TOP || e == WMSZ_TOPLEFT || e == WMSZ_TOPRIGHT;
        const bool bottom = e == WMSZ_BOTTOM || e == WMSZ_BOTTOMLEFT || e == WMSZ_BOTTOMRIGHT;
        if (left) r.Left += dx;
        if (right) r.Right += dx;
        if (top) r.Top += dy;
        if (bottom) r.Bottom += dy;
        // The track size holds the edge that does not move.
        const int minW = std::max(0, m_moveSize.MinTrack.X), minH = std::max(0, m_moveSize.MinTrack.Y);
        const int maxW = std::max(minW, m_moveSize.MaxTrack.X), maxH = std::max(minH, m_moveSize.MaxTrack.Y);
        const int width = std::clamp(r.Width(), minW, maxW);
        const int height = std::clamp(r.Height(), minH, maxH);
        if (left)
            r.Left = r.Right - width;
        else
            r.Right = r.Left + width;
        if (top)
            r.Top = r.Bottom - height;
        else
            r.Bottom = r.Top + height;
        SendMessage(window, WM_SIZING, static_cast<TWParam>(e), PtrToLParam(&r));
    }
    if (!IsWindow(window)) return;
    m_moveSize.Current = r;
    if (r != window->m_rect) SetWindowPos(window, nullptr, r, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::ui
