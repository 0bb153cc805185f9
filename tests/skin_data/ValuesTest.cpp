// The value syntaxes of skin descriptions: parsers, readers with their defaults, writers.

#include <gtest/gtest.h>

#include <memory>

#include "platform/core/IniFile.h"
#include "skin/data/bsUtilsValues.h"
#include "tests/skin_data/SkinDataFixture.h"

using namespace skin;
using platform::core::TMemIniFile;
using platform::gfx::fsBold;
using platform::gfx::fsItalic;
using platform::gfx::fsStrikeOut;
using platform::gfx::fsUnderline;

namespace {

std::unique_ptr<TMemIniFile> IniOf(std::string_view text) {
    auto ini = std::make_unique<TMemIniFile>();
    ini->SetStrings(skintest::Lines(text));
    return ini;
}

}  // namespace

TEST(SkinValues, RectAndPointTextKeepOnlyDigitsAndCommas) {
    EXPECT_EQ(ParseRectText("1, 2, 3, 4"), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(ParseRectText("-5,10,20,30"), (TRect{5, 10, 20, 30}));  // the minus sign is lost
    EXPECT_EQ(ParseRectText("1,x,3,4"), (TRect{1, 0, 3, 4}));         // a part without digits is 0
    EXPECT_EQ(ParseRectText("1,2,3,4,5,6"), (TRect{1, 2, 3, 4}));     // extra parts ignored
    EXPECT_EQ(ParseRectText("7,8"), (TRect{7, 8, 0, 0}));             // missing parts are 0
    EXPECT_EQ(ParseRectText(""), (TRect{}));
    EXPECT_EQ(ParseRectText("1a2,3 4,5\t6,7"), (TRect{12, 34, 56, 7}));
    EXPECT_EQ(ParseRectText("99999999999999999999,1,2,3").Left, INT32_MAX);
    EXPECT_EQ(ParsePointText("-3, 4"), (TPoint{3, 4}));
    EXPECT_EQ(ParsePointText("5"), (TPoint{5, 0}));
    EXPECT_EQ(ParsePointText("1,2,3"), (TPoint{1, 2}));
    EXPECT_EQ(ParsePointText(",9"), (TPoint{0, 9}));
}

TEST(SkinValues, FontStyleWordsAreCaseSensitiveSubstrings) {
    EXPECT_EQ(ParseFontStylesText("fsbold,fsunderline"), fsBold | fsUnderline);
    EXPECT_EQ(ParseFontStylesText("FSBOLD,FSUNDERLINE"), 0);
    EXPECT_EQ(ParseFontStylesText("fsbolditalic"), fsBold);  // "italic" without its prefix is no word
    EXPECT_EQ(ParseFontStylesText("[fsstrikeout fsitalic]"), fsStrikeOut | fsItalic);
    EXPECT_EQ(ParseFontStylesText(""), 0);
    EXPECT_EQ(FontStylesToText(fsStrikeOut | fsBold | fsItalic | fsUnderline),
              "fsbold,fsitalic,fsunderline,fsstrikeout");
    EXPECT_EQ(FontStylesToText(fsUnderline | fsItalic), "fsitalic,fsunderline");
    EXPECT_EQ(FontStylesToText(0), "");
}

TEST(SkinValues, WordsFallBackAsEachSyntaxSays) {
    EXPECT_EQ(ParseAlignmentText("tacenter"), taCenter);
    EXPECT_EQ(ParseAlignmentText("taleftjustify"), taLeftJustify);
    EXPECT_EQ(ParseAlignmentText("center"), taRightJustify);
    EXPECT_EQ(ParseAlignmentText("TaCenter"), taRightJustify);
    EXPECT_EQ(ParseAlignmentText("tacenter "), taRightJustify);

    EXPECT_EQ(ParseMorphKindText("mkpush"), mkPush);
    EXPECT_EQ(ParseMorphKindText("mkleftslide"), mkLeftSlide);
    EXPECT_EQ(ParseMorphKindText("mkPush"), mkDefault);
    EXPECT_EQ(ParseMorphKindText("gradient"), mkDefault);

    EXPECT_EQ(ParseInactiveEffectText("ieinvert"), ieInvert);
    EXPECT_EQ(ParseInactiveEffectText("iebrightness"), ieBrightness);
    EXPECT_EQ(ParseInactiveEffectText("blur"), ieGrayScale);

    EXPECT_EQ(ParseCommandText("cmclose"), cmClose);
    EXPECT_EQ(ParseCommandText("cmrollup"), cmRollUp);
    EXPECT_EQ(ParseCommandText("cmdefault"), cmDefault);
    EXPECT_EQ(ParseCommandText("cmClose"), cmMinimizeToTray);
    EXPECT_EQ(ParseCommandText("cmminimizetotray"), cmMinimizeToTray);
    EXPECT_STREQ(CommandToText(cmMinimizeToTray), "cmminimizetotray");

    // Every word reads back as the value it was written from.
    for (int k = mkDefault; k <= mkPush; ++k)
        EXPECT_EQ(ParseMorphKindText(MorphKindToText(static_cast<TbsMorphKind>(k))), k);
    for (int c = cmClose; c <= cmMinimizeToTray; ++c)
        EXPECT_EQ(ParseCommandText(CommandToText(static_cast<TbsStdCommand>(c))), c);
    for (int e = ieBrightness; e <= ieInvert; ++e)
        EXPECT_EQ(ParseInactiveEffectText(InactiveEffectToText(static_cast<TbsInactiveEffect>(e))), e);
    for (TAlignment a : {taLeftJustify, taRightJustify, taCenter})
        EXPECT_EQ(ParseAlignmentText(AlignmentToText(a)), a);
}

TEST(SkinValues, ReadersGiveTheirDefaultsForMissingOrBadKeys) {
    auto iniPtr = IniOf(
        "[S]\nflag1=1\nflag2=2\nflagword=yes\nnum=12x\nhex=$10\nalign=\nmorph=\ncmd=\n"
        "effect=\n");
    const auto& ini = *iniPtr;
    EXPECT_TRUE(SkinReadFlag(ini, "s", "FLAG1"));   // section and key names ignore case
    EXPECT_FALSE(SkinReadFlag(ini, "S", "flag2"));  // true only for exactly 1
    EXPECT_FALSE(SkinReadFlag(ini, "S", "flagword"));
    EXPECT_FALSE(SkinReadFlag(ini, "S", "missing"));
    EXPECT_EQ(SkinReadInteger(ini, "S", "num", -1), -1);
    EXPECT_EQ(SkinReadInteger(ini, "S", "missing", 14), 14);
    EXPECT_EQ(SkinReadColor(ini, "S", "missing"), 0);
    EXPECT_EQ(SkinReadRect(ini, "S", "missing"), (TRect{}));
    EXPECT_EQ(SkinReadPoint(ini, "S", "missing"), (TPoint{}));
    EXPECT_EQ(SkinReadFontStyles(ini, "S", "missing"), 0);
    EXPECT_EQ(SkinReadText(ini, "S", "missing", "Arial"), "Arial");

    // Missing keys take the syntax's default word; present but empty values are unknown words.
    EXPECT_EQ(SkinReadAlignment(ini, "S", "missing"), taCenter);
    EXPECT_EQ(SkinReadAlignment(ini, "S", "align"), taRightJustify);
    EXPECT_EQ(SkinReadMorphKind(ini, "S", "missing"), mkDefault);
    EXPECT_EQ(SkinReadCommand(ini, "S", "missing"), cmDefault);
    EXPECT_EQ(SkinReadCommand(ini, "S", "cmd"), cmMinimizeToTray);
    EXPECT_EQ(SkinReadInactiveEffect(ini, "S", "missing"), ieBrightness);
    EXPECT_EQ(SkinReadInactiveEffect(ini, "S", "effect"), ieGrayScale);
}

TEST(SkinValues, WritersProduceTheTextsReadersExpect) {
    TMemIniFile ini;
    SkinWriteRect(ini, "S", "r", TRect{1, 2, 300, 400});
    SkinWritePoint(ini, "S", "p", TPoint{7, 8});
    SkinWriteFlag(ini, "S", "f1", true);
    SkinWriteFlag(ini, "S", "f0", false);
    SkinWriteFontStyles(ini, "S", "fs", fsBold | fsUnderline);
    SkinWriteAlignment(ini, "S", "a", taRightJustify);
    SkinWriteMorphKind(ini, "S", "m", mkRightGradient);
    SkinWriteCommand(ini, "S", "c", cmMinimizeToTray);
    SkinWriteColor(ini, "S", "col", 12632256);
    EXPECT_EQ(ini.ReadString("S", "r", ""), "1,2,300,400");
    EXPECT_EQ(ini.ReadString("S", "p", ""), "7,8");
    EXPECT_EQ(ini.ReadString("S", "f1", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "f0", ""), "0");
    EXPECT_EQ(ini.ReadString("S", "fs", ""), "fsbold,fsunderline");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "tarightjustify");
    EXPECT_EQ(ini.ReadString("S", "m", ""), "mkrightgradient");
    EXPECT_EQ(ini.ReadString("S", "c", ""), "cmminimizetotray");
    EXPECT_EQ(ini.ReadString("S", "col", ""), "12632256");
    EXPECT_EQ(SkinReadAlignment(ini, "S", "a"), taRightJustify);
    EXPECT_EQ(SkinReadFontStyles(ini, "S", "fs"), fsBold | fsUnderline);
}

