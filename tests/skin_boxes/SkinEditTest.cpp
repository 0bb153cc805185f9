// The skinned edits and memos on the headless backend with a small skin made in code: read-only
// guards and the standard menu's enabling, Enter and Escape, the record's height and the button
// that follows the right edge, colours by pointer and focus, the default look, the memo's scroll
// bar coupling and the skin change protocol.

#include "BoxesFixture.h"
#include "platform/forms/Menus.h"
#include "skin/boxes/bsSkinBoxCtrlsEdit.h"
#include "skin/boxes/bsSkinBoxCtrlsEditMemo.h"
#include "skin/controls/bsSkinCtrlsNotify.h"
#include "skin/form/bsSkinMenus.h"

namespace boxes {
namespace {

using namespace platform::ui;
using platform::forms::TComponent;
using skin::TbsSkinEdit;
using skin::TbsSkinMemo;
using skin::TbsSkinMemo2;
using skin::TbsSkinScrollBar;

constexpr TColor kEditFace = RGB(200, 210, 220), kEditActiveFace = RGB(150, 230, 150);
constexpr TColor kEditButtonHot = RGB(250, 200, 0), kEditButtonDown = RGB(0, 100, 250);
constexpr TColor kMemoFrame = RGB(60, 20, 90), kMemoInner = RGB(240, 240, 200);
constexpr TColor kEditFont = RGB(10, 20, 30), kEditActiveFont = RGB(200, 0, 0),
                 kEditDisabledFont = RGB(128, 128, 0);

TBitmap EditPicture() {
    TBitmap b(120, 80);
    Fill(b, {0, 0, 120, 80}, RGB(0, 0, 0));
    Fill(b, {0, 0, 60, 20}, kEditFace);
    Fill(b, {0, 20, 60, 40}, kEditActiveFace);
    Fill(b, {60, 0, 76, 16}, kEditButtonHot);
    Fill(b, {76, 0, 92, 16}, kEditButtonDown);
    Fill(b, {0, 40, 40, 80}, kMemoFrame);
    Fill(b, {3, 43, 37, 77}, kMemoInner);
    return b;
}

constexpr std::string_view kEditSkin = R"([VERSION]
skinname=edit test
[PICTURES]
picture=
activepicturescount=1
0=edit.bmp
[FORMINFO]
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=2
0=edit:edit
1=memo:memo
[edit]
pictureindex=0
skinrect=0,0,60,20
activeskinrect=0,20,60,40
lefttoppoint=10,0
righttoppoint=40,0
clientrect=3,3,40,17
fontname=Arial
fontheight=14
fontcolor=1971210
activefontcolor=200
disabledfontcolor=32896
buttonrect=42,2,58,18
activebuttonrect=60,0,76,16
downbuttonrect=76,0,92,16
[memo]
pictureindex=0
skinrect=0,40,40,80
lefttoppoint=3,3
righttoppoint=37,3
leftbottompoint=3,37
rightbottompoint=37,37
clientrect=3,3,37,37
fontname=Arial
fontheight=14
fontcolor=0
activefontcolor=200
bgcolor=16777215
activebgcolor=13434828
)";

class SkinEditTest : public FormFixture {
protected:
    skin::TbsSkinData* MakeEditSkin() {
        skin::TbsSkinSource source;
        source.Lines.SetText(kEditSkin);
        source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(EditPicture()));
        auto* stored = new skin::TbsStoredSkin(form);
        stored->Assign(source);
        auto* data = new skin::TbsSkinData(form);
        data->SetStoredSkin(stored);
        return data;
    }
    TbsSkinEdit* MakeEdit(int left, int top, int width) {
        auto* e = Make<TbsSkinEdit>(left, top);
        e->SetWidth(width);
        ProcessMessages();
        return e;
    }
    void Ctrl(uint32_t vk) {
        Ui().KeyDown(VK_CONTROL);
        Ui().KeyPress(vk);
        Ui().KeyUp(VK_CONTROL);
    }
    // Enabled flags of the standard menu's items, separators left out.
    static std::vector<std::pair<std::string, bool>> MenuState(skin::TbsSkinPopupMenu* menu) {
        std::vector<std::pair<std::string, bool>> out;
        for (int i = 0; i < menu->Items()->Count(); ++i) {
            const auto* item = menu->Items()->Items(i);
            if (item->Caption() != "-") out.emplace_back(item->Caption(), item->Enabled());
        }
        return out;
    }
};

