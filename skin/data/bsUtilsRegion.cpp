#include "skin/data/bsUtilsRegion.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/gfx/RegionBuilder.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawPieces.h"
#include "skin/data/bsUtilsDrawStrips.h"

namespace skin {

static_assert(std::endian::native == std::endian::little, "region data is stored in host order");

namespace {

constexpr int32_t kRectanglesType = 1;

int32_t ReadInt(const std::vector<uint8_t>& data, std::size_t offset) {
    int32_t v = 0;
    std::memcpy(&v, data.data() + offset, sizeof v);
    return v;
}

// One rectangle per run of black pixels, in scan order, behind the header fields; the buffer grows
// with the number of runs.
template <typename TIsBlackRow>
std::vector<uint8_t> ScanRuns(int w, int h, int dx, int dy, TIsBlackRow rowOf) {
    std::vector<int32_t> values(kRegionDataHeaderSize / sizeof(int32_t), 0);
    values.reserve(values.size() + 4 * static_cast<std::size_t>(h) + 64);
    for (int y = 0; y < h; ++y) {
        const auto black = rowOf(y);
        int x = 0;
        while (x < w) {
            while (x < w && !black(x)) ++x;
            if (x == w) break;
            const int x0 = x;
            while (x < w && black(x)) ++x;
            values.insert(values.end(), {x0 + dx, y + dy, x + dx, y + dy + 1});
        }
    }
    const std::size_t count = (values.size() - kRegionDataHeaderSize / sizeof(int32_t)) / 4;
    values[0] = static_cast<int32_t>(kRegionDataHeaderSize);
    values[1] = kRectanglesType;
    values[2] = static_cast<int32_t>(count);
    values[3] = 0;
    values[4] = dx;
    values[5] = dy;
    values[6] = dx + w;
    values[7] = dy + h;

    std::vector<uint8_t> data(values.size() * sizeof(int32_t));
    std::memcpy(data.data(), values.data(), data.size());
    return data;
}

}  // namespace

// The bitmap's own rows are scanned in place: a 24-bit copy first would double the work.
std::vector<uint8_t> BuildRegionRects(const TBitmap& bitmap, int dx, int dy) {
    if (bitmap.Empty() || !detail::SaneCoord(dx) || !detail::SaneCoord(dy)) return {};
    return ScanRuns(bitmap.Width(), bitmap.Height(), dx, dy, [&](int y) {
        const uint32_t* row = bitmap.ScanLine(y);
        return [row](int x) { return (row[x] & 0xFFFFFFu) == 0; };
    });
}

std::vector<uint8_t> BuildRegionRects(const TbsFBitmap& bitmap, int dx, int dy) {
    if (bitmap.Empty() || !detail::SaneCoord(dx) || !detail::SaneCoord(dy)) return {};
    return ScanRuns(bitmap.Width(), bitmap.Height(), dx, dy, [&](int y) {
        const uint8_t* row = bitmap.ScanLine(y);
        return [row](int x) { return (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0; };
    });
}

std::vector<TRect> RegionDataRects(const std::vector<uint8_t>& data) {
    std::vector<TRect> rects;
    if (data.size() < kRegionDataHeaderSize) return rects;
    const int32_t headerSize = ReadInt(data, 0);
    const int32_t type = ReadInt(data, 4);
    const int32_t count = ReadInt(data, 8);
    if (headerSize != static_cast<int32_t>(kRegionDataHeaderSize) || type != kRectanglesType || count < 0 ||
        static_cast<std::size_t>(count) > (data.size() - kRegionDataHeaderSize) / kRegionDataRectSize)
        return rects;
    rects.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const std::size_t at = kRegionDataHeaderSize + i * kRegionDataRectSize;
        rects.push_back(
            {ReadInt(data, at), ReadInt(data, at + 4), ReadInt(data, at + 8), ReadInt(data, at + 12)});
    }
    return rects;
}

std::optional<TRegion> RegionFromData(const std::vector<uint8_t>& data) {
    if (data.size() < kRegionDataHeaderSize) return std::nullopt;
    const int32_t count = ReadInt(data, 8);
    std::vector<TRect> rects = RegionDataRects(data);
    if (count < 0 || rects.size() != static_cast<std::size_t>(count)) return std::nullopt;
    return TRegion(rects);
}

namespace {

// Bit i set when pixel i of the n (at most 64) is pure black.
uint64_t BlackBits(const uint32_t* pixels, int n) {
    uint64_t bits = 0;
    int i = 0;
#if defined(__SSE2__)
    const __m128i colour = _mm_set1_epi32(0xFFFFFF);
    const __m128i zero = _mm_setzero_si128();
    for (; i + 4 <= n; i += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i));
        const __m128i isBlack = _mm_cmpeq_epi32(_mm_and_si128(p, colour), zero);
        bits |= static_cast<uint64_t>(_mm_movemask_ps(_mm_castsi128_ps(isBlack))) << i;
    }
#endif
    for (; i < n; ++i) bits |= static_cast<uint64_t>((pixels[i] & 0xFFFFFFu) == 0) << i;
    return bits;
}

}  // namespace

