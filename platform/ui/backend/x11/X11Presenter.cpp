#include "platform/ui/backend/x11/X11Presenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/backend/x11/X11Errors.h"

namespace platform::ui::x11 {

namespace {

// Scales an 8-bit channel into a visual's mask (any width and position).
unsigned long ToMask(uint32_t value8, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long v = bits >= 8 ? (static_cast<unsigned long>(value8) << (bits - 8))
                                      : (static_cast<unsigned long>(value8) >> (8 - bits));
    return (v << shift) & mask;
}

core::TRect Clip(const core::TRect& r, int width, int height) {
    return r.Intersect(core::TRect{0, 0, width, height});
}

// A shared image is a strip of the window's width and this many bytes at most: rectangles go
// through it band by band. The window's pixels live once, in the back buffer, instead of again
// in a segment of the window's size; the server's wait between bands costs less than a
// millisecond even for a whole window's first frame.
constexpr std::size_t kStripBytes = 256 * 1024;

int StripRows(int width, int height) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    return std::clamp(static_cast<int>(kStripBytes / rowBytes), 1, height);
}

}  // namespace

TX11Presenter::TX11Presenter(Display* display, int screen, bool allowSharedMemory)
    : m_display(display),
      m_visual(DefaultVisual(display, screen)),
      m_depth(DefaultDepth(display, screen)),
      m_gc(XCreateGC(display, RootWindow(display, screen), 0, nullptr)) {
    m_redMask = m_visual->red_mask;
    m_greenMask = m_visual->green_mask;
    m_blueMask = m_visual->blue_mask;
    int bitsPerPixel = 0;
    int count = 0;
    if (XPixmapFormatValues* formats = XListPixmapFormats(display, &count)) {
        for (int i = 0; i < count; ++i) {
            if (formats[i].depth == m_depth) bitsPerPixel = formats[i].bits_per_pixel;
        }
        XFree(formats);
    }
    m_direct = bitsPerPixel == 32 && (m_depth == 24 || m_depth == 32) && m_redMask == 0xFF0000 &&
               m_greenMask == 0x00FF00 && m_blueMask == 0x0000FF && ImageByteOrder(display) == LSBFirst &&
               std::endian::native == std::endian::little;
    // A remote server cannot see our segments; the extension alone says nothing about that,
    // the first attach does (see CreateShared).
    m_shm = allowSharedMemory && XShmQueryExtension(display) == True;
}

TX11Presenter::~TX11Presenter() {
    XFreeGC(m_display, m_gc);
}

void TX11Presenter::WaitForServer() {
    if (m_serverReading) {
        XSync(m_display, False);
        m_serverReading = false;
    }
}

