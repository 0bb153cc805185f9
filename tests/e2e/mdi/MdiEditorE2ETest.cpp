// The MDI editor example on the x11 backend under a real X server, driven with xdotool as a user
// would: Ctrl+N opens three documents, the maximise button of the active document's frame
// maximises it, a click on a tab and Ctrl+Tab switch documents (the maximised state goes along),
// Ctrl+F4 closes one, and Alt+F opens the File menu, whose New is chosen with the keyboard. The
// results are read from the window's state report and from the screen.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "MdiEditorForm.h"
#include "XObserver.h"
#include "platform/forms/Application.h"
#include "platform/forms/ApplicationCreateForm.h"
#include "platform/forms/FormResource.h"
#include "platform/gfx/Color.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "skin/form/bsSkinFormObjects.h"

namespace {

using namespace platform;
using platform::core::TPoint;
using platform::core::TRect;

constexpr uint32_t kRootColor = 0x204080;  // 0xRRGGBB

class MdiEditorE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        ASSERT_TRUE(m_observer.Connected());
        m_observer.SetRootColor(kRootColor);
        std::string error;
        auto backend = ui::x11::CreateX11Backend(error);
        ASSERT_TRUE(backend) << error;
        m_system = std::make_unique<ui::TWindowSystem>(std::move(backend));
        m_app = std::make_unique<forms::TApplication>();
        mdieditor::RegisterEditorClasses();
        window = m_app->CreateForm<mdieditor::TMdiEditorForm>("mdi_editor.vkf");
        ASSERT_TRUE(window->LoadSkin(VK_DEFAULT_SKIN, &error)) << error;
        window->SetBounds(40, 40, 760, 540);
        window->Start();
        window->SetFocus();
        const TPoint probe = Screen(window->tabsBar, window->tabsBar->Width() - 5, 5);
        ASSERT_TRUE(Pump([&] { return Pixel(probe) != kRootColor; })) << "the window never showed";
    }

    void TearDown() override {
        m_app.reset();
        m_system.reset();
    }

    bool Pump(const std::function<bool()>& done, int timeoutMs = 5000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            m_system->ProcessMessages();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            m_system->Backend().WaitForEvents(10);
        }
    }
    static void Xdo(const std::string& args) {
        const std::string command = "timeout 10 xdotool " + args + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static std::string At(TPoint p) { return std::to_string(p.X) + " " + std::to_string(p.Y); }
    static TPoint Screen(const forms::TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }
    uint32_t Pixel(TPoint p) { return m_observer.Pixel(p.X, p.Y); }
    std::string State() const { return window->StateReport(); }
    bool StateHas(const std::string& line) const { return State().find(line + "\n") != std::string::npos; }
    // The active document's frame button with the command, in screen coordinates (its middle).
    TPoint FrameButton(skin::TbsStdCommand command) const {
        forms::TForm* child = window->ActiveMDIChild();
        auto* document = dynamic_cast<mdieditor::TDocumentForm*>(child);
        if (!document) return {};
        const TRect screen = child->HandleIfAllocated()->ScreenRect();
        for (const auto& object : document->SkinForm->ObjectList())
            if (auto* button = dynamic_cast<skin::TbsSkinStdButtonObject*>(object.get());
                button && button->Command == command && button->Visible) {
                const TRect& r = button->ObjectRect;
                return {screen.Left + (r.Left + r.Right) / 2, screen.Top + (r.Top + r.Bottom) / 2};
            }
        return {};
    }

    boxes_e2e::TXObserver m_observer;
    std::unique_ptr<ui::TWindowSystem> m_system;
    std::unique_ptr<forms::TApplication> m_app;
    mdieditor::TMdiEditorForm* window = nullptr;
};

