#include "skin/controls/bsSkinHintWindow.h"

#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsRegion.h"
#include "skin/data/bsUtilsWindow.h"

namespace skin {

using namespace platform::forms;
using namespace platform::gfx;
using platform::core::TSize;
using platform::ui::TWindowSystem;

namespace {
constexpr uint32_t kMeasureFlags = DT_LEFT | DT_NOPREFIX | DT_CALCRECT;
constexpr uint32_t kTextFlags = DT_LEFT | DT_NOPREFIX;
}  // namespace

TbsSkinHintWindow::TbsSkinHintWindow(TComponent* owner) : THintWindow(owner) {}

void TbsSkinHintWindow::CreateParams(platform::ui::TCreateParams& params) {
    THintWindow::CreateParams(params);
    params.Style &= ~platform::ui::WS_BORDER;
}

TbsSkinHint* TbsSkinHintWindow::HintInCharge() {
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return nullptr;
    for (TComponent* c : main->ComponentList())
        if (auto* hint = dynamic_cast<TbsSkinHint*>(c); hint && hint->Active()) return hint;
    return nullptr;
}

void TbsSkinHintWindow::Notification(TComponent* component, TOperation operation) {
    THintWindow::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_hint) m_hint = nullptr;
    if (component == m_skinData) {
        m_skinData = nullptr;
        m_picture = nullptr;
    }
}

bool TbsSkinHintWindow::BindSkin() {
    TbsSkinHint* hint = HintInCharge();
    if (m_hint != hint) {
        if (m_hint) m_hint->RemoveFreeNotification(this);
        m_hint = hint;
        if (m_hint) m_hint->FreeNotification(this);
    }
    TbsSkinData* data = m_hint ? m_hint->SkinData() : nullptr;
    if (data && (data->SkinIsEmpty || data->HintWindow.windowpictureindex == -1)) data = nullptr;
    if (m_skinData != data) {
        if (m_skinData) m_skinData->RemoveFreeNotification(this);
        m_skinData = data;
        if (m_skinData) m_skinData->FreeNotification(this);
    }
    m_picture = m_skinData ? m_skinData->ActivePicture(m_skinData->HintWindow.windowpictureindex) : nullptr;
    if (m_picture && m_picture->Empty()) m_picture = nullptr;
    return m_hint != nullptr;
}

void TbsSkinHintWindow::PrepareFont() {
    if (!m_hint) return;
    TFont font = m_hint->DefaultFont();
    if (m_picture && m_hint->UseSkinFont()) {
        const TbsDataSkinHintWindow& r = m_skinData->HintWindow;
        font.SetHeight(r.fontheight);
        font.SetName(r.fontname);
        font.SetStyle(r.fontstyle);
        font.SetCharset(m_hint->DefaultFont().Charset());
    }
    Font().Assign(font);
}

TSize TbsSkinHintWindow::MeasureHint(const std::string& text) {
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font = Font();
    TRect r{0, 0, 0, 0};
    c.DrawText(text, r, kMeasureFlags);
    const int tw = r.Width(), th = r.Height();
    if (!m_picture) return {tw + 4, th + 4};
    const TbsDataSkinHintWindow& s = m_skinData->HintWindow;
    const int pw = m_picture->Width(), ph = m_picture->Height();
    const int w = std::max(pw, tw + s.clientrect.Left + pw - s.clientrect.Right);
    const int h = std::max(ph, th + s.clientrect.Top + ph - s.clientrect.Bottom);
    const int dx = w - pw, dy = h - ph;
    m_curClientRect = {s.clientrect.Left, s.clientrect.Top, s.clientrect.Right + dx,
                       s.clientrect.Bottom + dy};
    m_curLeftTop = s.lefttoppoint;
    m_curRightTop = {s.righttoppoint.X + dx, s.righttoppoint.Y};
    m_curLeftBottom = {s.leftbottompoint.X, s.leftbottompoint.Y + dy};
    m_curRightBottom = {s.rightbottompoint.X + dx, s.rightbottompoint.Y + dy};
    return {w, h};
}

TRect TbsSkinHintWindow::CalcHintRect(int /*maxWidth*/, const std::string& hint, void* /*data*/) {
    if (!BindSkin()) return {0, 0, 0, 0};
    PrepareFont();
    const TSize size = MeasureHint(hint);
    return {0, 0, size.cx, size.cy};
}

void TbsSkinHintWindow::ActivateHintData(TRect rect, const std::string& hint, void* /*data*/) {
    ActivateHint(rect, hint);
}

