// The baseline of the start-up benchmark: the least an Xlib program does to show a window of
// the example's size with its pixels: open the display, create and map a window, put one image,
// flush. Logs "first-frame <monotonic ns>" like the example, to $VK_EXAMPLE_LOG.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bare_xlib_window: cannot open the X display\n");
        return 1;
    }
    constexpr int kWidth = 360, kHeight = 240;
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    attributes.event_mask = ExposureMask;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), 100, 100, kWidth, kHeight, 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    XMapWindow(display, window);
    std::vector<unsigned> pixels(static_cast<std::size_t>(kWidth) * kHeight, 0xF0E4C4);
    XImage* image = XCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen),
                                 ZPixmap, 0, reinterpret_cast<char*>(pixels.data()), kWidth, kHeight, 32, 0);
    XPutImage(display, window, DefaultGC(display, screen), image, 0, 0, 0, 0, kWidth, kHeight);
    XFlush(display);
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    if (const char* path = std::getenv("VK_EXAMPLE_LOG")) {
        if (FILE* log = std::fopen(path, "a")) {
            std::fprintf(log, "first-frame %lld\n",
                         static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
            std::fclose(log);
        }
    }
    image->data = nullptr;  // the vector owns the pixels
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
