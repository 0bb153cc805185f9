#pragma once
// The second skin that ships with the samples: the default skin with a light frame, so that the
// switch in the browser's "Skins" menu is plain to see.

#include "tools/skingen/SkinModel.h"

namespace skingen {

[[nodiscard]] TSkinModel BuildLightSkin();

// Mirrors the lightness of every pixel inside rect (outside skip, when not empty) and keeps its
// hue and colourfulness: dark slate becomes light slate, light glyphs become dark ones.
void MirrorLightness(TBitmap& bitmap, const TRect& rect, const TRect& skip = {});

}  // namespace skingen
