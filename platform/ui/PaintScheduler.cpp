// Update regions, visible regions, the order of painting, and back buffers.

#include "platform/ui/PaintScheduler.h"

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

TPaintScheduler::TPaintScheduler(TWindowSystem& system)
    : m_system(system), m_stats(std::make_unique<TPaintStats>()) {}

TPaintScheduler::~TPaintScheduler() = default;

void TPaintScheduler::ResetStats() {
    *m_stats = {};
}

// ---- Regions -------------------------------------------------------------------------------------

gfx::TRegion TPaintScheduler::ShapeInTopLevel(const TWindow* window, bool clientOnly) const {
    const core::TPoint off = window->OffsetInTopLevel();
    gfx::TRegion shape(clientOnly ? window->m_client : core::TRect{0, 0, window->Width(), window->Height()});
    if (window->m_region) shape.Intersect(*window->m_region);
    shape.Offset(off.X, off.Y);
    return shape;
}

gfx::TRegion TPaintScheduler::VisibleRegion(const TWindow* window, bool clientOnly) const {
    if (!m_system.IsWindow(window) || !window->IsWindowVisible()) return {};
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

void TPaintScheduler::AddUpdate(TWindow* window, const gfx::TRegion& clientRegion, bool erase,
                                bool children) {
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

void TPaintScheduler::InvalidateInTopLevel(TWindow* topLevel, const gfx::TRegion& area) {
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

void TPaintScheduler::InvalidateWhere(TWindow* window) {
    const core::TPoint off = window->OffsetInTopLevel();
    InvalidateInTopLevel(window->TopLevel(),
                         gfx::TRegion(core::Bounds(off.X, off.Y, window->Width(), window->Height())));
}

void TPaintScheduler::InvalidateRect(TWindow* window, const core::TRect* clientRect, bool erase) {
    if (!m_system.IsWindow(window) || !window->IsWindowVisible()) return;
    AddUpdate(window, gfx::TRegion(clientRect ? *clientRect : window->ClientRect()), erase, true);
}

void TPaintScheduler::InvalidateRgn(TWindow* window, const gfx::TRegion& clientRegion, bool erase) {
    if (!m_system.IsWindow(window) || !window->IsWindowVisible()) return;
    AddUpdate(window, clientRegion, erase, true);
}

void TPaintScheduler::ValidateRect(TWindow* window, const core::TRect* clientRect) {
    if (!m_system.IsWindow(window)) return;
    if (!clientRect) {
        window->m_update.Clear();
        window->m_erase = false;
        return;
    }
    window->m_update.Subtract(*clientRect);
    if (window->m_update.IsEmpty()) window->m_erase = false;
}

void TPaintScheduler::RedrawFrame(TWindow* window) {
    if (m_system.IsWindow(window) && window->IsWindowVisible()) window->m_frameDirty = true;
}

void TPaintScheduler::RedrawAll(TWindow* window) {
    if (!m_system.IsWindow(window) || !window->IsWindowVisible()) return;
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

bool TPaintScheduler::GetUpdateRect(TWindow* window, core::TRect& clientRect) const {
    if (!m_system.IsWindow(window)) return false;
    clientRect = window->m_update.Box();
    return !window->m_update.IsEmpty();
}

// ---- The order of painting -------------------------------------------------------------------------

TWindow* TPaintScheduler::FindPaintTarget(TWindow* root) const {
    if (!root->IsVisible()) return nullptr;
    if (root->m_frameDirty || !root->m_update.IsEmpty()) return root;
    // Bottom of the z-order first: parents and lower siblings paint before what covers them.
    for (auto it = root->m_children.rbegin(); it != root->m_children.rend(); ++it)
        if (TWindow* t = FindPaintTarget(*it)) return t;
    return nullptr;
}

bool TPaintScheduler::PaintNext(TWindow* root, TMessage& msg) {
    if (root->m_messageOnly || root->IsIconic()) return false;
    // Each round either returns or clears one frame flag; a frame painter that marks its own
    // frame again cannot keep the loop here for ever.
    for (std::size_t rounds = 0; rounds < m_system.Tree().Count() + 1; ++rounds) {
        TWindow* t = FindPaintTarget(root);
        if (!t) return false;
        if (t->m_frameDirty) {
            SendNcPaint(t);
            if (!m_system.IsWindow(t) || !m_system.IsWindow(root)) return false;
        }
        if (!t->m_update.IsEmpty()) {
            msg = {t, WM_PAINT, 0, 0, m_system.Now(), m_system.GetCursorPos()};
            return true;
        }
    }
    return false;
}

TLResult TPaintScheduler::DispatchPaint(const TMessage& msg) {
    TWindow* w = msg.Window;
    ++m_stats->PaintMessages;
    w->m_beganPaint = false;
    const TLResult r = m_system.Tree().CallProc(*w, WM_PAINT, msg.WParam, msg.LParam);
    // A procedure that did not paint would be asked again for ever: validate its window.
    if (m_system.IsWindow(w) && !w->m_beganPaint) ValidateRect(w, nullptr);
    return r;
}

void TPaintScheduler::SendNcPaint(TWindow* window) {
    window->m_frameDirty = false;
    const core::TRect whole{0, 0, window->Width(), window->Height()};
    if (window->m_client == whole) return;  // no frame to paint
    gfx::TRegion frame(whole);
    frame.Subtract(window->m_client);
    ++m_stats->NcPaintMessages;
    m_system.SendMessage(window, WM_NCPAINT, PtrToWParam(&frame), 0);
}

void TPaintScheduler::UpdateWindow(TWindow* window) {
    if (!m_system.IsWindow(window)) return;
    TWindow* root = window;
    for (std::size_t rounds = 0; rounds < 4 * (m_system.Tree().Count() + 1); ++rounds) {
        if (!m_system.IsWindow(root)) break;
        TMessage msg;
        if (!PaintNext(root, msg)) break;
        m_system.DispatchMessage(msg);
    }
    Present();
}

// ---- Back buffers ----------------------------------------------------------------------------------

void TPaintScheduler::EnsureBackBuffer(TWindow* topLevel) {
    if (topLevel->m_messageOnly) return;
    const int w = std::max(0, topLevel->Width()) * m_system.Scale();
    const int h = std::max(0, topLevel->Height()) * m_system.Scale();
    if (!topLevel->m_backBuffer) {
        topLevel->m_backBuffer = std::make_shared<gfx::TBitmap>(w, h);
    } else if (topLevel->m_backBuffer->Width() != w || topLevel->m_backBuffer->Height() != h) {
        // A hidden window is redrawn whole when it is shown, so its old pixels need not be kept:
        // freeing them first keeps one buffer alive instead of two while a form sizes itself
        // during its load.
        if (!topLevel->IsWindowVisible()) topLevel->m_backBuffer->Clear();
        topLevel->m_backBuffer->SetSize(w, h);
    }
}

void TPaintScheduler::AddDirty(TWindow* topLevel, const gfx::TRegion& bufferRegion) {
    topLevel->m_dirty.Union(bufferRegion);
}

const gfx::TBitmap* TPaintScheduler::BackBuffer(const TWindow* topLevel) const {
    if (!m_system.IsWindow(topLevel) || topLevel->m_parent) return nullptr;
    return topLevel->m_backBuffer.get();
}

}  // namespace platform::ui
