// The list view: items, columns and selection bookkeeping, sorting through a column click,
// keyboard and mouse rules with multi-selection, the geometry and scroll ranges of each style,
// owner-data mode, the column header window, painting, and form resources.

#include "ViewsTestSupport.h"
#include "platform/forms/ListView.h"

namespace viewstest {
namespace {

class ListViewTest : public ViewsFixture {
protected:
    TListView* MakeReport(int count, int height = 200) {
        list = Make<TListView>(10, 10, 300, height);
        list->SetViewStyle(vsReport);
        list->Columns().Add("Name", 120);
        list->Columns().Add("Size", 80, taRightJustify);
        list->Columns().Add("Kind", 80);
        list->Items().BeginUpdate();
        for (int i = 0; i < count; ++i) {
            TListItem* item = list->Items().Add();
            item->SetCaption("Item " + std::to_string(i));
            item->SetSubItems({std::to_string((i * 37) % 100), i % 2 ? "odd" : "even"});
        }
        list->Items().EndUpdate();
        list->OnSelectItem = [this](TComponent*, TListItem* item, bool selected) {
            events.push_back((selected ? "+" : "-") + item->Caption());
        };
        ShowAll();
        list->SetFocus();
        ProcessMessages();
        return list;
    }
    std::vector<int> SelectedIndexes() const {
        std::vector<int> out;
        for (int i = 0; i < list->Items().Count(); ++i)
            if (list->IsSelected(i)) out.push_back(i);
        return out;
    }
    TPoint RowPoint(int index) {
        const TRect r = list->ItemRect(index);
        return {r.Left + 10, r.Top + r.Height() / 2};
    }
    void ClickItem(int index, uint32_t modifier = 0) {
        if (modifier) Session().KeyDown(modifier);
        ClickAt(list, RowPoint(index).X, RowPoint(index).Y);
        if (modifier) Session().KeyUp(modifier);
        ProcessMessages();
        Advance(600);  // no double clicks between the tests' clicks
    }

    TListView* list = nullptr;
};

TEST_F(ListViewTest, SelectionAndFocusFollowInsertionsDeletionsAndModes) {
    MakeReport(5);
    list->SetItemIndex(2);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->Selected()->Caption(), "Item 2");
    list->Items().Insert(0)->SetCaption("new");
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->ItemFocused()->Caption(), "Item 2");
    list->Items().Delete(3);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_THROW((void)list->Items().Item(5), std::out_of_range);
    EXPECT_THROW(list->Items().Insert(7), std::out_of_range);

    // Single selection: selecting replaces; multi-selection keeps; leaving it keeps one.
    list->SetItemSelected(1, true);
    list->SetItemSelected(2, true);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{2}));
    list->SetMultiSelect(true);
    list->SetItemSelected(4, true);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{2, 4}));
    list->SelectAll();
    EXPECT_EQ(list->SelCount(), 5);
    list->SetItemFocusedIndex(3);
    list->SetMultiSelect(false);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{3}));

    // Items as lines keep bars in their texts.
    list->Items().Item(0)->SetSubItems({"a|b", ""});
    const auto lines = list->Items().SaveToLines();
    EXPECT_EQ(lines[0], "new|a||b|");
    auto* copy = Make<TListView>(0, 0, 50, 50);
    copy->Items().LoadFromLines(lines);
    EXPECT_EQ(copy->Items().Item(0)->ColumnText(1), "a|b");
    EXPECT_EQ(copy->Items().Item(0)->ColumnText(2), "");
    EXPECT_EQ(copy->Items().Item(0)->ColumnText(7), "");
    EXPECT_EQ(copy->Items().SaveToLines(), lines);
}

