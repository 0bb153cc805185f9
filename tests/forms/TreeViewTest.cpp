// The tree view: the node tree's bookkeeping, expanding and collapsing with refusals, keyboard
// navigation with + - * and the arrows, incremental search, mouse on buttons and labels, scroll
// ranges, lazy rows of a large tree, painting, and form resources.

#include "ViewsTestSupport.h"
#include "platform/forms/TreeView.h"

namespace viewstest {
namespace {

class TreeViewTest : public ViewsFixture {
protected:
    // Fruit (Apple, Banana (Baby, Big)), Vegetables (Bean, Carrot), Grain
    TTreeView* MakeTree(int height = 170) {
        tree = Make<TTreeView>(10, 10, 200, height);
        auto& n = tree->Items();
        fruit = n.Add(nullptr, "Fruit");
        apple = n.AddChild(fruit, "Apple");
        banana = n.AddChild(fruit, "Banana");
        baby = n.AddChild(banana, "Baby");
        big = n.AddChild(banana, "Big");
        veg = n.Add(fruit, "Vegetables");
        bean = n.AddChild(veg, "Bean");
        carrot = n.AddChild(veg, "Carrot");
        grain = n.Add(nullptr, "Grain");
        tree->OnChange = [this](TComponent*, TTreeNode* node) { events.push_back("change " + Name(node)); };
        tree->OnExpanded = [this](TComponent*, TTreeNode* node) { events.push_back("expanded " + Name(node)); };
        tree->OnCollapsed = [this](TComponent*, TTreeNode* node) { events.push_back("collapsed " + Name(node)); };
        ShowAll();
        tree->SetFocus();
        ProcessMessages();
        return tree;
    }
    static std::string Name(const TTreeNode* node) { return node ? node->Text() : "nil"; }
    std::string SelectedName() const { return Name(tree->Selected()); }
    TPoint RowPoint(TTreeNode* node, int dx = 0) {
        const TRect r = node->DisplayRect(true);
        return {r.Left + 4 + dx, r.Top + r.Height() / 2};
    }
    TPoint ButtonPoint(TTreeNode* node) {
        const int column = node->Level() + 1;
        const TRect r = node->DisplayRect(false);
        return {(column - 1) * tree->Indent() + tree->Indent() / 2, r.Top + r.Height() / 2};
    }

