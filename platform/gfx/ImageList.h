#pragma once
// A list of pictures of equal size, masked or not, drawn enabled or disabled.

#include <vector>

#include "platform/gfx/Bitmap.h"

namespace platform::gfx {

class TCanvas;

class TImageList {
public:
    TImageList() = default;
    TImageList(int width, int height) : m_width(width), m_height(height) {}

    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }
    void SetSize(int width, int height);  // clears the list
    [[nodiscard]] int Count() const { return static_cast<int>(m_images.size()); }

    // A picture wider than Width is cut into Width-wide pictures. Returns the first index or -1.
    int Add(const TBitmap& image, const TBitmap* mask = nullptr);  // mask: black = opaque
    int AddMasked(const TBitmap& image, TColor transparentColor);
    void Delete(int index);
    void Clear();
    bool GetBitmap(int index, TBitmap& out) const;

    // Disabled drawing: an embossed grey version (highlight shifted one pixel, shadow on top).
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    struct Entry {
        TBitmap Image;
        std::vector<uint8_t> Opaque;  // one byte per pixel; empty when unmasked
    };
    int m_width = 16;
    int m_height = 16;
    std::vector<Entry> m_images;
};

}  // namespace platform::gfx
