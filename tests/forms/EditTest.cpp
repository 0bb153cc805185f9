// The framework's edit on the headless backend: typing, caret and selection by keyboard and
// mouse, clipboard and PRIMARY selection, undo, the length limit, read-only, password, case,
// alignment, scrolling and the blinking caret.

#include "FormsTestSupport.h"
#include "platform/forms/Edit.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using namespace platform::ui;
using platform::core::TPoint;

class EditTest : public FormsFixture {
protected:
    void SetUp() override {
        FormsFixture::SetUp();
        m_form = new TForm(&App());
        m_form->SetBounds(50, 50, 300, 200);
        m_other = new TTestEdit(m_form);
        m_other->SetParent(m_form);
        m_other->SetBounds(8, 100, 100, 21);
        m_edit = new TEdit(m_form);
        m_edit->SetParent(m_form);
        m_edit->SetBounds(8, 8, 160, 22);
        m_edit->OnChange = [this](TComponent*) { ++m_changes; };
        m_form->Show();
        ProcessMessages();
        m_edit->SetFocus();
        ProcessMessages();
    }

    // Screen point of the caret's middle after the given byte position.
    TPoint PointAfter(std::size_t pos) {
        const int keep = m_edit->CaretPos();
        m_edit->SetSelStart(static_cast<int>(pos));
        const TRect r = m_edit->CaretRect();
        m_edit->SetSelStart(keep);
        return m_edit->ClientToScreen({r.Left, (r.Top + r.Bottom) / 2});
    }
    void Shift(uint32_t vk) { PressWith(VK_SHIFT, vk); }
    void Ctrl(uint32_t vk) { PressWith(VK_CONTROL, vk); }
    void CtrlShift(uint32_t vk) {
        Session().KeyDown(VK_CONTROL);
        Session().KeyDown(VK_SHIFT);
        Session().KeyPress(vk);
        Session().KeyUp(VK_SHIFT);
        Session().KeyUp(VK_CONTROL);
    }

    TForm* m_form = nullptr;
    TEdit* m_edit = nullptr;
    TTestEdit* m_other = nullptr;
    int m_changes = 0;
};

TEST_F(EditTest, TypedTextArrivesWithChangeEventsAndTheModifiedFlag) {
    EXPECT_FALSE(m_edit->Modified());
    Session().TypeText("Hi \xC3\xBC\xE6\x97\xA5");
    EXPECT_EQ(m_edit->Text(), "Hi \xC3\xBC\xE6\x97\xA5");
    EXPECT_EQ(m_changes, 5);
    EXPECT_TRUE(m_edit->Modified());
    EXPECT_EQ(m_edit->CaretPos(), 8);
    // Enter, Escape and Ctrl combinations type nothing into a single line.
    Press(VK_RETURN);
    Ctrl('B');
    EXPECT_EQ(m_edit->Text(), "Hi \xC3\xBC\xE6\x97\xA5");
    // Setting the text clears Modified and fires OnChange once.
    m_edit->SetText("new");
    EXPECT_FALSE(m_edit->Modified());
    EXPECT_EQ(m_changes, 6);
    EXPECT_EQ(m_edit->CaretPos(), 0);
}

TEST_F(EditTest, CaretMovesByCharactersAndWordsOverMultiByteText) {
    m_edit->SetText(
        "\xC3\xA4"
        "b \xE6\x97\xA5\xE6\x9C\xAC"
        "e\xCC\x81");  // "äb 日本é" (é combined)
    Press(VK_END);
    EXPECT_EQ(m_edit->CaretPos(), 13);
    Press(VK_LEFT);
    EXPECT_EQ(m_edit->CaretPos(), 10);  // over e + mark at once
    Press(VK_LEFT);
    EXPECT_EQ(m_edit->CaretPos(), 7);
    Press(VK_HOME);
    Press(VK_RIGHT);
    EXPECT_EQ(m_edit->CaretPos(), 2);
    Ctrl(VK_RIGHT);
    EXPECT_EQ(m_edit->CaretPos(), 4);
    Ctrl(VK_LEFT);
    EXPECT_EQ(m_edit->CaretPos(), 0);
    // Backspace removes one perceived character.
    Press(VK_END);
    Press(VK_BACK);
    EXPECT_EQ(m_edit->Text(),
              "\xC3\xA4"
              "b \xE6\x97\xA5\xE6\x9C\xAC");
    // The caret's x grows with every step to the right.
    Press(VK_HOME);
    int lastX = m_edit->CaretRect().Left;
    for (int i = 0; i < 5; ++i) {
        Press(VK_RIGHT);
        EXPECT_GT(m_edit->CaretRect().Left, lastX) << i;
        lastX = m_edit->CaretRect().Left;
    }
}

