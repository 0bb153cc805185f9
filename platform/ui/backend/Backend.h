#pragma once
// The interface a display backend implements. The window system keeps every window, message,
// timer, focus and paint rule itself; a backend only shows top-level windows (their pixels come
// from the window system's back buffers), reports raw input, and answers questions about the
// screen and the clock. All calls come from the one user-interface thread.
//
// Coordinates: screen coordinates for window bounds, the pointer and monitors; window
// coordinates (origin at the native window's top-left) for shapes, exposed and presented areas.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Types.h"

#include "platform/gfx/Bitmap.h"

namespace platform::gfx {
class TRegion;
}  // namespace platform::gfx

namespace platform::ui {

class TNativeWindow;
class TWindow;

// A backend's handle of a native window; 0 means none.
using TNativeId = uint64_t;

struct TMonitor {
    core::TRect Bounds;    // the whole monitor
    core::TRect WorkArea;  // the monitor less panels and docks
};

enum class TCursorShape : uint8_t {
    Arrow,
    IBeam,
    Wait,
    Cross,
    Hand,
    No,
    SizeAll,
    SizeWE,    // left and right edges
    SizeNS,    // top and bottom edges
    SizeNWSE,  // top-left and bottom-right corners
    SizeNESW,  // top-right and bottom-left corners
};

enum class TMouseButton : uint8_t { Left = 0, Right = 1, Middle = 2 };

// Modifier bits of TInputEvent::Modifiers: the state of the keys when the event happened.
constexpr uint32_t kModShift = 0x1, kModControl = 0x2, kModAlt = 0x4;

enum class TInputKind : uint8_t {
    MouseMove,     // ScreenPos; Window = our top-level under the pointer, 0 when none of ours
    ButtonDown,    // ScreenPos, Button, Window as for MouseMove
    ButtonUp,      // ScreenPos, Button, Window as for MouseMove
    Wheel,         // ScreenPos, WheelDelta (120 per notch, positive = away from the user)
    KeyDown,       // VirtualKey (VK_*), ScanCode, AutoRepeat
    KeyUp,         // VirtualKey, ScanCode
    Char,          // Char: one typed character (after dead keys and input methods), follows KeyDown
    CloseRequest,  // Window: the desktop asks to close it (title-bar button, task bar)
    Expose,        // Window, Rect (window coordinates): shown pixels were lost; present them again
    Configure,     // Window, Rect (screen): the desktop moved or resized the window itself
    FocusIn,       // Window: the desktop gave this window the keyboard focus
    FocusOut,      // Window: the desktop took the keyboard focus away
    Minimized,     // Window: the desktop minimised (iconified) the window
    Restored,      // Window: the desktop restored it from minimised
    Composition,   // Window, Text: the input method's pre-edit text (empty: none); Char: its caret,
                   // in code points from the text's start
};

struct TInputEvent {
    TInputKind Kind = TInputKind::MouseMove;
    TNativeId Window = 0;
    core::TPoint ScreenPos{};
    TMouseButton Button = TMouseButton::Left;
    int WheelDelta = 0;
    uint32_t VirtualKey = 0;
    uint32_t ScanCode = 0;
    bool AutoRepeat = false;
    char32_t Char = 0;
    uint32_t Modifiers = 0;  // kMod* bits at the time of the event
    core::TRect Rect{};
    uint64_t Time = 0;  // backend clock, milliseconds
    std::string Text;   // Composition
    // The native window of Window, filled in by the backend when it hands the event out.
    TNativeWindow* Target = nullptr;
};

struct TNativeWindowParams {
    core::TRect Bounds;  // screen coordinates
    std::string Title;
    // Menus, drop-down lists, hints: no desktop decoration or management, never takes the
    // keyboard focus, stacks above ordinary windows (override-redirect on X).
    bool Popup = false;
    bool ToolWindow = false;  // no task-bar entry
    bool Topmost = false;     // stays above ordinary windows
    TNativeId Owner = 0;      // dialogs and owned windows stay above their owner
};

// One native window of a top-level window, created by the backend. It knows its backend id, and
// the window system's window it shows (Client), so that neither side keeps a map to find the
// other. Destroying the object destroys the native window. Native windows are all frameless:
// every frame is drawn by the window system. A new window is hidden.
class TNativeWindow {
public:
    explicit TNativeWindow(TNativeId id) : m_id(id) {}
    virtual ~TNativeWindow() = default;
    TNativeWindow(const TNativeWindow&) = delete;
    TNativeWindow& operator=(const TNativeWindow&) = delete;

    [[nodiscard]] TNativeId Id() const { return m_id; }
    // The window system's window shown by this native window (set by the window system).
    [[nodiscard]] TWindow* Client() const { return m_client; }
    void SetClient(TWindow* client) { m_client = client; }

