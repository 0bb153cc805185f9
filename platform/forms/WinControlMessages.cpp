// TWinControl: the message switch and the window's own messages (mouse routing to windowless
// children, painting, position, cursor, text, visibility).
#include <algorithm>
#include <unordered_map>

#include "platform/forms/Cursors.h"
#include "platform/forms/DragDrop.h"
#include "platform/forms/FormHost.h"
#include "platform/forms/WinControl.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
TWindowSystem* System() {
    return TWindowSystem::Current();
}
}  // namespace

// ---- Messages ----

void TWinControl::WndProc(TMessage& m) {
    if (TDragManager& drag = TDragManager::Instance(); drag.Active()) {
        // Escape ends a running drag wherever the focus is; the source takes its own mouse first.
        if (m.Msg == WM_KEYDOWN && m.WParam == VK_ESCAPE && drag.Dragging()) {
            drag.Cancel();
            return;
        }
        if (drag.Source() == this) {
            const auto alive = WeakRef();
            if (drag.SourceMessage(this, m) || !alive) return;
        }
    }
    if (RouteMouse(m)) return;
    static const std::unordered_map<uint32_t, void (TWinControl::*)(TMessage&)> kHandlers = {
        {WM_PAINT, &TWinControl::WMPaint},
        {WM_ERASEBKGND, &TWinControl::WMEraseBkgnd},
        {WM_SETFOCUS, &TWinControl::WMSetFocus},
        {WM_KILLFOCUS, &TWinControl::WMKillFocus},
        {WM_KEYDOWN, &TWinControl::WMKeyDown},
        {WM_KEYUP, &TWinControl::WMKeyUp},
        {WM_CHAR, &TWinControl::WMChar},
        {WM_SYSKEYDOWN, &TWinControl::WMSysKeyDown},
        {WM_SYSCHAR, &TWinControl::WMSysChar},
        {WM_WINDOWPOSCHANGED, &TWinControl::WMWindowPosChanged},
        {WM_SIZE, &TWinControl::WMSize},
        {WM_MOVE, &TWinControl::WMMove},
        {WM_SETCURSOR, &TWinControl::WMSetCursor},
        {WM_GETDLGCODE, &TWinControl::WMGetDlgCode},
        {WM_SETTEXT, &TWinControl::WMSetText},
        {WM_NCDESTROY, &TWinControl::WMNCDestroy},
        {WM_COMMAND, &TWinControl::WMCommand},
        {CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged},
        {CM_ENTER, &TWinControl::CMEnter},
        {CM_EXIT, &TWinControl::CMExit},
        {CM_WANTSPECIALKEY, &TWinControl::CMWantSpecialKey},
        {CM_CHILDKEY, &TWinControl::CMChildKey},
        {CN_KEYDOWN, &TWinControl::CNKeyDown},
        {CN_SYSKEYDOWN, &TWinControl::CNKeyDown},
        {CN_KEYUP, &TWinControl::CNKeyUp},
        {CN_CHAR, &TWinControl::CNChar},
        {CN_SYSCHAR, &TWinControl::CNSysChar},
    };
    if (const auto it = kHandlers.find(m.Msg); it != kHandlers.end())
        (this->*(it->second))(m);
    else
        TControl::WndProc(m);
}

// Mouse messages that a windowless child takes, hover tracking and the size limits; true when
// the message is done.
bool TWinControl::RouteMouse(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEMOVE:
            SetHoverGraphic(GraphicControlAt(PointFromLParam(m.LParam)));
            if (ForwardMouseToGraphic(m)) return true;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            if (ForwardMouseToGraphic(m)) return true;
            break;
        case WM_CAPTURECHANGED:
            // A drag from this window, or from a windowless child through its capture, ends with it.
            if (TDragManager& drag = TDragManager::Instance();
                drag.Active() && PtrFromParam<TWindow>(m.LParam) != m_window &&
                (drag.Source() == this || (m_captureControl && drag.Source() == m_captureControl)))
                drag.Cancel();
            if (PtrFromParam<TWindow>(m.LParam) != m_window) m_captureControl = nullptr;
            DefaultHandler(m);
            return true;
        case CM_MOUSELEAVE:
            SetHoverGraphic(nullptr);
            break;
        case WM_GETMINMAXINFO:
            DefaultHandler(m);
            if (auto* info = PtrFromParam<TMinMaxInfo>(m.LParam)) {
                const TSizeConstraints& k = Constraints();
                if (k.MinWidth > 0) info->MinTrackSize.X = std::max(info->MinTrackSize.X, k.MinWidth);
                if (k.MinHeight > 0) info->MinTrackSize.Y = std::max(info->MinTrackSize.Y, k.MinHeight);
                if (k.MaxWidth > 0) info->MaxTrackSize.X = std::min(info->MaxTrackSize.X, k.MaxWidth);
                if (k.MaxHeight > 0) info->MaxTrackSize.Y = std::min(info->MaxTrackSize.Y, k.MaxHeight);
            }
            return true;
        default:
            break;
    }
    return false;
}

