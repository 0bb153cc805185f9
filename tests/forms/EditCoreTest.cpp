// The editing core: character boundaries over multi-byte text, words, the length limit, the line
// rule, overwrite, and undo/redo with merged runs.

#include <gtest/gtest.h>

#include "platform/forms/EditCore.h"

namespace {

using namespace platform::forms;
namespace ts = platform::forms::textseg;

// "a", "é" (2 bytes), "日" (3), "😀" (4), "e" + combining acute (3), family emoji joined by ZWJ,
// a flag pair, "x".
const std::string kMixed =
    "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"
    "e\xCC\x81"
    "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7"
    "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"
    "x";

TEST(EditCoreText, CharacterStepsNeverSplitCodePointsOrCombiningSequences) {
    std::vector<std::size_t> forward{0};
    for (std::size_t at = 0; at < kMixed.size();) forward.push_back(at = ts::NextGrapheme(kMixed, at));
    // a | é | 日 | 😀 | e+acute | woman ZWJ girl | flag | x
    EXPECT_EQ(forward, (std::vector<std::size_t>{0, 1, 3, 6, 10, 13, 24, 32, 33}));

    std::vector<std::size_t> backward{kMixed.size()};
    for (std::size_t at = kMixed.size(); at > 0;) backward.push_back(at = ts::PrevGrapheme(kMixed, at));
    EXPECT_EQ(std::vector<std::size_t>(backward.rbegin(), backward.rend()), forward);

    // Positions inside a sequence snap back to its start.
    EXPECT_EQ(ts::SnapToGrapheme(kMixed, 2), 1u);
    EXPECT_EQ(ts::SnapToGrapheme(kMixed, 8), 6u);
    EXPECT_EQ(ts::SnapToGrapheme(kMixed, 11), 10u);  // on the combining mark
    EXPECT_EQ(ts::SnapToGrapheme(kMixed, 20), 13u);  // inside the joined emoji
    EXPECT_EQ(ts::SnapToGrapheme(kMixed, 28), 24u);  // between the two flag letters
    EXPECT_EQ(ts::SnapToGrapheme(kMixed, 99), kMixed.size());
    EXPECT_EQ(ts::NextGrapheme("a\r\nb", 1), 3u);  // CR LF is one step
    EXPECT_EQ(ts::CodePointCount(kMixed), 12u);
}

TEST(EditCoreText, WordStepsStopAtRunsAndLineBreaks) {
    const std::string s = "hello, world  foo\nbar";
    EXPECT_EQ(ts::NextWordStart(s, 0), 5u);    // past "hello" to ","
    EXPECT_EQ(ts::NextWordStart(s, 5), 7u);    // past ", " to "world"
    EXPECT_EQ(ts::NextWordStart(s, 7), 14u);   // past "world  "
    EXPECT_EQ(ts::NextWordStart(s, 14), 17u);  // "foo" ends at the line break
    EXPECT_EQ(ts::NextWordStart(s, 17), 18u);  // the break is a stop of its own
    EXPECT_EQ(ts::PrevWordStart(s, 18), 17u);
    EXPECT_EQ(ts::PrevWordStart(s, 14), 7u);
    EXPECT_EQ(ts::PrevWordStart(s, 9), 7u);
    EXPECT_EQ(ts::PrevWordStart(s, 7), 5u);
    EXPECT_EQ(ts::PrevWordStart(s, 3), 0u);
    EXPECT_EQ(ts::WordAt(s, 9), (std::pair<std::size_t, std::size_t>{7, 12}));
    EXPECT_EQ(ts::WordAt(s, 12), (std::pair<std::size_t, std::size_t>{12, 14}));
    EXPECT_EQ(ts::WordAt(s, 17), (std::pair<std::size_t, std::size_t>{14, 17}));  // line end: word before
    // Letters beyond ASCII belong to words.
    const std::string u =
        "gr\xC3\xBC\xC3\x9F"
        "e welt";
    EXPECT_EQ(ts::WordAt(u, 1), (std::pair<std::size_t, std::size_t>{0, 7}));
}

TEST(EditCoreUndo, TypingRunsMergeAndBreakOnCaretMoves) {
    TEditCore core;
    for (const char32_t c : std::u32string(U"abc")) core.TypeChar(c, false);
    core.MoveCaret(1, false);
    core.TypeChar(U'X', false);
    core.TypeChar(U'Y', false);
    EXPECT_EQ(core.Text(), "aXYbc");

    ASSERT_TRUE(core.Undo());
    EXPECT_EQ(core.Text(), "abc");
    EXPECT_EQ(core.Caret(), 1u);  // where the run began
    ASSERT_TRUE(core.Undo());
    EXPECT_EQ(core.Text(), "");
    EXPECT_FALSE(core.CanUndo());

    ASSERT_TRUE(core.Redo());
    EXPECT_EQ(core.Text(), "abc");
    ASSERT_TRUE(core.Redo());
    EXPECT_EQ(core.Text(), "aXYbc");
    EXPECT_EQ(core.Caret(), 3u);
    EXPECT_FALSE(core.CanRedo());

    // A new edit after an undo drops the redo steps; the caret is back where the run began.
    core.Undo();
    core.TypeChar(U'!', false);
    EXPECT_FALSE(core.CanRedo());
    EXPECT_EQ(core.Text(), "a!bc");
}

TEST(EditCoreUndo, PasteOverASelectionIsOneStepThatRestoresTheSelection) {
    TEditCore core;
    core.SetText("one two three");
    core.SetSelection(4, 7);  // "two"
    core.ReplaceSelection("2");
    EXPECT_EQ(core.Text(), "one 2 three");
    core.TypeChar(U'!', false);  // typing after a paste is a step of its own
    ASSERT_TRUE(core.Undo());
    EXPECT_EQ(core.Text(), "one 2 three");
    ASSERT_TRUE(core.Undo());
    EXPECT_EQ(core.Text(), "one two three");
    EXPECT_EQ(core.SelStart(), 4u);
    EXPECT_EQ(core.SelLength(), 3u);
    EXPECT_FALSE(core.CanUndo());  // SetText forgot the history
}

TEST(EditCoreUndo, BackspaceAndDeleteRunsMergeAndRemoveWholeCharacters) {
    TEditCore core;
    core.SetText(
        "ab"
        "e\xCC\x81"
        "cd");
    core.MoveCaret(5, false);  // after the combined "é"
    ASSERT_TRUE(core.Backspace());
    EXPECT_EQ(core.Text(), "abcd");  // base and mark together
    core.Backspace();
    EXPECT_EQ(core.Text(), "acd");
    core.DeleteForward();
    core.DeleteForward();
    EXPECT_EQ(core.Text(), "a");
    core.Undo();
    EXPECT_EQ(core.Text(), "acd");
    core.Undo();
    EXPECT_EQ(core.Text(),
              "ab"
              "e\xCC\x81"
              "cd");
    EXPECT_EQ(core.Caret(), 5u);
}

TEST(EditCoreRules, OverwriteReplacesOneCharacterButNotALineBreak) {
    TEditCore core;
    core.SetMultiLine(true);
    core.SetText(
        "a\xC3\xA9"
        "c\nz");
    core.MoveCaret(1, false);
    core.TypeChar(U'X', true);  // replaces the two-byte "é"
    EXPECT_EQ(core.Text(), "aXc\nz");
    core.TypeChar(U'Y', true);
    core.TypeChar(U'Z', true);  // at the line break: inserts
    EXPECT_EQ(core.Text(), "aXYZ\nz");
    core.Undo();
    EXPECT_EQ(core.Text(),
              "a\xC3\xA9"
              "c\nz");  // the whole overwrite run at once
}

TEST(EditCoreRules, MaxLengthTakesWhatFitsOfAPasteInWholeCharacters) {
    TEditCore core;
    core.SetMaxLength(6);
    core.SetText("abc");
    core.MoveCaret(3, false);
    EXPECT_TRUE(
        core.ReplaceSelection("d"
                              "e\xCC\x81"
                              "fg"));  // room for three code points
    EXPECT_EQ(core.Text(), "abcde\xCC\x81");
    EXPECT_FALSE(core.TypeChar(U'h', false));
    EXPECT_FALSE(core.ReplaceSelection("zz"));
    // Replacing a selection frees its room.
    core.SetSelection(0, 2);
    EXPECT_TRUE(core.ReplaceSelection("\xE6\x97\xA5\xE6\x97\xA5\xE6\x97\xA5"));
    EXPECT_EQ(core.Text(),
              "\xE6\x97\xA5\xE6\x97\xA5"
              "cde\xCC\x81");
}

TEST(EditCoreRules, LineRuleCutsOrNormalisesBreaks) {
    TEditCore single;
    single.SetText("first\r\nsecond");
    EXPECT_EQ(single.Text(), "first");
    single.MoveCaret(5, false);
    single.ReplaceSelection(" more\nlines");
    EXPECT_EQ(single.Text(), "first more");

    TEditCore multi;
    multi.SetMultiLine(true);
    multi.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(multi.Text(), "a\nb\nc\nd");
    // Broken UTF-8 from outside becomes replacement characters, never a split sequence.
    multi.SetText("ok\xC3");
    EXPECT_EQ(multi.Text(), "ok\xEF\xBF\xBD");
}

}  // namespace
