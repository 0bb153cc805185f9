#include "skin/form/bsMessagesIcons.h"

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"

namespace skin {

using namespace platform::gfx;

namespace {

constexpr TColor kKey = RGB(255, 0, 255);
constexpr TColor kOutline = RGB(40, 40, 40);
constexpr TColor kBlue = RGB(30, 90, 200);

void Line(TCanvas& c, int x0, int y0, int x1, int y1) {
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
}

// A three-pixel-thick diagonal stroke.
void ThickLine(TCanvas& c, int x0, int y0, int x1, int y1) {
    for (int d = -1; d <= 1; ++d) {
        Line(c, x0 + d, y0, x1 + d, y1);
        Line(c, x0, y0 + d, x1, y1 + d);
    }
}

void Disc(TCanvas& c, TColor fill, TColor outline) {
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = fill;
    c.Pen.Color = outline;
    c.Ellipse({1, 1, 31, 31});
}

void Fill(TCanvas& c, const platform::core::TRect& r, TColor color) {
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = color;
    c.FillRect(r);
}

void DrawExclamation(TCanvas& c) {
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = RGB(255, 204, 0);
    c.Pen.Color = kOutline;
    c.Polygon({{16, 1}, {31, 29}, {1, 29}});
    Fill(c, {15, 9, 18, 21}, clBlack);
    Fill(c, {15, 23, 18, 26}, clBlack);
}

void DrawHand(TCanvas& c) {
    Disc(c, RGB(210, 30, 30), RGB(120, 10, 10));
    c.Pen.Color = clWhite;
    ThickLine(c, 10, 10, 22, 22);
    ThickLine(c, 22, 10, 10, 22);
}

void DrawAsterisk(TCanvas& c) {
    Disc(c, kBlue, RGB(10, 40, 120));
    Fill(c, {14, 7, 18, 11}, clWhite);
    Fill(c, {14, 13, 18, 25}, clWhite);
}

void DrawQuestion(TCanvas& c) {
    Disc(c, clWhite, kBlue);
    c.Font.SetName("Arial");
    c.Font.SetHeight(-22);
    c.Font.SetStyle(fsBold);
    c.Font.SetColor(kBlue);
    c.Brush.Style = TBrushStyle::bsClear;
    const std::string mark = "?";
    c.TextOut(16 - c.TextWidth(mark) / 2, 16 - c.TextHeight(mark) / 2, mark);
}

}  // namespace

int MessageIconId(TMsgDlgType type) {
    switch (type) {
        case mtWarning:
            return IDI_EXCLAMATION;
        case mtError:
            return IDI_HAND;
        case mtInformation:
            return IDI_ASTERISK;
        case mtConfirmation:
            return IDI_QUESTION;
        default:
            return 0;
    }
}

TBitmap MessageIcon(int iconId) {
    TBitmap icon;
    if (iconId != IDI_HAND && iconId != IDI_QUESTION && iconId != IDI_EXCLAMATION && iconId != IDI_ASTERISK)
        return icon;
    icon.SetSize(kMessageIconSize, kMessageIconSize);
    TCanvas& c = icon.Canvas();
    Fill(c, {0, 0, kMessageIconSize, kMessageIconSize}, kKey);
    switch (iconId) {
        case IDI_EXCLAMATION:
            DrawExclamation(c);
            break;
        case IDI_HAND:
            DrawHand(c);
            break;
        case IDI_ASTERISK:
            DrawAsterisk(c);
            break;
        default:
            DrawQuestion(c);
            break;
    }
    icon.Transparent = true;
    icon.TransparentColor = kKey;
    return icon;
}

}  // namespace skin
