#include "skin/data/bsUtilsDraw.h"

#include <algorithm>

namespace skin {

TbsFBitmap::TbsFBitmap(int width, int height) {
    Allocate(width, height);
}

TbsFBitmap::TbsFBitmap(const platform::gfx::TBitmap& bitmap) {
    Allocate(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < m_height; ++y) {
        const uint32_t* src = bitmap.ScanLine(y);
        uint8_t* dst = m_rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < m_width; ++x) {
            const uint32_t p = src[x];
            dst[0] = static_cast<uint8_t>(p);
            dst[1] = static_cast<uint8_t>(p >> 8);
            dst[2] = static_cast<uint8_t>(p >> 16);
            dst += 3;
        }
    }
}

TbsFBitmap::TbsFBitmap(const TbsFBitmap& other) {
    Allocate(other.m_width, other.m_height);
    std::copy(other.m_pixels.begin(), other.m_pixels.end(), m_pixels.begin());
}

TbsFBitmap& TbsFBitmap::operator=(const TbsFBitmap& other) {
    if (this != &other) {
        Allocate(other.m_width, other.m_height);
        std::copy(other.m_pixels.begin(), other.m_pixels.end(), m_pixels.begin());
    }
    return *this;
}

void TbsFBitmap::Allocate(int width, int height) {
    if (width <= 0 || height <= 0) width = height = 0;
    m_width = width;
    m_height = height;
    m_stride = StrideFor(width);
    m_pixels.assign(static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(height), 0);
    m_rows.resize(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        m_rows[static_cast<std::size_t>(y)] = m_pixels.data() + static_cast<std::size_t>(y) * m_stride;
}

void TbsFBitmap::AssignTo(platform::gfx::TBitmap& bitmap) const {
    bitmap.SetSize(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        const uint8_t* src = m_rows[static_cast<std::size_t>(y)];
        uint32_t* dst = bitmap.ScanLine(y);
        for (int x = 0; x < m_width; ++x, src += 3)
            dst[x] = static_cast<uint32_t>(src[0]) | (static_cast<uint32_t>(src[1]) << 8) |
                     (static_cast<uint32_t>(src[2]) << 16);
    }
}

}  // namespace skin
