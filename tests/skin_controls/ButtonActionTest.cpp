// The skin button with an action: the click runs the action (the button's own OnClick wins),
// the caption and enabled state follow it, and a button without a glyph shows the action's image.

#include "SkinControlsFixture.h"

#include "platform/forms/ActnList.h"
#include "platform/forms/ImageListComponent.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsRegister.h"

namespace skinctl {
namespace {

using namespace platform::forms;
using skin::TbsSkinButton;

class ButtonActionTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        skin::RegisterSkinControlClasses();
        images = new TImageListComponent(form);
        images->SetWidth(8);
        images->SetHeight(8);
        TBitmap red(8, 8);
        red.Canvas().Brush.Color = platform::gfx::clRed;
        red.Canvas().FillRect({0, 0, 8, 8});
        images->Add(red);
        list = new TActionList(form);
        list->SetImages(images);
        action = new TAction(form);
        action->SetActionList(list);
        action->SetCaption("&Start");
        action->OnExecute = [this](TComponent*) { ++runs; };
        button = Make<TbsSkinButton>(10, 10);
        button->SetBounds(10, 10, 100, 25);
    }

    TImageListComponent* images = nullptr;
    TActionList* list = nullptr;
    TAction* action = nullptr;
    TbsSkinButton* button = nullptr;
    int runs = 0;
};

TEST_F(ButtonActionTest, TheClickRunsTheActionAndTheButtonFollowsIt) {
    SetControlAction(button, action);
    EXPECT_EQ(button->Caption(), "&Start");
    Ui().Click(button);
    EXPECT_EQ(runs, 1);
    action->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    Ui().Click(button);
    EXPECT_EQ(runs, 1);
    // The button's own handler, set before the link, is called instead of the action.
    auto* other = Make<TbsSkinButton>(10, 50);
    int own = 0;
    other->OnClick = [&](TComponent*) { ++own; };
    action->SetEnabled(true);
    SetControlAction(other, action);
    Ui().Click(other);
    EXPECT_EQ(own, 1);
    EXPECT_EQ(runs, 1);
}

TEST_F(ButtonActionTest, AButtonWithoutAGlyphTakesTheActionsImage) {
    action->SetImageIndex(0);
    SetControlAction(button, action);
    ASSERT_EQ(button->Glyph().Width(), 8);
    EXPECT_EQ(button->Glyph().Pixel(3, 3) & 0xFFFFFF, platform::gfx::clRed);
    // An index out of the list's range, or a glyph of the button's own, is left alone.
    auto* second = Make<TbsSkinButton>(10, 50);
    action->SetImageIndex(5);
    SetControlAction(second, action);
    EXPECT_TRUE(second->Glyph().Empty());
    auto* third = Make<TbsSkinButton>(10, 90);
    TBitmap own(4, 4);
    third->SetGlyph(own);
    action->SetImageIndex(0);
    SetControlAction(third, action);
    EXPECT_EQ(third->Glyph().Width(), 4);
}

}  // namespace
}  // namespace skinctl
