#include "platform/ui/Timers.h"

#include <algorithm>

namespace platform::ui {

void TTimerQueue::Set(uint64_t windowId, uintptr_t timerId, uint32_t intervalMs, uint64_t now) {
    const uint32_t interval = std::max<uint32_t>(intervalMs, 1);
    for (auto& t : m_timers) {
        if (t.WindowId == windowId && t.TimerId == timerId) {
            t.Interval = interval;
            t.Deadline = now + interval;
            t.Sequence = ++m_sequence;
            return;
        }
    }
    m_timers.push_back({windowId, timerId, interval, now + interval, ++m_sequence});
}

bool TTimerQueue::Kill(uint64_t windowId, uintptr_t timerId) {
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const TEntry& t) { return t.WindowId == windowId && t.TimerId == timerId; });
    if (it == m_timers.end()) return false;
    m_timers.erase(it);
    return true;
}

void TTimerQueue::KillAll(uint64_t windowId) {
    std::erase_if(m_timers, [&](const TEntry& t) { return t.WindowId == windowId; });
}

bool TTimerQueue::Exists(uint64_t windowId, uintptr_t timerId) const {
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [&](const TEntry& t) { return t.WindowId == windowId && t.TimerId == timerId; });
}

std::optional<uint64_t> TTimerQueue::NextDeadline() const {
    std::optional<uint64_t> next;
    for (const auto& t : m_timers)
        if (!next || t.Deadline < *next) next = t.Deadline;
    return next;
}

bool TTimerQueue::HasDue(uint64_t now) const {
    return std::any_of(m_timers.begin(), m_timers.end(), [&](const TEntry& t) { return t.Deadline <= now; });
}

std::optional<TDueTimer> TTimerQueue::TakeDue(uint64_t now) {
    TEntry* best = nullptr;
    for (auto& t : m_timers) {
        if (t.Deadline > now) continue;
        if (!best || t.Deadline < best->Deadline ||
            (t.Deadline == best->Deadline && t.Sequence < best->Sequence))
            best = &t;
    }
    if (!best) return std::nullopt;
    best->Deadline += best->Interval;
    if (best->Deadline <= now) best->Deadline = now + best->Interval;
    return TDueTimer{best->WindowId, best->TimerId};
}

}  // namespace platform::ui
