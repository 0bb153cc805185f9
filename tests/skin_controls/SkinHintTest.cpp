// The skinned hint: its measured size with and without the skin, placement at the screen's right
// and bottom edges, which of two hint components is in charge, the show and hide pauses, the
// pointer's visible height, and the application's hints going through the skinned window.

#include <cstdlib>
#include <memory>
#include <string>

#include "SkinControlsFixture.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Screens.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsSkinHintCursor.h"
#include "skin/data/bsSkinDataStored.h"

namespace {

using namespace skinctl;
using platform::core::TSize;
using platform::forms::TForm;
using skin::TbsSkinHint;
using skin::TbsSkinHintWindow;

class SkinHintTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        App().SetMainForm(form);
        skin::SetCursorImageSource(nullptr);
    }
    void TearDown() override {
        skin::SetCursorImageSource(nullptr);
        FormFixture::TearDown();
    }

    // The generated default skin, whose [HINTWINDOW] uses picture 8 with clientrect 8,3,39,18.
    skin::TbsSkinData* DefaultSkin() {
        const char* source = std::getenv("VK_SOURCE_DIR");
        if (!source || !*source) return nullptr;
        auto* stored = new skin::TbsStoredSkin(form);
        if (!stored->LoadFromSkinFolder(std::string(source) + "/assets/skin/skin.ini")) return nullptr;
        auto* data = new skin::TbsSkinData(form);
        data->SetStoredSkin(stored);
        return data->SkinIsEmpty ? nullptr : data;
    }

    // The text's extent in a font, measured apart from the hint window.
    static TSize TextSize(const platform::gfx::TFont& font, const std::string& text) {
        TBitmap scratch(1, 1);
        platform::gfx::TCanvas& c = scratch.Canvas();
        c.Font = font;
        TRect r{0, 0, 0, 0};
        c.DrawText(text, r, platform::gfx::DT_LEFT | platform::gfx::DT_NOPREFIX | platform::gfx::DT_CALCRECT);
        return {r.Width(), r.Height()};
    }

    TRect ShownAt(TbsSkinHint* hint, TPoint where, const std::string& text) {
        hint->HintWindow()->ActivateHint({where.X, where.Y, where.X, where.Y}, text);
        ProcessMessages();
        return hint->HintWindow()->BoundsRect();
    }
};

TEST_F(SkinHintTest, WithoutSkinTheWindowIsTheTextPlusFourEachWay) {
    auto* hint = new TbsSkinHint(form);
    const std::string text = "Start the chosen puzzle";
    const TSize t = TextSize(hint->DefaultFont(), text);
    ASSERT_GT(t.cx, 0);
    const TRect r = ShownAt(hint, {100, 100}, text);
    EXPECT_FALSE(hint->HintWindow()->Skinned());
    EXPECT_EQ(r, TRect(100, 100, 100 + t.cx + 4, 100 + t.cy + 4));
    EXPECT_TRUE(hint->HintWindow()->IsHintVisible());
}

