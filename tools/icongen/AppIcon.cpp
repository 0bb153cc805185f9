#include "tools/icongen/AppIcon.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "platform/core/Files.h"
#include "tools/skingen/Paint.h"
#include "tools/skingen/Theme.h"

namespace skingen {

namespace {

// Paints the icon's layers onto black, so that a layer painted in white gives its coverage.
void PaintLayers(TRaster& r, int size, bool coverage) {
    const double s = size;
    // A margin of a sixteenth keeps the knobs inside the square at every size.
    const TRectF mark{s / 16, s / 16, s - s / 16, s - s / 16};
    const TPaint white = TPaint::Solid(Hex(0xFFFFFF));
    if (coverage) {
        PaintPuzzlePiece(r, mark, white);
        return;
    }
    PaintPuzzlePiece(r, mark, TPaint::Vertical(Hex(0x4FAAFF), theme::kAccentStrong, mark.Top, mark.Bottom));
    // The lighter facet of the side bar's mark; below 24 pixels it would only blur the edge.
    if (size >= 24) {
        r.FillShape(
            mark,
            [&](double x, double y) {
                return InsidePuzzlePiece(mark, x, y) && y < mark.Top + 0.55 * mark.Height() - 0.25 * (x - mark.Left);
            },
            white, 0.12);
    }
}

}  // namespace

TRgbaImage PaintAppIcon(int size) {
    TRgbaImage image;
    if (size < 1) return image;
    TBitmap colour(size, size), cover(size, size);
    TRaster(colour).FillRect(0, 0, size, size, Hex(0x000000));
    TRaster(cover).FillRect(0, 0, size, size, Hex(0x000000));
    {
        TRaster r(colour);
        PaintLayers(r, size, false);
    }
    {
        TRaster r(cover);
        PaintLayers(r, size, true);
    }
    image.Width = image.Height = size;
    image.Pixels.resize(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        const uint32_t* c = colour.ScanLine(y);
        const uint32_t* a = cover.ScanLine(y);
        for (int x = 0; x < size; ++x) {
            uint8_t* out = &image.Pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            const int alpha = static_cast<int>((a[x] >> 8) & 0xFF);
            out[3] = static_cast<uint8_t>(alpha);
            if (alpha == 0) continue;
            // Painted over black, the colour is premultiplied by the coverage: undo that.
            const int channels[3] = {static_cast<int>(c[x] >> 16 & 0xFF), static_cast<int>(c[x] >> 8 & 0xFF),
                                     static_cast<int>(c[x] & 0xFF)};
            for (int i = 0; i < 3; ++i)
                out[i] = static_cast<uint8_t>(std::min(255, (channels[i] * 255 + alpha / 2) / alpha));
        }
    }
    return image;
}

bool SaveRgbaPng(const TRgbaImage& image, const std::string& path, std::string* error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.Width);
    png.height = static_cast<png_uint_32>(image.Height);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    std::vector<uint8_t> out;
    bool ok = image.Width > 0 &&
              png_image_write_to_memory(&png, nullptr, &size, 0, image.Pixels.data(), 0, nullptr) != 0;
    if (ok) {
        out.resize(size);
        ok = png_image_write_to_memory(&png, out.data(), &size, 0, image.Pixels.data(), 0, nullptr) != 0;
    }
    ok = ok && platform::core::WriteFileAtomic(path, out.data(), size);
    if (!ok && error) *error = "cannot write " + path;
    return ok;
}

}  // namespace skingen
