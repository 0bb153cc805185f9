// The window system's side of input methods: where the focused text's caret is, and the pre-edit
// text the input method asks the program to show.

#include "platform/ui/FocusManager.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/ScreenScale.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

void TWindowSystem::SetImeCaretPos(TWindow* window, const core::TRect& clientRect) {
    if (!IsWindow(window)) return;
    TWindow* top = window->TopLevel();
    if (!top || !top->Native()) return;
    const core::TPoint origin = window->ClientToScreen({clientRect.Left, clientRect.Top});
    // The input method places its windows in device pixels.
    const core::TRect screen{origin.X, origin.Y, origin.X + clientRect.Width(), origin.Y + clientRect.Height()};
    m_backend->SetImeCaretRect(top->Native(), ToDevice(screen, m_scale));
}

void TWindowSystem::ApplyImeComposition(const TInputEvent& event) {
    m_imeComposition = event.Text;
    TWindow* focus = GetFocus();
    if (IsWindow(focus)) SendMessage(focus, WM_IME_COMPOSITION, static_cast<TWParam>(event.Char), 0);
}

}  // namespace platform::ui
