#include "platform/forms/DragDrop.h"

#include <cstdlib>

#include "platform/forms/Form.h"
#include "platform/forms/WinControl.h"

namespace platform::forms {

TDragManager& TDragManager::Instance() {
    static TDragManager manager;
    return manager;
}

void TDragManager::Register(TControl* control, TDragHooks* hooks) { m_hooks[control] = hooks; }

void TDragManager::Unregister(TControl* control) {
    m_hooks.erase(control);
    if (m_target == control) {
        m_target = nullptr;
        m_accepted = false;
    }
    if (m_source == control) {
        m_source = nullptr;
        m_dragging = false;
    }
}

void TDragManager::Begin(TControl* source, TPoint screen, bool immediate) {
    if (Active() || !m_hooks.count(source)) return;
    m_source = source;
    m_start = screen;
    m_target = nullptr;
    m_accepted = false;
    m_dragging = false;
    m_savedCursor = source->Cursor();
    m_immediate = immediate;
    if (immediate) Move(screen);
}

TControl* TDragManager::HookedControlAt(TPoint screen) const {
    TWinControl* root = GetParentForm(m_source);
    if (!root) return nullptr;
    // Down through the children under the point, then back up to the nearest one with hooks.
    TControl* found = root;
    for (auto* w = dynamic_cast<TWinControl*>(found); w;) {
        const TPoint local = w->ScreenToClient(screen);
        if (!w->ClientRect().Contains(local)) break;
        TControl* child = w->ControlAtPos(local, false, true);
        if (!child) break;
        found = child;
        w = dynamic_cast<TWinControl*>(child);
    }
    const TPoint local = found->ScreenToClient(screen);
    if (found != root && !TRect{0, 0, found->Width(), found->Height()}.Contains(local)) return nullptr;
    for (TControl* c = found; c; c = c->Parent())
        if (m_hooks.count(c)) return c;
    return nullptr;
}

void TDragManager::Leave() {
    if (!m_target) return;
    TControl* target = m_target;
    m_target = nullptr;
    m_accepted = false;
    if (auto it = m_hooks.find(target); it != m_hooks.end() && it->second->OnDragOver) {
        bool accept = false;
        it->second->OnDragOver(target, m_source, 0, 0, dsDragLeave, accept);
    }
}

void TDragManager::Move(TPoint screen) {
    if (!m_source) return;
    if (!m_dragging) {
        const bool far = std::abs(screen.X - m_start.X) >= kThreshold || std::abs(screen.Y - m_start.Y) >= kThreshold;
        if (!far && !m_immediate) return;
        m_dragging = true;
        auto it = m_hooks.find(m_source);
        if (it != m_hooks.end() && it->second->OnStartDrag) it->second->OnStartDrag(m_source);
        if (!m_source) return;
    }
    TControl* target = HookedControlAt(screen);
    if (target != m_target) Leave();
    TDragState state = target == m_target ? dsDragMove : dsDragEnter;
    m_target = target;
    m_accepted = false;
    if (target) {
        auto it = m_hooks.find(target);
        bool accept = false;
        const TPoint local = target->ScreenToClient(screen);
        if (it != m_hooks.end() && it->second->OnDragOver)
            it->second->OnDragOver(target, m_source, local.X, local.Y, state, accept);
        m_accepted = accept;
    }
    if (!m_source) return;
    auto own = m_hooks.find(m_source);
    m_source->SetCursor(m_accepted && own != m_hooks.end() ? own->second->DragCursor : crNoDrop);
}

void TDragManager::Drop(TPoint screen) {
    if (!m_source) return;
    if (!m_dragging) {
        // It never became a drag: the press stays a click.
        m_source = nullptr;
        return;
    }
    Move(screen);
    TControl* target = m_accepted ? m_target : nullptr;
    if (target) {
        auto it = m_hooks.find(target);
        const TPoint local = target->ScreenToClient(screen);
        if (it != m_hooks.end() && it->second->OnDragDrop) it->second->OnDragDrop(target, m_source, local.X, local.Y);
    }
    Finish(target, screen);
}

void TDragManager::Cancel() {
    if (!m_source) return;
    if (!m_dragging) {
        m_source = nullptr;
        return;
    }
    Leave();
    Finish(nullptr, m_start);
}

void TDragManager::Finish(TControl* target, TPoint screen) {
    TControl* source = m_source;
    m_source = nullptr;
    m_target = nullptr;
    m_dragging = false;
    m_accepted = false;
    if (!source) return;
    source->SetCursor(m_savedCursor);
    auto it = m_hooks.find(source);
    if (it != m_hooks.end() && it->second->OnEndDrag) {
        const TPoint local = target ? target->ScreenToClient(screen) : TPoint{0, 0};
        it->second->OnEndDrag(source, target, local.X, local.Y);
    }
}

bool TDragManager::SourceMessage(TControl* source, const TMessage& m) {
    using namespace platform::ui;
    if (m_source != source) return false;
    switch (m.Msg) {
        case WM_MOUSEMOVE:
            Move(source->ClientToScreen(PointFromLParam(m.LParam)));
            return false;
        case WM_LBUTTONUP:
            Drop(source->ClientToScreen(PointFromLParam(m.LParam)));
            return false;
        case WM_CAPTURECHANGED:
            Cancel();
            return false;
        case WM_KEYDOWN:
            if (m.WParam != VK_ESCAPE) return false;
            Cancel();
            return true;
        default:
            return false;
    }
}

}  // namespace platform::forms
