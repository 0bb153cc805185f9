// The rich text reader and writer: what the reader takes from groups, tables, formatting words,
// escapes and skipped destinations; the writer's output read back to the same document; and
// hostile input that must load what it can without crashing or hanging.

#include <gtest/gtest.h>

#include <string>

#include "platform/forms/RtfReader.h"
#include "platform/forms/RtfWriter.h"

namespace {

using namespace platform::forms;
namespace gfx = platform::gfx;

TRichDocument Read(const std::string& rtf) {
    TRichDocument doc;
    EXPECT_TRUE(TRtfReader::Read(rtf, doc));
    return doc;
}

const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}";

TEST(RtfReaderTest, TakesTextFontsColoursAndCharacterFormats) {
    const TRichDocument doc = Read(kHeader +
                                   "\\f0\\fs20 plain {\\b bold} {\\i\\f1 it} {\\ul u}{\\strike s}"
                                   "\\cf1 red\\cf2\\fs40  big\\plain  end}");
    EXPECT_EQ(doc.Text, "plain bold it usred big end");  // a word's space ends it
    const auto at = [&](const std::string& word) { return doc.FormatAt(doc.Text.find(word)); };
    EXPECT_EQ(at("plain").Name, "Arial");
    EXPECT_EQ(at("plain").Size, 10);
    EXPECT_EQ(at("plain").Style, 0);
    EXPECT_EQ(at("bold").Style, gfx::fsBold);
    EXPECT_EQ(at("it").Style, gfx::fsItalic);
    EXPECT_EQ(at("it").Name, "Times New Roman");
    EXPECT_EQ(at("u").Style, gfx::fsUnderline);
    EXPECT_EQ(at("s").Style, gfx::fsStrikeOut);
    EXPECT_EQ(at("red").Color, gfx::RGB(255, 0, 0));
    EXPECT_EQ(at("big").Color, gfx::RGB(0, 0, 128));
    EXPECT_EQ(at("big").Size, 20);
    // \plain goes back to the default font, 12 points, automatic colour.
    EXPECT_EQ(at("end").Size, 12);
    EXPECT_EQ(at("end").Color, gfx::clWindowText);
    EXPECT_EQ(at("end").Name, "Arial");
    // The group ended, so the space after "bold" is plain again.
    EXPECT_EQ(doc.FormatAt(doc.Text.find("bold") + 4).Style, 0);
}

TEST(RtfReaderTest, TakesParagraphsAndTheirFormats) {
    const TRichDocument doc =
        Read(kHeader +
             "\\pard\\qc centred\\par"
             "\\pard\\li720\\ri360\\fi-360 indented\\line second\\par"
             "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'b7}}item\\tab x\\par"
             "\\pard\\qr right}");
    EXPECT_EQ(doc.Text, "centred\nindented\nsecond\nitem\tx\nright");
    ASSERT_EQ(doc.Paragraphs.size(), 5u);
    EXPECT_EQ(doc.Paragraphs[0].Alignment, raCenter);
    EXPECT_EQ(doc.Paragraphs[1].LeftIndent, 36);
    EXPECT_EQ(doc.Paragraphs[1].RightIndent, 18);
    EXPECT_EQ(doc.Paragraphs[1].FirstIndent, -18);
    // \line breaks the paragraph but keeps its format.
    EXPECT_EQ(doc.Paragraphs[2], doc.Paragraphs[1]);
    EXPECT_EQ(doc.Paragraphs[3].Numbering, nsBullet);
    EXPECT_EQ(doc.Paragraphs[3].LeftIndent, 36);  // no \pard: the indents carry on
    EXPECT_EQ(doc.Paragraphs[4].Alignment, raRight);
    EXPECT_EQ(doc.Paragraphs[4].Numbering, nsNone);
}

