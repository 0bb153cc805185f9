// The rich edit on the headless backend: character formats that follow typing and deleting,
// SelAttributes / DefAttributes / Paragraph, the bold/italic/underline keys, paragraph layout
// (alignment, indents, bullets, wrapping), rows as high as the tallest font, the pixel scroll
// ranges, what is drawn, and Lines loading and saving rich and plain text.

#include <cstdio>
#include <string>

#include "platform/core/Stream.h"
#include "platform/forms/Form.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/RtfWriter.h"
#include "platform/gfx/Bitmap.h"
#include "support/UiTest.h"

namespace {

using namespace platform::forms;
namespace gfx = platform::gfx;
namespace core = platform::core;
using platform::ui::VK_BACK;
using platform::ui::VK_DELETE;
using platform::ui::VK_RETURN;

class RichEditTest : public vktest::UiTest {
protected:
    void SetUp() override {
        vktest::UiTest::SetUp();
        m_form = new TForm(&App());
        App().SetMainForm(m_form);
        m_form->SetBounds(40, 40, 420, 320);
        auto* rich = new TRichEdit(m_form);
        rich->SetName("reText");
        rich->SetParent(m_form);
        rich->SetBounds(8, 8, 300, 200);
        rich->SetScrollBars(ssBoth);
        m_form->Show();
        ProcessMessages();
        m_rich = Ui().Find<TRichEdit>(*m_form, "reText");
    }
    void Select(std::size_t from, std::size_t to) {
        m_rich->SetSelStart(static_cast<int>(from));
        m_rich->SetSelLength(static_cast<int>(to - from));
    }
    std::size_t Find(const std::string& s) const { return m_rich->Text().find(s); }
    // Whether any pixel in the client rectangle is near the colour (text edges are blended).
    bool HasColour(const TRect& r, gfx::TColor colour) {
        const gfx::TBitmap shot = Ui().Capture(m_rich);
        const auto near = [](int a, int b) { return a - b < 60 && b - a < 60; };
        for (int y = std::max(0, r.Top); y < std::min(shot.Height(), r.Bottom); ++y)
            for (int x = std::max(0, r.Left); x < std::min(shot.Width(), r.Right); ++x) {
                const gfx::TColor p = shot.Pixel(x, y);
                if (near(gfx::GetRValue(p), gfx::GetRValue(colour)) &&
                    near(gfx::GetGValue(p), gfx::GetGValue(colour)) &&
                    near(gfx::GetBValue(p), gfx::GetBValue(colour)))
                    return true;
            }
        return false;
    }

