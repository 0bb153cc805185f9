// The skin control base: binding by name, sizing by the record's stretch mode, composition of the
// face, window regions from masks, the default look, and the skin-change protocol.

#include "SkinControlsFixture.h"

#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCustom.h"
#include "skin/controls/bsSkinCtrlsNotify.h"

namespace skinctl {
namespace {

using platform::gfx::ColorToRGB;
using skin::TbsSkinCustomControl;

class SkinBaseTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        skin = MakeSkin(form);
        ASSERT_FALSE(skin.Data->SkinIsEmpty) << skin.Data->LoadProblem();
    }

    TbsSkinCustomControl* Bound(const std::string& name, int w = 50, int h = 40) {
        auto* c = Make<TbsSkinCustomControl>(10, 10);
        c->SetBounds(10, 10, w, h);
        c->SetSkinDataName(name);
        c->SetSkinData(skin.Data);
        return c;
    }

    TTestSkin skin;
};

TEST_F(SkinBaseTest, StretchModeDecidesWhichSidesMayChange) {
    struct Case {
        const char* Name;
        int Mode;
        int W, H;    // after binding to a 50 x 40 control
        int W2, H2;  // after asking for 90 x 70
    };
    const Case cases[] = {
        {"fixed", skin::smFixed, 20, 16, 20, 16},   {"btn", skin::smHorizontal, 50, 20, 90, 20},
        {"vert", skin::smVertical, 20, 40, 20, 70}, {"nine", skin::smNinePiece, 50, 40, 90, 70},
        {"empty", skin::smNone, 50, 40, 90, 70},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        auto* c = Bound(k.Name);
        EXPECT_NE(c->RecordIndex(), -1);
        EXPECT_EQ(c->StretchMode(), k.Mode);
        EXPECT_EQ(c->Width(), k.W);
        EXPECT_EQ(c->Height(), k.H);
        c->SetBounds(5, 6, 90, 70);
        EXPECT_EQ(c->Left(), 5);
        EXPECT_EQ(c->Top(), 6);
        EXPECT_EQ(c->Width(), k.W2);
        EXPECT_EQ(c->Height(), k.H2);
        delete c;
    }
}

TEST_F(SkinBaseTest, SizedCopiesFollowTheSize) {
    auto* h = Bound("btn", 100, 30);
    EXPECT_EQ(h->CurClientRect, (TRect{2, 2, 98, 18}));
    EXPECT_EQ(h->CurRightTop, (TPoint{90, 0}));

    auto* v = Bound("vert", 20, 55);
    EXPECT_EQ(v->CurClientRect, (TRect{0, 10, 20, 45}));
    EXPECT_EQ(v->CurLeftBottom, (TPoint{0, 45}));

    auto* n = Bound("nine", 70, 45);
    EXPECT_EQ(n->CurLeftTop, (TPoint{10, 10}));
    EXPECT_EQ(n->CurRightTop, (TPoint{60, 10}));
    EXPECT_EQ(n->CurLeftBottom, (TPoint{10, 35}));
    EXPECT_EQ(n->CurRightBottom, (TPoint{60, 35}));
    EXPECT_EQ(n->CurClientRect, (TRect{10, 10, 60, 35}));

    auto* f = Bound("fixed", 70, 45);
    EXPECT_EQ(f->CurClientRect, (TRect{2, 2, 18, 14}));
}

TEST_F(SkinBaseTest, ControlsWithoutARecordKeepTheirSizeOrTakeTheirDefaultSize) {
    auto* unknown = Bound("no such record", 33, 22);
    EXPECT_EQ(unknown->RecordIndex(), -1);
    EXPECT_EQ(unknown->Width(), 33);
    EXPECT_EQ(unknown->Height(), 22);
    unknown->SetDefaultWidth(70);
    unknown->SetDefaultHeight(21);
    EXPECT_EQ(unknown->Width(), 70);
    EXPECT_EQ(unknown->Height(), 21);
    unknown->SetBounds(10, 10, 44, 33);
    unknown->ApplySkin();
    EXPECT_EQ(unknown->Width(), 70);
    EXPECT_EQ(unknown->Height(), 21);

    // The record name is case-sensitive.
    auto* wrongCase = Bound("BTN", 33, 22);
    EXPECT_EQ(wrongCase->RecordIndex(), -1);
    EXPECT_EQ(wrongCase->Height(), 22);

    // A record without picture geometry (a label's) is no face for a windowed control: the
    // control keeps the default look and its size instead of shrinking to nothing.
    auto* wrongClass = Bound("wrong", 33, 22);
    EXPECT_EQ(wrongClass->RecordIndex(), -1);
    EXPECT_EQ(wrongClass->Width(), 33);
    EXPECT_EQ(ColorToRGB(PixelAt(wrongClass, 5, 5)), ColorToRGB(platform::gfx::clBtnFace));
}

