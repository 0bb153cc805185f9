// x11_probe: small questions and requests to the X server for the end-to-end scripts.
//
//   x11_probe root-color RRGGBB      paint the root window one colour
//   x11_probe pixel X Y              print the screen pixel as RRGGBB
//   x11_probe find TITLE             print the id of the viewable top-level window so titled
//   x11_probe geometry WINDOW        print "X Y WIDTH HEIGHT" on the screen
//   x11_probe focus                  print the id of the window with the keyboard focus
//   x11_probe override-redirect W    print 1 when the window bypasses window management
//   x11_probe close WINDOW           send the desktop's close request (WM_DELETE_WINDOW)
//   x11_probe bind-key KEYSYM        map a spare key code to KEYSYM (a name) and print the code;
//                                    prints nothing when a key already types it
//   x11_probe unbind-key CODE        take the symbols off a key code again
//
// Exit status 0 on success, 1 when the window or answer is not there, 2 on bad use.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// A key mapping that stays in place while a program reads it: a key code that types nothing now
// is given the symbol. (Mapping a key only for the moment of one key press, as typing tools do,
// races with the program, which fetches the new mapping when it looks the key up.)
int BindKey(Display* display, const char* name) {
    const KeySym sym = XStringToKeysym(name);
    if (sym == NoSymbol) return 2;
    if (XKeysymToKeycode(display, sym) != 0) return 0;
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    for (int code = maxCode; code >= minCode; --code) {
        int perCode = 0;
        KeySym* syms = XGetKeyboardMapping(display, static_cast<KeyCode>(code), 1, &perCode);
        bool unused = true;
        for (int i = 0; i < perCode; ++i) unused = unused && syms[i] == NoSymbol;
        XFree(syms);
        if (!unused) continue;
        KeySym both[2] = {sym, sym};
        XChangeKeyboardMapping(display, code, 2, both, 1);
        std::printf("%d\n", code);
        return 0;
    }
    return 1;
}

std::string Title(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 8) {
        title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data) XFree(data);
    return title;
}

Window ParseWindow(const char* text) {
    return static_cast<Window>(std::strtoul(text, nullptr, 0));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_probe: no display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(display);
    const std::string command = argv[1];
    int status = 0;

    if (command == "root-color" && argc == 3) {
        XSetWindowBackground(display, root, std::strtoul(argv[2], nullptr, 16));
        XClearWindow(display, root);
    } else if (command == "pixel" && argc == 4) {
        XImage* image =
            XGetImage(display, root, std::atoi(argv[2]), std::atoi(argv[3]), 1, 1, AllPlanes, ZPixmap);
        if (!image) {
            status = 1;
        } else {
            std::printf("%06lX\n", XGetPixel(image, 0, 0) & 0xFFFFFF);
            XDestroyImage(image);
        }
    } else if (command == "find" && argc == 3) {
        Window rootReturn = None, parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        status = 1;
        if (XQueryTree(display, root, &rootReturn, &parent, &children, &count)) {
            for (unsigned i = count; i-- > 0 && status != 0;) {  // top of the stack first
                XWindowAttributes a{};
                if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
                    Title(display, children[i]) == argv[2]) {
                    std::printf("%lu\n", children[i]);
                    status = 0;
                }
            }
            if (children) XFree(children);
        }
    } else if (command == "geometry" && argc == 3) {
        const Window window = ParseWindow(argv[2]);
        XWindowAttributes a{};
        Window child = None;
        int x = 0, y = 0;
        if (XGetWindowAttributes(display, window, &a) &&
            XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child)) {
            std::printf("%d %d %d %d\n", x, y, a.width, a.height);
        } else {
            status = 1;
        }
    } else if (command == "focus" && argc == 2) {
        Window focus = None;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        std::printf("%lu\n", focus);
    } else if (command == "override-redirect" && argc == 3) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(display, ParseWindow(argv[2]), &a)) {
            std::printf("%d\n", a.override_redirect ? 1 : 0);
        } else {
            status = 1;
        }
    } else if (command == "close" && argc == 3) {
        const Window window = ParseWindow(argv[2]);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        if (!XSendEvent(display, window, False, NoEventMask, &event)) status = 1;
    } else if (command == "bind-key" && argc == 3) {
        status = BindKey(display, argv[2]);
    } else if (command == "unbind-key" && argc == 3) {
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(display, std::atoi(argv[2]), 2, none, 1);
    } else {
        status = 2;
    }
    // Every request has reached the server (and the keymap change its clients) before we end.
    XSync(display, False);
    XCloseDisplay(display);
    return status;
}
