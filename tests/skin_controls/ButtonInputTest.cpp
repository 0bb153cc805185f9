// How the skin button answers the mouse, the keyboard and the focus: clicks, repetition, groups,
// default and cancel buttons, accelerators and the modal result.

#include "SkinControlsFixture.h"

#include <map>

#include "platform/forms/CustomControl.h"
#include "platform/ui/Messages.h"
#include "skin/controls/bsSkinCtrlsButton.h"

namespace skinctl {
namespace {

using platform::ui::VK_CONTROL;
using platform::ui::VK_ESCAPE;
using platform::ui::VK_MENU;
using platform::ui::VK_RETURN;
using platform::ui::VK_SHIFT;
using platform::ui::VK_SPACE;
using skin::TbsSkinButton;

// A plain control that takes the focus and wants no special keys, as an edit box would.
class TFocusBox : public platform::forms::TCustomControl {
public:
    explicit TFocusBox(platform::forms::TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetBounds(0, 0, 40, 20);
    }
};

class ButtonInputTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        skin = MakeSkin(form);
        outside = ScreenOf(form, 390, 290);
    }

    TbsSkinButton* Button(int left, int top) {
        auto* b = Make<TbsSkinButton>(left, top);
        b->SetSkinDataName("btn");
        b->SetSkinData(skin.Data);
        b->OnClick = [this, b](platform::forms::TComponent* sender) {
            EXPECT_EQ(sender, b);
            ++clicks[b];
        };
        return b;
    }
    void Press(TbsSkinButton* b) {
        Ui().MouseMove(ScreenOf(b, 20, 10));
        Ui().MouseDown();
    }
    void Release() { Ui().MouseUp(); }
    int ShownState(TbsSkinButton* b) {
        const TColor c = PixelAt(b, 1, 10);
        for (int s = 0; s < 4; ++s)
            if (c == StateColor(s, ptLeft)) return s;
        return -1;
    }

    TTestSkin skin;
    TPoint outside;
    std::map<TbsSkinButton*, int> clicks;
};

TEST_F(ButtonInputTest, APlainButtonClicksOnReleaseOverItOnly) {
    auto* b = Button(10, 10);
    Press(b);
    EXPECT_EQ(clicks[b], 0);
    EXPECT_TRUE(b->Down());
    Release();
    EXPECT_EQ(clicks[b], 1);
    EXPECT_FALSE(b->Down());

    Press(b);
    Ui().MouseMove(outside);
    Release();
    EXPECT_EQ(clicks[b], 1);
    EXPECT_FALSE(b->Down());

    // Leaving and coming back before the release still clicks.
    Press(b);
    Ui().MouseMove(outside);
    Ui().MouseMove(ScreenOf(b, 30, 10));
    Release();
    EXPECT_EQ(clicks[b], 2);
}

TEST_F(ButtonInputTest, HoldingARepeatingButtonClicksEveryInterval) {
    auto* b = Button(10, 10);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(100);
    Press(b);
    EXPECT_EQ(clicks[b], 0);
    Advance(99);
    EXPECT_EQ(clicks[b], 0);
    Advance(251);
    EXPECT_EQ(clicks[b], 3);
    Release();
    EXPECT_EQ(clicks[b], 4);
    EXPECT_FALSE(b->Repeating());
    Advance(500);
    EXPECT_EQ(clicks[b], 4);
}

TEST_F(ButtonInputTest, DraggingOutPausesRepetitionAndComingBackRestartsAFullInterval) {
    auto* b = Button(10, 10);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(100);
    Press(b);
    Advance(150);
    EXPECT_EQ(clicks[b], 1);
    Ui().MouseMove(outside);
    EXPECT_FALSE(b->Repeating());
    Advance(300);
    EXPECT_EQ(clicks[b], 1);
    Ui().MouseMove(ScreenOf(b, 30, 10));
    EXPECT_TRUE(b->Repeating());
    Advance(99);
    EXPECT_EQ(clicks[b], 1);
    Advance(1);
    EXPECT_EQ(clicks[b], 2);
    Advance(100);
    EXPECT_EQ(clicks[b], 3);
    // Released outside: no click at the release.
    Ui().MouseMove(outside);
    Release();
    EXPECT_EQ(clicks[b], 3);
    Advance(300);
    EXPECT_EQ(clicks[b], 3);
}

