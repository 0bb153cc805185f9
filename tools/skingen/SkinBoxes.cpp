// Up-downs, the combo box with its drop-down list, list boxes, scroll bars, edits and memos.

#include "tools/skingen/ControlArt.h"
#include "tools/skingen/SkinDefault.h"
#include "tools/skingen/Theme.h"

namespace skingen {

using namespace skin;
using namespace theme;

namespace {

constexpr TColor kButtonWell = Hex(0xF3F5F8);  // the drop button inside a field
constexpr TColor kTrack = Hex(0xF0F2F5);       // scroll-bar track

// One button of an up-down: a face with the corners that lie on the control's outline rounded.
void PaintUpDownButton(TRaster& r, const TRect& p, const TRadii& corners, TDirection dir, TState s,
                       double arrow) {
    TFace f = ButtonFace(s);
    f.Radius = corners;
    PaintFace(r, Whole(p), f);
    const TColor ink = s == TState::Normal ? kArrow : (s == TState::Disabled ? kTextDisabled : kAccentStrong);
    PaintChevron(r, p.Left + p.Width() / 2.0, p.Top + p.Height() / 2.0, arrow, dir, ink, 1.5);
}

// An up-down: the up button (which increases) and the down button, each w x h; vertical puts the
// up button on top, horizontal puts it on the right.
void DescribeUpDown(TSkinModel& model, TAtlas& a, const char* name, bool vertical, int w, int h,
                    double arrow) {
    const TRadii upCorners = vertical ? TRadii(3, 3, 0, 0) : TRadii(0, 3, 3, 0);
    const TRadii downCorners = vertical ? TRadii(0, 0, 3, 3) : TRadii(3, 0, 0, 3);
    const TDirection upDir = vertical ? TDirection::Up : TDirection::Right;
    const TDirection downDir = vertical ? TDirection::Down : TDirection::Left;
    const TRect upPart = vertical ? TRect{0, 0, w, h} : TRect{w, 0, 2 * w, h};
    const TRect downPart = vertical ? TRect{0, h, w, 2 * h} : TRect{0, 0, w, h};
    auto& u = model.AddControl<TbsDataSkinUpDownControl>(name, "updown");
    u.pictureindex = kBoxesPicture;
    u.skinrect = a.Place(vertical ? w : 2 * w, vertical ? 2 * h : h, [=](TRaster& r, const TRect& p) {
        PaintUpDownButton(r, upPart.Offset(p.Left, p.Top), upCorners, upDir, TState::Normal, arrow);
        PaintUpDownButton(r, downPart.Offset(p.Left, p.Top), downCorners, downDir, TState::Normal, arrow);
    });
    auto state = [&](const TRadii& corners, TDirection dir, TState s) {
        return a.Place(w, h,
                       [=](TRaster& r, const TRect& p) { PaintUpDownButton(r, p, corners, dir, s, arrow); });
    };
    u.upbuttonrect = upPart;
    u.activeupbuttonrect = state(upCorners, upDir, TState::Hot);
    u.downupbuttonrect = state(upCorners, upDir, TState::Down);
    u.downbuttonrect = downPart;
    u.activedownbuttonrect = state(downCorners, downDir, TState::Hot);
    u.downdownbuttonrect = state(downCorners, downDir, TState::Down);
}

void DescribeComboBox(TSkinModel& model, TAtlas& a) {
    auto& c = model.AddControl<TbsDataSkinComboBox>("combobox", "combobox");
    c.pictureindex = kBoxesPicture;
    c.skinrect = a.Place(41, 18, [](TRaster& r, const TRect& p) {
        PaintFace(r, Whole(p), FieldFace(TState::Normal, 2));
        r.FillRect(p.Left + 25, p.Top + 3, p.Left + 26, p.Top + 15, kBorderSoft);
        PaintArrowButton(r, Local(p, 26, 2, 39, 16), TDirection::Down, TState::Normal, kButtonWell, 2, 3);
    });
    // Stretches in width; the drop button lies in the right part and follows the right edge.
    c.lefttoppoint = {3, 8};
    c.righttoppoint = {21, 8};
    c.clientrect = {1, 1, 24, 17};
    c.buttonrect = {26, 2, 39, 16};
    auto button = [&](TState s) {
        return a.Place(13, 14, [s](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kField);
            PaintArrowButton(r, Whole(p), TDirection::Down, s, kButtonWell, 2, 3);
        });
    };
    c.activebuttonrect = button(TState::Hot);
    c.downbuttonrect = button(TState::Down);
    c.unenabledbuttonrect = button(TState::Disabled);
    // No picture behind an unfocused item: it lies on the field itself.
    c.focusitemrect = a.Place(24, 16, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kField);
        PaintFace(r, Local(p, 1, 1, 23, 15), SelectionFace(TState::Normal, 3));
    });
    c.itemleftoffset = 4;
    c.itemrightoffset = 4;
    c.itemtextrect = {5, 1, 19, 15};
    c.fontname = "Arial";
    c.fontheight = 14;
    c.fontcolor = kText;
    c.focusfontcolor = kAccentText;
    c.listboxname = "listbox";
}

