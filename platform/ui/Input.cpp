// Raw input to messages: the window under the pointer, hit-testing, capture, mouse activation,
// double clicks, enter and leave, wheel and keyboard, and the desktop's own events.

#include <cstdlib>

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

bool IsModifierKey(uint32_t vk) {
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || (vk >= VK_LSHIFT && vk <= VK_RMENU);
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

void TWindowSystem::SetKeyDown(uint32_t vk, bool down) {
    if (vk >= m_keys.size()) return;
    uint8_t& k = m_keys[vk];
    if (down && !(k & 0x80)) k ^= 0x01;
    k = static_cast<uint8_t>(down ? (k | 0x80) : (k & ~0x80));
    // The generic modifier and its left-hand twin move together.
    if (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT) {
        if (vk == VK_SHIFT)
            SetKeyDown(VK_LSHIFT, down);
        else
            m_keys[VK_SHIFT] =
                static_cast<uint8_t>(down ? (m_keys[VK_SHIFT] | 0x80) : (m_keys[VK_SHIFT] & ~0x80));
    } else if (vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL) {
        if (vk == VK_CONTROL)
            SetKeyDown(VK_LCONTROL, down);
        else
            m_keys[VK_CONTROL] =
                static_cast<uint8_t>(down ? (m_keys[VK_CONTROL] | 0x80) : (m_keys[VK_CONTROL] & ~0x80));
    } else if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) {
        if (vk == VK_MENU)
            SetKeyDown(VK_LMENU, down);
        else
            m_keys[VK_MENU] =
                static_cast<uint8_t>(down ? (m_keys[VK_MENU] | 0x80) : (m_keys[VK_MENU] & ~0x80));
    }
}

