#include "platform/forms/HintWindow.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;
using namespace platform::gfx;

namespace {
constexpr uint32_t kHintTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetColor(clInfoBk);
    Font().SetColor(clInfoText);
    m_controlStyle |= csOpaque;
}

void THintWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
    p.ClassStyle |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void* /*data*/) {
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font = Font();
    TRect r{0, 0, maxWidth > 0 ? maxWidth : 1 << 20, 0};
    c.DrawText(hint, r, kHintTextFlags | DT_CALCRECT);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint) {
    ActivateHintData(rect, hint, nullptr);
}

void THintWindow::ActivateHintData(TRect rect, const std::string& hint, void* /*data*/) {
    SetText(hint);
    // Keep the window on the screen.
    if (TWindowSystem* ws = TWindowSystem::Current()) {
        const TRect screen = ws->MonitorFromPoint(rect.TopLeft()).Bounds;
        if (rect.Right > screen.Right) rect = rect.Offset(screen.Right - rect.Right, 0);
        if (rect.Bottom > screen.Bottom) rect = rect.Offset(0, screen.Bottom - rect.Bottom);
        if (rect.Left < screen.Left) rect = rect.Offset(screen.Left - rect.Left, 0);
        if (rect.Top < screen.Top) rect = rect.Offset(0, screen.Top - rect.Top);
    }
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    TWindow* w = Handle();
    TWindowSystem::Instance().SetWindowPos(w, nullptr, rect, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
    Update();
}

void THintWindow::ReleaseHandle() {
    if (TWindow* w = HandleIfAllocated(); w && w->IsVisible())
        TWindowSystem::Instance().ShowWindow(w, SW_HIDE);
}

bool THintWindow::IsHintVisible() const {
    TWindow* w = HandleIfAllocated();
    return w && w->IsVisible();
}

void THintWindow::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush = TBrush{Color(), TBrushStyle::bsSolid};
    c.FillRect(r);
    c.Brush.Color = clBlack;
    c.FrameRect(r);
    c.Brush.Style = TBrushStyle::bsClear;
    c.Font = Font();
    TRect text{r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom};
    c.DrawText(Caption(), text, kHintTextFlags);
}

void THintWindow::WMNCHitTest(TMessage& m) {
    m.Result = HTTRANSPARENT;
}

void THintWindow::WndProc(TMessage& m) {
    if (m.Msg == WM_NCHITTEST) {
        WMNCHitTest(m);
        return;
    }
    TCustomControl::WndProc(m);
}

}  // namespace platform::forms
