// The keyboard interface of forms: Tab order, dialog keys, accelerators, KeyPreview, shortcuts.

#include "FormsTestSupport.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StdCtrls.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using namespace platform::ui;

class Keyboard : public FormsFixture {
protected:
    template <class T>
    T* Get(TForm* form, const char* name) {
        auto* c = dynamic_cast<T*>(form->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    std::string FocusName(TForm* form) {
        TWinControl* c = TWinControl::FromWindow(System().GetFocus());
        (void)form;
        return c ? c->Name() : std::string("<none>");
    }
};

// Tab order given out of order in the file; a hidden, a disabled and a non-tab-stop control are
// skipped; the panel's children follow the panel in the order.
const char* kTabForm = R"(object TabForm: TForm
  Left = 100
  Top = 100
  ClientWidth = 400
  ClientHeight = 300
  object Third: TTestEdit
    Left = 8
    Top = 8
    TabOrder = 3
  end
  object First: TTestEdit
    Left = 8
    Top = 40
    TabOrder = 0
  end
  object Hidden: TTestEdit
    Left = 8
    Top = 70
    TabOrder = 1
    Visible = False
  end
  object Panel1: TTestPanel
    Left = 150
    Top = 8
    TabOrder = 2
    object Inner2: TTestEdit
      Left = 8
      Top = 40
      TabOrder = 1
    end
    object Inner1: TTestEdit
      Left = 8
      Top = 8
      TabOrder = 0
    end
  end
  object Disabled: TTestEdit
    Left = 8
    Top = 100
    TabOrder = 4
    Enabled = False
  end
  object NoStop: TTestButton
    Left = 8
    Top = 130
    TabOrder = 5
    TabStop = False
  end
  object Last: TTestButton
    Left = 8
    Top = 160
    TabOrder = 6
  end
end
)";

TEST_F(Keyboard, TabAndShiftTabFollowTheTabOrderAmongFocusableTabStops) {
    TForm* form = ShowForm(kTabForm);
    Get<TTestEdit>(form, "First")->SetFocus();
    ProcessMessages();
    EXPECT_EQ(FocusName(form), "First");
    std::vector<std::string> order;
    for (int i = 0; i < 6; ++i) {
        Press(VK_TAB);
        order.push_back(FocusName(form));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Inner1", "Inner2", "Third", "Last", "First", "Inner1"}));
    std::vector<std::string> back;
    for (int i = 0; i < 3; ++i) {
        PressWith(VK_SHIFT, VK_TAB);
        back.push_back(FocusName(form));
    }
    EXPECT_EQ(back, (std::vector<std::string>{"First", "Last", "Third"}));
    EXPECT_EQ(form->ActiveControl()->Name(), "Third");
    // The Tab key never reached a control as a character or key of its own.
    EXPECT_EQ(Get<TTestEdit>(form, "Third")->Typed, "");
}

TEST_F(Keyboard, TabOrderCanBeChangedAtRunTime) {
    TForm* form = ShowForm(kTabForm);
    auto* last = Get<TTestButton>(form, "Last");
    last->SetTabOrder(0);
    EXPECT_EQ(last->TabOrder(), 0);
    EXPECT_EQ(Get<TTestEdit>(form, "First")->TabOrder(), 1);
    Get<TTestEdit>(form, "Third")->SetFocus();
    ProcessMessages();
    Press(VK_TAB);
    EXPECT_EQ(FocusName(form), "Last");
}

const char* kDialogForm = R"(object Dialog: TForm
  ClientWidth = 300
  ClientHeight = 120
  object Edit1: TTestEdit
    Left = 8
    Top = 8
    TabOrder = 0
  end
  object OkButton: TTestButton
    Left = 8
    Top = 60
    Caption = '&Start'
    Default = True
    TabOrder = 1
  end
  object CancelButton: TTestButton
    Left = 100
    Top = 60
    Caption = 'Cancel'
    Cancel = True
    TabOrder = 2
  end
  object Label1: TLabel
    Left = 8
    Top = 100
    Caption = '&Name'
    FocusControl = Edit1
  end
end
)";

TEST_F(Keyboard, EnterReachesTheDefaultButtonAndEscapeTheCancelButton) {
    TForm* form = ShowForm(kDialogForm);
    auto* edit = Get<TTestEdit>(form, "Edit1");
    auto* ok = Get<TTestButton>(form, "OkButton");
    auto* cancel = Get<TTestButton>(form, "CancelButton");
    edit->SetFocus();
    ProcessMessages();
    Press(VK_RETURN);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(cancel->Clicks, 0);
    Press(VK_ESCAPE);
    EXPECT_EQ(cancel->Clicks, 1);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(FocusName(form), "Edit1");  // dialog keys do not move the focus
    // A control that wants Enter for itself keeps it.
    edit->WantReturn = true;
    Press(VK_RETURN);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(edit->Typed, "<CR>");
}

TEST_F(Keyboard, AcceleratorsReachTheControlWhoseCaptionHasThem) {
    TForm* form = ShowForm(kDialogForm);
    auto* edit = Get<TTestEdit>(form, "Edit1");
    auto* ok = Get<TTestButton>(form, "OkButton");
    auto* cancel = Get<TTestButton>(form, "CancelButton");
    cancel->SetFocus();
    ProcessMessages();
    // A plain letter while the focused control does not want characters.
    Press('S');
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(FocusName(form), "OkButton");
    // Alt+letter from a control that does want characters.
    edit->SetFocus();
    ProcessMessages();
    PressWith(VK_MENU, 'S');
    EXPECT_EQ(ok->Clicks, 2);
    EXPECT_EQ(edit->Typed, "");
    // A plain letter goes to the edit, which wants it.
    edit->SetFocus();
    ProcessMessages();
    Press('S');
    EXPECT_EQ(ok->Clicks, 2);
    EXPECT_EQ(edit->Typed, "s");
    // The label's accelerator focuses its FocusControl.
    cancel->SetFocus();
    ProcessMessages();
    PressWith(VK_MENU, 'N');
    EXPECT_EQ(FocusName(form), "Edit1");
}

TEST_F(Keyboard, KeyPreviewShowsTheFormEveryKeyFirst) {
    TForm* form = ShowForm(kDialogForm);
    auto* edit = Get<TTestEdit>(form, "Edit1");
    auto* ok = Get<TTestButton>(form, "OkButton");
    std::vector<std::string> seen;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
        seen.push_back("form " + std::to_string(key));
        if (key == VK_RETURN) key = 0;  // the form keeps Enter
    };
    edit->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
        seen.push_back("edit " + std::to_string(key));
    };
    form->OnKeyPress = [&](TComponent*, char32_t& ch) {
        if (ch == 'x') ch = 0;
    };
    edit->SetFocus();
    ProcessMessages();
    Press('A');
    Press(VK_RETURN);
    Press('X');
    EXPECT_EQ(seen, (std::vector<std::string>{"form 65", "edit 65", "form 13", "form 88", "edit 88"}));
    EXPECT_EQ(ok->Clicks, 0);
    EXPECT_EQ(edit->Typed, "a");
}

