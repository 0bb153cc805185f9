#include "app/puzzle-demo/SlidingBoard.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>

namespace app::puzzle {

TSlidingBoard::TSlidingBoard(int size) : m_size(std::clamp(size, kMinSize, kMaxSize)) {
    Reset();
}

void TSlidingBoard::Reset() {
    m_cells.assign(static_cast<std::size_t>(CellCount()), 0);
    for (int i = 0; i < CellCount() - 1; ++i) m_cells[static_cast<std::size_t>(i)] = i;
    m_gap = CellCount() - 1;
    m_cells[static_cast<std::size_t>(m_gap)] = kGap;
    m_moves = 0;
}

bool TSlidingBoard::IsSolved() const {
    for (int i = 0; i < CellCount() - 1; ++i)
        if (m_cells[static_cast<std::size_t>(i)] != i) return false;
    return true;
}

bool TSlidingBoard::CanSlideFrom(int cell) const {
    if (cell < 0 || cell >= CellCount() || cell == m_gap) return false;
    return cell / m_size == m_gap / m_size || cell % m_size == m_gap % m_size;
}

bool TSlidingBoard::SlideFrom(int cell) {
    if (!CanSlideFrom(cell)) return false;
    // Walk the gap towards the cell one step at a time: each step pulls one tile into the gap.
    const int step =
        cell / m_size == m_gap / m_size ? (cell > m_gap ? 1 : -1) : (cell > m_gap ? m_size : -m_size);
    while (m_gap != cell) {
        const int next = m_gap + step;
        m_cells[static_cast<std::size_t>(m_gap)] = m_cells[static_cast<std::size_t>(next)];
        m_gap = next;
    }
    m_cells[static_cast<std::size_t>(m_gap)] = kGap;
    ++m_moves;
    return true;
}

bool TSlidingBoard::SlideTowardsGap(int dx, int dy) {
    if (std::abs(dx) + std::abs(dy) != 1) return false;
    const int col = m_gap % m_size + dx;
    const int row = m_gap / m_size + dy;
    if (col < 0 || col >= m_size || row < 0 || row >= m_size) return false;
    return SlideFrom(row * m_size + col);
}

void TSlidingBoard::Shuffle(uint32_t seed, int steps) {
    std::mt19937 random(seed);
    constexpr std::array<std::array<int, 2>, 4> kSteps{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
    do {
        Reset();
        int previous = -1;
        for (int i = 0; i < std::max(steps, 1); ++i) {
            std::array<int, 4> choices{};
            int count = 0;
            for (int d = 0; d < 4; ++d) {
                // The opposite of the previous step would only undo it.
                if (previous >= 0 && (d ^ 1) == previous) continue;
                const int col = m_gap % m_size + kSteps[d][0];
                const int row = m_gap / m_size + kSteps[d][1];
                if (col >= 0 && col < m_size && row >= 0 && row < m_size) choices[count++] = d;
            }
            const int d = choices[std::uniform_int_distribution<int>(0, count - 1)(random)];
            SlideTowardsGap(kSteps[d][0], kSteps[d][1]);
            previous = d;
        }
    } while (IsSolved());
    m_moves = 0;
}

}  // namespace app::puzzle
