#pragma once
// A drawing context on a window: a canvas on the top-level window's back buffer whose origin is
// the window's client (or window) top-left and whose device clip is the part of the window that
// can be seen there. Releasing it (its destructor) marks what could have been drawn for the next
// present and, for a paint context, ends the paint.

#include <cstdint>
#include <memory>

#include "platform/core/Types.h"
#include "platform/gfx/Region.h"

namespace platform::gfx {
class TBitmap;
class TCanvas;
}  // namespace platform::gfx

namespace platform::ui {

class TWindow;
class TWindowSystem;

enum class TDeviceContextKind : uint8_t { Client, Window, Paint };

class TDeviceContext {
public:
    ~TDeviceContext();
    TDeviceContext(const TDeviceContext&) = delete;
    TDeviceContext& operator=(const TDeviceContext&) = delete;

    [[nodiscard]] gfx::TCanvas& Canvas() { return *m_canvas; }
    [[nodiscard]] TDeviceContextKind Kind() const { return m_kind; }
    // The window, or null once it was destroyed.
    [[nodiscard]] TWindow* Window() const;
    // Paint contexts: the bounding box of the area to paint, client coordinates. Other contexts:
    // the client rectangle (client contexts) or the window's (window contexts), logical coordinates.
    [[nodiscard]] const core::TRect& PaintRect() const { return m_paintRect; }
    // Paint contexts: the background was not erased by WM_ERASEBKGND (the painter must cover it).
    [[nodiscard]] bool Erase() const { return m_erase; }
    // What can be drawn, in back-buffer coordinates.
    [[nodiscard]] const gfx::TRegion& DeviceClip() const { return m_clip; }

private:
    friend class TPaintScheduler;
    TDeviceContext(TWindowSystem& system, uint64_t windowId, TDeviceContextKind kind,
                   std::shared_ptr<gfx::TBitmap> buffer, core::TPoint origin, gfx::TRegion clip);

    TWindowSystem* m_system;
    uint64_t m_windowId;
    TDeviceContextKind m_kind;
    std::shared_ptr<gfx::TBitmap> m_buffer;
    std::unique_ptr<gfx::TCanvas> m_canvas;
    gfx::TRegion m_clip;
    core::TRect m_paintRect{};
    bool m_erase = false;
};

using TDeviceContextPtr = std::unique_ptr<TDeviceContext>;

}  // namespace platform::ui
