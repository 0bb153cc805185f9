// Device contexts and the contexts the paint scheduler hands out.

#include "platform/ui/DeviceContext.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/PaintScheduler.h"
#include "platform/ui/ScreenScale.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

namespace {

uint64_t Area(const gfx::TRegion& region) {
    uint64_t area = 0;
    for (const core::TRect& r : region.Rects())
        area += static_cast<uint64_t>(r.Width()) * static_cast<uint64_t>(r.Height());
    return area;
}

// The buffer of contexts that draw nothing, for dead or message-only windows.
std::shared_ptr<gfx::TBitmap> NullBuffer() {
    static const std::shared_ptr<gfx::TBitmap> buffer = std::make_shared<gfx::TBitmap>(1, 1);
    return buffer;
}

}  // namespace

TDeviceContext::TDeviceContext(TWindowSystem& system, uint64_t windowId, TDeviceContextKind kind,
                               std::shared_ptr<gfx::TBitmap> buffer, core::TPoint origin, gfx::TRegion clip)
    : m_system(&system),
      m_windowId(windowId),
      m_kind(kind),
      m_buffer(std::move(buffer)),
      m_clip(std::move(clip)) {
    m_canvas = std::make_unique<gfx::TCanvas>(*m_buffer);
    if (m_buffer != NullBuffer()) m_canvas->SetScale(system.Scale());
    m_canvas->SetDeviceOrigin(origin);
    m_canvas->SetDeviceClip(m_clip);
}

TDeviceContext::~TDeviceContext() {
    if (TWindowSystem::Current() == m_system) m_system->Painter().EndContext(*this);
}

TWindow* TDeviceContext::Window() const {
    if (TWindowSystem::Current() != m_system) return nullptr;
    return m_system->FindWindow(m_windowId);
}

void TPaintScheduler::EndContext(TDeviceContext& dc) {
    TWindow* w = m_system.FindWindow(dc.m_windowId);
    if (!w || dc.m_clip.IsEmpty()) return;
    TWindow* top = w->TopLevel();
    if (top->m_backBuffer == dc.m_buffer) AddDirty(top, dc.m_clip);
}

TDeviceContextPtr TPaintScheduler::NullContext(TDeviceContextKind kind) {
    return TDeviceContextPtr(new TDeviceContext(m_system, 0, kind, NullBuffer(), {}, {}));
}

TDeviceContextPtr TPaintScheduler::BeginPaint(TWindow* window) {
    if (!m_system.IsWindow(window) || !window->TopLevel()->m_backBuffer)
        return NullContext(TDeviceContextKind::Paint);
    TWindow* top = window->TopLevel();
    EnsureBackBuffer(top);
    const gfx::TRegion update = window->m_update;
    const bool erase = window->m_erase;
    window->m_beganPaint = true;
    window->m_update.Clear();
    window->m_erase = false;

    const core::TPoint off = window->OffsetInTopLevel();
    const core::TPoint origin{off.X + window->m_client.Left, off.Y + window->m_client.Top};
    gfx::TRegion clip = VisibleRegion(window, true);
    gfx::TRegion updateInBuffer = update;
    updateInBuffer.Offset(origin.X, origin.Y);
    clip.Intersect(updateInBuffer);

    TDeviceContextPtr dc(new TDeviceContext(m_system, window->m_id, TDeviceContextKind::Paint,
                                            top->m_backBuffer, origin, clip));
    dc->m_paintRect = update.Box();
    m_stats->PaintedPixels += Area(clip);
    if (erase && !clip.IsEmpty()) {
        ++m_stats->EraseMessages;
        dc->m_erase = m_system.SendMessage(window, WM_ERASEBKGND, PtrToWParam(dc.get()), 0) == 0;
    }
    return dc;
}

TDeviceContextPtr TPaintScheduler::GetDC(TWindow* window) {
    if (!m_system.IsWindow(window) || !window->TopLevel()->m_backBuffer)
        return NullContext(TDeviceContextKind::Client);
    TWindow* top = window->TopLevel();
    const core::TPoint off = window->OffsetInTopLevel();
    TDeviceContextPtr dc(new TDeviceContext(
        m_system, window->m_id, TDeviceContextKind::Client, top->m_backBuffer,
        {off.X + window->m_client.Left, off.Y + window->m_client.Top}, VisibleRegion(window, true)));
    dc->m_paintRect = window->ClientRect();
    return dc;
}

TDeviceContextPtr TPaintScheduler::GetWindowDC(TWindow* window) {
    if (!m_system.IsWindow(window) || !window->TopLevel()->m_backBuffer)
        return NullContext(TDeviceContextKind::Window);
    TWindow* top = window->TopLevel();
    TDeviceContextPtr dc(new TDeviceContext(m_system, window->m_id, TDeviceContextKind::Window,
                                            top->m_backBuffer, window->OffsetInTopLevel(),
                                            VisibleRegion(window, false)));
    dc->m_paintRect = {0, 0, window->Width(), window->Height()};
    return dc;
}

void TPaintScheduler::Present() {
    for (TWindow* top : m_system.Tree().TopLevels()) {
        if (top->m_dirty.IsEmpty()) continue;
        if (!top->m_native || !top->m_backBuffer || !top->IsVisible() || top->IsIconic()) {
            top->m_dirty.Clear();  // shown again later, it is painted whole
            continue;
        }
        const int scale = m_system.Scale();
        top->m_dirty.Intersect(
            core::TRect{0, 0, top->m_backBuffer->Width() / scale, top->m_backBuffer->Height() / scale});
        std::vector<core::TRect> rects = top->m_dirty.Rects();
        top->m_dirty.Clear();
        if (rects.empty()) continue;
        ++m_stats->Presents;
        m_stats->PresentedPixels += Area(gfx::TRegion(rects));
        for (core::TRect& r : rects) r = ToDevice(r, scale);
        top->m_native->Present(*top->m_backBuffer, rects);
    }
}

}  // namespace platform::ui
