#include "platform/ui/backend/x11/X11BackendImpl.h"

namespace platform::ui::x11 {

namespace {

unsigned CursorFontShape(TCursorShape shape) {
    switch (shape) {
        case TCursorShape::Arrow:
            return XC_left_ptr;
        case TCursorShape::IBeam:
            return XC_xterm;
        case TCursorShape::Wait:
            return XC_watch;
        case TCursorShape::Cross:
            return XC_crosshair;
        case TCursorShape::Hand:
            return XC_hand2;
        case TCursorShape::No:
            return XC_X_cursor;
        case TCursorShape::SizeAll:
            return XC_fleur;
        case TCursorShape::SizeWE:
            return XC_sb_h_double_arrow;
        case TCursorShape::SizeNS:
            return XC_sb_v_double_arrow;
        case TCursorShape::SizeNWSE:
            return XC_bottom_right_corner;
        case TCursorShape::SizeNESW:
            return XC_bottom_left_corner;
    }
    return XC_left_ptr;
}

}  // namespace

core::TPoint TX11Backend::CursorPos() {
    // While pointer events wait to be taken, the pointer is where the events taken so far left
    // it: a move loop that starts on a press measures from the press, not from where the pointer
    // has got to since.
    if (m_pointerKnown && !Dead() && (!m_queue.empty() || XEventsQueued(m_display, QueuedAfterReading) > 0)) {
        return m_lastPointer;
    }
    Window rootReturn = None, child = None;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (!Dead() && XQueryPointer(m_display, m_root, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask)) {
        return {rootX, rootY};
    }
    return m_lastPointer;
}

void TX11Backend::SetCursorPos(core::TPoint screen) {
    XWarpPointer(m_display, None, m_root, 0, 0, 0, 0, screen.X, screen.Y);
    m_lastPointer = screen;
    XFlush(m_display);
}

void TX11Backend::SetCursorShape(TNativeId window, TCursorShape shape) {
    TX11Window* w = Find(window);
    if (!w || w->Cursor == shape) return;
    const auto index = static_cast<std::size_t>(shape);
    if (index >= m_cursors.size()) return;
    if (m_cursors[index] == None) m_cursors[index] = XCreateFontCursor(m_display, CursorFontShape(shape));
    w->Cursor = shape;
    XDefineCursor(m_display, w->Xid, m_cursors[index]);
    XFlush(m_display);
}

void TX11Backend::SetPointerGrab(TNativeId window) {
    if (window == 0) {
        if (m_grab != None) XUngrabPointer(m_display, CurrentTime);
        m_grab = None;
        XFlush(m_display);
        return;
    }
    TX11Window* w = Find(window);
    if (!w) return;
    // Events over our other windows still go to them; elsewhere they come to the grab window.
    const unsigned mask =
        ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    if (XGrabPointer(m_display, w->Xid, True, mask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) ==
        GrabSuccess) {
        m_grab = w->Xid;
    }
}

void TX11Backend::SetKeyboardFocus(TNativeId window) {
    TX11Window* w = Find(window);
    // Popups never take the focus: the window that has it keeps its keys while a menu is open.
    if (!w || w->Params.Popup || !w->Visible || w->Minimized) return;
    if (!w->Mapped && WindowManagerRunning()) {
        // The manager maps it later; focus follows its map notification.
        m_pendingFocus = w->Xid;
    }
    if (WindowManagerRunning()) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = w->Xid;
        event.xclient.message_type = m_atoms.NET_ACTIVE_WINDOW;
        event.xclient.format = 32;
        event.xclient.data.l[0] = 1;  // an application asks
        event.xclient.data.l[1] = static_cast<long>(m_lastTime);
        XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }
    // Without a window manager the request decides; with one, it takes effect where the manager
    // lets it (a refusal is recorded by the error handler and otherwise harmless).
    if (w->Mapped || !WindowManagerRunning()) {
        XSetInputFocus(m_display, w->Xid, RevertToParent, CurrentTime);
    }
    XFlush(m_display);
}

TNativeId TX11Backend::WindowAt(core::TPoint screen) {
    if (Dead()) return 0;
    // The server knows the stacking of every program's windows and honours shapes; window
    // managers' frames are walked into until one of ours, or nothing, is found.
    Window current = m_root;
    for (int depth = 0; depth < 8; ++depth) {
        Window child = None;
        int x = 0, y = 0;
        if (!XTranslateCoordinates(m_display, m_root, current, screen.X, screen.Y, &x, &y, &child) ||
            child == None) {
            return 0;
        }
        if (FindX(child)) return static_cast<TNativeId>(child);
        current = child;
    }
    return 0;
}

TNativeId TX11Backend::TopLevelFor(const TX11Window* w, core::TPoint screen) const {
    // Pointer events go to the window under the pointer, or to the grabbing window when that
    // is none of ours: a point outside the event's window is outside all of ours.
    if (!w || !w->Mapped || !w->Bounds.Contains(screen)) return 0;
    if (w->Shape && !w->Shape->Contains({screen.X - w->Bounds.Left, screen.Y - w->Bounds.Top})) {
        return 0;
    }
    return static_cast<TNativeId>(w->Xid);
}

}  // namespace platform::ui::x11
