// The tab control: tab geometry on four sides with the display area, hit tests without the right
// and bottom edges, rows with the selected row next to the display area, justified and ragged
// rows, rows on the opposite side, the scroll arrows of a single row, hot tracking, owner
// drawing, and selection by mouse, keys and accelerators with OnChanging able to refuse.

#include "FormsTestSupport.h"
#include "platform/gfx/Bitmap.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/TabControl.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using namespace platform::ui;

const char* kTabsForm = R"(object TabsForm: TForm
  Left = 0
  Top = 0
  ClientWidth = 500
  ClientHeight = 400
  object Before: TTestEdit
    Left = 400
    Top = 8
    TabOrder = 0
  end
  object Tabs: TTabControl
    Left = 10
    Top = 10
    Width = 300
    Height = 200
    TabOrder = 1
    TabWidth = 60
    TabHeight = 20
    Tabs = (
      '&Alpha'
      '&Beta'
      'Gamma'
      '&Delta')
  end
end
)";

class TabControlTest : public FormsFixture {
protected:
    void SetUp() override {
        FormsFixture::SetUp();
        form = ShowForm(kTabsForm);
        tabs = dynamic_cast<TTabControl*>(form->FindComponent("Tabs"));
        ASSERT_NE(tabs, nullptr);
        tabs->OnChange = [this](TComponent*) { events.push_back("change " + std::to_string(tabs->TabIndex())); };
        tabs->OnChanging = [this](TComponent*, bool& allow) {
            events.push_back("changing " + std::to_string(tabs->TabIndex()));
            allow = allowChange;
        };
    }
    void ClickTab(int index) {
        const TRect r = tabs->TabRect(index);
        Session().Click(At(tabs, r.Left + 5, r.Top + 5));
        ProcessMessages();
    }
    void SetTabCount(int n) {
        std::vector<std::string> names;
        for (int i = 0; i < n; ++i) names.push_back("T" + std::to_string(i));
        tabs->SetTabs(names);
    }

    // With VK_FORMS_SHOTS set to a folder, keeps a picture of the screen for a human to look at.
    void Shot(const std::string& name) {
        const char* dir = std::getenv("VK_FORMS_SHOTS");
        if (!dir || !*dir) return;
        ProcessMessages();
        platform::gfx::SavePng(Session().Screenshot(), std::string(dir) + "/" + name + ".png");
    }

    TForm* form = nullptr;
    TTabControl* tabs = nullptr;
    std::vector<std::string> events;
    bool allowChange = true;
};

TEST_F(TabControlTest, TabsAndDisplayAreaOnEachSide) {
    // 300 x 200, one row of 20-pixel tabs, 60 wide.
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(tabs->TabRect(0), (TRect{2, 2, 62, 22}));
    EXPECT_EQ(tabs->TabRect(3), (TRect{182, 2, 242, 22}));
    EXPECT_EQ(tabs->DisplayRect(), (TRect{4, 26, 296, 196}));

    tabs->SetTabPosition(tpBottom);
    EXPECT_EQ(tabs->TabRect(1), (TRect{62, 178, 122, 198}));
    EXPECT_EQ(tabs->DisplayRect(), (TRect{4, 6, 296, 176}));

    // Side tabs run down the control: 300 high, so that the four tabs make one row.
    tabs->SetBounds(10, 10, 300, 300);
    tabs->SetTabPosition(tpLeft);
    EXPECT_TRUE(tabs->MultiLine());
    EXPECT_EQ(tabs->RowCount(), 1);
    EXPECT_EQ(tabs->TabRect(1), (TRect{2, 62, 22, 122}));
    EXPECT_EQ(tabs->DisplayRect(), (TRect{24, 6, 296, 296}));

    tabs->SetTabPosition(tpRight);
    EXPECT_EQ(tabs->TabRect(2), (TRect{278, 122, 298, 182}));
    EXPECT_EQ(tabs->DisplayRect(), (TRect{4, 6, 276, 296}));
    // Side tabs stay in rows.
    tabs->SetMultiLine(false);
    EXPECT_TRUE(tabs->MultiLine());
}

