#include "tools/skingen/PreviewSheet.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "tools/skingen/PreviewRows.h"

namespace skingen {

using namespace skin;
using platform::gfx::TCanvas;

void DrawSheetText(TBitmap& b, const TRect& r, const std::string& text, const std::string& font, int height,
                   platform::gfx::TFontStyles style, platform::gfx::TColor color, uint32_t flags) {
    TCanvas& c = b.Canvas();
    c.Font.SetName(font);
    c.Font.SetHeight(height);
    c.Font.SetStyle(style);
    c.Font.SetColor(color);
    c.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    TRect rect = r;
    c.DrawText(text, rect, flags | platform::gfx::DT_SINGLELINE | platform::gfx::DT_VCENTER);
}

TBitmap ScaleUp(const TBitmap& b, int factor) {
    TBitmap out(b.Width() * factor, b.Height() * factor);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) out.ScanLine(y)[x] = b.ScanLine(y / factor)[x / factor];
    return out;
}

int StretchModeOf(const TbsDataSkinCustomControl& r) {
    if (IsEmptyRect(r.skinrect)) return -1;
    if (r.rightbottompoint.X != 0 && r.rightbottompoint.Y != 0) return 1;
    if (r.righttoppoint.X != 0 || r.righttoppoint.Y != 0) return 2;
    if (r.leftbottompoint.X != 0 || r.leftbottompoint.Y != 0) return 3;
    return 0;
}

TBitmap ComposeRecordFace(TbsSkinData& skin, const TbsDataSkinCustomControl& r, const TRect& source, int w,
                          int h) {
    TBitmap out;
    TBitmap* picture = skin.ActivePicture(r.pictureindex);
    if (!picture || IsEmptyRect(source)) {
        out.SetSize(w, h);
        return out;
    }
    const int dx = w - r.skinrect.Width(), dy = h - r.skinrect.Height();
    switch (StretchModeOf(r)) {
        case 1: {
            const TbsFrameGeometry g{r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint,
                                     r.clientrect};
            const TbsFrameGeometry n{
                r.lefttoppoint,
                {r.righttoppoint.X + dx, r.righttoppoint.Y},
                {r.leftbottompoint.X, r.leftbottompoint.Y + dy},
                {r.rightbottompoint.X + dx, r.rightbottompoint.Y + dy},
                {r.clientrect.Left, r.clientrect.Top, r.clientrect.Right + dx, r.clientrect.Bottom + dy}};
            ComposeFrameImageTiled(out, *picture, source, g, w, h, n, true);
            break;
        }
        case 2:
            ComposeHorzImage(out, *picture, source, r.lefttoppoint.X, r.skinrect.Width() - r.righttoppoint.X,
                             w);
            break;
        case 3:
            ComposeVertImage(out, *picture, source, r.lefttoppoint.Y,
                             r.skinrect.Height() - r.leftbottompoint.Y, h);
            break;
        default:
            out.SetSize(source.Width(), source.Height());
            out.Canvas().CopyRect({0, 0, source.Width(), source.Height()}, picture->Canvas(), source);
            break;
    }
    return out;
}

void TSheet::Add(std::string label, std::vector<TBitmap> images) {
    Rows.push_back({std::move(label), std::move(images)});
}

TBitmap TSheet::Render() const {
    constexpr int kLabelWidth = 110, kGap = 10;
    int width = 0, height = kGap;
    for (const TRow& row : Rows) {
        int w = kLabelWidth, h = 16;
        for (const TBitmap& b : row.Images) {
            w += b.Width() + kGap;
            h = std::max(h, b.Height());
        }
        width = std::max(width, w);
        height += h + kGap;
    }
    TBitmap out(width + kGap, height);
    TCanvas& c = out.Canvas();
    c.Brush.Color = kSheetBackground;
    c.FillRect({0, 0, out.Width(), out.Height()});
    int y = kGap;
    for (const TRow& row : Rows) {
        int h = 16;
        for (const TBitmap& b : row.Images) h = std::max(h, b.Height());
        DrawSheetText(out, {kGap, y, kLabelWidth, y + std::min(h, 20)}, row.Label, "Arial", 13, 0, 0x5A5A5A,
                      0);
        int x = kLabelWidth;
        for (const TBitmap& b : row.Images) {
            c.Draw(x, y, b);
            x += b.Width() + kGap;
        }
        y += h + kGap;
    }
    return out;
}

TBitmap RenderControlSheet(TbsSkinData& skin, TSheetGroup group) {
    TSheet sheet;
    for (const auto& record : skin.ControlRecords) {
        TbsDataSkinControl* r = record.get();
        switch (group) {
            case TSheetGroup::Controls:
                AddControlRow(sheet, skin, *r);
                break;
            case TSheetGroup::Boxes:
                AddBoxRow(sheet, skin, *r);
                break;
            case TSheetGroup::Panels:
                AddPanelRow(sheet, skin, *r);
                break;
        }
    }
    return sheet.Render();
}

}  // namespace skingen
