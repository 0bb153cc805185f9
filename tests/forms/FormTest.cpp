// Forms: showing, activation, closing with its actions, Alt+F4, ShowModal, frame and position.

#include "FormsTestSupport.h"
#include "platform/forms/Screen.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using namespace platform::ui;

class Forms : public FormsFixture {};

const char* kModalForm = R"(object Modal: TForm
  BorderStyle = bsDialog
  Position = poScreenCenter
  ClientWidth = 200
  ClientHeight = 100
  object Yes: TTestButton
    Left = 8
    Top = 8
    Caption = '&Yes'
    ModalResult = 6
  end
  object Plain: TTestButton
    Left = 100
    Top = 8
    Caption = 'Plain'
  end
end
)";

TForm* MakeForm(TComponent* owner, const char* text) {
    auto* form = new TForm(owner);
    ReadComponentResource(*form, text);
    form->DoCreate();
    return form;
}

TEST_F(Forms, ShowModalReturnsTheModalResultSetByAControl) {
    auto* main = new TForm(&App());
    App().SetMainForm(main);
    main->SetBounds(10, 10, 400, 300);
    main->Show();
    ProcessMessages();
    TForm* modal = MakeForm(&App(), kModalForm);
    auto* yes = dynamic_cast<TTestButton*>(modal->FindComponent("Yes"));
    auto* plain = dynamic_cast<TTestButton*>(modal->FindComponent("Plain"));
    int step = 0;
    bool mainDisabledDuringLoop = false;
    Session().SetIdleHook([&](headless::THeadlessSession& s) {
        ++step;
        if (step == 1) {
            mainDisabledDuringLoop = !main->HandleIfAllocated()->IsEnabled();
            s.Click(plain->ClientToScreen({5, 5}));  // no modal result: the loop goes on
            return true;
        }
        if (step == 2) {
            s.Click(yes->ClientToScreen({5, 5}));
            return true;
        }
        return false;
    });
    const TModalResult result = modal->ShowModal();
    EXPECT_EQ(result, mrYes);
    EXPECT_TRUE(mainDisabledDuringLoop);
    EXPECT_EQ(plain->Clicks, 1);
    EXPECT_EQ(yes->Clicks, 1);
    EXPECT_FALSE(modal->Visible());
    EXPECT_FALSE(modal->HandleIfAllocated()->IsVisible());
    EXPECT_TRUE(main->HandleIfAllocated()->IsEnabled());
    EXPECT_EQ(System().GetActiveWindow(), main->HandleIfAllocated());
    // Centred on the screen (1024 x 768) when shown.
    EXPECT_EQ(modal->Left(), (1024 - modal->Width()) / 2);
    EXPECT_EQ(modal->Top(), (768 - modal->Height()) / 2);
    EXPECT_THROW({ main->ShowModal(); }, std::logic_error);  // visible already
}

TEST_F(Forms, AltF4InAModalLoopEndsItWithCancel) {
    TForm* modal = MakeForm(&App(), kModalForm);
    bool closed = false;
    modal->OnClose = [&](TComponent*, TCloseAction& action) {
        closed = true;
        EXPECT_EQ(action, caHide);
    };
    Session().SetIdleHook([&](headless::THeadlessSession& s) {
        if (closed) return false;
        s.KeyDown(VK_MENU);
        s.KeyPress(VK_F4);
        s.KeyUp(VK_MENU);
        return true;
    });
    EXPECT_EQ(modal->ShowModal(), mrCancel);
    EXPECT_TRUE(closed);
}

TEST_F(Forms, AnOnCloseThatSaysNoKeepsTheModalLoopRunning) {
    TForm* modal = MakeForm(&App(), kModalForm);
    auto* yes = dynamic_cast<TTestButton*>(modal->FindComponent("Yes"));
    int queries = 0;
    modal->OnCloseQuery = [&](TComponent*, bool& canClose) { canClose = ++queries > 1; };
    int step = 0;
    Session().SetIdleHook([&](headless::THeadlessSession& s) {
        if (++step > 2) return false;
        s.Advance(1000);  // two clicks, not a double click
        s.Click(yes->ClientToScreen({5, 5}));
        return true;
    });
    EXPECT_EQ(modal->ShowModal(), mrYes);
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(yes->Clicks, 2);
}

TEST_F(Forms, AltF4ClosesTheActiveFormThroughOnClose) {
    auto* form = new TForm(&App());
    auto* edit = new TTestEdit(form);
    edit->SetParent(form);
    std::vector<std::string> events;
    form->OnCloseQuery = [&](TComponent*, bool& can) {
        events.push_back("query");
        can = events.size() > 1;
    };
    form->OnClose = [&](TComponent*, TCloseAction&) { events.push_back("close"); };
    form->OnHide = [&](TComponent*) { events.push_back("hide"); };
    form->Show();
    edit->SetFocus();
    ProcessMessages();
    PressWith(VK_MENU, VK_F4);
    EXPECT_EQ(events, (std::vector<std::string>{"query"}));
    EXPECT_TRUE(form->HandleIfAllocated()->IsVisible());
    PressWith(VK_MENU, VK_F4);
    EXPECT_EQ(events, (std::vector<std::string>{"query", "query", "close", "hide"}));
    EXPECT_FALSE(form->Visible());
    ASSERT_NE(form->HandleIfAllocated(), nullptr);  // hidden, not destroyed
}

TEST_F(Forms, ClosingTheMainFormEndsTheApplicationAndCaFreeFreesTheForm) {
    auto* other = new TForm(&App());
    other->OnClose = [](TComponent*, TCloseAction& action) { action = caFree; };
    other->Show();
    ProcessMessages();
    const auto alive = other->WeakRef();
    other->Close();
    ProcessMessages();
    EXPECT_FALSE(alive.Alive());
    auto* main = new TForm(&App());
    App().SetMainForm(main);
    main->Show();
    ProcessMessages();
    main->Close();
    EXPECT_TRUE(App().Terminated());
    EXPECT_TRUE(System().QuitPending());
}

