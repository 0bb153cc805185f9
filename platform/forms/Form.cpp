#include "platform/forms/Form.h"

#include <algorithm>
#include <stdexcept>

#include "platform/forms/ActnList.h"
#include "platform/forms/Application.h"
#include "platform/forms/MainMenuBar.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Screen.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
TWindowSystem* System() {
    return TWindowSystem::Current();
}
}  // namespace

TForm* GetParentForm(const TControl* control) {
    TFormHost* host = FindFormHost(control);
    return host ? static_cast<TForm*>(host) : nullptr;
}

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetColor(gfx::clBtnFace);
    SetParentFont(false);
    SetParentShowHint(false);
    m_width = 320;
    m_height = 240;
    if (Screen) Screen->AddForm(this, this);
}

TForm::~TForm() {
    Destroying();
    if (OnDestroy) OnDestroy(this);
    // An MDI child leaves its client while it is still a whole form (the client reads its state).
    if (auto* client = dynamic_cast<TMdiClient*>(Parent())) client->RemoveChild(this);
    if (Screen) Screen->RemoveForm(this);
    if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
    if (m_menu) m_menu->RemoveFreeNotification(this);
}

// ---- Window ----

void TForm::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style &= ~(WS_CHILD | WS_VISIBLE | WS_POPUP);
    p.ExStyle = 0;
    switch (m_borderStyle) {
        case bsNone:
            p.Style |= WS_POPUP;
            break;
        case bsSingle:
            p.Style |= WS_CAPTION | WS_BORDER;
            break;
        case bsSizeable:
            p.Style |= WS_CAPTION | WS_THICKFRAME;
            break;
        case bsDialog:
            p.Style |= WS_POPUP | WS_CAPTION;
            p.ExStyle |= WS_EX_DLGMODALFRAME;
            break;
        case bsToolWindow:
            p.Style |= WS_CAPTION;
            p.ExStyle |= WS_EX_TOOLWINDOW;
            break;
        case bsSizeToolWin:
            p.Style |= WS_CAPTION | WS_THICKFRAME;
            p.ExStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (m_borderStyle != bsNone && (m_borderIcons & biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        if (m_borderStyle != bsDialog && m_borderStyle != bsToolWindow && m_borderStyle != bsSizeToolWin) {
            if (m_borderIcons & biMinimize) p.Style |= WS_MINIMIZEBOX;
            if (m_borderIcons & biMaximize) p.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (m_formStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (m_formStyle == fsMDIChild && Parent()) {
        p.Style = (p.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        p.ExStyle |= WS_EX_MDICHILD;
    }
    p.ClassStyle = CS_DBLCLKS;
}

void TForm::CreateWnd() {
    TCustomControl::CreateWnd();
    if (HandleIfAllocated() && !m_icon.Empty())
        System()->SetWindowIcon(HandleIfAllocated(), &m_icon);
    else if (HandleIfAllocated() && Application && !Application->Icon().Empty())
        System()->SetWindowIcon(HandleIfAllocated(), &Application->Icon());
}

TWindow* TForm::ParentWindowForTopLevel() {
    if (Application && Application->MainForm() && Application->MainForm() != this &&
        Application->MainForm()->HandleAllocated())
        return Application->MainForm()->HandleIfAllocated();
    return nullptr;
}

void TForm::ApplyStyles() {
    TWindow* w = HandleIfAllocated();
    if (!w) return;
    TCreateParams p;
    CreateParams(p);
    const uint32_t keep = w->Style() & (WS_VISIBLE | WS_DISABLED);
    System()->SetWindowStyle(w, (p.Style & ~(WS_VISIBLE | WS_DISABLED)) | keep);
    System()->SetWindowExStyle(w, p.ExStyle | (w->ExStyle() & WS_EX_LAYERED));
    System()->SetWindowPos(w, nullptr, w->WindowRect(),
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == m_borderStyle) return;
    m_borderStyle = value;
    ApplyStyles();
    Perform(CM_BORDERCHANGED);
}

void TForm::SetBorderIcons(TBorderIcons value) {
    if (value == m_borderIcons) return;
    m_borderIcons = value;
    ApplyStyles();
}

TWindowState TForm::WindowState() const {
    if (m_formStyle == fsMDIChild) return m_windowState;
    if (TWindow* w = HandleIfAllocated(); w && w->IsVisible()) {
        if (w->IsIconic()) return wsMinimized;
        if (w->IsZoomed()) return wsMaximized;
        return wsNormal;
    }
    return m_windowState;
}

void TForm::SetWindowState(TWindowState value) {
    if (m_formStyle == fsMDIChild && Parent()) {
        MdiSetWindowState(value);
        return;
    }
    m_windowState = value;
    TWindow* w = HandleIfAllocated();
    if (!w || !w->IsVisible()) return;
    const int cmd = value == wsMinimized ? SW_MINIMIZE : value == wsMaximized ? SW_SHOWMAXIMIZED : SW_RESTORE;
    System()->ShowWindow(w, cmd);
}

void TForm::SetIcon(const gfx::TBitmap& icon) {
    m_icon = icon;
    if (TWindow* w = HandleIfAllocated()) System()->SetWindowIcon(w, m_icon.Empty() ? nullptr : &m_icon);
}

void TForm::SetClientWidth(int value) {
    if (IsLoading()) {
        m_pendingClientWidth = value;
        return;
    }
    TWindow* w = Handle();
    const int frame = w->Width() - w->ClientRect().Width();
    SetBounds(Left(), Top(), value + frame, Height());
}

void TForm::SetClientHeight(int value) {
    if (IsLoading()) {
        m_pendingClientHeight = value;
        return;
    }
    TWindow* w = Handle();
    const int frame = w->Height() - w->ClientRect().Height();
    SetBounds(Left(), Top(), Width(), value + frame);
}

TRect TForm::ClientRect() const {
    if (HandleIfAllocated()) return TCustomControl::ClientRect();
    if (m_pendingClientWidth >= 0 || m_pendingClientHeight >= 0)
        return {0, 0, m_pendingClientWidth >= 0 ? m_pendingClientWidth : Width(),
                m_pendingClientHeight >= 0 ? m_pendingClientHeight : Height()};
    return TCustomControl::ClientRect();
}

void TForm::Loaded() {
    TCustomControl::Loaded();
    if (m_pendingClientWidth >= 0) {
        const int v = m_pendingClientWidth;
        m_pendingClientWidth = -1;
        SetClientWidth(v);
    }
    if (m_pendingClientHeight >= 0) {
        const int v = m_pendingClientHeight;
        m_pendingClientHeight = -1;
        SetClientHeight(v);
    }
}

void TForm::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_activeControl) m_activeControl = nullptr;
    if (component == m_focusedControl) m_focusedControl = nullptr;
    if (component == m_menu) {
        m_menu = nullptr;
        UpdateMenuBar(*this);
    }
}

void TForm::Paint() {
    if (OnPaint) OnPaint(this);
}

// ---- Focus ----

void TForm::SetActiveControl(TWinControl* control) {
    if (control == m_activeControl) return;
    if (control && (control == this || !ContainsControl(control)))
        throw std::invalid_argument("the active control must be a control of the form");
    if (IsLoading() || !IsShowing()) {
        m_activeControl = control;
        return;
    }
    if (!control) {
        m_activeControl = nullptr;
        if (m_active && HandleIfAllocated()) System()->SetFocus(HandleIfAllocated());
        return;
    }
    if (!control->CanFocus()) throw std::invalid_argument("cannot focus a disabled or invisible control");
    m_activeControl = control;
    if (m_active) FocusControl(control);
}

bool TForm::SetFocusedControl(TWinControl* control) {
    if (IsDestroying()) return false;
    if (control == m_focusedControl) return true;
    TWinControl* old = m_focusedControl;
    m_focusedControl = control;
    if (control && control != this) m_activeControl = control;
    const auto alive = WeakRef();
    if (old && old != this && ContainsControl(old)) old->Perform(CM_EXIT);
    if (!alive || m_focusedControl != control) return false;
    if (control && control != this) control->Perform(CM_ENTER);
    if (!alive) return false;
    Perform(CM_FOCUSCHANGED, 0, PtrToLParam(static_cast<TControl*>(control)));
    return true;
}

void TForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && control->ContainsControl(m_focusedControl)) m_focusedControl = nullptr;
    if (control->ContainsControl(m_activeControl)) {
        TWinControl* parent = control->Parent();
        m_activeControl = nullptr;
        if (!removing && parent && parent != this && parent->CanFocus()) m_activeControl = parent;
        if (control->Focused() || control->ContainsControl(m_focusedControl) || removing) {
            TWindowSystem* ws = System();
            TWindow* w = HandleIfAllocated();
            if (ws && w && !IsDestroying() && ws->GetFocus() && control->HandleIfAllocated() &&
                control->HandleIfAllocated()->Contains(ws->GetFocus()))
                ws->SetFocus(m_activeControl && m_activeControl->HandleIfAllocated()
                                 ? m_activeControl->HandleIfAllocated()
                                 : w);
        }
    }
}

void TForm::FocusControl(TWinControl* control) {
    if (!control) return;
    m_activeControl = control;
    TWindow* w = HandleIfAllocated();
    if (!w || !w->IsWindowVisible()) return;
    if (control->Handle()) System()->SetFocus(control->HandleIfAllocated());
}

void TForm::SetFocus() {
    if (!CanFocus()) throw std::logic_error("cannot focus a disabled or invisible window");
    TWindowSystem* ws = System();
    ws->SetActiveWindow(Handle());
    SetWindowFocus();
}

bool TForm::CanFocus() const {
    return Visible() && Enabled();
}

bool TForm::IsShowing() const {
    TWindow* w = HandleIfAllocated();
    return w && w->IsVisible();
}

void TForm::SetWindowFocus() {
    TWindowSystem* ws = System();
    TWindow* w = HandleIfAllocated();
    if (!ws || !w) return;
    if (m_activeControl && m_activeControl->CanFocus() && m_activeControl->Handle()) {
        if (ws->GetFocus() != m_activeControl->HandleIfAllocated())
            ws->SetFocus(m_activeControl->HandleIfAllocated());
    } else if (!w->Contains(ws->GetFocus())) {
        ws->SetFocus(w);
    }
}

void TForm::SetMenu(TMainMenu* menu) {
    if (menu == m_menu) return;
    if (m_menu) m_menu->RemoveFreeNotification(this);
    m_menu = menu;
    if (menu) menu->FreeNotification(this);
    UpdateMenuBar(*this);
}

bool TForm::IsShortCut(TMessage& keyMessage) {
    bool handled = false;
    if (OnShortCut) OnShortCut(keyMessage, handled);
    if (handled) return true;
    if (m_formStyle == fsMDIForm && MdiShortCut(keyMessage)) return true;
    if (m_menu && m_menu->IsShortCut(keyMessage)) return true;
    if (IsActionShortCut(*this, keyMessage)) return true;
    return m_formStyle == fsMDIChild && MdiParentShortCut(keyMessage);
}

// ---- Showing ----

void TForm::CMVisibleChanged(TMessage&) {
    if (IsLoading() || IsDestroying()) {
        m_pendingShow = Visible();
        return;
    }
    ShowForm(Visible());
}

void TForm::ShowForm(bool show) {
    if (show) {
        TWindow* w = Handle();
        if (w->IsVisible()) return;
        ApplyPosition();
        DoShow();
        if (!Visible()) return;  // OnShow closed it again
        const int cmd = m_windowState == wsMinimized   ? SW_SHOWMINIMIZED
                        : m_windowState == wsMaximized ? SW_SHOWMAXIMIZED
                                                       : SW_SHOWNORMAL;
        if (m_formStyle == fsMDIChild && Parent()) {
            MdiShown();
            UpdateShowing();
            return;
        }
        System()->ShowWindow(w, cmd);
        if (m_windowState != wsMinimized) {
            System()->SetActiveWindow(w);
            SetWindowFocus();
        }
    } else {
        TWindow* w = HandleIfAllocated();
        if (!w || !w->IsVisible()) return;
        System()->ShowWindow(w, SW_HIDE);
        DoHide();
    }
    UpdateShowing();
}

void TForm::ApplyPosition() {
    if (m_positioned) return;
    m_positioned = true;
    int x = Left(), y = Top();
    switch (m_position) {
        case poScreenCenter:
            if (Screen) {
                x = (Screen->Width() - Width()) / 2;
                y = (Screen->Height() - Height()) / 2;
            }
            break;
        case poDesktopCenter:
            if (Screen) {
                const TRect wa = Screen->WorkAreaRect();
                x = wa.Left + (wa.Width() - Width()) / 2;
                y = wa.Top + (wa.Height() - Height()) / 2;
            }
            break;
        case poMainFormCenter:
        case poOwnerFormCenter: {
            TForm* other = Application ? Application->MainForm() : nullptr;
            if (m_position == poOwnerFormCenter) other = dynamic_cast<TForm*>(Owner());
            if (other && other != this) {
                x = other->Left() + (other->Width() - Width()) / 2;
                y = other->Top() + (other->Height() - Height()) / 2;
            } else if (Screen) {
                x = (Screen->Width() - Width()) / 2;
                y = (Screen->Height() - Height()) / 2;
            }
            break;
        }
        default:
            break;
    }
    if (x != Left() || y != Top()) SetBounds(x, y, Width(), Height());
}

void TForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TForm::DoCreate() {
    if (m_created) return;
    m_created = true;
    if (OnCreate) OnCreate(this);
    if (m_pendingShow && Visible()) {
        m_pendingShow = false;
        ShowForm(true);
    }
}

void TForm::CMShowingChanged(TMessage&) {}

void TForm::BringToFront() {
    if (TWindow* w = HandleIfAllocated(); w && w->IsVisible()) {
        System()->BringToTop(w);
        System()->SetActiveWindow(w);
    }
}

// ---- Activation ----

void TForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TForm::WMActivate(TMessage& m) {
    const bool active = LoWord(m.WParam) != WA_INACTIVE;
    if (active) {
        m_active = true;
        m_formState |= fsActivated;
        if (m_activeControl && m_activeControl->CanFocus() &&
            !(HandleIfAllocated() && HandleIfAllocated()->IsIconic()))
            SetWindowFocus();
        else
            DefaultHandler(m);
        if (Screen) Screen->ActiveFormChanged();
        Activate();
    } else {
        m_active = false;
        DefaultHandler(m);
        if (Screen) Screen->ActiveFormChanged();
        Deactivate();
    }
}

void TForm::WMSetFocus(TMessage& m) {
    DefaultHandler(m);
    if (IsDestroying()) return;
    // The form window itself took the focus (no control has it).
    SetFocusedControl(this);
}

// ---- Closing ----

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TForm::Close() {
    if (m_formState & fsModal) {
        if (m_modalResult == mrNone) m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    // An MDI child is minimised by default, as the platform family does.
    TCloseAction action = m_formStyle != fsMDIChild ? caHide : (m_borderIcons & biMinimize) ? caMinimize : caNone;
    const auto alive = WeakRef();
    DoClose(action);
    if (!alive || action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        SetVisible(false);
        return;
    }
    switch (action) {
        case caHide:
            SetVisible(false);
            break;
        case caMinimize:
            SetWindowState(wsMinimized);
            break;
        case caFree:
            Release();
            break;
        default:
            break;
    }
}

void TForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    switch (action) {
        case caNone:
            m_modalResult = mrNone;
            break;
        case caFree:
            Release();
            break;
        default:
            break;
    }
}

void TForm::WMClose(TMessage& m) {
    Close();
    m.Result = 0;
}

void TForm::WMSysCommand(TMessage& m) {
    switch (m.WParam & 0xFFF0) {
        case SC_MINIMIZE:
            if (Application && Application->MainForm() == this) {
                Application->Minimize();
                return;
            }
            break;
        case SC_KEYMENU:
            if (MenuBarKeyMenu(*this, static_cast<char32_t>(m.LParam))) return;
            break;
        case SC_RESTORE:
            if (Application && Application->MainForm() == this && Application->Minimized()) {
                Application->Restore();
                return;
            }
            break;
        default:
            break;
    }
    DefaultHandler(m);
}

void TForm::WMShowWindow(TMessage& m) {
    DefaultHandler(m);
}

TModalResult TForm::ShowModal() {
    if (Visible() || !Enabled() || (m_formState & fsModal))
        throw std::logic_error("cannot make a visible window modal");
    TWindowSystem* ws = System();
    if (ws->GetCapture()) ws->ReleaseCapture();
    m_formState |= fsModal;
    TWindow* previousActive = ws->GetActiveWindow();
    const uint64_t previousId = previousActive ? previousActive->Id() : 0;
    // Disable every other enabled, visible top-level window of the program.
    std::vector<uint64_t> disabled;
    TWindow* own = Handle();
    for (TWindow* w : std::vector<TWindow*>(ws->TopLevelWindows())) {
        if (w == own || w->IsMessageOnly() || !w->IsVisible() || !w->IsEnabled()) continue;
        if (w->IsNoActivate()) continue;
        ws->EnableWindow(w, false);
        disabled.push_back(w->Id());
    }
    const auto alive = WeakRef();
    m_modalResult = mrNone;
    try {
        SetVisible(true);
        ws->RunModalLoop([&] {
            if (!alive) return true;
            if (Application && Application->Terminated()) return true;
            if (m_modalResult != mrNone) {
                CloseModal();
                return !alive || m_modalResult != mrNone;
            }
            return false;
        });
    } catch (...) {
        for (uint64_t id : disabled)
            if (TWindow* w = ws->FindWindow(id)) ws->EnableWindow(w, true);
        if (alive) m_formState &= ~fsModal;
        throw;
    }
    for (uint64_t id : disabled)
        if (TWindow* w = ws->FindWindow(id)) ws->EnableWindow(w, true);
    if (!alive) return mrCancel;
    TModalResult result = m_modalResult == mrNone ? mrCancel : m_modalResult;
    SetVisible(false);
    m_formState &= ~fsModal;
    if (TWindow* w = previousId ? ws->FindWindow(previousId) : nullptr; w && w->IsVisible())
        ws->SetActiveWindow(w);
    return result;
}

void TForm::Release() {
    if (m_releasing) return;
    m_releasing = true;
    if (TWindow* w = HandleIfAllocated())
        System()->PostMessage(w, CM_RELEASE);
    else
        delete this;
}

// ---- Messages ----

void TForm::WndProc(TMessage& m) {
    if ((m_formStyle == fsMDIForm || m_formStyle == fsMDIChild) && MdiMessage(m)) return;
    // The plain menu bar's strip in the frame (MainMenuBarFrame.cpp).
    if (const int stage = MenuBarFrameStage(*this, m); stage != 0) {
        if (stage == 2) TCustomControl::WndProc(m);
        MenuBarFrameMessage(*this, m);
        return;
    }
    switch (m.Msg) {
        case WM_CLOSE:
            WMClose(m);
            return;
        case WM_ACTIVATE:
            WMActivate(m);
            return;
        case WM_SYSCOMMAND:
            WMSysCommand(m);
            return;
        case WM_SHOWWINDOW:
            WMShowWindow(m);
            return;
        case CM_RELEASE:
            delete this;
            return;
        case WM_SIZE:
            TCustomControl::WndProc(m);
            if (FindMenuBar(*this)) UpdateMenuBar(*this);
            if (TWindow* w = HandleIfAllocated()) {
                if (w->IsIconic())
                    m_windowState = wsMinimized;
                else if (w->IsZoomed())
                    m_windowState = wsMaximized;
                else
                    m_windowState = wsNormal;
            }
            return;
        default:
            TCustomControl::WndProc(m);
            return;
    }
}

void TForm::CMDialogKey(TMessage& m) {
    TWindowSystem* ws = System();
    const bool alt = ws && ws->GetKeyState(VK_MENU) < 0;
    const bool ctrl = ws && ws->GetKeyState(VK_CONTROL) < 0;
    const bool shift = ws && ws->GetKeyState(VK_SHIFT) < 0;
    if (!alt) {
        switch (m.WParam) {
            case VK_TAB:
                if (!ctrl) {
                    SelectNext(m_activeControl, !shift, true);
                    m.Result = 1;
                    return;
                }
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (m_activeControl && m_activeControl->Parent()) {
                    m_activeControl->Parent()->SelectNext(m_activeControl,
                                                          m.WParam == VK_RIGHT || m.WParam == VK_DOWN, false);
                    m.Result = 1;
                }
                return;
            default:
                break;
        }
    }
    TCustomControl::CMDialogKey(m);
}

void TForm::CMDialogChar(TMessage& m) {
    TCustomControl::CMDialogChar(m);
}

}  // namespace platform::forms
