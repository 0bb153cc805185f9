#include "platform/forms/GraphicControl.h"

#include "platform/forms/WinControl.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() {
    ReleaseCanvas();
}

gfx::TCanvas& TGraphicControl::Canvas() {
    if (m_paintCanvas) return *m_paintCanvas;
    if (!m_dc && Parent()) {
        TWindowSystem* ws = TWindowSystem::Current();
        TWindow* w = ws ? Parent()->Handle() : nullptr;
        if (w) m_dc = ws->GetDC(w);
        if (m_dc) {
            gfx::TCanvas& c = m_dc->Canvas();
            const TPoint o = c.DeviceOrigin();
            c.SetDeviceOrigin({o.X + Left(), o.Y + Top()});
            c.SetClipRegion(gfx::TRegion(TRect{0, 0, Width(), Height()}));
            c.Font = Font();
            c.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
        }
    }
    if (m_dc) return m_dc->Canvas();
    if (!m_nullTarget) m_nullTarget = std::make_unique<gfx::TBitmap>(1, 1);
    return m_nullTarget->Canvas();
}

void TGraphicControl::ReleaseCanvas() {
    m_dc.reset();
}

void TGraphicControl::Paint() {}

void TGraphicControl::WithCanvas(gfx::TCanvas& canvas, const std::function<void()>& fn) {
    gfx::TCanvas* saved = m_paintCanvas;
    m_paintCanvas = &canvas;
    struct Restore {
        gfx::TCanvas*& p;
        gfx::TCanvas* v;
        ~Restore() { p = v; }
    } restore{m_paintCanvas, saved};
    fn();
}

void TGraphicControl::PaintOn(gfx::TCanvas& canvas) {
    ReleaseCanvas();
    m_paintCanvas = &canvas;
    struct Reset {
        gfx::TCanvas*& p;
        ~Reset() { p = nullptr; }
    } reset{m_paintCanvas};
    Paint();
}

}  // namespace platform::forms
