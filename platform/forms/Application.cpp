#include "platform/forms/Application.h"

#include <algorithm>
#include <stdexcept>

#include "platform/forms/ActnList.h"
#include "platform/forms/Form.h"
#include "platform/forms/HintWindow.h"
#include "platform/forms/Screen.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

TApplication* Application = nullptr;

namespace {
constexpr uintptr_t kHintShowTimer = 1;
constexpr uintptr_t kHintHideTimer = 2;

TWindowSystem& Ws() {
    return TWindowSystem::Instance();
}

// The control under a screen point within a window of ours: the windowed control of the
// window, or its windowless child there.
TControl* ControlAt(TWindow* window, TPoint screen) {
    TWinControl* wc = TWinControl::FromWindow(window);
    if (!wc) return nullptr;
    const TPoint client = window->ScreenToClient(screen);
    if (TControl* c = wc->ControlAtPos(client, false, false)) return c;
    return wc;
}
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
    if (!TWindowSystem::Current()) throw std::logic_error("TApplication needs a running window system");
    if (Application) throw std::logic_error("only one TApplication may exist");
    Application = this;
    SetControlServices(this);
    m_screen = std::make_unique<TScreen>();
    Screen = m_screen.get();
    HintWindowClass = [](TComponent* owner) { return new THintWindow(owner); };
    TCreateParams p;
    p.MessageOnly = true;
    p.WndProc = [this](TWindow& w, uint32_t msg, TWParam wp, TLParam lp) -> TLResult {
        if (msg == WM_TIMER && (wp == kHintShowTimer || wp == kHintHideTimer)) {
            HintTimerExpired(static_cast<int>(wp));
            return 0;
        }
        return DefWindowProc(w, msg, wp, lp);
    };
    m_utilWindow = Ws().CreateWindow(p);
    Ws().MessageFilter = [this](ui::TMessage& msg) { return FilterMessage(msg); };
    Ws().OnIdle = [this] { DoIdle(); };
}

TApplication::~TApplication() {
    Destroying();
    m_hintWindow = nullptr;
    m_hintControl = nullptr;
    DestroyComponents();
    if (TWindowSystem* ws = TWindowSystem::Current()) {
        ws->MessageFilter = nullptr;
        ws->OnIdle = nullptr;
        if (m_utilWindow && ws->IsWindow(m_utilWindow)) {
            m_utilWindow->SetWndProc({});
            ws->DestroyWindow(m_utilWindow);
        }
    }
    m_utilWindow = nullptr;
    Screen = nullptr;
    m_screen.reset();
    SetControlServices(nullptr);
    Application = nullptr;
}

void TApplication::SetTitle(const std::string& value) {
    m_title = value;
}

void TApplication::SetIcon(const gfx::TBitmap& icon) {
    m_icon = icon;
    if (m_mainForm && m_mainForm->Icon().Empty())
        if (TWindow* w = m_mainForm->HandleIfAllocated())
            Ws().SetWindowIcon(w, m_icon.Empty() ? nullptr : &m_icon);
}

TWindow* TApplication::MainFormWindow() const {
    return m_mainForm ? m_mainForm->HandleIfAllocated() : nullptr;
}

std::vector<TForm*> TApplication::Forms() const {
    return Screen ? Screen->FormList() : std::vector<TForm*>{};
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_mainForm) m_mainForm = nullptr;
    if (component == m_hintWindow) m_hintWindow = nullptr;
}

TCursor TApplication::ScreenCursor() const {
    return Screen ? Screen->Cursor() : crDefault;
}

void TApplication::ControlDestroying(TControl* control) {
    if (control == m_hintControl) {
        m_hintControl = nullptr;
        StopHintTimers();
        HideHintWindow();
    }
    if (control == m_hintWindow) m_hintWindow = nullptr;
    if (control == m_mainForm) m_mainForm = nullptr;
}

// ---- Loop ----

