// The UI test context on the headless backend: finding controls by name (and the failures when a
// name is absent or of another class), pointer and keyboard input with modifiers and key repeat,
// the virtual clock, and reading the screen back.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/forms/CustomControl.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Messages.h"
#include "support/UiTest.h"

namespace {

namespace forms = platform::forms;
namespace ui = platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::RGB;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

constexpr TColor kFormColor = RGB(250, 250, 250), kBoxColor = RGB(20, 120, 220), kFocusColor = RGB(200, 40, 40);

// Takes the focus, records what it is typed and clicked, paints kBoxColor (kFocusColor when
// focused).
class TRecordingBox : public forms::TCustomControl {
public:
    explicit TRecordingBox(forms::TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        OnKeyDown = [this](forms::TComponent*, uint16_t& key, forms::TShiftState shift) {
            Keys.push_back(std::to_string(key) + (shift & forms::ssShift ? "+shift" : "") +
                           (shift & forms::ssCtrl ? "+ctrl" : "") + (shift & forms::ssAlt ? "+alt" : ""));
        };
        OnKeyPress = [this](forms::TComponent*, char32_t& key) { Typed += static_cast<char>(key); };
        OnMouseDown = [this](forms::TComponent*, forms::TMouseButton button, forms::TShiftState, int x, int y) {
            Presses.push_back((button == forms::mbRight ? "right@" : "left@") + std::to_string(x) + "," +
                              std::to_string(y));
        };
        OnDblClick = [this](forms::TComponent*) { ++DoubleClicks; };
    }
    std::vector<std::string> Keys;
    std::string Typed;
    std::vector<std::string> Presses;
    int DoubleClicks = 0;

protected:
    void WMLButtonDown(forms::TMessage& m) override {
        if (CanFocus() && !Focused()) SetFocus();
        TCustomControl::WMLButtonDown(m);
    }
    void Paint() override {
        Canvas().Brush.Color = Focused() ? kFocusColor : kBoxColor;
        Canvas().FillRect(ClientRect());
    }
    void DoEnter() override {
        TCustomControl::DoEnter();
        Invalidate();
    }
};

class UiTestContextTest : public vktest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = new forms::TForm(&App());
        form->SetName("MainForm");
        form->SetBorderStyle(forms::bsNone);
        form->SetBounds(30, 40, 300, 200);
        form->SetColor(kFormColor);
        box = new TRecordingBox(form);
        box->SetName("edtName");
        box->SetParent(form);
        box->SetBounds(10, 20, 100, 30);
        form->Show();
        ProcessMessages();
    }

    forms::TForm* form = nullptr;
    TRecordingBox* box = nullptr;
};

TEST_F(UiTestContextTest, FindsAControlByNameInItsFormOrInAnyForm) {
    EXPECT_EQ(Ui().Find<TRecordingBox>(*form, "edtName"), box);
    EXPECT_EQ(Ui().Find<forms::TWinControl>(*form, "edtName"), box);
    EXPECT_EQ(Ui().Find<TRecordingBox>("edtName"), box);
    EXPECT_EQ(Ui().Find<forms::TForm>("MainForm"), form);
}

TEST_F(UiTestContextTest, AnAbsentNameOrAnotherClassFailsWithTheNameInTheMessage) {
    try {
        (void)Ui().Find<TRecordingBox>(*form, "btnMissing");
        ADD_FAILURE() << "an absent name was found";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "no component named 'btnMissing' in 'MainForm'");
    }
    try {
        (void)Ui().Find<forms::TForm>(*form, "edtName");
        ADD_FAILURE() << "a control was taken for a form";
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("'edtName' in 'MainForm' is a "), std::string::npos) << message;
        EXPECT_NE(message.find("not the class wanted"), std::string::npos) << message;
    }
    EXPECT_THROW((void)Ui().Find<TRecordingBox>("nowhere"), std::runtime_error);
}

TEST_F(UiTestContextTest, ClicksLandAtClientPointsAndTheMiddle) {
    Ui().Click(box, 5, 6);
    Ui().RightClick(box);
    EXPECT_EQ(box->Presses, (std::vector<std::string>{"left@5,6", "right@50,15"}));
    EXPECT_EQ(Ui().CenterOf(box), (TPoint{30 + 10 + 50, 40 + 20 + 15}));
    Ui().DoubleClick(box);
    EXPECT_EQ(box->DoubleClicks, 1);
}

