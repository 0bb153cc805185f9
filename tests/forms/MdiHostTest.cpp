// An MDI child is the form of its own controls: its keys go through its own shortcuts, preview
// and tab order before its main form's shortcuts (Ctrl+F4, Ctrl+Tab, the main menu); focusing a
// control of another child activates that child, and the main form gives the keyboard back to
// its active child. The client reports children shown, activated, renamed and removed, names the
// window menu's items through a hook, keeps a child's own minimised size, and stacks top-aligned
// bars under the menu bar.

#include <string>
#include <vector>

#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "platform/ui/WindowSystem.h"
#include "support/UiTest.h"

namespace {

using namespace platform::forms;
namespace ui = platform::ui;
using platform::core::TRect;

class MdiHost : public vktest::UiTest {
protected:
    void SetUp() override {
        vktest::UiTest::SetUp();
        m_main = new TForm(&App());
        m_main->SetName("frmMain");
        m_main->SetCaption("Editor");
        m_main->SetFormStyle(fsMDIForm);
        App().SetMainForm(m_main);
        m_main->SetBounds(20, 20, 640, 480);
        m_main->Show();
        ProcessMessages();
    }

    // A child with two edits, "<name>1" and "<name>2".
    TForm* AddChild(const std::string& name) {
        auto* child = new TForm(&App());
        child->SetName(name);
        child->SetCaption(name);
        child->SetFormStyle(fsMDIChild);
        // Side by side, so that a click reaches the one meant.
        child->SetBounds(10 + 280 * (m_main->MDIChildCount() - 1), 10, 260, 160);
        for (int i = 1; i <= 2; ++i) {
            auto* edit = new TEdit(child);
            edit->SetName(name + std::to_string(i));
            edit->SetParent(child);
            edit->SetBounds(10, 10 + 30 * i, 120, 22);
        }
        child->OnClose = [](TComponent*, TCloseAction& action) { action = caFree; };
        child->Show();
        ProcessMessages();
        return child;
    }
    TEdit* Edit(TForm* child, int i) { return Ui().Find<TEdit>(*child, child->Name() + std::to_string(i)); }
    bool Focused(TWinControl* c) { return System().GetFocus() == c->HandleIfAllocated(); }

    TForm* m_main = nullptr;
};

TEST_F(MdiHost, KeysInsideAChildGoThroughTheChildsOwnForm) {
    TForm* a = AddChild("alpha");
    TForm* b = AddChild("beta");
    EXPECT_EQ(GetParentForm(Edit(a, 1)), a);
    EXPECT_EQ(GetParentForm(a), a);
    EXPECT_EQ(GetParentForm(m_main->MDIClient()), m_main);

    // Focusing a control of the other child activates that child.
    Ui().Click(Edit(a, 1));
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    EXPECT_TRUE(Focused(Edit(a, 1)));
    EXPECT_EQ(a->ActiveControl(), Edit(a, 1));
    // Tab walks the child's own tab order, not the main form's.
    Ui().KeyPress(ui::VK_TAB);
    EXPECT_TRUE(Focused(Edit(a, 2)));
    EXPECT_EQ(a->ActiveControl(), Edit(a, 2));

    // The child's KeyPreview sees the keys of its controls; the main form's does not.
    std::vector<std::string> seen;
    a->SetKeyPreview(true);
    a->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
        seen.push_back("child " + std::to_string(key));
    };
    m_main->SetKeyPreview(true);
    m_main->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
        seen.push_back("main " + std::to_string(key));
    };
    Ui().KeyPress('X');
    EXPECT_EQ(seen, (std::vector<std::string>{"child 88"}));
    EXPECT_EQ(Edit(a, 2)->Text(), "x");

    // Keys the child does not take reach the main form's shortcuts: Ctrl+Tab and Ctrl+F4.
    Ui().KeyPress(ui::VK_TAB, vktest::kControl);
    EXPECT_EQ(m_main->ActiveMDIChild(), b);
    const auto bAlive = b->WeakRef();
    Ui().KeyPress(ui::VK_F4, vktest::kControl);
    ProcessMessages();
    EXPECT_FALSE(bAlive);
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
}

TEST_F(MdiHost, AControlOfTheMainFormTakingTheFocusActivatesNoChild) {
    auto* bar = new TEdit(m_main);
    bar->SetParent(m_main);
    bar->SetHeight(24);
    bar->SetAlign(alTop);
    m_main->MDIClient()->FitToParent();
    TForm* a = AddChild("alpha");
    TForm* b = AddChild("beta");
    Ui().Click(Edit(a, 1));
    ASSERT_EQ(m_main->ActiveMDIChild(), a);
    Ui().Click(bar);
    EXPECT_TRUE(Focused(bar));
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    EXPECT_FALSE(b->Active());
}

