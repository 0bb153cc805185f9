// The plain look of the tab control: the strip, the raised frame around the display area, the
// tabs (built as a top tab and turned for the other sides) and the scroll arrows.

#include <algorithm>

#include "platform/forms/ListBox.h"
#include "platform/forms/TabControl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Messages.h"

namespace platform::forms {

using gfx::TBitmap;
using gfx::TCanvas;

namespace {

// Quarter turns and the vertical flip of a tab picture.
TBitmap TurnLeft(const TBitmap& src) {  // the top edge ends on the left
    TBitmap out(src.Height(), src.Width());
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x) out.SetPixel(y, src.Width() - 1 - x, src.Pixel(x, y));
    return out;
}

TBitmap TurnRight(const TBitmap& src) {  // the top edge ends on the right
    TBitmap out(src.Height(), src.Width());
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x) out.SetPixel(src.Height() - 1 - y, x, src.Pixel(x, y));
    return out;
}

TBitmap FlipVertical(const TBitmap& src) {
    TBitmap out(src.Width(), src.Height());
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x) out.SetPixel(x, src.Height() - 1 - y, src.Pixel(x, y));
    return out;
}

void DrawArrow(TCanvas& c, const TRect& r, bool right, TColor color) {
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        const int x = right ? cx - 2 + i : cx + 1 - i;
        for (int y = cy - 3 + i; y <= cy + 3 - i; ++y) c.SetPixel(x, y, color);
    }
}

}  // namespace

void TCustomTabControl::PaintPlainBackground(TCanvas& c) {
    const TRect client = ClientRect();
    c.Brush.Style = gfx::TBrushStyle::bsSolid;
    c.Brush.Color = gfx::clBtnFace;
    c.FillRect(client);
    if (m_style != tsTabs) return;
    // The frame runs along the rows' inner edge on the tab side and along the control's edges
    // elsewhere.
    const int t = TabThickness();
    const int near = 2 + m_rowCount * t, far = m_oppositeRows > 0 ? 2 + m_oppositeRows * t : 0;
    TRect frame = client;
    switch (m_tabPosition) {
        case tpTop:
            frame.Top += near;
            frame.Bottom -= far;
            break;
        case tpBottom:
            frame.Bottom -= near;
            frame.Top += far;
            break;
        case tpLeft:
            frame.Left += near;
            frame.Right -= far;
            break;
        case tpRight:
            frame.Right -= near;
            frame.Left += far;
            break;
    }
    c.Frame3D(frame, gfx::clBtnHighlight, gfx::clBtnShadow, 1);
}

void TCustomTabControl::Paint() {
    UpdateLayout();
    TCanvas& c = Canvas();
    PaintPlainBackground(c);
    const TRect client = ClientRect();
    const int count = TabCount();
    for (int i = 0; i < count; ++i) {
        if (i == m_tabIndex) continue;
        const TRect r = TabRect(i);
        if (!r.Intersect(client).IsEmpty()) DrawTab(i, r, false);
    }
    if (m_tabIndex < 0 || m_tabIndex >= count) return;
    const TRect r = TabRect(m_tabIndex);
    if (!m_ownerDraw && m_style == tsTabs) {
        // The selected tab opens into the page: the frame line under it goes.
        TRect gap;
        switch (m_tabPosition) {
            case tpTop: gap = {r.Left + 1, r.Bottom, r.Right - 2, r.Bottom + 1}; break;
            case tpBottom: gap = {r.Left + 1, r.Top - 1, r.Right - 2, r.Top}; break;
            case tpLeft: gap = {r.Right, r.Top + 1, r.Right + 1, r.Bottom - 2}; break;
            case tpRight: gap = {r.Left - 1, r.Top + 2, r.Left, r.Bottom - 1}; break;
        }
        c.Brush.Style = gfx::TBrushStyle::bsSolid;
        c.Brush.Color = gfx::clBtnFace;
        c.FillRect(gap);
    }
    DrawTab(m_tabIndex, r, true);
}

void TCustomTabControl::DrawTab(int tabIndex, const TRect& rect, bool active) {
    TCanvas& c = Canvas();
    if (m_ownerDraw) {
        c.Font = Font();
        c.Brush.Style = gfx::TBrushStyle::bsSolid;
        c.Brush.Color = gfx::clBtnFace;
        if (OnDrawTab) OnDrawTab(this, tabIndex, rect, active);
        return;
    }
    DrawPlainTab(c, tabIndex, rect, active);
}

