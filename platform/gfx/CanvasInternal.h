#pragma once
// Private helpers shared by the canvas sources and the image list: the effective clip, raster
// operations and span filling, all in target (device) coordinates.

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace platform::gfx {

using core::TPoint;
using core::TRect;

constexpr uint32_t kRgbMask = 0x00FFFFFF;
// Coordinates are clamped to this range before any arithmetic so sums cannot overflow.
constexpr int kCoordLimit = 1 << 28;
constexpr TRect kUnlimited{-kCoordLimit, -kCoordLimit, kCoordLimit, kCoordLimit};

enum class TRop { Copy, Not, Xor };

inline uint32_t ResolvePixel(TColor c) {
    return ColorToPixel(ColorToRGB(c));
}

inline int ClampCoord(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -kCoordLimit, kCoordLimit));
}

inline TRect ClampRect(const TRect& r) {
    return {ClampCoord(r.Left), ClampCoord(r.Top), ClampCoord(r.Right), ClampCoord(r.Bottom)};
}

inline TRect Normalized(TRect r) {
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}

// The rectangles that may be drawn (banded, y-x sorted) further limited by one rectangle.
struct TClipView {
    const std::vector<TRect>* Rects = nullptr;
    TRect Limit = kUnlimited;

    template <class F>
    void ForEach(const TRect& area, F&& f) const {
        const TRect a = area.Intersect(Limit);
        if (a.IsEmpty()) return;
        for (const TRect& r : *Rects) {
            if (r.Top >= a.Bottom) break;
            const TRect i = r.Intersect(a);
            if (!i.IsEmpty()) f(i);
        }
    }
    [[nodiscard]] bool Contains(int x, int y) const {
        if (!Limit.Contains({x, y})) return false;
        for (const TRect& r : *Rects) {
            if (r.Top > y) break;
            if (r.Contains({x, y})) return true;
        }
        return false;
    }
    [[nodiscard]] TRect Bounds() const {
        TRect b;
        for (const TRect& r : *Rects) b = b.Union(r);
        return b.Intersect(Limit);
    }
};

inline void ApplyRop(uint32_t& d, uint32_t c, TRop rop) {
    switch (rop) {
        case TRop::Copy:
            d = c;
            break;
        case TRop::Not:
            d = ~d & kRgbMask;
            break;
        case TRop::Xor:
            d = (d ^ c) & kRgbMask;
            break;
    }
}

// What one drawing operation writes to: the pixels of a target at its scale (device pixels per
// logical pixel) with the effective clip in device pixels. A canvas has one surface, and a second
// one when its bitmap keeps a picture at the screen scale (see TBitmap).
struct TSurface {
    uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int Scale = 1;
    TClipView Clip;

    [[nodiscard]] uint32_t* Row(int y) const { return Bits + static_cast<std::size_t>(y) * Width; }
    // A rectangle in logical target coordinates in device pixels.
    [[nodiscard]] TRect Device(const TRect& r) const {
        if (Scale == 1) return r;
        return {ClampCoord(static_cast<long long>(r.Left) * Scale),
                ClampCoord(static_cast<long long>(r.Top) * Scale),
                ClampCoord(static_cast<long long>(r.Right) * Scale),
                ClampCoord(static_cast<long long>(r.Bottom) * Scale)};
    }
    // The logical target rectangle that covers every device pixel that can be drawn.
    [[nodiscard]] TRect LogicalBounds() const {
        const TRect b = Clip.Bounds();
        if (Scale == 1 || b.IsEmpty()) return b;
        auto down = [this](int v) { return v >= 0 ? v / Scale : -((-v + Scale - 1) / Scale); };
        auto up = [this](int v) { return v >= 0 ? (v + Scale - 1) / Scale : -(-v / Scale); };
        return {down(b.Left), down(b.Top), up(b.Right), up(b.Bottom)};
    }
};

// At most two surfaces, kept without allocating (canvas calls are frequent).
class TSurfaces {
public:
    void Add(const TSurface& s) { m_items[m_count++] = s; }
    [[nodiscard]] const TSurface* begin() const { return m_items.data(); }
    [[nodiscard]] const TSurface* end() const { return m_items.data() + m_count; }

private:
    std::array<TSurface, 2> m_items{};
    std::size_t m_count = 0;
};

inline void FillDeviceRect(const TSurface& s, const TRect& area, uint32_t color, TRop rop) {
    s.Clip.ForEach(area, [&](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            uint32_t* row = s.Row(y);
            if (rop == TRop::Copy)
                std::fill(row + r.Left, row + r.Right, color);
            else
                for (int x = r.Left; x < r.Right; ++x) ApplyRop(row[x], color, rop);
        }
    });
}

// Fills a rectangle given in logical target coordinates.
inline void FillLogical(const TSurface& s, const TRect& area, uint32_t color, TRop rop) {
    FillDeviceRect(s, s.Device(area), color, rop);
}

// A run of logical pixels x0..x1-1 on logical row y.
inline void FillSpan(const TSurface& s, int y, int x0, int x1, uint32_t color, TRop rop) {
    if (x0 < x1) FillLogical(s, {x0, y, x1, y + 1}, color, rop);
}

// Blends a colour into a pixel with coverage 0..255.
inline void BlendPixel(uint32_t& d, uint32_t c, unsigned a) {
    if (a >= 255) {
        d = c;
        return;
    }
    const unsigned inv = 255 - a;
    const unsigned b = ((c & 0xFF) * a + (d & 0xFF) * inv + 127) / 255;
    const unsigned g = (((c >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * inv + 127) / 255;
    const unsigned r = (((c >> 16) & 0xFF) * a + ((d >> 16) & 0xFF) * inv + 127) / 255;
    d = b | (g << 8) | (r << 16);
}

// Access to a canvas's private state for the canvas sources and the image list.
class TCanvasAccess {
public:
    // The surfaces to draw on, each clipped further by limit (logical target coordinates).
    static TSurfaces Surfaces(TCanvas& canvas, const TRect& limit = kUnlimited);
    // The primary surface only (for reading).
    static TSurface Primary(const TCanvas& canvas, const TRect& limit = kUnlimited);
    static TPoint Origin(const TCanvas& canvas) { return canvas.m_origin; }
    static int Scale(const TCanvas& canvas) { return canvas.m_scale; }
    // Draws image pixels whose opacity byte is set (all when opaque is empty) at logical x, y;
    // with a solid colour, that colour replaces the image's pixels.
    static void DrawMasked(TCanvas& canvas, int x, int y, const TBitmap& image,
                           const std::vector<uint8_t>& opaque, const uint32_t* solid);
};

}  // namespace platform::gfx