TEST_F(EditTest, ShiftExtendsTheSelectionInBothDirectionsAroundTheAnchor) {
    m_edit->SetText("alpha beta gamma");
    m_edit->SetSelStart(6);
    Shift(VK_RIGHT);
    Shift(VK_RIGHT);
    EXPECT_EQ(m_edit->SelStart(), 6);
    EXPECT_EQ(m_edit->SelText(), "be");
    Shift(VK_LEFT);
    Shift(VK_LEFT);
    Shift(VK_LEFT);
    EXPECT_EQ(m_edit->SelStart(), 5);
    EXPECT_EQ(m_edit->SelText(), " ");  // crossed the anchor
    CtrlShift(VK_RIGHT);
    EXPECT_EQ(m_edit->SelLength(), 0);  // from a blank to the next word start
    CtrlShift(VK_RIGHT);
    EXPECT_EQ(m_edit->SelText(), "beta ");
    CtrlShift(VK_LEFT);
    CtrlShift(VK_LEFT);
    EXPECT_EQ(m_edit->SelText(), "alpha ");
    Shift(VK_END);
    EXPECT_EQ(m_edit->SelText(), "beta gamma");
    // An arrow without Shift collapses to the selection's edge.
    Press(VK_LEFT);
    EXPECT_EQ(m_edit->SelLength(), 0);
    EXPECT_EQ(m_edit->CaretPos(), 6);
}

TEST_F(EditTest, MouseSelectsByClickDragShiftClickDoubleAndTripleClick) {
    m_edit->SetText("one two three");
    Session().Click(PointAfter(4));
    EXPECT_EQ(m_edit->CaretPos(), 4);
    EXPECT_EQ(m_edit->SelLength(), 0);
    Session().KeyDown(VK_SHIFT);
    Session().Click(PointAfter(13));
    Session().KeyUp(VK_SHIFT);
    EXPECT_EQ(m_edit->SelText(), "two three");

    Advance(1000);
    Session().Drag(PointAfter(8), PointAfter(2));
    EXPECT_EQ(m_edit->SelText(), "e two ");
    EXPECT_EQ(m_edit->CaretPos(), 2);

    Advance(1000);
    const TPoint inTwo{PointAfter(5).X + 1, PointAfter(5).Y};
    Session().DoubleClick(inTwo);
    EXPECT_EQ(m_edit->SelText(), "two");
    Advance(100);
    Session().Click(inTwo);
    EXPECT_EQ(m_edit->SelText(), "one two three");
    // Too late for a triple click: an ordinary click.
    Advance(1000);
    Session().DoubleClick(inTwo);
    Advance(600);
    Session().Click(inTwo);
    EXPECT_EQ(m_edit->SelLength(), 0);
}

TEST_F(EditTest, ClipboardCutCopyPasteAndThePrimarySelection) {
    m_edit->SetText("copy me");
    m_edit->SelectAll();
    Ctrl('C');
    EXPECT_EQ(System().ClipboardText(), "copy me");
    EXPECT_EQ(System().PrimarySelectionText(), "copy me");  // selected text is offered
    m_edit->SetSelStart(4);
    m_edit->SetSelLength(3);
    Ctrl('X');
    EXPECT_EQ(m_edit->Text(), "copy");
    EXPECT_EQ(System().ClipboardText(), " me");
    Press(VK_HOME);
    Ctrl('V');
    EXPECT_EQ(m_edit->Text(), " mecopy");
    System().SetClipboardText("line one\nline two");
    Shift(VK_INSERT);
    EXPECT_EQ(m_edit->Text(), " meline onecopy");  // a single line keeps the first line

    // A middle click pastes the PRIMARY selection at the pointer.
    System().SetPrimarySelectionText("[P]");
    m_other->SetFocus();
    Session().Click(PointAfter(0), platform::ui::TMouseButton::Middle);
    EXPECT_EQ(m_edit->Text(), "[P] meline onecopy");
    EXPECT_TRUE(m_edit->Focused());
}

TEST_F(EditTest, UndoRedoOfMergedTypingAndOfAPaste) {
    Session().TypeText("abc");
    System().SetClipboardText("XY");
    Ctrl('V');
    Session().TypeText("de");
    EXPECT_EQ(m_edit->Text(), "abcXYde");
    Ctrl('Z');
    EXPECT_EQ(m_edit->Text(), "abcXY");
    Ctrl('Z');
    EXPECT_EQ(m_edit->Text(), "abc");
    Ctrl('Z');
    EXPECT_EQ(m_edit->Text(), "");
    EXPECT_FALSE(m_edit->CanUndo());
    Ctrl('Y');
    EXPECT_EQ(m_edit->Text(), "abc");
    CtrlShift('Z');
    EXPECT_EQ(m_edit->Text(), "abcXY");
    EXPECT_EQ(m_changes, 11);
}

TEST_F(EditTest, OverwriteModeAndMaxLengthWithAPasteThatDoesNotFit) {
    m_edit->SetText("12345");
    m_edit->SetSelStart(1);
    Press(VK_INSERT);
    EXPECT_TRUE(m_edit->Overwrite());
    Session().TypeText("ab");
    EXPECT_EQ(m_edit->Text(), "1ab45");
    Press(VK_INSERT);
    Session().TypeText("c");
    EXPECT_EQ(m_edit->Text(), "1abc45");

    m_edit->SetMaxLength(8);
    Press(VK_END);
    System().SetClipboardText("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");  // four two-byte characters
    Ctrl('V');
    EXPECT_EQ(m_edit->Text(), "1abc45\xC3\xA9\xC3\xA9");
    Session().TypeText("z");
    EXPECT_EQ(m_edit->Text(), "1abc45\xC3\xA9\xC3\xA9");
}

