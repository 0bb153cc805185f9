// Panels, scroll box, gauges, track bars, splitters, tabs, grid, the views, the menu bar, the
// control bar and the bevels.

#include "tools/skingen/ControlArt.h"
#include "tools/skingen/SkinDefault.h"
#include "tools/skingen/Theme.h"

namespace skingen {

using namespace skin;
using namespace theme;

namespace {

// Corner points and client rectangle of a picture that stretches both ways: the corners keep
// `corner` pixels, the borders are `border` pixels thick.
template <class TRecord>
void SetFrameGeometry(TRecord& r, int corner, const TRect& client) {
    const int w = r.skinrect.Width(), h = r.skinrect.Height();
    r.lefttoppoint = {corner, corner};
    r.righttoppoint = {w - corner, corner};
    r.leftbottompoint = {corner, h - corner};
    r.rightbottompoint = {w - corner, h - corner};
    r.clientrect = client;
}

enum class THeader { None, Light, Slate };

void DescribePanel(TSkinModel& model, TAtlas& a, const char* name, int w, int h, THeader header, TColor fill,
                   std::optional<TColor> border, double radius, TColor text) {
    auto& p = model.AddControl<TbsDataSkinPanelControl>(name, "panel");
    p.pictureindex = kPanelsPicture;
    const int headerHeight = header == THeader::None ? 0 : 21;
    p.skinrect = a.Place(w, h, [=](TRaster& r, const TRect& place) {
        r.FillRect(place.Left, place.Top, place.Right, place.Bottom, kClient);
        TFace f;
        f.Fill = TPaint::Solid(fill);
        f.Border = border;
        f.Radius = radius;
        PaintFace(r, Whole(place), f);
        if (header != THeader::None) {
            const TPaint band =
                header == THeader::Slate
                    ? TPaint::Vertical(kFrameTop, kFrameBottom, place.Top, place.Top + headerHeight)
                    : TPaint::Solid(kPanelDark);
            const TRectF box = border ? Whole(place).Inset(1) : Whole(place);
            const TRectF top{box.Left, box.Top, box.Right, place.Top + headerHeight - 1.0};
            r.FillShape(
                top, [=](double x, double y) { return InsideRoundRect(box, TRadii(radius).Shrink(1), x, y); },
                band);
            r.FillRect(place.Left + 1, place.Top + headerHeight - 1, place.Right - 1,
                       place.Top + headerHeight, border.value_or(kBorderSoft));
        }
    });
    const int inset = static_cast<int>(radius) + 1;
    if (header == THeader::None) {
        SetFrameGeometry(p, inset + 1, {inset, inset, w - inset, h - inset});
    } else {
        p.lefttoppoint = {inset + 1, headerHeight + 1};
        p.righttoppoint = {w - inset - 1, headerHeight + 1};
        p.leftbottompoint = {inset + 1, h - inset - 1};
        p.rightbottompoint = {w - inset - 1, h - inset - 1};
        p.clientrect = {inset, headerHeight + 1, w - inset, h - inset};
        p.captionrect = {8, 0, w - 6, headerHeight - 1};
    }
    p.alignment = header == THeader::None ? taCenter : taLeftJustify;
    p.fontname = "Arial";
    p.fontheight = 14;
    p.fontstyle = header == THeader::None ? 0 : platform::gfx::fsBold;
    p.fontcolor = text;
    if (header != THeader::None) {
        p.checkimagerect = a.Place(14, 14, [](TRaster& r, const TRect& place) {
            PaintCheckBox(r, Whole(place), true, TState::Normal);
        });
        p.uncheckimagerect = a.Place(14, 14, [](TRaster& r, const TRect& place) {
            PaintCheckBox(r, Whole(place), false, TState::Normal);
        });
    }
}

void DescribePanels(TSkinModel& model, TAtlas& a) {
    DescribePanel(model, a, "panel", 40, 40, THeader::None, kPanel, kBorderSoft, 4, kText);
    DescribePanel(model, a, "groupbox", 40, 44, THeader::Light, kPanel, kBorderSoft, 4, kText);
    DescribePanel(model, a, "captionpanel", 40, 44, THeader::Slate, kPanel, kBorderSoft, 4, kCaptionText);

    // Bars along an edge: flat, with a line towards the content.
    auto bar = [&](const char* name, TColor fill, bool lineAtTop, TColor text) {
        auto& p = model.AddControl<TbsDataSkinPanelControl>(name, "panel");
        p.pictureindex = kPanelsPicture;
        p.skinrect = a.Place(40, lineAtTop ? 22 : 30, [=](TRaster& r, const TRect& place) {
            r.FillRect(place.Left, place.Top, place.Right, place.Bottom, fill);
            const int y = lineAtTop ? place.Top : place.Bottom - 1;
            r.FillRect(place.Left, y, place.Right, y + 1, kBorderSoft);
        });
        const int h = p.skinrect.Height();
        SetFrameGeometry(p, 2, {1, lineAtTop ? 2 : 1, 39, lineAtTop ? h - 1 : h - 2});
        p.captionrect = {6, lineAtTop ? 2 : 1, 34, lineAtTop ? h - 1 : h - 2};
        p.alignment = taLeftJustify;
        p.fontcolor = text;
    };
    bar("toolpanel", kPanel, false, kText);
    bar("statusbar", kPanelDark, true, kTextMuted);
    DescribePanel(model, a, "sidepanel", 40, 40, THeader::None, kFrameSide, std::nullopt, 0, kCaptionText);

    auto& box = model.AddControl<TbsDataSkinScrollBoxControl>("scrollbox", "scrollbox");
    box.pictureindex = kPanelsPicture;
    box.skinrect = a.Place(40, 40, [](TRaster& r, const TRect& place) {
        r.FillRect(place.Left, place.Top, place.Right, place.Bottom, kClient);
        PaintFace(r, Whole(place), FieldFace(TState::Normal, 3));
    });
    SetFrameGeometry(box, 5, {4, 4, 36, 36});
}

void DescribeGauges(TSkinModel& model, TAtlas& a) {
    auto gauge = [&](const char* name, bool vertical, bool slim) {
        auto& g = model.AddControl<TbsDataSkinGaugeControl>(name, "gauge");
        g.pictureindex = kGaugesPicture;
        const int len = 60, thick = slim ? 6 : 16;
        const int w = vertical ? thick : len, h = vertical ? len : thick;
        const double radius = slim ? 3 : 4;
        g.skinrect = a.Place(w, h, [=](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
            TFace f;
            f.Fill = TPaint::Solid(kPanelDark);
            if (!slim) f.Border = kBorderSoft;
            f.Radius = radius;
            PaintFace(r, Whole(p), f);
        });
        const int pad = slim ? 0 : 2;
        g.progressarea = {pad, pad, w - pad, h - pad};
        g.clientrect = g.progressarea;
        const int piece = 20, across = thick - 2 * pad;
        g.progressrect =
            a.Place(vertical ? across : piece, vertical ? piece : across, [=](TRaster& r, const TRect& p) {
                r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kPanelDark);
                const TPaint fill = vertical
                                        ? TPaint::Horizontal(Hex(0x3595FF), kAccentStrong, p.Left, p.Right)
                                        : TPaint::Vertical(Hex(0x3595FF), kAccentStrong, p.Top, p.Bottom);
                r.FillRoundRect(Whole(p), 3, fill);
            });
        g.beginoffset = slim ? 3 : 4;
        g.endoffset = g.beginoffset;
        g.vertical = vertical;
        if (vertical) {
            g.lefttoppoint = {thick / 2, 6};
            g.leftbottompoint = {thick / 2, len - 6};
        } else {
            g.lefttoppoint = {6, thick / 2};
            g.righttoppoint = {len - 6, thick / 2};
        }
        g.fontname = "Arial";
        g.fontheight = 12;
        g.fontcolor = kText;
    };
    gauge("gauge", false, false);
    gauge("vgauge", true, false);
    gauge("slimgauge", false, true);

