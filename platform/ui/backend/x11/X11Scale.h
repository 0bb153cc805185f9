#pragma once
// The screen scale of an X display, chosen once at start: the VK_SCALE override first, else
// Xft.dpi from the resource database, else the screen's physical size. A screen of 144 dpi or
// more gets round(dpi / 96), at most 3; anything less is 1.

#include <optional>
#include <string_view>

namespace platform::ui::x11 {

// The scale for a resolution in dots per inch.
[[nodiscard]] int ScaleForDpi(double dpi);
// The value of Xft.dpi in a resource database string (the RESOURCE_MANAGER property), if it
// holds a positive number.
[[nodiscard]] std::optional<double> XftDpiFromResources(std::string_view resources);
// The override: a whole number from 1 to 8, or nothing for an unset or malformed value.
[[nodiscard]] std::optional<int> ScaleOverride(const char* value);

}  // namespace platform::ui::x11
