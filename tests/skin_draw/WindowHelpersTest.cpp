#include <gtest/gtest.h>

#include "platform/ui/Messages.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsWindow.h"
#include "support/UiTest.h"

namespace skin {
namespace {

using platform::ui::TMonitor;
using platform::ui::headless::THeadlessScreen;

TEST(WindowHelpers, WithoutAWindowSystemNothingHappens) {
    ASSERT_EQ(platform::ui::TWindowSystem::Current(), nullptr);
    EXPECT_FALSE(SupportsLayeredWindows());
    EXPECT_FALSE(HasMultiMonitor());
    EXPECT_TRUE(ScreenWorkArea(true).IsEmpty());
    EXPECT_TRUE(MonitorWorkArea(nullptr, false).IsEmpty());
    SetWindowAlpha(nullptr, 100);
}

class OneMonitor : public vktest::UiTest {};

TEST_F(OneMonitor, ScreenAndWorkArea) {
    EXPECT_FALSE(HasMultiMonitor());
    EXPECT_EQ(ScreenWorkArea(false), (TRect{0, 0, 1024, 768}));
    EXPECT_EQ(ScreenWorkArea(true), (TRect{0, 0, 1024, 728}));  // less the panel
    EXPECT_EQ(MonitorWorkArea(nullptr, true), (TRect{0, 0, 1024, 728}));
}

TEST_F(OneMonitor, AlphaOfALayeredWindow) {
    platform::ui::TCreateParams params;
    params.Style = platform::ui::WS_POPUP | platform::ui::WS_VISIBLE;
    params.ExStyle = platform::ui::WS_EX_LAYERED;
    params.Bounds = {10, 10, 110, 60};
    platform::ui::TWindow* window = System().CreateWindow(params);
    ASSERT_NE(window, nullptr);

    SetWindowAlpha(window, 128);
    EXPECT_EQ(window->Alpha(), 128);
    ProcessMessages();
    ASSERT_NE(Backend().Native(window->NativeId()), nullptr);
    EXPECT_EQ(Backend().Native(window->NativeId())->Alpha, 128);
    SetWindowAlpha(window, 999);
    EXPECT_EQ(window->Alpha(), 255);
    SetWindowAlpha(window, -4);
    EXPECT_EQ(window->Alpha(), 0);

    EXPECT_TRUE(SupportsLayeredWindows());
    Backend().SupportsOpacityValue = false;  // no compositor
    EXPECT_FALSE(SupportsLayeredWindows());
}

class TwoMonitors : public vktest::UiTest {
protected:
    [[nodiscard]] THeadlessScreen Screen() const override {
        THeadlessScreen s;
        s.Width = 2304;
        s.Height = 1024;
        s.Monitors = {TMonitor{{0, 0, 1024, 768}, {0, 0, 1024, 728}},
                      TMonitor{{1024, 0, 2304, 1024}, {1024, 30, 2304, 1024}}};
        return s;
    }
};

TEST_F(TwoMonitors, TheWindowsMonitorDecides) {
    EXPECT_TRUE(HasMultiMonitor());
    platform::ui::TCreateParams params;
    params.Style = platform::ui::WS_POPUP | platform::ui::WS_VISIBLE;
    params.Bounds = {1200, 100, 1400, 300};
    platform::ui::TWindow* window = System().CreateWindow(params);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(MonitorWorkArea(window, true), (TRect{1024, 30, 2304, 1024}));
    EXPECT_EQ(MonitorWorkArea(window, false), (TRect{1024, 0, 2304, 1024}));
    // The screen helpers stay with the primary monitor.
    EXPECT_EQ(ScreenWorkArea(true), (TRect{0, 0, 1024, 728}));
    EXPECT_EQ(ScreenWorkArea(false), (TRect{0, 0, 1024, 768}));
}

}  // namespace
}  // namespace skin
