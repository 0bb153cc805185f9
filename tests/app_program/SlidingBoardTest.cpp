#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "app/puzzle-demo/SlidingBoard.h"

namespace {

using app::puzzle::TSlidingBoard;

std::vector<int> Cells(const TSlidingBoard& b) {
    std::vector<int> cells;
    for (int i = 0; i < b.CellCount(); ++i) cells.push_back(b.TileAt(i));
    return cells;
}

// The parity rule of the n-puzzle: a board can be solved exactly when this holds.
bool Solvable(const TSlidingBoard& b) {
    std::vector<int> tiles;
    for (int i = 0; i < b.CellCount(); ++i)
        if (b.TileAt(i) != TSlidingBoard::kGap) tiles.push_back(b.TileAt(i));
    int inversions = 0;
    for (std::size_t i = 0; i < tiles.size(); ++i)
        for (std::size_t j = i + 1; j < tiles.size(); ++j) inversions += tiles[i] > tiles[j] ? 1 : 0;
    if (b.Size() % 2 == 1) return inversions % 2 == 0;
    const int gapRowFromBottom = b.Size() - b.GapCell() / b.Size();
    return (inversions + gapRowFromBottom) % 2 == 1;
}

TEST(SlidingBoardTest, NewBoardIsSolvedWithTheGapLastAndSizesAreBroughtIntoRange) {
    for (int size : {1, 3, 5, 7, 12}) {
        TSlidingBoard b(size);
        EXPECT_EQ(b.Size(), std::clamp(size, 3, 7));
        EXPECT_TRUE(b.IsSolved());
        EXPECT_EQ(b.GapCell(), b.CellCount() - 1);
        EXPECT_EQ(b.TileAt(b.CellCount() - 1), TSlidingBoard::kGap);
        EXPECT_EQ(b.Moves(), 0);
    }
}

TEST(SlidingBoardTest, OnlyTilesInTheGapsRowOrColumnSlide) {
    TSlidingBoard b(4);             // gap at cell 15 (row 3, column 3)
    EXPECT_FALSE(b.SlideFrom(0));   // another row and column
    EXPECT_FALSE(b.SlideFrom(10));  // diagonal neighbour
    EXPECT_FALSE(b.SlideFrom(15));  // the gap itself
    EXPECT_FALSE(b.SlideFrom(-1));
    EXPECT_FALSE(b.SlideFrom(16));
    EXPECT_EQ(b.Moves(), 0);
    EXPECT_TRUE(b.IsSolved());

    // A tile three cells along the row pushes the two between: one move.
    ASSERT_TRUE(b.SlideFrom(12));
    EXPECT_EQ(b.Moves(), 1);
    EXPECT_EQ(b.GapCell(), 12);
    EXPECT_EQ((std::vector<int>{b.TileAt(12), b.TileAt(13), b.TileAt(14), b.TileAt(15)}),
              (std::vector<int>{TSlidingBoard::kGap, 12, 13, 14}));
    // The same along a column.
    ASSERT_TRUE(b.SlideFrom(0));
    EXPECT_EQ(b.GapCell(), 0);
    EXPECT_EQ((std::vector<int>{b.TileAt(0), b.TileAt(4), b.TileAt(8), b.TileAt(12)}),
              (std::vector<int>{TSlidingBoard::kGap, 0, 4, 8}));
    EXPECT_FALSE(b.IsSolved());
}

TEST(SlidingBoardTest, ArrowStepsMoveTheNeighbourIntoTheGapAndStopAtTheEdge) {
    TSlidingBoard b(3);                     // gap bottom right
    EXPECT_FALSE(b.SlideTowardsGap(1, 0));  // nothing right of the gap
    EXPECT_FALSE(b.SlideTowardsGap(0, 1));  // nothing below
    EXPECT_FALSE(b.SlideTowardsGap(1, 1));  // not a unit step
    ASSERT_TRUE(b.SlideTowardsGap(-1, 0));  // the tile left of the gap moves right
    EXPECT_EQ(b.TileAt(8), 7);
    EXPECT_EQ(b.GapCell(), 7);
    ASSERT_TRUE(b.SlideTowardsGap(0, -1));  // the tile above moves down
    EXPECT_EQ(b.TileAt(7), 4);
    EXPECT_EQ(b.GapCell(), 4);
    // Undoing both solves the board again.
    ASSERT_TRUE(b.SlideTowardsGap(0, 1));
    ASSERT_TRUE(b.SlideTowardsGap(1, 0));
    EXPECT_TRUE(b.IsSolved());
    EXPECT_EQ(b.Moves(), 4);
}

TEST(SlidingBoardTest, ShuffleGivesARepeatableSolvableUnsolvedPermutation) {
    for (int size = 3; size <= 7; ++size) {
        for (uint32_t seed : {1u, 2u, 99u}) {
            TSlidingBoard b(size);
            b.Shuffle(seed, size * size * 25);
            EXPECT_FALSE(b.IsSolved());
            EXPECT_EQ(b.Moves(), 0);
            EXPECT_TRUE(Solvable(b)) << "size " << size << " seed " << seed;
            const std::vector<int> cells = Cells(b);
            std::set<int> distinct(cells.begin(), cells.end());
            EXPECT_EQ(distinct.size(), cells.size());
            EXPECT_EQ(b.TileAt(b.GapCell()), TSlidingBoard::kGap);

            TSlidingBoard again(size);
            again.Shuffle(seed, size * size * 25);
            EXPECT_EQ(Cells(again), cells);
        }
    }
    // Even a shuffle of a single step leaves the board unsolved.
    TSlidingBoard one(3);
    one.Shuffle(5, 1);
    EXPECT_FALSE(one.IsSolved());
}

}  // namespace
