#include "skin/data/bsUtilsDrawPieces.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"

namespace skin::detail {

namespace {

bool Empty(const TRect& r) {
    return r.Right - r.Left < 1 || r.Bottom - r.Top < 1;
}

}  // namespace

void CopyPiece(TBitmap& dest, const TRect& d, TBitmap& source, const TRect& s) {
    if (Empty(d) || Empty(s)) return;
    if (d.Width() == s.Width() && d.Height() == s.Height()) {
        // Unscaled: cut both rectangles to the part that lies inside the source.
        const int cutLeft = std::max(0, -s.Left);
        const int cutTop = std::max(0, -s.Top);
        const int cutRight = std::max(0, s.Right - source.Width());
        const int cutBottom = std::max(0, s.Bottom - source.Height());
        const TRect sc{s.Left + cutLeft, s.Top + cutTop, s.Right - cutRight, s.Bottom - cutBottom};
        if (Empty(sc)) return;
        const TRect dc{d.Left + cutLeft, d.Top + cutTop, d.Right - cutRight, d.Bottom - cutBottom};
        dest.Canvas().CopyRect(dc, source.Canvas(), sc);
        return;
    }
    dest.Canvas().CopyRect(d, source.Canvas(), s);
}

void StretchPiece(TBitmap& dest, const TRect& d, TBitmap& source, const TRect& s) {
    if (Empty(d) || Empty(s)) return;
    TBitmap piece(s.Width(), s.Height());
    CopyPiece(piece, TRect{0, 0, s.Width(), s.Height()}, source, s);
    dest.Canvas().StretchDraw(d, piece);
}

void TileHorz(TBitmap& dest, int from, int to, int top, int bottom, TBitmap& source, int srcLeft, int piece,
              int srcTop, int srcBottom) {
    if (piece <= 0 || to <= from || bottom <= top || srcBottom <= srcTop) return;
    for (int x = from; x < to; x += piece) {
        const int cut = std::max(0, x + piece - to);
        CopyPiece(dest, TRect{x, top, x + piece - cut, bottom}, source,
                  TRect{srcLeft, srcTop, srcLeft + piece - cut, srcBottom});
    }
}

void TileVert(TBitmap& dest, int from, int to, int left, int right, TBitmap& source, int srcTop, int piece,
              int srcLeft, int srcRight) {
    if (piece <= 0 || to <= from || right <= left || srcRight <= srcLeft) return;
    for (int y = from; y < to; y += piece) {
        const int cut = std::max(0, y + piece - to);
        CopyPiece(dest, TRect{left, y, right, y + piece - cut}, source,
                  TRect{srcLeft, srcTop, srcRight, srcTop + piece - cut});
    }
}

void TileRect(TBitmap& dest, const TRect& d, TBitmap& source, const TRect& s) {
    const int pw = s.Width();
    const int ph = s.Height();
    if (Empty(d) || pw <= 0 || ph <= 0) return;
    for (int y = d.Top; y < d.Bottom; y += ph) {
        const int cy = std::max(0, y + ph - d.Bottom);
        TileHorz(dest, d.Left, d.Right, y, y + ph - cy, source, s.Left, pw, s.Top, s.Bottom - cy);
    }
}

}  // namespace skin::detail
