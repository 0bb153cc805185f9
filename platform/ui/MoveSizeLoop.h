#pragma once
// The move and size loop: a nested loop that follows the pointer with a top-level window until
// the left button goes up (Escape puts the window back). Posted messages, paint and timers keep
// flowing; pointer and keyboard input belong to the loop.

#include <cstdint>

#include "platform/core/Types.h"
#include "platform/ui/backend/Backend.h"

namespace platform::ui {

class TWindow;
class TWindowSystem;

class TMoveSizeLoop {
public:
    explicit TMoveSizeLoop(TWindowSystem& system) : m_system(system) {}

    // See TWindowSystem::RunMoveSizeLoop.
    void Run(TWindow* window, uint32_t command);
    [[nodiscard]] bool Running() const { return m_state.WindowId != 0; }
    [[nodiscard]] uint64_t WindowId() const { return m_state.WindowId; }
    // The loop has ended but not yet returned: further input waits for it.
    [[nodiscard]] bool Ending() const { return Running() && m_state.Ended; }
    void End(bool cancel);
    // Input while the loop runs; false for what goes its usual way (desktop events).
    bool Input(const TInputEvent& event);
    void Forget(const TWindow* window);

private:
    struct TState {
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

    bool Begin(TWindow* window, uint32_t command);
    void Track(TWindow* window, core::TPoint pointer);
    [[nodiscard]] core::TRect Sized(core::TRect rect, int dx, int dy) const;

    TWindowSystem& m_system;
    TState m_state;
};

}  // namespace platform::ui
