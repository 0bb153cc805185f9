// Raw input to messages: the window under the pointer, hit-testing, capture, mouse activation,
// double clicks, enter and leave, wheel and keyboard.

#include "platform/ui/InputRouter.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/ui/FocusManager.h"
#include "platform/ui/MoveSizeLoop.h"
#include "platform/ui/ScreenScale.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {

uint32_t ButtonKey(TMouseButton b) {
    switch (b) {
        case TMouseButton::Right:
            return VK_RBUTTON;
        case TMouseButton::Middle:
            return VK_MBUTTON;
        default:
            return VK_LBUTTON;
    }
}

bool IsAltKey(uint32_t vk) {
    return vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
}

bool IsModifierKey(uint32_t vk) {
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || (vk >= VK_LSHIFT && vk <= VK_RMENU);
}

// The generic key of a left- or right-hand modifier, or 0.
uint32_t GenericModifier(uint32_t vk) {
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) return VK_SHIFT;
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) return VK_CONTROL;
    if (vk == VK_LMENU || vk == VK_RMENU) return VK_MENU;
    return 0;
}

// The deepest visible, enabled window at a screen point, skipping the excluded ones.
TWindow* DeepestAt(TWindow* w, core::TPoint screen, const std::vector<TWindow*>& excluded) {
    for (;;) {
        const core::TPoint wp = w->ScreenToWindow(screen);
        if (!w->ClientArea().Contains(wp)) return w;
        const core::TPoint cp = w->ScreenToClient(screen);
        TWindow* next = nullptr;
        for (TWindow* child : w->Children()) {
            if (!child->IsVisible() || !child->IsEnabled()) continue;
            if (std::find(excluded.begin(), excluded.end(), child) != excluded.end()) continue;
            const core::TRect r = child->WindowRect();
            if (!child->HitsShape({cp.X - r.Left, cp.Y - r.Top})) continue;
            next = child;
            break;
        }
        if (!next) return w;
        w = next;
    }
}

}  // namespace

// ---- Key states ----------------------------------------------------------------------------------

void TInputRouter::SetKeyDown(uint32_t vk, bool down) {
    if (vk >= m_keys.size()) return;
    uint8_t& k = m_keys[vk];
    if (down && !(k & 0x80)) k ^= 0x01;
    k = static_cast<uint8_t>(down ? (k | 0x80) : (k & ~0x80));
    // The generic modifier and its left-hand twin move together.
    if (vk == VK_SHIFT) {
        SetKeyDown(VK_LSHIFT, down);
    } else if (vk == VK_CONTROL) {
        SetKeyDown(VK_LCONTROL, down);
    } else if (vk == VK_MENU) {
        SetKeyDown(VK_LMENU, down);
    } else if (const uint32_t generic = GenericModifier(vk)) {
        uint8_t& g = m_keys[generic];
        g = static_cast<uint8_t>(down ? (g | 0x80) : (g & ~0x80));
    }
}

