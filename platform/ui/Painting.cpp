// Update regions, visible regions, paint and window contexts, presenting the painted areas.

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {

uint64_t Area(const gfx::TRegion& region) {
    uint64_t area = 0;
    for (const core::TRect& r : region.Rects())
        area += static_cast<uint64_t>(r.Width()) * static_cast<uint64_t>(r.Height());
    return area;
}

// A context that draws nothing, for dead or message-only windows.
std::shared_ptr<gfx::TBitmap> NullBuffer() {
    static const std::shared_ptr<gfx::TBitmap> buffer = std::make_shared<gfx::TBitmap>(1, 1);
    return buffer;
}

}  // namespace

// ---- Device contexts ---------------------------------------------------------------------------

TDeviceContext::TDeviceContext(TWindowSystem& system, uint64_t windowId, TDeviceContextKind kind,
                               std::shared_ptr<gfx::TBitmap> buffer, core::TPoint origin, gfx::TRegion clip)
    : m_system(&system),
      m_windowId(windowId),
      m_kind(kind),
      m_buffer(std::move(buffer)),
      m_clip(std::move(clip)) {
    m_canvas = std::make_unique<gfx::TCanvas>(*m_buffer);
    m_canvas->SetDeviceOrigin(origin);
    m_canvas->SetDeviceClip(m_clip);
}

TDeviceContext::~TDeviceContext() {
    if (TWindowSystem::Current() == m_system) m_system->EndContext(*this);
}

TWindow* TDeviceContext::Window() const {
    if (TWindowSystem::Current() != m_system) return nullptr;
    return m_system->Resolve(m_windowId);
}

void TWindowSystem::EndContext(TDeviceContext& dc) {
    TWindow* w = Resolve(dc.m_windowId);
    if (!w || dc.m_clip.IsEmpty()) return;
    TWindow* top = w->TopLevel();
    if (top->m_backBuffer == dc.m_buffer) AddDirty(top, dc.m_clip);
}

// ---- Regions -------------------------------------------------------------------------------------

gfx::TRegion TWindowSystem::ShapeInTopLevel(const TWindow* window, bool clientOnly) const {
    const core::TPoint off = window->OffsetInTopLevel();
    gfx::TRegion shape(clientOnly ? window->m_client : core::TRect{0, 0, window->Width(), window->Height()});
    if (window->m_region) shape.Intersect(*window->m_region);
    shape.Offset(off.X, off.Y);
    return shape;
}

gfx::TRegion TWindowSystem::VisibleRegion(const TWindow* window, bool clientOnly) const {
    if (!IsWindow(window) || !window->IsWindowVisible()) return {};
    gfx::TRegion visible = ShapeInTopLevel(window, clientOnly);
    for (const TWindow* c = window; c->m_parent && !visible.IsEmpty(); c = c->m_parent) {
        const TWindow* p = c->m_parent;
        visible.Intersect(ShapeInTopLevel(p, true));
        for (const TWindow* sibling : p->m_children) {
            if (sibling == c) break;
            if (sibling->IsVisible()) visible.Subtract(ShapeInTopLevel(sibling, false));
        }
    }
    if (window->m_style & WS_CLIPCHILDREN) {
        for (const TWindow* child : window->m_children)
            if (child->IsVisible()) visible.Subtract(ShapeInTopLevel(child, false));
    }
    const TWindow* top = window->TopLevel();
    visible.Intersect(core::TRect{0, 0, top->Width(), top->Height()});
    return visible;
}

// ---- Invalidation --------------------------------------------------------------------------------

void TWindowSystem::AddUpdate(TWindow* window, const gfx::TRegion& clientRegion, bool erase, bool children) {
    gfx::TRegion r = clientRegion;
    r.Intersect(window->ClientRect());
    if (r.IsEmpty()) return;
    window->m_update.Union(r);
    if (erase) window->m_erase = true;
    if (!children || (window->m_style & WS_CLIPCHILDREN)) return;
    // The parent paints under its children without clipping them, so they paint again there.
    for (TWindow* child : window->m_children) {
        if (!child->IsVisible()) continue;
        gfx::TRegion inChild = r;
        inChild.Offset(-child->m_rect.Left, -child->m_rect.Top);
        inChild.Intersect(core::TRect{0, 0, child->Width(), child->Height()});
        if (inChild.IsEmpty()) continue;
        gfx::TRegion frame = inChild;
        frame.Subtract(child->m_client);
        if (!frame.IsEmpty()) child->m_frameDirty = true;
        inChild.Offset(-child->m_client.Left, -child->m_client.Top);
        AddUpdate(child, inChild, erase, true);
    }
}

