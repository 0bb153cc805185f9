#include "skin/data/bszlibcompress.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <memory>

#if VK_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace skin {

namespace {

constexpr std::size_t kBlockSize = 4096;

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

std::vector<uint8_t> ReadRest(platform::core::TStream& source) {
    std::vector<uint8_t> data;
    uint8_t block[kBlockSize];
    for (;;) {
        std::size_t n = source.Read(block, sizeof block);
        if (n == 0) break;
        data.insert(data.end(), block, block + n);
    }
    return data;
}

#if VK_HAVE_LIBDEFLATE
// The whole stream in one call into one buffer, which is about twice as fast as inflating block
// by block. The inflated size is not stored in the stream: the buffer starts at a generous guess
// (pages never written are never touched) and doubles up to maxSize. False on any fault; the
// block inflater then tells which one it is.
bool InflateWhole(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out, std::size_t maxSize) {
    std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
        libdeflate_alloc_decompressor(), &libdeflate_free_decompressor);
    if (!inflater) return false;
    constexpr std::size_t kFirstGuess = 1u << 20;
    std::size_t capacity =
        std::min(maxSize, std::max(kFirstGuess, size > maxSize / 16 ? maxSize : size * 16));
    for (;;) {
        std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[std::max<std::size_t>(capacity, 1)]);
        if (!buffer) return false;
        std::size_t used = 0;
        std::size_t produced = 0;
        const libdeflate_result rc = libdeflate_zlib_decompress_ex(inflater.get(), data, size, buffer.get(),
                                                                   capacity, &used, &produced);
        if (rc == LIBDEFLATE_SUCCESS) {
            out.assign(buffer.get(), buffer.get() + produced);
            return true;
        }
        if (rc != LIBDEFLATE_INSUFFICIENT_SPACE || capacity >= maxSize) return false;
        capacity = capacity > maxSize / 2 ? maxSize : capacity * 2;
    }
}
#endif

}  // namespace

std::vector<uint8_t> ZCompress(const uint8_t* data, std::size_t size) {
    z_stream zs{};
    if (deflateInit(&zs, Z_BEST_COMPRESSION) != Z_OK) return {};
    std::vector<uint8_t> out;
    uint8_t block[kBlockSize];
    std::size_t offset = 0;
    int flush = Z_NO_FLUSH;
    int rc = Z_OK;
    do {
        // zlib counts in 32-bit units; feed large inputs in slices.
        if (zs.avail_in == 0 && offset < size) {
            std::size_t slice = std::min<std::size_t>(size - offset, UINT_MAX / 2);
            zs.next_in = const_cast<Bytef*>(data + offset);
            zs.avail_in = static_cast<uInt>(slice);
            offset += slice;
        }
        flush = offset >= size ? Z_FINISH : Z_NO_FLUSH;
        zs.next_out = block;
        zs.avail_out = sizeof block;
        rc = deflate(&zs, flush);
        out.insert(out.end(), block, block + (sizeof block - zs.avail_out));
    } while (rc != Z_STREAM_END && rc != Z_STREAM_ERROR);
    deflateEnd(&zs);
    return out;
}

bool ZDecompress(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out, std::string* error,
                 std::size_t maxSize) {
    out.clear();
#if VK_HAVE_LIBDEFLATE
    if (InflateWhole(data, size, out, maxSize)) return true;
    out.clear();
#endif
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        SetError(error, "zlib could not start");
        return false;
    }
    std::size_t offset = 0;
    uint8_t block[kBlockSize];
    bool ok = false;
    for (;;) {
        if (zs.avail_in == 0 && offset < size) {
            std::size_t slice = std::min<std::size_t>(size - offset, kBlockSize);
            zs.next_in = const_cast<Bytef*>(data + offset);
            zs.avail_in = static_cast<uInt>(slice);
            offset += slice;
        }
        zs.next_out = block;
        zs.avail_out = sizeof block;
        int rc = inflate(&zs, Z_NO_FLUSH);
        std::size_t produced = sizeof block - zs.avail_out;
        if (out.size() + produced > maxSize) {
            SetError(error, "compressed data inflates beyond " + std::to_string(maxSize) + " bytes");
            break;
        }
        out.insert(out.end(), block, block + produced);
        if (rc == Z_STREAM_END) {
            ok = true;
            break;
        }
        if (rc == Z_BUF_ERROR && zs.avail_in == 0 && offset >= size) {
            SetError(error, "compressed data ends before the end of its stream");
            break;
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) {
            SetError(error,
                     std::string("compressed data is damaged") + (zs.msg ? std::string(": ") + zs.msg : ""));
            break;
        }
    }
    inflateEnd(&zs);
    if (!ok) {
        out.clear();
        out.shrink_to_fit();
    }
    return ok;
}

void ZCompressStream(platform::core::TStream& source, platform::core::TStream& dest) {
    std::vector<uint8_t> data = ReadRest(source);
    std::vector<uint8_t> packed = ZCompress(data.data(), data.size());
    dest.WriteAll(packed.data(), packed.size());
}

bool ZDecompressStream(platform::core::TStream& source, platform::core::TMemoryStream& dest,
                       std::string* error, std::size_t maxSize) {
    std::vector<uint8_t> data = ReadRest(source);
    std::vector<uint8_t> out;
    if (!ZDecompress(data.data(), data.size(), out, error, maxSize)) return false;
    dest.WriteAll(out.data(), out.size());
    return true;
}

}  // namespace skin
