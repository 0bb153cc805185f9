// The skinned rich edit: its external bars by the synchronisation rules (a one-line text
// disables the vertical bar and clears the native range; Both follows the vertical bar), the
// bars scrolling the text, the record's font and colours against the defaults and SkinSupport,
// the skin-change protocol, and the class in a form resource.

#include "SkinControlsFixture.h"
#include "platform/forms/FormResource.h"
#include "skin/controls/bsSkinCtrlsNotify.h"
#include "skin/controls/bsSkinCtrlsRegister.h"
#include "skin/controls/bsSkinCtrlsRichEdit.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

namespace skinctl {
namespace {

using namespace platform::forms;
using skin::sbHorizontal;
using skin::sbVertical;
using skin::TbsSkinRichEdit;
using skin::TbsSkinScrollBar;
using skin::TScrollBarKind;

constexpr TColor kRichBack = RGB(255, 255, 0), kRichText = RGB(0, 0, 255);

constexpr std::string_view kRichSkin = R"([VERSION]
skinname=rich test
[PICTURES]
picture=
activepicturescount=1
0=main.bmp
[FORMINFO]
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=2
0=richedit:richedit
1=other:richedit
[richedit]
fontname=Courier New
fontheight=16
fontstyle=fsbold
fontcolor=16711680
bgcolor=65535
[other]
fontname=Arial
fontheight=12
fontcolor=255
bgcolor=16777215
)";

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

class SkinRichEditTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        skin = MakeSkin(form, kRichSkin);
        rich = Make<TbsSkinRichEdit>(10, 10);
        rich->SetBounds(10, 10, 200, 150);
        rich->SetName("reDoc");
        vbar = MakeBar(sbVertical, {210, 10, 229, 160});
        hbar = MakeBar(sbHorizontal, {10, 160, 210, 179});
        ProcessMessages();
    }
    TbsSkinScrollBar* MakeBar(TScrollBarKind kind, const TRect& r) {
        auto* bar = new TbsSkinScrollBar(form);
        bar->SetParent(form);
        bar->SetKind(kind);
        bar->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        return bar;
    }
    TTestSkin skin;
    TbsSkinRichEdit* rich = nullptr;
    TbsSkinScrollBar* vbar = nullptr;
    TbsSkinScrollBar* hbar = nullptr;
};

TEST_F(SkinRichEditTest, AOneLineTextDisablesTheVerticalBarAndClearsTheNativeRange) {
    rich->SetWordWrap(false);
    rich->SetVScrollBar(vbar);
    rich->SetHScrollBar(hbar);
    rich->SetLines(Numbered(40));
    ProcessMessages();
    const int h = rich->RowHeight();
    EXPECT_TRUE(vbar->Enabled());
    EXPECT_EQ(vbar->Max(), 40 * h);
    EXPECT_EQ(vbar->PageSize(), rich->Height());
    EXPECT_EQ(rich->ScrollInfo(SB_VERT).Max, 40 * h);
    // Short lines: nothing to scroll sideways.
    EXPECT_FALSE(hbar->Enabled());
    EXPECT_EQ(rich->ScrollInfo(SB_HORZ), TScrollRange{});

    rich->SetText("just one line");
    ProcessMessages();
    EXPECT_FALSE(vbar->Enabled());
    EXPECT_EQ(rich->ScrollInfo(SB_VERT), TScrollRange{});

    // A line wider than the control enables the horizontal bar with the width as its page.
    rich->SetText(std::string(80, 'W'));
    ProcessMessages();
    EXPECT_TRUE(hbar->Enabled());
    EXPECT_EQ(hbar->PageSize(), rich->Width());
    EXPECT_GT(hbar->Max(), rich->Width());

    // Typing lines in brings the vertical bar back.
    rich->SetFocus();
    for (int i = 0; i < 20; ++i) Ui().KeyPress(platform::ui::VK_RETURN);
    ProcessMessages();
    EXPECT_TRUE(vbar->Enabled());
    EXPECT_EQ(vbar->Position(), rich->ScrollInfo(SB_VERT).Pos);
    EXPECT_GT(vbar->Position(), 0);  // the caret went down and the text with it
}

TEST_F(SkinRichEditTest, TheHorizontalBarsBothFollowsTheVerticalBar) {
    rich->SetVScrollBar(vbar);
    rich->SetHScrollBar(hbar);
    ProcessMessages();
    EXPECT_TRUE(hbar->Both());
    vbar->SetVisible(false);
    rich->SyncScrollBars();
    EXPECT_FALSE(hbar->Both());
    vbar->SetVisible(true);
    rich->SetText("x");
    EXPECT_TRUE(hbar->Both());
}

TEST_F(SkinRichEditTest, TheBarsScrollTheText) {
    rich->SetVScrollBar(vbar);
    rich->SetLines(Numbered(60));
    ProcessMessages();
    const int h = rich->RowHeight();
    vbar->SetPosition(10 * h);
    EXPECT_EQ(rich->FirstVisibleLine(), 10);
    // The up button (at the bottom end) moves the text on by one row; the down button back.
    vbar->OnUpButtonClick(vbar);
    EXPECT_EQ(rich->FirstVisibleLine(), 11);
    EXPECT_EQ(vbar->Position(), 11 * h);
    vbar->OnDownButtonClick(vbar);
    vbar->OnDownButtonClick(vbar);
    EXPECT_EQ(rich->FirstVisibleLine(), 9);
    // At the top the down button does nothing.
    vbar->SetPosition(0);
    vbar->OnDownButtonClick(vbar);
    EXPECT_EQ(rich->FirstVisibleLine(), 0);
    // The wheel scrolls the text and the bar follows.
    rich->SetFocus();
    Ui().MoveTo(rich, 20, 20);
    Ui().Wheel(-120);
    ProcessMessages();
    EXPECT_GT(rich->FirstVisibleLine(), 0);
    EXPECT_EQ(vbar->Position(), rich->FirstVisibleLine() * h);
}

