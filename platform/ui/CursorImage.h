#pragma once
// The current pointer image with its hot spot, as far as the display can tell. A backend that can
// read it installs a source; otherwise the fixed arrow stands in (the headless backend's pointer).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Types.h"

namespace platform::ui {

struct TCursorImage {
    int Width = 0;
    int Height = 0;
    core::TPoint HotSpot{};
    // Width x Height opacities, row by row; 0 = transparent.
    std::vector<uint8_t> Alpha;
};

using TCursorImageSource = std::function<std::optional<TCursorImage>()>;

// The arrow: 12 x 19 visible rows in a 32 x 32 image, hot spot at the tip (0, 0).
[[nodiscard]] TCursorImage FixedArrowCursor();
// The source for windows systems on backends of that name ("x11"); null removes it.
void SetDisplayCursorImageSource(const std::string& backendName, TCursorImageSource source);
// From the running backend's source, or the fixed arrow; nothing when the source cannot read it.
[[nodiscard]] std::optional<TCursorImage> DisplayCursorImage();

}  // namespace platform::ui