TEST(RtfReaderTest, DecodesEscapesInTheDocumentCodePage) {
    EXPECT_EQ(Read("{\\rtf1\\ansi caf\\'e9 \\'80 \\'93q\\'94}").Text,
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D");
    EXPECT_EQ(Read("{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'ff\\'a8}").Text, "\xD0\x90\xD1\x8F\xD0\x81");
    EXPECT_EQ(Read("{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'a5\\'ff}").Text, "\xC4\x8D\xC4\x84\xCB\x99");
    // A font's character set names the code page of the bytes written in it.
    EXPECT_EQ(
        Read(
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}{\\f2\\fcharset238 Arial CE;}}"
            "\\f1 \\'c0\\f0 \\'c0\\f2 \\'e8}")
            .Text,
        "\xD0\x90\xC3\x80\xC4\x8D");
    // \uN with its fallback skipped, \ucN changing how many are skipped, negative values and
    // surrogate pairs.
    EXPECT_EQ(Read("{\\rtf1 a\\u8364?b\\uc2\\u8364xyc\\uc0\\u-3913 d}").Text,
              "a\xE2\x82\xAC"
              "b\xE2\x82\xAC"
              "c\xEF\x82\xB7"
              "d");
    EXPECT_EQ(Read("{\\rtf1 \\u-10179?\\u-8704?}").Text, "\xF0\x9F\x98\x80");
    EXPECT_EQ(Read("{\\rtf1 \\u-8704?x}").Text, "\xEF\xBF\xBDx");  // a lone low surrogate
    // A fallback given as \'hh counts as one character.
    EXPECT_EQ(Read("{\\rtf1 \\u233\\'e9z}").Text, "\xC3\xA9z");
    EXPECT_EQ(Read("{\\rtf1 \\{\\}\\\\ a\\~b\\emdash\\bullet}").Text,
              "{}\\ a\xC2\xA0"
              "b\xE2\x80\x94\xE2\x80\xA2");
}

TEST(RtfReaderTest, SkipsDestinationsItDoesNotShow) {
    const TRichDocument doc = Read(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s1 Heading;}}{\\info{\\title T}}"
        "{\\*\\unknowndest hidden {\\b nested}}{\\*\\generator gen;}"
        "{\\pict\\wmetafile8 0123abcd}{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}"
        "a\\bin3 {}x\\b b}");
    EXPECT_EQ(doc.Text, "shownab");
    EXPECT_EQ(doc.FormatAt(doc.Text.size() - 1).Style, gfx::fsBold);
    // An unknown word that is not marked as a destination is ignored, its text kept.
    EXPECT_EQ(Read("{\\rtf1 {\\frobnicate42 kept}}").Text, "kept");
}

TEST(RtfReaderTest, RefusesWhatIsNotRichText) {
    TRichDocument doc;
    EXPECT_FALSE(TRtfReader::Read("plain text", doc));
    EXPECT_TRUE(doc.Text.empty());
    EXPECT_FALSE(TRtfReader::Read("{\\rt", doc));
    EXPECT_TRUE(TRtfReader::LooksLikeRtf("\r\n {\\rtf1}"));
}

TEST(RtfReaderTest, HostileInputLoadsWhatItCan) {
    // Unbalanced: stray closing braces inside, unclosed groups at the end.
    EXPECT_EQ(Read("{\\rtf1 a}}}b").Text, "a");
    EXPECT_EQ(Read("{\\rtf1 a{\\b b{\\i c").Text, "abc");
    // Truncated in a control word, a hex escape, a \u fallback and a table.
    EXPECT_EQ(Read("{\\rtf1 abc\\").Text, "abc");
    EXPECT_EQ(Read("{\\rtf1 abc\\'4").Text, "abc");
    EXPECT_EQ(Read("{\\rtf1 abc\\u1234").Text, "abc\xD3\x92");
    EXPECT_EQ(Read("{\\rtf1{\\fonttbl{\\f0 Ari").Text, "");
    // Huge parameters are clamped; a huge \bin count takes what is left.
    const TRichDocument huge =
        Read("{\\rtf1\\fs99999999999999999999 a\\li-99999999999999 \\cf4294967296 b\\uc99999999\\u65 xy}");
    EXPECT_EQ(huge.Text, "abA");  // the skip count is clamped too and ends with the group
    EXPECT_GT(huge.FormatAt(0).Size, 0);
    EXPECT_EQ(huge.FormatAt(1).Color, gfx::clWindowText);
    EXPECT_EQ(Read("{\\rtf1 a\\bin99999999999 bcd}").Text, "a");
    // Bad hex digits are ignored, not read as text.
    EXPECT_EQ(Read("{\\rtf1 a\\'zzb}").Text, "azzb");
}

TEST(RtfReaderTest, DeepNestingIsFlattenedNotFollowed) {
    const int depth = 100000;
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < depth; ++i) rtf += "{\\b ";
    rtf += "deep";
    for (int i = 0; i < depth; ++i) rtf += "}";
    rtf += " after}";
    const TRichDocument doc = Read(rtf);
    EXPECT_EQ(doc.Text, "deep after");
    EXPECT_EQ(doc.FormatAt(0).Style, gfx::fsBold);
    // The flattened groups still close in step: "after" is outside all of them.
    EXPECT_EQ(doc.FormatAt(doc.Text.find("after")).Style, 0);
}

