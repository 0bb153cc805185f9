#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "BrowserDoubles.h"
#include "platform/core/IniFile.h"

using app_test::BrowserHarness;
using app_test::MakePackage;
using app_test::PackageIni;
using app_test::ReadFile;
using app_test::WriteFile;

namespace {

// Six puzzles with base "x"; puzzle 5 has severity 2 on disk.
std::string MakeSixPuzzles(BrowserHarness& h) {
    WriteFile(h.SettingsFile(), "[Browser]\nFirstTime=0\n");
    return MakePackage(h.Base(), "pkg", PackageIni("X", "[Severity]\r\npuzzle_5=2\r\n"), 6);
}

std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return ReadFile(path);
}

}  // namespace

TEST(BrowserStart, ChosenSeverityNamesTheExecutableAndIsWrittenBack) {
    BrowserHarness h;
    const std::string dir = MakeSixPuzzles(h);
    WriteFile(dir + "/x-5-Expert.exe", "#!/bin/sh\n");
    app::TBrowser& b = h.Open();

    h.Image(4).OnClick();
    EXPECT_EQ(h.cbxSeverity.ItemIndex(), 1);
    h.cbxSeverity.Choose(1);  // the same severity changes nothing
    EXPECT_FALSE(b.Packages->Items(0)->SeverityDirty);
    h.cbxSeverity.Choose(2);
    EXPECT_TRUE(b.Packages->Items(0)->SeverityDirty);
    h.btnStart.OnClick();
    h.Image(4).OnDblClick();
    EXPECT_EQ(h.Starter.Started,
              (std::vector<std::string>{dir + "/x-5-Expert.exe", dir + "/x-5-Expert.exe"}));
    EXPECT_TRUE(h.Messages.Texts.empty());

    h.Window.Close();
    platform::core::TIniFile ini(dir + "/PuzzlePackage.ini");
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(ini.ReadString("Severity", "puzzle_" + std::to_string(n), ""), n == 5 ? "3" : "1");
    EXPECT_EQ(ini.ReadString("User", "last_puzzle", ""), "5");
}

TEST(BrowserStart, MissingExecutableShowsItsFullPath) {
    BrowserHarness h;
    const std::string dir = MakeSixPuzzles(h);
    h.Open();
    h.Image(3).OnClick();
    h.cbxSeverity.Choose(4);
    h.btnStart.OnClick();
    EXPECT_TRUE(h.Starter.Started.empty());
    EXPECT_EQ(
        h.Messages.Texts,
        std::vector<std::string>{"Puzzle not found (If you use the demo, please, order the full product):\r\r"
                                 "Puzzle nicht gefunden (Falls Du die Demo verwendest, bestelle bitte die "
                                 "Vollversion):\r\r" +
                                 dir + "/x-4-Maniac.exe"});
}

TEST(BrowserStart, RealStarterRunsTheFileWithItsPathAsOnlyArgument) {
    app::TProcessStarter starter;
    BrowserHarness h(&starter);
    const std::string dir = MakeSixPuzzles(h);
    const std::string record = h.Base() + "/started.txt";
    const std::string exe = dir + "/x-1-Beginner.exe";
    WriteFile(exe, "#!/bin/sh\necho \"$0|$#\" > \"" + record + ".tmp\" && mv \"" + record + ".tmp\" \"" +
                       record + "\"\n");
    chmod(exe.c_str(), 0755);
    h.Open();
    h.btnStart.OnClick();
    EXPECT_EQ(WaitForFile(record), exe + "|0\n");
    EXPECT_TRUE(h.Messages.Texts.empty());
}

TEST(BrowserStart, FileThatCannotRunIsReported) {
    app::TProcessStarter starter;
    BrowserHarness h(&starter);
    const std::string dir = MakeSixPuzzles(h);
    WriteFile(dir + "/x-1-Beginner.exe", "not a program");
    chmod((dir + "/x-1-Beginner.exe").c_str(), 0644);
    h.Open();
    h.btnStart.OnClick();
    ASSERT_EQ(h.Messages.Texts.size(), 1u);
    EXPECT_EQ(h.Messages.Texts[0].rfind("Puzzle could not be started:\r\r"
                                        "Puzzle konnte nicht gestartet werden:\r\r" +
                                            dir + "/x-1-Beginner.exe",
                                        0),
              0u);
}
