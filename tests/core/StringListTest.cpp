#include "platform/core/StringList.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/CoreTestSupport.h"

using namespace platform::core;

namespace {

std::vector<std::string> Items(const TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
    return items;
}

using V = std::vector<std::string>;

}  // namespace

TEST(StringList, AddInsertDeleteIndexOf) {
    TStringList list;
    EXPECT_EQ(list.Add("beta"), 0);
    EXPECT_EQ(list.Add("alpha"), 1);
    list.Insert(0, "zeta");
    list.Insert(3, "omega");
    EXPECT_EQ(Items(list), (V{"zeta", "beta", "alpha", "omega"}));
    EXPECT_EQ(list.IndexOf("alpha"), 2);
    EXPECT_EQ(list.IndexOf("ALPHA"), 2);  // not case-sensitive by default
    EXPECT_EQ(list.IndexOf("gamma"), -1);
    list.Delete(1);
    EXPECT_EQ(Items(list), (V{"zeta", "alpha", "omega"}));
    list.Exchange(0, 2);
    EXPECT_EQ(Items(list), (V{"omega", "alpha", "zeta"}));
    list.SetStrings(1, "ALPHA");
    EXPECT_EQ(list[1], "ALPHA");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, IndexOutOfBoundsThrows) {
    TStringList list;
    list.Add("only");
    EXPECT_THROW((void)list[1], std::out_of_range);
    EXPECT_THROW((void)list[-1], std::out_of_range);
    EXPECT_THROW(list.Delete(1), std::out_of_range);
    EXPECT_THROW(list.Insert(2, "x"), std::out_of_range);
    EXPECT_THROW(list.Exchange(0, 1), std::out_of_range);
    EXPECT_THROW((void)list.Objects(3), std::out_of_range);
    EXPECT_EQ(list.Count(), 1);
}

TEST(StringList, SortedAddKeepsOrderAndFindsWithTheSameComparison) {
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add("cherry"), 0);
    EXPECT_EQ(list.Add("Banana"), 0);
    EXPECT_EQ(list.Add("apple"), 0);
    EXPECT_EQ(list.Add("date"), 3);
    EXPECT_EQ(Items(list), (V{"apple", "Banana", "cherry", "date"}));  // without case
    EXPECT_EQ(list.IndexOf("BANANA"), 1);
    EXPECT_EQ(list.IndexOf("blueberry"), -1);
    list.Insert(0, "aardvark");  // a sorted list inserts in order
    EXPECT_EQ(list[0], "aardvark");
    list.Insert(0, "zucchini");
    EXPECT_EQ(list[list.Count() - 1], "zucchini");
}

TEST(StringList, SortedDuplicatesFollowTheirEquals) {
    TStringList list;
    list.SetSorted(true);
    int a = 1;
    int b = 2;
    int c = 3;
    list.AddObject("Same", &a);
    list.AddObject("other", &c);
    EXPECT_EQ(list.AddObject("SAME", &b), 2);
    EXPECT_EQ(Items(list), (V{"other", "Same", "SAME"}));
    EXPECT_EQ(list.Objects(1), &a);
    EXPECT_EQ(list.Objects(2), &b);
    EXPECT_EQ(list.IndexOf("same"), 1);  // the first of the equals
}

TEST(StringList, CaseSensitiveSwitchResortsAndChangesMatching) {
    TStringList list;
    list.Add("b");
    list.Add("B");
    list.Add("a");
    list.Add("A");
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("A"), 3);
    EXPECT_EQ(list.IndexOf("a"), 2);
    list.SetSorted(true);
    EXPECT_EQ(Items(list), (V{"A", "B", "a", "b"}));  // byte order: capitals first
    EXPECT_EQ(list.IndexOf("b"), 3);
    EXPECT_EQ(list.IndexOf("c"), -1);
    list.SetCaseSensitive(false);
    EXPECT_EQ(Items(list), (V{"A", "a", "B", "b"}));  // stable: equals keep their order
    EXPECT_EQ(list.IndexOf("b"), 2);
}

