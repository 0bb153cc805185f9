#pragma once
// A push button drawn by the example itself: a custom control that takes the focus when
// pressed, clicks on Space and on its accelerator, answers Enter as the default button and
// Escape as the cancel button, and shows hover, press and focus.

#include "platform/forms/CustomControl.h"

namespace example {

class TDemoButton : public platform::forms::TCustomControl {
public:
    explicit TDemoButton(platform::forms::TComponent* owner);

    bool Default = false;
    bool Cancel = false;
    platform::forms::TModalResult ModalResult = platform::forms::mrNone;

    void Click() override;

    // Adds the class and its properties to the form-resource registry.
    static void Register();

protected:
    void Paint() override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                 int y) override;
    void KeyDown(uint16_t& key, platform::forms::TShiftState shift) override;
    void CMMouseEnter(platform::forms::TMessage& m) override;
    void CMMouseLeave(platform::forms::TMessage& m) override;
    void CMDialogKey(platform::forms::TMessage& m) override;
    void CMDialogChar(platform::forms::TMessage& m) override;
    void CMFocusChanged(platform::forms::TMessage& m) override;
    void WMSetFocus(platform::forms::TMessage& m) override;
    void WMKillFocus(platform::forms::TMessage& m) override;

private:
    bool m_pressed = false;
};

}  // namespace example
