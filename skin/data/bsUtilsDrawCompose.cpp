#include "skin/data/bsUtilsDrawCompose.h"

#include <algorithm>

#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawPieces.h"

namespace skin {

using detail::CopyPiece;
using detail::StretchPiece;
using detail::TileHorz;
using detail::TileRect;
using detail::TileVert;

namespace {

enum class TFrameShape { Closed, OpenRight };

bool SaneGeometry(const TbsFrameGeometry& g) {
    using detail::SaneCoord;
    return SaneCoord(g.LeftTop.X) && SaneCoord(g.LeftTop.Y) && SaneCoord(g.RightTop.X) &&
           SaneCoord(g.RightTop.Y) && SaneCoord(g.LeftBottom.X) && SaneCoord(g.LeftBottom.Y) &&
           SaneCoord(g.RightBottom.X) && SaneCoord(g.RightBottom.Y) && detail::SaneRect(g.ClientRect);
}

// The size is applied first; false means nothing more is to be drawn.
bool PrepareFrame(TBitmap& dest, TBitmap& source, const TRect& r, const TbsFrameGeometry& g, int& width,
                  int& height, const TbsFrameGeometry& ng) {
    width = std::clamp(width, 0, detail::kMaxSkinCoord);
    height = std::clamp(height, 0, detail::kMaxSkinCoord);
    if (&dest == &source) return false;
    dest.SetSize(width, height);
    if (source.Empty() || IsEmptyRect(r) || !detail::SaneRect(r) || !SaneGeometry(g) || !SaneGeometry(ng))
        return false;
    return g.RightBottom.X != g.LeftTop.X && g.RightBottom.Y != g.LeftTop.Y;
}

void ComposeFrame(TBitmap& dest, TBitmap& s, const TRect& r, const TbsFrameGeometry& g, int w, int h,
                  const TbsFrameGeometry& ng, bool drawClient, const TbsStretchEdges& stretch,
                  TFrameShape shape) {
    if (!PrepareFrame(dest, s, r, g, w, h, ng)) return;
    const TPoint lt = g.LeftTop, rt = g.RightTop, lb = g.LeftBottom, rb = g.RightBottom;
    const TPoint nlt = ng.LeftTop, nrt = ng.RightTop, nlb = ng.LeftBottom, nrb = ng.RightBottom;
    const TRect cl = g.ClientRect;
    const TRect ncl = ng.ClientRect;
    const bool open = shape == TFrameShape::OpenRight;

    // Top edge.
    if (stretch.Top && !open)
        StretchPiece(dest, {nlt.X, 0, nrt.X, ncl.Top}, s,
                     {r.Left + lt.X, r.Top, r.Left + rt.X, r.Top + cl.Top});
    else
        TileHorz(dest, nlt.X, open ? w : nrt.X, 0, ncl.Top, s, r.Left + lt.X, rt.X - lt.X, r.Top,
                 r.Top + cl.Top);

    // Bottom edge.
    if (stretch.Bottom && !open)
        StretchPiece(dest, {nlb.X, ncl.Bottom, nrb.X, h}, s,
                     {r.Left + lb.X, r.Top + cl.Bottom, r.Left + rb.X, r.Bottom});
    else
        TileHorz(dest, nlb.X, open ? w : nrb.X, ncl.Bottom, h, s, r.Left + lb.X, rb.X - lb.X,
                 r.Top + cl.Bottom, r.Bottom);

    // Left edge; tiled pieces are as wide as the new border in source and destination alike.
    if (stretch.Left && !open)
        StretchPiece(dest, {0, nlt.Y, ncl.Left, nlb.Y}, s,
                     {r.Left, r.Top + lt.Y, r.Left + cl.Left, r.Top + lb.Y});
    else
        TileVert(dest, nlt.Y, nlb.Y, 0, ncl.Left, s, r.Top + lt.Y, lb.Y - lt.Y, r.Left, r.Left + ncl.Left);

    // Right edge.
    if (!open) {
        if (stretch.Right)
            StretchPiece(dest, {ncl.Right, nrt.Y, w, nrb.Y}, s,
                         {r.Left + cl.Right, r.Top + rt.Y, r.Right, r.Top + rb.Y});
        else
            TileVert(dest, nrt.Y, nrb.Y, ncl.Right, w, s, r.Top + rt.Y, rb.Y - rt.Y, r.Left + cl.Right,
                     r.Left + cl.Right + (w - ncl.Right));
    }

    // Corner pieces.
    CopyPiece(dest, {0, 0, nlt.X, ncl.Top}, s, {r.Left, r.Top, r.Left + lt.X, r.Top + cl.Top});
    CopyPiece(dest, {0, ncl.Top, ncl.Left, nlt.Y}, s,
              {r.Left, r.Top + cl.Top, r.Left + cl.Left, r.Top + lt.Y});
    if (!open) {
        CopyPiece(dest, {nrt.X, 0, w, ncl.Top}, s, {r.Left + rt.X, r.Top, r.Right, r.Top + cl.Top});
        CopyPiece(dest, {ncl.Right, ncl.Top, w, nrt.Y}, s,
                  {r.Left + cl.Right, r.Top + cl.Top, r.Right, r.Top + rt.Y});
    }
    CopyPiece(dest, {0, nlb.Y, ncl.Left, h}, s, {r.Left, r.Top + lb.Y, r.Left + cl.Left, r.Bottom});
    CopyPiece(dest, {ncl.Left, ncl.Bottom, nlb.X, h}, s,
              {r.Left + cl.Left, r.Top + cl.Bottom, r.Left + lb.X, r.Bottom});
    if (!open) {
        CopyPiece(dest, {nrb.X, ncl.Bottom, w, h}, s, {r.Left + rb.X, r.Top + cl.Bottom, r.Right, r.Bottom});
        CopyPiece(dest, {ncl.Right, nrb.Y, w, ncl.Bottom}, s,
                  {r.Left + cl.Right, r.Top + rb.Y, r.Right, r.Top + cl.Bottom});
    }

    if (drawClient) {
        const TRect area{ncl.Left, ncl.Top, open ? w : ncl.Right, ncl.Bottom};
        TileRect(dest, area, s, cl.Offset(r.Left, r.Top));
    }
}

bool PrepareStrip(TBitmap& dest, TBitmap& source, const TRect& r, int& width, int& height) {
    width = std::clamp(width, 0, detail::kMaxSkinCoord);
    height = std::clamp(height, 0, detail::kMaxSkinCoord);
    if (&dest == &source) return false;
    dest.SetSize(width, height);
    return !source.Empty() && !IsEmptyRect(r) && detail::SaneRect(r);
}

}  // namespace

void ComposeFrameImage(TBitmap& dest, TBitmap& source, const TRect& skinRect,
                       const TbsFrameGeometry& geometry, int width, int height,
                       const TbsFrameGeometry& newGeometry, bool drawClient, const TbsStretchEdges& stretch) {
    ComposeFrame(dest, source, skinRect, geometry, width, height, newGeometry, drawClient, stretch,
                 TFrameShape::Closed);
}

void ComposeFrameImageTiled(TBitmap& dest, TBitmap& source, const TRect& skinRect,
                            const TbsFrameGeometry& geometry, int width, int height,
                            const TbsFrameGeometry& newGeometry, bool drawClient) {
    ComposeFrame(dest, source, skinRect, geometry, width, height, newGeometry, drawClient, {},
                 TFrameShape::Closed);
}

void ComposeFrameImageOpenRight(TBitmap& dest, TBitmap& source, const TRect& skinRect,
                                const TbsFrameGeometry& geometry, int width, int height,
                                const TbsFrameGeometry& newGeometry, bool drawClient) {
    ComposeFrame(dest, source, skinRect, geometry, width, height, newGeometry, drawClient, {},
                 TFrameShape::OpenRight);
}

void ComposeHorzImage(TBitmap& dest, TBitmap& source, const TRect& skinRect, int leftWidth, int rightWidth,
                      int width) {
    int h = RectHeightOf(skinRect);
    if (!PrepareStrip(dest, source, skinRect, width, h)) return;
    const TRect& r = skinRect;
    const int a = std::clamp(leftWidth, 0, r.Width());
    const int b = std::clamp(rightWidth, 0, r.Width());
    CopyPiece(dest, {0, 0, a, h}, source, {r.Left, r.Top, r.Left + a, r.Bottom});
    CopyPiece(dest, {width - b, 0, width, h}, source, {r.Right - b, r.Top, r.Right, r.Bottom});
    TileHorz(dest, a, width - b, 0, h, source, r.Left + a, r.Width() - a - b, r.Top, r.Bottom);
}

void ComposeHorzImageOpenRight(TBitmap& dest, TBitmap& source, const TRect& skinRect, int leftWidth,
                               int rightWidth, int width) {
    int h = RectHeightOf(skinRect);
    if (!PrepareStrip(dest, source, skinRect, width, h)) return;
    const TRect& r = skinRect;
    const int a = std::clamp(leftWidth, 0, r.Width());
    const int b = std::clamp(rightWidth, 0, r.Width());
    CopyPiece(dest, {0, 0, a, h}, source, {r.Left, r.Top, r.Left + a, r.Bottom});
    TileHorz(dest, a, width, 0, h, source, r.Left + a, r.Width() - a - b, r.Top, r.Bottom);
}

void ComposeVertImage(TBitmap& dest, TBitmap& source, const TRect& skinRect, int topHeight, int bottomHeight,
                      int height) {
    int w = RectWidthOf(skinRect);
    if (!PrepareStrip(dest, source, skinRect, w, height)) return;
    const TRect& r = skinRect;
    const int a = std::clamp(topHeight, 0, r.Height());
    const int b = std::clamp(bottomHeight, 0, r.Height());
    CopyPiece(dest, {0, 0, w, a}, source, {r.Left, r.Top, r.Right, r.Top + a});
    CopyPiece(dest, {0, height - b, w, height}, source, {r.Left, r.Bottom - b, r.Right, r.Bottom});
    TileVert(dest, a, height - b, 0, w, source, r.Top + a, r.Height() - a - b, r.Left, r.Right);
}

}  // namespace skin
