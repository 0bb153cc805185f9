#include "platform/gfx/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_map>

namespace platform::gfx::bmp {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t I32(const uint8_t* p) {
    return static_cast<int32_t>(U32(p));
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Store16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Store32(uint8_t* p, uint32_t v) {
    Store16(p, v & 0xFFFF);
    Store16(p + 2, v >> 16);
}
void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

bool IsHeaderSize(uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsIndexed(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8;
}

uint64_t RowStride(int width, int bitCount) {
    return (static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 31) / 32 * 4;
}

// Masks placed after a 40-byte header (larger headers hold them inside).
std::size_t MaskBytesAfterHeader(uint32_t headerSize, uint32_t compression) {
    return headerSize == 40 && compression == kBiBitfields ? 12 : 0;
}

// Fixed fields of an info header that TBmpFormat holds; the rest is ExtraHeader.
std::size_t FixedHeaderBytes(uint32_t headerSize) {
    return std::min<uint32_t>(headerSize, 56);
}

struct THeaders {
    uint32_t fileSize = 0, reserved = 0, offBits = 0, headerSize = 0;
    int width = 0, height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = 0, sizeImage = 0, clrUsed = 0, clrImportant = 0;
    int32_t xppm = 0, yppm = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // as stored in the info header
    std::size_t paletteStart = 0, entrySize = 4;
    uint64_t stride = 0, pixelBytes = 0, length = 0;
};

bool ValidFormat(int bitCount, uint32_t compression, bool core) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            break;
        case 16:
        case 32:
            if (core) return false;
            break;
        default:
            return false;
    }
    if (compression == kBiRgb) return true;
    return compression == kBiBitfields && (bitCount == 16 || bitCount == 32);
}

std::optional<THeaders> ParseHeaders(const uint8_t* d, std::size_t size) {
    const auto head = HeadBytes(d, size);
    if (!head || size < *head) return std::nullopt;
    THeaders h;
    h.fileSize = U32(d + 2);
    h.reserved = U32(d + 6);
    h.offBits = U32(d + 10);
    h.headerSize = U32(d + 14);
    const uint8_t* ih = d + 14;
    int64_t width = 0, height = 0;
    unsigned planes = 0;
    if (h.headerSize == 12) {
        width = U16(ih + 4);
        height = U16(ih + 6);
        planes = U16(ih + 8);
        h.bitCount = U16(ih + 10);
        h.entrySize = 3;
    } else {
        width = I32(ih + 4);
        height = I32(ih + 8);
        planes = U16(ih + 12);
        h.bitCount = U16(ih + 14);
        h.compression = U32(ih + 16);
        h.sizeImage = U32(ih + 20);
        h.xppm = I32(ih + 24);
        h.yppm = I32(ih + 28);
        h.clrUsed = U32(ih + 32);
        h.clrImportant = U32(ih + 36);
        if (h.headerSize >= 52)
            for (int i = 0; i < 3; ++i) h.masks[i] = U32(ih + 40 + 4 * i);
        if (h.headerSize >= 56) h.masks[3] = U32(ih + 52);
    }
    if (planes != 1 || !ValidFormat(h.bitCount, h.compression, h.headerSize == 12)) return std::nullopt;
    // A negative height means rows top-down; int64 keeps INT_MIN's magnitude from overflowing.
    h.topDown = height < 0;
    if (height < 0) height = -height;
    if (width < 1 || width > kMaxDimension || height < 1 || height > kMaxDimension) return std::nullopt;
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxPixels) return std::nullopt;
    h.width = static_cast<int>(width);
    h.height = static_cast<int>(height);
    h.paletteStart = 14 + h.headerSize + MaskBytesAfterHeader(h.headerSize, h.compression);
    if (h.offBits < h.paletteStart) return std::nullopt;
    h.stride = RowStride(h.width, h.bitCount);
    h.pixelBytes = h.stride * static_cast<uint64_t>(h.height);
    const uint64_t minimum = h.offBits + h.pixelBytes;
    h.length = h.fileSize >= minimum ? h.fileSize : minimum;
    return h;
}

// A colour channel of a 16- or 32-bit pixel.
struct TChannel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0;

    explicit TChannel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    [[nodiscard]] uint32_t Decode(uint32_t v) const {
        if (max == 0) return 0;
        return static_cast<uint32_t>((static_cast<uint64_t>((v & mask) >> shift) * 255 + max / 2) / max);
    }
    [[nodiscard]] uint32_t Encode(uint32_t c) const {
        if (max == 0) return 0;
        return static_cast<uint32_t>(((c * max + 127) / 255) << shift) & mask;
    }
};

