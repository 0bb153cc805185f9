#pragma once
// A set of pixels as a union of rectangles (a value type over pixman's 32-bit regions).

#include <memory>
#include <vector>

#include "platform/core/Types.h"

namespace platform::gfx {

class TRegion {
public:
    TRegion();                                   // empty
    explicit TRegion(const core::TRect& rect);
    explicit TRegion(const std::vector<core::TRect>& rects);  // union of the rectangles
    ~TRegion();
    TRegion(const TRegion& other);
    TRegion& operator=(const TRegion& other);
    TRegion(TRegion&& other) noexcept;
    TRegion& operator=(TRegion&& other) noexcept;

    [[nodiscard]] bool IsEmpty() const;
    [[nodiscard]] core::TRect Box() const;       // bounding box; empty rect when empty
    [[nodiscard]] bool Contains(core::TPoint p) const;
    [[nodiscard]] bool Intersects(const core::TRect& rect) const;
    [[nodiscard]] std::vector<core::TRect> Rects() const;  // banded, y-x sorted
    [[nodiscard]] int RectCount() const;

    TRegion& Union(const TRegion& other);
    TRegion& Union(const core::TRect& rect);
    TRegion& Intersect(const TRegion& other);
    TRegion& Intersect(const core::TRect& rect);
    TRegion& Subtract(const TRegion& other);
    TRegion& Subtract(const core::TRect& rect);
    TRegion& Xor(const TRegion& other);
    TRegion& Offset(int dx, int dy);
    // Every pixel becomes a factor x factor block (factor >= 1).
    [[nodiscard]] TRegion Scaled(int factor) const;
    void Clear();

    [[nodiscard]] static TRegion Combine(const TRegion& a, const TRegion& b, int mode);  // RGN_* below
    friend bool operator==(const TRegion& a, const TRegion& b);

    struct Impl;
    [[nodiscard]] const Impl* Handle() const { return m_impl.get(); }

private:
    std::unique_ptr<Impl> m_impl;
};

// Combine modes with the platform's numbers.
constexpr int RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;

}  // namespace platform::gfx
