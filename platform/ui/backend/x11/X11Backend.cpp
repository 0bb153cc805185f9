#include "platform/ui/backend/x11/X11Backend.h"

#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/backend/x11/X11BackendImpl.h"
#include "platform/ui/backend/x11/X11Errors.h"
#include "platform/ui/backend/x11/X11Monitors.h"

namespace platform::ui::x11 {

namespace {

constexpr long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                            LeaveWindowMask | FocusChangeMask | PropertyChangeMask | OwnerGrabButtonMask;

// The input method composes dead keys and umlauts only in a locale with a multibyte character
// set. A program left in the "C" locale gets the user's character type, or C.UTF-8; only
// LC_CTYPE changes, so number formatting and collation stay as they were.
void PrepareLocale() {
    auto isPlain = [] {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        return !current || std::strcmp(current, "C") == 0 || std::strcmp(current, "POSIX") == 0;
    };
    if (isPlain()) std::setlocale(LC_CTYPE, "");
    if (isPlain() || !XSupportsLocale()) std::setlocale(LC_CTYPE, "C.UTF-8");
    if (!XSupportsLocale()) std::setlocale(LC_CTYPE, "C");
}

unsigned short Clamp16(int v) {
    return static_cast<unsigned short>(std::clamp(v, 1, 32767));
}

std::string ProgramName() {
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) return "program";
    std::string full(path, static_cast<std::size_t>(n));
    return full.substr(full.find_last_of('/') + 1);
}

}  // namespace

std::unique_ptr<TBackend> CreateX11Backend(std::string& error) {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        error = "cannot open the X display: DISPLAY is not set";
        return nullptr;
    }
    PrepareLocale();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        error = std::string("cannot open the X display \"") + name + "\"";
        return nullptr;
    }
    WatchConnection(display);
    return std::make_unique<TX11Backend>(display);
}

TX11Backend::TX11Backend(Display* display)
    : m_display(display), m_screen(DefaultScreen(display)), m_root(RootWindow(display, m_screen)) {
    m_atoms.Intern(m_display, m_screen);
    m_scale = DetectScale();

    int eventBase = 0, errorBase = 0;
    m_haveShape = XShapeQueryExtension(m_display, &eventBase, &errorBase) == True;
    m_haveRandr = XRRQueryExtension(m_display, &m_randrEventBase, &errorBase) == True;
    if (m_haveRandr) XRRSelectInput(m_display, m_root, RRScreenChangeNotifyMask);
    // Work-area and window-manager changes arrive as property changes of the root.
    XWindowAttributes rootAttributes{};
    XGetWindowAttributes(m_display, m_root, &rootAttributes);
    XSelectInput(m_display, m_root, rootAttributes.your_event_mask | PropertyChangeMask);

    Bool supported = False;
    XkbSetDetectableAutoRepeat(m_display, True, &supported);
    m_detectableRepeat = supported == True;

    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    m_helper = XCreateWindow(m_display, m_root, -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask,
                             &attributes);

    const char* noShm = std::getenv("VK_X11_NO_SHM");
    m_presenter =
        std::make_unique<TX11Presenter>(m_display, m_screen, !(noShm && std::strcmp(noShm, "1") == 0));
    m_clipboard = std::make_unique<TX11Clipboard>(m_display, m_atoms, m_helper);
    m_primary = std::make_unique<TX11Clipboard>(m_display, m_atoms, m_helper, XA_PRIMARY);
    XFlush(m_display);
}

TX11Backend::~TX11Backend() {
    while (!m_windows.empty()) DestroyNativeWindow(m_windows.begin()->first);
    m_presenter.reset();
    m_clipboard.reset();
    m_primary.reset();
    if (m_im) XCloseIM(m_im);
    if (m_imFontSet) XFreeFontSet(m_display, m_imFontSet);
    for (Cursor c : m_cursors) {
        if (c != None) XFreeCursor(m_display, c);
    }
    XDestroyWindow(m_display, m_helper);
    ForgetConnection(m_display);
    XCloseDisplay(m_display);
}

bool TX11Backend::Dead() const {
    return ConnectionLost(m_display);
}

uint64_t TX11Backend::Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

TX11Window* TX11Backend::Find(TNativeId window) {
    auto it = m_windows.find(static_cast<Window>(window));
    return it == m_windows.end() ? nullptr : &it->second;
}

TX11Window* TX11Backend::FindX(Window xid) {
    return Find(static_cast<TNativeId>(xid));
}

