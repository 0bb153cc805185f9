#pragma once
// One picture of a whole skin: every control record in each of its states (controls, boxes,
// panels), the frame's objects with the popup menu and hint windows, and the window frame active
// and inactive with a pressed caption button, stacked under headings.

#include <string>

#include "platform/gfx/Bitmap.h"
#include "skin/data/bsSkinFile.h"

namespace skintool {

// False (with the reason) when the skin does not load into records.
bool RenderPreviewSheet(const skin::TbsSkinSource& source, platform::gfx::TBitmap& sheet, std::string& error);

}  // namespace skintool