TEST_F(SkinRichEditTest, TheRecordGivesFontAndColoursAndTheDefaultsApplyWithoutOne) {
    EXPECT_EQ(rich->RecordIndex(), -1);
    EXPECT_EQ(rich->Color(), platform::gfx::clWindow);
    EXPECT_EQ(rich->Font().Name(), "Arial");
    EXPECT_EQ(rich->Font().Height(), 14);
    // Unbound, the default colour and font apply at once.
    rich->SetDefaultColor(RGB(10, 20, 30));
    EXPECT_EQ(rich->Color(), RGB(10, 20, 30));

    rich->SetText("text in the record's font");
    rich->SetSkinData(skin.Data);
    EXPECT_EQ(rich->RecordIndex(), 0);
    EXPECT_EQ(rich->Color(), kRichBack);
    EXPECT_EQ(rich->Font().Color(), kRichText);
    EXPECT_EQ(rich->Font().Name(), "Courier New");
    EXPECT_EQ(rich->Font().Height(), 16);
    EXPECT_EQ(rich->Font().Style(), platform::gfx::fsBold);
    // The text's default format follows the font.
    EXPECT_EQ(rich->FormatAt(0).Name, "Courier New");
    // Bound, the defaults wait.
    rich->SetDefaultColor(RGB(1, 2, 3));
    EXPECT_EQ(rich->Color(), kRichBack);
    // The text shows in the record's colour on its background.
    ProcessMessages();
    EXPECT_EQ(PixelAt(rich, rich->Width() - 3, rich->Height() - 3), kRichBack);
    EXPECT_EQ(StrongestInk(rich, {0, 0, 120, rich->RowHeight()}, kRichBack), kRichText);

    // A name the skin does not hold: the defaults.
    rich->SetSkinDataName("missing");
    rich->RefreshSkin();
    EXPECT_EQ(rich->RecordIndex(), -1);
    EXPECT_EQ(rich->Color(), RGB(1, 2, 3));

    // With SkinSupport off nothing is applied.
    rich->SetSkinSupport(false);
    rich->SetSkinDataName("other");
    rich->RefreshSkin();
    EXPECT_EQ(rich->Color(), RGB(1, 2, 3));
    rich->SetSkinSupport(true);
    EXPECT_EQ(rich->Color(), RGB(255, 255, 255));
    EXPECT_EQ(rich->Font().Color(), RGB(255, 0, 0));
}

TEST_F(SkinRichEditTest, TheSkinChangeProtocolRebindsIt) {
    rich->SetSkinData(skin.Data);
    ASSERT_EQ(rich->RecordIndex(), 0);
    skin::SkinControlsBeforeChange(*form, skin.Data);
    EXPECT_EQ(rich->RecordIndex(), -1);
    skin::SkinControlsChange(*form, skin.Data);
    EXPECT_EQ(rich->RecordIndex(), 0);
    EXPECT_EQ(rich->Color(), kRichBack);
    // Freeing the skin data or a bar clears the reference.
    rich->SetVScrollBar(vbar);
    delete vbar;
    vbar = nullptr;
    EXPECT_EQ(rich->VScrollBar(), nullptr);
    delete skin.Data;
    skin.Data = nullptr;
    EXPECT_EQ(rich->SkinData(), nullptr);
    EXPECT_EQ(rich->Color(), platform::gfx::clWindow);
}

TEST_F(SkinRichEditTest, AFormResourceMakesAndWritesIt) {
    skin::RegisterSkinControlClasses();
    const std::string text =
        "object Form1: TForm\n"
        "  object reText: TbsSkinRichEdit\n"
        "    Left = 4\n    Top = 4\n    Width = 100\n    Height = 60\n"
        "    SkinDataName = 'other'\n"
        "    SkinSupport = False\n"
        "    DefaultColor = clRed\n"
        "    DefaultFont.Name = 'Tahoma'\n"
        "    PlainText = True\n"
        "    WordWrap = False\n"
        "    Lines.Strings = (\n      'first'\n      'second')\n"
        "  end\n"
        "end\n";
    std::unique_ptr<TForm> read(dynamic_cast<TForm*>(CreateComponentFromResource(text, nullptr)));
    ASSERT_NE(read, nullptr);
    auto* re = dynamic_cast<TbsSkinRichEdit*>(read->FindComponent("reText"));
    ASSERT_NE(re, nullptr);
    EXPECT_EQ(re->SkinDataName(), "other");
    EXPECT_FALSE(re->SkinSupport());
    EXPECT_EQ(re->DefaultColor(), platform::gfx::clRed);
    EXPECT_EQ(re->DefaultFont().Name(), "Tahoma");
    EXPECT_TRUE(re->PlainText());
    EXPECT_FALSE(re->WordWrap());
    EXPECT_EQ(re->Lines().Count(), 2);
    EXPECT_EQ(re->Lines().Strings(1), "second");
    const std::string written = WriteComponentResource(*read);
    EXPECT_NE(written.find("SkinDataName = 'other'"), std::string::npos) << written;
    EXPECT_NE(written.find("PlainText = True"), std::string::npos) << written;
    EXPECT_NE(written.find("DefaultFont.Name = 'Tahoma'"), std::string::npos) << written;
}

}  // namespace
}  // namespace skinctl
