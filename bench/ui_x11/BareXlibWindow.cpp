// The baseline of the start-up benchmark: the least an Xlib program does to show a window of
// the example's size with its pixels: open the display, create and map a window, put one image,
// flush. Logs "first-frame <monotonic ns>" like the example, to $VK_EXAMPLE_LOG, followed by
// "peak-rss-kib <peak resident KiB>" of the process up to then.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {
// The peak resident memory of this process so far, in KiB (0 when unknown).
long PeakRssKiB() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    }
    std::fclose(status);
    return kib;
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bare_xlib_window: cannot open the X display\n");
        return 1;
    }
    // The example's size, or the size given as WIDTH HEIGHT.
    const int kWidth = argc > 2 ? std::clamp(std::atoi(argv[1]), 1, 4096) : 360;
    const int kHeight = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 4096) : 240;
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
            std::fprintf(log, "first-frame %lld peak-rss-kib %ld\n",
                         static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec, PeakRssKiB());
            std::fclose(log);
        }
    }
    image->data = nullptr;  // the vector owns the pixels
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
