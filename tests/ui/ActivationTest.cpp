#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "support/MessageLog.h"
#include "ui/UiTestWindows.h"

using namespace platform::ui;

namespace {

class ActivationTest : public vktest::HeadlessFixture {
protected:
    TWindow* Form(const std::string& name, platform::core::TRect r, int mouseActivateAnswer = 0) {
        return vktest::MakeTopLevel(System(), r,
                                    log.Proc(name,
                                             [mouseActivateAnswer](TWindow&, uint32_t msg, TWParam,
                                                                   TLParam) -> std::optional<TLResult> {
                                                 if (msg == WM_MOUSEACTIVATE && mouseActivateAnswer)
                                                     return mouseActivateAnswer;
                                                 return std::nullopt;
                                             }));
    }
    vktest::MessageLog log;
};

TEST_F(ActivationTest, ShowingActivatesAndTheOldWindowIsToldFirst) {
    TWindow* a = Form("a", {0, 0, 100, 100});
    EXPECT_EQ(System().GetActiveWindow(), a);
    EXPECT_EQ(System().GetFocus(), a);
    log.Clear();
    TWindow* b = Form("b", {200, 0, 300, 100});
    EXPECT_EQ(System().GetActiveWindow(), b);
    EXPECT_EQ(log.Names({WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS}),
              (std::vector<std::string>{"a:WM_NCACTIVATE", "a:WM_ACTIVATE", "a:WM_KILLFOCUS",
                                        "b:WM_NCACTIVATE", "b:WM_ACTIVATE", "b:WM_SETFOCUS"}));
    EXPECT_EQ(log.Of(WM_ACTIVATE, "a")[0].WParam, static_cast<TWParam>(WA_INACTIVE));
    EXPECT_EQ(Backend().KeyboardFocus(), b->NativeId());
    System().DestroyWindow(b);
    EXPECT_EQ(System().GetActiveWindow(), a);
}

TEST_F(ActivationTest, MouseActivateNoActivateLeavesTheActiveWindowActive) {
    TWindow* a = Form("a", {0, 0, 100, 100});
    Form("b", {200, 0, 300, 100}, MA_NOACTIVATE);
    System().SetActiveWindow(a);
    log.Clear();
    Session().Click({250, 50});
    EXPECT_EQ(System().GetActiveWindow(), a);
    EXPECT_EQ(System().GetFocus(), a);
    EXPECT_EQ(log.Count(WM_ACTIVATE), 0u);
    EXPECT_EQ(log.Names({WM_MOUSEACTIVATE, WM_LBUTTONDOWN}),
              (std::vector<std::string>{"b:WM_MOUSEACTIVATE", "b:WM_LBUTTONDOWN"}));
}

TEST_F(ActivationTest, MouseActivateDefaultActivatesAndEatAnswersSwallowTheClick) {
    TWindow* a = Form("a", {0, 0, 100, 100});
    TWindow* b = Form("b", {200, 0, 300, 100});
    TWindow* c = Form("c", {400, 0, 500, 100}, MA_ACTIVATEANDEAT);
    System().SetActiveWindow(a);
    log.Clear();
    Session().Click({250, 50});
    EXPECT_EQ(System().GetActiveWindow(), b);
    EXPECT_EQ(log.Of(WM_ACTIVATE, "b")[0].WParam, static_cast<TWParam>(WA_CLICKACTIVE));
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN, "b"), 1u);
    Session().Click({450, 50});
    EXPECT_EQ(System().GetActiveWindow(), c);
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN, "c"), 0u);
}

TEST_F(ActivationTest, NoActivatePopupsNeverTakeActivationOrFocus) {
    TWindow* form = Form("form", {0, 0, 300, 300});
    TCreateParams p;
    p.Bounds = {50, 50, 150, 150};
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    p.WndProc = log.Proc("menu");
    TWindow* menu = System().CreateWindow(p);
    ASSERT_NE(menu, nullptr);
    TCreateParams cp;
    cp.Parent = menu;
    cp.Style = WS_CHILD | WS_VISIBLE;
    cp.Bounds = {0, 0, 50, 50};
    TWindow* item = System().CreateWindow(cp);
    System().ShowWindow(menu, SW_SHOW);
    EXPECT_TRUE(menu->IsVisible());
    EXPECT_EQ(System().GetActiveWindow(), form);
    System().SetFocus(item);
    EXPECT_FALSE(System().SetActiveWindow(menu));
    EXPECT_EQ(System().GetFocus(), form);
    Session().Click({60, 60});
    EXPECT_EQ(System().GetActiveWindow(), form);
    EXPECT_EQ(System().GetFocus(), form);
    EXPECT_EQ(Backend().KeyboardFocus(), form->NativeId());
    // The popup stacks above the form.
    EXPECT_EQ(Backend().WindowAt({60, 60}), menu->NativeId());
}

TEST_F(ActivationTest, HidingOrDisablingTheFocusTakesTheFocusAway) {
    TWindow* form = Form("form", {0, 0, 300, 300});
    TWindow* edit = vktest::MakeChild(System(), form, {0, 0, 50, 20}, log.Proc("edit"));
    System().SetFocus(edit);
    EXPECT_EQ(System().GetFocus(), edit);
    System().ShowWindow(edit, SW_HIDE);
    EXPECT_EQ(System().GetFocus(), nullptr);
    EXPECT_EQ(log.Count(WM_KILLFOCUS, "edit"), 1u);
    System().ShowWindow(edit, SW_SHOW);
    System().SetFocus(edit);
    log.Clear();
    System().EnableWindow(edit, false);
    EXPECT_EQ(System().GetFocus(), nullptr);
    EXPECT_EQ(log.Names({WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}),
              (std::vector<std::string>{"edit:WM_CANCELMODE", "edit:WM_KILLFOCUS", "edit:WM_ENABLE"}));
}

