#include "platform/core/Clock.h"

#include <time.h>

#include <memory>
#include <mutex>

namespace platform::core {

namespace {

std::mutex& SourceMutex() {
    static std::mutex mutex;
    return mutex;
}

// Shared so that a reader copies a pointer, not the function, on every tick.
std::shared_ptr<const std::function<uint64_t()>>& Source() {
    static std::shared_ptr<const std::function<uint64_t()>> source;
    return source;
}

uint64_t SystemMonotonic() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000U + static_cast<uint64_t>(ts.tv_nsec) / 1000000U;
}

}  // namespace

uint32_t GetTickCount() { return static_cast<uint32_t>(MonotonicMilliseconds()); }

uint64_t MonotonicMilliseconds() {
    std::shared_ptr<const std::function<uint64_t()>> source;
    {
        const std::lock_guard lock(SourceMutex());
        source = Source();
    }
    // Called outside the lock, so that a source may replace itself.
    return source ? (*source)() : SystemMonotonic();
}

void SetTickSource(std::function<uint64_t()> source) {
    std::shared_ptr<const std::function<uint64_t()>> next;
    if (source) next = std::make_shared<const std::function<uint64_t()>>(std::move(source));
    const std::lock_guard lock(SourceMutex());
    Source() = std::move(next);
}

}  // namespace platform::core
