#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/gfx/Color.h"
#include "skin/data/bsUtilsRegion.h"

namespace skin {
namespace {

using platform::gfx::clBlack;
using platform::gfx::clWhite;
using platform::gfx::RGB;

int32_t Field(const std::vector<uint8_t>& data, std::size_t index) {
    int32_t v = 0;
    std::memcpy(&v, data.data() + 4 * index, 4);
    return v;
}

TBitmap Filled(int w, int h, platform::gfx::TColor color) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, color);
    return b;
}

TEST(BuildRegionRects, RunsOfPureBlackBecomeRectangles) {
    TBitmap mask(3, 1);
    mask.SetPixel(0, 0, clBlack);
    mask.SetPixel(1, 0, clWhite);
    mask.SetPixel(2, 0, clBlack);
    const auto data = BuildRegionRects(mask, 0, 0);
    ASSERT_EQ(data.size(), 32u + 2 * 16u);
    EXPECT_EQ(Field(data, 0), 32);  // header size
    EXPECT_EQ(Field(data, 1), 1);   // rectangles
    EXPECT_EQ(Field(data, 2), 2);   // count
    EXPECT_EQ(Field(data, 3), 0);
    EXPECT_EQ(RegionDataRects(data), (std::vector<TRect>{{0, 0, 1, 1}, {2, 0, 3, 1}}));

    const auto moved = BuildRegionRects(mask, 5, 7);
    EXPECT_EQ(RegionDataRects(moved), (std::vector<TRect>{{5, 7, 6, 8}, {7, 7, 8, 8}}));
    EXPECT_EQ(Field(moved, 4), 5);  // bounds: the whole bitmap, moved
    EXPECT_EQ(Field(moved, 5), 7);
    EXPECT_EQ(Field(moved, 6), 8);
    EXPECT_EQ(Field(moved, 7), 8);

    // Only pure black counts: one unit in any channel is outside.
    TBitmap nearly = Filled(3, 2, clBlack);
    nearly.SetPixel(1, 0, RGB(0, 0, 1));
    nearly.SetPixel(1, 1, RGB(1, 0, 0));
    const std::vector<TRect> runs{{0, 0, 1, 1}, {2, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 3, 2}};
    EXPECT_EQ(RegionDataRects(BuildRegionRects(nearly, 0, 0)), runs);
    EXPECT_EQ(BuildRegionRects(TbsFBitmap(nearly), 0, 0), BuildRegionRects(nearly, 0, 0));

    EXPECT_TRUE(BuildRegionRects(TBitmap(), 0, 0).empty());
    EXPECT_FALSE(RegionFromBitmap(TBitmap()).has_value());
    const auto white = RegionFromBitmap(Filled(4, 4, clWhite));
    ASSERT_TRUE(white.has_value());
    EXPECT_TRUE(white->IsEmpty());
}

TEST(BuildRegionRects, BufferGrowsPastTenThousandRectangles) {
    // A checkerboard: 151 runs on even rows, 150 on odd rows.
    TBitmap mask = Filled(301, 100, clWhite);
    for (int y = 0; y < 100; ++y)
        for (int x = y % 2; x < 301; x += 2) mask.SetPixel(x, y, clBlack);
    const auto data = BuildRegionRects(mask, 0, 0);
    const std::size_t count = 50 * 151 + 50 * 150;
    ASSERT_EQ(Field(data, 2), static_cast<int32_t>(count));
    ASSERT_EQ(data.size(), 32 + 16 * count);
    const auto rects = RegionDataRects(data);
    ASSERT_EQ(rects.size(), count);
    EXPECT_EQ(rects.back(), (TRect{299, 99, 300, 100}));

    const auto region = RegionFromBitmap(mask);
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->Contains({300, 98}));
    EXPECT_FALSE(region->Contains({300, 99}));
    EXPECT_TRUE(region->Contains({299, 99}));
}

TEST(RegionData, MalformedDataGivesNoRegion) {
    TBitmap mask = Filled(4, 2, clBlack);
    const auto good = BuildRegionRects(mask, 0, 0);
    ASSERT_TRUE(RegionFromData(good).has_value());

    auto truncated = good;
    truncated.resize(truncated.size() - 1);
    EXPECT_FALSE(RegionFromData(truncated).has_value());
    auto wrongType = good;
    wrongType[4] = 2;
    EXPECT_FALSE(RegionFromData(wrongType).has_value());
    EXPECT_TRUE(RegionDataRects(wrongType).empty());
    auto hugeCount = good;
    const int32_t huge = 0x7FFFFFFF;
    std::memcpy(hugeCount.data() + 8, &huge, 4);
    EXPECT_FALSE(RegionFromData(hugeCount).has_value());
    EXPECT_FALSE(RegionFromData({1, 2, 3}).has_value());
}