    virtual void SetBounds(const core::TRect& screen) = 0;
    // Showing maps the window at the top of its stacking layer without giving it the focus.
    virtual void SetVisible(bool visible) = 0;
    virtual void SetMinimized(bool minimized) = 0;
    virtual void Raise() = 0;
    virtual void SetTopmost(bool topmost) = 0;
    // Title, icon, shape and opacity are visible to the rest of the desktop when the call
    // returns: other programs (and tests) may read them at once.
    virtual void SetTitle(const std::string& title) = 0;
    // nullptr removes the icon.
    virtual void SetIcon(const gfx::TBitmap* icon) = 0;
    // Window coordinates; nullptr makes the window rectangular again. The backend keeps the
    // shape and applies it again after every size change.
    virtual void SetShape(const gfx::TRegion* shape) = 0;
    // 255 is opaque. Only shown where the backend supports opacity; otherwise kept and ignored.
    virtual void SetOpacity(uint8_t alpha) = 0;
    // Shows the given rectangles (window coordinates) of the window's back buffer, which has the
    // window's size. The rectangles lie within the buffer.
    virtual void Present(const gfx::TBitmap& backBuffer, const std::vector<core::TRect>& rects) = 0;
    virtual void SetKeyboardFocus() = 0;
    virtual void SetCursorShape(TCursorShape shape) = 0;

private:
    TNativeId m_id;
    TWindow* m_client = nullptr;
};

// What a backend that keeps the screen in memory offers programs: screenshots, whether anything
// was presented since the last look, and a hook for the moments a loop runs out of input.
class TScreenCapture {
public:
    virtual ~TScreenCapture() = default;
    // The screen as shown.
    [[nodiscard]] virtual gfx::TBitmap CaptureScreen() const = 0;
    // False when the file cannot be written.
    virtual bool SaveScreenshot(const std::string& pngPath) const = 0;
    // Whether anything was presented since the last call.
    virtual bool TakePresented() = 0;
    // Called when a loop waits and no input is queued; see the backend for what true means.
    virtual void SetIdleHook(std::function<bool()> hook) = 0;
};

class TBackend {
public:
    virtual ~TBackend() = default;

    [[nodiscard]] virtual std::string Name() const = 0;

    // Device pixels per logical pixel (1, 2, 3), fixed for the backend's life. Everything this
    // interface speaks of is in device pixels; the window system works in logical pixels and
    // converts at this boundary (back buffers are logical size x scale).
    [[nodiscard]] virtual int Scale() { return 1; }

    // Monotonic milliseconds; the window system installs this as the program's tick source.
    [[nodiscard]] virtual uint64_t Now() = 0;

    // Monitors, the primary first; never empty (a backend that cannot tell reports one monitor
    // of the screen size whose work area is the whole screen).
    [[nodiscard]] virtual std::vector<TMonitor> Monitors() = 0;
    [[nodiscard]] virtual core::TPoint CursorPos() = 0;
    virtual void SetCursorPos(core::TPoint screen) = 0;

    // A native window for a top-level window; null when the backend cannot make one (its
    // connection is lost).
    [[nodiscard]] virtual std::unique_ptr<TNativeWindow> OpenWindow(const TNativeWindowParams& params) = 0;
    [[nodiscard]] virtual bool SupportsOpacity() = 0;
    // While a window holds the grab, pointer events keep coming even outside our windows;
    // null releases it.
    virtual void GrabPointer(TNativeWindow* window) = 0;
    // Our native window under a screen point (honouring shapes), null when none of ours.
    [[nodiscard]] virtual TNativeWindow* NativeWindowAt(core::TPoint screen) = 0;

    // Input: the next pending event, without blocking; false when none is pending. Events that
    // concern a window carry its id and its object (Target).
    virtual bool PollEvent(TInputEvent& event) = 0;
    // Blocks until an event may be pending or timeoutMs passed (-1: no timeout). Returns false
    // only when the backend knows that nothing will ever arrive (a script that ran out), so
    // that a loop waiting for input ends instead of hanging.
    virtual bool WaitForEvents(int64_t timeoutMs) = 0;

    [[nodiscard]] virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // The PRIMARY selection: the text selected last, offered for middle-click paste. A backend
    // without one keeps nothing.
    [[nodiscard]] virtual std::string PrimarySelectionText() { return {}; }
    virtual void SetPrimarySelectionText(const std::string& /*text*/) {}

    // The focused text's caret (screen coordinates) in a native window: the input method shows its
    // pre-edit text and candidate list there. A backend without input methods ignores it.
    virtual void SetImeCaretRect(TNativeWindow* /*window*/, const core::TRect& /*screen*/) {}

    // The screen-capture capability, or null when the backend shows a real screen.
    [[nodiscard]] virtual TScreenCapture* ScreenCapture() { return nullptr; }

    // Claims the name for this process while the backend lives. False when another process
    // holds it; that process's window has then been brought to the front. A backend without a
    // shared display (headless) grants every claim.
    virtual bool ClaimInstance(const std::string& /*name*/) { return true; }
};

}  // namespace platform::ui
