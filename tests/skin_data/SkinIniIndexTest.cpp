// The loader's index over a description must read every line exactly as an in-memory ini file set
// to the same lines does: each case below is read both ways and compared, key by key.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/IniFile.h"
#include "skin/data/bsSkinIniIndex.h"

using platform::core::TMemIniFile;
using platform::core::TStringList;
using skin::TbsSkinIniIndex;

namespace {

TStringList LinesOf(const std::vector<std::string>& lines) {
    TStringList list;
    for (const auto& l : lines) list.Add(l);
    return list;
}

std::vector<std::string> Items(const TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
    return items;
}

// Reads every query both ways; the names listed include ones that are absent.
void ExpectSameReading(const std::vector<std::string>& text, const std::vector<std::string>& sections,
                       const std::vector<std::string>& keys) {
    const TStringList lines = LinesOf(text);
    TMemIniFile reference;
    reference.SetStrings(lines);
    const TbsSkinIniIndex index(lines);

    TStringList a, b;
    reference.ReadSections(a);
    index.ReadSections(b);
    EXPECT_EQ(Items(b), Items(a));
    for (const auto& section : sections) {
        SCOPED_TRACE("[" + section + "]");
        EXPECT_EQ(index.SectionExists(section), reference.SectionExists(section));
        reference.ReadSection(section, a);
        index.ReadSection(section, b);
        EXPECT_EQ(Items(b), Items(a));
        reference.ReadSectionValues(section, a);
        index.ReadSectionValues(section, b);
        EXPECT_EQ(Items(b), Items(a));
        for (const auto& key : keys) {
            EXPECT_EQ(index.ReadString(section, key, "<none>"), reference.ReadString(section, key, "<none>"))
                << key;
            EXPECT_EQ(index.ValueExists(section, key), reference.ValueExists(section, key)) << key;
            EXPECT_EQ(index.ReadInteger(section, key, -7), reference.ReadInteger(section, key, -7)) << key;
        }
    }
}

}  // namespace

TEST(SkinIniIndex, ReadsNamesValuesAndRepeatsAsAnIniFile) {
    ExpectSameReading(
        {
            "orphan=before any section",
            "[Forminfo]",
            "  ClientRect = 6, 30, 199, 160  ",
            "caption=\"  quoted and blank  \"",
            "half=\"only one quote",
            "clientrect=second occurrence is ignored",
            "; comment=not a key",
            "   ;indented comment=neither",
            "=empty key",
            "no equals sign here",
            "eq=a=b=c",
            std::string("nul= before\0after", 17),
            "tab=\tvalue\t",
            "[ buttons ]",
            "count=2",
            "0=close:caption",
            "[FORMINFO]",
            "borderwidth=3",
            "clientrect=repeated section does not win",
            "[broken",
            "key=in a section without its bracket",
            "[]",
            "empty=section name",
            "[Tail] trailing text",
            "last=  ",
        },
        {"FORMINFO", "forminfo", " Forminfo ", "Buttons", "broken", "", "tail", "missing"},
        {"clientrect", "CLIENTRECT", " clientrect ", "caption", "half", "eq", "nul", "tab", "borderwidth",
         "count", "0", "1", "key", "empty", "last", "orphan", "", "comment", "absent"});
}

TEST(SkinIniIndex, NonAsciiNamesAndLinesThatAreNotUtf8ReadAsAnIniFile) {
    // Names outside ASCII fold as the ini file folds them.
    ExpectSameReading({"[Größe]", "Ärger=1", "ÄRGER=2", "[ÉTÉ]", "clé=v"},
                      {"größe", "GRÖSSE", "Größe", "été", "ÉTÉ"}, {"ärger", "Ärger", "CLÉ", "clé", "x"});
    // A line that is not valid UTF-8 is stored by the ini file in repaired form; the index must
    // give the same repaired text.
    ExpectSameReading({"[Names]", std::string("bad=caf\xE9 au lait"), std::string("k\xFF=1")}, {"names"},
                      {"bad", "k\xFF", "k\xEF\xBF\xBD"});
}

TEST(SkinIniIndex, IsReadOnly) {
    const TStringList lines = LinesOf({"[A]", "k=v"});
    TbsSkinIniIndex index(lines);
    EXPECT_FALSE(index.WriteString("A", "k", "w"));
    EXPECT_FALSE(index.DeleteKey("A", "k"));
    EXPECT_FALSE(index.EraseSection("A"));
    EXPECT_EQ(index.ReadString("a", "K", ""), "v");
    EXPECT_EQ(lines[1], "k=v");
}
