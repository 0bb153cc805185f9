#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EffectsTestSupport.h"

namespace skin {
namespace {

using platform::gfx::GetBValue;
using platform::gfx::GetGValue;
using platform::gfx::GetRValue;
using platform::gfx::RGB;
using test::Column;
using test::GreyColumns;
using test::Row;
using test::SamePixels;
using test::Solid;

using V = std::vector<int>;

TEST(EffectBuffer, LayoutPixelsAndConversion) {
    for (int w = 1; w <= 6; ++w) {
        const TbsEffectBmp b(w, 3);
        EXPECT_EQ(b.Stride(), 3 * w + w % 4) << w;
        EXPECT_EQ(b.SizeInBytes(), static_cast<std::size_t>(3 * b.Stride())) << w;
    }
    TbsEffectBmp b(3, 2);
    b.PutPixel(1, 1, RGB(10, 20, 30));
    EXPECT_EQ(b.PixelAt(1, 1), RGB(10, 20, 30));
    const uint8_t* p = b.ScanLine(1) + 3;
    EXPECT_EQ(p[0], 30);  // blue first
    EXPECT_EQ(p[2], 10);
    b.PutPixel(3, 0, RGB(1, 1, 1));  // outside: ignored
    EXPECT_EQ(b.PixelAt(-1, 0), RGB(0, 0, 0));

    std::vector<uint8_t> line(9);
    b.GetLine(1, line);
    EXPECT_EQ(line[3], 30);
    line[6] = 77;
    b.SetLine(0, line);
    EXPECT_EQ(b.PixelAt(2, 0), RGB(0, 0, 77));
    EXPECT_EQ(b.PixelAt(1, 0), RGB(10, 20, 30));

    platform::gfx::TBitmap bitmap(4, 2);
    bitmap.SetPixel(3, 1, RGB(200, 100, 50));
    const TbsEffectBmp fromBitmap = TbsEffectBmp::CreateFromBitmap(bitmap);
    EXPECT_EQ(fromBitmap.PixelAt(3, 1), RGB(200, 100, 50));
    platform::gfx::TBitmap target(10, 10);
    fromBitmap.DrawTo(target.Canvas(), 5, 6);
    EXPECT_EQ(target.Pixel(8, 7), RGB(200, 100, 50));
    platform::gfx::TBitmap back;
    fromBitmap.AssignTo(back);
    EXPECT_EQ(back.Width(), 4);
    EXPECT_EQ(back.Pixel(3, 1), RGB(200, 100, 50));
}

TEST(ImageEffects, ChannelFormulasRoundTiesToEven) {
    TbsEffectBmp b = Solid(1, 1, 255, 0, 0);
    b.Grayscale();
    EXPECT_EQ(b.PixelAt(0, 0), RGB(76, 76, 76));  // 76.5
    b = Solid(1, 1, 0, 255, 0);
    b.Grayscale();
    EXPECT_EQ(b.PixelAt(0, 0), RGB(150, 150, 150));  // 150.45
    b = Solid(1, 1, 255, 255, 255);
    b.Grayscale();
    EXPECT_EQ(b.PixelAt(0, 0), RGB(255, 255, 255));

    b = GreyColumns({0, 100, 255}, 1);
    b.Brightness(0.5);
    EXPECT_EQ(Row(b, 0), (V{128, 178, 255}));  // 127.5, 177.5, 255
    b = GreyColumns({0, 100}, 1);
    b.Brightness(7);
    EXPECT_EQ(Row(b, 0), (V{255, 255}));

    b = GreyColumns({255, 1, 3, 100}, 1);
    b.Darkness(0.5);
    EXPECT_EQ(Row(b, 0), (V{128, 0, 2, 50}));  // 127.5, 0.5, 1.5, 50
    b = GreyColumns({255}, 1);
    b.Darkness(-2);
    EXPECT_EQ(Row(b, 0), (V{255}));

    b = Solid(2, 1, 10, 20, 30);
    b.Invert();
    EXPECT_EQ(b.PixelAt(1, 0), RGB(245, 235, 225));
}

TEST(ImageEffects, SplitBlurWorksInPlaceAndStaysNearItsPixel) {
    // Values 0, 10, .., 80 row by row.
    TbsEffectBmp b(3, 3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) b.PutPixel(j, i, RGB(10 * (3 * i + j), 0, 0));
    b.SplitBlur(1);
    // (0,0): samples 0, 10, 30, 40. (0,1) already sees the new (0,0): 20, 20, 30, 50.
    EXPECT_EQ(GetRValue(b.PixelAt(0, 0)), 20);
    EXPECT_EQ(GetRValue(b.PixelAt(1, 0)), 30);

    // Samples past the bottom edge come from the pixel's own row, never from the top of the
    // picture: a red top row fades out long before the bottom row.
    TbsEffectBmp tall(4, 12);
    for (int x = 0; x < 4; ++x) tall.PutPixel(x, 0, RGB(255, 0, 0));
    tall.SplitBlur(1);
    EXPECT_GT(GetRValue(tall.PixelAt(1, 1)), 0);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(tall.PixelAt(x, 11), RGB(0, 0, 0)) << x;

    // An amount past the picture's size samples the pixel itself.
    TbsEffectBmp small(2, 2);
    small.PutPixel(0, 0, RGB(9, 8, 7));
    small.PutPixel(1, 1, RGB(1, 2, 3));
    const TbsEffectBmp before = small;
    small.SplitBlur(5);
    EXPECT_TRUE(SamePixels(small, before));
    small.SplitBlur(2147483647);
    EXPECT_TRUE(SamePixels(small, before));
    small.SplitBlur(0);
    EXPECT_TRUE(SamePixels(small, before));
}

TEST(ImageEffects, NoiseShiftsAllChannelsAlikeFromASeededSource) {
    const TbsEffectBmp grey = Solid(8, 8, 128, 100, 60);
    std::mt19937 r1(42), r2(42);
    TbsEffectBmp a = grey, b = grey;
    a.Noise(50, r1);
    b.Noise(50, r2);
    EXPECT_TRUE(SamePixels(a, b));
    EXPECT_FALSE(SamePixels(a, grey));
    int low = 1000, high = -1000;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const auto c = a.PixelAt(x, y);
            const int d = GetRValue(c) - 128;
            EXPECT_EQ(GetGValue(c) - 100, d);
            EXPECT_EQ(GetBValue(c) - 60, d);
            low = std::min(low, d);
            high = std::max(high, d);
        }
    EXPECT_GE(low, -25);
    EXPECT_LE(high, 24);

