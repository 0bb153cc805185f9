// The notification area following the desktop while the program runs: the icon moves from the
// StatusNotifierItem watcher to an XEmbed tray when the watcher goes (and back when a watcher
// comes); the docked XEmbed icon shows its tip after the hint pause; a host's scroll request
// reaches OnMouseWheel. A private session bus, a minimal watcher and a minimal tray manager are
// the test's own, pumped between the program's messages.

#include <gtest/gtest.h>
#include <signal.h>
#include <systemd/sd-bus.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TrayTestWatcher.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/ui/NotificationArea.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "platform/ui/backend/x11/X11TrayAuto.h"
#include "platform/ui/backend/x11/X11TrayChooser.h"
#include "platform/ui/backend/x11/X11TrayXEmbed.h"
#include "skin/controls/bsTrayIcon.h"

// Last: Xlib's macros must not reach the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "TrayTestManager.h"

namespace {

using namespace platform::ui;
using platform::core::TPoint;
using traytest::TTestTrayManager;
using traytest::TTestWatcher;

class TraySwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        StartBus();
        ASSERT_FALSE(m_busAddress.empty()) << "dbus-daemon did not start";
        std::string error;
        auto backend = x11::CreateX11Backend(error);
        ASSERT_TRUE(backend) << error;
        m_system = std::make_unique<TWindowSystem>(std::move(backend));
        m_observer = XOpenDisplay(nullptr);
        ASSERT_NE(m_observer, nullptr);
        m_app = std::make_unique<platform::forms::TApplication>();
        form = new platform::forms::TForm(m_app.get());
        form->SetBounds(100, 100, 300, 200);
        m_app->SetMainForm(form);
        x11::RegisterX11NotificationArea();
    }
    void TearDown() override {
        watcher.reset();
        manager.reset();
        m_app.reset();
        InstallNotificationArea(nullptr);
        m_system.reset();
        if (m_observer) XCloseDisplay(m_observer);
        if (m_busPid > 0) kill(m_busPid, SIGTERM);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    void StartBus() { traytest::StartPrivateSessionBus(m_busAddress, m_busPid); }

    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (watcher) watcher->Pump();
            if (manager) manager->Pump();
            m_system->ProcessMessages();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    static void Xdo(const std::string& args) {
        const std::string command = "timeout 10 xdotool " + args;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    x11::TX11TrayAuto* Area() { return dynamic_cast<x11::TX11TrayAuto*>(NotificationArea()); }
    skin::TbsTrayIcon* MakeIcon(const std::string& hint) {
        auto* icon = new skin::TbsTrayIcon(form);
        platform::gfx::TBitmap picture(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, platform::gfx::RGB(40, 90, 200));
        icon->SetIcon(picture);
        icon->SetHint(hint);
        icon->SetIconVisible(true);
        return icon;
    }

    std::string m_busAddress;
    int m_busPid = 0;
    std::unique_ptr<TWindowSystem> m_system;
    Display* m_observer = nullptr;
    std::unique_ptr<platform::forms::TApplication> m_app;
    std::unique_ptr<TTestWatcher> watcher;
    std::unique_ptr<TTestTrayManager> manager;
    platform::forms::TForm* form = nullptr;
};

TEST_F(TraySwitchTest, TheIconMovesToTheXEmbedTrayWhenTheWatcherGoesAndBackWhenOneComes) {
    watcher = std::make_unique<TTestWatcher>();
    ASSERT_TRUE(watcher->Ok());
    manager = std::make_unique<TTestTrayManager>(1100, 960);
    ASSERT_TRUE(manager->Ok());
    x11::TX11TrayAuto* area = Area();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->Protocol(), "sni");
    skin::TbsTrayIcon* icon = MakeIcon("Switching");
    int clicks = 0;
    icon->OnClick = [&](platform::forms::TComponent*) { ++clicks; };
    ASSERT_TRUE(PumpUntil([&] { return watcher->Items().size() == 1; }));
    EXPECT_EQ(manager->Docks(), 0);

    // The watcher goes: the icon is docked in the tray instead.
    watcher.reset();
    ASSERT_TRUE(PumpUntil([&] {
        return area->Protocol() == "xembed" && manager->Docks() == 1 &&
               manager->Docked(manager->LastDocked());
    }));
    EXPECT_TRUE(icon->InArea());
    const unsigned long docked = manager->LastDocked();
    // It is a real tray icon now: a click reaches OnClick after the double-click time.
    const TPoint c = manager->IconCenter();
    Xdo("mousemove " + std::to_string(c.X) + " " + std::to_string(c.Y));
    Xdo("click 1");
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));

    // A watcher comes back: the item registers with it and the tray window goes.
    watcher = std::make_unique<TTestWatcher>();
    ASSERT_TRUE(watcher->Ok());
    ASSERT_TRUE(PumpUntil([&] { return area->Protocol() == "sni" && watcher->Items().size() == 1; }));
    EXPECT_TRUE(PumpUntil([&] { return !manager->Docked(docked); }));
    EXPECT_TRUE(icon->InArea());
    EXPECT_EQ(manager->Docks(), 1);
}

