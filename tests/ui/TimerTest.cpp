#include <gtest/gtest.h>

#include "platform/core/Clock.h"
#include "platform/ui/Timers.h"
#include "support/HeadlessFixture.h"
#include "support/MessageLog.h"
#include "ui/UiTestWindows.h"

using namespace platform::ui;

namespace {

class TimerTest : public vktest::HeadlessFixture {
protected:
    std::vector<uint64_t> TimesOf(uintptr_t id) const {
        std::vector<uint64_t> out;
        for (const auto& e : log.Of(WM_TIMER))
            if (e.WParam == id) out.push_back(e.Time);
        return out;
    }
    vktest::MessageLog log;
};

TEST_F(TimerTest, ResettingAnIdReplacesItsInterval) {
    TWindow* w = nullptr;
    w = vktest::MakeTopLevel(
        System(), {0, 0, 10, 10},
        log.Proc("w", [&](TWindow& self, uint32_t msg, TWParam wp, TLParam) -> std::optional<TLResult> {
            if (msg == WM_TIMER && wp == 1 && log.Count(WM_TIMER) == 1) System().SetTimer(&self, 1, 100);
            return std::nullopt;
        }));
    System().SetTimer(w, 1, 500);
    Advance(750);
    EXPECT_EQ(TimesOf(1), (std::vector<uint64_t>{500, 600, 700}));
}

TEST_F(TimerTest, ResetBeforeFirstTickRestartsFromNow) {
    TWindow* w = vktest::MakeTopLevel(System(), {0, 0, 10, 10}, log.Proc("w"));
    System().SetTimer(w, 1, 500);
    System().SetTimer(w, 1, 100);
    Advance(250);
    EXPECT_EQ(TimesOf(1), (std::vector<uint64_t>{100, 200}));
    // Re-set 50 ms into a period, the next tick is a whole interval away.
    System().SetTimer(w, 1, 100);
    Advance(150);
    EXPECT_EQ(TimesOf(1), (std::vector<uint64_t>{100, 200, 350}));
}

TEST_F(TimerTest, TimersInterleaveAtTheirExactTimesAndStopWhenKilled) {
    TWindow* w = vktest::MakeTopLevel(System(), {0, 0, 10, 10}, log.Proc("w"));
    Advance(5);
    System().SetTimer(w, 1, 50);
    System().SetTimer(w, 2, 20);
    Advance(100);
    EXPECT_EQ(TimesOf(1), (std::vector<uint64_t>{55, 105}));
    EXPECT_EQ(TimesOf(2), (std::vector<uint64_t>{25, 45, 65, 85, 105}));
    EXPECT_TRUE(System().KillTimer(w, 2));
    EXPECT_FALSE(System().KillTimer(w, 2));
    log.Clear();
    Advance(100);
    EXPECT_EQ(TimesOf(2), std::vector<uint64_t>{});
    EXPECT_EQ(TimesOf(1), (std::vector<uint64_t>{155, 205}));
    EXPECT_EQ(platform::core::GetTickCount(), 205u);  // the program's clock is the virtual one
}

TEST(TimerQueueTest, LateTimerFiresOnceAndTiesGoToTheEarlierSet) {
    TTimerQueue q;
    q.Set(1, 1, 100, 0);
    q.Set(2, 1, 100, 0);
    // Taken 350 ms late: one tick for each, and the next deadline counts from now.
    auto first = q.TakeDue(350);
    auto second = q.TakeDue(350);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->WindowId, 1u);
    EXPECT_EQ(second->WindowId, 2u);
    EXPECT_FALSE(q.TakeDue(350));
    EXPECT_EQ(q.NextDeadline(), 450u);
    q.Set(3, 9, 0, 450);  // a zero interval still waits a millisecond
    EXPECT_EQ(q.TakeDue(450)->WindowId, 1u);
    EXPECT_EQ(q.TakeDue(450)->WindowId, 2u);
    EXPECT_FALSE(q.TakeDue(450));
    EXPECT_EQ(q.TakeDue(451)->WindowId, 3u);
    q.KillAll(1);
    EXPECT_FALSE(q.Exists(1, 1));
    EXPECT_TRUE(q.Exists(2, 1));
}

}  // namespace
