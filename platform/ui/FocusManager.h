#pragma once
// Focus and activation: which top-level window is active (WM_NCACTIVATE, WM_ACTIVATE,
// WM_ACTIVATEAPP), which window has the keyboard focus (WM_SETFOCUS, WM_KILLFOCUS), and who is
// activated when the active window goes away.

#include "platform/ui/Window.h"

namespace platform::ui {

class TWindowSystem;

class TFocusManager {
public:
    explicit TFocusManager(TWindowSystem& system) : m_system(system) {}

    // See TWindowSystem::SetActiveWindow and SetFocus.
    bool SetActiveWindow(TWindow* window);
    TWindow* SetFocus(TWindow* window);
    [[nodiscard]] TWindow* Focus() const { return m_focus; }
    [[nodiscard]] TWindow* Active() const { return m_active; }

    // Makes topLevel (or nothing) the active window; how is a WA_* code.
    void Activate(TWindow* topLevel, int how);
    // The owner, else the topmost window that can take it, becomes active instead of leaving.
    void ActivateNextAfter(TWindow* leaving);
    // The focus leaves window and its children (WM_KILLFOCUS).
    void FocusLost(TWindow* window);
    // Without asking anybody: a window that is being destroyed.
    void Withdraw(TWindow* window);
    void Forget(TWindow* window);

private:
    TWindowSystem& m_system;
    TWindow* m_focus = nullptr;
    TWindow* m_active = nullptr;
};

}  // namespace platform::ui
