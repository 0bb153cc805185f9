#pragma once
// THintWindow: the small top-level window that shows a control's hint: a popup that takes no
// activation and no focus, stays on top, and is drawn in the hint colour with a one-pixel
// frame. The application makes it through HintWindowClass, so a skin can put its own in.

#include <string>

#include "platform/forms/CustomControl.h"

namespace platform::forms {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);

    // Shows the window with this text at rect (screen coordinates).
    virtual void ActivateHint(TRect rect, const std::string& hint);
    virtual void ActivateHintData(TRect rect, const std::string& hint, void* data);
    // The size the text needs (a rectangle at 0, 0), wrapping at maxWidth.
    [[nodiscard]] virtual TRect CalcHintRect(int maxWidth, const std::string& hint, void* data);
    // Hides the window.
    virtual void ReleaseHandle();
    [[nodiscard]] bool IsHintVisible() const;

protected:
    void CreateParams(ui::TCreateParams& params) override;
    void Paint() override;
    void WMNCHitTest(TMessage& message);
    void WndProc(TMessage& message) override;
};

}  // namespace platform::forms
