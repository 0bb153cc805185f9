#pragma once
// A display in memory: a screen of settable size with monitors and work areas, a virtual clock
// that moves only when told, scripted input that travels the same path as real input, and
// screenshots composited from what the window system presented (shapes and opacity honoured).

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Region.h"
#include "platform/ui/backend/Backend.h"

namespace platform::ui::headless {

// Sizes and monitors are in device pixels: a screen of scale 2 that shows 1024 x 768 logical
// pixels is 2048 x 1536.
struct THeadlessScreen {
    int Width = 1024;
    int Height = 768;
    // Empty: one monitor of the screen's size with a panel of 40 x Scale pixels at the bottom.
    std::vector<TMonitor> Monitors;
    // Device pixels per logical pixel (1..8).
    int Scale = 1;
};

// The scale that programs on the headless backend ask for with VK_SCALE (1 when unset or not a
// whole number from 1 to 8).
[[nodiscard]] int HeadlessScaleFromEnvironment();

// What the backend knows of one native window.
struct TNativeWindowState {
    core::TRect Bounds;
    std::string Title;
    bool Popup = false;
    bool ToolWindow = false;
    bool Topmost = false;
    TNativeId Owner = 0;
    bool Visible = false;
    bool Minimized = false;
    bool HasIcon = false;
    std::optional<gfx::TRegion> Shape;
    uint8_t Alpha = 255;
    gfx::TBitmap Content;  // the presented pixels, window-sized
};

struct TPresentRecord {
    TNativeId Window = 0;
    core::TRect Rect;
};

class THeadlessBackend final : public TBackend, public TScreenCapture {
public:
    explicit THeadlessBackend(THeadlessScreen screen = {});
    ~THeadlessBackend() override;

    // ---- TBackend ----
    [[nodiscard]] std::string Name() const override { return "headless"; }
    [[nodiscard]] int Scale() override { return m_screen.Scale; }
    [[nodiscard]] uint64_t Now() override { return m_now; }
    [[nodiscard]] std::vector<TMonitor> Monitors() override;
    [[nodiscard]] core::TPoint CursorPos() override { return m_pointer; }
    void SetCursorPos(core::TPoint screen) override;
    [[nodiscard]] std::unique_ptr<TNativeWindow> OpenWindow(const TNativeWindowParams& params) override;
    [[nodiscard]] bool SupportsOpacity() override { return SupportsOpacityValue; }
    void GrabPointer(TNativeWindow* window) override { m_grab = window ? window->Id() : 0; }
    [[nodiscard]] TNativeWindow* NativeWindowAt(core::TPoint screen) override;
    bool PollEvent(TInputEvent& event) override;
    // Queued input: true. Otherwise OnIdle runs; when it queues input or moves the clock, true.
    // Otherwise the clock moves by the timeout (time passes while nobody acts) as long as the
    // idle time since the last input stays within IdleLimitMs; else false: nothing will come.
    bool WaitForEvents(int64_t timeoutMs) override;
    [[nodiscard]] std::string ClipboardText() override { return m_clipboard; }
    void SetClipboardText(const std::string& text) override { m_clipboard = text; }
    [[nodiscard]] std::string PrimarySelectionText() override { return m_primary; }
    void SetPrimarySelectionText(const std::string& text) override { m_primary = text; }
    void SetImeCaretRect(TNativeWindow* window, const core::TRect& screen) override {
        m_imeCaretWindow = window ? window->Id() : 0;
        m_imeCaretRect = screen;
    }

    [[nodiscard]] TScreenCapture* ScreenCapture() override { return this; }

    // ---- TScreenCapture ----
    [[nodiscard]] gfx::TBitmap CaptureScreen() const override { return Screenshot(); }
    bool SaveScreenshot(const std::string& pngPath) const override;
    bool TakePresented() override;
    void SetIdleHook(std::function<bool()> hook) override { OnIdle = std::move(hook); }

