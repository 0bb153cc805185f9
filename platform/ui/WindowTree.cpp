// Creation and destruction of windows, the registry of live windows, the z-order of top-level
// windows, and calling window procedures.

#include "platform/ui/WindowTree.h"

#include <algorithm>

#include "platform/ui/FocusManager.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/MoveSizeLoop.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/PaintScheduler.h"
#include "platform/ui/ScreenScale.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

TWindowTree::~TWindowTree() = default;

void TWindowTree::DestroyAll() {
    // Owners first, so that owned windows go with them; then whatever is left.
    for (;;) {
        TWindow* victim = nullptr;
        for (auto& [id, w] : m_windows)
            if (!w->m_parent && !w->m_destroying && (!victim || w->m_id < victim->m_id)) victim = w.get();
        if (!victim) break;
        Destroy(victim);
    }
    m_zombies.clear();
}

TWindow* TWindowTree::Find(uint64_t id) const {
    auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : it->second.get();
}

TWindow* TWindowTree::Create(const TCreateParams& params) {
    TWindow* parent = params.Parent;
    if (parent && (!IsWindow(parent) || parent->m_destroying)) return nullptr;
    if ((params.Style & WS_CHILD) && !parent) return nullptr;
    if (params.MessageOnly && parent) return nullptr;

    TWindow* w = NewWindow(params);
    if (parent) {
        parent->m_children.insert(parent->m_children.begin(), w);
    } else if (!w->m_messageOnly) {
        OpenNative(w);
    }
    if (!SendCreateMessages(w, params)) return nullptr;
    if ((params.Style & WS_VISIBLE) && !w->m_messageOnly)
        m_system.ShowWindow(w, (w->m_exStyle & WS_EX_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    return IsWindow(w) ? w : nullptr;
}

TWindow* TWindowTree::NewWindow(const TCreateParams& params) {
    const uint64_t id = m_nextId++;
    auto owned = std::unique_ptr<TWindow>(new TWindow(m_system, id));
    TWindow* w = owned.get();
    w->m_parent = params.Parent;
    if (!params.Parent && params.Owner && IsWindow(params.Owner)) w->m_owner = params.Owner->TopLevel();
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
    return w;
}

void TWindowTree::OpenNative(TWindow* w) {
    TNativeWindowParams np;
    np.Bounds = ToDevice(w->m_rect, m_system.Scale());
    np.Title = w->m_text;
    np.Popup = (w->m_exStyle & WS_EX_NOACTIVATE) != 0;
    np.ToolWindow = (w->m_exStyle & WS_EX_TOOLWINDOW) != 0;
    np.Topmost = (w->m_exStyle & WS_EX_TOPMOST) != 0;
    np.Owner = w->m_owner ? w->m_owner->NativeId() : 0;
    w->m_native = m_system.Backend().OpenWindow(np);
    if (w->m_native) w->m_native->SetClient(w);
    m_topLevels.push_back(w);
    RaiseTopLevel(w);
    m_system.Painter().EnsureBackBuffer(w);
}

bool TWindowTree::SendCreateMessages(TWindow* w, const TCreateParams& params) {
    if (m_system.SendMessage(w, WM_NCCREATE, 0, PtrToLParam(&params)) == 0) {
        Destroy(w);
        return false;
    }
    if (!IsWindow(w)) return false;
    w->m_client = m_system.Placement().CalcClientArea(w, w->m_rect);
    if (m_system.SendMessage(w, WM_CREATE, 0, PtrToLParam(&params)) == -1) {
        Destroy(w);
        return false;
    }
    if (!IsWindow(w) || w->m_destroying) return false;
    w->m_created = true;
    const bool child = w->m_parent != nullptr;
    m_system.SendMessage(w, WM_SIZE, SIZE_RESTORED, MakeLParam(w->m_client.Width(), w->m_client.Height()));
    m_system.SendMessage(w, WM_MOVE, 0,
                         MakeLParam(w->m_rect.Left + (child ? 0 : w->m_client.Left),
                                    w->m_rect.Top + (child ? 0 : w->m_client.Top)));
    return IsWindow(w);
}

bool TWindowTree::Destroy(TWindow* window) {
    if (!IsWindow(window) || window->m_destroying) return false;
    const uint64_t id = window->m_id;
    DestroyOwned(window);
    if (!IsWindow(window) || window->m_destroying) return false;

    std::vector<TWindow*> subtree{window};
    for (std::size_t i = 0; i < subtree.size(); ++i)
        for (TWindow* c : subtree[i]->m_children) subtree.push_back(c);
    for (TWindow* w : subtree) w->m_destroying = true;

    Withdraw(window);
    SendDestroyMessages(window, false);
    SendDestroyMessages(window, true);
    if (Find(id) != window) return true;  // already gone through a nested call
    DestroyTree(window);
    return true;
}

void TWindowTree::DestroyOwned(TWindow* window) {
    // Owned top-level windows go first.
    std::vector<TWindow*> owned;
    for (TWindow* t : m_topLevels)
        if (t->m_owner == window) owned.push_back(t);
    for (auto& [oid, w] : m_windows)
        if (w->m_owner == window && w->m_messageOnly) owned.push_back(w.get());
    for (TWindow* t : owned) Destroy(t);
}

void TWindowTree::Withdraw(TWindow* window) {
    if (m_system.MoveSize().WindowId() == window->m_id) m_system.MoveSize().End(true);
    if (window->IsVisible()) {
        if (window->m_parent) {
            window->m_style &= ~WS_VISIBLE;
            m_system.Painter().InvalidateWhere(window);
        } else {
            window->m_style &= ~WS_VISIBLE;
            if (window->m_native) window->m_native->SetVisible(false);
        }
    }
    if (m_system.Focus().Active() == window) m_system.Focus().ActivateNextAfter(window);
    m_system.Focus().Withdraw(window);
    m_system.Input().Withdraw(window);
}

void TWindowTree::SendDestroyMessages(TWindow* window, bool nc) {
    if (!IsWindow(window)) return;
    if (!nc) m_system.SendMessage(window, WM_DESTROY, 0, 0);
    const std::vector<TWindow*> children = window->m_children;
    for (TWindow* c : children) SendDestroyMessages(c, nc);
    if (nc) m_system.SendMessage(window, WM_NCDESTROY, 0, 0);
}

void TWindowTree::DestroyTree(TWindow* window) {
    Unlink(window);
    std::vector<TWindow*> subtree{window};
    for (std::size_t i = 0; i < subtree.size(); ++i)
        for (TWindow* c : subtree[i]->m_children) subtree.push_back(c);
    // Children first, so that no freed window is still referenced by a live one.
    for (auto it = subtree.rbegin(); it != subtree.rend(); ++it) Forget(*it);
}

void TWindowTree::Unlink(TWindow* window) {
    if (TWindow* p = window->m_parent) {
        std::erase(p->m_children, window);
    } else {
        std::erase(m_topLevels, window);
    }
}

void TWindowTree::Forget(TWindow* w) {
    m_system.Queue().Timers().KillAll(w->m_id);
    m_system.Input().Forget(w);
    m_system.Focus().Forget(w);
    m_system.MoveSize().Forget(w);
    for (TWindow* t : m_topLevels)
        if (t->m_owner == w) t->m_owner = nullptr;
    if (w->m_native) {
        m_system.Queue().ForgetNative(w->m_native.get());
        w->m_native.reset();
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

void TWindowTree::RaiseTopLevel(TWindow* window) {
    auto isTopmost = [](const TWindow* w) { return (w->m_exStyle & WS_EX_TOPMOST) != 0; };
    std::erase(m_topLevels, window);
    auto at = m_topLevels.begin();
    if (!isTopmost(window))
        while (at != m_topLevels.end() && isTopmost(*at)) ++at;
    m_topLevels.insert(at, window);
    if (window->m_native && window->IsVisible()) window->m_native->Raise();
    // Owned windows stay above their owner.
    std::vector<TWindow*> owned;
    for (TWindow* t : m_topLevels)
        if (t->m_owner == window && t != window) owned.push_back(t);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) RaiseTopLevel(*it);
}

void TWindowTree::LowerTopLevel(TWindow* window) {
    std::erase(m_topLevels, window);
    m_topLevels.push_back(window);
}

TLResult TWindowTree::CallProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam) {
    ++window.m_busy;
    TLResult result;
    if (window.m_proc) {
        const std::shared_ptr<const TWndProc> proc = window.m_proc;
        result = (*proc)(window, msg, wParam, lParam);
    } else {
        result = TNonClient::DefWindowProc(window, msg, wParam, lParam);
    }
    if (--window.m_busy == 0 && !m_alive.count(&window))
        std::erase_if(m_zombies, [&window](const std::unique_ptr<TWindow>& z) { return z.get() == &window; });
    return result;
}

}  // namespace platform::ui
