// The painted frame: the skin picture at its own size and stretched, the track size, the
// inactive look, the built-in look without a skin, and the frame's reaction to a skin reload.

#include <gtest/gtest.h>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/form/bsSkinFormCaption.h"
#include "tests/skin_form/SkinFormFixture.h"

using namespace skinform;
using platform::forms::TForm;
using platform::gfx::ColorToRGB;

namespace {

class Frame : public SkinFormFixture {
protected:
    // A second shown form, which takes the activation from the others.
    TForm* OtherForm() {
        auto* other = new TForm(&App());
        other->SetBounds(700, 500, 150, 100);
        other->SetVisible(true);
        ProcessMessages();
        return other;
    }

    static bool InClient(int x, int y, const TRect& client) { return client.Contains({x, y}); }
    static bool InMaskCorner(int x, int y, int w, int h) {
        return (x < 4 || x >= w - 4) && (y < 4 || y >= h - 4);
    }
};

TEST_F(Frame, WindowOfThePictureSizeShowsThePictureUnchangedOutsideItsClient) {
    TForm* form = MakeForm(kPicW, kPicH, MakeSkin(SkinText()));
    EXPECT_EQ(form->Handle()->ClientArea(), (TRect{5, 30, 195, 95}));

    // Active: the caption strip shows the active picture, everything else the main picture.
    TBitmap shot = Capture(form);
    const TRect caption = SkinForm().CaptionObject()->ObjectRect;
    EXPECT_EQ(caption, (TRect{10, 5, 162, 25}));
    EXPECT_EQ(shot.Pixel(50, 10), kActiveCaption);
    int wrong = 0;
    for (int y = 0; y < kPicH; ++y)
        for (int x = 0; x < kPicW; ++x) {
            if (InClient(x, y, {5, 30, 195, 95}) || caption.Contains({x, y})) continue;
            const TColor expected = InMaskCorner(x, y, kPicW, kPicH) ? Backend().DesktopColor : Pix(x, y);
            if (shot.Pixel(x, y) != expected) ++wrong;
        }
    EXPECT_EQ(wrong, 0);

    // Inactive: the whole frame is the picture, caption strip included.
    OtherForm();
    EXPECT_FALSE(SkinForm().GetActive());
    shot = Capture(form);
    wrong = 0;
    for (int y = 0; y < kPicH; ++y)
        for (int x = 0; x < kPicW; ++x)
            if (!InClient(x, y, {5, 30, 195, 95}) && !InMaskCorner(x, y, kPicW, kPicH) &&
                shot.Pixel(x, y) != Pix(x, y))
                ++wrong;
    EXPECT_EQ(wrong, 0);
}

TEST_F(Frame, TrackSizeKeepsTheWindowAtLeastThePicture) {
    TForm* form = MakeForm(kPicW, kPicH, MakeSkin(SkinText()));
    platform::ui::TMinMaxInfo mmi;
    System().SendMessage(form->Handle(), platform::ui::WM_GETMINMAXINFO, 0, platform::ui::PtrToLParam(&mmi));
    EXPECT_EQ(mmi.MinTrackSize, (TPoint{kPicW, kPicH - 65}));
    EXPECT_EQ(mmi.MaxTrackSize, (TPoint{1024, 728}));

    // Dragging the right border inwards cannot make it narrower; outwards it grows.
    ASSERT_EQ(HitAt(form, kPicW - 2, 50), platform::ui::HTRIGHT);
    Ui().Drag(At(form, kPicW - 2, 50), At(form, kPicW - 12, 50));
    EXPECT_EQ(form->Width(), kPicW);
    Advance(600);  // no double click
    Ui().Drag(At(form, kPicW - 2, 50), At(form, kPicW + 28, 50));
    EXPECT_EQ(form->Width(), kPicW + 30);
}

TEST_F(Frame, WindowBelowTheMinimumGetsNoFramePainted) {
    TForm* form = MakeForm(kPicW, kPicH, MakeSkin(SkinText()));
    form->SetBounds(form->Left(), form->Top(), kPicW - 1, kPicH);
    ProcessMessages();
    ASSERT_EQ(form->Width(), kPicW - 1);
    {
        auto dc = System().GetWindowDC(form->Handle());
        dc->Canvas().Brush.Color = RGB(1, 2, 3);
        dc->Canvas().FillRect({0, 0, kPicW - 1, kPicH});
    }
    SkinForm().UpdateFormNC();
    ProcessMessages();
    EXPECT_EQ(Capture(form).Pixel(50, 2), RGB(1, 2, 3));
}

TEST_F(Frame, WiderWindowStretchesTheCaptionAndMovesRightTopObjects) {
    TForm* form = MakeForm(kPicW + 120, kPicH + 40, MakeSkin(SkinText()));
    OtherForm();
    const int w = kPicW + 120, h = kPicH + 40;
    EXPECT_EQ(SkinForm().FindObject("caption")->ObjectRect, (TRect{10, 5, 162 + 120, 25}));
    EXPECT_EQ(SkinForm().FindObject("closebutton")->ObjectRect, (TRect{178 + 120, 7, 193 + 120, 22}));
    EXPECT_EQ(SkinForm().FindObject("maxbutton")->ObjectRect, (TRect{162 + 120, 7, 177 + 120, 22}));
    EXPECT_EQ(form->Handle()->ClientArea(), (TRect{5, 30, w - 5, h - 5}));

    const TBitmap shot = Capture(form);
    // Corners and right-top pieces keep their pixels, moved with the edges.
    EXPECT_EQ(shot.Pixel(20, 10), Pix(20, 10));
    EXPECT_EQ(shot.Pixel(w - 3, 10), Pix(kPicW - 3, 10));
    EXPECT_EQ(shot.Pixel(w - 20, 12), Pix(kPicW - 20, 12));
    EXPECT_EQ(shot.Pixel(w - 3, h - 6), Pix(kPicW - 3, kPicH - 6));
    EXPECT_EQ(shot.Pixel(w - 20, h - 2), Pix(kPicW - 20, kPicH - 2));
    // Edge middles repeat: the top edge in 120-pixel pieces from x = 40, the left edge in
    // 50-pixel pieces from y = 30.
    EXPECT_EQ(shot.Pixel(40 + 125, 2), Pix(45, 2));
    EXPECT_EQ(shot.Pixel(40 + 125, 15), Pix(45, 15));
    EXPECT_EQ(shot.Pixel(2, 30 + 60), Pix(2, 40));
}

TEST_F(Frame, InactiveWindowGetsTheSkinsInactiveEffect) {
    TForm* form = MakeForm(
        kPicW, kPicH, MakeSkin(SkinText(true, "autorenderinginactiveimage=1\ninactiveeffect=ieinvert\n")));
    EXPECT_EQ(Capture(form).Pixel(2, 50), Pix(2, 50));
    OtherForm();
    const TBitmap shot = Capture(form);
    EXPECT_EQ(shot.Pixel(2, 50), RGB(253, 205, 155));
    EXPECT_EQ(shot.Pixel(100, 97), RGB(155, 158, 155));
    // Activated again, the picture comes back.
    System().SetActiveWindow(form->Handle());
    ProcessMessages();
    EXPECT_EQ(Capture(form).Pixel(2, 50), Pix(2, 50));
}

TEST_F(Frame, WithoutSkinTheBuiltInFrameIsDrawn) {
    TForm* form = MakeForm(300, 200, nullptr);
    form->SetCaption("Plain");
    ProcessMessages();
    EXPECT_FALSE(SkinForm().Skinned());
    EXPECT_EQ(form->Handle()->ClientArea(), (TRect{3, 22, 297, 197}));
    EXPECT_FALSE(form->Handle()->Region().has_value());

    const TBitmap shot = Capture(form);
    EXPECT_EQ(shot.Pixel(0, 0), ColorToRGB(platform::gfx::cl3DLight));
    EXPECT_EQ(shot.Pixel(299, 199), ColorToRGB(platform::gfx::cl3DDkShadow));
    EXPECT_EQ(shot.Pixel(1, 100), ColorToRGB(platform::gfx::clBtnHighlight));
    EXPECT_EQ(shot.Pixel(298, 100), ColorToRGB(platform::gfx::clBtnShadow));
    EXPECT_EQ(shot.Pixel(2, 100), ColorToRGB(platform::gfx::clBtnFace));
    // Caption stripes beside the title, highlight first.
    EXPECT_EQ(shot.Pixel(25, 5), ColorToRGB(platform::gfx::clBtnHighlight));
    EXPECT_EQ(shot.Pixel(25, 6), ColorToRGB(platform::gfx::clBtnShadow));

    // Caption buttons from the right: close, maximise, minimise, roll-up; system menu at the left.
    EXPECT_EQ(SkinForm().FindObject("closebutton")->ObjectRect, (TRect{280, 4, 297, 21}));
    EXPECT_EQ(SkinForm().FindObject("maxbutton")->ObjectRect, (TRect{263, 4, 280, 21}));
    EXPECT_EQ(SkinForm().FindObject("minbutton")->ObjectRect, (TRect{246, 4, 263, 21}));
    EXPECT_EQ(SkinForm().FindObject("rollupbutton")->ObjectRect, (TRect{229, 4, 246, 21}));
    EXPECT_EQ(SkinForm().FindObject("sysmenubutton")->ObjectRect, (TRect{3, 4, 20, 21}));
    EXPECT_EQ(SkinForm().FindObject("traybutton"), nullptr);
    // The close glyph's first stroke starts 4 right and 5 down of the button's corner.
    EXPECT_EQ(shot.Pixel(284, 9), ColorToRGB(platform::gfx::clBtnText));
    EXPECT_EQ(shot.Pixel(281, 5), ColorToRGB(platform::gfx::clBtnFace));

    // Hovered, the button gets the hot frame and fill.
    Ui().MouseMove(At(form, 288, 12));
    Advance(60);
    const TBitmap hot = Capture(form);
    EXPECT_EQ(hot.Pixel(280, 4), TColor{8388608});
    EXPECT_EQ(hot.Pixel(281, 5), TColor{13811126});

    // Hit codes of the built-in frame.
    Ui().MouseMove(At(form, 150, 100));
    Advance(60);
    EXPECT_EQ(HitAt(form, 150, 12), platform::ui::HTCAPTION);
    EXPECT_EQ(HitAt(form, 150, 100), platform::ui::HTCLIENT);
    EXPECT_EQ(HitAt(form, 1, 1), platform::ui::HTTOPLEFT);
    EXPECT_EQ(HitAt(form, 298, 1), platform::ui::HTTOPRIGHT);
    EXPECT_EQ(HitAt(form, 1, 198), platform::ui::HTBOTTOMLEFT);
    EXPECT_EQ(HitAt(form, 298, 198), platform::ui::HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(form, 1, 100), platform::ui::HTLEFT);
    EXPECT_EQ(HitAt(form, 298, 100), platform::ui::HTRIGHT);
    EXPECT_EQ(HitAt(form, 150, 1), platform::ui::HTTOP);
    EXPECT_EQ(HitAt(form, 150, 198), platform::ui::HTBOTTOM);
    EXPECT_EQ(HitAt(form, 288, 12), skin::HTOBJECT);
    EXPECT_EQ(HitAt(form, 150, 21), platform::ui::HTCAPTION);
}

TEST_F(Frame, BuiltInFrameFollowsBorderIconsAndToolWindowSizes) {
    TForm* form = MakeForm(300, 200, nullptr, platform::forms::bsToolWindow);
    EXPECT_EQ(form->Handle()->ClientArea(), (TRect{3, 18, 297, 197}));
    SkinForm().SetBorderIcons(skin::biMinimizeToTray);
    EXPECT_EQ(SkinForm().FindObject("maxbutton"), nullptr);
    EXPECT_EQ(SkinForm().FindObject("closebutton")->ObjectRect, (TRect{284, 4, 297, 17}));
    EXPECT_EQ(SkinForm().FindObject("traybutton")->ObjectRect, (TRect{271, 4, 284, 17}));
    // Not sizeable: the border is caption or frame only.
    EXPECT_EQ(HitAt(form, 1, 100), skin::HTOBJECT);
    EXPECT_EQ(HitAt(form, 100, 10), platform::ui::HTCAPTION);
}

TEST_F(Frame, SkinReloadRebuildsTheFrameAndRebindsTheFormsControls) {
    skin::TbsSkinData* data = MakeSkin(SkinText());
    TForm* form = MakeForm(kPicW, kPicH, data);
    auto* button = new skin::TbsSkinButton(form);
    button->SetParent(form);
    button->SetBounds(20, 10, 90, 40);
    button->SetSkinData(data);
    ProcessMessages();
    EXPECT_EQ(button->RecordIndex(), -1);

    // The new skin moves the close button and has a fixed-size button record.
    std::string text = SkinText();
    text.replace(text.find("skinrect=178,7,193,22"), 21, "skinrect=170,8,185,23");
    text.replace(
        text.find("[SKINCONTROLS]\ncount=0\n"), 23,
        "[SKINCONTROLS]\ncount=1\n0=button:button\n\n[button]\npictureindex=0\nskinrect=0,0,30,15\n");
    auto* stored = new skin::TbsStoredSkin(&App());
    stored->Assign(SkinSource(text));
    data->SetStoredSkin(stored);
    ProcessMessages();

    EXPECT_TRUE(SkinForm().Skinned());
    EXPECT_EQ(SkinForm().FindObject("closebutton")->ObjectRect, (TRect{170, 8, 185, 23}));
    EXPECT_EQ(button->RecordIndex(), 0);
    EXPECT_EQ(button->Width(), 30);
    EXPECT_EQ(button->Height(), 15);

    // A skin that fails to load leaves the built-in look.
    auto* broken = new skin::TbsStoredSkin(&App());
    broken->Assign(SkinSource("[VERSION]\n"));
    data->SetStoredSkin(broken);
    ProcessMessages();
    EXPECT_FALSE(SkinForm().Skinned());
    EXPECT_EQ(form->Handle()->ClientArea().Top, 22);
    EXPECT_NE(SkinForm().FindObject("sysmenubutton"), nullptr);
}

TEST_F(Frame, FreedSkinDataLeavesTheBuiltInLook) {
    skin::TbsSkinData* data = MakeSkin(SkinText());
    TForm* form = MakeForm(kPicW, kPicH, data);
    EXPECT_TRUE(form->Handle()->Region().has_value());
    delete data;
    ProcessMessages();
    EXPECT_EQ(SkinForm().SkinData(), nullptr);
    EXPECT_FALSE(SkinForm().Skinned());
    EXPECT_FALSE(form->Handle()->Region().has_value());
    EXPECT_EQ(form->Handle()->ClientArea(), (TRect{3, 22, kPicW - 3, kPicH - 3}));
}

TEST_F(Frame, RemovingTheSkinFormGivesThePlatformFrameBack) {
    TForm* form = MakeForm(kPicW, kPicH, MakeSkin(SkinText()));
    delete &SkinForm();
    ProcessMessages();
    EXPECT_FALSE(form->Handle()->Region().has_value());
    EXPECT_NE(form->Handle()->ClientArea(), (TRect{5, 30, 195, 95}));
    // The form still answers its messages.
    form->SetCaption("still here");
    ProcessMessages();
    EXPECT_EQ(form->Handle()->Text(), "still here");
}

TEST_F(Frame, ClientBackgroundTilesThePicturesClientPieceWithTheLogoCentred) {
    TForm* form = MakeForm(kPicW + 100, kPicH + 10, MakeSkin(SkinText()));
    TBitmap logo(20, 10);
    Fill(logo, {0, 0, 20, 10}, RGB(7, 8, 9));
    logo.SetPixel(0, 9, RGB(1, 1, 1));
    SkinForm().SetLogoBitMap(logo);
    ProcessMessages();
    const TBitmap shot = Capture(form);
    // The client (290 x 75 at 5, 30) repeats the picture's 190 x 65 client piece.
    EXPECT_EQ(shot.Pixel(5, 30), Pix(5, 30));
    EXPECT_EQ(shot.Pixel(5 + 10, 30 + 20), Pix(15, 50));
    EXPECT_EQ(shot.Pixel(5 + 195, 30 + 3), Pix(10, 33));
    EXPECT_EQ(shot.Pixel(5 + 3, 30 + 70), Pix(8, 35));
    const int cx = 5 + (290 - 20) / 2, cy = 30 + (75 - 10) / 2;
    EXPECT_EQ(shot.Pixel(cx + 10, cy + 5), RGB(7, 8, 9));
    EXPECT_EQ(shot.Pixel(cx, cy + 9), RGB(1, 1, 1));
    // A transparent logo leaves its bottom-left colour out.
    SkinForm().SetLogoBitMapTransparent(true);
    ProcessMessages();
    EXPECT_EQ(Capture(form).Pixel(cx, cy + 9), Pix(5 + (cx - 5) % 190, 30 + (cy + 9 - 30) % 65));
}

}  // namespace
