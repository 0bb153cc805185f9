#include "tools/skingen/BrowserArt.h"

#include <algorithm>

#include "tools/skingen/OutputFolder.h"
#include "tools/skingen/Paint.h"
#include "tools/skingen/Theme.h"

namespace skingen {

using namespace theme;

namespace {

constexpr int kWidth = 760, kHeight = 570;
constexpr int kSideBar = 190;
constexpr TRectF kCard{196, 72, 752, 556};

// A soft shadow under a rounded rectangle: its shape, blurred, darkening what lies below.
void PaintShadow(TRaster& r, const TRectF& box, double radius, int blur, double dy, double strength) {
    const int w = r.Target().Width(), h = r.Target().Height();
    std::vector<double> alpha(static_cast<std::size_t>(w) * h, 0.0);
    const TRectF shifted{box.Left, box.Top + dy, box.Right, box.Bottom + dy};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (InsideRoundRect(shifted, radius, x + 0.5, y + 0.5))
                alpha[static_cast<std::size_t>(y) * w + x] = 1;
    BlurAlpha(alpha, w, h, blur);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            r.BlendPixel(x, y, Hex(0x1C2A3A), alpha[static_cast<std::size_t>(y) * w + x] * strength);
}

void PaintSideBar(TRaster& r) {
    r.FillRect(0, 0, kSideBar, kHeight, TPaint::Vertical(Hex(0x303C4A), Hex(0x1C242D), 0, kHeight));
    // A loose pattern of pieces, barely lighter than the bar.
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 4; ++col) {
            const double x = col * 52 - 14 + (row % 2) * 26, y = 214 + row * 44;
            PaintPuzzlePiece(r, {x, y, x + 40, y + 40}, TPaint::Solid(Hex(0xFFFFFF)),
                             0.025 + 0.008 * ((row + col) % 3));
        }
    }
    // The program's mark with a soft halo.
    r.FillCircle(95, 112, 74, TPaint::Solid(kAccent), 0.07);
    r.FillCircle(95, 112, 56, TPaint::Solid(kAccent), 0.08);
    const TRectF mark{45, 58, 145, 158};
    PaintPuzzlePiece(r, {mark.Left + 3, mark.Top + 5, mark.Right + 3, mark.Bottom + 5},
                     TPaint::Solid(Hex(0x0B1016)), 0.35);
    PaintPuzzlePiece(r, mark, TPaint::Vertical(Hex(0x4FAAFF), kAccentStrong, mark.Top, mark.Bottom));
    // A lighter facet on the upper part of the mark.
    r.FillShape(
        mark,
        [&](double x, double y) {
            return InsidePuzzlePiece(mark, x, y) &&
                   y < mark.Top + 0.55 * mark.Height() - 0.25 * (x - mark.Left);
        },
        TPaint::Solid(Hex(0xFFFFFF)), 0.12);
    // Three small pieces under the mark, in the accent's shades.
    const TColor shades[3] = {Hex(0x6FB8FF), Hex(0x2E8CF0), Hex(0x1A64B8)};
    for (int i = 0; i < 3; ++i) {
        const double x = 48 + i * 34, y = 180;
        PaintPuzzlePiece(r, {x, y, x + 26, y + 26}, TPaint::Solid(shades[i]), 0.9);
    }
    r.FillRect(kSideBar - 1, 0, kSideBar, kHeight, Hex(0x10151B));
}

void PaintCard(TRaster& r) {
    PaintShadow(r, kCard, 8, 6, 3, 0.22);
    r.FillRoundRect(kCard, 8, TPaint::Solid(kField));
    r.StrokeRoundRect(kCard, 8, 1, TPaint::Solid(Hex(0xD2D9E2)));
    // An accent edge along the card's top.
    r.FillShape(
        kCard, [](double x, double y) { return y < kCard.Top + 3 && InsideRoundRect(kCard, 8, x, y); },
        TPaint::Horizontal(Hex(0x3DA0FF), kAccentStrong, kCard.Left, kCard.Right));
    // Under the package chooser, above the pictures.
    r.FillRect(204, 124, 748, 125, Hex(0xE6EAF0));
    // The six places a preview can take, each with a faint piece as long as it is empty.
    for (const auto& slot : kPreviewSlots) {
        const double x = slot[0], y = slot[1];
        const TRectF place{x - 2, y - 2, x + 152, y + 152};
        r.FillRoundRect(place, 5, TPaint::Vertical(Hex(0xF4F7FA), Hex(0xECF0F5), place.Top, place.Bottom));
        r.StrokeRoundRect(place, 5, 1, TPaint::Solid(Hex(0xE0E6ED)));
        PaintPuzzlePiece(r, {x + 45, y + 45, x + 105, y + 105}, TPaint::Solid(Hex(0xC9D2DC)), 0.35);
    }
}

