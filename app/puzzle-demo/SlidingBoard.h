#pragma once
// The sliding-tile board: an n × n grid holding the tiles 0 .. n·n − 2 and one gap. A tile
// slides into the gap from a neighbouring cell; a tile further along the gap's row or column
// pushes the tiles between along with it. Shuffling makes only legal moves from the solved
// board, so every shuffled board can be solved.

#include <cstdint>
#include <optional>
#include <vector>

namespace app::puzzle {

class TSlidingBoard {
public:
    static constexpr int kMinSize = 3;
    static constexpr int kMaxSize = 7;
    static constexpr int kGap = -1;

    // A size outside kMinSize .. kMaxSize is brought into that range.
    explicit TSlidingBoard(int size);

    [[nodiscard]] int Size() const { return m_size; }
    [[nodiscard]] int CellCount() const { return m_size * m_size; }
    // The tile at a cell (row-major index), kGap for the gap. Tile t belongs at cell t.
    [[nodiscard]] int TileAt(int cell) const { return m_cells.at(static_cast<std::size_t>(cell)); }
    [[nodiscard]] int GapCell() const { return m_gap; }
    [[nodiscard]] int Moves() const { return m_moves; }
    [[nodiscard]] bool IsSolved() const;

    // Slides the tiles between the cell and the gap towards the gap, when the cell shares the
    // gap's row or column; one move however many tiles go. False (nothing changes) otherwise.
    bool SlideFrom(int cell);
    // Moves the tile that lies next to the gap on the given side into it: dx, dy one of the four
    // unit steps, seen from the gap (dx = 1: the tile right of the gap moves left).
    bool SlideTowardsGap(int dx, int dy);
    // True when SlideFrom(cell) would move something.
    [[nodiscard]] bool CanSlideFrom(int cell) const;

    // Solved order, then `steps` random single-tile moves (never undoing the previous one),
    // repeated until the board is not solved. Resets the move counter.
    void Shuffle(uint32_t seed, int steps);
    void Reset();

private:
    int m_size;
    std::vector<int> m_cells;
    int m_gap = 0;
    int m_moves = 0;
};

}  // namespace app::puzzle