TEST_F(SkinHintTest, TheSkinAddsThePictureAroundTheClientRectAndNeverShrinksBelowIt) {
    skin::TbsSkinData* data = DefaultSkin();
    ASSERT_NE(data, nullptr);
    const auto& rec = data->HintWindow;
    ASSERT_EQ(rec.clientrect, TRect(8, 3, 39, 18));
    TBitmap* picture = data->ActivePicture(rec.windowpictureindex);
    ASSERT_NE(picture, nullptr);
    const int pw = picture->Width(), ph = picture->Height();

    auto* hint = new TbsSkinHint(form);
    hint->SetSkinData(data);
    platform::gfx::TFont skinFont = hint->DefaultFont();
    skinFont.SetHeight(rec.fontheight);
    skinFont.SetName(rec.fontname);
    skinFont.SetStyle(rec.fontstyle);

    const std::string text = "Minimize the window to the tray";
    const TSize t = TextSize(skinFont, text);
    TRect r = ShownAt(hint, {50, 60}, text);
    TbsSkinHintWindow* w = hint->HintWindow();
    EXPECT_TRUE(w->Skinned());
    const int wantW = t.cx + 8 + pw - 39, wantH = std::max(ph, t.cy + 3 + ph - 18);
    ASSERT_GT(wantW, pw);
    EXPECT_EQ(r, TRect(50, 60, 50 + wantW, 60 + wantH));
    // The sized points follow the growth.
    const int dx = wantW - pw, dy = wantH - ph;
    EXPECT_EQ(w->CurClientRect(), TRect(8, 3, 39 + dx, 18 + dy));
    EXPECT_EQ(w->CurLeftTop(), rec.lefttoppoint);
    EXPECT_EQ(w->CurRightTop(), TPoint(rec.righttoppoint.X + dx, rec.righttoppoint.Y));
    EXPECT_EQ(w->CurLeftBottom(), TPoint(rec.leftbottompoint.X, rec.leftbottompoint.Y + dy));
    EXPECT_EQ(w->CurRightBottom(), TPoint(rec.rightbottompoint.X + dx, rec.rightbottompoint.Y + dy));

    // A tiny text keeps the picture's own size.
    r = ShownAt(hint, {50, 60}, ".");
    EXPECT_EQ(r.Width(), pw);
    EXPECT_EQ(r.Height(), ph);

    // Without the skin font the default font measures the text.
    hint->SetUseSkinFont(false);
    const TSize plain = TextSize(hint->DefaultFont(), text);
    r = ShownAt(hint, {50, 60}, text);
    EXPECT_EQ(r.Width(), std::max(pw, plain.cx + 8 + pw - 39));

    // A skin without a hint picture gives the plain look.
    data->HintWindow.windowpictureindex = -1;
    r = ShownAt(hint, {50, 60}, text);
    EXPECT_FALSE(w->Skinned());
    EXPECT_EQ(r.Width(), plain.cx + 4);
}

TEST_F(SkinHintTest, AtTheRightAndBottomEdgesTheHintMovesToTheOtherSideOfThePoint) {
    auto* hint = new TbsSkinHint(form);
    const int sw = System().GetSystemMetrics(platform::ui::SM_CXSCREEN);
    const int sh = System().GetSystemMetrics(platform::ui::SM_CYSCREEN);
    const std::string text = "A hint that needs some room";
    const TRect free = ShownAt(hint, {10, 10}, text);
    const int w = free.Width(), h = free.Height();

    TRect r = ShownAt(hint, {sw - w / 2, 200}, text);
    EXPECT_EQ(r, TRect(sw - w / 2 - w - 2, 200, sw - w / 2 - 2, 200 + h));
    r = ShownAt(hint, {300, sh - h / 2}, text);
    EXPECT_EQ(r, TRect(300, sh - h / 2 - h - 2, 300 + w, sh - h / 2 - 2));
    r = ShownAt(hint, {sw - 3, sh - 3}, text);
    EXPECT_EQ(r.TopLeft(), TPoint(sw - 3 - w - 2, sh - 3 - h - 2));
    // Exactly fitting stays.
    r = ShownAt(hint, {sw - w, sh - h}, text);
    EXPECT_EQ(r.TopLeft(), TPoint(sw - w, sh - h));
}

TEST_F(SkinHintTest, OfTwoHintsActivatingOneDeactivatesTheOtherAndTheWindowFollowsTheActiveOne) {
    skin::TbsSkinData* data = DefaultSkin();
    ASSERT_NE(data, nullptr);
    auto* skinned = new TbsSkinHint(form);
    skinned->SetSkinData(data);
    auto* plain = new TbsSkinHint(form);
    // Both start active; the first on the form is in charge.
    EXPECT_EQ(TbsSkinHintWindow::HintInCharge(), skinned);
    ShownAt(skinned, {20, 20}, "text");
    EXPECT_TRUE(skinned->HintWindow()->Skinned());

    plain->SetActive(true);
    EXPECT_FALSE(skinned->Active());
    EXPECT_TRUE(plain->Active());
    EXPECT_EQ(TbsSkinHintWindow::HintInCharge(), plain);
    ShownAt(skinned, {20, 20}, "text");
    EXPECT_FALSE(skinned->HintWindow()->Skinned());

    skinned->SetActive(true);
    EXPECT_FALSE(plain->Active());
    ShownAt(plain, {20, 20}, "text");
    EXPECT_TRUE(plain->HintWindow()->Skinned());

    // With none active nothing is shown.
    skinned->SetActive(false);
    plain->HintWindow()->ReleaseHandle();
    ShownAt(plain, {20, 20}, "text");
    EXPECT_FALSE(plain->HintWindow()->IsHintVisible());
}

