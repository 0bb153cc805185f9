// Windows puzzles: recognised by their signature, started through wine when it is installed,
// explained by a message when it is not; native puzzles start as before.

#include <gtest/gtest.h>

#include "BrowserDoubles.h"

using app_test::BrowserHarness;
using app_test::MakePackage;
using app_test::PackageIni;
using app_test::TempDir;
using app_test::WriteFile;

TEST(WindowsExecutable, OnlyFilesBeginningWithMZAreWindowsPrograms) {
    TempDir dir;
    const std::string base = dir.Path() + "/";
    WriteFile(base + "win.exe", std::string("MZ\x90\0\3\0\0\0", 8));
    WriteFile(base + "mz-only.exe", "MZ");
    WriteFile(base + "elf.exe",
              "\x7f"
              "ELF\2\1\1");
    WriteFile(base + "script.exe", "#!/bin/sh\nexit 0\n");
    WriteFile(base + "lower.exe", "mz windows?");
    WriteFile(base + "one.exe", "M");
    WriteFile(base + "empty.exe", "");
    EXPECT_TRUE(app::IsWindowsExecutable(base + "win.exe"));
    EXPECT_TRUE(app::IsWindowsExecutable(base + "mz-only.exe"));
    EXPECT_FALSE(app::IsWindowsExecutable(base + "elf.exe"));
    EXPECT_FALSE(app::IsWindowsExecutable(base + "script.exe"));
    EXPECT_FALSE(app::IsWindowsExecutable(base + "lower.exe"));
    EXPECT_FALSE(app::IsWindowsExecutable(base + "one.exe"));
    EXPECT_FALSE(app::IsWindowsExecutable(base + "empty.exe"));
    EXPECT_FALSE(app::IsWindowsExecutable(base + "missing.exe"));
    EXPECT_FALSE(app::IsWindowsExecutable(dir.Path()));  // a folder
}

TEST(WindowsPuzzle, GoesThroughWineWhenInstalledAndGetsTheBilingualMessageWhenNot) {
    BrowserHarness h;
    const std::string dir = MakePackage(h.Base(), "a", PackageIni("Alpha"), 2);
    WriteFile(dir + "/x-1-Beginner.exe", std::string("MZ\x90\0", 4));
    WriteFile(dir + "/x-2-Beginner.exe", "#!/bin/sh\n");
    WriteFile(h.SettingsFile(), "[Browser]\r\nFirstTime=0\r\n");
    app::TBrowser& b = h.Open();

    h.Starter.Wine = "/opt/w/bin/wine";
    b.btnStartClick();
    ASSERT_EQ(h.Starter.Started, std::vector<std::string>{"/opt/w/bin/wine " + dir + "/x-1-Beginner.exe"});
    EXPECT_TRUE(h.Messages.Texts.empty());

    h.Starter.Wine.clear();
    b.btnStartClick();
    EXPECT_EQ(h.Starter.Started.size(), 1u);
    ASSERT_EQ(h.Messages.Texts.size(), 1u);
    const std::string& text = h.Messages.Texts[0];
    EXPECT_EQ(text.rfind("This puzzle is a Windows program and needs wine", 0), 0u) << text;
    EXPECT_NE(text.find("\r\rDieses Puzzle ist ein Windows-Programm und braucht wine"), std::string::npos)
        << text;
    EXPECT_NE(text.find("sudo apt install wine"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - dir.size() - 19), "\r\r" + dir + "/x-1-Beginner.exe");
    EXPECT_EQ(text.find('\n'), std::string::npos);  // line breaks are single CRs

    // A native puzzle starts itself, wine or not.
    h.Image(1).OnClick();
    b.btnStartClick();
    h.Starter.Wine = "/opt/w/bin/wine";
    b.btnStartClick();
    EXPECT_EQ(h.Starter.Started,
              (std::vector<std::string>{"/opt/w/bin/wine " + dir + "/x-1-Beginner.exe",
                                        dir + "/x-2-Beginner.exe", dir + "/x-2-Beginner.exe"}));
    EXPECT_EQ(h.Messages.Texts.size(), 1u);
}
