// The up-down: button geometry and the shared edge, press-and-hold repetition on the virtual
// clock, pausing off the held button, the position setter's rules, Increment 0, the order of a
// click's events, and both looks.

#include "BoxesFixture.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"

namespace boxes {
namespace {

using platform::forms::TComponent;
using platform::forms::TMouseButton;
using platform::forms::TShiftState;
using platform::gfx::ColorToRGB;
using skin::TbsSkinUpDown;
using MB = platform::ui::TMouseButton;

class UpDownTest : public FormFixture {
protected:
    TbsSkinUpDown* MakeVertical(int w = 30, int h = 38) {
        auto* ud = Make<TbsSkinUpDown>(20, 20);
        ud->SetOrientation(skin::udVertical);
        ud->SetBounds(20, 20, w, h);
        ud->OnChange = log.Note("change");
        ud->OnUpButtonClick = log.Note("up");
        ud->OnDownButtonClick = log.Note("down");
        ProcessMessages();
        return ud;
    }
    EventLog log;
};

TEST_F(UpDownTest, DefaultButtonsSplitTheControlAndTheSharedEdgeBelongsToUp) {
    auto* ud = MakeVertical(30, 38);
    EXPECT_EQ(ud->Button(TbsSkinUpDown::kUpButton).Rect, (TRect{0, 0, 30, 19}));
    EXPECT_EQ(ud->Button(TbsSkinUpDown::kDownButton).Rect, (TRect{0, 19, 30, 38}));
    Press(ud, 5, 19);
    EXPECT_EQ(ud->PressedButton(), TbsSkinUpDown::kUpButton);
    Release();
    EXPECT_EQ(log.Events, (std::vector<std::string>{"change", "up"}));
    EXPECT_EQ(ud->Position(), 1);

    ud->SetOrientation(skin::udHorizontal);
    EXPECT_EQ(ud->Button(TbsSkinUpDown::kUpButton).Rect, (TRect{15, 0, 30, 38}));
    EXPECT_EQ(ud->Button(TbsSkinUpDown::kDownButton).Rect, (TRect{0, 0, 15, 38}));
    log.Clear();
    ClickAt(ud, 3, 5);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"change", "down"}));
    EXPECT_EQ(ud->Position(), 0);
}

TEST_F(UpDownTest, HeldButtonRepeatsAfter500ThenEvery100Ms) {
    auto* ud = MakeVertical();
    Press(ud, 5, 5);
    EXPECT_EQ(ud->RepeatDirection(), 2);
    EXPECT_TRUE(ud->FirstDelay());
    Advance(499);
    EXPECT_EQ(ud->Position(), 0);
    Advance(1);  // 500: only ends the first delay
    EXPECT_EQ(ud->Position(), 0);
    EXPECT_FALSE(ud->FirstDelay());
    Advance(99);
    EXPECT_EQ(ud->Position(), 0);
    Advance(1);  // 600
    EXPECT_EQ(ud->Position(), 1);
    Advance(100);  // 700
    EXPECT_EQ(ud->Position(), 2);
    Advance(50);
    Release();
    // n repeat steps and the release step, one click event.
    EXPECT_EQ(ud->Position(), 3);
    EXPECT_EQ(log.Count("up"), 1);
    EXPECT_EQ(log.Count("change"), 3);
    EXPECT_EQ(ud->RepeatDirection(), 0);
    EXPECT_EQ(ud->PressedButton(), -1);
    Advance(1000);
    EXPECT_EQ(ud->Position(), 3);
}

TEST_F(UpDownTest, LeavingTheHeldButtonPausesAndComingBackResumesAt50Ms) {
    auto* ud = MakeVertical();
    ud->SetPosition(50);
    log.Clear();
    Press(ud, 5, 25);  // down button
    Advance(600);
    EXPECT_EQ(ud->Position(), 49);
    // Onto the up button: neither button lights up while down is held, and repeating stops.
    MoveTo(ud, 5, 5);
    EXPECT_EQ(ud->HotButton(), -1);
    EXPECT_FALSE(ud->Button(0).PointerOver);
    EXPECT_FALSE(ud->Button(1).PointerOver);
    Advance(500);
    EXPECT_EQ(ud->Position(), 49);
    // Off the control entirely and back onto the held button.
    MoveTo(ud, 100, 100);
    Advance(300);
    EXPECT_EQ(ud->Position(), 49);
    MoveTo(ud, 5, 30);
    Advance(49);
    EXPECT_EQ(ud->Position(), 49);
    Advance(1);
    EXPECT_EQ(ud->Position(), 48);
    Advance(50);
    EXPECT_EQ(ud->Position(), 47);
    // A release away from the pressed button fires nothing.
    MoveTo(ud, 5, 5);
    log.Clear();
    Release();
    EXPECT_TRUE(log.Events.empty());
    EXPECT_EQ(ud->Position(), 47);

    // Leaving the control straight from the held button pauses as well.
    Press(ud, 5, 30);
    Advance(600);
    EXPECT_EQ(ud->Position(), 46);
    MoveTo(ud, 200, 200);
    Advance(1000);
    EXPECT_EQ(ud->Position(), 46);
    MoveTo(ud, 5, 30);
    Advance(50);
    EXPECT_EQ(ud->Position(), 45);
    Release();
}

