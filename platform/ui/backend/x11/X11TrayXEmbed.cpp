#include "platform/ui/backend/x11/X11TrayXEmbed.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Errors.h"
#include "platform/ui/backend/x11/X11TrayTip.h"
#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

namespace {
constexpr long kDockRequest = 0;  // SYSTEM_TRAY_REQUEST_DOCK
constexpr long kXEmbedMapped = 1;
constexpr int kIconSize = 22;
constexpr uintptr_t kPumpTimer = 1;
constexpr uint32_t kPumpInterval = 20;

std::string SelectionName(int screen) {
    return "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
}
}  // namespace

struct TX11TrayXEmbed::TImpl {
    struct TIcon {
        Window Xid = 0;
        TTrayIconImage Image;
        TTrayEventHandler Handler;
        int Width = kIconSize, Height = kIconSize;
        Time LastPress = 0;
        bool LastWasDouble = false;
    };

    TWindowSystem& System;
    Display* Dpy = nullptr;
    int Screen = 0;
    Window Root = 0;
    Atom Selection = 0, Opcode = 0, Manager = 0, XEmbedInfo = 0, NetWmName = 0, Utf8 = 0;
    Window ManagerWindow = 0;
    std::map<int, TIcon> Icons;
    int NextId = 1;
    TWindow* Timer = nullptr;
    TX11TrayXEmbed* Owner = nullptr;
    bool Pumping = false;
    std::unique_ptr<TX11TrayTip> Tip;

    explicit TImpl(TWindowSystem& system) : System(system) {}

    void FindManager() {
        ManagerWindow = XGetSelectionOwner(Dpy, Selection);
        // Hear of the manager's end.
        if (ManagerWindow) XSelectInput(Dpy, ManagerWindow, StructureNotifyMask);
    }

    void DropIcons() {
        if (Tip) Tip->Cancel();
        for (auto& [id, icon] : Icons)
            if (icon.Xid) XDestroyWindow(Dpy, icon.Xid);
        Icons.clear();
        XFlush(Dpy);
    }

