#pragma once
// The BMP codec behind TBitmap. Internal to platform/gfx.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/Bitmap.h"

namespace platform::gfx::bmp {

// Largest width or height accepted, and largest pixel count (1 GiB of 32-bit pixels).
constexpr int kMaxDimension = 32768;
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;

// The file and info headers need this many bytes at most.
constexpr std::size_t kMaxHeadBytes = 14 + 124;
// Bytes of the head needed before HeadBytes can tell the full head size.
constexpr std::size_t kMinHeadBytes = 18;

// Size of the file header plus info header, from the first kMinHeadBytes bytes; nullopt when the
// signature or header size is not one we read.
[[nodiscard]] std::optional<std::size_t> HeadBytes(const uint8_t* data, std::size_t size);

// Number of bytes the file occupies: its size field, or when that is 0 or too small to hold the
// pixels, the end of the pixel rows. Needs HeadBytes() bytes; nullopt on a malformed header.
[[nodiscard]] std::optional<uint64_t> FileLength(const uint8_t* data, std::size_t size);

struct TDecoded {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    TBmpFormat Format;
};

// Decodes the file at data (bytes past its length are ignored). False on malformed input.
bool Decode(const uint8_t* data, std::size_t size, TDecoded& out);

// Writes pixels (rows top-down, 0x00RRGGBB) in format when given and representable in it,
// else as 24-bit BI_RGB bottom-up with a 40-byte header. Empty images give no bytes.
[[nodiscard]] std::vector<uint8_t> Encode(const uint32_t* pixels, int width, int height,
                                          const TBmpFormat* format);

// Hash of an image's size and colours (the unused byte of each pixel does not count).
[[nodiscard]] uint64_t HashPixels(const uint32_t* pixels, int width, int height);

}  // namespace platform::gfx::bmp
