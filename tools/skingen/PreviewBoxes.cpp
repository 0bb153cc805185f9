// Preview rows of up-downs, the combo box, list boxes, scroll bars, edits and memos.

#include <algorithm>
#include <cmath>

#include "platform/gfx/Canvas.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "tools/skingen/PreviewRows.h"

namespace skingen {

using namespace skin;
using platform::gfx::DT_LEFT;
using platform::gfx::TColor;

namespace {

TBitmap Copy(TbsSkinData& skin, int pictureIndex, const TRect& source) {
    TBitmap b(source.Width(), source.Height());
    CopyFromPicture(b, {0, 0, source.Width(), source.Height()}, skin, pictureIndex, source);
    return b;
}

void AddUpDownRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinUpDownControl& u) {
    struct TOverlay {
        TRect Place, Image;
    };
    const TOverlay overlays[] = {{{}, {}},
                                 {u.upbuttonrect, u.activeupbuttonrect},
                                 {u.upbuttonrect, u.downupbuttonrect},
                                 {u.downbuttonrect, u.activedownbuttonrect},
                                 {u.downbuttonrect, u.downdownbuttonrect}};
    std::vector<TBitmap> images;
    for (const TOverlay& o : overlays) {
        TBitmap face = Copy(skin, u.pictureindex, u.skinrect);
        CopyFromPicture(face, o.Place, skin, u.pictureindex, o.Image);
        images.push_back(std::move(face));
    }
    sheet.Add(u.SectionName, std::move(images));
}

void AddComboRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinComboBox& c) {
    const int w = 185, h = c.skinrect.Height();
    const int dx = w - c.skinrect.Width();
    TRect button = c.buttonrect;
    if (button.Left >= c.skinrect.Width() - c.righttoppoint.X) button = button.Offset(dx, 0);
    TRect itemArea = c.clientrect;
    itemArea.Right += dx;
    struct TVariant {
        bool Focused;
        TRect ButtonImage;
        const char* Text;
    };
    const TVariant variants[] = {{false, {}, "Abstract Shapes"},
                                 {true, {}, "beach Holidays"},
                                 {false, c.activebuttonrect, "City Lights"},
                                 {true, c.downbuttonrect, "City Lights"},
                                 {false, c.unenabledbuttonrect, "Disabled"}};
    std::vector<TBitmap> images;
    for (const TVariant& v : variants) {
        TBitmap face = ComposeRecordFace(skin, c, c.skinrect, w, h);
        CopyFromPicture(face, button, skin, c.pictureindex, v.ButtonImage);
        const int itemW = itemArea.Width();
        const TRect& bg = v.Focused ? c.focusitemrect : c.itemrect;
        const int itemH = !IsEmptyRect(c.itemrect)        ? c.itemrect.Height()
                          : !IsEmptyRect(c.focusitemrect) ? c.focusitemrect.Height()
                                                          : itemArea.Height();
        if (!IsEmptyRect(bg)) {
            TBitmap item = ComposeStrip(skin, c.pictureindex, bg, c.itemleftoffset, c.itemrightoffset, itemW);
            face.Canvas().Draw(itemArea.Left, itemArea.Top, item);
        }
        TRect text = c.itemtextrect;
        text.Right += itemW - (IsEmptyRect(c.itemrect) ? c.clientrect.Width() : c.itemrect.Width());
        text = text.Offset(itemArea.Left, itemArea.Top);
        text.Left += 2;
        text.Bottom = std::min(text.Bottom, itemArea.Top + itemH);
        DrawSheetText(face, text, v.Text, c.fontname, c.fontheight, c.fontstyle,
                      v.Focused ? c.focusfontcolor : c.fontcolor, DT_LEFT);
        images.push_back(std::move(face));
    }
    sheet.Add(c.SectionName, std::move(images));
}

