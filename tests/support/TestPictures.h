#pragma once
// Pictures made in code for the skin tests: solid blocks of known colours, so that a pixel on the
// screen tells which part of which picture was drawn there.

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"

namespace vktest {

inline void Fill(platform::gfx::TBitmap& b, const platform::core::TRect& r, platform::gfx::TColor c) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) b.SetPixel(x, y, c);
}

}  // namespace vktest