TEST_F(ListViewTest, AColumnHeaderClickSortsThroughOnCompareAndTheSelectionStaysWithItsItem) {
    MakeReport(6);
    int sortColumn = -1;
    list->OnColumnClick = [&](TComponent*, int column) {
        sortColumn = column;
        list->AlphaSort();
    };
    list->OnCompare = [&](TComponent*, TListItem* a, TListItem* b, int, int& compare) {
        const std::string& x = a->ColumnText(sortColumn);
        const std::string& y = b->ColumnText(sortColumn);
        // Sizes compare as numbers.
        compare = sortColumn == 1 ? std::stoi(x) - std::stoi(y) : x.compare(y);
    };
    list->SetItemIndex(4);  // "Item 4", size 48
    THeaderControl* header = list->Header();
    ASSERT_TRUE(header->Visible());
    ClickAt(header, 150, header->Height() / 2);
    EXPECT_EQ(sortColumn, 1);
    std::vector<std::string> sizes;
    for (int i = 0; i < 6; ++i) sizes.push_back(list->Items().Item(i)->ColumnText(1));
    EXPECT_EQ(sizes, (std::vector<std::string>{"0", "11", "37", "48", "74", "85"}));
    EXPECT_EQ(list->Selected()->Caption(), "Item 4");
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->Items().Item(3)->Index(), 3);
    // Kind sorts stably: equal kinds keep their size order.
    Advance(600);
    ClickAt(header, 250, header->Height() / 2);
    EXPECT_EQ(list->Items().Item(0)->ColumnText(2), "even");
    EXPECT_EQ(list->Items().Item(0)->ColumnText(1), "0");
    EXPECT_EQ(list->Items().Item(3)->ColumnText(1), "11");
    // Without OnCompare captions compare without regard to case.
    list->OnCompare = nullptr;
    list->Items().Item(0)->SetCaption("b");
    list->Items().Item(1)->SetCaption("A");
    list->AlphaSort();
    EXPECT_EQ(list->Items().Item(0)->Caption(), "A");
    EXPECT_EQ(list->Items().Item(1)->Caption(), "b");
}

TEST_F(ListViewTest, KeysAndClicksSelectWithShiftAndCtrlInAMultiSelectReport) {
    MakeReport(40, 200);
    list->SetMultiSelect(true);
    Key(ui::VK_DOWN);
    EXPECT_EQ(list->ItemFocusedIndex(), 0) << "the first key focuses the first item";
    Key(ui::VK_DOWN);
    KeyWith(ui::VK_SHIFT, ui::VK_DOWN);
    KeyWith(ui::VK_SHIFT, ui::VK_DOWN);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 2, 3}));
    KeyWith(ui::VK_CONTROL, ui::VK_DOWN);
    EXPECT_EQ(list->ItemFocusedIndex(), 4);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 2, 3})) << "Ctrl moves the focus only";
    KeyWith(ui::VK_CONTROL, ui::VK_SPACE);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 2, 3, 4}));
    KeyWith(ui::VK_CONTROL, ui::VK_SPACE);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 2, 3}));
    const int page = list->VisibleRowCount();
    Key(ui::VK_NEXT);
    EXPECT_EQ(list->ItemFocusedIndex(), 4 + page - 1);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{4 + page - 1}));
    Key(ui::VK_END);
    EXPECT_EQ(list->ItemFocusedIndex(), 39);
    EXPECT_EQ(list->TopIndex(), 40 - page) << "the focused item is scrolled into view";
    Key(ui::VK_HOME);
    EXPECT_EQ(list->TopIndex(), 0);

    // Mouse: click selects one, Ctrl+click toggles, Shift+click selects from the anchor.
    ClickItem(2);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{2}));
    ClickItem(5, ui::VK_CONTROL);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{2, 5}));
    ClickItem(3, ui::VK_SHIFT);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{3, 4, 5}));
    ClickItem(5, ui::VK_CONTROL);
    EXPECT_EQ(SelectedIndexes(), (std::vector<int>{3, 4}));
    // A click below the items clears the selection.
    list->Items().BeginUpdate();
    while (list->Items().Count() > 3) list->Items().Delete(3);
    list->Items().EndUpdate();
    ClickAt(list, 20, 190);
    EXPECT_TRUE(SelectedIndexes().empty());
    EXPECT_EQ(list->GetItemAt(20, 190), nullptr);
    EXPECT_EQ(list->GetItemAt(299, RowPoint(0).Y), nullptr) << "right of the columns";
}