TEST_F(TraySwitchTest, WithoutATrayManagerTheItemWaitsForItsWatcher) {
    watcher = std::make_unique<TTestWatcher>();
    ASSERT_TRUE(watcher->Ok());
    skin::TbsTrayIcon* icon = MakeIcon("Waiting");
    ASSERT_TRUE(PumpUntil([&] { return watcher->Items().size() == 1; }));
    const std::string service = watcher->Items()[0];
    watcher.reset();
    // Nothing to move to: the item stays on the bus and registers with the next watcher.
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(Area()->Protocol(), "sni");
    watcher = std::make_unique<TTestWatcher>();
    ASSERT_TRUE(PumpUntil([&] { return watcher->Items().size() == 1; }));
    EXPECT_EQ(watcher->Items()[0], service);
    EXPECT_TRUE(icon->InArea());
}

TEST_F(TraySwitchTest, AHostsScrollReachesOnMouseWheel) {
    watcher = std::make_unique<TTestWatcher>();
    ASSERT_TRUE(watcher->Ok());
    skin::TbsTrayIcon* icon = MakeIcon("Scrolling");
    std::vector<std::pair<int, bool>> wheels;
    icon->OnMouseWheel = [&](platform::forms::TComponent*, platform::forms::TShiftState shift, int delta,
                             TPoint,
                             bool&) { wheels.emplace_back(delta, (shift & platform::forms::ssShift) != 0); };
    ASSERT_TRUE(PumpUntil([&] { return watcher->Items().size() == 1; }));
    bool answered = false;
    watcher->ScrollItem(watcher->Items()[0], -120, "vertical", &answered);
    ASSERT_TRUE(PumpUntil([&] { return answered && wheels.size() == 1; }));
    answered = false;
    watcher->ScrollItem(watcher->Items()[0], 1, "horizontal", &answered);
    ASSERT_TRUE(PumpUntil([&] { return answered && wheels.size() == 2; }));
    EXPECT_EQ(wheels[0], std::make_pair(-120, false));
    EXPECT_EQ(wheels[1], std::make_pair(120, true));
}

TEST_F(TraySwitchTest, TheDockedIconShowsItsTipAfterTheHintPauseAndHidesItWhenLeft) {
    manager = std::make_unique<TTestTrayManager>(1100, 960);
    ASSERT_TRUE(manager->Ok());
    skin::TbsTrayIcon* icon = MakeIcon("Puzzle browser");
    ASSERT_TRUE(icon->InArea());
    ASSERT_TRUE(PumpUntil([&] { return manager->Docks() == 1 && manager->Docked(manager->LastDocked()); }));
    x11::TX11TrayAuto* area = Area();
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(area->Protocol(), "xembed");
    x11::TX11TrayXEmbed* xembed = area->XEmbed();
    ASSERT_NE(xembed, nullptr);
    Xdo("mousemove 10 10");
    PumpUntil([] { return false; }, 100);
    EXPECT_FALSE(xembed->TipShown());

    const TPoint c = manager->IconCenter();
    const auto moved = std::chrono::steady_clock::now();
    Xdo("mousemove " + std::to_string(c.X) + " " + std::to_string(c.Y));
    ASSERT_TRUE(PumpUntil([&] { return xembed->TipShown(); }));
    // Never before the hint pause has passed since the pointer arrived.
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - moved)
                  .count(),
              500 - 5);
    // The tip window is on the screen, over everything, below the pointer.
    const Window tip = static_cast<Window>(xembed->TipWindow());
    ASSERT_NE(tip, 0UL);
    XSync(m_observer, False);
    XWindowAttributes a{};
    ASSERT_TRUE(XGetWindowAttributes(m_observer, tip, &a));
    EXPECT_EQ(a.map_state, IsViewable);
    EXPECT_TRUE(a.override_redirect);
    EXPECT_GT(a.width, 40);
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(m_observer, tip, DefaultRootWindow(m_observer), 0, 0, &x, &y, &child);
    // The panel sits at the bottom: the tip goes above the pointer when there is no room below.
    const bool below = y > c.Y;
    const bool above = y + a.height < c.Y;
    EXPECT_TRUE(below || above) << "tip at " << x << "," << y;
    // For a human to look at (VK_UI_SHOTS names a folder).
    if (const char* shots = std::getenv("VK_UI_SHOTS"); shots && *shots) {
        XSync(m_observer, False);
        const std::string grab =
            "import -window root -crop 400x160+880+860 " + std::string(shots) + "/tray_tip.png";
        EXPECT_EQ(std::system(grab.c_str()), 0);
    }

    // Leaving the icon hides it.
    Xdo("mousemove 10 10");
    ASSERT_TRUE(PumpUntil([&] { return !xembed->TipShown(); }));
    XSync(m_observer, False);
    ASSERT_TRUE(XGetWindowAttributes(m_observer, tip, &a));
    EXPECT_NE(a.map_state, IsViewable);
}

}  // namespace