TEST_F(TabControlTest, HitTestExcludesRightAndBottomEdges) {
    EXPECT_EQ(tabs->IndexOfTabAt(2, 2), 0);
    EXPECT_EQ(tabs->IndexOfTabAt(61, 21), 0);
    EXPECT_EQ(tabs->IndexOfTabAt(62, 10), 1);
    EXPECT_EQ(tabs->IndexOfTabAt(10, 22), -1);
    EXPECT_EQ(tabs->IndexOfTabAt(1, 10), -1);
    EXPECT_EQ(tabs->IndexOfTabAt(250, 10), -1);
    tabs->SetBounds(10, 10, 300, 300);
    tabs->SetTabPosition(tpLeft);
    EXPECT_EQ(tabs->IndexOfTabAt(21, 61), 0);
    EXPECT_EQ(tabs->IndexOfTabAt(22, 61), -1);
    EXPECT_EQ(tabs->IndexOfTabAt(21, 62), 1);
}

TEST_F(TabControlTest, RowsMoveTheSelectedRowNextToThePage) {
    tabs->SetBounds(10, 10, 200, 200);  // 196 pixels of strip: three 60-pixel tabs a row
    tabs->SetMultiLine(true);
    SetTabCount(7);
    ASSERT_EQ(tabs->RowCount(), 3);
    EXPECT_EQ(tabs->RowOfTab(0), 0);
    EXPECT_EQ(tabs->RowOfTab(3), 1);
    EXPECT_EQ(tabs->RowOfTab(6), 2);
    // The row next to the page is the lowest of the strip.
    EXPECT_EQ(tabs->TabRect(0).Top, 42);
    EXPECT_EQ(tabs->TabRect(6).Top, 2);
    EXPECT_EQ(tabs->DisplayRect().Top, 66);
    // Fixed-width tabs are not stretched.
    EXPECT_EQ(tabs->TabRect(1), (TRect{62, 42, 122, 62}));

    tabs->SetTabIndex(4);
    EXPECT_EQ(tabs->RowOfTab(4), 0);
    EXPECT_EQ(tabs->RowOfTab(6), 1);
    EXPECT_EQ(tabs->RowOfTab(0), 2);
    EXPECT_EQ(tabs->TabRect(4).Top, 42);
    EXPECT_EQ(tabs->TabRect(0).Top, 2);

    // With ScrollOpposite the rows before the selected one go below the page instead.
    tabs->SetScrollOpposite(true);
    EXPECT_EQ(tabs->RowCount(), 2);
    EXPECT_EQ(tabs->OppositeRowCount(), 1);
    EXPECT_EQ(tabs->TabRect(4).Top, 22);
    EXPECT_EQ(tabs->TabRect(0), (TRect{2, 178, 62, 198}));
    EXPECT_EQ(tabs->DisplayRect(), (TRect{4, 46, 196, 176}));
}

TEST_F(TabControlTest, RowsAreJustifiedUnlessRaggedRight) {
    tabs->SetTabWidth(0);
    tabs->SetBounds(10, 10, 200, 200);
    tabs->SetMultiLine(true);
    tabs->SetTabs({"aaaaaaaaaa", "bbbbbbbbbb", "cccccccccc", "dddddddddd", "e"});
    ASSERT_GT(tabs->RowCount(), 1);
    // Every row of several fills the strip (2 .. 198).
    for (int i = 0; i < tabs->TabCount(); ++i) {
        const int row = tabs->RowOfTab(i);
        int last = i;
        while (last + 1 < tabs->TabCount() && tabs->RowOfTab(last + 1) == row) ++last;
        if (i == 0 || tabs->RowOfTab(i - 1) != row) {
            EXPECT_EQ(tabs->TabRect(i).Left, 2) << i;
        }
        if (last == i) {
            EXPECT_EQ(tabs->TabRect(i).Right, 198) << i;
        }
    }
    tabs->SetRaggedRight(true);
    const int row = tabs->RowOfTab(4);
    EXPECT_LT(tabs->TabRect(4).Right, 198);
    EXPECT_EQ(tabs->RowOfTab(4), row);
}

