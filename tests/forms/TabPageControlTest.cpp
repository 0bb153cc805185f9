// The page control: sheets and their tabs (hidden sheets have none), the active sheet alone shown
// in the display area, page changes from clicks and keys asking OnChanging, sheets leaving and
// moving, pictures on tabs, and the resource round trip of the sheets.

#include "FormsTestSupport.h"
#include "platform/forms/PageControl.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using namespace platform::ui;

const char* kPagesForm = R"(object PagesForm: TForm
  Left = 0
  Top = 0
  ClientWidth = 500
  ClientHeight = 400
  object Pages: TPageControl
    Left = 10
    Top = 10
    Width = 300
    Height = 200
    TabOrder = 0
    TabWidth = 60
    TabHeight = 20
    ActivePage = Sheet2
    object Sheet1: TTabSheet
      Caption = '&One'
      object Edit1: TTestEdit
        Left = 8
        Top = 8
        TabOrder = 0
      end
    end
    object Sheet2: TTabSheet
      Caption = '&Two'
      ImageIndex = 1
    end
    object Hidden: TTabSheet
      Caption = '&Hidden'
      TabVisible = False
    end
    object Sheet4: TTabSheet
      Caption = '&Four'
    end
  end
end
)";

class PageControlTest : public FormsFixture {
protected:
    void SetUp() override {
        FormsFixture::SetUp();
        form = ShowForm(kPagesForm);
        pages = dynamic_cast<TPageControl*>(form->FindComponent("Pages"));
        ASSERT_NE(pages, nullptr);
        for (const char* n : {"Sheet1", "Sheet2", "Hidden", "Sheet4"})
            sheets.push_back(dynamic_cast<TTabSheet*>(form->FindComponent(n)));
        pages->OnChanging = [this](TComponent*, bool& allow) {
            log.push_back("changing " + Active());
            allow = allowChange;
        };
        pages->OnChange = [this](TComponent*) { log.push_back("change " + Active()); };
    }
    std::string Active() const { return pages->ActivePage() ? pages->ActivePage()->Name() : "nil"; }
    void ClickTab(int tab) {
        const TRect r = pages->TabRect(tab);
        Session().Click(At(pages, r.Left + 5, r.Top + 5));
        ProcessMessages();
    }

    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
    std::vector<std::string> log;
    bool allowChange = true;
};

TEST_F(PageControlTest, HiddenSheetsHaveNoTabAndOnlyTheActiveSheetShows) {
    EXPECT_EQ(pages->PageCount(), 4);
    EXPECT_EQ(pages->TabCount(), 3);
    EXPECT_EQ(pages->TabCaption(2), "&Four");
    EXPECT_EQ(sheets[2]->TabIndex(), -1);
    EXPECT_EQ(sheets[3]->TabIndex(), 2);
    EXPECT_EQ(Active(), "Sheet2");
    EXPECT_EQ(pages->TabIndex(), 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(sheets[static_cast<size_t>(i)]->Visible(), i == 1) << i;
    // Every sheet fills the display area.
    EXPECT_EQ(sheets[3]->BoundsRect(), pages->DisplayRect());
    EXPECT_EQ(pages->DisplayRect(), (TRect{4, 26, 296, 196}));

    // A hidden sheet can be shown from code; it still has no tab.
    pages->SetActivePage(sheets[2]);
    EXPECT_EQ(pages->TabIndex(), -1);
    EXPECT_TRUE(sheets[2]->Visible());
    EXPECT_FALSE(sheets[1]->Visible());
    EXPECT_TRUE(log.empty());

    // Showing the tab again puts it in page order.
    sheets[2]->SetTabVisible(true);
    EXPECT_EQ(pages->TabCount(), 4);
    EXPECT_EQ(pages->TabIndex(), 2);
    EXPECT_EQ(pages->TabCaption(3), "&Four");
}

TEST_F(PageControlTest, ClicksAndKeysChangePagesThroughOnChanging) {
    ClickTab(2);
    EXPECT_EQ(Active(), "Sheet4");
    EXPECT_EQ(log, (std::vector<std::string>{"changing Sheet2", "change Sheet4"}));
    // The page under the new tab is the one on screen.
    EXPECT_TRUE(sheets[3]->IsShowing());
    EXPECT_FALSE(sheets[1]->IsShowing());

    // Ctrl+Tab from a control on a sheet skips the hidden sheet and wraps round.
    pages->SetActivePage(sheets[0]);
    auto* edit = dynamic_cast<TTestEdit*>(form->FindComponent("Edit1"));
    ASSERT_NE(edit, nullptr);
    edit->SetFocus();
    ProcessMessages();
    log.clear();
    PressWith(VK_CONTROL, VK_TAB);
    EXPECT_EQ(Active(), "Sheet2");
    PressWith(VK_CONTROL, VK_TAB);
    EXPECT_EQ(Active(), "Sheet4");
    PressWith(VK_CONTROL, VK_NEXT);
    EXPECT_EQ(Active(), "Sheet1");
    PressWith(VK_CONTROL, VK_PRIOR);
    EXPECT_EQ(Active(), "Sheet4");
    Session().KeyDown(VK_CONTROL);
    PressWith(VK_SHIFT, VK_TAB);
    Session().KeyUp(VK_CONTROL);
    EXPECT_EQ(Active(), "Sheet2");
    EXPECT_EQ(log.size(), 10U);

    // Refused: neither the page nor the tab moves, and OnChange stays silent.
    log.clear();
    allowChange = false;
    pages->SetFocus();
    ProcessMessages();
    PressWith(VK_CONTROL, VK_TAB);
    Press(VK_RIGHT);
    ClickTab(0);
    PressWith(VK_MENU, 'F');
    EXPECT_EQ(Active(), "Sheet2");
    EXPECT_EQ(pages->TabIndex(), 1);
    EXPECT_EQ(log, (std::vector<std::string>(4, "changing Sheet2")));

    // Accelerators reach only sheets with a tab.
    allowChange = true;
    PressWith(VK_MENU, 'H');
    EXPECT_EQ(Active(), "Sheet2");
    PressWith(VK_MENU, 'F');
    EXPECT_EQ(Active(), "Sheet4");
}

TEST_F(PageControlTest, SheetsLeavingAndMoving) {
    // Freeing the active sheet shows the next one with a tab.
    delete sheets[1];
    EXPECT_EQ(Active(), "Sheet4");
    EXPECT_EQ(pages->TabCount(), 2);
    EXPECT_TRUE(sheets[3]->Visible());

    sheets[3]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheets[3]);
    EXPECT_EQ(pages->TabIndex(), 0);
    EXPECT_EQ(pages->TabCaption(1), "&One");

    // A sheet moved to another parent leaves the page control.
    sheets[0]->SetParent(form);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(sheets[0]->PageControl(), nullptr);
    // And comes back as the last page.
    sheets[0]->SetPageControl(pages);
    EXPECT_EQ(pages->Pages(2), sheets[0]);
    EXPECT_EQ(sheets[0]->PageIndex(), 2);
}

