// The skinned combo box: its keyboard table, incremental search on the virtual clock, the
// drop-down list (hot tracking, acceptance on release, Escape, closing on focus loss and cancel
// mode, opening above itself), the order of its events, item pictures and both looks.

#include "BoxesFixture.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/ListBox.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"

namespace boxes {
namespace {

using platform::forms::TImageListComponent;
using platform::gfx::ColorToRGB;
using skin::TbsSkinComboBox;
namespace forms = platform::forms;
namespace ui = platform::ui;
using MB = ui::TMouseButton;

const std::vector<std::string> kWords = {"alpha", "bravo",   "brown", "charlie", "delta",
                                         "echo",  "foxtrot", "golf",  "hotel",   "india"};
constexpr TColor kPicture[5] = {RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250), RGB(250, 250, 0),
                                RGB(0, 250, 250)};

class ComboBoxTest : public FormFixture {
protected:
    TbsSkinComboBox* MakeCombo(const std::vector<std::string>& items = kWords, int left = 20, int top = 20) {
        auto* combo = Make<TbsSkinComboBox>(left, top);
        combo->SetBounds(left, top, 150, 20);
        combo->SetItems(items);
        combo->OnChange = log.Note("change");
        combo->OnClick = log.Note("click");
        combo->OnCloseUp = log.Note("closeup");
        combo->OnDropDown = log.Note("dropdown");
        ProcessMessages();
        return combo;
    }
    void Focus(TbsSkinComboBox* combo) {
        combo->SetFocus();
        ProcessMessages();
        log.Clear();
    }
    // Screen point of a row of the open drop-down list.
    TPoint Row(TbsSkinComboBox* combo, int index) {
        auto* inner = combo->ListBox()->ListBox();
        const TRect r = inner->ItemRect(index);
        return inner->ClientToScreen({r.Left + 10, r.Top + r.Height() / 2});
    }
    TImageListComponent* MakeImages(int w, int h) {
        auto* images = new TImageListComponent(form);
        images->SetWidth(w);
        images->SetHeight(h);
        for (TColor c : kPicture) {
            TBitmap b(w, h);
            Fill(b, {0, 0, w, h}, c);
            images->Add(b);
        }
        return images;
    }
    void AltKey(uint32_t vk) {
        Ui().KeyDown(ui::VK_MENU);
        Ui().KeyPress(vk);
        Ui().KeyUp(ui::VK_MENU);
    }
    EventLog log;
};

TEST_F(ComboBoxTest, KeyboardTableSteps) {
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) items.push_back("item " + std::to_string(i));
    auto* combo = MakeCombo(items);
    combo->SetItemIndex(15);
    Focus(combo);
    Ui().KeyPress(ui::VK_PRIOR);  // DropDownCount + 1 rows up
    EXPECT_EQ(combo->ItemIndex(), 6);
    EXPECT_EQ(combo->Text(), "item 6");
    EXPECT_EQ(log.Events, (std::vector<std::string>{"change", "click"}));
    Ui().KeyPress(ui::VK_PRIOR);  // not below 0
    EXPECT_EQ(combo->ItemIndex(), 0);
    Ui().KeyPress(ui::VK_NEXT);  // DropDownCount - 1 rows down
    EXPECT_EQ(combo->ItemIndex(), 7);
    Ui().KeyPress(ui::VK_NEXT);
    Ui().KeyPress(ui::VK_NEXT);  // not beyond the last item
    EXPECT_EQ(combo->ItemIndex(), 19);
    log.Clear();
    Ui().KeyPress(ui::VK_DOWN);  // on the last item: nothing
    Ui().KeyPress(ui::VK_RIGHT);
    EXPECT_TRUE(log.Events.empty());
    Ui().KeyPress(ui::VK_UP);
    Ui().KeyPress(ui::VK_LEFT);
    EXPECT_EQ(combo->ItemIndex(), 17);
    Ui().KeyPress(ui::VK_RIGHT);
    EXPECT_EQ(combo->ItemIndex(), 18);
    combo->SetItemIndex(0);
    log.Clear();
    Ui().KeyPress(ui::VK_UP);  // on the first item: nothing
    Ui().KeyPress(ui::VK_LEFT);
    Ui().KeyPress(ui::VK_F4);  // not a key of the combo box
    EXPECT_TRUE(log.Events.empty());
    EXPECT_FALSE(combo->DroppedDown());
    combo->SetDropDownCount(0);  // ignored
    EXPECT_EQ(combo->DropDownCount(), 8);
}

