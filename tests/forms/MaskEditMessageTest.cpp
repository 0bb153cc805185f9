// A masked edit whose value is refused on leaving, with no OnValidateError handler: the
// framework's message box tells the user, and the focus comes back to the edit.

#include "support/UiTest.h"

#include "platform/forms/Form.h"
#include "platform/forms/MaskEdit.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/Screen.h"
#include "platform/forms/StdCtrls.h"
#include "platform/ui/WindowSystem.h"

namespace {

using namespace platform::forms;
using namespace platform::ui;

class MaskEditMessageTest : public vktest::UiTest {
protected:
    void SetUp() override {
        vktest::UiTest::SetUp();
        m_form = new TForm(&App());
        m_form->SetBounds(50, 50, 300, 200);
        m_date = new TMaskEdit(m_form);
        m_date->SetName("medBirthday");
        m_date->SetParent(m_form);
        m_date->SetBounds(8, 8, 120, 22);
        m_date->SetEditMask("!99/99/0000;1;_");
        m_next = new TEdit(m_form);
        m_next->SetName("edtNext");
        m_next->SetParent(m_form);
        m_next->SetBounds(8, 40, 120, 22);
        m_form->Show();
        ProcessMessages();
    }

    // What the box showed when it came up; the hook answers it with the given key (0: a click
    // on its OK button).
    struct TSeen {
        int Boxes = 0;
        std::string Text;
        std::string Caption;
        bool EditFocusedMeanwhile = false;
        bool ActiveWasTheBox = false;
    };
    void AnswerBoxes(TSeen& seen, uint32_t key) {
        Session().SetIdleHook([this, &seen, key](platform::ui::headless::THeadlessSession& s) {
            TForm* box = nullptr;
            for (int i = 0; i < platform::forms::Screen->FormCount(); ++i)
                if (platform::forms::Screen->Forms(i)->Name() == kMessageBoxName)
                    box = platform::forms::Screen->Forms(i);
            if (!box || !box->Visible()) return false;
            ++seen.Boxes;
            seen.Text = Ui().Find<TLabel>(*box, "lblText")->Caption();
            seen.Caption = box->Caption();
            seen.EditFocusedMeanwhile = m_date->Focused();
            seen.ActiveWasTheBox = s.System().GetActiveWindow() == box->Handle();
            if (key != 0) {
                s.Backend().QueueKey(key, true);
                s.Backend().QueueKey(key, false);
            } else {
                auto* ok = Ui().Find<TWinControl>(*box, "btnOK");
                const auto centre = ok->ClientToScreen({ok->Width() / 2, ok->Height() / 2});
                s.Backend().QueueMouseMove(centre);
                s.Backend().QueueButton(platform::ui::TMouseButton::Left, true);
                s.Backend().QueueButton(platform::ui::TMouseButton::Left, false);
            }
            return true;
        });
    }

    TForm* m_form = nullptr;
    TMaskEdit* m_date = nullptr;
    TEdit* m_next = nullptr;
};

TEST_F(MaskEditMessageTest, ARefusedValueShowsTheMessageAndKeepsTheFocus) {
    App().SetTitle("Calendar");
    TSeen seen;
    AnswerBoxes(seen, VK_RETURN);
    auto* date = Ui().Find<TMaskEdit>(*m_form, "medBirthday");
    Ui().Type(date, "0103");
    Ui().Click(Ui().Find<TEdit>(*m_form, "edtNext"));
    ProcessMessages();
    EXPECT_EQ(seen.Boxes, 1);
    EXPECT_EQ(seen.Text, TCustomMaskEdit::kInvalidInput);
    EXPECT_EQ(seen.Caption, "Calendar");
    EXPECT_TRUE(seen.ActiveWasTheBox);
    EXPECT_FALSE(seen.EditFocusedMeanwhile);
    // The box is gone, the edit has the focus again with the caret at the first empty place.
    for (int i = 0; i < platform::forms::Screen->FormCount(); ++i)
        EXPECT_NE(platform::forms::Screen->Forms(i)->Name(), kMessageBoxName);
    EXPECT_TRUE(date->Focused());
    EXPECT_EQ(date->CaretPos(), 6);
    EXPECT_EQ(date->Text(), "01/03/____");

    // Escape closes the box as well; Tab away is refused the same way.
    AnswerBoxes(seen, VK_ESCAPE);
    Ui().KeyPress(VK_TAB);
    ProcessMessages();
    EXPECT_EQ(seen.Boxes, 2);
    EXPECT_TRUE(date->Focused());

    // A click on OK closes it too; a complete date then lets the focus go.
    AnswerBoxes(seen, 0);
    Ui().Click(m_next);
    ProcessMessages();
    EXPECT_EQ(seen.Boxes, 3);
    EXPECT_TRUE(date->Focused());
    Ui().TypeText("1999");
    Ui().Click(m_next);
    ProcessMessages();
    EXPECT_EQ(seen.Boxes, 3);
    EXPECT_TRUE(m_next->Focused());
}

TEST_F(MaskEditMessageTest, AHandlerReplacesTheBoxAndValidateEditShowsItWhenCalled) {
    TSeen seen;
    AnswerBoxes(seen, VK_RETURN);
    std::vector<std::string> reported;
    m_date->OnValidateError = [&](TComponent*, const std::string& message) { reported.push_back(message); };
    Ui().Type(m_date, "12");
    Ui().Click(m_next);
    ProcessMessages();
    EXPECT_EQ(reported.size(), 1u);
    EXPECT_EQ(seen.Boxes, 0);
    EXPECT_TRUE(m_date->Focused());
    // Without the handler, the program's own check shows the box at once.
    m_date->OnValidateError = nullptr;
    EXPECT_FALSE(m_date->ValidateEdit());
    EXPECT_EQ(seen.Boxes, 1);
    EXPECT_EQ(seen.Text, TCustomMaskEdit::kInvalidInput);
}

TEST_F(MaskEditMessageTest, TheBoxIsSizedToItsTextAndCentred) {
    const std::string text = "A first line of the message\rand a second, longer line of the message";
    TSeen seen;
    TRect box{};
    TRect label{};
    Session().SetIdleHook([&](platform::ui::headless::THeadlessSession& s) {
        TWindow* active = s.System().GetActiveWindow();
        if (!active || seen.Boxes > 0) return false;
        ++seen.Boxes;
        box = active->WindowRect();
        for (int i = 0; i < platform::forms::Screen->FormCount(); ++i) {
            if (platform::forms::Screen->Forms(i)->Name() != kMessageBoxName) continue;
            const auto* l = Ui().Find<TLabel>(*platform::forms::Screen->Forms(i), "lblText");
            label = l->BoundsRect();
            Ui().SavePng("framework_message_box");
        }
        s.Backend().QueueKey(VK_SPACE, true);
        s.Backend().QueueKey(VK_SPACE, false);
        return true;
    });
    EXPECT_EQ(ShowMessageBox(text, "Note"), mrOk);
    ASSERT_EQ(seen.Boxes, 1);
    const int screenWidth = System().GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = System().GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(box.Left, (screenWidth - box.Width()) / 2, 1);
    EXPECT_NEAR(box.Top, (screenHeight - box.Height()) / 2, 1);
    // Two lines of text, and the box wide enough for the longer one.
    EXPECT_GT(label.Height(), 2 * 12);
    EXPECT_GT(box.Width(), label.Width() + 2 * 16 - 1);
}

}  // namespace
