#include "support/X11Observer.h"

// Last: Xlib's macros must not reach the headers above.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vktest {

namespace {

// The test server's root visual is 24-bit true colour (0xRRGGBB).
platform::gfx::TColor ToColor(unsigned long pixel) {
    return platform::gfx::RGB(static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                              static_cast<uint8_t>(pixel));
}

}  // namespace

struct TX11Observer::TImpl {
    Display* Dpy = nullptr;
    bool RepeatChanged = false;
    unsigned OldDelay = 0, OldInterval = 0;
};

TX11Observer::TX11Observer() : m_impl(std::make_unique<TImpl>()) { m_impl->Dpy = XOpenDisplay(nullptr); }

TX11Observer::~TX11Observer() {
    if (!m_impl->Dpy) return;
    if (m_impl->RepeatChanged) XkbSetAutoRepeatRate(m_impl->Dpy, XkbUseCoreKbd, m_impl->OldDelay, m_impl->OldInterval);
    XCloseDisplay(m_impl->Dpy);
}

bool TX11Observer::Connected() const { return m_impl->Dpy != nullptr; }

void TX11Observer::SetKeyRepeat(unsigned delayMs, unsigned intervalMs) {
    if (!m_impl->Dpy) return;
    if (!m_impl->RepeatChanged)
        m_impl->RepeatChanged =
            XkbGetAutoRepeatRate(m_impl->Dpy, XkbUseCoreKbd, &m_impl->OldDelay, &m_impl->OldInterval);
    XkbSetAutoRepeatRate(m_impl->Dpy, XkbUseCoreKbd, delayMs, intervalMs);
    XSync(m_impl->Dpy, False);
}

bool TX11Observer::Pixel(int x, int y, platform::gfx::TColor& color) {
    platform::gfx::TBitmap one;
    if (!Capture({x, y, x + 1, y + 1}, one)) return false;
    color = one.Pixel(0, 0);
    return true;
}

bool TX11Observer::Capture(const platform::core::TRect& screen, platform::gfx::TBitmap& picture) {
    if (!m_impl->Dpy || screen.Width() < 1 || screen.Height() < 1) return false;
    XImage* image = XGetImage(m_impl->Dpy, DefaultRootWindow(m_impl->Dpy), screen.Left, screen.Top,
                              static_cast<unsigned>(screen.Width()), static_cast<unsigned>(screen.Height()),
                              AllPlanes, ZPixmap);
    if (!image) return false;
    picture = platform::gfx::TBitmap(screen.Width(), screen.Height());
    for (int y = 0; y < screen.Height(); ++y)
        for (int x = 0; x < screen.Width(); ++x) picture.SetPixel(x, y, ToColor(XGetPixel(image, x, y)));
    XDestroyImage(image);
    return true;
}

}  // namespace vktest
