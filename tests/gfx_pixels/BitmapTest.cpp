// TBitmap as a value: size changes, pixel access, copies and moves, the system colour table.

#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

using namespace platform::gfx;

TEST(Bitmap, SetSizeKeepsWhatStillFits) {
    TBitmap bmp(3, 2);
    bmp.SetPixel(0, 0, clRed);
    bmp.SetPixel(2, 1, clBlue);
    bmp.SetPixel(1, 1, clLime);
    bmp.SetSize(2, 3);
    EXPECT_EQ(bmp.Pixel(0, 0), clRed);
    EXPECT_EQ(bmp.Pixel(1, 1), clLime);
    EXPECT_EQ(bmp.Pixel(1, 2), clBlack);  // new row
    bmp.SetSize(4, 3);
    EXPECT_EQ(bmp.Pixel(2, 1), clBlack);  // the blue pixel was cut off before
    EXPECT_EQ(bmp.ScanLine(1)[1], ColorToPixel(clLime));

    // Width and height can be set one after the other.
    TBitmap grown;
    grown.SetWidth(5);
    grown.SetHeight(4);
    EXPECT_EQ(grown.Width(), 5);
    EXPECT_EQ(grown.Height(), 4);
    EXPECT_FALSE(grown.Empty());
    grown.SetSize(-1, 7);
    EXPECT_EQ(grown.Width(), 0);
    EXPECT_TRUE(grown.Empty());
}

TEST(Bitmap, PixelAccessOutsideIsHarmless) {
    TBitmap bmp(2, 2);
    bmp.SetPixel(-1, 0, clWhite);
    bmp.SetPixel(2, 0, clWhite);
    bmp.SetPixel(0, 2, clWhite);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(bmp.Pixel(x, y), clBlack);
    EXPECT_EQ(bmp.Pixel(5, 5), clBlack);
    // System colours resolve when written; pixels are B, G, R, unused.
    bmp.SetPixel(1, 0, clBtnFace);
    EXPECT_EQ(bmp.Pixel(1, 0), RGB(212, 208, 200));
    const auto* bytes = reinterpret_cast<const uint8_t*>(bmp.ScanLine(0) + 1);
    EXPECT_EQ(bytes[0], 200);
    EXPECT_EQ(bytes[2], 212);
}

TEST(Bitmap, CopiesAreIndependentAndMovesLeaveAnEmptySource) {
    TBitmap a(2, 1);
    a.SetPixel(0, 0, clRed);
    a.Transparent = true;
    TBitmap b(a);
    b.SetPixel(0, 0, clBlue);
    EXPECT_EQ(a.Pixel(0, 0), clRed);
    EXPECT_TRUE(b.Transparent);

    TBitmap c;
    c = a;
    a.SetPixel(0, 0, clLime);
    EXPECT_EQ(c.Pixel(0, 0), clRed);

    TBitmap d(std::move(c));
    EXPECT_EQ(d.Pixel(0, 0), clRed);
    EXPECT_TRUE(c.Empty());
    c.SetSize(1, 1);  // a moved-from bitmap is usable
    EXPECT_EQ(c.Pixel(0, 0), clBlack);

    TBitmap e(1, 1);
    e = std::move(d);
    EXPECT_EQ(e.Width(), 2);
    EXPECT_EQ(e.Pixel(0, 0), clRed);
    EXPECT_EQ(d.Width(), 0);
}

TEST(Bitmap, EveryBitmapDrawsThroughItsOwnCanvas) {
    TBitmap a(2, 2);
    TCanvas& canvasOfA = a.Canvas();
    TBitmap copy(a);
    EXPECT_EQ(&copy.Canvas().Target(), &copy);
    TBitmap moved(std::move(copy));
    EXPECT_EQ(&moved.Canvas().Target(), &moved);
    a = moved;  // assignment keeps the canvas that callers already hold
    EXPECT_EQ(&a.Canvas(), &canvasOfA);
    EXPECT_EQ(&canvasOfA.Target(), &a);
}

TEST(Bitmap, TransparentColourDefaultsToBottomLeftPixel) {
    TBitmap bmp(2, 3);
    bmp.SetPixel(0, 2, clTeal);
    EXPECT_EQ(bmp.EffectiveTransparentColor(), clTeal);
    bmp.TransparentColor = clBtnShadow;
    EXPECT_EQ(bmp.EffectiveTransparentColor(), RGB(128, 128, 128));
}

TEST(Color, SystemColoursComeFromTheFixedTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x02010203)), RGB(3, 2, 1));  // top byte cleared
    EXPECT_EQ(GetSysColor(-1), clBlack);
    EXPECT_EQ(GetSysColor(COLOR_COUNT), clBlack);
}
