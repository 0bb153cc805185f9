#pragma once
// A bitmap with its own canvas, and pixel probes for the canvas tests.

#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace canvastest {

using platform::core::TRect;
using namespace platform::gfx;

struct TSurface {
    TBitmap Bitmap;
    TCanvas Canvas;
    explicit TSurface(int w, int h, TColor background = clWhite) : Bitmap(w, h), Canvas(Bitmap) {
        Fill(background);
    }
    void Fill(TColor c) {
        for (int y = 0; y < Bitmap.Height(); ++y)
            for (int x = 0; x < Bitmap.Width(); ++x) Bitmap.ScanLine(y)[x] = ColorToPixel(c);
    }
    // The colour at a target pixel, read straight from the bits.
    [[nodiscard]] TColor At(int x, int y) const { return PixelToColor(Bitmap.ScanLine(y)[x] & 0xFFFFFF); }
    // Bounding box of the pixels that differ from the background; empty when none do.
    [[nodiscard]] TRect Ink(TColor background = clWhite) const {
        TRect box;
        bool any = false;
        for (int y = 0; y < Bitmap.Height(); ++y)
            for (int x = 0; x < Bitmap.Width(); ++x)
                if (At(x, y) != background) {
                    if (!any) box = {x, y, x + 1, y + 1};
                    box = box.Union({x, y, x + 1, y + 1});
                    any = true;
                }
        return box;
    }
    [[nodiscard]] bool SamePixels(const TSurface& o) const {
        if (Bitmap.Width() != o.Bitmap.Width() || Bitmap.Height() != o.Bitmap.Height()) return false;
        for (int y = 0; y < Bitmap.Height(); ++y)
            for (int x = 0; x < Bitmap.Width(); ++x)
                if (At(x, y) != o.At(x, y)) return false;
        return true;
    }
};

// A small bitmap whose pixels are the given colours, row by row.
inline TBitmap MakeBitmap(int w, int h, std::initializer_list<TColor> colours) {
    TBitmap b(w, h);
    auto it = colours.begin();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w && it != colours.end(); ++x, ++it) b.ScanLine(y)[x] = ColorToPixel(*it);
    return b;
}

}  // namespace canvastest
