#include "platform/ui/backend/x11/X11CursorImage.h"

#include "platform/ui/CursorImage.h"
#include "platform/ui/backend/x11/X11Xlib.h"

#include <X11/extensions/Xfixes.h>

namespace platform::ui::x11 {

namespace {

// A short-lived connection of its own: asked only when a hint is placed.
std::optional<TCursorImage> ReadCursorImage() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return std::nullopt;
    std::optional<TCursorImage> result;
    int eventBase = 0, errorBase = 0;
    if (XFixesQueryExtension(d, &eventBase, &errorBase)) {
        if (XFixesCursorImage* x = XFixesGetCursorImage(d)) {
            TCursorImage image;
            image.Width = x->width;
            image.Height = x->height;
            image.HotSpot = {x->xhot, x->yhot};
            image.Alpha.resize(static_cast<size_t>(x->width) * x->height);
            for (size_t i = 0; i < image.Alpha.size(); ++i)
                image.Alpha[i] = static_cast<uint8_t>((x->pixels[i] >> 24) & 0xFF);
            XFree(x);
            result = std::move(image);
        }
    }
    XCloseDisplay(d);
    return result;
}

}  // namespace

void RegisterX11CursorImageSource() {
    SetDisplayCursorImageSource("x11", ReadCursorImage);
}

}  // namespace platform::ui::x11
