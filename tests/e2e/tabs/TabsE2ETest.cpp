// The tabs example on the x11 backend under a real X server: xdotool clicks every tab of the page
// control (scrolling the strip with the skin up-down when a tab lies beyond it) and every tab of
// the tab control, and a second X connection reads the screen to check that the page, or the
// colour, under the selected tab is what is shown.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "TabsDemoForm.h"
#include "XObserver.h"
#include "platform/forms/Application.h"
#include "platform/forms/ApplicationCreateForm.h"
#include "platform/gfx/Color.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"

namespace {

using namespace platform;
using platform::core::TPoint;
using platform::core::TRect;

class TabsE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        ASSERT_TRUE(m_observer.Connected());
        m_observer.SetRootColor(0x204080);
        std::string error;
        auto backend = ui::x11::CreateX11Backend(error);
        ASSERT_TRUE(backend) << error;
        m_system = std::make_unique<ui::TWindowSystem>(std::move(backend));
        m_app = std::make_unique<forms::TApplication>();
        tabsdemo::RegisterDemoClasses();
        form = m_app->CreateForm<tabsdemo::TTabsDemoForm>("tabs_demo.vkf");
        const char* source = std::getenv("VK_SOURCE_DIR");
        ASSERT_NE(source, nullptr);
        ASSERT_TRUE(form->LoadSkin(std::string(source) + "/assets/skin/skin.ini", &error)) << error;
        ASSERT_NE(form->pcPages->RecordIndex(), -1);
        form->Show();
        ASSERT_TRUE(Pump([&] { return ShownPage() == 0; })) << "the form never showed its first page";
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
    static void ClickAt(TPoint p) {
        Xdo("mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) + " click 1");
    }
    static TPoint Centre(const forms::TControl* c, const TRect& r) {
        return c->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    static uint32_t Rgb(gfx::TColor color) { return gfx::ColorToPixel(gfx::ColorToRGB(color)); }

    // The page whose colour the screen shows near the bottom-right corner of the page area (away
    // from its text), or -1.
    int ShownPage() {
        const TRect area = form->pcPages->DisplayRect();
        const TPoint p = form->pcPages->ClientToScreen({area.Right - 12, area.Bottom - 12});
        const uint32_t seen = m_observer.Pixel(p.X, p.Y);
        for (int i = 0; i < form->pcPages->PageCount(); ++i)
            if (seen == Rgb(form->PageColor(i))) return i;
        return -1;
    }
    // The screen colour in the middle of the tab control's swatch.
    uint32_t SwatchColour() {
        const auto* l = form->lblColour;
        const TPoint p = l->Parent()->ClientToScreen({l->Left() + 6, l->Top() + 6});
        return m_observer.Pixel(p.X, p.Y);
    }

    boxes_e2e::TXObserver m_observer;
    std::unique_ptr<ui::TWindowSystem> m_system;
    std::unique_ptr<forms::TApplication> m_app;
    tabsdemo::TTabsDemoForm* form = nullptr;
};

TEST_F(TabsE2E, ClickingThroughThePagesShowsThePageUnderTheSelectedTab) {
    auto* pc = form->pcPages;
    ASSERT_NE(pc->ScrollUpDown(), nullptr) << "the example has more tabs than fit";
    for (int tab = 0; tab < pc->TabCount(); ++tab) {
        // A tab beyond the strip's free part is brought in with the up-down's right button.
        for (int step = 0; step < 8; ++step) {
            const auto* ud = pc->ScrollUpDown();
            if (!ud || pc->TabRect(tab).Right <= pc->Width() - ud->Width() - 3) break;
            const int position = ud->Position();
            ClickAt(ud->ClientToScreen({ud->Width() - 5, ud->Height() / 2}));
            ASSERT_TRUE(Pump([&] { return pc->ScrollUpDown() && pc->ScrollUpDown()->Position() > position; }))
                << "the strip did not scroll towards tab " << tab;
        }
        ClickAt(Centre(pc, pc->TabRect(tab)));
        ASSERT_TRUE(Pump([&] { return pc->TabIndex() == tab && ShownPage() == tab; }))
            << "tab " << tab << ": selected " << pc->TabIndex() << ", the screen shows page " << ShownPage();
    }
    // And back to the first page with the keyboard.
    Xdo("key ctrl+Next");
    ASSERT_TRUE(Pump([&] { return ShownPage() == 0; })) << "Ctrl+Page Down did not wrap round";
}

TEST_F(TabsE2E, LeftTabsPickTheColour) {
    auto* tc = form->tcColours;
    const uint32_t red = SwatchColour();
    ClickAt(Centre(tc, tc->TabRect(2)));
    ASSERT_TRUE(Pump([&] { return tc->TabIndex() == 2 && SwatchColour() != red; }));
    const uint32_t blue = SwatchColour();
    ClickAt(Centre(tc, tc->TabRect(1)));
    ASSERT_TRUE(Pump([&] { return tc->TabIndex() == 1 && SwatchColour() != blue && SwatchColour() != red; }));
    ClickAt(Centre(tc, tc->TabRect(0)));
    ASSERT_TRUE(Pump([&] { return tc->TabIndex() == 0 && SwatchColour() == red; }));
}

}  // namespace
