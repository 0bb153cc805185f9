// TCanvas: clipping, pixels, lines and shapes.

#include <cmath>

#include "platform/gfx/CanvasInternal.h"

namespace platform::gfx {
namespace {

// Dash patterns of one-pixel pens, in pixels on, off, on, off...
constexpr int kDashPattern[] = {18, 6};
constexpr int kDotPattern[] = {3, 3};

bool PatternOn(TPenStyle style, long long step) {
    auto on = [step](const int* p, int n) {
        int period = 0;
        for (int i = 0; i < n; ++i) period += p[i];
        long long t = step % period;
        for (int i = 0; i < n; ++i) {
            if (t < p[i]) return i % 2 == 0;
            t -= p[i];
        }
        return true;
    };
    switch (style) {
        case TPenStyle::psDash:
            return on(kDashPattern, 2);
        case TPenStyle::psDot:
            return on(kDotPattern, 2);
        case TPenStyle::psClear:
            return false;
        default:
            return true;
    }
}

TRop RopOf(TPenMode mode) {
    switch (mode) {
        case TPenMode::pmNot:
            return TRop::Not;
        case TPenMode::pmXor:
            return TRop::Xor;
        default:
            return TRop::Copy;
    }
}

// Walks the pixels of a one-pixel line from a to b, excluding b, calling f(x, y, step) for the
// steps whose major coordinate lies in [lo, hi). At an exact tie the pixel nearer the start wins.
template <class F>
void WalkLine(long long x0, long long y0, long long x1, long long y1, const TRect& box, F&& f) {
    const long long dx = x1 - x0, dy = y1 - y0;
    const long long adx = std::llabs(dx), ady = std::llabs(dy);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    if (adx == 0 && ady == 0) return;
    const bool xMajor = adx >= ady;
    const long long major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const long long start = xMajor ? x0 : y0;
    const int dir = xMajor ? sx : sy;
    const long long lo = xMajor ? box.Left : box.Top, hi = xMajor ? box.Right : box.Bottom;
    // Steps i with start + dir * i inside [lo, hi), intersected with [0, major).
    long long first = 0, last = major;
    if (dir > 0) {
        first = std::max(first, lo - start);
        last = std::min(last, hi - start);
    } else {
        first = std::max(first, start - hi + 1);
        last = std::min(last, start - lo + 1);
    }
    // 2 * i * minor overflows 64 bits only for lines spanning more than 2^31 pixels.
    const bool wide = major > (1LL << 30);
    for (long long i = first; i < last; ++i) {
        const long long off =
            wide ? static_cast<long long>((2 * static_cast<__int128>(i) * minor + major - 1) / (2 * major))
                 : (2 * i * minor + major - 1) / (2 * major);
        const long long x = xMajor ? x0 + sx * i : x0 + sx * off;
        const long long y = xMajor ? y0 + sy * off : y0 + sy * i;
        f(x, y, i);
    }
}

// A wide pen's stroke: the pixels whose centres lie within width / 2 of the segment between
// the end points' centres (round caps). Even widths shift the centre line by half a pixel so the
// stroke is exactly width pixels across. Calls f(y, x0, x1) once per covered row of box.
template <class F>
void ScanCapsule(double ax, double ay, double bx, double by, int width, const TRect& box, F&& f) {
    const double shift = (width % 2 == 0) ? 0.5 : 0.0;
    ax += shift, ay += shift, bx += shift, by += shift;
    const double r = width / 2.0, dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy, len = std::sqrt(len2);
    const double top = std::max<double>(box.Top, std::ceil(std::min(ay, by) - r));
    const double bottom = std::min<double>(box.Bottom - 1, std::floor(std::max(ay, by) + r));
    for (double y = top; y <= bottom; ++y) {
        double lo = 1e300, hi = -1e300;
        auto take = [&](double a, double b) {
            if (a > b) return;
            lo = std::min(lo, a);
            hi = std::max(hi, b);
        };
        for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
            const double h = r * r - (y - cy) * (y - cy);
            if (h >= 0) take(cx - std::sqrt(h), cx + std::sqrt(h));
        }
        if (len2 > 0) {
            const double ry = y - ay;
            // Perpendicular distance: |dx * ry - dy * u| <= r * len, with u = x - ax.
            double pLo = -1e300, pHi = 1e300;
            if (dy != 0) {
                pLo = (dx * ry - r * len) / dy;
                pHi = (dx * ry + r * len) / dy;
                if (pLo > pHi) std::swap(pLo, pHi);
            } else if (std::fabs(ry) > r) {
                pLo = 1, pHi = 0;
            }
            // Projection onto the segment: 0 <= dx * u + dy * ry <= len2.
            double qLo = -1e300, qHi = 1e300;
            if (dx != 0) {
                qLo = (-dy * ry) / dx;
                qHi = (len2 - dy * ry) / dx;
                if (qLo > qHi) std::swap(qLo, qHi);
            } else if (dy * ry < 0 || dy * ry > len2) {
                qLo = 1, qHi = 0;
            }
            take(ax + std::max(pLo, qLo), ax + std::min(pHi, qHi));
        }
        if (lo > hi) continue;
        const double x0 = std::ceil(lo - 1e-9), x1 = std::floor(hi + 1e-9) + 1;
        if (x0 < x1)
            f(static_cast<int>(y), static_cast<int>(std::clamp<double>(x0, -kCoordLimit, kCoordLimit)),
              static_cast<int>(std::clamp<double>(x1, -kCoordLimit, kCoordLimit)));
    }
}

// The effective clip of a target of w x h device pixels at the given scale.
void BuildClip(std::vector<TRect>& out, int w, int h, int scale, const std::optional<TRegion>& deviceClip,
               const std::optional<TRegion>& ownClip, TPoint origin) {
    out.clear();
    const TRect whole{0, 0, std::max(0, w), std::max(0, h)};
    if (!deviceClip && !ownClip) {
        if (!whole.IsEmpty()) out.push_back(whole);
        return;
    }
    TRegion region(whole);
    if (deviceClip) region.Intersect(deviceClip->Scaled(scale));
    if (ownClip) {
        TRegion own(*ownClip);
        own.Offset(origin.X, origin.Y);
        region.Intersect(own.Scaled(scale));
    }
    out = region.Rects();
}

TRect ScaledLimit(const TRect& limit, int scale) {
    if (scale == 1) return limit;
    return {ClampCoord(static_cast<long long>(limit.Left) * scale),
            ClampCoord(static_cast<long long>(limit.Top) * scale),
            ClampCoord(static_cast<long long>(limit.Right) * scale),
            ClampCoord(static_cast<long long>(limit.Bottom) * scale)};
}

}  // namespace

