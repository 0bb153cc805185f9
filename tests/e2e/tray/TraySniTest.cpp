// The tray icon as a StatusNotifierItem: a private session bus (a dbus-daemon started here) and a
// minimal watcher written for the test, pumped between the program's messages. The item
// registers, offers its pixmap, answers Activate with a click after the double-click time and
// ContextMenu with the skinned popup menu at the given position, and registers again when the
// watcher restarts.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menus.h"
#include "platform/ui/NotificationArea.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "platform/ui/backend/x11/X11TrayChooser.h"
#include "platform/ui/backend/x11/X11TraySni.h"
#include "skin/controls/bsTrayIcon.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsSkinMenusWindow.h"
#include "TrayTestWatcher.h"

// Last: Xlib's macros must not reach the headers above.
#include <X11/Xlib.h>

namespace {

using namespace platform::ui;
using platform::core::TPoint;
using traytest::TTestWatcher;

class TraySniTest : public ::testing::Test {
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
        m_app.reset();
        InstallNotificationArea(nullptr);
        m_system.reset();
        if (m_observer) XCloseDisplay(m_observer);
        if (m_busPid > 0) kill(m_busPid, SIGTERM);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    void StartBus() { traytest::StartPrivateSessionBus(m_busAddress, m_busPid); }

    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 4000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (watcher) watcher->Pump();
            m_system->ProcessMessages();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    void Pump(int ms) {
        PumpUntil([] { return false; }, ms);
    }

    bool Viewable(TWindow* window) {
        if (!window) return false;
        XWindowAttributes a{};
        XSync(m_observer, False);
        return XGetWindowAttributes(m_observer, static_cast<Window>(window->NativeId()), &a) &&
               a.map_state == IsViewable;
    }

    std::string m_busAddress;
    int m_busPid = 0;
    std::unique_ptr<TWindowSystem> m_system;
    Display* m_observer = nullptr;
    std::unique_ptr<platform::forms::TApplication> m_app;
    std::unique_ptr<TTestWatcher> watcher;
    platform::forms::TForm* form = nullptr;
};

TEST_F(TraySniTest, TheItemRegistersAnswersActivateAndContextMenuAndRegistersAgainAfterAWatcherRestart) {
    watcher = std::make_unique<TTestWatcher>();
    ASSERT_TRUE(watcher->Ok());
    TNotificationArea* area = NotificationArea();
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(area->Protocol(), "sni");
    EXPECT_TRUE(area->Present());

    const char* source = std::getenv("VK_SOURCE_DIR");
    ASSERT_TRUE(source && *source);
    auto* stored = new skin::TbsStoredSkin(form);
    ASSERT_TRUE(stored->LoadFromSkinFolder(std::string(source) + "/assets/skin/skin.ini"));
    auto* data = new skin::TbsSkinData(form);
    data->SetStoredSkin(stored);
    auto* skinForm = new skin::TbsSkinForm(form);
    skinForm->SetSkinData(data);
    form->SetVisible(true);
    auto* menu = new skin::TbsSkinPopupMenu(form);
    menu->SetSkinData(data);
    for (const char* caption : {"Restore", "Exit"}) {
        auto* item = new platform::forms::TMenuItem(menu);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }

    auto* icon = new skin::TbsTrayIcon(form);
    platform::gfx::TBitmap picture(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, platform::gfx::RGB(30, 160, 90));
    icon->SetIcon(picture);
    icon->SetHint("Puzzle browser");
    icon->SetPopupMenu(menu);
    int clicks = 0, doubleClicks = 0;
    icon->OnClick = [&](platform::forms::TComponent*) { ++clicks; };
    icon->OnDblClick = [&](platform::forms::TComponent*) { ++doubleClicks; };
    icon->SetIconVisible(true);
    ASSERT_TRUE(icon->InArea());
    ASSERT_TRUE(PumpUntil([&] { return watcher->Items().size() == 1; }));
    const std::string service = watcher->Items()[0];
    EXPECT_NE(service.find("StatusNotifierItem"), std::string::npos);

    std::vector<std::pair<int, uint32_t>> pixmaps;
    watcher->ReadPixmaps(service, &pixmaps);
    ASSERT_TRUE(PumpUntil([&] { return !pixmaps.empty(); }));
    bool has22 = false;
    for (const auto& [size, first] : pixmaps) {
        EXPECT_EQ(first, 0xFF1EA05Au) << size;
        has22 = has22 || size == 22;
    }
    EXPECT_TRUE(has22);

    bool answered = false;
    watcher->CallItem(service, "Activate", 1200, 1000, &answered);
    ASSERT_TRUE(PumpUntil([&] { return answered; }));
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }, 3000));
    Pump(kDoubleClickTime + 100);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 0);

    answered = false;
    watcher->CallItem(service, "ContextMenu", 600, 500, &answered);
    ASSERT_TRUE(PumpUntil([&] { return answered; }));
    skin::TbsSkinMenu& engine = skin::TbsSkinFormBehaviour::Of(skinForm)->SkinMenu();
    ASSERT_TRUE(
        PumpUntil([&] { return engine.IsOpen() && engine.Level(0) && Viewable(engine.Level(0)->Handle()); }));
    EXPECT_TRUE(engine.Level(0)->Skinned());
    EXPECT_EQ(engine.Level(0)->BoundsRect().TopLeft(), TPoint(600, 500));
    engine.CloseAll();

    // The watcher goes and a new one comes: the item registers with it.
    watcher.reset();
    Pump(100);
    EXPECT_FALSE(area->Present());
    watcher = std::make_unique<TTestWatcher>();
    ASSERT_TRUE(watcher->Ok());
    ASSERT_TRUE(PumpUntil([&] { return watcher->Items().size() == 1; }));
    EXPECT_EQ(watcher->Items()[0], service);
}

