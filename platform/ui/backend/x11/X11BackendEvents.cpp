#include <poll.h>

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/ui/TerminationSignals.h"
#include "platform/ui/backend/x11/X11BackendImpl.h"
#include "platform/ui/backend/x11/X11InputStyle.h"
#include "platform/ui/backend/x11/X11KeyMap.h"

namespace platform::ui::x11 {

namespace {

// The window's minimised state as the desktop changed it, and the event that tells the program.
TInputEvent StateChange(TX11Window& w, bool minimized) {
    w.Minimized = minimized;
    TInputEvent e;
    e.Kind = minimized ? TInputKind::Minimized : TInputKind::Restored;
    e.Window = w.Xid;
    return e;
}

}  // namespace

bool TX11Backend::EnsureInputMethod() {
    if (m_imOpened) return false;
    m_imOpened = true;
    OpenInputMethod();
    if (!m_im) return false;
    for (auto& [xid, w] : m_windows) {
        if (w.Params.Popup) continue;
        CreateInputContext(w);
        if (w.Ic && xid == m_focus) XSetICFocus(w.Ic);
    }
    return true;
}

void TX11Backend::OpenInputMethod() {
    // An empty modifier list honours XMODIFIERS (a running input-method server); when that
    // fails, the built-in method still composes dead keys.
    XSetLocaleModifiers("");
    m_im = XOpenIM(m_display, nullptr, nullptr, nullptr);
    if (!m_im) {
        XSetLocaleModifiers("@im=none");
        m_im = XOpenIM(m_display, nullptr, nullptr, nullptr);
    }
    if (!m_im) return;
    XIMStyles* styles = nullptr;
    std::vector<XIMStyle> offered;
    if (XGetIMValues(m_im, XNQueryInputStyle, &styles, nullptr) == nullptr && styles)
        offered.assign(styles->supported_styles, styles->supported_styles + styles->count_styles);
    if (styles) XFree(styles);
    const bool positionOffered =
        std::any_of(offered.begin(), offered.end(), [](XIMStyle s) { return IsOverTheSpot(s); });
    if (positionOffered) OpenImFontSet();
    m_imStyle = ChooseInputStyle(offered, m_imFontSet != nullptr);
    if (m_imStyle == 0) {
        XCloseIM(m_im);
        m_im = nullptr;
    }
}

void TX11Backend::CreateInputContext(TX11Window& w) {
    if (!m_im) return;
    XVaNestedList preedit = PreeditAttributes(w);
    if (preedit) {
        w.Ic = XCreateIC(m_im, XNInputStyle, m_imStyle, XNClientWindow, w.Xid, XNFocusWindow, w.Xid,
                         XNPreeditAttributes, preedit, nullptr);
        XFree(preedit);
    } else {
        w.Ic = XCreateIC(m_im, XNInputStyle, m_imStyle, XNClientWindow, w.Xid, XNFocusWindow, w.Xid, nullptr);
    }
    if (!w.Ic) return;
    long filter = 0;
    if (XGetICValues(w.Ic, XNFilterEvents, &filter, nullptr) == nullptr && filter != 0) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(m_display, w.Xid, &attributes);
        XSelectInput(m_display, w.Xid, attributes.your_event_mask | filter);
    }
}

void TX11Backend::Push(TInputEvent event) {
    if (event.Time == 0) event.Time = Now();
    m_queue.push_back(event);
}

bool TX11Backend::PollEvent(TInputEvent& event) {
    for (;;) {
        if (!m_queue.empty()) {
            event = m_queue.front();
            m_queue.pop_front();
            const TX11Window* w = FindX(static_cast<Window>(event.Window));
            event.Target = w ? w->Object : nullptr;
            return true;
        }
        if (Dead() || XPending(m_display) == 0) return false;
        XEvent x;
        XNextEvent(m_display, &x);
        // The input method takes the keys of a composition (a dead key before its letter).
        if (XFilterEvent(&x, None)) continue;
        Translate(x);
    }
}

bool TX11Backend::WaitForEvents(int64_t timeoutMs) {
    if (Dead()) return false;
    if (!m_queue.empty() || XPending(m_display) > 0) return true;
    if (Dead()) return false;
    // The second descriptor wakes the wait when a termination signal arrived.
    const int wake = TTerminationSignals::WakeFd();
    std::array<pollfd, 2> fds{pollfd{ConnectionNumber(m_display), POLLIN, 0}, pollfd{wake, POLLIN, 0}};
    const int timeout = timeoutMs < 0 ? -1 : static_cast<int>(std::min<int64_t>(timeoutMs, INT_MAX));
    const int ready = poll(fds.data(), wake >= 0 ? 2 : 1, timeout);
    if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
        XPending(m_display);  // lets Xlib notice and record the broken connection
        return !Dead();
    }
    // Input, a timeout or a signal (EINTR) alike: the caller looks again.
    return true;
}

