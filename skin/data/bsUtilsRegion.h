#pragma once
// Window regions from mask pictures: the pure black pixels of a mask are inside.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {

using platform::gfx::TRegion;

// Region data: a 32-byte header (header size 32, type 1 = rectangles, rectangle count, size hint 0,
// bounding rectangle), then the rectangles; every field a little-endian int32.
constexpr std::size_t kRegionDataHeaderSize = 32;
constexpr std::size_t kRegionDataRectSize = 16;

// One rectangle per run of black pixels, row by row from the top, runs left to right, moved by
// (dx, dy). Empty data for an empty bitmap.
[[nodiscard]] std::vector<uint8_t> BuildRegionRects(const TBitmap& bitmap, int dx, int dy);
[[nodiscard]] std::vector<uint8_t> BuildRegionRects(const TbsFBitmap& bitmap, int dx, int dy);
// The rectangles of region data; empty for data that is not well-formed.
[[nodiscard]] std::vector<TRect> RegionDataRects(const std::vector<uint8_t>& data);
// The region the data describes; nothing for data that is empty or not well-formed.
[[nodiscard]] std::optional<TRegion> RegionFromData(const std::vector<uint8_t>& data);

// The black pixels of the whole bitmap; nothing for an empty bitmap.
[[nodiscard]] std::optional<TRegion> RegionFromBitmap(const TBitmap& bitmap);

// The region of a frame of a new width, from a mask that is the whole frame: the new client
// rectangle united with the black pixels of the four mask strips. Nothing when the new corner
// points run backwards or when there is nothing at all to unite.
[[nodiscard]] std::optional<TRegion> BuildFrameRegion(TBitmap& mask, const TbsFrameGeometry& maskGeometry,
                                                      const TbsFrameGeometry& newGeometry, int width);

}  // namespace skin
