#include "platform/forms/CustomControl.h"

#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() {
    ReleaseCanvas();
}

gfx::TCanvas& TCustomControl::Canvas() {
    if (m_paintCanvas) return *m_paintCanvas;
    if (!m_dc) {
        TWindowSystem* ws = TWindowSystem::Current();
        TWindow* w = ws ? Handle() : nullptr;
        if (w) m_dc = ws->GetDC(w);
        if (m_dc) {
            m_dc->Canvas().Font = Font();
            m_dc->Canvas().Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
        }
    }
    if (m_dc) return m_dc->Canvas();
    if (!m_nullTarget) m_nullTarget = std::make_unique<gfx::TBitmap>(1, 1);
    return m_nullTarget->Canvas();
}

void TCustomControl::ReleaseCanvas() {
    m_dc.reset();
}

void TCustomControl::DestroyWnd() {
    ReleaseCanvas();
    TWinControl::DestroyWnd();
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(TDeviceContext& dc) {
    ReleaseCanvas();
    gfx::TCanvas& canvas = dc.Canvas();
    canvas.Font = Font();
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.Pen = gfx::TPen{};
    m_paintCanvas = &canvas;
    struct Reset {
        gfx::TCanvas*& p;
        ~Reset() { p = nullptr; }
    } reset{m_paintCanvas};
    Paint();
}

}  // namespace platform::forms
