// Activation of top-level windows and the keyboard focus.

#include "platform/ui/FocusManager.h"

#include "platform/ui/WindowSystem.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

namespace {

bool CanActivate(const TWindow* w) {
    return !w->IsMessageOnly() && !w->IsNoActivate() && w->IsVisible() && w->IsEnabled() &&
           !w->IsDestroying();
}

}  // namespace

bool TFocusManager::SetActiveWindow(TWindow* window) {
    if (!m_system.IsWindow(window)) return false;
    TWindow* top = window->TopLevel();
    if (top == m_active) return true;
    if (!CanActivate(top)) return false;
    Activate(top, WA_ACTIVE);
    return m_active == top;
}

void TFocusManager::Activate(TWindow* topLevel, int how) {
    TWindow* old = m_active;
    if (old == topLevel) return;
    if (old && !m_system.IsWindow(old)) old = nullptr;
    m_active = topLevel;
    if (old) {
        m_system.SendMessage(old, WM_NCACTIVATE, 0, PtrToLParam(topLevel));
        m_system.SendMessage(old, WM_ACTIVATE, WA_INACTIVE, PtrToLParam(topLevel));
        Withdraw(old);
    }
    if (m_active != topLevel) return;  // a handler activated something else meanwhile
    if (!topLevel || !m_system.IsWindow(topLevel)) {
        m_active = nullptr;
        if (old) m_system.SendMessage(old, WM_ACTIVATEAPP, 0, 0);
        return;
    }
    if (!old) m_system.SendMessage(topLevel, WM_ACTIVATEAPP, 1, 0);
    m_system.Tree().RaiseTopLevel(topLevel);
    if (topLevel->m_native) topLevel->m_native->SetKeyboardFocus();
    m_system.SendMessage(topLevel, WM_NCACTIVATE, 1, PtrToLParam(old));
    m_system.SendMessage(topLevel, WM_ACTIVATE, static_cast<TWParam>(how), PtrToLParam(old));
}

void TFocusManager::ActivateNextAfter(TWindow* leaving) {
    TWindow* next = nullptr;
    TWindow* owner = leaving->m_owner;
    if (owner && m_system.IsWindow(owner) && CanActivate(owner) && !owner->IsIconic()) next = owner;
    if (!next) {
        for (TWindow* t : m_system.Tree().TopLevels()) {
            if (t != leaving && CanActivate(t) && !t->IsIconic() && !leaving->Contains(t)) {
                next = t;
                break;
            }
        }
    }
    Activate(next, WA_ACTIVE);
}

TWindow* TFocusManager::SetFocus(TWindow* window) {
    TWindow* old = m_focus;
    if (!window) {
        if (old) {
            m_focus = nullptr;
            m_system.SendMessage(old, WM_KILLFOCUS, 0, 0);
        }
        return old;
    }
    if (!m_system.IsWindow(window) || window->m_destroying || window->m_messageOnly || window->IsNoActivate())
        return old;
    TWindow* top = window->TopLevel();
    if (top != m_active && !SetActiveWindow(top)) return old;
    if (!m_system.IsWindow(window)) return old;
    old = m_focus;
    if (old == window) return old;
    m_focus = window;
    if (old && m_system.IsWindow(old)) m_system.SendMessage(old, WM_KILLFOCUS, PtrToWParam(window), 0);
    if (m_focus == window && m_system.IsWindow(window))
        m_system.SendMessage(window, WM_SETFOCUS, PtrToWParam(m_system.IsWindow(old) ? old : nullptr), 0);
    return old;
}

void TFocusManager::FocusLost(TWindow* window) {
    if (!window->Contains(m_focus)) return;
    SetFocus(nullptr);
}

void TFocusManager::Withdraw(TWindow* window) {
    if (!window->Contains(m_focus)) return;
    TWindow* f = m_focus;
    m_focus = nullptr;
    m_system.SendMessage(f, WM_KILLFOCUS, 0, 0);
}

void TFocusManager::Forget(TWindow* window) {
    if (m_focus == window) m_focus = nullptr;
    if (m_active == window) m_active = nullptr;
}

}  // namespace platform::ui