bool TX11Backend::WindowManagerRunning() {
    if (m_wmRunning) return *m_wmRunning;
    // A compliant window manager names a window of its own on the root and on that window.
    auto readCheck = [this](Window window) -> Window {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Window result = None;
        if (XGetWindowProperty(m_display, window, m_atoms.NET_SUPPORTING_WM_CHECK, 0, 1, False, XA_WINDOW,
                               &type, &format, &count, &after, &data) == Success &&
            type == XA_WINDOW && format == 32 && count == 1) {
            result = static_cast<Window>(reinterpret_cast<long*>(data)[0]);
        }
        if (data) XFree(data);
        return result;
    };
    const Window check = readCheck(m_root);
    TX11ErrorTrap trap(m_display);
    const bool running = check != None && readCheck(check) == check;
    m_wmRunning = running && !trap.Failed();
    return *m_wmRunning;
}

std::vector<TMonitor> TX11Backend::Monitors() {
    if (!m_monitors) m_monitors = QueryMonitors(m_display, m_screen, m_atoms, m_haveRandr);
    return *m_monitors;
}

int TX11Backend::Layer(const TX11Window& w) const {
    if (w.Params.Popup) return 2;
    return w.Params.Topmost ? 1 : 0;
}

void TX11Backend::Restack(TX11Window& w) {
    // Without a window manager nobody keeps stacking layers; we do, for our own windows: a
    // window comes on top of its layer, and the windows of higher layers go above it again.
    m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), w.Xid), m_stack.end());
    m_stack.push_back(w.Xid);
    std::stable_sort(m_stack.begin(), m_stack.end(),
                     [this](Window a, Window b) { return Layer(m_windows.at(a)) < Layer(m_windows.at(b)); });
    XRaiseWindow(m_display, w.Xid);
    const int layer = Layer(w);
    for (Window xid : m_stack) {
        const TX11Window& other = m_windows.at(xid);
        if (Layer(other) > layer && other.Visible && !other.Minimized) {
            XRaiseWindow(m_display, xid);
        }
    }
}

void TX11Backend::SetWindowTypeAndState(TX11Window& w) {
    const TNativeWindowParams& p = w.Params;
    Atom type = m_atoms.NET_WM_WINDOW_TYPE_NORMAL;
    if (p.Popup) {
        type = m_atoms.NET_WM_WINDOW_TYPE_POPUP_MENU;
    } else if (p.ToolWindow) {
        type = m_atoms.NET_WM_WINDOW_TYPE_UTILITY;
    } else if (p.Owner != 0) {
        type = m_atoms.NET_WM_WINDOW_TYPE_DIALOG;
    }
    XChangeProperty(m_display, w.Xid, m_atoms.NET_WM_WINDOW_TYPE, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
    std::vector<Atom> states;
    if (p.Topmost) states.push_back(m_atoms.NET_WM_STATE_ABOVE);
    if (p.ToolWindow || p.Owner != 0) states.push_back(m_atoms.NET_WM_STATE_SKIP_TASKBAR);
    XChangeProperty(m_display, w.Xid, m_atoms.NET_WM_STATE, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));
}

void TX11Backend::SendNetWmState(TX11Window& w, bool add, Atom state) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w.Xid;
    event.xclient.message_type = m_atoms.NET_WM_STATE;
    event.xclient.format = 32;
    event.xclient.data.l[0] = add ? 1 : 0;
    event.xclient.data.l[1] = static_cast<long>(state);
    event.xclient.data.l[3] = 1;  // a normal application asks
    XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void TX11Backend::SetManagedHints(Window xid, const TNativeWindowParams& params) {
    const core::TRect& b = params.Bounds;
    Atom protocols[] = {m_atoms.WM_DELETE_WINDOW, m_atoms.NET_WM_PING};
    XSetWMProtocols(m_display, xid, protocols, 2);
    // Motif hints: decorations off; the frame is ours.
    const long motif[5] = {2, 0, 0, 0, 0};
    XChangeProperty(m_display, xid, m_atoms.MOTIF_WM_HINTS, m_atoms.MOTIF_WM_HINTS, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif), 5);
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(m_display, xid, &hints);
    XSizeHints size{};
    size.flags = USPosition | USSize | PPosition | PSize;
    size.x = b.Left;
    size.y = b.Top;
    size.width = b.Width();
    size.height = b.Height();
    XSetWMNormalHints(m_display, xid, &size);
    if (params.Owner != 0) XSetTransientForHint(m_display, xid, static_cast<Window>(params.Owner));
}

