#include "XObserver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace boxes_e2e {

struct TXObserver::TImpl {
    Display* Dpy = nullptr;
};

TXObserver::TXObserver() : m_impl(std::make_unique<TImpl>()) {
    m_impl->Dpy = XOpenDisplay(nullptr);
}

TXObserver::~TXObserver() {
    if (m_impl->Dpy) XCloseDisplay(m_impl->Dpy);
}

bool TXObserver::Connected() const {
    return m_impl->Dpy != nullptr;
}

void TXObserver::SetRootColor(uint32_t rgb) {
    Display* d = m_impl->Dpy;
    if (!d) return;
    const Window root = DefaultRootWindow(d);
    XSetWindowBackground(d, root, rgb);
    XClearWindow(d, root);
    XSync(d, False);
}

uint32_t TXObserver::Pixel(int x, int y) {
    Display* d = m_impl->Dpy;
    if (!d) return 0xFFFFFFFF;
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0xFFFFFFFF;
    const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}

bool TXObserver::FocusPosition(int& x, int& y) {
    Display* d = m_impl->Dpy;
    if (!d) return false;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    if (focus == None || focus == PointerRoot) return false;
    Window child = None;
    return XTranslateCoordinates(d, focus, DefaultRootWindow(d), 0, 0, &x, &y, &child) != 0;
}

}  // namespace boxes_e2e
