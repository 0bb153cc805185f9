#pragma once
// The window system: one per process, on the user-interface thread. It owns every window, the
// message queue and loop, timers, invalidation and painting into the top-level windows' back
// buffers, input routing (capture, focus, activation, double clicks, enter and leave), the
// non-client protocol with its move and size loop, window states and the screens. A backend
// (Backend.h) shows the top-level windows and delivers raw input.
//
// Message order: sent messages run at once; the loop hands out posted messages first, then input,
// then WM_PAINT, then WM_TIMER, as the platform the program was designed on does.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gfx/Region.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Screens.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "platform/ui/backend/Backend.h"

namespace platform::ui {

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
    [[nodiscard]] uint64_t Now() const;

    // ---- Windows (WindowSystem.cpp) ----
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
    [[nodiscard]] const std::vector<TWindow*>& TopLevelWindows() const { return m_topLevels; }

    // ---- Position, state, attributes (WindowPos.cpp) ----
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

    // ---- Messages (MessageLoop.cpp) ----
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
    [[nodiscard]] int LoopDepth() const { return m_loopDepth; }
    [[nodiscard]] bool QuitPending() const { return m_quit.has_value(); }

    // Called with every message the loops take, before dispatch; true means handled.
    std::function<bool(TMessage&)> MessageFilter;
    // Called once each time the loops run out of messages, before they wait.
    std::function<void()> OnIdle;

    // ---- Timers ----
    // Re-setting an id replaces its interval. False for a dead window.
    bool SetTimer(TWindow* window, uintptr_t timerId, uint32_t intervalMs);
    bool KillTimer(TWindow* window, uintptr_t timerId);
    [[nodiscard]] std::optional<uint64_t> NextTimerDeadline() const { return m_timers.NextDeadline(); }

    // ---- Invalidation and painting (Painting.cpp) ----
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
    [[nodiscard]] const TPaintStats& PaintStats() const { return m_stats; }
    void ResetPaintStats() { m_stats = {}; }

    // ---- Input, focus, activation (Input.cpp, Activation.cpp) ----
    TWindow* SetCapture(TWindow* window);  // returns the previous capture
    void ReleaseCapture();
    [[nodiscard]] TWindow* GetCapture() const { return m_capture; }
    // Returns the previous focus. Refused (focus unchanged) for windows of WS_EX_NOACTIVATE
    // top-levels and dead windows; activates the window's top-level first.
    TWindow* SetFocus(TWindow* window);
    [[nodiscard]] TWindow* GetFocus() const { return m_focus; }
    // Refused for WS_EX_NOACTIVATE, hidden, disabled and message-only windows.
    bool SetActiveWindow(TWindow* window);
    [[nodiscard]] TWindow* GetActiveWindow() const { return m_active; }
    // The deepest visible, enabled window at a screen point whose shape contains it.
    [[nodiscard]] TWindow* WindowFromPoint(core::TPoint screen);
    // The window under the pointer as last seen by the input (the one that got CM_MOUSEENTER).
    [[nodiscard]] TWindow* MouseWindow() const { return m_hover; }
    // High bit: down; low bit: toggled (every press). Mouse buttons use VK_LBUTTON etc.
    [[nodiscard]] int16_t GetKeyState(uint32_t vk) const;
    [[nodiscard]] core::TPoint GetCursorPos();
    void SetCursorPos(core::TPoint screen);
    // The pointer shape over the window under the pointer (call it in WM_SETCURSOR).
    void SetCursor(TCursorShape shape);
    [[nodiscard]] bool DragFullWindows() const { return true; }

    // ---- Non-client protocol and move/size loop (NonClient.cpp, MoveSize.cpp) ----
    // The default processing of every message.
    static TLResult DefWindowProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);
    // Runs the move (SC_MOVE) or size (SC_SIZE + WMSZ_*) loop for a top-level window until the
    // left button is released (Escape restores the old bounds). Returns when the loop has ended.
    void RunMoveSizeLoop(TWindow* window, uint32_t command);
    [[nodiscard]] bool InMoveSizeLoop() const { return m_moveSize.WindowId != 0; }

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