int16_t TWindowSystem::GetKeyState(uint32_t vk) const {
    if (vk >= m_keys.size()) return 0;
    const uint8_t k = m_keys[vk];
    return static_cast<int16_t>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

void TWindowSystem::SyncModifiers(uint32_t modifiers) {
    // The desktop may have changed modifiers while another program had the keyboard.
    const std::pair<uint32_t, uint32_t> map[] = {
        {kModShift, VK_SHIFT}, {kModControl, VK_CONTROL}, {kModAlt, VK_MENU}};
    for (const auto& [bit, vk] : map) {
        const bool down = (modifiers & bit) != 0;
        if (down != ((m_keys[vk] & 0x80) != 0)) SetKeyDown(vk, down);
    }
}

uint32_t TWindowSystem::MouseKeyFlags() const {
    uint32_t f = 0;
    if (m_keys[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
    if (m_keys[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
    if (m_keys[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
    if (m_keys[VK_SHIFT] & 0x80) f |= MK_SHIFT;
    if (m_keys[VK_CONTROL] & 0x80) f |= MK_CONTROL;
    return f;
}

TWindow* TWindowSystem::HitWindow(TWindow* top, core::TPoint screen, int& hit) {
    hit = HTNOWHERE;
    if (!top->HitsShape(top->ScreenToWindow(screen))) return nullptr;
    std::vector<TWindow*> transparent;
    for (std::size_t tries = 0; tries < 64; ++tries) {
        TWindow* w = DeepestAt(top, screen, transparent);
        hit = static_cast<int>(SendMessage(w, WM_NCHITTEST, 0, PointToLParam(screen)));
        if (hit != HTTRANSPARENT || w == top) return IsWindow(w) ? w : nullptr;
        transparent.push_back(w);
    }
    return nullptr;
}

TWindow* TWindowSystem::WindowFromPoint(core::TPoint screen) {
    auto it = m_byNative.find(m_backend->WindowAt(screen));
    if (it == m_byNative.end()) return nullptr;
    TWindow* top = it->second;
    if (!top->IsVisible() || top->IsIconic() || !top->HitsShape(top->ScreenToWindow(screen))) return nullptr;
    return DeepestAt(top, screen, {});
}

void TWindowSystem::UpdateHover(TWindow* window) {
    if (window == m_hover) return;
    TWindow* old = m_hover;
    m_hover = window;
    if (old && IsWindow(old)) SendMessage(old, CM_MOUSELEAVE, 0, 0);
    if (window && m_hover == window && IsWindow(window)) SendMessage(window, CM_MOUSEENTER, 0, 0);
}

bool TWindowSystem::MouseActivate(TWindow* target, TWindow* topLevel, int hit, uint32_t msg) {
    const int answer = static_cast<int>(
        SendMessage(target, WM_MOUSEACTIVATE, PtrToWParam(topLevel), MakeLParam(hit, static_cast<int>(msg))));
    if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && IsWindow(topLevel) &&
        !topLevel->IsNoActivate() && topLevel->IsVisible() && topLevel->IsEnabled())
        Activate(topLevel, WA_CLICKACTIVE);
    return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

bool TWindowSystem::TranslateInput(const TInputEvent& event, TMessage& msg) {
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

bool TWindowSystem::TranslateMouse(const TInputEvent& e, TMessage& msg) {
    const core::TPoint pt = e.ScreenPos;
    m_pointer = pt;
    const bool press = e.Kind == TInputKind::ButtonDown;
    if (press || e.Kind == TInputKind::ButtonUp) SetKeyDown(ButtonKey(e.Button), press);
    if (press) m_altAlone = false;

    TWindow* top = nullptr;
    if (auto it = m_byNative.find(e.Window); it != m_byNative.end()) top = it->second;
    if (top && (!top->IsVisible() || top->IsIconic())) top = nullptr;
    int hit = HTNOWHERE;
    TWindow* under = top ? HitWindow(top, pt, hit) : nullptr;
    UpdateHover(under && IsWindow(under) && under->IsWindowEnabled() ? under : nullptr);

    if (e.Kind == TInputKind::Wheel) {
        TWindow* target = m_focus ? m_focus : m_active;
        if (!IsWindow(target)) return false;
        msg = {target,
               WM_MOUSEWHEEL,
               MakeWParam(static_cast<int>(MouseKeyFlags()), e.WheelDelta),
               PointToLParam(pt),
               e.Time,
               pt};
        return true;
    }

    TWindow* target = nullptr;
    if (m_capture) {
        target = m_capture;
        hit = HTCLIENT;
    } else {
        if (!under || !IsWindow(under) || !under->IsWindowEnabled() || hit == HTERROR) return false;
        target = under;
    }
    const int b = static_cast<int>(e.Button);
    if (!m_capture && (e.Kind == TInputKind::MouseMove || press)) {
        const uint32_t mouseMsg = press ? WM_LBUTTONDOWN + 3u * static_cast<uint32_t>(b) : WM_MOUSEMOVE;
        SendMessage(target, WM_SETCURSOR, PtrToWParam(target), MakeLParam(hit, static_cast<int>(mouseMsg)));
        if (!IsWindow(target)) return false;
    }

    const bool client = hit == HTCLIENT;
    uint32_t code;
    if (e.Kind == TInputKind::MouseMove) {
        code = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    } else if (!press) {
        code = (client ? WM_LBUTTONUP : WM_NCLBUTTONUP) + 3u * static_cast<uint32_t>(b);
    } else {
        TWindow* tl = target->TopLevel();
        if (!m_capture && tl != m_active && !tl->IsMessageOnly()) {
            const uint32_t downMsg =
                (client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN) + 3u * static_cast<uint32_t>(b);
            if (MouseActivate(target, tl, hit, downMsg)) return false;  // eaten
            if (!IsWindow(target)) return false;
        }
        const bool nearEnough = std::abs(pt.X - m_lastClick.Pos.X) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                                std::abs(pt.Y - m_lastClick.Pos.Y) <= GetSystemMetrics(SM_CYDOUBLECLK);
        const bool dbl = m_lastClick.WindowId == target->m_id && m_lastClick.Button == b &&
                         m_lastClick.NonClient == !client && !m_lastClick.WasDouble &&
                         e.Time >= m_lastClick.Time && e.Time - m_lastClick.Time <= kDoubleClickTime &&
                         nearEnough && (!client || (target->m_classStyle & CS_DBLCLKS));
        m_lastClick = {target->m_id, b, !client, e.Time, pt, dbl};
        code = (client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN) + 3u * static_cast<uint32_t>(b) + (dbl ? 2u : 0u);
    }
    if (client) {
        msg = {target, code, MouseKeyFlags(), PointToLParam(target->ScreenToClient(pt)), e.Time, pt};
    } else {
        msg = {target, code, static_cast<TWParam>(static_cast<intptr_t>(hit)), PointToLParam(pt), e.Time, pt};
    }
    return true;
}

bool TWindowSystem::TranslateKey(const TInputEvent& e, TMessage& msg) {
    const uint32_t vk = e.VirtualKey;
    if (e.Kind == TInputKind::KeyDown) {
        if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) {
            if (!e.AutoRepeat) m_altAlone = true;
        } else {
            m_altAlone = false;
        }
        SetKeyDown(vk, true);
    }
    const bool alt = (m_keys[VK_MENU] & 0x80) != 0;
    const bool ctrl = (m_keys[VK_CONTROL] & 0x80) != 0;
    if (e.Kind == TInputKind::KeyUp) SetKeyDown(vk, false);

    TWindow* target = IsWindow(m_focus) ? m_focus : (IsWindow(m_active) ? m_active : nullptr);
    if (!target || !target->IsWindowEnabled()) return false;
    const bool isAltKey = vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
    const bool sys = (alt && !ctrl) || isAltKey || vk == VK_F10 || !m_focus;

    if (e.Kind == TInputKind::Char) {
        msg = {target,
               (alt && !ctrl) ? WM_SYSCHAR : WM_CHAR,
               static_cast<TWParam>(e.Char),
               1 | ((e.ScanCode & 0xFF) << 16) | ((alt && !ctrl) ? KF_ALTDOWN : 0u),
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

void TWindowSystem::HandleDesktopEvent(const TInputEvent& e) {
    auto it = m_byNative.find(e.Window);
    TWindow* w = it == m_byNative.end() ? nullptr : it->second;
    if (!w) return;
    switch (e.Kind) {
        case TInputKind::CloseRequest:
            if (w->IsEnabled()) SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case TInputKind::Expose: {
            gfx::TRegion area(e.Rect);
            area.Intersect(core::TRect{0, 0, w->Width(), w->Height()});
            AddDirty(w, area);
            break;
        }
        case TInputKind::Configure:
            if (e.Rect != w->m_rect) {
                // The desktop already placed the window: update our record without asking it again.
                m_desktopChange = w->m_id;
                SetWindowPos(w, nullptr, e.Rect, SWP_NOZORDER | SWP_NOACTIVATE);
                m_desktopChange = 0;
            }
            break;
        case TInputKind::FocusIn:
            // A disabled window (the owner of a modal dialog) is not activated: the desktop's
            // focus events lag behind our own focus requests, and activating it would hand the
            // focus back and forth with the dialog for ever.
            if (w != m_active && !w->IsNoActivate() && w->IsVisible() && w->IsEnabled())
                Activate(w, WA_ACTIVE);
            break;
        case TInputKind::FocusOut:
            if (w == m_active) Activate(nullptr, WA_INACTIVE);
            break;
        case TInputKind::Minimized:
        case TInputKind::Restored:
            m_desktopChange = w->m_id;
            SetShowState(w, e.Kind == TInputKind::Minimized ? TShowState::Minimized : TShowState::Normal);
            m_desktopChange = 0;
            break;
        default:
            break;
    }
}

}  // namespace platform::ui