bool Contiguous(uint32_t mask) {
    if (mask == 0) return true;
    const uint32_t x = mask >> std::countr_zero(mask);
    return (x & (x + 1)) == 0;
}

struct TMasks {
    TChannel r, g, b;
    [[nodiscard]] uint32_t All() const { return r.mask | g.mask | b.mask; }
    [[nodiscard]] uint32_t Decode(uint32_t v) const {
        return (r.Decode(v) << 16) | (g.Decode(v) << 8) | b.Decode(v);
    }
};

TMasks EffectiveMasks(int bitCount, uint32_t compression, uint32_t red, uint32_t green, uint32_t blue) {
    if (compression == kBiBitfields) return {TChannel(red), TChannel(green), TChannel(blue)};
    if (bitCount == 16) return {TChannel(0x7C00), TChannel(0x03E0), TChannel(0x001F)};
    return {TChannel(0xFF0000), TChannel(0xFF00), TChannel(0xFF)};
}

bool ValidMasks(int bitCount, uint32_t red, uint32_t green, uint32_t blue) {
    if (bitCount == 16 && ((red | green | blue) > 0xFFFF)) return false;
    return Contiguous(red) && Contiguous(green) && Contiguous(blue);
}

uint32_t GetIndex(const uint8_t* row, int x, int bitCount) {
    switch (bitCount) {
        case 1:
            return (row[x >> 3] >> (7 - (x & 7))) & 1;
        case 4:
            return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
        default:
            return row[x];
    }
}

void SetIndex(uint8_t* row, int x, int bitCount, uint32_t index) {
    switch (bitCount) {
        case 1: {
            const int bit = 7 - (x & 7);
            row[x >> 3] = static_cast<uint8_t>((row[x >> 3] & ~(1 << bit)) | (index << bit));
            break;
        }
        case 4: {
            const int shift = (x & 1) ? 0 : 4;
            row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & ~(0xF << shift)) | (index << shift));
            break;
        }
        default:
            row[x] = static_cast<uint8_t>(index);
    }
}

void DecodeRow(const uint8_t* row, uint32_t* dst, int width, int bitCount,
               const std::vector<uint32_t>& palette, const TMasks& masks) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
            for (int x = 0; x < width; ++x) {
                const uint32_t index = GetIndex(row, x, bitCount);
                // Indices past a short palette read as black.
                dst[x] = index < palette.size() ? palette[index] & 0xFFFFFF : 0;
            }
            break;
        case 16:
            for (int x = 0; x < width; ++x) dst[x] = masks.Decode(U16(row + 2 * x));
            break;
        case 24:
            for (int x = 0; x < width; ++x)
                dst[x] = static_cast<uint32_t>(row[3 * x]) | (static_cast<uint32_t>(row[3 * x + 1]) << 8) |
                         (static_cast<uint32_t>(row[3 * x + 2]) << 16);
            break;
        default:
            for (int x = 0; x < width; ++x) dst[x] = masks.Decode(U32(row + 4 * x));
    }
}