void TX11Backend::Translate(XEvent& x) {
    if (m_clipboard->HandleEvent(x) || m_primary->HandleEvent(x)) return;
    if (m_haveRandr && x.type == m_randrEventBase + RRScreenChangeNotify) {
        XRRUpdateConfiguration(&x);
        m_monitors.reset();
        return;
    }
    switch (x.type) {
        case KeyPress:
        case KeyRelease:
            TranslateKey(x);
            return;
        case ButtonPress:
        case ButtonRelease:
        case MotionNotify:
        case EnterNotify:
        case LeaveNotify:
            TranslatePointer(x);
            return;
        case MappingNotify:
            if (x.xmapping.request != MappingPointer) XRefreshKeyboardMapping(&x.xmapping);
            return;
        case PropertyNotify:
            TranslateProperty(x.xproperty);
            return;
        default:
            break;
    }
    if (TX11Window* w = FindX(x.xany.window)) {
        TranslateWindowEvent(*w, x);
    } else {
        TranslateFrameEvent(x);
    }
}

void TX11Backend::TranslateWindowEvent(TX11Window& window, XEvent& x) {
    TX11Window* w = &window;
    switch (x.type) {
        case kXExpose: {
            TInputEvent e;
            e.Kind = TInputKind::Expose;
            e.Window = w->Xid;
            e.Rect = core::Bounds(x.xexpose.x, x.xexpose.y, x.xexpose.width, x.xexpose.height);
            Push(e);
            return;
        }
        case ConfigureNotify:
            TranslateConfigure(*w, x.xconfigure);
            return;
        case ReparentNotify:
            TranslateReparent(*w, x.xreparent);
            return;
        case MapNotify:
            w->Mapped = true;
            if (m_pendingFocus == w->Xid) {
                m_pendingFocus = None;
                SetKeyboardFocus(w->Xid);
            }
            // Mapped while we hold it minimised: somebody outside showed it again (without a
            // window manager nothing else can), so it is restored, painted and takes input.
            if (w->Visible && w->Minimized) Push(StateChange(*w, false));
            return;
        case UnmapNotify:
            w->Mapped = false;
            // Without a window manager, a shown window that another client unmapped is hidden
            // like a minimised one; with one, its WM_STATE tells (an unmap alone may be a
            // reparenting).
            if (w->Visible && !w->Minimized && !w->Params.Popup && !WindowManagerRunning())
                Push(StateChange(*w, true));
            return;
        case kXFocusIn:
        case kXFocusOut:
            TranslateFocus(*w, x.xfocus);
            return;
        case ClientMessage:
            TranslateClientMessage(*w, x.xclient);
            return;
        default:
            return;
    }
}

void TX11Backend::TranslateFocus(TX11Window& w, const XFocusChangeEvent& x) {
    // Focus moves caused by grabs (a window manager's key bindings, our pointer grab) and
    // pointer-follows-focus details are no real changes.
    if (x.mode == NotifyGrab || x.mode == NotifyUngrab || x.detail == NotifyPointer ||
        x.detail == NotifyInferior) {
        return;
    }
    const bool in = x.type == kXFocusIn;
    TInputEvent e;
    e.Kind = in ? TInputKind::FocusIn : TInputKind::FocusOut;
    e.Window = w.Xid;
    m_focus = in ? w.Xid : (m_focus == w.Xid ? None : m_focus);
    if (w.Ic) {
        if (in) {
            XSetICFocus(w.Ic);
        } else {
            XUnsetICFocus(w.Ic);
        }
    }
    // Keys released while another window has the focus never reach us.
    if (!in) {
        m_keysDown.reset();
        m_downKey.fill(0);
    }
    Push(e);
}

void TX11Backend::TranslateClientMessage(TX11Window& w, const XClientMessageEvent& c) {
    if (c.message_type != m_atoms.WM_PROTOCOLS || c.format != 32) return;
    const Atom protocol = static_cast<Atom>(c.data.l[0]);
    if (protocol == m_atoms.WM_DELETE_WINDOW) {
        TInputEvent e;
        e.Kind = TInputKind::CloseRequest;
        e.Window = w.Xid;
        Push(e);
    } else if (protocol == m_atoms.NET_WM_PING) {
        // The window manager checks that we still answer.
        XEvent reply{};
        reply.xclient = c;
        reply.xclient.window = m_root;
        XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &reply);
        XFlush(m_display);
    }
}