// The mask's runs go straight into the region, without region data in between. Each row is
// reduced to the positions where black starts or ends, 64 pixels at a time: a bit per pixel,
// then the bits that differ from their left neighbour. A noisy mask costs little more than a
// plain one, and neither branches on single pixels.
std::optional<TRegion> RegionFromBitmap(const TBitmap& bitmap) {
    if (bitmap.Empty()) return std::nullopt;
    const int w = bitmap.Width();
    std::vector<int32_t> edges(static_cast<std::size_t>(w) + 2);
    platform::gfx::TRegionBuilder builder;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint32_t* row = bitmap.ScanLine(y);
        std::size_t count = 0;
        uint64_t inside = 0;  // the pixel left of the chunk is black
        for (int x0 = 0; x0 < w; x0 += 64) {
            const int n = std::min(64, w - x0);
            const uint64_t black = BlackBits(row + x0, n);
            const uint64_t valid = n == 64 ? ~uint64_t{0} : (uint64_t{1} << n) - 1;
            uint64_t changes = (black ^ ((black << 1) | inside)) & valid;
            while (changes != 0) {
                edges[count++] = x0 + std::countr_zero(changes);
                changes &= changes - 1;
            }
            inside = (black >> (n - 1)) & 1;
        }
        if (inside != 0) edges[count++] = w;
        if (count > 0) builder.AddRow(y, edges.data(), count);
    }
    return builder.Finish();
}

std::optional<TRegion> BuildFrameRegion(TBitmap& mask, const TbsFrameGeometry& maskGeometry,
                                        const TbsFrameGeometry& newGeometry, int width) {
    const TbsFrameGeometry& ng = newGeometry;
    if (ng.RightTop.X < ng.LeftTop.X || ng.LeftBottom.Y < ng.LeftTop.Y) return std::nullopt;
    TbsBorderStrips strips;
    ComposeMaskStrips(strips, mask, maskGeometry, width, newGeometry);
    const TRect& ncl = ng.ClientRect;

    std::optional<TRegion> result;
    if (!IsEmptyRect(ncl)) result = TRegion(ncl);
    const std::optional<TRegion> parts[] = {
        RegionFromData(BuildRegionRects(strips.Top, 0, 0)),
        RegionFromData(BuildRegionRects(strips.Bottom, 0, ncl.Bottom)),
        RegionFromData(BuildRegionRects(strips.Left, 0, ncl.Top)),
        RegionFromData(BuildRegionRects(strips.Right, ncl.Right, ncl.Top)),
    };
    for (const auto& part : parts) {
        if (!part) continue;
        if (result)
            result->Union(*part);
        else
            result = *part;
    }
    return result;
}

}  // namespace skin
