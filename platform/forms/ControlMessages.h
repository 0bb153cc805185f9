#pragma once
// The framework's own notifications (CM_*), the key-stage messages (CN_*) and the message record
// that controls dispatch. The window system owns CM_BASE + 0x00..0x1F (CM_MOUSEENTER and
// CM_MOUSELEAVE are its numbers and mean the same here); the forms layer numbers its own from
// CM_BASE + 0x20.

#include <cstdint>

#include "platform/ui/Messages.h"

namespace platform::forms {

using ui::TLParam;
using ui::TLResult;
using ui::TWParam;

// A message as a control receives it. Handlers set Result; Perform returns it.
struct TMessage {
    uint32_t Msg = 0;
    TWParam WParam = 0;
    TLParam LParam = 0;
    TLResult Result = 0;
};

using ui::CM_BASE;
using ui::CM_MOUSEENTER;  // sent to a control when the pointer comes over it
using ui::CM_MOUSELEAVE;  // and when it leaves

constexpr uint32_t CM_ACTIVATE = CM_BASE + 0x20;
constexpr uint32_t CM_DEACTIVATE = CM_BASE + 0x21;
constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 0x22;
constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 0x23;  // wParam: 1 now visible
constexpr uint32_t CM_COLORCHANGED = CM_BASE + 0x24;
constexpr uint32_t CM_FONTCHANGED = CM_BASE + 0x25;
constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 0x26;
constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 0x27;
constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 0x28;
constexpr uint32_t CM_SHOWHINTCHANGED = CM_BASE + 0x29;
constexpr uint32_t CM_PARENTSHOWHINTCHANGED = CM_BASE + 0x2A;
constexpr uint32_t CM_CURSORCHANGED = CM_BASE + 0x2B;
constexpr uint32_t CM_HITTEST = CM_BASE + 0x2C;  // lParam: client point; Result nonzero = hit
constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 0x2D;
// Key handling (see WinControl.h for the order in which a key travels).
// wParam: the key (VK_*); lParam: the key message's lParam. Result nonzero: the key was used.
constexpr uint32_t CM_DIALOGKEY = CM_BASE + 0x2E;
// wParam: the character (a code point, as typed); Result nonzero: an accelerator took it.
constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 0x2F;
// wParam: the key; Result nonzero: the control wants this navigation key for itself.
constexpr uint32_t CM_WANTSPECIALKEY = CM_BASE + 0x30;
constexpr uint32_t CM_ENTER = CM_BASE + 0x31;  // the control got the focus (after the form noted it)
constexpr uint32_t CM_EXIT = CM_BASE + 0x32;   // the control lost the focus to another control of the form
// Sent by a form to itself and broadcast to every control of the form when the focused control
// changes. lParam: TControl* (the newly focused control, may be null).
constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 0x33;
constexpr uint32_t CM_CHILDKEY = CM_BASE + 0x34;    // wParam: key; lParam: TControl*; nonzero = used
constexpr uint32_t CM_HINTSHOW = CM_BASE + 0x35;    // lParam: THintInfo*; Result nonzero = no hint
constexpr uint32_t CM_CANCELMODE = CM_BASE + 0x36;  // lParam: TControl* that keeps the mode
constexpr uint32_t CM_RELEASE = CM_BASE + 0x37;     // posted by TForm::Release
constexpr uint32_t CM_SYSCOLORCHANGE = CM_BASE + 0x38;
constexpr uint32_t CM_BORDERCHANGED = CM_BASE + 0x39;
constexpr uint32_t CM_CONTROLLISTCHANGE = CM_BASE + 0x3A;  // wParam: TControl*; lParam: 1 inserted
constexpr uint32_t CM_MENUCHANGED = CM_BASE + 0x3B;
constexpr uint32_t CM_APPKEYDOWN = CM_BASE + 0x3C;
constexpr uint32_t CM_INVOKEHELP = CM_BASE + 0x3D;  // wParam: command; lParam: data

// The key stage that runs before a key message is dispatched to the focused control (the
// application's message filter sends it); Result nonzero: the key was used and is dropped.
constexpr uint32_t CN_BASE = 0xBC00;
constexpr uint32_t CN_KEYDOWN = CN_BASE + ui::WM_KEYDOWN;
constexpr uint32_t CN_KEYUP = CN_BASE + ui::WM_KEYUP;
constexpr uint32_t CN_CHAR = CN_BASE + ui::WM_CHAR;
constexpr uint32_t CN_SYSKEYDOWN = CN_BASE + ui::WM_SYSKEYDOWN;
constexpr uint32_t CN_SYSCHAR = CN_BASE + ui::WM_SYSCHAR;

// WM_GETDLGCODE answers: which keys a control keeps for itself.
constexpr uint32_t DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
                   DLGC_WANTMESSAGE = 0x0004, DLGC_HASSETSEL = 0x0008, DLGC_DEFPUSHBUTTON = 0x0010,
                   DLGC_UNDEFPUSHBUTTON = 0x0020, DLGC_RADIOBUTTON = 0x0040, DLGC_WANTCHARS = 0x0080,
                   DLGC_STATIC = 0x0100, DLGC_BUTTON = 0x2000;

// Modal results.
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

}  // namespace platform::forms