void TX11Backend::TranslateConfigure(TX11Window& w, const XConfigureEvent& c) {
    // Real notifications inside a window manager's frame give the position within the frame;
    // the manager's synthetic ones give it on the screen. Inside a frame, the screen position is
    // read back through it.
    core::TPoint pos = w.Bounds.TopLeft();
    if (c.send_event || w.Parent == m_root || w.Parent == None) {
        pos = {c.x, c.y};
    } else if (const auto real = RealPosition(w)) {
        pos = *real;
    }
    ApplyReportedBounds(w, core::Bounds(pos.X, pos.Y, c.width, c.height));
}

void TX11Backend::TranslateProperty(const XPropertyEvent& p) {
    if (p.window == m_root) {
        if (p.atom == m_atoms.NET_WORKAREA || p.atom == m_atoms.NET_CURRENT_DESKTOP) {
            m_monitors.reset();
        } else if (p.atom == m_atoms.NET_SUPPORTING_WM_CHECK) {
            m_wmRunning.reset();
        }
        return;
    }
    TX11Window* w = FindX(p.window);
    if (!w || p.atom != m_atoms.WM_STATE) return;
    // The window manager publishes iconic or normal state; changes we did not ask for are the
    // desktop's (the task bar, a keyboard shortcut).
    bool iconic = false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (p.state == PropertyNewValue &&
        XGetWindowProperty(m_display, w->Xid, m_atoms.WM_STATE, 0, 2, False, m_atoms.WM_STATE, &type, &format,
                           &count, &after, &data) == Success &&
        format == 32 && count >= 1) {
        iconic = reinterpret_cast<long*>(data)[0] == IconicState;
    }
    if (data) XFree(data);
    if (iconic == w->Iconic) return;
    w->Iconic = iconic;
    if (iconic != w->Minimized) Push(StateChange(*w, iconic));
}


void TX11Backend::TranslatePointer(XEvent& x) {
    TX11Window* w = FindX(x.xany.window);
    TInputEvent e;
    switch (x.type) {
        case MotionNotify: {
            // Only the newest of a run of motions matters; other events keep their order.
            XEvent next;
            while (XEventsQueued(m_display, QueuedAlready) > 0) {
                XPeekEvent(m_display, &next);
                if (next.type != MotionNotify || next.xmotion.window != x.xmotion.window) break;
                XNextEvent(m_display, &x);
            }
            e.Kind = TInputKind::MouseMove;
            e.ScreenPos = core::TPoint{x.xmotion.x_root, x.xmotion.y_root};
            e.Modifiers = ModifiersFromState(x.xmotion.state);
            e.Window = TopLevelFor(w, e.ScreenPos);
            break;
        }
        case EnterNotify:
        case LeaveNotify: {
            if (x.xcrossing.mode != NotifyNormal) return;
            if (x.type == LeaveNotify && XEventsQueued(m_display, QueuedAfterReading) > 0) {
                // Moving straight onto another of our windows (a popup over its owner) is no
                // leaving: the enter that follows tells where the pointer is.
                XEvent next;
                XPeekEvent(m_display, &next);
                if (next.type == EnterNotify && FindX(next.xcrossing.window)) return;
            }
            e.Kind = TInputKind::MouseMove;
            e.ScreenPos = core::TPoint{x.xcrossing.x_root, x.xcrossing.y_root};
            e.Modifiers = ModifiersFromState(x.xcrossing.state);
            // Leaving for another of our windows brings that window's enter next.
            e.Window = x.type == EnterNotify ? TopLevelFor(w, e.ScreenPos) : 0;
            break;
        }
        case ButtonPress:
        case ButtonRelease:
            if (!TranslateButton(x.xbutton, TopLevelFor(w, {x.xbutton.x_root, x.xbutton.y_root}), e)) return;
            break;
        default:
            return;
    }
    m_lastPointer = e.ScreenPos;
    m_pointerKnown = true;
    Push(e);
}

bool TX11Backend::TranslateButton(const XButtonEvent& b, TNativeId window, TInputEvent& e) {
    m_lastTime = b.time;
    e.ScreenPos = core::TPoint{b.x_root, b.y_root};
    e.Modifiers = ModifiersFromState(b.state);
    e.Window = window;
    if (b.button == Button4 || b.button == Button5) {
        if (b.type == ButtonRelease) return false;
        e.Kind = TInputKind::Wheel;
        e.WheelDelta = b.button == Button4 ? 120 : -120;
        return true;
    }
    if (b.button == Button1) {
        e.Button = TMouseButton::Left;
    } else if (b.button == Button2) {
        e.Button = TMouseButton::Middle;
    } else if (b.button == Button3) {
        e.Button = TMouseButton::Right;
    } else {
        return false;  // horizontal wheel, side buttons
    }
    e.Kind = b.type == ButtonPress ? TInputKind::ButtonDown : TInputKind::ButtonUp;
    return true;
}