TEST_F(UpDownTest, PositionSetterIgnoresOutOfRangeAndAlwaysReportsTheRest) {
    auto* ud = MakeVertical();
    ud->SetPosition(101);
    ud->SetPosition(-1);
    EXPECT_TRUE(log.Events.empty());
    EXPECT_EQ(ud->Position(), 0);
    ud->SetPosition(0);  // the value already held still reports
    EXPECT_EQ(log.Count("change"), 1);

    ud->SetPosition(80);
    log.Clear();
    ud->SetMax(60);  // silently pulled into the range
    EXPECT_EQ(ud->Position(), 60);
    ud->SetMin(70);
    EXPECT_EQ(ud->Position(), 70);
    EXPECT_TRUE(log.Events.empty());

    // At the end of the range the click still reports, the position stays.
    ud->SetMin(0);
    ud->SetMax(100);
    ud->SetIncrement(6);
    ud->SetPosition(90);
    log.Clear();
    ClickAt(ud, 5, 5);
    EXPECT_EQ(ud->Position(), 96);
    ClickAt(ud, 5, 5);
    EXPECT_EQ(ud->Position(), 96);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"change", "up", "up"}));
}

TEST_F(UpDownTest, IncrementZeroMakesPlainClickButtonsWithoutRepeat) {
    auto* ud = MakeVertical();
    ud->SetIncrement(0);
    ud->SetPosition(5);
    log.Clear();
    Press(ud, 5, 5);
    EXPECT_EQ(ud->RepeatDirection(), 0);
    Advance(2000);
    Release();
    Press(ud, 5, 30);
    Release();
    EXPECT_EQ(log.Events, (std::vector<std::string>{"up", "down"}));
    EXPECT_EQ(ud->Position(), 5);
}

TEST_F(UpDownTest, ClickEventsComeAfterTheStateChangeAndBeforeTheMouseEvents) {
    auto* ud = MakeVertical();
    ud->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) {
        log.Events.push_back(ud->Button(0).Down ? "mousedown(held)" : "mousedown");
    };
    ud->OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, int, int) {
        log.Events.push_back(ud->PressedButton() == -1 ? "mouseup(released)" : "mouseup");
    };
    ud->OnUpButtonClick = [&](TComponent*) { log.Events.push_back(ud->Button(0).Down ? "up(held)" : "up"); };
    // Any mouse button works.
    Press(ud, 5, 5, MB::Right);
    Release(MB::Right);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"mousedown(held)", "change", "up", "mouseup(released)"}));
}

TEST_F(UpDownTest, DefaultLookShowsTheButtonStates) {
    auto* ud = MakeVertical(30, 38);
    const TColor face = ColorToRGB(platform::gfx::clBtnFace);
    const TColor shadow = ColorToRGB(platform::gfx::clBtnShadow);
    EXPECT_EQ(PixelAt(ud, 3, 3), face);
    EXPECT_EQ(PixelAt(ud, 0, 0), shadow);
    // Arrow tip of the up button: the centre row of the four-line arrow is black.
    EXPECT_EQ(PixelAt(ud, 15, 9), RGB(0, 0, 0));
    MoveTo(ud, 5, 5);
    EXPECT_EQ(PixelAt(ud, 3, 3), RGB(182, 189, 210));
    EXPECT_EQ(PixelAt(ud, 0, 0), RGB(0, 0, 128));
    Ui().MouseDown(MB::Left);
    EXPECT_EQ(PixelAt(ud, 3, 3), RGB(133, 147, 181));
    EXPECT_EQ(PixelAt(ud, 3, 25), face);
    // Dragged off the held button, it shows its normal look.
    MoveTo(ud, 100, 100);
    EXPECT_EQ(PixelAt(ud, 3, 3), face);
    Release();
    Shot("updown_default");
}

TEST_F(UpDownTest, SkinRecordFixesTheSizeAndPaintsStatePictures) {
    auto skin = MakeSkin(form);
    ASSERT_FALSE(skin.Data->SkinIsEmpty) << skin.Data->LoadProblem();
    auto* ud = MakeVertical(29, 38);
    ud->SetSkinDataName("vupdown");
    ud->SetSkinData(skin.Data);
    EXPECT_EQ(ud->Width(), 18);
    EXPECT_EQ(ud->Height(), 36);
    EXPECT_EQ(ud->Button(0).Rect, (TRect{0, 0, 18, 18}));
    EXPECT_EQ(ud->Button(1).Rect, (TRect{0, 18, 18, 36}));
    EXPECT_EQ(PixelAt(ud, 9, 9), kUdUp);
    EXPECT_EQ(PixelAt(ud, 9, 27), kUdDown);
    MoveTo(ud, 9, 27);
    EXPECT_EQ(PixelAt(ud, 9, 27), kUdDownActive);
    Ui().MouseDown(MB::Left);
    EXPECT_EQ(PixelAt(ud, 9, 27), kUdDownPressed);
    EXPECT_EQ(PixelAt(ud, 9, 9), kUdUp);
    Release();
    EXPECT_EQ(PixelAt(ud, 9, 27), kUdDownActive);
    MoveTo(ud, 9, 5);
    EXPECT_EQ(PixelAt(ud, 9, 27), kUdDown);
    EXPECT_EQ(PixelAt(ud, 9, 9), kUdUpActive);
    // Setting another size changes nothing while the record is bound.
    ud->SetBounds(20, 20, 50, 50);
    EXPECT_EQ(ud->Width(), 18);
    EXPECT_EQ(ud->Height(), 36);
    Shot("updown_skin");
}

}  // namespace
}  // namespace boxes