TEST_F(ComboBoxTest, KeyboardOpensAcceptsAndCancels) {
    auto* combo = MakeCombo();
    combo->SetItemIndex(2);
    Focus(combo);
    Ui().KeyPress(ui::VK_RETURN);  // closed: nothing to accept
    Ui().KeyPress(ui::VK_ESCAPE);
    EXPECT_TRUE(log.Events.empty());
    AltKey(ui::VK_DOWN);
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown"}));
    // The list never takes the focus: the keys still reach the combo box, and the list shows
    // the new choice at once.
    EXPECT_EQ(System().GetFocus(), combo->Handle());
    Ui().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->ListBox()->ItemIndex(), 3);
    EXPECT_EQ(combo->SavedItemIndex(), 3);
    Ui().KeyPress(ui::VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown", "change", "click", "click", "closeup"}));
    log.Clear();
    AltKey(ui::VK_RIGHT);
    ASSERT_TRUE(combo->DroppedDown());
    AltKey(ui::VK_UP);  // closes without accepting
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown"}));
    AltKey(ui::VK_DOWN);
    AltKey(ui::VK_LEFT);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(log.Count("dropdown"), 2);
    EXPECT_EQ(combo->ItemIndex(), 3);
    AltKey(ui::VK_DOWN);
    Ui().KeyPress(ui::VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(log.Count("closeup"), 0);
}

TEST_F(ComboBoxTest, TypedCharactersSearchWithinHalfASecond) {
    auto* combo = MakeCombo({"alpha", "bravo", "brown", "charlie", "rose", "ruby"});
    combo->SetItemIndex(0);
    Focus(combo);
    Ui().TypeText("b");
    EXPECT_EQ(combo->ItemIndex(), 1);
    Advance(499);
    Ui().TypeText("r");  // "br" from the start
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->SearchText(), "br");
    Advance(500);
    Ui().TypeText("r");  // "r" alone, after the current item
    EXPECT_EQ(combo->ItemIndex(), 4);
    Ui().TypeText("u");
    EXPECT_EQ(combo->ItemIndex(), 5);
    Ui().TypeText("x");  // "rux" finds nothing: the choice stays
    EXPECT_EQ(combo->ItemIndex(), 5);
    combo->SetAutoComplete(false);
    Advance(10);
    Ui().TypeText("b");
    Ui().TypeText("r");  // each character alone
    EXPECT_EQ(combo->ItemIndex(), 4);
}

TEST_F(ComboBoxTest, MouseChoosesFromTheListOnRelease) {
    auto* combo = MakeCombo();
    combo->SetItemIndex(1);
    log.Clear();
    ClickAt(combo, 40, 10);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_TRUE(combo->Focused());
    auto* popup = combo->ListBox();
    // The list is a window of its own, below the box, as wide as the box, never active.
    ASSERT_TRUE(popup->HandleAllocated());
    EXPECT_TRUE(popup->Handle()->IsTopLevel());
    EXPECT_EQ(popup->Left(), combo->ClientToScreen({0, 0}).X);
    EXPECT_EQ(popup->Top(), combo->ClientToScreen({0, 20}).Y);
    EXPECT_EQ(popup->Width(), 150);
    EXPECT_EQ(popup->Height(), 8 * 20 + 4);
    EXPECT_NE(popup->VScrollBar(), nullptr);
    EXPECT_NE(System().GetActiveWindow(), popup->Handle());
    // Hot tracking moves the list's selection only.
    Ui().MouseMove(Row(combo, 4));
    Ui().MouseMove(Row(combo, 3));
    EXPECT_EQ(popup->ItemIndex(), 3);
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->SavedItemIndex(), 1);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown"}));
    // The press is swallowed; the release accepts.
    Ui().MouseDown(MB::Left);
    EXPECT_TRUE(combo->DroppedDown());
    Ui().MouseUp(MB::Left);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), "charlie");
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown", "change", "click", "closeup"}));
    // Choosing the item already chosen: no change.
    log.Clear();
    ClickAt(combo, 40, 10);
    Ui().Click(Row(combo, 3));
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown", "click", "closeup"}));
    // A second click on the box closes without accepting.
    log.Clear();
    ClickAt(combo, 40, 10);
    Advance(600);
    ClickAt(combo, 40, 10);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown"}));
}