private:
    friend class TWindow;
    friend class TDeviceContext;

    struct TQueued {
        uint64_t WindowId;  // 0 = thread message
        uint32_t Msg;
        TWParam WParam;
        TLParam LParam;
        uint64_t Time;
        core::TPoint Pt;
    };
    enum class TWaitResult : uint8_t { Message, Quit, Stalled, Done };

    struct TClickRecord {
        uint64_t WindowId = 0;
        int Button = -1;
        bool NonClient = false;
        uint64_t Time = 0;
        core::TPoint Pos{};
        bool WasDouble = false;
    };
    struct TMoveSizeState {
        uint64_t WindowId = 0;  // nonzero while a loop runs
        uint32_t Command = 0;
        int Edge = 0;
        core::TPoint Start{};
        core::TRect StartRect{};
        core::TRect Current{};
        bool Ended = false;
        bool Cancelled = false;
        core::TPoint MinTrack{};
        core::TPoint MaxTrack{};
    };

    // WindowSystem.cpp
    TWindow* Resolve(uint64_t id) const;
    void Release(TWindow* window);  // frees a destroyed window whose procedures have returned
    void DestroyTree(TWindow* window);
    void SendDestroyMessages(TWindow* window, bool nc);
    void Unlink(TWindow* window);
    void ForgetWindow(TWindow* window);
    TLResult CallProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);

    // WindowPos.cpp
    void ApplyBounds(TWindow* window, const core::TRect& rect, bool frameChanged, bool redraw);
    core::TRect CalcClientArea(TWindow* window, const core::TRect& rect);
    void RaiseTopLevel(TWindow* window);
    void ShowTopLevel(TWindow* window, bool show, bool activate);
    void SetShowState(TWindow* window, TShowState state);
    TMinMaxInfo QueryMinMax(TWindow* window);
    void UpdateNativeAlpha(TWindow* window);

    // MessageLoop.cpp
    bool TakeMessage(TMessage& msg, bool remove);
    // done (when given) is checked before taking a message and before every wait.
    TWaitResult WaitMessage(TMessage& msg, const std::function<bool()>& done);
    bool FilterAndDispatch(TMessage& msg);
    bool PollBackend();

    // Painting.cpp
    void AddUpdate(TWindow* window, const gfx::TRegion& clientRegion, bool erase, bool children);
    void InvalidateInTopLevel(TWindow* topLevel, const gfx::TRegion& area);
    TWindow* FindPaintTarget(TWindow* root) const;
    bool PaintNext(TWindow* root, TMessage& msg);
    void SendNcPaint(TWindow* window);
    void AddDirty(TWindow* window, const gfx::TRegion& bufferRegion);
    void EnsureBackBuffer(TWindow* topLevel);
    gfx::TRegion ShapeInTopLevel(const TWindow* window, bool clientOnly) const;
    void EndContext(TDeviceContext& dc);

    // Input.cpp
    bool TranslateInput(const TInputEvent& event, TMessage& msg);
    bool TranslateMouse(const TInputEvent& event, TMessage& msg);
    bool TranslateKey(const TInputEvent& event, TMessage& msg);
    void HandleDesktopEvent(const TInputEvent& event);
    TWindow* HitWindow(TWindow* window, core::TPoint screen, int& hit);
    void UpdateHover(TWindow* window);
    void SyncModifiers(uint32_t modifiers);
    void SetKeyDown(uint32_t vk, bool down);
    uint32_t MouseKeyFlags() const;
    bool MouseActivate(TWindow* target, TWindow* topLevel, int hit, uint32_t msg);

    // Activation.cpp
    void Activate(TWindow* topLevel, int how);
    void ActivateNextAfter(TWindow* leaving);
    void FocusLost(TWindow* window);

    // MoveSize.cpp
    bool MoveSizeInput(const TInputEvent& event);
    void MoveSizeTrack(TWindow* window, core::TPoint pointer);
    void EndMoveSize(bool cancel);

    std::unique_ptr<TBackend> m_backend;
    std::unordered_map<uint64_t, std::unique_ptr<TWindow>> m_windows;
    std::unordered_set<const TWindow*> m_alive;
    std::vector<std::unique_ptr<TWindow>> m_zombies;  // destroyed while a procedure still runs
    std::vector<TWindow*> m_topLevels;
    std::unordered_map<TNativeId, TWindow*> m_byNative;
    uint64_t m_nextId = 1;

    std::deque<TQueued> m_posted;
    std::deque<TInputEvent> m_input;
    std::deque<TMessage> m_translated;  // input turned into messages by a peek without removal
    std::optional<int> m_quit;
    int m_loopDepth = 0;
    TTimerQueue m_timers;

    TWindow* m_capture = nullptr;
    TWindow* m_focus = nullptr;
    TWindow* m_active = nullptr;
    TWindow* m_hover = nullptr;
    std::array<uint8_t, 256> m_keys{};  // bit 0x80 down, bit 0x01 toggled
    core::TPoint m_pointer{};           // where the input taken so far left the pointer
    bool m_altAlone = false;
    uint64_t m_desktopChange = 0;  // the window whose desktop-made change is applied: not echoed back
    TClickRecord m_lastClick;
    TMoveSizeState m_moveSize;
    TPaintStats m_stats;
};

// Shortcuts to the running window system.
TLResult SendMessage(TWindow* window, uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
bool PostMessage(TWindow* window, uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
TLResult DefWindowProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);

}  // namespace platform::ui
