// The mouse on a skinned frame: hover and press looks of caption buttons, commands run only by a
// release on the hot button, caption drags, hidden caption buttons and cross-fades.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "skin/form/bsSkinFormCaption.h"
#include "tests/skin_form/SkinFormFixture.h"

using namespace skinform;
using namespace platform::ui;
using platform::forms::TForm;
using skin::HTOBJECT;

namespace {

constexpr int W = kPicW + 100, H = kPicH + 50;
// The close button's middle and one of its pixels, in window coordinates.
constexpr TPoint kClose{285, 15};
constexpr TPoint kClosePixel{280, 10};
const TColor kCloseNormal = Pix(180, 10);

bool Near(TColor a, TColor b, int tolerance = 1) {
    using platform::gfx::GetBValue;
    using platform::gfx::GetGValue;
    using platform::gfx::GetRValue;
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class Input : public SkinFormFixture {
protected:
    TForm* Make(std::string_view closeExtra = {}) {
        TForm* form = MakeForm(W, H, MakeSkin(SkinText(true, {}, closeExtra)));
        Park(form);
        SkinForm().OnMouseDownEvent = [this](const std::string& id, int, int, const TRect&,
                                             platform::forms::TMouseButton) {
            Events.push_back("down:" + id);
        };
        SkinForm().OnMouseUpEvent = [this](const std::string& id, int, int, const TRect&,
                                           platform::forms::TMouseButton) { Events.push_back("up:" + id); };
        return form;
    }
    // The pointer rests in the client area with nothing hot.
    void Park(TForm* form) {
        Ui().MouseMove(At(form, 150, 80));
        Advance(60);
    }
    void Hover(TForm* form, TPoint p) {
        Ui().MouseMove(At(form, p.X, p.Y));
        Advance(60);
    }
    TColor ClosePixel(TForm* form) { return Capture(form).Pixel(kClosePixel.X, kClosePixel.Y); }

    std::vector<std::string> Events;
};

TEST_F(Input, HoverPressAndClickOfTheCloseButton) {
    TForm* form = Make();
    EXPECT_EQ(ClosePixel(form), kCloseNormal);
    Hover(form, kClose);
    EXPECT_EQ(ClosePixel(form), kHotClose);
    Ui().MouseDown();
    EXPECT_EQ(ClosePixel(form), kDownClose);
    EXPECT_TRUE(form->Visible());
    Ui().MouseUp();
    EXPECT_FALSE(form->Visible());
}

TEST_F(Input, PressDraggedOffTheButtonLosesTheHotLookAndRunsNothing) {
    TForm* form = Make();
    Hover(form, kClose);
    Ui().MouseDown();
    ASSERT_EQ(ClosePixel(form), kDownClose);
    // Off the button, into the client: the button is neither hot nor pressed-looking.
    Hover(form, {150, 80});
    EXPECT_EQ(ClosePixel(form), kCloseNormal);
    // Back on it while still held: pressed again.
    Hover(form, kClose);
    EXPECT_EQ(ClosePixel(form), kDownClose);
    Hover(form, {150, 27});
    EXPECT_EQ(ClosePixel(form), kCloseNormal);
    Ui().MouseUp();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(SkinForm().MouseCaptureObject(), -1);
    EXPECT_EQ(System().GetCapture(), nullptr);
    // The maximise button stays untouched by the press that started elsewhere.
    EXPECT_EQ(SkinForm().WindowState(), platform::forms::wsNormal);
}

TEST_F(Input, MaximiseButtonTogglesTheWindowState) {
    TForm* form = Make();
    Hover(form, {270, 15});
    Ui().MouseDown();
    Ui().MouseUp();
    EXPECT_EQ(SkinForm().WindowState(), platform::forms::wsMaximized);
    EXPECT_EQ(form->Width(), 1024);
    // The buttons moved with the right edge.
    EXPECT_EQ(SkinForm().FindObject("closebutton")->ObjectRect.Right, 1024 - 7);
    Ui().MouseMove(At(form, 1024 - 30, 15));
    Advance(60);
    Ui().MouseDown();
    Ui().MouseUp();
    EXPECT_EQ(SkinForm().WindowState(), platform::forms::wsNormal);
    EXPECT_EQ(form->Width(), W);
}

TEST_F(Input, CaptionDragMovesTheWindowWithoutPressingTheCaption) {
    TForm* form = Make();
    const int left = form->Left(), top = form->Top();
    ASSERT_EQ(HitAt(form, 100, 15), HTCAPTION);
    Ui().Drag(At(form, 100, 15), At(form, 140, 45));
    EXPECT_EQ(form->Left(), left + 40);
    EXPECT_EQ(form->Top(), top + 30);
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(SkinForm().MouseCaptureObject(), -1);
    // A plain click on the caption also goes to the move loop, never to the caption object.
    Ui().Click(At(form, 100, 15));
    EXPECT_TRUE(Events.empty());
    // A right press is no move: the caption object hears it.
    Ui().Click(At(form, 100, 15), TMouseButton::Right);
    EXPECT_EQ(Events, (std::vector<std::string>{"down:caption", "up:caption"}));
}

TEST_F(Input, HiddenCaptionButtonsShowDisabledAndDoNotReact) {
    TForm* form = Make();
    SkinForm().SetHideCaptionButtons(true);
    ProcessMessages();
    auto* close = SkinForm().FindObject("closebutton");
    EXPECT_FALSE(close->Enabled);
    EXPECT_TRUE(close->Visible);
    EXPECT_EQ(ClosePixel(form), kDisabledClose);
    EXPECT_EQ(HitAt(form, kClose.X, kClose.Y), HTOBJECT);
    Hover(form, kClose);
    EXPECT_EQ(SkinForm().ActiveObject(), -1);
    Ui().MouseDown();
    Ui().MouseUp();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(ClosePixel(form), kDisabledClose);
}

TEST_F(Input, BorderIconsDisableTheButtonsTheyNeed) {
    TForm* form = Make();
    SkinForm().SetBorderIcons(skin::biSystemMenu | skin::biMinimize);
    ProcessMessages();
    EXPECT_FALSE(SkinForm().FindObject("maxbutton")->Enabled);
    EXPECT_TRUE(SkinForm().FindObject("closebutton")->Enabled);
    Hover(form, {270, 15});
    Ui().MouseDown();
    Ui().MouseUp();
    EXPECT_EQ(SkinForm().WindowState(), platform::forms::wsNormal);
}

TEST_F(Input, CaptionButtonCrossFadesInTenthsAndRunsBackFromWhereItStood) {
    TForm* form = Make("morphing=1\nmorphkind=mkdefault\n");
    auto* close = SkinForm().FindObject("closebutton");
    ASSERT_TRUE(close->Morphing);
    Ui().MouseMove(At(form, kClose.X, kClose.Y));
    Advance(50);  // the hover poll finds the button
    ASSERT_TRUE(close->Highlighted);
    const double start = close->MorphFactor;
    Advance(100);  // five fade steps of 20 ms
    EXPECT_NEAR(close->MorphFactor - start, 0.5, 1e-9);
    const double half = close->MorphFactor;
    const TColor mixed = ClosePixel(form);
    const auto mix = [half](int a, int b) { return static_cast<int>(a + (b - a) * half + 0.5); };
    EXPECT_TRUE(Near(mixed, RGB(mix(180, 250), mix(10, 20), mix(100, 20)))) << std::hex << mixed;

    // Leaving half-way runs the factor back from where it stood.
    Ui().MouseMove(At(form, 150, 80));
    Advance(50);
    ASSERT_FALSE(close->Highlighted);
    const double left = close->MorphFactor;
    Advance(40);
    EXPECT_NEAR(left - close->MorphFactor, 0.2, 1e-9);
    Advance(400);
    EXPECT_EQ(close->MorphFactor, 0.0);
    EXPECT_EQ(ClosePixel(form), kCloseNormal);
    EXPECT_FALSE(SkinForm().FadeTimer().Enabled());

    // Hovered long enough, the fade ends exactly on the hot image.
    Hover(form, kClose);
    Advance(400);
    EXPECT_EQ(close->MorphFactor, 1.0);
    EXPECT_EQ(ClosePixel(form), kHotClose);
}

TEST_F(Input, ObjectEventsCarryTheObjectsName) {
    std::vector<std::string> entered;
    TForm* form = Make();
    SkinForm().OnMouseEnterEvent = [&](const std::string& id) { entered.push_back("enter:" + id); };
    SkinForm().OnMouseLeaveEvent = [&](const std::string& id) { entered.push_back("leave:" + id); };
    Hover(form, {270, 15});
    Hover(form, kClose);
    Park(form);
    EXPECT_EQ(entered, (std::vector<std::string>{"enter:maxbutton", "leave:maxbutton", "enter:closebutton",
                                                 "leave:closebutton"}));
}

TEST_F(Input, CaptionShowsTheTitleInTheActiveColour) {
    TForm* form = Make();
    form->SetCaption("Title");
    ProcessMessages();
    const TBitmap shot = Capture(form);
    // The strip is yellow (no blue); the white title brings blue in.
    int text = 0;
    for (int y = 5; y < 25; ++y)
        for (int x = 15; x < 250; ++x)
            if (platform::gfx::GetBValue(shot.Pixel(x, y)) > 128) ++text;
    EXPECT_GT(text, 20);
    // A title longer than the text rectangle ends in an ellipsis inside it.
    form->SetCaption(std::string(200, 'W'));
    ProcessMessages();
    const TBitmap longShot = Capture(form);
    for (int y = 5; y < 25; ++y) EXPECT_EQ(longShot.Pixel(10 + 5 + 135 + 100 + 2, y), kActiveCaption) << y;
}

TEST_F(Input, DeactivatedWindowShowsNoHotButton) {
    TForm* form = Make();
    Hover(form, kClose);
    ASSERT_EQ(ClosePixel(form), kHotClose);
    auto* other = new TForm(&App());
    other->SetBounds(700, 500, 150, 100);
    other->SetVisible(true);
    ProcessMessages();
    EXPECT_FALSE(SkinForm().FindObject("closebutton")->Highlighted);
    EXPECT_EQ(ClosePixel(form), kCloseNormal);
    // An inactive window's frame does not react to the mouse.
    Advance(100);
    EXPECT_EQ(SkinForm().ActiveObject(), -1);
}

TEST_F(Input, AnimationPlaysForwardOnHoverBackOnLeaveAndRunsItsCommand) {
    // Three 15 x 3 frames side by side in the buttons picture: red, blue, green.
    TForm* form = MakeForm(W, kPicH,
                           MakeSkin(SkinText(true, {}, {}, {}, {"anim:animate"},
                                             "[anim]\nskinrect=100,96,115,99\nactivepictureindex=0\n"
                                             "activeskinrect=0,0,15,3\ncountframes=3\nbuttonstyle=1\n"
                                             "timerinterval=50\ncommand=cmrollup\n\n")));
    Park(form);
    auto* anim = dynamic_cast<skin::TbsSkinAnimateObject*>(SkinForm().FindObject("anim"));
    ASSERT_NE(anim, nullptr);
    // It sits in the bottom border between the corner areas, so it keeps its place.
    EXPECT_EQ(anim->ObjectRect, (TRect{100, 96, 115, 99}));
    auto pixel = [&] { return Capture(form).Pixel(107, 97); };
    EXPECT_EQ(pixel(), kHotClose);

    Hover(form, {107, 97});
    EXPECT_TRUE(SkinForm().FrameTimer().Enabled());
    Advance(200);
    EXPECT_EQ(anim->FrameIndex, 3);
    EXPECT_EQ(pixel(), kHotMax);
    EXPECT_FALSE(anim->Highlighted);
    EXPECT_FALSE(SkinForm().FrameTimer().Enabled());

    Park(form);
    Advance(200);
    EXPECT_EQ(anim->FrameIndex, 1);
    EXPECT_EQ(pixel(), kHotClose);

    Hover(form, {107, 97});
    Ui().MouseDown();
    Ui().MouseUp();
    EXPECT_TRUE(SkinForm().RollUpState());
    EXPECT_EQ(form->Height(), kPicH - 65);
}

TEST_F(Input, SkinReloadWhilePressedReleasesTheMouse) {
    skin::TbsSkinData* data = MakeSkin(SkinText());
    TForm* form = MakeForm(W, H, data);
    Hover(form, kClose);
    Ui().MouseDown();
    ASSERT_EQ(System().GetCapture(), form->Handle());
    auto* stored = new skin::TbsStoredSkin(&App());
    stored->Assign(SkinSource(SkinText()));
    data->SetStoredSkin(stored);
    EXPECT_EQ(System().GetCapture(), nullptr);
    EXPECT_EQ(SkinForm().MouseCaptureObject(), -1);
    Ui().MouseUp();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(static_cast<skin::TbsSkinButtonObject*>(SkinForm().FindObject("closebutton"))->Pressed);
}

}  // namespace
