#include "tools/skingen/FrameArt.h"

#include "tools/skingen/Paint.h"
#include "tools/skingen/Theme.h"

namespace skingen {

using namespace theme;

bool InsidePixelShape(int w, int h, const TRadii& radii, int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    const TRectF box{0, 0, static_cast<double>(w), static_cast<double>(h)};
    return InsideRoundRect(box, radii, x + 0.5, y + 0.5);
}

namespace {

bool OnShapeOutline(int w, int h, const TRadii& radii, int x, int y) {
    if (!InsidePixelShape(w, h, radii, x, y)) return false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (!InsidePixelShape(w, h, radii, x + dx, y + dy)) return true;
    return false;
}

TRadii FrameRadii(const TFrameMetrics& m) {
    return {1.0 * m.TopRadius, 1.0 * m.TopRadius, 1.0 * m.BottomRadius, 1.0 * m.BottomRadius};
}

bool OnOutline(const TFrameMetrics& m, int x, int y) {
    return OnShapeOutline(m.Width, m.Height, FrameRadii(m), x, y);
}

// The ring just inside the outline.
bool OnSecondRing(const TFrameMetrics& m, int x, int y) {
    if (!InsideFrameOutline(m, x, y) || OnOutline(m, x, y)) return false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (OnOutline(m, x + dx, y + dy)) return true;
    return false;
}

}  // namespace

bool InsideFrameOutline(const TFrameMetrics& m, int x, int y) {
    return InsidePixelShape(m.Width, m.Height, FrameRadii(m), x, y);
}

TBitmap PaintOutlinedShape(int w, int h, const TRadii& radii, TColor outline, TColor fill) {
    TBitmap bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool edge = !InsidePixelShape(w, h, radii, x, y) || OnShapeOutline(w, h, radii, x, y);
            bitmap.ScanLine(y)[x] = platform::gfx::ColorToPixel(edge ? outline : fill);
        }
    return bitmap;
}

TBitmap PaintShapeMask(int w, int h, const TRadii& radii) {
    TBitmap bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap.ScanLine(y)[x] = InsidePixelShape(w, h, radii, x, y) ? 0x000000 : 0xFFFFFF;
    return bitmap;
}

TColor CaptionBackground(const TFrameMetrics& m, int row) {
    const double span = m.CaptionHeight - 3;
    const double t = span > 0 ? (row - 1) / span : 0;
    return Mix(kFrameTop, kFrameBottom, t < 0 ? 0 : (t > 1 ? 1 : t));
}

TBitmap PaintFramePicture(const TFrameMetrics& m) {
    TBitmap bitmap(m.Width, m.Height);
    const TRect client = m.ClientRect();
    for (int y = 0; y < m.Height; ++y) {
        uint32_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < m.Width; ++x) {
            TColor c;
            const bool innerColumn =
                (x == client.Left - 1 || x == client.Right) && y >= client.Top - 1 && y <= client.Bottom;
            const bool innerRow =
                (y == client.Top - 1 || y == client.Bottom) && x >= client.Left - 1 && x <= client.Right;
            if (!InsideFrameOutline(m, x, y) || OnOutline(m, x, y)) {
                c = kFrameOutline;
            } else if (client.Contains({x, y})) {
                c = kClient;
            } else if (innerColumn || innerRow) {
                c = kFrameInner;
            } else if (OnSecondRing(m, x, y) && y <= m.TopRadius) {
                c = kFrameHighlight;
            } else if (y < client.Top - 1) {
                c = CaptionBackground(m, y);
            } else {
                c = kFrameSide;
            }
            row[x] = platform::gfx::ColorToPixel(c);
        }
    }
    return bitmap;
}

TBitmap PaintFrameMask(const TFrameMetrics& m) {
    return PaintShapeMask(m.Width, m.Height, FrameRadii(m));
}

void PaintCaptionButton(TRaster& r, const TRect& place, const TFrameMetrics& m, TCaptionGlyph glyph,
                        TCaptionState state) {
    for (int y = place.Top; y < place.Bottom; ++y)
        r.FillRect(place.Left, y, place.Right, y + 1, CaptionBackground(m, m.ButtonTop + (y - place.Top)));
    const bool close = glyph == TCaptionGlyph::Close;
    if (state == TCaptionState::Hot || state == TCaptionState::Down) {
        const TColor face = state == TCaptionState::Hot ? (close ? kCloseHot : kCaptionButtonHot)
                                                        : (close ? kCloseDown : kCaptionButtonDown);
        r.FillRoundRect(Whole(place), 3, TPaint::Solid(face));
    }
    TColor ink = kGlyph;
    if (state == TCaptionState::Hot || (state == TCaptionState::Down && close)) ink = kGlyphHot;
    if (state == TCaptionState::Disabled) ink = kGlyphDisabled;
    if (state == TCaptionState::Inactive) ink = kGlyphInactive;
    const double cx = place.Left + place.Width() / 2.0;
    const double cy = place.Top + place.Height() / 2.0;
    switch (glyph) {
        case TCaptionGlyph::Close:
            PaintCross(r, cx, cy, 3.5, ink, 1.4);
            break;
        case TCaptionGlyph::Maximize:
            PaintMaximizeGlyph(r, cx, cy, 4, ink);
            break;
        case TCaptionGlyph::Minimize:
            PaintMinimizeGlyph(r, cx, cy + 0.5, 4.5, ink);
            break;
        case TCaptionGlyph::Restore: {
            const TColor under = state == TCaptionState::Hot ? kCaptionButtonHot
                                 : state == TCaptionState::Down
                                     ? kCaptionButtonDown
                                     : CaptionBackground(m, m.ButtonTop + m.ButtonHeight / 2);
            PaintRestoreGlyph(r, cx, cy, 4, ink, under);
            break;
        }
        case TCaptionGlyph::RollUp:
            PaintRollGlyph(r, cx, cy, 4, true, ink);
            break;
        case TCaptionGlyph::RollDown:
            PaintRollGlyph(r, cx, cy, 4, false, ink);
            break;
        case TCaptionGlyph::SystemMenu: {
            const TRectF box{cx - 7, cy - 7, cx + 7, cy + 7};
            if (state == TCaptionState::Disabled || state == TCaptionState::Inactive) {
                PaintPuzzlePiece(r, box, TPaint::Solid(ink));
            } else {
                PaintPuzzlePiece(r, box, TPaint::Vertical(Hex(0x3DA0FF), kAccentStrong, box.Top, box.Bottom));
            }
            break;
        }
    }
}

}  // namespace skingen
