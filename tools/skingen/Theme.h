#pragma once
// The design of the default skin in one place: a dark slate window frame with a rounded outline,
// light panel controls and one blue accent. Change a colour here and rebuild the skin to restyle
// every record that uses it.

#include "tools/skingen/Raster.h"

namespace skingen::theme {

// Window frame.
inline constexpr TColor kFrameOutline = Hex(0x151A21);
inline constexpr TColor kFrameHighlight = Hex(0x4E5A69);  // first row under the outline
inline constexpr TColor kFrameTop = Hex(0x3B4654);        // caption gradient
inline constexpr TColor kFrameBottom = Hex(0x2C343E);
inline constexpr TColor kFrameSide = Hex(0x2C343E);   // side and bottom borders
inline constexpr TColor kFrameInner = Hex(0x1C2229);  // line around the client area
inline constexpr TColor kCaptionText = Hex(0xF3F6F9);
inline constexpr TColor kCaptionTextInactive = Hex(0x95A1AE);

// Caption buttons.
inline constexpr TColor kGlyph = Hex(0xD3DBE4);
inline constexpr TColor kGlyphHot = Hex(0xFFFFFF);
inline constexpr TColor kGlyphDisabled = Hex(0x626E7B);
inline constexpr TColor kGlyphInactive = Hex(0x8D99A6);
inline constexpr TColor kCaptionButtonHot = Hex(0x4A5768);
inline constexpr TColor kCaptionButtonDown = Hex(0x1E252D);
inline constexpr TColor kCloseHot = Hex(0xD9463F);
inline constexpr TColor kCloseDown = Hex(0xA8332D);

// Client area and panels.
inline constexpr TColor kClient = Hex(0xEEF1F5);
inline constexpr TColor kPanel = Hex(0xF6F8FA);
inline constexpr TColor kPanelDark = Hex(0xE4E9EF);
inline constexpr TColor kField = Hex(0xFFFFFF);
inline constexpr TColor kBorder = Hex(0xB4BEC9);
inline constexpr TColor kBorderStrong = Hex(0x8F9BA8);
inline constexpr TColor kBorderSoft = Hex(0xD6DDE4);
inline constexpr TColor kShade = Hex(0x9EA9B5);  // bottom row of raised faces
inline constexpr TColor kText = Hex(0x1E2731);
inline constexpr TColor kTextMuted = Hex(0x5B6875);
inline constexpr TColor kTextDisabled = Hex(0xA2ABB5);
inline constexpr TColor kArrow = Hex(0x4C5864);

// The accent.
inline constexpr TColor kAccent = Hex(0x0080FF);  // links under the mouse, focus lines
inline constexpr TColor kAccentStrong = Hex(0x0A6FD6);
inline constexpr TColor kAccentDeep = Hex(0x075AB0);
inline constexpr TColor kAccentSoft = Hex(0xDCEBFC);    // selections
inline constexpr TColor kAccentSofter = Hex(0xEDF5FE);  // hover
inline constexpr TColor kAccentSoftBorder = Hex(0x8DBCF0);
inline constexpr TColor kAccentText = Hex(0x0B3F78);

// Push buttons, by state.
inline constexpr TColor kButtonFace = Hex(0xFAFBFC);
inline constexpr TColor kButtonFaceHot = Hex(0xEDF5FE);
inline constexpr TColor kButtonFaceDown = Hex(0xD5E6FB);
inline constexpr TColor kButtonFaceDisabled = Hex(0xF0F2F5);
inline constexpr TColor kButtonBorderHot = Hex(0x5AA3F1);
inline constexpr TColor kButtonBorderDisabled = Hex(0xD3D9E0);

// Tooltips: the frame's slate with light text.
inline constexpr TColor kHintFace = Hex(0x2E3742);
inline constexpr TColor kHintText = Hex(0xF1F4F7);

// Bevels around the previews (the values every program using this skin relies on).
inline constexpr TColor kBevelLight = 0;        // black
inline constexpr TColor kBevelDark = 12632256;  // light grey
inline constexpr TColor kLinkHover = 16744448;  // red 0, green 128, blue 255

// Pixels of a picture that no image uses.
inline constexpr TColor kFiller = Hex(0xFF00FF);

}  // namespace skingen::theme
