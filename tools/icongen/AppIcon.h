#pragma once
// The program's desktop icon: the blue puzzle piece that marks the browser's side bar, on a
// transparent background, at any square size.

#include <cstdint>
#include <string>
#include <vector>

namespace skingen {

// Straight (not premultiplied) RGBA pixels, row by row.
struct TRgbaImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;  // 4 bytes a pixel: red, green, blue, alpha

    [[nodiscard]] uint8_t Alpha(int x, int y) const { return Pixels[(static_cast<std::size_t>(y) * Width + x) * 4 + 3]; }
};

// The icon at size x size pixels.
[[nodiscard]] TRgbaImage PaintAppIcon(int size);

// The sizes the icon theme gets.
inline constexpr int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Writes the image as a PNG with its alpha channel, replacing the file atomically.
bool SaveRgbaPng(const TRgbaImage& image, const std::string& path, std::string* error);

}  // namespace skingen