// The example program as the item: started with the private bus, driven over it by the watcher.
class TrayDemoSniTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        FILE* out = popen("dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1", "r");
        ASSERT_NE(out, nullptr);
        char line[512] = {};
        std::string address;
        if (std::fgets(line, sizeof line, out)) address = line;
        if (std::fgets(line, sizeof line, out)) m_busPid = std::atoi(line);
        pclose(out);
        while (!address.empty() && (address.back() == '\n' || address.back() == '\r')) address.pop_back();
        ASSERT_FALSE(address.empty());
        setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        m_observer = XOpenDisplay(nullptr);
        ASSERT_NE(m_observer, nullptr);
        watcher = std::make_unique<TTestWatcher>();
        ASSERT_TRUE(watcher->Ok());
    }
    void TearDown() override {
        if (m_demoPid > 0) {
            kill(m_demoPid, SIGTERM);
            waitpid(m_demoPid, nullptr, 0);
        }
        if (m_output >= 0) close(m_output);
        watcher.reset();
        if (m_observer) XCloseDisplay(m_observer);
        if (m_busPid > 0) kill(m_busPid, SIGTERM);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    void StartDemo() {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        m_demoPid = fork();
        ASSERT_GE(m_demoPid, 0);
        if (m_demoPid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            execl(VK_TRAY_DEMO_EXE, VK_TRAY_DEMO_EXE, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        m_output = fds[0];
        fcntl(m_output, F_SETFL, fcntl(m_output, F_GETFL) | O_NONBLOCK);
    }
    // What the demo printed so far.
    const std::string& Output() {
        char buffer[256];
        ssize_t n = 0;
        while (m_output >= 0 && (n = read(m_output, buffer, sizeof buffer)) > 0)
            m_printed.append(buffer, static_cast<size_t>(n));
        return m_printed;
    }
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 6000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            watcher->Pump();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    // A viewable top-level window whose top-left corner is at p.
    bool WindowAt(TPoint p) {
        XSync(m_observer, False);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_observer, DefaultRootWindow(m_observer), &root, &parent, &children, &count))
            return false;
        bool found = false;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes a{};
            found = XGetWindowAttributes(m_observer, children[i], &a) && a.map_state == IsViewable &&
                    a.x == p.X && a.y == p.Y;
        }
        if (children) XFree(children);
        return found;
    }

    std::unique_ptr<TTestWatcher> watcher;
    Display* m_observer = nullptr;
    int m_busPid = 0;
    pid_t m_demoPid = 0;
    int m_output = -1;
    std::string m_printed;
};

TEST_F(TrayDemoSniTest, TheExampleRegistersItsItemClicksOnActivateAndOpensItsSkinnedMenuOnContextMenu) {
    StartDemo();
    ASSERT_TRUE(PumpUntil([&] { return watcher->Items().size() == 1; })) << "the demo registered no item";
    const std::string service = watcher->Items()[0];

    bool answered = false;
    watcher->CallItem(service, "Activate", 1200, 1000, &answered);
    ASSERT_TRUE(PumpUntil([&] { return answered; }));
    ASSERT_TRUE(PumpUntil([&] { return Output().find("tray_demo: click") != std::string::npos; }));

    answered = false;
    watcher->CallItem(service, "ContextMenu", 640, 480, &answered);
    ASSERT_TRUE(PumpUntil([&] { return answered; }));
    EXPECT_TRUE(PumpUntil([&] { return WindowAt({640, 480}); })) << "no menu window at the given position";

    // The watcher restarts: the demo's item registers again.
    watcher.reset();
    watcher = std::make_unique<TTestWatcher>();
    ASSERT_TRUE(watcher->Ok());
    ASSERT_TRUE(PumpUntil([&] { return watcher->Items().size() == 1; }));
    EXPECT_EQ(watcher->Items()[0], service);
}

}  // namespace