TEST_F(ButtonInputTest, EveryClickSetsTheFormsModalResultEvenFromTheTimer) {
    auto* b = Button(10, 10);
    b->SetRepeatMode(true);
    b->SetModalResult(platform::forms::mrOk);
    Press(b);
    EXPECT_EQ(form->ModalResult(), platform::forms::mrNone);
    Advance(100);
    EXPECT_EQ(clicks[b], 1);
    EXPECT_EQ(form->ModalResult(), platform::forms::mrOk);
    form->SetModalResult(platform::forms::mrNone);
    Advance(100);
    EXPECT_EQ(form->ModalResult(), platform::forms::mrOk);
    form->SetModalResult(platform::forms::mrNone);
    Release();
    EXPECT_EQ(form->ModalResult(), platform::forms::mrOk);

    // A button that takes no focus leaves the modal result alone.
    form->SetModalResult(platform::forms::mrNone);
    b->SetCanFocused(false);
    b->Click();
    EXPECT_EQ(form->ModalResult(), platform::forms::mrNone);
}

TEST_F(ButtonInputTest, AButtonDownByTheKeyboardDoesNotStartRepeatingOnMouseEnter) {
    auto* b = Button(10, 10);
    b->SetRepeatMode(true);
    b->SetFocus();
    Ui().KeyDown(VK_SPACE);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks[b], 1);
    Ui().MouseMove(ScreenOf(b, 30, 10));
    EXPECT_FALSE(b->Repeating());
    Ui().KeyUp(VK_SPACE);
    EXPECT_EQ(clicks[b], 2);
    EXPECT_FALSE(b->Down());
    Advance(500);
    EXPECT_EQ(clicks[b], 2);
}

TEST_F(ButtonInputTest, GroupedButtonsAreTogglesOfTheirGroup) {
    TbsSkinButton* g[3];
    for (int i = 0; i < 3; ++i) {
        g[i] = Button(10, 10 + 30 * i);
        g[i]->SetGroupIndex(1);
        EXPECT_FALSE(g[i]->CanFocused());
    }
    auto* other = Button(200, 10);
    other->SetGroupIndex(2);
    other->SetDown(true);

    // The first press clicks at once.
    Press(g[0]);
    EXPECT_EQ(clicks[g[0]], 1);
    EXPECT_TRUE(g[0]->Down());
    Release();
    EXPECT_EQ(clicks[g[0]], 1);
    EXPECT_TRUE(g[0]->Down());
    EXPECT_FALSE(g[0]->Focused());
    Ui().MouseMove(outside);
    EXPECT_EQ(ShownState(g[0]), stDown);

    Press(g[1]);
    Release();
    EXPECT_TRUE(g[1]->Down());
    EXPECT_FALSE(g[0]->Down());
    EXPECT_TRUE(other->Down());  // another group

    // Pressing the pressed button again changes nothing without AllowAllUp.
    Press(g[1]);
    Release();
    EXPECT_TRUE(g[1]->Down());
    EXPECT_EQ(clicks[g[1]], 1);

    // With AllowAllUp the release over it raises it and clicks.
    for (auto* b : g) b->SetAllowAllUp(true);
    Press(g[1]);
    EXPECT_TRUE(g[1]->Down());
    Release();
    EXPECT_FALSE(g[1]->Down());
    EXPECT_EQ(clicks[g[1]], 2);
    // ... but not when the mouse left it before the release.
    Press(g[2]);
    Release();
    Press(g[2]);
    Ui().MouseMove(outside);
    Release();
    EXPECT_TRUE(g[2]->Down());
    // With AllowAllUp the others of the group stay as they are.
    Press(g[0]);
    Release();
    EXPECT_TRUE(g[0]->Down());
    EXPECT_TRUE(g[2]->Down());
}