TEST_F(SkinBaseTest, FacesAreComposedFromTheRecordForAnySize) {
    auto* h = Bound("btn", 100, 20);
    EXPECT_EQ(PixelAt(h, 0, 5), StateColor(stNormal, ptLeft));
    EXPECT_EQ(PixelAt(h, 9, 19), StateColor(stNormal, ptLeft));
    EXPECT_EQ(PixelAt(h, 10, 0), StateColor(stNormal, ptMiddle));
    EXPECT_EQ(PixelAt(h, 89, 0), StateColor(stNormal, ptMiddle));
    EXPECT_EQ(PixelAt(h, 90, 0), StateColor(stNormal, ptRight));
    EXPECT_EQ(PixelAt(h, 99, 19), StateColor(stNormal, ptRight));

    auto* n = Bound("nine", 60, 50);
    n->SetTop(40);
    EXPECT_EQ(PixelAt(n, 0, 0), NineColor(0, 0));
    EXPECT_EQ(PixelAt(n, 30, 0), NineColor(1, 0));
    EXPECT_EQ(PixelAt(n, 59, 0), NineColor(2, 0));
    EXPECT_EQ(PixelAt(n, 0, 25), NineColor(0, 1));
    EXPECT_EQ(PixelAt(n, 30, 25), NineColor(1, 1));
    EXPECT_EQ(PixelAt(n, 59, 25), NineColor(2, 1));
    EXPECT_EQ(PixelAt(n, 0, 49), NineColor(0, 2));
    EXPECT_EQ(PixelAt(n, 45, 45), NineColor(1, 2));
    EXPECT_EQ(PixelAt(n, 59, 49), NineColor(2, 2));

    auto* v = Bound("vert", 20, 60);
    v->SetLeft(200);
    EXPECT_EQ(PixelAt(v, 5, 0), kVertTop);
    EXPECT_EQ(PixelAt(v, 5, 9), kVertTop);
    EXPECT_EQ(PixelAt(v, 5, 30), kVertMiddle);
    EXPECT_EQ(PixelAt(v, 5, 49), kVertMiddle);
    EXPECT_EQ(PixelAt(v, 5, 50), kVertBottom);

    auto* f = Bound("fixed");
    f->SetLeft(300);
    EXPECT_EQ(PixelAt(f, 0, 0), kFixedColor);
    EXPECT_EQ(PixelAt(f, 19, 15), kFixedColor);
    Shot("base_faces");
}

TEST_F(SkinBaseTest, TheRecordIsLookedUpByNameAtEveryPaint) {
    auto* c = Bound("btn", 100, 20);
    EXPECT_EQ(PixelAt(c, 50, 10), StateColor(stNormal, ptMiddle));
    // Only the name changes; the next paint finds no record and draws the default look.
    c->SetSkinDataName("gone");
    c->Invalidate();
    EXPECT_EQ(ColorToRGB(PixelAt(c, 50, 10)), ColorToRGB(platform::gfx::clBtnFace));
    EXPECT_EQ(c->RecordIndex(), -1);
    c->SetSkinDataName("btn");
    c->Invalidate();
    EXPECT_EQ(PixelAt(c, 50, 10), StateColor(stNormal, ptMiddle));
}

TEST_F(SkinBaseTest, MissingPicturesAndEmptySkinRectsDrawNoSkinFace) {
    // A picture index beyond the list gives no picture and no region, and no crash.
    auto* bad = Bound("badpicture", 80, 20);
    EXPECT_NE(bad->RecordIndex(), -1);
    EXPECT_EQ(bad->SkinPicture(), nullptr);
    EXPECT_EQ(bad->SkinMask(), nullptr);
    EXPECT_FALSE(bad->SkinRegion().has_value());
    (void)PixelAt(bad, 5, 5);
    auto* empty = Bound("empty", 80, 20);
    EXPECT_EQ(empty->StretchMode(), skin::smNone);
    (void)PixelAt(empty, 5, 5);
}