    TForm* m_form = nullptr;
    TRichEdit* m_rich = nullptr;
};

TEST_F(RichEditTest, FormatsFollowTypingAndDeleting) {
    Ui().Type(m_rich, "one two three");
    Select(Find("two"), Find("two") + 3);
    m_rich->SelAttributes().SetStyle(gfx::fsBold);
    m_rich->SelAttributes().SetColor(gfx::RGB(200, 0, 0));
    EXPECT_EQ(m_rich->FormatAt(Find("one")).Style, 0);
    EXPECT_EQ(m_rich->FormatAt(Find("two")).Style, gfx::fsBold);
    EXPECT_EQ(m_rich->FormatAt(Find("two") + 2).Color, gfx::RGB(200, 0, 0));
    EXPECT_EQ(m_rich->FormatAt(Find(" three")).Style, 0);
    EXPECT_EQ(m_rich->RunCount(), 3u);

    // Typing at the end of the bold word continues it; typing before "three" continues the
    // plain space.
    m_rich->SetSelStart(static_cast<int>(Find("two") + 3));
    Ui().TypeText("s");
    EXPECT_EQ(m_rich->Text(), "one twos three");
    EXPECT_EQ(m_rich->FormatAt(Find("twos") + 3).Style, gfx::fsBold);
    EXPECT_EQ(m_rich->FormatAt(Find("three")).Style, 0);

    // A size chosen with nothing selected goes to what is typed next, and only there.
    m_rich->SetSelStart(static_cast<int>(m_rich->Text().size()));
    m_rich->SelAttributes().SetSize(20);
    EXPECT_EQ(m_rich->SelAttributes().Size(), 20);
    EXPECT_EQ(m_rich->FormatAt(Find("three")).Size, m_rich->DefAttributes().Size());
    Ui().TypeText("!");
    EXPECT_EQ(m_rich->FormatAt(Find("!")).Size, 20);

    // Deleting the bold word joins the plain runs around it.
    Select(Find("twos"), Find("twos") + 5);
    Ui().KeyPress(VK_DELETE);
    EXPECT_EQ(m_rich->Text(), "one three!");
    EXPECT_EQ(m_rich->RunCount(), 2u);
    EXPECT_EQ(m_rich->FormatAt(Find("three")).Style, 0);
}

TEST_F(RichEditTest, ParagraphsSplitAndJoinWithTheirFormats) {
    Ui().Type(m_rich, "first");
    m_rich->Paragraph().SetAlignment(taCenter);
    m_rich->Paragraph().SetLeftIndent(20);
    Ui().KeyPress(VK_RETURN);
    Ui().TypeText("second");
    // The new paragraph starts with the format of the one it was split from.
    EXPECT_EQ(m_rich->ParagraphAt(Find("second")).Alignment, raCenter);
    m_rich->Paragraph().SetAlignment(taRightJustify);
    EXPECT_EQ(m_rich->Paragraph().Alignment(), taRightJustify);
    EXPECT_EQ(m_rich->ParagraphAt(Find("first")).Alignment, raCenter);

    // Selecting across both sets both.
    Select(1, Find("second") + 1);
    m_rich->Paragraph().SetNumbering(nsBullet);
    EXPECT_EQ(m_rich->ParagraphAt(0).Numbering, nsBullet);
    EXPECT_EQ(m_rich->ParagraphAt(Find("second")).Numbering, nsBullet);

    // Backspace at the second paragraph's start joins it into the first, which keeps its format.
    m_rich->SetSelStart(static_cast<int>(Find("second")));
    Ui().KeyPress(VK_BACK);
    EXPECT_EQ(m_rich->Text(), "firstsecond");
    EXPECT_EQ(m_rich->Document().Paragraphs.size(), 1u);
    EXPECT_EQ(m_rich->ParagraphAt(0).Alignment, raCenter);

    // Lines edited by the program keep the paragraph list in step too.
    m_rich->Lines().Add("third");
    m_rich->Lines().Insert(0, "zeroth");
    EXPECT_EQ(m_rich->Document().Paragraphs.size(), 3u);
    m_rich->Lines().Delete(1);
    EXPECT_EQ(m_rich->Text(), "zeroth\nthird");
    EXPECT_EQ(m_rich->Document().Paragraphs.size(), 2u);
}

TEST_F(RichEditTest, ControlKeysSwitchStyles) {
    Ui().Type(m_rich, "word");
    Select(0, 4);
    Ui().KeyPress('B', vktest::kControl);
    EXPECT_EQ(m_rich->FormatAt(0).Style, gfx::fsBold);
    Ui().KeyPress('I', vktest::kControl);
    Ui().KeyPress('U', vktest::kControl);
    EXPECT_EQ(m_rich->FormatAt(3).Style, gfx::fsBold | gfx::fsItalic | gfx::fsUnderline);
    Ui().KeyPress('B', vktest::kControl);
    EXPECT_EQ(m_rich->FormatAt(3).Style, gfx::fsItalic | gfx::fsUnderline);
    EXPECT_EQ(m_rich->Text(), "word");  // the keys type nothing

    m_rich->SetReadOnly(true);
    Ui().KeyPress('B', vktest::kControl);
    EXPECT_EQ(m_rich->FormatAt(3).Style, gfx::fsItalic | gfx::fsUnderline);
}

TEST_F(RichEditTest, DefAttributesGoToPlainTextAndFollowTheFont) {
    m_rich->DefAttributes().SetName("Courier New");
    m_rich->DefAttributes().SetSize(14);
    m_rich->SetText("set as a whole");
    EXPECT_EQ(m_rich->FormatAt(3).Name, "Courier New");
    EXPECT_EQ(m_rich->FormatAt(3).Size, 14);
    // Changing the default changes text that still has it, not text formatted otherwise.
    Select(0, 3);
    m_rich->SelAttributes().SetStyle(gfx::fsItalic);
    m_rich->DefAttributes().SetSize(16);
    EXPECT_EQ(m_rich->FormatAt(5).Size, 16);
    EXPECT_EQ(m_rich->FormatAt(0).Size, 14);
    gfx::TFont font = m_rich->Font();
    font.SetName("Times New Roman");
    m_rich->SetFont(font);
    EXPECT_EQ(m_rich->DefAttributes().Name(), "Times New Roman");
    EXPECT_EQ(m_rich->FormatAt(5).Name, "Times New Roman");
}

TEST_F(RichEditTest, RowsTakeTheTallestFontAndScrollInPixels) {
    const int plainHeight = m_rich->RowHeight();
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i) lines.push_back("line " + std::to_string(i));
    m_rich->SetLines(lines);
    const TScrollRange plain = m_rich->ScrollInfo(SB_VERT);
    EXPECT_EQ(plain.Max, 40 * plainHeight);
    // A page is the rows' area: the client above the rich edit's own horizontal bar.
    EXPECT_EQ(plain.Page, m_rich->ClientHeight() - System().GetSystemMetrics(platform::ui::SM_CYHSCROLL));
    Select(0, 4);
    m_rich->SelAttributes().SetSize(30);
    EXPECT_GT(m_rich->RowHeight(), plainHeight * 2);
    EXPECT_EQ(m_rich->ScrollInfo(SB_VERT).Max, 40 * m_rich->RowHeight());

