#include "platform/ui/backend/x11/X11InputStyle.h"

#include <algorithm>
#include <array>

namespace platform::ui::x11 {

XIMStyle ChooseInputStyle(const std::vector<XIMStyle>& offered, bool haveFontSet) {
    static constexpr std::array<XIMStyle, 8> kPreference{
        XIMPreeditPosition | XIMStatusNothing,  XIMPreeditPosition | XIMStatusNone,
        XIMPreeditCallbacks | XIMStatusNothing, XIMPreeditCallbacks | XIMStatusNone,
        XIMPreeditNothing | XIMStatusNothing,   XIMPreeditNone | XIMStatusNone,
        XIMPreeditNothing | XIMStatusNone,      XIMPreeditNone | XIMStatusNothing,
    };
    for (const XIMStyle wanted : kPreference) {
        if (IsOverTheSpot(wanted) && !haveFontSet) continue;
        if (std::find(offered.begin(), offered.end(), wanted) != offered.end()) return wanted;
    }
    return 0;
}

}  // namespace platform::ui::x11
