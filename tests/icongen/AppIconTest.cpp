// The desktop icon: transparent around the piece, opaque inside it, at every theme size, and
// written as a PNG that keeps its alpha channel.

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>

#include "tools/icongen/AppIcon.h"

namespace {

int OpaquePixels(const skingen::TRgbaImage& icon) {
    int count = 0;
    for (int y = 0; y < icon.Height; ++y)
        for (int x = 0; x < icon.Width; ++x) count += icon.Alpha(x, y) == 255;
    return count;
}

}  // namespace

TEST(AppIcon, TransparentAroundThePieceAndOpaqueInsideAtEverySize) {
    for (int size : skingen::kAppIconSizes) {
        SCOPED_TRACE(size);
        const skingen::TRgbaImage icon = skingen::PaintAppIcon(size);
        ASSERT_EQ(icon.Width, size);
        ASSERT_EQ(icon.Pixels.size(), static_cast<std::size_t>(size) * size * 4);
        for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
            EXPECT_EQ(icon.Alpha(x, y), 0);
        // The piece's body covers the middle; its colour is the mark's blue, not premultiplied grey.
        const int c = size / 2;
        EXPECT_EQ(icon.Alpha(c, c), 255);
        const uint8_t* mid = &icon.Pixels[(static_cast<std::size_t>(c) * size + c) * 4];
        EXPECT_GT(mid[2], mid[0] + 60);
        // A piece, not a square: between a quarter and nine tenths of the icon is solid.
        const int opaque = OpaquePixels(icon);
        EXPECT_GT(opaque, size * size / 4);
        EXPECT_LT(opaque, size * size * 9 / 10);
    }
}

TEST(AppIcon, PngKeepsSizeAndAlpha) {
    const std::string path = (std::filesystem::temp_directory_path() / "vk-icon-test.png").string();
    const skingen::TRgbaImage icon = skingen::PaintAppIcon(48);
    std::string error;
    ASSERT_TRUE(skingen::SaveRgbaPng(icon, path, &error)) << error;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(image.width, 48u);
    EXPECT_EQ(pixels, icon.Pixels);
    std::filesystem::remove(path);
    // An unwritable place is an error, not a crash.
    EXPECT_FALSE(skingen::SaveRgbaPng(icon, "/nonexistent-folder/icon.png", &error));
    EXPECT_NE(error.find("/nonexistent-folder/icon.png"), std::string::npos);
}
