// TRegion: set operations, point tests and pixman's banded rectangle order.

#include <gtest/gtest.h>

#include "platform/gfx/Region.h"
#include "platform/gfx/RegionBuilder.h"

using namespace platform::gfx;
using platform::core::Point;
using platform::core::Rect;
using platform::core::TRect;

TEST(Region, UnionIsBandedTopToBottomLeftToRight) {
    TRegion r(Rect(0, 0, 10, 10));
    r.Union(Rect(5, 5, 15, 15));
    EXPECT_EQ(r.Rects(), (std::vector<TRect>{Rect(0, 0, 10, 5), Rect(0, 5, 15, 10), Rect(5, 10, 15, 15)}));
    EXPECT_EQ(r.RectCount(), 3);
    EXPECT_EQ(r.Box(), Rect(0, 0, 15, 15));
    EXPECT_TRUE(r.Contains(Point(0, 0)));
    EXPECT_TRUE(r.Contains(Point(14, 14)));
    EXPECT_FALSE(r.Contains(Point(15, 14)));  // right and bottom are exclusive
    EXPECT_FALSE(r.Contains(Point(12, 2)));
    EXPECT_TRUE(r.Intersects(Rect(12, 8, 20, 9)));
    EXPECT_FALSE(r.Intersects(Rect(11, 0, 20, 4)));

    // The list constructor merges overlaps and skips empty rectangles.
    const TRegion fromList({Rect(5, 5, 15, 15), Rect(3, 3, 3, 9), Rect(0, 0, 10, 10)});
    EXPECT_TRUE(fromList == r);
}

TEST(Region, SubtractXorAndCombine) {
    TRegion r(Rect(0, 0, 9, 9));
    r.Subtract(Rect(3, 3, 6, 6));
    EXPECT_EQ(r.Rects(),
              (std::vector<TRect>{Rect(0, 0, 9, 3), Rect(0, 3, 3, 6), Rect(6, 3, 9, 6), Rect(0, 6, 9, 9)}));
    EXPECT_FALSE(r.Contains(Point(4, 4)));
    EXPECT_TRUE(r.Contains(Point(2, 4)));

    const TRegion a(Rect(0, 0, 4, 2));
    const TRegion b(Rect(2, 0, 6, 2));
    EXPECT_EQ(TRegion::Combine(a, b, RGN_XOR).Rects(),
              (std::vector<TRect>{Rect(0, 0, 2, 2), Rect(4, 0, 6, 2)}));
    EXPECT_EQ(TRegion::Combine(a, b, RGN_AND).Rects(), (std::vector<TRect>{Rect(2, 0, 4, 2)}));
    EXPECT_EQ(TRegion::Combine(a, b, RGN_OR).Rects(), (std::vector<TRect>{Rect(0, 0, 6, 2)}));
    EXPECT_EQ(TRegion::Combine(a, b, RGN_DIFF).Rects(), (std::vector<TRect>{Rect(0, 0, 2, 2)}));
    EXPECT_TRUE(TRegion::Combine(a, b, RGN_COPY) == a);

    TRegion c(a);
    c.Intersect(Rect(10, 10, 20, 20));
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.Box(), TRect{});
    EXPECT_EQ(a.Box(), Rect(0, 0, 4, 2));  // the copy was independent
}

TEST(Region, OffsetAndValueSemantics) {
    TRegion r(Rect(0, 0, 2, 2));
    r.Union(Rect(4, 0, 6, 2));
    TRegion moved = r;
    moved.Offset(10, -5);
    EXPECT_EQ(moved.Rects(), (std::vector<TRect>{Rect(10, -5, 12, -3), Rect(14, -5, 16, -3)}));
    EXPECT_TRUE(moved.Contains(Point(15, -4)));
    EXPECT_FALSE(r.Contains(Point(15, -4)));

    TRegion taken(std::move(moved));
    EXPECT_EQ(taken.RectCount(), 2);
    EXPECT_TRUE(moved.IsEmpty());  // moved-from regions stay usable and empty
    moved.Union(Rect(0, 0, 1, 1));
    EXPECT_EQ(moved.RectCount(), 1);

    TRegion assigned;
    assigned = std::move(taken);
    EXPECT_EQ(assigned.Box(), Rect(10, -5, 16, -3));
    EXPECT_TRUE(taken.IsEmpty());
    assigned.Clear();
    EXPECT_TRUE(assigned.IsEmpty());
}