TEST_F(MdiEditorE2E, DocumentsOpenMaximiseSwitchCloseAndTheMenuWorksFromTheKeyboard) {
    // Three documents from the File menu's shortcut.
    for (int i = 1; i <= 3; ++i) {
        Xdo("key ctrl+n");
        ASSERT_TRUE(Pump([&] { return window->MDIChildCount() == i; }))
            << "Ctrl+N " << i << " did not arrive\n"
            << State();
    }
    EXPECT_TRUE(StateHas("tab 2: Document 3 normal active")) << State();

    // The maximise button of the active document's frame.
    const TPoint maximize = FrameButton(skin::cmMaximize);
    ASSERT_NE(maximize.X, 0) << "no maximise button on the frame";
    Xdo("mousemove " + At(maximize) + " sleep 0.2 click 1");
    ASSERT_TRUE(Pump([&] { return StateHas("tab 2: Document 3 maximized active"); })) << State();
    EXPECT_TRUE(StateHas("title: MDI Editor - [Document 3]")) << State();
    // The maximised document's system-menu, minimise, restore and close buttons join the menu bar.
    ASSERT_TRUE(Pump([&] { return StateHas("system buttons: 4"); })) << State();

    // A click on the first tab brings its document forward, maximised in the other's place.
    const TRect tab0 = window->tabsBar->Tab(0)->ObjectRect;
    Xdo("mousemove " + At(Screen(window->tabsBar, tab0.Left + 20, tab0.Height() / 2)) + " sleep 0.2 click 1");
    ASSERT_TRUE(Pump([&] { return StateHas("tab 0: Document 1 maximized active"); })) << State();
    EXPECT_TRUE(StateHas("tab 2: Document 3 normal")) << State();
    EXPECT_TRUE(StateHas("title: MDI Editor - [Document 1]")) << State();

    // Ctrl+Tab goes on to the next document in the client's order.
    Xdo("mousemove " + At(Screen(window->tabsBar, window->tabsBar->Width() - 5, 5)) + " key ctrl+Tab");
    ASSERT_TRUE(Pump([&] {
        return window->ActiveMDIChild() && window->ActiveMDIChild()->Caption() != "Document 1";
    })) << State();
    const std::string switched = window->ActiveMDIChild()->Caption();
    EXPECT_TRUE(StateHas("title: MDI Editor - [" + switched + "]")) << State();

    // Ctrl+F4 closes it; its tab goes.
    Xdo("key ctrl+F4");
    ASSERT_TRUE(Pump([&] { return window->MDIChildCount() == 2; })) << State();
    EXPECT_EQ(window->tabsBar->TabCount(), 2);
    EXPECT_EQ(State().find(switched), std::string::npos) << State();
    EXPECT_TRUE(Pump([&] { return StateHas("system buttons: 0"); })) << State();

    // Alt+F opens the File menu; Down and Enter choose New.
    Xdo("key alt+f");
    ASSERT_TRUE(Pump([&] { return StateHas("menu: File > New"); })) << State();
    Xdo("key Down");
    ASSERT_TRUE(Pump([&] { return StateHas("menu: File > Close"); })) << State();
    Xdo("key Up");
    ASSERT_TRUE(Pump([&] { return StateHas("menu: File > New"); })) << State();
    Xdo("key Return");
    ASSERT_TRUE(Pump([&] { return window->MDIChildCount() == 3 && StateHas("menu: none"); })) << State();
    EXPECT_TRUE(StateHas("commands: New New New New")) << State();
    // No document was maximised any more: the new one opens normal, as the active one.
    EXPECT_TRUE(StateHas("tab 2: Document 4 normal active")) << State();

    // The screen shows it: the active (last) tab is drawn unlike the first one.
    const TRect first = window->tabsBar->Tab(0)->ObjectRect;
    const TRect last = window->tabsBar->Tab(2)->ObjectRect;
    const TPoint firstProbe = Screen(window->tabsBar, first.Left + 3, first.Height() - 3);
    const TPoint lastProbe = Screen(window->tabsBar, last.Left + 3, last.Height() - 3);
    EXPECT_TRUE(Pump([&] { return Pixel(firstProbe) != Pixel(lastProbe); }))
        << std::hex << Pixel(firstProbe) << " " << Pixel(lastProbe);
    const std::string shot =
        std::string("timeout 10 import -window root ") + VK_MDI_SHOT + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(shot.c_str()), 0) << shot;
}

}  // namespace