TSurface TCanvasAccess::Primary(const TCanvas& c, const TRect& limit) {
    TBitmap& t = *c.m_target;
    const int w = t.m_width, h = t.m_height;
    if (!c.m_clipValid || w != c.m_clipWidth || h != c.m_clipHeight) {
        BuildClip(c.m_clipRects, w, h, c.m_scale, c.m_deviceClip, c.m_clip, c.m_origin);
        c.m_clipValid = true;
        c.m_clipWidth = w;
        c.m_clipHeight = h;
    }
    return TSurface{t.WritablePixels(), w, h, c.m_scale,
                    TClipView{&c.m_clipRects, ScaledLimit(limit, c.m_scale)}};
}

// A plain bitmap's canvas on a scaled screen draws into the bitmap's picture at the screen scale
// too; that picture starts as the bitmap enlarged by whole pixels.
TSurfaces TCanvasAccess::Surfaces(TCanvas& c, const TRect& limit) {
    TSurfaces out;
    out.Add(Primary(c, limit));
    const int scale = ScreenScale();
    TBitmap& t = *c.m_target;
    if (scale <= 1 || c.m_scale != 1 || t.Empty()) return out;
    if (!t.m_hiRes || t.m_hiRes->m_width != t.m_width * scale || t.m_hiRes->m_height != t.m_height * scale)
        t.m_hiRes = std::make_unique<TBitmap>(ScaledBitmap(t, scale));
    TBitmap& hi = *t.m_hiRes;
    if (!c.m_hiClipValid || c.m_hiClipScale != scale || hi.m_width != c.m_hiClipWidth ||
        hi.m_height != c.m_hiClipHeight) {
        BuildClip(c.m_hiClipRects, hi.m_width, hi.m_height, scale, c.m_deviceClip, c.m_clip, c.m_origin);
        c.m_hiClipValid = true;
        c.m_hiClipScale = scale;
        c.m_hiClipWidth = hi.m_width;
        c.m_hiClipHeight = hi.m_height;
    }
    out.Add(TSurface{hi.WritablePixels(), hi.m_width, hi.m_height, scale,
                     TClipView{&c.m_hiClipRects, ScaledLimit(limit, scale)}});
    return out;
}

