// What the skin button draws: which picture in which state, the font colours, the fade between
// the normal and active pictures, the default look, and where glyph and caption go.

#include "SkinControlsFixture.h"

#include "platform/ui/Messages.h"
#include "skin/controls/bsEffects.h"
#include "skin/controls/bsSkinCtrlsButton.h"

namespace skinctl {
namespace {

using platform::gfx::ColorToRGB;
using platform::gfx::GetBValue;
using platform::gfx::GetGValue;
using platform::gfx::GetRValue;
using skin::TbsSkinButton;

class ButtonLookTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        skin = MakeSkin(form);
        ASSERT_FALSE(skin.Data->SkinIsEmpty);
        outside = ScreenOf(form, 390, 290);
    }

    TbsSkinButton* Button(const std::string& name, int left, int top, int width = 100) {
        auto* b = Make<TbsSkinButton>(left, top);
        b->SetSkinDataName(name);
        b->SetSkinData(skin.Data);
        b->SetWidth(width);
        return b;
    }

    // The picture row shown at the button's left part, or -1 when it is none of them.
    int ShownState(TbsSkinButton* b) {
        const TColor c = PixelAt(b, 1, 10);
        for (int s = 0; s < 4; ++s)
            if (c == StateColor(s, ptLeft)) return s;
        return -1;
    }
    // The caption's colour, judged by its most covered pixel over the state's middle colour.
    TColor CaptionColor(TbsSkinButton* b, int state) {
        return StrongestInk(b, {12, 2, b->Width() - 12, 18}, StateColor(state, ptMiddle));
    }

    TTestSkin skin;
    TPoint outside;
};

TEST_F(ButtonLookTest, EachStateShowsItsPictureAndFontColour) {
    auto* b = Button("btn", 10, 10);
    b->SetCaption("MMMM");
    auto* other = Button("btn", 10, 50);
    ASSERT_EQ(b->Height(), 20);

    EXPECT_EQ(ShownState(b), stNormal);
    EXPECT_EQ(CaptionColor(b, stNormal), kFontNormal);
    Shot("button_normal");

    Ui().MouseMove(ScreenOf(b, 50, 10));
    EXPECT_TRUE(b->Highlighted());
    EXPECT_EQ(ShownState(b), stActive);
    EXPECT_EQ(CaptionColor(b, stActive), kFontActive);
    Shot("button_hover");

    Ui().MouseDown();
    EXPECT_TRUE(b->Focused());
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(ShownState(b), stDown);
    EXPECT_EQ(CaptionColor(b, stDown), kFontDown);
    Shot("button_down");

    // Held but dragged off: focused, so active.
    Ui().MouseMove(outside);
    EXPECT_FALSE(b->Highlighted());
    EXPECT_TRUE(b->MouseHeld());
    EXPECT_EQ(ShownState(b), stActive);
    Ui().MouseUp();
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(ShownState(b), stActive);

    other->SetFocus();
    EXPECT_EQ(ShownState(b), stNormal);
    EXPECT_EQ(ShownState(other), stActive);
    // Held down by the keyboard while focused.
    Ui().KeyDown(platform::ui::VK_SPACE);
    EXPECT_EQ(ShownState(other), stDown);
    Ui().KeyUp(platform::ui::VK_SPACE);
    EXPECT_EQ(ShownState(other), stActive);

    b->SetEnabled(false);
    EXPECT_EQ(ShownState(b), stDisabled);
    EXPECT_EQ(CaptionColor(b, stDisabled), kFontDisabled);
    Shot("button_disabled");
    b->SetEnabled(true);

    // A grouped button that is down shows the down picture wherever the mouse is.
    b->SetGroupIndex(1);
    b->SetDown(true);
    EXPECT_EQ(ShownState(b), stDown);
}

TEST_F(ButtonLookTest, RecordsWithoutStatePicturesKeepTheNormalPictureButChangeTheFont) {
    auto* b = Button("plain", 10, 10);
    b->SetCaption("MMMM");
    EXPECT_EQ(b->activeskinrect, b->skinrect);
    EXPECT_EQ(b->downskinrect, b->skinrect);
    EXPECT_TRUE(b->disabledskinrect.IsEmpty());

    EXPECT_EQ(CaptionColor(b, stNormal), kFontNormal);
    Ui().MouseMove(ScreenOf(b, 50, 10));
    EXPECT_EQ(ShownState(b), stNormal);
    EXPECT_EQ(CaptionColor(b, stNormal), kFontActive);
    Ui().MouseDown();
    EXPECT_EQ(ShownState(b), stNormal);
    EXPECT_EQ(CaptionColor(b, stNormal), kFontDown);
    Ui().MouseUp();

    // No disabled picture: the disabled button shows its other pictures, in the disabled colour.
    Ui().MouseMove(outside);
    form->SetFocus();
    b->SetEnabled(false);
    EXPECT_EQ(ShownState(b), stNormal);
    EXPECT_EQ(CaptionColor(b, stNormal), RGB(0, 0, 0));
}

