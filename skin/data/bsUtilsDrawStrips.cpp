#include "skin/data/bsUtilsDrawStrips.h"

#include <algorithm>

#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawPieces.h"

namespace skin {

using detail::CopyPiece;
using detail::StretchPiece;
using detail::TileHorz;
using detail::TileVert;

namespace {

bool SaneGeometry(const TbsFrameGeometry& g) {
    using detail::SaneCoord;
    return SaneCoord(g.LeftTop.X) && SaneCoord(g.LeftTop.Y) && SaneCoord(g.RightTop.X) &&
           SaneCoord(g.RightTop.Y) && SaneCoord(g.LeftBottom.X) && SaneCoord(g.LeftBottom.Y) &&
           SaneCoord(g.RightBottom.X) && SaneCoord(g.RightBottom.Y) && detail::SaneRect(g.ClientRect);
}

// A strip that is not built is emptied, so that a strip of an earlier size is never drawn or
// hit-tested at the new one.
void Reset(TBitmap& strip, int width, int height) {
    strip.SetSize(0, 0);
    strip.SetSize(width, height);
}

bool Distinct(const TBitmap& strip, const TBitmap& source) {
    return &strip != &source;
}

}  // namespace

void ComposeBorderStrips(TbsBorderStrips& strips, TBitmap& source, const TRect& skinRect,
                         const TbsFrameGeometry& geometry, int width, int height,
                         const TbsFrameGeometry& newGeometry, const TbsStretchEdges& stretch) {
    TBitmap& s = source;
    if (!Distinct(strips.Top, s) || !Distinct(strips.Bottom, s) || !Distinct(strips.Left, s) ||
        !Distinct(strips.Right, s))
        return;
    const bool usable = !s.Empty() && !IsEmptyRect(skinRect) && detail::SaneRect(skinRect) &&
                        SaneGeometry(geometry) && SaneGeometry(newGeometry) && detail::SaneCoord(width) &&
                        detail::SaneCoord(height);
    const TRect& r = skinRect;
    const TPoint lt = geometry.LeftTop, rt = geometry.RightTop, lb = geometry.LeftBottom,
                 rb = geometry.RightBottom;
    const TPoint nlt = newGeometry.LeftTop, nrt = newGeometry.RightTop, nlb = newGeometry.LeftBottom,
                 nrb = newGeometry.RightBottom;
    const TRect cl = geometry.ClientRect;
    const TRect ncl = newGeometry.ClientRect;
    const int w = width;
    const int topH = ncl.Top;
    const int bottomH = height - ncl.Bottom;
    const int sideH = height - topH - bottomH;

    if (usable && w > 0 && topH > 0 && rt.X > lt.X) {
        TBitmap& top = strips.Top;
        Reset(top, w, topH);
        if (stretch.Top)
            StretchPiece(top, {nlt.X, 0, nrt.X, topH}, s,
                         {r.Left + lt.X, r.Top, r.Left + rt.X, r.Top + topH});
        else
            TileHorz(top, 0, w, 0, topH, s, r.Left + lt.X, rt.X - lt.X, r.Top, r.Top + topH);
        CopyPiece(top, {0, 0, nlt.X, topH}, s, {r.Left, r.Top, r.Left + lt.X, r.Top + topH});
        CopyPiece(top, {nrt.X, 0, w, topH}, s, {r.Left + rt.X, r.Top, r.Right, r.Top + topH});
    } else {
        Reset(strips.Top, 0, 0);
    }

    if (usable && w > 0 && bottomH > 0 && rb.X > lb.X) {
        TBitmap& bottom = strips.Bottom;
        Reset(bottom, w, bottomH);
        const int srcTop = r.Bottom - bottomH;
        if (stretch.Bottom)
            StretchPiece(bottom, {nlb.X, 0, nrb.X, bottomH}, s,
                         {r.Left + lb.X, srcTop, r.Left + rb.X, r.Bottom});
        else
            TileHorz(bottom, 0, w, 0, bottomH, s, r.Left + lb.X, rb.X - lb.X, srcTop, r.Bottom);
        CopyPiece(bottom, {0, 0, nlb.X, bottomH}, s, {r.Left, srcTop, r.Left + lb.X, r.Bottom});
        CopyPiece(bottom, {nrb.X, 0, w, bottomH}, s, {r.Left + rb.X, srcTop, r.Right, r.Bottom});
    } else {
        Reset(strips.Bottom, 0, 0);
    }

    // The side strips keep the skin's fixed ends (between the client top and the first corner
    // point, and between the last corner point and the client bottom) and repeat the middle.
    auto side = [&](TBitmap& strip, bool build, int stripW, int srcLeft, int srcRight, int y0, int y1,
                    bool stretched) {
        if (!build) {
            Reset(strip, 0, 0);
            return;
        }
        Reset(strip, stripW, sideH);
        if (stretched)
            StretchPiece(strip, {0, y0 - cl.Top, stripW, sideH + y1 - cl.Bottom}, s,
                         {srcLeft, r.Top + y0, srcRight, r.Top + y1});
        else
            TileVert(strip, 0, sideH, 0, stripW, s, r.Top + y0, y1 - y0, srcLeft, srcRight);
        if (y0 > cl.Top)
            CopyPiece(strip, {0, 0, stripW, y0 - cl.Top}, s, {srcLeft, r.Top + cl.Top, srcRight, r.Top + y0});
        if (cl.Bottom > y1)
            CopyPiece(strip, {0, sideH + y1 - cl.Bottom, stripW, sideH}, s,
                      {srcLeft, r.Top + y1, srcRight, r.Top + cl.Bottom});
    };
    side(strips.Left, usable && ncl.Left > 0 && sideH > 0 && lb.Y > lt.Y, ncl.Left, r.Left, r.Left + ncl.Left,
         lt.Y, lb.Y, stretch.Left);
    side(strips.Right, usable && w - ncl.Right >= 1 && sideH >= 1 && rb.Y > rt.Y, w - ncl.Right,
         r.Left + cl.Right, r.Right, rt.Y, rb.Y, stretch.Right);
}

void ComposeMaskStrips(TbsBorderStrips& strips, TBitmap& mask, const TbsFrameGeometry& maskGeometry,
                       int width, const TbsFrameGeometry& newGeometry) {
    TBitmap& m = mask;
    if (&strips.Top == &m || &strips.Bottom == &m || &strips.Left == &m || &strips.Right == &m) return;
    const bool usable =
        !m.Empty() && SaneGeometry(maskGeometry) && SaneGeometry(newGeometry) && detail::SaneCoord(width);
    const TPoint lt = maskGeometry.LeftTop, rt = maskGeometry.RightTop, lb = maskGeometry.LeftBottom,
                 rb = maskGeometry.RightBottom;
    const TPoint nlt = newGeometry.LeftTop, nrt = newGeometry.RightTop, nlb = newGeometry.LeftBottom,
                 nrb = newGeometry.RightBottom;
    const TRect mc = maskGeometry.ClientRect;
    const TRect ncl = newGeometry.ClientRect;
    const int mw = m.Width();
    const int mh = m.Height();

    auto side = [&](TBitmap& strip, int srcLeft, int srcRight, int y0, int y1) {
        const int stripW = srcRight - srcLeft;
        const int stripH = ncl.Height();
        if (!usable || stripW <= 0 || stripH <= 0) {
            Reset(strip, 0, 0);
            return;
        }
        Reset(strip, stripW, stripH);
        TileVert(strip, 0, stripH, 0, stripW, m, y0, y1 - y0, srcLeft, srcRight);
        CopyPiece(strip, {0, 0, stripW, y0 - mc.Top}, m, {srcLeft, mc.Top, srcRight, y0});
        CopyPiece(strip, {0, stripH - (mc.Bottom - y1), stripW, stripH}, m,
                  {srcLeft, y1, srcRight, mc.Bottom});
    };
    side(strips.Left, 0, mc.Left, lt.Y, lb.Y);
    side(strips.Right, mc.Right, mw, rt.Y, rb.Y);

    auto across = [&](TBitmap& strip, int srcTop, int srcBottom, int x0, int x1, int nx0, int nx1) {
        const int stripH = srcBottom - srcTop;
        if (!usable || width <= 0 || stripH <= 0) {
            Reset(strip, 0, 0);
            return;
        }
        Reset(strip, width, stripH);
        TileHorz(strip, nx0, nx1, 0, stripH, m, x0, x1 - x0, srcTop, srcBottom);
        CopyPiece(strip, {0, 0, x0, stripH}, m, {0, srcTop, x0, srcBottom});
        CopyPiece(strip, {nx1, 0, nx1 + mw - x1, stripH}, m, {x1, srcTop, mw, srcBottom});
    };
    across(strips.Top, 0, mc.Top, lt.X, rt.X, nlt.X, nrt.X);
    across(strips.Bottom, mc.Bottom, mh, lb.X, rb.X, nlb.X, nrb.X);
}

}  // namespace skin
