// The mouse actions the notification area reports, turned into the component's events: the
// single click waits one double-click time so that a double click never also counts as a click.

#include <cstdlib>

#include "platform/forms/Application.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsTrayIcon.h"

namespace skin {

using namespace platform::forms;
using platform::ui::TTrayAction;
using platform::ui::TTrayEvent;
namespace ui = platform::ui;

namespace {
TMouseButton FormsButton(ui::TMouseButton button) {
    switch (button) {
        case ui::TMouseButton::Right:
            return mbRight;
        case ui::TMouseButton::Middle:
            return mbMiddle;
        default:
            return mbLeft;
    }
}
}  // namespace

void TbsTrayIcon::HandleAreaEvent(const TTrayEvent& e) {
    if (!m_enabled) return;
    switch (e.Action) {
        case TTrayAction::MouseMove:
            if (OnMouseMove) OnMouseMove(this, KeyboardShiftState(), e.Screen.X, e.Screen.Y);
            break;
        case TTrayAction::MouseDown:
            if (e.Button == ui::TMouseButton::Left)
                LeftDown(e);
            else
                MouseButton(e, true);
            break;
        case TTrayAction::MouseUp:
            if (e.Button == ui::TMouseButton::Left)
                LeftUp(e);
            else
                MouseButton(e, false);
            break;
        case TTrayAction::DoubleClick:
            if (e.Button == ui::TMouseButton::Left) DoubleClick(e);
            break;
        case TTrayAction::Activate:
            Activate(e);
            break;
        case TTrayAction::SecondaryActivate: {
            TTrayEvent middle = e;
            middle.Button = ui::TMouseButton::Middle;
            MouseButton(middle, true);
            MouseButton(middle, false);
            break;
        }
        case TTrayAction::ContextMenu: {
            TTrayEvent right = e;
            right.Button = ui::TMouseButton::Right;
            MouseButton(right, true);
            MouseButton(right, false);
            break;
        }
        case TTrayAction::Scroll:
            Wheel(e);
            break;
    }
}

void TbsTrayIcon::Wheel(const TTrayEvent& e) {
    if (!OnMouseWheel || e.Delta == 0) return;
    // Hosts count in wheel units (120 a notch) or in notches; the event counts in wheel units.
    const int delta = std::abs(e.Delta) < ui::WHEEL_DELTA ? e.Delta * ui::WHEEL_DELTA : e.Delta;
    TShiftState shift = KeyboardShiftState();
    if (e.Horizontal) shift |= ssShift;
    // A host's scroll request carries no position: the pointer is over the icon.
    TPoint at = e.Screen;
    if (at.X == 0 && at.Y == 0) {
        if (ui::TWindowSystem* ws = ui::TWindowSystem::Current()) at = ws->GetCursorPos();
    }
    bool handled = false;
    OnMouseWheel(this, shift, delta, at, handled);
}

void TbsTrayIcon::LeftDown(const TTrayEvent& e) {
    if (m_singleClickTimer) {
        m_singleClickTimer->SetEnabled(false);
        m_singleClickTimer->SetEnabled(true);
        m_singleClickExpired = false;
    }
    if (OnMouseDown) OnMouseDown(this, mbLeft, KeyboardShiftState(), e.Screen.X, e.Screen.Y);
    m_leftDownSeen = true;
    if (m_popupByLeftButton) PopupAt(e.Screen);
}

void TbsTrayIcon::LeftUp(const TTrayEvent& e) {
    if (m_leftDownSeen) m_clickPending = true;
    if (m_leftDownSeen && m_singleClickExpired) {
        m_leftDownSeen = false;
        m_clickPending = false;
        if (OnClick) OnClick(this);
    }
    m_leftDownSeen = false;
    if (OnMouseUp) OnMouseUp(this, mbLeft, KeyboardShiftState(), e.Screen.X, e.Screen.Y);
}

void TbsTrayIcon::DoubleClick(const TTrayEvent& /*e*/) {
    m_clickPending = false;
    m_doubleClickSeen = true;
    if (OnDblClick) OnDblClick(this);
    if (m_popupMenu && m_popupMenu->AutoPopup() && !m_popupByLeftButton) ClickDefaultItem();
}

// A protocol that reports whole clicks: a second one within the double-click time is the
// double click; otherwise a press and release.
void TbsTrayIcon::Activate(const TTrayEvent& e) {
    TTrayEvent left = e;
    left.Button = ui::TMouseButton::Left;
    if (m_clickPending && !m_singleClickExpired) {
        DoubleClick(left);
        left.Action = TTrayAction::MouseUp;
        LeftUp(left);
        return;
    }
    LeftDown(left);
    LeftUp(left);
}

void TbsTrayIcon::MouseButton(const TTrayEvent& e, bool down) {
    const TMouseButton button = FormsButton(e.Button);
    if (down) {
        if (OnMouseDown) OnMouseDown(this, button, KeyboardShiftState(), e.Screen.X, e.Screen.Y);
        if (button == mbRight) PopupAt(e.Screen);
    } else if (OnMouseUp) {
        OnMouseUp(this, button, KeyboardShiftState(), e.Screen.X, e.Screen.Y);
    }
}

void TbsTrayIcon::SingleClickTick() {
    if (m_singleClickTimer) m_singleClickTimer->SetEnabled(false);
    m_singleClickExpired = true;
    if (!m_doubleClickSeen && m_clickPending) {
        m_clickPending = false;
        if (OnClick) OnClick(this);
    }
    m_doubleClickSeen = false;
}

void TbsTrayIcon::PopupAt(platform::core::TPoint screen) {
    if (!m_popupMenu || !m_popupMenu->AutoPopup()) return;
    if (Application) Application->ProcessMessages();
    if (!m_popupMenu) return;
    m_popupMenu->SetPopupComponent(this);
    m_popupMenu->Popup(screen.X, screen.Y);
}

void TbsTrayIcon::ClickDefaultItem() {
    TMenuItem* root = m_popupMenu ? m_popupMenu->Items() : nullptr;
    if (!root) return;
    for (int i = 0; i < root->Count(); ++i) {
        if (root->Items(i)->Default()) {
            root->Items(i)->Click();
            return;
        }
    }
}

}  // namespace skin