TEST_F(Forms, ShowActivateAndDeactivateEventsFollowTheWindow) {
    std::vector<std::string> events;
    auto* a = new TForm(&App());
    a->SetName("A");
    auto* b = new TForm(&App());
    b->SetName("B");
    for (TForm* f : {a, b}) {
        f->OnShow = [&events, f](TComponent*) { events.push_back("show " + f->Name()); };
        f->OnActivate = [&events, f](TComponent*) { events.push_back("activate " + f->Name()); };
        f->OnDeactivate = [&events, f](TComponent*) { events.push_back("deactivate " + f->Name()); };
    }
    a->SetBounds(0, 0, 200, 150);
    b->SetBounds(300, 0, 200, 150);
    a->Show();
    ProcessMessages();
    b->Show();
    ProcessMessages();
    EXPECT_EQ(platform::forms::Screen->ActiveForm(), b);
    Session().Click(a->ClientToScreen({10, 10}));
    EXPECT_EQ(platform::forms::Screen->ActiveForm(), a);
    EXPECT_EQ(events, (std::vector<std::string>{"show A", "activate A", "show B", "deactivate A",
                                                "activate B", "deactivate B", "activate A"}));
    EXPECT_EQ(platform::forms::Screen->FormCount(), 2);
}

TEST_F(Forms, BorderStyleIconsCaptionAndClientSizeReachTheWindow) {
    TForm* form =
        MakeForm(&App(),
                 "object F: TForm\n  BorderStyle = bsSingle\n  BorderIcons = [biSystemMenu, biMinimize]\n"
                 "  Caption = 'Title'\n  ClientWidth = 760\n  ClientHeight = 570\nend\n");
    form->Show();
    ProcessMessages();
    TWindow* w = form->HandleIfAllocated();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->HasStyle(WS_CAPTION));
    EXPECT_FALSE(w->HasStyle(WS_THICKFRAME));
    EXPECT_TRUE(w->HasStyle(WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_FALSE(w->HasStyle(WS_MAXIMIZEBOX));
    EXPECT_EQ(w->ClientRect().Width(), 760);
    EXPECT_EQ(w->ClientRect().Height(), 570);
    EXPECT_EQ(form->ClientWidth(), 760);
    EXPECT_EQ(Backend().Native(w->NativeId())->Title, "Title");
    form->SetCaption("New title");
    EXPECT_EQ(Backend().Native(w->NativeId())->Title, "New title");
    form->SetBorderStyle(bsNone);
    EXPECT_FALSE(w->HasStyle(WS_CAPTION));
    EXPECT_EQ(form->Width(), w->Width());
}

TEST_F(Forms, WindowStateMinimisesAndRestores) {
    auto* form = new TForm(&App());
    form->Show();
    ProcessMessages();
    form->SetWindowState(wsMinimized);
    EXPECT_TRUE(form->HandleIfAllocated()->IsIconic());
    EXPECT_EQ(form->WindowState(), wsMinimized);
    form->SetWindowState(wsNormal);
    EXPECT_EQ(form->WindowState(), wsNormal);
    App().SetMainForm(form);
    App().Minimize();
    EXPECT_TRUE(form->HandleIfAllocated()->IsIconic());
    App().Restore();
    EXPECT_FALSE(form->HandleIfAllocated()->IsIconic());
}

TEST_F(Forms, MinimiseWorksAgainAfterTheDesktopRestoredTheWindow) {
    auto* form = new TForm(&App());
    form->Show();
    ProcessMessages();
    App().SetMainForm(form);
    int minimised = 0;
    App().OnMinimize = [&](TComponent*) { ++minimised; };
    App().Minimize();
    ASSERT_TRUE(form->HandleIfAllocated()->IsIconic());
    // A taskbar click restores the window without going through the application.
    System().ShowWindow(form->HandleIfAllocated(), SW_RESTORE);
    ASSERT_FALSE(form->HandleIfAllocated()->IsIconic());
    App().Minimize();
    EXPECT_TRUE(form->HandleIfAllocated()->IsIconic());
    EXPECT_EQ(minimised, 2);
    // And the other way round: minimised from outside, Restore brings it back.
    App().Restore();
    System().ShowWindow(form->HandleIfAllocated(), SW_MINIMIZE);
    App().Restore();
    EXPECT_FALSE(form->HandleIfAllocated()->IsIconic());
}

TEST_F(Forms, AWindowProcedureHookSeesTheFormsMessagesFirst) {
    auto* form = new TForm(&App());
    std::vector<uint32_t> seen;
    TWndMethod saved = form->WindowProc;
    form->WindowProc = [&](platform::forms::TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_NCHITTEST) {
            m.Result = HTCAPTION;
            return;
        }
        saved(m);
    };
    form->SetBounds(50, 50, 200, 100);
    form->Show();
    ProcessMessages();
    const auto hit = System().SendMessage(form->Handle(), WM_NCHITTEST, 0, PointToLParam({100, 100}));
    EXPECT_EQ(hit, HTCAPTION);
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_ACTIVATE), seen.end());
    // The hook belongs to the control, so it outlives the window.
    form->RecreateWnd();
    EXPECT_EQ(System().SendMessage(form->Handle(), WM_NCHITTEST, 0, PointToLParam({100, 100})), HTCAPTION);
    form->WindowProc = saved;
    EXPECT_NE(System().SendMessage(form->Handle(), WM_NCHITTEST, 0, PointToLParam({100, 100})), HTCAPTION);
}

}  // namespace
}  // namespace formstest