    // A thumb position in pixels lands on the row that holds it.
    m_rich->ScrollPixels(SB_VERT, SB_THUMBPOSITION, 5 * m_rich->RowHeight() + 2);
    EXPECT_EQ(m_rich->FirstVisibleLine(), 5);
    EXPECT_EQ(m_rich->ScrollInfo(SB_VERT).Pos, 5 * m_rich->RowHeight());

    // A cleared range reads empty until the layout changes.
    m_rich->ClearScrollRange(SB_VERT);
    EXPECT_EQ(m_rich->ScrollInfo(SB_VERT), TScrollRange{});
    m_rich->Lines().Add("more");
    EXPECT_EQ(m_rich->ScrollInfo(SB_VERT).Max, 41 * m_rich->RowHeight());
}

TEST_F(RichEditTest, ParagraphFormatsPlaceTheText) {
    m_rich->SetText("left\ncentre\nright\nindent\nbullet");
    const auto caretX = [&](const std::string& word) {
        m_rich->SetSelStart(static_cast<int>(Find(word)));
        return m_rich->CaretRect().Left;
    };
    const int left = caretX("left");
    Select(Find("centre"), Find("centre"));
    m_rich->Paragraph().SetAlignment(taCenter);
    Select(Find("right"), Find("right"));
    m_rich->Paragraph().SetAlignment(taRightJustify);
    Select(Find("indent"), Find("indent"));
    m_rich->Paragraph().SetLeftIndent(30);  // points: 40 pixels
    Select(Find("bullet"), Find("bullet"));
    m_rich->Paragraph().SetNumbering(nsBullet);
    EXPECT_GT(caretX("centre"), left + 80);
    EXPECT_GT(caretX("right"), caretX("centre"));
    EXPECT_EQ(caretX("indent"), left + 40);
    EXPECT_GT(caretX("bullet"), left + 8);
    // The bullet itself is drawn before the text.
    ProcessMessages();
    const int rowTop = 4 * m_rich->RowHeight();
    EXPECT_TRUE(HasColour({left, rowTop, caretX("bullet"), rowTop + m_rich->RowHeight()},
                          gfx::ColorToRGB(gfx::clWindowText)));
    EXPECT_FALSE(HasColour({left, 3 * m_rich->RowHeight(), left + 38, 4 * m_rich->RowHeight()},
                           gfx::ColorToRGB(gfx::clWindowText)));
}