bool TX11Presenter::CreateShared(TX11Surface& surface, int width, int height) {
    XImage* image =
        XShmCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, nullptr, &surface.Shm,
                        static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image) return false;
    const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * image->height;
    surface.Shm.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (surface.Shm.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    void* address = shmat(surface.Shm.shmid, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(surface.Shm.shmid, IPC_RMID, nullptr);
        XDestroyImage(image);
        return false;
    }
    surface.Shm.shmaddr = image->data = static_cast<char*>(address);
    surface.Shm.readOnly = False;
    TX11ErrorTrap trap(m_display);
    XShmAttach(m_display, &surface.Shm);
    const bool refused = trap.Failed();
    // Marked for removal now: it goes away when both sides have detached, even after a crash.
    shmctl(surface.Shm.shmid, IPC_RMID, nullptr);
    if (refused) {
        shmdt(surface.Shm.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        surface.Shm = {};
        m_shm = false;
        return false;
    }
    surface.Image = image;
    surface.Shared = true;
    return true;
}

bool TX11Presenter::CreatePlain(TX11Surface& surface, int width, int height) {
    const int bytesPerLine = width * 4;
    auto* data = static_cast<char*>(std::calloc(static_cast<std::size_t>(bytesPerLine) * height, 1));
    if (!data) return false;
    XImage* image = XCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, 0, data,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (!image) {
        std::free(data);
        return false;
    }
    // XCreateImage computed the row length for the visual's pixel size; the data holds four
    // bytes a pixel, which is the most any format needs.
    surface.Image = image;
    surface.Shared = false;
    return true;
}

bool TX11Presenter::EnsureSurface(TX11Surface& surface, int width, int height) {
    const int rows = m_shm ? StripRows(width, height) : height;
    if (surface.Image && surface.Image->width == width && surface.Image->height == rows &&
        surface.Shared == m_shm) {
        return true;
    }
    Release(surface);
    if (m_shm && CreateShared(surface, width, rows)) return true;
    return CreatePlain(surface, width, height);
}

void TX11Presenter::Release(TX11Surface& surface) {
    if (!surface.Image) return;
    if (surface.Shared) {
        WaitForServer();
        XShmDetach(m_display, &surface.Shm);
        XSync(m_display, False);
        shmdt(surface.Shm.shmaddr);
        surface.Image->data = nullptr;
    }
    XDestroyImage(surface.Image);
    surface = {};
}

void TX11Presenter::CopyPixels(XImage* image, const gfx::TBitmap& buffer, const core::TRect& rect,
                               int imageTop) const {
    if (m_direct) {
        const std::size_t bytes = static_cast<std::size_t>(rect.Width()) * 4;
        for (int y = rect.Top; y < rect.Bottom; ++y) {
            char* dest = image->data + static_cast<std::size_t>(y - imageTop) * image->bytes_per_line +
                         static_cast<std::size_t>(rect.Left) * 4;
            std::memcpy(dest, buffer.ScanLine(y) + rect.Left, bytes);
        }
        return;
    }
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        const uint32_t* row = buffer.ScanLine(y);
        for (int x = rect.Left; x < rect.Right; ++x) {
            const uint32_t p = row[x];
            const unsigned long pixel = ToMask((p >> 16) & 0xFF, m_redMask) |
                                        ToMask((p >> 8) & 0xFF, m_greenMask) | ToMask(p & 0xFF, m_blueMask);
            XPutPixel(image, x, y - imageTop, pixel);
        }
    }
}

void TX11Presenter::Present(TX11Surface& surface, Window window, const gfx::TBitmap& buffer,
                            const std::vector<core::TRect>& rects) {
    const int width = buffer.Width();
    const int height = buffer.Height();
    if (width <= 0 || height <= 0 || rects.empty()) return;

    if (!m_shm && m_direct) {
        // Plain requests copy the pixels into the request anyway: describe the buffer itself
        // as the image instead of copying it first.
        XImage image{};
        image.width = width;
        image.height = height;
        image.format = ZPixmap;
        image.data = const_cast<char*>(reinterpret_cast<const char*>(buffer.Bits()));
        image.byte_order = LSBFirst;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = LSBFirst;
        image.bitmap_pad = 32;
        image.depth = m_depth;
        image.bytes_per_line = width * 4;
        image.bits_per_pixel = 32;
        image.red_mask = m_redMask;
        image.green_mask = m_greenMask;
        image.blue_mask = m_blueMask;
        if (XInitImage(&image) == 0) return;
        for (const core::TRect& r : rects) {
            const core::TRect c = Clip(r, width, height);
            if (c.IsEmpty()) continue;
            XPutImage(m_display, window, m_gc, &image, c.Left, c.Top, c.Left, c.Top,
                      static_cast<unsigned>(c.Width()), static_cast<unsigned>(c.Height()));
        }
        XFlush(m_display);
        return;
    }

    if (!EnsureSurface(surface, width, height)) return;
    for (const core::TRect& r : rects) {
        const core::TRect c = Clip(r, width, height);
        if (c.IsEmpty()) continue;
        if (!surface.Shared) {
            CopyPixels(surface.Image, buffer, c, 0);
            XPutImage(m_display, window, m_gc, surface.Image, c.Left, c.Top, c.Left, c.Top,
                      static_cast<unsigned>(c.Width()), static_cast<unsigned>(c.Height()));
            continue;
        }
        for (int top = c.Top; top < c.Bottom; top += surface.Image->height) {
            const core::TRect band{c.Left, top, c.Right, std::min(c.Bottom, top + surface.Image->height)};
            // The server may still be reading the band before out of the strip.
            WaitForServer();
            CopyPixels(surface.Image, buffer, band, top);
            XShmPutImage(m_display, window, m_gc, surface.Image, band.Left, 0, band.Left, band.Top,
                         static_cast<unsigned>(band.Width()), static_cast<unsigned>(band.Height()), False);
            m_serverReading = true;
        }
    }
    XFlush(m_display);
}

}  // namespace platform::ui::x11
