#pragma once
// Resampling of the puzzle picture: the preview is small and the board large, so it is scaled
// with bilinear filtering rather than pixel repetition.

#include "platform/gfx/Bitmap.h"

namespace app::puzzle {

// The picture scaled to cover width × height: scaled by the larger factor and cut evenly on the
// side that overhangs. An empty picture gives an empty bitmap.
[[nodiscard]] platform::gfx::TBitmap ScaleToCover(const platform::gfx::TBitmap& source, int width,
                                                  int height);

}  // namespace app::puzzle
