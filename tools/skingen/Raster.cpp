#include "tools/skingen/Raster.h"

#include <algorithm>
#include <cmath>

namespace skingen {

using platform::gfx::ColorToPixel;
using platform::gfx::GetBValue;
using platform::gfx::GetGValue;
using platform::gfx::GetRValue;
using platform::gfx::PixelToColor;
using platform::gfx::RGB;

namespace {

constexpr int kSamples = 4;  // per axis

int Channel(double v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
}

}  // namespace

TRadii TRadii::Shrink(double d) const {
    return {std::max(0.0, TL - d), std::max(0.0, TR - d), std::max(0.0, BR - d), std::max(0.0, BL - d)};
}

TColor Mix(TColor a, TColor b, double t) {
    return RGB(Channel(GetRValue(a) + (GetRValue(b) - GetRValue(a)) * t),
               Channel(GetGValue(a) + (GetGValue(b) - GetGValue(a)) * t),
               Channel(GetBValue(a) + (GetBValue(b) - GetBValue(a)) * t));
}

TColor TPaint::At(double x, double y) const {
    if (!Gradient) return From;
    const double dx = P1.X - P0.X, dy = P1.Y - P0.Y;
    const double len2 = dx * dx + dy * dy;
    if (len2 <= 0) return From;
    const double t = std::clamp(((x - P0.X) * dx + (y - P0.Y) * dy) / len2, 0.0, 1.0);
    return Mix(From, To, t);
}

void TRaster::FillRect(int left, int top, int right, int bottom, TColor color) {
    FillRect(left, top, right, bottom, TPaint::Solid(color));
}

void TRaster::FillRect(int left, int top, int right, int bottom, const TPaint& paint) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_target.Width());
    bottom = std::min(bottom, m_target.Height());
    for (int y = top; y < bottom; ++y) {
        uint32_t* row = m_target.ScanLine(y);
        for (int x = left; x < right; ++x) row[x] = ColorToPixel(paint.At(x + 0.5, y + 0.5));
    }
}

void TRaster::BlendPixel(int x, int y, TColor color, double alpha) {
    if (x < 0 || y < 0 || x >= m_target.Width() || y >= m_target.Height() || alpha <= 0) return;
    uint32_t& p = m_target.ScanLine(y)[x];
    p = ColorToPixel(alpha >= 1 ? color : Mix(PixelToColor(p), color, alpha));
}

void TRaster::FillShape(const TRectF& box, const std::function<bool(double, double)>& inside,
                        const TPaint& paint, double alpha) {
    const int x0 = std::max(0, static_cast<int>(std::floor(box.Left)));
    const int y0 = std::max(0, static_cast<int>(std::floor(box.Top)));
    const int x1 = std::min(m_target.Width(), static_cast<int>(std::ceil(box.Right)));
    const int y1 = std::min(m_target.Height(), static_cast<int>(std::ceil(box.Bottom)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                const double py = y + (sy + 0.5) / kSamples;
                for (int sx = 0; sx < kSamples; ++sx)
                    if (inside(x + (sx + 0.5) / kSamples, py)) ++hits;
            }
            if (hits == 0) continue;
            BlendPixel(x, y, paint.At(x + 0.5, y + 0.5), alpha * hits / (kSamples * kSamples));
        }
    }
}

bool InsideRoundRect(const TRectF& r, const TRadii& radii, double x, double y) {
    if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) return false;
    auto corner = [&](double cx, double cy, double rad) {
        const double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= rad * rad;
    };
    if (radii.TL > 0 && x < r.Left + radii.TL && y < r.Top + radii.TL)
        return corner(r.Left + radii.TL, r.Top + radii.TL, radii.TL);
    if (radii.TR > 0 && x > r.Right - radii.TR && y < r.Top + radii.TR)
        return corner(r.Right - radii.TR, r.Top + radii.TR, radii.TR);
    if (radii.BR > 0 && x > r.Right - radii.BR && y > r.Bottom - radii.BR)
        return corner(r.Right - radii.BR, r.Bottom - radii.BR, radii.BR);
    if (radii.BL > 0 && x < r.Left + radii.BL && y > r.Bottom - radii.BL)
        return corner(r.Left + radii.BL, r.Bottom - radii.BL, radii.BL);
    return true;
}

void TRaster::FillRoundRect(const TRectF& r, const TRadii& radii, const TPaint& paint, double alpha) {
    FillShape(
        r, [&](double x, double y) { return InsideRoundRect(r, radii, x, y); }, paint, alpha);
}

void TRaster::StrokeRoundRect(const TRectF& r, const TRadii& radii, double width, const TPaint& paint,
                              double alpha) {
    const TRectF inner = r.Inset(width);
    const TRadii innerRadii = radii.Shrink(width);
    FillShape(
        r,
        [&](double x, double y) {
            return InsideRoundRect(r, radii, x, y) && !InsideRoundRect(inner, innerRadii, x, y);
        },
        paint, alpha);
}

