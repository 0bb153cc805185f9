// Preview rows of buttons, check boxes and labels.

#include "platform/gfx/Canvas.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "tools/skingen/PreviewRows.h"

namespace skingen {

using namespace skin;
using platform::gfx::DT_CENTER;
using platform::gfx::DT_LEFT;
using platform::gfx::TColor;

void CopyFromPicture(TBitmap& dest, const TRect& destRect, TbsSkinData& skin, int pictureIndex,
                     const TRect& source) {
    TBitmap* picture = skin.ActivePicture(pictureIndex);
    if (!picture || IsEmptyRect(source)) return;
    dest.Canvas().CopyRect(destRect, picture->Canvas(), source);
}

TBitmap ComposeStrip(TbsSkinData& skin, int pictureIndex, const TRect& source, int left, int right,
                     int width) {
    TBitmap out;
    TBitmap* picture = skin.ActivePicture(pictureIndex);
    if (!picture || IsEmptyRect(source)) {
        out.SetSize(width, std::max(1, source.Height()));
        return out;
    }
    ComposeHorzImage(out, *picture, source, left, right, width);
    return out;
}

void MarkOutsideRegion(TBitmap& b, const std::optional<platform::gfx::TRegion>& region) {
    if (!region) return;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (!region->Contains({x, y})) b.ScanLine(y)[x] = ((x / 4 + y / 4) % 2) ? 0xD0D0D0 : 0xF8F8F8;
}

TBitmap Blank(int w, int h, TColor color) {
    TBitmap b(w, h);
    b.Canvas().Brush.Color = color;
    b.Canvas().FillRect({0, 0, w, h});
    return b;
}

namespace {

// The client rectangle of a record grown for a face of w x h, as the control base sizes it.
TRect SizedClient(const TbsDataSkinCustomControl& r, int w, int h) {
    const int dx = w - r.skinrect.Width(), dy = h - r.skinrect.Height();
    TRect c = r.clientrect;
    switch (StretchModeOf(r)) {
        case 1:
            c.Right += dx;
            c.Bottom += dy;
            break;
        case 2:
            c.Right += dx;
            break;
        case 3:
            c.Bottom += dy;
            break;
        default:
            break;
    }
    return c;
}

void AddButtonRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinButtonControl& b) {
    struct TStateFace {
        TRect Rect;
        TColor Color;
        bool Pressed;
    };
    const TRect active = IsEmptyRect(b.activeskinrect) ? b.skinrect : b.activeskinrect;
    const TRect down = IsEmptyRect(b.downskinrect) ? active : b.downskinrect;
    std::vector<TStateFace> states{
        {b.skinrect, b.fontcolor, false}, {active, b.activefontcolor, false}, {down, b.downfontcolor, true}};
    if (!IsEmptyRect(b.disabledskinrect)) states.push_back({b.disabledskinrect, b.disabledfontcolor, false});
    const int w = b.skinrect.Width(), h = b.skinrect.Height();
    const int mode = StretchModeOf(b);
    struct TSize {
        int W, H;
        const char* Text;
    };
    std::vector<TSize> sizes{{w, h, "&OK"}};
    if (mode == 1) {
        sizes.push_back({w + 80, h + 8, "&Start: Puzzle 1"});
        if (b.SectionName == "resizebutton") sizes.push_back({23, 19, "?"});
    } else if (mode == 2) {
        sizes.push_back({w + 70, h, "&Newsletter"});
    }
    std::vector<TBitmap> images;
    for (const TSize& size : sizes) {
        for (const TStateFace& s : states) {
            TBitmap face = ComposeRecordFace(skin, b, s.Rect, size.W, size.H);
            TRect text = SizedClient(b, size.W, size.H);
            if (s.Pressed) text = text.Offset(1, 1);
            DrawSheetText(face, text, size.Text, b.fontname, b.fontheight, b.fontstyle, s.Color, DT_CENTER);
            images.push_back(std::move(face));
        }
    }
    sheet.Add(b.SectionName, std::move(images));
}

void AddCheckRadioRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinCheckRadioControl& c) {
    struct TVariant {
        TRect Mark;
        TColor Color;
        bool Hot;
    };
    const TVariant variants[] = {{c.uncheckimagerect, c.fontcolor, false},
                                 {c.checkimagerect, c.fontcolor, false},
                                 {c.activeuncheckimagerect, c.activefontcolor, true},
                                 {c.activecheckimagerect, c.activefontcolor, true},
                                 {c.unenableduncheckimagerect, c.unenabledfontcolor, false},
                                 {c.unenabledcheckimagerect, c.unenabledfontcolor, false}};
    std::vector<TBitmap> images;
    const int w = 130, h = c.skinrect.Height();
    for (const TVariant& v : variants) {
        TBitmap face = ComposeRecordFace(skin, c, v.Hot ? c.activeskinrect : c.skinrect, w, h);
        CopyFromPicture(face, c.checkimagearea, skin, c.pictureindex, v.Mark);
        TRect text = c.textarea;
        text.Right += w - c.skinrect.Width();
        DrawSheetText(face, text, "Remember me", c.fontname, c.fontheight, c.fontstyle, v.Color, DT_LEFT);
        images.push_back(std::move(face));
    }
    sheet.Add(c.SectionName, std::move(images));
}

void AddStdLabelRow(TSheet& sheet, TbsDataSkinStdLabelControl& l) {
    std::vector<TBitmap> images;
    for (int hover = 0; hover < 2; ++hover) {
        TBitmap b = Blank(180, 24);
        DrawSheetText(
            b, {4, 0, 180, 24}, hover ? "Newsletter (hover)" : "Package / Paket:", l.fontname, l.fontheight,
            static_cast<platform::gfx::TFontStyles>(l.fontstyle | (hover ? platform::gfx::fsUnderline : 0)),
            hover ? l.activefontcolor : l.fontcolor, DT_LEFT);
        images.push_back(std::move(b));
    }
    sheet.Add(l.SectionName, std::move(images));
}

void AddLabelRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinLabelControl& l) {
    std::vector<TBitmap> images;
    for (int w : {l.skinrect.Width(), 140}) {
        const int h = StretchModeOf(l) == 1 ? 24 : l.skinrect.Height();
        TBitmap face = ComposeRecordFace(skin, l, l.skinrect, w, h);
        DrawSheetText(face, SizedClient(l, w, h), "Label", l.fontname, l.fontheight, l.fontstyle, l.fontcolor,
                      DT_CENTER);
        images.push_back(std::move(face));
    }
    sheet.Add(l.SectionName, std::move(images));
}

}  // namespace

void AddControlRow(TSheet& sheet, TbsSkinData& skin, TbsDataSkinControl& r) {
    if (auto* b = dynamic_cast<TbsDataSkinButtonControl*>(&r)) return AddButtonRow(sheet, skin, *b);
    if (auto* c = dynamic_cast<TbsDataSkinCheckRadioControl*>(&r)) return AddCheckRadioRow(sheet, skin, *c);
    if (auto* l = dynamic_cast<TbsDataSkinStdLabelControl*>(&r)) return AddStdLabelRow(sheet, *l);
    if (auto* l = dynamic_cast<TbsDataSkinLabelControl*>(&r)) return AddLabelRow(sheet, skin, *l);
}

}  // namespace skingen