void TWindowSystem::InvalidateInTopLevel(TWindow* topLevel, const gfx::TRegion& area) {
    std::vector<TWindow*> stack{topLevel};
    while (!stack.empty()) {
        TWindow* w = stack.back();
        stack.pop_back();
        if (!w->IsVisible()) continue;
        const core::TPoint off = w->OffsetInTopLevel();
        gfx::TRegion mine = area;
        mine.Offset(-off.X, -off.Y);
        mine.Intersect(core::TRect{0, 0, w->Width(), w->Height()});
        if (mine.IsEmpty()) continue;
        gfx::TRegion frame = mine;
        frame.Subtract(w->m_client);
        if (!frame.IsEmpty()) w->m_frameDirty = true;
        mine.Offset(-w->m_client.Left, -w->m_client.Top);
        AddUpdate(w, mine, true, false);
        for (TWindow* c : w->m_children) stack.push_back(c);
    }
}

void TWindowSystem::InvalidateRect(TWindow* window, const core::TRect* clientRect, bool erase) {
    if (!IsWindow(window) || !window->IsWindowVisible()) return;
    AddUpdate(window, gfx::TRegion(clientRect ? *clientRect : window->ClientRect()), erase, true);
}

void TWindowSystem::InvalidateRgn(TWindow* window, const gfx::TRegion& clientRegion, bool erase) {
    if (!IsWindow(window) || !window->IsWindowVisible()) return;
    AddUpdate(window, clientRegion, erase, true);
}

void TWindowSystem::ValidateRect(TWindow* window, const core::TRect* clientRect) {
    if (!IsWindow(window)) return;
    if (!clientRect) {
        window->m_update.Clear();
        window->m_erase = false;
        return;
    }
    window->m_update.Subtract(*clientRect);
    if (window->m_update.IsEmpty()) window->m_erase = false;
}

void TWindowSystem::RedrawFrame(TWindow* window) {
    if (IsWindow(window) && window->IsWindowVisible()) window->m_frameDirty = true;
}

void TWindowSystem::RedrawAll(TWindow* window) {
    if (!IsWindow(window) || !window->IsWindowVisible()) return;
    std::vector<TWindow*> stack{window};
    while (!stack.empty()) {
        TWindow* w = stack.back();
        stack.pop_back();
        if (!w->IsVisible()) continue;
        w->m_frameDirty = true;
        AddUpdate(w, gfx::TRegion(w->ClientRect()), true, false);
        for (TWindow* c : w->m_children) stack.push_back(c);
    }
}

bool TWindowSystem::GetUpdateRect(TWindow* window, core::TRect& clientRect) const {
    if (!IsWindow(window)) return false;
    clientRect = window->m_update.Box();
    return !window->m_update.IsEmpty();
}

// ---- Painting ------------------------------------------------------------------------------------

TWindow* TWindowSystem::FindPaintTarget(TWindow* root) const {
    if (!root->IsVisible()) return nullptr;
    if (root->m_frameDirty || !root->m_update.IsEmpty()) return root;
    // Bottom of the z-order first: parents and lower siblings paint before what covers them.
    for (auto it = root->m_children.rbegin(); it != root->m_children.rend(); ++it)
        if (TWindow* t = FindPaintTarget(*it)) return t;
    return nullptr;
}

bool TWindowSystem::PaintNext(TWindow* root, TMessage& msg) {
    if (root->m_messageOnly || root->IsIconic()) return false;
    // Each round either returns or clears one frame flag; a frame painter that marks its own
    // frame again cannot keep the loop here for ever.
    for (std::size_t rounds = 0; rounds < m_windows.size() + 1; ++rounds) {
        TWindow* t = FindPaintTarget(root);
        if (!t) return false;
        if (t->m_frameDirty) {
            SendNcPaint(t);
            if (!IsWindow(t) || !IsWindow(root)) return false;
        }
        if (!t->m_update.IsEmpty()) {
            msg = {t, WM_PAINT, 0, 0, Now(), GetCursorPos()};
            return true;
        }
    }
    return false;
}

void TWindowSystem::SendNcPaint(TWindow* window) {
    window->m_frameDirty = false;
    const core::TRect whole{0, 0, window->Width(), window->Height()};
    if (window->m_client == whole) return;  // no frame to paint
    gfx::TRegion frame(whole);
    frame.Subtract(window->m_client);
    ++m_stats.NcPaintMessages;
    SendMessage(window, WM_NCPAINT, PtrToWParam(&frame), 0);
}

