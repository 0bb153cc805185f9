#include <gtest/gtest.h>

#include "skin/data/bsUtilsDraw.h"

namespace skin {
namespace {

using platform::gfx::TBitmap;

TEST(SkinGeometry, PointTestsCountEdgesDifferently) {
    const TRect r{10, 20, 30, 40};
    // The skin hit test takes the right and bottom edge as inside ...
    EXPECT_TRUE(PointInsideRect(r, {30, 40}));
    EXPECT_TRUE(PointInsideRect(r, {10, 20}));
    EXPECT_FALSE(PointInsideRect(r, {31, 30}));
    EXPECT_FALSE(PointInsideRect(r, {9, 30}));
    // ... the rectangle-in-rectangle test does not, so a rectangle is not inside itself.
    EXPECT_FALSE(RectInsideRect(r, r));
    EXPECT_TRUE(RectInsideRect({11, 21, 29, 39}, r));
    EXPECT_FALSE(RectInsideRect({11, 21, 29, 41}, r));

    EXPECT_EQ(RectWidthOf(r), 20);
    EXPECT_EQ(RectHeightOf(r), 20);
    EXPECT_TRUE(IsEmptyRect({5, 5, 5, 9}));
    EXPECT_TRUE(IsEmptyRect({5, 5, 9, 4}));
    EXPECT_FALSE(IsEmptyRect({5, 5, 6, 6}));
    EXPECT_TRUE(IsEmptyPoint({0, 7}));
    EXPECT_TRUE(IsEmptyPoint({7, 0}));
    EXPECT_FALSE(IsEmptyPoint({-1, 7}));
}

TEST(SkinFBitmap, RowsArePaddedAndHoldBlueGreenRed) {
    for (int w = 1; w <= 9; ++w) {
        const TbsFBitmap b(w, 2);
        EXPECT_EQ(b.Stride(), 3 * w + w % 4) << w;
        EXPECT_EQ(b.Stride() % 4, 0) << w;
        EXPECT_EQ(b.SizeInBytes(), static_cast<std::size_t>(b.Stride()) * 2) << w;
        EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), b.Stride()) << w;
    }

    TBitmap source(3, 2);
    source.SetPixel(2, 1, platform::gfx::RGB(10, 20, 30));
    source.SetPixel(0, 0, platform::gfx::RGB(255, 0, 1));
    const TbsFBitmap f(source);
    ASSERT_EQ(f.Width(), 3);
    ASSERT_EQ(f.Height(), 2);
    const uint8_t* p = f.ScanLine(1) + 6;
    EXPECT_EQ(p[0], 30);  // blue
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);  // red
    EXPECT_EQ(f.ScanLine(0)[2], 255);
    EXPECT_EQ(f.ScanLine(0)[0], 1);

    TBitmap back;
    f.AssignTo(back);
    ASSERT_EQ(back.Width(), 3);
    EXPECT_EQ(back.Pixel(2, 1), platform::gfx::RGB(10, 20, 30));
    EXPECT_EQ(back.Pixel(0, 0), platform::gfx::RGB(255, 0, 1));
    EXPECT_EQ(back.Pixel(1, 1), platform::gfx::clBlack);

    EXPECT_TRUE(TbsFBitmap(TBitmap()).Empty());
    EXPECT_TRUE(TbsFBitmap(-3, 4).Empty());
}

}  // namespace
}  // namespace skin