TEST_F(ComboBoxTest, EscapeRestoresTheSavedItemWithoutEvents) {
    auto* combo = MakeCombo();
    combo->SetItemIndex(5);
    log.Clear();
    ClickAt(combo, 140, 10);  // the drop button
    Ui().MouseMove(Row(combo, 7));
    Ui().MouseMove(Row(combo, 6));
    EXPECT_EQ(combo->ListBox()->ItemIndex(), 6);
    Ui().KeyPress(ui::VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 5);
    EXPECT_EQ(combo->Text(), "echo");
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown"}));
}

TEST_F(ComboBoxTest, WheelMovesTheChoiceOrOnlyTheOpenList) {
    auto* combo = MakeCombo();
    combo->SetItemIndex(4);
    Focus(combo);
    Ui().Wheel(-120);  // towards the user: the next item
    EXPECT_EQ(combo->ItemIndex(), 5);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"change", "click"}));
    log.Clear();
    combo->DropDown();
    Ui().Wheel(120);
    Ui().Wheel(120);
    EXPECT_EQ(combo->ListBox()->ItemIndex(), 3);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown"}));
    combo->CloseUp(false);
    EXPECT_EQ(combo->ItemIndex(), 5);
}

TEST_F(ComboBoxTest, ListClosesWhenTheFocusGoesOrAnotherControlIsPressed) {
    auto* combo = MakeCombo();
    auto* other = Make<forms::TListBox>(200, 20);
    combo->SetItemIndex(2);
    Focus(combo);
    combo->DropDown();
    // Cancel mode from the list itself keeps it open; from another control it closes.
    combo->Perform(forms::CM_CANCELMODE, 0, ui::PtrToLParam<forms::TControl>(combo->ListBox()->ListBox()));
    EXPECT_TRUE(combo->DroppedDown());
    combo->Perform(forms::CM_CANCELMODE, 0, ui::PtrToLParam<forms::TControl>(other));
    EXPECT_FALSE(combo->DroppedDown());
    combo->DropDown();
    Ui().MouseMove(Row(combo, 6));
    ClickAt(other, 10, 10);
    EXPECT_TRUE(other->Focused());
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown", "dropdown"}));
}

TEST_F(ComboBoxTest, PressOnTheFormOrAPictureClosesTheList) {
    auto* combo = MakeCombo();
    auto* picture = Make<forms::TImage>(20, 200);
    picture->SetWidth(40);
    picture->SetHeight(40);
    combo->SetItemIndex(3);
    Focus(combo);
    combo->DropDown();
    ASSERT_TRUE(combo->DroppedDown());
    ClickAt(form, 390, 290);  // the form's own background
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 3);
    combo->DropDown();
    ASSERT_TRUE(combo->DroppedDown());
    ClickAt(picture, 10, 10);  // a control that never takes the focus
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_TRUE(combo->Focused());
}

