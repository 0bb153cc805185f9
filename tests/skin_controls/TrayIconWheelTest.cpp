// A host's scroll request over the tray icon reaches the component as OnMouseWheel: in wheel
// units whatever unit the host counts in, horizontal with Shift, at the pointer when the host
// gives no position, and not at all while the icon is disabled.

#include <memory>
#include <vector>

#include "SkinControlsFixture.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessTray.h"
#include "skin/controls/bsTrayIcon.h"

namespace {

using namespace skinctl;
using platform::forms::TComponent;
using platform::forms::TShiftState;
using platform::ui::TTrayAction;
using platform::ui::TTrayEvent;
using platform::ui::headless::THeadlessTray;
using skin::TbsTrayIcon;
namespace ui = platform::ui;

class TrayIconWheelTest : public FormFixture {
protected:
    struct TWheel {
        TShiftState Shift;
        int Delta;
        TPoint At;
    };
    void SetUp() override {
        FormFixture::SetUp();
        auto area = std::make_unique<THeadlessTray>();
        tray = area.get();
        ui::InstallNotificationArea(std::move(area));
        icon = new TbsTrayIcon(form);
        icon->OnMouseWheel = [this](TComponent* sender, TShiftState shift, int delta, TPoint at, bool&) {
            EXPECT_EQ(sender, icon);
            wheels.push_back({shift, delta, at});
        };
        icon->SetIconVisible(true);
    }
    void TearDown() override {
        FormFixture::TearDown();
        ui::InstallNotificationArea(nullptr);
    }
    void Scroll(int delta, bool horizontal, TPoint at = {}) {
        TTrayEvent e;
        e.Action = TTrayAction::Scroll;
        e.Delta = delta;
        e.Horizontal = horizontal;
        e.Screen = at;
        ASSERT_NE(tray->OnlyIcon(), nullptr);
        ASSERT_TRUE(tray->Send(tray->OnlyIcon()->Id, e));
        ProcessMessages();
    }

    THeadlessTray* tray = nullptr;
    TbsTrayIcon* icon = nullptr;
    std::vector<TWheel> wheels;
};

TEST_F(TrayIconWheelTest, ScrollsArriveAsWheelNotchesWithShiftForHorizontal) {
    Ui().MouseMove({700, 740});
    // In wheel units, as a notch and as several; away from the user is positive.
    Scroll(120, false);
    Scroll(-240, false);
    // Hosts that count notches.
    Scroll(1, false);
    Scroll(-2, false);
    Scroll(120, true);
    ASSERT_EQ(wheels.size(), 5U);
    EXPECT_EQ(wheels[0].Delta, 120);
    EXPECT_EQ(wheels[1].Delta, -240);
    EXPECT_EQ(wheels[2].Delta, 120);
    EXPECT_EQ(wheels[3].Delta, -240);
    EXPECT_EQ(wheels[4].Delta, 120);
    EXPECT_FALSE(wheels[0].Shift & platform::forms::ssShift);
    EXPECT_TRUE(wheels[4].Shift & platform::forms::ssShift);
    // No position from the host: where the pointer is.
    EXPECT_EQ(wheels[0].At, (TPoint{700, 740}));
}

TEST_F(TrayIconWheelTest, APositionGivenIsKeptAndNothingArrivesWhileDisabledOrForNothing) {
    Scroll(-120, false, {900, 750});
    ASSERT_EQ(wheels.size(), 1U);
    EXPECT_EQ(wheels[0].At, (TPoint{900, 750}));
    Scroll(0, false);
    icon->SetEnabled(false);
    Scroll(120, false);
    EXPECT_EQ(wheels.size(), 1U);
}

}  // namespace
