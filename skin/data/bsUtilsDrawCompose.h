#pragma once
// Composition of control and frame images of any size from a rectangle of a skin picture: corner
// and border pieces are copied, the middles of the edges and the client area are tiled (or
// stretched), so a small picture dresses a control of any size.

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"

namespace skin {

using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;

// The corner points mark where each edge's repeatable middle begins and ends: the top edge runs
// from LeftTop.X to RightTop.X, the bottom edge from LeftBottom.X to RightBottom.X, the left edge
// from LeftTop.Y to LeftBottom.Y, the right edge from RightTop.Y to RightBottom.Y. The client
// rectangle's insets are the border widths. For a skin picture all of them are relative to the
// skin rectangle's left-top; for a new image, to the image.
struct TbsFrameGeometry {
    TPoint LeftTop;
    TPoint RightTop;
    TPoint LeftBottom;
    TPoint RightBottom;
    TRect ClientRect;
};

// Edges whose middle is stretched instead of tiled.
struct TbsStretchEdges {
    bool Left = false;
    bool Top = false;
    bool Right = false;
    bool Bottom = false;
};

// The nine-piece composition: dest becomes width x height; edges, corners, then (with drawClient)
// the client area, each later piece over the earlier ones. With coinciding corner points, an empty
// source or an empty skin rectangle, dest is only resized. An edge with no middle is left out.
void ComposeFrameImage(TBitmap& dest, TBitmap& source, const TRect& skinRect,
                       const TbsFrameGeometry& geometry, int width, int height,
                       const TbsFrameGeometry& newGeometry, bool drawClient, const TbsStretchEdges& stretch);
// Every edge tiled.
void ComposeFrameImageTiled(TBitmap& dest, TBitmap& source, const TRect& skinRect,
                            const TbsFrameGeometry& geometry, int width, int height,
                            const TbsFrameGeometry& newGeometry, bool drawClient);
// No right edge: the top and bottom edges and the client run on to the right side of the image;
// only the left corner pieces are drawn. Every edge is tiled.
void ComposeFrameImageOpenRight(TBitmap& dest, TBitmap& source, const TRect& skinRect,
                                const TbsFrameGeometry& geometry, int width, int height,
                                const TbsFrameGeometry& newGeometry, bool drawClient);

// Three parts side by side: dest becomes width x the skin rectangle's height; the left leftWidth
// and the right rightWidth columns are kept, the middle between them is tiled.
void ComposeHorzImage(TBitmap& dest, TBitmap& source, const TRect& skinRect, int leftWidth, int rightWidth,
                      int width);
// As ComposeHorzImage without the right part: the middle is tiled up to the image's right side.
void ComposeHorzImageOpenRight(TBitmap& dest, TBitmap& source, const TRect& skinRect, int leftWidth,
                               int rightWidth, int width);
// Three parts stacked: dest becomes the skin rectangle's width x height.
void ComposeVertImage(TBitmap& dest, TBitmap& source, const TRect& skinRect, int topHeight, int bottomHeight,
                      int height);

}  // namespace skin
