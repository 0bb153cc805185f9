#pragma once
// TCustomControl: a windowed control that paints itself through a canvas in Paint. During
// Paint, Canvas() is the paint context's canvas (clipped to what needs painting, origin at the
// client top-left, font and brush set from the control). Outside painting, Canvas() draws on the
// window straight away (a client context kept until the current message is done, or until
// ReleaseCanvas).

#include <memory>

#include "platform/forms/WinControl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace platform::forms {

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    [[nodiscard]] gfx::TCanvas& Canvas();
    // Ends a context taken by Canvas() outside painting.
    void ReleaseCanvas() override;

protected:
    virtual void Paint();
    void PaintWindow(ui::TDeviceContext& dc) override;
    void DestroyWnd() override;

private:
    friend class TWinControl;
    gfx::TCanvas* m_paintCanvas = nullptr;
    ui::TDeviceContextPtr m_dc;
    std::unique_ptr<gfx::TBitmap> m_nullTarget;  // a canvas to draw into when there is no window
};

}  // namespace platform::forms
