// The light skinned controls: standard, link, text and button labels, the link image and the
// bevel, which take only fonts and colours from the skin.

#include "SkinControlsFixture.h"

#include <vector>

#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsLinkImage.h"
#include "skin/controls/bsSkinCtrlsNotify.h"
#include "skin/controls/bsSkinCtrlsTextLabel.h"

namespace skinctl {
namespace {

using platform::gfx::ColorToRGB;
using platform::gfx::GetBValue;
using platform::gfx::GetGValue;
using platform::gfx::GetRValue;

constexpr TColor kGrey = RGB(100, 110, 120);

class LabelsTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        // Neither black nor the system's highlight or shadow colour, so all of them show.
        form->SetColor(kGrey);
        skin = MakeSkin(form);
        skin::SetLinkOpener([this](const std::string& target) {
            opened.push_back(target);
            events.push_back("open " + target);
        });
        outside = ScreenOf(form, 390, 290);
    }
    void TearDown() override {
        skin::SetLinkOpener(nullptr);
        FormFixture::TearDown();
    }

    // The most covered pixel of the text over the grey form.
    TColor Ink(const platform::forms::TControl* c) {
        return StrongestInk(c, {0, 0, c->Width(), c->Height()}, kGrey);
    }
    int CountOf(const platform::forms::TControl* c, TColor color) {
        const TBitmap shot = Capture();
        int n = 0;
        for (int y = 0; y < c->Height(); ++y)
            for (int x = 0; x < c->Width(); ++x) n += At(shot, c, x, y) == color;
        return n;
    }
    // Length of the longest run of pixels of one row that are not the form's grey.
    int LongestInkRun(const platform::forms::TControl* c) {
        const TBitmap shot = Capture();
        int best = 0;
        for (int y = 0; y < c->Height(); ++y) {
            int run = 0;
            for (int x = 0; x < c->Width(); ++x) {
                run = Distance(At(shot, c, x, y), kGrey) > 60 ? run + 1 : 0;
                best = std::max(best, run);
            }
        }
        return best;
    }

    TTestSkin skin;
    TPoint outside;
    std::vector<std::string> opened;
    std::vector<std::string> events;
};

TEST_F(LabelsTest, LinkLabelColoursWithTheSkin) {
    auto* link = Make<skin::TbsSkinLinkLabel>(10, 10);
    link->SetCaption("Updates here");
    link->SetURL("http://example.org/updates");
    link->SetSkinData(skin.Data);
    ASSERT_NE(link->RecordIndex(), -1);
    EXPECT_EQ(link->Cursor(), platform::forms::crHandPoint);
    EXPECT_EQ(Ink(link), RGB(0, 0, 0));
    // Underlined: a line runs under the whole text.
    EXPECT_GE(LongestInkRun(link), link->Width() - 4);
    Shot("link_skin");

    Ui().MouseMove(ScreenOf(link, 5, 5));
    EXPECT_TRUE(link->Hovered());
    EXPECT_EQ(Ink(link), TColor(16744448));
    Shot("link_skin_hover");
    Ui().MouseMove(outside);
    EXPECT_EQ(Ink(link), RGB(0, 0, 0));

    // Without the skin font the control's own font is used, not underlined unless it says so.
    link->SetUseSkinFont(false);
    link->Font().SetStyle(0);
    EXPECT_LT(LongestInkRun(link), link->Width() / 2);
}

TEST_F(LabelsTest, LinkLabelColoursWithoutASkin) {
    auto* link = Make<skin::TbsSkinLinkLabel>(10, 10);
    link->SetCaption("Newsletter");
    EXPECT_EQ(link->RecordIndex(), -1);
    EXPECT_EQ(link->DefaultFont().Style(), platform::gfx::fsUnderline);
    EXPECT_EQ(link->DefaultFont().Height(), 14);
    EXPECT_EQ(Ink(link), ColorToRGB(link->DefaultFont().Color()));
    EXPECT_GE(LongestInkRun(link), link->Width() - 4);
    Ui().MouseMove(ScreenOf(link, 5, 5));
    EXPECT_EQ(Ink(link), RGB(0, 0, 255));
    link->SetDefaultActiveFontColor(RGB(200, 0, 0));
    EXPECT_EQ(Ink(link), RGB(200, 0, 0));
    Shot("link_plain_hover");
}