TEST_F(UiTestContextTest, TypesIntoAControlAndHoldsModifiers) {
    Ui().Type(box, "Hi 7");
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(box->Typed, "Hi 7");

    box->Keys.clear();
    Ui().KeyPress('K', vktest::kShift | vktest::kControl);
    Ui().KeyPress('K');
    Ui().KeyPress(ui::VK_LEFT, vktest::kAlt);
    const std::string k = std::to_string('K'), left = std::to_string(ui::VK_LEFT);
    // The modifiers' own key-downs come first; after the press they are all let go.
    ASSERT_GE(box->Keys.size(), 3U);
    EXPECT_NE(std::find(box->Keys.begin(), box->Keys.end(), k + "+shift+ctrl"), box->Keys.end());
    EXPECT_NE(std::find(box->Keys.begin(), box->Keys.end(), k), box->Keys.end());
    EXPECT_EQ(System().GetKeyState(ui::VK_SHIFT) & 0x8000, 0);
    EXPECT_EQ(System().GetKeyState(ui::VK_CONTROL) & 0x8000, 0);
    EXPECT_EQ(System().GetKeyState(ui::VK_MENU) & 0x8000, 0);

    box->Typed.clear();
    Ui().KeyPress('J', vktest::kShift);
    Ui().KeyPress('J');
    EXPECT_EQ(box->Typed, "Jj");
}

TEST_F(UiTestContextTest, AHeldKeyRepeatsAfterTheDelayAtTheInterval) {
    Ui().Type(box, "");
    const uint64_t start = System().Now();
    Ui().HoldKey('X', vktest::kRepeatDelay + 3 * vktest::kRepeatInterval + 10);
    // The first press, then repeats at the delay and at each interval after it.
    EXPECT_EQ(box->Typed, "xxxxx");
    EXPECT_EQ(System().Now() - start, vktest::kRepeatDelay + 3 * vktest::kRepeatInterval + 10);
    EXPECT_EQ(System().GetKeyState('X') & 0x8000, 0);

    box->Typed.clear();
    Ui().HoldKey('Y', vktest::kRepeatDelay - 1);
    EXPECT_EQ(box->Typed, "y");
}

TEST_F(UiTestContextTest, AKeyHeldUntilAConditionStopsThereOrAtTheTimeout) {
    Ui().Type(box, "");
    EXPECT_TRUE(Ui().HoldKeyUntil('Z', [&] { return box->Typed.size() >= 3; }));
    EXPECT_EQ(box->Typed, "zzz");  // the press and two repeats
    EXPECT_EQ(System().GetKeyState('Z') & 0x8000, 0);

    box->Typed.clear();
    const uint64_t start = System().Now();
    EXPECT_FALSE(Ui().HoldKeyUntil('Z', [] { return false; }, vktest::kRepeatDelay + vktest::kRepeatInterval));
    EXPECT_EQ(box->Typed, "zzz");
    EXPECT_EQ(System().Now() - start, vktest::kRepeatDelay + vktest::kRepeatInterval);
    EXPECT_EQ(System().GetKeyState('Z') & 0x8000, 0);
}

TEST_F(UiTestContextTest, AdvanceMovesTheVirtualClockAndWaitUntilStopsWhenDone) {
    const uint64_t start = System().Now();
    Ui().Advance(250);
    EXPECT_EQ(System().Now() - start, 250U);
    EXPECT_TRUE(Ui().WaitUntil([&] { return System().Now() - start >= 300; }, 1000, 10));
    EXPECT_EQ(System().Now() - start, 300U);
    EXPECT_FALSE(Ui().WaitUntil([] { return false; }, 50, 10));
}

TEST_F(UiTestContextTest, ReadsPixelsAndRegionsAsTheScreenShowsThem) {
    EXPECT_EQ(Ui().Pixel(30, 40), kFormColor);
    EXPECT_EQ(Ui().Pixel(box, 0, 0), kBoxColor);
    EXPECT_EQ(Ui().Pixel(box, 99, 29), kBoxColor);
    EXPECT_EQ(Ui().Pixel(box, 100, 30), kFormColor);

    const TBitmap region = Ui().Capture(TRect{35, 55, 45, 65});  // across the box's top-left corner
    ASSERT_EQ(region.Width(), 10);
    ASSERT_EQ(region.Height(), 10);
    EXPECT_EQ(region.Pixel(0, 0), kFormColor);
    EXPECT_EQ(region.Pixel(9, 9), kBoxColor);

    const TBitmap client = Ui().Capture(box);
    EXPECT_EQ(client.Width(), 100);
    EXPECT_EQ(client.Height(), 30);
    EXPECT_EQ(client.Pixel(50, 15), kBoxColor);

    // Focus repaints; the screen follows.
    Ui().Click(box);
    EXPECT_EQ(Ui().Pixel(box, 50, 15), kFocusColor);
}

TEST_F(UiTestContextTest, SavesAPictureOnlyWhereAFolderIsGiven) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("vk_ui_shots_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(dir);
    unsetenv("VK_UI_SHOTS");
    Ui().SavePng("none");
    EXPECT_FALSE(std::filesystem::exists(dir));

    setenv("VK_UI_SHOTS", dir.c_str(), 1);
    Ui().SavePng("screen");
    unsetenv("VK_UI_SHOTS");
    ASSERT_TRUE(std::filesystem::exists(dir / "screen.png"));
    TBitmap back;
    ASSERT_TRUE(platform::gfx::LoadPng(back, (dir / "screen.png").string()));
    EXPECT_EQ(back.Pixel(31, 41), kFormColor);
    std::filesystem::remove_all(dir);
}

}  // namespace
