#pragma once
// A small sound skin that the fuzzers damage, so that they reach past the first header byte.

#include <cstdint>
#include <vector>

#include "platform/core/Stream.h"
#include "skin/data/bsSkinFile.h"
#include "tests/skin_data/SkinDataFixture.h"

namespace skinfuzz {

inline const std::vector<uint8_t>& BaselinePictures() {
    static const std::vector<uint8_t> bytes = [] {
        platform::core::TMemoryStream s;
        skin::WriteSkinPictures(s, skintest::SkinPictures());
        return s.Bytes();
    }();
    return bytes;
}

inline const std::vector<uint8_t>& BaselineContent() {
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> content;
        if (!skin::BuildCompressedContent(skintest::SkinSource(), content)) __builtin_trap();
        return content;
    }();
    return bytes;
}

// Applies the input as (offset, value) patches: two bytes of offset, one byte to XOR.
inline std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, const uint8_t* data, std::size_t size) {
    if (bytes.empty()) return bytes;
    for (std::size_t i = 0; i + 3 <= size; i += 3) {
        std::size_t at = (static_cast<std::size_t>(data[i]) << 8 | data[i + 1]) % bytes.size();
        bytes[at] ^= data[i + 2];
    }
    // A final odd byte cuts the data short.
    if (size % 3 == 1) bytes.resize(bytes.size() * data[size - 1] / 256);
    return bytes;
}

}  // namespace skinfuzz