TEST_F(LabelsTest, ClickingALinkRunsOnClickThenOpensTheTarget) {
    auto* link = Make<skin::TbsSkinLinkLabel>(10, 10);
    link->SetCaption("Updates");
    link->SetURL("http://example.org/u");
    link->OnClick = [this](platform::forms::TComponent*) { events.push_back("click"); };
    auto* image = Make<skin::TbsSkinLinkImage>(100, 100);
    TBitmap picture(30, 20);
    Fill(picture, {0, 0, 30, 20}, RGB(1, 200, 3));
    image->Picture().Assign(picture);
    image->SetURL("/opt/puzzles/readme.txt");
    image->OnClick = [this](platform::forms::TComponent*) { events.push_back("image click"); };
    EXPECT_EQ(image->Width(), 30);
    EXPECT_EQ(image->Cursor(), platform::forms::crHandPoint);

    Ui().Click(ScreenOf(link, 3, 3));
    Ui().Click(ScreenOf(image, 3, 3));
    EXPECT_EQ(events, (std::vector<std::string>{"click", "open http://example.org/u", "image click",
                                                "open /opt/puzzles/readme.txt"}));
    // Nothing to open: nothing is started.
    image->SetURL("");
    Ui().Click(ScreenOf(image, 3, 3));
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(LabelsTest, ADisabledLabelIsEmbossedNeverInTheSkinColour) {
    auto* label = Make<skin::TbsSkinStdLabel>(10, 10);
    label->SetCaption("MMMM");
    label->SetSkinData(skin.Data);
    // Thick strokes, so that both colours cover whole pixels.
    label->SetUseSkinFont(false);
    label->Font().SetHeight(-28);
    label->Font().SetStyle(platform::gfx::fsBold);
    EXPECT_EQ(Ink(label), RGB(0, 0, 0));
    label->SetEnabled(false);
    const TColor light = ColorToRGB(platform::gfx::clBtnHighlight);
    const TColor dark = ColorToRGB(platform::gfx::clBtnShadow);
    EXPECT_GT(CountOf(label, light), 0);
    EXPECT_GT(CountOf(label, dark), 0);
    EXPECT_EQ(CountOf(label, RGB(0, 0, 0)), 0);
    const TRect lightBox = BoxWhere(label, [&](TColor c) { return c == light; });
    const TRect darkBox = BoxWhere(label, [&](TColor c) { return c == dark; });
    // The light copy lies one pixel right of and below the dark one, which covers the rest.
    EXPECT_EQ(lightBox.Right, darkBox.Right + 1);
    EXPECT_EQ(lightBox.Bottom, darkBox.Bottom + 1);
    Shot("label_disabled");
}

TEST_F(LabelsTest, LabelFontsComeFromTheRecordTheDefaultFontOrTheControlFont) {
    auto* label = Make<skin::TbsSkinStdLabel>(10, 10);
    label->SetCaption("MMMM");
    label->Font().SetColor(RGB(0, 150, 0));
    label->DefaultFont().SetColor(RGB(150, 0, 0));
    EXPECT_EQ(Ink(label), RGB(150, 0, 0));
    label->SetUseSkinFont(false);
    EXPECT_EQ(Ink(label), RGB(0, 150, 0));
    // With a record the colour is always the record's.
    label->SetSkinData(skin.Data);
    EXPECT_EQ(Ink(label), RGB(0, 0, 0));
    label->SetUseSkinFont(true);
    EXPECT_EQ(Ink(label), RGB(0, 0, 0));
    EXPECT_EQ(label->SkinValues().fontheight, 14);

    // A record of another class leaves the values copied before.
    label->SetSkinDataName("btn");
    label->RefreshSkin();
    EXPECT_NE(label->RecordIndex(), -1);
    EXPECT_EQ(label->SkinValues().activefontcolor, TColor(16744448));
    // Freeing the skin data returns the label to its own fonts.
    delete skin.Data;
    EXPECT_EQ(label->SkinData(), nullptr);
    EXPECT_EQ(Ink(label), RGB(150, 0, 0));
}

TEST_F(LabelsTest, AnAutoSizedRightJustifiedTextLabelKeepsItsRightEdge) {
    auto* text = Make<skin::TbsSkinTextLabel>(100, 10);
    text->SetAlignment(platform::forms::taRightJustify);
    platform::core::TStringList lines;
    lines.Add("a rather long first line");
    lines.Add("two");
    text->SetLines(lines);
    const int right = text->Left() + text->Width();
    const int tall = text->Height();
    EXPECT_GT(text->Width(), 60);
    lines.Clear();
    lines.Add("short");
    text->SetLines(lines);
    EXPECT_EQ(text->Left() + text->Width(), right);
    EXPECT_LT(text->Width(), 60);
    EXPECT_LT(text->Height(), tall);
    // Left-justified it keeps its left edge instead.
    text->SetAlignment(platform::forms::taLeftJustify);
    const int left = text->Left();
    lines.Add("and a much longer second line");
    text->SetLines(lines);
    EXPECT_EQ(text->Left(), left);
    Shot("text_label");
}

TEST_F(LabelsTest, TextLabelLayoutMovesTheTextDown) {
    auto* text = Make<skin::TbsSkinTextLabel>(10, 10);
    text->SetAutoSize(false);
    text->SetBounds(10, 10, 120, 100);
    platform::core::TStringList lines;
    lines.Add("MMM");
    text->SetLines(lines);
    text->SetSkinData(skin.Data);
    auto dark = [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 100; };
    const TRect top = BoxWhere(text, dark);
    EXPECT_LT(top.Top, 10);
    text->SetLayout(platform::forms::tlBottom);
    const TRect bottom = BoxWhere(text, dark);
    EXPECT_GT(bottom.Bottom, 90);
    text->SetLayout(platform::forms::tlCenter);
    const TRect centre = BoxWhere(text, dark);
    EXPECT_NEAR((centre.Top + centre.Bottom) / 2, 50, 6);
    EXPECT_EQ(centre.Height(), top.Height());
}

TEST_F(LabelsTest, ButtonLabelLightsUpAndPresses) {
    auto* b = Make<skin::TbsSkinButtonLabel>(10, 10);
    b->SetCaption("MMMM");
    int clicks = 0;
    b->OnClick = [&](platform::forms::TComponent*) { ++clicks; };
    const TColor normal = ColorToRGB(b->DefaultFont().Color());
    EXPECT_EQ(Ink(b), normal);
    Ui().MouseMove(ScreenOf(b, 50, 25));
    EXPECT_TRUE(b->Hovered());
    EXPECT_EQ(Ink(b), RGB(0, 0, 255));
    const TRect up = BoxWhere(b, [](TColor c) { return c == RGB(0, 0, 255); });
    Ui().MouseDown();
    EXPECT_TRUE(b->Pressed());
    const TRect down = BoxWhere(b, [](TColor c) { return c == RGB(0, 0, 255); });
    EXPECT_EQ(down.Left, up.Left + 1);
    EXPECT_EQ(down.Top, up.Top + 1);
    Ui().MouseUp();
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(clicks, 1);

    b->SetSkinData(skin.Data);
    EXPECT_EQ(Ink(b), TColor(16744448));
    Ui().MouseMove(outside);
    EXPECT_EQ(Ink(b), RGB(0, 0, 0));
    // Nothing but glyph and caption is drawn: the form shows around the text.
    EXPECT_EQ(PixelAt(b, 1, 1), kGrey);
}

class BevelTest : public LabelsTest {
protected:
    skin::TbsSkinBevel* Bevel(int w, int h) {
        auto* b = Make<skin::TbsSkinBevel>(20, 20);
        b->SetBounds(20, 20, w, h);
        return b;
    }
};

TEST_F(BevelTest, DividerModeDrawsAGrooveAcrossTheMiddle) {
    auto* b = Bevel(160, 161);
    b->SetSkinData(skin.Data);
    b->SetDividerMode(true);
    const TColor dark = RGB(192, 192, 192), light = RGB(0, 0, 0);
    const TBitmap shot = Capture();
    for (int y = 2; y <= 159; ++y) {
        ASSERT_EQ(At(shot, b, 79, y), dark) << y;
        ASSERT_EQ(At(shot, b, 80, y), light) << y;
    }
    for (TPoint p : {TPoint{79, 1}, TPoint{80, 160}, TPoint{78, 80}, TPoint{81, 80}, TPoint{0, 0}})
        EXPECT_EQ(At(shot, b, p.X, p.Y), kGrey) << p.X << "," << p.Y;
    Shot("bevel_divider");

    // Lines lie across.
    b->SetShape(platform::forms::bsTopLine);
    const TBitmap across = Capture();
    EXPECT_EQ(At(across, b, 2, 79), dark);
    EXPECT_EQ(At(across, b, 157, 79), dark);
    EXPECT_EQ(At(across, b, 3, 80), light);
    EXPECT_EQ(At(across, b, 158, 80), light);
    EXPECT_EQ(At(across, b, 1, 79), kGrey);
    EXPECT_EQ(At(across, b, 159, 80), kGrey);
    EXPECT_EQ(At(across, b, 80, 50), kGrey);

    b->SetShape(platform::forms::bsSpacer);
    const TBitmap nothing = Capture();
    EXPECT_EQ(At(nothing, b, 79, 80), kGrey);
    EXPECT_EQ(At(nothing, b, 80, 80), kGrey);
}

TEST_F(BevelTest, ShapesAndStyles) {
    auto* b = Bevel(50, 40);
    const TColor light = ColorToRGB(platform::gfx::clBtnHighlight),
                 dark = ColorToRGB(platform::gfx::clBtnShadow);
    // Lowered box: dark at the top and left, light at the bottom and right.
    TBitmap s = Capture();
    EXPECT_EQ(At(s, b, 0, 0), dark);
    EXPECT_EQ(At(s, b, 0, 39), dark);
    EXPECT_EQ(At(s, b, 48, 0), dark);
    EXPECT_EQ(At(s, b, 49, 0), light);
    EXPECT_EQ(At(s, b, 49, 39), light);
    EXPECT_EQ(At(s, b, 1, 39), light);
    EXPECT_EQ(At(s, b, 25, 20), kGrey);

    b->SetStyle(platform::forms::bsRaised);
    s = Capture();
    EXPECT_EQ(At(s, b, 0, 0), light);
    EXPECT_EQ(At(s, b, 49, 39), dark);

    // A lowered frame is a groove: dark then light going outwards on every side.
    b->SetStyle(platform::forms::bsLowered);
    b->SetShape(platform::forms::bsFrame);
    s = Capture();
    EXPECT_EQ(At(s, b, 0, 0), dark);
    EXPECT_EQ(At(s, b, 1, 1), light);
    EXPECT_EQ(At(s, b, 48, 38), dark);
    EXPECT_EQ(At(s, b, 49, 39), light);
    EXPECT_EQ(At(s, b, 48, 20), dark);
    EXPECT_EQ(At(s, b, 49, 20), light);
    EXPECT_EQ(At(s, b, 2, 2), kGrey);

    b->SetShape(platform::forms::bsRightLine);
    s = Capture();
    EXPECT_EQ(At(s, b, 48, 10), dark);
    EXPECT_EQ(At(s, b, 49, 10), light);
    EXPECT_EQ(At(s, b, 47, 10), kGrey);
    b->SetShape(platform::forms::bsBottomLine);
    s = Capture();
    EXPECT_EQ(At(s, b, 10, 38), dark);
    EXPECT_EQ(At(s, b, 10, 39), light);
}

TEST_F(BevelTest, ClearingTheSkinDataRestoresTheSystemColours) {
    auto* b = Bevel(50, 40);
    b->SetSkinData(skin.Data);
    EXPECT_EQ(b->BevelLight(), RGB(0, 0, 0));
    EXPECT_EQ(b->BevelDark(), TColor(12632256));
    EXPECT_EQ(PixelAt(b, 0, 0), RGB(192, 192, 192));
    b->SetSkinData(nullptr);
    EXPECT_EQ(b->BevelLight(), platform::gfx::clBtnHighlight);
    EXPECT_EQ(b->BevelDark(), platform::gfx::clBtnShadow);
    EXPECT_EQ(PixelAt(b, 0, 0), ColorToRGB(platform::gfx::clBtnShadow));

    // Freed skin data: the same.
    b->SetSkinData(skin.Data);
    delete skin.Data;
    EXPECT_EQ(b->SkinData(), nullptr);
    EXPECT_EQ(PixelAt(b, 0, 0), ColorToRGB(platform::gfx::clBtnShadow));
}

TEST_F(BevelTest, TheSkinChangeRefreshesLabelsAndBevels) {
    auto* b = Bevel(50, 40);
    auto* label = Make<skin::TbsSkinStdLabel>(100, 100);
    label->SetCaption("MMMM");
    auto* text = Make<skin::TbsSkinTextLabel>(200, 100);
    b->SetSkinData(skin.Data);
    label->SetSkinData(skin.Data);
    text->SetSkinData(skin.Data);

    std::string changed(kSkinText);
    changed.replace(changed.find("darkcolor=12632256"), std::string("darkcolor=12632256").size(),
                    "darkcolor=255");
    changed.replace(changed.find("fontcolor=0\nactivefontcolor=16744448"),
                    std::string("fontcolor=0\nactivefontcolor=16744448").size(), "fontcolor=65280");
    skin::TbsSkinSource source;
    source.Lines.SetText(changed);
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(MainPicture()));
    skin.Stored->Assign(source);
    skin.Data->SetStoredSkin(skin.Stored);
    // Until told, they keep what they copied.
    EXPECT_EQ(b->BevelDark(), TColor(12632256));
    EXPECT_EQ(label->SkinValues().fontcolor, 0);
    skin::SkinControlsChange(*form, skin.Data);
    EXPECT_EQ(b->BevelDark(), TColor(255));
    EXPECT_EQ(label->SkinValues().fontcolor, TColor(65280));
    EXPECT_EQ(text->SkinValues().fontcolor, TColor(65280));
    EXPECT_EQ(Ink(label), TColor(65280));
}

}  // namespace
}  // namespace skinctl
