#pragma once
// Private helpers shared by the canvas sources and the image list: the effective clip, raster
// operations and span filling, all in target (device) coordinates.

#include <algorithm>
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

inline void FillDeviceRect(TBitmap& target, const TClipView& clip, const TRect& area, uint32_t color,
                           TRop rop) {
    clip.ForEach(area, [&](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            uint32_t* row = target.ScanLine(y);
            if (rop == TRop::Copy)
                std::fill(row + r.Left, row + r.Right, color);
            else
                for (int x = r.Left; x < r.Right; ++x) ApplyRop(row[x], color, rop);
        }
    });
}

inline void FillSpan(TBitmap& target, const TClipView& clip, int y, int x0, int x1, uint32_t color,
                     TRop rop) {
    if (x0 < x1) FillDeviceRect(target, clip, {x0, y, x1, y + 1}, color, rop);
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
    static TClipView Clip(const TCanvas& canvas, const TRect& limit = kUnlimited);
    static TPoint Origin(const TCanvas& canvas) { return canvas.m_origin; }
    // Draws image pixels whose opacity byte is set (all when opaque is empty) at logical x, y;
    // with a solid colour, that colour replaces the image's pixels.
    static void DrawMasked(TCanvas& canvas, int x, int y, const TBitmap& image,
                           const std::vector<uint8_t>& opaque, const uint32_t* solid);
};

}  // namespace platform::gfx