int TApplication::Run() {
    if (m_mainForm && ShowMainForm && !m_terminated) {
        m_mainForm->SetVisible(true);
    }
    while (!m_terminated) {
        ui::TMessage msg;
        if (!Ws().GetMessage(msg)) {
            m_terminated = true;
            break;
        }
        if (!FilterMessage(msg)) Ws().DispatchMessage(msg);
        if (!m_mainForm) break;
    }
    return 0;
}

void TApplication::HandleMessage() {
    ui::TMessage msg;
    if (Ws().PeekMessage(msg, true)) {
        if (msg.Msg == WM_QUIT) {
            m_terminated = true;
            return;
        }
        if (!FilterMessage(msg)) Ws().DispatchMessage(msg);
        return;
    }
    DoIdle();
    if (!Ws().GetMessage(msg)) {
        m_terminated = true;
        return;
    }
    if (!FilterMessage(msg)) Ws().DispatchMessage(msg);
}

void TApplication::ProcessMessages() {
    if (!Ws().ProcessMessages()) m_terminated = true;
}

void TApplication::Terminate() {
    if (m_terminated) return;
    m_terminated = true;
    Ws().PostQuitMessage(0);
}

void TApplication::DoIdle() {
    UpdateActions();
    if (OnIdle) OnIdle(this);
}