// Rows of pixels in format; nullopt when a colour has no exact code in it. While the image keeps
// the size it was read with, bits the colours do not use (row padding, the unused bits of a
// pixel, which of several equal palette entries a pixel names) stay as they were read.
std::optional<std::vector<uint8_t>> EncodeRows(const uint32_t* pixels, int width, int height,
                                               const TBmpFormat& f) {
    const uint64_t stride = RowStride(width, f.BitCount);
    const bool sameSize = width == f.SourceWidth && height == f.SourceHeight &&
                          f.RawPixels.size() == stride * static_cast<uint64_t>(height);
    std::vector<uint8_t> rows = sameSize ? f.RawPixels : std::vector<uint8_t>(stride * height, 0);
    const TMasks masks = EffectiveMasks(f.BitCount, f.Compression, f.RedMask, f.GreenMask, f.BlueMask);
    std::unordered_map<uint32_t, uint32_t> indexOf;
    if (IsIndexed(f.BitCount))
        for (std::size_t i = f.Palette.size(); i-- > 0;)
            indexOf[f.Palette[i] & 0xFFFFFF] = static_cast<uint32_t>(i);

    for (int y = 0; y < height; ++y) {
        const int fileRow = f.TopDown ? y : height - 1 - y;
        uint8_t* row = rows.data() + static_cast<std::size_t>(fileRow) * stride;
        const uint32_t* src = pixels + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = src[x] & 0xFFFFFF;
            switch (f.BitCount) {
                case 1:
                case 4:
                case 8: {
                    if (sameSize) {
                        const uint32_t old = GetIndex(row, x, f.BitCount);
                        if (old < f.Palette.size() && (f.Palette[old] & 0xFFFFFF) == c) break;
                    }
                    const auto it = indexOf.find(c);
                    if (it == indexOf.end()) return std::nullopt;
                    SetIndex(row, x, f.BitCount, it->second);
                    break;
                }
                case 24:
                    row[3 * x] = static_cast<uint8_t>(c);
                    row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
                    row[3 * x + 2] = static_cast<uint8_t>(c >> 16);
                    break;
                case 16: {
                    const uint32_t v =
                        masks.r.Encode(c >> 16) | masks.g.Encode((c >> 8) & 0xFF) | masks.b.Encode(c & 0xFF);
                    if (masks.Decode(v) != c) return std::nullopt;
                    Store16(row + 2 * x, (U16(row + 2 * x) & ~masks.All()) | v);
                    break;
                }
                default: {
                    const uint32_t v =
                        masks.r.Encode(c >> 16) | masks.g.Encode((c >> 8) & 0xFF) | masks.b.Encode(c & 0xFF);
                    if (masks.Decode(v) != c) return std::nullopt;
                    Store32(row + 4 * x, (U32(row + 4 * x) & ~masks.All()) | v);
                }
            }
        }
    }
    return rows;
}

bool Consistent(const TBmpFormat& f) {
    if (!IsHeaderSize(f.HeaderSize) || !ValidFormat(f.BitCount, f.Compression, f.HeaderSize == 12))
        return false;
    if (f.ExtraHeader.size() != f.HeaderSize - FixedHeaderBytes(f.HeaderSize)) return false;
    if (IsIndexed(f.BitCount) && (f.Palette.empty() || f.Palette.size() > (std::size_t{1} << f.BitCount)))
        return false;
    if (f.Compression == kBiBitfields && !ValidMasks(f.BitCount, f.RedMask, f.GreenMask, f.BlueMask))
        return false;
    return true;
}

// The whole file from its parts.
std::vector<uint8_t> Assemble(const TBmpFormat& f, int width, int height, const std::vector<uint8_t>& rows,
                              uint32_t fileSize, uint32_t sizeImage,
                              const std::vector<uint8_t>& extraHeader) {
    const std::size_t entry = f.HeaderSize == 12 ? 3 : 4;
    const std::size_t offBits = 14 + f.HeaderSize + MaskBytesAfterHeader(f.HeaderSize, f.Compression) +
                                f.Palette.size() * entry + f.Gap.size();
    std::vector<uint8_t> out;
    out.reserve(offBits + rows.size() + f.Tail.size());
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, f.FileReserved);
    Put32(out, static_cast<uint32_t>(offBits));
    Put32(out, f.HeaderSize);
    if (f.HeaderSize == 12) {
        Put16(out, static_cast<uint32_t>(width));
        Put16(out, static_cast<uint32_t>(height));
        Put16(out, 1);
        Put16(out, static_cast<uint32_t>(f.BitCount));
    } else {
        Put32(out, static_cast<uint32_t>(width));
        Put32(out, static_cast<uint32_t>(f.TopDown ? -height : height));
        Put16(out, 1);
        Put16(out, static_cast<uint32_t>(f.BitCount));
        Put32(out, f.Compression);
        Put32(out, sizeImage);
        Put32(out, static_cast<uint32_t>(f.XPelsPerMeter));
        Put32(out, static_cast<uint32_t>(f.YPelsPerMeter));
        Put32(out, f.ClrUsedField);
        Put32(out, f.ClrImportant);
        if (f.HeaderSize >= 52) {
            Put32(out, f.RedMask);
            Put32(out, f.GreenMask);
            Put32(out, f.BlueMask);
        }
        if (f.HeaderSize >= 56) Put32(out, f.AlphaMask);
        Append(out, extraHeader);
        if (MaskBytesAfterHeader(f.HeaderSize, f.Compression)) {
            Put32(out, f.RedMask);
            Put32(out, f.GreenMask);
            Put32(out, f.BlueMask);
        }
    }
    for (uint32_t e : f.Palette) {
        out.push_back(static_cast<uint8_t>(e));
        out.push_back(static_cast<uint8_t>(e >> 8));
        out.push_back(static_cast<uint8_t>(e >> 16));
        if (entry == 4) out.push_back(static_cast<uint8_t>(e >> 24));
    }
    Append(out, f.Gap);
    Append(out, rows);
    Append(out, f.Tail);
    return out;
}

