#include "skin/form/bsSkinFormStrips.h"

#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawPieces.h"

namespace skin {

using detail::CopyPiece;
using detail::StretchPiece;
using detail::TileHorz;
using detail::TileVert;

void ComposeFormStrips(TbsBorderStrips& strips, TBitmap& source, const TRect& skinRect,
                       const TbsFrameGeometry& geometry, int width, int height,
                       const TbsFrameGeometry& newGeometry, const TbsStretchEdges& stretch) {
    strips = {};
    TBitmap& s = source;
    const TRect& r = skinRect;
    if (s.Empty() || IsEmptyRect(r) || !detail::SaneRect(r) || !detail::SaneCoord(width) ||
        !detail::SaneCoord(height) || !detail::SaneRect(geometry.ClientRect) ||
        !detail::SaneRect(newGeometry.ClientRect))
        return;
    const TPoint lt = geometry.LeftTop, rt = geometry.RightTop, lb = geometry.LeftBottom,
                 rb = geometry.RightBottom;
    const TPoint nlt = newGeometry.LeftTop, nrt = newGeometry.RightTop, nlb = newGeometry.LeftBottom,
                 nrb = newGeometry.RightBottom;
    const TRect cl = geometry.ClientRect, ncl = newGeometry.ClientRect;
    const int w = width;
    const int topH = ncl.Top;
    const int bottomH = height - ncl.Bottom;
    const int sideH = height - topH - bottomH;

    if (w > 0 && topH > 0 && rt.X > lt.X) {
        TBitmap& top = strips.Top;
        top.SetSize(w, topH);
        if (stretch.Top)
            StretchPiece(top, {nlt.X, 0, nrt.X, topH}, s,
                         {r.Left + lt.X, r.Top, r.Left + rt.X, r.Top + topH});
        else
            TileHorz(top, nlt.X, nrt.X, 0, topH, s, r.Left + lt.X, rt.X - lt.X, r.Top, r.Top + topH);
        CopyPiece(top, {0, 0, nlt.X, topH}, s, {r.Left, r.Top, r.Left + lt.X, r.Top + topH});
        CopyPiece(top, {nrt.X, 0, w, topH}, s, {r.Left + rt.X, r.Top, r.Right, r.Top + topH});
    }

    if (w > 0 && bottomH > 0 && rb.X > lb.X) {
        TBitmap& bottom = strips.Bottom;
        bottom.SetSize(w, bottomH);
        const int srcTop = r.Bottom - bottomH;
        if (stretch.Bottom)
            StretchPiece(bottom, {nlb.X, 0, nrb.X, bottomH}, s,
                         {r.Left + lb.X, srcTop, r.Left + rb.X, r.Bottom});
        else
            TileHorz(bottom, nlb.X, nrb.X, 0, bottomH, s, r.Left + lb.X, rb.X - lb.X, srcTop, r.Bottom);
        CopyPiece(bottom, {0, 0, nlb.X, bottomH}, s, {r.Left, srcTop, r.Left + lb.X, r.Bottom});
        CopyPiece(bottom, {nrb.X, 0, w, bottomH}, s, {r.Left + rb.X, srcTop, r.Right, r.Bottom});
    }

    // Side strips run from the client top to the client bottom: a fixed top end (client top to
    // the corner point), the repeated middle, and a fixed bottom end (corner point to client
    // bottom).
    auto side = [&](TBitmap& strip, int stripW, int srcLeft, int srcRight, int y0, int y1, bool stretched) {
        if (stripW <= 0 || sideH <= 0 || y1 <= y0) return;
        strip.SetSize(stripW, sideH);
        const int from = y0 - cl.Top;
        const int to = sideH - (cl.Bottom - y1);
        if (stretched)
            StretchPiece(strip, {0, from, stripW, to}, s, {srcLeft, r.Top + y0, srcRight, r.Top + y1});
        else
            TileVert(strip, from, to, 0, stripW, s, r.Top + y0, y1 - y0, srcLeft, srcRight);
        if (y0 > cl.Top)
            CopyPiece(strip, {0, 0, stripW, from}, s, {srcLeft, r.Top + cl.Top, srcRight, r.Top + y0});
        if (cl.Bottom > y1)
            CopyPiece(strip, {0, to, stripW, sideH}, s, {srcLeft, r.Top + y1, srcRight, r.Top + cl.Bottom});
    };
    side(strips.Left, ncl.Left, r.Left, r.Left + ncl.Left, lt.Y, lb.Y, stretch.Left);
    side(strips.Right, w - ncl.Right, r.Left + cl.Right, r.Right, rt.Y, rb.Y, stretch.Right);
}

}  // namespace skin