void TX11Backend::SetClientProperties(Window xid) {
    std::string name = ProgramName();
    XClassHint classHint{name.data(), name.data()};
    XSetClassHint(m_display, xid, &classHint);
    const long pid = getpid();
    XChangeProperty(m_display, xid, m_atoms.NET_WM_PID, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    char host[256] = {};
    if (gethostname(host, sizeof(host) - 1) == 0) {
        XTextProperty text{};
        char* list[] = {host};
        if (XStringListToTextProperty(list, 1, &text)) {
            XSetWMClientMachine(m_display, xid, &text);
            XFree(text.value);
        }
    }
}

TNativeId TX11Backend::CreateNativeWindow(const TNativeWindowParams& params) {
    if (Dead()) return 0;
    TX11Window w;
    w.Params = params;
    w.Bounds = params.Bounds;
    w.Parent = m_root;

    XSetWindowAttributes a{};
    // Every pixel comes from our back buffer: no background to flash before the first present,
    // and a resize keeps the old pixels in place until the new ones arrive.
    a.background_pixmap = None;
    a.border_pixel = 0;
    a.bit_gravity = NorthWestGravity;
    a.override_redirect = params.Popup ? True : False;
    a.save_under = params.Popup ? True : False;
    a.event_mask = kEventMask;
    a.colormap = DefaultColormap(m_display, m_screen);
    const unsigned long mask = CWBackPixmap | CWBorderPixel | CWBitGravity | CWOverrideRedirect |
                               CWSaveUnder | CWEventMask | CWColormap;
    const core::TRect& b = params.Bounds;
    w.Xid = XCreateWindow(m_display, m_root, b.Left, b.Top, Clamp16(b.Width()), Clamp16(b.Height()), 0,
                          CopyFromParent, InputOutput, CopyFromParent, mask, &a);
    if (w.Xid == None) return 0;

    if (!params.Popup) SetManagedHints(w.Xid, params);
    SetClientProperties(w.Xid);
    auto [it, inserted] = m_windows.emplace(w.Xid, std::move(w));
    TX11Window& stored = it->second;
    SetWindowTypeAndState(stored);
    SetTitle(stored.Xid, params.Title);
    if (!params.Popup && m_im) CreateInputContext(stored);
    m_stack.insert(m_stack.begin(), stored.Xid);
    XFlush(m_display);
    return static_cast<TNativeId>(stored.Xid);
}

void TX11Backend::DestroyNativeWindow(TNativeId window) {
    TX11Window* w = Find(window);
    if (!w) return;
    const Window xid = w->Xid;
    m_presenter->Release(w->Surface);
    if (w->Ic) XDestroyIC(w->Ic);
    if (m_grab == xid) {
        XUngrabPointer(m_display, CurrentTime);
        m_grab = None;
    }
    if (m_pendingFocus == xid) m_pendingFocus = None;
    if (m_focus == xid) m_focus = None;
    XDestroyWindow(m_display, xid);
    m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), xid), m_stack.end());
    m_windows.erase(xid);
    // Events of the destroyed window still in the queue would name an unknown window.
    std::erase_if(m_queue, [window](const TInputEvent& e) { return e.Window == window; });
    XFlush(m_display);
}

void TX11Backend::Map(TX11Window& w) {
    if (w.Bounds.IsEmpty()) return;  // X has no empty windows: it stays unmapped until it grows
    if (w.Params.Popup) {
        XMapRaised(m_display, w.Xid);
    } else {
        XMapWindow(m_display, w.Xid);
    }
    Restack(w);
}

void TX11Backend::SetBounds(TNativeId window, const core::TRect& screen) {
    TX11Window* w = Find(window);
    if (!w) return;
    const bool resized = screen.Width() != w->Bounds.Width() || screen.Height() != w->Bounds.Height();
    const bool wasEmpty = w->Bounds.IsEmpty();
    w->Bounds = screen;
    if (screen.IsEmpty()) {
        if (w->Visible) XUnmapWindow(m_display, w->Xid);
        XFlush(m_display);
        return;
    }
    XMoveResizeWindow(m_display, w->Xid, screen.Left, screen.Top, Clamp16(screen.Width()),
                      Clamp16(screen.Height()));
    w->Pending.push_back(screen);
    if (w->Pending.size() > 32) w->Pending.pop_front();
    if (resized) ApplyShape(*w);
    if (wasEmpty && w->Visible && !w->Minimized) Map(*w);
    XFlush(m_display);
}

void TX11Backend::SetVisible(TNativeId window, bool visible) {
    TX11Window* w = Find(window);
    if (!w || w->Visible == visible) return;
    w->Visible = visible;
    if (visible) {
        if (!w->Minimized) Map(*w);
    } else if (w->Params.Popup) {
        XUnmapWindow(m_display, w->Xid);
    } else {
        // Withdrawing tells a window manager to forget the window, not to iconify it.
        XWithdrawWindow(m_display, w->Xid, m_screen);
    }
    XFlush(m_display);
}