// A scroll bar composed at the given length with its thumb at a position 0..1.
TBitmap ComposeScrollBar(TbsSkinData& skin, TbsDataSkinScrollBarControl& s, int length, double position,
                         int hot, bool pressed, int pageThumb) {
    const bool vertical = s.skinrect.Height() > s.skinrect.Width();
    const int w = vertical ? s.skinrect.Width() : length, h = vertical ? length : s.skinrect.Height();
    TBitmap face = ComposeRecordFace(skin, s, s.skinrect, w, h);
    const int diff = vertical ? h - s.skinrect.Height() : w - s.skinrect.Width();
    TRect track = s.trackarea;
    TRect up = s.upbuttonrect, down = s.downbuttonrect;
    if (vertical) {
        track.Bottom += diff;
        if (s.leftbottompoint.Y < up.Top) up = up.Offset(0, diff);
        if (s.leftbottompoint.Y < down.Top) down = down.Offset(0, diff);
    } else {
        track.Right += diff;
        if (s.righttoppoint.X < up.Left) up = up.Offset(diff, 0);
        if (s.righttoppoint.X < down.Left) down = down.Offset(diff, 0);
    }
    // hot: 0 thumb, 1 up button, 2 down button.
    if (hot == 1)
        CopyFromPicture(face, up, skin, s.pictureindex, pressed ? s.downupbuttonrect : s.activeupbuttonrect);
    if (hot == 2)
        CopyFromPicture(face, down, skin, s.pictureindex,
                        pressed ? s.downdownbuttonrect : s.activedownbuttonrect);
    TRect thumbImage = s.thumbrect;
    if (hot == 0) thumbImage = pressed ? s.downthumbrect : s.activethumbrect;
    const int tw = s.thumbrect.Width(), th = s.thumbrect.Height();
    const int along = pageThumb > 0 ? pageThumb : (vertical ? th : tw);
    const int start = vertical ? track.Top : track.Left;
    const int span = (vertical ? track.Height() : track.Width()) - along;
    const int offset = start + static_cast<int>(std::lround(span * position));
    TBitmap thumb;
    TBitmap* picture = skin.ActivePicture(s.pictureindex);
    if (!picture) return face;
    if (pageThumb > 0) {
        if (vertical) {
            ComposeVertImage(thumb, *picture, thumbImage, s.thumboffset1, s.thumboffset2, along);
        } else {
            ComposeHorzImage(thumb, *picture, thumbImage, s.thumboffset1, s.thumboffset2, along);
        }
    } else {
        thumb = Copy(skin, s.pictureindex, thumbImage);
    }
    if (vertical) {
        face.Canvas().Draw(track.Left + track.Width() / 2 - tw / 2, offset, thumb);
    } else {
        face.Canvas().Draw(offset, track.Top + track.Height() / 2 - th / 2, thumb);
    }
    return face;
}

void AddScrollBarRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinScrollBarControl& s) {
    std::vector<TBitmap> images;
    images.push_back(ComposeScrollBar(
        skin, s, s.skinrect.Height() > s.skinrect.Width() ? s.skinrect.Height() : s.skinrect.Width(), 0, -1,
        false, 0));
    images.push_back(ComposeScrollBar(skin, s, 140, 0.3, -1, false, 0));
    images.push_back(ComposeScrollBar(skin, s, 140, 0.6, 0, false, 0));
    images.push_back(ComposeScrollBar(skin, s, 140, 0.9, 0, true, 0));
    images.push_back(ComposeScrollBar(skin, s, 140, 0.5, 1, false, 50));
    images.push_back(ComposeScrollBar(skin, s, 140, 0.5, 1, true, 50));
    images.push_back(ComposeScrollBar(skin, s, 140, 0.1, 2, false, 70));
    images.push_back(ComposeScrollBar(skin, s, 140, 0.1, 2, true, 70));
    sheet.Add(s.SectionName, std::move(images));
}

TbsDataSkinScrollBarControl* ScrollBarRecord(TbsSkinData& skin, const std::string& name) {
    const int index = skin.IndexOfControl(name);
    return index < 0 ? nullptr
                     : dynamic_cast<TbsDataSkinScrollBarControl*>(
                           skin.ControlRecords[static_cast<std::size_t>(index)].get());
}

TBitmap ComposeList(TbsSkinData& skin, TbsDataSkinListBox& l, int rows, int itemCount, int selected,
                    bool focused) {
    const int w = 185, itemH = l.itemrect.Height();
    const int h = l.skinrect.Height() + rows * itemH + l.clientrect.Top - l.clientrect.Bottom;
    TBitmap face = ComposeRecordFace(skin, l, l.skinrect, w, h);
    TRect client = l.clientrect;
    client.Right += w - l.skinrect.Width();
    client.Bottom += h - l.skinrect.Height();
    if (itemCount > rows) {
        if (auto* bar = ScrollBarRecord(skin, l.vscrollbarname)) {
            TBitmap scroll = ComposeScrollBar(skin, *bar, client.Height(), 0, -1, false,
                                              client.Height() * rows / itemCount);
            face.Canvas().Draw(client.Right - scroll.Width(), client.Top, scroll);
            client.Right -= scroll.Width();
        }
    }
    static const char* const kNames[] = {"Abstract Shapes", "beach Holidays", "City Lights", "Deep Forest",
                                         "Eastern Gardens", "Foggy Harbour",  "Glaciers",    "Harvest"};
    auto* check = dynamic_cast<TbsDataSkinCheckListBox*>(&l);
    for (int i = 0; i < rows && i < itemCount; ++i) {
        const TRect& bg = i == selected ? (focused ? l.focusitemrect : l.activeitemrect) : l.itemrect;
        TBitmap item =
            ComposeStrip(skin, l.pictureindex, bg, l.itemleftoffset, l.itemrightoffset, client.Width());
        if (check) {
            CopyFromPicture(item, check->itemcheckrect, skin, l.pictureindex,
                            i % 2 ? check->uncheckimagerect : check->checkimagerect);
        }
        TRect text = l.itemtextrect;
        text.Right += client.Width() - l.itemrect.Width();
        text.Left += 2;
        DrawSheetText(item, text, kNames[i % 8], l.fontname, l.fontheight, l.fontstyle,
                      i == selected ? (focused ? l.focusfontcolor : l.activefontcolor) : l.fontcolor,
                      DT_LEFT);
        face.Canvas().Draw(client.Left, client.Top + i * itemH, item);
    }
    if (!IsEmptyRect(l.captionrect)) {
        TRect caption = l.captionrect;
        if (caption.Right >= l.righttoppoint.X) caption.Right += w - l.skinrect.Width();
        caption.Left += 2;
        DrawSheetText(face, caption, "Packages", l.captionfontname, l.captionfontheight, l.captionfontstyle,
                      l.captionfontcolor, DT_LEFT);
    }
    return face;
}

void AddListRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinListBox& l) {
    std::vector<TBitmap> images;
    images.push_back(ComposeList(skin, l, 5, 5, 1, false));
    images.push_back(ComposeList(skin, l, 5, 5, 2, true));
    images.push_back(ComposeList(skin, l, 8, 12, 3, false));
    sheet.Add(l.SectionName, std::move(images));
}

void AddEditRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinEditControl& e) {
    const int mode = StretchModeOf(e);
    const int w = 170, h = mode == 1 ? 70 : e.skinrect.Height();
    auto* memo = dynamic_cast<TbsDataSkinMemoControl*>(&e);
    const int dx = w - e.skinrect.Width(), dy = h - e.skinrect.Height();
    TRect client = e.clientrect;
    client.Right += dx;
    if (mode == 1) client.Bottom += dy;
    TRect button = e.buttonrect;
    if (!IsEmptyRect(button) && button.Left >= e.righttoppoint.X) button = button.Offset(dx, 0);
    struct TVariant {
        bool Active;
        TRect ButtonImage;
    };
    std::vector<TVariant> variants{{false, {}}, {true, {}}};
    if (!IsEmptyRect(e.buttonrect)) {
        variants.push_back({false, e.activebuttonrect});
        variants.push_back({true, e.downbuttonrect});
        variants.push_back({false, e.unenabledbuttonrect});
    }
    std::vector<TBitmap> images;
    for (const TVariant& v : variants) {
        TBitmap face = ComposeRecordFace(
            skin, e, v.Active && !IsEmptyRect(e.activeskinrect) ? e.activeskinrect : e.skinrect, w, h);
        CopyFromPicture(face, button, skin, e.pictureindex, v.ButtonImage);
        TRect line = client;
        line.Left += 2;
        line.Bottom = std::min(client.Bottom, client.Top + 16);
        DrawSheetText(face, line, memo ? "Several lines of text" : "Search text", e.fontname, e.fontheight,
                      e.fontstyle, v.Active ? e.activefontcolor : e.fontcolor, DT_LEFT);
        images.push_back(std::move(face));
    }
    sheet.Add(e.SectionName, std::move(images));
}

void AddSpinEditRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinSpinEditControl& e) {
    const int w = 120, h = e.skinrect.Height(), dx = w - e.skinrect.Width();
    struct TVariant {
        bool Active;
        TRect Place, Image;
    };
    const TVariant variants[] = {{false, {}, {}},
                                 {true, {}, {}},
                                 {true, e.upbuttonrect, e.activeupbuttonrect},
                                 {true, e.upbuttonrect, e.downupbuttonrect},
                                 {true, e.downbuttonrect, e.activedownbuttonrect},
                                 {true, e.downbuttonrect, e.downdownbuttonrect}};
    std::vector<TBitmap> images;
    for (const TVariant& v : variants) {
        TBitmap face = ComposeRecordFace(skin, e, v.Active ? e.activeskinrect : e.skinrect, w, h);
        CopyFromPicture(face, v.Place.Offset(dx, 0), skin, e.pictureindex, v.Image);
        TRect text = e.clientrect;
        text.Right += dx;
        text.Left += 2;
        DrawSheetText(face, text, "42", e.fontname, e.fontheight, e.fontstyle,
                      v.Active ? e.activefontcolor : e.fontcolor, DT_LEFT);
        images.push_back(std::move(face));
    }
    sheet.Add(e.SectionName, std::move(images));
}

}  // namespace

void AddBoxRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinControl& r) {
    if (auto* u = dynamic_cast<TbsDataSkinUpDownControl*>(&r)) return AddUpDownRow(sheet, skin, *u);
    if (auto* c = dynamic_cast<TbsDataSkinComboBox*>(&r)) return AddComboRow(sheet, skin, *c);
    if (auto* l = dynamic_cast<TbsDataSkinListBox*>(&r)) return AddListRow(sheet, skin, *l);
    if (auto* s = dynamic_cast<TbsDataSkinScrollBarControl*>(&r)) return AddScrollBarRow(sheet, skin, *s);
    if (auto* e = dynamic_cast<TbsDataSkinEditControl*>(&r)) return AddEditRow(sheet, skin, *e);
    if (auto* e = dynamic_cast<TbsDataSkinSpinEditControl*>(&r)) return AddSpinEditRow(sheet, skin, *e);
}

}  // namespace skingen
