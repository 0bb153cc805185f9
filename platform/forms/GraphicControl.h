#pragma once
// TGraphicControl: a control without a window. It paints on its parent's canvas (the parent's
// paint calls Paint with the canvas moved to the control's top-left and clipped to its
// rectangle) and gets mouse input through its parent's hit-testing of its windowless children
// (CM_HITTEST), with capture while a button is held, and CM_MOUSEENTER / CM_MOUSELEAVE when the
// pointer comes over it or leaves.

#include <functional>
#include <memory>

#include "platform/forms/Control.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/DeviceContext.h"

namespace platform::forms {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // During Paint: the parent's paint canvas, moved and clipped to this control. Outside
    // painting: a context on the parent's window moved and clipped the same way (kept until
    // the current message is done, or ReleaseCanvas).
    [[nodiscard]] gfx::TCanvas& Canvas();
    void ReleaseCanvas() override;
    [[nodiscard]] bool PaintsOnParent() const override { return true; }

protected:
    virtual void Paint();
    // Runs fn with Canvas() standing for the given canvas (measuring text off-screen).
    void WithCanvas(gfx::TCanvas& canvas, const std::function<void()>& fn);

private:
    friend class TWinControl;
    // Called by the parent's paint with the parent's canvas already moved and clipped.
    void PaintOn(gfx::TCanvas& canvas) override;

    gfx::TCanvas* m_paintCanvas = nullptr;
    ui::TDeviceContextPtr m_dc;
    std::unique_ptr<gfx::TBitmap> m_nullTarget;
};

}  // namespace platform::forms
