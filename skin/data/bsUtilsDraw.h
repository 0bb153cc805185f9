#pragma once
// Rectangle and point helpers of the skin engine, and TbsFBitmap, a 24-bit copy of a bitmap with
// direct row access for pixel scans.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"

namespace skin {

using platform::core::TPoint;
using platform::core::TRect;

[[nodiscard]] constexpr int RectWidthOf(const TRect& r) {
    return r.Right - r.Left;
}
[[nodiscard]] constexpr int RectHeightOf(const TRect& r) {
    return r.Bottom - r.Top;
}
[[nodiscard]] constexpr bool IsEmptyRect(const TRect& r) {
    return RectWidthOf(r) < 1 || RectHeightOf(r) < 1;
}
// A skin point with a zero coordinate counts as not set.
[[nodiscard]] constexpr bool IsEmptyPoint(const TPoint& p) {
    return p.X == 0 || p.Y == 0;
}
// Right and bottom edges count as inside (hit tests on skin areas).
[[nodiscard]] constexpr bool PointInsideRect(const TRect& r, const TPoint& p) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}
// Both corners of a lie in b, right and bottom exclusive.
[[nodiscard]] constexpr bool RectInsideRect(const TRect& a, const TRect& b) {
    return b.Contains(a.TopLeft()) && b.Contains(a.BottomRight());
}

// 24-bit top-down pixels, 3 bytes per pixel in the order blue, green, red; every row is padded
// to a multiple of 4 bytes (stride = 3 * width + width mod 4).
class TbsFBitmap {
public:
    TbsFBitmap() = default;
    TbsFBitmap(int width, int height);  // black; negative sizes count as 0
    explicit TbsFBitmap(const platform::gfx::TBitmap& bitmap);

    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }
    [[nodiscard]] int Stride() const { return m_stride; }
    [[nodiscard]] bool Empty() const { return m_width <= 0 || m_height <= 0; }
    [[nodiscard]] std::size_t SizeInBytes() const { return m_pixels.size(); }

    [[nodiscard]] uint8_t* ScanLine(int y) { return m_rows[static_cast<std::size_t>(y)]; }
    [[nodiscard]] const uint8_t* ScanLine(int y) const { return m_rows[static_cast<std::size_t>(y)]; }

    // Back to a 32-bit bitmap of the same size.
    void AssignTo(platform::gfx::TBitmap& bitmap) const;

    TbsFBitmap(const TbsFBitmap& other);
    TbsFBitmap& operator=(const TbsFBitmap& other);
    TbsFBitmap(TbsFBitmap&&) noexcept = default;
    TbsFBitmap& operator=(TbsFBitmap&&) noexcept = default;

    [[nodiscard]] static constexpr int StrideFor(int width) { return 3 * width + width % 4; }

private:
    void Allocate(int width, int height);
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<uint8_t> m_pixels;
    std::vector<uint8_t*> m_rows;
};

}  // namespace skin
