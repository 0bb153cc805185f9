// Activation of top-level windows, the keyboard focus and the mouse capture.

#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {

bool CanActivate(const TWindow* w) {
    return !w->IsMessageOnly() && !w->IsNoActivate() && w->IsVisible() && w->IsEnabled() &&
           !w->IsDestroying();
}

}  // namespace

bool TWindowSystem::SetActiveWindow(TWindow* window) {
    if (!IsWindow(window)) return false;
    TWindow* top = window->TopLevel();
    if (top == m_active) return true;
    if (!CanActivate(top)) return false;
    Activate(top, WA_ACTIVE);
    return m_active == top;
}

void TWindowSystem::Activate(TWindow* topLevel, int how) {
    TWindow* old = m_active;
    if (old == topLevel) return;
    if (old && !IsWindow(old)) old = nullptr;
    m_active = topLevel;
    if (old) {
        SendMessage(old, WM_NCACTIVATE, 0, PtrToLParam(topLevel));
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, PtrToLParam(topLevel));
        if (old->Contains(m_focus)) {
            TWindow* f = m_focus;
            m_focus = nullptr;
            SendMessage(f, WM_KILLFOCUS, 0, 0);
        }
    }
    if (m_active != topLevel) return;  // a handler activated something else meanwhile
    if (!topLevel || !IsWindow(topLevel)) {
        m_active = nullptr;
        if (old) SendMessage(old, WM_ACTIVATEAPP, 0, 0);
        return;
    }
    if (!old) SendMessage(topLevel, WM_ACTIVATEAPP, 1, 0);
    RaiseTopLevel(topLevel);
    if (topLevel->m_native) m_backend->SetKeyboardFocus(topLevel->m_native);
    SendMessage(topLevel, WM_NCACTIVATE, 1, PtrToLParam(old));
    SendMessage(topLevel, WM_ACTIVATE, static_cast<TWParam>(how), PtrToLParam(old));
}

void TWindowSystem::ActivateNextAfter(TWindow* leaving) {
    TWindow* next = nullptr;
    if (leaving->m_owner && IsWindow(leaving->m_owner) && CanActivate(leaving->m_owner) &&
        !leaving->m_owner->IsIconic())
        next = leaving->m_owner;
    if (!next) {
        for (TWindow* t : m_topLevels) {
            if (t != leaving && CanActivate(t) && !t->IsIconic() && !leaving->Contains(t)) {
                next = t;
                break;
            }
        }
    }
    Activate(next, WA_ACTIVE);
}

TWindow* TWindowSystem::SetFocus(TWindow* window) {
    TWindow* old = m_focus;
    if (!window) {
        if (old) {
            m_focus = nullptr;
            SendMessage(old, WM_KILLFOCUS, 0, 0);
        }
        return old;
    }
    if (!IsWindow(window) || window->m_destroying || window->m_messageOnly || window->IsNoActivate())
        return old;
    TWindow* top = window->TopLevel();
    if (top != m_active && !SetActiveWindow(top)) return old;
    if (!IsWindow(window)) return old;
    old = m_focus;
    if (old == window) return old;
    m_focus = window;
    if (old && IsWindow(old)) SendMessage(old, WM_KILLFOCUS, PtrToWParam(window), 0);
    if (m_focus == window && IsWindow(window))
        SendMessage(window, WM_SETFOCUS, PtrToWParam(IsWindow(old) ? old : nullptr), 0);
    return old;
}

void TWindowSystem::FocusLost(TWindow* window) {
    if (!window->Contains(m_focus)) return;
    SetFocus(nullptr);
}

TWindow* TWindowSystem::SetCapture(TWindow* window) {
    TWindow* old = m_capture;
    if (!IsWindow(window) || window->m_destroying || old == window) return old;
    m_capture = window;
    m_backend->SetPointerGrab(window->TopLevel()->m_native);
    if (old && IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, PtrToLParam(window));
    return old;
}

void TWindowSystem::ReleaseCapture() {
    TWindow* old = m_capture;
    if (!old) return;
    m_capture = nullptr;
    if (!InMoveSizeLoop()) m_backend->SetPointerGrab(0);
    SendMessage(old, WM_CAPTURECHANGED, 0, 0);
}

}  // namespace platform::ui
