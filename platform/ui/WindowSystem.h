#pragma once
// The window system: one per process, on the user-interface thread. This class is the facade the
// rest of the program calls; the work is done by its collaborators, each with its own header:
//   TWindowTree       windows: creation, destruction, lookup, z-order of top-levels, zombies
//   TWindowPlacement  position, size, z-order of children, visibility, states, attributes
//   TMessageQueue     posted messages, timers, the loops and the order of messages
//   TInputRouter      raw input to messages: hit-testing, capture, enter and leave, double
//                     clicks, keys, and the desktop's own events
//   TFocusManager     activation of top-level windows and the keyboard focus
//   TPaintScheduler   invalidation, back buffers, paint and window contexts, presenting
//   TMoveSizeLoop     the nested loop that moves or sizes a top-level window
//   TNonClient        DefWindowProc: the built-in frame and the default answers
// A backend (Backend.h) shows the top-level windows through their native windows and delivers
// raw input.
//
// Message order: sent messages run at once; the loop hands out posted messages first, then input,
// then WM_PAINT, then WM_TIMER.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gfx/Region.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Screens.h"
#include "platform/ui/Window.h"
#include "platform/ui/backend/Backend.h"

namespace platform::ui {

class TWindowTree;
class TWindowPlacement;
class TMessageQueue;
class TInputRouter;
class TFocusManager;
class TPaintScheduler;
class TMoveSizeLoop;
class TNonClient;

// Counters for tests and benchmarks.
struct TPaintStats {
    uint64_t PaintMessages = 0;    // WM_PAINT dispatched
    uint64_t EraseMessages = 0;    // WM_ERASEBKGND sent
    uint64_t NcPaintMessages = 0;  // WM_NCPAINT sent
    uint64_t PaintedPixels = 0;    // area of the paint contexts' clips
    uint64_t Presents = 0;         // backend Present calls
    uint64_t PresentedPixels = 0;  // area handed to the backend
};

// How a nested loop ended.
enum class TLoopEnd : uint8_t {
    Done,     // its condition became true
    Quit,     // WM_QUIT arrived (it is left in the queue for the outer loops)
    Stalled,  // the backend reported that no input will ever come (a headless script ran out)
};

class TWindowSystem {
public:
    // Installs the backend's clock as the program's tick source. Only one window system may exist
    // at a time (std::logic_error otherwise).
    explicit TWindowSystem(std::unique_ptr<TBackend> backend);
    ~TWindowSystem();
    TWindowSystem(const TWindowSystem&) = delete;
    TWindowSystem& operator=(const TWindowSystem&) = delete;

    // The running window system, or null.
    [[nodiscard]] static TWindowSystem* Current();
    // The running window system; std::logic_error when there is none.
    [[nodiscard]] static TWindowSystem& Instance();

    [[nodiscard]] TBackend& Backend() { return *m_backend; }
    // The screen scale: device pixels per logical pixel (ScreenScale.h).
    [[nodiscard]] int Scale() const { return m_scale; }
    [[nodiscard]] uint64_t Now() const;

    // ---- Windows (TWindowTree) ----
    // Sends WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE and WM_MOVE, then shows the window
    // when the style has WS_VISIBLE. Null when the parameters are invalid (WS_CHILD without a
    // live parent) or WM_NCCREATE / WM_CREATE refuse.
    TWindow* CreateWindow(const TCreateParams& params);
    // Destroys owned windows first, then sends WM_DESTROY (parent first) and WM_NCDESTROY
    // (children first). Safe from inside the window's own procedure: the object is freed when
    // its last running procedure returns.
    bool DestroyWindow(TWindow* window);
    [[nodiscard]] bool IsWindow(const TWindow* window) const;
    [[nodiscard]] TWindow* FindWindow(uint64_t id) const;
    // Top-level windows, top of the z-order first.
    [[nodiscard]] const std::vector<TWindow*>& TopLevelWindows() const;

    // ---- Position, state, attributes (TWindowPlacement) ----
    // insertAfter: null puts the window on top of its siblings (SWP_NOZORDER keeps the order).
    // Sends WM_WINDOWPOSCHANGING (which may change the request), WM_NCCALCSIZE when the size or
    // frame changes, and WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and WM_SIZE.
    bool SetWindowPos(TWindow* window, TWindow* insertAfter, const core::TRect& rect, uint32_t flags);
    void MoveWindow(TWindow* window, const core::TRect& rect, bool repaint = true);
    void BringToTop(TWindow* window);
    void SendToBack(TWindow* window);
    // SW_* commands; returns whether the window was visible before.
    bool ShowWindow(TWindow* window, int cmd);
    // Returns whether the window was enabled before. Disabling sends WM_CANCELMODE and takes the
    // focus away from the window and its children.
    bool EnableWindow(TWindow* window, bool enable);
    // Sends WM_SETTEXT; the default handling stores the text and retitles a top-level window.
    void SetWindowText(TWindow* window, const std::string& text);
    void SetWindowIcon(TWindow* window, const gfx::TBitmap* icon);
    // Style changes; WS_VISIBLE and WS_DISABLED are kept (use ShowWindow and EnableWindow). A
    // changed frame takes effect with SetWindowPos(SWP_FRAMECHANGED).
    void SetWindowStyle(TWindow* window, uint32_t style);
    void SetWindowExStyle(TWindow* window, uint32_t exStyle);
    // Window coordinates. Top-level: the shape on the desktop; child: clips painting and input.
    void SetWindowRgn(TWindow* window, std::optional<gfx::TRegion> region, bool redraw = true);
    // The alpha of a window with WS_EX_LAYERED (255 opaque).
    void SetLayeredAlpha(TWindow* window, uint8_t alpha);
    [[nodiscard]] bool SupportsLayeredWindows();