// Rounding to the nearest integer with ties to even, as the fade does.
int Blend(int a, int b, double x) {
    return static_cast<int>(std::nearbyint((1 - x) * a + x * b));
}
TColor BlendColor(TColor a, TColor b, double x) {
    return RGB(Blend(GetRValue(a), GetRValue(b), x), Blend(GetGValue(a), GetGValue(b), x),
               Blend(GetBValue(a), GetBValue(b), x));
}

TEST_F(ButtonLookTest, AFullFadeTakesTenStepsOfTwentyMilliseconds) {
    auto* b = Button("morph", 10, 10);
    ASSERT_TRUE(b->morphing);
    EXPECT_EQ(PixelAt(b, 1, 10), StateColor(stNormal, ptLeft));
    // Entering only starts the fade; the first change shows at the first step.
    Ui().MouseMove(ScreenOf(b, 50, 10));
    EXPECT_TRUE(b->Morphing());
    EXPECT_EQ(PixelAt(b, 1, 10), StateColor(stNormal, ptLeft));
    for (int step = 1; step <= 10; ++step) {
        Advance(19);
        EXPECT_DOUBLE_EQ(b->MorphFactor(), (step - 1) / 10.0);
        Advance(1);
        EXPECT_DOUBLE_EQ(b->MorphFactor(), step / 10.0) << "step " << step;
        if (step == 3 || step == 5) {
            const TColor want =
                BlendColor(StateColor(stNormal, ptLeft), StateColor(stActive, ptLeft), step / 10.0);
            EXPECT_EQ(PixelAt(b, 1, 10), want) << "step " << step;
        }
    }
    EXPECT_TRUE(b->Morphing());
    EXPECT_EQ(PixelAt(b, 1, 10), StateColor(stActive, ptLeft));
    Advance(20);
    EXPECT_FALSE(b->Morphing());
    EXPECT_DOUBLE_EQ(b->MorphFactor(), 1.0);
    EXPECT_EQ(PixelAt(b, 1, 10), StateColor(stActive, ptLeft));
}

TEST_F(ButtonLookTest, AFadeReversesHalfWay) {
    auto* b = Button("morph", 10, 10);
    Ui().MouseMove(ScreenOf(b, 50, 10));
    Advance(100);
    ASSERT_DOUBLE_EQ(b->MorphFactor(), 0.5);
    Ui().MouseMove(outside);
    Advance(20);
    EXPECT_DOUBLE_EQ(b->MorphFactor(), 0.4);
    EXPECT_EQ(PixelAt(b, 1, 10), BlendColor(StateColor(stNormal, ptLeft), StateColor(stActive, ptLeft), 0.4));
    Advance(80);
    EXPECT_DOUBLE_EQ(b->MorphFactor(), 0.0);
    EXPECT_TRUE(b->Morphing());
    Advance(20);
    EXPECT_FALSE(b->Morphing());
    EXPECT_EQ(PixelAt(b, 1, 10), StateColor(stNormal, ptLeft));
}

TEST_F(ButtonLookTest, EveryMorphKindBlendsNormalIntoActive) {
    auto* b = Button("morph", 10, 10);
    auto* record = dynamic_cast<skin::TbsDataSkinButtonControl*>(
        skin.Data->ControlRecords[static_cast<std::size_t>(skin.Data->IndexOfControl("morph"))].get());
    ASSERT_NE(record, nullptr);
    auto frame = [&](int state) {
        TBitmap f(100, 20);
        Fill(f, {0, 0, 10, 20}, StateColor(state, ptLeft));
        Fill(f, {10, 0, 90, 20}, StateColor(state, ptMiddle));
        Fill(f, {90, 0, 100, 20}, StateColor(state, ptRight));
        return f;
    };
    const skin::TbsEffectBmp active(frame(stActive));
    for (int kind = skin::mkDefault; kind <= skin::mkPush; ++kind) {
        SCOPED_TRACE(kind);
        record->morphkind = static_cast<skin::TbsMorphKind>(kind);
        Ui().MouseMove(ScreenOf(b, 50, 10));
        Advance(100);
        ASSERT_DOUBLE_EQ(b->MorphFactor(), 0.5);
        skin::TbsEffectBmp expected(frame(stNormal));
        skin::ApplyMorphKind(expected, active, kind, 0.5);
        TBitmap want;
        expected.AssignTo(want);
        const TBitmap shot = Capture();
        int wrong = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 100; ++x) wrong += At(shot, b, x, y) != want.Pixel(x, y);
        EXPECT_EQ(wrong, 0);
        Ui().MouseMove(outside);
        Advance(220);
        ASSERT_FALSE(b->Morphing());
    }
    // A slide shows the active picture's right end at the left half.
    record->morphkind = skin::mkLeftSlide;
    Ui().MouseMove(ScreenOf(b, 50, 10));
    Advance(100);
    EXPECT_EQ(PixelAt(b, 0, 5), StateColor(stActive, ptMiddle));
    EXPECT_EQ(PixelAt(b, 45, 5), StateColor(stActive, ptRight));
    EXPECT_EQ(PixelAt(b, 60, 5), StateColor(stNormal, ptMiddle));
}

