#pragma once
// Window messages and the constants that travel with them. Numbers are those of the platform the
// program was designed on, so that WM_USER + n and the skin's own messages mean what they always
// meant. Parameters that the platform passes as handles or structure pointers are pointers to our
// types here (see each message's comment).

#include <cstdint>
#include <string>

#include "platform/core/Types.h"

namespace platform::ui {

class TWindow;

using TWParam = uintptr_t;
using TLParam = intptr_t;
using TLResult = intptr_t;

// ---- Window messages -----------------------------------------------------------------------
constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_CREATE = 0x0001;  // lParam: const TCreateParams*; -1 fails creation
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;       // lParam: client top-left (parent client / screen)
constexpr uint32_t WM_SIZE = 0x0005;       // wParam: SIZE_*; lParam: client width, height
constexpr uint32_t WM_ACTIVATE = 0x0006;   // wParam: WA_*; lParam: TWindow* the other window
constexpr uint32_t WM_SETFOCUS = 0x0007;   // wParam: TWindow* that lost the focus
constexpr uint32_t WM_KILLFOCUS = 0x0008;  // wParam: TWindow* that gets the focus
constexpr uint32_t WM_ENABLE = 0x000A;     // wParam: 1 enabled, 0 disabled
constexpr uint32_t WM_SETREDRAW = 0x000B;
constexpr uint32_t WM_SETTEXT = 0x000C;  // lParam: const char* (UTF-8)
constexpr uint32_t WM_GETTEXT = 0x000D;
constexpr uint32_t WM_GETTEXTLENGTH = 0x000E;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUERYENDSESSION = 0x0011;
constexpr uint32_t WM_QUIT = 0x0012;        // wParam: exit code
constexpr uint32_t WM_ERASEBKGND = 0x0014;  // wParam: TDeviceContext*; nonzero = erased
constexpr uint32_t WM_SYSCOLORCHANGE = 0x0015;
constexpr uint32_t WM_SHOWWINDOW = 0x0018;  // wParam: 1 shown, 0 hidden
constexpr uint32_t WM_SETTINGCHANGE = 0x001A;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;  // wParam: 1 the program becomes active
constexpr uint32_t WM_CANCELMODE = 0x001F;
constexpr uint32_t WM_SETCURSOR = 0x0020;      // wParam: TWindow* under the pointer; lParam: hit, msg
constexpr uint32_t WM_MOUSEACTIVATE = 0x0021;  // wParam: top-level TWindow*; lParam: hit, msg; MA_*
constexpr uint32_t WM_CHILDACTIVATE = 0x0022;
constexpr uint32_t WM_GETMINMAXINFO = 0x0024;  // lParam: TMinMaxInfo*
constexpr uint32_t WM_DRAWITEM = 0x002B;
constexpr uint32_t WM_MEASUREITEM = 0x002C;
constexpr uint32_t WM_SETFONT = 0x0030;
constexpr uint32_t WM_GETFONT = 0x0031;
constexpr uint32_t WM_WINDOWPOSCHANGING = 0x0046;  // lParam: TWindowPos* (may be changed)
constexpr uint32_t WM_WINDOWPOSCHANGED = 0x0047;   // lParam: const TWindowPos*
constexpr uint32_t WM_NOTIFY = 0x004E;
constexpr uint32_t WM_HELP = 0x0053;
constexpr uint32_t WM_USERCHANGED = 0x0054;
constexpr uint32_t WM_CONTEXTMENU = 0x007B;  // wParam: TWindow*; lParam: screen point
constexpr uint32_t WM_STYLECHANGING = 0x007C;
constexpr uint32_t WM_STYLECHANGED = 0x007D;
constexpr uint32_t WM_DISPLAYCHANGE = 0x007E;
constexpr uint32_t WM_GETICON = 0x007F;
constexpr uint32_t WM_SETICON = 0x0080;
constexpr uint32_t WM_NCCREATE = 0x0081;  // lParam: const TCreateParams*; 0 fails creation
constexpr uint32_t WM_NCDESTROY = 0x0082;
constexpr uint32_t WM_NCCALCSIZE = 0x0083;  // lParam: TRect*: in the window rectangle, out the
                                            // client rectangle (parent client / screen coords)
constexpr uint32_t WM_NCHITTEST = 0x0084;   // lParam: screen point; result HT*
constexpr uint32_t WM_NCPAINT = 0x0085;     // wParam: const gfx::TRegion* to paint (window coords)
constexpr uint32_t WM_NCACTIVATE = 0x0086;  // wParam: 1 active; return nonzero to allow
constexpr uint32_t WM_GETDLGCODE = 0x0087;
constexpr uint32_t WM_SYNCPAINT = 0x0088;
constexpr uint32_t WM_NCMOUSEMOVE = 0x00A0;  // wParam: HT* code; lParam: screen point
constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
constexpr uint32_t WM_NCLBUTTONUP = 0x00A2;
constexpr uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr uint32_t WM_NCRBUTTONDOWN = 0x00A4;
constexpr uint32_t WM_NCRBUTTONUP = 0x00A5;
constexpr uint32_t WM_NCRBUTTONDBLCLK = 0x00A6;
constexpr uint32_t WM_NCMBUTTONDOWN = 0x00A7;
constexpr uint32_t WM_NCMBUTTONUP = 0x00A8;
constexpr uint32_t WM_NCMBUTTONDBLCLK = 0x00A9;
constexpr uint32_t WM_KEYFIRST = 0x0100;
constexpr uint32_t WM_KEYDOWN = 0x0100;  // wParam: VK_*; lParam: repeat, scan code, flags
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;  // wParam: the character (a Unicode code point)
constexpr uint32_t WM_DEADCHAR = 0x0103;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;  // keys with Alt held, and F10
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCHAR = 0x0106;
constexpr uint32_t WM_KEYLAST = 0x0108;
// Sent to the focus when the input method's pre-edit text changed; wParam: its caret in code
// points. The text is TWindowSystem::ImeComposition().
constexpr uint32_t WM_IME_COMPOSITION = 0x010F;
constexpr uint32_t WM_COMMAND = 0x0111;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;  // wParam: SC_* (low four bits: WMSZ_* for SC_SIZE)
constexpr uint32_t WM_TIMER = 0x0113;       // wParam: timer id
constexpr uint32_t WM_HSCROLL = 0x0114;
constexpr uint32_t WM_VSCROLL = 0x0115;
constexpr uint32_t WM_INITMENU = 0x0116;
constexpr uint32_t WM_INITMENUPOPUP = 0x0117;
constexpr uint32_t WM_MENUSELECT = 0x011F;
constexpr uint32_t WM_ENTERIDLE = 0x0121;
constexpr uint32_t WM_MOUSEFIRST = 0x0200;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;  // wParam: MK_*; lParam: client point
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;  // wParam: MK_* low, delta high (signed); lParam: screen
constexpr uint32_t WM_MOUSELAST = 0x020A;
constexpr uint32_t WM_PARENTNOTIFY = 0x0210;
constexpr uint32_t WM_ENTERMENULOOP = 0x0211;
constexpr uint32_t WM_EXITMENULOOP = 0x0212;
constexpr uint32_t WM_SIZING = 0x0214;          // wParam: WMSZ_*; lParam: TRect* (screen, may change)
constexpr uint32_t WM_CAPTURECHANGED = 0x0215;  // lParam: TWindow* that takes the capture, or null
constexpr uint32_t WM_MOVING = 0x0216;          // lParam: TRect* (screen, may change)
constexpr uint32_t WM_ENTERSIZEMOVE = 0x0231;
constexpr uint32_t WM_EXITSIZEMOVE = 0x0232;
constexpr uint32_t WM_MOUSEHOVER = 0x02A1;
constexpr uint32_t WM_MOUSELEAVE = 0x02A3;
constexpr uint32_t WM_CUT = 0x0300;
constexpr uint32_t WM_COPY = 0x0301;
constexpr uint32_t WM_PASTE = 0x0302;
constexpr uint32_t WM_CLEAR = 0x0303;
constexpr uint32_t WM_UNDO = 0x0304;
constexpr uint32_t WM_PRINTCLIENT = 0x0318;
constexpr uint32_t WM_USER = 0x0400;
constexpr uint32_t WM_APP = 0x8000;

// ---- The framework's notifications ---------------------------------------------------------
// CM_BASE + 0x00..0x1F belong to the window system; the forms layer numbers its own from
// CM_BASE + 0x20.
constexpr uint32_t CM_BASE = 0xB000;
// Sent when the pointer comes over a window (or leaves it), whatever holds the capture. Enter
// and leave come in pairs: a window never gets two enters in a row.
constexpr uint32_t CM_MOUSEENTER = CM_BASE + 0x01;
constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 0x02;

// ---- Hit-test codes (WM_NCHITTEST) ---------------------------------------------------------
constexpr int HTERROR = -2, HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTSYSMENU = 3,
              HTGROWBOX = 4, HTSIZE = 4, HTMENU = 5, HTHSCROLL = 6, HTVSCROLL = 7, HTMINBUTTON = 8,
              HTMAXBUTTON = 9, HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14,
              HTBOTTOM = 15, HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17, HTBORDER = 18, HTOBJECT = 19,
              HTCLOSE = 20, HTHELP = 21;

// ---- WM_MOUSEACTIVATE answers and WM_ACTIVATE states ---------------------------------------
constexpr int MA_ACTIVATE = 1, MA_ACTIVATEANDEAT = 2, MA_NOACTIVATE = 3, MA_NOACTIVATEANDEAT = 4;
constexpr int WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2;

// ---- System commands (WM_SYSCOMMAND); compare wParam & 0xFFF0 --------------------------------
constexpr uint32_t SC_SIZE = 0xF000, SC_MOVE = 0xF010, SC_MINIMIZE = 0xF020, SC_MAXIMIZE = 0xF030,
                   SC_NEXTWINDOW = 0xF040, SC_PREVWINDOW = 0xF050, SC_CLOSE = 0xF060, SC_VSCROLL = 0xF070,
                   SC_HSCROLL = 0xF080, SC_MOUSEMENU = 0xF090, SC_KEYMENU = 0xF100, SC_RESTORE = 0xF120,
                   SC_TASKLIST = 0xF130, SC_DEFAULT = 0xF160;
// Edges of WM_SIZING and of SC_SIZE's low bits.
constexpr int WMSZ_LEFT = 1, WMSZ_RIGHT = 2, WMSZ_TOP = 3, WMSZ_TOPLEFT = 4, WMSZ_TOPRIGHT = 5,
              WMSZ_BOTTOM = 6, WMSZ_BOTTOMLEFT = 7, WMSZ_BOTTOMRIGHT = 8;

// ---- ShowWindow commands and WM_SIZE types -------------------------------------------------
constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_NORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3,
              SW_MAXIMIZE = 3, SW_SHOWNOACTIVATE = 4, SW_SHOW = 5, SW_MINIMIZE = 6, SW_SHOWMINNOACTIVE = 7,
              SW_SHOWNA = 8, SW_RESTORE = 9, SW_SHOWDEFAULT = 10;
constexpr int SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;

// ---- SetWindowPos flags ----------------------------------------------------------------------
constexpr uint32_t SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOREDRAW = 0x0008,
                   SWP_NOACTIVATE = 0x0010, SWP_FRAMECHANGED = 0x0020, SWP_SHOWWINDOW = 0x0040,
                   SWP_HIDEWINDOW = 0x0080, SWP_NOCOPYBITS = 0x0100, SWP_NOOWNERZORDER = 0x0200,
                   SWP_NOSENDCHANGING = 0x0400;

// ---- Window styles -----------------------------------------------------------------------------
constexpr uint32_t WS_OVERLAPPED = 0x00000000, WS_POPUP = 0x80000000, WS_CHILD = 0x40000000,
                   WS_MINIMIZE = 0x20000000, WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000,
                   WS_CLIPSIBLINGS = 0x04000000, WS_CLIPCHILDREN = 0x02000000, WS_MAXIMIZE = 0x01000000,
                   WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_DLGFRAME = 0x00400000,
                   WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000, WS_SYSMENU = 0x00080000,
                   WS_THICKFRAME = 0x00040000, WS_SIZEBOX = 0x00040000, WS_GROUP = 0x00020000,
                   WS_TABSTOP = 0x00010000, WS_MINIMIZEBOX = 0x00020000, WS_MAXIMIZEBOX = 0x00010000;
constexpr uint32_t WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr uint32_t WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

// A window with WS_EX_NOACTIVATE never becomes the active window and never takes the keyboard
// focus (menus, drop-down lists, hints).
constexpr uint32_t WS_EX_DLGMODALFRAME = 0x00000001, WS_EX_NOPARENTNOTIFY = 0x00000004,
                   WS_EX_TOPMOST = 0x00000008, WS_EX_TRANSPARENT = 0x00000020, WS_EX_MDICHILD = 0x00000040,
                   WS_EX_TOOLWINDOW = 0x00000080, WS_EX_WINDOWEDGE = 0x00000100,
                   WS_EX_CLIENTEDGE = 0x00000200, WS_EX_CONTROLPARENT = 0x00010000,
                   WS_EX_STATICEDGE = 0x00020000, WS_EX_APPWINDOW = 0x00040000, WS_EX_LAYERED = 0x00080000,
                   WS_EX_NOACTIVATE = 0x08000000;

// Class styles. A window gets client double-click messages only with CS_DBLCLKS; non-client
// double clicks always come.
constexpr uint32_t CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002, CS_DBLCLKS = 0x0008, CS_SAVEBITS = 0x0800;

constexpr uint32_t LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2;

// ---- Mouse key flags (wParam of client mouse messages) -------------------------------------
constexpr uint32_t MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008,
                   MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;

// ---- Virtual keys ----------------------------------------------------------------------------
// Letters and digits are their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).
constexpr uint32_t VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04, VK_BACK = 0x08,
                   VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
                   VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
                   VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25,
                   VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SELECT = 0x29, VK_PRINT = 0x2A,
                   VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F, VK_LWIN = 0x5B,
                   VK_RWIN = 0x5C, VK_APPS = 0x5D, VK_NUMPAD0 = 0x60, VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62,
                   VK_NUMPAD3 = 0x63, VK_NUMPAD4 = 0x64, VK_NUMPAD5 = 0x65, VK_NUMPAD6 = 0x66,
                   VK_NUMPAD7 = 0x67, VK_NUMPAD8 = 0x68, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B,
                   VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F, VK_F1 = 0x70,
                   VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76,
                   VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B, VK_NUMLOCK = 0x90,
                   VK_SCROLL = 0x91, VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2,
                   VK_RCONTROL = 0xA3, VK_LMENU = 0xA4, VK_RMENU = 0xA5, VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB,
                   VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF,
                   VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
                   VK_OEM_102 = 0xE2;

// Key-message lParam bits.
constexpr uint32_t KF_EXTENDED = 0x01000000, KF_ALTDOWN = 0x20000000, KF_REPEAT = 0x40000000,
                   KF_UP = 0x80000000;

// ---- Message payloads ------------------------------------------------------------------------
struct TMinMaxInfo {
    core::TPoint Reserved;
    core::TPoint MaxSize;       // size when maximised
    core::TPoint MaxPosition;   // top-left when maximised
    core::TPoint MinTrackSize;  // smallest size the move/size loop allows
    core::TPoint MaxTrackSize;  // largest size the move/size loop allows
};

struct TWindowPos {
    TWindow* Window = nullptr;
    TWindow* InsertAfter = nullptr;  // with SWP_NOZORDER clear: null = top
    int X = 0, Y = 0, Cx = 0, Cy = 0;
    uint32_t Flags = 0;
};

// A message as it comes out of the queue.
struct TMessage {
    TWindow* Window = nullptr;  // null for thread messages (WM_QUIT, posted without a window)
    uint32_t Msg = WM_NULL;
    TWParam WParam = 0;
    TLParam LParam = 0;
    uint64_t Time = 0;  // tick count when queued
    core::TPoint Pt{};  // pointer position (screen) when queued
};

// ---- Packing helpers -------------------------------------------------------------------------
constexpr TLParam MakeLParam(int low, int high) {
    return static_cast<TLParam>(static_cast<uint32_t>((static_cast<uint32_t>(low) & 0xFFFFu) |
                                                      ((static_cast<uint32_t>(high) & 0xFFFFu) << 16)));
}
constexpr TWParam MakeWParam(int low, int high) {
    return static_cast<TWParam>(MakeLParam(low, high)) & 0xFFFFFFFFu;
}
constexpr TLParam PointToLParam(core::TPoint p) {
    return MakeLParam(p.X, p.Y);
}
constexpr int LoWord(uintptr_t v) {
    return static_cast<int>(v & 0xFFFFu);
}
constexpr int HiWord(uintptr_t v) {
    return static_cast<int>((v >> 16) & 0xFFFFu);
}
// Signed coordinates packed in a parameter.
constexpr int XFromLParam(TLParam l) {
    return static_cast<int16_t>(static_cast<uint16_t>(l & 0xFFFF));
}
constexpr int YFromLParam(TLParam l) {
    return static_cast<int16_t>(static_cast<uint16_t>((static_cast<uintptr_t>(l) >> 16) & 0xFFFF));
}
constexpr core::TPoint PointFromLParam(TLParam l) {
    return {XFromLParam(l), YFromLParam(l)};
}
constexpr int WheelDeltaFromWParam(TWParam w) {
    return static_cast<int16_t>(static_cast<uint16_t>((w >> 16) & 0xFFFF));
}

// Pointers carried in parameters.
template <class T>
TWParam PtrToWParam(T* p) {
    return reinterpret_cast<TWParam>(p);
}
template <class T>
TLParam PtrToLParam(T* p) {
    return reinterpret_cast<TLParam>(p);
}
template <class T>
T* PtrFromParam(uintptr_t v) {
    return reinterpret_cast<T*>(v);
}
template <class T>
T* PtrFromParam(intptr_t v) {
    return reinterpret_cast<T*>(v);
}

// The name of a message ("WM_PAINT", "CM_MOUSEENTER", "WM_USER+201"), for traces and tests.
[[nodiscard]] std::string MessageName(uint32_t msg);

}  // namespace platform::ui
