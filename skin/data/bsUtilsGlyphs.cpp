#include "skin/data/bsUtilsGlyphs.h"

namespace skin {

namespace {

using platform::gfx::TBrushStyle;

void Line(TCanvas& canvas, int x0, int y0, int x1, int y1) {
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

void Frame(TCanvas& canvas, int left, int top, int right, int bottom) {
    const auto saved = canvas.Brush;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(left, top, right, bottom);
    canvas.Brush = saved;
}

// Drops the last code point, not just its last byte, so the rest stays valid UTF-8.
void DropLastCharacter(std::string& text) {
    std::size_t n = text.size();
    if (n == 0) return;
    --n;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    text.erase(n);
}

}  // namespace

void FitTextWithEllipsis(TCanvas& canvas, std::string& text, int width) {
    if (canvas.TextWidth(text) <= width) return;
    static const std::string kEllipsis = "...";
    while (!text.empty()) {
        DropLastCharacter(text);
        if (canvas.TextWidth(text + kEllipsis) <= width) break;
    }
    text += kEllipsis;
}

void DrawTextVCentered(TCanvas& canvas, const std::string& text, const TRect& rect, int leftOffset) {
    const int y = rect.Top + rect.Height() / 2 - canvas.TextHeight(text) / 2;
    canvas.TextRect(rect, rect.Left + 2 + leftOffset, y, text);
}

void DrawArrowGlyph(TCanvas& canvas, const TRect& rect, TColor color, int direction) {
    const int cx = rect.Left + rect.Width() / 2;
    const int cy = rect.Top + rect.Height() / 2;
    canvas.Pen.Color = color;
    switch (direction) {
        case adLeft:
            for (int i = 0; i <= 3; ++i) Line(canvas, cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1);
            break;
        case adRight:
            for (int n = 3; n >= 0; --n) Line(canvas, cx + 2 - n, cy + n, cx + 2 - n, cy - n - 1);
            break;
        case adUp:
            for (int i = 0; i <= 3; ++i) Line(canvas, cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i);
            break;
        case adDown:
            for (int n = 3; n >= 0; --n) Line(canvas, cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
            break;
        default:
            break;
    }
}

void DrawCheckGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    for (int i = 0; i <= 2; ++i) {
        canvas.MoveTo(x, y - i + 5);
        canvas.LineTo(x + 2, y - i + 7);
        canvas.LineTo(x + 7, y - i + 2);
    }
}

void DrawCloseGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    Line(canvas, x + 1, y + 1, x + 9, y + 9);
    Line(canvas, x + 9, y + 1, x + 1, y + 9);
    Line(canvas, x + 2, y + 1, x + 10, y + 9);
    Line(canvas, x + 8, y + 1, x, y + 9);
}

void DrawSysMenuGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    Frame(canvas, x + 1, y + 3, x + 9, y + 6);
}

void DrawMinimizeGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    Line(canvas, x + 1, y + 8, x + 9, y + 8);
    Line(canvas, x + 1, y + 9, x + 9, y + 9);
}

void DrawMaximizeGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    Frame(canvas, x, y, x + 11, y + 10);
    Frame(canvas, x, y, x + 11, y + 2);
}

void DrawRestoreGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    Frame(canvas, x + 2, y, x + 10, y + 6);
    Frame(canvas, x + 2, y, x + 10, y + 2);
    Frame(canvas, x, y + 4, x + 7, y + 10);
    Frame(canvas, x, y + 4, x + 7, y + 6);
}

void DrawRollDownGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    for (int i = 0; i <= 4; ++i) Line(canvas, x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i);
}

void DrawRollUpGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    for (int i = 0; i <= 4; ++i) Line(canvas, x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
}

void DrawTrayGlyph(TCanvas& canvas, int x, int y, TColor color) {
    const auto saved = canvas.Brush;
    canvas.Brush.Color = color;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(TRect{x + 2, y + 2, x + 7, y + 7});
    canvas.Brush = saved;
}

void DrawGlyphCell(TCanvas& canvas, int x, int y, int cell, int cellCount, const TBitmap& bitmap) {
    if (bitmap.Empty() || cellCount <= 0 || cell < 1 || cell > cellCount) return;
    const int cellWidth = bitmap.Width() / cellCount;
    if (cellWidth <= 0) return;
    const int h = bitmap.Height();
    const TRect source{(cell - 1) * cellWidth, 0, cell * cellWidth, h};
    canvas.DrawBitmapRect(TRect{x, y, x + cellWidth, y + h}, bitmap, source,
                          bitmap.EffectiveTransparentColor());
}

}  // namespace skin
