#pragma once

#include <vector>

#include "skin/controls/bsEffects.h"

namespace skin::test {

// Every pixel grey with the value of its column.
inline TbsEffectBmp GreyColumns(const std::vector<int>& columns, int height) {
    TbsEffectBmp b(static_cast<int>(columns.size()), height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const int v = columns[static_cast<std::size_t>(x)];
            b.PutPixel(x, y, platform::gfx::RGB(v, v, v));
        }
    return b;
}

inline TbsEffectBmp Solid(int w, int h, int r, int g, int b) {
    TbsEffectBmp bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp.PutPixel(x, y, platform::gfx::RGB(r, g, b));
    return bmp;
}

// The blue channel of each column in row y.
inline std::vector<int> Row(const TbsEffectBmp& b, int y) {
    std::vector<int> values;
    for (int x = 0; x < b.Width(); ++x) values.push_back(platform::gfx::GetBValue(b.PixelAt(x, y)));
    return values;
}

inline std::vector<int> Column(const TbsEffectBmp& b, int x) {
    std::vector<int> values;
    for (int y = 0; y < b.Height(); ++y) values.push_back(platform::gfx::GetBValue(b.PixelAt(x, y)));
    return values;
}

inline bool SamePixels(const TbsEffectBmp& a, const TbsEffectBmp& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
    return true;
}

}  // namespace skin::test