TBitmap PaintBackground() {
    TBitmap bitmap(kWidth, kHeight);
    TRaster r(bitmap);
    r.FillRect(0, 0, kWidth, kHeight, TPaint::Vertical(Hex(0xEEF2F7), Hex(0xE0E6EE), 0, kHeight));
    // Large pale pieces behind the header.
    for (int i = 0; i < 6; ++i) {
        const double x = 230 + i * 92, y = -26 + (i % 2) * 14;
        PaintPuzzlePiece(r, {x, y, x + 74, y + 74}, TPaint::Solid(kAccent), 0.045);
    }
    PaintSideBar(r);
    PaintCard(r);
    return bitmap;
}

TBitmap PaintSeverity(int stars) {
    TBitmap bitmap(80, 17);
    TRaster r(bitmap);
    r.FillRect(0, 0, 80, 17, kField);
    for (int i = 0; i < 5; ++i) {
        const auto points = StarPoints(8 + 16 * i, 9, 7.8, 3.3);
        if (i < stars) {
            r.FillPolygon(points, TPaint::Vertical(Hex(0xF05D52), Hex(0xC8362C), 1, 16));
        } else {
            r.FillPolygon(points, TPaint::Solid(Hex(0xDCE1E7)));
        }
    }
    return bitmap;
}

TBitmap PaintPuzzleTile(bool locked) {
    TBitmap bitmap(150, 150);
    TRaster r(bitmap);
    r.FillRect(0, 0, 150, 150, TPaint::Vertical(Hex(0xF4F7FB), Hex(0xE2E8F0), 0, 150));
    r.StrokeRoundRect({0, 0, 150, 150}, 0, 1, TPaint::Solid(Hex(0xD2D9E2)));
    const TRectF piece{27, 25, 123, 121};
    PaintPuzzlePiece(r, {piece.Left + 3, piece.Top + 4, piece.Right + 3, piece.Bottom + 4},
                     TPaint::Solid(Hex(0x1C2A3A)), 0.12);
    if (locked) {
        PaintPuzzlePiece(r, piece, TPaint::Vertical(Hex(0xC3CCD6), Hex(0x98A4B2), piece.Top, piece.Bottom));
        r.StrokeRoundRect({60, 58, 90, 96}, 15, 5, TPaint::Solid(Hex(0x3B4654)));
        r.FillRoundRect({52, 78, 98, 112}, 5, TPaint::Vertical(Hex(0x4B5766), Hex(0x2C343E), 78, 112));
        r.FillCircle(75, 92, 4, TPaint::Solid(Hex(0xD3DBE4)));
        r.FillRect(74, 94, 76, 102, Hex(0xD3DBE4));
    } else {
        PaintPuzzlePiece(r, piece, TPaint::Vertical(Hex(0x6CB6FF), kAccentStrong, piece.Top, piece.Bottom));
        r.FillShape(
            piece,
            [&](double x, double y) {
                return InsidePuzzlePiece(piece, x, y) && y < piece.Top + 50 - 0.3 * (x - piece.Left);
            },
            TPaint::Solid(kField), 0.15);
    }
    return bitmap;
}

}  // namespace

TBitmap JoinPictures(const std::vector<TBitmap>& pictures) {
    int width = 0, height = 0;
    for (const TBitmap& p : pictures) {
        width += p.Width();
        height = std::max(height, p.Height());
    }
    TBitmap strip(width, height);
    int x = 0;
    for (const TBitmap& p : pictures) {
        for (int y = 0; y < p.Height(); ++y)
            std::copy(p.ScanLine(y), p.ScanLine(y) + p.Width(), strip.ScanLine(y) + x);
        x += p.Width();
    }
    return strip;
}

TBrowserPictures PaintBrowserPictures() {
    TBrowserPictures p;
    p.Background = PaintBackground();
    for (int i = 1; i <= 5; ++i) p.Severity.push_back(PaintSeverity(i));
    p.Puzzles.push_back(PaintPuzzleTile(false));
    p.Puzzles.push_back(PaintPuzzleTile(true));
    return p;
}

bool WriteBrowserFolder(const std::string& folder, std::string* error) {
    const TBrowserPictures p = PaintBrowserPictures();
    TOutputFolder out;
    std::vector<uint8_t> jpeg = JpegBytes(p.Background, 92);
    if (jpeg.empty()) {
        if (error) *error = "cannot encode the background picture";
        return false;
    }
    out.Add("background.jpg", std::move(jpeg));
    out.Add("severity.bmp", JoinPictures(p.Severity).SaveToMemory());
    out.Add("puzzles.bmp", JoinPictures(p.Puzzles).SaveToMemory());
    // The folder also holds the browser window's form, which another tool owns.
    return out.CommitFiles(folder, error);
}

}  // namespace skingen