TEST_F(SkinHintTest, AnObjectHintWaitsTheHintPauseShowsBelowThePointerAndHidesAfterTheHidePause) {
    auto* hint = new TbsSkinHint(form);
    App().HintPause = 300;
    App().HintHidePause = 1000;
    Ui().MouseMove({200, 150});
    hint->ShowSkinHint("Close");
    EXPECT_TRUE(hint->TimerRunning());
    Advance(290);
    EXPECT_FALSE(hint->HintWindow()->IsHintVisible());
    Advance(20);
    ASSERT_TRUE(hint->HintWindow()->IsHintVisible());
    EXPECT_EQ(hint->HintWindow()->Caption(), "Close");
    // The fixed arrow shows 19 rows below its tip.
    EXPECT_EQ(hint->HintWindow()->BoundsRect().TopLeft(), TPoint(200, 150 + 19));
    Advance(980);
    EXPECT_TRUE(hint->HintWindow()->IsHintVisible());
    Advance(30);
    EXPECT_FALSE(hint->HintWindow()->IsHintVisible());
    EXPECT_FALSE(hint->TimerRunning());

    // A new request drops the pending one; hiding stops the timer.
    hint->ShowSkinHint("Minimize");
    Advance(200);
    hint->ShowSkinHint("Maximize");
    Advance(200);
    EXPECT_FALSE(hint->HintWindow()->IsHintVisible());
    Advance(110);
    EXPECT_EQ(hint->HintWindow()->Caption(), "Maximize");
    hint->HideSkinHint();
    EXPECT_FALSE(hint->HintWindow()->IsHintVisible());
    EXPECT_FALSE(hint->TimerRunning());
}

TEST_F(SkinHintTest, TheVisibleCursorHeightComesFromThePointerImage) {
    EXPECT_EQ(TbsSkinHint::VisibleCursorHeight(), 19);
    skin::TbsCursorImage image;
    image.Width = 8;
    image.Height = 24;
    image.HotSpot = {4, 3};
    image.Alpha.assign(8 * 24, 0);
    image.Alpha[5 * 8 + 2] = 255;
    image.Alpha[20 * 8 + 7] = 40;  // faint, but visible
    skin::SetCursorImageSource([image] { return std::optional<skin::TbsCursorImage>(image); });
    EXPECT_EQ(TbsSkinHint::VisibleCursorHeight(), 21 - 3);
    // An image without a visible pixel, or none at all: the platform's cursor height.
    const int fallback = System().GetSystemMetrics(platform::ui::SM_CYCURSOR);
    image.Alpha.assign(8 * 24, 0);
    skin::SetCursorImageSource([image] { return std::optional<skin::TbsCursorImage>(image); });
    EXPECT_EQ(TbsSkinHint::VisibleCursorHeight(), fallback);
    skin::SetCursorImageSource([] { return std::optional<skin::TbsCursorImage>(); });
    EXPECT_EQ(TbsSkinHint::VisibleCursorHeight(), fallback);
}

