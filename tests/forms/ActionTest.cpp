// Actions: linked controls and menu items follow the action's properties, clicks and shortcuts
// run it (not while disabled), OnUpdate runs when the program is idle, and links end with
// either side.

#include <string>
#include <vector>

#include "platform/forms/ActnList.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StdCtrls.h"
#include "support/UiTest.h"

namespace {

using namespace platform::forms;
namespace ui = platform::ui;

class Actions : public vktest::UiTest {
protected:
    // The loop has run out of messages: it calls the window system's idle hook, which the
    // application answers.
    void IdleTurn() {
        ProcessMessages();
        ASSERT_TRUE(System().OnIdle);
        System().OnIdle();
    }

    void SetUp() override {
        vktest::UiTest::SetUp();
        m_form = new TForm(&App());
        App().SetMainForm(m_form);
        m_form->SetBounds(40, 40, 300, 200);
        m_list = new TActionList(m_form);
        m_open = new TAction(m_form);
        m_open->SetActionList(m_list);
        m_open->SetCaption("&Open...");
        m_open->SetHint("Opens a file");
        m_open->SetShortCut(ShortCut('O', ssCtrl));
        m_open->OnExecute = [this](TComponent*) { ++m_runs; };
        m_label = new TLabel(m_form);
        m_label->SetParent(m_form);
        m_label->SetBounds(10, 10, 120, 20);
        m_menu = new TMainMenu(m_form);
        m_item = new TMenuItem(m_menu);
        m_menu->Items()->Add(m_item);
        m_form->Show();
        ProcessMessages();
    }