// Item faces of a list: plain, selected, selected with the focus.
struct TListItems {
    TRect Item, Active, Focus;
};

TListItems PlaceListItems(TAtlas& a) {
    auto item = [&](int kind) {
        return a.Place(41, 18, [kind](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kField);
            if (kind > 0)
                PaintFace(r, Local(p, 1, 1, 40, 17),
                          SelectionFace(kind == 1 ? TState::Normal : TState::Focused, 3));
        });
    };
    TListItems items;
    items.Item = item(0);
    items.Active = item(1);
    items.Focus = item(2);
    return items;
}

void SetListItems(TbsDataSkinListBox& l, const TListItems& items) {
    l.itemrect = items.Item;
    l.activeitemrect = items.Active;
    l.focusitemrect = items.Focus;
    l.itemleftoffset = 5;
    l.itemrightoffset = 5;
    l.itemtextrect = {4, 2, 37, 16};
    l.fontname = "Arial";
    l.fontheight = 14;
    l.fontcolor = kText;
    l.activefontcolor = kAccentText;
    l.focusfontcolor = kAccentText;
    l.vscrollbarname = "vscrollbar";
    l.hscrollbarname = "hscrollbar";
    l.bothhscrollbarname = "bothhscrollbar";
}

void DescribeListBoxes(TSkinModel& model, TAtlas& a) {
    // The drop-down list: a white window with a firm one-pixel border and a pixel of padding.
    auto& l = model.AddControl<TbsDataSkinListBox>("listbox", "listbox");
    l.pictureindex = kBoxesPicture;
    l.skinrect = a.Place(60, 56, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kBorderStrong);
        r.FillRect(p.Left + 1, p.Top + 1, p.Right - 1, p.Bottom - 1, kField);
    });
    l.lefttoppoint = {4, 4};
    l.righttoppoint = {56, 4};
    l.leftbottompoint = {4, 52};
    l.rightbottompoint = {56, 52};
    l.clientrect = {2, 2, 58, 54};
    const TListItems items = PlaceListItems(a);
    SetListItems(l, items);

    // A list with a caption bar and its three buttons (check, down, up) at the right.
    auto& cl = model.AddControl<TbsDataSkinListBox>("captionlistbox", "listbox");
    cl.pictureindex = kBoxesPicture;
    cl.skinrect = a.Place(80, 76, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kBorder);
        r.FillRect(p.Left + 1, p.Top + 1, p.Right - 1, p.Top + 20, kPanelDark);
        r.FillRect(p.Left + 1, p.Top + 21, p.Right - 1, p.Bottom - 1, kField);
        PaintArrowButton(r, Local(p, 48, 3, 62, 17), TDirection::Down, TState::Normal, kPanelDark, 2, 3);
        PaintArrowButton(r, Local(p, 64, 3, 78, 17), TDirection::Up, TState::Normal, kPanelDark, 2, 3);
        PaintCheck(r, p.Left + 39, p.Top + 10, 3.5, kArrow, 1.5);
    });
    cl.lefttoppoint = {4, 24};
    cl.righttoppoint = {30, 24};
    cl.leftbottompoint = {4, 72};
    cl.rightbottompoint = {30, 72};
    cl.clientrect = {2, 22, 78, 74};
    SetListItems(cl, items);
    cl.captionrect = {4, 1, 30, 20};
    cl.captionfontname = "Arial";
    cl.captionfontheight = 14;
    cl.captionfontstyle = platform::gfx::fsBold;
    cl.captionfontcolor = kText;
    cl.checkbuttonrect = {32, 3, 46, 17};
    cl.downbuttonrect = {48, 3, 62, 17};
    cl.upbuttonrect = {64, 3, 78, 17};
    auto captionButton = [&](int glyph, TState s) {
        return a.Place(14, 14, [glyph, s](TRaster& r, const TRect& p) {
            if (glyph == 0) {
                PaintArrowButton(r, Whole(p), TDirection::Down, s, kPanelDark, 2, 3);
                r.FillRoundRect(Whole(p), 2, TPaint::Solid(s == TState::Hot ? kAccentSofter : kAccentSoft));
                PaintCheck(r, p.Left + 7, p.Top + 7, 3.5, s == TState::Hot ? kAccentStrong : kAccentDeep,
                           1.5);
            } else {
                PaintArrowButton(r, Whole(p), glyph == 1 ? TDirection::Down : TDirection::Up, s, kPanelDark,
                                 2, 3);
            }
        });
    };
    cl.activecheckbuttonrect = captionButton(0, TState::Hot);
    cl.downcheckbuttonrect = captionButton(0, TState::Down);
    cl.activedownbuttonrect = captionButton(1, TState::Hot);
    cl.downdownbuttonrect = captionButton(1, TState::Down);
    cl.activeupbuttonrect = captionButton(2, TState::Hot);
    cl.downupbuttonrect = captionButton(2, TState::Down);

    auto& ch = model.AddControl<TbsDataSkinCheckListBox>("checklistbox", "checklistbox");
    ch.pictureindex = kBoxesPicture;
    ch.skinrect = l.skinrect;
    ch.lefttoppoint = l.lefttoppoint;
    ch.righttoppoint = l.righttoppoint;
    ch.leftbottompoint = l.leftbottompoint;
    ch.rightbottompoint = l.rightbottompoint;
    ch.clientrect = l.clientrect;
    SetListItems(ch, items);
    ch.itemtextrect = {20, 2, 37, 16};
    ch.itemcheckrect = {3, 2, 17, 16};
    ch.checkimagerect =
        a.Place(14, 14, [](TRaster& r, const TRect& p) { PaintCheckBox(r, Whole(p), true, TState::Normal); });
    ch.uncheckimagerect = a.Place(
        14, 14, [](TRaster& r, const TRect& p) { PaintCheckBox(r, Whole(p), false, TState::Normal); });
}

