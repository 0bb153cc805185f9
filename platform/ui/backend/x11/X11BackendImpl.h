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
    TX11Surface Surface;
    // Our own moves and resizes that the server has not confirmed yet: their notifications are
    // not the desktop's doing.
    std::deque<core::TRect> Pending;
};

class TX11Backend final : public TBackend {
public:
    // Takes the connection; the error handlers must be installed (WatchConnection).
    explicit TX11Backend(Display* display);
    ~TX11Backend() override;
    TX11Backend(const TX11Backend&) = delete;
    TX11Backend& operator=(const TX11Backend&) = delete;

    [[nodiscard]] std::string Name() const override { return "x11"; }
    [[nodiscard]] uint64_t Now() override;
    [[nodiscard]] std::vector<TMonitor> Monitors() override;
    [[nodiscard]] core::TPoint CursorPos() override;
    void SetCursorPos(core::TPoint screen) override;
    void SetCursorShape(TNativeId window, TCursorShape shape) override;
    [[nodiscard]] TNativeId CreateNativeWindow(const TNativeWindowParams& params) override;
    void DestroyNativeWindow(TNativeId window) override;
    void SetBounds(TNativeId window, const core::TRect& screen) override;
    void SetVisible(TNativeId window, bool visible) override;
    void SetMinimized(TNativeId window, bool minimized) override;
    void Raise(TNativeId window) override;
    void SetTopmost(TNativeId window, bool topmost) override;
    void SetTitle(TNativeId window, const std::string& title) override;
    void SetIcon(TNativeId window, const gfx::TBitmap* icon) override;
    void SetShape(TNativeId window, const gfx::TRegion* shape) override;
    void SetOpacity(TNativeId window, uint8_t alpha) override;
    [[nodiscard]] bool SupportsOpacity() override;
    void Present(TNativeId window, const gfx::TBitmap& backBuffer,
                 const std::vector<core::TRect>& rects) override;
    void SetKeyboardFocus(TNativeId window) override;
    void SetPointerGrab(TNativeId window) override;
    [[nodiscard]] TNativeId WindowAt(core::TPoint screen) override;
    bool PollEvent(TInputEvent& event) override;
    bool WaitForEvents(int64_t timeoutMs) override;
    [[nodiscard]] std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    [[nodiscard]] std::string PrimarySelectionText() override;
    void SetPrimarySelectionText(const std::string& text) override;

    // For tests and benchmarks.
    [[nodiscard]] Display* XDisplay() const { return m_display; }
    [[nodiscard]] bool PresentsThroughSharedMemory() const { return m_presenter->SharedMemory(); }
    [[nodiscard]] bool HasInputMethod() {
        EnsureInputMethod();
        return m_im != nullptr;
    }

private:
    // X11Backend.cpp
    TX11Window* Find(TNativeId window);
    TX11Window* FindX(Window xid);
    bool Dead() const;
    bool WindowManagerRunning();
    void SetWindowTypeAndState(TX11Window& w);
    void SendNetWmState(TX11Window& w, bool add, Atom state);
    void Map(TX11Window& w);
    void Restack(TX11Window& w);
    int Layer(const TX11Window& w) const;

    // X11BackendEvents.cpp
    bool EnsureInputMethod();
    void OpenInputMethod();
    void CreateInputContext(TX11Window& w);
    void Translate(XEvent& event);
    void TranslateKey(XEvent& event);
    void TranslatePointer(XEvent& event);
    void TranslateConfigure(TX11Window& w, const XConfigureEvent& event);
    void TranslateProperty(const XPropertyEvent& event);
    void TranslateClientMessage(TX11Window& w, const XClientMessageEvent& event);
    void Push(TInputEvent event);

    // X11BackendPointer.cpp
    TNativeId TopLevelFor(const TX11Window* w, core::TPoint screen) const;

    // X11BackendOutput.cpp
    void ApplyShape(TX11Window& w);

    Display* m_display;
    int m_screen;
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
