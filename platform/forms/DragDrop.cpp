#include "platform/forms/DragDrop.h"

#include <cstdlib>

#include "platform/forms/WinControl.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

TDragManager& TDragManager::Instance() {
    static TDragManager manager;
    return manager;
}

void TDragManager::ControlDestroying(TControl* control) {
    if (m_target == control) {
        m_target = nullptr;
        m_accepted = false;
    }
    if (m_source == control) {
        m_source = nullptr;
        m_dragging = false;
        m_lastMessage = nullptr;
    }
}

void TDragManager::Begin(TControl* source, TPoint screen, bool immediate, int threshold) {
    if (Active() || !source || source->DragKind() != dkDrag) return;
    m_source = source;
    m_start = screen;
    m_last = screen;
    m_target = nullptr;
    m_accepted = false;
    m_dragging = false;
    m_savedCursor = source->Cursor();
    m_immediate = immediate;
    m_threshold = threshold < 0 ? kDefaultThreshold : threshold;
    m_lastMessage = nullptr;
    // The moves must reach the source even when the press was not its own (BeginDrag from code).
    m_tookCapture = !source->MouseCapture();
    if (m_tookCapture) source->SetMouseCapture(true);
    if (immediate) Move(screen);
}

TControl* TDragManager::FindTarget(TPoint screen) {
    ui::TWindowSystem* ws = ui::TWindowSystem::Current();
    if (!ws) return nullptr;
    ui::TWindow* w = ws->WindowFromPoint(screen);
    TWinControl* windowed = nullptr;
    for (; w && !windowed; w = w->Parent()) windowed = TWinControl::FromWindow(w);
    if (!windowed) return nullptr;
    TControl* found = windowed;
    if (TControl* child = windowed->ControlAtPos(windowed->ScreenToClient(screen), false, false))
        found = child;
    // A control inside one that takes drops (an item of a list, a label on a panel) passes them up.
    for (TControl* c = found; c; c = c->Parent())
        if (c->TakesDragOver()) return c;
    return nullptr;
}

void TDragManager::Leave() {
    if (!m_target) return;
    TControl* target = m_target;
    m_target = nullptr;
    m_accepted = false;
    bool accept = false;
    target->DragOver(m_source, 0, 0, dsDragLeave, accept);
}

void TDragManager::Move(TPoint screen) {
    if (!m_source) return;
    m_last = screen;
    if (!m_dragging) {
        const bool far =
            std::abs(screen.X - m_start.X) >= m_threshold || std::abs(screen.Y - m_start.Y) >= m_threshold;
        if (!far && !m_immediate) return;
        m_dragging = true;
        // From here the press is a drag, not a click.
        m_source->SetControlState(m_source->ControlState() & ~csClicked);
        const auto alive = m_source->WeakRef();
        m_source->DoStartDrag();
        if (!alive || !m_source) return;
    }
    TControl* target = FindTarget(screen);
    if (target != m_target) Leave();
    if (!m_source) return;
    const TDragState state = target == m_target ? dsDragMove : dsDragEnter;
    m_target = target;
    m_accepted = false;
    if (target) {
        bool accept = false;
        const TPoint local = target->ScreenToClient(screen);
        target->DragOver(m_source, local.X, local.Y, state, accept);
        m_accepted = accept && m_target == target;
    }
    if (!m_source) return;
    m_source->SetCursor(m_accepted ? m_source->DragCursor() : crNoDrop);
}

void TDragManager::Drop(TPoint screen) {
    if (!m_source) return;
    if (!m_dragging) {
        // It never became a drag: the press stays a click.
        Finish(nullptr, screen);
        return;
    }
    Move(screen);
    if (!m_source) return;
    TControl* target = m_accepted ? m_target : nullptr;
    if (target) {
        const auto alive = target->WeakRef();
        const TPoint local = target->ScreenToClient(screen);
        target->DragDrop(m_source, local.X, local.Y);
        if (!alive) target = nullptr;
    }
    Finish(target, screen);
}

void TDragManager::Cancel() {
    if (!m_source) return;
    if (m_dragging) Leave();
    Finish(nullptr, m_start);
}

void TDragManager::Finish(TControl* target, TPoint screen) {
    TControl* source = m_source;
    const bool dragged = m_dragging;
    const bool tookCapture = m_tookCapture;
    m_source = nullptr;
    m_target = nullptr;
    m_dragging = false;
    m_accepted = false;
    m_tookCapture = false;
    m_lastMessage = nullptr;
    if (!source) return;
    if (tookCapture && source->MouseCapture()) source->SetMouseCapture(false);
    if (!dragged) return;
    source->SetCursor(m_savedCursor);
    const TPoint local = target ? target->ScreenToClient(screen) : TPoint{0, 0};
    source->DoEndDrag(target, local.X, local.Y);
}

bool TDragManager::SourceMessage(TControl* source, const TMessage& m) {
    using namespace platform::ui;
    if (m_source != source) return false;
    if (m_lastMessage == &m && m_lastCopy.Msg == m.Msg && m_lastCopy.WParam == m.WParam &&
        m_lastCopy.LParam == m.LParam)
        return false;
    m_lastMessage = &m;
    m_lastCopy = m;
    switch (m.Msg) {
        case WM_MOUSEMOVE: {
            // While it drags, the source's own pointer tracking (selecting rows) rests.
            const bool dragging = m_dragging;
            Move(source->ClientToScreen(PointFromLParam(m.LParam)));
            return dragging || m_dragging;
        }
        case WM_LBUTTONUP:
            Drop(source->ClientToScreen(PointFromLParam(m.LParam)));
            return false;
        case WM_CAPTURECHANGED:
            Cancel();
            return false;
        case WM_KEYDOWN:
            if (m.WParam != VK_ESCAPE || !m_dragging) return false;
            Cancel();
            return true;
        default:
            return false;
    }
}

}  // namespace platform::forms