    // Clamped at both ends.
    TbsEffectBmp dark = Solid(8, 8, 0, 0, 255);
    dark.Noise(50, r1);
    int zeros = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const auto c = dark.PixelAt(x, y);
            EXPECT_LE(GetRValue(c), 24);
            EXPECT_GE(GetBValue(c), 230);
            zeros += GetRValue(c) == 0 ? 1 : 0;
        }
    EXPECT_GT(zeros, 0);

    TbsEffectBmp::SeedNoise(9);
    TbsEffectBmp c = grey;
    c.Noise(50);
    TbsEffectBmp::SeedNoise(9);
    TbsEffectBmp d = grey;
    d.Noise(50);
    EXPECT_TRUE(SamePixels(c, d));

    TbsEffectBmp still = grey;
    still.Noise(1);  // the only offset is 0
    still.Noise(0);
    EXPECT_TRUE(SamePixels(still, grey));
}

TEST(ImageEffects, QuarterTurns) {
    TbsEffectBmp b(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) b.PutPixel(x, y, RGB(x, y, 7));
    TbsEffectBmp left;
    b.RotateLeft(left);
    ASSERT_EQ(left.Width(), 2);
    ASSERT_EQ(left.Height(), 3);
    EXPECT_EQ(left.PixelAt(0, 2), RGB(0, 0, 7));  // top-left lands bottom-left
    EXPECT_EQ(left.PixelAt(0, 0), RGB(2, 0, 7));  // top-right lands top-left
    EXPECT_EQ(left.PixelAt(1, 0), RGB(2, 1, 7));

    TbsEffectBmp right;
    b.RotateRight(right);
    ASSERT_EQ(right.Width(), 2);
    EXPECT_EQ(right.PixelAt(1, 0), RGB(0, 0, 7));  // top-left lands top-right
    EXPECT_EQ(right.PixelAt(0, 2), RGB(2, 1, 7));

    TbsEffectBmp back;
    left.RotateRight(back);
    EXPECT_TRUE(SamePixels(back, b));
    b.RotateLeft(b);
    EXPECT_TRUE(SamePixels(b, left));
}

TEST(ImageEffects, InactiveEffectNumbers) {
    struct TCase {
        int Effect;
        int Want;  // of a grey 200 pixel
    };
    const TCase cases[] = {{0, 228}, {1, 140}, {2, 200}, {5, 55}, {9, 200}};
    for (const auto& c : cases) {
        TbsEffectBmp b = Solid(1, 1, 200, 200, 200);
        ApplyInactiveEffect(b, c.Effect);
        EXPECT_EQ(b.PixelAt(0, 0), RGB(c.Want, c.Want, c.Want)) << c.Effect;
    }
    TbsEffectBmp red = Solid(1, 1, 255, 0, 0);
    ApplyInactiveEffect(red, 2);
    EXPECT_EQ(red.PixelAt(0, 0), RGB(76, 76, 76));

    TbsEffectBmp blurred(3, 3);
    blurred.PutPixel(1, 1, RGB(200, 0, 0));
    ApplyInactiveEffect(blurred, 4);
    EXPECT_EQ(GetRValue(blurred.PixelAt(0, 0)), 50);

    TbsEffectBmp noisy = Solid(6, 6, 128, 128, 128);
    const TbsEffectBmp before = noisy;
    ApplyInactiveEffect(noisy, 3);
    EXPECT_FALSE(SamePixels(noisy, before));
}

}  // namespace
}  // namespace skin
