#pragma once
// The four border strips of a skinned frame at a new size. Each repeated edge middle starts at
// its corner point (the top edge at the left-top point, the left edge at the left-top point's y),
// so that a window of the picture's own size shows the picture unchanged and a wider one repeats
// the middle from where the picture has it.

#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsDrawStrips.h"

namespace skin {

// As ComposeBorderStrips, with the repeated middles anchored at the corner points. A strip whose
// size or middle is not positive is left empty.
void ComposeFormStrips(TbsBorderStrips& strips, TBitmap& source, const TRect& skinRect,
                       const TbsFrameGeometry& geometry, int width, int height,
                       const TbsFrameGeometry& newGeometry, const TbsStretchEdges& stretch);

}  // namespace skin
