// Work areas per monitor from the desktop's one work-area rectangle.

#include <gtest/gtest.h>

#include "platform/ui/backend/x11/X11Monitors.h"

namespace {

using platform::core::TRect;
using namespace platform::ui::x11;

TEST(X11Monitors, EachMonitorGetsItsPartOfTheWorkArea) {
    // Two monitors side by side; a 30-pixel panel along the top of the left one only shows in
    // the desktop's rectangle as a top of 30 across both, which is what the desktop publishes.
    const std::vector<TRect> bounds = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    const auto monitors = BuildMonitors(bounds, 0, TRect{0, 30, 3200, 1080});
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[0].WorkArea, (TRect{0, 30, 1920, 1080}));
    EXPECT_EQ(monitors[1].WorkArea, (TRect{1920, 30, 3200, 1024}));
    EXPECT_EQ(monitors[1].Bounds, bounds[1]);
}

TEST(X11Monitors, PrimaryComesFirstAndMissedMonitorsKeepTheirBounds) {
    const std::vector<TRect> bounds = {{0, 0, 800, 600}, {800, 0, 1824, 768}, {1824, 0, 2624, 600}};
    // The work area lies on the first monitor alone.
    const auto monitors = BuildMonitors(bounds, 2, TRect{0, 0, 800, 560});
    ASSERT_EQ(monitors.size(), 3u);
    EXPECT_EQ(monitors[0].Bounds, bounds[2]);
    EXPECT_EQ(monitors[0].WorkArea, bounds[2]);
    EXPECT_EQ(monitors[1].WorkArea, (TRect{0, 0, 800, 560}));
    EXPECT_EQ(monitors[2].Bounds, bounds[1]);

    const auto plain = BuildMonitors(bounds, 7, std::nullopt);
    ASSERT_EQ(plain.size(), 3u);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(plain[i].Bounds, bounds[i]);
        EXPECT_EQ(plain[i].WorkArea, bounds[i]);
    }
}

}  // namespace
