// Painting of the skinned page and tab controls: the strip tiled with the record's background, the
// page frame from the record's corners and edges, and every tab (side tabs built lying and turned).

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/boxes/bsSkinTabsCore.h"
#include "skin/controls/bsEffects.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {

using platform::gfx::TBitmap;
using platform::gfx::TCanvas;
using platform::gfx::TBrushStyle;

TRect TbsSkinTabsCore::FrameRect() const {
    const TRect d = m_control.DisplayRect();
    if (m_recordIndex == -1) return {d.Left - 1, d.Top - 1, d.Right + 1, d.Bottom + 1};
    const int b = skinrect.Width() - clientrect.Right;
    const int a = skinrect.Height() - clientrect.Bottom;
    return {d.Left - clientrect.Left, d.Top - clientrect.Top, d.Right + b, d.Bottom + a};
}

void TbsSkinTabsCore::TileStrip(TCanvas& canvas, const TRect& area) {
    if (IsEmptyRect(tabsbgrect) || IsEmptyRect(area)) return;
    const int tw = tabsbgrect.Width(), th = tabsbgrect.Height();
    for (int y = area.Top; y < area.Bottom; y += th)
        for (int x = area.Left; x < area.Right; x += tw) {
            // The last tiles are cut to fit.
            const int w = std::min(tw, area.Right - x), h = std::min(th, area.Bottom - y);
            canvas.CopyRect({x, y, x + w, y + h}, m_picture->Canvas(),
                            {tabsbgrect.Left, tabsbgrect.Top, tabsbgrect.Left + w, tabsbgrect.Top + h});
        }
}

void TbsSkinTabsCore::PaintFrame(TCanvas& canvas, const TRect& frame) {
    if (IsEmptyRect(frame) || IsEmptyRect(skinrect)) return;
    const int dw = frame.Width() - skinrect.Width(), dh = frame.Height() - skinrect.Height();
    const TbsFrameGeometry from{lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint, clientrect};
    const TbsFrameGeometry to{lefttoppoint,
                              {righttoppoint.X + dw, righttoppoint.Y},
                              {leftbottompoint.X, leftbottompoint.Y + dh},
                              {rightbottompoint.X + dw, rightbottompoint.Y + dh},
                              {clientrect.Left, clientrect.Top, clientrect.Right + dw, clientrect.Bottom + dh}};
    TBitmap image;
    ComposeFrameImageTiled(image, *m_picture, skinrect, from, frame.Width(), frame.Height(), to, true);
    canvas.Draw(frame.Left, frame.Top, image);
}

void TbsSkinTabsCore::PaintControl(TCanvas& canvas) {
    const TRect client = m_control.ClientRect();
    const TRect frame = FrameRect();
    if (m_recordIndex == -1) {
        canvas.Brush.Style = TBrushStyle::bsSolid;
        canvas.Brush.Color = platform::gfx::clBtnFace;
        canvas.FillRect(client);
        canvas.Brush.Color = platform::gfx::clBtnShadow;
        canvas.FrameRect(frame);
    } else {
        // The strip is everything outside the frame; tiling the whole control is the same once
        // the frame is drawn over it.
        TileStrip(canvas, client);
        PaintFrame(canvas, frame);
    }
    const int count = m_control.TabCount();
    const int selected = m_control.TabIndex();
    for (int i = 0; i < count; ++i) {
        const TRect r = m_control.TabRect(i);
        if (r.Intersect(client).IsEmpty()) continue;
        DrawTab(canvas, i, r, i == m_hotTab, i == selected);
    }
}

void TbsSkinTabsCore::DrawTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool hot, bool active) {
    if (tabIndex < 0 || tabIndex >= m_control.TabCount() || IsEmptyRect(rect)) return;
    const bool vertical = Vertical();
    // Side tabs are built lying, as a top tab, and turned.
    const int width = vertical ? rect.Height() : rect.Width();
    const int height = vertical ? rect.Width() : rect.Height();
    TBitmap tab(width, height);
    DrawTabContent(tab.Canvas(), tabIndex, width, height, hot, active);
    if (!vertical) {
        canvas.Draw(rect.Left, rect.Top, tab);
        return;
    }
    const TbsEffectBmp lying(tab);
    TbsEffectBmp turned;
    if (m_control.TabPosition() == platform::forms::tpLeft)
        lying.RotateLeft(turned);
    else
        lying.RotateRight(turned);
    turned.DrawTo(canvas, rect.Left, rect.Top);
}

void TbsSkinTabsCore::DrawTabContent(TCanvas& c, int tabIndex, int width, int height, bool hot, bool active) {
    const bool focused = m_control.Focused();
    TColor textColor = m_control.Font().Color();
    if (m_recordIndex == -1) {
        c.Brush.Style = TBrushStyle::bsSolid;
        c.Brush.Color = hot && !active ? kHotFill : (!active ? platform::gfx::clBtnFace : focused ? kPressedFill : kHotFill);
        c.FillRect({0, 0, width, height});
        if (active) {
            c.Brush.Color = kNavy;
            c.FrameRect({0, 0, width, height});
        }
        c.Font = m_control.Font();
    } else {
        TRect source = activetabrect;
        textColor = activefontcolor;
        if (hot && !active && !IsEmptyRect(mouseintabrect)) {
            source = mouseintabrect;
            textColor = mouseinfontcolor;
        } else if (active && focused) {
            source = focustabrect;
            textColor = focusfontcolor;
        } else if (!active) {
            source = tabrect;
            textColor = fontcolor;
        }
        TBitmap face;
        ComposeHorzImage(face, *m_picture, source, tableftoffset, tabrightoffset, width);
        if (face.Height() == height)
            c.Draw(0, 0, face);
        else
            c.StretchDraw({0, 0, width, height}, face);
        c.Font = m_control.Font();
        if (m_useSkinFont) {
            c.Font.SetName(fontname);
            c.Font.SetHeight(fontheight);
            c.Font.SetStyle(fontstyle);
            c.Font.SetCharset(m_control.Font().Charset());
        }
        c.Font.SetColor(textColor);
    }
    c.Brush.Style = TBrushStyle::bsClear;
    const std::string caption = m_control.TabCaption(tabIndex);
    auto* images = m_control.Images();
    const int image = m_control.TabImageIndex(tabIndex);
    // A picture is drawn when the list has one for the tab's page index.
    const int pageIndex = m_control.TabItemIndex(tabIndex);
    if (images && pageIndex >= 0 && pageIndex < images->Count() && image >= 0 && image < images->Count()) {
        TRect measure{0, 0, width, height};
        c.DrawText(caption, measure, platform::gfx::DT_CALCRECT | platform::gfx::DT_SINGLELINE);
        const int total = images->Width() + measure.Width() + 4;
        const int x = width / 2 - total / 2;
        images->Draw(c, x, (height - images->Height()) / 2, image, m_control.TabImageEnabled(tabIndex));
        TRect text{x + images->Width() + 2, 0, width, height};
        c.DrawText(caption, text, platform::gfx::DT_SINGLELINE | platform::gfx::DT_VCENTER | platform::gfx::DT_LEFT);
        return;
    }
    TRect text{0, 0, width, height};
    c.DrawText(caption, text, platform::gfx::DT_SINGLELINE | platform::gfx::DT_VCENTER | platform::gfx::DT_CENTER);
}

}  // namespace skin