void TCustomTabControl::DrawPlainTab(TCanvas& c, int tabIndex, const TRect& rect, bool active) {
    const bool vertical = m_tabPosition == tpLeft || m_tabPosition == tpRight;
    const int len = vertical ? rect.Height() : rect.Width();
    const int thick = vertical ? rect.Width() : rect.Height();
    if (len <= 0 || thick <= 0) return;
    TBitmap tab(len, thick);
    TCanvas& b = tab.Canvas();
    b.Brush.Style = gfx::TBrushStyle::bsSolid;
    b.Brush.Color = gfx::clBtnFace;
    b.FillRect({0, 0, len, thick});
    if (m_style == tsTabs) {
        // A raised tab open towards the display area; the selected one stands 2 pixels taller.
        // It is built as a top tab: the edge colours are chosen so that, once turned or flipped
        // for its side, the light still falls from the top left.
        const bool lightLead = m_tabPosition != tpLeft;
        const TColor lead = lightLead ? gfx::clBtnHighlight : gfx::clBtnShadow;
        const TColor trail = lightLead ? gfx::clBtnShadow : gfx::clBtnHighlight;
        const bool darkOuter = m_tabPosition == tpBottom || m_tabPosition == tpRight;
        const TColor outer = darkOuter ? gfx::cl3DDkShadow : gfx::clBtnHighlight;
        const TColor inner = darkOuter ? gfx::clBtnShadow : gfx::clBtnHighlight;
        const int top = active ? 0 : 2;
        b.Brush.Color = lead;
        b.FillRect({0, top + 1, 1, thick});
        b.Brush.Color = outer;
        b.FillRect({1, top, len - 2, top + 1});
        b.Brush.Color = trail;
        b.FillRect({len - 2, top + 1, len - 1, thick});
        b.Brush.Color = lightLead ? gfx::cl3DDkShadow : gfx::clBtnHighlight;
        b.FillRect({len - 1, top + 2, len, thick});
        if (!active) {
            b.Brush.Color = inner;
            b.FillRect({0, thick - 1, len, thick});
        }
    } else {
        TRect frame{0, 0, len, thick};
        if (active)
            b.Frame3D(frame, gfx::clBtnShadow, gfx::clBtnHighlight, 1);
        else if (m_style == tsButtons)
            b.Frame3D(frame, gfx::clBtnHighlight, gfx::clBtnShadow, 1);
    }
    // Picture and caption centred together.
    b.Font = Font();
    if (!Enabled()) b.Font.SetColor(gfx::clGrayText);
    else if (m_hotTrack && tabIndex == m_hotIndex && !active) b.Font.SetColor(gfx::clHotLight);
    b.Brush.Style = gfx::TBrushStyle::bsClear;
    const std::string caption = TabCaption(tabIndex);
    TRect measure{0, 0, len, thick};
    b.DrawText(caption, measure, gfx::DT_CALCRECT | gfx::DT_SINGLELINE);
    const int textWidth = measure.Width();
    const int image = TabImageIndex(tabIndex);
    int x = (len - textWidth) / 2;
    if (m_images && image >= 0 && image < m_images->Count()) {
        const int total = m_images->Width() + textWidth + 4;
        x = len / 2 - total / 2;
        m_images->Draw(b, x, (thick - m_images->Height()) / 2, image, TabImageEnabled(tabIndex));
        x += m_images->Width() + 2;
    }
    TRect text{x, 0, x + textWidth, thick};
    b.DrawText(caption, text, gfx::DT_SINGLELINE | gfx::DT_VCENTER | gfx::DT_LEFT);
    if (active && Focused()) b.DrawFocusRect({3, 3, len - 3, thick - 2});

    switch (m_tabPosition) {
        case tpTop:
            c.Draw(rect.Left, rect.Top, tab);
            break;
        case tpBottom:
            c.Draw(rect.Left, rect.Top, FlipVertical(tab));
            break;
        case tpLeft:
            c.Draw(rect.Left, rect.Top, TurnLeft(tab));
            break;
        case tpRight:
            c.Draw(rect.Left, rect.Top, TurnRight(tab));
            break;
    }
}

// ---- Scroll arrows ----

TTabScrollArrows::TTabScrollArrows(TComponent* owner) : TCustomControl(owner) {
    m_width = 32;
    m_height = 16;
    m_controlStyle |= csOpaque;
}

void TTabScrollArrows::Step(bool forward) {
    auto* tabs = dynamic_cast<TCustomTabControl*>(Parent());
    if (!tabs) return;
    const int pos = tabs->FirstVisibleTab() + (forward ? 1 : -1);
    if (pos < 0 || pos >= tabs->TabCount()) return;
    tabs->Perform(ui::WM_HSCROLL, static_cast<TWParam>(SB_THUMBPOSITION | (pos << 16)), 0);
}

void TTabScrollArrows::Paint() {
    TCanvas& c = Canvas();
    const int half = Width() / 2;
    for (int i = 0; i < 2; ++i) {
        TRect r{i * half, 0, i == 0 ? half : Width(), Height()};
        c.Brush.Style = gfx::TBrushStyle::bsSolid;
        c.Brush.Color = gfx::clBtnFace;
        c.FillRect(r);
        if (m_pressed == i)
            c.Frame3D(r, gfx::clBtnShadow, gfx::clBtnHighlight, 1);
        else
            c.Frame3D(r, gfx::clBtnHighlight, gfx::clBtnShadow, 1);
        DrawArrow(c, {i * half, 0, i == 0 ? half : Width(), Height()}, i == 1, gfx::clBtnText);
    }
}

void TTabScrollArrows::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        m_pressed = x < Width() / 2 ? 0 : 1;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TTabScrollArrows::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const int pressed = m_pressed;
    m_pressed = -1;
    Invalidate();
    // The step may free this control (the arrows go when all tabs fit); nothing follows it.
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && pressed >= 0 && x >= 0 && y >= 0 && x < Width() && y < Height()) Step(pressed == 1);
}

}  // namespace platform::forms