    // ---- Native windows by id (what the native window objects do; tests may call them too).
    // Every call with an unknown id is ignored.
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
    void SetPointerGrab(TNativeId window) { m_grab = window; }
    [[nodiscard]] TNativeId WindowAt(core::TPoint screen);

    // ---- Settings ----
    void SetScreen(THeadlessScreen screen);
    [[nodiscard]] const THeadlessScreen& Screen() const { return m_screen; }
    bool SupportsOpacityValue = true;
    gfx::TColor DesktopColor = 0x00804000;  // what screenshots show where no window is
    uint64_t IdleLimitMs = 600000;
    // Called when a loop waits and no input is queued (a modal loop ran out of input): script
    // input or advance the clock and return true, or return false to let time pass.
    std::function<bool()> OnIdle;

    // ---- Clock ----
    void SetTime(uint64_t ms) { m_now = ms; }
    void AdvanceClock(uint64_t ms) { m_now += ms; }

    // ---- Scripted input (queued; the window system takes it in order) ----
    void QueueMouseMove(core::TPoint screen);
    void QueueButton(TMouseButton button, bool down);
    void QueueWheel(int delta);
    void QueueKey(uint32_t vk, bool down, bool autoRepeat = false);
    void QueueChar(char32_t ch);
    void QueueCloseRequest(TNativeId window);
    void QueueEvent(TInputEvent event);  // anything else (focus changes, desktop moves)
    [[nodiscard]] bool HasQueuedInput() const { return !m_queue.empty(); }
    [[nodiscard]] bool IsButtonDown(TMouseButton button) const;
    [[nodiscard]] uint32_t Modifiers() const;

    // ---- Inspection ----
    [[nodiscard]] const TNativeWindowState* Native(TNativeId window) const;
    // Bottom of the stack first.
    [[nodiscard]] std::vector<TNativeId> Stacking() const;
    [[nodiscard]] TNativeId KeyboardFocus() const { return m_focus; }
    [[nodiscard]] TNativeId PointerGrab() const { return m_grab; }
    [[nodiscard]] TCursorShape Cursor() const { return m_cursor; }
    // The caret rectangle last reported for the input method (screen), and its window.
    [[nodiscard]] const core::TRect& ImeCaretRect() const { return m_imeCaretRect; }
    [[nodiscard]] TNativeId ImeCaretWindow() const { return m_imeCaretWindow; }
    [[nodiscard]] const std::vector<TPresentRecord>& Presents() const { return m_presents; }
    void ClearPresents() { m_presents.clear(); }

    // ---- Screenshots ----
    // The screen as shown: desktop colour, then every visible, not minimised window from the
    // bottom of the stack up, inside its shape, blended with its opacity when supported.
    [[nodiscard]] gfx::TBitmap Screenshot() const;
    // One window's presented pixels (its own size); outside its shape the desktop colour.
    [[nodiscard]] gfx::TBitmap CaptureWindow(TNativeId window) const;

private:
    friend class THeadlessWindow;
    TNativeWindowState* Find(TNativeId window);
    void Restack(TNativeId window);
    void Push(TInputEvent event);

    THeadlessScreen m_screen;
    uint64_t m_now = 0;
    uint64_t m_idleSince = 0;
    core::TPoint m_pointer{};
    TCursorShape m_cursor = TCursorShape::Arrow;
    std::map<TNativeId, TNativeWindowState> m_windows;
    std::vector<TNativeId> m_stack;  // bottom first
    TNativeId m_nextId = 1;
    TNativeId m_focus = 0;
    core::TRect m_imeCaretRect{};
    TNativeId m_imeCaretWindow = 0;
    TNativeId m_grab = 0;
    std::vector<TInputEvent> m_queue;
    std::size_t m_queueHead = 0;
    std::array<bool, 3> m_buttons{};
    std::array<bool, 256> m_keys{};
    std::string m_clipboard;
    std::string m_primary;
    std::vector<TPresentRecord> m_presents;
    std::map<TNativeId, TNativeWindow*> m_objects;  // the live native window objects
};

}  // namespace platform::ui::headless
