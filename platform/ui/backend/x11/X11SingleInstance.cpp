// One program instance per name: the instance owns an X selection named after it through an
// unmapped window that carries its process id. A later claim finds the owner, brings the owner's
// window to the front (through the desktop when a window manager runs, directly otherwise) and is
// refused. The server is grabbed while the owner is tested and set, so two processes starting at
// the same moment cannot both win; the selection goes when the owning connection closes.

#include <X11/Xatom.h>
#include <unistd.h>

#include <string>

#include "platform/ui/backend/x11/X11BackendImpl.h"

namespace platform::ui::x11 {

namespace {

constexpr const char* kSelectionPrefix = "_VK_INSTANCE ";

long WindowPid(Display* display, Window window, Atom pidAtom) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && type == XA_CARDINAL && format == 32 && count == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data != nullptr) XFree(data);
    return pid;
}

// The topmost viewable, managed top-level window of the process (a window manager may have put
// it into a frame: the root's child is then the frame and the client its child).
Window FindProcessWindow(Display* display, Window root, Atom pidAtom, long pid) {
    Window rootReturn = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return None;
    Window found = None;
    // Children come bottom first.
    for (unsigned int i = count; i-- > 0 && found == None;) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes)) continue;
        if (attributes.map_state != IsViewable || attributes.override_redirect) continue;
        if (WindowPid(display, children[i], pidAtom) == pid) {
            found = children[i];
        } else if (root == DefaultRootWindow(display)) {
            const Window client = FindProcessWindow(display, children[i], pidAtom, pid);
            if (client != None) found = client;
        }
    }
    if (children != nullptr) XFree(children);
    return found;
}

}  // namespace

bool TX11Backend::ClaimInstance(const std::string& name) {
    const Atom selection = XInternAtom(m_display, (kSelectionPrefix + name).c_str(), False);
    XGrabServer(m_display);
    Window owner = XGetSelectionOwner(m_display, selection);
    if (owner == None) {
        const Window mine = XCreateSimpleWindow(m_display, m_root, -1, -1, 1, 1, 0, 0, 0);
        const long pid = getpid();
        XChangeProperty(m_display, mine, m_atoms.NET_WM_PID, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pid), 1);
        XSetSelectionOwner(m_display, selection, mine, CurrentTime);
        owner = XGetSelectionOwner(m_display, selection);
        XUngrabServer(m_display);
        XSync(m_display, False);
        if (owner == mine) return true;
    } else {
        XUngrabServer(m_display);
    }

    // Another process holds the name: its window comes to the front.
    const long pid = WindowPid(m_display, owner, m_atoms.NET_WM_PID);
    const Window target = pid != 0 ? FindProcessWindow(m_display, m_root, m_atoms.NET_WM_PID, pid) : None;
    if (target != None) {
        if (WindowManagerRunning()) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = target;
            event.xclient.message_type = m_atoms.NET_ACTIVE_WINDOW;
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2;  // from a pager-like source: the user asked for it
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
        } else {
            XRaiseWindow(m_display, target);
            XSetInputFocus(m_display, target, RevertToParent, CurrentTime);
        }
    }
    // The change is on the server before this process goes.
    XSync(m_display, False);
    return false;
}

}  // namespace platform::ui::x11
