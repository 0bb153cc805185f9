// Preview rows of panels, gauges, track bars, splitters, tabs, the grid, the views, the menu bar,
// the control bar and the bevels.

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "tools/skingen/PreviewRows.h"

namespace skingen {

using namespace skin;
using platform::gfx::DT_CENTER;
using platform::gfx::DT_LEFT;
using platform::gfx::TColor;

namespace {

void AddPanelFaceRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinCustomControl& p,
                     const std::string& caption, const TRect& captionRect, TAlignment alignment,
                     const std::string& font, int height, platform::gfx::TFontStyles style, TColor color) {
    std::vector<TBitmap> images;
    for (auto [w, h] : {std::pair{p.skinrect.Width(), p.skinrect.Height()}, std::pair{170, 80}}) {
        TBitmap face = ComposeRecordFace(skin, p, p.skinrect, w, h);
        if (!IsEmptyRect(captionRect)) {
            TRect r = captionRect;
            r.Right += w - p.skinrect.Width();
            const uint32_t align = alignment == taLeftJustify ? DT_LEFT
                                   : alignment == taCenter    ? DT_CENTER
                                                              : platform::gfx::DT_RIGHT;
            DrawSheetText(face, r, caption, font, height, style, color, align);
        }
        images.push_back(std::move(face));
    }
    sheet.Add(p.SectionName, std::move(images));
}

void AddGaugeRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinGaugeControl& g) {
    std::vector<TBitmap> images;
    TBitmap* picture = skin.ActivePicture(g.pictureindex);
    for (double fraction : {0.0, 0.35, 0.8, 1.0}) {
        const int w = g.vertical ? g.skinrect.Width() : 170, h = g.vertical ? 120 : g.skinrect.Height();
        TBitmap face = ComposeRecordFace(skin, g, g.skinrect, w, h);
        TRect area = g.progressarea;
        if (g.vertical) {
            area.Bottom += h - g.skinrect.Height();
        } else {
            area.Right += w - g.skinrect.Width();
        }
        const int full = g.vertical ? area.Height() : area.Width();
        const int len = static_cast<int>(full * fraction);
        if (picture && len > g.beginoffset + g.endoffset) {
            TBitmap bar;
            if (g.vertical) {
                ComposeVertImage(bar, *picture, g.progressrect, g.beginoffset, g.endoffset, len);
                face.Canvas().Draw(area.Left, area.Bottom - len, bar);
            } else {
                ComposeHorzImage(bar, *picture, g.progressrect, g.beginoffset, g.endoffset, len);
                face.Canvas().Draw(area.Left, area.Top, bar);
            }
        }
        images.push_back(std::move(face));
    }
    sheet.Add(g.SectionName, std::move(images));
}

void AddTrackBarRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinTrackBarControl& t) {
    std::vector<TBitmap> images;
    for (auto [fraction, active] : {std::pair{0.2, false}, std::pair{0.7, true}}) {
        const int w = t.vertical ? t.skinrect.Width() : 170, h = t.vertical ? 120 : t.skinrect.Height();
        TBitmap face = ComposeRecordFace(skin, t, t.skinrect, w, h);
        TRect track = t.trackarea;
        if (t.vertical) {
            track.Bottom += h - t.skinrect.Height();
        } else {
            track.Right += w - t.skinrect.Width();
        }
        const TRect& image = active ? t.activebuttonrect : t.buttonrect;
        const int bw = image.Width(), bh = image.Height();
        const int x = t.vertical ? track.Left + track.Width() / 2 - bw / 2
                                 : track.Left + static_cast<int>((track.Width() - bw) * fraction);
        const int y = t.vertical ? track.Top + static_cast<int>((track.Height() - bh) * fraction)
                                 : track.Top + track.Height() / 2 - bh / 2;
        CopyFromPicture(face, {x, y, x + bw, y + bh}, skin, t.pictureindex, image);
        images.push_back(std::move(face));
    }
    sheet.Add(t.SectionName, std::move(images));
}

void AddTabRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinTabControl& t) {
    TBitmap* picture = skin.ActivePicture(t.pictureindex);
    if (!picture) return;
    std::vector<TBitmap> images;
    for (bool focused : {false, true}) {
        const int w = 300, h = 110, strip = t.tabrect.Height();
        TBitmap out = Blank(w, h);
        for (int x = 0; x < w; x += t.tabsbgrect.Width())
            CopyFromPicture(out, {x, 0, x + t.tabsbgrect.Width(), strip}, skin, t.pictureindex, t.tabsbgrect);
        const int pageH = h - strip + 1, dx = w - t.skinrect.Width(), dy = pageH - t.skinrect.Height();
        TBitmap page;
        const TbsFrameGeometry g{t.lefttoppoint, t.righttoppoint, t.leftbottompoint, t.rightbottompoint,
                                 t.clientrect};
        const TbsFrameGeometry n{
            t.lefttoppoint,
            {t.righttoppoint.X + dx, t.righttoppoint.Y},
            {t.leftbottompoint.X, t.leftbottompoint.Y + dy},
            {t.rightbottompoint.X + dx, t.rightbottompoint.Y + dy},
            {t.clientrect.Left, t.clientrect.Top, t.clientrect.Right + dx, t.clientrect.Bottom + dy}};
        ComposeFrameImageTiled(page, *picture, t.skinrect, g, w, pageH, n, true);
        out.Canvas().Draw(0, strip - 1, page);
        struct TTab {
            const char* Text;
            int Kind;  // 0 plain, 1 selected, 2 under the mouse
        };
        int x = 2;
        for (const TTab& tab :
             {TTab{"General", 1}, TTab{"Colours", 0}, TTab{"Fonts", 2}, TTab{"Sounds", 0}}) {
            const TRect& rect = tab.Kind == 1   ? (focused ? t.focustabrect : t.activetabrect)
                                : tab.Kind == 2 ? t.mouseintabrect
                                                : t.tabrect;
            TBitmap image = ComposeStrip(skin, t.pictureindex, rect, t.tableftoffset, t.tabrightoffset, 70);
            const TColor color = tab.Kind == 1   ? (focused ? t.focusfontcolor : t.activefontcolor)
                                 : tab.Kind == 2 ? t.mouseinfontcolor
                                                 : t.fontcolor;
            DrawSheetText(image, {0, 0, 70, strip}, tab.Text, t.fontname, t.fontheight, t.fontstyle, color,
                          DT_CENTER);
            out.Canvas().Draw(x, 0, image);
            x += 72;
        }
        images.push_back(std::move(out));
    }
    sheet.Add(t.SectionName, std::move(images));
}

void AddGridRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinGridControl& g) {
    const int cw = 70, ch = g.fixedcellrect.Height() > 0 ? g.fixedcellrect.Height() : 20, cols = 4, rows = 5;
    TBitmap out = Blank(cols * cw + 1, rows * ch + 1, g.bgcolor);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int x = c * cw, y = r * ch;
            TColor color = g.fontcolor;
            if (r == 0) {
                TBitmap cell = ComposeStrip(skin, g.pictureindex, g.fixedcellrect, g.fixedcellleftoffset,
                                            g.fixedcellrightoffset, cw);
                out.Canvas().Draw(x, y, cell);
                color = g.fixedfontcolor;
            } else if ((r == 2 && c == 1) || (r == 3 && c == 2)) {
                const TRect& rect = r == 2 ? g.selectcellrect : g.focuscellrect;
                TBitmap cell =
                    ComposeStrip(skin, g.pictureindex, rect, g.cellleftoffset, g.cellrightoffset, cw);
                out.Canvas().Draw(x, y, cell);
                color = r == 2 ? g.selectfontcolor : g.focusfontcolor;
            } else {
                out.Canvas().Brush.Color = g.linescolor;
                out.Canvas().FillRect({x + cw - 1, y, x + cw, y + ch});
                out.Canvas().FillRect({x, y + ch - 1, x + cw, y + ch});
            }
            TRect text = r == 0 ? g.fixedcelltextrect : g.celltextrect;
            text.Right += cw - g.fixedcellrect.Width();
            text = text.Offset(x, y);
            DrawSheetText(out, text, r == 0 ? "Column" : "Cell", r == 0 ? g.fixedfontname : g.fontname,
                          r == 0 ? g.fixedfontheight : g.fontheight, r == 0 ? g.fixedfontstyle : g.fontstyle,
                          color, DT_LEFT);
        }
    }
    sheet.Add(g.SectionName, {std::move(out)});
}

void AddMenuBarRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinMainMenuBar& m) {
    TBitmap* picture = skin.ActivePicture(m.pictureindex);
    const int index = skin.IndexOfSkinObject(m.menubaritem);
    auto* item = index < 0 ? nullptr
                           : dynamic_cast<TbsDataSkinMainMenuItem*>(
                                 skin.ObjectRecords[static_cast<std::size_t>(index)].get());
    if (!picture || !item) return;
    const int w = 360;
    TBitmap bar;
    ComposeHorzImage(bar, *picture, m.skinrect, m.itemsrect.Left, m.skinrect.Width() - m.itemsrect.Right, w);
    int x = m.itemsrect.Left;
    int state = 0;
    for (const char* caption : {"&File", "&Edit", "&View", "&Help"}) {
        TBitmap measure(1, 1);
        measure.Canvas().Font.SetName(item->fontname);
        measure.Canvas().Font.SetHeight(item->fontheight);
        measure.Canvas().Font.SetStyle(item->fontstyle);
        const int cw = measure.Canvas().TextWidth(platform::gfx::StripAccelerator(caption).Text);
        const int iw = item->skinrect.Width() - item->textrect.Width() + cw + 2;
        const TRect& rect = state == 1 ? item->activeskinrect : state == 2 ? item->downrect : item->skinrect;
        TBitmap image = ComposeStrip(skin, item->activepictureindex, rect, item->itemleftoffset,
                                     item->itemrightoffset, iw);
        const TColor color = state == 1   ? item->activefontcolor
                             : state == 2 ? item->downfontcolor
                             : state == 3 ? item->unenabledfontColor
                                          : item->fontcolor;
        DrawSheetText(
            image,
            {item->textrect.Left, item->textrect.Top, item->textrect.Left + cw + 2, item->textrect.Bottom},
            caption, item->fontname, item->fontheight, item->fontstyle, color, DT_CENTER);
        bar.Canvas().Draw(x, m.itemsrect.Top, image);
        x += iw;
        ++state;
    }
    int right = w - (m.skinrect.Width() - m.itemsrect.Right);
    for (const std::string& name : {m.closebutton, m.maxbutton, m.minbutton}) {
        const int i = skin.IndexOfSkinObject(name);
        auto* b = i < 0 ? nullptr : skin.ObjectRecords[static_cast<std::size_t>(i)].get();
        if (!b) continue;
        const int bw = b->skinrect.Width(), bh = b->skinrect.Height();
        const int top = m.itemsrect.Top + m.itemsrect.Height() / 2 - bh / 2;
        CopyFromPicture(bar, {right - bw, top, right, top + bh}, skin, b->activepictureindex,
                        name == m.closebutton ? b->activeskinrect : b->skinrect);
        right -= bw + 2;
    }
    sheet.Add(m.SectionName, {std::move(bar)});
}

void AddControlBarRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinControlBar& c) {
    TBitmap face = ComposeRecordFace(skin, c, c.skinrect, 260, 36);
    TBitmap band = ComposeStrip(skin, c.pictureindex, c.itemrect, 12, 3, 130);
    face.Canvas().Draw(6, 5, band);
    TBitmap band2 = ComposeStrip(skin, c.pictureindex, c.itemrect, 12, 3, 100);
    face.Canvas().Draw(142, 5, band2);
    sheet.Add(c.SectionName, {std::move(face)});
}

void AddViewRow(TSheet& sheet, TbsDataSkinTextViewControl& v) {
    TBitmap b = Blank(170, 56, v.bgcolor);
    b.Canvas().Brush.Color = 0xC9BEB4;
    b.Canvas().FrameRect({0, 0, 170, 56});
    for (int i = 0; i < 3; ++i)
        DrawSheetText(b, {8, 4 + 16 * i, 168, 20 + 16 * i},
                      i == 0 ? "Puzzles" : (i == 1 ? "  Abstract Shapes" : "  beach Holidays"), v.fontname,
                      v.fontheight, v.fontstyle, v.fontcolor, DT_LEFT);
    sheet.Add(v.SectionName, {std::move(b)});
}

void AddBevelRow(TSheet& sheet, TbsDataSkinBevel& b) {
    TBitmap out = Blank(70, 70);
    TBitmap picture = Blank(60, 60, 0xD8A860);
    out.Canvas().Draw(5, 5, picture);
    platform::gfx::TCanvas& c = out.Canvas();
    // A lowered box: the dark colour along the left and top, the light one along the right and bottom.
    c.Pen.Color = b.darkcolor;
    c.MoveTo(0, 69);
    c.LineTo(0, 0);
    c.LineTo(69, 0);
    c.Pen.Color = b.lightcolor;
    c.LineTo(69, 69);
    c.LineTo(0, 69);
    sheet.Add(b.SectionName, {std::move(out)});
}

}  // namespace

void AddPanelRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinControl& r) {
    if (auto* p = dynamic_cast<TbsDataSkinPanelControl*>(&r))
        return AddPanelFaceRow(sheet, skin, *p, "Caption", p->captionrect, p->alignment, p->fontname,
                               p->fontheight, p->fontstyle, p->fontcolor);
    if (auto* b = dynamic_cast<TbsDataSkinScrollBoxControl*>(&r))
        return AddPanelFaceRow(sheet, skin, *b, "", {}, taCenter, "Arial", 14, 0, 0);
    if (auto* s = dynamic_cast<TbsDataSkinSplitterControl*>(&r))
        return AddPanelFaceRow(sheet, skin, *s, "", {}, taCenter, "Arial", 14, 0, 0);
    if (auto* g = dynamic_cast<TbsDataSkinGaugeControl*>(&r)) return AddGaugeRow(sheet, skin, *g);
    if (auto* t = dynamic_cast<TbsDataSkinTrackBarControl*>(&r)) return AddTrackBarRow(sheet, skin, *t);
    if (auto* t = dynamic_cast<TbsDataSkinTabControl*>(&r)) return AddTabRow(sheet, skin, *t);
    if (auto* g = dynamic_cast<TbsDataSkinGridControl*>(&r)) return AddGridRow(sheet, skin, *g);
    if (auto* m = dynamic_cast<TbsDataSkinMainMenuBar*>(&r)) return AddMenuBarRow(sheet, skin, *m);
    if (auto* c = dynamic_cast<TbsDataSkinControlBar*>(&r)) return AddControlBarRow(sheet, skin, *c);
    if (auto* v = dynamic_cast<TbsDataSkinTextViewControl*>(&r)) return AddViewRow(sheet, *v);
    if (auto* b = dynamic_cast<TbsDataSkinBevel*>(&r)) return AddBevelRow(sheet, *b);
}

}  // namespace skingen
