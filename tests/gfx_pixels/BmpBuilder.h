#pragma once
// Builds BMP files byte by byte for the codec tests, so every byte of a test file is known.

#include <cstdint>
#include <vector>

namespace gfxtest {

inline void Le16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Le32(std::vector<uint8_t>& out, uint32_t v) {
    Le16(out, v & 0xFFFF);
    Le16(out, v >> 16);
}
inline void Patch32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void Patch16(std::vector<uint8_t>& bytes, std::size_t at, uint32_t v) {
    bytes[at] = static_cast<uint8_t>(v);
    bytes[at + 1] = static_cast<uint8_t>(v >> 8);
}

// File-header offsets.
constexpr std::size_t kFileSize = 2, kReserved = 6, kOffBits = 10;
// Info-header offsets (40-byte and larger headers).
constexpr std::size_t kHeaderSize = 14, kWidth = 18, kHeight = 22, kPlanes = 26, kBitCount = 28,
                      kCompression = 30, kClrUsed = 46;

struct TBmpSpec {
    int32_t Width = 1;
    int32_t Height = 1;  // negative: rows top-down
    uint16_t BitCount = 24;
    uint32_t HeaderSize = 40;  // 12, 40, 108 or 124
    uint32_t Compression = 0;
    uint32_t ClrUsed = 0;
    std::vector<uint32_t> Masks;    // R, G, B (and A for V4/V5)
    std::vector<uint32_t> Palette;  // 0x00RRGGBB (written B, G, R, 0, or B, G, R for 12-byte headers)
    std::vector<uint8_t> Gap;
    std::vector<uint8_t> Rows;  // pixel rows in file order, padding included
    std::vector<uint8_t> Tail;
    bool ZeroFileSize = false;
    uint32_t Reserved = 0;
};

inline std::vector<uint8_t> BuildBmp(const TBmpSpec& s) {
    std::vector<uint8_t> info;
    Le32(info, s.HeaderSize);
    if (s.HeaderSize == 12) {
        Le16(info, static_cast<uint32_t>(s.Width));
        Le16(info, static_cast<uint32_t>(s.Height));
        Le16(info, 1);
        Le16(info, s.BitCount);
    } else {
        Le32(info, static_cast<uint32_t>(s.Width));
        Le32(info, static_cast<uint32_t>(s.Height));
        Le16(info, 1);
        Le16(info, s.BitCount);
        Le32(info, s.Compression);
        Le32(info, static_cast<uint32_t>(s.Rows.size()));
        Le32(info, 2835);
        Le32(info, 2835);
        Le32(info, s.ClrUsed);
        Le32(info, 0);
        if (s.HeaderSize > 40) {
            for (std::size_t i = 0; i < 4; ++i) Le32(info, i < s.Masks.size() ? s.Masks[i] : 0);
            // Colour-space type and the rest, with recognisable non-zero bytes.
            for (std::size_t i = info.size(); i < s.HeaderSize; ++i)
                info.push_back(static_cast<uint8_t>(i * 7 + 1));
        }
    }
    std::vector<uint8_t> afterHeader;
    if (s.HeaderSize == 40)
        for (uint32_t m : s.Masks) Le32(afterHeader, m);
    for (uint32_t c : s.Palette) {
        afterHeader.push_back(static_cast<uint8_t>(c));
        afterHeader.push_back(static_cast<uint8_t>(c >> 8));
        afterHeader.push_back(static_cast<uint8_t>(c >> 16));
        if (s.HeaderSize != 12) afterHeader.push_back(0);
    }
    afterHeader.insert(afterHeader.end(), s.Gap.begin(), s.Gap.end());
    const uint32_t offBits = static_cast<uint32_t>(14 + info.size() + afterHeader.size());
    const uint32_t fileSize = static_cast<uint32_t>(offBits + s.Rows.size() + s.Tail.size());

    std::vector<uint8_t> out{'B', 'M'};
    Le32(out, s.ZeroFileSize ? 0 : fileSize);
    Le32(out, s.Reserved);
    Le32(out, offBits);
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), afterHeader.begin(), afterHeader.end());
    out.insert(out.end(), s.Rows.begin(), s.Rows.end());
    out.insert(out.end(), s.Tail.begin(), s.Tail.end());
    return out;
}

}  // namespace gfxtest
