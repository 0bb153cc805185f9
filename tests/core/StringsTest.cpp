#include "platform/core/Strings.h"

#include <gtest/gtest.h>

#include <set>

using namespace platform::core;

namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    return bytes;
}

}  // namespace

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    const std::string bytes = AllBytes();
    const std::string utf8 = Cp1252ToUtf8(bytes);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToCp1252(utf8), bytes);

    // Each byte is its own code point, and no two bytes share one.
    const std::u32string cps = Utf8ToCodePoints(utf8);
    ASSERT_EQ(cps.size(), 256U);
    EXPECT_EQ(std::set<char32_t>(cps.begin(), cps.end()).size(), 256U);
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << "byte " << b;
    }
}

TEST(Cp1252, MapsTheCodePageAndItsFiveUndefinedBytes) {
    const std::u32string cps = Utf8ToCodePoints(Cp1252ToUtf8(AllBytes()));
    EXPECT_EQ(cps[0x41], U'A');
    EXPECT_EQ(cps[0x80], U'\u20AC');  // euro sign
    EXPECT_EQ(cps[0x8A], U'\u0160');  // S caron
    EXPECT_EQ(cps[0x93], U'\u201C');  // left double quote
    EXPECT_EQ(cps[0x99], U'\u2122');  // trade mark
    EXPECT_EQ(cps[0x9F], U'\u0178');  // Y diaeresis
    EXPECT_EQ(cps[0xA0], U'\u00A0');
    EXPECT_EQ(cps[0xE9], U'\u00E9');
    EXPECT_EQ(cps[0xFF], U'\u00FF');
    for (const int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(cps[static_cast<std::size_t>(undefined)], static_cast<char32_t>(undefined));
    }
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80"), "caf\u00E9 \u20AC");
}

TEST(Cp1252, EncodingReplacesWhatTheCodePageCannotHold) {
    EXPECT_EQ(Utf8ToCp1252("\u20AC \u00E9 \u0153"), "\x80 \xE9 \x9C");
    EXPECT_EQ(Utf8ToCp1252("\u65E5\u672C"), "??");  // CJK
    EXPECT_EQ(Utf8ToCp1252("\U0001F600"), "?");
    EXPECT_EQ(Utf8ToCp1252("\u0080"), "?");  // a C1 control whose byte the code page gives to the euro
    // Invalid UTF-8: each bad byte is one "?", the text around it survives.
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x82z"), "a??z");
    EXPECT_EQ(Utf8ToCp1252("\xFF\xFE"), "??");
}

TEST(Utf8, ValidationIsStrict) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\u00E9\u20AC\U0001F600"));
    EXPECT_TRUE(IsValidUtf8(std::string_view("a\0b", 3)));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));          // overlong NUL
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // truncated
    EXPECT_FALSE(IsValidUtf8("\x80"));              // lone continuation
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));
}

TEST(Utf8, ExternalTextIsUtf8WhenValidElseWindows1252) {
    TTextEncoding detected = TTextEncoding::Windows1252;
    EXPECT_EQ(DecodeExternalText("gr\u00FC\u00DF", &detected), "gr\u00FC\u00DF");
    EXPECT_EQ(detected, TTextEncoding::Utf8);
    EXPECT_EQ(DecodeExternalText("gr\xFC\xDF", &detected), "gr\u00FC\u00DF");
    EXPECT_EQ(detected, TTextEncoding::Windows1252);
    EXPECT_EQ(EncodeExternalText("gr\u00FC\u00DF", TTextEncoding::Windows1252), "gr\xFC\xDF");
    EXPECT_EQ(EncodeExternalText("gr\u00FC\u00DF", TTextEncoding::Utf8), "gr\u00FC\u00DF");
}

TEST(Utf8, CodePointsReplaceInvalidBytesOneByOne) {
    EXPECT_EQ(Utf8ToCodePoints("a\u00E9\U0001F600"), (std::u32string{U'a', U'\u00E9', U'\U0001F600'}));
    EXPECT_EQ(Utf8ToCodePoints("a\xE2\x82"), (std::u32string{U'a', 0xFFFD, 0xFFFD}));
    EXPECT_EQ(Utf8ToCodePoints("\xF0\x9F\x98"), (std::u32string{0xFFFD, 0xFFFD, 0xFFFD}));
    EXPECT_EQ(CodePointsToUtf8(U"a\u00E9\u20AC\U0001F600"), "a\u00E9\u20AC\U0001F600");
    std::string out;
    AppendUtf8(out, 0xD800);  // a surrogate is no character
    AppendUtf8(out, 0x110000);
    EXPECT_EQ(out, "\uFFFD\uFFFD");
}

