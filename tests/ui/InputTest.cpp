#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "support/MessageLog.h"
#include "ui/UiTestWindows.h"

using namespace platform::ui;
using platform::core::TPoint;

namespace {

class InputTest : public vktest::HeadlessFixture {
protected:
    vktest::MessageLog log;
};

TEST_F(InputTest, CaptureKeepsMouseMessagesOutsideTheWindow) {
    TWindow* a = vktest::MakeTopLevel(
        System(), {100, 100, 200, 200},
        log.Proc("a", [&](TWindow& self, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
            if (msg == WM_LBUTTONDOWN) System().SetCapture(&self);
            if (msg == WM_LBUTTONUP) System().ReleaseCapture();
            return std::nullopt;
        }));
    vktest::MakeTopLevel(System(), {400, 400, 500, 500}, log.Proc("b"));
    Session().MouseMove({150, 150});
    Session().MouseDown();
    EXPECT_EQ(System().GetCapture(), a);
    log.Clear();
    Session().MouseMove({450, 420});  // over b
    Session().MouseUp();
    EXPECT_EQ(log.Count(WM_MOUSEMOVE, "b"), 0u);
    const auto moves = log.Of(WM_MOUSEMOVE, "a");
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(PointFromLParam(moves[0].LParam), (TPoint{350, 320}));  // a's client coordinates
    const auto ups = log.Of(WM_LBUTTONUP, "a");
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(PointFromLParam(ups[0].LParam), (TPoint{350, 320}));
    EXPECT_EQ(log.Count(WM_CAPTURECHANGED, "a"), 1u);
    EXPECT_EQ(System().GetCapture(), nullptr);
    log.Clear();
    Session().MouseMove({460, 420});
    EXPECT_EQ(log.Count(WM_MOUSEMOVE, "b"), 1u);
}

class DoubleClickTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        w = vktest::MakeTopLevel(System(), {0, 0, 300, 300}, log.Proc("w"), WS_POPUP, 0, CS_DBLCLKS);
    }
    std::vector<std::string> Downs() const {
        return log.Names({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK});
    }
    TWindow* w = nullptr;
};

TEST_F(DoubleClickTest, WithinTimeAndDistanceIsADoubleClick) {
    Session().Click({100, 100});
    Advance(500);
    Session().Click({104, 96});
    Session().Click({104, 96});  // a third click starts over
    EXPECT_EQ(Downs(),
              (std::vector<std::string>{"w:WM_LBUTTONDOWN", "w:WM_LBUTTONDBLCLK", "w:WM_LBUTTONDOWN"}));
}

TEST_F(DoubleClickTest, TooLateTooFarOrAnotherButtonIsASecondPress) {
    Session().Click({100, 100});
    Advance(501);
    Session().Click({100, 100});
    Advance(600);
    Session().Click({100, 100});
    Session().Click({105, 100});
    Advance(600);
    Session().Click({100, 100});
    Session().Click({100, 100}, TMouseButton::Right);
    EXPECT_EQ(Downs(),
              (std::vector<std::string>{"w:WM_LBUTTONDOWN", "w:WM_LBUTTONDOWN", "w:WM_LBUTTONDOWN",
                                        "w:WM_LBUTTONDOWN", "w:WM_LBUTTONDOWN", "w:WM_RBUTTONDOWN"}));
}

TEST_F(DoubleClickTest, OnlyWindowsThatAskGetClientDoubleClicksButFramesAlwaysDo) {
    TWindow* plain = vktest::MakeTopLevel(
        System(), {400, 0, 600, 200},
        log.Proc("plain", [](TWindow& self, uint32_t msg, TWParam, TLParam lp) -> std::optional<TLResult> {
            if (msg == WM_NCHITTEST)
                return self.ScreenToClient(PointFromLParam(lp)).Y < 20 ? HTCAPTION : HTCLIENT;
            if (msg == WM_NCLBUTTONDOWN) return 0;  // no move loop here
            return std::nullopt;
        }));
    ASSERT_NE(plain, nullptr);
    Session().DoubleClick({500, 100});
    Session().DoubleClick({500, 10});
    EXPECT_EQ(log.Names({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK}),
              (std::vector<std::string>{"plain:WM_LBUTTONDOWN", "plain:WM_LBUTTONDOWN",
                                        "plain:WM_NCLBUTTONDOWN", "plain:WM_NCLBUTTONDBLCLK"}));
    const auto nc = log.Of(WM_NCLBUTTONDBLCLK);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(static_cast<int>(nc[0].WParam), HTCAPTION);
    EXPECT_EQ(PointFromLParam(nc[0].LParam), (TPoint{500, 10}));  // screen coordinates
}

