// The window procedure the skin form puts in front of its form's, and the routing of non-client
// mouse input to the frame's objects.

#include "platform/ui/DeviceContext.h"
#include "platform/ui/WindowSystem.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinFormCaption.h"
#include "skin/form/bsSkinMainMenu.h"

namespace skin {

using namespace platform::ui;
using platform::forms::mbLeft;
using platform::forms::mbRight;

namespace {

bool ClosesMenus(uint32_t msg) {
    switch (msg) {
        case WM_MOVE:
        case WM_SIZE:
        case WM_ACTIVATE:
        case WM_KILLFOCUS:
        case WM_CANCELMODE:
        case WM_MOUSEACTIVATE:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_PARENTNOTIFY:
            return true;
        default:
            return false;
    }
}

}  // namespace

TPoint TbsSkinForm::WindowPoint(TPoint screen) const {
    TWindow* w = m_form ? m_form->HandleIfAllocated() : nullptr;
    return w ? w->ScreenToWindow(screen) : screen;
}

void TbsSkinForm::SizeChanged(int width, int height, bool paintNow) {
    m_formWidth = width;
    m_formHeight = height;
    if (m_skinned) {
        if (width < GetMinWidth() || height < GetMinHeight()) return;
        CalcRects();
        CalcObjects();
        SetFormRegion();
    } else {
        CalcObjects();
    }
    if (paintNow) {
        UpdateFormNC();
    } else if (TWindow* w = m_form->HandleIfAllocated()) {
        w->System().RedrawFrame(w);
    }
}

void TbsSkinForm::PressObject(TMouseButton button, int x, int y) {
    TestActive(x, y, true);
    if (m_activeObject < 0 || m_activeObject >= static_cast<int>(m_objects.size())) return;
    m_mouseCaptureObject = m_activeObject;
    m_captureButton = button;
    TbsActiveSkinObject* object = m_objects[static_cast<size_t>(m_activeObject)].get();
    // A caption object keeps no capture: the platform's move loop takes the mouse instead.
    if (!dynamic_cast<TbsSkinCaptionObject*>(object))
        if (TWindow* w = m_form->HandleIfAllocated()) w->System().SetCapture(w);
    object->MouseDown(x, y, button);
}

void TbsSkinForm::ReleaseObject(TMouseButton button, int x, int y) {
    const int index = m_mouseCaptureObject;
    if (index < 0 || index >= static_cast<int>(m_objects.size())) return;
    // Only the button that pressed releases; another button's release leaves the press alone.
    if (button != m_captureButton) return;
    TbsActiveSkinObject* object = m_objects[static_cast<size_t>(index)].get();
    m_mouseCaptureObject = -1;
    if (!dynamic_cast<TbsSkinCaptionObject*>(object))
        if (TWindow* w = m_form->HandleIfAllocated(); w && w->System().GetCapture() == w)
            w->System().ReleaseCapture();
    object->MouseUp(x, y, button);
}

void TbsSkinForm::NewWndProc(TMessage& m) {
    const auto alive = WeakRef();
    if (ClosesMenus(m.Msg)) {
        HideObjectHint();
        CloseSkinMenus();
    }
    if (!alive) return;
    MainMenuBarMessage(m);
    if (!alive) return;
    // MDI forms first: their activation, background and window states differ.
    if (HandleMdiMessage(m) || !alive) return;
    // The window behaviour (states, menus, moving, transparency) takes its messages first.
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this);
        behaviour && behaviour->HandleMessage(m))
        return;
    if (!alive) return;
    if (HandleFrameGeometry(m) || HandleFrameState(m) || HandleNonClientMouse(m)) return;
    CallFormProc(m);
}

