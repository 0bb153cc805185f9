// The browser window over hostile files: a FIFO as its own settings file, and previews that are
// decoded once per page rather than at every click.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "BrowserDoubles.h"
#include "platform/core/IniFile.h"

using app_test::BrowserHarness;
using app_test::MakePackage;
using app_test::PackageIni;
using app_test::ReadFile;
using app_test::WriteFile;

TEST(BrowserSafety, AFifoAsTheBrowsersSettingsFileNeitherBlocksTheStartNorTheClose) {
    BrowserHarness h;
    MakePackage(h.Base(), "pk", PackageIni("P"), 2);
    ASSERT_EQ(::mkfifo(h.SettingsFile().c_str(), 0644), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::alarm(10);
        app::TBrowser& b = h.Open();
        const bool defaults = b.CurrentPackage == 0 && b.Packages->Count() == 1 && h.Messages.Texts.size() == 1;
        h.Window.Close();
        ::_exit(defaults ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "blocked on the FIFO";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the settings did not read as their defaults (help shown once)";
    struct stat st {};
    ASSERT_EQ(::lstat(h.SettingsFile().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(BrowserSafety, ThePagesPreviewsAreKeptUntilTheirFilesChange) {
    BrowserHarness h;
    WriteFile(h.SettingsFile(), "[Browser]\nFirstTime=0\n");
    const std::string dir = MakePackage(h.Base(), "pk", PackageIni("P"), 8);
    h.Open();
    for (int s = 0; s < 6; ++s) ASSERT_EQ(h.Image(s).Loaded, dir + "/p-" + std::to_string(s + 1) + ".jpg");

    // A decode would fill in what the double reports as loaded; a kept picture leaves it blank.
    for (int s = 0; s < 6; ++s) h.Image(s).Loaded.clear();
    h.Image(2).OnClick();
    h.Image(4).OnClick();
    for (int s = 0; s < 6; ++s) EXPECT_EQ(h.Image(s).Loaded, "") << "slot " << s << " was decoded again";
    EXPECT_EQ(h.VisibleImages(), std::vector<bool>(6, true));
    EXPECT_EQ(h.VisibleFrames(), (std::vector<bool>{false, false, false, false, true, false}));

    // A changed file is decoded again, and so is every slot of another page.
    WriteFile(dir + "/p-2.jpg", app_test::kFakeJpeg + " changed");
    h.Image(0).OnClick();
    EXPECT_EQ(h.Image(1).Loaded, dir + "/p-2.jpg");
    EXPECT_EQ(h.Image(0).Loaded, "");
    h.udPageNext.OnDownButtonClick();
    EXPECT_EQ(h.Image(0).Loaded, dir + "/p-7.jpg");
    h.udPageNext.OnUpButtonClick();
    EXPECT_EQ(h.Image(0).Loaded, dir + "/p-1.jpg");
}
