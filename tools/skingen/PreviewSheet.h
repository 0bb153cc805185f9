#pragma once
// Contact sheets of a skin's records: one row per record, its faces composed at its natural size
// and stretched, in every state its record describes.

#include <cstdint>
#include <string>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/bsSkinData.h"

namespace skingen {

using platform::core::TRect;
using platform::gfx::TBitmap;

enum class TSheetGroup { Controls, Boxes, Panels };

[[nodiscard]] TBitmap RenderControlSheet(skin::TbsSkinData& skin, TSheetGroup group);
// Caption buttons, the menu item in a popup window, the menu bar, the hint window.
[[nodiscard]] TBitmap RenderObjectSheet(skin::TbsSkinData& skin);

// Text in the skin's font terms (a positive height is the cell height), clear background.
void DrawSheetText(TBitmap& b, const TRect& r, const std::string& text, const std::string& font, int height,
                   platform::gfx::TFontStyles style, platform::gfx::TColor color, uint32_t flags);
[[nodiscard]] TBitmap ScaleUp(const TBitmap& b, int factor);

// The stretch mode a skinned control takes from its record's corner points: -1 nothing, 0 fixed,
// 1 both ways, 2 across, 3 down.
[[nodiscard]] int StretchModeOf(const skin::TbsDataSkinCustomControl& r);
// The record's face from rectangle source of its picture, composed for w x h by its stretch mode.
[[nodiscard]] TBitmap ComposeRecordFace(skin::TbsSkinData& skin, const skin::TbsDataSkinCustomControl& r,
                                        const TRect& source, int w, int h);

}  // namespace skingen