void TWindowSystem::UpdateWindow(TWindow* window) {
    if (!IsWindow(window)) return;
    TWindow* root = window;
    for (std::size_t rounds = 0; rounds < 4 * (m_windows.size() + 1); ++rounds) {
        if (!IsWindow(root)) break;
        TMessage msg;
        if (!PaintNext(root, msg)) break;
        DispatchMessage(msg);
    }
    Present();
}

void TWindowSystem::EnsureBackBuffer(TWindow* topLevel) {
    if (topLevel->m_messageOnly) return;
    const int w = std::max(0, topLevel->Width());
    const int h = std::max(0, topLevel->Height());
    if (!topLevel->m_backBuffer) {
        topLevel->m_backBuffer = std::make_shared<gfx::TBitmap>(w, h);
    } else if (topLevel->m_backBuffer->Width() != w || topLevel->m_backBuffer->Height() != h) {
        topLevel->m_backBuffer->SetSize(w, h);
    }
}

TDeviceContextPtr TWindowSystem::BeginPaint(TWindow* window) {
    if (!IsWindow(window) || !window->TopLevel()->m_backBuffer)
        return TDeviceContextPtr(
            new TDeviceContext(*this, 0, TDeviceContextKind::Paint, NullBuffer(), {}, {}));
    TWindow* top = window->TopLevel();
    EnsureBackBuffer(top);
    gfx::TRegion update = window->m_update;
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

    TDeviceContextPtr dc(
        new TDeviceContext(*this, window->m_id, TDeviceContextKind::Paint, top->m_backBuffer, origin, clip));
    dc->m_paintRect = update.Box();
    m_stats.PaintedPixels += Area(clip);
    if (erase && !clip.IsEmpty()) {
        ++m_stats.EraseMessages;
        dc->m_erase = SendMessage(window, WM_ERASEBKGND, PtrToWParam(dc.get()), 0) == 0;
    }
    return dc;
}

TDeviceContextPtr TWindowSystem::GetDC(TWindow* window) {
    if (!IsWindow(window) || !window->TopLevel()->m_backBuffer)
        return TDeviceContextPtr(
            new TDeviceContext(*this, 0, TDeviceContextKind::Client, NullBuffer(), {}, {}));
    TWindow* top = window->TopLevel();
    const core::TPoint off = window->OffsetInTopLevel();
    TDeviceContextPtr dc(new TDeviceContext(
        *this, window->m_id, TDeviceContextKind::Client, top->m_backBuffer,
        {off.X + window->m_client.Left, off.Y + window->m_client.Top}, VisibleRegion(window, true)));
    dc->m_paintRect = window->ClientRect();
    return dc;
}

TDeviceContextPtr TWindowSystem::GetWindowDC(TWindow* window) {
    if (!IsWindow(window) || !window->TopLevel()->m_backBuffer)
        return TDeviceContextPtr(
            new TDeviceContext(*this, 0, TDeviceContextKind::Window, NullBuffer(), {}, {}));
    TWindow* top = window->TopLevel();
    TDeviceContextPtr dc(new TDeviceContext(*this, window->m_id, TDeviceContextKind::Window,
                                            top->m_backBuffer, window->OffsetInTopLevel(),
                                            VisibleRegion(window, false)));
    dc->m_paintRect = {0, 0, window->Width(), window->Height()};
    return dc;
}

void TWindowSystem::AddDirty(TWindow* window, const gfx::TRegion& bufferRegion) {
    window->m_dirty.Union(bufferRegion);
}

void TWindowSystem::Present() {
    for (TWindow* top : m_topLevels) {
        if (top->m_dirty.IsEmpty()) continue;
        if (!top->m_native || !top->m_backBuffer || !top->IsVisible() || top->IsIconic()) {
            top->m_dirty.Clear();  // shown again later, it is painted whole
            continue;
        }
        top->m_dirty.Intersect(core::TRect{0, 0, top->m_backBuffer->Width(), top->m_backBuffer->Height()});
        const std::vector<core::TRect> rects = top->m_dirty.Rects();
        top->m_dirty.Clear();
        if (rects.empty()) continue;
        ++m_stats.Presents;
        m_stats.PresentedPixels += Area(gfx::TRegion(rects));
        m_backend->Present(top->m_native, *top->m_backBuffer, rects);
    }
}

const gfx::TBitmap* TWindowSystem::BackBuffer(const TWindow* topLevel) const {
    if (!IsWindow(topLevel) || topLevel->m_parent) return nullptr;
    return topLevel->m_backBuffer.get();
}

}  // namespace platform::ui
