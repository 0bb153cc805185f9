#include "app/puzzle-demo/PictureScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace app::puzzle {

namespace {

uint32_t Lerp(uint32_t a, uint32_t b, uint32_t c, uint32_t d, double fx, double fy) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double top = ((a >> shift) & 0xFF) * (1 - fx) + ((b >> shift) & 0xFF) * fx;
        const double bottom = ((c >> shift) & 0xFF) * (1 - fx) + ((d >> shift) & 0xFF) * fx;
        const auto v = static_cast<uint32_t>(std::lround(top * (1 - fy) + bottom * fy));
        out |= std::min<uint32_t>(v, 255) << shift;
    }
    return out;
}

}  // namespace

platform::gfx::TBitmap ScaleToCover(const platform::gfx::TBitmap& source, int width, int height) {
    if (source.Empty() || width <= 0 || height <= 0) return {};
    const double scale =
        std::max(static_cast<double>(width) / source.Width(), static_cast<double>(height) / source.Height());
    // The part of the source that the target shows, centred.
    const double srcW = width / scale;
    const double srcH = height / scale;
    const double left = (source.Width() - srcW) / 2;
    const double top = (source.Height() - srcH) / 2;
    platform::gfx::TBitmap out(width, height);
    const int maxX = source.Width() - 1;
    const int maxY = source.Height() - 1;
    for (int y = 0; y < height; ++y) {
        const double sy = std::clamp(top + (y + 0.5) / scale - 0.5, 0.0, static_cast<double>(maxY));
        const int y0 = static_cast<int>(sy);
        const int y1 = std::min(y0 + 1, maxY);
        const double fy = sy - y0;
        const uint32_t* row0 = source.ScanLine(y0);
        const uint32_t* row1 = source.ScanLine(y1);
        uint32_t* dest = out.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const double sx = std::clamp(left + (x + 0.5) / scale - 0.5, 0.0, static_cast<double>(maxX));
            const int x0 = static_cast<int>(sx);
            const int x1 = std::min(x0 + 1, maxX);
            dest[x] = Lerp(row0[x0], row0[x1], row1[x0], row1[x1], sx - x0, fy);
        }
    }
    return out;
}

}  // namespace app::puzzle
