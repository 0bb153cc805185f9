// MDI: activation of children while the main form stays active, maximise / restore / minimise
// inside the client with the title suffix, Ctrl+F4 and Ctrl+Tab / Ctrl+F6, cascade and tile
// geometry, the window menu and the platform's MDI requests.

#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"
#include "support/UiTest.h"

namespace {

using namespace platform::forms;
namespace ui = platform::ui;
using platform::core::TRect;

class Mdi : public vktest::UiTest {
protected:
    void SetUp() override {
        vktest::UiTest::SetUp();
        m_main = new TForm(&App());
        m_main->SetName("frmMain");
        m_main->SetCaption("Editor");
        m_main->SetFormStyle(fsMDIForm);
        App().SetMainForm(m_main);
        m_main->SetBounds(20, 20, 640, 480);
        m_main->SetClientWidth(600);
        m_main->SetClientHeight(400);
        m_main->Show();
        ProcessMessages();
    }

    TForm* AddChild(const std::string& caption, TRect bounds = {10, 10, 210, 160}) {
        auto* child = new TForm(&App());
        child->SetCaption(caption);
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        child->OnActivate = [this, caption](TComponent*) { m_events.push_back("activate " + caption); };
        child->OnDeactivate = [this, caption](TComponent*) { m_events.push_back("deactivate " + caption); };
        child->Show();
        ProcessMessages();
        return child;
    }

    [[nodiscard]] TRect Bounds(const TForm* form) const { return form->BoundsRect(); }
    [[nodiscard]] static std::string Title(const TForm* form) { return form->HandleIfAllocated()->Text(); }
    [[nodiscard]] static bool HasCaptionFrame(const TForm* form) {
        return (form->HandleIfAllocated()->Style() & ui::WS_CAPTION) == ui::WS_CAPTION;
    }
    // A point in the middle of the child's caption bar, in screen coordinates.
    [[nodiscard]] static platform::core::TPoint CaptionPoint(const TForm* form) {
        const TRect screen = form->HandleIfAllocated()->ScreenRect();
        return {screen.Left + screen.Width() / 2, screen.Top + ui::GetSystemMetrics(ui::SM_CYFRAME) + 4};
    }

