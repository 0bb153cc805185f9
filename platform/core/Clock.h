#pragma once
// The millisecond tick clock. Monotonic by default; the window system's backend replaces the
// source (the headless backend's virtual clock moves only when a test advances it).

#include <cstdint>
#include <functional>

namespace platform::core {

// Both read the current source: GetTickCount is its low 32 bits (wraps after 49.7 days).
[[nodiscard]] uint32_t GetTickCount();
[[nodiscard]] uint64_t MonotonicMilliseconds();
// An empty function restores the monotonic clock.
void SetTickSource(std::function<uint64_t()> source);

}  // namespace platform::core
