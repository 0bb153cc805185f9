#pragma once
// Geometry value types shared by every layer. Rectangles are left, top, right, bottom with right
// and bottom exclusive when drawing or copying.

#include <algorithm>
#include <cstdint>

namespace platform::core {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    [[nodiscard]] constexpr int Width() const { return Right - Left; }
    [[nodiscard]] constexpr int Height() const { return Bottom - Top; }
    [[nodiscard]] constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    [[nodiscard]] constexpr TPoint TopLeft() const { return {Left, Top}; }
    [[nodiscard]] constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    // Right and bottom exclusive, as the platform's point-in-rectangle test.
    [[nodiscard]] constexpr bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    [[nodiscard]] constexpr TRect Offset(int dx, int dy) const {
        return {Left + dx, Top + dy, Right + dx, Bottom + dy};
    }
    [[nodiscard]] constexpr TRect Intersect(const TRect& o) const {
        TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
                std::min(Bottom, o.Bottom)};
        if (r.IsEmpty()) return {};
        return r;
    }
    [[nodiscard]] constexpr TRect Union(const TRect& o) const {
        if (IsEmpty()) return o;
        if (o.IsEmpty()) return *this;
        return {std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right),
                std::max(Bottom, o.Bottom)};
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
constexpr TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }
constexpr TPoint Point(int x, int y) { return {x, y}; }

}  // namespace platform::core