TEST_F(ComboBoxTest, OpensAboveItselfNearTheBottomOfTheWorkArea) {
    form->SetTop(440);
    auto* combo = MakeCombo(kWords, 20, 270);  // screen 710..730; the work area ends at 728
    combo->DropDown();
    auto* popup = combo->ListBox();
    EXPECT_EQ(popup->Height(), 164);
    EXPECT_EQ(popup->Top(), 710 - 164);
    combo->CloseUp(false);
    // Five items in eight rows: five rows high, no bar.
    combo->SetItems({"a", "b", "c", "d", "e"});
    combo->DropDown();
    EXPECT_EQ(popup->Height(), 5 * 20 + 4);
    EXPECT_EQ(popup->VScrollBar(), nullptr);
    EXPECT_EQ(popup->Top(), 710 - 104);
    combo->CloseUp(false);
    form->SetTop(0);
    combo->DropDown();
    EXPECT_EQ(popup->Top(), 290);
}

TEST_F(ComboBoxTest, TranslucentListFadesInWhereTheDisplayShowsOpacity) {
    auto* combo = MakeCombo();
    auto* popup = combo->ListBox();
    combo->SetAlphaBlend(true);
    combo->SetAlphaBlendValue(201);
    combo->SetAlphaBlendAnimation(true);
    combo->DropDown();
    ui::TWindow* window = popup->Handle();
    EXPECT_TRUE(window->HasExStyle(ui::WS_EX_LAYERED));
    EXPECT_TRUE(popup->LayeredApplied());
    EXPECT_EQ(window->Alpha(), 201);  // the fade ends at the value
    EXPECT_EQ(Backend().Native(window->NativeId())->Alpha, 201);
    EXPECT_EQ(popup->AppliedAlpha(), 0);
    combo->CloseUp(false);
    // Without the fade the value is applied at once.
    combo->SetAlphaBlendAnimation(false);
    combo->DropDown();
    EXPECT_EQ(popup->AppliedAlpha(), 201);
    EXPECT_EQ(window->Alpha(), 201);
    combo->CloseUp(false);
    combo->SetAlphaBlend(false);
    combo->DropDown();
    EXPECT_FALSE(window->HasExStyle(ui::WS_EX_LAYERED));
    EXPECT_FALSE(popup->LayeredApplied());
    combo->CloseUp(false);
    // A display that cannot show opacity gets an opaque list.
    Backend().SupportsOpacityValue = false;
    combo->SetAlphaBlend(true);
    combo->DropDown();
    EXPECT_FALSE(window->HasExStyle(ui::WS_EX_LAYERED));
    EXPECT_TRUE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, AnEmptyListDoesNotOpen) {
    auto* combo = MakeCombo({});
    ClickAt(combo, 140, 10);
    AltKey(ui::VK_DOWN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_TRUE(log.Events.empty());
}

TEST_F(ComboBoxTest, ProgramSetItemIndexReportsClickAndTextChanges) {
    auto* combo = MakeCombo({"same", "same", "other"});
    combo->SetItemIndex(0);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"change", "click"}));
    log.Clear();
    combo->SetItemIndex(1);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"click"}));
    log.Clear();
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->Text(), "same");
    EXPECT_EQ(log.Events, (std::vector<std::string>{"click"}));
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, SeverityChooserShowsPicturesAndNeverChangesText) {
    auto* combo = MakeCombo({"", "", "", "", ""});
    combo->SetImages(MakeImages(16, 16));
    combo->SetItemIndex(1);
    log.Clear();
    // Closed box: the item area starts at 2, the picture 2 further in, centred in 16 rows.
    EXPECT_EQ(PixelAt(combo, 4 + 8, 2 + 8), kPicture[1]);
    ClickAt(combo, 40, 10);
    auto* inner = combo->ListBox()->ListBox();
    for (int i = 0; i < 5; ++i) {
        const TRect r = inner->ItemRect(i);
        EXPECT_EQ(PixelAt(inner, r.Left + 2 + 8, r.Top + 10), kPicture[i]) << i;
    }
    Ui().MouseMove(Row(combo, 3));
    Ui().Click(Row(combo, 3));
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"dropdown", "click", "closeup"}));
    EXPECT_EQ(PixelAt(combo, 4 + 8, 2 + 8), kPicture[3]);
    // One picture for every item.
    combo->SetImageIndex(4);
    EXPECT_EQ(PixelAt(combo, 4 + 8, 2 + 8), kPicture[4]);
    Shot("combo_severity");
}