void TRaster::FillCircle(double cx, double cy, double radius, const TPaint& paint, double alpha) {
    FillShape(
        {cx - radius, cy - radius, cx + radius, cy + radius},
        [&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; },
        paint, alpha);
}

void TRaster::StrokeCircle(double cx, double cy, double radius, double width, const TPaint& paint,
                           double alpha) {
    const double inner = std::max(0.0, radius - width);
    FillShape(
        {cx - radius, cy - radius, cx + radius, cy + radius},
        [&](double x, double y) {
            const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            return d2 <= radius * radius && d2 > inner * inner;
        },
        paint, alpha);
}

bool InsidePolygon(const std::vector<TPointF>& points, double x, double y) {
    bool inside = false;
    const std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const TPointF& a = points[i];
        const TPointF& b = points[j];
        if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
    }
    return inside;
}

void TRaster::FillPolygon(const std::vector<TPointF>& points, const TPaint& paint, double alpha) {
    if (points.size() < 3) return;
    TRectF box{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPointF& p : points) {
        box.Left = std::min(box.Left, p.X);
        box.Top = std::min(box.Top, p.Y);
        box.Right = std::max(box.Right, p.X);
        box.Bottom = std::max(box.Bottom, p.Y);
    }
    FillShape(
        box, [&](double x, double y) { return InsidePolygon(points, x, y); }, paint, alpha);
}

double DistanceToSegment(double px, double py, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

void TRaster::StrokePolyline(const std::vector<TPointF>& points, double width, const TPaint& paint,
                             double alpha) {
    if (points.empty()) return;
    const double h = width / 2;
    TRectF box{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPointF& p : points) {
        box.Left = std::min(box.Left, p.X);
        box.Top = std::min(box.Top, p.Y);
        box.Right = std::max(box.Right, p.X);
        box.Bottom = std::max(box.Bottom, p.Y);
    }
    box = box.Inset(-h - 1);
    // Each segment's own box, so that most samples skip the distance computation.
    std::vector<TRectF> boxes;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TPointF& a = points[i == 0 ? 0 : i - 1];
        const TPointF& b = points[i];
        boxes.push_back(
            TRectF{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)}.Inset(-h));
    }
    FillShape(
        box,
        [&](double x, double y) {
            for (std::size_t i = points.size() == 1 ? 0 : 1; i < points.size(); ++i) {
                const TRectF& sb = boxes[i];
                if (x < sb.Left || x > sb.Right || y < sb.Top || y > sb.Bottom) continue;
                const TPointF& a = points[i == 0 ? 0 : i - 1];
                if (DistanceToSegment(x, y, a.X, a.Y, points[i].X, points[i].Y) <= h) return true;
            }
            return false;
        },
        paint, alpha);
}

std::vector<TPointF> StarPoints(double cx, double cy, double r, double ri) {
    // sin and cos of 0, 36, 72, ... degrees, written out so the points never depend on libm.
    static constexpr double kSin[10] = {
        0.0, 0.5877852522924731,  0.9510565162951535,  0.9510565162951535,  0.5877852522924731,
        0.0, -0.5877852522924731, -0.9510565162951535, -0.9510565162951535, -0.5877852522924731};
    static constexpr double kCos[10] = {
        1.0,  0.8090169943749474,  0.30901699437494745,  -0.30901699437494745, -0.8090169943749474,
        -1.0, -0.8090169943749474, -0.30901699437494745, 0.30901699437494745,  0.8090169943749474};
    std::vector<TPointF> points;
    for (int k = 0; k < 10; ++k) {
        const double rad = k % 2 == 0 ? r : ri;
        points.push_back({cx + rad * kSin[k], cy - rad * kCos[k]});
    }
    return points;
}

void BlurAlpha(std::vector<double>& alpha, int w, int h, int radius) {
    if (radius < 1 || w < 1 || h < 1) return;
    const double norm = 1.0 / (2 * radius + 1);
    // One pass of a sliding-window mean along a line of n values (stride apart), edges clamped.
    std::vector<double> line;
    auto pass = [&](std::size_t start, std::size_t stride, int n) {
        line.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            line[static_cast<std::size_t>(i)] = alpha[start + stride * static_cast<std::size_t>(i)];
        auto at = [&](int i) { return line[static_cast<std::size_t>(std::clamp(i, 0, n - 1))]; };
        double sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += at(k);
        for (int i = 0; i < n; ++i) {
            alpha[start + stride * static_cast<std::size_t>(i)] = sum * norm;
            sum += at(i + radius + 1) - at(i - radius);
        }
    };
    for (int round = 0; round < 3; ++round) {
        for (int y = 0; y < h; ++y) pass(static_cast<std::size_t>(y) * w, 1, w);
        for (int x = 0; x < w; ++x) pass(static_cast<std::size_t>(x), static_cast<std::size_t>(w), h);
    }
}

}  // namespace skingen