// Runs given row by row make the same region, in the same banded form, as their rectangles do.
TEST(RegionBuilder, RowsOfRunsGiveTheCanonicalRegion) {
    TRegionBuilder builder;
    // Rows 0-2 alike (one band), row 3 different, row 4 missing, rows 5-6 alike again but apart
    // from rows 0-2 by the gap, so a band of their own.
    const std::vector<TRect> runs{Rect(0, 0, 2, 1), Rect(4, 0, 6, 1), Rect(0, 1, 2, 2), Rect(4, 1, 6, 2),
                                  Rect(0, 2, 2, 3), Rect(4, 2, 6, 3), Rect(1, 3, 5, 4), Rect(0, 5, 2, 6),
                                  Rect(4, 5, 6, 6), Rect(0, 6, 2, 7), Rect(4, 6, 6, 7)};
    for (const TRect& r : runs) builder.AddRun(r.Top, r.Left, r.Right);
    const TRegion built = builder.Finish();
    const TRegion reference(runs);
    EXPECT_TRUE(built == reference);
    EXPECT_EQ(built.Rects(), reference.Rects());
    EXPECT_EQ(built.Rects(), (std::vector<TRect>{Rect(0, 0, 2, 3), Rect(4, 0, 6, 3), Rect(1, 3, 5, 4),
                                                 Rect(0, 5, 2, 7), Rect(4, 5, 6, 7)}));
    EXPECT_EQ(built.Box(), Rect(0, 0, 6, 7));

    // The built region takes part in set operations like any other.
    TRegion cut = built;
    cut.Subtract(Rect(0, 0, 6, 1));
    TRegion cutReference = reference;
    cutReference.Subtract(Rect(0, 0, 6, 1));
    EXPECT_EQ(cut.Rects(), cutReference.Rects());
    TRegion joined = built;
    joined.Union(Rect(2, 0, 4, 3));
    EXPECT_EQ(joined.Rects(),
              (std::vector<TRect>{Rect(0, 0, 6, 3), Rect(1, 3, 5, 4), Rect(0, 5, 2, 7), Rect(4, 5, 6, 7)}));
}

TEST(RegionBuilder, TouchingRunsMergeAndDisorderedOnesAreIgnored) {
    TRegionBuilder builder;
    builder.AddRun(2, 0, 3);
    builder.AddRun(2, 3, 5);  // touches the run before: one run
    builder.AddRun(2, 1, 2);  // starts left of the last run: ignored
    builder.AddRun(1, 0, 9);  // a row above the current one: ignored
    builder.AddRun(2, 7, 7);  // empty: ignored
    builder.AddRun(3, 0, 5);  // the same run below: one band
    TRegion region = builder.Finish();
    EXPECT_EQ(region.Rects(), (std::vector<TRect>{Rect(0, 2, 5, 4)}));
    EXPECT_EQ(region.RectCount(), 1);
    EXPECT_TRUE(region.Contains(Point(4, 3)));
    EXPECT_FALSE(region.Contains(Point(5, 3)));

    // Nothing given: empty; the builder starts afresh after Finish.
    EXPECT_TRUE(builder.Finish().IsEmpty());
    builder.AddRun(0, 10, 12);
    EXPECT_EQ(builder.Finish().Rects(), (std::vector<TRect>{Rect(10, 0, 12, 1)}));
}