    auto trackbar = [&](const char* name, bool vertical) {
        auto& t = model.AddControl<TbsDataSkinTrackBarControl>(name, "trackbar");
        t.pictureindex = kGaugesPicture;
        const int len = 60, thick = 22;
        const int w = vertical ? thick : len, h = vertical ? len : thick;
        t.skinrect = a.Place(w, h, [=](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
            TFace f;
            f.Fill = TPaint::Solid(kPanelDark);
            f.Border = kBorder;
            f.Radius = 2;
            PaintFace(r, vertical ? Local(p, 9, 6, 13, len - 6) : Local(p, 6, 9, len - 6, 13), f);
        });
        t.trackarea = vertical ? TRect{0, 6, thick, len - 6} : TRect{6, 0, len - 6, thick};
        t.clientrect = {0, 0, w, h};
        if (vertical) {
            t.lefttoppoint = {thick / 2, 8};
            t.leftbottompoint = {thick / 2, len - 8};
        } else {
            t.lefttoppoint = {8, thick / 2};
            t.righttoppoint = {len - 8, thick / 2};
        }
        auto thumb = [&](TState s) {
            return a.Place(vertical ? 20 : 12, vertical ? 12 : 20, [s](TRaster& r, const TRect& p) {
                r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
                PaintFace(r, Whole(p), ButtonFace(s, 3));
            });
        };
        t.buttonrect = thumb(TState::Normal);
        t.activebuttonrect = thumb(TState::Hot);
        t.vertical = vertical;
    };
    trackbar("htrackbar", false);
    trackbar("vtrackbar", true);