TEST_F(RichEditTest, CaretsSitWhereTheTextEngineMeasures) {
    // Mixed runs, ASCII and not, a tab: the caret's x is the sum of the runs' widths in their fonts.
    m_rich->SetWordWrap(false);
    m_rich->SetWantTabs(true);
    const std::string plain = "Plain caf\xC3\xA9 ", big = "BIG\t\xE2\x82\xAC!";
    m_rich->SetText(plain + big);
    Select(plain.size(), plain.size() + big.size());
    m_rich->SelAttributes().SetSize(22);
    m_rich->SelAttributes().SetStyle(gfx::fsBold);
    const auto fontOf = [&](std::size_t pos) {
        gfx::TFont font;
        font.SetName(m_rich->FormatAt(pos).Name);
        font.SetSize(m_rich->FormatAt(pos).Size);
        font.SetStyle(m_rich->FormatAt(pos).Style);
        return font;
    };
    m_rich->SetSelStart(0);
    const int start = m_rich->CaretRect().Left;
    m_rich->SetSelStart(static_cast<int>(plain.size()));
    EXPECT_EQ(m_rich->CaretRect().Left - start, gfx::TextEngine::TextWidth(fontOf(0), plain));
    m_rich->SetSelStart(static_cast<int>(m_rich->Text().size()));
    const std::string shownBig = "BIG    \xE2\x82\xAC!";  // a tab shows as blanks
    const int expected = gfx::TextEngine::TextWidth(fontOf(0), plain) +
                         gfx::TextEngine::TextWidth(fontOf(plain.size()), shownBig);
    EXPECT_EQ(m_rich->CaretRect().Left - start, expected);
    // A click lands on the character under it.
    const TPoint mid{start + gfx::TextEngine::TextWidth(fontOf(0), plain) + 2, m_rich->RowHeight() / 2};
    EXPECT_EQ(m_rich->PositionAt(mid), plain.size());
}

TEST_F(RichEditTest, IndentsNarrowTheWrap) {
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi";
    m_rich->SetWordWrap(true);
    m_rich->SetText(words);
    const int rows = m_rich->RowCount();
    m_rich->Paragraph().SetRightIndent(100);
    EXPECT_GT(m_rich->RowCount(), rows);
    // Every row stays left of the right indent.
    for (int r = 0; r < m_rich->RowCount(); ++r) {
        const auto [s, e] = m_rich->RowRange(r);
        m_rich->SetSelStart(static_cast<int>(e));
        if (e > s + 1) {
            EXPECT_LE(m_rich->CaretRect().Left, m_rich->ClientWidth() - 133 + 2) << r;
        }
    }
}

