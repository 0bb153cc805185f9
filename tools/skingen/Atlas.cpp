#include "tools/skingen/Atlas.h"

#include <algorithm>

namespace skingen {

TRect TAtlas::Place(int w, int h, TImagePainter painter) {
    TShelf* shelf = nullptr;
    if (!m_newShelf) {
        for (TShelf& s : m_shelves) {
            if (h <= s.Height && s.X + w <= std::max(m_maxWidth, w)) {
                shelf = &s;
                break;
            }
        }
    }
    if (!shelf) {
        const int top = m_shelves.empty() ? 0 : m_shelves.back().Top + m_shelves.back().Height + m_gap;
        m_shelves.push_back({top, h, 0});
        shelf = &m_shelves.back();
        m_newShelf = false;
    }
    const TRect place{shelf->X, shelf->Top, shelf->X + w, shelf->Top + h};
    shelf->X += w + m_gap;
    m_width = std::max(m_width, place.Right);
    m_entries.push_back({place, std::move(painter)});
    return place;
}

std::vector<TRect> TAtlas::PlaceStates(int w, int h, int count,
                                       const std::function<void(TRaster&, const TRect&, int)>& painter) {
    std::vector<TRect> places;
    for (int i = 0; i < count; ++i)
        places.push_back(Place(w, h, [painter, i](TRaster& r, const TRect& p) { painter(r, p, i); }));
    return places;
}

TBitmap TAtlas::Build(TColor filler, TColor background) const {
    int height = 0;
    for (const TEntry& e : m_entries) height = std::max(height, e.Place.Bottom);
    TBitmap bitmap(m_width, height);
    TRaster raster(bitmap);
    raster.FillRect(0, 0, m_width, height, filler);
    for (const TEntry& e : m_entries) {
        raster.FillRect(e.Place.Left, e.Place.Top, e.Place.Right, e.Place.Bottom, background);
        e.Painter(raster, e.Place);
    }
    return bitmap;
}

}  // namespace skingen
