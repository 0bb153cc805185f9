// The desktop's own events, applied to the top-level windows they concern: close requests,
// exposures, moves and sizes the desktop made, focus changes and minimising.

#include "platform/ui/FocusManager.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/PaintScheduler.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

void TInputRouter::HandleDesktopEvent(const TInputEvent& e) {
    if (e.Kind == TInputKind::Composition) {
        m_system.ApplyImeComposition(e);
        return;
    }
    TWindow* w = e.Target ? e.Target->Client() : nullptr;
    if (!m_system.IsWindow(w)) return;
    TFocusManager& focus = m_system.Focus();
    switch (e.Kind) {
        case TInputKind::CloseRequest:
            if (w->IsEnabled()) m_system.SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case TInputKind::Expose: {
            gfx::TRegion area(e.Rect);
            area.Intersect(core::TRect{0, 0, w->Width(), w->Height()});
            m_system.Painter().AddDirty(w, area);
            break;
        }
        case TInputKind::Configure:
            if (e.Rect != w->WindowRect()) m_system.Placement().ApplyDesktopBounds(w, e.Rect);
            break;
        case TInputKind::FocusIn:
            // A disabled window (the owner of a modal dialog) is not activated: the desktop's
            // focus events lag behind our own focus requests, and activating it would hand the
            // focus back and forth with the dialog for ever.
            if (w != focus.Active() && !w->IsNoActivate() && w->IsVisible() && w->IsEnabled())
                focus.Activate(w, WA_ACTIVE);
            break;
        case TInputKind::FocusOut:
            if (w == focus.Active()) focus.Activate(nullptr, WA_INACTIVE);
            break;
        case TInputKind::Minimized:
        case TInputKind::Restored:
            m_system.Placement().ApplyDesktopState(
                w, e.Kind == TInputKind::Minimized ? TShowState::Minimized : TShowState::Normal);
            break;
        default:
            break;
    }
}

}  // namespace platform::ui