void TCanvasAccess::DrawMasked(TCanvas& canvas, int x, int y, const TBitmap& image,
                               const std::vector<uint8_t>& opaque, const uint32_t* solid) {
    if (image.Empty()) return;
    const bool masked = opaque.size() == static_cast<std::size_t>(image.Width()) * image.Height();
    const int lx = ClampCoord(static_cast<long long>(x) + canvas.m_origin.X);
    const int ly = ClampCoord(static_cast<long long>(y) + canvas.m_origin.Y);
    const TRect logical{lx, ly, ClampCoord(static_cast<long long>(lx) + image.Width()),
                        ClampCoord(static_cast<long long>(ly) + image.Height())};
    for (const TSurface& s : Surfaces(canvas)) {
        const TRect area = s.Device(logical);
        const int k = s.Scale;
        s.Clip.ForEach(area, [&](const TRect& r) {
            for (int py = r.Top; py < r.Bottom; ++py) {
                const int sy = (py - area.Top) / k;
                const uint32_t* src = image.ScanLine(sy);
                const uint8_t* mask =
                    masked ? opaque.data() + static_cast<std::size_t>(sy) * image.Width() : nullptr;
                uint32_t* dst = s.Row(py);
                for (int px = r.Left; px < r.Right; ++px) {
                    const int sx = (px - area.Left) / k;
                    if (mask && !mask[sx]) continue;
                    dst[px] = solid ? *solid : src[sx];
                }
            }
        });
    }
}

TCanvas::TCanvas(TBitmap& target) : m_target(&target) {}

void TCanvas::IntersectClipRect(const TRect& rect) {
    const TRect r = ClampRect(rect);
    if (m_clip)
        m_clip->Intersect(r);
    else
        m_clip = TRegion(r);
    m_clipValid = false;
    m_hiClipValid = false;
}

void TCanvas::ExcludeClipRect(const TRect& rect) {
    if (!m_clip) m_clip = TRegion(kUnlimited);
    m_clip->Subtract(ClampRect(rect));
    m_clipValid = false;
    m_hiClipValid = false;
}

TRect TCanvas::ClipRect() const {
    return TCanvasAccess::Primary(*this).LogicalBounds().Offset(-m_origin.X, -m_origin.Y);
}

// Reads ignore the clip: only pixels outside the target have no colour. On a scaled target a
// logical pixel reads its block's top-left device pixel.
TColor TCanvas::Pixels(int x, int y) const {
    const long long dx = (static_cast<long long>(x) + m_origin.X) * m_scale;
    const long long dy = (static_cast<long long>(y) + m_origin.Y) * m_scale;
    if (dx < 0 || dy < 0 || dx >= m_target->Width() || dy >= m_target->Height()) return clNone;
    return PixelToColor(static_cast<const TBitmap&>(*m_target).ScanLine(static_cast<int>(dy))[dx]);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    const long long dx = static_cast<long long>(x) + m_origin.X;
    const long long dy = static_cast<long long>(y) + m_origin.Y;
    if (std::llabs(dx) >= kCoordLimit || std::llabs(dy) >= kCoordLimit) return;
    const int ix = static_cast<int>(dx), iy = static_cast<int>(dy);
    const uint32_t pixel = ResolvePixel(color);
    for (const TSurface& s : TCanvasAccess::Surfaces(*this)) {
        if (s.Scale == 1) {
            if (s.Clip.Contains(ix, iy)) s.Row(iy)[ix] = pixel;
        } else {
            FillLogical(s, {ix, iy, ix + 1, iy + 1}, pixel, TRop::Copy);
        }
    }
}

