// The plain menu bar's strip in its form's frame: the client area starts below it, the form's
// frame paint draws it, and the pointer on it goes to the bar.

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/MainMenuBar.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {

bool PointerMessage(uint32_t msg) {
    return msg == WM_NCMOUSEMOVE || msg == WM_NCLBUTTONDOWN || msg == WM_NCLBUTTONDBLCLK ||
           msg == WM_NCLBUTTONUP;
}

}  // namespace

int MenuBarFrameStage(const TForm& form, const TMessage& m) {
    if (m.Msg != WM_NCCALCSIZE && m.Msg != WM_NCPAINT && m.Msg != WM_NCHITTEST && !PointerMessage(m.Msg))
        return 0;
    const TMainMenuBar* bar = FindMenuBar(form);
    if (!bar) return 0;
    if (PointerMessage(m.Msg)) return m.WParam == HTMENU ? 1 : 0;
    return 2;
}

void MenuBarFrameMessage(TForm& form, TMessage& m) {
    TMainMenuBar* bar = FindMenuBar(form);
    TWindow* w = form.HandleIfAllocated();
    if (!bar || !w) return;
    switch (m.Msg) {
        case WM_NCCALCSIZE:
            if (auto* r = PtrFromParam<core::TRect>(m.LParam); r && !w->IsIconic())
                r->Top = std::min(r->Top + TMainMenuBar::BarHeight(), r->Bottom);
            return;
        case WM_NCPAINT:
            bar->PaintStrip();
            return;
        case WM_NCHITTEST:
            if (bar->StripRect().Contains(w->ScreenToWindow(PointFromLParam(m.LParam)))) m.Result = HTMENU;
            return;
        default:
            break;
    }
    // The pointer on the strip: the bar's own mouse handling, in its client coordinates.
    const core::TPoint p = bar->ScreenToClient(PointFromLParam(m.LParam));
    switch (m.Msg) {
        case WM_NCMOUSEMOVE:
            bar->Perform(WM_MOUSEMOVE, 0, PointToLParam(p));
            break;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            // The bar takes the pointer until the release, which then reaches it directly.
            bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(p));
            break;
        default:
            break;
    }
    m.Result = 0;
}

}  // namespace platform::forms
