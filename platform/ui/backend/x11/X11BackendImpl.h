#pragma once
// The x11 backend: one X window per top-level window, all frameless (Motif hints); popups are
// override-redirect windows that never take the focus. Kept out of X11Backend.h so that Xlib's
// macros reach only the backend's own sources.
//
// X11Backend.cpp        connection, windows and their desktop properties, monitors, clipboard
// X11BackendEvents.cpp  event loop, translation of X events, keyboard through the input method
// X11BackendPointer.cpp pointer position, cursor shapes, grab, keyboard focus, window at a point
// X11BackendOutput.cpp  presenting, shapes, opacity

#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/Region.h"
#include "platform/ui/backend/Backend.h"
#include "platform/ui/backend/x11/X11Atoms.h"
#include "platform/ui/backend/x11/X11Clipboard.h"
#include "platform/ui/backend/x11/X11Presenter.h"
#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

struct TX11Window {
    Window Xid = None;
    TNativeWindowParams Params;
    core::TRect Bounds;    // screen; what we asked for or the desktop reported
    bool Visible = false;  // as the window system wants it
    bool Mapped = false;   // as the server reports it
    bool Minimized = false;
    bool Iconic = false;  // the desktop's WM_STATE says iconic
    std::optional<gfx::TRegion> Shape;
    uint8_t Alpha = 255;
    TCursorShape Cursor = TCursorShape::Arrow;
    Window Parent = None;  // a window manager's frame, or the root
    XIC Ic = nullptr;
    core::TRect ImeCaret{};  // the focused text's caret (window coordinates), for the input method
    TX11Surface Surface;
    // Our own moves and resizes that the server has not confirmed yet: their notifications are
    // not the desktop's doing.
    std::deque<core::TRect> Pending;
    TNativeWindow* Object = nullptr;  // the native window object of this window, if any
};

class TX11Backend final : public TBackend {
public:
    // Takes the connection; the error handlers must be installed (WatchConnection).
    explicit TX11Backend(Display* display);
    ~TX11Backend() override;
    TX11Backend(const TX11Backend&) = delete;
    TX11Backend& operator=(const TX11Backend&) = delete;

    [[nodiscard]] std::string Name() const override { return "x11"; }
    // Chosen at start (X11Scale.h); X coordinates are device pixels.
    [[nodiscard]] int Scale() override { return m_scale; }
    [[nodiscard]] uint64_t Now() override;
    [[nodiscard]] std::vector<TMonitor> Monitors() override;
    [[nodiscard]] core::TPoint CursorPos() override;
    void SetCursorPos(core::TPoint screen) override;
    [[nodiscard]] std::unique_ptr<TNativeWindow> OpenWindow(const TNativeWindowParams& params) override;
    [[nodiscard]] bool SupportsOpacity() override;
    void GrabPointer(TNativeWindow* window) override { SetPointerGrab(window ? window->Id() : 0); }
    [[nodiscard]] TNativeWindow* NativeWindowAt(core::TPoint screen) override;
    bool PollEvent(TInputEvent& event) override;
    bool WaitForEvents(int64_t timeoutMs) override;
    [[nodiscard]] std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    [[nodiscard]] std::string PrimarySelectionText() override;
    void SetPrimarySelectionText(const std::string& text) override;
    bool ClaimInstance(const std::string& name) override;  // X11SingleInstance.cpp
    void SetImeCaretRect(TNativeWindow* window, const core::TRect& screen) override;

    // ---- Native windows by id (what the native window objects do; tests call them too). Every
    // call with an unknown id is ignored. Title, icon, shape and opacity reach the server before
    // the call returns (other clients read them at once); the rest is flushed.
    [[nodiscard]] TNativeId CreateNativeWindow(const TNativeWindowParams& params);
    void DestroyNativeWindow(TNativeId window);
    void SetCursorShape(TNativeId window, TCursorShape shape);
    void SetBounds(TNativeId window, const core::TRect& screen);
    void SetVisible(TNativeId window, bool visible);
    void SetMinimized(TNativeId window, bool minimized);
    void Raise(TNativeId window);
    void SetTopmost(TNativeId window, bool topmost);
    void SetTitle(TNativeId window, const std::string& title);
    void SetIcon(TNativeId window, const gfx::TBitmap* icon);
    void SetShape(TNativeId window, const gfx::TRegion* shape);
    void SetOpacity(TNativeId window, uint8_t alpha);
    void Present(TNativeId window, const gfx::TBitmap& backBuffer, const std::vector<core::TRect>& rects);
    void SetKeyboardFocus(TNativeId window);
    void SetPointerGrab(TNativeId window);
    [[nodiscard]] TNativeId WindowAt(core::TPoint screen);
    // Waits until the server has handled every request sent so far.
    void Sync();

