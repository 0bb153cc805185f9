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
    // The bar lies over the frame's strip just above the client area.
    EXPECT_EQ(m_bar->BoundsRect(), (TRect{0, -TMainMenuBar::BarHeight(), m_form->ClientRect().Width(), 0}));
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
    // The client area starts below the bar; the MDI client fills it.
    EXPECT_EQ(main->MDIClient()->BoundsRect(), main->ClientRect());
    EXPECT_EQ(main->MDIClient()->ClientToScreen({0, 0}).Y, bar->ClientToScreen({0, bar->Height()}).Y);

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

// A control that only fills itself with its colour.
class TSwatch : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        Canvas().Brush.Style = platform::gfx::TBrushStyle::bsSolid;
        Canvas().Brush.Color = Color();
        Canvas().FillRect({0, 0, Width(), Height()});
    }
};

TEST_F(MenuBar, TheClientAreaStartsBelowTheBar) {
    ASSERT_NE(m_bar, nullptr);
    const platform::gfx::TColor red = platform::gfx::RGB(220, 0, 0);
    auto* swatch = new TSwatch(m_form);
    swatch->SetColor(red);
    swatch->SetBounds(0, 0, 60, 12);
    swatch->SetParent(m_form);
    ProcessMessages();
    // A control at y = 0 shows whole, just under the bar.
    EXPECT_EQ(Ui().Pixel(swatch, 1, 0), red);
    EXPECT_EQ(Ui().Pixel(swatch, 58, 11), red);
    ui::TWindow* w = m_form->HandleIfAllocated();
    const platform::core::TPoint clientTop = m_form->ClientToScreen({0, 0});
    EXPECT_EQ(m_bar->ClientToScreen({0, m_bar->Height()}).Y, clientTop.Y);
    // The strip is the frame's: its hit-test code is the menu's, and the bar's face is there.
    const platform::core::TPoint onStrip{clientTop.X + m_bar->Width() - 5, clientTop.Y - 5};
    EXPECT_EQ(System().SendMessage(w, ui::WM_NCHITTEST, 0, ui::PointToLParam(onStrip)), ui::HTMENU);
    EXPECT_EQ(Ui().Pixel(onStrip.X, onStrip.Y), platform::gfx::ColorToRGB(platform::gfx::clMenu));
    // The whole window keeps its size: the client area is smaller by the bar.
    EXPECT_EQ(m_form->ClientRect().Height(), w->ClientArea().Height());
    Ui().SavePng("menubar_client_below");
    const int withBar = m_form->ClientRect().Height();
    m_form->SetMenu(nullptr);
    ProcessMessages();
    EXPECT_EQ(m_form->ClientRect().Height(), withBar + TMainMenuBar::BarHeight());
    EXPECT_EQ(m_form->ClientToScreen({0, 0}).Y, clientTop.Y - TMainMenuBar::BarHeight());
}

TEST_F(MenuBar, SubMenusOpenBesideTheirItemByMouseAndKeyboard) {
    TMenuItem* file = m_menu->Items()->Items(0);
    TMenuItem* recent = Add(file, "&Recent");
    file->Insert(2, recent);  // New, Open..., Recent, -, Exit
    Add(recent, "&a.txt");
    Add(recent, "&b.txt");
    TMenuItem* more = Add(recent, "&More");
    Add(more, "&c.txt");
    ProcessMessages();

    // By mouse: pointing at Recent opens its list to the right of File's; a click chooses.
    Ui().Click(m_bar, m_bar->ItemRect(0).Left + 5, 5);
    TMenuDropDown* drop = m_bar->DropDown();
    ASSERT_NE(drop, nullptr);
    const TRect recentRect = drop->ItemRect(2);
    Ui().MoveTo(drop, recentRect.Left + 10, recentRect.Top + 5);
    ASSERT_EQ(m_bar->DropDownCount(), 2);
    TMenuDropDown* sub = m_bar->DropDownAt(1);
    EXPECT_EQ(sub->Item(), recent);
    EXPECT_GE(sub->ClientToScreen({0, 0}).X, drop->ClientToScreen({drop->Width() - 4, 0}).X);
    EXPECT_EQ(sub->Selected(), -1);
    Ui().SavePng("menubar_submenu_open");
    // Pointing back at an item without sub-items closes the deeper list.
    const TRect newRect = drop->ItemRect(0);
    Ui().MoveTo(drop, newRect.Left + 10, newRect.Top + 5);
    EXPECT_EQ(m_bar->DropDownCount(), 1);
    Ui().MoveTo(drop, recentRect.Left + 10, recentRect.Top + 5);
    sub = m_bar->DropDownAt(1);
    ASSERT_NE(sub, nullptr);
    const TRect bRect = sub->ItemRect(1);
    Ui().Click(sub, bRect.Left + 10, bRect.Top + 5);
    EXPECT_EQ(m_clicked, (std::vector<std::string>{"&b.txt"}));
    EXPECT_EQ(m_bar->DropDownCount(), 0);
    EXPECT_FALSE(m_bar->InMenuMode());

    // By keyboard: Right opens a sub-menu with its first item, Left closes it, Right on an item
    // without sub-items moves along the bar.
    Ui().KeyPress('F', vktest::kAlt);
    Ui().KeyPress(ui::VK_DOWN);
    Ui().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(DropDownSelection(), "&Recent");
    Ui().KeyPress(ui::VK_RIGHT);
    ASSERT_EQ(m_bar->DropDownCount(), 2);
    EXPECT_EQ(m_bar->DropDownAt(1)->SelectedItem()->Caption(), "&a.txt");
    Ui().KeyPress(ui::VK_UP);  // wraps to More, which opens a third level with Right
    Ui().KeyPress(ui::VK_RIGHT);
    ASSERT_EQ(m_bar->DropDownCount(), 3);
    Ui().KeyPress(ui::VK_LEFT);
    EXPECT_EQ(m_bar->DropDownCount(), 2);
    Ui().KeyPress(ui::VK_ESCAPE);  // the deepest only
    EXPECT_EQ(m_bar->DropDownCount(), 1);
    EXPECT_EQ(m_bar->Selected(), 0);
    Ui().KeyPress(ui::VK_RETURN);  // Enter on Recent opens it too
    ASSERT_EQ(m_bar->DropDownCount(), 2);
    Ui().KeyPress(ui::VK_DOWN);
    Ui().KeyPress(ui::VK_RIGHT);  // b.txt has no sub-items: on to Edit
    EXPECT_EQ(m_bar->Selected(), 1);
    EXPECT_EQ(m_bar->DropDownCount(), 1);
    EXPECT_EQ(DropDownSelection(), "&Copy");
    Ui().KeyPress(ui::VK_LEFT);
    Ui().KeyPress(ui::VK_DOWN);
    Ui().KeyPress(ui::VK_DOWN);
    Ui().KeyPress('R');  // the letter of an item with sub-items opens them
    ASSERT_EQ(m_bar->DropDownCount(), 2);
    Ui().KeyPress('M');
    ASSERT_EQ(m_bar->DropDownCount(), 3);
    Ui().KeyPress(ui::VK_RETURN);
    EXPECT_EQ(m_clicked.back(), "&c.txt");
    EXPECT_EQ(m_bar->DropDownCount(), 0);
    EXPECT_FALSE(m_bar->InMenuMode());
}

}  // namespace