TEST(StringList, SortedListObjectsTravelWithTheirStrings) {
    TStringList list;
    int one = 1;
    int two = 2;
    list.AddObject("zwei", &two);
    list.AddObject("eins", &one);
    list.SetSorted(true);
    EXPECT_EQ(list[0], "eins");
    EXPECT_EQ(list.Objects(0), &one);
    EXPECT_EQ(list.Objects(1), &two);
    list.SetStrings(0, "zz");  // moves to stay sorted, with its object
    EXPECT_EQ(Items(list), (V{"zwei", "zz"}));
    EXPECT_EQ(list.Objects(1), &one);
}

TEST(StringList, TextUsesCrLfAndSplitsAnyLineEnd) {
    TStringList list;
    list.Add("one");
    list.Add("");
    list.Add("three");
    EXPECT_EQ(list.Text(), "one\r\n\r\nthree\r\n");

    list.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(Items(list), (V{"a", "b", "c", "d"}));
    list.SetText("a\r\n");
    EXPECT_EQ(Items(list), (V{"a"}));
    list.SetText("a\n\n");
    EXPECT_EQ(Items(list), (V{"a", ""}));
    list.SetText("\r\r\n");
    EXPECT_EQ(Items(list), (V{"", ""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, ValuesAndNames) {
    TStringList list;
    list.Add("Skin=Blue");
    list.Add("no equals sign");
    list.Add("Path=a=b");
    EXPECT_EQ(list.Values("skin"), "Blue");
    EXPECT_EQ(list.Values("PATH"), "a=b");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.IndexOfName("no equals sign"), -1);
    EXPECT_EQ(list.Names(2), "Path");
    EXPECT_EQ(list.ValueFromIndex(2), "a=b");
    EXPECT_EQ(list.Names(1), "");
    list.SetValues("Skin", "Red");
    EXPECT_EQ(list[0], "Skin=Red");
    list.SetValues("Size", "3");
    EXPECT_EQ(list[3], "Size=3");
    list.SetValues("path", "");
    EXPECT_EQ(Items(list), (V{"Skin=Red", "no equals sign", "Size=3"}));
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOfName("skin"), -1);
    EXPECT_EQ(list.IndexOfName("Skin"), 0);
}

TEST(StringList, CommaTextQuotesWhereNeeded) {
    TStringList list;
    list.Add("plain");
    list.Add("with space");
    list.Add("a,b");
    list.Add("say \"hi\"");
    list.Add("");
    EXPECT_EQ(list.CommaText(), "plain,\"with space\",\"a,b\",\"say \"\"hi\"\"\",\"\"");
}

TEST(StringList, FilesAreUtf8OrWindows1252) {
    const coretest::TTempFolder temp;
    coretest::WriteBytes(temp / "ansi.txt", "caf\xE9\r\n\x80 5\r\n");
    TStringList list;
    ASSERT_TRUE(list.LoadFromFile(temp / "ansi.txt"));
    EXPECT_EQ(Items(list), (V{"caf\u00E9", "\u20AC 5"}));

    coretest::WriteBytes(temp / "bom.txt", "\xEF\xBB\xBFgr\u00FC\u00DF\nzwei");
    ASSERT_TRUE(list.LoadFromFile(temp / "bom.txt"));
    EXPECT_EQ(Items(list), (V{"gr\u00FC\u00DF", "zwei"}));

    ASSERT_TRUE(list.SaveToFile(temp / "out.txt"));
    EXPECT_EQ(coretest::ReadBytes(temp / "out.txt"), "gr\u00FC\u00DF\r\nzwei\r\n");
    EXPECT_FALSE(list.LoadFromFile(temp / "missing.txt"));
    EXPECT_FALSE(list.SaveToFile(temp / "no/such/folder.txt"));
}