TEST_F(InputTest, EnterAndLeaveComeInPairsEvenUnderCapture) {
    TWindow* parent = vktest::MakeTopLevel(System(), {100, 100, 300, 300}, log.Proc("p"));
    vktest::MakeChild(System(), parent, {50, 50, 100, 100}, log.Proc("c"));
    Session().MouseMove({10, 10});
    Session().MouseMove({120, 120});
    Session().MouseMove({125, 125});
    Session().MouseMove({170, 170});
    Session().MouseMove({120, 120});
    System().SetCapture(parent);
    Session().MouseMove({175, 175});  // over the child while the parent holds the capture
    Session().MouseMove({500, 500});
    EXPECT_EQ(log.Names({CM_MOUSEENTER, CM_MOUSELEAVE}),
              (std::vector<std::string>{"p:CM_MOUSEENTER", "p:CM_MOUSELEAVE", "c:CM_MOUSEENTER",
                                        "c:CM_MOUSELEAVE", "p:CM_MOUSEENTER", "p:CM_MOUSELEAVE",
                                        "c:CM_MOUSEENTER", "c:CM_MOUSELEAVE"}));
    EXPECT_EQ(log.Count(WM_MOUSEMOVE, "c"), 1u);  // only before the capture
}

TEST_F(InputTest, DisabledChildrenPassClicksToTheParentAndDisabledWindowsGetNothing) {
    TWindow* top = vktest::MakeTopLevel(System(), {0, 0, 200, 200}, log.Proc("top"));
    TWindow* child = vktest::MakeChild(System(), top, {0, 0, 100, 100}, log.Proc("child"));
    System().EnableWindow(child, false);
    Session().Click({50, 50});
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN, "child"), 0u);
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN, "top"), 1u);
    System().EnableWindow(top, false);
    log.Clear();
    Session().Click({150, 150});
    Session().KeyPress('A');
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN), 0u);
    EXPECT_EQ(log.Count(WM_KEYDOWN), 0u);
}

TEST_F(InputTest, KeysGoToTheFocusWithAltAsSystemKeys) {
    TWindow* top = vktest::MakeTopLevel(System(), {0, 0, 200, 200}, log.Proc("top"));
    TWindow* edit = vktest::MakeChild(System(), top, {0, 0, 100, 20}, log.Proc("edit"));
    System().SetFocus(edit);
    log.Clear();
    Session().TypeText("a");
    Session().KeyDown(VK_SHIFT);
    EXPECT_LT(System().GetKeyState(VK_SHIFT), 0);
    Session().KeyUp(VK_SHIFT);
    EXPECT_GE(System().GetKeyState(VK_SHIFT), 0);
    Session().KeyDown(VK_MENU);
    Session().KeyPress('X');
    Session().KeyUp(VK_MENU);
    EXPECT_EQ(log.Names({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR}),
              (std::vector<std::string>{"edit:WM_KEYDOWN", "edit:WM_CHAR", "edit:WM_KEYUP", "edit:WM_KEYDOWN",
                                        "edit:WM_KEYUP", "edit:WM_SYSKEYDOWN", "edit:WM_SYSKEYDOWN",
                                        "edit:WM_SYSCHAR", "edit:WM_SYSKEYUP", "edit:WM_SYSKEYUP"}));
    EXPECT_EQ(log.Of(WM_CHAR)[0].WParam, static_cast<TWParam>('a'));
    EXPECT_NE(static_cast<uint32_t>(log.Of(WM_SYSKEYDOWN)[1].LParam) & KF_ALTDOWN, 0u);
    // Alt with a character asks the menu for that accelerator; releasing Alt after another key
    // is no menu key, but Alt pressed alone is.
    auto commands = log.Of(WM_SYSCOMMAND, "top");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].WParam, SC_KEYMENU);
    EXPECT_EQ(commands[0].LParam, 'x');
    Session().KeyPress(VK_MENU);
    commands = log.Of(WM_SYSCOMMAND, "top");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].WParam, SC_KEYMENU);
    EXPECT_EQ(commands[1].LParam, 0);
}

TEST_F(InputTest, AltF4ClosesTheActiveWindowAndWheelGoesToTheFocus) {
    TWindow* top = vktest::MakeTopLevel(System(), {0, 0, 200, 200}, log.Proc("top"));
    TWindow* list = vktest::MakeChild(System(), top, {0, 0, 100, 100}, log.Proc("list"));
    System().SetFocus(list);
    Session().MouseMove({150, 150});  // over the top window, not the list
    Session().Wheel(-WHEEL_DELTA);
    const auto wheels = log.Of(WM_MOUSEWHEEL, "list");
    ASSERT_EQ(wheels.size(), 1u);
    EXPECT_EQ(WheelDeltaFromWParam(wheels[0].WParam), -WHEEL_DELTA);
    EXPECT_EQ(PointFromLParam(wheels[0].LParam), (TPoint{150, 150}));
    EXPECT_EQ(log.Count(WM_MOUSEWHEEL, "top"), 1u);  // passed up by the default handling
    Session().KeyDown(VK_MENU);
    Session().KeyPress(VK_F4);
    Session().KeyUp(VK_MENU);
    EXPECT_FALSE(System().IsWindow(top));
    EXPECT_EQ(log.Count(WM_CLOSE, "top"), 1u);
}

}  // namespace
