#pragma once
// 32-bit bitmaps (bytes B, G, R, X per pixel, rows top-down) and their BMP codec. A bitmap read
// from a BMP remembers the file's pixel format and palette and is written back in it, byte for
// byte, as long as its pixels still fit that format.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Stream.h"
#include "platform/core/Types.h"
#include "platform/gfx/Color.h"

namespace platform::gfx {

class TCanvas;

// What a BMP file held besides its pixels, kept for writing it back unchanged.
struct TBmpFormat {
    int BitCount = 32;            // 1, 4, 8, 16, 24 or 32
    uint32_t Compression = 0;     // 0 = BI_RGB, 3 = BI_BITFIELDS
    bool TopDown = false;
    uint32_t HeaderSize = 40;     // info header size (12, 40, 52, 56, 108, 124)
    std::vector<uint32_t> Palette;  // entries as stored (B, G, R, reserved)
    uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0, AlphaMask = 0;
    int32_t XPelsPerMeter = 0, YPelsPerMeter = 0;
    uint32_t ClrImportant = 0;
    std::vector<uint8_t> ExtraHeader;  // header bytes past the fields above, kept verbatim
    std::vector<uint8_t> Gap;          // bytes between headers/palette and the pixel data
    uint32_t FileSizeField = 0;        // bfSize as read (0 when written fresh)
    uint32_t FileReserved = 0;         // the file header's two reserved words as read
    uint32_t ClrUsedField = 0;         // biClrUsed as read (the palette may be shorter)
    int SourceWidth = 0, SourceHeight = 0;  // size of RawPixels' image
    uint32_t ImageSizeField = 0;       // biSizeImage as read
    std::vector<uint8_t> Tail;         // bytes after the pixel rows up to bfSize
    std::vector<uint8_t> RawPixels;    // the pixel rows as read; used while pixels are unchanged
    uint64_t PixelHash = 0;            // hash of the decoded pixels when read
};

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    TBitmap(TBitmap&&) noexcept;
    TBitmap& operator=(TBitmap&&) noexcept;

    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }
    [[nodiscard]] bool Empty() const { return m_width <= 0 || m_height <= 0; }
    // Keeps the pixels that still fit; new pixels are black. Negative sizes count as 0.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }
    void Assign(const TBitmap& other) { *this = other; }
    void Clear() { SetSize(0, 0); }

    // Copies of a bitmap share its pixels until one of them asks for writable pixels, which gives
    // that one its own; a pointer from the writable accessors is valid until the bitmap is copied.
    // Taking writable pixels also forgets the picture kept at the screen scale (below): what is
    // written through them is not drawn there.
    [[nodiscard]] uint32_t* ScanLine(int y) { return Bits() + static_cast<std::size_t>(y) * m_width; }
    [[nodiscard]] const uint32_t* ScanLine(int y) const {
        return Bits() + static_cast<std::size_t>(y) * m_width;
    }
    [[nodiscard]] uint32_t* Bits() {
        m_hiRes.reset();
        return WritablePixels();
    }
    [[nodiscard]] const uint32_t* Bits() const { return m_pixels ? m_pixels->data() : nullptr; }
    // True when this bitmap and other read the same pixel storage (a copy not yet written to).
    [[nodiscard]] bool SharesPixelsWith(const TBitmap& other) const {
        return m_pixels && m_pixels == other.m_pixels;
    }
    // Out-of-range reads give black; out-of-range writes are ignored.
    [[nodiscard]] TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Drawing surface bound to this bitmap (created on first use, stays valid while the bitmap lives).
    TCanvas& Canvas();

    // Transparent drawing: pixels of TransparentColor are skipped by TCanvas::Draw. When
    // TransparentColor is clDefault the bottom-left pixel is used.
    bool Transparent = false;
    TColor TransparentColor = clDefault;
    [[nodiscard]] TColor EffectiveTransparentColor() const;

    // A photograph (a decoded JPEG): shown on a scaled screen it is enlarged with a smoothing
    // filter; every other picture is enlarged by whole pixels so that its edges stay sharp.
    bool Smooth = false;

    // On a screen of scale 2 or more (SetScreenScale), drawing on a bitmap with its canvas also
    // draws at the screen scale into a second picture, so that text and lines drawn off-screen
    // are as sharp as those drawn on a window when the bitmap is shown. The picture starts as the
    // bitmap enlarged by whole pixels and is forgotten when pixels are written directly.
    [[nodiscard]] const TBitmap* HiRes() const { return m_hiRes.get(); }

    // BMP codec. Load* return false on any malformed input and leave the bitmap unchanged.
    bool LoadFromFile(const std::string& path);
    // Reads exactly the bytes that the file header's size field says, or up to the end of the
    // pixel rows when that field is 0 or too small to hold them (the stream is left after them);
    // fails (restoring the position) when the stream holds fewer.
    bool LoadFromStream(core::TStream& stream);
    bool LoadFromMemory(const uint8_t* data, std::size_t size);
    // An empty bitmap has no BMP form: SaveToFile fails and the others produce no bytes.
    bool SaveToFile(const std::string& path) const;  // atomic replace
    void SaveToStream(core::TStream& stream) const;
    [[nodiscard]] std::vector<uint8_t> SaveToMemory() const;

    // The format read from a file, or nullopt for a bitmap made in memory (which is written as
    // 24-bit BI_RGB, bottom-up).
    [[nodiscard]] const std::optional<TBmpFormat>& SourceFormat() const;
    void ForgetSourceFormat() { m_format.reset(); }

private:
    int m_width = 0;
    int m_height = 0;
    void Unshare();
    // Own pixels to write to, keeping the picture at the screen scale (the canvas draws both).
    [[nodiscard]] uint32_t* WritablePixels() {
        if (m_pixels.use_count() > 1) Unshare();
        return m_pixels ? m_pixels->data() : nullptr;
    }

    // Shared by copies: the pixels until one copy writes, the source format (never changed in
    // place) always. Null when there is nothing to hold.
    std::shared_ptr<std::vector<uint32_t>> m_pixels;
    std::shared_ptr<const std::optional<TBmpFormat>> m_format;
    std::unique_ptr<TCanvas> m_canvas;
    std::unique_ptr<TBitmap> m_hiRes;
    friend class TCanvasAccess;
};

// The scale (device pixels per logical pixel) of the screen the program draws for: 1 unless the
// window system runs on a scaled screen. Clamped to 1..8.
void SetScreenScale(int scale);
[[nodiscard]] int ScreenScale();
// A bitmap enlarged by whole pixels (scale >= 1).
[[nodiscard]] TBitmap ScaledBitmap(const TBitmap& source, int scale);

// PNG output for screenshots and tools.
bool SavePng(const TBitmap& bitmap, const std::string& path);
bool LoadPng(TBitmap& bitmap, const std::string& path);

}  // namespace platform::gfx
