#include "skin/data/bsUtilsRegion.h"

#include <bit>
#include <cstring>

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

std::optional<TRegion> RegionFromBitmap(const TBitmap& bitmap) {
    return RegionFromData(BuildRegionRects(bitmap, 0, 0));
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