    TForm* m_main = nullptr;
    std::vector<std::string> m_events;
};

TEST_F(Mdi, OneChildIsActiveWhileTheMainFormKeepsTheActivation) {
    TForm* a = AddChild("A");
    TForm* b = AddChild("B", {40, 40, 240, 190});
    TForm* c = AddChild("C", {70, 70, 270, 220});
    EXPECT_EQ(m_main->MDIChildCount(), 3);
    EXPECT_EQ(m_main->ActiveMDIChild(), c);
    EXPECT_EQ(m_main->MDIChildren(0), c);
    EXPECT_EQ(m_main->MDIChildren(2), a);
    EXPECT_EQ(m_main->MDIChildren(3), nullptr);
    EXPECT_TRUE(c->Active());
    EXPECT_FALSE(a->Active());
    EXPECT_FALSE(b->Active());
    // Children live inside the client: positions are relative to it.
    EXPECT_EQ(Bounds(b), (TRect{40, 40, 240, 190}));
    EXPECT_EQ(b->Parent(), m_main->MDIClient());

    m_events.clear();
    Ui().Click(a, 20, 20);
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(c->Active());
    EXPECT_TRUE(m_main->Active());
    EXPECT_EQ(System().GetActiveWindow(), m_main->HandleIfAllocated());
    EXPECT_EQ(m_events, (std::vector<std::string>{"deactivate C", "activate A"}));
    EXPECT_EQ(m_main->MDIChildren(0), a);
    EXPECT_EQ(m_main->MDIChildren(1), c);

    // Only the active child's caption is drawn in the active colour (b's right end is uncovered).
    EXPECT_EQ(Ui().Pixel(CaptionPoint(a).X, CaptionPoint(a).Y), platform::gfx::ColorToRGB(platform::gfx::clActiveCaption));
    const auto bPoint = CaptionPoint(b);
    EXPECT_EQ(Ui().Pixel(bPoint.X + 80, bPoint.Y), platform::gfx::ColorToRGB(platform::gfx::clInactiveCaption));

    // The platform's requests to the client window.
    ui::TWindow* client = m_main->MDIClient()->HandleIfAllocated();
    System().SendMessage(client, WM_MDIACTIVATE, ui::PtrToWParam(b->HandleIfAllocated()), 0);
    EXPECT_EQ(m_main->ActiveMDIChild(), b);
    EXPECT_EQ(System().SendMessage(client, WM_MDIGETACTIVE, 0, 0), ui::PtrToLParam(b->HandleIfAllocated()));
    System().SendMessage(client, WM_MDIMAXIMIZE, ui::PtrToWParam(a->HandleIfAllocated()), 0);
    EXPECT_EQ(a->WindowState(), wsMaximized);
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    System().SendMessage(client, WM_MDIRESTORE, ui::PtrToWParam(a->HandleIfAllocated()), 0);
    EXPECT_EQ(a->WindowState(), wsNormal);
}

TEST_F(Mdi, MaximiseRestoreAndMinimiseInsideTheClient) {
    TForm* a = AddChild("Alpha", {10, 20, 210, 170});
    TForm* b = AddChild("Beta", {50, 60, 250, 210});
    const TRect client = m_main->MDIClient()->ClientRect();
    ASSERT_EQ(client.Width(), 600);
    ASSERT_EQ(client.Height(), 400);

    b->SetWindowState(wsMaximized);
    ProcessMessages();
    EXPECT_EQ(b->WindowState(), wsMaximized);
    EXPECT_EQ(Bounds(b), client);
    EXPECT_FALSE(HasCaptionFrame(b));
    EXPECT_EQ(b->ClientRect(), (TRect{0, 0, 600, 400}));
    EXPECT_EQ(Title(m_main), "Editor - [Beta]");
    EXPECT_EQ(m_main->MDIClient()->MainCaption(), "Editor");
    // The maximised child's caption follows into the title.
    b->SetCaption("Beta 2");
    EXPECT_EQ(Title(m_main), "Editor - [Beta 2]");
    // A new caption of the main form keeps the suffix.
    m_main->SetCaption("Writer");
    EXPECT_EQ(Title(m_main), "Writer - [Beta 2]");
    m_main->SetCaption("Editor");

    // Switching while maximised hands the maximised state to the new child.
    Ui().KeyPress(ui::VK_TAB, vktest::kControl);
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    EXPECT_EQ(a->WindowState(), wsMaximized);
    EXPECT_EQ(b->WindowState(), wsNormal);
    EXPECT_EQ(Bounds(b), (TRect{50, 60, 250, 210}));
    EXPECT_TRUE(HasCaptionFrame(b));
    EXPECT_EQ(Title(m_main), "Editor - [Alpha]");

    // A double click on the restored frame's caption is no longer possible for the maximised
    // child; restore through the system command instead.
    System().SendMessage(a->HandleIfAllocated(), ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    EXPECT_EQ(a->WindowState(), wsNormal);
    EXPECT_EQ(Bounds(a), (TRect{10, 20, 210, 170}));
    EXPECT_EQ(Title(m_main), "Editor");

    // Minimised children take slots from the bottom-left corner, rightwards.
    const auto size = m_main->MDIClient()->MinimizedSize();
    a->SetWindowState(wsMinimized);
    b->SetWindowState(wsMinimized);
    EXPECT_EQ(Bounds(a), (TRect{0, 400 - size.cy, size.cx, 400}));
    EXPECT_EQ(Bounds(b), (TRect{size.cx, 400 - size.cy, 2 * size.cx, 400}));
    EXPECT_TRUE(HasCaptionFrame(a));
    // Restoring from minimised returns to the bounds before minimising.
    System().SendMessage(a->HandleIfAllocated(), ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    EXPECT_EQ(Bounds(a), (TRect{10, 20, 210, 170}));
    // A minimised child maximised and restored again comes back to its normal bounds.
    b->SetWindowState(wsMaximized);
    EXPECT_EQ(Bounds(b), client);
    b->SetWindowState(wsNormal);
    EXPECT_EQ(Bounds(b), (TRect{50, 60, 250, 210}));
}

TEST_F(Mdi, ACaptionDoubleClickMaximisesAndANewChildOpensMaximised) {
    TForm* a = AddChild("A");
    Ui().DoubleClick(CaptionPoint(a));
    EXPECT_EQ(a->WindowState(), wsMaximized);
    TForm* b = AddChild("B");
    EXPECT_EQ(b->WindowState(), wsMaximized);
    EXPECT_EQ(a->WindowState(), wsNormal);
    EXPECT_EQ(Title(m_main), "Editor - [B]");
    ProcessMessages();
    Ui().SavePng("mdi_maximised");
}

TEST_F(Mdi, AChildMovesByItsCaptionAndSizesByItsBorderInsideTheClient) {
    TForm* a = AddChild("A", {10, 20, 210, 170});
    TForm* b = AddChild("B", {300, 20, 500, 170});
    // Dragging the inactive child's caption activates it and moves it by the pointer's way.
    const auto from = CaptionPoint(a);
    Ui().Drag(from, {from.X + 50, from.Y + 30});
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    EXPECT_EQ(Bounds(a), (TRect{60, 50, 260, 200}));
    EXPECT_EQ(System().GetCapture(), nullptr);
    // Dragged far out, the caption stays inside the client at the top.
    Ui().Drag(CaptionPoint(a), {CaptionPoint(a).X, CaptionPoint(a).Y - 300});
    EXPECT_EQ(Bounds(a).Top, 0);

    // The bottom-right corner sizes.
    const TRect screen = b->HandleIfAllocated()->ScreenRect();
    Ui().Drag({screen.Right - 1, screen.Bottom - 1}, {screen.Right + 39, screen.Bottom + 19});
    EXPECT_EQ(Bounds(b), (TRect{300, 20, 540, 190}));
    // A maximised child does not move.
    b->SetWindowState(wsMaximized);
    Ui().Drag({screen.Left + 50, screen.Top + 5}, {screen.Left + 90, screen.Top + 45});
    EXPECT_EQ(Bounds(b), m_main->MDIClient()->ClientRect());
}

TEST_F(Mdi, CtrlF4ClosesTheActiveChildAndCtrlTabCycles) {
    TForm* a = AddChild("A");
    TForm* b = AddChild("B");
    TForm* c = AddChild("C");
    for (TForm* child : {a, b, c})
        child->OnClose = [](TComponent*, TCloseAction& action) { action = caFree; };

    Ui().KeyPress(ui::VK_TAB, vktest::kControl);
    EXPECT_EQ(m_main->ActiveMDIChild(), b);
    Ui().KeyPress(ui::VK_TAB, vktest::kControl);
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    Ui().KeyPress(ui::VK_F6, vktest::kControl);
    EXPECT_EQ(m_main->ActiveMDIChild(), c);
    Ui().KeyPress(ui::VK_TAB, vktest::kControl | vktest::kShift);
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    Ui().KeyPress(ui::VK_F6, vktest::kControl | vktest::kShift);
    EXPECT_EQ(m_main->ActiveMDIChild(), b);

    const auto bAlive = b->WeakRef();
    Ui().KeyPress(ui::VK_F4, vktest::kControl);
    ProcessMessages();
    EXPECT_FALSE(bAlive);
    EXPECT_EQ(m_main->MDIChildCount(), 2);
    ASSERT_NE(m_main->ActiveMDIChild(), nullptr);
    EXPECT_TRUE(m_main->ActiveMDIChild()->Active());
    EXPECT_TRUE(m_main->Visible());
}

TEST_F(Mdi, ClosingAChildWithoutAHandlerMinimisesIt) {
    TForm* a = AddChild("A");
    Ui().KeyPress(ui::VK_F4, vktest::kControl);
    EXPECT_EQ(a->WindowState(), wsMinimized);
    EXPECT_EQ(m_main->MDIChildCount(), 1);
}

TEST_F(Mdi, CascadeAndTileGeometry) {
    TForm* a = AddChild("A", {300, 200, 400, 300});
    TForm* b = AddChild("B", {5, 5, 105, 105});
    TForm* c = AddChild("C", {100, 10, 200, 110});
    const int step = ui::GetSystemMetrics(ui::SM_CYCAPTION) + ui::GetSystemMetrics(ui::SM_CYFRAME);

    m_main->Cascade();
    // The rearmost child at the origin; the active one on top, furthest in.
    EXPECT_EQ(Bounds(a), (TRect{0, 0, 450, 300}));
    EXPECT_EQ(Bounds(b), (TRect{step, step, step + 450, step + 300}));
    EXPECT_EQ(Bounds(c), (TRect{2 * step, 2 * step, 2 * step + 450, 2 * step + 300}));
    EXPECT_EQ(m_main->ActiveMDIChild(), c);
    ProcessMessages();
    Ui().SavePng("mdi_cascade");

    m_main->SetTileMode(tbHorizontal);
    m_main->Tile();
    EXPECT_EQ(Bounds(c), (TRect{0, 0, 600, 133}));
    EXPECT_EQ(Bounds(b), (TRect{0, 133, 600, 266}));
    EXPECT_EQ(Bounds(a), (TRect{0, 266, 600, 400}));

    m_main->SetTileMode(tbVertical);
    m_main->Tile();
    EXPECT_EQ(Bounds(c), (TRect{0, 0, 200, 400}));
    EXPECT_EQ(Bounds(b), (TRect{200, 0, 400, 400}));
    EXPECT_EQ(Bounds(a), (TRect{400, 0, 600, 400}));

    // Four children tile as two by two; a minimised child keeps its row below the tiles.
    TForm* d = AddChild("D");
    m_main->Tile();
    EXPECT_EQ(Bounds(d), (TRect{0, 0, 300, 200}));
    EXPECT_EQ(Bounds(c), (TRect{300, 0, 600, 200}));
    EXPECT_EQ(Bounds(b), (TRect{0, 200, 300, 400}));
    EXPECT_EQ(Bounds(a), (TRect{300, 200, 600, 400}));
    a->SetWindowState(wsMinimized);
    const int iconTop = 400 - m_main->MDIClient()->MinimizedSize().cy;
    m_main->SetTileMode(tbHorizontal);
    m_main->Tile();
    EXPECT_EQ(Bounds(d), (TRect{0, 0, 600, iconTop / 3}));
    EXPECT_EQ(Bounds(b).Bottom, iconTop);
    EXPECT_EQ(Bounds(a).Top, iconTop);

    // Arrange icons packs the minimised children from the bottom-left.
    a->SetBounds(250, 10, a->Width(), a->Height());
    m_main->ArrangeIcons();
    EXPECT_EQ(Bounds(a).Left, 0);
    EXPECT_EQ(Bounds(a).Top, iconTop);
}

TEST_F(Mdi, TheWindowMenuListsTheChildrenWithTheActiveOneChecked) {
    auto* menu = new TMainMenu(m_main);
    auto* window = new TMenuItem(menu);
    window->SetCaption("&Window");
    auto* cascade = new TMenuItem(menu);
    cascade->SetCaption("&Cascade");
    window->Add(cascade);
    menu->Items()->Add(window);
    m_main->SetWindowMenu(window);

    TForm* a = AddChild("First");
    TForm* b = AddChild("Second");
    ASSERT_EQ(window->Count(), 4);  // Cascade, a line, then the children in creation order
    EXPECT_TRUE(window->Items(1)->IsLine());
    EXPECT_EQ(window->Items(2)->Caption(), "&1 First");
    EXPECT_EQ(window->Items(3)->Caption(), "&2 Second");
    EXPECT_FALSE(window->Items(2)->Checked());
    EXPECT_TRUE(window->Items(3)->Checked());

    a->SetWindowState(wsMinimized);
    window->Items(2)->Click();
    EXPECT_EQ(m_main->ActiveMDIChild(), a);
    EXPECT_EQ(a->WindowState(), wsNormal);
    EXPECT_TRUE(window->Items(2)->Checked());
    EXPECT_FALSE(window->Items(3)->Checked());

    b->SetCaption("Renamed");
    EXPECT_EQ(window->Items(3)->Caption(), "&2 Renamed");
    delete b;
    ASSERT_EQ(window->Count(), 3);
    EXPECT_EQ(window->Items(2)->Caption(), "&1 First");
}

TEST_F(Mdi, TheActiveChildsMenuIsMergedByGroupIndex) {
    auto item = [](TMainMenu* menu, const std::string& caption, uint8_t group) {
        auto* it = new TMenuItem(menu);
        it->SetCaption(caption);
        it->SetGroupIndex(group);
        menu->Items()->Add(it);
        return it;
    };
    auto* mainMenu = new TMainMenu(m_main);
    TMenuItem* file = item(mainMenu, "&File", 0);
    TMenuItem* edit = item(mainMenu, "&Edit", 1);
    TMenuItem* window = item(mainMenu, "&Window", 9);
    m_main->SetMenu(mainMenu);
    int rebuilds = 0;
    mainMenu->OnChange = [&](TMenu*, TMenuItem*, bool rebuild) { rebuilds += rebuild ? 1 : 0; };

    TForm* a = AddChild("A");
    auto* childMenu = new TMainMenu(a);
    TMenuItem* childEdit = item(childMenu, "&Edit text", 1);
    TMenuItem* format = item(childMenu, "F&ormat", 5);
    int formatted = 0;
    auto* bold = new TMenuItem(childMenu);
    bold->SetCaption("&Bold");
    bold->SetShortCut(ShortCut(ui::VK_F5, 0));
    bold->OnClick = [&](TComponent*) { ++formatted; };
    format->Add(bold);
    a->SetMenu(childMenu);
    TForm* b = AddChild("B", {300, 10, 500, 160});  // no menu of its own
    EXPECT_EQ(mainMenu->MergedMenu(), nullptr);
    EXPECT_EQ(mainMenu->MergedItems(), (std::vector<TMenuItem*>{file, edit, window}));

    Ui().Click(a, 20, 20);
    // The child's Edit replaces the main form's (same group); Format goes between by its group.
    EXPECT_EQ(mainMenu->MergedItems(), (std::vector<TMenuItem*>{file, childEdit, format, window}));
    EXPECT_GT(rebuilds, 0);
    // The merged menu's shortcuts work from the main form's keyboard stage.
    Ui().KeyPress(ui::VK_F5);
    EXPECT_EQ(formatted, 1);

    Ui().Click(b, 20, 20);
    EXPECT_EQ(mainMenu->MergedItems(), (std::vector<TMenuItem*>{file, edit, window}));
    Ui().KeyPress(ui::VK_F5);
    EXPECT_EQ(formatted, 1);

    Ui().Click(a, 20, 20);
    EXPECT_EQ(mainMenu->MergedMenu(), childMenu);
    delete a;
    EXPECT_EQ(mainMenu->MergedMenu(), nullptr);
    EXPECT_EQ(mainMenu->MergedItems().size(), 3U);
}

TEST_F(Mdi, AMainFormFromAResourceHasItsClientMenuAndWindowMenu) {
    auto* main = new TForm(&App());
    ReadComponentResource(*main,
                          "object frmEditor: TForm\n  Caption = 'Editor'\n  FormStyle = fsMDIForm\n"
                          "  Menu = MainMenu1\n  WindowMenu = Window1\n  TileMode = tbVertical\n"
                          "  object MainMenu1: TMainMenu\n    object Window1: TMenuItem\n"
                          "      Caption = '&Window'\n    end\n  end\nend\n");
    ASSERT_NE(main->MDIClient(), nullptr);
    EXPECT_EQ(main->WindowMenu(), Ui().Find<TMenuItem>(*main, "Window1"));
    EXPECT_EQ(main->TileMode(), tbVertical);
    const std::string text = WriteComponentResource(*main);
    // The client and the menu bar are the form's own parts, never written.
    EXPECT_EQ(text.find("TMdiClient"), std::string::npos) << text;
    EXPECT_EQ(text.find("TMainMenuBar"), std::string::npos) << text;
    EXPECT_NE(text.find("WindowMenu = Window1"), std::string::npos) << text;
    delete main;
}

TEST_F(Mdi, AChildWithoutAnMdiMainFormIsAnError) {
    auto* plain = new TForm(&App());
    auto* child = new TForm(plain);
    App().SetMainForm(plain);
    m_main->SetFormStyle(fsNormal);
    EXPECT_THROW(child->SetFormStyle(fsMDIChild), std::logic_error);
    EXPECT_EQ(child->FormStyle(), fsNormal);
    EXPECT_EQ(m_main->MDIClient(), nullptr);
}

}  // namespace