std::vector<uint8_t> EncodeFresh(const uint32_t* pixels, int width, int height) {
    TBmpFormat f;
    f.BitCount = 24;
    f.HeaderSize = 40;
    f.SourceWidth = width;
    f.SourceHeight = height;
    const auto rows = EncodeRows(pixels, width, height, f);  // 24-bit always has a code
    const std::size_t fileSize = 54 + rows->size();
    return Assemble(f, width, height, *rows, static_cast<uint32_t>(fileSize),
                    static_cast<uint32_t>(rows->size()), {});
}

std::optional<std::vector<uint8_t>> EncodeIn(const uint32_t* pixels, int width, int height,
                                             const TBmpFormat& f) {
    if (!Consistent(f)) return std::nullopt;
    if (f.HeaderSize == 12 && (width > 0xFFFF || height > 0xFFFF)) return std::nullopt;
    const uint64_t stride = RowStride(width, f.BitCount);
    const bool unchanged = width == f.SourceWidth && height == f.SourceHeight &&
                           f.RawPixels.size() == stride * static_cast<uint64_t>(height) &&
                           HashPixels(pixels, width, height) == f.PixelHash;
    std::vector<uint8_t> rows;
    if (unchanged) {
        rows = f.RawPixels;
    } else {
        auto encoded = EncodeRows(pixels, width, height, f);
        if (!encoded) return std::nullopt;
        rows = std::move(*encoded);
    }
    if (rows.size() == f.RawPixels.size())
        return Assemble(f, width, height, rows, f.FileSizeField, f.ImageSizeField, f.ExtraHeader);

    // The rows changed length: size fields follow, a zero stays zero (it means "not given").
    const std::size_t entry = f.HeaderSize == 12 ? 3 : 4;
    const uint64_t offBits = 14 + f.HeaderSize + MaskBytesAfterHeader(f.HeaderSize, f.Compression) +
                             f.Palette.size() * entry + f.Gap.size();
    const uint64_t length = offBits + rows.size() + f.Tail.size();
    if (length > 0xFFFFFFFFu) return std::nullopt;
    const uint32_t fileSize = f.FileSizeField == 0 ? 0 : static_cast<uint32_t>(length);
    const uint32_t sizeImage = f.ImageSizeField == 0 ? 0 : static_cast<uint32_t>(rows.size());
    std::vector<uint8_t> extra = f.ExtraHeader;
    if (f.HeaderSize == 124) {
        // An embedded colour profile after the rows moves with them (its offset counts from the
        // info header).
        const uint64_t oldRowsEnd = offBits - 14 + f.RawPixels.size();
        const uint32_t profile = U32(extra.data() + 56);
        if (profile >= oldRowsEnd) {
            const int64_t moved = static_cast<int64_t>(profile) + static_cast<int64_t>(rows.size()) -
                                  static_cast<int64_t>(f.RawPixels.size());
            Store32(extra.data() + 56, static_cast<uint32_t>(moved));
        }
    }
    return Assemble(f, width, height, rows, fileSize, sizeImage, extra);
}

}  // namespace