    // For tests and benchmarks.
    [[nodiscard]] Display* XDisplay() const { return m_display; }
    [[nodiscard]] bool PresentsThroughSharedMemory() const { return m_presenter->SharedMemory(); }
    [[nodiscard]] bool HasInputMethod() {
        EnsureInputMethod();
        return m_im != nullptr;
    }
    [[nodiscard]] XIMStyle InputStyle() const { return m_imStyle; }

private:
    friend class TX11NativeWindow;
    // X11Backend.cpp
    TX11Window* Find(TNativeId window);
    TX11Window* FindX(Window xid);
    bool Dead() const;
    bool WindowManagerRunning();
    void SetWindowTypeAndState(TX11Window& w);
    // Protocols, decorations, hints and the owner of a window the desktop manages.
    void SetManagedHints(Window xid, const TNativeWindowParams& params);
    // Class, process id and host, for the desktop's task lists.
    void SetClientProperties(Window xid);
    void SendNetWmState(TX11Window& w, bool add, Atom state);
    void Map(TX11Window& w);
    void Restack(TX11Window& w);
    int Layer(const TX11Window& w) const;

    // X11BackendEvents.cpp
    bool EnsureInputMethod();
    void OpenInputMethod();
    void CreateInputContext(TX11Window& w);
    void Translate(XEvent& event);
    void TranslateWindowEvent(TX11Window& w, XEvent& event);
    void TranslateFocus(TX11Window& w, const XFocusChangeEvent& event);
    void TranslateKey(XEvent& event);
    void TranslateKeyRelease(XEvent& event, TNativeId window, KeySym level0);
    // The text a key press types, and its key symbol (NoSymbol when the input method gave none).
    std::string LookupText(TX11Window* w, XKeyEvent& event, KeySym& effective);

    // X11InputMethod.cpp
    void OpenImFontSet();
    // The pre-edit attributes of a new input context (null when the style needs none).
    XVaNestedList PreeditAttributes(const TX11Window& w);
    static XPoint SpotOf(const TX11Window& w);
    static XRectangle AreaOf(const TX11Window& w);
    TX11Window* WindowOfIc(XIC ic);
    void PushComposition(XIC ic);
    static Bool OnPreeditStart(XIC ic, XPointer client, XPointer call);
    static void OnPreeditDone(XIM ic, XPointer client, XPointer call);
    static void OnPreeditDraw(XIM ic, XPointer client, XPointer call);
    static void OnPreeditCaret(XIM ic, XPointer client, XPointer call);
    void TranslatePointer(XEvent& event);
    // False for buttons we do not report (horizontal wheel, side buttons, wheel releases).
    bool TranslateButton(const XButtonEvent& event, TNativeId window, TInputEvent& e);
    void TranslateConfigure(TX11Window& w, const XConfigureEvent& event);
    void TranslateProperty(const XPropertyEvent& event);
    void TranslateClientMessage(TX11Window& w, const XClientMessageEvent& event);
    void Push(TInputEvent event);

    // X11BackendPointer.cpp
    TNativeId TopLevelFor(const TX11Window* w, core::TPoint screen) const;

    // X11BackendOutput.cpp
    void ApplyShape(TX11Window& w);

    // X11WindowPosition.cpp: the real position through a window manager's frame.
    std::optional<core::TPoint> RealPosition(const TX11Window& w);
    // A position or size the desktop reported: news unless it confirms a change of our own.
    void ApplyReportedBounds(TX11Window& w, const core::TRect& rect);
    void FollowFrame(TX11Window& w);
    void TranslateReparent(TX11Window& w, const XReparentEvent& event);
    // A notification of a frame around one of our windows; false for any other event.
    bool TranslateFrameEvent(const XEvent& event);
    [[nodiscard]] int DetectScale() const;

    Display* m_display;
    int m_screen;
    int m_scale = 1;
    Window m_root;
    TX11Atoms m_atoms;
    Window m_helper = None;  // unmapped: selection traffic and server timestamps
    std::unique_ptr<TX11Presenter> m_presenter;
    std::unique_ptr<TX11Clipboard> m_clipboard;
    std::unique_ptr<TX11Clipboard> m_primary;
    std::map<Window, TX11Window> m_windows;
    std::vector<Window> m_stack;  // our windows, bottom first
    std::deque<TInputEvent> m_queue;
    bool m_haveShape = false;
    bool m_haveRandr = false;
    int m_randrEventBase = 0;
    bool m_detectableRepeat = false;
    XIM m_im = nullptr;
    bool m_imOpened = false;  // opened at the first key: reading its tables costs start-up time
    Window m_focus = None;    // our window with the keyboard focus, as the server said
    XIMStyle m_imStyle = 0;
    XFontSet m_imFontSet = nullptr;  // for an over-the-spot input method's pre-edit window
    XICCallback m_preeditStart{};
    XIMCallback m_preeditDone{};
    XIMCallback m_preeditDraw{};
    XIMCallback m_preeditCaret{};
    std::u32string m_preedit;  // what the input method asked us to show
    std::size_t m_preeditCursor = 0;
    std::bitset<256> m_keysDown;
    std::array<uint32_t, 256> m_downKey{};  // the virtual key each held key was pressed as
    Time m_lastTime = CurrentTime;          // of the last user input, for selections and activation
    core::TPoint m_lastPointer{};           // where the last pointer event we read put the pointer
    bool m_pointerKnown = false;
    Window m_grab = None;
    Window m_pendingFocus = None;  // asked for focus before it was viewable
    std::optional<bool> m_wmRunning;
    std::optional<std::vector<TMonitor>> m_monitors;
    std::array<Cursor, 11> m_cursors{};
};

}  // namespace platform::ui::x11