    // ---- Messages and timers (TMessageQueue) ----
    TLResult SendMessage(TWindow* window, uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
    // Null window: a thread message (delivered by the loop to MessageFilter only).
    bool PostMessage(TWindow* window, uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
    void PostQuitMessage(int exitCode);
    // Takes (or, without remove, looks at) the next message without waiting.
    bool PeekMessage(TMessage& msg, bool remove = true);
    // Waits for the next message; false for WM_QUIT (msg.WParam holds the exit code) or when the
    // backend stalled.
    bool GetMessage(TMessage& msg);
    TLResult DispatchMessage(const TMessage& msg);
    // Dispatches everything pending (through MessageFilter) and returns; false when WM_QUIT is
    // pending (it stays queued).
    bool ProcessMessages();
    // The main loop: until WM_QUIT; returns its exit code (0 when the backend stalled).
    int Run();
    // A nested loop that runs until done() is true (checked before every message and every
    // wait), WM_QUIT arrives or the backend stalls.
    TLoopEnd RunModalLoop(const std::function<bool()>& done);
    [[nodiscard]] int LoopDepth() const;
    [[nodiscard]] bool QuitPending() const;

    // Called with every message the loops take, before dispatch; true means handled.
    std::function<bool(TMessage&)> MessageFilter;
    // Called once each time the loops run out of messages, before they wait.
    std::function<void()> OnIdle;

    // ---- Timers ----
    // Re-setting an id replaces its interval. False for a dead window.
    bool SetTimer(TWindow* window, uintptr_t timerId, uint32_t intervalMs);
    bool KillTimer(TWindow* window, uintptr_t timerId);
    [[nodiscard]] std::optional<uint64_t> NextTimerDeadline() const;

    // ---- Invalidation and painting (TPaintScheduler) ----
    // Client coordinates; null = the whole client area. Children are invalidated too where they
    // overlap, unless the window clips its children (WS_CLIPCHILDREN).
    void InvalidateRect(TWindow* window, const core::TRect* clientRect, bool erase = true);
    void InvalidateRgn(TWindow* window, const gfx::TRegion& clientRegion, bool erase = true);
    void ValidateRect(TWindow* window, const core::TRect* clientRect);
    // Marks the non-client area for WM_NCPAINT.
    void RedrawFrame(TWindow* window);
    // Client and frame of the window and all its descendants.
    void RedrawAll(TWindow* window);
    [[nodiscard]] bool GetUpdateRect(TWindow* window, core::TRect& clientRect) const;
    // Paints the window and its children now if they need it, then presents.
    void UpdateWindow(TWindow* window);
    // Validates the update region (sending WM_ERASEBKGND when it asked for erasing) and returns
    // a context clipped to it. Ends the paint when released.
    TDeviceContextPtr BeginPaint(TWindow* window);
    TDeviceContextPtr GetDC(TWindow* window);        // the client area
    TDeviceContextPtr GetWindowDC(TWindow* window);  // the whole window, frame included
    // What of the window can be seen, in its top-level window's coordinates: its rectangle (or
    // client area) within every ancestor's client area, within its region and theirs, less the
    // visible siblings above it and above each ancestor, less its children with WS_CLIPCHILDREN.
    [[nodiscard]] gfx::TRegion VisibleRegion(const TWindow* window, bool clientOnly) const;
    // Hands every top-level window's painted area to the backend.
    void Present();
    // A top-level window's back buffer (window coordinates), null for others.
    [[nodiscard]] const gfx::TBitmap* BackBuffer(const TWindow* topLevel) const;
    [[nodiscard]] const TPaintStats& PaintStats() const;
    void ResetPaintStats();

    // ---- Input, focus, activation (TInputRouter, TFocusManager) ----
    TWindow* SetCapture(TWindow* window);  // returns the previous capture
    void ReleaseCapture();
    [[nodiscard]] TWindow* GetCapture() const;
    // Returns the previous focus. Refused (focus unchanged) for windows of WS_EX_NOACTIVATE
    // top-levels and dead windows; activates the window's top-level first.
    TWindow* SetFocus(TWindow* window);
    [[nodiscard]] TWindow* GetFocus() const;
    // Refused for WS_EX_NOACTIVATE, hidden, disabled and message-only windows.
    bool SetActiveWindow(TWindow* window);
    [[nodiscard]] TWindow* GetActiveWindow() const;
    // The deepest visible, enabled window at a screen point whose shape contains it.
    [[nodiscard]] TWindow* WindowFromPoint(core::TPoint screen);
    // The window under the pointer as last seen by the input (the one that got CM_MOUSEENTER).
    [[nodiscard]] TWindow* MouseWindow() const;
    // High bit: down; low bit: toggled (every press). Mouse buttons use VK_LBUTTON etc.
    [[nodiscard]] int16_t GetKeyState(uint32_t vk) const;
    [[nodiscard]] core::TPoint GetCursorPos();
    void SetCursorPos(core::TPoint screen);
    // The pointer shape over the window under the pointer (call it in WM_SETCURSOR).
    void SetCursor(TCursorShape shape);
    [[nodiscard]] bool DragFullWindows() const { return true; }

    // ---- Non-client protocol and move/size loop (TNonClient, TMoveSizeLoop) ----
    // The default processing of every message.
    static TLResult DefWindowProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);
    // Runs the move (SC_MOVE) or size (SC_SIZE + WMSZ_*) loop for a top-level window until the
    // left button is released (Escape restores the old bounds). Returns when the loop has ended.
    void RunMoveSizeLoop(TWindow* window, uint32_t command);
    [[nodiscard]] bool InMoveSizeLoop() const;

    // ---- Screens (Screens.cpp) ----
    [[nodiscard]] std::vector<TMonitor> Monitors();
    [[nodiscard]] TMonitor MonitorFromPoint(core::TPoint screen);
    [[nodiscard]] TMonitor MonitorFromRect(const core::TRect& screen);
    [[nodiscard]] TMonitor MonitorFromWindow(const TWindow* window);
    [[nodiscard]] core::TRect WorkArea();  // the primary monitor's
    [[nodiscard]] int GetSystemMetrics(int index);

    [[nodiscard]] std::string ClipboardText() { return m_backend->ClipboardText(); }
    void SetClipboardText(const std::string& text) { m_backend->SetClipboardText(text); }
    [[nodiscard]] std::string PrimarySelectionText() { return m_backend->PrimarySelectionText(); }
    void SetPrimarySelectionText(const std::string& text) { m_backend->SetPrimarySelectionText(text); }

    // ---- Input methods (InputMethod.cpp) ----
    // The focused text's caret, in the window's client coordinates: the input method places its
    // pre-edit text and candidate list there.
    void SetImeCaretPos(TWindow* window, const core::TRect& clientRect);
    // The pre-edit text being composed (empty when none), as last sent with WM_IME_COMPOSITION.
    [[nodiscard]] const std::string& ImeComposition() const { return m_imeComposition; }
    // A Composition event of the backend: stores the text and tells the focus.
    void ApplyImeComposition(const TInputEvent& event);

private:
    friend class TWindow;
    friend class TDeviceContext;
    friend class TWindowTree;
    friend class TWindowPlacement;
    friend class TMessageQueue;
    friend class TInputRouter;
    friend class TFocusManager;
    friend class TPaintScheduler;
    friend class TMoveSizeLoop;
    friend class TNonClient;

    // The collaborators, for each other.
    [[nodiscard]] TWindowTree& Tree() const { return *m_tree; }
    [[nodiscard]] TWindowPlacement& Placement() const { return *m_placement; }
    [[nodiscard]] TMessageQueue& Queue() const { return *m_queue; }
    [[nodiscard]] TInputRouter& Input() const { return *m_input; }
    [[nodiscard]] TFocusManager& Focus() const { return *m_focus; }
    [[nodiscard]] TPaintScheduler& Painter() const { return *m_painter; }
    [[nodiscard]] TMoveSizeLoop& MoveSize() const { return *m_moveSize; }

    // Declared first: the windows' native windows go before the backend that made them.
    std::unique_ptr<TBackend> m_backend;
    int m_scale = 1;
    std::unique_ptr<TWindowTree> m_tree;
    std::unique_ptr<TWindowPlacement> m_placement;
    std::unique_ptr<TMessageQueue> m_queue;
    std::unique_ptr<TInputRouter> m_input;
    std::unique_ptr<TFocusManager> m_focus;
    std::unique_ptr<TPaintScheduler> m_painter;
    std::unique_ptr<TMoveSizeLoop> m_moveSize;
    std::string m_imeComposition;
};

// Shortcuts to the running window system.
TLResult SendMessage(TWindow* window, uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
bool PostMessage(TWindow* window, uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
TLResult DefWindowProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);

}  // namespace platform::ui
