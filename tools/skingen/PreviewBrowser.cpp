// A mock of the browser window built from the skin and the browser's pictures, with the controls
// at the places the window gives them, to judge how they read on the background.

#include <filesystem>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Jpeg.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "tools/skingen/BrowserArt.h"
#include "tools/skingen/PreviewRows.h"
#include "tools/skingen/SkinPreview.h"

namespace skingen {

using namespace skin;
using platform::gfx::DT_CENTER;
using platform::gfx::DT_LEFT;
using platform::gfx::DT_RIGHT;

namespace {

template <class T>
T* Record(TbsSkinData& skin, const char* name) {
    const int index = skin.IndexOfControl(name);
    return index < 0 ? nullptr : dynamic_cast<T*>(skin.ControlRecords[static_cast<std::size_t>(index)].get());
}

}  // namespace

TBitmap RenderBrowserMock(TbsSkinData& skin, const std::string& browserFolder) {
    TFramePreviewOptions options{
        770, 603,  true, "Vondrakel(tm) - Puzzle Browser 1.0.0.1", {cmSysMenu, cmMinimize, cmRollUp, cmClose},
        -1,  false};
    TBitmap window = RenderFramePreview(skin, options);
    const int ox = skin.clientrect.Left, oy = skin.clientrect.Top;
    TBitmap client(760, 570);
    platform::gfx::TJPEGImage background;
    if (background.LoadFromFile((std::filesystem::path(browserFolder) / "background.jpg").string()))
        client.Canvas().Draw(0, 0, background.Bitmap());
    TBitmap tiles, stars;
    tiles.LoadFromFile((std::filesystem::path(browserFolder) / "puzzles.bmp").string());
    stars.LoadFromFile((std::filesystem::path(browserFolder) / "severity.bmp").string());

    auto* label = Record<TbsDataSkinStdLabelControl>(skin, "stdlabel");
    auto text = [&](int x, int y, int w, const char* s, uint32_t align) {
        if (label)
            DrawSheetText(client, {x, y, x + w, y + 14}, s, label->fontname, label->fontheight,
                          label->fontstyle, label->fontcolor, align);
    };
    text(204, 82, 200, "Package / Paket:", DT_LEFT);
    text(445, 82, 300, "3 Packages / Pakete, 23 Puzzles", DT_RIGHT);
    text(204, 130, 120, "13 Puzzles:", DT_LEFT);
    text(615, 492, 100, "1 / 3", DT_RIGHT);
    text(207, 508, 200, "Severity / Schwierigkeitsgrad:", DT_LEFT);

    if (auto* c = Record<TbsDataSkinComboBox>(skin, "combobox")) {
        for (int which = 0; which < 2; ++which) {
            const int x = which == 0 ? 204 : 207, y = which == 0 ? 99 : 526, w = which == 0 ? 543 : 185;
            TBitmap face = ComposeRecordFace(skin, *c, c->skinrect, w, c->skinrect.Height());
            TRect item = c->clientrect;
            item.Right += w - c->skinrect.Width();
            if (which == 0) {
                face.Canvas().Draw(item.Left, item.Top,
                                   ComposeStrip(skin, c->pictureindex, c->focusitemrect, c->itemleftoffset,
                                                c->itemrightoffset, item.Width()));
                DrawSheetText(face, {item.Left + 7, item.Top + 1, item.Right - 4, item.Top + 15},
                              "Abstract Shapes", c->fontname, c->fontheight, c->fontstyle, c->focusfontcolor,
                              DT_LEFT);
            } else if (!stars.Empty()) {
                // Item 2 of the severity list: three stars at the text rectangle's left.
                face.Canvas().CopyRect({item.Left + 5, item.Top, item.Left + 85, item.Top + 16},
                                       stars.Canvas(), {160, 0, 240, 16});
            }
            client.Canvas().Draw(x, y, face);
        }
    }
    if (auto* u = Record<TbsDataSkinUpDownControl>(skin, "vupdown")) {
        TBitmap face(u->skinrect.Width(), u->skinrect.Height());
        CopyFromPicture(face, {0, 0, face.Width(), face.Height()}, skin, u->pictureindex, u->skinrect);
        client.Canvas().Draw(723, 468, face);
    }
    if (auto* b = Record<TbsDataSkinButtonControl>(skin, "resizebutton")) {
        struct TButton {
            int X, Y, W;
            const char* Caption;
        };
        for (const TButton& button :
             {TButton{411, 526, 336, "&Start: Puzzle 1"}, TButton{94, 526, 74, "&Updates"},
              TButton{10, 526, 23, "?"}, TButton{94, 497, 74, "&Newsletter"}}) {
            TBitmap face = ComposeRecordFace(skin, *b, b->skinrect, button.W, 19);
            TRect caption = b->clientrect;
            caption.Right += button.W - b->skinrect.Width();
            caption.Bottom += 19 - b->skinrect.Height();
            DrawSheetText(face, caption, button.Caption, b->fontname, b->fontheight, b->fontstyle,
                          b->fontcolor, DT_CENTER);
            client.Canvas().Draw(button.X, button.Y, face);
        }
    }
    for (int slot = 0; slot < 6 && !tiles.Empty(); ++slot) {
        const int x = kPreviewSlots[slot][0], y = kPreviewSlots[slot][1];
        client.Canvas().CopyRect({x, y, x + 150, y + 150}, tiles.Canvas(),
                                 {slot == 4 ? 150 : 0, 0, slot == 4 ? 300 : 150, 150});
    }
    if (auto* bevel = Record<TbsDataSkinBevel>(skin, "bevel")) {
        // The frame around the selected preview: a lowered box 160 x 161.
        platform::gfx::TCanvas& c = client.Canvas();
        c.Pen.Color = bevel->darkcolor;
        c.MoveTo(204, 149 + 160);
        c.LineTo(204, 149);
        c.LineTo(204 + 159, 149);
        c.Pen.Color = bevel->lightcolor;
        c.LineTo(204 + 159, 149 + 160);
        c.LineTo(204, 149 + 160);
    }
    window.Canvas().Draw(ox, oy, client);
    return window;
}

}  // namespace skingen