int16_t TInputRouter::GetKeyState(uint32_t vk) const {
    if (vk >= m_keys.size()) return 0;
    const uint8_t k = m_keys[vk];
    return static_cast<int16_t>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

void TInputRouter::SyncModifiers(uint32_t modifiers) {
    const std::pair<uint32_t, uint32_t> map[] = {
        {kModShift, VK_SHIFT}, {kModControl, VK_CONTROL}, {kModAlt, VK_MENU}};
    for (const auto& [bit, vk] : map) {
        const bool down = (modifiers & bit) != 0;
        if (down != IsDown(vk)) SetKeyDown(vk, down);
    }
}

uint32_t TInputRouter::MouseKeyFlags() const {
    uint32_t f = 0;
    if (IsDown(VK_LBUTTON)) f |= MK_LBUTTON;
    if (IsDown(VK_RBUTTON)) f |= MK_RBUTTON;
    if (IsDown(VK_MBUTTON)) f |= MK_MBUTTON;
    if (IsDown(VK_SHIFT)) f |= MK_SHIFT;
    if (IsDown(VK_CONTROL)) f |= MK_CONTROL;
    return f;
}

bool TInputRouter::TakeAltAlone() {
    const bool alone = m_altAlone;
    m_altAlone = false;
    return alone;
}

// ---- Capture, hover, windows under the pointer ---------------------------------------------------

TWindow* TInputRouter::SetCapture(TWindow* window) {
    TWindow* old = m_capture;
    if (!m_system.IsWindow(window) || window->m_destroying || old == window) return old;
    m_capture = window;
    m_system.Backend().GrabPointer(window->TopLevel()->Native());
    if (old && m_system.IsWindow(old)) m_system.SendMessage(old, WM_CAPTURECHANGED, 0, PtrToLParam(window));
    return old;
}

void TInputRouter::ReleaseCapture() {
    TWindow* old = m_capture;
    if (!old) return;
    m_capture = nullptr;
    if (!m_system.MoveSize().Running()) m_system.Backend().GrabPointer(nullptr);
    m_system.SendMessage(old, WM_CAPTURECHANGED, 0, 0);
}

void TInputRouter::Withdraw(TWindow* window) {
    if (window->Contains(m_capture)) ReleaseCapture();
    if (window->Contains(m_hover)) m_hover = nullptr;
}

void TInputRouter::Forget(TWindow* window) {
    if (m_capture == window) m_capture = nullptr;
    if (m_hover == window) m_hover = nullptr;
    if (m_lastClick.WindowId == window->m_id) m_lastClick = {};
}

void TInputRouter::SetCursor(TCursorShape shape) {
    TWindow* over = m_capture ? m_capture : m_hover;
    if (!m_system.IsWindow(over)) return;
    if (TNativeWindow* native = over->TopLevel()->Native()) native->SetCursorShape(shape);
}

TWindow* TInputRouter::HitWindow(TWindow* top, core::TPoint screen, int& hit) {
    hit = HTNOWHERE;
    if (!top->HitsShape(top->ScreenToWindow(screen))) return nullptr;
    std::vector<TWindow*> transparent;
    for (std::size_t tries = 0; tries < 64; ++tries) {
        TWindow* w = DeepestAt(top, screen, transparent);
        hit = static_cast<int>(m_system.SendMessage(w, WM_NCHITTEST, 0, PointToLParam(screen)));
        if (hit != HTTRANSPARENT || w == top) return m_system.IsWindow(w) ? w : nullptr;
        transparent.push_back(w);
    }
    return nullptr;
}

TWindow* TInputRouter::WindowFromPoint(core::TPoint screen) {
    TNativeWindow* native = m_system.Backend().NativeWindowAt(ToDevice(screen, m_system.Scale()));
    TWindow* top = native ? native->Client() : nullptr;
    if (!m_system.IsWindow(top)) return nullptr;
    if (!top->IsVisible() || top->IsIconic() || !top->HitsShape(top->ScreenToWindow(screen))) return nullptr;
    return DeepestAt(top, screen, {});
}

void TInputRouter::UpdateHover(TWindow* window) {
    if (window == m_hover) return;
    TWindow* old = m_hover;
    m_hover = window;
    if (old && m_system.IsWindow(old)) m_system.SendMessage(old, CM_MOUSELEAVE, 0, 0);
    if (window && m_hover == window && m_system.IsWindow(window))
        m_system.SendMessage(window, CM_MOUSEENTER, 0, 0);
}

bool TInputRouter::MouseActivate(TWindow* target, TWindow* topLevel, int hit, uint32_t msg) {
    const int answer = static_cast<int>(m_system.SendMessage(target, WM_MOUSEACTIVATE, PtrToWParam(topLevel),
                                                             MakeLParam(hit, static_cast<int>(msg))));
    if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && m_system.IsWindow(topLevel) &&
        !topLevel->IsNoActivate() && topLevel->IsVisible() && topLevel->IsEnabled())
        m_system.Focus().Activate(topLevel, WA_CLICKACTIVE);
    return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

// ---- Translation ---------------------------------------------------------------------------------

bool TInputRouter::Translate(const TInputEvent& event, TMessage& msg) {
    switch (event.Kind) {
        case TInputKind::MouseMove:
        case TInputKind::ButtonDown:
        case TInputKind::ButtonUp:
        case TInputKind::Wheel:
            SyncModifiers(event.Modifiers);
            return TranslateMouse(event, msg);
        case TInputKind::KeyDown:
        case TInputKind::KeyUp:
        case TInputKind::Char:
            if (event.Kind != TInputKind::Char) SyncModifiers(event.Modifiers);
            return TranslateKey(event, msg);
        default:
            HandleDesktopEvent(event);
            return false;
    }
}

bool TInputRouter::TranslateWheel(const TInputEvent& e, TMessage& msg) {
    TWindow* target = m_system.Focus().Focus() ? m_system.Focus().Focus() : m_system.Focus().Active();
    if (!m_system.IsWindow(target)) return false;
    msg = {target,
           WM_MOUSEWHEEL,
           MakeWParam(static_cast<int>(MouseKeyFlags()), e.WheelDelta),
           PointToLParam(e.ScreenPos),
           e.Time,
           e.ScreenPos};
    return true;
}

bool TInputRouter::TranslateMouse(const TInputEvent& e, TMessage& msg) {
    const core::TPoint pt = e.ScreenPos;
    m_pointer = pt;
    const bool press = e.Kind == TInputKind::ButtonDown;
    if (press || e.Kind == TInputKind::ButtonUp) SetKeyDown(ButtonKey(e.Button), press);
    if (press) m_altAlone = false;

    TWindow* top = e.Target ? e.Target->Client() : nullptr;
    if (top && (!m_system.IsWindow(top) || !top->IsVisible() || top->IsIconic())) top = nullptr;
    int hit = HTNOWHERE;
    TWindow* under = top ? HitWindow(top, pt, hit) : nullptr;
    UpdateHover(under && m_system.IsWindow(under) && under->IsWindowEnabled() ? under : nullptr);
    if (e.Kind == TInputKind::Wheel) return TranslateWheel(e, msg);

    TWindow* target = m_capture;
    if (m_capture) {
        hit = HTCLIENT;
    } else {
        if (!under || !m_system.IsWindow(under) || !under->IsWindowEnabled() || hit == HTERROR) return false;
        target = under;
    }
    const uint32_t b = static_cast<uint32_t>(e.Button);
    if (!m_capture && (e.Kind == TInputKind::MouseMove || press)) {
        const uint32_t mouseMsg = press ? WM_LBUTTONDOWN + 3u * b : WM_MOUSEMOVE;
        m_system.SendMessage(target, WM_SETCURSOR, PtrToWParam(target),
                             MakeLParam(hit, static_cast<int>(mouseMsg)));
        if (!m_system.IsWindow(target)) return false;
    }
    const bool client = hit == HTCLIENT;
    uint32_t code;
    if (e.Kind == TInputKind::MouseMove) {
        code = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    } else if (!press) {
        code = (client ? WM_LBUTTONUP : WM_NCLBUTTONUP) + 3u * b;
    } else {
        code = PressCode(e, target, hit);
        if (code == 0) return false;
    }
    if (client) {
        msg = {target, code, MouseKeyFlags(), PointToLParam(target->ScreenToClient(pt)), e.Time, pt};
    } else {
        msg = {target, code, static_cast<TWParam>(static_cast<intptr_t>(hit)), PointToLParam(pt), e.Time, pt};
    }
    return true;
}

uint32_t TInputRouter::PressCode(const TInputEvent& e, TWindow* target, int hit) {
    const bool client = hit == HTCLIENT;
    const int b = static_cast<int>(e.Button);
    const uint32_t down = (client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN) + 3u * static_cast<uint32_t>(b);
    TWindow* tl = target->TopLevel();
    if (!m_capture && tl != m_system.Focus().Active() && !tl->IsMessageOnly()) {
        if (MouseActivate(target, tl, hit, down)) return 0;  // eaten
        if (!m_system.IsWindow(target)) return 0;
    }
    const core::TPoint pt = e.ScreenPos;
    const bool nearEnough = std::abs(pt.X - m_lastClick.Pos.X) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                            std::abs(pt.Y - m_lastClick.Pos.Y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    const bool dbl = m_lastClick.WindowId == target->m_id && m_lastClick.Button == b &&
                     m_lastClick.NonClient == !client && !m_lastClick.WasDouble &&
                     e.Time >= m_lastClick.Time && e.Time - m_lastClick.Time <= kDoubleClickTime &&
                     nearEnough && (!client || (target->m_classStyle & CS_DBLCLKS));
    m_lastClick = {target->m_id, b, !client, e.Time, pt, dbl};
    return down + (dbl ? 2u : 0u);
}

bool TInputRouter::TranslateKey(const TInputEvent& e, TMessage& msg) {
    const uint32_t vk = e.VirtualKey;
    const bool isAltKey = IsAltKey(vk);
    if (e.Kind == TInputKind::KeyDown) {
        if (!isAltKey) {
            m_altAlone = false;
        } else if (!e.AutoRepeat) {
            m_altAlone = true;
        }
        SetKeyDown(vk, true);
    }
    const bool alt = IsDown(VK_MENU);
    const bool ctrl = IsDown(VK_CONTROL);
    if (e.Kind == TInputKind::KeyUp) SetKeyDown(vk, false);

    TWindow* focus = m_system.Focus().Focus();
    TWindow* active = m_system.Focus().Active();
    TWindow* target = m_system.IsWindow(focus) ? focus : (m_system.IsWindow(active) ? active : nullptr);
    if (!target || !target->IsWindowEnabled()) return false;
    const bool sys = (alt && !ctrl) || isAltKey || vk == VK_F10 || !focus;

    if (e.Kind == TInputKind::Char) {
        const bool sysChar = alt && !ctrl;
        msg = {target,
               sysChar ? WM_SYSCHAR : WM_CHAR,
               static_cast<TWParam>(e.Char),
               1 | ((e.ScanCode & 0xFF) << 16) | (sysChar ? KF_ALTDOWN : 0u),
               e.Time,
               e.ScreenPos};
        return true;
    }
    uint32_t flags = 1u | ((e.ScanCode & 0xFFu) << 16);
    if (alt && !isAltKey) flags |= KF_ALTDOWN;
    if (e.Kind == TInputKind::KeyDown) {
        if (e.AutoRepeat) flags |= KF_REPEAT;
        msg = {target,     sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, static_cast<TLParam>(flags), e.Time,
               e.ScreenPos};
    } else {
        flags |= KF_REPEAT | KF_UP;
        msg = {target, sys ? WM_SYSKEYUP : WM_KEYUP, vk, static_cast<TLParam>(flags), e.Time, e.ScreenPos};
    }
    if (IsModifierKey(vk) && e.Kind == TInputKind::KeyUp && !isAltKey) m_altAlone = false;
    return true;
}

}  // namespace platform::ui