TEST_F(SkinEditTest, ReadOnlyEditIgnoresEditingButCopiesAndItsMenuSaysSo) {
    TbsSkinEdit* edit = MakeEdit(10, 10, 120);
    edit->SetText("locked text");
    edit->SetReadOnly(true);
    edit->SetFocus();
    edit->SelectAll();
    Ui().TypeText("x");
    Ui().KeyPress(VK_DELETE);
    Ctrl('X');
    System().SetClipboardText("pasted");
    Ctrl('V');
    edit->Perform(WM_CLEAR);
    edit->Perform(WM_UNDO);
    EXPECT_EQ(edit->Text(), "locked text");
    Ctrl('C');
    EXPECT_EQ(System().ClipboardText(), "locked text");

    edit->SetSelStart(0);
    edit->SetSelLength(6);
    using State = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(MenuState(edit->StandardMenu().Build()), (State{{"Undo", false},
                                                              {"Cut", false},
                                                              {"Copy", true},
                                                              {"Paste", false},
                                                              {"Delete", false},
                                                              {"Select All", true}}));
    // Writable: cut, paste and delete come back; undo after a change; select all is off when
    // everything is selected already.
    edit->SetReadOnly(false);
    Ui().TypeText("y");
    edit->SelectAll();
    EXPECT_EQ(MenuState(edit->StandardMenu().Build()), (State{{"Undo", true},
                                                              {"Cut", true},
                                                              {"Copy", true},
                                                              {"Paste", true},
                                                              {"Delete", true},
                                                              {"Select All", false}}));
    // A keyboard request (negative position) builds the menu too; the next request replaces
    // the previous menu, which is freed.
    edit->Perform(WM_CONTEXTMENU, 0, MakeLParam(-1, -1));
    ASSERT_NE(edit->StandardMenu().Menu(), nullptr);
    EXPECT_EQ(edit->StandardMenu().Menu()->Items()->Count(), 8);
    int menus = 0;
    for (int i = 0; i < edit->ComponentCount(); ++i)
        menus += dynamic_cast<skin::TbsSkinPopupMenu*>(edit->Components(i)) ? 1 : 0;
    EXPECT_EQ(menus, 1);
}