TEST(RtfReaderTest, HugeTablesStopGrowing) {
    std::string rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 20000; ++i) rtf += "{\\f" + std::to_string(i) + " Font" + std::to_string(i) + ";}";
    rtf += "}{\\colortbl;";
    for (int i = 0; i < 20000; ++i) rtf += "\\red1\\green2\\blue3;";
    rtf += "}\\f3 a\\f19999 b\\cf4095 c\\cf4096 d}";
    const TRichDocument doc = Read(rtf);
    EXPECT_EQ(doc.Text, "abcd");
    EXPECT_EQ(doc.FormatAt(0).Name, "Font3");
    EXPECT_EQ(doc.FormatAt(1).Name, "Font0");  // past the table's end: the default font
    EXPECT_EQ(doc.FormatAt(2).Color, gfx::RGB(1, 2, 3));
    EXPECT_EQ(doc.FormatAt(3).Color, gfx::clWindowText);
    // A font name longer than the limit is cut, not grown without end.
    const TRichDocument longName = Read("{\\rtf1{\\fonttbl{\\f0 " + std::string(100000, 'N') + ";}}x}");
    EXPECT_EQ(longName.FormatAt(0).Name.size(), TRtfReader::kMaxFontName);
}

TRichDocument Sample() {
    TRichDocument doc;
    doc.Text =
        "Heading\nplain bold {x} \\ caf\xC3\xA9 \xE2\x82\xAC \xD0\x96 \xF0\x9F\x98\x80\ttab\n\nitem "
        "one\nlast";
    TRichCharFormat heading{"Times New Roman", 18, gfx::fsBold | gfx::fsUnderline, gfx::RGB(0, 0, 128)};
    TRichCharFormat plain;
    TRichCharFormat bold{"Arial", 10, gfx::fsBold, gfx::clWindowText};
    TRichCharFormat red{"Courier New", 9, gfx::fsItalic | gfx::fsStrikeOut, gfx::RGB(255, 0, 0)};
    doc.Runs = {{0, heading},
                {doc.Text.find("plain"), plain},
                {doc.Text.find("bold"), bold},
                {doc.Text.find("{x}"), red},
                {doc.Text.find("item"), plain}};
    doc.Paragraphs = {{raCenter, 0, 0, 0, nsNone},
                      {raLeft, 36, 18, -18, nsNone},
                      {raRight, 0, 0, 0, nsNone},
                      {raLeft, 18, 0, 0, nsBullet},
                      {raLeft, 0, 0, 9, nsNone}};
    doc.Normalize();
    return doc;
}

TEST(RtfWriterTest, ReadingWhatItWroteGivesTheSameDocument) {
    const TRichDocument doc = Sample();
    const std::string rtf = WriteRtf(doc);
    // Seven-bit output.
    for (const char c : rtf) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << rtf;
    const TRichDocument back = Read(rtf);
    EXPECT_EQ(back.Text, doc.Text);
    EXPECT_EQ(back.Runs, doc.Runs);
    EXPECT_EQ(back.Paragraphs, doc.Paragraphs);
    // And again: a second trip changes nothing.
    EXPECT_EQ(WriteRtf(back), rtf);
}

TEST(RtfWriterTest, KeepsTheFormatOfAnEmptyDocumentAndTrailingBreaks) {
    TRichDocument doc;
    doc.Runs = {{0, {"Courier New", 14, gfx::fsItalic, gfx::RGB(1, 2, 3)}}};
    doc.Normalize();
    const TRichDocument back = Read(WriteRtf(doc));
    EXPECT_EQ(back.Text, "");
    EXPECT_EQ(back.Runs, doc.Runs);

    TRichDocument breaks;
    breaks.Text = "a\n\n";
    breaks.Paragraphs = {{raCenter, 0, 0, 0, nsNone}, {}, {raRight, 0, 0, 0, nsNone}};
    breaks.Normalize();
    const TRichDocument back2 = Read(WriteRtf(breaks));
    EXPECT_EQ(back2.Text, "a\n\n");
    EXPECT_EQ(back2.Paragraphs, breaks.Paragraphs);
}

TEST(RtfDocumentTest, NormalizeMergesRunsAndFitsParagraphs) {
    TRichDocument doc;
    doc.Text = "abc\ndef";
    TRichCharFormat bold;
    bold.Style = gfx::fsBold;
    doc.Runs = {{2, {}}, {2, bold}, {3, bold}, {5, {}}, {5, {}}, {99, bold}};
    doc.Normalize();
    ASSERT_EQ(doc.Runs.size(), 2u);
    EXPECT_EQ(doc.Runs[0].Start, 0u);  // the first run always starts the text
    EXPECT_EQ(doc.Runs[0].Format, bold);
    EXPECT_EQ(doc.Runs[1].Start, 5u);
    EXPECT_EQ(doc.Paragraphs.size(), 2u);
}

}  // namespace
