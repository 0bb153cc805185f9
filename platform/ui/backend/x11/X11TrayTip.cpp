#include "platform/ui/backend/x11/X11TrayTip.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"
#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

namespace {
constexpr int kPad = 3;
// Below the pointer, clear of the cursor image.
constexpr int kBelowPointer = 20;
}  // namespace

TX11TrayTip::~TX11TrayTip() {
    if (m_window && m_display) XDestroyWindow(m_display, m_window);
}

void TX11TrayTip::Hover(const std::string& text, core::TPoint screen, uint64_t now) {
    m_at = screen;
    if (m_hovering) {
        m_text = text;
        return;
    }
    m_hovering = true;
    m_spent = false;
    m_text = text;
    m_since = now;
}

void TX11TrayTip::Cancel() {
    m_hovering = false;
    m_spent = false;
    Hide();
}

void TX11TrayTip::Tick(uint64_t now) {
    if (!m_hovering || m_text.empty() || m_spent) return;
    if (!m_shown && now - m_since >= kShowPauseMs) {
        Show();
        m_since = now;
    } else if (m_shown && now - m_since >= kHidePauseMs) {
        Hide();
        m_spent = true;
    }
}

void TX11TrayTip::Show() {
    if (!m_display) return;
    const int screen = DefaultScreen(m_display);
    if (DefaultDepth(m_display, screen) < 24) return;
    gfx::TBitmap measure(1, 1);
    gfx::TCanvas probe(measure);
    const core::TSize size = probe.TextExtent(m_text);
    const int w = size.cx + 2 * kPad + 2, h = size.cy + 2 * kPad;
    gfx::TBitmap picture(w, h);
    gfx::TCanvas canvas(picture);
    canvas.Brush = gfx::TBrush{gfx::clInfoBk, gfx::TBrushStyle::bsSolid};
    canvas.FillRect({0, 0, w, h});
    canvas.Brush.Color = gfx::clBtnShadow;
    canvas.FrameRect({0, 0, w, h});
    canvas.Brush.Style = gfx::TBrushStyle::bsClear;
    canvas.Font.SetColor(gfx::clInfoText);
    canvas.TextOut(kPad + 1, kPad, m_text);

    // Under the pointer, kept on the screen (above the pointer when there is no room below).
    const int screenW = DisplayWidth(m_display, screen), screenH = DisplayHeight(m_display, screen);
    int x = std::clamp(m_at.X, 0, std::max(0, screenW - w));
    int y = m_at.Y + kBelowPointer;
    if (y + h > screenH) y = std::max(0, m_at.Y - h - 2);
    m_bounds = {x, y, x + w, y + h};

    if (!m_window) {
        XSetWindowAttributes a{};
        a.override_redirect = True;
        a.save_under = True;
        m_window = XCreateWindow(m_display, RootWindow(m_display, screen), x, y, static_cast<unsigned>(w),
                                 static_cast<unsigned>(h), 0, CopyFromParent, InputOutput, CopyFromParent,
                                 CWOverrideRedirect | CWSaveUnder, &a);
        if (!m_window) return;
        const Atom type = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE", False);
        const Atom tooltip = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE_TOOLTIP", False);
        XChangeProperty(m_display, m_window, type, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&tooltip), 1);
    } else {
        XMoveResizeWindow(m_display, m_window, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
    }
    XMapRaised(m_display, m_window);
    // The pixels: background pixmap of the window, so exposures need no answer.
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const gfx::TColor c = gfx::ColorToRGB(picture.Pixel(col, row));
            pixels[static_cast<size_t>(row * w + col)] = (static_cast<uint32_t>(gfx::GetRValue(c)) << 16) |
                                                         (static_cast<uint32_t>(gfx::GetGValue(c)) << 8) |
                                                         static_cast<uint32_t>(gfx::GetBValue(c));
        }
    const int depth = DefaultDepth(m_display, screen);
    Pixmap pixmap = XCreatePixmap(m_display, m_window, static_cast<unsigned>(w), static_cast<unsigned>(h),
                                  static_cast<unsigned>(depth));
    XImage* image = XCreateImage(m_display, DefaultVisual(m_display, screen), static_cast<unsigned>(depth),
                                 ZPixmap, 0, reinterpret_cast<char*>(pixels.data()), static_cast<unsigned>(w),
                                 static_cast<unsigned>(h), 32, 0);
    if (image) {
        GC gc = XCreateGC(m_display, pixmap, 0, nullptr);
        XPutImage(m_display, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(w),
                  static_cast<unsigned>(h));
        XFreeGC(m_display, gc);
        image->data = nullptr;  // the vector owns the pixels
        XDestroyImage(image);
        XSetWindowBackgroundPixmap(m_display, m_window, pixmap);
        XClearWindow(m_display, m_window);
    }
    XFreePixmap(m_display, pixmap);
    XFlush(m_display);
    m_shown = true;
}

void TX11TrayTip::Hide() {
    if (!m_shown) return;
    m_shown = false;
    if (m_window && m_display) {
        XUnmapWindow(m_display, m_window);
        XFlush(m_display);
    }
}

}  // namespace platform::ui::x11
