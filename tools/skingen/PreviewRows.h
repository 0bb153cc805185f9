#pragma once
// The rows of the preview sheets, one function per group of record kinds. Each adds nothing for
// records of other groups.

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/Region.h"
#include "tools/skingen/PreviewSheet.h"

namespace skingen {

inline constexpr platform::gfx::TColor kSheetBackground = 0xF5F1EE;  // the skin's client colour

struct TSheet {
    struct TRow {
        std::string Label;
        std::vector<TBitmap> Images;
    };
    std::vector<TRow> Rows;
    void Add(std::string label, std::vector<TBitmap> images);
    [[nodiscard]] TBitmap Render() const;
};

void AddControlRow(TSheet& sheet, skin::TbsSkinData& skin, skin::TbsDataSkinControl& record);
void AddBoxRow(TSheet& sheet, skin::TbsSkinData& skin, skin::TbsDataSkinControl& record);
void AddPanelRow(TSheet& sheet, skin::TbsSkinData& skin, skin::TbsDataSkinControl& record);

// Copies rectangle source of the record's picture (unscaled unless dest differs in size).
void CopyFromPicture(TBitmap& dest, const TRect& destRect, skin::TbsSkinData& skin, int pictureIndex,
                     const TRect& source);
// A middle-tiled strip of a picture rectangle, ends kept (menu items, list items, tabs).
[[nodiscard]] TBitmap ComposeStrip(skin::TbsSkinData& skin, int pictureIndex, const TRect& source, int left,
                                   int right, int width);
// Pixels a window region leaves out become a checkerboard.
void MarkOutsideRegion(TBitmap& b, const std::optional<platform::gfx::TRegion>& region);
[[nodiscard]] TBitmap Blank(int w, int h, platform::gfx::TColor color = kSheetBackground);

}  // namespace skingen
