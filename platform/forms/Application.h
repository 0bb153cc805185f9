#pragma once
// TApplication: the program's application object. It owns the forms made with CreateForm,
// runs the message loop (Run, HandleMessage, ProcessMessages), puts every message through
// OnMessage and the keyboard stage of the focused control (CN_KEYDOWN, CN_CHAR, ...) before it
// is dispatched, and runs the hint machinery (HintPause, HintHidePause, HintWindowClass).
//
// One application exists at a time, on a running window system; `Application` and `Screen`
// point to it and its screen while it lives.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/forms/Control.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Messages.h"

namespace platform::ui {
class TWindow;
}

namespace platform::forms {

class TForm;
class THintWindow;
class TScreen;
class TTimer;

// handled = true: the message is not dispatched.
using TMessageEvent = std::function<void(ui::TMessage& msg, bool& handled)>;
using THelpEvent = std::function<bool(uint16_t command, intptr_t data, bool& callHelp)>;
using THintWindowFactory = std::function<THintWindow*(TComponent* owner)>;

// What a control may change before its hint is shown (CM_HINTSHOW's lParam).
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos{};  // client coordinates of HintControl
    TRect CursorRect{};  // while the pointer stays inside, the hint stays (client coordinates)
    TPoint HintPos{};    // screen position of the hint window
    int HintMaxWidth = 0;
    TColor HintColor = gfx::clInfoBk;
    std::string HintStr;
    int HideTimeout = 0;  // ms; 0 = HintHidePause
    int ReshowTimeout = 0;
};
// May change the text and the hint information, or clear canShow to show nothing.
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;

constexpr uint16_t HELP_CONTEXT = 0x0001, HELP_QUIT = 0x0002, HELP_INDEX = 0x0003, HELP_CONTENTS = 0x0003,
                   HELP_FINDER = 0x000B;

class TApplication : public TComponent, public TControlServices {
public:
    // Needs a running window system (ui::TWindowSystem::Current()); std::logic_error otherwise
    // or when another application exists. Installs the message filter and creates Screen.
    TApplication();
    ~TApplication() override;

    [[nodiscard]] const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& value);
    [[nodiscard]] const gfx::TBitmap& Icon() const { return m_icon; }
    void SetIcon(const gfx::TBitmap& icon);
    [[nodiscard]] TForm* MainForm() const { return m_mainForm; }
    void SetMainForm(TForm* form) { m_mainForm = form; }
    // Shows the main form when Run starts.
    bool ShowMainForm = true;

    // Constructs T with the application as owner, reads resourceName into it when given (see
    // CreateFormFromResource), fires OnCreate, makes it the main form if there is none yet, and
    // shows it when its Visible property was set by the resource. Defined in
    // ApplicationCreateForm.h, which code that makes forms includes.
    template <class T>
    T* CreateForm(const std::string& resourceName = {});

    // Runs the loop until Terminate or the main form closes; the main form is shown first.
    int Run();
    // Handles one message, waiting for one when none is pending (runs OnIdle then).
    void HandleMessage();
    // Handles everything pending, then returns.
    void ProcessMessages();
    void Terminate();
    [[nodiscard]] bool Terminated() const { return m_terminated; }
    // Minimises the main form (the whole application goes to the task bar) / restores it.
    void Minimize();
    void Restore();
    [[nodiscard]] bool Minimized() const { return m_minimized; }
    // The window of the main form, or null.
    [[nodiscard]] ui::TWindow* MainFormWindow() const;

    // ---- Hints ----
    [[nodiscard]] bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = gfx::clInfoBk;
    // Makes the hint window; a skin may replace it. Default: a plain THintWindow.
    THintWindowFactory HintWindowClass;
    // Shows the hint of the control under the point now / hides the shown hint.
    void ActivateHint(TPoint screenPos);
    void CancelHint() override;
    [[nodiscard]] THintWindow* HintWindow() const { return m_hintWindow; }
    [[nodiscard]] TControl* HintControl() const { return m_hintControl; }
    std::string Hint;  // the hint text of the control under the pointer (for OnHint)

    // ---- Help ----
    // Asks OnHelp (or, without one, reports false): the program's help entry.
    bool HelpContext(int context);
    bool HelpCommand(uint16_t command, intptr_t data);
    std::string HelpFile;

    // ---- Events ----
    TMessageEvent OnMessage;
    TNotifyEvent OnIdle;
    TNotifyEvent OnHint;
    TShowHintEvent OnShowHint;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    THelpEvent OnHelp;

    // The keyboard stage of a key message before dispatch (what the loop does): true when
    // the message was used up. Public for loops of other layers (menus).
    bool IsKeyMsg(ui::TMessage& msg);
    // Runs OnMessage, the key stage and the hint tracking; true = do not dispatch.
    bool FilterMessage(ui::TMessage& msg);

    // Called by a control that goes: the hint machinery forgets it.
    void ControlDestroying(TControl* control) override;
    // Screen's cursor (crDefault without a screen).
    [[nodiscard]] TCursor ScreenCursor() const override;

    // Forms made by this process, for broadcasts (the same list as Screen->Forms).
    [[nodiscard]] std::vector<TForm*> Forms() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TForm;
    void DoIdle();
    void HintMouseMessage(const ui::TMessage& msg);
    void HintTimerExpired(int which);
    void StartHintTimer(int which, int ms);
    void StopHintTimers();
    void HideHintWindow();

    std::string m_title;
    gfx::TBitmap m_icon;
    TForm* m_mainForm = nullptr;
    bool m_terminated = false;
    bool m_minimized = false;
    bool m_showHint = true;
    bool m_hintActive = false;
    std::unique_ptr<TScreen> m_screen;
    ui::TWindow* m_utilWindow = nullptr;  // message-only window for the hint timers
    THintWindow* m_hintWindow = nullptr;
    TControl* m_hintControl = nullptr;
    TRect m_hintCursorRect{};
    int m_hintTimer = 0;
    bool m_eatChar = false;  // the key stage used a key: its character is dropped too  // 0 none, 1 waiting
                             // to show, 2 waiting to hide
};

extern TApplication* Application;

}  // namespace platform::forms