// The frame's size and painting: insets, hit tests, sizing and the move/size loop. True when
// the message is done (the form's procedure saw it or must not).
bool TbsSkinForm::HandleFrameGeometry(TMessage& m) {
    const auto alive = WeakRef();
    TWindow* window = m_form->HandleIfAllocated();
    switch (m.Msg) {
        case WM_NCCALCSIZE: {
            if (auto* r = PtrFromParam<TRect>(m.LParam)) {
                const TRect insets = ClientInsets();
                TRect c{r->Left + insets.Left, r->Top + insets.Top, r->Right - insets.Right,
                        r->Bottom - insets.Bottom};
                if (c.Right < c.Left) c.Right = c.Left;
                if (c.Bottom < c.Top) c.Bottom = c.Top;
                *r = c;
            }
            m.Result = 0;
            return true;
        }
        case WM_NCPAINT:
            UpdateFormNC();
            m.Result = 0;
            return true;
        case WM_NCHITTEST: {
            const TPoint p = WindowPoint(PointFromLParam(m.LParam));
            const int hit = HitTest(p);
            if (hit == HTOBJECT && !m_hoverTimer->Enabled()) {
                TestActive(p.X, p.Y, true);
                if (!alive) return true;
                m_hoverTimer->SetEnabled(true);
            }
            m.Result = hit;
            return true;
        }
        case WM_ERASEBKGND:
            if (auto* dc = PtrFromParam<TDeviceContext>(m.WParam)) PaintBackground(dc->Canvas());
            m.Result = 1;
            return true;
        case WM_SIZE: {
            if (m_inSizeMove && m_fullDrag) {
                // The sizing message did the frame's work already.
                if (!m_logoBitMap.Empty()) m_form->Invalidate();
                CallFormProc(m);
                return true;
            }
            CallFormProc(m);
            if (!alive || !window) return true;
            SizeChanged(window->Width(), window->Height(), true);
            if (!m_logoBitMap.Empty()) m_form->Invalidate();
            if (m_mainMenuBar) m_mainMenuBar->FitToParent();
            return true;
        }
        case WM_SIZING:
            if (m_inSizeMove && m_fullDrag) {
                CallFormProc(m);
                if (!alive) return true;
                if (auto* r = PtrFromParam<TRect>(m.LParam)) SizeChanged(r->Width(), r->Height(), false);
                m.Result = 1;
                return true;
            }
            return false;
        case WM_ENTERSIZEMOVE:
            ResetAllObjects();
            m_hoverTimer->SetEnabled(false);
            m_activeObject = m_mouseCaptureObject = -1;
            m_inSizeMove = true;
            m_sizeMoveRan = true;
            m_fullDrag = window && window->System().DragFullWindows();
            return false;
        case WM_EXITSIZEMOVE:
            m_hoverTimer->SetEnabled(false);
            m_activeObject = m_oldActiveObject = m_mouseCaptureObject = -1;
            m_inSizeMove = false;
            if (m_skinned) UpdateFormNC();
            return false;
        default:
            return false;
    }
}

// Size limits, caption text, activation, destruction and skin changes. True when the message
// is done (the form's procedure saw it or must not).
bool TbsSkinForm::HandleFrameState(TMessage& m) {
    const auto alive = WeakRef();
    switch (m.Msg) {
        case WM_GETMINMAXINFO:
            if (auto* mmi = PtrFromParam<TMinMaxInfo>(m.LParam)) {
                mmi->MinTrackSize = {GetMinWidth(), GetMinHeight()};
                mmi->MaxTrackSize = {GetMaxWidth(), GetMaxHeight()};
            }
            CallFormProc(m);
            return true;
        case WM_SETTEXT:
            CallFormProc(m);
            if (alive) UpdateFormNC();
            return true;
        case WM_NCACTIVATE:
            // The platform draws no frame of its own.
            m.Result = 1;
            UpdateFormNC();
            if (alive) FormChangeActive(true);
            return true;
        case WM_ACTIVATE:
            CallFormProc(m);
            if (!alive) return true;
            // Reset first, so that the repainted frame shows no hot object of the other state;
            // the object under the mouse is found again by the next hover test.
            ResetAllObjects();
            if (m_mouseCaptureObject == -1) m_activeObject = m_oldActiveObject = -1;
            UpdateFormNC();
            FormChangeActive(true);
            return true;
        case WM_DESTROY:
            StopTimers();
            return false;
        case SkinBeforeChange:
            SkinBeforeChangeReceived(PtrFromParam<TbsSkinData>(m.WParam));
            if (!alive) return true;
            return false;
        case SkinChange:
            SkinChangeReceived(PtrFromParam<TbsSkinData>(m.WParam));
            if (!alive) return true;
            return false;
        default:
            return false;
    }
}

