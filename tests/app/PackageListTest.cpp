#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/PackageList.h"

using app_test::MakePackage;
using app_test::PackageIni;
using app_test::ReadFile;
using app_test::StampOf;
using app_test::TempDir;
using app_test::WriteFile;

namespace {

struct Catalogue {
    explicit Catalogue(const std::string& base)
        : List(base, [this](const std::string& text) { Messages.push_back(text); }) {}
    std::vector<std::string> Messages;
    app::TPackageList List;
};

std::vector<std::string> Names(const app::TPackageList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i)->PackageName);
    return names;
}

}  // namespace

TEST(PackageList, SkipsFoldersAsTheScanRulesSayAndSortsByName) {
    TempDir tmp;
    const std::string base = tmp.Path();
    MakePackage(base, "b", PackageIni("beta"), 2);
    MakePackage(base, "a", PackageIni("Alpha"), 1);
    MakePackage(base, "c", PackageIni("gamma"), 3);
    MakePackage(base, ".hidden", PackageIni("Hidden"), 1);
    std::filesystem::create_directories(base + "/.cache");
    std::filesystem::create_directories(base + "/unrelated");
    WriteFile(base + "/loose-file.ini", "[Package]\r\nname=file\r\n");

    Catalogue c(base + "/");
    EXPECT_EQ(Names(c.List), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(c.List.FolderList.Count(), 4);  // a, b, c, unrelated; no dot folders, no files
    EXPECT_EQ(c.List.Items(0)->Directory, base + "/a");
    EXPECT_EQ(c.List.Items(3), nullptr);
    EXPECT_EQ(c.List.Items(-1), nullptr);
    ASSERT_EQ(c.Messages.size(), 1u);
    EXPECT_EQ(c.Messages[0],
              "Configuration for puzzle package not found. Package will be skipped:\r\r"
              "Konfiguration f\u00fcr Puzzle-Paket nicht gefunden. Packet wird "
              "\u00fcbersprungen:\r\r" +
                  base + "/unrelated/PuzzlePackage.ini");
}

TEST(PackageList, IncompletePackagesAreReportedAndLeftUntouched) {
    TempDir tmp;
    const std::string base = tmp.Path();
    const std::string gap = MakePackage(base, "gap", PackageIni("Gap", "puzzles=4\r\n"), 2);
    WriteFile(gap + "/p-4.jpg", app_test::kFakeJpeg);
    const std::string zero = MakePackage(base, "zero", PackageIni("Zero", "puzzles=0\r\n"), 2);
    const std::string none = MakePackage(base, "none", PackageIni("None"), 0);
    MakePackage(base, "good", PackageIni("Good"), 1);
    const auto gapStamp = StampOf(gap + "/PuzzlePackage.ini");

    std::vector<std::string> messages;
    {
        Catalogue c(base);
        EXPECT_EQ(Names(c.List), std::vector<std::string>{"Good"});
        messages = c.Messages;
        c.List.Items(0)->LastPuzzleDirty = true;
    }
    ASSERT_EQ(messages.size(), 3u);
    for (const std::string& folder : {gap, zero, none}) {
        const std::string expected =
            "Puzzle package is incomplete and will be skipped:\r\r"
            "Puzzle-Packet ist unvollst\u00e4ndig und wird \u00fcbersprungen:\r\r" +
            folder;
        EXPECT_NE(std::find(messages.begin(), messages.end(), expected), messages.end()) << folder;
    }
    EXPECT_EQ(StampOf(gap + "/PuzzlePackage.ini"), gapStamp);
    EXPECT_EQ(ReadFile(gap + "/PuzzlePackage.ini"), PackageIni("Gap", "puzzles=4\r\n"));
    // The accepted package was flagged and wrote its file when the list went away.
    EXPECT_NE(ReadFile(base + "/good/PuzzlePackage.ini").find("last_puzzle=1"), std::string::npos);
}

TEST(PackageList, MissingOrEmptyBaseFolderGivesAnEmptyListSilently) {
    TempDir tmp;
    Catalogue empty(tmp.Path());
    EXPECT_EQ(empty.List.Count(), 0);
    Catalogue missing(tmp.Path() + "/does-not-exist");
    EXPECT_EQ(missing.List.Count(), 0);
    EXPECT_TRUE(empty.Messages.empty());
    EXPECT_TRUE(missing.Messages.empty());
}
