// A skin button, a combo box's drop-down list and a skin form's caption button, driven by name
// through the UI test context: each body runs on the headless backend and on the x11 backend,
// where input goes through the X server and the screen is read back from it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/form/bsSkinForm.h"
#include "skin_controls/ControlsTestSkin.h"
#include "skin_form/FrameTestSkin.h"
#include "support/UiTest.h"

namespace {

using platform::core::TPoint;
using platform::core::TRect;
using platform::forms::TForm;
using platform::gfx::TColor;
using skin::TbsSkinButton;
using skin::TbsSkinComboBox;
using skin::TbsSkinForm;

constexpr TColor kWhite = platform::gfx::RGB(255, 255, 255);

class BothBackends : public vktest::UiBackendTest {
protected:
    // A named, borderless white form; shown by the test once its controls are made.
    TForm* MakeForm(const std::string& name, const TRect& bounds) {
        auto* form = new TForm(&App());
        form->SetName(name);
        form->SetBorderStyle(platform::forms::bsNone);
        form->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        form->SetColor(kWhite);
        return form;
    }
    template <class T>
    T* MakeControl(TForm* form, const std::string& name, const TRect& bounds) {
        auto* control = new T(form);
        control->SetName(name);
        control->SetParent(form);
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        return control;
    }
    // Shows the form and waits until it is active (on a display: mapped and focused).
    void ShowAndActivate(TForm* form) {
        form->Show();
        ASSERT_TRUE(Ui().WaitUntil([&] { return System().GetActiveWindow() == form->Handle(); }))
            << "the form did not become active";
    }
};

TEST_P(BothBackends, ASkinButtonFoundByNamePaintsItsDownStateAndClicksOnRelease) {
    using namespace skinctl;
    TForm* form = MakeForm("ButtonForm", {60, 60, 360, 260});
    const TTestSkin skinData = MakeSkin(form);
    auto* made = MakeControl<TbsSkinButton>(form, "btnStart", {20, 20, 100, 40});
    made->SetSkinDataName("btn");
    made->SetSkinData(skinData.Data);
    ShowAndActivate(form);

    auto* button = Ui().Find<TbsSkinButton>(*form, "btnStart");
    ASSERT_EQ(button, made);
    int clicks = 0;
    button->OnClick = [&](platform::forms::TComponent* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    EXPECT_EQ(Ui().Pixel(button, 1, 10), StateColor(stNormal, ptLeft));

    Ui().Press(button, 40, 10);
    ASSERT_TRUE(Ui().WaitUntil([&] { return button->Down(); }));
    EXPECT_EQ(Ui().Pixel(button, 1, 10), StateColor(stDown, ptLeft));
    EXPECT_EQ(Ui().Pixel(button, 79, 10), StateColor(stDown, ptRight));
    EXPECT_EQ(clicks, 0);

    Ui().Release();
    ASSERT_TRUE(Ui().WaitUntil([&] { return clicks == 1; }));
    EXPECT_FALSE(button->Down());
    // The pointer is still over it: the active picture.
    EXPECT_EQ(Ui().Pixel(button, 1, 10), StateColor(stActive, ptLeft));
}

TEST_P(BothBackends, AComboBoxDropDownOpensItsListWindowAndTakesAClickedRow) {
    TForm* form = MakeForm("ComboForm", {60, 60, 360, 360});
    auto* made = MakeControl<TbsSkinComboBox>(form, "cbxPackage", {20, 20, 170, 40});
    made->SetItems({"alpha", "bravo", "charlie", "delta", "echo"});
    made->SetItemIndex(1);
    ShowAndActivate(form);

    auto* combo = Ui().Find<TbsSkinComboBox>(*form, "cbxPackage");
    ASSERT_EQ(combo, made);
    Ui().Click(combo, 40, 10);
    ASSERT_TRUE(Ui().WaitUntil([&] { return combo->DroppedDown(); }));
    auto* list = combo->ListBox();
    ASSERT_TRUE(list->HandleAllocated());
    EXPECT_TRUE(list->Handle()->IsTopLevel());
    // Below the box, as wide as the box.
    EXPECT_EQ(list->Left(), combo->ClientToScreen({0, 0}).X);
    EXPECT_EQ(list->Top(), combo->ClientToScreen({0, 20}).Y);
    EXPECT_EQ(list->Width(), 150);

    // The screen shows what the list painted: its chosen row differs from the others, and the
    // form's white is gone where the list lies.
    auto* inner = list->ListBox();
    const auto rowPoint = [&](int index) {
        const TRect r = inner->ItemRect(index);
        return inner->ClientToScreen({r.Left + 2, r.Top + r.Height() / 2});
    };
    const TPoint chosen = rowPoint(1), other = rowPoint(3);
    const platform::gfx::TBitmap painted = Ui().CaptureWindow(list->Handle());
    const TPoint inList = list->ScreenToClient(chosen);
    EXPECT_EQ(Ui().Pixel(chosen.X, chosen.Y), painted.Pixel(inList.X, inList.Y));
    EXPECT_NE(Ui().Pixel(chosen.X, chosen.Y), Ui().Pixel(other.X, other.Y));
    EXPECT_NE(Ui().Pixel(chosen.X, chosen.Y), kWhite);
    Ui().SavePng("combo-open-" + vktest::BackendName(GetParam()));

    Ui().Click(rowPoint(2));
    ASSERT_TRUE(Ui().WaitUntil([&] { return !combo->DroppedDown(); }));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "charlie");
}

TEST_P(BothBackends, AComboBoxTypedIntoSearchesOpensOnAltDownAndRepeatsAHeldKey) {
    std::vector<std::string> items = {"alpha", "bravo", "charlie", "delta"};
    for (int i = 0; i < 26; ++i) items.push_back("item " + std::to_string(i));
    TForm* form = MakeForm("KeyForm", {60, 60, 360, 360});
    auto* made = MakeControl<TbsSkinComboBox>(form, "cbxSeverity", {20, 20, 170, 40});
    made->SetItems(items);
    made->SetItemIndex(0);
    ShowAndActivate(form);

    auto* combo = Ui().Find<TbsSkinComboBox>("cbxSeverity");
    Ui().Type(combo, "ch");
    ASSERT_TRUE(Ui().WaitUntil([&] { return combo->ItemIndex() == 2; })) << combo->ItemIndex();
    EXPECT_EQ(combo->SearchText(), "ch");

    Ui().KeyPress(platform::ui::VK_DOWN, vktest::kAlt);
    ASSERT_TRUE(Ui().WaitUntil([&] { return combo->DroppedDown(); }));
    EXPECT_EQ(System().GetFocus(), combo->Handle());
    Ui().KeyPress(platform::ui::VK_ESCAPE);
    ASSERT_TRUE(Ui().WaitUntil([&] { return !combo->DroppedDown(); }));
    EXPECT_EQ(combo->ItemIndex(), 2);

    // Held past the repeat delay, Down moves on by itself; released, it stops.
    const uint64_t start = System().Now();
    ASSERT_TRUE(Ui().HoldKeyUntil(platform::ui::VK_DOWN, [&] { return combo->ItemIndex() >= 2 + 4; }))
        << combo->ItemIndex();
    if (Ui().Headless()) {
        // The press, then repeats at the delay and one and two intervals after it: exact on the
        // virtual clock.
        EXPECT_EQ(System().Now() - start, vktest::kRepeatDelay + 2 * vktest::kRepeatInterval);
        EXPECT_EQ(combo->ItemIndex(), 2 + 4);
    }
    const int after = combo->ItemIndex();
    Ui().Advance(vktest::kRepeatDelay);
    EXPECT_EQ(combo->ItemIndex(), after);
}

TEST_P(BothBackends, ASkinFormsCloseButtonLightsUpPressesAndClosesTheForm) {
    using namespace skinform;
    auto* form = new TForm(&App());
    form->SetName("FrameForm");
    form->SetBorderStyle(platform::forms::bsSizeable);
    form->SetBounds(100, 100, kPicW + 100, kPicH + 50);
    auto* made = new TbsSkinForm(form);
    made->SetName("bsSkinForm");
    made->SetSkinData(MakeFrameSkin(&App(), SkinText()));
    ShowAndActivate(form);
    ASSERT_EQ(Ui().Find<TbsSkinForm>("bsSkinForm"), made);

    // The close button lies at (278..293, 7..22) of the window.
    const TPoint closeMiddle{form->Left() + 285, form->Top() + 15};
    const TPoint closePixel{form->Left() + 280, form->Top() + 10};
    const TColor normal = Ui().Pixel(closePixel.X, closePixel.Y);
    EXPECT_EQ(normal, Pix(180, 10));

    // The frame's hover poll lights the button up.
    Ui().MouseMove(closeMiddle);
    EXPECT_TRUE(Ui().WaitUntil([&] { return Ui().Pixel(closePixel.X, closePixel.Y) == kHotClose; }))
        << "the hot face did not appear";
    Ui().MouseDown();
    EXPECT_TRUE(Ui().WaitUntil([&] { return Ui().Pixel(closePixel.X, closePixel.Y) == kDownClose; }))
        << "the pressed face did not appear";
    EXPECT_TRUE(form->Visible());

    Ui().MouseUp();
    ASSERT_TRUE(Ui().WaitUntil([&] { return !form->Visible(); }));
    // The frame leaves the screen.
    EXPECT_TRUE(Ui().WaitUntil([&] {
        const TColor now = Ui().Pixel(closePixel.X, closePixel.Y);
        return now != kDownClose && now != kHotClose && now != normal;
    })) << "the close button is still on the screen";
}

INSTANTIATE_TEST_SUITE_P(Backends, BothBackends,
                         ::testing::Values(vktest::TBackendKind::Headless, vktest::TBackendKind::X11),
                         vktest::BackendParamName);

}  // namespace
