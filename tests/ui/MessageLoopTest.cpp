#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "support/MessageLog.h"
#include "ui/UiTestWindows.h"

using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;

namespace {

class MessageLoopTest : public vktest::HeadlessFixture {
protected:
    vktest::MessageLog log;
};

TEST_F(MessageLoopTest, PostedThenInputThenPaintThenTimer) {
    TWindow* w = vktest::MakeTopLevel(
        System(), {100, 100, 300, 300},
        log.Proc("w", [&](TWindow& self, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
            // The first input posts a message: it must come before the second input.
            if (msg == WM_MOUSEMOVE && log.Count(WM_MOUSEMOVE) == 1) self.Post(WM_USER + 3);
            return std::nullopt;
        }));
    ProcessMessages();
    System().SetTimer(w, 1, 10);
    Backend().SetTime(10);  // the timer is due, nothing has run yet
    w->Invalidate();
    w->Post(WM_USER + 1);
    Backend().QueueMouseMove({150, 150});
    Backend().QueueMouseMove({160, 160});
    w->Post(WM_USER + 2);
    log.Clear();
    ProcessMessages();
    EXPECT_EQ(log.Names({WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}),
              (std::vector<std::string>{"w:WM_USER+1", "w:WM_USER+2", "w:WM_MOUSEMOVE", "w:WM_USER+3",
                                        "w:WM_MOUSEMOVE", "w:WM_PAINT", "w:WM_TIMER"}));
}

TEST_F(MessageLoopTest, SendIsSynchronousAndPostWaitsForTheLoop) {
    TWindow* w = vktest::MakeTopLevel(
        System(), {0, 0, 50, 50},
        log.Proc("w", [](TWindow&, uint32_t msg, TWParam wp, TLParam) -> std::optional<TLResult> {
            if (msg == WM_USER) return static_cast<TLResult>(wp * 2);
            return std::nullopt;
        }));
    EXPECT_EQ(w->Send(WM_USER, 21), 42);
    EXPECT_TRUE(w->Post(WM_USER + 1));
    EXPECT_EQ(log.Count(WM_USER + 1), 0u);
    ProcessMessages();
    EXPECT_EQ(log.Count(WM_USER + 1), 1u);
}

TEST_F(MessageLoopTest, NestedModalLoopEndsWithItsResult) {
    int result = 0;
    TLoopEnd end = TLoopEnd::Stalled;
    TWindow* dialog = nullptr;
    TWindow* owner = vktest::MakeTopLevel(
        System(), {0, 0, 200, 200},
        log.Proc("owner", [&](TWindow&, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
            if (msg != WM_USER) return std::nullopt;
            dialog->Post(WM_USER + 1);  // must be delivered inside the nested loop
            System().SetTimer(dialog, 5, 300);
            end = System().RunModalLoop([&] { return result != 0; });
            return 0;
        }));
    dialog = vktest::MakeTopLevel(
        System(), {50, 50, 150, 150},
        log.Proc("dialog", [&](TWindow& self, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
            if (msg == WM_TIMER) {
                System().KillTimer(&self, 5);
                result = 7;
            }
            return std::nullopt;
        }));
    owner->Post(WM_USER);
    log.Clear();
    ProcessMessages();
    EXPECT_EQ(end, TLoopEnd::Done);
    EXPECT_EQ(result, 7);
    // Nobody scripted input: the loop let virtual time run to the timer.
    EXPECT_EQ(Session().Now(), 300u);
    EXPECT_EQ(log.Names({WM_USER + 1, WM_TIMER}),
              (std::vector<std::string>{"dialog:WM_USER+1", "dialog:WM_TIMER"}));
    EXPECT_EQ(System().LoopDepth(), 0);
}

TEST_F(MessageLoopTest, IdleHookAnswersAModalLoopWithScriptedInput) {
    int answer = 0;
    TWindow* box = vktest::MakeTopLevel(
        System(), {100, 100, 300, 200},
        log.Proc("box", [&](TWindow&, uint32_t msg, TWParam, TLParam lp) -> std::optional<TLResult> {
            if (msg == WM_LBUTTONUP) answer = PointFromLParam(lp).X < 100 ? 1 : 2;
            return std::nullopt;
        }));
    ProcessMessages();
    int hookCalls = 0;
    Session().SetIdleHook([&](auto& session) {
        ++hookCalls;
        session.Click(session.ScreenPoint(box, {150, 50}));
        return true;
    });
    EXPECT_EQ(System().RunModalLoop([&] { return answer != 0; }), TLoopEnd::Done);
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(hookCalls, 1);
}

TEST_F(MessageLoopTest, ModalLoopWithoutInputOrTimersStallsInsteadOfHanging) {
    vktest::MakeTopLevel(System(), {0, 0, 50, 50}, log.Proc("w"));
    EXPECT_EQ(System().RunModalLoop([] { return false; }), TLoopEnd::Stalled);
}

TEST_F(MessageLoopTest, QuitEndsTheModalLoopAndReachesTheOuterLoop) {
    TWindow* w = vktest::MakeTopLevel(System(), {0, 0, 50, 50}, log.Proc("w"));
    w->Post(WM_USER);
    System().PostQuitMessage(3);
    TLoopEnd inner = TLoopEnd::Done;
    TWindow* outer = vktest::MakeTopLevel(
        System(), {0, 0, 50, 50},
        log.Proc("outer", [&](TWindow&, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
            if (msg == WM_USER + 9) inner = System().RunModalLoop([] { return false; });
            return std::nullopt;
        }));
    outer->Post(WM_USER + 9);
    EXPECT_EQ(System().Run(), 3);
    EXPECT_EQ(inner, TLoopEnd::Quit);
    EXPECT_FALSE(System().QuitPending());
    EXPECT_EQ(log.Count(WM_USER, "w"), 1u);  // posted before the quit, so delivered first
}

TEST_F(MessageLoopTest, ChainedProceduresRunNewestFirstAndMayReplaceThemselves) {
    std::vector<std::string> calls;
    TWindow* w = vktest::MakeTopLevel(System(), {0, 0, 50, 50},
                                      [&](TWindow& self, uint32_t msg, TWParam wp, TLParam lp) -> TLResult {
                                          if (msg == WM_USER) calls.push_back("form");
                                          return DefWindowProc(self, msg, wp, lp);
                                      });
    TWndProc formProc = w->SetWndProc({});
    w->SetWndProc([&, formProc](TWindow& self, uint32_t msg, TWParam wp, TLParam lp) -> TLResult {
        if (msg == WM_USER) {
            calls.push_back("skin");
            // Put the form's procedure back while this one still runs.
            self.SetWndProc(formProc);
            calls.push_back("skin still running");
        }
        return formProc(self, msg, wp, lp);
    });
    w->Send(WM_USER);
    w->Send(WM_USER);
    EXPECT_EQ(calls, (std::vector<std::string>{"skin", "skin still running", "form", "form"}));
}

TEST_F(MessageLoopTest, DestroyOrderAndDestroyFromOwnProcedure) {
    TWindow* top = vktest::MakeTopLevel(System(), {0, 0, 200, 200}, log.Proc("top"));
    TWindow* child = vktest::MakeChild(System(), top, {0, 0, 50, 50}, log.Proc("child"));
    vktest::MakeChild(System(), child, {0, 0, 10, 10}, log.Proc("grandchild"));
    System().SetTimer(child, 1, 10);
    child->Post(WM_USER);
    log.Clear();
    top->Send(WM_CLOSE);  // the default closes by destroying, inside top's own procedure
    EXPECT_FALSE(System().IsWindow(top));
    EXPECT_EQ(
        log.Names({WM_DESTROY, WM_NCDESTROY}),
        (std::vector<std::string>{"top:WM_DESTROY", "child:WM_DESTROY", "grandchild:WM_DESTROY",
                                  "grandchild:WM_NCDESTROY", "child:WM_NCDESTROY", "top:WM_NCDESTROY"}));
    log.Clear();
    Advance(50);  // the posted message and the timer died with the window
    EXPECT_TRUE(log.Entries.empty());
}

TEST_F(MessageLoopTest, CreationMessagesAndRefusal) {
    TCreateParams p;
    p.Bounds = {10, 20, 110, 70};
    p.WndProc = log.Proc("w");
    TWindow* w = System().CreateWindow(p);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(log.Names({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}),
              (std::vector<std::string>{"w:WM_NCCREATE", "w:WM_NCCALCSIZE", "w:WM_CREATE", "w:WM_SIZE",
                                        "w:WM_MOVE"}));
    EXPECT_FALSE(w->IsVisible());

    p.WndProc = log.Proc("refused", [](TWindow&, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
        if (msg == WM_CREATE) return -1;
        return std::nullopt;
    });
    log.Clear();
    EXPECT_EQ(System().CreateWindow(p), nullptr);
    EXPECT_EQ(log.Count(WM_NCDESTROY, "refused"), 1u);

    TCreateParams orphan;
    orphan.Style = WS_CHILD;
    EXPECT_EQ(System().CreateWindow(orphan), nullptr);
}

}  // namespace