    TForm* m_form = nullptr;
    TActionList* m_list = nullptr;
    TAction* m_open = nullptr;
    TLabel* m_label = nullptr;
    TMainMenu* m_menu = nullptr;
    TMenuItem* m_item = nullptr;
    int m_runs = 0;
};

TEST_F(Actions, LinkedClientsFollowTheActionAndRunIt) {
    SetControlAction(m_label, m_open);
    SetMenuItemAction(m_item, m_open);
    EXPECT_EQ(ControlAction(m_label), m_open);
    EXPECT_EQ(MenuItemAction(m_item), m_open);
    EXPECT_EQ(m_label->Caption(), "&Open...");
    EXPECT_EQ(m_label->Hint(), "Opens a file");
    EXPECT_EQ(m_item->Caption(), "&Open...");
    EXPECT_EQ(m_item->ShortCut(), ShortCut('O', ssCtrl));

    m_open->SetCaption("&Load...");
    m_open->SetChecked(true);
    m_open->SetImageIndex(3);
    EXPECT_EQ(m_label->Caption(), "&Load...");
    EXPECT_EQ(m_item->Caption(), "&Load...");
    EXPECT_TRUE(m_item->Checked());
    EXPECT_EQ(m_item->ImageIndex(), 3);

    Ui().Click(m_label);
    m_item->Click();
    EXPECT_EQ(m_runs, 2);

    // Disabled, the clients are disabled and nothing runs, even when asked directly.
    m_open->SetEnabled(false);
    EXPECT_FALSE(m_label->Enabled());
    EXPECT_FALSE(m_item->Enabled());
    EXPECT_FALSE(m_open->Execute());
    m_item->Click();
    EXPECT_EQ(m_runs, 2);
    m_open->SetEnabled(true);
    m_open->SetVisible(false);
    EXPECT_FALSE(m_label->Visible());
    EXPECT_FALSE(m_item->Visible());
    m_open->SetVisible(true);

    // A client with its own click handler keeps it.
    auto* other = new TLabel(m_form);
    int own = 0;
    other->OnClick = [&](TComponent*) { ++own; };
    SetControlAction(other, m_open);
    other->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(m_runs, 2);

    // Unlinking leaves the client as it is, without the action's click.
    SetControlAction(m_label, nullptr);
    EXPECT_EQ(ControlAction(m_label), nullptr);
    m_open->SetCaption("Changed");
    EXPECT_EQ(m_label->Caption(), "&Load...");
    m_label->Click();
    EXPECT_EQ(m_runs, 2);
}

TEST_F(Actions, ShortcutsAutoCheckAndTheListsEvents) {
    Ui().KeyPress('O', vktest::kControl);
    EXPECT_EQ(m_runs, 1);
    m_open->SetEnabled(false);
    Ui().KeyPress('O', vktest::kControl);
    EXPECT_EQ(m_runs, 1);
    m_open->SetEnabled(true);

    m_open->AutoCheck = true;
    SetMenuItemAction(m_item, m_open);
    EXPECT_TRUE(m_open->Execute());
    EXPECT_TRUE(m_open->Checked());
    EXPECT_TRUE(m_item->Checked());

    // The list's OnExecute may take an action's run.
    std::vector<std::string> seen;
    m_list->OnExecute = [&](TBasicAction* action, bool& handled) {
        seen.push_back(static_cast<TAction*>(action)->Caption());
        handled = true;
    };
    m_open->Execute();
    EXPECT_EQ(seen, (std::vector<std::string>{"&Open..."}));
    EXPECT_EQ(m_runs, 2);  // only the first direct Execute above ran the action's own event
}

TEST_F(Actions, OnUpdateRunsWhenIdle) {
    SetControlAction(m_label, m_open);
    bool documentOpen = false;
    int updates = 0;
    m_open->OnUpdate = [&](TComponent*) {
        ++updates;
        m_open->SetEnabled(documentOpen);
    };
    IdleTurn();
    EXPECT_GT(updates, 0);
    EXPECT_FALSE(m_label->Enabled());
    documentOpen = true;
    IdleTurn();
    EXPECT_TRUE(m_label->Enabled());
    // The list's OnUpdate may take the update.
    m_list->OnUpdate = [&](TBasicAction*, bool& handled) { handled = true; };
    const int before = updates;
    documentOpen = false;
    IdleTurn();
    EXPECT_EQ(updates, before);
    EXPECT_TRUE(m_label->Enabled());
}

TEST_F(Actions, LinksEndWithEitherSide) {
    SetControlAction(m_label, m_open);
    SetMenuItemAction(m_item, m_open);
    delete m_label;
    m_open->SetCaption("After");
    EXPECT_EQ(m_item->Caption(), "After");
    delete m_open;
    EXPECT_EQ(MenuItemAction(m_item), nullptr);
    EXPECT_EQ(m_list->ActionCount(), 0);
    m_item->Click();  // the action's click went with it
    EXPECT_EQ(m_runs, 0);
}

TEST_F(Actions, FormResourcesLinkActionsByName) {
    class TActionForm : public TForm {
    public:
        explicit TActionForm(TComponent* owner) : TForm(owner) {
            PublishMethod<void(TComponent*)>("actSaveExecute", [this](TComponent*) { ++Saved; });
        }
        int Saved = 0;
    };
    auto* form = new TActionForm(&App());
    ReadComponentResource(*form,
                          "object F: TForm\n"
                          "  object ActionList1: TActionList\n  end\n"
                          "  object actSave: TAction\n    ActionList = ActionList1\n    Caption = '&Save'\n"
                          "    ShortCut = 'Ctrl+S'\n    Enabled = False\n    OnExecute = actSaveExecute\n  end\n"
                          "  object Label1: TLabel\n    Action = actSave\n  end\n"
                          "  object MainMenu1: TMainMenu\n    object Save1: TMenuItem\n      Action = actSave\n"
                          "    end\n  end\nend\n");
    auto* list = Ui().Find<TActionList>(*form, "ActionList1");
    auto* save = Ui().Find<TAction>(*form, "actSave");
    auto* label = Ui().Find<TLabel>(*form, "Label1");
    auto* item = Ui().Find<TMenuItem>(*form, "Save1");
    EXPECT_EQ(save->ActionList(), list);
    EXPECT_EQ(list->ActionCount(), 1);
    EXPECT_EQ(save->ShortCut(), ShortCut('S', ssCtrl));
    EXPECT_EQ(ControlAction(label), save);
    EXPECT_EQ(label->Caption(), "&Save");
    EXPECT_FALSE(label->Enabled());
    EXPECT_EQ(MenuItemAction(item), save);
    save->SetEnabled(true);
    item->Click();
    EXPECT_EQ(form->Saved, 1);
    const std::string text = WriteComponentResource(*form);
    EXPECT_NE(text.find("Action = actSave"), std::string::npos) << text;
    EXPECT_NE(text.find("ShortCut = 'Ctrl+S'"), std::string::npos) << text;
    delete form;
}

}  // namespace
