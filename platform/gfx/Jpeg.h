#pragma once
// JPEG pictures, decoded with libjpeg-turbo straight into a 32-bit bitmap. A broken file is an
// error that the caller handles.

#include <cstdint>
#include <string>

#include "platform/core/Stream.h"
#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"

namespace platform::gfx {

class TJPEGImage {
public:
    [[nodiscard]] int Width() const { return m_bitmap.Width(); }
    [[nodiscard]] int Height() const { return m_bitmap.Height(); }
    [[nodiscard]] bool Empty() const { return m_bitmap.Empty(); }
    [[nodiscard]] const TBitmap& Bitmap() const { return m_bitmap; }

    // Return false on any error; the image is then left unchanged.
    bool LoadFromFile(const std::string& path);
    bool LoadFromStream(core::TStream& stream);  // reads to the end of the stream
    bool LoadFromMemory(const uint8_t* data, std::size_t size);
    [[nodiscard]] const std::string& LastError() const { return m_error; }

    // When not empty, the next loads decode the picture scaled down in the decoder by 1/2, 1/4
    // or 1/8: the most that still covers this size (a preview's slot), so that a picture far
    // larger than where it shows costs little more than the slot.
    core::TSize ScaleToCover;

    // The compressed bytes as read (form resources store them).
    [[nodiscard]] const std::vector<uint8_t>& Data() const { return m_data; }

private:
    TBitmap m_bitmap;
    std::vector<uint8_t> m_data;
    std::string m_error;
};

// Encodes a bitmap (tools and test fixtures make sample previews with it).
bool SaveJpeg(const TBitmap& bitmap, const std::string& path, int quality = 90);

}  // namespace platform::gfx
