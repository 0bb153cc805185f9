#pragma once
// Glyph and caption placement shared by the skin button and the button label.

#include <cstdint>
#include <string>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace skin {

enum TbsButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Cells in a glyph strip: 1 normal, 2 disabled, 3 down, 4 active.
using TbsNumGlyphs = int;
inline constexpr int kMaxNumGlyphs = 4;

struct TbsGlyphCaptionLayout {
    platform::core::TPoint Glyph;
    platform::core::TPoint Caption;
    platform::core::TSize GlyphSize;
    platform::core::TSize CaptionSize;
};

// The cell of a glyph strip for a state: down and active with more than 2 cells -> 3; active
// with more than 3 -> 4; disabled with more than 1 -> 2; else 1.
[[nodiscard]] int GlyphCellFor(bool down, bool active, bool disabled, int numGlyphs);

// Where glyph and caption go in rect. margin -1 centres both together; otherwise the glyph sits
// margin pixels from the edge of its layout side. spacing lies between them even without a
// glyph. The caption is measured in the canvas's font with "&" accelerator marks.
[[nodiscard]] TbsGlyphCaptionLayout LayoutGlyphAndCaption(platform::gfx::TCanvas& canvas,
                                                          const platform::core::TRect& rect, int margin,
                                                          int numGlyphs, const platform::gfx::TBitmap& glyph,
                                                          const std::string& caption, TbsButtonLayout layout,
                                                          int spacing);

// Draws the caption in the canvas's font and the glyph cell (transparently) as laid out above,
// everything one pixel right and down with pressOffset.
void DrawGlyphAndCaption(platform::gfx::TCanvas& canvas, const platform::core::TRect& rect, int margin,
                         bool pressOffset, int glyphCell, int numGlyphs, const platform::gfx::TBitmap& glyph,
                         const std::string& caption, TbsButtonLayout layout, int spacing);

}  // namespace skin