TEST_F(RichEditTest, DrawsEachRunInItsColour) {
    m_rich->DefAttributes().SetSize(16);
    m_rich->SetText("black red blue");
    Select(Find("red"), Find("red") + 3);
    m_rich->SelAttributes().SetColor(gfx::RGB(255, 0, 0));
    Select(Find("blue"), Find("blue") + 4);
    m_rich->SelAttributes().SetColor(gfx::RGB(0, 0, 255));
    m_rich->SetSelStart(0);
    ProcessMessages();
    const auto xOf = [&](std::size_t pos) {
        m_rich->SetSelStart(static_cast<int>(pos));
        return m_rich->CaretRect().Left;
    };
    const int h = m_rich->RowHeight();
    const TRect red{xOf(Find("red")), 0, xOf(Find("red") + 3), h};
    const TRect blue{xOf(Find("blue")), 0, xOf(Find("blue") + 4), h};
    ProcessMessages();
    EXPECT_TRUE(HasColour(red, gfx::RGB(255, 0, 0)));
    EXPECT_FALSE(HasColour(red, gfx::RGB(0, 0, 255)));
    EXPECT_TRUE(HasColour(blue, gfx::RGB(0, 0, 255)));
    EXPECT_FALSE(HasColour({xOf(0), 0, xOf(5), h}, gfx::RGB(255, 0, 0)));
}

TEST_F(RichEditTest, LinesLoadAndSaveRichText) {
    m_rich->SetText("Title\nbody text");
    Select(0, 5);
    m_rich->SelAttributes().SetStyle(gfx::fsBold | gfx::fsUnderline);
    m_rich->SelAttributes().SetSize(18);
    m_rich->Paragraph().SetAlignment(taCenter);
    const TRichDocument before = m_rich->Document();

    core::TMemoryStream stream;
    ASSERT_TRUE(m_rich->Lines().SaveToStream(stream));
    const std::string saved(stream.Bytes().begin(), stream.Bytes().end());
    EXPECT_EQ(saved.rfind("{\\rtf1", 0), 0u);

    m_rich->SetText("replaced");
    stream.SetPosition(0);
    m_rich->Lines().LoadFromStream(stream);
    const TRichDocument after = m_rich->Document();
    EXPECT_EQ(after.Text, before.Text);
    EXPECT_EQ(after.Runs, before.Runs);
    EXPECT_EQ(after.Paragraphs, before.Paragraphs);
    EXPECT_EQ(m_rich->Lines().Count(), 2);
    EXPECT_EQ(m_rich->CaretPos(), 0);

    // Bytes that are not rich text load as plain text in the default format.
    core::TMemoryStream plain(std::vector<uint8_t>{'a', '{', '\\', 'b', '}', '\n', 'c'});
    m_rich->Lines().LoadFromStream(plain);
    EXPECT_EQ(m_rich->Text(), "a{\\b}\nc");
    EXPECT_EQ(m_rich->RunCount(), 1u);

    // With PlainText, rich text is not interpreted and saving writes the bare text.
    m_rich->SetPlainText(true);
    stream.SetPosition(0);
    m_rich->Lines().LoadFromStream(stream);
    EXPECT_EQ(m_rich->Text().rfind("{\\rtf1", 0), 0u);
    m_rich->SetText("bare");
    core::TMemoryStream out;
    ASSERT_TRUE(m_rich->Lines().SaveToStream(out));
    EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), "bare");
}

TEST_F(RichEditTest, LinesLoadAndSaveFiles) {
    const std::string path = ::testing::TempDir() + "rich_edit_test.rtf";
    m_rich->SetText("file text");
    Select(0, 4);
    m_rich->SelAttributes().SetColor(gfx::RGB(0, 128, 0));
    ASSERT_TRUE(m_rich->Lines().SaveToFile(path));
    m_rich->SetText("other");
    ASSERT_TRUE(m_rich->Lines().LoadFromFile(path));
    EXPECT_EQ(m_rich->Text(), "file text");
    EXPECT_EQ(m_rich->FormatAt(0).Color, gfx::RGB(0, 128, 0));
    // A file that cannot be read leaves the text alone; a folder that does not exist cannot be
    // written.
    EXPECT_FALSE(m_rich->Lines().LoadFromFile(path + ".missing"));
    EXPECT_EQ(m_rich->Text(), "file text");
    EXPECT_FALSE(m_rich->Lines().SaveToFile(::testing::TempDir() + "no/such/folder/x.rtf"));
    std::remove(path.c_str());
}

}  // namespace