void TbsSkinHintWindow::ActivateHint(TRect rect, const std::string& hint) {
    if (!BindSkin()) return;
    PrepareFont();
    SetText(hint);
    const TSize size = MeasureHint(hint);
    TWindowSystem& ws = TWindowSystem::Instance();
    TRect r{rect.Left, rect.Top, rect.Left + size.cx, rect.Top + size.cy};
    if (r.Right > ws.GetSystemMetrics(platform::ui::SM_CXSCREEN)) r = r.Offset(-(size.cx + 2), 0);
    if (r.Bottom > ws.GetSystemMetrics(platform::ui::SM_CYSCREEN)) r = r.Offset(0, -(size.cy + 2));
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    ApplyTransparency();
    UpdateHintRegion();
    ws.SetWindowPos(Handle(), nullptr, r, platform::ui::SWP_NOACTIVATE | platform::ui::SWP_SHOWWINDOW);
    Invalidate();
    Update();
}

void TbsSkinHintWindow::ApplyTransparency() {
    if (!m_hint || !SupportsLayeredWindows()) return;
    platform::ui::TWindow* window = Handle();
    const bool on = m_hint->AlphaBlend();
    if (on != m_alphaOn) {
        const uint32_t ex = window->ExStyle();
        window->System().SetWindowExStyle(
            window, on ? ex | platform::ui::WS_EX_LAYERED : ex & ~platform::ui::WS_EX_LAYERED);
        m_alphaOn = on;
    }
    const int alpha = on ? m_hint->AlphaBlendValue() : 255;
    if (alpha == m_appliedAlpha) return;
    m_appliedAlpha = alpha;
    SetWindowAlpha(window, alpha);
}

void TbsSkinHintWindow::UpdateHintRegion() {
    TBitmap* mask = nullptr;
    if (m_picture && m_skinData->HintWindow.maskpictureindex != -1)
        mask = m_skinData->ActivePicture(m_skinData->HintWindow.maskpictureindex);
    if (!mask || mask->Empty()) {
        SetWindowRgn(std::nullopt, false);
        return;
    }
    const TbsDataSkinHintWindow& s = m_skinData->HintWindow;
    const TbsFrameGeometry maskGeometry{s.lefttoppoint, s.righttoppoint, s.leftbottompoint,
                                        s.rightbottompoint, s.clientrect};
    const TbsFrameGeometry newGeometry{m_curLeftTop, m_curRightTop, m_curLeftBottom, m_curRightBottom,
                                       m_curClientRect};
    SetWindowRgn(BuildFrameRegion(*mask, maskGeometry, newGeometry, Width()), false);
}

void TbsSkinHintWindow::Paint() {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    // The skin data may have gone since the activation.
    if (m_picture && (!m_skinData || !m_hint)) m_picture = nullptr;
    TBitmap image(w, h);
    TCanvas& c = image.Canvas();
    if (m_picture)
        PaintSkinned(c, w, h);
    else
        PaintPlain(c, w, h);
    Canvas().Draw(0, 0, image);
}

void TbsSkinHintWindow::PaintSkinned(TCanvas& c, int w, int h) {
    const TbsDataSkinHintWindow& s = m_skinData->HintWindow;
    const TbsFrameGeometry geometry{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint,
                                    s.clientrect};
    const TbsFrameGeometry newGeometry{m_curLeftTop, m_curRightTop, m_curLeftBottom, m_curRightBottom,
                                       m_curClientRect};
    const TbsStretchEdges stretch{s.leftstretch, s.topstretch, s.rightstretch, s.bottomstretch};
    TBitmap frame;
    ComposeFrameImage(frame, *m_picture, {0, 0, m_picture->Width(), m_picture->Height()}, geometry, w, h,
                      newGeometry, true, stretch);
    c.Draw(0, 0, frame);
    c.Font = Font();
    c.Font.SetColor(s.fontcolor);
    c.Brush.Style = TBrushStyle::bsClear;
    TRect measured{0, 0, 0, 0};
    c.DrawText(Caption(), measured, kMeasureFlags);
    const TRect& cr = m_curClientRect;
    const int left = cr.Left + (cr.Width() - measured.Width()) / 2;
    const int top = cr.Top + (cr.Height() - measured.Height()) / 2;
    TRect text{left, top, left + measured.Width(), top + measured.Height()};
    c.DrawText(Caption(), text, kTextFlags);
}

void TbsSkinHintWindow::PaintPlain(TCanvas& c, int w, int h) {
    c.Brush = TBrush{clInfoBk, TBrushStyle::bsSolid};
    c.FillRect({0, 0, w, h});
    c.Brush.Color = clBtnShadow;
    c.FrameRect({0, 0, w, h});
    c.Brush.Style = TBrushStyle::bsClear;
    c.Font = m_hint ? m_hint->DefaultFont() : Font();
    c.Font.SetColor(clInfoText);
    TRect text{2, 2, w - 2, h - 2};
    c.DrawText(Caption(), text, kTextFlags);
}

void TbsSkinHintWindow::WndProc(platform::forms::TMessage& m) {
    if (m.Msg == platform::ui::WM_ERASEBKGND) {
        m.Result = 1;
        return;
    }
    if (m.Msg == platform::ui::WM_NCPAINT) {
        m.Result = 0;
        return;
    }
    THintWindow::WndProc(m);
}

}  // namespace skin