void TApplication::Minimize() {
    TWindow* w = MainFormWindow();
    // The desktop may have restored the window behind our back (a taskbar click); the window's
    // own state is the truth then, or the minimise button would do nothing once.
    if (m_minimized && (!w || w->IsIconic())) return;
    m_minimized = true;
    if (w) Ws().ShowWindow(w, SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    TWindow* w = MainFormWindow();
    if (!m_minimized && (!w || !w->IsIconic())) return;
    m_minimized = false;
    if (w) Ws().ShowWindow(w, SW_RESTORE);
    if (OnRestore) OnRestore(this);
}

bool TApplication::IsKeyMsg(ui::TMessage& msg) {
    uint32_t cn = 0;
    switch (msg.Msg) {
        case WM_KEYDOWN:
            cn = CN_KEYDOWN;
            break;
        case WM_SYSKEYDOWN:
            cn = CN_SYSKEYDOWN;
            break;
        case WM_KEYUP:
            cn = CN_KEYUP;
            break;
        case WM_CHAR:
            cn = CN_CHAR;
            break;
        case WM_SYSCHAR:
            cn = CN_SYSCHAR;
            break;
        default:
            return false;
    }
    // The control of the window, or of the nearest window above it that is ours.
    TWindow* w = msg.Window;
    TWinControl* control = nullptr;
    while (w && !(control = TWinControl::FromWindow(w))) w = w->Parent();
    if (!control) return false;
    TMessage m{cn, msg.WParam, msg.LParam, 0};
    control->Dispatch(m);
    return m.Result != 0;
}

bool TApplication::FilterMessage(ui::TMessage& msg) {
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (handled) return true;
    HintMouseMessage(msg);
    switch (msg.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            m_eatChar = false;
            break;
        case WM_CHAR:
        case WM_SYSCHAR:
            // The key that typed it was used up before dispatch, as if it never became a character.
            if (m_eatChar) {
                m_eatChar = false;
                return true;
            }
            break;
        default:
            break;
    }
    const bool used = IsKeyMsg(msg);
    if (used && (msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN)) m_eatChar = true;
    return used;
}

// ---- Hints ----

void TApplication::SetShowHint(bool value) {
    m_showHint = value;
    if (!value) {
        CancelHint();
        // The next hint is made by the hint window class in force then.
        delete m_hintWindow;
        m_hintWindow = nullptr;
    }
}

void TApplication::StartHintTimer(int which, int ms) {
    StopHintTimers();
    if (!m_utilWindow) return;
    m_hintTimer = which;
    Ws().SetTimer(m_utilWindow, which == 1 ? kHintShowTimer : kHintHideTimer,
                  static_cast<uint32_t>(std::max(1, ms)));
}

void TApplication::StopHintTimers() {
    if (m_utilWindow) {
        Ws().KillTimer(m_utilWindow, kHintShowTimer);
        Ws().KillTimer(m_utilWindow, kHintHideTimer);
    }
    m_hintTimer = 0;
}

void TApplication::HideHintWindow() {
    if (m_hintWindow) m_hintWindow->ReleaseHandle();
    m_hintActive = false;
}

void TApplication::CancelHint() {
    StopHintTimers();
    HideHintWindow();
    m_hintControl = nullptr;
}

void TApplication::HintMouseMessage(const ui::TMessage& msg) {
    switch (msg.Msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (m_hintControl || m_hintActive) {
                StopHintTimers();
                HideHintWindow();
            }
            return;
        case WM_MOUSEMOVE:
            break;
        default:
            return;
    }
    if (!msg.Window || (m_hintWindow && m_hintWindow->HandleIfAllocated() == msg.Window)) return;
    const TPoint screen = msg.Window->ClientToScreen(PointFromLParam(msg.LParam));
    TControl* control = ControlAt(msg.Window, screen);
    if (control == m_hintControl) {
        if (m_hintActive && m_hintControl) {
            const TPoint local = m_hintControl->ScreenToClient(screen);
            if (!m_hintCursorRect.Contains(local)) {
                HideHintWindow();
                StartHintTimer(1, HintShortPause);
            }
        }
        return;
    }
    const bool wasActive = m_hintActive;
    HideHintWindow();
    StopHintTimers();
    m_hintControl = control;
    Hint = control ? control->Hint() : std::string();
    if (OnHint) OnHint(this);
    if (!control || !m_showHint || !control->EffectiveShowHint() || control->Hint().empty()) return;
    StartHintTimer(1, wasActive ? HintShortPause : HintPause);
}

void TApplication::HintTimerExpired(int which) {
    StopHintTimers();
    if (which == 1) {
        ActivateHint(Ws().GetCursorPos());
    } else {
        HideHintWindow();
    }
}

void TApplication::ActivateHint(TPoint screenPos) {
    TControl* control = m_hintControl;
    if (!control) {
        TWindow* w = Ws().WindowFromPoint(screenPos);
        if (!w) return;
        control = ControlAt(w, screenPos);
        m_hintControl = control;
    }
    if (!control || !m_showHint) return;
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(screenPos);
    info.CursorRect = control->ClientRect();
    info.HintPos = {screenPos.X, screenPos.Y + 20};
    info.HintMaxWidth = Screen ? Screen->Width() : 640;
    info.HintColor = HintColor;
    info.HintStr = control->Hint();
    if (control->Perform(CM_HINTSHOW, 0, PtrToLParam(&info)) != 0 || info.HintStr.empty()) return;
    bool canShow = true;
    if (OnShowHint) OnShowHint(info.HintStr, canShow, info);
    if (!canShow || info.HintStr.empty()) return;
    if (!m_hintWindow) {
        m_hintWindow = HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
        if (!m_hintWindow) return;
    }
    m_hintWindow->SetColor(info.HintColor);
    TRect r = m_hintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, nullptr);
    r = r.Offset(info.HintPos.X, info.HintPos.Y);
    m_hintCursorRect = info.CursorRect;
    m_hintWindow->ActivateHint(r, info.HintStr);
    m_hintActive = true;
    StartHintTimer(2, info.HideTimeout > 0 ? info.HideTimeout : HintHidePause);
}

// ---- Help ----

bool TApplication::HelpCommand(uint16_t command, intptr_t data) {
    bool callHelp = true;
    bool result = false;
    if (OnHelp) result = OnHelp(command, data, callHelp);
    return result;
}

bool TApplication::HelpContext(int context) {
    return HelpCommand(HELP_CONTEXT, context);
}

}  // namespace platform::forms