void TCanvas::LineTo(int x, int y) {
    const TPoint from = m_penPos;
    m_penPos = {x, y};
    if (Pen.Style == TPenStyle::psClear) return;
    const long long x0 = static_cast<long long>(from.X) + m_origin.X;
    const long long y0 = static_cast<long long>(from.Y) + m_origin.Y;
    const long long x1 = static_cast<long long>(x) + m_origin.X;
    const long long y1 = static_cast<long long>(y) + m_origin.Y;
    const uint32_t color = ResolvePixel(Pen.Color);
    const TRop rop = RopOf(Pen.Mode);
    for (const TSurface& s : TCanvasAccess::Surfaces(*this)) {
        const TRect bounds = s.LogicalBounds();
        if (bounds.IsEmpty()) continue;
        if (Pen.Width <= 1) {
            const TPenStyle style = Pen.Style;
            WalkLine(x0, y0, x1, y1, bounds, [&](long long px, long long py, long long step) {
                if (style != TPenStyle::psSolid && !PatternOn(style, step)) return;
                if (py < bounds.Top || py >= bounds.Bottom || px < bounds.Left || px >= bounds.Right) return;
                const int ix = static_cast<int>(px), iy = static_cast<int>(py);
                if (s.Scale == 1) {
                    if (s.Clip.Contains(ix, iy)) ApplyRop(s.Row(iy)[ix], color, rop);
                } else {
                    FillLogical(s, {ix, iy, ix + 1, iy + 1}, color, rop);
                }
            });
            continue;
        }
        // Wide pens are geometric: round caps at both ends, so the end point is covered.
        ScanCapsule(static_cast<double>(x0), static_cast<double>(y0), static_cast<double>(x1),
                    static_cast<double>(y1), std::min(Pen.Width, 4096), bounds,
                    [&](int row, int left, int right) { FillSpan(s, row, left, right, color, rop); });
    }
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    const TPoint saved = m_penPos;
    MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
    m_penPos = saved;
}

// Filled with the even-odd rule (the platform's default fill mode), sampled at pixel centres so
// that a polygon's right and bottom edges are excluded from the fill as with rectangles.
void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    const TRop rop = RopOf(Pen.Mode);
    std::vector<std::pair<double, double>> pts;
    pts.reserve(points.size());
    double minY = 1e18, maxY = -1e18;
    for (const TPoint& p : points) {
        pts.emplace_back(static_cast<double>(p.X) + m_origin.X, static_cast<double>(p.Y) + m_origin.Y);
        minY = std::min(minY, pts.back().second);
        maxY = std::max(maxY, pts.back().second);
    }
    if (Brush.Style == TBrushStyle::bsSolid && points.size() >= 3) {
        const uint32_t fill = ResolvePixel(Brush.Color);
        for (const TSurface& s : TCanvasAccess::Surfaces(*this)) {
            const TRect bounds = s.LogicalBounds();
            if (bounds.IsEmpty()) continue;
            const int yFrom = std::max<double>(bounds.Top, std::floor(minY));
            const int yTo = std::min<double>(bounds.Bottom, std::ceil(maxY));
            std::vector<double> xs;
            for (int y = yFrom; y < yTo; ++y) {
                const double yc = y + 0.5;
                xs.clear();
                for (std::size_t i = 0; i < pts.size(); ++i) {
                    const auto [ax, ay] = pts[i];
                    const auto [bx, by] = pts[(i + 1) % pts.size()];
                    if (ay == by) continue;
                    if ((yc >= ay && yc < by) || (yc >= by && yc < ay))
                        xs.push_back(ax + (yc - ay) * (bx - ax) / (by - ay));
                }
                std::sort(xs.begin(), xs.end());
                for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                    const double l =
                        std::clamp(std::ceil(xs[i] - 0.5), -1.0 * kCoordLimit, 1.0 * kCoordLimit);
                    const double r =
                        std::clamp(std::ceil(xs[i + 1] - 0.5), -1.0 * kCoordLimit, 1.0 * kCoordLimit);
                    FillSpan(s, y, static_cast<int>(l), static_cast<int>(r), fill, rop);
                }
            }
        }
    }
    std::vector<TPoint> closed(points);
    closed.push_back(points.front());
    Polyline(closed);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    const TRect r = Normalized(ClampRect({left, top, right, bottom}));
    const TRect dev = r.Offset(m_origin.X, m_origin.Y);
    const TRop rop = RopOf(Pen.Mode);
    const bool fill = Brush.Style == TBrushStyle::bsSolid;
    if (Pen.Style == TPenStyle::psClear) {
        if (fill)
            for (const TSurface& s : TCanvasAccess::Surfaces(*this))
                FillLogical(s, dev, ResolvePixel(Brush.Color), rop);
        return;
    }
    const int w = std::clamp(Pen.Width, 1, 4096);
    // A wide pen is centred on the one-pixel outline.
    const TRect outer{dev.Left - (w - 1) / 2, dev.Top - (w - 1) / 2, dev.Right + w / 2, dev.Bottom + w / 2};
    if (outer.IsEmpty()) return;
    const TRect inner{outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w};
    if (fill && !inner.IsEmpty())
        for (const TSurface& s : TCanvasAccess::Surfaces(*this))
            FillLogical(s, inner, ResolvePixel(Brush.Color), rop);
    if (Pen.Style != TPenStyle::psSolid && w == 1) {
        Polyline({{r.Left, r.Top},
                  {r.Right - 1, r.Top},
                  {r.Right - 1, r.Bottom - 1},
                  {r.Left, r.Bottom - 1},
                  {r.Left, r.Top}});
        return;
    }
    const uint32_t color = ResolvePixel(Pen.Color);
    for (const TSurface& s : TCanvasAccess::Surfaces(*this)) {
        if (inner.IsEmpty()) {
            FillLogical(s, outer, color, rop);
            continue;
        }
        FillLogical(s, {outer.Left, outer.Top, outer.Right, inner.Top}, color, rop);
        FillLogical(s, {outer.Left, inner.Bottom, outer.Right, outer.Bottom}, color, rop);
        FillLogical(s, {outer.Left, inner.Top, inner.Left, inner.Bottom}, color, rop);
        FillLogical(s, {inner.Right, inner.Top, outer.Right, inner.Bottom}, color, rop);
    }
}