// Scroll bars: arrow buttons at both ends of a light track and a slim rounded thumb; the
// "down" button (towards the minimum) sits at the top or left.
void DescribeScrollBar(TSkinModel& model, TAtlas& a, const char* name, bool vertical, bool corner) {
    const int t = 15, len = 64;
    const int w = vertical ? t : len + (corner ? t : 0);
    const int h = vertical ? len : t;
    const TDirection lowDir = vertical ? TDirection::Up : TDirection::Left;
    const TDirection highDir = vertical ? TDirection::Down : TDirection::Right;
    const TRect low{0, 0, t, t};
    const TRect high = vertical ? TRect{0, len - t, t, len} : TRect{len - t, 0, len, t};
    auto& s = model.AddControl<TbsDataSkinScrollBarControl>(name, "scrollbar");
    s.pictureindex = kScrollBarsPicture;
    s.skinrect = a.Place(w, h, [=](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kTrack);
        PaintArrowButton(r, Whole(low.Offset(p.Left, p.Top)), lowDir, TState::Normal, kTrack);
        PaintArrowButton(r, Whole(high.Offset(p.Left, p.Top)), highDir, TState::Normal, kTrack);
    });
    // The track between the buttons repeats; the far button moves with the far end.
    if (vertical) {
        s.lefttoppoint = {t / 2, t};
        s.leftbottompoint = {t / 2, len - t - 1};
        s.trackarea = {0, t, t, len - t};
    } else {
        s.lefttoppoint = {t, t / 2};
        s.righttoppoint = {len - t - 1, t / 2};
        s.trackarea = {t, 0, len - t, t};
    }
    s.clientrect = s.trackarea;
    s.downbuttonrect = low;
    s.upbuttonrect = high;
    auto arrow = [&](TDirection dir, TState st) {
        return a.Place(t, t,
                       [=](TRaster& r, const TRect& p) { PaintArrowButton(r, Whole(p), dir, st, kTrack); });
    };
    s.activedownbuttonrect = arrow(lowDir, TState::Hot);
    s.downdownbuttonrect = arrow(lowDir, TState::Down);
    s.activeupbuttonrect = arrow(highDir, TState::Hot);
    s.downupbuttonrect = arrow(highDir, TState::Down);
    auto thumb = [&](TState st) {
        return a.Place(vertical ? t : 30, vertical ? 30 : t,
                       [=](TRaster& r, const TRect& p) { PaintThumb(r, Whole(p), vertical, st, kTrack); });
    };
    s.thumbrect = thumb(TState::Normal);
    s.activethumbrect = thumb(TState::Hot);
    s.downthumbrect = thumb(TState::Down);
    s.thumboffset1 = 7;
    s.thumboffset2 = 7;
}