bool TWinControl::ForwardMouseToGraphic(TMessage& m) {
    TControl* target = nullptr;
    if (m_captureControl && m_captureControl->Parent() == this) {
        target = m_captureControl;
    } else {
        TWindowSystem* ws = System();
        // While this window holds the capture for itself, its own client gets the mouse.
        if (ws && m_window && ws->GetCapture() == m_window && !m_captureControl) return false;
        target = GraphicControlAt(PointFromLParam(m.LParam));
    }
    if (!target) return false;
    const TPoint p = PointFromLParam(m.LParam);
    TMessage local{m.Msg, m.WParam, PointToLParam({p.X - target->Left(), p.Y - target->Top()}), 0};
    target->Dispatch(local);
    m.Result = local.Result;
    return true;
}

void TWinControl::SetHoverGraphic(TControl* control) {
    if (control == m_hoverControl) return;
    TControl* old = m_hoverControl;
    m_hoverControl = control;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (control && m_hoverControl == control) control->Perform(CM_MOUSEENTER);
}

void TWinControl::WMPaint(TMessage& m) {
    if (!m_window) return;
    TDeviceContextPtr dc = System()->BeginPaint(m_window);
    if (dc) PaintHandler(*dc);
    m.Result = 0;
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    auto* dc = PtrFromParam<TDeviceContext>(m.WParam);
    if (!dc || (m_controlStyle & csOpaque)) {
        m.Result = 1;
        return;
    }
    gfx::TCanvas& canvas = dc->Canvas();
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(ClientRect());
    m.Result = 1;
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
    if (m_window) {
        const TRect r = m_window->WindowRect();
        UpdateBoundsFields(r.Left, r.Top, r.Width(), r.Height());
    }
    DefaultHandler(m);
    UpdateShowing();
}

void TWinControl::WMSize(TMessage& m) {
    DefaultHandler(m);
    Realign();
}
void TWinControl::WMMove(TMessage& m) {
    DefaultHandler(m);
}

void TWinControl::WMSetCursor(TMessage& m) {
    const int hit = static_cast<int16_t>(LoWord(static_cast<uintptr_t>(m.LParam)));
    if (hit == HTCLIENT && m_window) {
        TCursor cursor = crDefault;
        if (TControlServices* services = ControlServices();
            services && services->ScreenCursor() != crDefault) {
            cursor = services->ScreenCursor();
        } else {
            const TPoint p = m_window->ScreenToClient(System()->GetCursorPos());
            TControl* c = ControlAtPos(p, false, false);
            cursor = c ? c->Cursor() : Cursor();
            if (cursor == crDefault && c) cursor = Cursor();
        }
        if (cursor != crDefault) {
            System()->SetCursor(CursorShape(cursor));
            m.Result = 1;
            return;
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMGetDlgCode(TMessage& m) {
    m.Result = 0;
}

void TWinControl::WMSetText(TMessage& m) {
    DefaultHandler(m);
    const char* text = PtrFromParam<const char>(m.LParam);
    std::string value = text ? text : "";
    if (value != Text()) TControl::SetText(value);
}

void TWinControl::WMNCDestroy(TMessage& m) {
    DefaultHandler(m);
    ReleaseCanvasDcs();
    m_window = nullptr;
    m_showing = false;
    m_captureControl = nullptr;
    m_hoverControl = nullptr;
}

void TWinControl::WMCommand(TMessage& m) {
    DefaultHandler(m);
}

void TWinControl::CMEnabledChanged(TMessage& m) {
    if (m_window) {
        if (!Enabled() && Focused()) {
            if (TFormHost* form = OuterFormHost()) form->HostDefocusControl(this, false);
        }
        System()->EnableWindow(m_window, Enabled());
    }
    TControl::CMEnabledChanged(m);
}

void TWinControl::CMVisibleChanged(TMessage&) {
    if (!m_window) return;
    if (!Visible()) {
        if (TFormHost* form = OuterFormHost(); form && ContainsControl(form->HostActiveControl()))
            form->HostDefocusControl(this, false);
    }
    System()->ShowWindow(m_window, Visible() ? SW_SHOWNA : SW_HIDE);
    UpdateShowing();
}

void TWinControl::CMColorChanged(TMessage& m) {
    TControl::CMColorChanged(m);
    std::vector<TControl*> list = m_controls;
    for (TControl* c : list) c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMSysColorChange(TMessage& m) {
    TControl::CMSysColorChange(m);
    Broadcast(m);
    m.Result = 0;
}

}  // namespace platform::forms