    void Dock(const TIcon& icon) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = ManagerWindow;
        e.xclient.message_type = Opcode;
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = kDockRequest;
        e.xclient.data.l[2] = static_cast<long>(icon.Xid);
        XSendEvent(Dpy, ManagerWindow, False, NoEventMask, &e);
        XFlush(Dpy);
    }

    void SetTip(const TIcon& icon) {
        const std::string& tip = icon.Image.Tip;
        XChangeProperty(Dpy, icon.Xid, NetWmName, Utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(tip.data()), static_cast<int>(tip.size()));
        XStoreName(Dpy, icon.Xid, tip.c_str());
    }

    // The pixmap scaled to the window (nearest pixel), put in one request.
    void Paint(const TIcon& icon) {
        const int w = icon.Width, h = icon.Height;
        if (w <= 0 || h <= 0) return;
        Visual* visual = DefaultVisual(Dpy, Screen);
        const int depth = DefaultDepth(Dpy, Screen);
        if (depth < 24) return;
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
        const gfx::TBitmap& p = icon.Image.Pixmap;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                gfx::TColor c = gfx::clBtnFace;
                if (!p.Empty()) c = p.Pixel(x * p.Width() / w, y * p.Height() / h);
                c = gfx::ColorToRGB(c);
                pixels[static_cast<size_t>(y * w + x)] = (static_cast<uint32_t>(gfx::GetRValue(c)) << 16) |
                                                         (static_cast<uint32_t>(gfx::GetGValue(c)) << 8) |
                                                         static_cast<uint32_t>(gfx::GetBValue(c));
            }
        XImage* image = XCreateImage(Dpy, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                                     reinterpret_cast<char*>(pixels.data()), static_cast<unsigned>(w),
                                     static_cast<unsigned>(h), 32, 0);
        if (!image) return;
        GC gc = XCreateGC(Dpy, icon.Xid, 0, nullptr);
        XPutImage(Dpy, icon.Xid, gc, image, 0, 0, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h));
        XFreeGC(Dpy, gc);
        image->data = nullptr;  // the vector owns the pixels
        XDestroyImage(image);
        XFlush(Dpy);
    }

    TIcon* IconOf(Window xid, int* idOut) {
        for (auto& [id, icon] : Icons)
            if (icon.Xid == xid) {
                if (idOut) *idOut = id;
                return &icon;
            }
        return nullptr;
    }

    static TMouseButton ButtonOf(unsigned button) {
        return button == 3 ? TMouseButton::Right : (button == 2 ? TMouseButton::Middle : TMouseButton::Left);
    }

    void Deliver(TIcon& icon, const TTrayEvent& event) {
        TTrayEventHandler handler = icon.Handler;  // it may remove the icon
        if (handler) handler(event);
    }

    void Button(TIcon& icon, const XButtonEvent& b, bool press) {
        if (Tip) Tip->Cancel();
        TTrayEvent e;
        e.Screen = {b.x_root, b.y_root};
        if (b.button >= 4 && b.button <= 7) {
            if (!press) return;
            e.Action = TTrayAction::Scroll;
            e.Delta = (b.button == 4 || b.button == 6) ? 120 : -120;
            e.Horizontal = b.button >= 6;
            Deliver(icon, e);
            return;
        }
        e.Button = ButtonOf(b.button);
        if (!press) {
            e.Action = TTrayAction::MouseUp;
            Deliver(icon, e);
            return;
        }
        e.Action = TTrayAction::MouseDown;
        if (e.Button == TMouseButton::Left) {
            const bool twice =
                icon.LastPress != 0 && !icon.LastWasDouble && b.time - icon.LastPress <= kDoubleClickTime;
            if (twice) e.Action = TTrayAction::DoubleClick;
            icon.LastWasDouble = twice;
            icon.LastPress = b.time;
        }
        Deliver(icon, e);
    }

    void Handle(XEvent& x) {
        if (x.type == ClientMessage && x.xclient.window == Root && x.xclient.message_type == Manager &&
            static_cast<Atom>(x.xclient.data.l[1]) == Selection) {
            // A (new) manager took the selection: everything docked before is gone.
            DropIcons();
            FindManager();
            Owner->NotifyRestarted();
            return;
        }
        if (x.type == DestroyNotify && ManagerWindow && x.xdestroywindow.window == ManagerWindow) {
            ManagerWindow = 0;
            DropIcons();
            return;
        }
        int id = 0;
        TIcon* icon = IconOf(x.xany.window, &id);
        if (!icon) return;
        switch (x.type) {
            case kXExpose:
                if (x.xexpose.count == 0) Paint(*icon);
                break;
            case ConfigureNotify:
                icon->Width = x.xconfigure.width;
                icon->Height = x.xconfigure.height;
                break;
            case ButtonPress:
            case ButtonRelease:
                Button(*icon, x.xbutton, x.type == ButtonPress);
                break;
            case EnterNotify:
                if (Tip) Tip->Hover(icon->Image.Tip, {x.xcrossing.x_root, x.xcrossing.y_root}, System.Now());
                break;
            case LeaveNotify:
                if (Tip) Tip->Cancel();
                break;
            case MotionNotify: {
                if (Tip) Tip->Hover(icon->Image.Tip, {x.xmotion.x_root, x.xmotion.y_root}, System.Now());
                TTrayEvent e;
                e.Action = TTrayAction::MouseMove;
                e.Screen = {x.xmotion.x_root, x.xmotion.y_root};
                Deliver(*icon, e);
                break;
            }
            default:
                break;
        }
    }
};

