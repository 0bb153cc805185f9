#pragma once
// The message queue and the loops. Posted messages come first, then input (turned into
// messages by the input router), then WM_QUIT, then WM_PAINT (from the paint scheduler), then
// WM_TIMER. Input waits here as the backend delivered it until a loop takes it.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "platform/core/Types.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Timers.h"
#include "platform/ui/backend/Backend.h"

namespace platform::ui {

class TWindowSystem;
enum class TLoopEnd : uint8_t;

class TMessageQueue {
public:
    explicit TMessageQueue(TWindowSystem& system) : m_system(system) {}

    // See the loop members of TWindowSystem.
    bool Post(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam);
    void PostQuit(int exitCode) { m_quit = exitCode; }
    bool Peek(TMessage& msg, bool remove) { return Take(msg, remove); }
    bool Get(TMessage& msg);
    TLResult Dispatch(const TMessage& msg);
    bool ProcessMessages();
    int Run();
    TLoopEnd RunModal(const std::function<bool()>& done);
    [[nodiscard]] int LoopDepth() const { return m_loopDepth; }
    [[nodiscard]] bool QuitPending() const { return m_quit.has_value(); }

    TTimerQueue& Timers() { return m_timers; }
    [[nodiscard]] const TTimerQueue& Timers() const { return m_timers; }

    // Whether input from the backend still waits to be taken.
    [[nodiscard]] bool HasPendingInput() const { return !m_input.empty(); }
    // Input already taken from the backend no longer points at a native window that goes away.
    void ForgetNative(const TNativeWindow* native);

private:
    enum class TWaitResult : uint8_t { Message, Quit, Stalled, Done };
    struct TQueued {
        uint64_t WindowId;  // 0 = thread message
        uint32_t Msg;
        TWParam WParam;
        TLParam LParam;
        uint64_t Time;
        core::TPoint Pt;
    };

    bool Take(TMessage& msg, bool remove);
    bool TakePosted(TMessage& msg, bool remove);
    // Input in order; std::nullopt when it ran out, else whether a message came of it.
    std::optional<bool> TakeInput(TMessage& msg, bool remove);
    bool TakePaint(TMessage& msg);
    bool TakeTimer(TMessage& msg, bool remove);
    void PollBackend();
    // done (when given) is checked before taking a message and before every wait.
    TWaitResult Wait(TMessage& msg, const std::function<bool()>& done);
    void FilterAndDispatch(TMessage& msg);

    TWindowSystem& m_system;
    std::deque<TQueued> m_posted;
    std::deque<TInputEvent> m_input;
    std::deque<TMessage> m_translated;  // input turned into messages by a peek without removal
    std::optional<int> m_quit;
    int m_loopDepth = 0;
    TTimerQueue m_timers;
};

}  // namespace platform::ui