enum class TEditExtra { None, Ellipsis, Search, Spin };

void PaintEditFace(TRaster& r, const TRect& p, bool focused, TEditExtra extra) {
    if (focused) {
        PaintFocusedField(r, Whole(p), 3);
    } else {
        PaintFace(r, Whole(p), FieldFace(TState::Normal, 3));
    }
    switch (extra) {
        case TEditExtra::Ellipsis:
            r.FillRoundRect(Local(p, 50, 3, 67, 19), 2, TPaint::Solid(kButtonWell));
            PaintEllipsisGlyph(r, p.Left + 58.5, p.Top + 11, kArrow);
            break;
        case TEditExtra::Search:
            PaintSearchGlyph(r, p.Left + 12, p.Top + 11, 4.5, focused ? kAccentStrong : kTextMuted);
            break;
        case TEditExtra::Spin:
            r.FillRect(p.Left + 43, p.Top + 3, p.Left + 44, p.Bottom - 3, kBorderSoft);
            PaintChevron(r, p.Left + 51, p.Top + 7, 2.5, TDirection::Up, kArrow, 1.4);
            PaintChevron(r, p.Left + 51, p.Top + 15, 2.5, TDirection::Down, kArrow, 1.4);
            break;
        case TEditExtra::None:
            break;
    }
}

template <class TRecord>
void SetEditFonts(TRecord& e) {
    e.fontname = "Arial";
    e.fontheight = 14;
    e.fontcolor = kText;
    e.activefontcolor = kText;
    e.disabledfontcolor = kTextDisabled;
}