TX11TrayXEmbed::TX11TrayXEmbed(TWindowSystem& system) : m_impl(std::make_unique<TImpl>(system)) {
    TImpl& m = *m_impl;
    m.Owner = this;
    m.Dpy = XOpenDisplay(nullptr);
    if (!m.Dpy) return;
    WatchConnection(m.Dpy);
    m.Screen = DefaultScreen(m.Dpy);
    m.Root = RootWindow(m.Dpy, m.Screen);
    m.Selection = XInternAtom(m.Dpy, SelectionName(m.Screen).c_str(), False);
    m.Opcode = XInternAtom(m.Dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
    m.Manager = XInternAtom(m.Dpy, "MANAGER", False);
    m.XEmbedInfo = XInternAtom(m.Dpy, "_XEMBED_INFO", False);
    m.NetWmName = XInternAtom(m.Dpy, "_NET_WM_NAME", False);
    m.Utf8 = XInternAtom(m.Dpy, "UTF8_STRING", False);
    XSelectInput(m.Dpy, m.Root, StructureNotifyMask);
    m.FindManager();
    m.Tip = std::make_unique<TX11TrayTip>(m.Dpy);
    XFlush(m.Dpy);

    TCreateParams p;
    p.MessageOnly = true;
    p.WndProc = [this](TWindow& w, uint32_t msg, TWParam wp, TLParam lp) -> TLResult {
        if (msg == WM_TIMER && wp == kPumpTimer) {
            Pump();
            return 0;
        }
        return DefWindowProc(w, msg, wp, lp);
    };
    m.Timer = system.CreateWindow(p);
    if (m.Timer) system.SetTimer(m.Timer, kPumpTimer, kPumpInterval);
}

TX11TrayXEmbed::~TX11TrayXEmbed() {
    TImpl& m = *m_impl;
    if (m.Timer && TWindowSystem::Current() == &m.System) m.System.DestroyWindow(m.Timer);
    if (!m.Dpy) return;
    if (!ConnectionLost(m.Dpy)) m.DropIcons();
    if (m.Tip && ConnectionLost(m.Dpy)) m.Tip->Abandon();
    m.Tip.reset();
    ForgetConnection(m.Dpy);
    XCloseDisplay(m.Dpy);
}

bool TX11TrayXEmbed::Usable() const {
    return m_impl->Dpy && !ConnectionLost(m_impl->Dpy);
}

bool TX11TrayXEmbed::Present() {
    if (!Usable()) return false;
    Pump();
    return m_impl->ManagerWindow != 0;
}

int TX11TrayXEmbed::AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) {
    if (!Present()) return 0;
    TImpl& m = *m_impl;
    TImpl::TIcon icon;
    icon.Image = image;
    icon.Handler = std::move(handler);
    XSetWindowAttributes a{};
    a.background_pixmap = ParentRelative;
    a.event_mask =
        ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask |
        EnterWindowMask | LeaveWindowMask;
    icon.Xid = XCreateWindow(m.Dpy, m.Root, 0, 0, kIconSize, kIconSize, 0, CopyFromParent, InputOutput,
                             CopyFromParent, CWBackPixmap | CWEventMask, &a);
    if (!icon.Xid) return 0;
    const long info[2] = {0, kXEmbedMapped};
    XChangeProperty(m.Dpy, icon.Xid, m.XEmbedInfo, m.XEmbedInfo, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(info), 2);
    m.SetTip(icon);
    const int id = m.NextId++;
    auto& stored = m.Icons[id] = std::move(icon);
    m.Dock(stored);
    return id;
}

bool TX11TrayXEmbed::ModifyIcon(int id, const TTrayIconImage& image) {
    auto it = m_impl->Icons.find(id);
    if (it == m_impl->Icons.end()) return false;
    it->second.Image = image;
    m_impl->SetTip(it->second);
    m_impl->Paint(it->second);
    return true;
}

void TX11TrayXEmbed::RemoveIcon(int id) {
    auto it = m_impl->Icons.find(id);
    if (it == m_impl->Icons.end()) return;
    if (m_impl->Tip) m_impl->Tip->Cancel();
    if (Usable()) {
        XDestroyWindow(m_impl->Dpy, it->second.Xid);
        XFlush(m_impl->Dpy);
    }
    m_impl->Icons.erase(it);
}

bool TX11TrayXEmbed::Pump() {
    TImpl& m = *m_impl;
    // A handler that adds an icon asks Present(), which pumps: the outer loop goes on instead.
    if (!Usable() || m.Pumping) return false;
    m.Pumping = true;
    bool any = false;
    while (XPending(m.Dpy) > 0) {
        XEvent x;
        XNextEvent(m.Dpy, &x);
        m.Handle(x);
        any = true;
    }
    if (m.Tip) m.Tip->Tick(m.System.Now());
    m.Pumping = false;
    return any;
}

bool TX11TrayXEmbed::TipShown() const {
    return m_impl->Tip && m_impl->Tip->Shown();
}

unsigned long TX11TrayXEmbed::TipWindow() const {
    return m_impl->Tip ? m_impl->Tip->Window() : 0;
}

unsigned long TX11TrayXEmbed::IconWindow(int id) const {
    auto it = m_impl->Icons.find(id);
    return it == m_impl->Icons.end() ? 0 : it->second.Xid;
}

bool XEmbedManagerPresent() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return false;
    const Atom selection = XInternAtom(d, SelectionName(DefaultScreen(d)).c_str(), False);
    const bool owned = XGetSelectionOwner(d, selection) != 0;
    XCloseDisplay(d);
    return owned;
}

}  // namespace platform::ui::x11