TEST_F(TabControlTest, ScrollArrowsMoveASingleRowAndGoWithMultiLine) {
    SetTabCount(8);  // 480 pixels of tabs in 300
    ProcessMessages();
    TTabScrollArrows* arrows = tabs->ScrollArrows();
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->Left() + arrows->Width(), 298);
    EXPECT_EQ(tabs->FirstVisibleTab(), 0);

    tabs->Perform(WM_HSCROLL, SB_THUMBPOSITION | (2 << 16), 0);
    EXPECT_EQ(tabs->FirstVisibleTab(), 2);
    EXPECT_EQ(tabs->TabRect(2).Left, 2);
    EXPECT_EQ(tabs->TabRect(1).Right, 2);
    EXPECT_EQ(tabs->IndexOfTabAt(5, 5), 2);

    // The right-hand arrow scrolls one tab on.
    ProcessMessages();
    Session().Click(At(arrows, arrows->Width() - 3, 3));
    ProcessMessages();
    EXPECT_EQ(tabs->FirstVisibleTab(), 3);
    Session().Click(At(arrows, 2, 3));
    ProcessMessages();
    EXPECT_EQ(tabs->FirstVisibleTab(), 2);

    // Selecting a tab scrolled out brings it into view.
    tabs->SetTabIndex(1);
    EXPECT_EQ(tabs->FirstVisibleTab(), 1);
    tabs->SetTabIndex(7);
    EXPECT_GE(tabs->TabRect(7).Left, 2);
    EXPECT_LE(tabs->TabRect(7).Right, arrows->Left());

    tabs->SetMultiLine(true);
    EXPECT_EQ(tabs->ScrollArrows(), nullptr);
    EXPECT_EQ(tabs->RowCount(), 2);
}

TEST_F(TabControlTest, ClicksChangeTheTabUnlessOnChangingRefuses) {
    ClickTab(2);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "change 2"}));
    EXPECT_TRUE(tabs->Focused());

    events.clear();
    allowChange = false;
    ClickTab(1);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"changing 2"}));

    // A click on the selected tab or beside the tabs asks nothing.
    events.clear();
    allowChange = true;
    ClickTab(2);
    Session().Click(At(tabs, 280, 10));
    ProcessMessages();
    EXPECT_TRUE(events.empty());
    // Setting TabIndex from code fires nothing.
    tabs->SetTabIndex(3);
    EXPECT_TRUE(events.empty());
    tabs->SetTabIndex(9);
    EXPECT_EQ(tabs->TabIndex(), 3);
}

TEST_F(TabControlTest, KeyboardChangesTabs) {
    tabs->SetFocus();
    ProcessMessages();
    PressWith(VK_CONTROL, VK_TAB);
    EXPECT_EQ(tabs->TabIndex(), 1);
    Session().KeyDown(VK_CONTROL);
    PressWith(VK_SHIFT, VK_TAB);
    Session().KeyUp(VK_CONTROL);
    EXPECT_EQ(tabs->TabIndex(), 0);
    Session().KeyDown(VK_CONTROL);
    PressWith(VK_SHIFT, VK_TAB);
    Session().KeyUp(VK_CONTROL);
    EXPECT_EQ(tabs->TabIndex(), 3);  // wraps round
    PressWith(VK_CONTROL, VK_NEXT);
    EXPECT_EQ(tabs->TabIndex(), 0);
    PressWith(VK_CONTROL, VK_PRIOR);
    EXPECT_EQ(tabs->TabIndex(), 3);

    // Arrows on the focused strip stop at the ends and keep the focus.
    Press(VK_RIGHT);
    EXPECT_EQ(tabs->TabIndex(), 3);
    Press(VK_LEFT);
    Press(VK_UP);
    EXPECT_EQ(tabs->TabIndex(), 1);
    Press(VK_DOWN);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_TRUE(tabs->Focused());

    // Plain Tab still moves the focus on.
    Press(VK_TAB);
    EXPECT_FALSE(tabs->Focused());

    // A refused change keeps the tab whatever the key.
    allowChange = false;
    tabs->SetFocus();
    ProcessMessages();
    PressWith(VK_CONTROL, VK_TAB);
    Press(VK_RIGHT);
    EXPECT_EQ(tabs->TabIndex(), 2);
}

TEST_F(TabControlTest, AcceleratorsSelectTheirTab) {
    auto* edit = dynamic_cast<TTestEdit*>(form->FindComponent("Before"));
    ASSERT_NE(edit, nullptr);
    edit->SetFocus();
    ProcessMessages();
    PressWith(VK_MENU, 'D');
    EXPECT_EQ(tabs->TabIndex(), 3);
    EXPECT_TRUE(tabs->Focused());
    // Gamma has no accelerator: Alt+G selects nothing.
    PressWith(VK_MENU, 'G');
    EXPECT_EQ(tabs->TabIndex(), 3);
    PressWith(VK_MENU, 'B');
    EXPECT_EQ(tabs->TabIndex(), 1);
}

