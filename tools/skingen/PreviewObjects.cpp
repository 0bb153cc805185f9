// The objects sheet: caption buttons in every state, a popup menu built from [POPUPWINDOW] and the
// menu item object, and a hint window built from [HINTWINDOW].

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsRegion.h"
#include "tools/skingen/PreviewRows.h"

namespace skingen {

using namespace skin;
using platform::gfx::DT_CENTER;
using platform::gfx::DT_LEFT;
using platform::gfx::DT_RIGHT;
using platform::gfx::TColor;

namespace {

TBitmap CopyImage(TbsSkinData& skin, int pictureIndex, const TRect& source) {
    TBitmap b(std::max(1, source.Width()), std::max(1, source.Height()));
    CopyFromPicture(b, {0, 0, source.Width(), source.Height()}, skin, pictureIndex, source);
    return b;
}

void AddButtonObjects(TSheet& sheet, TbsSkinData& skin) {
    for (const auto& record : skin.ObjectRecords) {
        auto* b = dynamic_cast<TbsDataSkinButton*>(record.get());
        if (!b) continue;
        std::vector<TBitmap> images;
        std::vector<TRect> rects{b->skinrect, b->activeskinrect, b->downrect, b->disableskinrsect};
        if (auto* s = dynamic_cast<TbsDataSkinStdButton*>(b))
            rects.insert(rects.end(),
                         {s->restorerect, s->restoreactiverect, s->restoredownrect, s->restoreinactiverect});
        for (const TRect& r : rects)
            if (!IsEmptyRect(r)) images.push_back(CopyImage(skin, b->activepictureindex, r));
        sheet.Add(b->SectionName, std::move(images));
    }
}

// A popup menu the way the menu engine lays it out: the window picture composed for the size, the
// items in the items area, the corners cut by the mask.
TBitmap ComposePopupMenu(TbsSkinData& skin, const TbsDataSkinMenuItem& item, int hot) {
    const TbsDataSkinPopupWindow& p = skin.PopupWindow;
    TBitmap* window = skin.ActivePicture(p.windowpictureindex);
    if (!window) return Blank(10, 10);
    struct TEntry {
        const char* Caption;
        const char* Shortcut;
        bool Enabled;
    };
    const TEntry entries[] = {{"Mi&nimize", "", true},
                              {"Ma&ximize", "", false},
                              {"Ro&llUp", "", true},
                              {"-", "", true},
                              {"&Close", "Alt+F4", true}};
    const int itemH = item.skinrect.Height(), dividerH = item.dividerrect.Height();
    int itemsHeight = 0;
    for (const TEntry& e : entries) itemsHeight += std::string_view(e.Caption) == "-" ? dividerH : itemH;
    const int pw = window->Width(), ph = window->Height();
    const int w = 190, h = itemsHeight + ph - p.itemsrect.Height();
    const int dx = w - pw, dy = h - ph;
    TBitmap out;
    const TbsFrameGeometry g{p.lefttoppoint, p.righttoppoint, p.leftbottompoint, p.rightbottompoint,
                             p.itemsrect};
    const TbsFrameGeometry n{
        p.lefttoppoint,
        {p.righttoppoint.X + dx, p.righttoppoint.Y},
        {p.leftbottompoint.X, p.leftbottompoint.Y + dy},
        {p.rightbottompoint.X + dx, p.rightbottompoint.Y + dy},
        {p.itemsrect.Left, p.itemsrect.Top, p.itemsrect.Right + dx, p.itemsrect.Bottom + dy}};
    ComposeFrameImage(out, *window, {0, 0, pw, ph}, g, w, h, n, true,
                      {p.leftstretch, p.topstretch, p.rightstretch, p.bottomstretch});
    const TRect items = n.ClientRect;
    int y = items.Top;
    int index = 0;
    for (const TEntry& e : entries) {
        const bool divider = std::string_view(e.Caption) == "-";
        const int ih = divider ? dividerH : itemH;
        const bool isHot = index == hot;
        const TRect& source = divider ? item.dividerrect : (isHot ? item.activeskinrect : item.skinrect);
        TBitmap image = ComposeStrip(skin, item.activepictureindex, source,
                                     divider ? item.dividerleftoffset : item.itemleftoffset,
                                     divider ? item.dividerrightoffset : item.itemrightoffset, items.Width());
        if (!divider) {
            TRect text = item.textrect;
            text.Right += items.Width() - item.skinrect.Width();
            const TColor color =
                !e.Enabled ? item.unenabledfontcolor : (isHot ? item.activefontcolor : item.fontcolor);
            DrawSheetText(image, {text.Left + 16, text.Top, text.Right, text.Bottom}, e.Caption,
                          item.fontname, item.fontheight, item.fontstyle, color, DT_LEFT);
            DrawSheetText(image, {text.Left, text.Top, text.Right - 16, text.Bottom}, e.Shortcut,
                          item.fontname, item.fontheight, item.fontstyle, color, DT_RIGHT);
        }
        out.Canvas().Draw(items.Left, y, image);
        y += ih;
        ++index;
    }
    if (TBitmap* mask = skin.ActivePicture(p.maskpictureindex))
        MarkOutsideRegion(out, BuildFrameRegion(*mask, g, n, w));
    return out;
}

TBitmap ComposeHint(TbsSkinData& skin, const std::string& text) {
    const TbsDataSkinHintWindow& hw = skin.HintWindow;
    TBitmap* picture = skin.ActivePicture(hw.windowpictureindex);
    if (!picture) return Blank(10, 10);
    TBitmap measure(1, 1);
    measure.Canvas().Font.SetName(hw.fontname);
    measure.Canvas().Font.SetHeight(hw.fontheight);
    const platform::core::TSize size = measure.Canvas().TextExtent(text);
    const int pw = picture->Width(), ph = picture->Height();
    const int w = std::max(pw, size.cx + hw.clientrect.Left + pw - hw.clientrect.Right);
    const int h = std::max(ph, size.cy + hw.clientrect.Top + ph - hw.clientrect.Bottom);
    const int dx = w - pw, dy = h - ph;
    const TbsFrameGeometry g{hw.lefttoppoint, hw.righttoppoint, hw.leftbottompoint, hw.rightbottompoint,
                             hw.clientrect};
    const TbsFrameGeometry n{
        hw.lefttoppoint,
        {hw.righttoppoint.X + dx, hw.righttoppoint.Y},
        {hw.leftbottompoint.X, hw.leftbottompoint.Y + dy},
        {hw.rightbottompoint.X + dx, hw.rightbottompoint.Y + dy},
        {hw.clientrect.Left, hw.clientrect.Top, hw.clientrect.Right + dx, hw.clientrect.Bottom + dy}};
    TBitmap out;
    ComposeFrameImage(out, *picture, {0, 0, pw, ph}, g, w, h, n, true,
                      {hw.leftstretch, hw.topstretch, hw.rightstretch, hw.bottomstretch});
    DrawSheetText(out, n.ClientRect, text, hw.fontname, hw.fontheight, hw.fontstyle, hw.fontcolor, DT_CENTER);
    return out;
}

}  // namespace

TBitmap RenderObjectSheet(TbsSkinData& skin) {
    TSheet sheet;
    AddButtonObjects(sheet, skin);
    for (const auto& record : skin.ObjectRecords) {
        if (auto* item = dynamic_cast<TbsDataSkinMenuItem*>(record.get())) {
            sheet.Add(item->SectionName + " in [POPUPWINDOW]",
                      {ComposePopupMenu(skin, *item, -1), ComposePopupMenu(skin, *item, 2),
                       ComposePopupMenu(skin, *item, 4)});
        }
    }
    sheet.Add("[HINTWINDOW]",
              {ComposeHint(skin, "Next page"), ComposeHint(skin, "Start the selected puzzle")});
    return sheet.Render();
}

}  // namespace skingen