TEST_F(PageControlTest, PicturesWidenTabsAndFollowTheSheetsImageIndex) {
    auto* images = new TImageListComponent(form);
    images->SetWidth(16);
    images->SetHeight(16);
    for (auto color : {platform::gfx::clRed, platform::gfx::clLime}) {
        platform::gfx::TBitmap b(16, 16);
        b.Canvas().Brush.Color = color;
        b.Canvas().FillRect({0, 0, 16, 16});
        images->Add(b);
    }
    pages->SetTabWidth(0);
    const int plain = pages->TabRect(1).Width();
    pages->SetImages(images);
    EXPECT_EQ(pages->TabImageIndex(1), 1);
    EXPECT_EQ(pages->TabImageIndex(0), -1);
    EXPECT_EQ(pages->TabRect(1).Width(), plain + 20);
    // The sheet's picture is drawn on its tab: green somewhere in tab 1, no red anywhere.
    ProcessMessages();
    const TRect r = pages->TabRect(1);
    const platform::gfx::TBitmap shot = Session().Screenshot();
    bool green = false, red = false;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = 0; x < pages->Width(); ++x) {
            const TPoint p = pages->ClientToScreen({x, y});
            const auto c = shot.Pixel(p.X, p.Y);
            green |= c == platform::gfx::clLime && x >= r.Left && x < r.Right;
            red |= c == platform::gfx::clRed;
        }
    EXPECT_TRUE(green);
    EXPECT_FALSE(red);
    // The image list going away leaves no dangling reference.
    delete images;
    EXPECT_EQ(pages->Images(), nullptr);
    EXPECT_EQ(pages->TabRect(1).Width(), plain);
}

TEST_F(PageControlTest, SheetsSurviveAResource) {
    auto* images = new TImageListComponent(form);
    images->SetName("Images1");
    images->Add(platform::gfx::TBitmap(16, 16));
    pages->SetImages(images);
    pages->SetHotTrack(true);
    const std::string text = WriteComponentResource(*form);
    auto copy = std::make_unique<TForm>(nullptr);
    TFormReadOptions options;
    options.IgnoreMissingHandlers = true;
    ReadComponentResource(*copy, text, options);
    auto* p = dynamic_cast<TPageControl*>(copy->FindComponent("Pages"));
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->PageCount(), 4);
    EXPECT_EQ(p->ActivePage(), copy->FindComponent("Sheet2"));
    EXPECT_EQ(p->Images(), copy->FindComponent("Images1"));
    EXPECT_TRUE(p->HotTrack());
    EXPECT_FALSE(p->Pages(2)->TabVisible());
    EXPECT_EQ(p->Pages(1)->ImageIndex(), 1);
    EXPECT_EQ(p->Pages(0)->Caption(), "&One");
    EXPECT_NE(copy->FindComponent("Edit1"), nullptr);
    const std::string again = WriteComponentResource(*copy);
    EXPECT_EQ(again.substr(again.find("object Pages:")), text.substr(text.find("object Pages:")));
}

}  // namespace
}  // namespace formstest