void TCanvas::Ellipse(const TRect& rect) {
    const TRect r = Normalized(ClampRect(rect)).Offset(m_origin.X, m_origin.Y);
    if (r.IsEmpty()) return;
    const TRop rop = RopOf(Pen.Mode);
    const bool outline = Pen.Style != TPenStyle::psClear;
    const bool fill = Brush.Style == TBrushStyle::bsSolid;
    const int w = outline ? std::clamp(Pen.Width, 1, 4096) : 0;
    const double cx = (r.Left + r.Right - 1) / 2.0, cy = (r.Top + r.Bottom - 1) / 2.0;
    const double a = (r.Width() - 1) / 2.0, b = (r.Height() - 1) / 2.0;
    // Pixel runs of the ellipse with half axes ha, hb on row y; empty when the row misses it.
    auto span = [&](double ha, double hb, int y, int& x0, int& x1) {
        x0 = x1 = 0;
        if (ha < 0 || hb < 0) return false;
        const double dy = (y - cy) / (hb + 0.5);
        if (std::fabs(dy) > 1) return false;
        const double half = (ha + 0.5) * std::sqrt(1 - dy * dy);
        x0 = static_cast<int>(std::ceil(cx - half - 1e-9));
        x1 = static_cast<int>(std::floor(cx + half + 1e-9)) + 1;
        return x0 < x1;
    };
    const uint32_t penColor = ResolvePixel(Pen.Color), brushColor = ResolvePixel(Brush.Color);
    for (const TSurface& s : TCanvasAccess::Surfaces(*this)) {
        const TRect bounds = s.LogicalBounds().Intersect(r);
        if (bounds.IsEmpty()) continue;
        for (int y = bounds.Top; y < bounds.Bottom; ++y) {
            int o0, o1, i0, i1;
            if (!span(a, b, y, o0, o1)) continue;
            const bool hasInner = span(a - w, b - w, y, i0, i1);
            if (!outline) {
                if (fill) FillSpan(s, y, o0, o1, brushColor, rop);
                continue;
            }
            if (!hasInner) {
                FillSpan(s, y, o0, o1, penColor, rop);
                continue;
            }
            if (fill) FillSpan(s, y, i0, i1, brushColor, rop);
            FillSpan(s, y, o0, i0, penColor, rop);
            FillSpan(s, y, i1, o1, penColor, rop);
        }
    }
}

