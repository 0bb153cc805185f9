#pragma once
// The atoms the backend uses, interned in one round trip.

#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

struct TX11Atoms {
    Atom WM_PROTOCOLS = None;
    Atom WM_DELETE_WINDOW = None;
    Atom WM_STATE = None;
    Atom UTF8_STRING = None;
    Atom CLIPBOARD = None;
    Atom TARGETS = None;
    Atom TEXT = None;
    Atom INCR = None;
    Atom MOTIF_WM_HINTS = None;
    Atom NET_WM_NAME = None;
    Atom NET_WM_ICON_NAME = None;
    Atom NET_WM_ICON = None;
    Atom NET_WM_PID = None;
    Atom NET_WM_PING = None;
    Atom NET_WM_STATE = None;
    Atom NET_WM_STATE_ABOVE = None;
    Atom NET_WM_STATE_SKIP_TASKBAR = None;
    Atom NET_WM_WINDOW_TYPE = None;
    Atom NET_WM_WINDOW_TYPE_NORMAL = None;
    Atom NET_WM_WINDOW_TYPE_DIALOG = None;
    Atom NET_WM_WINDOW_TYPE_POPUP_MENU = None;
    Atom NET_WM_WINDOW_TYPE_UTILITY = None;
    Atom NET_WM_WINDOW_OPACITY = None;
    Atom NET_ACTIVE_WINDOW = None;
    Atom NET_WORKAREA = None;
    Atom NET_CURRENT_DESKTOP = None;
    Atom NET_SUPPORTING_WM_CHECK = None;
    Atom NET_WM_CM_S0 = None;  // the compositor selection of the backend's screen
    Atom VK_SELECTION = None;  // the property our clipboard requests are answered into
    Atom VK_TIMESTAMP = None;  // touched to get a server timestamp

    // Interns every atom; NET_WM_CM_S0 is taken for the given screen.
    void Intern(Display* display, int screen);
};

}  // namespace platform::ui::x11