TEST_F(SkinEditTest, EnterFiresOnKeyPressOnceAndInsertsNothingEscapeReachesOnKeyPressTwice) {
    TbsSkinEdit* edit = MakeEdit(10, 10, 120);
    std::vector<char32_t> pressed;
    int escapeDowns = 0;
    edit->OnKeyPress = [&](TComponent*, char32_t& key) { pressed.push_back(key); };
    edit->OnKeyDown = [&](TComponent*, uint16_t& key, platform::forms::TShiftState shift) {
        if (key == VK_ESCAPE && shift == 0) ++escapeDowns;
    };
    edit->SetFocus();
    Ui().TypeText("ab");
    Ui().KeyPress(VK_RETURN);
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(std::count(pressed.begin(), pressed.end(), U'\r'), 1);
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_EQ(escapeDowns, 1);
    EXPECT_EQ(std::count(pressed.begin(), pressed.end(), char32_t{0x1B}), 2);
    EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(SkinEditTest, SkinnedEditKeepsTheRecordHeightAndItsButtonFollowsTheRightEdge) {
    skin::TbsSkinData* data = MakeEditSkin();
    TbsSkinEdit* edit = MakeEdit(10, 10, 150);
    edit->SetHasButton(true);
    int clicks = 0;
    edit->OnButtonClick = [&](TComponent*) { ++clicks; };
    edit->SetSkinData(data);
    ProcessMessages();
    ASSERT_GE(edit->RecordIndex(), 0);
    edit->SetBounds(10, 10, 150, 40);
    EXPECT_EQ(edit->Height(), 20);
    EXPECT_EQ(edit->EditButtonRect(), (TRect{42 + 90, 2, 58 + 90, 18}));
    edit->SetWidth(200);
    EXPECT_EQ(edit->Height(), 20);
    EXPECT_EQ(edit->EditButtonRect(), (TRect{42 + 140, 2, 58 + 140, 18}));
    EXPECT_EQ(edit->EditTextRect(), (TRect{3, 3, 40 + 140, 17}));
    EXPECT_EQ(edit->ClientWidth(), 40 + 140 - 3);

    // The button: hot under the pointer, down while pressed, a click on release.
    const TPoint window = edit->Parent()->ClientToScreen({edit->Left(), edit->Top()});
    const TPoint button{window.X + 190, window.Y + 10};
    Ui().MouseMove(button);
    ProcessMessages();
    EXPECT_TRUE(edit->ButtonHot());
    EXPECT_EQ(Ui().Pixel(button.X, button.Y), kEditButtonHot);
    Ui().MouseDown();
    EXPECT_EQ(Ui().Pixel(button.X, button.Y), kEditButtonDown);
    Ui().MouseUp();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(edit->Focused());
    // Away from the button it is plain again; the face is the active picture while focused.
    Ui().MouseMove({window.X + 20, window.Y + 10});
    ProcessMessages();
    EXPECT_FALSE(edit->ButtonHot());
    EXPECT_EQ(Ui().Pixel(button.X, button.Y), kEditActiveFace);
}

TEST_F(SkinEditTest, ColoursFollowPointerFocusAndEnabling) {
    skin::TbsSkinData* data = MakeEditSkin();
    auto* other = MakeEdit(10, 100, 100);
    TbsSkinEdit* edit = MakeEdit(10, 10, 120);
    edit->SetSkinData(data);
    ProcessMessages();
    EXPECT_EQ(edit->Font().Color(), kEditFont);
    EXPECT_EQ(PixelAt(edit, 30, 1), kEditFace);
    MoveTo(edit, 30, 5);
    EXPECT_EQ(edit->Font().Color(), kEditActiveFont);
    EXPECT_EQ(PixelAt(edit, 30, 1), kEditActiveFace);
    MoveTo(form, 300, 250);
    EXPECT_EQ(edit->Font().Color(), kEditFont);
    edit->SetFocus();
    ProcessMessages();
    EXPECT_EQ(edit->Font().Color(), kEditActiveFont);
    other->SetFocus();
    ProcessMessages();
    EXPECT_EQ(edit->Font().Color(), kEditFont);
    edit->SetEnabled(false);
    EXPECT_EQ(edit->Font().Color(), kEditDisabledFont);
    edit->SetEnabled(true);
    EXPECT_EQ(edit->Font().Color(), kEditFont);
}

TEST_F(SkinEditTest, WithoutARecordTheDefaultFrameAndButtonGeometry) {
    TbsSkinEdit* edit = MakeEdit(10, 10, 120);
    EXPECT_EQ(edit->Height(), 20);
    EXPECT_EQ(edit->EditTextRect(), (TRect{2, 2, 118, 18}));
    edit->SetHasButton(true);
    ProcessMessages();
    EXPECT_EQ(edit->EditTextRect(), (TRect{2, 2, 96, 18}));
    EXPECT_EQ(edit->EditButtonRect(), (TRect{100, 0, 120, 20}));
    const TPoint corner = edit->Parent()->ClientToScreen({edit->Left(), edit->Top()});
    ProcessMessages();
    EXPECT_EQ(Ui().Pixel(corner.X, corner.Y),
              platform::gfx::ColorToRGB(platform::gfx::clBtnShadow));
    EXPECT_EQ(Ui().Pixel(corner.X + 1, corner.Y + 1),
              platform::gfx::ColorToRGB(platform::gfx::clBtnFace));
    // A skin change names the edit's skin data: it forgets its record, then binds again.
    skin::TbsSkinData* data = MakeEditSkin();
    edit->SetSkinData(data);
    ASSERT_GE(edit->RecordIndex(), 0);
    skin::SkinControlsBeforeChange(*form, data);
    EXPECT_EQ(edit->RecordIndex(), -1);
    skin::SkinControlsChange(*form, data);
    EXPECT_GE(edit->RecordIndex(), 0);
    delete data;
    EXPECT_EQ(edit->SkinData(), nullptr);
}

TEST_F(SkinEditTest, MemoOfThirtyLinesShowingTenDrivesItsScrollBar) {
    auto* memo = Make<TbsSkinMemo>(10, 10);
    auto* bar = Make<TbsSkinScrollBar>(220, 10);
    bar->SetKind(skin::sbVertical);
    const int textHeight = platform::gfx::TextEngine::Metrics(memo->Font()).Height;
    memo->SetBounds(10, 10, 200, 10 * textHeight + 4);
    memo->SetVScrollBar(bar);
    std::vector<std::string> lines;
    for (int i = 0; i < 30; ++i) lines.push_back("row " + std::to_string(i));
    memo->SetLines(lines);
    ProcessMessages();
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 30);
    EXPECT_EQ(bar->PageSize(), 11);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_TRUE(bar->Enabled());
    // The bar scrolls the memo; the memo's scrolling moves the bar.
    bar->SetPosition(5);
    EXPECT_EQ(memo->FirstVisibleLine(), 5);
    memo->SetFocus();
    memo->SetSelStart(0);
    Ui().KeyPress(VK_RIGHT);
    EXPECT_EQ(memo->FirstVisibleLine(), 0);
    EXPECT_EQ(bar->Position(), 0);
    // Few lines: nothing to scroll; a disabled memo disables its bar.
    memo->SetLines({"one", "two"});
    EXPECT_EQ(bar->Max(), 0);
    EXPECT_FALSE(bar->Enabled());
    memo->SetLines(lines);
    memo->SetEnabled(false);
    EXPECT_FALSE(bar->Enabled());
    delete bar;
    EXPECT_EQ(memo->VScrollBar(), nullptr);
}

