// TCanvas: copying and stretching pictures (nearest neighbour, transparent colour).

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/CanvasInternal.h"

namespace platform::gfx {
namespace {

struct TSource {
    const uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
};

// Copies src's rectangle s into the device rectangle dest. Dest pixel i of a run of dW takes
// source pixel floor(i * sW / dW); rectangles whose widths (or heights) differ in sign mirror.
// Source pixels outside the source leave the destination unchanged.
// A source of logical resolution on a scaled surface (block > 1) is sampled per logical pixel, so
// that the result is the scale-1 copy with every pixel a block.
void Blit(const TSurface& target, TRect dest, TSource src, TRect s, const uint32_t* key, int block = 1) {
    const TClipView& clip = target.Clip;
    const bool flipX = (dest.Right < dest.Left) != (s.Right < s.Left);
    const bool flipY = (dest.Bottom < dest.Top) != (s.Bottom < s.Top);
    dest = Normalized(dest);
    s = Normalized(s);
    const long long dW = dest.Width(), dH = dest.Height(), sW = s.Width(), sH = s.Height();
    const long long lW = std::max<long long>(1, dW / block), lH = std::max<long long>(1, dH / block);
    if (dW <= 0 || dH <= 0 || sW <= 0 || sH <= 0 || !src.Bits || src.Width <= 0 || src.Height <= 0) return;
    const TRect visible = clip.Bounds().Intersect(dest);
    if (visible.IsEmpty()) return;

    // Reading from the target itself: take a copy of the part that will be read first.
    std::vector<uint32_t> copy;
    if (src.Bits == target.Bits) {
        const TRect inside = s.Intersect({0, 0, src.Width, src.Height});
        if (inside.IsEmpty()) return;
        copy.resize(static_cast<std::size_t>(inside.Width()) * inside.Height());
        for (int y = inside.Top; y < inside.Bottom; ++y)
            std::memcpy(copy.data() + static_cast<std::size_t>(y - inside.Top) * inside.Width(),
                        src.Bits + static_cast<std::size_t>(y) * src.Width + inside.Left,
                        static_cast<std::size_t>(inside.Width()) * 4);
        src = {copy.data(), inside.Width(), inside.Height()};
        s = s.Offset(-inside.Left, -inside.Top);
    }
    const std::size_t stride = static_cast<std::size_t>(src.Width);

    if (dW == sW && dH == sH && !flipX && !flipY && !key) {
        const TRect valid = TRect{static_cast<int>(dest.Left + std::max(0, -s.Left)),
                                  static_cast<int>(dest.Top + std::max(0, -s.Top)),
                                  static_cast<int>(dest.Left + std::min<long long>(dW, src.Width - s.Left)),
                                  static_cast<int>(dest.Top + std::min<long long>(dH, src.Height - s.Top))}
                                .Intersect(visible);
        if (valid.IsEmpty()) return;
        clip.ForEach(valid, [&](const TRect& r) {
            const std::size_t bytes = static_cast<std::size_t>(r.Width()) * 4;
            for (int y = r.Top; y < r.Bottom; ++y)
                std::memcpy(target.Row(y) + r.Left,
                            src.Bits + static_cast<std::size_t>(s.Top + y - dest.Top) * stride +
                                (s.Left + r.Left - dest.Left),
                            bytes);
        });
        return;
    }

    std::vector<int> xmap(static_cast<std::size_t>(visible.Width()));
    std::vector<int> ymap(static_cast<std::size_t>(visible.Height()));
    for (int x = visible.Left; x < visible.Right; ++x) {
        long long si = ((x - dest.Left) / block) * sW / lW;
        if (flipX) si = sW - 1 - si;
        const long long sx = s.Left + si;
        xmap[x - visible.Left] = (sx >= 0 && sx < src.Width) ? static_cast<int>(sx) : -1;
    }
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        long long si = ((y - dest.Top) / block) * sH / lH;
        if (flipY) si = sH - 1 - si;
        const long long sy = s.Top + si;
        ymap[y - visible.Top] = (sy >= 0 && sy < src.Height) ? static_cast<int>(sy) : -1;
    }
    const bool allColumns = std::find(xmap.begin(), xmap.end(), -1) == xmap.end();
    const int x0 = visible.Left, y0 = visible.Top;
    const uint32_t keyValue = key ? (*key & kRgbMask) : 0;
    clip.ForEach(visible, [&](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            const int sy = ymap[y - y0];
            if (sy < 0) continue;
            uint32_t* drow = target.Row(y);
            // A row that repeats the previous source row without a colour key is that row again.
            if (!key && allColumns && y > r.Top && ymap[y - 1 - y0] == sy) {
                std::memcpy(drow + r.Left, target.Row(y - 1) + r.Left,
                            static_cast<std::size_t>(r.Width()) * 4);
                continue;
            }
            const uint32_t* srow = src.Bits + static_cast<std::size_t>(sy) * stride;
            if (!key) {
                for (int x = r.Left; x < r.Right; ++x) {
                    const int sx = xmap[x - x0];
                    if (sx >= 0) drow[x] = srow[sx];
                }
            } else {
                for (int x = r.Left; x < r.Right; ++x) {
                    const int sx = xmap[x - x0];
                    if (sx < 0) continue;
                    const uint32_t p = srow[sx];
                    if ((p & kRgbMask) != keyValue) drow[x] = p;
                }
            }
        }
    });
}

