// TCanvas: copying and stretching pictures (nearest neighbour, transparent colour).

#include <algorithm>
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
void Blit(TBitmap& target, const TClipView& clip, TRect dest, TSource src, TRect s, const uint32_t* key) {
    const bool flipX = (dest.Right < dest.Left) != (s.Right < s.Left);
    const bool flipY = (dest.Bottom < dest.Top) != (s.Bottom < s.Top);
    dest = Normalized(dest);
    s = Normalized(s);
    const long long dW = dest.Width(), dH = dest.Height(), sW = s.Width(), sH = s.Height();
    if (dW <= 0 || dH <= 0 || sW <= 0 || sH <= 0 || !src.Bits || src.Width <= 0 || src.Height <= 0) return;
    const TRect visible = clip.Bounds().Intersect(dest);
    if (visible.IsEmpty()) return;

    // Reading from the target itself: take a copy of the part that will be read first.
    std::vector<uint32_t> copy;
    if (src.Bits == target.Bits()) {
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
                std::memcpy(target.ScanLine(y) + r.Left,
                            src.Bits + static_cast<std::size_t>(s.Top + y - dest.Top) * stride +
                                (s.Left + r.Left - dest.Left),
                            bytes);
        });
        return;
    }

    std::vector<int> xmap(static_cast<std::size_t>(visible.Width()));
    std::vector<int> ymap(static_cast<std::size_t>(visible.Height()));
    for (int x = visible.Left; x < visible.Right; ++x) {
        long long si = (x - dest.Left) * sW / dW;
        if (flipX) si = sW - 1 - si;
        const long long sx = s.Left + si;
        xmap[x - visible.Left] = (sx >= 0 && sx < src.Width) ? static_cast<int>(sx) : -1;
    }
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        long long si = (y - dest.Top) * sH / dH;
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
            uint32_t* drow = target.ScanLine(y);
            // A row that repeats the previous source row without a colour key is that row again.
            if (!key && allColumns && y > r.Top && ymap[y - 1 - y0] == sy) {
                std::memcpy(drow + r.Left, target.ScanLine(y - 1) + r.Left,
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

TSource SourceOf(const TBitmap& b) {
    return {b.Bits(), b.Width(), b.Height()};
}

}  // namespace

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    const TPoint so = TCanvasAccess::Origin(source);
    Blit(*m_target, TCanvasAccess::Clip(*this), ClampRect(dest).Offset(m_origin.X, m_origin.Y),
         SourceOf(source.Target()), ClampRect(sourceRect).Offset(so.X, so.Y), nullptr);
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
    Blit(*m_target, TCanvasAccess::Clip(*this), ClampRect(dest).Offset(m_origin.X, m_origin.Y),
         SourceOf(bitmap), {0, 0, bitmap.Width(), bitmap.Height()}, bitmap.Transparent ? &key : nullptr);
}

void TCanvas::DrawBitmapRect(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect,
                             TColor transparentColor) {
    if (bitmap.Empty()) return;
    const uint32_t key = transparentColor == clNone ? 0 : ResolvePixel(transparentColor);
    Blit(*m_target, TCanvasAccess::Clip(*this), ClampRect(dest).Offset(m_origin.X, m_origin.Y),
         SourceOf(bitmap), ClampRect(sourceRect), transparentColor == clNone ? nullptr : &key);
}

}  // namespace platform::gfx