// A 20 x 16 mask, black but for a few white pixels, with client (3, 4, 17, 12).
TBitmap FrameMask() {
    TBitmap m = Filled(20, 16, clBlack);
    m.SetPixel(0, 0, clWhite);    // rounded top-left corner
    m.SetPixel(19, 0, clWhite);   // rounded top-right corner
    m.SetPixel(8, 1, clWhite);    // inside the repeated top middle (6..14)
    m.SetPixel(0, 5, clWhite);    // inside the repeated left middle (4..12)
    m.SetPixel(19, 15, clWhite);  // bottom-right corner
    return m;
}
const TbsFrameGeometry kMaskGeometry{{6, 4}, {14, 4}, {6, 12}, {14, 12}, {3, 4, 17, 12}};

TEST(BuildFrameRegion, ClientUnitedWithTheMaskStrips) {
    TBitmap mask = FrameMask();
    const TbsFrameGeometry ng{{6, 4}, {24, 4}, {6, 20}, {24, 20}, {3, 4, 27, 20}};
    const auto region = BuildFrameRegion(mask, kMaskGeometry, ng, 30);
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(region->Box(), (TRect{0, 0, 30, 24}));

    const TPoint holes[] = {{0, 0}, {29, 0}, {8, 1}, {16, 1}, {0, 5}, {0, 13}, {29, 23}};
    for (const TPoint& p : holes) EXPECT_FALSE(region->Contains(p)) << p.X << "," << p.Y;
    int inside = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 30; ++x) inside += region->Contains({x, y}) ? 1 : 0;
    EXPECT_EQ(inside, 30 * 24 - 7);
}

TEST(BuildFrameRegion, BackwardPointsOrNothingToUnite) {
    TBitmap mask = FrameMask();
    TbsFrameGeometry backwards{{6, 4}, {5, 4}, {6, 20}, {24, 20}, {3, 4, 27, 20}};
    EXPECT_FALSE(BuildFrameRegion(mask, kMaskGeometry, backwards, 30).has_value());
    backwards = {{6, 4}, {24, 4}, {6, 3}, {24, 20}, {3, 4, 27, 20}};
    EXPECT_FALSE(BuildFrameRegion(mask, kMaskGeometry, backwards, 30).has_value());

    TBitmap empty;
    const TbsFrameGeometry ng{{6, 4}, {24, 4}, {6, 20}, {24, 20}, {3, 4, 27, 20}};
    const auto clientOnly = BuildFrameRegion(empty, kMaskGeometry, ng, 30);
    ASSERT_TRUE(clientOnly.has_value());
    EXPECT_EQ(clientOnly->Box(), (TRect{3, 4, 27, 20}));

    TbsFrameGeometry noClient = ng;
    noClient.ClientRect = {3, 4, 3, 20};
    EXPECT_FALSE(BuildFrameRegion(empty, kMaskGeometry, noClient, 30).has_value());
}

// The region straight from the mask is the region of its rectangle data, rectangle for
// rectangle, whatever the mask: noise of several densities, runs at both edges, repeated and
// empty rows.
TEST(RegionFromBitmap, SameRegionAsItsRectangleData) {
    std::mt19937 rnd(11);
    for (int density : {1, 2, 8, 15}) {
        TBitmap mask = Filled(67, 40, clWhite);
        for (int y = 0; y < 40; ++y) {
            if (y % 9 == 4) continue;  // an empty row
            for (int x = 0; x < 67; ++x) {
                const bool black =
                    y % 5 == 1 ? mask.Pixel(x, y - 1) == clBlack : static_cast<int>(rnd() % 16) < density;
                if (black) mask.SetPixel(x, y, clBlack);
            }
        }
        mask.SetPixel(0, 0, clBlack);
        mask.SetPixel(66, 0, clBlack);
        const auto direct = RegionFromBitmap(mask);
        const auto viaData = RegionFromData(BuildRegionRects(mask, 0, 0));
        ASSERT_TRUE(direct.has_value());
        ASSERT_TRUE(viaData.has_value());
        EXPECT_TRUE(*direct == *viaData) << "density " << density;
        EXPECT_EQ(direct->Rects(), viaData->Rects()) << "density " << density;
        EXPECT_TRUE(direct->Contains({66, 0}));
    }
    const auto black = RegionFromBitmap(Filled(5, 3, clBlack));
    ASSERT_TRUE(black.has_value());
    EXPECT_EQ(black->Rects(), (std::vector<TRect>{{0, 0, 5, 3}}));
}

}  // namespace
}  // namespace skin
