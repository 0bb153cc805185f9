#pragma once
// TFormHost: what the top-level form does for the windowed controls on it: the focus
// bookkeeping and the form's share of every key (shortcuts, KeyPreview, dialog keys). TForm
// implements it; the control classes reach it through FindFormHost and so need not know the
// form class.

#include <cstdint>

#include "platform/forms/Component.h"
#include "platform/forms/ControlMessages.h"

namespace platform::forms {

class TControl;
class TWinControl;

class TFormHost {
public:
    // The form as a control (the target of dialog keys and characters).
    [[nodiscard]] virtual TWinControl* HostControl() = 0;
    [[nodiscard]] virtual TWinControl* HostActiveControl() const = 0;
    // A control of the form got the window focus.
    virtual void HostSetFocusedControl(TWinControl* control) = 0;
    // A control is going away (removing) or can no longer hold the focus.
    virtual void HostDefocusControl(TWinControl* control, bool removing) = 0;
    // Moves the focus to a control of the form (or remembers it while the form is hidden).
    virtual void HostFocusControl(TWinControl* control) = 0;
    // The form's shortcuts (OnShortCut, the main menu); true when the key was used.
    virtual bool HostIsShortCut(TMessage& keyMessage) = 0;
    // With KeyPreview the form sees every key of its controls first.
    [[nodiscard]] virtual bool HostKeyPreview() const = 0;
    virtual void HostKeyDown(uint16_t& key, TShiftState shift) = 0;
    virtual void HostKeyUp(uint16_t& key, TShiftState shift) = 0;
    virtual void HostKeyPress(char32_t& key) = 0;
    // A host inside another form's window (an MDI child) serves its own controls all the same.
    [[nodiscard]] virtual bool HostStandsAlone() const { return false; }

protected:
    ~TFormHost() = default;
};

// The form host at the top of the control's parents (the control itself when it is a form),
// or null when the top is no form.
[[nodiscard]] TFormHost* FindFormHost(const TControl* control);

}  // namespace platform::forms
