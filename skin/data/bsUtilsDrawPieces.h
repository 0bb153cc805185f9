#pragma once
// Piece copies shared by the image composers and the strip builders.

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"

namespace skin::detail {

using platform::core::TRect;
using platform::gfx::TBitmap;

// Skin coordinates beyond this are treated as broken input: far larger than any picture, and
// small enough that sums of a few of them cannot overflow.
constexpr int kMaxSkinCoord = 1 << 20;
[[nodiscard]] constexpr bool SaneCoord(int v) {
    return v >= -kMaxSkinCoord && v <= kMaxSkinCoord;
}
[[nodiscard]] constexpr bool SaneRect(const TRect& r) {
    return SaneCoord(r.Left) && SaneCoord(r.Top) && SaneCoord(r.Right) && SaneCoord(r.Bottom);
}

// Copies s of source into d of dest, scaled when the sizes differ; nothing when either is empty.
void CopyPiece(TBitmap& dest, const TRect& d, TBitmap& source, const TRect& s);
// Copies s into a bitmap of its own size and stretches that into d.
void StretchPiece(TBitmap& dest, const TRect& d, TBitmap& source, const TRect& s);

// Tiles columns srcLeft .. srcLeft+piece of the source rows srcTop..srcBottom into the destination
// rows top..bottom, starting at x = from; the last piece is cut against x = to, never scaled.
void TileHorz(TBitmap& dest, int from, int to, int top, int bottom, TBitmap& source, int srcLeft, int piece,
              int srcTop, int srcBottom);
// The vertical counterpart: rows srcTop .. srcTop+piece tiled from y = from, cut against y = to.
void TileVert(TBitmap& dest, int from, int to, int left, int right, TBitmap& source, int srcTop, int piece,
              int srcLeft, int srcRight);
// Tiles the whole source rectangle s over d, cutting the last column and row of tiles.
void TileRect(TBitmap& dest, const TRect& d, TBitmap& source, const TRect& s);

}  // namespace skin::detail
