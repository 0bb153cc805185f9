#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "AppTestSupport.h"
#include "app/Package.h"
#include "platform/core/IniFile.h"

using app_test::MakePackage;
using app_test::PackageIni;
using app_test::ReadFile;
using app_test::StampOf;
using app_test::TempDir;
using app_test::WriteFile;

TEST(Package, PuzzleCountDefaultsToConsecutivePreviewsAndCompletenessFollowsIt) {
    TempDir tmp;
    const std::string dir = MakePackage(tmp.Path(), "gap", PackageIni("Gap"), 2);
    WriteFile(dir + "/p-4.jpg", app_test::kFakeJpeg);
    {
        app::TPackage package(dir);
        EXPECT_EQ(package.CountPreviews(), 2);
        EXPECT_EQ(package.PuzzleCount, 2);
        EXPECT_EQ(package.Puzzles.size(), 2u);
        EXPECT_TRUE(package.IsComplete());
    }
    WriteFile(dir + "/PuzzlePackage.ini", PackageIni("Gap", "puzzles=4\r\n"));
    {
        app::TPackage package(dir);
        EXPECT_EQ(package.PuzzleCount, 4);
        EXPECT_FALSE(package.IsComplete());
    }
    for (const char* count : {"0", "-3"}) {
        WriteFile(dir + "/PuzzlePackage.ini", PackageIni("Gap", std::string("puzzles=") + count));
        app::TPackage package(dir);
        EXPECT_TRUE(package.Puzzles.empty());
        EXPECT_FALSE(package.IsComplete()) << count;
    }
}

TEST(Package, EmptySettingsGiveTheDefaults) {
    TempDir tmp;
    const std::string dir = MakePackage(tmp.Path(), "bare", "", 3, "nopreview");
    app::TPackage package(dir);
    EXPECT_EQ(package.Directory, dir);
    EXPECT_EQ(package.PackageName, "nopackage");
    EXPECT_EQ(package.FileBase, "nofile");
    EXPECT_EQ(package.PreviewBase, "nopreview");
    EXPECT_EQ(package.PuzzleCount, 3);
    EXPECT_EQ(package.LastPuzzle, 0);
    EXPECT_EQ(package.PreviewPath(2), dir + "/nopreview-3.jpg");
    EXPECT_EQ(package.PuzzleExecutablePath(4, 3), dir + "/nofile-5-Expert.exe");
    EXPECT_FALSE(package.SeverityDirty);
    EXPECT_FALSE(package.LastPuzzleDirty);
}

TEST(Package, LastPuzzleIsStoredMinusOneWithoutRangeCheck) {
    TempDir tmp;
    const std::string dir = MakePackage(tmp.Path(), "pk", PackageIni("P"), 3);
    const std::pair<const char*, int32_t> cases[] = {
        {"", 0},
        {"[User]\r\nlast_puzzle=7\r\n", 6},
        {"[User]\r\nlast_puzzle=two\r\n", 0},
        {"[User]\r\nlast_puzzle=-2147483648\r\n", INT32_MIN},
    };
    for (const auto& [user, expected] : cases) {
        WriteFile(dir + "/PuzzlePackage.ini", PackageIni("P") + user);
        app::TPackage package(dir);
        EXPECT_EQ(package.LastPuzzle, expected) << user;
    }
}

TEST(Package, SeveritiesOutsideTheTableReadAsBeginner) {
    TempDir tmp;
    const std::string dir = MakePackage(
        tmp.Path(), "pk",
        PackageIni("P", "[Severity]\r\npuzzle_1=5\r\npuzzle_2=9\r\npuzzle_3=0\r\nPUZZLE_4=2\r\n"), 5);
    app::TPackage package(dir);
    ASSERT_EQ(package.Puzzles.size(), 5u);
    EXPECT_EQ(package.Puzzles[0].Severity, 5);
    EXPECT_EQ(package.Puzzles[1].Severity, 1);
    EXPECT_EQ(package.Puzzles[2].Severity, 1);
    EXPECT_EQ(package.Puzzles[3].Severity, 2);  // keys match without regard to case
    EXPECT_EQ(package.Puzzles[4].Severity, 1);  // missing
    EXPECT_EQ(package.PuzzleAt(5), nullptr);
    EXPECT_EQ(package.PuzzleAt(-1), nullptr);
}

TEST(Package, HugeClaimedCountIsRejectedWithoutReadingEveryEntry) {
    TempDir tmp;
    const std::string dir = MakePackage(tmp.Path(), "pk", PackageIni("P", "puzzles=2000000000\r\n"), 3);
    app::TPackage package(dir);
    EXPECT_EQ(package.PuzzleCount, 2000000000);
    EXPECT_LE(package.Puzzles.size(), 3u);
    EXPECT_FALSE(package.IsComplete());
}

TEST(Package, UnchangedPackageLeavesItsFileUntouched) {
    TempDir tmp;
    const std::string ini = "; comment\r\n" + PackageIni("P", "[User]\r\nlast_puzzle=2\r\n");
    const std::string dir = MakePackage(tmp.Path(), "pk", ini, 3);
    const std::string file = dir + "/PuzzlePackage.ini";
    const auto before = StampOf(file);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    { app::TPackage package(dir); }
    EXPECT_EQ(ReadFile(file), ini);
    EXPECT_EQ(StampOf(file), before);
}

TEST(Package, DestructionWritesEverySeverityAndTheLastPuzzleAsFlagged) {
    TempDir tmp;
    const std::string dir =
        MakePackage(tmp.Path(), "pk", PackageIni("Twelve", "[Severity]\r\npuzzle_3=4\r\n"), 12);
    const std::string file = dir + "/PuzzlePackage.ini";
    {
        app::TPackage package(dir);
        package.Puzzles[6].Severity = 5;
        package.SeverityDirty = true;
    }
    {
        platform::core::TIniFile ini(file);
        for (int n = 1; n <= 12; ++n) {
            const std::string key = "puzzle_" + std::to_string(n);
            ASSERT_TRUE(ini.ValueExists("Severity", key)) << key;
            EXPECT_EQ(ini.ReadInteger("Severity", key, -1), n == 7 ? 5 : n == 3 ? 4 : 1) << key;
        }
        EXPECT_FALSE(ini.ValueExists("Severity", "puzzle_13"));
        EXPECT_FALSE(ini.SectionExists("User"));  // last puzzle not flagged
        EXPECT_EQ(ini.ReadString("Package", "name", ""), "Twelve");
    }
    {
        app::TPackage package(dir);
        package.LastPuzzle = 10;
        package.LastPuzzleDirty = true;
    }
    platform::core::TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("User", "last_puzzle", ""), "11");
}
