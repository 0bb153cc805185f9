#pragma once
// Copies rectangles of a window's back buffer (32-bit B, G, R, X rows) to the window: through a
// shared-memory strip (MIT-SHM), band by band, where the server can attach one, otherwise with
// plain image requests. A server that refuses the shared segment (BadAccess: another user, another machine)
// switches the presenter to plain images for good.

#include <vector>

#include "platform/core/Types.h"
#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::gfx {
class TBitmap;
}

namespace platform::ui::x11 {

// A window's image (a strip of the window's width when shared), kept between presents and
// rebuilt when the buffer's size changes.
struct TX11Surface {
    XImage* Image = nullptr;
    XShmSegmentInfo Shm{};
    bool Shared = false;
};

class TX11Presenter {
public:
    // allowSharedMemory false forces plain image requests.
    TX11Presenter(Display* display, int screen, bool allowSharedMemory);
    ~TX11Presenter();
    TX11Presenter(const TX11Presenter&) = delete;
    TX11Presenter& operator=(const TX11Presenter&) = delete;

    // Whether presents go through shared memory (until the server refuses a segment).
    [[nodiscard]] bool SharedMemory() const { return m_shm; }

    void Present(TX11Surface& surface, Window window, const gfx::TBitmap& buffer,
                 const std::vector<core::TRect>& rects);
    void Release(TX11Surface& surface);

private:
    bool EnsureSurface(TX11Surface& surface, int width, int height);
    bool CreateShared(TX11Surface& surface, int width, int height);
    bool CreatePlain(TX11Surface& surface, int width, int height);
    // Copies rect of the buffer into the image, whose row 0 is the buffer's row imageTop.
    void CopyPixels(XImage* image, const gfx::TBitmap& buffer, const core::TRect& rect, int imageTop) const;
    void WaitForServer();

    Display* m_display;
    Visual* m_visual;
    int m_depth;
    GC m_gc;
    bool m_shm = false;
    // The server's pixels are the buffer's bytes (32 bits, B, G, R, X in memory order).
    bool m_direct = false;
    // Shared images were handed to the server and may still be read by it.
    bool m_serverReading = false;
    unsigned long m_redMask = 0, m_greenMask = 0, m_blueMask = 0;
};

}  // namespace platform::ui::x11
