// Painting of the MDI tabs bar: the background, each tab in its own bitmap (the dragged one last,
// where the mouse has taken it) and the insertion marker of a drag.

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/boxes/bsSkinMDITabs.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsGlyphs.h"

namespace skin {

using platform::gfx::TBitmap;
using platform::gfx::TBrushStyle;
using platform::gfx::TCanvas;
using platform::gfx::TColor;

namespace {

// Half the width of the marker's arrows, and their gap from its lines.
constexpr int kArrowSize = 4;

}  // namespace

void TbsSkinMDITabsBar::DrawDefaultImage(TBitmap& bitmap) {
    PaintBar(bitmap, false);
}

void TbsSkinMDITabsBar::DrawSkinImage(TBitmap& bitmap) {
    PaintBar(bitmap, m_picture != nullptr);
}

void TbsSkinMDITabsBar::TileBackground(TCanvas& canvas, int width, int height) {
    const int tw = tabsbgrect.Width(), th = tabsbgrect.Height();
    for (int y = 0; y < height; y += th)
        for (int x = 0; x < width; x += tw) {
            const int w = std::min(tw, width - x), h = std::min(th, height - y);
            canvas.CopyRect({x, y, x + w, y + h}, m_picture->Canvas(),
                            {tabsbgrect.Left, tabsbgrect.Top, tabsbgrect.Left + w, tabsbgrect.Top + h});
        }
}

void TbsSkinMDITabsBar::PaintBar(TBitmap& bitmap, bool skinned) {
    TCanvas& c = bitmap.Canvas();
    const int width = bitmap.Width(), height = bitmap.Height();
    if (skinned && !IsEmptyRect(tabsbgrect)) {
        TileBackground(c, width, height);
    } else {
        c.Brush.Style = TBrushStyle::bsSolid;
        c.Brush.Color = platform::gfx::clBtnFace;
        c.FillRect({0, 0, width, height});
    }
    const TbsMDITab* dragged = m_dragging ? Tab(m_dragTab) : nullptr;
    for (int i = 0; i < TabCount(); ++i) {
        const TbsMDITab& tab = *m_tabs[static_cast<size_t>(i)];
        if (&tab != dragged) DrawTab(c, tab, tab.ObjectRect, i == m_hotTab, skinned);
    }
    if (!dragged) return;
    DrawTab(c, *dragged, DraggedRect(), true, skinned);
    DrawInsertionMarker(c);
}

void TbsSkinMDITabsBar::DrawTab(TCanvas& canvas, const TbsMDITab& tab, const TRect& rect, bool hot,
                                bool skinned) {
    const int width = rect.Width(), height = rect.Height();
    if (width <= 0 || height <= 0) return;
    TBitmap image(width, height);
    TCanvas& c = image.Canvas();
    TRect text{2, 0, width - 2, height};
    if (!skinned) {
        c.Brush.Style = TBrushStyle::bsSolid;
        c.Brush.Color = tab.Active ? kActiveFill : hot ? kHotFill : platform::gfx::clBtnFace;
        c.FillRect({0, 0, width, height});
        // Neighbours in the same face colour need a line between them.
        c.Pen.Color = platform::gfx::clBtnShadow;
        c.MoveTo(width - 1, 0);
        c.LineTo(width - 1, height);
        c.Font = m_defaultFont;
    } else {
        TRect source = tabrect;
        TColor color = fontcolor;
        if (tab.Active) {
            source = activetabrect;
            color = focusfontcolor;
        } else if (hot) {
            source = mouseintabrect;
            color = mouseinfontcolor;
        }
        TBitmap face;
        ComposeHorzImage(face, *m_picture, source, tableftoffset, tabrightoffset, width);
        if (face.Height() == height)
            c.Draw(0, 0, face);
        else
            c.StretchDraw({0, 0, width, height}, face);
        c.Font.SetName(fontname);
        c.Font.SetHeight(fontheight);
        c.Font.SetStyle(fontstyle);
        c.Font.SetCharset(m_defaultFont.Charset());
        c.Font.SetColor(color);
        text = {tableftoffset, 0, width - tabrightoffset, height};
    }
    std::string caption = tab.Child ? tab.Child->Caption() : std::string();
    if (!caption.empty() && text.Width() > 0) {
        FitTextWithEllipsis(c, caption, text.Width());
        c.Brush.Style = TBrushStyle::bsClear;
        c.DrawText(caption, text,
                   platform::gfx::DT_SINGLELINE | platform::gfx::DT_VCENTER | platform::gfx::DT_CENTER |
                       platform::gfx::DT_NOPREFIX);
    }
    canvas.Draw(rect.Left, rect.Top, image);
}

void TbsSkinMDITabsBar::DrawInsertionMarker(TCanvas& canvas) {
    const TbsMDITab* target = Tab(DropIndex());
    if (!target) return;
    const int x = m_dragOffset < 0 ? target->ObjectRect.Left : target->ObjectRect.Right - 1;
    const int height = Height();
    canvas.Pen.Mode = platform::gfx::TPenMode::pmNot;
    for (int dx = -1; dx <= 1; ++dx) {
        canvas.MoveTo(x + dx, 0);
        canvas.LineTo(x + dx, height);
    }
    canvas.Pen.Mode = platform::gfx::TPenMode::pmCopy;
    // Arrows either side of the lines point at them.
    const int top = height / 2 - kArrowSize, bottom = height / 2 + kArrowSize;
    DrawArrowGlyph(canvas, {x - 2 - 2 * kArrowSize, top, x - 2, bottom}, platform::gfx::clBtnText, adRight);
    DrawArrowGlyph(canvas, {x + 3, top, x + 3 + 2 * kArrowSize, bottom}, platform::gfx::clBtnText, adLeft);
}

}  // namespace skin