TEST_F(ButtonInputTest, TheDefaultButtonLooksActiveWhileAnotherKindOfControlHasTheFocus) {
    auto* ok = Button(10, 10);
    auto* cancel = Button(10, 40);
    auto* edit = Make<TFocusBox>(10, 80);
    ok->SetDefault(true);
    cancel->SetCancel(true);

    edit->SetFocus();
    EXPECT_TRUE(ok->ActiveDefault());
    EXPECT_FALSE(cancel->ActiveDefault());
    EXPECT_TRUE(ok->Highlighted());
    EXPECT_EQ(ShownState(ok), stActive);
    EXPECT_EQ(ShownState(cancel), stNormal);
    Ui().KeyPress(VK_RETURN);
    EXPECT_EQ(clicks[ok], 1);
    EXPECT_EQ(clicks[cancel], 0);

    // The mouse passing over and away leaves the default button highlighted.
    Ui().MouseMove(ScreenOf(ok, 20, 10));
    Ui().MouseMove(outside);
    EXPECT_TRUE(ok->Highlighted());

    cancel->SetFocus();
    EXPECT_FALSE(ok->ActiveDefault());
    EXPECT_TRUE(cancel->ActiveDefault());
    EXPECT_FALSE(ok->Highlighted());
    EXPECT_EQ(ShownState(ok), stNormal);
    EXPECT_EQ(ShownState(cancel), stActive);
    Ui().KeyPress(VK_RETURN);
    EXPECT_EQ(clicks[ok], 1);
    EXPECT_EQ(clicks[cancel], 1);

    // A disabled default button does not take Enter.
    edit->SetFocus();
    ok->SetEnabled(false);
    Ui().KeyPress(VK_RETURN);
    EXPECT_EQ(clicks[ok], 1);
}

TEST_F(ButtonInputTest, EscapeClicksTheCancelButtonOnlyWithoutModifiers) {
    auto* cancel = Button(10, 40);
    auto* edit = Make<TFocusBox>(10, 80);
    cancel->SetCancel(true);
    edit->SetFocus();
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_EQ(clicks[cancel], 1);
    for (uint32_t modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        Ui().KeyDown(modifier);
        Ui().KeyPress(VK_ESCAPE);
        Ui().KeyUp(modifier);
        EXPECT_EQ(clicks[cancel], 1) << modifier;
    }
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_EQ(clicks[cancel], 2);
    // A cancel button that takes no focus is not clicked either.
    cancel->SetCanFocused(false);
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_EQ(clicks[cancel], 2);
}

TEST_F(ButtonInputTest, KeyboardFocusAndAccelerators) {
    auto* b = Button(10, 10);
    auto* grouped = Button(10, 40);
    grouped->SetGroupIndex(3);
    auto* edit = Make<TFocusBox>(10, 80);
    b->SetCaption("&Go");

    // A press moves the focus to a focusable button, not to a grouped one.
    edit->SetFocus();
    Press(grouped);
    Release();
    EXPECT_TRUE(edit->Focused());
    Press(b);
    EXPECT_TRUE(b->Focused());
    Release();

    // Space: down while held, the click at the release.
    Ui().KeyDown(VK_SPACE);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks[b], 1);
    Ui().KeyUp(VK_SPACE);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks[b], 2);

    // The accelerator takes the focus and clicks.
    edit->SetFocus();
    Ui().KeyPress('G');
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(clicks[b], 3);
    Ui().KeyPress('X');
    EXPECT_EQ(clicks[b], 3);
}

TEST_F(ButtonInputTest, LosingTheFocusStopsRepeatingAndRaisesTheButton) {
    auto* b = Button(10, 10);
    auto* edit = Make<TFocusBox>(10, 80);
    b->SetRepeatMode(true);
    Press(b);
    Advance(100);
    EXPECT_EQ(clicks[b], 1);
    edit->SetFocus();
    EXPECT_FALSE(b->Repeating());
    EXPECT_FALSE(b->Down());
    Advance(300);
    EXPECT_EQ(clicks[b], 1);
    Release();
}

}  // namespace
}  // namespace skinctl