TEST_F(MdiHost, TheMainMenusShortcutsWorkFromInsideAChild) {
    auto* menu = new TMainMenu(m_main);
    auto* file = new TMenuItem(menu);
    file->SetCaption("&File");
    auto* fresh = new TMenuItem(menu);
    fresh->SetCaption("&New");
    fresh->SetShortCut(TextToShortCut("Ctrl+N"));
    int news = 0;
    fresh->OnClick = [&](TComponent*) { ++news; };
    file->Add(fresh);
    menu->Items()->Add(file);
    m_main->SetMenu(menu);
    TForm* a = AddChild("alpha");
    Ui().Click(Edit(a, 1));
    // The child's own shortcut handler runs first and may take the key.
    bool take = true;
    a->OnShortCut = [&](TMessage&, bool& handled) { handled = take; };
    Ui().KeyPress('N', vktest::kControl);
    EXPECT_EQ(news, 0);
    take = false;
    Ui().KeyPress('N', vktest::kControl);
    EXPECT_EQ(news, 1);
    EXPECT_EQ(Edit(a, 1)->Text(), "");
}

TEST_F(MdiHost, TheMainFormGivesTheKeyboardBackToItsActiveChild) {
    TForm* a = AddChild("alpha");
    Ui().Click(Edit(a, 2));
    ASSERT_TRUE(Focused(Edit(a, 2)));
    auto* other = new TForm(&App());
    other->SetBounds(400, 300, 200, 100);
    other->Show();
    ProcessMessages();
    ASSERT_EQ(System().GetActiveWindow(), other->HandleIfAllocated());
    m_main->BringToFront();
    ProcessMessages();
    EXPECT_EQ(System().GetActiveWindow(), m_main->HandleIfAllocated());
    EXPECT_TRUE(Focused(Edit(a, 2)));
    delete other;
}

TEST_F(MdiHost, TheClientReportsWhatHappensToItsChildren) {
    std::vector<std::string> log;
    m_main->MDIClient()->OnChildChange = [&](TForm* child, TMdiChildChange change) {
        static const char* const names[] = {"shown", "removed", "activated", "caption"};
        log.push_back(std::string(names[change]) + " " + child->Name());
    };
    TForm* a = AddChild("alpha");
    TForm* b = AddChild("beta");
    EXPECT_EQ(log,
              (std::vector<std::string>{"shown alpha", "activated alpha", "shown beta", "activated beta"}));
    log.clear();
    m_main->MDIClient()->Activate(a);
    b->SetCaption("Beta 2");
    delete a;
    ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"activated alpha", "caption beta", "removed alpha",
                                             "activated beta"}));
}

TEST_F(MdiHost, WindowMenuItemsPassThroughTheHookAndChildrenKeepTheirMinimisedSize) {
    auto* menu = new TMainMenu(m_main);
    auto* window = new TMenuItem(menu);
    window->SetCaption("&Window");
    menu->Items()->Add(window);
    m_main->MDIClient()->OnWindowMenuItem = [](TMenuItem* item, TForm* child) {
        item->SetName(child->Name() + "_ITEM");
        item->SetCaption(child->Caption());
    };
    m_main->SetWindowMenu(window);
    TForm* a = AddChild("alpha");
    AddChild("beta");
    ASSERT_EQ(window->Count(), 2);
    EXPECT_EQ(window->Items(0)->Name(), "alpha_ITEM");
    EXPECT_EQ(window->Items(1)->Caption(), "beta");
    EXPECT_TRUE(window->Items(1)->Checked());

    TMdiClient* client = m_main->MDIClient();
    client->SetMinimizedSize(a, {140, 30});
    a->SetWindowState(wsMinimized);
    const int height = client->ClientRect().Height();
    EXPECT_EQ(a->BoundsRect(), (TRect{0, height - 30, 140, height}));
    client->SetMinimizedSize(a, {0, 0});
    EXPECT_EQ(client->MinimizedSize(a).cx, client->MinimizedSize().cx);
}

TEST_F(MdiHost, TopAlignedBarsStackAboveTheClient) {
    auto* first = new TEdit(m_main);
    first->SetParent(m_main);
    first->SetHeight(24);
    first->SetAlign(alTop);
    auto* second = new TEdit(m_main);
    second->SetParent(m_main);
    second->SetHeight(30);
    second->SetAlign(alTop);
    auto* loose = new TEdit(m_main);
    loose->SetParent(m_main);
    loose->SetBounds(300, 300, 50, 20);
    TMdiClient* client = m_main->MDIClient();
    client->FitToParent();
    const int width = m_main->ClientRect().Width();
    EXPECT_EQ(first->BoundsRect(), (TRect{0, 0, width, 24}));
    EXPECT_EQ(second->BoundsRect(), (TRect{0, 24, width, 54}));
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 54, width, m_main->ClientRect().Height()}));
    EXPECT_EQ(loose->BoundsRect(), (TRect{300, 300, 350, 320}));
    // A hidden bar gives its room back when the form is next laid out.
    first->SetVisible(false);
    m_main->SetBounds(20, 20, 700, 500);
    ProcessMessages();
    EXPECT_EQ(second->Top(), 0);
    EXPECT_EQ(client->Top(), 30);
}

}  // namespace