TEST_F(SkinEditTest, SkinnedMemoFrameColoursAndReadOnly) {
    skin::TbsSkinData* data = MakeEditSkin();
    auto* memo = Make<TbsSkinMemo>(10, 10);
    memo->SetBounds(10, 10, 160, 100);
    memo->SetSkinData(data);
    ProcessMessages();
    EXPECT_EQ(memo->ClientWidth(), 160 - 6);
    EXPECT_EQ(PixelAt(memo, -2, 40), kMemoFrame);   // the frame, left of the client area
    EXPECT_EQ(PixelAt(memo, 100, 80), kMemoInner);  // the picture under the text (BitMapBG)
    memo->SetBitMapBG(false);
    EXPECT_EQ(PixelAt(memo, 100, 80), RGB(255, 255, 255));  // bgcolor
    memo->SetFocus();
    EXPECT_EQ(PixelAt(memo, 100, 80), RGB(204, 255, 204));  // activebgcolor
    EXPECT_EQ(memo->Font().Color(), RGB(200, 0, 0));
    memo->SetReadOnly(true);
    Ui().TypeText("abc");
    Ui().KeyPress(VK_RETURN);
    EXPECT_EQ(memo->Text(), "");
}

TEST_F(SkinEditTest, Memo2CouplesBothBarsToItsScrollRanges) {
    auto* memo = Make<TbsSkinMemo2>(10, 10);
    auto* vbar = Make<TbsSkinScrollBar>(220, 10);
    auto* hbar = Make<TbsSkinScrollBar>(10, 220);
    vbar->SetKind(skin::sbVertical);
    hbar->SetWidth(150);
    memo->SetBounds(10, 10, 200, 100);
    memo->SetWordWrap(false);
    memo->SetVScrollBar(vbar);
    memo->SetHScrollBar(hbar);
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i) lines.push_back(std::string(static_cast<size_t>(i + 1) * 3, 'w'));
    memo->SetLines(lines);
    ProcessMessages();
    const int visible = memo->VisibleRows();
    EXPECT_EQ(vbar->Max(), 40);
    EXPECT_EQ(vbar->PageSize(), visible + 1);
    const auto h = memo->ScrollRange(platform::forms::SB_HORZ);
    EXPECT_EQ(hbar->Max(), h.Max);
    EXPECT_EQ(hbar->PageSize(), 151);
    hbar->SetPosition(40);
    EXPECT_EQ(memo->ScrollX(), 40);
    vbar->SetPosition(7);
    EXPECT_EQ(memo->FirstVisibleLine(), 7);
}

}  // namespace
}  // namespace boxes
