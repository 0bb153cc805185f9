#include <gtest/gtest.h>

#include "DrawTestSupport.h"
#include "skin/data/bsUtilsDrawStrips.h"

namespace skin {
namespace {

using test::DecodePosition;
using test::PositionPicture;

TPoint From(const TBitmap& b, int x, int y) {
    const auto d = DecodePosition(b.ScanLine(y)[x]);
    return d ? d->Pos : TPoint{-1, -1};
}

// A 30 x 24 skin at (2, 2) framed into 50 x 40.
const TRect kSkin{2, 2, 32, 26};
const TbsFrameGeometry kG{{6, 5}, {20, 5}, {6, 18}, {20, 18}, {4, 3, 26, 21}};
const TbsFrameGeometry kNg{{6, 5}, {40, 5}, {6, 34}, {40, 34}, {4, 3, 46, 37}};

TEST(ComposeBorderStrips, TiledStripsKeepCornersAndFixedEnds) {
    TBitmap source = PositionPicture(40, 30, kSkin);
    TbsBorderStrips s;
    ComposeBorderStrips(s, source, kSkin, kG, 50, 40, kNg, {});
    ASSERT_EQ(s.Top.Width(), 50);
    ASSERT_EQ(s.Top.Height(), 3);
    ASSERT_EQ(s.Bottom.Width(), 50);
    ASSERT_EQ(s.Bottom.Height(), 3);
    ASSERT_EQ(s.Left.Width(), 4);
    ASSERT_EQ(s.Left.Height(), 34);
    ASSERT_EQ(s.Right.Width(), 4);
    ASSERT_EQ(s.Right.Height(), 34);

    // Top: the middle (columns 8..22 of the picture) tiles from x = 0; the corners go over it.
    EXPECT_EQ(From(s.Top, 0, 0), (TPoint{2, 2}));
    EXPECT_EQ(From(s.Top, 5, 0), (TPoint{7, 2}));
    EXPECT_EQ(From(s.Top, 6, 0), (TPoint{8 + 6, 2}));
    EXPECT_EQ(From(s.Top, 39, 1), (TPoint{8 + 39 % 14, 3}));
    EXPECT_EQ(From(s.Top, 40, 0), (TPoint{22, 2}));
    EXPECT_EQ(From(s.Top, 49, 2), (TPoint{31, 4}));
    // Bottom: the last three rows of the skin.
    EXPECT_EQ(From(s.Bottom, 0, 0), (TPoint{2, 23}));
    EXPECT_EQ(From(s.Bottom, 45, 2), (TPoint{27, 25}));
    // Left: fixed top end (client top .. first point), tiles, fixed bottom end.
    EXPECT_EQ(From(s.Left, 0, 0), (TPoint{2, 5}));
    EXPECT_EQ(From(s.Left, 0, 1), (TPoint{2, 6}));
    EXPECT_EQ(From(s.Left, 0, 2), (TPoint{2, 7 + 2}));
    EXPECT_EQ(From(s.Left, 3, 30), (TPoint{5, 7 + 30 % 13}));
    EXPECT_EQ(From(s.Left, 0, 31), (TPoint{2, 20}));
    EXPECT_EQ(From(s.Left, 0, 33), (TPoint{2, 22}));
    // Right: the columns right of the client.
    EXPECT_EQ(From(s.Right, 0, 0), (TPoint{28, 5}));
    EXPECT_EQ(From(s.Right, 3, 33), (TPoint{31, 22}));
}

TEST(ComposeBorderStrips, StretchedMiddlesStayBetweenTheCorners) {
    TBitmap source = PositionPicture(40, 30, kSkin);
    TbsBorderStrips s;
    ComposeBorderStrips(s, source, kSkin, kG, 50, 40, kNg, {true, true, true, true});
    EXPECT_EQ(From(s.Top, 6, 0), (TPoint{8, 2}));
    EXPECT_EQ(From(s.Top, 39, 0), (TPoint{21, 2}));
    int last = 0;
    for (int x = 6; x < 40; ++x) {
        const TPoint p = From(s.Top, x, 0);
        EXPECT_GE(p.X, last) << x;
        EXPECT_LT(p.X, 22) << x;
        last = p.X;
    }
    EXPECT_EQ(From(s.Left, 0, 2), (TPoint{2, 7}));
    EXPECT_EQ(From(s.Left, 0, 30), (TPoint{2, 19}));
    EXPECT_EQ(From(s.Left, 0, 31), (TPoint{2, 20}));  // fixed bottom end after the stretched part
}

TEST(ComposeBorderStrips, StripsThatCannotBeBuiltAreEmptied) {
    TBitmap source = PositionPicture(40, 30, kSkin);
    TbsBorderStrips s;
    ComposeBorderStrips(s, source, kSkin, kG, 50, 40, kNg, {});
    ASSERT_FALSE(s.Top.Empty());

    TbsFrameGeometry backwards = kG;
    backwards.RightTop.X = backwards.LeftTop.X;      // no top middle
    backwards.RightBottom.Y = backwards.RightTop.Y;  // no right middle
    ComposeBorderStrips(s, source, kSkin, backwards, 50, 40, kNg, {});
    EXPECT_TRUE(s.Top.Empty());
    EXPECT_TRUE(s.Right.Empty());
    EXPECT_FALSE(s.Bottom.Empty());
    EXPECT_FALSE(s.Left.Empty());

    // Too small for side strips: the client fills the height.
    TbsFrameGeometry flat = kNg;
    flat.ClientRect = {4, 0, 46, 40};
    ComposeBorderStrips(s, source, kSkin, kG, 50, 40, flat, {});
    EXPECT_TRUE(s.Top.Empty());
    EXPECT_TRUE(s.Bottom.Empty());
    EXPECT_EQ(s.Left.Height(), 40);

    TBitmap empty;
    ComposeBorderStrips(s, empty, kSkin, kG, 50, 40, kNg, {});
    EXPECT_TRUE(s.Top.Empty() && s.Bottom.Empty() && s.Left.Empty() && s.Right.Empty());
}

TEST(ComposeMaskStrips, StripsFollowTheNewGeometry) {
    // A 20 x 16 mask, client (3, 4, 17, 12), widened by 10 and heightened by 8.
    const TRect whole{0, 0, 20, 16};
    TBitmap mask = PositionPicture(20, 16, whole);
    const TbsFrameGeometry mg{{6, 4}, {14, 4}, {6, 12}, {14, 12}, {3, 4, 17, 12}};
    const TbsFrameGeometry ng{{6, 4}, {24, 4}, {6, 20}, {24, 20}, {3, 4, 27, 20}};
    TbsBorderStrips s;
    ComposeMaskStrips(s, mask, mg, 30, ng);
    ASSERT_EQ(s.Top.Width(), 30);
    ASSERT_EQ(s.Top.Height(), 4);
    ASSERT_EQ(s.Bottom.Height(), 4);
    ASSERT_EQ(s.Left.Width(), 3);
    ASSERT_EQ(s.Left.Height(), 16);
    ASSERT_EQ(s.Right.Width(), 3);
    ASSERT_EQ(s.Right.Height(), 16);

    EXPECT_EQ(From(s.Top, 5, 0), (TPoint{5, 0}));
    EXPECT_EQ(From(s.Top, 6, 1), (TPoint{6, 1}));
    EXPECT_EQ(From(s.Top, 22, 1), (TPoint{6, 1}));  // third tile, cut at 24
    EXPECT_EQ(From(s.Top, 23, 1), (TPoint{7, 1}));
    EXPECT_EQ(From(s.Top, 24, 3), (TPoint{14, 3}));
    EXPECT_EQ(From(s.Top, 29, 3), (TPoint{19, 3}));
    EXPECT_EQ(From(s.Left, 2, 0), (TPoint{2, 4}));
    EXPECT_EQ(From(s.Left, 0, 9), (TPoint{0, 5}));
    EXPECT_EQ(From(s.Right, 0, 15), (TPoint{17, 11}));
    EXPECT_EQ(From(s.Bottom, 29, 3), (TPoint{19, 15}));

    // A mask whose client reaches the left side has no left strip.
    TbsFrameGeometry noLeft = mg;
    noLeft.ClientRect.Left = 0;
    ComposeMaskStrips(s, mask, noLeft, 30, ng);
    EXPECT_TRUE(s.Left.Empty());
    EXPECT_FALSE(s.Right.Empty());
}

}  // namespace
}  // namespace skin
