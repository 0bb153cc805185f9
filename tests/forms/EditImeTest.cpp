// Input methods on the headless backend: the focused edit or memo reports its caret (screen
// coordinates) wherever the caret goes, and shows the pre-edit text underlined at the caret
// without making it part of the text.

#include "support/UiTest.h"

#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Memo.h"
#include "platform/ui/WindowSystem.h"

namespace {

using namespace platform::forms;
using namespace platform::ui;
using platform::core::TRect;

class EditImeTest : public vktest::UiTest {
protected:
    void SetUp() override {
        vktest::UiTest::SetUp();
        m_form = new TForm(&App());
        m_form->SetBounds(40, 30, 320, 240);
        m_edit = new TEdit(m_form);
        m_edit->SetName("edtName");
        m_edit->SetParent(m_form);
        m_edit->SetBounds(10, 10, 200, 24);
        m_memo = new TMemo(m_form);
        m_memo->SetName("memNotes");
        m_memo->SetParent(m_form);
        m_memo->SetBounds(10, 50, 200, 100);
        m_memo->SetWordWrap(false);
        m_form->Show();
        ProcessMessages();
    }

    // The caret as the screen sees it.
    static TRect ScreenCaret(TCustomEdit* edit) {
        const TRect r = edit->CaretRect();
        const auto topLeft = edit->ClientToScreen({r.Left, r.Top});
        return {topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height()};
    }

    void Compose(const std::string& text, int caret) {
        TInputEvent e;
        e.Kind = TInputKind::Composition;
        e.Window = Backend().KeyboardFocus();
        e.Text = text;
        e.Char = static_cast<char32_t>(caret);
        Backend().QueueEvent(e);
        ProcessMessages();
    }

    // Pixels of the edit's text colour along the bottom row of a client rectangle.
    int TextColouredInRow(const platform::gfx::TBitmap& shot, const TRect& r) const {
        int count = 0;
        for (int x = r.Left; x < r.Right; ++x)
            if (vktest::TUiTestContext::Distance(shot.Pixel(x, r.Bottom - 1), m_edit->Font().Color()) < 60)
                ++count;
        return count;
    }