TEST_F(ComboBoxTest, DefaultLookShowsButtonStatesAndFocus) {
    auto* combo = MakeCombo();
    combo->SetItemIndex(0);
    const TColor face = ColorToRGB(platform::gfx::clBtnFace);
    EXPECT_EQ(combo->DropButtonArea(), (TRect{131, 2, 148, 18}));
    EXPECT_EQ(combo->ItemArea(), (TRect{2, 2, 130, 18}));
    EXPECT_EQ(PixelAt(combo, 133, 4), face);
    EXPECT_EQ(PixelAt(combo, 120, 10), ColorToRGB(platform::gfx::clWindow));
    MoveTo(combo, 140, 10);
    EXPECT_TRUE(combo->ButtonActive());
    EXPECT_EQ(PixelAt(combo, 133, 4), RGB(182, 189, 210));
    Ui().MouseDown(MB::Left);
    EXPECT_TRUE(combo->ButtonPressed());
    EXPECT_EQ(PixelAt(combo, 133, 4), RGB(133, 147, 181));
    Ui().MouseUp(MB::Left);
    EXPECT_FALSE(combo->ButtonPressed());
    // The press focused the combo box: the item shows the selection colours.
    EXPECT_EQ(PixelAt(combo, 120, 10), ColorToRGB(platform::gfx::clHighlight));
    Shot("combo_default");
    combo->CloseUp(false);
}

TEST_F(ComboBoxTest, SkinLookFixesTheHeightAndPaintsTheRecord) {
    auto skin = MakeSkin(form);
    auto* combo = MakeCombo({"", "", "", "", ""});
    combo->SetSkinData(skin.Data);
    EXPECT_EQ(combo->Height(), 18);
    EXPECT_EQ(combo->DropButtonArea(), (TRect{135, 2, 148, 16}));
    EXPECT_EQ(combo->ItemArea(), (TRect{1, 1, 133, 17}));
    combo->SetImages(MakeImages(16, 17));
    combo->SetItemIndex(2);
    // Unfocused: the item lies on the box's own picture; the picture's last row is cut off.
    EXPECT_EQ(PixelAt(combo, 100, 8), kComboBack);
    EXPECT_EQ(PixelAt(combo, 1 + 5 + 8, 1 + 8), kPicture[2]);
    EXPECT_EQ(PixelAt(combo, 1 + 5 + 8, 1 + 15), kPicture[2]);
    EXPECT_NE(PixelAt(combo, 1 + 5 + 8, 1 + 16), kPicture[2]);
    EXPECT_EQ(PixelAt(combo, 140, 8), kComboButton);
    MoveTo(combo, 140, 8);
    EXPECT_EQ(PixelAt(combo, 140, 8), kComboButtonActive);
    Ui().MouseDown(MB::Left);
    EXPECT_EQ(PixelAt(combo, 140, 8), kComboButtonDown);
    Ui().MouseUp(MB::Left);
    // Focused: the focus picture.
    EXPECT_EQ(PixelAt(combo, 100, 8), kComboFocus);
    // The drop-down list uses the list record: 18-pixel rows, the picture fits in a row.
    auto* popup = combo->ListBox();
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(popup->SkinDataName(), "listbox");
    EXPECT_EQ(popup->ListBox()->ItemHeight(), 18);
    EXPECT_EQ(popup->Height(), 5 * 18 + 4);
    const TRect row0 = popup->ListBox()->ItemRect(0);
    EXPECT_EQ(PixelAt(popup->ListBox(), 2 + 8, row0.Top + 1), kPicture[0]);
    EXPECT_EQ(PixelAt(popup->ListBox(), 2 + 8, row0.Top + 17), kPicture[0]);
    Shot("combo_skin");
    combo->CloseUp(false);
}

}  // namespace
}  // namespace boxes
