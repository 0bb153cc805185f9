// Creation and destruction of windows, the window registry, sending messages, timers.

#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <stdexcept>

#include "platform/core/Clock.h"
#include "platform/gfx/Bitmap.h"

namespace platform::ui {

namespace {
TWindowSystem* g_current = nullptr;
}

TWindowSystem::TWindowSystem(std::unique_ptr<TBackend> backend) : m_backend(std::move(backend)) {
    if (!m_backend) throw std::invalid_argument("TWindowSystem needs a backend");
    if (g_current) throw std::logic_error("a window system is already running");
    g_current = this;
    TBackend* b = m_backend.get();
    core::SetTickSource([b] { return b->Now(); });
}

TWindowSystem::~TWindowSystem() {
    // Owners first, so that owned windows go with them; then whatever is left.
    for (;;) {
        TWindow* victim = nullptr;
        for (auto& [id, w] : m_windows)
            if (!w->m_parent && !w->m_destroying && (!victim || w->m_id < victim->m_id)) victim = w.get();
        if (!victim) break;
        DestroyWindow(victim);
    }
    m_zombies.clear();
    core::SetTickSource({});
    g_current = nullptr;
}

TWindowSystem* TWindowSystem::Current() {
    return g_current;
}

TWindowSystem& TWindowSystem::Instance() {
    if (!g_current) throw std::logic_error("no window system is running");
    return *g_current;
}

uint64_t TWindowSystem::Now() const {
    return m_backend->Now();
}

bool TWindowSystem::IsWindow(const TWindow* window) const {
    return window && m_alive.count(window) != 0;
}

TWindow* TWindowSystem::FindWindow(uint64_t id) const {
    return Resolve(id);
}

TWindow* TWindowSystem::Resolve(uint64_t id) const {
    auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : it->second.get();
}

TWindow* TWindowSystem::CreateWindow(const TCreateParams& params) {
    TWindow* parent = params.Parent;
    if (parent && (!IsWindow(parent) || parent->m_destroying)) return nullptr;
    if ((params.Style & WS_CHILD) && !parent) return nullptr;
    if (params.MessageOnly && parent) return nullptr;

    const uint64_t id = m_nextId++;
    auto owned = std::unique_ptr<TWindow>(new TWindow(*this, id));
    TWindow* w = owned.get();
    w->m_parent = parent;
    if (!parent && params.Owner && IsWindow(params.Owner)) w->m_owner = params.Owner->TopLevel();
    w->m_style = params.Style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w->m_exStyle = params.ExStyle;
    w->m_classStyle = params.ClassStyle;
    w->m_text = params.Text;
    if (params.WndProc) w->m_proc = std::make_shared<const TWndProc>(params.WndProc);
    w->m_userData = params.UserData;
    w->m_messageOnly = params.MessageOnly;
    core::TRect r = params.Bounds;
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    w->m_rect = r;
    w->m_client = {0, 0, r.Width(), r.Height()};

    m_windows.emplace(id, std::move(owned));
    m_alive.insert(w);
    if (parent) {
        parent->m_children.insert(parent->m_children.begin(), w);
    } else if (!w->m_messageOnly) {
        TNativeWindowParams np;
        np.Bounds = r;
        np.Title = w->m_text;
        np.Popup = (w->m_exStyle & WS_EX_NOACTIVATE) != 0;
        np.ToolWindow = (w->m_exStyle & WS_EX_TOOLWINDOW) != 0;
        np.Topmost = (w->m_exStyle & WS_EX_TOPMOST) != 0;
        np.Owner = w->m_owner ? w->m_owner->m_native : 0;
        w->m_native = m_backend->CreateNativeWindow(np);
        if (w->m_native) m_byNative[w->m_native] = w;
        m_topLevels.push_back(w);
        RaiseTopLevel(w);
        EnsureBackBuffer(w);
    }

    if (SendMessage(w, WM_NCCREATE, 0, PtrToLParam(&params)) == 0) {
        DestroyWindow(w);
        return nullptr;
    }
    if (!IsWindow(w)) return nullptr;
    w->m_client = CalcClientArea(w, w->m_rect);
    if (SendMessage(w, WM_CREATE, 0, PtrToLParam(&params)) == -1) {
        DestroyWindow(w);
        return nullptr;
    }
    if (!IsWindow(w) || w->m_destroying) return nullptr;
    w->m_created = true;
    SendMessage(w, WM_SIZE, SIZE_RESTORED, MakeLParam(w->m_client.Width(), w->m_client.Height()));
    SendMessage(w, WM_MOVE, 0,
                MakeLParam(w->m_rect.Left + (parent ? 0 : w->m_client.Left),
                           w->m_rect.Top + (parent ? 0 : w->m_client.Top)));
    if (!IsWindow(w)) return nullptr;
    if ((params.Style & WS_VISIBLE) && !w->m_messageOnly)
        ShowWindow(w, (w->m_exStyle & WS_EX_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    return IsWindow(w) ? w : nullptr;
}

bool TWindowSystem::DestroyWindow(TWindow* window) {
    if (!IsWindow(window) || window->m_destroying) return false;
    const uint64_t id = window->m_id;

    // Owned top-level windows go first, as on the platform.
    std::vector<TWindow*> owned;
    for (TWindow* t : m_topLevels)
        if (t->m_owner == window) owned.push_back(t);
    for (auto& [oid, w] : m_windows)
        if (w->m_owner == window && w->m_messageOnly) owned.push_back(w.get());
    for (TWindow* t : owned) DestroyWindow(t);
    if (!IsWindow(window) || window->m_destroying) return false;

    std::vector<TWindow*> subtree{window};
    for (std::size_t i = 0; i < subtree.size(); ++i)
        for (TWindow* c : subtree[i]->m_children) subtree.push_back(c);
    for (TWindow* w : subtree) w->m_destroying = true;

    if (m_moveSize.WindowId == id) EndMoveSize(true);
    if (window->IsVisible()) {
        if (window->m_parent) {
            const core::TPoint off = window->OffsetInTopLevel();
            window->m_style &= ~WS_VISIBLE;
            InvalidateInTopLevel(window->TopLevel(),
                                 gfx::TRegion(core::Bounds(off.X, off.Y, window->Width(), window->Height())));
        } else {
            window->m_style &= ~WS_VISIBLE;
            if (window->m_native) m_backend->SetVisible(window->m_native, false);
        }
    }
    if (m_active == window) ActivateNextAfter(window);
    if (window->Contains(m_focus)) {
        TWindow* f = m_focus;
        m_focus = nullptr;
        SendMessage(f, WM_KILLFOCUS, 0, 0);
    }
    if (window->Contains(m_capture)) ReleaseCapture();
    if (window->Contains(m_hover)) m_hover = nullptr;

    SendDestroyMessages(window, false);
    SendDestroyMessages(window, true);
    if (Resolve(id) != window) return true;  // already gone through a nested call
    DestroyTree(window);
    return true;
}

void TWindowSystem::SendDestroyMessages(TWindow* window, bool nc) {
    if (!IsWindow(window)) return;
    if (!nc) SendMessage(window, WM_DESTROY, 0, 0);
    const std::vector<TWindow*> children = window->m_children;
    for (TWindow* c : children) SendDestroyMessages(c, nc);
    if (nc) SendMessage(window, WM_NCDESTROY, 0, 0);
}

void TWindowSystem::DestroyTree(TWindow* window) {
    Unlink(window);
    std::vector<TWindow*> subtree{window};
    for (std::size_t i = 0; i < subtree.size(); ++i)
        for (TWindow* c : subtree[i]->m_children) subtree.push_back(c);
    // Children first, so that no freed window is still referenced by a live one.
    for (auto it = subtree.rbegin(); it != subtree.rend(); ++it) ForgetWindow(*it);
}

void TWindowSystem::Unlink(TWindow* window) {
    if (TWindow* p = window->m_parent) {
        std::erase(p->m_children, window);
    } else {
        std::erase(m_topLevels, window);
    }
}

void TWindowSystem::ForgetWindow(TWindow* w) {
    m_timers.KillAll(w->m_id);
    if (m_capture == w) m_capture = nullptr;
    if (m_focus == w) m_focus = nullptr;
    if (m_active == w) m_active = nullptr;
    if (m_hover == w) m_hover = nullptr;
    if (m_lastClick.WindowId == w->m_id) m_lastClick = {};
    if (m_moveSize.WindowId == w->m_id) m_moveSize = {};
    for (TWindow* t : m_topLevels)
        if (t->m_owner == w) t->m_owner = nullptr;
    if (w->m_native) {
        m_byNative.erase(w->m_native);
        m_backend->DestroyNativeWindow(w->m_native);
        w->m_native = 0;
    }
    w->m_children.clear();
    w->m_parent = nullptr;
    w->m_owner = nullptr;
    m_alive.erase(w);
    auto it = m_windows.find(w->m_id);
    if (it == m_windows.end()) return;
    std::unique_ptr<TWindow> owned = std::move(it->second);
    m_windows.erase(it);
    if (owned->m_busy > 0) m_zombies.push_back(std::move(owned));
}

void TWindowSystem::Release(TWindow* window) {
    std::erase_if(m_zombies, [window](const std::unique_ptr<TWindow>& z) { return z.get() == window; });
}

TLResult TWindowSystem::CallProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam) {
    ++window.m_busy;
    TLResult result;
    if (window.m_proc) {
        const std::shared_ptr<const TWndProc> proc = window.m_proc;
        result = (*proc)(window, msg, wParam, lParam);
    } else {
        result = DefWindowProc(window, msg, wParam, lParam);
    }
    if (--window.m_busy == 0 && !m_alive.count(&window)) Release(&window);
    return result;
}

TLResult TWindowSystem::SendMessage(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    if (!IsWindow(window)) return 0;
    return CallProc(*window, msg, wParam, lParam);
}

bool TWindowSystem::SetTimer(TWindow* window, uintptr_t timerId, uint32_t intervalMs) {
    if (!IsWindow(window) || window->m_destroying) return false;
    m_timers.Set(window->m_id, timerId, intervalMs, Now());
    return true;
}

bool TWindowSystem::KillTimer(TWindow* window, uintptr_t timerId) {
    if (!IsWindow(window)) return false;
    return m_timers.Kill(window->m_id, timerId);
}

TLResult SendMessage(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    TWindowSystem* ws = TWindowSystem::Current();
    return ws ? ws->SendMessage(window, msg, wParam, lParam) : 0;
}

bool PostMessage(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    TWindowSystem* ws = TWindowSystem::Current();
    return ws && ws->PostMessage(window, msg, wParam, lParam);
}

TLResult DefWindowProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam) {
    return TWindowSystem::DefWindowProc(window, msg, wParam, lParam);
}

}  // namespace platform::ui