std::optional<std::size_t> HeadBytes(const uint8_t* data, std::size_t size) {
    if (size < kMinHeadBytes || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const uint32_t headerSize = U32(data + 14);
    if (!IsHeaderSize(headerSize)) return std::nullopt;
    return 14 + headerSize;
}

std::optional<uint64_t> FileLength(const uint8_t* data, std::size_t size) {
    const auto h = ParseHeaders(data, size);
    if (!h) return std::nullopt;
    return h->length;
}

bool Decode(const uint8_t* d, std::size_t size, TDecoded& out) {
    const auto parsed = ParseHeaders(d, size);
    if (!parsed || parsed->length > size) return false;
    const THeaders& h = *parsed;

    TBmpFormat f;
    f.BitCount = h.bitCount;
    f.Compression = h.compression;
    f.TopDown = h.topDown;
    f.HeaderSize = h.headerSize;
    f.XPelsPerMeter = h.xppm;
    f.YPelsPerMeter = h.yppm;
    f.ClrImportant = h.clrImportant;
    f.ClrUsedField = h.clrUsed;
    f.FileSizeField = h.fileSize;
    f.FileReserved = h.reserved;
    f.ImageSizeField = h.sizeImage;
    f.SourceWidth = h.width;
    f.SourceHeight = h.height;
    f.RedMask = h.masks[0];
    f.GreenMask = h.masks[1];
    f.BlueMask = h.masks[2];
    f.AlphaMask = h.masks[3];
    if (MaskBytesAfterHeader(h.headerSize, h.compression)) {
        const uint8_t* m = d + 14 + h.headerSize;
        f.RedMask = U32(m);
        f.GreenMask = U32(m + 4);
        f.BlueMask = U32(m + 8);
    }
    if (h.compression == kBiBitfields && !ValidMasks(h.bitCount, f.RedMask, f.GreenMask, f.BlueMask))
        return false;
    const uint8_t* infoHeader = d + 14;
    f.ExtraHeader.assign(infoHeader + FixedHeaderBytes(h.headerSize), infoHeader + h.headerSize);

    // biClrUsed 0 means a full palette for indexed formats. A palette that runs into the pixel
    // data is cut short there; its missing entries read as black.
    uint64_t declared = h.clrUsed != 0 ? h.clrUsed : (IsIndexed(h.bitCount) ? uint64_t{1} << h.bitCount : 0);
    if (IsIndexed(h.bitCount)) declared = std::min<uint64_t>(declared, uint64_t{1} << h.bitCount);
    const uint64_t room = (h.offBits - h.paletteStart) / h.entrySize;
    const std::size_t count = static_cast<std::size_t>(std::min(declared, room));
    if (IsIndexed(h.bitCount) && count == 0) return false;
    f.Palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* e = d + h.paletteStart + i * h.entrySize;
        f.Palette[i] = h.entrySize == 4 ? U32(e) : (e[0] | (e[1] << 8) | (e[2] << 16));
    }
    f.Gap.assign(d + h.paletteStart + count * h.entrySize, d + h.offBits);
    f.RawPixels.assign(d + h.offBits, d + h.offBits + h.pixelBytes);
    f.Tail.assign(d + h.offBits + h.pixelBytes, d + h.length);

    const TMasks masks = EffectiveMasks(h.bitCount, h.compression, f.RedMask, f.GreenMask, f.BlueMask);
    std::vector<uint32_t> pixels(static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.height));
    for (int i = 0; i < h.height; ++i) {
        const int y = h.topDown ? i : h.height - 1 - i;
        DecodeRow(f.RawPixels.data() + static_cast<std::size_t>(i) * h.stride,
                  pixels.data() + static_cast<std::size_t>(y) * h.width, h.width, h.bitCount, f.Palette,
                  masks);
    }
    f.PixelHash = HashPixels(pixels.data(), h.width, h.height);

    out.Width = h.width;
    out.Height = h.height;
    out.Pixels = std::move(pixels);
    out.Format = std::move(f);
    return true;
}

std::vector<uint8_t> Encode(const uint32_t* pixels, int width, int height, const TBmpFormat* format) {
    if (width <= 0 || height <= 0) return {};
    if (format)
        if (auto bytes = EncodeIn(pixels, width, height, *format)) return std::move(*bytes);
    return EncodeFresh(pixels, width, height);
}

uint64_t HashPixels(const uint32_t* pixels, int width, int height) {
    // Each step is a bijection of the running value, so any single changed pixel changes the hash.
    uint64_t h = 0xCBF29CE484222325ull ^ ((static_cast<uint64_t>(static_cast<uint32_t>(width)) << 32) |
                                          static_cast<uint32_t>(height));
    const std::size_t count = width > 0 && height > 0 ? static_cast<std::size_t>(width) * height : 0;
    for (std::size_t i = 0; i < count; ++i) h = (h ^ (pixels[i] & 0xFFFFFF)) * 0x100000001B3ull;
    return h;
}

}  // namespace platform::gfx::bmp
