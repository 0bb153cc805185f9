#pragma once
// Pictures whose every pixel names its own position, so a composed image tells where each of its
// pixels was read from.

#include <cstdint>
#include <optional>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"

namespace skin::test {

using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;

// Blue holds a "from the picture" bit (0x80), an "inside the skin rectangle" bit (0x40) and the
// high bits of x and y; red and green the low bytes. Black therefore means "never written".
inline uint32_t EncodePosition(int x, int y, bool inside) {
    const uint32_t b = 0x80u | (inside ? 0x40u : 0u) | ((static_cast<uint32_t>(x) >> 8) & 3u) |
                       (((static_cast<uint32_t>(y) >> 8) & 3u) << 2);
    return (static_cast<uint32_t>(x) & 0xFFu) << 16 | (static_cast<uint32_t>(y) & 0xFFu) << 8 | b;
}

struct TDecoded {
    TPoint Pos;
    bool Inside = false;
};

inline std::optional<TDecoded> DecodePosition(uint32_t pixel) {
    const uint32_t b = pixel & 0xFFu;
    if ((b & 0x80u) == 0) return std::nullopt;
    const int x = static_cast<int>(((pixel >> 16) & 0xFFu) | ((b & 3u) << 8));
    const int y = static_cast<int>(((pixel >> 8) & 0xFFu) | (((b >> 2) & 3u) << 8));
    return TDecoded{{x, y}, (b & 0x40u) != 0};
}

inline TBitmap PositionPicture(int width, int height, const TRect& skinRect) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.ScanLine(y)[x] = EncodePosition(x, y, skinRect.Contains({x, y}));
    return picture;
}

}  // namespace skin::test
