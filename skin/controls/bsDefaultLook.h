#pragma once
// The colours of the default look: what skinned controls draw when no skin data gives them a
// picture (a navy frame round a light fill while the pointer is over a part, a darker fill
// while it is pressed).

#include "platform/gfx/Color.h"

namespace skin {

constexpr platform::gfx::TColor kDefaultLookFrame = platform::gfx::RGB(0, 0, 128);
constexpr platform::gfx::TColor kDefaultLookHotFill = platform::gfx::RGB(182, 189, 210);
constexpr platform::gfx::TColor kDefaultLookPressedFill = platform::gfx::RGB(133, 147, 181);

}  // namespace skin