TEST_F(SkinHintTest, ControlHintsGoThroughTheSkinnedWindowAndOnShowHint) {
    skin::TbsSkinData* data = DefaultSkin();
    ASSERT_NE(data, nullptr);
    auto* hint = new TbsSkinHint(form);
    hint->SetSkinData(data);
    EXPECT_EQ(App().HintShortPause, 100);
    auto* button = Make<skin::TbsSkinButton>(40, 40);
    button->SetName("btnHint");
    button->SetBounds(40, 40, 80, 30);
    button->SetHint("Starts it");
    button->SetShowHint(true);
    ProcessMessages();

    int asked = 0;
    hint->OnShowHint = [&](std::string& text, bool& canShow, platform::forms::THintInfo&) {
        ++asked;
        if (text == "Starts it") text = "Starts the puzzle";
        canShow = asked < 2;
    };
    Ui().MoveTo(Ui().Find<skin::TbsSkinButton>(*form, "btnHint"));
    Advance(App().HintPause + 50);
    auto* window = dynamic_cast<TbsSkinHintWindow*>(App().HintWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window->IsHintVisible());
    EXPECT_TRUE(window->Skinned());
    EXPECT_EQ(window->Caption(), "Starts the puzzle");

    // The skin's picture is drawn: its outline colour at the window's corner.
    const TBitmap shot = Ui().CaptureWindow(window->Handle());
    TBitmap* picture = data->ActivePicture(data->HintWindow.windowpictureindex);
    EXPECT_EQ(shot.Pixel(0, 0), picture->Pixel(0, 0));
    EXPECT_EQ(shot.Pixel(2, shot.Height() / 2), picture->Pixel(2, picture->Height() / 2));
    Ui().SavePng(shot, "skin_hint_button");

    // A handler that refuses keeps the window hidden.
    Ui().MouseMove({300, 250});
    Advance(3000);
    Ui().MoveTo(button);
    Advance(App().HintPause + 50);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(window->IsHintVisible());
}

}  // namespace

namespace {

class SkinHintLookTest : public SkinHintTest {};

TEST_F(SkinHintLookTest, TheMaskCutsTheWindowAndAlphaBlendMakesItTranslucentWhereTheDisplayCan) {
    skin::TbsSkinData* data = DefaultSkin();
    ASSERT_NE(data, nullptr);
    TBitmap* picture = data->ActivePicture(data->HintWindow.windowpictureindex);
    ASSERT_NE(picture, nullptr);
    // A mask of the picture's size: black (inside) but for a white 3 x 3 top-left corner.
    auto mask = std::make_unique<TBitmap>(picture->Width(), picture->Height());
    vktest::Fill(*mask, {0, 0, picture->Width(), picture->Height()}, 0);
    vktest::Fill(*mask, {0, 0, 3, 3}, RGB(255, 255, 255));
    data->ActivePictures.push_back(std::move(mask));
    data->HintWindow.maskpictureindex = static_cast<int>(data->ActivePictures.size()) - 1;

    auto* hint = new TbsSkinHint(form);
    hint->SetSkinData(data);
    TbsSkinHintWindow* w = hint->HintWindow();
    w->ActivateHint({40, 40, 40, 40}, "A hint long enough to stretch the picture");
    ProcessMessages();
    const auto* native = Backend().Native(w->Handle()->NativeId());
    ASSERT_NE(native, nullptr);
    ASSERT_TRUE(w->Handle()->Region().has_value());
    const platform::gfx::TRegion& region = *w->Handle()->Region();
    EXPECT_FALSE(region.Contains({1, 1}));
    EXPECT_TRUE(region.Contains({4, 1}));
    EXPECT_TRUE(region.Contains({w->Width() - 2, w->Height() - 2}));
    EXPECT_EQ(native->Alpha, 255);

    hint->SetAlphaBlend(true);
    hint->SetAlphaBlendValue(150);
    w->ActivateHint({40, 40, 40, 40}, "A hint long enough to stretch the picture");
    ProcessMessages();
    EXPECT_TRUE(w->Handle()->HasExStyle(platform::ui::WS_EX_LAYERED));
    EXPECT_EQ(Backend().Native(w->Handle()->NativeId())->Alpha, 150);
    hint->SetAlphaBlend(false);
    w->ActivateHint({40, 40, 40, 40}, "text");
    ProcessMessages();
    EXPECT_FALSE(w->Handle()->HasExStyle(platform::ui::WS_EX_LAYERED));
    EXPECT_EQ(Backend().Native(w->Handle()->NativeId())->Alpha, 255);

    // Without the mask the region goes; where the display shows no opacity nothing changes.
    data->HintWindow.maskpictureindex = -1;
    Backend().SupportsOpacityValue = false;
    hint->SetAlphaBlend(true);
    w->ActivateHint({40, 40, 40, 40}, "text");
    ProcessMessages();
    EXPECT_FALSE(w->Handle()->Region().has_value());
    EXPECT_FALSE(w->Handle()->HasExStyle(platform::ui::WS_EX_LAYERED));
}

}  // namespace