TEST_F(EditTest, ReadOnlyIgnoresEditingButCopies) {
    m_edit->SetText("fixed");
    m_edit->SetReadOnly(true);
    Session().TypeText("x");
    Press(VK_DELETE);
    Press(VK_BACK);
    m_edit->SelectAll();
    Ctrl('X');
    System().SetClipboardText("pasted");
    Ctrl('V');
    Ctrl('Z');
    EXPECT_EQ(m_edit->Text(), "fixed");
    Ctrl('C');
    EXPECT_EQ(System().ClipboardText(), "fixed");
    EXPECT_EQ(m_changes, 1);  // only the SetText
}

TEST_F(EditTest, PasswordCaseAndAutoSelect) {
    m_edit->SetPasswordChar(U'*');
    Session().TypeText("Secret");
    m_edit->SelectAll();
    System().SetClipboardText("before");
    Ctrl('C');
    EXPECT_EQ(System().ClipboardText(), "before");  // a password is not copied
    // Every character shows as one mask character, so the caret steps evenly.
    Press(VK_HOME);
    const int x0 = m_edit->CaretRect().Left;
    Press(VK_RIGHT);
    const int x1 = m_edit->CaretRect().Left;
    Press(VK_RIGHT);
    EXPECT_EQ(m_edit->CaretRect().Left - x1, x1 - x0);

    m_edit->SetPasswordChar(0);
    m_edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(m_edit->Text(), "SECRET");
    Press(VK_END);
    Session().TypeText("a\xC3\xA4");
    EXPECT_EQ(m_edit->Text(), "SECRETA\xC3\x84");

    // Tab into the edit selects all; a click places the caret instead.
    m_other->SetFocus();
    m_form->SelectNext(m_other, true, true);
    ProcessMessages();
    EXPECT_TRUE(m_edit->Focused());
    EXPECT_EQ(m_edit->SelLength(), static_cast<int>(m_edit->Text().size()));
    m_other->SetFocus();
    Session().Click(PointAfter(2));
    EXPECT_EQ(m_edit->SelLength(), 0);
    EXPECT_EQ(m_edit->CaretPos(), 2);
}

TEST_F(EditTest, AlignmentMarginsAndScrollingKeepTheCaretInView) {
    const TRect client = m_edit->ClientRect();
    m_edit->SetAlignment(taRightJustify);
    EXPECT_GT(m_edit->CaretRect().Left, client.Width() - 5);
    m_edit->SetAlignment(taCenter);
    EXPECT_NEAR(m_edit->CaretRect().Left, client.Width() / 2, 2);
    m_edit->SetAlignment(taLeftJustify);
    m_edit->SetMargins(6, 0);
    EXPECT_EQ(m_edit->CaretRect().Left, 6);

    m_edit->SetText(std::string(60, 'W'));
    Press(VK_END);
    EXPECT_GT(m_edit->ScrollX(), 0);
    const TRect caret = m_edit->CaretRect();
    EXPECT_GE(caret.Left, 6);
    EXPECT_LT(caret.Left, client.Right);
    Press(VK_HOME);
    EXPECT_EQ(m_edit->ScrollX(), 0);
    EXPECT_EQ(m_edit->CaretRect().Left, 6);
}

TEST_F(EditTest, CaretBlinksOnTheClockOnlyWhileFocused) {
    m_edit->SetText("abc");
    Press(VK_END);
    ASSERT_TRUE(m_edit->CaretShown());
    const TRect caret = m_edit->CaretRect();
    const TPoint at = m_edit->ClientToScreen({caret.Left, (caret.Top + caret.Bottom) / 2});
    EXPECT_EQ(Session().ScreenPixel(at.X, at.Y), platform::gfx::ColorToRGB(m_edit->Font().Color()));
    Advance(TCustomEdit::kCaretBlinkMs);
    EXPECT_FALSE(m_edit->CaretShown());
    EXPECT_EQ(Session().ScreenPixel(at.X, at.Y), platform::gfx::ColorToRGB(m_edit->Color()));
    Advance(TCustomEdit::kCaretBlinkMs);
    EXPECT_TRUE(m_edit->CaretShown());
    // Typing shows the caret at once and restarts the blink.
    Advance(TCustomEdit::kCaretBlinkMs);
    Session().TypeText("d");
    EXPECT_TRUE(m_edit->CaretShown());
    Advance(TCustomEdit::kCaretBlinkMs - 10);
    EXPECT_TRUE(m_edit->CaretShown());
    // Without the focus there is no caret.
    m_other->SetFocus();
    ProcessMessages();
    EXPECT_FALSE(m_edit->CaretShown());
    Advance(2000);
    EXPECT_FALSE(m_edit->CaretShown());
}

}  // namespace
}  // namespace formstest
