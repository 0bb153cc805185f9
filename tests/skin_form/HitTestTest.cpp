// Hit-test codes of a skinned frame at every border and corner, over the caption, the client and
// the frame's objects, shaped by the mask or by the window rectangle.

#include <gtest/gtest.h>

#include "tests/skin_form/SkinFormFixture.h"

using namespace skinform;
using namespace platform::ui;
using platform::forms::TForm;
using skin::HTOBJECT;

namespace {

constexpr int W = kPicW + 100, H = kPicH + 50;

class HitTest : public SkinFormFixture, public ::testing::WithParamInterface<bool> {
protected:
    TForm* Make(platform::forms::TFormBorderStyle border = platform::forms::bsSizeable) {
        TForm* form = MakeForm(W, H, MakeSkin(SkinText(GetParam())), border);
        // Nothing under the mouse: the pointer rests in the client area.
        Ui().MouseMove(At(form, 150, 80));
        Advance(60);
        return form;
    }
};

TEST_P(HitTest, BordersCornersCaptionClientAndObjects) {
    TForm* form = Make();
    EXPECT_EQ(form->Handle()->Region().has_value(), GetParam());
    struct {
        int x, y, code;
    } const cases[] = {
        {1, 5, HTTOPLEFT},
        {5, 1, HTTOPLEFT},
        {150, 1, HTTOP},
        {W - 2, 5, HTTOPRIGHT},
        {W - 6, 1, HTTOPRIGHT},
        {W - 2, 80, HTRIGHT},
        {W - 3, H - 6, HTBOTTOMRIGHT},
        {150, H - 2, HTBOTTOM},
        {6, H - 2, HTBOTTOMLEFT},
        {1, 80, HTLEFT},
        {1, 100, HTLEFT},
        {100, 15, HTCAPTION},
        {150, 80, HTCLIENT},
        {5, 30, HTCLIENT},
        {285, 15, HTOBJECT},
        {150, 27, HTOBJECT},
        {4, 80, HTOBJECT},
        {150, 3, HTOBJECT},
    };
    for (const auto& c : cases) EXPECT_EQ(HitAt(form, c.x, c.y), c.code) << "at " << c.x << "," << c.y;
}

TEST_P(HitTest, MaximisedOrFixedFramesHaveNoBorderCodes) {
    TForm* form = Make(platform::forms::bsSingle);
    EXPECT_EQ(HitAt(form, 1, 80), HTOBJECT);
    EXPECT_EQ(HitAt(form, 150, 1), HTOBJECT);
    EXPECT_EQ(HitAt(form, 100, 15), HTCAPTION);
    EXPECT_EQ(HitAt(form, 150, 80), HTCLIENT);

    form->SetBorderStyle(platform::forms::bsSizeable);
    SkinForm().SetWindowState(platform::forms::wsMaximized);
    ProcessMessages();
    ASSERT_EQ(SkinForm().WindowState(), platform::forms::wsMaximized);
    EXPECT_EQ(HitAt(form, 1, 80), HTOBJECT);
    EXPECT_EQ(HitAt(form, form->Width() - 2, 80), HTOBJECT);
    EXPECT_EQ(HitAt(form, 100, 15), HTCAPTION);
}

TEST_P(HitTest, ObjectUnderTheMouseKeepsTheFrameQuiet) {
    TForm* form = Make();
    Ui().MouseMove(At(form, 285, 15));
    Advance(60);
    ASSERT_EQ(SkinForm().ActiveObject(), 0);
    // While an object is hot the rest of the frame reports no border, but caption and client
    // still answer.
    EXPECT_EQ(HitAt(form, 1, 80), HTOBJECT);
    EXPECT_EQ(HitAt(form, 100, 15), HTCAPTION);
    EXPECT_EQ(HitAt(form, 150, 80), HTCLIENT);
    Ui().MouseMove(At(form, 150, 80));
    Advance(60);
    EXPECT_EQ(SkinForm().ActiveObject(), -1);
    EXPECT_EQ(HitAt(form, 1, 80), HTLEFT);
}

TEST_P(HitTest, RolledUpFrameIsCaptionOrNothing) {
    TForm* form = Make();
    SkinForm().SetRollUpState(true);
    ProcessMessages();
    EXPECT_EQ(form->Height(), kPicH - 65);
    EXPECT_EQ(HitAt(form, 100, 15), HTCAPTION);
    EXPECT_EQ(HitAt(form, 1, 20), HTOBJECT);
    SkinForm().SetRollUpState(false);
    EXPECT_EQ(form->Height(), H);
}

INSTANTIATE_TEST_SUITE_P(Mask, HitTest, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "WithMask" : "WithoutMask"; });

class MaskPoint : public SkinFormFixture {};

TEST_F(MaskPoint, StripsDecideOutsideTheMaskRectangle) {
    TForm* form = MakeForm(W, H, MakeSkin(SkinText(true)));
    const skin::TbsSkinForm& sf = SkinForm();
    // The mask's white 4 x 4 corners stay white at every corner of the wider window.
    EXPECT_FALSE(sf.PointInMask({1, 1}));
    EXPECT_FALSE(sf.PointInMask({W - 2, 2}));
    EXPECT_FALSE(sf.PointInMask({2, H - 1}));
    EXPECT_FALSE(sf.PointInMask({W - 1, H - 1}));
    EXPECT_TRUE(sf.PointInMask({4, 1}));
    EXPECT_TRUE(sf.PointInMask({W - 5, 0}));
    EXPECT_TRUE(sf.PointInMask({150, 148}));
    EXPECT_TRUE(sf.PointInMask({150, 80}));
    EXPECT_FALSE(sf.PointInMask({-1, 80}));
    EXPECT_FALSE(sf.PointInMask({W, 80}));
    EXPECT_FALSE(sf.PointInMask({150, H}));
    // The window's shape is the same set of pixels.
    const auto& region = *form->Handle()->Region();
    for (TPoint p : {TPoint{1, 1}, TPoint{4, 1}, TPoint{W - 2, 2}, TPoint{150, 148}, TPoint{W - 1, H - 1}})
        EXPECT_EQ(region.Contains(p), sf.PointInMask(p)) << p.X << "," << p.Y;
}

}  // namespace
