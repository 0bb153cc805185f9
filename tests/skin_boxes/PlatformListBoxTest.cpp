// The framework's list box under the skinned one: items and selection bookkeeping, the row at a
// point, the scroll range and scroll requests, prefix search, keyboard, wheel, mouse and
// multi-selection.

#include "BoxesFixture.h"
#include "platform/forms/ListBox.h"

namespace boxes {
namespace {

using namespace platform::forms;
namespace ui = platform::ui;

class PlatformListBoxTest : public FormFixture {
protected:
    TListBox* MakeList(int count, int height = 100) {
        auto* list = Make<TListBox>(10, 10);
        list->SetBounds(10, 10, 150, height);
        list->SetItemHeight(20);
        std::vector<std::string> items;
        for (int i = 0; i < count; ++i) items.push_back("Item " + std::to_string(i));
        list->SetItems(items);
        list->OnClick = log.Note("click");
        ProcessMessages();
        return list;
    }
    EventLog log;
};

TEST_F(PlatformListBoxTest, SelectionFollowsInsertionsAndDeletions) {
    auto* list = MakeList(5);
    list->SetItemIndex(2);
    list->Items().Insert(0, "new");
    EXPECT_EQ(list->ItemIndex(), 3);
    list->Items().Delete(4);
    EXPECT_EQ(list->ItemIndex(), 3);
    list->Items().Delete(3);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetItemIndex(99);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_THROW(list->Items().Delete(10), std::out_of_range);
    EXPECT_THROW(list->Items().Insert(-1, "x"), std::out_of_range);
    // Sorted lists place new items in order.
    list->SetSorted(true);
    EXPECT_EQ(list->Items().Add("Aardvark"), 0);
    EXPECT_TRUE(log.Events.empty());  // nothing of this is a user's click
}

TEST_F(PlatformListBoxTest, RowsRectanglesAndTheScrollRange) {
    auto* list = MakeList(12, 100);  // five full rows
    EXPECT_EQ(list->FullRows(), 5);
    EXPECT_EQ(list->ItemAtPos({5, 45}, true), 2);
    EXPECT_EQ(list->ItemRect(2), (TRect{0, 40, 150, 60}));
    EXPECT_EQ(list->ScrollRange(SB_VERT), (TScrollRange{0, 11, 5, 0}));
    EXPECT_EQ(list->ScrollRange(SB_HORZ), TScrollRange{});

    list->SetTopIndex(100);  // clamped so that the last page is full
    EXPECT_EQ(list->TopIndex(), 7);
    EXPECT_EQ(list->ItemAtPos({5, 5}, true), 7);
    EXPECT_EQ(list->ItemRect(2).Top, -100);

    list->Items().Delete(11);
    list->Items().Delete(10);
    list->Items().Delete(9);
    EXPECT_EQ(list->TopIndex(), 4);
    // Below the last item: -1, or the count when a place to insert is wanted.
    list->SetTopIndex(0);
    list->Items().Clear();
    list->Items().Add("only");
    EXPECT_EQ(list->ItemAtPos({5, 50}, true), -1);
    EXPECT_EQ(list->ItemAtPos({5, 50}, false), 1);
    EXPECT_EQ(list->ItemAtPos({-1, 5}, true), -1);
}

TEST_F(PlatformListBoxTest, ScrollRequestsMoveTheTopRow) {
    auto* list = MakeList(30, 100);
    const auto scroll = [&](int code, int pos = 0) {
        list->Perform(ui::WM_VSCROLL, ui::MakeWParam(code, pos), 0);
        return list->TopIndex();
    };
    EXPECT_EQ(scroll(SB_LINEDOWN), 1);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 5);  // a page keeps one row of the last one
    EXPECT_EQ(scroll(SB_THUMBPOSITION, 12), 12);
    EXPECT_EQ(scroll(SB_LINEUP), 11);
    EXPECT_EQ(scroll(SB_BOTTOM), 25);
    EXPECT_EQ(scroll(SB_LINEDOWN), 25);
    EXPECT_EQ(scroll(SB_TOP), 0);
    EXPECT_EQ(scroll(SB_PAGEUP), 0);
    EXPECT_EQ(list->ScrollRange(SB_VERT).Pos, 0);
    // Horizontal requests mean nothing to a single column.
    list->Perform(ui::WM_HSCROLL, ui::MakeWParam(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(list->TopIndex(), 0);

    // Columns scroll sideways by whole columns of five rows.
    list->SetColumns(2);
    EXPECT_EQ(list->ScrollRange(SB_HORZ), (TScrollRange{0, 5, 2, 0}));
    list->Perform(ui::WM_HSCROLL, ui::MakeWParam(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(list->TopIndex(), 5);
    EXPECT_EQ(list->ItemAtPos({80, 5}, true), 10);
    list->Perform(ui::WM_HSCROLL, ui::MakeWParam(SB_BOTTOM, 0), 0);
    EXPECT_EQ(list->TopIndex(), 20);
}

TEST_F(PlatformListBoxTest, PrefixSearchIgnoresCaseAndWrapsAround) {
    auto* list = MakeList(0);
    list->SetItems({"Apple", "banana", "Blueberry", "cherry", "BANANA split"});
    EXPECT_EQ(list->FindPrefix("b", -1), 1);
    EXPECT_EQ(list->FindPrefix("B", 1), 2);
    EXPECT_EQ(list->FindPrefix("ba", 2), 4);
    EXPECT_EQ(list->FindPrefix("ba", 4), 1);  // wraps round
    EXPECT_EQ(list->FindPrefix("bananas", -1), -1);
    EXPECT_EQ(list->FindPrefix("", -1), -1);
    EXPECT_EQ(list->FindPrefix("apple", 99), 0);  // a start outside the items searches from the top
}

TEST_F(PlatformListBoxTest, KeysMoveTheSelectionAndReportClicks) {
    auto* list = MakeList(30, 100);
    list->SetFocus();
    ProcessMessages();
    Ui().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 0);
    Ui().KeyPress(ui::VK_NEXT);
    EXPECT_EQ(list->ItemIndex(), 4);
    Ui().KeyPress(ui::VK_NEXT);
    EXPECT_EQ(list->ItemIndex(), 8);
    EXPECT_EQ(list->TopIndex(), 4);  // scrolled into view
    Ui().KeyPress(ui::VK_END);
    EXPECT_EQ(list->ItemIndex(), 29);
    EXPECT_EQ(list->TopIndex(), 25);
    Ui().KeyPress(ui::VK_DOWN);  // at the end: no change, no click
    EXPECT_EQ(log.Count("click"), 4);
    Ui().KeyPress(ui::VK_HOME);
    EXPECT_EQ(list->ItemIndex(), 0);
    // A typed character jumps to the next item beginning with it.
    list->SetItems({"one", "two", "three", "Tea"});
    list->SetItemIndex(1);
    Ui().TypeText("t");
    EXPECT_EQ(list->ItemIndex(), 2);
    Ui().TypeText("t");
    EXPECT_EQ(list->ItemIndex(), 3);
    Ui().TypeText("t");
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(PlatformListBoxTest, MouseSelectsWheelScrolls) {
    auto* list = MakeList(30, 100);
    EventLog dbl;
    list->OnDblClick = dbl.Note("dbl");
    ClickAt(list, 20, 45);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_TRUE(list->Focused());
    EXPECT_EQ(log.Count("click"), 1);
    // Dragging below the list scrolls it and selects on the way (later than a double click).
    Advance(600);
    Ui().Drag(ScreenOf(list, 20, 45), ScreenOf(list, 20, 130), 3);
    EXPECT_GT(list->TopIndex(), 0);
    EXPECT_EQ(list->ItemIndex(), list->TopIndex() + 4);
    Ui().DoubleClick(ScreenOf(list, 20, 5));
    EXPECT_EQ(dbl.Count("dbl"), 1);
    list->SetTopIndex(0);
    Ui().Wheel(-120);
    EXPECT_EQ(list->TopIndex(), 3);
    Ui().Wheel(120);
    EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(PlatformListBoxTest, ExtendedMultiSelection) {
    auto* list = MakeList(10, 100);
    list->SetMultiSelect(true);
    ClickAt(list, 20, 5);
    Ui().KeyDown(ui::VK_SHIFT);
    ClickAt(list, 20, 65);
    Ui().KeyUp(ui::VK_SHIFT);
    EXPECT_EQ(list->SelCount(), 4);
    EXPECT_TRUE(list->Selected(0));
    EXPECT_TRUE(list->Selected(3));
    EXPECT_EQ(list->ItemIndex(), 3);
    Ui().KeyDown(ui::VK_CONTROL);
    ClickAt(list, 20, 25);
    Ui().KeyUp(ui::VK_CONTROL);
    EXPECT_FALSE(list->Selected(1));
    EXPECT_EQ(list->SelCount(), 3);
    ClickAt(list, 20, 85);
    EXPECT_EQ(list->SelCount(), 1);
    // Deleting keeps the flags with their items.
    list->SetSelected(2, true);
    list->Items().Delete(0);
    EXPECT_TRUE(list->Selected(1));
    EXPECT_TRUE(list->Selected(3));
    EXPECT_EQ(list->SelCount(), 2);

    // Simple multi-selection: a click toggles.
    list->SetExtendedSelect(false);
    list->ClearSelection();
    ClickAt(list, 20, 5);
    ClickAt(list, 20, 25);
    ClickAt(list, 20, 5);
    EXPECT_FALSE(list->Selected(0));
    EXPECT_TRUE(list->Selected(1));
}

}  // namespace
}  // namespace boxes
