// The combo box's edit style on the headless backend: the edit made on the item area and kept in
// sync with the text and the list, its keys and wheel, selection on auto-complete, the edit
// focused on drop-down, and its font and transparency on a skin change.

#include "BoxesFixture.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"

namespace boxes {
namespace {

using namespace platform::ui;
using skin::TbsSkinComboBox;

const std::vector<std::string> kFruit{"apple", "banana", "blueberry", "cherry"};

class SkinEditComboTest : public FormFixture {
protected:
    TbsSkinComboBox* MakeEditCombo() {
        auto* combo = Make<TbsSkinComboBox>(20, 20);
        combo->SetWidth(150);
        combo->SetItems(kFruit);
        combo->OnChange = log.Note("change");
        combo->OnClick = log.Note("click");
        combo->OnCloseUp = log.Note("closeup");
        combo->SetStyle(skin::bscbEditStyle);
        ProcessMessages();
        return combo;
    }
    EventLog log;
};

TEST_F(SkinEditComboTest, TheEditCoversTheItemAreaAndTakesTheFocus) {
    auto* combo = Make<TbsSkinComboBox>(20, 20);
    combo->SetItems(kFruit);
    combo->SetItemIndex(2);
    combo->SetFocus();
    combo->SetStyle(skin::bscbEditStyle);
    ProcessMessages();
    ASSERT_NE(combo->Edit(), nullptr);
    EXPECT_EQ(combo->Edit()->BoundsRect(), combo->ItemArea());
    EXPECT_EQ(combo->Edit()->Text(), "blueberry");
    EXPECT_TRUE(combo->Edit()->Focused());
    EXPECT_FALSE(combo->TabStop());
    // The program's text reaches the edit; the edit's text is the combo box's.
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Edit()->Text(), "apple");
    combo->SetWidth(200);
    EXPECT_EQ(combo->Edit()->BoundsRect(), combo->ItemArea());
    combo->SetStyle(skin::bscbFixedStyle);
    EXPECT_EQ(combo->Edit(), nullptr);
    EXPECT_TRUE(combo->TabStop());
}

TEST_F(SkinEditComboTest, TypingCompletesFromTheListAndSelectsTheRest) {
    TbsSkinComboBox* combo = MakeEditCombo();
    combo->Edit()->SetFocus();
    Ui().TypeText("b");
    EXPECT_EQ(combo->Text(), "banana");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Edit()->SelStart(), 1);
    EXPECT_EQ(combo->Edit()->SelText(), "anana");
    Ui().TypeText("l");  // replaces the completed part
    EXPECT_EQ(combo->Text(), "blueberry");
    EXPECT_EQ(combo->Edit()->SelText(), "ueberry");
    EXPECT_GT(log.Count("change"), 0);
    // Nothing matches: the typed text stays.
    combo->Edit()->SelectAll();
    Ui().TypeText("x");
    EXPECT_EQ(combo->Text(), "x");
}

TEST_F(SkinEditComboTest, ArrowsWheelAndTheDropDownGoThroughTheList) {
    TbsSkinComboBox* combo = MakeEditCombo();
    combo->Edit()->SetFocus();
    Ui().KeyPress(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Edit()->Text(), "apple");
    Ui().KeyPress(VK_DOWN);
    EXPECT_EQ(combo->Text(), "banana");
    EXPECT_EQ(log.Count("click"), 2);
    Ui().KeyPress(VK_UP);
    Ui().KeyPress(VK_UP);  // already at the first item
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(log.Count("click"), 3);
    // The wheel over the edit steps while the list is closed.
    MoveTo(combo->Edit(), 5, 5);
    Ui().Wheel(-WHEEL_DELTA);
    EXPECT_EQ(combo->Text(), "banana");

    // The drop-down focuses the edit; Down moves only the list while it is open; Enter accepts.
    log.Clear();
    combo->DropDown();
    EXPECT_TRUE(combo->Edit()->Focused());
    Ui().KeyPress(VK_NEXT);
    EXPECT_EQ(combo->ListBox()->ItemIndex(), 3);
    Ui().KeyPress(VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Edit()->Text(), "cherry");
    EXPECT_EQ(log.Count("closeup"), 1);
    // Escape leaves the text as it was.
    combo->DropDown();
    Ui().KeyPress(VK_PRIOR);
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Edit()->Text(), "cherry");
    EXPECT_EQ(combo->ItemIndex(), 3);
}

TEST_F(SkinEditComboTest, TheEditTakesTheRecordsFontAndDrawsOverTheSkin) {
    TbsSkinComboBox* combo = MakeEditCombo();
    EXPECT_FALSE(combo->Edit()->TransparentText());
    EXPECT_EQ(combo->Edit()->Font().Color(), combo->Font().Color());
    TTestSkin s = MakeSkin(form);
    combo->SetSkinData(s.Data);
    ProcessMessages();
    EXPECT_TRUE(combo->Edit()->TransparentText());
    EXPECT_EQ(combo->Edit()->Font().Color(), kFontNormal);
    EXPECT_EQ(combo->Height(), 18);
    EXPECT_EQ(combo->Edit()->BoundsRect(), combo->ItemArea());
    // Under the text lies the combo box's own picture, not the closed item's.
    combo->SetItemIndex(-1);
    combo->Edit()->SetText("");
    EXPECT_EQ(PixelAt(combo->Edit(), 10, 8), kComboBack);
}

}  // namespace
}  // namespace boxes