    auto splitter = [&](const char* name, bool vertical) {
        auto& s = model.AddControl<TbsDataSkinSplitterControl>(name, "splitter");
        s.pictureindex = kGaugesPicture;
        s.skinrect = a.Place(vertical ? 6 : 40, vertical ? 40 : 6, [vertical](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
            if (vertical) {
                r.FillRect(p.Left + 2, p.Top, p.Left + 3, p.Bottom, kBorderSoft);
            } else {
                r.FillRect(p.Left, p.Top + 2, p.Right, p.Top + 3, kBorderSoft);
            }
        });
        s.lefttoppoint = vertical ? TPoint{3, 2} : TPoint{2, 3};
        if (vertical) {
            s.leftbottompoint = {3, 38};
        } else {
            s.righttoppoint = {38, 3};
        }
        s.clientrect = {0, 0, s.skinrect.Width(), s.skinrect.Height()};
    };
    splitter("vsplitter", true);
    splitter("hsplitter", false);
}

void DescribeTabs(TSkinModel& model, TAtlas& a) {
    auto tabs = [&](const char* name, bool flat) {
        auto& t = model.AddControl<TbsDataSkinTabControl>(name, "tab");
        t.pictureindex = kPanelsPicture;
        t.skinrect = a.Place(40, 40, [flat](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, flat ? kBorderSoft : kBorder);
            r.FillRect(p.Left + 1, p.Top + 1, p.Right - 1, p.Bottom - 1, flat ? kPanel : kField);
        });
        t.clientrect = {1, 1, 39, 39};
        t.lefttoppoint = {4, 4};
        t.righttoppoint = {36, 4};
        t.leftbottompoint = {4, 36};
        t.rightbottompoint = {36, 36};
        // 0 plain, 1 selected, 2 selected with focus, 3 under the mouse.
        auto tab = [&](int kind) {
            return a.Place(40, 22, [flat, kind](TRaster& r, const TRect& p) {
                r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
                const TColor line = flat ? kBorderSoft : kBorder;
                if (flat) {
                    if (kind == 3) r.FillRoundRect(Local(p, 0, 2, 40, 20), 3, TPaint::Solid(kAccentSofter));
                    r.FillRect(p.Left, p.Bottom - 1, p.Right, p.Bottom, line);
                    if (kind == 1 || kind == 2)
                        r.FillRect(p.Left + 2, p.Bottom - 3, p.Right - 2, p.Bottom,
                                   kind == 2 ? kAccent : kAccentStrong);
                    return;
                }
                TFace f;
                f.Radius = TRadii(3, 3, 0, 0);
                if (kind == 1 || kind == 2) {
                    f.Fill = TPaint::Solid(kField);
                    f.Border = kBorder;
                    PaintFace(r, Local(p, 0, 0, 40, 23), f);
                    r.FillRect(p.Left + 1, p.Bottom - 1, p.Right - 1, p.Bottom, kField);
                    r.FillRect(p.Left + 2, p.Top + 1, p.Right - 2, p.Top + 3,
                               kind == 2 ? kAccent : kAccentSoftBorder);
                } else {
                    f.Fill = TPaint::Solid(kind == 3 ? kAccentSofter : kPanelDark);
                    f.Border = kind == 3 ? kAccentSoftBorder : kBorderSoft;
                    PaintFace(r, Local(p, 0, 2, 40, 23), f);
                    r.FillRect(p.Left, p.Bottom - 1, p.Right, p.Bottom, line);
                }
            });
        };
        t.tabrect = tab(0);
        t.activetabrect = tab(1);
        t.focustabrect = tab(2);
        t.mouseintabrect = tab(3);
        t.tabsbgrect = a.Place(10, 22, [flat](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
            r.FillRect(p.Left, p.Bottom - 1, p.Right, p.Bottom, flat ? kBorderSoft : kBorder);
        });
        t.tableftoffset = 5;
        t.tabrightoffset = 5;
        t.fontname = "Arial";
        t.fontheight = 14;
        t.fontcolor = kTextMuted;
        t.activefontcolor = kText;
        t.focusfontcolor = kAccentText;
        t.mouseinfontcolor = kText;
        t.updown = "hupdown";
    };
    tabs("tab", false);
    tabs("flattab", true);
}

