#pragma once
// A minimal XEmbed tray manager for the tray tests: on its own X connection, pumped by the test,
// it owns the system-tray selection with a panel window and docks what asks to be docked.

#include <string>

#include "platform/core/Types.h"

// Last: Xlib's macros must not reach the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace traytest {

using platform::core::TPoint;

// Owns _NET_SYSTEM_TRAY_S<screen> with a panel window and docks what asks to be docked.
class TTestTrayManager {
public:
    TTestTrayManager(int left, int top) : m_left(left), m_top(top) {
        m_dpy = XOpenDisplay(nullptr);
        if (!m_dpy) return;
        const int screen = DefaultScreen(m_dpy);
        m_root = RootWindow(m_dpy, screen);
        m_selection = XInternAtom(m_dpy, ("_NET_SYSTEM_TRAY_S" + std::to_string(screen)).c_str(), False);
        m_opcode = XInternAtom(m_dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
        m_panel = XCreateSimpleWindow(m_dpy, m_root, left, top, 120, 40, 0, 0, 0x404040);
        XSetWindowAttributes a{};
        a.override_redirect = True;
        XChangeWindowAttributes(m_dpy, m_panel, CWOverrideRedirect, &a);
        XSelectInput(m_dpy, m_panel, SubstructureNotifyMask);
        XMapWindow(m_dpy, m_panel);
        XSetSelectionOwner(m_dpy, m_selection, m_panel, CurrentTime);
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = m_root;
        e.xclient.message_type = XInternAtom(m_dpy, "MANAGER", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = static_cast<long>(m_selection);
        e.xclient.data.l[2] = static_cast<long>(m_panel);
        XSendEvent(m_dpy, m_root, False, StructureNotifyMask, &e);
        XSync(m_dpy, False);
    }
    ~TTestTrayManager() {
        if (!m_dpy) return;
        XDestroyWindow(m_dpy, m_panel);
        XSync(m_dpy, False);
        XCloseDisplay(m_dpy);
    }
    [[nodiscard]] bool Ok() const { return m_dpy != nullptr; }

    // Handles the dock requests that arrived.
    void Pump() {
        while (m_dpy && XPending(m_dpy) > 0) {
            XEvent e;
            XNextEvent(m_dpy, &e);
            if (e.type == ClientMessage && e.xclient.message_type == m_opcode && e.xclient.data.l[1] == 0) {
                const Window icon = static_cast<Window>(e.xclient.data.l[2]);
                XReparentWindow(m_dpy, icon, m_panel, kIconLeft, kIconTop);
                XResizeWindow(m_dpy, icon, 24, 24);
                XMapWindow(m_dpy, icon);
                XSync(m_dpy, False);
                m_docked = icon;
                ++m_docks;
            }
        }
    }
    // The docked window, when it is the panel's child and viewable.
    [[nodiscard]] bool Docked(unsigned long window) {
        if (!m_dpy || !window) return false;
        XSync(m_dpy, False);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_dpy, window, &root, &parent, &children, &count)) return false;
        if (children) XFree(children);
        XWindowAttributes a{};
        return parent == m_panel && XGetWindowAttributes(m_dpy, window, &a) && a.map_state == IsViewable;
    }
    [[nodiscard]] TPoint IconCenter() const { return {m_left + kIconLeft + 12, m_top + kIconTop + 12}; }
    [[nodiscard]] int Docks() const { return m_docks; }
    [[nodiscard]] unsigned long LastDocked() const { return m_docked; }

private:
    static constexpr int kIconLeft = 10, kIconTop = 8;
    Display* m_dpy = nullptr;
    Window m_root = 0, m_panel = 0;
    Atom m_selection = 0, m_opcode = 0;
    int m_left, m_top;
    unsigned long m_docked = 0;
    int m_docks = 0;
};

}  // namespace traytest
