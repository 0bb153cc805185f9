// A Windows puzzle started from the real window: through a wine found on PATH (a stand-in that
// writes down how it was started), and with no wine anywhere on PATH.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ProgramTestSupport.h"

namespace {

using namespace program_test;

class WinePuzzleWindowTest : public BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        const char* path = std::getenv("PATH");
        m_savedPath = path ? path : "";
        m_package = MakePackage(Dir(), "my puzzles", "Alpha", 2);
        WriteFile(m_package + "/x-2-Expert.exe",
                  std::string("MZ\x90\0\3\0\0\0This program cannot be run", 34));
        WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
        WriteFile(m_package + "/PuzzlePackage.ini",
                  "[Package]\r\nname=Alpha\r\nfile=x\r\npreview=p\r\n[User]\r\nlast_puzzle=2\r\n"
                  "[Severity]\r\npuzzle_2=3\r\n");
    }
    void TearDown() override {
        setenv("PATH", m_savedPath.c_str(), 1);
        BrowserFixture::TearDown();
    }
    // PATH is this folder alone (dot folders are no packages).
    std::string UsePathFolder(const std::string& name) {
        const std::string bin = Dir() + "/" + name;
        std::filesystem::create_directories(bin);
        setenv("PATH", bin.c_str(), 1);
        return bin;
    }

    std::string m_savedPath;
    std::string m_package;
};

TEST_F(WinePuzzleWindowTest, WineOnPathRunsThePuzzleInItsFolderWithoutAShell) {
    const std::string bin = UsePathFolder(".bin");
    const std::string log = Dir() + "/wine.log";
    // Records its folder, its argument count and its arguments; a shell would have split the
    // path at the blank in the folder name below.
    WriteFile(bin + "/wine", "#!/bin/sh\nprintf '%s|%s|%s\\n' \"$PWD\" \"$#\" \"$1\" >>'" + log + "'\n");
    std::filesystem::permissions(bin + "/wine", std::filesystem::perms::owner_all);
    auto& w = Open();
    ASSERT_TRUE(Messages.empty());
    ASSERT_EQ(w.Browser()->CurrentPuzzle, 1);
    ClickControl(*w.btnStart, 100, 9);
    ASSERT_EQ(Starter.Started.size(), 1u);
    EXPECT_EQ(Starter.Started[0], bin + "/wine " + m_package + "/x-2-Expert.exe");
    for (int i = 0; i < 300 && ReadFile(log).empty(); ++i) usleep(10000);
    EXPECT_EQ(ReadFile(log), m_package + "|1|" + m_package + "/x-2-Expert.exe\n");
    EXPECT_TRUE(Messages.empty());

    // The first puzzle is a native program: started itself, not through wine.
    ClickControl(*w.Image1, 75, 75);
    ClickControl(*w.btnStart, 100, 9);
    ASSERT_EQ(Starter.Started.size(), 2u);
    EXPECT_EQ(Starter.Started[1], m_package + "/x-1-Beginner.exe");
}

TEST_F(WinePuzzleWindowTest, WithoutWineTheMessageSaysWhatIsNeededAndTheBrowserStays) {
    // A file named wine that cannot be run does not count.
    const std::string bin = UsePathFolder(".nowine");
    WriteFile(bin + "/wine", "not a program");
    std::filesystem::permissions(bin + "/wine", std::filesystem::perms::owner_read);
    auto& w = Open();
    ClickControl(*w.btnStart, 100, 9);
    EXPECT_TRUE(Starter.Started.empty());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("This puzzle is a Windows program and needs wine", 0), 0u) << Messages[0];
    EXPECT_NE(Messages[0].find("Windows-Programm und braucht wine"), std::string::npos);
    EXPECT_EQ(Messages[0].substr(Messages[0].size() - m_package.size() - 15), m_package + "/x-2-Expert.exe");
    EXPECT_EQ(MessageCaptions[0], w.Caption());
    EXPECT_TRUE(w.Visible());
    EXPECT_FALSE(Application().Terminated());
}

}  // namespace