TEST(SkinValues, SplitEntryCutsAtTheFirstColon) {
    auto e = SplitEntry("resizebutton:button");
    EXPECT_EQ(e.Name, "resizebutton");
    EXPECT_EQ(e.Kind, "button");
    e = SplitEntry("a:b:c");
    EXPECT_EQ(e.Name, "a");
    EXPECT_EQ(e.Kind, "b:c");
    e = SplitEntry(":button");
    EXPECT_EQ(e.Name, "");
    EXPECT_EQ(e.Kind, "button");
    e = SplitEntry("button");
    EXPECT_EQ(e.Name, "");
    EXPECT_EQ(e.Kind, "");
}

TEST(SkinValues, CountedListReadsMissingEntriesAsEmptyAndNeverRunsAway) {
    auto iniPtr = IniOf("[P]\nactivepicturescount=4\n0=a.bmp\n2=c.bmp\n07=x.bmp\n9=z.bmp\n");
    const auto& ini = *iniPtr;
    TStringList list;
    SkinReadList(ini, "P", "activepictures", list);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[0], "a.bmp");
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list[2], "c.bmp");
    EXPECT_EQ(list[3], "");

    auto negative = IniOf("[P]\nactivepicturescount=-3\n0=a.bmp\n");
    SkinReadList(*negative, "P", "activepictures", list);
    EXPECT_EQ(list.Count(), 0);

    // A forged count is cut, and only present keys are looked up.
    auto huge = IniOf("[P]\nactivepicturescount=2147483647\n1=b.bmp\n70000=far.bmp\n");
    std::vector<int> seen;
    int count = SkinForEachListEntry(*huge, "P", "activepicturescount",
                                     [&](int i, const std::string&) { seen.push_back(i); });
    EXPECT_EQ(count, kMaxSkinListCount);
    EXPECT_EQ(seen, std::vector<int>{1});
}
