#pragma once
// The pointer image the hint is placed below: the display's (platform/ui/CursorImage.h) unless a
// source is set here (tests, programs with pointers of their own).

#include <functional>
#include <optional>

#include "platform/ui/CursorImage.h"

namespace skin {

using TbsCursorImage = platform::ui::TCursorImage;
using TbsCursorImageSource = std::function<std::optional<TbsCursorImage>()>;

// Null goes back to the display's image.
void SetCursorImageSource(TbsCursorImageSource source);
[[nodiscard]] std::optional<TbsCursorImage> CurrentCursorImage();
// Rows from the hot spot to the lowest row with a visible pixel (inclusive); fallback when the
// image is empty or has no visible pixel.
[[nodiscard]] int VisibleHeightBelowHotSpot(const TbsCursorImage& image, int fallback);

}  // namespace skin
