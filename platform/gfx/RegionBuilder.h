#pragma once
// Builds a region from runs given row by row, top to bottom, each row's runs left to right (a
// mask scanned row by row gives them so). Rows equal to the row above merge into its band, so
// the result is the same region, in the same banded form, that TRegion's rectangle constructor
// makes of the same runs, in linear time instead of a sort.

#include <cstddef>
#include <cstdint>

#include "platform/gfx/Region.h"

namespace platform::gfx {

class TRegionBuilder {
public:
    TRegionBuilder() = default;
    ~TRegionBuilder();
    TRegionBuilder(const TRegionBuilder&) = delete;
    TRegionBuilder& operator=(const TRegionBuilder&) = delete;

    // Runs out of order or empty are ignored; a run touching the one before it on its row joins it.
    void AddRun(int y, int left, int right);
    // A whole row of count / 2 runs: edges holds left, right, left, right, ... as RegionFromBitmap
    // finds them (increasing, runs apart). Rows that are not so go run by run through AddRun.
    void AddRow(int y, const int32_t* edges, std::size_t count);
    // The region of every run given; the builder is empty again afterwards.
    [[nodiscard]] TRegion Finish();

private:
    struct TBox {
        int32_t X1, Y1, X2, Y2;
    };
    void EndRow();
    bool Grow(std::size_t more);
    [[nodiscard]] TBox* Boxes() const;

    // The boxes are kept in the region library's own data block, handed over whole by Finish.
    void* m_block = nullptr;
    std::size_t m_count = 0;
    std::size_t m_capacity = 0;
    std::size_t m_rowStart = 0;   // first box of the row being added
    std::size_t m_bandStart = 0;  // first box of the band above it
    bool m_inRow = false;
};

}  // namespace platform::gfx