TEST_F(ButtonLookTest, TheDefaultLookUsesOnePalette) {
    auto* b = Make<TbsSkinButton>(10, 10);
    b->SetCaption("MMMM");
    EXPECT_EQ(b->Width(), 75);
    EXPECT_EQ(b->Height(), 25);
    const TColor shadow = ColorToRGB(platform::gfx::clBtnShadow);
    EXPECT_EQ(PixelAt(b, 0, 0), shadow);
    EXPECT_EQ(PixelAt(b, 74, 24), shadow);
    EXPECT_EQ(PixelAt(b, 3, 3), ColorToRGB(platform::gfx::clBtnFace));

    Ui().MouseMove(ScreenOf(b, 30, 12));
    EXPECT_EQ(PixelAt(b, 0, 0), RGB(0, 0, 128));
    EXPECT_EQ(PixelAt(b, 3, 3), RGB(182, 189, 210));
    Shot("button_default_hover");
    Ui().MouseDown();
    EXPECT_EQ(PixelAt(b, 0, 0), RGB(0, 0, 128));
    EXPECT_EQ(PixelAt(b, 3, 3), RGB(133, 147, 181));
    Shot("button_default_down");
    Ui().MouseUp();

    Ui().MouseMove(outside);
    form->SetFocus();
    b->SetEnabled(false);
    EXPECT_EQ(PixelAt(b, 3, 3), ColorToRGB(platform::gfx::clBtnFace));
    EXPECT_EQ(StrongestInk(b, {2, 2, 73, 23}, ColorToRGB(platform::gfx::clBtnFace)), shadow);
    Shot("button_default_disabled");
}

// Glyph and caption placement, checked on the default look's client rectangle.
class ButtonLayoutTest : public ButtonLookTest {
protected:
    static constexpr TColor kGlyph = RGB(0, 200, 0);
    static TBitmap GlyphBitmap() {
        TBitmap g(10, 8);
        Fill(g, {0, 0, 10, 8}, kGlyph);
        g.SetPixel(0, 7, RGB(255, 0, 255));  // the transparent colour (bottom left)
        return g;
    }
    TRect GlyphBox(TbsSkinButton* b) {
        return BoxWhere(b, [](TColor c) { return c == kGlyph || c == RGB(255, 0, 255); });
    }
    TRect CaptionBox(TbsSkinButton* b) {
        return BoxWhere(
            b, [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200 && c != kGlyph; });
    }
};

