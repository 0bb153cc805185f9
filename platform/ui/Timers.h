#pragma once
// Window timers on the backend's clock. A timer is due at its deadline; when it is taken, its
// next deadline is one interval after the one just taken (so a timer that is served on time
// fires at exact multiples), or one interval after now when it fell more than a period behind
// (missed periods are not made up, as the platform's timers behave).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::ui {

struct TDueTimer {
    uint64_t WindowId = 0;
    uintptr_t TimerId = 0;
};

class TTimerQueue {
public:
    // Setting an existing (window, id) replaces its interval and restarts it from now. An
    // interval of 0 counts as 1 ms.
    void Set(uint64_t windowId, uintptr_t timerId, uint32_t intervalMs, uint64_t now);
    bool Kill(uint64_t windowId, uintptr_t timerId);
    void KillAll(uint64_t windowId);
    [[nodiscard]] bool Exists(uint64_t windowId, uintptr_t timerId) const;

    // The earliest deadline of all timers.
    [[nodiscard]] std::optional<uint64_t> NextDeadline() const;
    [[nodiscard]] bool HasDue(uint64_t now) const;
    // Takes the earliest due timer (ties: the one set first) and schedules its next period.
    std::optional<TDueTimer> TakeDue(uint64_t now);
    [[nodiscard]] std::size_t Count() const { return m_timers.size(); }

private:
    struct TEntry {
        uint64_t WindowId;
        uintptr_t TimerId;
        uint32_t Interval;
        uint64_t Deadline;
        uint64_t Sequence;
    };
    std::vector<TEntry> m_timers;
    uint64_t m_sequence = 0;
};

}  // namespace platform::ui