void DescribeGrid(TSkinModel& model, TAtlas& a) {
    auto& g = model.AddControl<TbsDataSkinGridControl>("grid", "grid");
    g.pictureindex = kPanelsPicture;
    g.skinrect = a.Place(40, 40, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kBorder);
        r.FillRect(p.Left + 1, p.Top + 1, p.Right - 1, p.Bottom - 1, kField);
    });
    auto cell = [&](int kind) {
        return a.Place(40, 20, [kind](TRaster& r, const TRect& p) {
            const TColor fill = kind == 0 ? kPanelDark : kAccentSoft;
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, fill);
            r.FillRect(p.Right - 1, p.Top, p.Right, p.Bottom, kBorderSoft);
            r.FillRect(p.Left, p.Bottom - 1, p.Right, p.Bottom, kBorderSoft);
            if (kind == 2) r.StrokeRoundRect(Local(p, 0, 0, 39, 19), 0, 1, TPaint::Solid(kAccent));
        });
    };
    g.fixedcellrect = cell(0);
    g.selectcellrect = cell(1);
    g.focuscellrect = cell(2);
    g.fixedcellleftoffset = 2;
    g.fixedcellrightoffset = 2;
    g.fixedcelltextrect = {4, 2, 36, 18};
    g.cellleftoffset = 2;
    g.cellrightoffset = 2;
    g.celltextrect = {4, 2, 36, 18};
    g.linescolor = kBorderSoft;
    g.bgcolor = kField;
    g.fontcolor = kText;
    g.selectfontcolor = kAccentText;
    g.focusfontcolor = kAccentText;
    g.fixedfontstyle = platform::gfx::fsBold;
    g.fixedfontcolor = kTextMuted;
}

template <class TRecord>
void DescribeView(TSkinModel& model, const char* name, const char* kind) {
    auto& v = model.AddControl<TRecord>(name, kind);
    v.fontname = "Arial";
    v.fontheight = 14;
    v.fontcolor = kText;
    v.bgcolor = kField;
}

void DescribeBars(TSkinModel& model, TAtlas& a) {
    auto& m = model.AddControl<TbsDataSkinMainMenuBar>("mainmenubar", "mainmenubar");
    m.pictureindex = kPanelsPicture;
    // Its items' normal face (in the objects picture) is this bar's background.
    m.skinrect = a.Place(40, 24, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kPanel);
        r.FillRect(p.Left, p.Bottom - 1, p.Right, p.Bottom, kBorderSoft);
    });
    m.itemsrect = {2, 2, 38, 22};
    m.menubaritem = "menubaritem";
    m.closebutton = "menubarclose";
    m.minbutton = "menubarminimize";
    m.maxbutton = "menubarrestore";
    m.sysmenubutton = "menubarsysmenu";
    m.trackmarkcolor = kTextMuted;
    m.trackmarkactivecolor = kAccent;

    auto& c = model.AddControl<TbsDataSkinControlBar>("controlbar", "controlbar");
    c.pictureindex = kPanelsPicture;
    c.skinrect = a.Place(
        40, 30, [](TRaster& r, const TRect& p) { r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient); });
    SetFrameGeometry(c, 4, {2, 2, 38, 28});
    // A band: a raised panel with a grip in its fixed left part.
    c.itemrect = a.Place(40, 26, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
        TFace f;
        f.Fill = TPaint::Solid(kPanel);
        f.Border = kBorderSoft;
        f.Radius = 3;
        PaintFace(r, Whole(p), f);
        PaintGripDots(r, p.Left + 6, p.Top + 13, true, kBorderStrong);
    });
}

void DescribeBevel(TSkinModel& model, const char* name, TColor light, TColor dark) {
    auto& b = model.AddControl<TbsDataSkinBevel>(name, "bevel");
    b.pictureindex = -1;
    b.lightcolor = light;
    b.darkcolor = dark;
}

}  // namespace

void DescribePanelsAndBars(TSkinModel& model, TSkinAtlases& atlases) {
    DescribePanels(model, atlases.Panels);
    DescribeGauges(model, atlases.Gauges);
    DescribeTabs(model, atlases.Panels);
    DescribeGrid(model, atlases.Panels);
    DescribeView<TbsDataSkinTreeView>(model, "treeview", "treeview");
    DescribeView<TbsDataSkinListView>(model, "listview", "listview");
    DescribeView<TbsDataSkinRichEdit>(model, "richedit", "richedit");
    DescribeBars(model, atlases.Panels);
    // The preview frames: a grey top-left and a black bottom-right edge.
    DescribeBevel(model, "bevel", kBevelLight, kBevelDark);
    DescribeBevel(model, "lightbevel", kField, kBorder);
    DescribeBevel(model, "darkbevel", kFrameHighlight, kFrameOutline);
}

}  // namespace skingen