TEST_F(ButtonLayoutTest, GlyphAndCaptionFollowLayoutMarginAndSpacing) {
    auto* b = Make<TbsSkinButton>(10, 10);
    b->SetBounds(10, 10, 160, 60);
    b->SetCaption("Wg");
    b->SetGlyph(GlyphBitmap());
    b->SetSpacing(3);
    TBitmap probe(1, 1);
    probe.Canvas().Font = b->DefaultFont();
    TRect m{0, 0, 0, 0};
    probe.Canvas().DrawText("Wg", m, platform::gfx::DT_CALCRECT);
    const int tw = m.Width(), th = m.Height(), gw = 10, gh = 8, s = 3;
    const int cx = 80, cy = 30;  // centre of (0, 0, 160, 60)
    const int h = (gw + tw + s) / 2, v = (gh + th + s) / 2;

    struct Case {
        skin::TbsButtonLayout Layout;
        int Margin;
        TPoint G, T;
    };
    const Case cases[] = {
        {skin::blGlyphLeft, 4, {4, cy - gh / 2}, {4 + gw + s, cy - th / 2}},
        {skin::blGlyphRight, 4, {160 - gw - 4, cy - gh / 2}, {160 - gw - 4 - s - tw, cy - th / 2}},
        {skin::blGlyphTop, 4, {cx - gw / 2, 4}, {cx - tw / 2, 4 + gh + s}},
        {skin::blGlyphBottom, 4, {cx - gw / 2, 60 - gh - 4}, {cx - tw / 2, 60 - gh - 4 - s - th}},
        {skin::blGlyphLeft, -1, {cx - h, cy - gh / 2}, {cx + h - tw, cy - th / 2}},
        {skin::blGlyphRight, -1, {cx + h - gw, cy - gh / 2}, {cx - h, cy - th / 2}},
        {skin::blGlyphTop, -1, {cx - gw / 2, cy - v}, {cx - tw / 2, cy + v - th}},
        {skin::blGlyphBottom, -1, {cx - gw / 2, cy + v - gh}, {cx - tw / 2, cy - v}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << int(k.Layout) << " margin " << k.Margin);
        b->SetLayout(k.Layout);
        b->SetMargin(k.Margin);
        EXPECT_EQ(GlyphBox(b), (TRect{k.G.X, k.G.Y, k.G.X + gw, k.G.Y + gh}));
        // The caption is centred in its measured box widened by 2: its ink starts a pixel or
        // two in and stays inside the box.
        const TRect ink = CaptionBox(b);
        EXPECT_GE(ink.Left, k.T.X);
        EXPECT_LE(ink.Left, k.T.X + 3);
        EXPECT_LE(ink.Right, k.T.X + tw + 2);
        EXPECT_GE(ink.Top, k.T.Y);
        EXPECT_LE(ink.Bottom, k.T.Y + th);
    }
    Shot("button_layout");

    // Pressed, everything moves one pixel right and down.
    b->SetLayout(skin::blGlyphLeft);
    b->SetMargin(4);
    Ui().MouseMove(ScreenOf(b, 80, 30));
    Ui().MouseDown();
    EXPECT_EQ(GlyphBox(b), (TRect{5, cy - gh / 2 + 1, 5 + gw, cy - gh / 2 + 1 + gh}));
    Ui().MouseUp();
}

TEST_F(ButtonLayoutTest, WithoutAGlyphTheSpacingStillShiftsACentredCaption) {
    auto* b = Make<TbsSkinButton>(10, 10);
    b->SetBounds(10, 10, 160, 60);
    b->SetCaption("Wg");
    b->SetSpacing(10);
    TBitmap probe(1, 1);
    probe.Canvas().Font = b->DefaultFont();
    TRect m{0, 0, 0, 0};
    probe.Canvas().DrawText("Wg", m, platform::gfx::DT_CALCRECT);
    const int tw = m.Width();
    const int tx = 80 + (tw + 10) / 2 - tw;  // five pixels right of the centred place
    const TRect ink = CaptionBox(b);
    EXPECT_GE(ink.Left, tx);
    EXPECT_LE(ink.Left, tx + 3);
    b->SetSpacing(0);
    const TRect centred = CaptionBox(b);
    EXPECT_EQ(ink.Left - centred.Left, 5);
}

TEST_F(ButtonLayoutTest, GlyphCellsFollowTheState) {
    TBitmap strip(40, 8);
    const TColor cells[4] = {RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 0, 0), RGB(0, 200, 200)};
    for (int i = 0; i < 4; ++i) Fill(strip, {10 * i, 0, 10 * i + 10, 8}, cells[i]);
    strip.SetPixel(0, 7, RGB(255, 0, 255));
    auto* b = Make<TbsSkinButton>(10, 10);
    b->SetGlyph(strip);
    b->SetNumGlyphs(4);
    auto glyphColor = [&] { return PixelAt(b, 75 / 2 - 5 + 4, 12); };
    EXPECT_EQ(glyphColor(), cells[0]);
    Ui().MouseMove(ScreenOf(b, 5, 5));
    EXPECT_EQ(glyphColor(), cells[3]);
    Ui().MouseDown();
    EXPECT_EQ(PixelAt(b, 75 / 2 - 5 + 5, 13), cells[2]);
    Ui().MouseUp();
    Ui().MouseMove(outside);
    form->SetFocus();
    b->SetEnabled(false);
    EXPECT_EQ(glyphColor(), cells[1]);
    // One cell: the whole strip is the glyph, centred, so its first block starts 20 pixels left
    // of the middle.
    b->SetNumGlyphs(1);
    EXPECT_EQ(PixelAt(b, 75 / 2 - 20 + 4, 12), cells[0]);
    EXPECT_EQ(PixelAt(b, 75 / 2 + 15, 12), cells[3]);
}

}  // namespace
}  // namespace skinctl
