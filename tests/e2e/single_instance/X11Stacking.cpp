// x11_stacking: prints the viewable top-level windows, topmost first, one "WINDOW PID" a line
// (PID from _NET_WM_PID, 0 when the window has none). Exit status 1 without a display.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 1;
    // XQueryTree lists the bottom window first.
    for (unsigned int i = count; i-- > 0;) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        long pid = 0;
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                               &items, &after, &data) == Success &&
            data != nullptr && format == 32 && items == 1)
            pid = *reinterpret_cast<long*>(data);
        if (data != nullptr) XFree(data);
        std::printf("%lu %ld\n", children[i], pid);
    }
    if (children != nullptr) XFree(children);
    XCloseDisplay(display);
    return 0;
}
