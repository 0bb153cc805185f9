#pragma once
// A skin picture assembled from many small images: each image is given a place and a painter;
// once every place is known the picture is made just large enough and every painter draws into its
// own rectangle. Places are found on shelves: an image goes onto the first shelf, top to bottom,
// that is high enough and has room left within the picture's width, else onto a new shelf.

#include <functional>
#include <vector>

#include "platform/core/Types.h"
#include "tools/skingen/Raster.h"

namespace skingen {

using platform::core::TRect;

using TImagePainter = std::function<void(TRaster& raster, const TRect& place)>;

class TAtlas {
public:
    explicit TAtlas(int width = 256, int gap = 2) : m_maxWidth(width), m_gap(gap) {}

    // The next image opens a new shelf below everything placed so far.
    void NewRow() { m_newShelf = true; }
    // Reserves a w x h place in the current row and returns it in picture coordinates.
    TRect Place(int w, int h, TImagePainter painter);
    // Several places of the same size side by side, one painter call per state index.
    std::vector<TRect> PlaceStates(int w, int h, int count,
                                   const std::function<void(TRaster&, const TRect&, int)>& painter);

    // The picture: unused pixels in the filler colour; every place is first filled with the
    // background (what the image's soft edges blend into), then painted.
    [[nodiscard]] TBitmap Build(TColor filler, TColor background) const;

private:
    struct TEntry {
        TRect Place;
        TImagePainter Painter;
    };
    struct TShelf {
        int Top, Height, X;
    };
    int m_maxWidth;
    int m_gap;
    bool m_newShelf = false;
    std::vector<TShelf> m_shelves;
    int m_width = 0;
    std::vector<TEntry> m_entries;
};

}  // namespace skingen