void TCanvas::FillRect(const TRect& r) {
    if (Brush.Style != TBrushStyle::bsSolid) return;
    const TRect dev = ClampRect(r).Offset(m_origin.X, m_origin.Y);
    for (const TSurface& s : TCanvasAccess::Surfaces(*this))
        FillLogical(s, dev, ResolvePixel(Brush.Color), TRop::Copy);
}

void TCanvas::FrameRect(const TRect& r) {
    if (Brush.Style != TBrushStyle::bsSolid) return;
    const TRect d = ClampRect(r).Offset(m_origin.X, m_origin.Y);
    if (d.IsEmpty()) return;
    const uint32_t c = ResolvePixel(Brush.Color);
    for (const TSurface& s : TCanvasAccess::Surfaces(*this)) {
        FillLogical(s, {d.Left, d.Top, d.Right, d.Top + 1}, c, TRop::Copy);
        FillLogical(s, {d.Left, d.Bottom - 1, d.Right, d.Bottom}, c, TRop::Copy);
        FillLogical(s, {d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, c, TRop::Copy);
        FillLogical(s, {d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, c, TRop::Copy);
    }
}

// Every other frame pixel is inverted (pattern fixed to target coordinates), each exactly once,
// so drawing the same focus rectangle twice restores the picture. On a scaled target the pattern
// is one of logical pixels.
void TCanvas::DrawFocusRect(const TRect& r) {
    const TRect d = ClampRect(r).Offset(m_origin.X, m_origin.Y);
    if (d.IsEmpty()) return;
    for (const TSurface& s : TCanvasAccess::Surfaces(*this)) {
        auto dots = [&](int x0, int x1, int y0, int y1) {
            if (s.Scale == 1) {
                s.Clip.ForEach({x0, y0, x1, y1}, [&](const TRect& piece) {
                    for (int y = piece.Top; y < piece.Bottom; ++y) {
                        uint32_t* row = s.Row(y);
                        for (int x = piece.Left + ((piece.Left + y) & 1); x < piece.Right; x += 2)
                            row[x] = ~row[x] & kRgbMask;
                    }
                });
                return;
            }
            const TRect area = TRect{x0, y0, x1, y1}.Intersect(s.LogicalBounds());
            for (int y = area.Top; y < area.Bottom; ++y)
                for (int x = area.Left + ((area.Left + y) & 1); x < area.Right; x += 2)
                    FillLogical(s, {x, y, x + 1, y + 1}, 0, TRop::Not);
        };
        dots(d.Left, d.Right, d.Top, d.Top + 1);
        if (d.Bottom - 1 > d.Top) dots(d.Left, d.Right, d.Bottom - 1, d.Bottom);
        dots(d.Left, d.Left + 1, d.Top + 1, d.Bottom - 1);
        if (d.Right - 1 > d.Left) dots(d.Right - 1, d.Right, d.Top + 1, d.Bottom - 1);
    }
}

void TCanvas::Frame3D(TRect& r, TColor topLeft, TColor bottomRight, int width) {
    const uint32_t tl = ResolvePixel(topLeft), br = ResolvePixel(bottomRight);
    r = ClampRect(r);
    width = std::clamp(width, 0, kCoordLimit);
    const TSurfaces surfaces = TCanvasAccess::Surfaces(*this);
    // Inclusive corners, as the outline polylines address them.
    int l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
    for (int i = 0; i < width; ++i) {
        const TRect dev{l + m_origin.X, t + m_origin.Y, rr + m_origin.X, b + m_origin.Y};
        if (dev.Left <= dev.Right && dev.Top <= dev.Bottom) {
            for (const TSurface& s : surfaces) {
                FillLogical(s, {dev.Left, dev.Top, dev.Right, dev.Top + 1}, tl, TRop::Copy);
                FillLogical(s, {dev.Left, dev.Top, dev.Left + 1, dev.Bottom + 1}, tl, TRop::Copy);
                FillLogical(s, {dev.Right, dev.Top, dev.Right + 1, dev.Bottom}, br, TRop::Copy);
                FillLogical(s, {dev.Left, dev.Bottom, dev.Right + 1, dev.Bottom + 1}, br, TRop::Copy);
            }
        }
        ++l, ++t, --rr, --b;
    }
    r = {l, t, rr + 1, b + 1};
}

}  // namespace platform::gfx
