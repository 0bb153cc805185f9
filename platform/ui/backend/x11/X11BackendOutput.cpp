#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/backend/x11/X11BackendImpl.h"

namespace platform::ui::x11 {

void TX11Backend::Present(TNativeId window, const gfx::TBitmap& backBuffer,
                          const std::vector<core::TRect>& rects) {
    TX11Window* w = Find(window);
    if (!w || Dead()) return;
    m_presenter->Present(w->Surface, w->Xid, backBuffer, rects);
}

void TX11Backend::SetShape(TNativeId window, const gfx::TRegion* shape) {
    TX11Window* w = Find(window);
    if (!w) return;
    if (shape) {
        w->Shape = *shape;
    } else {
        w->Shape.reset();
    }
    ApplyShape(*w);
    Sync();  // the shape decides where clicks land, for other clients too
}

void TX11Backend::ApplyShape(TX11Window& w) {
    if (!m_haveShape) return;
    if (!w.Shape) {
        XShapeCombineMask(m_display, w.Xid, ShapeBounding, 0, 0, None, ShapeSet);
        return;
    }
    // The region's rectangles are banded and sorted; clipped to the window they still are, and
    // X rectangles hold 16-bit values.
    gfx::TRegion clipped = *w.Shape;
    clipped.Intersect(
        core::TRect{0, 0, std::min(w.Bounds.Width(), 32767), std::min(w.Bounds.Height(), 32767)});
    std::vector<XRectangle> rects;
    for (const core::TRect& r : clipped.Rects()) {
        rects.push_back(XRectangle{static_cast<short>(r.Left), static_cast<short>(r.Top),
                                   static_cast<unsigned short>(r.Width()),
                                   static_cast<unsigned short>(r.Height())});
    }
    XShapeCombineRectangles(m_display, w.Xid, ShapeBounding, 0, 0, rects.data(),
                            static_cast<int>(rects.size()), ShapeSet, YXBanded);
}

void TX11Backend::SetOpacity(TNativeId window, uint8_t alpha) {
    TX11Window* w = Find(window);
    if (!w) return;
    w->Alpha = alpha;
    if (alpha == 255) {
        XDeleteProperty(m_display, w->Xid, m_atoms.NET_WM_WINDOW_OPACITY);
    } else {
        // A compositor reads 0 .. 0xFFFFFFFF; without one the property is kept and ignored.
        const unsigned long value = static_cast<unsigned long>(alpha) * 0xFFFFFFFFul / 255ul;
        XChangeProperty(m_display, w->Xid, m_atoms.NET_WM_WINDOW_OPACITY, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
    }
    Sync();
}

bool TX11Backend::SupportsOpacity() {
    if (Dead()) return false;
    return XGetSelectionOwner(m_display, m_atoms.NET_WM_CM_S0) != None;
}

}  // namespace platform::ui::x11
