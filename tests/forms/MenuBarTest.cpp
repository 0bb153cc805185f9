// The platform's menu bar of a form with a main menu: its items along the top, drop-downs by
// mouse, menu mode by keyboard (F10, Alt, Alt+letter, arrows, Enter, letters, Escape), and its
// place above an MDI client.

#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/forms/MainMenuBar.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "platform/ui/WindowSystem.h"
#include "support/UiTest.h"

namespace {

using namespace platform::forms;
namespace ui = platform::ui;
using platform::core::TRect;

class MenuBar : public vktest::UiTest {
protected:
    void SetUp() override {
        vktest::UiTest::SetUp();
        m_form = new TForm(&App());
        m_form->SetCaption("Menus");
        App().SetMainForm(m_form);
        m_form->SetBounds(40, 40, 400, 300);
        m_menu = new TMainMenu(m_form);
        TMenuItem* file = Add(m_menu->Items(), "&File");
        Add(file, "&New");
        Add(file, "&Open...");
        Add(file, "-");
        Add(file, "E&xit");
        TMenuItem* edit = Add(m_menu->Items(), "&Edit");
        Add(edit, "&Undo")->SetEnabled(false);
        Add(edit, "&Copy");
        Add(m_menu->Items(), "&Help");
        m_form->SetMenu(m_menu);
        m_form->Show();
        ProcessMessages();
        m_bar = FindMenuBar(*m_form);
    }

    TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(m_menu);
        item->SetCaption(caption);
        item->OnClick = [this, caption](TComponent*) { m_clicked.push_back(caption); };
        parent->Add(item);
        return item;
    }

    [[nodiscard]] std::string DropDownSelection() const {
        TMenuDropDown* d = m_bar->DropDown();
        if (!d || d->Selected() < 0) return "";
        return d->Item()->Items(d->Selected())->Caption();
    }

    TForm* m_form = nullptr;
    TMainMenu* m_menu = nullptr;
    TMainMenuBar* m_bar = nullptr;
    std::vector<std::string> m_clicked;
};

TEST_F(MenuBar, ItemsLieAlongTheTopAndOpenByMouse) {
    ASSERT_NE(m_bar, nullptr);
    EXPECT_EQ(m_bar->BoundsRect(), (TRect{0, 0, m_form->ClientRect().Width(), TMainMenuBar::BarHeight()}));
    ASSERT_EQ(m_bar->Items().size(), 3U);
    const TRect file = m_bar->ItemRect(0), edit = m_bar->ItemRect(1), help = m_bar->ItemRect(2);
    EXPECT_EQ(edit.Left, file.Right);
    EXPECT_EQ(help.Left, edit.Right);
    // "&File" is narrower than "&Help" plus nothing: widths follow the captions' text.
    EXPECT_LT(file.Width(), edit.Width() + 10);
    EXPECT_GT(file.Width(), 2 * TMainMenuBar::kItemPadding);
    EXPECT_EQ(m_bar->ItemAt(edit.Left + 2, 5), 1);
    EXPECT_EQ(m_bar->ItemAt(help.Right + 20, 5), -1);

    Ui().Click(m_bar, file.Left + 5, 5);
    TMenuDropDown* drop = m_bar->DropDown();
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->Item()->Caption(), "&File");
    // The drop-down hangs under its item and leaves the form active.
    EXPECT_EQ(drop->ClientToScreen({0, 0}).Y, m_bar->ClientToScreen({0, file.Bottom}).Y + 0);
    EXPECT_EQ(System().GetActiveWindow(), m_form->HandleIfAllocated());
    Ui().SavePng("menubar_file_open");

    // Pointing at another bar item while open opens that one.
    Ui().MoveTo(m_bar, edit.Left + 5, 5);
    ASSERT_NE(m_bar->DropDown(), nullptr);
    EXPECT_EQ(m_bar->DropDown()->Item()->Caption(), "&Edit");
    Ui().MoveTo(m_bar, file.Left + 5, 5);
    drop = m_bar->DropDown();
    ASSERT_NE(drop, nullptr);
    const TRect open = drop->ItemRect(1);
    Ui().Click(drop, open.Left + 10, open.Top + 5);
    EXPECT_EQ(m_clicked, (std::vector<std::string>{"&Open..."}));
    EXPECT_EQ(m_bar->DropDown(), nullptr);
    EXPECT_FALSE(m_bar->InMenuMode());

    // An item without sub-items is chosen at once.
    Ui().Click(m_bar, help.Left + 5, 5);
    EXPECT_EQ(m_clicked.back(), "&Help");
    EXPECT_EQ(m_bar->DropDown(), nullptr);

    // Without a menu there is no bar.
    m_form->SetMenu(nullptr);
    EXPECT_EQ(FindMenuBar(*m_form), nullptr);
}