// Presses and releases on the frame's objects (buttons, caption). True when the message is
// done (the form's procedure saw it or must not).
bool TbsSkinForm::HandleNonClientMouse(TMessage& m) {
    const auto alive = WeakRef();
    switch (m.Msg) {
        case WM_NCMOUSEMOVE: {
            CallFormProc(m);
            if (!alive) return true;
            const TPoint p = WindowPoint(PointFromLParam(m.LParam));
            const int index = m_mouseCaptureObject != -1 ? m_mouseCaptureObject : m_activeObject;
            if (index >= 0 && index < static_cast<int>(m_objects.size()))
                m_objects[static_cast<size_t>(index)]->MouseMove(p.X, p.Y);
            return true;
        }
        case WM_NCLBUTTONDOWN: {
            m_sizeMoveRan = false;
            CallFormProc(m);
            if (!alive) return true;
            if (m_sizeMoveRan) {
                // The press started a move or size loop, which has ended: no object saw it.
                m_sizeMoveRan = false;
                return true;
            }
            const TPoint p = WindowPoint(PointFromLParam(m.LParam));
            PressObject(mbLeft, p.X, p.Y);
            if (alive && static_cast<int>(m.WParam) == HTCAPTION) m_mouseCaptureObject = -1;
            return true;
        }
        case WM_NCLBUTTONUP: {
            CallFormProc(m);
            if (!alive) return true;
            const TPoint p = WindowPoint(PointFromLParam(m.LParam));
            ReleaseObject(mbLeft, p.X, p.Y);
            return true;
        }
        case WM_LBUTTONUP:
            CallFormProc(m);
            if (alive) ReleaseObject(mbLeft, -1, -1);
            return true;
        case WM_NCLBUTTONDBLCLK: {
            CallFormProc(m);
            if (!alive) return true;
            const TPoint p = WindowPoint(PointFromLParam(m.LParam));
            PressObject(mbLeft, p.X, p.Y);
            if (!alive) return true;
            if (m_activeObject >= 0 && m_activeObject < static_cast<int>(m_objects.size()))
                m_objects[static_cast<size_t>(m_activeObject)]->DblClick();
            if (alive && static_cast<int>(m.WParam) == HTCAPTION) CaptionDblClick();
            return true;
        }
        case WM_NCRBUTTONDOWN: {
            CallFormProc(m);
            if (!alive) return true;
            const TPoint p = WindowPoint(PointFromLParam(m.LParam));
            PressObject(mbRight, p.X, p.Y);
            if (alive && static_cast<int>(m.WParam) == HTCAPTION) PopupSystemMenu(PointFromLParam(m.LParam));
            return true;
        }
        case WM_NCRBUTTONUP: {
            CallFormProc(m);
            if (!alive) return true;
            const TPoint p = WindowPoint(PointFromLParam(m.LParam));
            ReleaseObject(mbRight, p.X, p.Y);
            return true;
        }
        case WM_RBUTTONUP:
            CallFormProc(m);
            if (alive) ReleaseObject(mbRight, -1, -1);
            return true;
        case WM_NCRBUTTONDBLCLK: {
            CallFormProc(m);
            if (!alive) return true;
            const TPoint p = WindowPoint(PointFromLParam(m.LParam));
            PressObject(mbRight, p.X, p.Y);
            if (alive && static_cast<int>(m.WParam) == HTCAPTION) m_mouseCaptureObject = -1;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace skin