void TX11Backend::TranslateKey(XEvent& x) {
    XKeyEvent& k = x.xkey;
    m_lastTime = k.time;
    TX11Window* w = FindX(k.window);
    const unsigned keycode = k.keycode;
    const int group = XkbGroupForCoreState(k.state);
    const KeySym level0 = XkbKeycodeToKeysym(m_display, static_cast<KeyCode>(keycode), group, 0);

    if (x.type == KeyRelease) {
        TranslateKeyRelease(x, w ? w->Xid : 0, level0);
        return;
    }

    // The first key opens the input method; it must see this key too (a dead key may start
    // a composition).
    if (EnsureInputMethod() && XFilterEvent(&x, None)) return;
    KeySym effective = NoSymbol;
    const std::string text = LookupText(w, k, effective);
    if (effective == NoSymbol) effective = level0;

    TInputEvent e;
    e.Kind = TInputKind::KeyDown;
    e.Window = w ? w->Xid : 0;
    e.ScanCode = keycode >= 8 ? keycode - 8 : 0;
    e.AutoRepeat = m_keysDown.test(keycode & 0xFF);
    e.Modifiers = ModifiersFromState(k.state) | ModifierBitOf(level0);
    e.VirtualKey = VirtualKeyFor(level0, effective, keycode);
    m_keysDown.set(keycode & 0xFF);
    m_downKey[keycode & 0xFF] = e.VirtualKey;
    if (e.VirtualKey != 0) Push(e);
    for (char32_t ch : core::Utf8ToCodePoints(text)) {
        if (!IsTypedCharacter(ch)) continue;
        TInputEvent c;
        c.Kind = TInputKind::Char;
        c.Window = e.Window;
        c.Char = ch;
        c.Modifiers = e.Modifiers;
        c.AutoRepeat = e.AutoRepeat;
        Push(c);
    }
}

void TX11Backend::TranslateKeyRelease(XEvent& x, TNativeId window, KeySym level0) {
    XKeyEvent& k = x.xkey;
    const unsigned keycode = k.keycode;
    if (!m_detectableRepeat && XEventsQueued(m_display, QueuedAfterReading) > 0) {
        // Without detectable repeat, a held key sends release and press with one time stamp.
        XEvent next;
        XPeekEvent(m_display, &next);
        if (next.type == KeyPress && next.xkey.keycode == keycode && next.xkey.time == k.time) {
            return;
        }
    }
    TInputEvent e;
    e.Kind = TInputKind::KeyUp;
    e.Window = window;
    e.ScanCode = keycode >= 8 ? keycode - 8 : 0;
    e.Modifiers = ModifiersFromState(k.state) & ~ModifierBitOf(level0);
    // The key's press named the virtual key; Num Lock may have changed since.
    e.VirtualKey = m_downKey[keycode & 0xFF];
    if (!m_keysDown.test(keycode & 0xFF)) {
        KeySym effective = NoSymbol;
        char ignored[8];
        XLookupString(&k, ignored, sizeof(ignored), &effective, nullptr);
        e.VirtualKey = VirtualKeyFor(level0, effective, keycode);
    }
    m_keysDown.reset(keycode & 0xFF);
    m_downKey[keycode & 0xFF] = 0;
    if (e.VirtualKey != 0) Push(e);
}

std::string TX11Backend::LookupText(TX11Window* w, XKeyEvent& k, KeySym& effective) {
    std::string text;
    if (w && w->Ic) {
        char buffer[64];
        Status status = 0;
        int length = Xutf8LookupString(w->Ic, &k, buffer, sizeof(buffer), &effective, &status);
        if (status == XBufferOverflow) {
            std::string big(static_cast<std::size_t>(length), '\0');
            length = Xutf8LookupString(w->Ic, &k, big.data(), length, &effective, &status);
            if (status == XLookupChars || status == XLookupBoth) text.assign(big.data(), length);
        } else if (status == XLookupChars || status == XLookupBoth) {
            text.assign(buffer, static_cast<std::size_t>(length));
        }
        if (status != XLookupKeySym && status != XLookupBoth) effective = NoSymbol;
    } else {
        char buffer[32];
        const int length = XLookupString(&k, buffer, sizeof(buffer), &effective, nullptr);
        for (int i = 0; i < length; ++i) {  // Latin-1 without an input method
            core::AppendUtf8(text, static_cast<unsigned char>(buffer[i]));
        }
    }
    return text;
}

}  // namespace platform::ui::x11
