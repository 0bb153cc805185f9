#include "skin/controls/bsSkinCtrlsGlyph.h"

#include "skin/data/bsUtilsGlyphs.h"

namespace skin {

using platform::core::TPoint;
using platform::core::TRect;
using platform::core::TSize;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;

int GlyphCellFor(bool down, bool active, bool disabled, int numGlyphs) {
    if (down && active && numGlyphs > 2) return 3;
    if (active && numGlyphs > 3) return 4;
    if (disabled && numGlyphs > 1) return 2;
    return 1;
}

TbsGlyphCaptionLayout LayoutGlyphAndCaption(TCanvas& canvas, const TRect& rect, int margin, int numGlyphs,
                                            const TBitmap& glyph, const std::string& caption,
                                            TbsButtonLayout layout, int spacing) {
    TbsGlyphCaptionLayout out;
    int gw = 0, gh = 0;
    if (!glyph.Empty() && numGlyphs > 0) {
        gw = glyph.Width() / numGlyphs;
        gh = glyph.Height();
    }
    TRect measured{0, 0, 0, 0};
    canvas.DrawText(caption, measured, platform::gfx::DT_CALCRECT);
    const int tw = measured.Width(), th = measured.Height();
    out.GlyphSize = {gw, gh};
    out.CaptionSize = {tw, th};

    const int cx = rect.Left + rect.Width() / 2;
    const int cy = rect.Top + rect.Height() / 2;
    const int s = spacing;
    TPoint& g = out.Glyph;
    TPoint& t = out.Caption;
    if (margin != -1) {
        switch (layout) {
            case blGlyphLeft:
                g = {rect.Left + margin, cy - gh / 2};
                t = {rect.Left + margin + gw + s, cy - th / 2};
                break;
            case blGlyphRight:
                g = {rect.Right - gw - margin, cy - gh / 2};
                t = {g.X - s - tw, cy - th / 2};
                break;
            case blGlyphTop:
                g = {cx - gw / 2, rect.Top + margin};
                t = {cx - tw / 2, g.Y + gh + s};
                break;
            case blGlyphBottom:
                g = {cx - gw / 2, rect.Bottom - gh - margin};
                t = {cx - tw / 2, g.Y - s - th};
                break;
        }
    } else {
        const int h = (gw + tw + s) / 2;
        const int v = (gh + th + s) / 2;
        switch (layout) {
            case blGlyphLeft:
                g = {cx - h, cy - gh / 2};
                t = {cx + h - tw, cy - th / 2};
                break;
            case blGlyphRight:
                t = {cx - h, cy - th / 2};
                g = {cx + h - gw, cy - gh / 2};
                break;
            case blGlyphTop:
                g = {cx - gw / 2, cy - v};
                t = {cx - tw / 2, cy + v - th};
                break;
            case blGlyphBottom:
                g = {cx - gw / 2, cy + v - gh};
                t = {cx - tw / 2, cy - v};
                break;
        }
    }
    return out;
}

void DrawGlyphAndCaption(TCanvas& canvas, const TRect& rect, int margin, bool pressOffset, int glyphCell,
                         int numGlyphs, const TBitmap& glyph, const std::string& caption,
                         TbsButtonLayout layout, int spacing) {
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    TbsGlyphCaptionLayout l =
        LayoutGlyphAndCaption(canvas, rect, margin, numGlyphs, glyph, caption, layout, spacing);
    if (pressOffset) {
        l.Glyph = {l.Glyph.X + 1, l.Glyph.Y + 1};
        l.Caption = {l.Caption.X + 1, l.Caption.Y + 1};
    }
    if (!caption.empty()) {
        TRect r{l.Caption.X, l.Caption.Y, l.Caption.X, l.Caption.Y};
        canvas.DrawText(caption, r, platform::gfx::DT_CALCRECT);
        r.Right += 2;
        canvas.DrawText(caption, r, platform::gfx::DT_CENTER);
    }
    if (!glyph.Empty() && numGlyphs > 0)
        DrawGlyphCell(canvas, l.Glyph.X, l.Glyph.Y, glyphCell, numGlyphs, glyph);
}

}  // namespace skin
