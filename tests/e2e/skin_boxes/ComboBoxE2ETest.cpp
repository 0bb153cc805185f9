// The combo box on the x11 backend under a real X server, driven with xdotool as a user would:
// its drop-down list opens as a window of its own (it shows outside the form), the keyboard
// focus stays with the form (arrow keys still move the choice), a click in the list chooses,
// and a click elsewhere closes it.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "XObserver.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"
#include "platform/gfx/Color.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"

namespace {

using namespace platform;
using platform::core::TPoint;

constexpr uint32_t kRootColor = 0x204080;  // 0xRRGGBB

class ComboBoxE2E : public ::testing::Test {
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
        form = new forms::TForm(m_app.get());
        form->SetBorderStyle(forms::bsNone);
        form->SetCaption("combo box e2e");
        form->SetBounds(100, 100, 300, 120);
        combo = new skin::TbsSkinComboBox(form);
        combo->SetParent(form);
        combo->SetBounds(20, 80, 200, 20);
        std::vector<std::string> items;
        for (int i = 0; i < 12; ++i) items.push_back("choice " + std::to_string(i));
        combo->SetItems(items);
        combo->SetItemIndex(0);
        other = new forms::TListBox(form);
        other->SetParent(form);
        other->SetBounds(240, 10, 50, 50);
        form->Show();
        combo->SetFocus();
        ASSERT_TRUE(Pump([&] { return Pixel(Screen(form, 5, 5)) == FormColor(); }))
            << "the form never showed";
    }

    void TearDown() override {
        delete form;
        m_app.reset();
        m_system.reset();
    }

    // Handles our messages until done() holds or the time is up.
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
    void ClickAt(TPoint p) {
        Xdo("mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) + " click 1");
    }

    static TPoint Screen(const forms::TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }

    // 0xRRGGBB of a screen pixel as the server shows it.
    uint32_t Pixel(TPoint p) { return m_observer.Pixel(p.X, p.Y); }
    static uint32_t Rgb(gfx::TColor color) { return gfx::ColorToPixel(gfx::ColorToRGB(color)); }
    static uint32_t FormColor() { return Rgb(gfx::clBtnFace); }

    // Screen position of the window that has the server's keyboard focus.
    TPoint FocusPosition() {
        TPoint p{-1, -1};
        if (!m_observer.FocusPosition(p.X, p.Y)) return {-1, -1};
        return p;
    }

    boxes_e2e::TXObserver m_observer;
    std::unique_ptr<ui::TWindowSystem> m_system;
    std::unique_ptr<forms::TApplication> m_app;
    forms::TForm* form = nullptr;
    skin::TbsSkinComboBox* combo = nullptr;
    forms::TListBox* other = nullptr;
};

TEST_F(ComboBoxE2E, DropDownListIsItsOwnWindowAndLeavesTheKeyboardWithTheForm) {
    auto* popup = combo->ListBox();
    auto* inner = popup->ListBox();
    ClickAt(Screen(combo, 60, 10));
    ASSERT_TRUE(Pump([&] { return combo->DroppedDown(); })) << "the list did not open";

    // Its own top-level window, shown where the form is not: below the form's bottom edge.
    ASSERT_TRUE(popup->HandleAllocated());
    EXPECT_TRUE(popup->Handle()->IsTopLevel());
    EXPECT_NE(popup->Handle()->NativeId(), form->Handle()->NativeId());
    const TPoint belowForm = Screen(inner, inner->Width() - 4, inner->ItemRect(4).Top + 10);
    ASSERT_GT(belowForm.Y, form->Top() + form->Height());
    const uint32_t window = Rgb(gfx::clWindow);
    EXPECT_TRUE(Pump([&] { return Pixel(belowForm) == window; })) << std::hex << Pixel(belowForm);

    // The server's keyboard focus is still on the form's window, and arrow keys reach the combo.
    EXPECT_TRUE(Pump([&] { return FocusPosition() == TPoint{100, 100}; }));
    Xdo("key Down");
    ASSERT_TRUE(Pump([&] { return combo->ItemIndex() == 1; })) << "the arrow key did not arrive";
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(popup->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "choice 1");

    // A click elsewhere closes it without a choice; the desktop shows through again.
    ClickAt(Screen(other, 10, 10));
    ASSERT_TRUE(Pump([&] { return !combo->DroppedDown(); })) << "the list stayed open";
    EXPECT_TRUE(Pump([&] { return Pixel(belowForm) == kRootColor; })) << std::hex << Pixel(belowForm);
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ComboBoxE2E, ClickInTheListChoosesTheItemUnderThePointer) {
    int closeUps = 0;
    combo->OnCloseUp = [&](forms::TComponent*) { ++closeUps; };
    ClickAt(Screen(combo, 60, 10));
    ASSERT_TRUE(Pump([&] { return combo->DroppedDown(); }));
    auto* inner = combo->ListBox()->ListBox();
    const forms::TRect row = inner->ItemRect(3);
    const TPoint p = Screen(inner, row.Left + 20, row.Top + row.Height() / 2);
    Xdo("mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y));
    ASSERT_TRUE(Pump([&] { return inner->ItemIndex() == 3; })) << "no hot tracking";
    Xdo("click 1");
    ASSERT_TRUE(Pump([&] { return !combo->DroppedDown(); }));
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "choice 3");
    EXPECT_EQ(closeUps, 1);
    EXPECT_TRUE(combo->Focused());
}

}  // namespace