void DescribeEdits(TSkinModel& model, TAtlas& a) {
    auto edit = [&](const char* name, int width, TEditExtra extra, TRect client) -> TbsDataSkinEditControl& {
        auto& e = model.AddControl<TbsDataSkinEditControl>(name, "edit");
        e.pictureindex = kBoxesPicture;
        e.skinrect =
            a.Place(width, 22, [extra](TRaster& r, const TRect& p) { PaintEditFace(r, p, false, extra); });
        e.activeskinrect =
            a.Place(width, 22, [extra](TRaster& r, const TRect& p) { PaintEditFace(r, p, true, extra); });
        e.lefttoppoint = {client.Left, 11};
        e.righttoppoint = {client.Right, 11};
        e.clientrect = client;
        SetEditFonts(e);
        return e;
    };
    edit("edit", 60, TEditExtra::None, {4, 3, 56, 19});
    auto& be = edit("buttonedit", 70, TEditExtra::Ellipsis, {4, 3, 48, 19});
    be.buttonrect = {50, 3, 67, 19};
    auto button = [&](TState s) {
        return a.Place(17, 16, [s](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kField);
            const TColor bg =
                s == TState::Hot ? kAccentSofter : (s == TState::Down ? kAccentSoft : kButtonWell);
            r.FillRoundRect(Whole(p), 2, TPaint::Solid(bg));
            PaintEllipsisGlyph(
                r, p.Left + 8.5, p.Top + 8,
                s == TState::Disabled ? kTextDisabled : (s == TState::Normal ? kArrow : kAccentStrong));
        });
    };
    be.activebuttonrect = button(TState::Hot);
    be.downbuttonrect = button(TState::Down);
    be.unenabledbuttonrect = button(TState::Disabled);
    edit("searchedit", 70, TEditExtra::Search, {22, 3, 66, 19});

    auto& sp = model.AddControl<TbsDataSkinSpinEditControl>("spinedit", "spinedit");
    sp.pictureindex = kBoxesPicture;
    sp.skinrect =
        a.Place(60, 22, [](TRaster& r, const TRect& p) { PaintEditFace(r, p, false, TEditExtra::Spin); });
    sp.activeskinrect =
        a.Place(60, 22, [](TRaster& r, const TRect& p) { PaintEditFace(r, p, true, TEditExtra::Spin); });
    sp.lefttoppoint = {4, 11};
    sp.righttoppoint = {42, 11};
    sp.clientrect = {4, 3, 42, 19};
    SetEditFonts(sp);
    sp.upbuttonrect = {44, 2, 58, 11};
    sp.downbuttonrect = {44, 11, 58, 20};
    auto spin = [&](TDirection dir, TState s) {
        return a.Place(14, 9, [dir, s](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kField);
            const TColor bg = s == TState::Hot ? kAccentSofter : kAccentSoft;
            r.FillRoundRect(Whole(p), 2, TPaint::Solid(bg));
            PaintChevron(r, p.Left + 7, p.Top + (dir == TDirection::Up ? 5 : 4), 2.5, dir,
                         s == TState::Hot ? kAccentStrong : kAccentDeep, 1.4);
        });
    };
    sp.activeupbuttonrect = spin(TDirection::Up, TState::Hot);
    sp.downupbuttonrect = spin(TDirection::Up, TState::Down);
    sp.activedownbuttonrect = spin(TDirection::Down, TState::Hot);
    sp.downdownbuttonrect = spin(TDirection::Down, TState::Down);
}

void DescribeMemos(TSkinModel& model, TAtlas& a) {
    auto memo = [&](const char* name, bool readOnly) {
        auto& m = model.AddControl<TbsDataSkinMemoControl>(name, "memo");
        m.pictureindex = kBoxesPicture;
        const TColor fill = readOnly ? kPanel : kField;
        auto face = [readOnly, fill](bool focused) {
            return [readOnly, fill, focused](TRaster& r, const TRect& p) {
                if (focused && !readOnly) {
                    PaintFocusedField(r, Whole(p), 3);
                    return;
                }
                TFace f = FieldFace(TState::Normal, 3);
                f.Fill = TPaint::Solid(fill);
                f.Border = readOnly ? (focused ? kBorder : kBorderSoft) : kBorder;
                PaintFace(r, Whole(p), f);
            };
        };
        m.skinrect = a.Place(60, 60, face(false));
        m.activeskinrect = a.Place(60, 60, face(true));
        m.lefttoppoint = {5, 5};
        m.righttoppoint = {55, 5};
        m.leftbottompoint = {5, 55};
        m.rightbottompoint = {55, 55};
        m.clientrect = {4, 4, 56, 56};
        SetEditFonts(m);
        m.bgcolor = fill;
        m.activebgcolor = fill;
    };
    memo("memo", false);
    memo("readonlymemo", true);
}

}  // namespace

void DescribeBoxes(TSkinModel& model, TSkinAtlases& atlases) {
    TAtlas& a = atlases.Boxes;
    DescribeUpDown(model, a, "hupdown", false, 18, 18, 3.5);
    DescribeUpDown(model, a, "vupdown", true, 18, 18, 3.5);
    DescribeComboBox(model, a);
    DescribeListBoxes(model, a);
    DescribeScrollBar(model, atlases.ScrollBars, "vscrollbar", true, false);
    DescribeScrollBar(model, atlases.ScrollBars, "hscrollbar", false, false);
    DescribeScrollBar(model, atlases.ScrollBars, "bothhscrollbar", false, true);
    DescribeEdits(model, a);
    DescribeUpDown(model, a, "spinupdown", true, 14, 11, 2.5);
    DescribeMemos(model, a);
}

}  // namespace skingen
