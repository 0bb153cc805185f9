// TForm's MDI branches: the main form's MDI client and keys, the child's place in it, its frame
// and its window commands.

#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Keyboard.h"
#include "platform/forms/MainMenuBar.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {

TWindowSystem* System() {
    return TWindowSystem::Current();
}

// The MDI main form a new child goes into: the application's main form when it is one, else
// the first MDI main form of the screen.
TForm* FindMdiMainForm(const TForm* child) {
    if (Application) {
        if (TForm* main = Application->MainForm(); main && main != child && main->FormStyle() == fsMDIForm)
            return main;
    }
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (TForm* form = Screen->Forms(i); form != child && form->FormStyle() == fsMDIForm) return form;
    return nullptr;
}

// The child's frame in the default look, with the caption coloured by the child's own MDI
// activation rather than by the desktop's active window.
void PaintChildFrame(TWindow& w, bool active) {
    const int W = w.Width(), H = w.Height();
    const core::TRect client = w.ClientArea();
    const int caption = (w.Style() & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0;
    const int f = client.Left;
    if (f == 0 && caption == 0) return;
    TDeviceContextPtr dc = System()->GetWindowDC(&w);
    gfx::TCanvas& c = dc->Canvas();
    c.ExcludeClipRect(client);
    c.Brush.Style = gfx::TBrushStyle::bsSolid;
    c.Brush.Color = gfx::clBtnFace;
    c.FillRect({0, 0, W, H});
    c.Brush.Color = gfx::clBtnShadow;
    c.FrameRect({0, 0, W, H});
    if (caption <= 0) return;
    const core::TRect bar{f, f, W - f, f + caption};
    c.Brush.Color = active ? gfx::clActiveCaption : gfx::clInactiveCaption;
    c.FillRect(bar);
    c.Brush.Style = gfx::TBrushStyle::bsClear;
    c.Font.SetColor(active ? gfx::clCaptionText : gfx::clInactiveCaptionText);
    core::TRect textRect{bar.Left + 4, bar.Top, bar.Right - 4, bar.Bottom};
    c.DrawText(w.Text(), textRect, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
}

}  // namespace

void TForm::SetFormStyle(TFormStyle value) {
    if (value == m_formStyle) return;
    const TFormStyle old = m_formStyle;
    m_formStyle = value;
    if (old == fsMDIForm && m_mdiClient) {
        delete m_mdiClient;
        m_mdiClient = nullptr;
    }
    if (value == fsMDIForm) {
        m_mdiClient = new TMdiClient(this);
    } else if (value == fsMDIChild) {
        TForm* main = FindMdiMainForm(this);
        if (!main || !main->m_mdiClient) {
            m_formStyle = old;
            throw std::logic_error("an MDI child needs an MDI main form");
        }
        main->m_mdiClient->AddChild(this);
        SetParent(main->m_mdiClient);
    }
}

TForm* TForm::ActiveMDIChild() const {
    return m_mdiClient ? m_mdiClient->ActiveChild() : nullptr;
}

int TForm::MDIChildCount() const {
    return m_mdiClient ? m_mdiClient->ChildCount() : 0;
}

TForm* TForm::MDIChildren(int index) const {
    return m_mdiClient ? m_mdiClient->Child(index) : nullptr;
}

TMenuItem* TForm::WindowMenu() const {
    return m_mdiClient ? m_mdiClient->WindowMenu() : nullptr;
}

void TForm::SetWindowMenu(TMenuItem* item) {
    if (m_mdiClient) m_mdiClient->SetWindowMenu(item);
}

void TForm::Cascade() {
    if (m_mdiClient) m_mdiClient->Cascade();
}

void TForm::Tile() {
    if (m_mdiClient) m_mdiClient->Tile(m_tileMode);
}

void TForm::ArrangeIcons() {
    if (m_mdiClient) m_mdiClient->ArrangeIcons();
}

void TForm::Next() {
    if (m_mdiClient) m_mdiClient->Next();
}

void TForm::Previous() {
    if (m_mdiClient) m_mdiClient->Previous();
}

void TForm::MdiShown() {
    if (auto* client = dynamic_cast<TMdiClient*>(Parent())) client->ShowChild(this);
}

void TForm::MdiSetWindowState(TWindowState value) {
    auto* client = dynamic_cast<TMdiClient*>(Parent());
    if (!client || !Visible() || !HandleIfAllocated() || !HandleIfAllocated()->IsVisible()) {
        m_windowState = value;
        return;
    }
    client->SetChildState(this, value);
}

bool TForm::MdiShortCut(const TMessage& keyMessage) {
    if (!m_mdiClient) return false;
    TForm* active = m_mdiClient->ActiveChild();
    // The active child's menu is part of the main form's (merged), and so are its shortcuts.
    if (active && active->Menu() && active->Menu()->IsShortCut(keyMessage)) return true;
    TWindowSystem* ws = System();
    if (keyMessage.Msg != WM_KEYDOWN || !ws || ws->GetKeyState(VK_CONTROL) >= 0 || ws->GetKeyState(VK_MENU) < 0)
        return false;
    const bool shift = ws->GetKeyState(VK_SHIFT) < 0;
    switch (keyMessage.WParam) {
        case VK_F4:
            if (!active || shift) return false;
            active->Close();
            return true;
        case VK_TAB:
        case VK_F6:
            if (shift)
                m_mdiClient->Previous();
            else
                m_mdiClient->Next();
            return true;
        default:
            return false;
    }
}

bool TForm::MdiParentShortCut(TMessage& keyMessage) {
    auto* client = dynamic_cast<TMdiClient*>(Parent());
    TForm* main = client ? client->MainForm() : nullptr;
    return main && !main->IsDestroying() && main->IsShortCut(keyMessage);
}

bool TForm::MdiMessage(TMessage& m) {
    if (m_formStyle == fsMDIForm) return MdiMainMessage(m);
    auto* client = dynamic_cast<TMdiClient*>(Parent());
    return client && MdiChildMessage(m, *client);
}

bool TForm::MdiMainMessage(TMessage& m) {
    if (!m_mdiClient) return false;
    switch (m.Msg) {
        case WM_SIZE:
            TCustomControl::WndProc(m);
            if (FindMenuBar(*this)) UpdateMenuBar(*this);
            m_mdiClient->FitToParent();
            return true;
        case CM_FOCUSCHANGED: {
            // A control of a child took the focus: that child becomes the active one.
            auto* control = PtrFromParam<TControl>(m.LParam);
            for (int i = 0; control && i < m_mdiClient->ChildCount(); ++i)
                if (TForm* child = m_mdiClient->Child(i); child->ContainsControl(control)) {
                    if (child != m_mdiClient->ActiveChild()) m_mdiClient->Activate(child);
                    break;
                }
            return false;
        }
        case CM_TEXTCHANGED:
            TCustomControl::WndProc(m);
            m_mdiClient->MainCaptionChanged();
            return true;
        case WM_ACTIVATE: {
            if (LoWord(m.WParam) == WA_INACTIVE) return false;
            // The keyboard belongs to the active child, whose controls the main form does not keep,
            // unless a control of the main form itself (its menu bar, a tool bar) holds it.
            const auto alive = WeakRef();
            WMActivate(m);
            if (!alive) return true;
            TWindow* focus = System()->GetFocus();
            const bool mainHasIt = focus && focus != HandleIfAllocated() && HandleIfAllocated() &&
                                   HandleIfAllocated()->Contains(focus) &&
                                   !(m_mdiClient->HandleIfAllocated() && m_mdiClient->HandleIfAllocated()->Contains(focus));
            if (TForm* child = m_mdiClient->ActiveChild(); child && child->Visible() && !mainHasIt)
                child->SetWindowFocus();
            return true;
        }
        default:
            return false;
    }
}

bool TForm::MdiChildMessage(TMessage& m, TMdiClient& client) {
    switch (m.Msg) {
        case WM_NCPAINT:
            if (TWindow* w = HandleIfAllocated()) PaintChildFrame(*w, m_active);
            return true;
        case WM_NCACTIVATE:
            if (TWindow* w = HandleIfAllocated()) System()->RedrawFrame(w);
            m.Result = 1;
            return true;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            return client.DragMessage(this, m);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            // The main form is active already, so the platform asks nobody: a press activates.
            if (client.ActiveChild() != this) client.Activate(this);
            if (m.Msg == WM_NCLBUTTONDOWN)
                client.BeginDrag(this, static_cast<int>(static_cast<intptr_t>(m.WParam)), PointFromLParam(m.LParam));
            return false;
        case WM_SIZE:
            // The child's window state is its client's business, not the window's.
            TCustomControl::WndProc(m);
            return true;
        case WM_MOUSEACTIVATE:
            if (client.ActiveChild() != this) client.Activate(this);
            m.Result = MA_ACTIVATE;
            if (TForm* main = client.MainForm(); main->HandleIfAllocated() && !main->Active())
                System()->SetActiveWindow(main->HandleIfAllocated());
            return true;
        case WM_NCLBUTTONDBLCLK:
            if (static_cast<intptr_t>(m.WParam) == HTCAPTION && (m_borderIcons & biMaximize))
                client.SetChildState(this, m_windowState == wsNormal ? wsMaximized : wsNormal);
            return true;
        case WM_SYSCOMMAND:
            return client.ChildCommand(this, static_cast<uint32_t>(m.WParam & 0xFFF0));
        case WM_SHOWWINDOW:
            TCustomControl::WndProc(m);
            if (m.WParam == 0 && client.ActiveChild() == this) {
                // A hidden child gives the activation to the next one.
                client.RemoveChild(this);
                client.AddChild(this);
            } else {
                client.UpdateWindowMenu();
            }
            return true;
        case CM_TEXTCHANGED:
            TCustomControl::WndProc(m);
            client.UpdateMainTitle();
            client.UpdateWindowMenu();
            client.ChildChanged(this, mdiCaptionChanged);
            return true;
        case CM_FOCUSCHANGED: {
            // The child keeps its own controls' focus: a control of it taking the focus activates
            // it. The main form passes its own controls' changes on to every child: those do not.
            auto* control = PtrFromParam<TControl>(m.LParam);
            if (control && (control == this || ContainsControl(control)) && client.ActiveChild() != this)
                client.Activate(this);
            return false;
        }
        default:
            return false;
    }
}

}  // namespace platform::forms
