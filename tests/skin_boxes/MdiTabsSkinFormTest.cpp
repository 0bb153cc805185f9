// The skin form of an MDI main form keeps its MDI tabs bar in step: a tab per child shown (also
// for the children there were before the bar was assigned), the active child's tab marked as the
// activation moves, a closed child's tab gone; and a click on a tab of a minimised, skinned
// child restores it through its skin form.

#include <string>

#include "BoxesFixture.h"
#include "platform/forms/Edit.h"
#include "platform/forms/MainMenuBar.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "skin/boxes/bsSkinMDITabs.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"

namespace boxes {
namespace {

using platform::forms::TForm;
using skin::TbsSkinForm;
using skin::TbsSkinMDITabsBar;
namespace forms = platform::forms;

class MdiTabsSkinFormTest : public vktest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        main = new TForm(&App());
        main->SetCaption("Main");
        main->SetFormStyle(forms::fsMDIForm);
        App().SetMainForm(main);
        main->SetBounds(0, 0, 600, 400);
        mainSkin = new TbsSkinForm(main);
        main->Show();
        ProcessMessages();
    }
    TForm* AddChild(const std::string& name) {
        auto* child = new TForm(&App());
        child->SetName(name);
        child->SetCaption(name);
        child->SetFormStyle(forms::fsMDIChild);
        child->SetBounds(10 + 20 * main->MDIChildCount(), 10, 200, 120);
        new TbsSkinForm(child);
        child->OnClose = [](forms::TComponent*, forms::TCloseAction& action) { action = forms::caFree; };
        child->Show();
        ProcessMessages();
        return child;
    }
    static TbsSkinForm* SkinOf(TForm* form) { return skin::TbsSkinFormBehaviour::FindSkinForm(form); }

    TForm* main = nullptr;
    TbsSkinForm* mainSkin = nullptr;
};

TEST_F(MdiTabsSkinFormTest, TheTabsFollowTheChildrenAndTheActiveChild) {
    TForm* a = AddChild("Alpha");
    auto* bar = new TbsSkinMDITabsBar(main);
    bar->SetParent(main);
    // Assigned late, the bar gets a tab for each child there is.
    mainSkin->SetMDITabsBar(bar);
    ASSERT_EQ(bar->TabCount(), 1);
    EXPECT_TRUE(bar->Tab(0)->Active);
    TForm* b = AddChild("Beta");
    TForm* c = AddChild("Gamma");
    ASSERT_EQ(bar->TabCount(), 3);
    EXPECT_EQ(bar->Tab(2)->Child, c);
    EXPECT_TRUE(bar->Tab(2)->Active);
    EXPECT_FALSE(bar->Tab(0)->Active);
    main->MDIClient()->Activate(a);
    EXPECT_TRUE(bar->Tab(0)->Active);
    EXPECT_FALSE(bar->Tab(2)->Active);

    // Ctrl+F4 closes the active child and takes its tab along.
    Ui().KeyPress(platform::ui::VK_F4, vktest::kControl);
    ProcessMessages();
    ASSERT_EQ(bar->TabCount(), 2);
    EXPECT_EQ(bar->Tab(0)->Child, b);
    ASSERT_NE(main->ActiveMDIChild(), nullptr);
    EXPECT_TRUE(bar->FindTab(main->ActiveMDIChild())->Active);

    // A minimised skinned child comes back through its skin form when its tab is clicked.
    SkinOf(b)->SetWindowState(forms::wsMinimized);
    ProcessMessages();
    ASSERT_EQ(b->WindowState(), forms::wsMinimized);
    Ui().Click(bar, bar->Tab(0)->ObjectRect.Left + 10, 5);
    EXPECT_EQ(SkinOf(b)->WindowState(), forms::wsNormal);
    EXPECT_EQ(b->WindowState(), forms::wsNormal);
    EXPECT_EQ(main->ActiveMDIChild(), b);
    EXPECT_TRUE(bar->Tab(0)->Active);

    // Anything but a tabs bar is refused; the bar's going clears the reference.
    mainSkin->SetMDITabsBar(main);
    EXPECT_EQ(mainSkin->MDITabsBar(), bar);
    delete bar;
    EXPECT_EQ(mainSkin->MDITabsBar(), nullptr);
    AddChild("Delta");
    EXPECT_EQ(main->MDIChildCount(), 3);
}

TEST_F(MdiTabsSkinFormTest, APlatformMenuBarOnASkinnedFormWorksFromTheKeyboard) {
    auto* menu = new forms::TMainMenu(main);
    auto* file = new forms::TMenuItem(menu);
    file->SetCaption("&File");
    int opened = 0, news = 0;
    for (const char* caption : {"&Open", "&New"}) {
        auto* item = new forms::TMenuItem(menu);
        item->SetCaption(caption);
        item->OnClick = [&, caption](forms::TComponent*) { ++(caption[1] == 'N' ? news : opened); };
        file->Add(item);
    }
    menu->Items()->Add(file);
    // Set after showing: the skin form takes a menu off the form when it is shown.
    main->SetMenu(menu);
    TForm* a = AddChild("Alpha");
    auto* edit = new forms::TEdit(a);
    edit->SetParent(a);
    edit->SetBounds(5, 5, 100, 22);
    Ui().Click(edit);
    ASSERT_TRUE(edit->Focused());
    forms::TMainMenuBar* bar = forms::FindMenuBar(*main);
    ASSERT_NE(bar, nullptr);
    Ui().KeyPress('F', vktest::kAlt);
    ASSERT_NE(bar->DropDown(), nullptr);
    Ui().KeyPress(platform::ui::VK_DOWN);
    Ui().KeyPress(platform::ui::VK_RETURN);
    EXPECT_EQ(news, 1);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(bar->DropDown(), nullptr);
    EXPECT_FALSE(bar->InMenuMode());
}

}  // namespace
}  // namespace boxes
