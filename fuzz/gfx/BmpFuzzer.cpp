// BMP reader: whatever loads must save and load again to the same pixels, and an unchanged
// bitmap must save to the bytes it was read from.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"

using platform::gfx::TBitmap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBitmap bmp;
    if (!bmp.LoadFromMemory(data, size)) return 0;
    const auto saved = bmp.SaveToMemory();
    if (saved.size() > size || std::memcmp(saved.data(), data, saved.size()) != 0) std::abort();

    TBitmap again;
    if (!again.LoadFromMemory(saved.data(), saved.size())) std::abort();
    if (again.Width() != bmp.Width() || again.Height() != bmp.Height()) std::abort();
    const std::size_t pixels = static_cast<std::size_t>(bmp.Width()) * bmp.Height();
    if (std::memcmp(again.Bits(), bmp.Bits(), pixels * sizeof(uint32_t)) != 0) std::abort();

    // A changed pixel takes the re-encoding path, which must round-trip too.
    bmp.SetPixel(0, 0, static_cast<platform::gfx::TColor>(data[size - 1] * 0x010307));
    const auto changed = bmp.SaveToMemory();
    if (!again.LoadFromMemory(changed.data(), changed.size())) std::abort();
    if (std::memcmp(again.Bits(), bmp.Bits(), pixels * sizeof(uint32_t)) != 0) std::abort();

    // The same bytes through a stream stop exactly where the file ends.
    platform::core::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    TBitmap fromStream;
    if (!fromStream.LoadFromStream(stream)) std::abort();
    if (stream.Position() != static_cast<int64_t>(saved.size())) std::abort();
    return 0;
}
