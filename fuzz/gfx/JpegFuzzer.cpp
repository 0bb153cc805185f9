// JPEG wrapper: any input is decoded or rejected, never crashes; a rejected input leaves the
// previous picture in place.

#include <cstdint>
#include <cstdlib>

#include "platform/gfx/Jpeg.h"

using platform::gfx::TJPEGImage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const uint8_t kNothing = 0;
    TJPEGImage jpeg;
    if (!jpeg.LoadFromMemory(data, size)) {
        if (!jpeg.Empty() || !jpeg.Data().empty() || jpeg.LastError().empty()) std::abort();
        return 0;
    }
    if (jpeg.Empty() || jpeg.Data().size() != size) std::abort();
    const auto& bitmap = jpeg.Bitmap();
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.ScanLine(y)[x] >> 24) std::abort();  // the unused byte stays clear
    if (jpeg.LoadFromMemory(&kNothing, 1)) std::abort();
    if (jpeg.Data().size() != size) std::abort();
    return 0;
}
