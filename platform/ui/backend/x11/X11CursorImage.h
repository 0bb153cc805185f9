#pragma once
// Makes the X server's current pointer image (with its hot spot) the display's cursor image.

namespace platform::ui::x11 {

void RegisterX11CursorImageSource();

}  // namespace platform::ui::x11
