#pragma once
// A window system on the headless backend, with the clock and input in the caller's hands: the
// test harness of every layer above the window system. Every input call queues the input and
// then processes messages until none is pending, so its effects are visible when it returns.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

namespace platform::ui::headless {

class THeadlessSession {
public:
    explicit THeadlessSession(THeadlessScreen screen = {});
    ~THeadlessSession();
    THeadlessSession(const THeadlessSession&) = delete;
    THeadlessSession& operator=(const THeadlessSession&) = delete;

    [[nodiscard]] TWindowSystem& System() { return *m_system; }
    [[nodiscard]] THeadlessBackend& Backend() { return *m_backend; }
    [[nodiscard]] uint64_t Now() const { return m_backend->Now(); }

    // Moves the clock by ms, stopping at every timer deadline on the way (in deadline order) to
    // deliver what is due there, then processes messages at the end time.
    void Advance(uint64_t ms);
    // Dispatches every pending message (input, posted, paint, due timers) and presents.
    void ProcessMessages();

    // ---- Pointer (logical screen coordinates; the backend gets them times the scale) ----
    void MouseMove(core::TPoint screen);
    void MouseDown(TMouseButton button = TMouseButton::Left);
    void MouseUp(TMouseButton button = TMouseButton::Left);
    void Click(core::TPoint screen, TMouseButton button = TMouseButton::Left);
    void DoubleClick(core::TPoint screen, TMouseButton button = TMouseButton::Left);
    // Press at from, move in steps to to, release there.
    void Drag(core::TPoint from, core::TPoint to, int steps = 4, TMouseButton button = TMouseButton::Left);
    void Wheel(int delta);
    // Client coordinates of a window.
    [[nodiscard]] static core::TPoint ScreenPoint(const TWindow* window, core::TPoint client);

    // ---- Keyboard ----
    void KeyDown(uint32_t vk);
    void KeyUp(uint32_t vk);
    // Down and up; a key that types a character (letters, digits, space, Enter, Escape, Tab,
    // Backspace) also sends it between them.
    void KeyPress(uint32_t vk);
    // Each character as the keyboard would type it (letters and digits with their keys, Shift for
    // capitals, other characters as characters alone).
    void TypeText(const std::string& utf8);

    // Called when a loop (a modal dialog, a message box) runs out of input: script the answer
    // and return true, or return false to let time pass. Replaces any previous hook. Input
    // scripted inside the hook is queued and taken by the waiting loop; Advance inside the hook
    // only moves the clock.
    void SetIdleHook(std::function<bool(THeadlessSession&)> hook);

    // ---- Pictures ----
    [[nodiscard]] gfx::TBitmap Screenshot();
    // A top-level window's presented pixels.
    [[nodiscard]] gfx::TBitmap CaptureWindow(const TWindow* window);
    // The screen's pixel at a logical point (the top-left of its block on a scaled screen).
    [[nodiscard]] gfx::TColor ScreenPixel(int x, int y);

private:
    [[nodiscard]] core::TPoint Device(core::TPoint logical) const;
    std::unique_ptr<TWindowSystem> m_system;
    THeadlessBackend* m_backend = nullptr;  // owned by m_system
    bool m_inIdleHook = false;
};

}  // namespace platform::ui::headless
