// The masked edit on the headless backend: a date field whose literals the caret skips, which
// refuses wrong characters and an incomplete date on leaving (the focus stays), and the mask's
// case conversion, blank character and save-literals field.

#include "FormsTestSupport.h"
#include "platform/forms/MaskEdit.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using namespace platform::ui;

class MaskEditTest : public FormsFixture {
protected:
    void SetUp() override {
        FormsFixture::SetUp();
        m_form = new TForm(&App());
        m_form->SetBounds(50, 50, 300, 200);
        m_date = new TMaskEdit(m_form);
        m_date->SetParent(m_form);
        m_date->SetBounds(8, 8, 120, 22);
        m_date->SetEditMask("!99/99/0000;1;_");
        m_date->OnValidateError = [this](TComponent*, const std::string& message) {
            m_errors.push_back(message);
        };
        m_next = new TTestEdit(m_form);
        m_next->SetParent(m_form);
        m_next->SetBounds(8, 40, 120, 22);
        m_form->Show();
        ProcessMessages();
        m_date->SetFocus();
        ProcessMessages();
        Press(VK_HOME);
    }

    TForm* m_form = nullptr;
    TMaskEdit* m_date = nullptr;
    TTestEdit* m_next = nullptr;
    std::vector<std::string> m_errors;
};

TEST_F(MaskEditTest, DateFieldSkipsLiteralsAndRefusesWrongCharacters) {
    EXPECT_EQ(m_date->Text(), "__/__/____");
    Session().TypeText("12x0");  // the letter is refused
    EXPECT_EQ(m_date->Text(), "12/0_/____");
    EXPECT_EQ(m_date->CaretPos(), 4);
    Session().TypeText("52024");
    EXPECT_EQ(m_date->Text(), "12/05/2024");
    EXPECT_EQ(m_date->Value(), "12/05/2024");
    // Backspace empties the place before the caret, jumping back over a literal.
    m_date->SetSelStart(6);
    Press(VK_BACK);
    EXPECT_EQ(m_date->Text(), "12/0_/2024");
    EXPECT_EQ(m_date->CaretPos(), 4);
    // Arrows step over literals.
    Press(VK_RIGHT);
    EXPECT_EQ(m_date->CaretPos(), 6);
    Press(VK_LEFT);
    EXPECT_EQ(m_date->CaretPos(), 4);
    // A paste fills the places from the caret.
    System().SetClipboardText("7");
    PressWith(VK_CONTROL, 'V');
    EXPECT_EQ(m_date->Text(), "12/07/2024");
}

TEST_F(MaskEditTest, LeavingWithAnIncompleteDateIsRefusedAndTheFocusStays) {
    Session().TypeText("0103");
    Press(VK_TAB);
    ProcessMessages();
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0], TCustomMaskEdit::kInvalidInput);
    EXPECT_TRUE(m_date->Focused());
    EXPECT_EQ(m_date->CaretPos(), 6);  // at the first empty required place
    Session().TypeText("1999");
    Press(VK_TAB);
    ProcessMessages();
    EXPECT_EQ(m_errors.size(), 1u);
    EXPECT_TRUE(m_next->Focused());
    EXPECT_TRUE(m_date->IsValid());
}

TEST_F(MaskEditTest, CaseBlankCharacterAndSaveLiterals) {
    m_date->SetEditMask(">LL<ll-0;0;*");
    EXPECT_EQ(m_date->Text(), "****-*");
    Session().TypeText("abCD7");
    EXPECT_EQ(m_date->Text(), "ABcd-7");
    EXPECT_EQ(m_date->Value(), "ABcd7");  // literals left out
    // Text set by the program is put into the places.
    m_date->SetText("xy");
    EXPECT_EQ(m_date->Text(), "XY**-*");
    EXPECT_FALSE(m_date->IsValid());
    // Without a mask it is a plain edit again.
    m_date->SetEditMask("");
    EXPECT_FALSE(m_date->IsMasked());
    Press(VK_END);
    Session().TypeText("!");
    EXPECT_EQ(m_date->Text(), "XY   !");  // the value without the mask
}

}  // namespace
}  // namespace formstest