void TX11Backend::SetMinimized(TNativeId window, bool minimized) {
    TX11Window* w = Find(window);
    if (!w || w->Minimized == minimized) return;
    w->Minimized = minimized;
    if (!w->Visible) return;
    if (minimized) {
        // Without a window manager there is nobody to iconify to: the window is hidden.
        if (w->Params.Popup || !WindowManagerRunning()) {
            XUnmapWindow(m_display, w->Xid);
        } else {
            XIconifyWindow(m_display, w->Xid, m_screen);
        }
    } else {
        Map(*w);
    }
    XFlush(m_display);
}

void TX11Backend::Raise(TNativeId window) {
    TX11Window* w = Find(window);
    if (!w) return;
    Restack(*w);
    XFlush(m_display);
}

void TX11Backend::SetTopmost(TNativeId window, bool topmost) {
    TX11Window* w = Find(window);
    if (!w || w->Params.Topmost == topmost) return;
    w->Params.Topmost = topmost;
    if (w->Mapped && !w->Params.Popup && WindowManagerRunning()) {
        SendNetWmState(*w, topmost, m_atoms.NET_WM_STATE_ABOVE);
    } else {
        SetWindowTypeAndState(*w);
    }
    if (w->Visible) Restack(*w);
    XFlush(m_display);
}

void TX11Backend::SetTitle(TNativeId window, const std::string& title) {
    TX11Window* w = Find(window);
    if (!w) return;
    w->Params.Title = title;
    const auto* bytes = reinterpret_cast<const unsigned char*>(title.data());
    const int size = static_cast<int>(title.size());
    XChangeProperty(m_display, w->Xid, m_atoms.NET_WM_NAME, m_atoms.UTF8_STRING, 8, PropModeReplace, bytes,
                    size);
    XChangeProperty(m_display, w->Xid, m_atoms.NET_WM_ICON_NAME, m_atoms.UTF8_STRING, 8, PropModeReplace,
                    bytes, size);
    // The old name property, for desktops that read only it, in the ICCCM encodings.
    XTextProperty text{};
    char* list[] = {const_cast<char*>(title.c_str())};
    if (Xutf8TextListToTextProperty(m_display, list, 1, XStdICCTextStyle, &text) >= Success) {
        XSetWMName(m_display, w->Xid, &text);
        XSetWMIconName(m_display, w->Xid, &text);
        XFree(text.value);
    }
    Sync();  // other clients read the properties at once
}

void TX11Backend::SetIcon(TNativeId window, const gfx::TBitmap* icon) {
    TX11Window* w = Find(window);
    if (!w) return;
    constexpr int kMaxSide = 512;
    if (!icon || icon->Empty() || icon->Width() > kMaxSide || icon->Height() > kMaxSide) {
        XDeleteProperty(m_display, w->Xid, m_atoms.NET_WM_ICON);
        Sync();  // other clients read the properties at once
        return;
    }
    // Width, height, then ARGB pixels; format-32 properties travel as longs.
    std::vector<long> data;
    data.reserve(2 + static_cast<std::size_t>(icon->Width()) * icon->Height());
    data.push_back(icon->Width());
    data.push_back(icon->Height());
    const gfx::TColor key = icon->EffectiveTransparentColor();
    const uint32_t keyPixel = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
    for (int y = 0; y < icon->Height(); ++y) {
        const uint32_t* row = icon->ScanLine(y);
        for (int x = 0; x < icon->Width(); ++x) {
            const uint32_t rgb = row[x] & 0xFFFFFF;
            const bool clear = icon->Transparent && rgb == keyPixel;
            data.push_back(static_cast<long>(clear ? 0u : (0xFF000000u | rgb)));
        }
    }
    XChangeProperty(m_display, w->Xid, m_atoms.NET_WM_ICON, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    Sync();  // other clients read the properties at once
}

std::string TX11Backend::ClipboardText() {
    if (Dead()) return {};
    return m_clipboard->Text();
}

void TX11Backend::SetClipboardText(const std::string& text) {
    if (Dead()) return;
    m_clipboard->SetText(text, m_lastTime);
    XFlush(m_display);
}

std::string TX11Backend::PrimarySelectionText() {
    if (Dead()) return {};
    return m_primary->Text();
}

void TX11Backend::SetPrimarySelectionText(const std::string& text) {
    if (Dead()) return;
    m_primary->SetText(text, m_lastTime);
    XFlush(m_display);
}

}  // namespace platform::ui::x11