    TForm* m_form = nullptr;
    TEdit* m_edit = nullptr;
    TMemo* m_memo = nullptr;
};

TEST_F(EditImeTest, TheEditReportsItsCaretInScreenCoordinatesAsItMoves) {
    auto* edit = Ui().Find<TEdit>(*m_form, "edtName");
    Ui().Click(edit, 5, 12);
    const TRect start = Backend().ImeCaretRect();
    EXPECT_EQ(start, ScreenCaret(edit));
    EXPECT_EQ(Backend().ImeCaretWindow(), m_form->Handle()->NativeId());
    EXPECT_GT(start.Left, 40 + 10);  // inside the edit, which sits inside the form
    EXPECT_GT(start.Height(), 8);

    Ui().TypeText("Hello \xE6\x97\xA5");
    const TRect typed = Backend().ImeCaretRect();
    EXPECT_EQ(typed, ScreenCaret(edit));
    EXPECT_GT(typed.Left, start.Left + 20);
    EXPECT_EQ(typed.Top, start.Top);

    Ui().KeyPress(VK_HOME);
    EXPECT_EQ(Backend().ImeCaretRect(), start);

    // Moving the form moves the reported caret with it once the caret moves again.
    m_form->SetBounds(100, 90, 320, 240);
    ProcessMessages();
    Ui().KeyPress(VK_END);
    EXPECT_EQ(Backend().ImeCaretRect().Left, typed.Left + 60);
    EXPECT_EQ(Backend().ImeCaretRect().Top, typed.Top + 60);
}

TEST_F(EditImeTest, TheMemoReportsItsCaretOnEveryLineAndAfterScrolling) {
    auto* memo = Ui().Find<TMemo>(*m_form, "memNotes");
    std::vector<std::string> lines;
    for (int i = 0; i < 30; ++i) lines.push_back("line " + std::to_string(i));
    memo->SetLines(lines);
    Ui().Click(memo, 4, 4);
    const TRect first = Backend().ImeCaretRect();
    EXPECT_EQ(first, ScreenCaret(memo));

    Ui().KeyPress(VK_DOWN);
    Ui().KeyPress(VK_DOWN);
    const TRect third = Backend().ImeCaretRect();
    EXPECT_EQ(third, ScreenCaret(memo));
    EXPECT_EQ(third.Top, first.Top + 2 * first.Height());

    // Scrolling by the wheel moves the caret's row on the screen without moving the caret.
    Ui().MoveTo(memo);
    Ui().Wheel(-120);
    EXPECT_EQ(memo->CaretPosition().Y, 2);
    EXPECT_GT(memo->FirstVisibleLine(), 0);
    EXPECT_EQ(Backend().ImeCaretRect(), ScreenCaret(memo));
    EXPECT_LT(Backend().ImeCaretRect().Top, third.Top);
}

TEST_F(EditImeTest, OnlyTheFocusedControlReports) {
    Ui().Click(m_edit, 5, 12);
    const TRect editCaret = Backend().ImeCaretRect();
    // The program changes the unfocused memo's caret: the input method keeps the edit's.
    m_memo->SetLines({"one", "two"});
    m_memo->SetSelStart(5);
    ProcessMessages();
    EXPECT_EQ(Backend().ImeCaretRect(), editCaret);
    Ui().Click(m_memo, 4, 4);
    EXPECT_EQ(Backend().ImeCaretRect(), ScreenCaret(m_memo));
}

TEST_F(EditImeTest, PreeditTextShowsUnderlinedAtTheCaretWithoutChangingTheText) {
    Ui().Type(m_edit, "ab");
    Ui().KeyPress(VK_LEFT);  // caret between a and b
    const TRect caret = m_edit->CaretRect();
    const auto before = Ui().Capture(m_edit);

    Compose("\xE3\x81\x8B\xE3\x81\xAA", 1);  // two kana, the input method's cursor after the first
    EXPECT_EQ(m_edit->Text(), "ab");
    EXPECT_EQ(m_edit->CompositionText(), "\xE3\x81\x8B\xE3\x81\xAA");
    const TRect shown = m_edit->CompositionRect();
    EXPECT_EQ(shown.Left, caret.Left);
    EXPECT_GT(shown.Width(), 10);
    // The underline runs along the bottom of the pre-edit text in the text colour.
    const int underlined = TextColouredInRow(Ui().Capture(m_edit), shown);
    EXPECT_GE(underlined, shown.Width() - 2);
    EXPECT_LT(TextColouredInRow(before, shown), shown.Width() / 2);
    Ui().SavePng(Ui().Capture(m_edit), "edit_preedit");
    // The input method is told where the pre-edit cursor is: after the first kana.
    EXPECT_GT(Backend().ImeCaretRect().Left, ScreenCaret(m_edit).Left + 3);

    // The commit arrives as typed characters and ends the pre-edit.
    Compose("", 0);
    EXPECT_TRUE(m_edit->CompositionText().empty());
    Ui().TypeText("\xE3\x81\x8B");
    EXPECT_EQ(m_edit->Text(),
              "a\xE3\x81\x8B"
              "b");
    EXPECT_LT(TextColouredInRow(Ui().Capture(m_edit), shown), shown.Width() / 2);
}

TEST_F(EditImeTest, LosingTheFocusDropsThePreedit) {
    Ui().Click(m_memo, 4, 4);
    Compose("xyz", 3);
    EXPECT_EQ(m_memo->CompositionText(), "xyz");
    EXPECT_TRUE(m_memo->Text().empty());
    Ui().Click(m_edit, 5, 12);
    EXPECT_TRUE(m_memo->CompositionText().empty());
    // A pre-edit now goes to the edit, which has the focus.
    Compose("q", 1);
    EXPECT_EQ(m_edit->CompositionText(), "q");
    EXPECT_TRUE(m_memo->CompositionText().empty());
}

}  // namespace