TEST_F(ActivationTest, WindowStatesMaximiseToTheWorkAreaAndRestore) {
    TWindow* w = Form("w", {10, 20, 210, 170});
    log.Clear();
    System().ShowWindow(w, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(w->IsZoomed());
    EXPECT_EQ(w->WindowRect(), System().WorkArea());
    ASSERT_EQ(log.Count(WM_SIZE), 1u);
    EXPECT_EQ(log.Of(WM_SIZE)[0].WParam, static_cast<TWParam>(SIZE_MAXIMIZED));
    System().ShowWindow(w, SW_RESTORE);
    EXPECT_EQ(w->WindowRect(), (platform::core::TRect{10, 20, 210, 170}));
    EXPECT_EQ(log.Of(WM_SIZE).back().WParam, static_cast<TWParam>(SIZE_RESTORED));
    System().ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(w->IsIconic());
    EXPECT_EQ(log.Of(WM_SIZE).back().WParam, static_cast<TWParam>(SIZE_MINIMIZED));
    EXPECT_TRUE(Backend().Native(w->NativeId())->Minimized);
    EXPECT_EQ(System().GetActiveWindow(), nullptr);
}

TEST_F(ActivationTest, DesktopEventsReachTheWindow) {
    TWindow* w = Form("w", {10, 20, 210, 170});
    TInputEvent moved;
    moved.Kind = TInputKind::Configure;
    moved.Window = w->NativeId();
    moved.Rect = {30, 40, 330, 240};
    Backend().QueueEvent(moved);
    Backend().QueueCloseRequest(w->NativeId());
    ProcessMessages();
    EXPECT_EQ(log.Names({WM_SIZE, WM_SYSCOMMAND, WM_CLOSE}),
              (std::vector<std::string>{"w:WM_SIZE", "w:WM_SIZE", "w:WM_SYSCOMMAND", "w:WM_CLOSE"}));
    EXPECT_EQ(PointFromLParam(log.Of(WM_SIZE).back().LParam), (platform::core::TPoint{300, 200}));
    EXPECT_FALSE(System().IsWindow(w));
}

TEST_F(ActivationTest, LateDesktopFocusOnADisabledOwnerLeavesItsDialogActive) {
    // The desktop reports focus changes after the fact: a focus-in for the owner, asked for just
    // before the modal dialog opened, must not pull the activation back from the dialog.
    TWindow* owner = Form("owner", {0, 0, 300, 200});
    TWindow* dialog = Form("dialog", {50, 50, 250, 150});
    System().EnableWindow(owner, false);
    TInputEvent focusIn;
    focusIn.Kind = TInputKind::FocusIn;
    focusIn.Window = owner->NativeId();
    Backend().QueueEvent(focusIn);
    ProcessMessages();
    EXPECT_EQ(System().GetActiveWindow(), dialog);
    EXPECT_EQ(System().GetFocus(), dialog);
    EXPECT_EQ(Backend().KeyboardFocus(), dialog->NativeId());
}

}  // namespace

namespace {

class ScreensTest : public vktest::HeadlessFixture {
protected:
    platform::ui::headless::THeadlessScreen Screen() const override {
        platform::ui::headless::THeadlessScreen s;
        s.Width = 1800;
        s.Height = 800;
        s.Monitors = {{{0, 0, 1000, 800}, {0, 0, 1000, 760}}, {{1000, 0, 1800, 600}, {1000, 30, 1800, 600}}};
        return s;
    }
    vktest::MessageLog log;  // outlives the windows, which go with the session in TearDown
};

TEST_F(ScreensTest, MonitorsWorkAreasAndMetrics) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1000);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1800);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(12345), 0);
    EXPECT_EQ(System().MonitorFromPoint({1900, 700}).Bounds.Left, 1000);  // nearest
    EXPECT_EQ(System().WorkArea(), (platform::core::TRect{0, 0, 1000, 760}));
    // A window mostly on the second monitor maximises to that monitor's work area.
    TWindow* w = vktest::MakeTopLevel(System(), {900, 100, 1300, 300}, log.Proc("w"));
    System().ShowWindow(w, SW_SHOWMAXIMIZED);
    EXPECT_EQ(w->WindowRect(), (platform::core::TRect{1000, 30, 1800, 600}));
}

TEST_F(ScreensTest, MessageOnlyWindowsGetTimersButNoScreenPresence) {
    TCreateParams p;
    p.MessageOnly = true;
    p.Style = WS_VISIBLE;
    p.WndProc = log.Proc("timer");
    TWindow* w = System().CreateWindow(p);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->NativeId(), 0u);
    EXPECT_TRUE(System().TopLevelWindows().empty());
    EXPECT_FALSE(System().SetActiveWindow(w));
    System().SetTimer(w, 1, 30);
    Advance(100);
    EXPECT_EQ(log.Count(WM_TIMER), 3u);
    EXPECT_EQ(log.Count(WM_PAINT), 0u);
}

}  // namespace
