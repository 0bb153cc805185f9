#pragma once
// The four border pieces of a window frame at a new size, cut from a skin picture (for drawing the
// border) or from a mask (for building the window region).

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {

// The top and bottom strips run across the whole width; the left and right strips fill the height
// between them.
struct TbsBorderStrips {
    TBitmap Top;
    TBitmap Bottom;
    TBitmap Left;
    TBitmap Right;
};

// Builds the strips of a width x height frame from the skin rectangle of source. A strip whose
// size or middle segment is not positive is left as it was.
void ComposeBorderStrips(TbsBorderStrips& strips, TBitmap& source, const TRect& skinRect,
                         const TbsFrameGeometry& geometry, int width, int height,
                         const TbsFrameGeometry& newGeometry, const TbsStretchEdges& stretch);

// The same four strips cut from a mask that is the whole frame (maskGeometry's client rectangle in
// the mask's coordinates) for a new width and new geometry, always tiled. The side strips are as
// high as the new client rectangle. A strip of zero width or height is not built.
void ComposeMaskStrips(TbsBorderStrips& strips, TBitmap& mask, const TbsFrameGeometry& maskGeometry,
                       int width, const TbsFrameGeometry& newGeometry);

}  // namespace skin
