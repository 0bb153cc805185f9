#pragma once
// Drawing routines shared by the skin's images: faces (rounded boxes with fill, border and shade)
// and small glyphs (arrows, checks, window commands, the program's logo).

#include <optional>

#include "platform/core/Types.h"
#include "tools/skingen/Raster.h"

namespace skingen {

using platform::core::TRect;

// A box: fill, optional border ring, optional highlight on the first inner row and shade on the
// bottom border row.
struct TFace {
    TPaint Fill = TPaint::Solid(0xFFFFFF);
    std::optional<TColor> Border;
    TRadii Radius = 3;
    std::optional<TColor> Shade;      // replaces the border colour along the bottom edge
    std::optional<TColor> Highlight;  // first row inside the border
    double BorderWidth = 1;
};

// The rectangle (left, top, right, bottom) relative to place's left-top.
[[nodiscard]] TRectF Local(const TRect& place, double left, double top, double right, double bottom);
[[nodiscard]] TRectF Whole(const TRect& place);

void PaintFace(TRaster& r, const TRectF& box, const TFace& face);

enum class TDirection { Up, Down, Left, Right };

// Glyphs are centred on (cx, cy); size is the glyph's half extent.
void PaintChevron(TRaster& r, double cx, double cy, double size, TDirection dir, TColor color,
                  double width = 1.6);
void PaintTriangle(TRaster& r, double cx, double cy, double size, TDirection dir, TColor color);
void PaintCheck(TRaster& r, double cx, double cy, double size, TColor color, double width = 1.8);
void PaintCross(TRaster& r, double cx, double cy, double size, TColor color, double width = 1.5);
void PaintMinimizeGlyph(TRaster& r, double cx, double cy, double size, TColor color);
void PaintMaximizeGlyph(TRaster& r, double cx, double cy, double size, TColor color);
void PaintRestoreGlyph(TRaster& r, double cx, double cy, double size, TColor color, TColor background);
void PaintRollGlyph(TRaster& r, double cx, double cy, double size, bool up, TColor color);
void PaintPlusGlyph(TRaster& r, double cx, double cy, double size, TColor color, double width = 1.6);
void PaintMinusGlyph(TRaster& r, double cx, double cy, double size, TColor color, double width = 1.6);
void PaintEllipsisGlyph(TRaster& r, double cx, double cy, TColor color);
void PaintSearchGlyph(TRaster& r, double cx, double cy, double size, TColor color);
void PaintGripDots(TRaster& r, double cx, double cy, bool vertical, TColor color);

// The program's mark: a jigsaw piece with knobs on its top and right side and a notch on its
// left, inside a box of the given size.
void PaintPuzzlePiece(TRaster& r, const TRectF& box, const TPaint& paint, double alpha = 1.0);
[[nodiscard]] bool InsidePuzzlePiece(const TRectF& box, double x, double y);

}  // namespace skingen
