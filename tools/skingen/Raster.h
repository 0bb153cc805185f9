#pragma once
// Anti-aliased drawing for the asset generators: shapes are sampled 4 x 4 times per pixel and
// blended over the bitmap, so straight edges on whole pixels stay crisp and curves are smooth.
// Only +, -, *, / and sqrt are used on the geometry, so the same inputs give the same bytes.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"

namespace skingen {

using platform::gfx::TBitmap;
using platform::gfx::TColor;

struct TPointF {
    double X = 0;
    double Y = 0;
};

struct TRectF {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    [[nodiscard]] double Width() const { return Right - Left; }
    [[nodiscard]] double Height() const { return Bottom - Top; }
    [[nodiscard]] TRectF Inset(double d) const { return {Left + d, Top + d, Right - d, Bottom - d}; }
};

// Per-corner radii: top-left, top-right, bottom-right, bottom-left.
struct TRadii {
    double TL = 0, TR = 0, BR = 0, BL = 0;
    TRadii() = default;
    TRadii(double all) : TL(all), TR(all), BR(all), BL(all) {}  // NOLINT(google-explicit-constructor)
    TRadii(double tl, double tr, double br, double bl) : TL(tl), TR(tr), BR(br), BL(bl) {}
    [[nodiscard]] TRadii Shrink(double d) const;
};

// A solid colour or a linear gradient from From (at P0) to To (at P1).
struct TPaint {
    TColor From = 0;
    TColor To = 0;
    TPointF P0, P1;
    bool Gradient = false;

    static TPaint Solid(TColor c) { return {c, c, {}, {}, false}; }
    static TPaint Vertical(TColor top, TColor bottom, double y0, double y1) {
        return {top, bottom, {0, y0}, {0, y1}, true};
    }
    static TPaint Horizontal(TColor left, TColor right, double x0, double x1) {
        return {left, right, {x0, 0}, {x1, 0}, true};
    }
    [[nodiscard]] TColor At(double x, double y) const;
};

// Colour helpers (colours are 0x00BBGGRR).
[[nodiscard]] TColor Mix(TColor a, TColor b, double t);  // t = 0 gives a
// 0xRRGGBB as design tools write it.
[[nodiscard]] constexpr TColor Hex(uint32_t rrggbb) {
    return platform::gfx::RGB(static_cast<int>((rrggbb >> 16) & 0xFF), static_cast<int>((rrggbb >> 8) & 0xFF),
                              static_cast<int>(rrggbb & 0xFF));
}

class TRaster {
public:
    explicit TRaster(TBitmap& target) : m_target(target) {}

    [[nodiscard]] TBitmap& Target() { return m_target; }

    void FillRect(int left, int top, int right, int bottom, TColor color);
    void FillRect(int left, int top, int right, int bottom, const TPaint& paint);
    void BlendPixel(int x, int y, TColor color, double alpha);

    // Any shape given by an inside test, within a bounding box (clipped to the bitmap).
    void FillShape(const TRectF& box, const std::function<bool(double, double)>& inside, const TPaint& paint,
                   double alpha = 1.0);

    void FillRoundRect(const TRectF& r, const TRadii& radii, const TPaint& paint, double alpha = 1.0);
    // A ring of the given width inside the rectangle's outline.
    void StrokeRoundRect(const TRectF& r, const TRadii& radii, double width, const TPaint& paint,
                         double alpha = 1.0);
    void FillCircle(double cx, double cy, double radius, const TPaint& paint, double alpha = 1.0);
    void StrokeCircle(double cx, double cy, double radius, double width, const TPaint& paint,
                      double alpha = 1.0);
    // Even-odd fill.
    void FillPolygon(const std::vector<TPointF>& points, const TPaint& paint, double alpha = 1.0);
    // Round-capped thick lines through the points.
    void StrokePolyline(const std::vector<TPointF>& points, double width, const TPaint& paint,
                        double alpha = 1.0);
    void StrokeLine(double x0, double y0, double x1, double y1, double width, const TPaint& paint,
                    double alpha = 1.0) {
        StrokePolyline({{x0, y0}, {x1, y1}}, width, paint, alpha);
    }

private:
    TBitmap& m_target;
};

[[nodiscard]] bool InsideRoundRect(const TRectF& r, const TRadii& radii, double x, double y);
[[nodiscard]] bool InsidePolygon(const std::vector<TPointF>& points, double x, double y);
[[nodiscard]] double DistanceToSegment(double px, double py, double x0, double y0, double x1, double y1);

// Points of a five-pointed star (outer radius r, inner radius ri), first point straight up.
[[nodiscard]] std::vector<TPointF> StarPoints(double cx, double cy, double r, double ri);

// Blurs a one-channel alpha map (values 0..1) with a box blur run three times (close to a
// Gaussian); w x h, radius in pixels.
void BlurAlpha(std::vector<double>& alpha, int w, int h, int radius);

}  // namespace skingen