TEST_F(ListViewTest, TypingFindsCaptionsAndRestartsAfterAPause) {
    MakeReport(0);
    for (const char* c : {"apple", "Banana", "blueberry", "cherry", "bean"}) list->Items().Add()->SetCaption(c);
    Session().TypeText("b");
    ProcessMessages();
    EXPECT_EQ(list->ItemIndex(), 1);
    Session().TypeText("l");
    ProcessMessages();
    EXPECT_EQ(list->ItemIndex(), 2);
    Advance(1100);
    Session().TypeText("b");
    ProcessMessages();
    Session().TypeText("b");
    ProcessMessages();
    EXPECT_EQ(list->ItemIndex(), 1) << "bb cycles through the b items, wrapping round";
    Advance(1100);
    Session().TypeText("z");
    ProcessMessages();
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(ListViewTest, EachStyleHasItsGeometryScrollRangeAndArrowSteps) {
    MakeReport(100, 200);
    const int header = list->HeaderHeight();
    const int rowH = list->RowHeight();
    const int perPage = (200 - header) / rowH;
    EXPECT_GT(header, 0);
    EXPECT_EQ(list->ItemRect(1), (TRect{0, header + rowH, 280, header + 2 * rowH}));
    EXPECT_EQ(list->ScrollRange(SB_VERT), (TScrollRange{0, 99, perPage, 0}));
    EXPECT_EQ(list->ScrollRange(SB_HORZ), (TScrollRange{0, 280, 300, 0}));
    list->Perform(ui::WM_VSCROLL, ui::MakeWParam(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(list->TopIndex(), perPage);
    EXPECT_EQ(list->ItemRect(perPage).Top, header);
    // Wider columns scroll sideways, and the header's sections move along.
    list->Columns().Set(2, {"Kind", 200, taLeftJustify, -1});
    list->Perform(ui::WM_HSCROLL, ui::MakeWParam(SB_RIGHT, 0), 0);
    EXPECT_EQ(list->ScrollRange(SB_HORZ), (TScrollRange{0, 400, 300, 100}));
    EXPECT_EQ(list->Header()->Offset(), -100);
    EXPECT_EQ(list->ItemRect(perPage).Left, -100);

    // List style: columns of rows, scrolled sideways by whole columns; no vertical range.
    list->SetViewStyle(vsList);
    EXPECT_FALSE(list->Header()->Visible());
    const int rows = 200 / rowH;
    const TRect r = list->ItemRect(rows + 1);
    EXPECT_EQ(r.Top, rowH);
    EXPECT_EQ(r.Left, r.Width());
    const TScrollRange listRange = list->ScrollRange(SB_HORZ);
    EXPECT_EQ(listRange.Max, (100 + rows - 1) / rows - 1);
    EXPECT_EQ(listRange.Page, 300 / r.Width());
    EXPECT_EQ(list->ScrollRange(SB_VERT), TScrollRange{});
    list->SetItemIndex(0);
    list->SetItemFocusedIndex(0);
    Key(ui::VK_RIGHT);
    EXPECT_EQ(list->ItemFocusedIndex(), rows) << "Right moves one column";
    Key(ui::VK_DOWN);
    EXPECT_EQ(list->ItemFocusedIndex(), rows + 1);

    // Icon style: a grid of cells scrolled vertically in pixels; Down moves one line of cells.
    list->SetViewStyle(vsIcon);
    const TRect cell = list->ItemRect(0);
    const int cols = 300 / cell.Width();
    EXPECT_EQ(list->ItemRect(cols).Top - cell.Top, cell.Height());
    EXPECT_LE(list->ItemRect(list->ItemFocusedIndex()).Bottom, 200) << "the focused item stays in view";
    const TScrollRange iconRange = list->ScrollRange(SB_VERT);
    EXPECT_EQ(iconRange.Max, (100 + cols - 1) / cols * cell.Height());
    EXPECT_EQ(iconRange.Page, 200);
    Key(ui::VK_DOWN);
    EXPECT_EQ(list->ItemFocusedIndex(), rows + 1 + cols);
    Key(ui::VK_LEFT);
    EXPECT_EQ(list->ItemFocusedIndex(), rows + cols);
    const int before = list->ScrollRange(SB_VERT).Pos;
    list->Perform(ui::WM_VSCROLL, ui::MakeWParam(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(list->ScrollRange(SB_VERT).Pos - before, std::max(1, cell.Height() / 2));

    // Small icons: a grid of text-wide cells, one row high.
    list->SetViewStyle(vsSmallIcon);
    EXPECT_EQ(list->ItemRect(1).Top, 0);
    EXPECT_EQ(list->ItemRect(1).Height(), rowH);
    EXPECT_EQ(list->IndexAt(list->ItemRect(1).Left + 2, 2), 1);
}

TEST_F(ListViewTest, OwnerDataAsksForOnlyTheItemsItShows) {
    list = Make<TListView>(10, 10, 300, 200);
    list->SetViewStyle(vsReport);
    list->Columns().Add("Name", 150);
    list->SetOwnerData(true);
    int asked = 0;
    list->OnData = [&](TComponent*, TListItem* item) {
        ++asked;
        item->SetCaption("Row " + std::to_string(item->Index()));
    };
    list->Items().SetCount(100000);
    EXPECT_THROW(list->Items().Add(), std::logic_error);
    ShowAll();
    list->SetFocus();
    ProcessMessages();
    asked = 0;
    list->Repaint();
    EXPECT_GT(asked, 0);
    EXPECT_LE(asked, list->VisibleRowCount() + 2);
    Key(ui::VK_END);
    EXPECT_EQ(list->ItemIndex(), 99999);
    EXPECT_EQ(list->Selected()->Caption(), "Row 99999");
    EXPECT_EQ(list->ScrollRange(SB_VERT).Pos, 100000 - list->VisibleRowCount());
    list->AlphaSort();  // nothing to sort: the owner holds the data
    EXPECT_EQ(list->Items().Item(0)->Caption(), "Row 0");
    list->Items().SetCount(10);
    EXPECT_EQ(list->ItemIndex(), -1) << "the selected item went with the shrink";
}

TEST_F(ListViewTest, DraggingAHeaderDividerResizesTheColumn) {
    MakeReport(3);
    THeaderControl* header = list->Header();
    EXPECT_EQ(header->Width(), list->ClientWidth());
    const int y = header->Height() / 2;
    Session().Drag(header->ClientToScreen({120, y}), header->ClientToScreen({160, y}));
    ProcessMessages();
    EXPECT_EQ(list->Columns().Items(0).Width, 160);
    EXPECT_EQ(list->ItemRect(0).Right, 320);
    EXPECT_EQ(list->ScrollRange(SB_HORZ).Max, 320);
    // Hiding the column titles gives their room to the rows.
    list->SetShowColumnHeaders(false);
    EXPECT_FALSE(header->Visible());
    EXPECT_EQ(list->ItemRect(0).Top, 0);
}

TEST_F(ListViewTest, SelectedRowsAreHighlightedAndFocusMovesOnPaint) {
    MakeReport(5);
    list->SetRowSelect(true);
    list->SetItemIndex(1);
    list->Repaint();
    ProcessMessages();
    const TRect r = list->ItemRect(1);
    EXPECT_EQ(Pixel(list, 250, r.Top + 3), gfx::ColorToRGB(gfx::clHighlight));
    EXPECT_EQ(Pixel(list, 250, list->ItemRect(2).Top + 3), gfx::ColorToRGB(gfx::clWindow));
    // Without RowSelect only the caption is marked.
    list->SetRowSelect(false);
    list->Repaint();
    ProcessMessages();
    EXPECT_EQ(Pixel(list, 250, r.Top + 3), gfx::ColorToRGB(gfx::clWindow));
    EXPECT_EQ(Pixel(list, 8, r.Top + 3), gfx::ColorToRGB(gfx::clHighlight));
}

TEST_F(ListViewTest, AFormResourceCarriesColumnsItemsAndStyle) {
    TForm* f = ShowForm(
        "object F: TForm\n"
        "  object Files: TListView\n"
        "    Width = 300\n"
        "    Height = 150\n"
        "    ViewStyle = vsReport\n"
        "    MultiSelect = True\n"
        "    Columns.Items = (\n"
        "      'Name|140|0'\n"
        "      'Size|60|1')\n"
        "    Items.Items = (\n"
        "      'a.txt|12'\n"
        "      'b.txt|3')\n"
        "  end\n"
        "end\n");
    auto* l = dynamic_cast<TListView*>(f->FindComponent("Files"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->ViewStyle(), vsReport);
    EXPECT_TRUE(l->MultiSelect());
    ASSERT_EQ(l->Columns().Count(), 2);
    EXPECT_EQ(l->Columns().Items(1).Alignment, taRightJustify);
    EXPECT_EQ(l->Header()->Sections().Count(), 2);
    EXPECT_EQ(l->Items().Item(1)->ColumnText(1), "3");
    const std::string text = WriteComponentResource(*f);
    EXPECT_NE(text.find("'Size|60|1'"), std::string::npos);
    EXPECT_NE(text.find("'a.txt|12'"), std::string::npos);
    EXPECT_EQ(text.find("THeaderControl"), std::string::npos) << "the column header is the list's own";
}

}  // namespace
}  // namespace viewstest
