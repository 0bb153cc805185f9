// The tray icon in an XEmbed system tray: a minimal tray manager (written here, on its own X
// connection, pumped by the test between the program's messages) owns the system-tray selection
// and docks the icon window into its panel; xdotool clicks the docked icon. A single click reaches
// OnClick only after the double-click time, a double click gives OnDblClick alone, and a new
// manager gets the icon docked again.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/ui/CursorImage.h"
#include "platform/ui/NotificationArea.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "platform/ui/backend/x11/X11CursorImage.h"
#include "platform/ui/backend/x11/X11TrayChooser.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsTrayIcon.h"

// Last: Xlib's macros must not reach the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "TrayTestManager.h"

namespace {

using namespace platform::ui;
using platform::core::TPoint;
using traytest::TTestTrayManager;

class TrayXEmbedTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        // No session bus: a watcher on the desktop's bus would be chosen first.
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/vk-tray-test", 1);
        std::string error;
        auto backend = x11::CreateX11Backend(error);
        ASSERT_TRUE(backend) << error;
        m_system = std::make_unique<TWindowSystem>(std::move(backend));
        m_app = std::make_unique<platform::forms::TApplication>();
        form = new platform::forms::TForm(m_app.get());
        form->SetBounds(100, 100, 300, 200);
        m_app->SetMainForm(form);
        x11::RegisterX11NotificationArea();
    }
    void TearDown() override {
        m_app.reset();
        InstallNotificationArea(nullptr);
        m_system.reset();
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 4000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (manager) manager->Pump();
            m_system->ProcessMessages();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    void Pump(int ms) {
        PumpUntil([] { return false; }, ms);
    }
    static void Xdo(const std::string& args) {
        const std::string command = "timeout 10 xdotool " + args;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    std::unique_ptr<TWindowSystem> m_system;
    std::unique_ptr<platform::forms::TApplication> m_app;
    std::unique_ptr<TTestTrayManager> manager;
    platform::forms::TForm* form = nullptr;
};

TEST_F(TrayXEmbedTest, TheHintIsPlacedBelowTheServersPointerImage) {
    x11::RegisterX11CursorImageSource();
    const std::optional<TCursorImage> image = DisplayCursorImage();
    ASSERT_TRUE(image.has_value());
    ASSERT_GT(image->Width, 0);
    // The server's pointer, not the stand-in arrow of a display that cannot tell.
    const int height = skin::TbsSkinHint::VisibleCursorHeight();
    int lowest = -1;
    for (int y = 0; y < image->Height; ++y)
        for (int x = 0; x < image->Width; ++x)
            if (image->Alpha[static_cast<size_t>(y * image->Width + x)] != 0) lowest = y;
    ASSERT_GE(lowest, 0);
    EXPECT_EQ(height, lowest + 1 - image->HotSpot.Y);
    SetDisplayCursorImageSource("x11", nullptr);
    EXPECT_EQ(skin::TbsSkinHint::VisibleCursorHeight(), 19);
}

TEST_F(TrayXEmbedTest, WithoutAManagerThereIsNoIconAndHidingMinimises) {
    TNotificationArea* area = NotificationArea();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->Protocol(), "xembed");
    EXPECT_FALSE(area->Present());
    auto* icon = new skin::TbsTrayIcon(form);
    icon->SetIconVisible(true);
    EXPECT_FALSE(icon->InArea());
    form->SetVisible(true);
    EXPECT_FALSE(icon->HideMainFormToTray());
    EXPECT_TRUE(m_app->Minimized());

    // A manager that appears later takes the icon.
    manager = std::make_unique<TTestTrayManager>(1100, 960);
    ASSERT_TRUE(manager->Ok());
    ASSERT_TRUE(PumpUntil([&] { return icon->InArea() && manager->Docks() == 1; }));
    EXPECT_TRUE(manager->Docked(manager->LastDocked()));
}

TEST_F(TrayXEmbedTest, TheDockedIconGetsClicksAfterTheDoubleClickTimeAndDoubleClicksAlone) {
    manager = std::make_unique<TTestTrayManager>(1100, 960);
    ASSERT_TRUE(manager->Ok());
    auto* icon = new skin::TbsTrayIcon(form);
    platform::gfx::TBitmap picture(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, platform::gfx::RGB(220, 40, 40));
    icon->SetIcon(picture);
    icon->SetHint("Puzzle browser");
    int clicks = 0, doubleClicks = 0, ups = 0;
    using TClock = std::chrono::steady_clock;
    TClock::time_point pressed{}, clicked{};
    icon->OnMouseDown = [&](platform::forms::TComponent*, platform::forms::TMouseButton,
                            platform::forms::TShiftState, int, int) { pressed = TClock::now(); };
    icon->OnClick = [&](platform::forms::TComponent*) {
        ++clicks;
        clicked = TClock::now();
    };
    icon->OnDblClick = [&](platform::forms::TComponent*) { ++doubleClicks; };
    icon->OnMouseUp = [&](platform::forms::TComponent*, platform::forms::TMouseButton,
                          platform::forms::TShiftState, int, int) { ++ups; };
    icon->SetIconVisible(true);
    ASSERT_TRUE(icon->InArea());
    ASSERT_TRUE(PumpUntil([&] { return manager->Docks() == 1 && manager->Docked(manager->LastDocked()); }));
    Pump(100);

    const TPoint c = manager->IconCenter();
    Xdo("mousemove " + std::to_string(c.X) + " " + std::to_string(c.Y));
    Xdo("click 1");
    ASSERT_TRUE(PumpUntil([&] { return ups == 1; }));
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }, 3000));
    // Never before the double-click time has passed since the press arrived.
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(clicked - pressed).count(),
              static_cast<long>(kDoubleClickTime) - 5);
    Pump(kDoubleClickTime + 200);
    EXPECT_EQ(clicks, 1);

    Xdo("click --repeat 2 --delay 60 1");
    ASSERT_TRUE(PumpUntil([&] { return ups == 3; }));
    EXPECT_EQ(doubleClicks, 1);
    Pump(kDoubleClickTime + 300);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(TrayXEmbedTest, ANewManagerGetsTheVisibleIconDockedAgain) {
    manager = std::make_unique<TTestTrayManager>(1100, 960);
    ASSERT_TRUE(manager->Ok());
    auto* icon = new skin::TbsTrayIcon(form);
    icon->SetIconVisible(true);
    ASSERT_TRUE(PumpUntil([&] { return manager->Docks() == 1; }));
    const unsigned long first = manager->LastDocked();

    manager.reset();
    manager = std::make_unique<TTestTrayManager>(900, 960);
    ASSERT_TRUE(PumpUntil([&] { return manager->Docks() == 1 && manager->Docked(manager->LastDocked()); }));
    EXPECT_NE(manager->LastDocked(), first);
    EXPECT_TRUE(icon->InArea());

    // A hidden icon is not docked by the next manager.
    icon->SetIconVisible(false);
    manager.reset();
    manager = std::make_unique<TTestTrayManager>(900, 960);
    Pump(300);
    EXPECT_EQ(manager->Docks(), 0);
}

}  // namespace
