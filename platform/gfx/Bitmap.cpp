#include "platform/gfx/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/core/Files.h"
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Canvas.h"

namespace platform::gfx {

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

// The canvas is never copied or moved: it is bound to one bitmap object, and each object makes its
// own on first use. Pixels and format are shared (see Bits).
TBitmap::TBitmap(const TBitmap& other)
    : Transparent(other.Transparent),
      TransparentColor(other.TransparentColor),
      Smooth(other.Smooth),
      m_width(other.m_width),
      m_height(other.m_height),
      m_pixels(other.m_pixels),
      m_format(other.m_format),
      m_hiRes(other.m_hiRes ? std::make_unique<TBitmap>(*other.m_hiRes) : nullptr) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) {
        m_width = other.m_width;
        m_height = other.m_height;
        m_pixels = other.m_pixels;
        m_format = other.m_format;
        Transparent = other.Transparent;
        TransparentColor = other.TransparentColor;
        Smooth = other.Smooth;
        m_hiRes = other.m_hiRes ? std::make_unique<TBitmap>(*other.m_hiRes) : nullptr;
    }
    return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept
    : Transparent(other.Transparent),
      TransparentColor(other.TransparentColor),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0)),
      m_pixels(std::move(other.m_pixels)),
      m_format(std::move(other.m_format)),
      m_hiRes(std::move(other.m_hiRes)) {
    Smooth = other.Smooth;
    other.m_pixels.reset();
    other.m_format.reset();
}

// Keeps this object's canvas: references to it that callers hold stay valid.
TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
    if (this != &other) {
        m_width = std::exchange(other.m_width, 0);
        m_height = std::exchange(other.m_height, 0);
        m_pixels = std::move(other.m_pixels);
        other.m_pixels.reset();
        m_format = std::move(other.m_format);
        other.m_format.reset();
        m_hiRes = std::move(other.m_hiRes);
        Transparent = other.Transparent;
        TransparentColor = other.TransparentColor;
        Smooth = other.Smooth;
    }
    return *this;
}

void TBitmap::Unshare() {
    m_pixels = std::make_shared<std::vector<uint32_t>>(*m_pixels);
}

const std::optional<TBmpFormat>& TBitmap::SourceFormat() const {
    static const std::optional<TBmpFormat> none;
    return m_format ? *m_format : none;
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) return;
    m_hiRes.reset();
    auto pixels = std::make_shared<std::vector<uint32_t>>(
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    const int keepW = std::min(width, m_width);
    const int keepH = std::min(height, m_height);
    const TBitmap& self = *this;  // reading needs no pixels of its own
    for (int y = 0; keepW > 0 && y < keepH; ++y)
        std::memcpy(pixels->data() + static_cast<std::size_t>(y) * width, self.ScanLine(y),
                    static_cast<std::size_t>(keepW) * sizeof(uint32_t));
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return clBlack;
    return PixelToColor(ScanLine(y)[x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    ScanLine(y)[x] = ColorToPixel(ColorToRGB(color));
}

namespace {
int g_screenScale = 1;
}  // namespace

void SetScreenScale(int scale) {
    g_screenScale = std::clamp(scale, 1, 8);
}

int ScreenScale() {
    return g_screenScale;
}

TBitmap ScaledBitmap(const TBitmap& source, int scale) {
    scale = std::max(scale, 1);
    TBitmap out(source.Width() * scale, source.Height() * scale);
    for (int y = 0; y < out.Height(); ++y) {
        const uint32_t* src = source.ScanLine(y / scale);
        uint32_t* dst = out.ScanLine(y);
        for (int x = 0; x < out.Width(); ++x) dst[x] = src[x / scale];
    }
    out.Transparent = source.Transparent;
    out.TransparentColor = source.TransparentColor;
    out.Smooth = source.Smooth;
    return out;
}

TCanvas& TBitmap::Canvas() {
    if (!m_canvas) m_canvas = std::make_unique<TCanvas>(*this);
    return *m_canvas;
}

TColor TBitmap::EffectiveTransparentColor() const {
    if (TransparentColor == clDefault) return Pixel(0, m_height - 1);
    return ColorToRGB(TransparentColor);
}

bool TBitmap::LoadFromMemory(const uint8_t* data, std::size_t size) {
    bmp::TDecoded decoded;
    if (!data || !bmp::Decode(data, size, decoded)) return false;
    m_hiRes.reset();
    m_width = decoded.Width;
    m_height = decoded.Height;
    m_pixels = std::make_shared<std::vector<uint32_t>>(std::move(decoded.Pixels));
    m_format = std::make_shared<const std::optional<TBmpFormat>>(std::move(decoded.Format));
    return true;
}

bool TBitmap::LoadFromFile(const std::string& path) {
    const auto bytes = core::ReadFileBytes(path);
    return bytes && LoadFromMemory(bytes->data(), bytes->size());
}

bool TBitmap::LoadFromStream(core::TStream& stream) {
    const int64_t start = stream.Position();
    const int64_t available = stream.Size() - start;
    // A stream held in memory is decoded where its bytes lie.
    std::size_t inPlace = 0;
    const uint8_t* const bytesInPlace = stream.RemainingBytes(inPlace);
    const auto fail = [&] {
        stream.SetPosition(start);
        return false;
    };
    uint8_t head[bmp::kMaxHeadBytes];
    if (available < static_cast<int64_t>(bmp::kMinHeadBytes) || !stream.ReadExact(head, bmp::kMinHeadBytes))
        return fail();
    const auto headBytes = bmp::HeadBytes(head, bmp::kMinHeadBytes);
    if (!headBytes || !stream.ReadExact(head + bmp::kMinHeadBytes, *headBytes - bmp::kMinHeadBytes))
        return fail();
    // The length is known, and checked against what the stream holds, before anything is allocated.
    const auto length = bmp::FileLength(head, *headBytes);
    if (!length || *length > static_cast<uint64_t>(available)) return fail();
    if (bytesInPlace && inPlace >= *length) {
        if (!LoadFromMemory(bytesInPlace, static_cast<std::size_t>(*length))) return fail();
        stream.SetPosition(start + static_cast<int64_t>(*length));
        return true;
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(*length));
    std::memcpy(bytes.data(), head, *headBytes);
    if (!stream.ReadExact(bytes.data() + *headBytes, bytes.size() - *headBytes)) return fail();
    if (!LoadFromMemory(bytes.data(), bytes.size())) return fail();
    return true;
}

std::vector<uint8_t> TBitmap::SaveToMemory() const {
    const auto& format = SourceFormat();
    return bmp::Encode(Bits(), m_width, m_height, format ? &*format : nullptr);
}

void TBitmap::SaveToStream(core::TStream& stream) const {
    const auto bytes = SaveToMemory();
    stream.WriteAll(bytes.data(), bytes.size());
}

bool TBitmap::SaveToFile(const std::string& path) const {
    const auto bytes = SaveToMemory();
    if (bytes.empty()) return false;  // an empty bitmap has no BMP form
    return core::WriteFileAtomic(path, bytes.data(), bytes.size());
}

}  // namespace platform::gfx