TEST_F(TabControlTest, HotTrackingFollowsThePointer) {
    tabs->SetHotTrack(true);
    const TPoint overTab1 = At(tabs, 70, 10);
    Session().MouseMove(overTab1);
    ProcessMessages();
    EXPECT_EQ(tabs->HotTabIndex(), 1);
    // The right edge of tab 1 belongs to tab 2.
    Session().MouseMove(At(tabs, 122, 10));
    ProcessMessages();
    EXPECT_EQ(tabs->HotTabIndex(), 2);
    Session().MouseMove(At(tabs, 100, 100));
    ProcessMessages();
    EXPECT_EQ(tabs->HotTabIndex(), -1);
    Session().MouseMove(overTab1);
    Session().MouseMove({490, 390});
    ProcessMessages();
    EXPECT_EQ(tabs->HotTabIndex(), -1);
}

TEST_F(TabControlTest, OwnerDrawGetsEveryShownTabOnce) {
    std::vector<std::string> drawn;
    tabs->OnDrawTab = [&](TCustomTabControl*, int index, const TRect& rect, bool active) {
        drawn.push_back(std::to_string(index) + (active ? "*" : "") + "@" + std::to_string(rect.Left));
    };
    tabs->SetOwnerDraw(true);
    ProcessMessages();
    drawn.clear();
    tabs->Repaint();
    EXPECT_EQ(drawn, (std::vector<std::string>{"1@62", "2@122", "3@182", "0*@2"}));
}

TEST_F(TabControlTest, PlainLookFramesThePageAndRaisesTheSelectedTab) {
    using namespace platform::gfx;
    ProcessMessages();
    auto pixel = [&](int x, int y) {
        const TPoint p = At(tabs, x, y);
        return Session().ScreenPixel(p.X, p.Y);
    };
    // The frame's top line runs under the other tabs but not under the selected one.
    EXPECT_EQ(pixel(90, 22), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(pixel(30, 22), ColorToRGB(clBtnFace));
    // The selected tab reaches the strip's top, the others start 2 pixels lower.
    EXPECT_EQ(pixel(30, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(pixel(90, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(90, 4), ColorToRGB(clBtnHighlight));
    Shot("plain_top");
    tabs->SetBounds(10, 10, 300, 300);
    tabs->SetTabPosition(tpLeft);
    tabs->SetTabIndex(2);
    ProcessMessages();
    // The selected side tab opens into the page too: no frame line beside it.
    const TRect r = tabs->TabRect(2);
    EXPECT_EQ(pixel(r.Right, r.Top + 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(r.Right, tabs->TabRect(1).Top + 10), ColorToRGB(clBtnHighlight));
    Shot("plain_left");
}

TEST_F(TabControlTest, PublishedPropertiesSurviveAResource) {
    tabs->SetTabPosition(tpBottom);
    tabs->SetRaggedRight(true);
    tabs->SetScrollOpposite(true);
    tabs->SetMultiLine(true);
    tabs->SetHotTrack(true);
    tabs->SetOwnerDraw(true);
    tabs->SetStyle(tsButtons);
    tabs->SetTabIndex(2);
    const std::string text = WriteComponentResource(*form);
    EXPECT_NE(text.find("TabPosition = tpBottom"), std::string::npos) << text;

    auto copy = std::make_unique<TForm>(nullptr);
    TFormReadOptions options;
    options.IgnoreMissingHandlers = true;
    ReadComponentResource(*copy, text, options);
    auto* t = dynamic_cast<TTabControl*>(copy->FindComponent("Tabs"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Tabs(), tabs->Tabs());
    EXPECT_EQ(t->TabIndex(), 2);
    EXPECT_EQ(t->TabPosition(), tpBottom);
    EXPECT_TRUE(t->MultiLine());
    EXPECT_TRUE(t->RaggedRight());
    EXPECT_TRUE(t->ScrollOpposite());
    EXPECT_TRUE(t->HotTrack());
    EXPECT_TRUE(t->OwnerDraw());
    EXPECT_EQ(t->Style(), tsButtons);
    EXPECT_EQ(t->TabWidth(), 60);
    EXPECT_EQ(t->TabHeight(), 20);
    const std::string again = WriteComponentResource(*copy);
    EXPECT_EQ(again.substr(again.find("object Tabs:")), text.substr(text.find("object Tabs:")));
}

}  // namespace
}  // namespace formstest
