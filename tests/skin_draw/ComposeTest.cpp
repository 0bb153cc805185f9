#include <gtest/gtest.h>

#include "DrawTestSupport.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {
namespace {

using test::DecodePosition;
using test::PositionPicture;

// Where dest's pixel was read from; (-1, -1) for a pixel never written.
TPoint From(const TBitmap& dest, int x, int y) {
    const auto d = DecodePosition(dest.ScanLine(y)[x]);
    return d ? d->Pos : TPoint{-1, -1};
}

int CountWritten(const TBitmap& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += DecodePosition(b.ScanLine(y)[x]) ? 1 : 0;
    return n;
}

const TbsFrameGeometry kGeometry{{8, 6}, {30, 6}, {8, 24}, {30, 24}, {5, 4, 35, 28}};
const TRect kSkin{7, 5, 47, 37};  // 40 x 32

TEST(ComposeFrameImage, SameSizeAndPointsReproduceTheSkinArea) {
    TBitmap source = PositionPicture(60, 50, kSkin);
    for (const bool stretched : {false, true}) {
        TBitmap dest;
        ComposeFrameImage(dest, source, kSkin, kGeometry, 40, 32, kGeometry, true,
                          {stretched, stretched, stretched, stretched});
        ASSERT_EQ(dest.Width(), 40);
        ASSERT_EQ(dest.Height(), 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(From(dest, x, y), (TPoint{kSkin.Left + x, kSkin.Top + y})) << x << "," << y;
    }
}

TEST(ComposeFrameImage, TilesAreCutNeverScaled) {
    // Top middle 10 wide (5..15) over 25 destination pixels (5..30): pieces of 10, 10 and 5.
    const TRect skin{0, 0, 30, 20};
    TBitmap source = PositionPicture(30, 20, skin);
    const TbsFrameGeometry g{{5, 6}, {15, 6}, {5, 14}, {15, 14}, {3, 4, 27, 16}};
    const TbsFrameGeometry ng{{5, 6}, {30, 6}, {5, 14}, {30, 14}, {3, 4, 42, 16}};
    TBitmap dest;
    ComposeFrameImageTiled(dest, source, skin, g, 45, 20, ng, true);
    for (int x = 5; x < 30; ++x) EXPECT_EQ(From(dest, x, 0).X, 5 + (x - 5) % 10) << x;
    EXPECT_EQ(From(dest, 29, 0).X, 9);   // the third piece is the first 5 columns of the middle
    EXPECT_EQ(From(dest, 30, 0).X, 15);  // the right corner follows at once
    EXPECT_EQ(From(dest, 44, 0).X, 29);
    // The client (3..27 of the skin, 24 wide) tiles over 39 columns: 24 then 15.
    EXPECT_EQ(From(dest, 3 + 24, 5), (TPoint{3, 5}));
    EXPECT_EQ(From(dest, 41, 15), (TPoint{3 + 14, 15}));
}

TEST(ComposeFrameImage, DegenerateInputOnlyResizes) {
    TBitmap source = PositionPicture(60, 50, kSkin);
    TbsFrameGeometry coinciding = kGeometry;
    coinciding.RightBottom.X = coinciding.LeftTop.X;
    TBitmap dest;
    ComposeFrameImage(dest, source, kSkin, coinciding, 50, 40, kGeometry, true, {});
    EXPECT_EQ(dest.Width(), 50);
    EXPECT_EQ(dest.Height(), 40);
    EXPECT_EQ(CountWritten(dest), 0);

    TBitmap empty;
    TBitmap dest2;
    ComposeFrameImage(dest2, empty, kSkin, kGeometry, 50, 40, kGeometry, true, {});
    EXPECT_EQ(dest2.Width(), 50);
    EXPECT_EQ(CountWritten(dest2), 0);

    TbsFrameGeometry huge = kGeometry;
    huge.RightTop.X = 1 << 30;
    TBitmap dest3;
    ComposeFrameImage(dest3, source, kSkin, huge, 50, 40, kGeometry, true, {});
    EXPECT_EQ(dest3.Width(), 50);
    EXPECT_EQ(CountWritten(dest3), 0);

    TBitmap dest4;
    ComposeFrameImage(dest4, source, kSkin, kGeometry, -5, 40, kGeometry, true, {});
    EXPECT_TRUE(dest4.Empty());
}

TEST(ComposeFrameImage, ZeroLengthMiddlesAreLeftOut) {
    TBitmap source = PositionPicture(60, 50, kSkin);
    TbsFrameGeometry g = kGeometry;
    g.RightTop = {8, 6};           // top middle has no width
    g.ClientRect = {5, 4, 5, 28};  // client has no width
    TbsFrameGeometry ng = g;
    ng.RightTop = {20, 6};
    ng.RightBottom = {42, 24};
    ng.ClientRect = {5, 4, 47, 28};
    TBitmap dest;
    ComposeFrameImage(dest, source, kSkin, g, 52, 32, ng, true, {});
    // Top row: left corner up to 8, nothing between 8 and 20, right corner from 20.
    EXPECT_EQ(From(dest, 7, 0), (TPoint{kSkin.Left + 7, kSkin.Top}));
    EXPECT_EQ(From(dest, 8, 0), (TPoint{-1, -1}));
    EXPECT_EQ(From(dest, 19, 0), (TPoint{-1, -1}));
    EXPECT_EQ(From(dest, 20, 0), (TPoint{kSkin.Left + 8, kSkin.Top}));
    EXPECT_EQ(From(dest, 20, 10), (TPoint{-1, -1}));  // client left out
    // The bottom edge (8..30, 22 wide) still tiles over 8..42.
    EXPECT_EQ(From(dest, 8 + 22, 31), (TPoint{kSkin.Left + 8, kSkin.Bottom - 1}));
}

TEST(ComposeFrameImage, StretchedEdgeSpreadsTheMiddle) {
    const TRect skin{0, 0, 12, 12};
    TBitmap source = PositionPicture(12, 12, skin);
    const TbsFrameGeometry g{{5, 5}, {7, 5}, {5, 7}, {7, 7}, {3, 3, 9, 9}};
    const TbsFrameGeometry ng{{5, 5}, {15, 5}, {5, 7}, {15, 7}, {3, 3, 17, 9}};
    TBitmap dest;
    ComposeFrameImage(dest, source, skin, g, 20, 12, ng, false, {false, true, false, false});
    // The two middle columns 5 and 6 each cover half of the 10 new ones.
    for (int x = 5; x < 10; ++x) EXPECT_EQ(From(dest, x, 1), (TPoint{5, 1})) << x;
    for (int x = 10; x < 15; ++x) EXPECT_EQ(From(dest, x, 1), (TPoint{6, 1})) << x;
    // The bottom edge is tiled: 5, 6, 5, 6, ...
    for (int x = 5; x < 15; ++x) EXPECT_EQ(From(dest, x, 10).X, 5 + (x - 5) % 2) << x;
}

}  // namespace
}  // namespace skin
