#pragma once
// Texts and small glyphs that skinned controls draw when a skin has no picture for them.

#include <string>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"

namespace skin {

using platform::core::TRect;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;
using platform::gfx::TColor;

// Leaves a text that fits alone; otherwise drops characters from the end until the rest followed
// by "..." fits (just "..." when nothing else does).
void FitTextWithEllipsis(TCanvas& canvas, std::string& text, int width);
// One line clipped to rect, 2 pixels (plus leftOffset) in from the left, centred vertically.
void DrawTextVCentered(TCanvas& canvas, const std::string& text, const TRect& rect, int leftOffset = 0);

enum TbsArrowDirection : int { adLeft = 1, adRight = 2, adUp = 3, adDown = 4 };
// A small solid triangle centred in rect: lines of 1, 3, 5 and 7 pixels from its tip.
void DrawArrowGlyph(TCanvas& canvas, const TRect& rect, TColor color, int direction);
// A three-pixel-thick check mark whose top-left is near (x, y).
void DrawCheckGlyph(TCanvas& canvas, int x, int y, TColor color);

// Faces of the caption buttons, about 11 x 10 pixels from (x, y).
void DrawCloseGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawSysMenuGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawMinimizeGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawMaximizeGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawRestoreGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawRollDownGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawRollUpGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawTrayGlyph(TCanvas& canvas, int x, int y, TColor color);

// Draws cell number `cell` (from 1) of a bitmap cut into `cellCount` equal columns at (x, y),
// leaving out the bitmap's transparent colour. Nothing for an empty bitmap or a cell out of range.
void DrawGlyphCell(TCanvas& canvas, int x, int y, int cell, int cellCount, const TBitmap& bitmap);

}  // namespace skin
