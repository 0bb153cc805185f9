#pragma once
// Input routing: turns the backend's raw input into window messages. It finds the window under
// the pointer (hit-testing through WM_NCHITTEST, skipping HTTRANSPARENT windows), honours the
// capture, sends mouse enter and leave, mouse activation and WM_SETCURSOR, recognises double
// clicks, keeps the key states, tells system keys from others, and applies the desktop's own
// events (close requests, exposures, desktop moves, focus changes, minimising).

#include <array>
#include <cstdint>

#include "platform/core/Types.h"
#include "platform/ui/Messages.h"
#include "platform/ui/backend/Backend.h"

namespace platform::ui {

class TWindowSystem;

class TInputRouter {
public:
    explicit TInputRouter(TWindowSystem& system) : m_system(system) {}

    // True when the event became a message; desktop events are applied at once (false).
    bool Translate(const TInputEvent& event, TMessage& msg);

    TWindow* SetCapture(TWindow* window);
    void ReleaseCapture();
    [[nodiscard]] TWindow* Capture() const { return m_capture; }
    [[nodiscard]] TWindow* Hover() const { return m_hover; }
    [[nodiscard]] TWindow* WindowFromPoint(core::TPoint screen);
    void SetCursor(TCursorShape shape);

    [[nodiscard]] int16_t GetKeyState(uint32_t vk) const;
    void SetKeyDown(uint32_t vk, bool down);
    // The desktop may have changed modifiers while another program had the keyboard.
    void SyncModifiers(uint32_t modifiers);
    [[nodiscard]] bool IsDown(uint32_t vk) const { return vk < m_keys.size() && (m_keys[vk] & 0x80) != 0; }

    // Where the input taken so far left the pointer.
    [[nodiscard]] core::TPoint Pointer() const { return m_pointer; }
    void SetPointer(core::TPoint screen) { m_pointer = screen; }
    // Alt went down and up with no other key or click between: the menu key.
    bool TakeAltAlone();  // and forgets it

    // A window that goes away (or a subtree that is destroyed) loses capture and hover.
    void Withdraw(TWindow* window);
    void Forget(TWindow* window);

private:
    struct TClickRecord {
        uint64_t WindowId = 0;
        int Button = -1;
        bool NonClient = false;
        uint64_t Time = 0;
        core::TPoint Pos{};
        bool WasDouble = false;
    };

    bool TranslateMouse(const TInputEvent& event, TMessage& msg);
    bool TranslateWheel(const TInputEvent& event, TMessage& msg);
    // The button-down message code; 0 when the press was eaten by mouse activation.
    uint32_t PressCode(const TInputEvent& event, TWindow* target, int hit);
    bool TranslateKey(const TInputEvent& event, TMessage& msg);
    void HandleDesktopEvent(const TInputEvent& event);
    TWindow* HitWindow(TWindow* topLevel, core::TPoint screen, int& hit);
    void UpdateHover(TWindow* window);
    [[nodiscard]] uint32_t MouseKeyFlags() const;
    bool MouseActivate(TWindow* target, TWindow* topLevel, int hit, uint32_t msg);

    TWindowSystem& m_system;
    TWindow* m_capture = nullptr;
    TWindow* m_hover = nullptr;
    std::array<uint8_t, 256> m_keys{};  // bit 0x80 down, bit 0x01 toggled
    core::TPoint m_pointer{};
    bool m_altAlone = false;
    TClickRecord m_lastClick;
};

}  // namespace platform::ui