// Enlarges src's rectangle s into the device rectangle dest by bilinear filtering (photographs on
// a scaled screen): dest pixel centres sample the source between its pixel centres.
void SmoothBlit(const TSurface& target, const TRect& dest, TSource src, const TRect& s) {
    const TRect visible = target.Clip.Bounds().Intersect(dest);
    const TRect inside = s.Intersect({0, 0, src.Width, src.Height});
    if (visible.IsEmpty() || inside.IsEmpty()) return;
    const double fx = static_cast<double>(s.Width()) / dest.Width();
    const double fy = static_cast<double>(s.Height()) / dest.Height();
    auto channel = [](uint32_t p, int shift) { return static_cast<double>((p >> shift) & 0xFF); };
    target.Clip.ForEach(visible, [&](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            const double sy =
                std::clamp(s.Top + (y - dest.Top + 0.5) * fy - 0.5, inside.Top + 0.0, inside.Bottom - 1.0);
            const int y0 = static_cast<int>(sy), y1 = std::min(y0 + 1, inside.Bottom - 1);
            const double wy = sy - y0;
            const uint32_t* row0 = src.Bits + static_cast<std::size_t>(y0) * src.Width;
            const uint32_t* row1 = src.Bits + static_cast<std::size_t>(y1) * src.Width;
            uint32_t* drow = target.Row(y);
            for (int x = r.Left; x < r.Right; ++x) {
                const double sx = std::clamp(s.Left + (x - dest.Left + 0.5) * fx - 0.5, inside.Left + 0.0,
                                             inside.Right - 1.0);
                const int x0 = static_cast<int>(sx), x1 = std::min(x0 + 1, inside.Right - 1);
                const double wx = sx - x0;
                uint32_t out = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    const double top = channel(row0[x0], shift) * (1 - wx) + channel(row0[x1], shift) * wx;
                    const double bottom = channel(row1[x0], shift) * (1 - wx) + channel(row1[x1], shift) * wx;
                    out |= static_cast<uint32_t>(std::lround(top * (1 - wy) + bottom * wy)) << shift;
                }
                drow[x] = out;
            }
        }
    });
}

TSource SourceOf(const TBitmap& b) {
    return {b.Bits(), b.Width(), b.Height()};
}

// Draws the rectangle sourceRect of a bitmap into dest (logical target coordinates) on every
// surface: from the bitmap's picture at the surface's scale when it keeps one, smoothly for a
// photograph on a scaled surface, else by whole pixels.
void DrawBitmapOn(TCanvas& canvas, const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect,
                  const uint32_t* key) {
    for (const TSurface& s : TCanvasAccess::Surfaces(canvas)) {
        const TRect d = s.Device(dest);
        const TBitmap* hi = bitmap.HiRes();
        if (s.Scale > 1 && hi && hi->Width() == bitmap.Width() * s.Scale &&
            hi->Height() == bitmap.Height() * s.Scale) {
            const TRect sr{ClampCoord(static_cast<long long>(sourceRect.Left) * s.Scale),
                           ClampCoord(static_cast<long long>(sourceRect.Top) * s.Scale),
                           ClampCoord(static_cast<long long>(sourceRect.Right) * s.Scale),
                           ClampCoord(static_cast<long long>(sourceRect.Bottom) * s.Scale)};
            Blit(s, d, SourceOf(*hi), sr, key);
        } else if (s.Scale > 1 && bitmap.Smooth && !key && d.Left < d.Right && d.Top < d.Bottom &&
                   sourceRect.Left < sourceRect.Right && sourceRect.Top < sourceRect.Bottom &&
                   (d.Width() > sourceRect.Width() || d.Height() > sourceRect.Height())) {
            SmoothBlit(s, d, SourceOf(bitmap), sourceRect);
        } else {
            Blit(s, d, SourceOf(bitmap), sourceRect, key, s.Scale);
        }
    }
}

}  // namespace

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    const TPoint so = TCanvasAccess::Origin(source);
    const int sourceScale = TCanvasAccess::Scale(source);
    const TRect logical = ClampRect(sourceRect).Offset(so.X, so.Y);
    if (sourceScale == 1) {
        DrawBitmapOn(*this, ClampRect(dest).Offset(m_origin.X, m_origin.Y), source.Target(), logical,
                     nullptr);
        return;
    }
    // A scaled canvas (a window's back buffer) is read at its own resolution.
    const TRect device{ClampCoord(static_cast<long long>(logical.Left) * sourceScale),
                       ClampCoord(static_cast<long long>(logical.Top) * sourceScale),
                       ClampCoord(static_cast<long long>(logical.Right) * sourceScale),
                       ClampCoord(static_cast<long long>(logical.Bottom) * sourceScale)};
    const TBitmap& target = source.Target();
    for (const TSurface& s : TCanvasAccess::Surfaces(*this))
        Blit(s, s.Device(ClampRect(dest).Offset(m_origin.X, m_origin.Y)), SourceOf(target), device, nullptr);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    const TRect dest = ClampRect(
        {x, y, static_cast<int>(std::min<long long>(static_cast<long long>(x) + bitmap.Width(), kCoordLimit)),
         static_cast<int>(std::min<long long>(static_cast<long long>(y) + bitmap.Height(), kCoordLimit))});
    StretchDraw(dest, bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    uint32_t key = 0;
    if (bitmap.Transparent) key = ResolvePixel(bitmap.EffectiveTransparentColor());
    DrawBitmapOn(*this, ClampRect(dest).Offset(m_origin.X, m_origin.Y), bitmap,
                 {0, 0, bitmap.Width(), bitmap.Height()}, bitmap.Transparent ? &key : nullptr);
}

void TCanvas::DrawBitmapRect(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect,
                             TColor transparentColor) {
    if (bitmap.Empty()) return;
    const uint32_t key = transparentColor == clNone ? 0 : ResolvePixel(transparentColor);
    DrawBitmapOn(*this, ClampRect(dest).Offset(m_origin.X, m_origin.Y), bitmap, ClampRect(sourceRect),
                 transparentColor == clNone ? nullptr : &key);
}

}  // namespace platform::gfx