TEST_F(SkinBaseTest, MaskRegionsFollowTheSizeAndGoWithAMasklessRecord) {
    auto* fixed = Bound("fixedmask");
    ASSERT_TRUE(fixed->SkinRegion().has_value());
    EXPECT_FALSE(fixed->SkinRegion()->Contains({2, 2}));
    EXPECT_TRUE(fixed->SkinRegion()->Contains({6, 2}));
    EXPECT_TRUE(fixed->SkinRegion()->Contains({19, 15}));
    EXPECT_EQ(PixelAt(fixed, 2, 2), kFormColor);
    EXPECT_EQ(PixelAt(fixed, 6, 2), kFixedColor);

    auto* nine = Bound("ninemask", 60, 50);
    nine->SetLeft(100);
    ASSERT_TRUE(nine->SkinRegion().has_value());
    for (TPoint corner :
         {TPoint{0, 0}, TPoint{59, 0}, TPoint{0, 49}, TPoint{59, 49}, TPoint{2, 2}, TPoint{57, 47}})
        EXPECT_FALSE(nine->SkinRegion()->Contains(corner)) << corner.X << "," << corner.Y;
    for (TPoint inside : {TPoint{3, 0}, TPoint{30, 25}, TPoint{56, 49}, TPoint{59, 3}})
        EXPECT_TRUE(nine->SkinRegion()->Contains(inside)) << inside.X << "," << inside.Y;
    EXPECT_EQ(PixelAt(nine, 1, 1), kFormColor);
    EXPECT_EQ(PixelAt(nine, 4, 4), NineColor(0, 0));

    nine->SetWidth(90);
    ASSERT_TRUE(nine->SkinRegion().has_value());
    EXPECT_TRUE(nine->SkinRegion()->Contains({59, 0}));
    EXPECT_FALSE(nine->SkinRegion()->Contains({88, 1}));
    EXPECT_EQ(PixelAt(nine, 88, 1), kFormColor);
    EXPECT_EQ(PixelAt(nine, 59, 1), NineColor(1, 0));

    nine->SetSkinDataName("nine");
    nine->ApplySkin();
    EXPECT_FALSE(nine->SkinRegion().has_value());
    EXPECT_FALSE(nine->WindowRgn().has_value());
    EXPECT_EQ(PixelAt(nine, 1, 1), NineColor(0, 0));
    Shot("base_masks");
}

TEST_F(SkinBaseTest, NothingIsPaintedAtZeroSizeAndTheDefaultLookIsButtonFace) {
    auto* plain = Make<TbsSkinCustomControl>(20, 20);
    plain->SetBounds(20, 20, 30, 30);
    EXPECT_EQ(ColorToRGB(PixelAt(plain, 15, 15)), ColorToRGB(platform::gfx::clBtnFace));
    plain->SetBounds(20, 20, 0, 30);
    EXPECT_EQ(PixelAt(form, 35, 35), kFormColor);
}

TEST_F(SkinBaseTest, FreeingTheSkinDataLeavesTheDefaultLook) {
    auto* c = Bound("btn", 100, 20);
    EXPECT_EQ(PixelAt(c, 50, 10), StateColor(stNormal, ptMiddle));
    delete skin.Data;
    EXPECT_EQ(c->SkinData(), nullptr);
    EXPECT_EQ(c->RecordIndex(), -1);
    EXPECT_EQ(c->SkinPicture(), nullptr);
    c->Invalidate();
    EXPECT_EQ(ColorToRGB(PixelAt(c, 50, 10)), ColorToRGB(platform::gfx::clBtnFace));
}

TEST_F(SkinBaseTest, SkinChangeForgetsThenRebindsEveryBoundControl) {
    auto* c = Bound("btn", 100, 20);
    auto* other = Make<TbsSkinCustomControl>(10, 100);
    other->SetBounds(10, 100, 60, 30);
    other->SetSkinDataName("btn");
    TTestSkin second = MakeSkin(form);
    other->SetSkinData(second.Data);
    ASSERT_EQ(other->Height(), 20);

    // The form answers the skin data's messages as a skinned form does.
    TColor duringChange = 0;
    int otherIndexDuringChange = -1;
    auto previous = form->WindowProc;
    form->WindowProc = [&](platform::forms::TMessage& m) {
        auto* data = reinterpret_cast<skin::TbsSkinData*>(m.WParam);
        if (m.Msg == skin::SkinBeforeChange) {
            skin::SkinControlsBeforeChange(*form, data);
            c->Repaint();
            duringChange = Ui().Pixel(ScreenOf(c, 50, 10).X, ScreenOf(c, 50, 10).Y);
            otherIndexDuringChange = other->RecordIndex();
        } else if (m.Msg == skin::SkinChange) {
            skin::SkinControlsChange(*form, data);
        }
        previous(m);
    };

    // The new skin draws "btn" 30 pixels high at a fixed width.
    std::string text(kSkinText);
    const std::string old = "skinrect=0,0,40,20\nlefttoppoint=10,0\nrighttoppoint=30,0";
    text.replace(text.find(old), old.size(), "skinrect=0,40,40,70");
    skin::TbsSkinSource source;
    source.Lines.SetText(text);
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(MainPicture()));
    skin.Stored->Assign(source);
    skin.Data->SetStoredSkin(skin.Stored);
    form->WindowProc = previous;
    ASSERT_FALSE(skin.Data->SkinIsEmpty);

    // While the skin was reloading the control drew its default look; the other skin's control
    // kept its record.
    EXPECT_EQ(ColorToRGB(duringChange), ColorToRGB(platform::gfx::clBtnFace));
    EXPECT_NE(otherIndexDuringChange, -1);
    // Afterwards it is bound to the new record, sized and painted from it.
    EXPECT_EQ(c->StretchMode(), skin::smFixed);
    EXPECT_EQ(c->Width(), 40);
    EXPECT_EQ(c->Height(), 30);
    EXPECT_EQ(PixelAt(c, 20, 5), StateColor(stDown, ptMiddle));
    EXPECT_EQ(other->Width(), 60);
}

}  // namespace
}  // namespace skinctl