TEST_F(Keyboard, MenuShortcutsAndOnShortCutComeBeforeTheControl) {
    TForm* form = ShowForm(kDialogForm);
    auto* menu = new TMainMenu(form);
    auto* save = new TMenuItem(form);
    save->SetShortCut(TextToShortCut("Ctrl+S"));
    int saved = 0;
    save->OnClick = [&](TComponent*) { ++saved; };
    menu->Items()->Add(save);
    form->SetMenu(menu);
    auto* edit = Get<TTestEdit>(form, "Edit1");
    edit->SetFocus();
    ProcessMessages();
    PressWith(VK_CONTROL, 'S');
    EXPECT_EQ(saved, 1);
    bool handled = false;
    form->OnShortCut = [&](platform::forms::TMessage& key, bool& h) {
        if (key.WParam == VK_F2) h = handled = true;
    };
    Press(VK_F2);
    EXPECT_TRUE(handled);
    save->SetEnabled(false);
    PressWith(VK_CONTROL, 'S');
    EXPECT_EQ(saved, 1);
}

TEST_F(Keyboard, FocusChangesAreAnnouncedToTheFormsControls) {
    TForm* form = ShowForm(kDialogForm);
    struct TListener : TTestButton {
        using TTestButton::TTestButton;
        std::vector<TControl*> Seen;

    protected:
        void CMFocusChanged(platform::forms::TMessage& m) override {
            Seen.push_back(reinterpret_cast<TControl*>(m.LParam));
        }
    };
    auto* listener = new TListener(form);
    listener->SetParent(form);
    auto* edit = Get<TTestEdit>(form, "Edit1");
    auto* ok = Get<TTestButton>(form, "OkButton");
    std::vector<std::string> enterExit;
    edit->OnEnter = [&](TComponent*) { enterExit.push_back("enter edit"); };
    edit->OnExit = [&](TComponent*) { enterExit.push_back("exit edit"); };
    ok->OnEnter = [&](TComponent*) { enterExit.push_back("enter ok"); };
    edit->SetFocus();
    ProcessMessages();
    ok->SetFocus();
    ProcessMessages();
    ASSERT_GE(listener->Seen.size(), 2u);
    EXPECT_EQ(listener->Seen[listener->Seen.size() - 2], edit);
    EXPECT_EQ(listener->Seen.back(), ok);
    EXPECT_EQ(enterExit, (std::vector<std::string>{"enter edit", "exit edit", "enter ok"}));
    EXPECT_TRUE(ok->Focused());
    EXPECT_EQ(form->ActiveControl(), ok);
}

}  // namespace
}  // namespace formstest
