#include <png.h>

#include <cstring>

#include "platform/core/Files.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/BmpCodec.h"

namespace platform::gfx {

bool SavePng(const TBitmap& bitmap, const std::string& path) {
    if (bitmap.Empty()) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.Width());
    image.height = static_cast<png_uint_32>(bitmap.Height());
    // The fourth byte of our pixels is unused, not alpha: write opaque RGB.
    image.format = PNG_FORMAT_BGR;
    const std::size_t stride = static_cast<std::size_t>(bitmap.Width()) * 3;
    std::vector<uint8_t> rows(stride * static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint32_t* src = bitmap.ScanLine(y);
        uint8_t* dst = rows.data() + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < bitmap.Width(); ++x) {
            dst[3 * x] = static_cast<uint8_t>(src[x]);
            dst[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
            dst[3 * x + 2] = static_cast<uint8_t>(src[x] >> 16);
        }
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rows.data(), static_cast<png_int_32>(stride),
                                   nullptr))
        return false;
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rows.data(), static_cast<png_int_32>(stride),
                                   nullptr))
        return false;
    return core::WriteFileAtomic(path, out.data(), size);
}

bool LoadPng(TBitmap& bitmap, const std::string& path) {
    const auto bytes = core::ReadFileBytes(path);
    if (!bytes || bytes->empty()) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes->data(), bytes->size())) return false;
    if (image.width < 1 || image.height < 1 || image.width > bmp::kMaxDimension ||
        image.height > bmp::kMaxDimension ||
        static_cast<uint64_t>(image.width) * image.height > bmp::kMaxPixels) {
        png_image_free(&image);
        return false;
    }
    // Alpha is composed onto black, since our pixels have no alpha.
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint8_t> rgba(static_cast<std::size_t>(image.width) * image.height * 4);
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    bitmap.ForgetSourceFormat();
    bitmap.SetSize(0, 0);
    bitmap.SetSize(static_cast<int>(image.width), static_cast<int>(image.height));
    for (std::size_t i = 0; i < static_cast<std::size_t>(image.width) * image.height; ++i) {
        const uint8_t* p = rgba.data() + 4 * i;
        const uint32_t a = p[3];
        const auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
        bitmap.Bits()[i] = scale(p[0]) | (scale(p[1]) << 8) | (scale(p[2]) << 16);
    }
    return true;
}

}  // namespace platform::gfx
