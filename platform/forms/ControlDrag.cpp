// TControl: its part in dragging, as source and as target (the manager is TDragManager).
#include "platform/forms/Control.h"
#include "platform/forms/DragDrop.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

void TControl::BeginDrag(bool immediate, int threshold) {
    ui::TWindowSystem* ws = ui::TWindowSystem::Current();
    if (!ws) return;
    TDragManager::Instance().Begin(this, ws->GetCursorPos(), immediate, threshold);
}

void TControl::EndDrag(bool drop) {
    TDragManager& drag = TDragManager::Instance();
    if (drag.Source() != this) return;
    ui::TWindowSystem* ws = ui::TWindowSystem::Current();
    if (drop && ws)
        drag.Drop(ws->GetCursorPos());
    else
        drag.Cancel();
}

bool TControl::Dragging() const {
    const TDragManager& drag = TDragManager::Instance();
    return drag.Source() == this && drag.Dragging();
}

void TControl::DragOver(TControl* source, int x, int y, TDragState state, bool& accept) {
    accept = false;
    if (!OnDragOver) return;
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TControl* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoStartDrag() {
    if (OnStartDrag) OnStartDrag(this);
}

void TControl::DoEndDrag(TControl* target, int x, int y) {
    if (OnEndDrag) OnEndDrag(this, target, x, y);
}

}  // namespace platform::forms