    TTreeView* tree = nullptr;
    TTreeNode *fruit = nullptr, *apple = nullptr, *banana = nullptr, *baby = nullptr, *big = nullptr, *veg = nullptr,
              *bean = nullptr, *carrot = nullptr, *grain = nullptr;
};

TEST_F(TreeViewTest, NodesKeepTheirOrderLevelsAndCounts) {
    MakeTree();
    auto& n = tree->Items();
    EXPECT_EQ(n.Count(), 9);
    EXPECT_EQ(n.RootCount(), 3);
    EXPECT_EQ(big->Level(), 2);
    EXPECT_EQ(big->Parent(), banana);
    EXPECT_EQ(fruit->Parent(), nullptr);
    EXPECT_EQ(veg->Index(), 1);
    EXPECT_EQ(n.Item(5), veg);
    EXPECT_EQ(n.Item(9), nullptr);
    EXPECT_EQ(carrot->AbsoluteIndex(), 7);
    EXPECT_EQ(veg->GetPrev(), big);
    EXPECT_EQ(bean->GetPrev(), veg);
    EXPECT_EQ(big->GetNext(), veg);
    EXPECT_TRUE(big->HasAsParent(fruit));
    EXPECT_FALSE(fruit->HasAsParent(big));

    // Inserting before a node and as first child renumbers the siblings.
    TTreeNode* cherry = n.Insert(banana, "Cherry");
    TTreeNode* apricot = n.AddChildFirst(fruit, "Apricot");
    EXPECT_EQ(apricot->Index(), 0);
    EXPECT_EQ(cherry->Index(), 2);
    EXPECT_EQ(banana->Index(), 3);
    EXPECT_EQ(banana->GetPrevSibling(), cherry);
    EXPECT_EQ(n.Count(), 11);

    // Deleting a branch removes all of it; a selected node inside it hands the selection on.
    tree->SetSelected(big);
    events.clear();
    banana->Delete();
    EXPECT_EQ(n.Count(), 8);
    EXPECT_EQ(fruit->Count(), 3);
    EXPECT_EQ(SelectedName(), "Cherry") << "no next sibling: the previous one";
    EXPECT_EQ(events, (std::vector<std::string>{"change Cherry"}));
    n.Clear();
    EXPECT_EQ(n.Count(), 0);
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(tree->RowCount(), 0);
}

TEST_F(TreeViewTest, TheTreeAsLinesRoundTripsAndForgivesBadIndentation) {
    MakeTree();
    big->SetImageIndex(3);
    big->SetSelectedIndex(4);
    const auto lines = tree->Items().SaveToLines();
    EXPECT_EQ(lines[4], "\t\tBig|3|4|-1");
    auto* copy = Make<TTreeView>(220, 10, 100, 100);
    copy->Items().LoadFromLines(lines);
    EXPECT_EQ(copy->Items().SaveToLines(), lines);
    EXPECT_EQ(copy->Items().Item(4)->ImageIndex(), 3);

    // A line indented more than one level deeper hangs under the line before; a text with
    // bars that are not three numbers keeps them.
    copy->Items().LoadFromLines({"Root", "\t\t\tDeep", "\tA|b|c", "Two|1|x|3"});
    ASSERT_EQ(copy->Items().Count(), 4);
    EXPECT_EQ(copy->Items().Item(1)->Level(), 1);
    EXPECT_EQ(copy->Items().Item(2)->Text(), "A|b|c");
    EXPECT_EQ(copy->Items().Item(2)->Level(), 1);
    EXPECT_EQ(copy->Items().Item(3)->Text(), "Two|1|x|3");
    EXPECT_EQ(copy->Items().Item(3)->ImageIndex(), -1);
}

TEST_F(TreeViewTest, ExpandingAndCollapsingCanBeRefusedAndFillBranchesLazily) {
    MakeTree();
    bool refuse = true;
    tree->OnExpanding = [&](TComponent*, TTreeNode* node, bool& allow) {
        allow = !refuse;
        // A promised branch gets its children when it first opens.
        if (!refuse && node == grain && grain->Count() == 0) {
            tree->Items().AddChild(grain, "Oat");
            tree->Items().AddChild(grain, "Rye");
        }
    };
    fruit->Expand(false);
    EXPECT_FALSE(fruit->Expanded());
    EXPECT_EQ(tree->RowCount(), 3);
    refuse = false;
    fruit->Expand(false);
    EXPECT_TRUE(fruit->Expanded());
    EXPECT_EQ(tree->RowCount(), 5);
    EXPECT_FALSE(banana->Expanded()) << "not recursive";

    // A leaf has nothing to open; one promised with HasChildren asks OnExpanding.
    apple->Expand(false);
    EXPECT_FALSE(apple->Expanded());
    grain->SetHasChildren(true);
    grain->Expand(false);
    EXPECT_EQ(grain->Count(), 2);
    EXPECT_EQ(tree->RowCount(), 7);

    // Collapsing a branch with the selection inside moves the selection to it; when the
    // change is refused the branch stays open.
    banana->Expand(false);
    tree->SetSelected(big);
    bool allowChange = false;
    tree->OnChanging = [&](TComponent*, TTreeNode*, bool& allow) { allow = allowChange; };
    fruit->Collapse(false);
    EXPECT_TRUE(fruit->Expanded());
    EXPECT_EQ(SelectedName(), "Big");
    allowChange = true;
    fruit->Collapse(false);
    EXPECT_FALSE(fruit->Expanded());
    EXPECT_EQ(SelectedName(), "Fruit");

    // OnCollapsing may refuse as well.
    tree->OnCollapsing = [](TComponent*, TTreeNode*, bool& allow) { allow = false; };
    grain->Collapse(false);
    EXPECT_TRUE(grain->Expanded());
}

TEST_F(TreeViewTest, ArrowsPlusMinusAndStarNavigateTheTree) {
    MakeTree();
    Key(ui::VK_DOWN);
    EXPECT_EQ(SelectedName(), "Fruit") << "the first key selects the first row";
    Key(ui::VK_RIGHT);
    EXPECT_TRUE(fruit->Expanded());
    EXPECT_EQ(SelectedName(), "Fruit");
    Key(ui::VK_RIGHT);
    EXPECT_EQ(SelectedName(), "Apple");
    Key(ui::VK_DOWN);
    Key(ui::VK_ADD);
    EXPECT_TRUE(banana->Expanded());
    Key(ui::VK_DOWN);
    EXPECT_EQ(SelectedName(), "Baby");
    Key(ui::VK_LEFT);
    EXPECT_EQ(SelectedName(), "Banana") << "a leaf moves to its parent";
    Key(ui::VK_LEFT);
    EXPECT_FALSE(banana->Expanded()) << "an open node closes first";
    Key(ui::VK_SUBTRACT);
    EXPECT_EQ(SelectedName(), "Banana") << "minus on a closed node changes nothing";
    Key(ui::VK_END);
    EXPECT_EQ(SelectedName(), "Grain");
    Key(ui::VK_HOME);
    EXPECT_EQ(SelectedName(), "Fruit");
    Key(ui::VK_SUBTRACT);
    EXPECT_FALSE(fruit->Expanded());
    Key(ui::VK_MULTIPLY);
    EXPECT_TRUE(fruit->Expanded());
    EXPECT_TRUE(banana->Expanded());
    EXPECT_FALSE(veg->Expanded()) << "star opens the selected branch only";
    EXPECT_EQ(tree->RowCount(), 7);
    Key(ui::VK_UP);
    EXPECT_EQ(SelectedName(), "Fruit") << "Up stops at the first row";

    // A refused change keeps the selection where it is.
    tree->OnChanging = [](TComponent*, TTreeNode*, bool& allow) { allow = false; };
    Key(ui::VK_DOWN);
    EXPECT_EQ(SelectedName(), "Fruit");
}

TEST_F(TreeViewTest, TypingSearchesTheVisibleRowsAndTheSearchRestartsAfterAPause) {
    MakeTree();
    fruit->Expand(false);
    Session().TypeText("b");
    ProcessMessages();
    EXPECT_EQ(SelectedName(), "Banana");
    Session().TypeText("a");
    ProcessMessages();
    EXPECT_EQ(SelectedName(), "Banana") << "\"ba\" still matches the selected node";
    Advance(1100);
    Session().TypeText("g");
    ProcessMessages();
    EXPECT_EQ(SelectedName(), "Grain");
    Advance(1100);
    // The same letter again cycles; collapsed branches are not searched.
    Session().TypeText("b");
    ProcessMessages();
    EXPECT_EQ(SelectedName(), "Banana");
    Session().TypeText("b");
    ProcessMessages();
    EXPECT_EQ(SelectedName(), "Banana") << "Baby, Big and Bean are hidden";
    veg->Expand(false);
    Session().TypeText("b");
    ProcessMessages();
    EXPECT_EQ(SelectedName(), "Bean");
    Advance(1100);
    Session().TypeText("x");
    ProcessMessages();
    EXPECT_EQ(SelectedName(), "Bean") << "no match keeps the selection";
}

TEST_F(TreeViewTest, TheMouseOpensOnButtonsSelectsOnLabelsAndTogglesOnDoubleClick) {
    MakeTree();
    EXPECT_EQ(tree->GetHitTestInfoAt(ButtonPoint(fruit).X, ButtonPoint(fruit).Y), htOnButton);
    EXPECT_EQ(tree->GetHitTestInfoAt(RowPoint(fruit).X, RowPoint(fruit).Y), htOnItem | htOnLabel);
    EXPECT_EQ(tree->GetHitTestInfoAt(190, RowPoint(fruit).Y), htOnRight);
    EXPECT_EQ(tree->GetHitTestInfoAt(5, 160), htNowhere);
    EXPECT_EQ(tree->GetHitTestInfoAt(5, -1), htAbove);

    ClickAt(tree, ButtonPoint(fruit).X, ButtonPoint(fruit).Y);
    EXPECT_TRUE(fruit->Expanded());
    EXPECT_EQ(tree->Selected(), nullptr) << "a button click does not select";
    EXPECT_EQ(tree->GetHitTestInfoAt(ButtonPoint(apple).X, ButtonPoint(apple).Y), htOnIndent) << "a leaf has no button";
    ClickAt(tree, RowPoint(banana).X, RowPoint(banana).Y);
    EXPECT_EQ(SelectedName(), "Banana");
    EXPECT_FALSE(banana->Expanded());
    Advance(1000);
    const TPoint p = RowPoint(veg);
    Session().DoubleClick(tree->ClientToScreen(p));
    ProcessMessages();
    EXPECT_EQ(SelectedName(), "Vegetables");
    EXPECT_TRUE(veg->Expanded());
    // Below the last row nothing changes.
    Advance(1000);
    ClickAt(tree, 50, 165);
    EXPECT_EQ(SelectedName(), "Vegetables");
}

TEST_F(TreeViewTest, ScrollRangesFollowTheRowsAndTheWidestLabel) {
    auto* t = Make<TTreeView>(10, 10, 120, 170);
    for (int i = 0; i < 30; ++i) t->Items().Add(nullptr, "Node " + std::to_string(i));
    ShowAll();
    EXPECT_EQ(t->VisibleCount(), 170 / t->ItemHeight());
    const int page = t->VisibleCount();
    EXPECT_EQ(t->ScrollRange(SB_VERT), (TScrollRange{0, 29, page, 0}));
    t->Perform(ui::WM_VSCROLL, ui::MakeWParam(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(t->TopItem()->Text(), "Node " + std::to_string(page));
    t->Perform(ui::WM_VSCROLL, ui::MakeWParam(SB_BOTTOM, 0), 0);
    EXPECT_EQ(t->ScrollRange(SB_VERT).Pos, 30 - page);
    t->SetTopItem(t->Items().Item(3));
    EXPECT_EQ(t->TopItem()->Text(), "Node 3");
    // Selecting a row below the window scrolls it into view at the bottom.
    t->SetSelected(t->Items().Item(25));
    EXPECT_EQ(t->ScrollRange(SB_VERT).Pos, 25 - page + 1);
    // The horizontal range is the widest row; it only scrolls as far as it is wider.
    TScrollRange h = t->ScrollRange(SB_HORZ);
    EXPECT_EQ(h.Page, 120);
    EXPECT_LT(h.Max, 120);
    t->Items().Item(25)->SetText(std::string(60, 'W'));
    h = t->ScrollRange(SB_HORZ);
    EXPECT_GT(h.Max, 300);
    t->Perform(ui::WM_HSCROLL, ui::MakeWParam(SB_RIGHT, 0), 0);
    EXPECT_EQ(t->ScrollRange(SB_HORZ).Pos, h.Max - 120);
    // Rows that all fit leave nothing to scroll.
    t->Items().Clear();
    t->Items().Add(nullptr, "one");
    EXPECT_EQ(t->ScrollRange(SB_VERT), (TScrollRange{0, 0, page, 0}));
    EXPECT_EQ(t->ScrollRange(SB_HORZ).Pos, 0);
}

TEST_F(TreeViewTest, AHundredThousandNodesPaintOnlyTheRowsInTheWindow) {
    auto* t = Make<TTreeView>(10, 10, 200, 170);
    t->Items().BeginUpdate();
    TTreeNode* parent = nullptr;
    for (int i = 0; i < 100000; ++i) {
        if (i % 100 == 0) parent = t->Items().Add(nullptr, "Folder " + std::to_string(i / 100));
        else t->Items().AddChild(parent, "File " + std::to_string(i));
    }
    t->Items().EndUpdate();
    ShowAll();
    t->FullExpand();
    EXPECT_EQ(t->RowCount(), 100000);
    TTreeNode* last = t->Items().GetFirstNode();
    while (last->GetNextSibling()) last = last->GetNextSibling();
    last = last->GetLastChild();
    t->SetSelected(last);
    EXPECT_EQ(t->ScrollRange(SB_VERT).Pos, 100000 - t->VisibleCount());
    int drawn = 0;
    t->OnCustomDrawItem = [&](TComponent*, TTreeNode*, const TRect&, TOwnerDrawState, bool&) { ++drawn; };
    t->Repaint();
    EXPECT_GT(drawn, 0);
    EXPECT_LE(drawn, t->VisibleCount() + 1);
    EXPECT_EQ(last->DisplayRect(false).Top, (t->VisibleCount() - 1) * t->ItemHeight());
    TTreeNode* folder = last->Parent();
    t->FullCollapse();
    EXPECT_EQ(t->RowCount(), 1000);
    EXPECT_EQ(t->Selected(), folder) << "the selection leaves the collapsed branch";
}

TEST_F(TreeViewTest, TheSelectedLabelIsHighlightedAndButtonsAreDrawn) {
    MakeTree();
    tree->SetSelected(veg);
    tree->Repaint();
    ProcessMessages();
    const TRect label = veg->DisplayRect(true);
    EXPECT_EQ(Pixel(tree, label.Right - 2, label.Top + 2), gfx::ColorToRGB(gfx::clHighlight));
    EXPECT_EQ(Pixel(tree, label.Right + 10, label.Top + 2), gfx::ColorToRGB(gfx::clWindow));
    // The closed button of Vegetables shows a plus: its vertical stroke is dark.
    const TPoint b = ButtonPoint(veg);
    EXPECT_EQ(Pixel(tree, b.X, b.Y - 2), gfx::clBlack);
    fruit->Expand(false);
    tree->Repaint();
    ProcessMessages();
    const TPoint open = ButtonPoint(fruit);
    EXPECT_NE(Pixel(tree, open.X, open.Y - 2), gfx::clBlack) << "an open button shows a minus";
    EXPECT_EQ(Pixel(tree, open.X - 2, open.Y), gfx::clBlack);
    // Without the focus the selection is hidden.
    tree->SetHideSelection(true);
    auto* other = Make<TTreeView>(250, 10, 100, 100);
    other->SetFocus();
    ProcessMessages();
    const TRect moved = veg->DisplayRect(true);
    EXPECT_EQ(Pixel(tree, moved.Right - 2, moved.Top + 2), gfx::ColorToRGB(gfx::clWindow));
}

TEST_F(TreeViewTest, AFormResourceCarriesTheNodesAndOptions) {
    TForm* f = ShowForm(
        "object F: TForm\n"
        "  object Tree: TTreeView\n"
        "    Left = 4\n"
        "    Width = 150\n"
        "    Height = 120\n"
        "    ShowLines = False\n"
        "    Indent = 12\n"
        "    Items.Nodes = (\n"
        "      'Root'\n"
        "      #9'Child|1|2|-1'\n"
        "      'Other')\n"
        "  end\n"
        "end\n");
    auto* t = dynamic_cast<TTreeView*>(f->FindComponent("Tree"));
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(t->ShowLines());
    EXPECT_EQ(t->Indent(), 12);
    ASSERT_EQ(t->Items().Count(), 3);
    EXPECT_EQ(t->Items().Item(1)->Parent(), t->Items().Item(0));
    EXPECT_EQ(t->Items().Item(1)->SelectedIndex(), 2);
    const std::string text = WriteComponentResource(*f);
    EXPECT_NE(text.find("Items.Nodes"), std::string::npos);
    EXPECT_NE(text.find("Indent = 12"), std::string::npos);
    EXPECT_EQ(text.find("ShowButtons"), std::string::npos) << "defaults are not written";
}

}  // namespace
}  // namespace viewstest
