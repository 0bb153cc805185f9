#pragma once
// Which pre-edit and status style to ask the input method for. Over-the-spot (the input method
// draws the pre-edit text in a window of its own at the caret we report) comes first; then the
// style in which the input method asks us to draw the pre-edit text ourselves at the caret;
// then the styles that show no pre-edit at the caret (the input method's own window, or none),
// which always work. We draw no status area, so only styles without one (or with the input
// method's own) are taken.

#include <vector>

#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

// 0 when the input method offers none of the styles we can serve. Over-the-spot needs a font
// set for the input method's pre-edit window; without one it is skipped.
[[nodiscard]] XIMStyle ChooseInputStyle(const std::vector<XIMStyle>& offered, bool haveFontSet);

[[nodiscard]] inline bool IsOverTheSpot(XIMStyle style) {
    return (style & XIMPreeditPosition) != 0;
}
[[nodiscard]] inline bool IsPreeditByClient(XIMStyle style) {
    return (style & XIMPreeditCallbacks) != 0;
}

}  // namespace platform::ui::x11