TEST(Utf8, CharLengthAndPopBack) {
    const std::string s = "a\u00E9\u20AC\U0001F600";
    EXPECT_EQ(Utf8CharLength(s, 0), 1U);
    EXPECT_EQ(Utf8CharLength(s, 1), 2U);
    EXPECT_EQ(Utf8CharLength(s, 3), 3U);
    EXPECT_EQ(Utf8CharLength(s, 6), 4U);
    EXPECT_EQ(Utf8CharLength(s, 7), 1U);  // inside a sequence
    EXPECT_EQ(Utf8CharLength(s, 10), 0U);
    EXPECT_EQ(Utf8CharLength("\xF0\x9F", 0), 1U);  // truncated: never past the end

    std::string t = s;
    Utf8PopBack(t);
    EXPECT_EQ(t, "a\u00E9\u20AC");
    Utf8PopBack(t);
    EXPECT_EQ(t, "a\u00E9");
    Utf8PopBack(t);
    EXPECT_EQ(t, "a");
    Utf8PopBack(t);
    EXPECT_EQ(t, "");
    Utf8PopBack(t);
    EXPECT_EQ(t, "");
    std::string bad = "a\xE2\x82";
    Utf8PopBack(bad);
    EXPECT_EQ(bad, "a\xE2");
}

TEST(CaseMapping, AsciiAndLatin1) {
    EXPECT_EQ(UpperCase("abc \u00E9\u00E0\u00FE \u00FF \u0161 \u00DF 1"), "ABC \u00C9\u00C0\u00DE \u0178 \u0160 \u00DF 1");
    EXPECT_EQ(LowerCase("ABC \u00C9\u00C0\u00DE \u0178 \u0152"), "abc \u00E9\u00E0\u00FE \u00FF \u0153");
    EXPECT_EQ(UpperCase("\u00F7"), "\u00F7");  // division sign is no letter
    EXPECT_EQ(LowerCase("\u00D7"), "\u00D7");  // nor multiplication sign
    EXPECT_EQ(UpperCase("a\xFF" "b"), "A\xFF" "B");  // invalid bytes pass through
}

TEST(Compare, TextIgnoresCase) {
    EXPECT_TRUE(SameText("SkinName", "SKINNAME"));
    EXPECT_TRUE(SameText("\u00C4rger", "\u00E4RGER"));
    EXPECT_FALSE(SameText("abc", "abd"));
    EXPECT_FALSE(SameText("abc", "ab"));
    EXPECT_LT(CompareText("apple", "Banana"), 0);  // bytewise "B" < "a"; without case "a" < "b"
    EXPECT_GT(CompareText("Banana", "apple"), 0);
    EXPECT_GT(CompareText("abc", "ab"), 0);
    EXPECT_LT(CompareText("", "a"), 0);
    EXPECT_EQ(CompareText("\u00E9t\u00E9", "\u00C9T\u00C9"), 0);
    EXPECT_NE(CompareText("a\xFF", "a\xFE"), 0);  // invalid bytes still order
}

TEST(Compare, LocaleTextIgnoresCaseAndOrders) {
    EXPECT_EQ(CompareLocaleText("Puzzle", "pUZZLE"), 0);
    EXPECT_LT(CompareLocaleText("apple", "Banana"), 0);
    EXPECT_GT(CompareLocaleText("cherry", "Banana"), 0);
    EXPECT_LT(CompareLocaleText("a", "ab"), 0);
    // Text the collation cannot take falls back instead of failing.
    EXPECT_EQ(CompareLocaleText("X\xFF", "x\xFF"), 0);
    EXPECT_LT(CompareLocaleText(std::string_view("a\0b", 3), std::string_view("a\0c", 3)), 0);
}

TEST(Integers, DecimalAndHexadecimal) {
    EXPECT_EQ(TryStrToInt("42"), 42);
    EXPECT_EQ(TryStrToInt(" -17 "), -17);
    EXPECT_EQ(TryStrToInt("+5"), 5);
    EXPECT_EQ(TryStrToInt("007"), 7);
    EXPECT_EQ(TryStrToInt("$1F"), 31);
    EXPECT_EQ(TryStrToInt("$1f"), 31);
    EXPECT_EQ(TryStrToInt("0x1F"), 31);
    EXPECT_EQ(TryStrToInt("0X10"), 16);
    EXPECT_EQ(TryStrToInt("-$10"), -16);
    EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(TryStrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(TryStrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(TryStrToInt("-2147483648"), INT32_MIN);
}

TEST(Integers, AnythingElseIsNotANumber) {
    for (const char* bad : {"", " ", "2147483648", "-2147483649", "99999999999999999999", "$100000000", "$", "0x",
                            "-", "+", "12a", "1 2", "--1", "+-1", "1.5", "abc", "$G", "0x1G", "1e3", "$-1"}) {
        EXPECT_FALSE(TryStrToInt(bad).has_value()) << '"' << bad << '"';
    }
    EXPECT_EQ(StrToIntDef("nope", 7), 7);
    EXPECT_EQ(StrToIntDef("8", 7), 8);
}

TEST(Helpers, TrimIntToStrSplit) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(IntToStr(-1234567890123LL), "-1234567890123");
    EXPECT_EQ(SplitString("a,,b,", ','), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SplitString("", ','), (std::vector<std::string>{""}));
    EXPECT_EQ(SplitString("abc", ','), (std::vector<std::string>{"abc"}));
}
