#pragma once
// The window frame: the main picture with its rounded outline, the mask that cuts the window to
// that outline, and the caption buttons whose faces lie over the caption strip.

#include "platform/core/Types.h"
#include "tools/skingen/Raster.h"

namespace skingen {

using platform::core::TRect;

struct TFrameMetrics {
    int Width = 205;
    int Height = 167;
    int CaptionHeight = 28;  // the client area starts here
    int Border = 5;          // left, right and bottom
    int TopRadius = 8;
    int BottomRadius = 5;
    int ButtonTop = 5;  // caption buttons sit this far down
    int ButtonWidth = 22;
    int ButtonHeight = 18;

    [[nodiscard]] TRect ClientRect() const {
        return {Border, CaptionHeight, Width - Border, Height - Border};
    }
};

// The colour of the caption strip at a window row.
[[nodiscard]] TColor CaptionBackground(const TFrameMetrics& m, int row);

[[nodiscard]] TBitmap PaintFramePicture(const TFrameMetrics& m);
// Black where the window is, white where it is cut away.
[[nodiscard]] TBitmap PaintFrameMask(const TFrameMetrics& m);
// Whether a pixel lies inside the frame's outline (the mask's black pixels).
[[nodiscard]] bool InsideFrameOutline(const TFrameMetrics& m, int x, int y);

// A w x h shape with rounded corners decided per pixel (no partial pixels), so that a mask made
// from it matches the picture drawn with it exactly.
[[nodiscard]] bool InsidePixelShape(int w, int h, const TRadii& radii, int x, int y);
// The shape filled, with a one-pixel outline; pixels outside it take the outline colour.
[[nodiscard]] TBitmap PaintOutlinedShape(int w, int h, const TRadii& radii, TColor outline, TColor fill);
[[nodiscard]] TBitmap PaintShapeMask(int w, int h, const TRadii& radii);

enum class TCaptionGlyph { Close, Maximize, Minimize, Restore, RollUp, RollDown, SystemMenu };
enum class TCaptionState { Normal, Hot, Down, Disabled, Inactive };

// One caption button face at place, over the caption strip rows it covers in the window.
void PaintCaptionButton(TRaster& r, const TRect& place, const TFrameMetrics& m, TCaptionGlyph glyph,
                        TCaptionState state);

}  // namespace skingen