TEST_F(MenuBar, MenuModeByKeyboard) {
    Ui().KeyPress(ui::VK_F10);
    EXPECT_TRUE(m_bar->InMenuMode());
    EXPECT_EQ(m_bar->Selected(), 0);
    EXPECT_EQ(m_bar->DropDown(), nullptr);
    Ui().KeyPress(ui::VK_RIGHT);
    EXPECT_EQ(m_bar->Selected(), 1);
    Ui().KeyPress(ui::VK_LEFT);
    Ui().KeyPress(ui::VK_LEFT);
    EXPECT_EQ(m_bar->Selected(), 2);  // wraps to the last
    Ui().KeyPress(ui::VK_ESCAPE);
    EXPECT_FALSE(m_bar->InMenuMode());
    EXPECT_EQ(m_bar->Selected(), -1);
    EXPECT_NE(System().GetFocus(), m_bar->HandleIfAllocated());
    EXPECT_NE(m_form->ActiveControl(), m_bar);

    // Alt alone enters too; Down opens the selected item's drop-down.
    Ui().KeyPress(ui::VK_MENU);
    EXPECT_TRUE(m_bar->InMenuMode());
    Ui().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(DropDownSelection(), "&New");
    Ui().KeyPress(ui::VK_ESCAPE);  // closes the drop-down, stays in menu mode
    EXPECT_EQ(m_bar->DropDown(), nullptr);
    EXPECT_TRUE(m_bar->InMenuMode());
    Ui().KeyPress(ui::VK_ESCAPE);
    EXPECT_FALSE(m_bar->InMenuMode());

    // Alt+F opens File; the arrows skip the line and wrap; Enter chooses.
    Ui().KeyPress('F', vktest::kAlt);
    EXPECT_EQ(m_bar->Selected(), 0);
    EXPECT_EQ(DropDownSelection(), "&New");
    Ui().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(DropDownSelection(), "&Open...");
    Ui().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(DropDownSelection(), "E&xit");
    Ui().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(DropDownSelection(), "&New");
    Ui().KeyPress(ui::VK_UP);
    EXPECT_EQ(DropDownSelection(), "E&xit");
    // Right moves on to Edit with its drop-down open, past the disabled Undo.
    Ui().KeyPress(ui::VK_RIGHT);
    EXPECT_EQ(m_bar->Selected(), 1);
    EXPECT_EQ(DropDownSelection(), "&Copy");
    Ui().KeyPress(ui::VK_LEFT);
    Ui().KeyPress(ui::VK_RETURN);
    EXPECT_EQ(m_clicked, (std::vector<std::string>{"&New"}));
    EXPECT_FALSE(m_bar->InMenuMode());

    // A letter in the open drop-down chooses its item; a disabled one is not chosen.
    Ui().KeyPress('E', vktest::kAlt);
    Ui().KeyPress('U');
    EXPECT_TRUE(m_bar->InMenuMode());
    Ui().KeyPress('C');
    EXPECT_EQ(m_clicked.back(), "&Copy");
    EXPECT_FALSE(m_bar->InMenuMode());
    // Alt+H runs Help at once; a letter no item has leaves everything as it was.
    Ui().KeyPress('H', vktest::kAlt);
    EXPECT_EQ(m_clicked.back(), "&Help");
    Ui().KeyPress('Q', vktest::kAlt);
    EXPECT_FALSE(m_bar->InMenuMode());
}

TEST_F(MenuBar, AnMdiClientLiesBelowTheBarAndTheBarShowsMergedItems) {
    auto* main = new TForm(&App());
    main->SetFormStyle(fsMDIForm);
    App().SetMainForm(main);
    main->SetBounds(0, 0, 500, 400);
    auto* menu = new TMainMenu(main);
    auto* window = new TMenuItem(menu);
    window->SetCaption("&Window");
    window->SetGroupIndex(9);
    menu->Items()->Add(window);
    main->SetMenu(menu);
    main->Show();
    ProcessMessages();
    TMainMenuBar* bar = FindMenuBar(*main);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(main->MDIClient()->Top(), bar->Height());
    EXPECT_EQ(main->MDIClient()->Height(), main->ClientRect().Height() - bar->Height());

    auto* child = new TForm(&App());
    child->SetFormStyle(fsMDIChild);
    auto* childMenu = new TMainMenu(child);
    auto* text = new TMenuItem(childMenu);
    text->SetCaption("&Text");
    text->SetGroupIndex(2);
    childMenu->Items()->Add(text);
    child->SetMenu(childMenu);
    child->Show();
    ProcessMessages();
    EXPECT_EQ(bar->Items(), (std::vector<TMenuItem*>{text, window}));
    Ui().SavePng("menubar_mdi_merged");
    delete child;
    EXPECT_EQ(bar->Items(), (std::vector<TMenuItem*>{window}));
}

}  // namespace
