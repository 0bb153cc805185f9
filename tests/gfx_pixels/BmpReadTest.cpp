// Decoding of every BMP depth and header kind, from files built byte by byte.

#include <gtest/gtest.h>

#include "gfx_pixels/BmpBuilder.h"
#include "platform/gfx/Bitmap.h"

using namespace platform::gfx;
using gfxtest::BuildBmp;
using gfxtest::TBmpSpec;

namespace {

TBitmap Load(const std::vector<uint8_t>& bytes) {
    TBitmap bmp;
    EXPECT_TRUE(bmp.LoadFromMemory(bytes.data(), bytes.size()));
    return bmp;
}

void ExpectRow(const TBitmap& bmp, int y, const std::vector<TColor>& colors) {
    for (std::size_t x = 0; x < colors.size(); ++x)
        EXPECT_EQ(bmp.Pixel(static_cast<int>(x), y), colors[x]) << "x=" << x << " y=" << y;
}

}  // namespace

TEST(BmpRead, OneBitWithColouredPaletteIgnoresUnusedBitsAndPadding) {
    const TColor c0 = RGB(10, 20, 30), c1 = RGB(200, 100, 50);
    TBmpSpec s;
    s.Width = 10;
    s.Height = 2;  // bottom-up: the first file row is y = 1
    s.BitCount = 1;
    s.Palette = {0x0A141E, 0xC86432};
    s.Rows = {0xAA, 0xBF, 0x12, 0x34,   // y=1: 1010101010, unused bits set
              0xC0, 0xFF, 0x00, 0x00};  // y=0: 1100000011
    const TBitmap bmp = Load(BuildBmp(s));
    ASSERT_EQ(bmp.Width(), 10);
    ASSERT_EQ(bmp.Height(), 2);
    ExpectRow(bmp, 0, {c1, c1, c0, c0, c0, c0, c0, c0, c1, c1});
    ExpectRow(bmp, 1, {c1, c0, c1, c0, c1, c0, c1, c0, c1, c0});
    ASSERT_TRUE(bmp.SourceFormat());
    EXPECT_EQ(bmp.SourceFormat()->BitCount, 1);
    EXPECT_FALSE(bmp.SourceFormat()->TopDown);
}

TEST(BmpRead, FourBitOddWidthWithShortPalette) {
    TBmpSpec s;
    s.Width = 3;
    s.Height = 2;
    s.BitCount = 4;
    s.ClrUsed = 3;
    s.Palette = {0xFF0000, 0x00FF00, 0x010203};
    s.Rows = {0x21, 0x0F, 0xAB, 0xCD,   // y=1: 2 1 0
              0x01, 0x2E, 0xEE, 0xFF};  // y=0: 0 1 2
    const TBitmap bmp = Load(BuildBmp(s));
    ExpectRow(bmp, 0, {clRed, clLime, RGB(1, 2, 3)});
    ExpectRow(bmp, 1, {RGB(1, 2, 3), clLime, clRed});
    EXPECT_EQ(bmp.SourceFormat()->Palette.size(), 3u);
}

TEST(BmpRead, EightBitTopDownIndexPastPaletteIsBlack) {
    TBmpSpec s;
    s.Width = 2;
    s.Height = -3;
    s.BitCount = 8;
    s.ClrUsed = 4;
    s.Palette = {0x112233, 0x445566, 0x778899, 0xAABBCC};
    s.Rows = {0, 1, 9, 9,  //
              2, 3, 9, 9,  //
              3, 7, 9, 9};
    const TBitmap bmp = Load(BuildBmp(s));
    ASSERT_EQ(bmp.Height(), 3);
    ExpectRow(bmp, 0, {RGB(0x11, 0x22, 0x33), RGB(0x44, 0x55, 0x66)});
    ExpectRow(bmp, 1, {RGB(0x77, 0x88, 0x99), RGB(0xAA, 0xBB, 0xCC)});
    ExpectRow(bmp, 2, {RGB(0xAA, 0xBB, 0xCC), clBlack});
    EXPECT_TRUE(bmp.SourceFormat()->TopDown);
}

TEST(BmpRead, SixteenBitMasksAndDefault555) {
    TBmpSpec s;
    s.Width = 3;
    s.BitCount = 16;
    s.Compression = 3;
    s.Masks = {0xF800, 0x07E0, 0x001F};
    s.Rows = {0x00, 0xF8, 0xE0, 0x07, 0x10, 0x84, 0x55, 0x55};
    TBitmap bmp = Load(BuildBmp(s));
    // Channels scale to the full 0..255 range: 16 of 31 is 132, 32 of 63 is 130.
    ExpectRow(bmp, 0, {clRed, clLime, RGB(132, 130, 132)});

    TBmpSpec d;
    d.Width = 2;
    d.BitCount = 16;
    d.Rows = {0x00, 0x7C, 0x1F, 0x00};  // 555 without masks: red, blue
    bmp = Load(BuildBmp(d));
    ExpectRow(bmp, 0, {clRed, clBlue});
}

TEST(BmpRead, TwentyFourBitWidthThreeWithPadding) {
    TBmpSpec s;
    s.Width = 3;
    s.Height = 2;
    s.Rows = {1,    2, 3, 4, 5,    6, 7, 8, 9,    0xA1, 0xA2, 0xA3,   // y=1
              0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xB1, 0xB2, 0xB3};  // y=0: blue, lime, red
    const TBitmap bmp = Load(BuildBmp(s));
    ExpectRow(bmp, 0, {clBlue, clLime, clRed});
    ExpectRow(bmp, 1, {RGB(3, 2, 1), RGB(6, 5, 4), RGB(9, 8, 7)});
}

TEST(BmpRead, ThirtyTwoBitLeavesTheUnusedByteZero) {
    TBmpSpec s;
    s.Width = 2;
    s.BitCount = 32;
    s.Rows = {0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x80};
    const TBitmap bmp = Load(BuildBmp(s));
    EXPECT_EQ(bmp.Bits()[0], 0x302010u);
    EXPECT_EQ(bmp.Bits()[1], 0x605040u);
}

TEST(BmpRead, V5HeaderMasksInsideTheHeader) {
    TBmpSpec s;
    s.Width = 2;
    s.Height = -1;
    s.BitCount = 32;
    s.HeaderSize = 124;
    s.Compression = 3;
    s.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // bytes R, G, B, A
    s.Rows = {0xFF, 0x00, 0x00, 0xFF, 0x01, 0x02, 0x03, 0x00};
    const TBitmap bmp = Load(BuildBmp(s));
    ExpectRow(bmp, 0, {clRed, RGB(1, 2, 3)});
    EXPECT_EQ(bmp.SourceFormat()->HeaderSize, 124u);
    EXPECT_EQ(bmp.SourceFormat()->AlphaMask, 0xFF000000u);
}

TEST(BmpRead, CoreHeaderWithThreeBytePaletteCutShortByTheOffset) {
    TBmpSpec s;
    s.HeaderSize = 12;
    s.Width = 1;
    s.Height = 2;
    s.BitCount = 8;
    s.Palette = {0x0000FF, 0xFFFF00};  // two of 256 entries fit before the pixels
    s.Rows = {1, 0, 0, 0, 0, 0, 0, 0};
    const TBitmap bmp = Load(BuildBmp(s));
    EXPECT_EQ(bmp.Pixel(0, 0), clBlue);
    EXPECT_EQ(bmp.Pixel(0, 1), clYellow);
    EXPECT_EQ(bmp.SourceFormat()->Palette.size(), 2u);
}
