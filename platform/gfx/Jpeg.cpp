#include "platform/gfx/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
// After jpeglib.h: its configuration decides which messages exist.
#include <jerror.h>

#include "platform/core/Files.h"
#include "platform/gfx/BmpCodec.h"

namespace platform::gfx {

namespace {

// Pictures this program shows are small; the cap keeps a tiny hostile header from costing
// gigabytes (64 Mi pixels, 256 MiB as a bitmap).
constexpr uint64_t kMaxJpegPixels = uint64_t{1} << 26;

struct TErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<TErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// The library repairs damaged scans with grey blocks and carries on; we call a damaged or
// truncated file an error instead. Other warnings (unknown markers, stray bytes between
// segments) leave a good picture and are ignored, as are trace messages.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    switch (cinfo->err->msg_code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_ARITH_BAD_CODE:
            ErrorExit(cinfo);
        default:
            break;
    }
}

void InitErrors(TErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.emit_message = EmitMessage;
    err.message[0] = '\0';
}

// State that must survive a longjmp lives outside the frame that calls setjmp.
struct TDecodeState {
    TBitmap bitmap;
    std::vector<uint8_t> cmykRow;
    std::string error;
};

// The largest of 1/8, 1/4 and 1/2 by which the picture still covers the wanted size (a zero
// side wants nothing on that side); 1 when none does or nothing smaller is wanted.
unsigned CoverDenominator(unsigned width, unsigned height, core::TSize cover) {
    if (cover.cx <= 0 && cover.cy <= 0) return 1;
    const uint64_t wantW = static_cast<uint64_t>(std::max(cover.cx, 0));
    const uint64_t wantH = static_cast<uint64_t>(std::max(cover.cy, 0));
    for (unsigned denom = 8; denom > 1; denom /= 2) {
        // The decoder rounds a scaled side up.
        const uint64_t w = (uint64_t{width} + denom - 1) / denom, h = (uint64_t{height} + denom - 1) / denom;
        if (w >= wantW && h >= wantH) return denom;
    }
    return 1;
}

bool Decode(const uint8_t* data, std::size_t size, core::TSize cover, TDecodeState& state) {
    jpeg_decompress_struct cinfo;
    TErrorManager err;
    cinfo.err = &err.pub;
    InitErrors(err);
    if (setjmp(err.jump)) {
        state.error = err.message;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        state.error = "no image in the JPEG data";
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const uint64_t pixels = static_cast<uint64_t>(cinfo.image_width) * cinfo.image_height;
    // Huffman-coded sequential scans spend at least two bits on every 8x8 block, so the data
    // bounds the picture's size; a header claiming more lies.
    const bool boundByData = !cinfo.progressive_mode && !cinfo.arith_code && pixels > uint64_t{size} * 256;
    if (cinfo.image_width > static_cast<unsigned>(bmp::kMaxDimension) ||
        cinfo.image_height > static_cast<unsigned>(bmp::kMaxDimension) || pixels > kMaxJpegPixels ||
        boundByData) {
        state.error = "JPEG image too large";
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    // The decoder scales in its transform: a large picture never exists at its full size.
    cinfo.scale_num = 1;
    cinfo.scale_denom = CoverDenominator(cinfo.image_width, cinfo.image_height, cover);
    jpeg_start_decompress(&cinfo);
    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    state.bitmap.SetSize(width, height);
    if (cmyk) state.cmykRow.resize(static_cast<std::size_t>(width) * 4);
    // Adobe writers store CMYK inverted (0 = full ink); others store it plain.
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        uint32_t* dst = state.bitmap.ScanLine(y);
        JSAMPROW row = cmyk ? state.cmykRow.data() : reinterpret_cast<JSAMPROW>(dst);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
            state.error = "JPEG data ended early";
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        if (cmyk) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = state.cmykRow.data() + 4 * x;
                uint32_t c = p[0], m = p[1], ye = p[2], k = p[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    ye = 255 - ye;
                    k = 255 - k;
                }
                const uint32_t r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (ye * k + 127) / 255;
                dst[x] = (r << 16) | (g << 8) | b;
            }
        } else {
            for (int x = 0; x < width; ++x) dst[x] &= 0xFFFFFF;
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct TEncodeState {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

bool Encode(const TBitmap& bitmap, int quality, TEncodeState& state) {
    jpeg_compress_struct cinfo;
    TErrorManager err;
    cinfo.err = &err.pub;
    InitErrors(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &state.buffer, &state.size);
    cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
    cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // The library reads the rows only; its API takes them non-const.
        JSAMPROW row = reinterpret_cast<JSAMPROW>(
            const_cast<uint32_t*>(bitmap.ScanLine(static_cast<int>(cinfo.next_scanline))));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

bool TJPEGImage::LoadFromMemory(const uint8_t* data, std::size_t size) {
    if (!data || size == 0) {
        m_error = "empty JPEG data";
        return false;
    }
    TDecodeState state;
    if (!Decode(data, size, ScaleToCover, state)) {
        m_error = state.error.empty() ? "broken JPEG data" : state.error;
        return false;
    }
    m_bitmap = std::move(state.bitmap);
    m_bitmap.Smooth = true;
    m_data.assign(data, data + size);
    m_error.clear();
    return true;
}

bool TJPEGImage::LoadFromFile(const std::string& path) {
    const auto bytes = core::ReadFileBytes(path);
    if (!bytes) {
        m_error = "cannot read " + path;
        return false;
    }
    return LoadFromMemory(bytes->data(), bytes->size());
}

bool TJPEGImage::LoadFromStream(core::TStream& stream) {
    const int64_t start = stream.Position();
    const int64_t available = stream.Size() - start;
    if (available <= 0) {
        m_error = "empty JPEG data";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(available));
    if (!stream.ReadExact(bytes.data(), bytes.size()) || !LoadFromMemory(bytes.data(), bytes.size())) {
        stream.SetPosition(start);
        if (m_error.empty()) m_error = "cannot read the JPEG stream";
        return false;
    }
    return true;
}

bool SaveJpeg(const TBitmap& bitmap, const std::string& path, int quality) {
    if (bitmap.Empty() || bitmap.Width() > 65500 || bitmap.Height() > 65500) return false;
    TEncodeState state;
    const bool encoded = Encode(bitmap, std::clamp(quality, 1, 100), state);
    const bool written = encoded && core::WriteFileAtomic(path, state.buffer, state.size);
    std::free(state.buffer);
    return written;
}

}  // namespace platform::gfx
