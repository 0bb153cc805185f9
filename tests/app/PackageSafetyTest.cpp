// Hostile packages: NUL bytes and path separators in the base names, settings files that are
// links out of the package, FIFOs, huge, unreadable or UTF-16.
#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/BrowserTexts.h"
#include "app/PackageList.h"

using app_test::MakePackage;
using app_test::PackageIni;
using app_test::ReadFile;
using app_test::TempDir;
using app_test::WriteFile;
namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

struct Catalogue {
    explicit Catalogue(const std::string& base)
        : List(base, [this](const std::string& text) { Messages.push_back(text); }) {}
    std::vector<std::string> Messages;
    app::TPackageList List;
};

constexpr int kOk = 0;
constexpr int kCannotTest = 2;
constexpr int kHung = -1;

// Runs fn in a forked child, ended after a few seconds: what used to block fails instead of
// hanging the test run.
int InChild(const std::function<int()>& fn) {
    const pid_t pid = ::fork();
    if (pid < 0) return kHung;
    if (pid == 0) {
        ::alarm(10);
        ::_exit(fn());
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kHung;
}

std::string Ini(const std::string& dir) { return dir + "/PuzzlePackage.ini"; }

}  // namespace

// A NUL cut the system's paths short: "pic\0x-1.jpg" named the file "pic", every preview
// "existed" and the count ran towards 2^31; "x\0y" named the program "x" itself.
TEST(PackageSafety, BaseNamesEndAtANulByte) {
    TempDir tmp;
    const std::string dir =
        MakePackage(tmp.Path(), "pk", "[Package]\r\nname=N\r\nfile=run\0me\r\npreview=pic\0junk\r\n"s, 2, "pic");
    WriteFile(dir + "/pic", "not a preview");
    WriteFile(dir + "/run", "#!/bin/sh\n");
    const int result = InChild([&] {
        app::TPackage package(dir);
        if (package.PreviewBase != "pic" || package.FileBase != "run") return 10;
        if (package.PuzzleCount != 2 || !package.IsComplete()) return 11;
        return package.PuzzleExecutablePath(0, 1) == dir + "/run-1-Beginner.exe" ? kOk : 12;
    });
    EXPECT_EQ(result, kOk) << "-1: the preview count did not end";
}

TEST(PackageSafety, ABaseNameWithAPathSeparatorIsRefused) {
    TempDir tmp;
    MakePackage(tmp.Path(), "elsewhere", "", 0);
    for (int n = 1; n <= 3; ++n) WriteFile(tmp.Path() + "/elsewhere/p-" + std::to_string(n) + ".jpg", "jpg");
    const std::string outFile = MakePackage(tmp.Path() + "/pkgs", "file", "[Package]\nfile=../../elsewhere/x\npreview=p\n", 3);
    const std::string outPreview =
        MakePackage(tmp.Path() + "/pkgs", "preview", "[Package]\npreview=../elsewhere/p\n", 0);
    const std::string backslash = MakePackage(tmp.Path() + "/pkgs", "win", "[Package]\nfile=..\\x\n", 3, "nopreview");
    {
        app::TPackage package(outPreview);
        EXPECT_EQ(package.CountPreviews(), 0);  // nothing outside the folder is even looked at
    }
    Catalogue c(tmp.Path() + "/pkgs");
    EXPECT_EQ(c.List.Count(), 0);
    const std::vector<std::string> expected = {app::texts::PackageIncomplete(outFile),
                                               app::texts::PackageIncomplete(outPreview),
                                               app::texts::PackageIncomplete(backslash)};
    std::vector<std::string> messages = c.Messages;
    std::sort(messages.begin(), messages.end());
    std::vector<std::string> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(messages, sorted);
}

TEST(PackageSafety, ASettingsLinkOutOfThePackageIsNeverWrittenThrough) {
    TempDir tmp;
    const std::string victim = tmp.Path() + "/home.conf";
    const std::string victimText = "[user]\nlast_puzzle=keep me\n";
    WriteFile(victim, victimText + PackageIni("Linked"));
    const std::string dir = MakePackage(tmp.Path(), "pk", "", 2);
    fs::remove(Ini(dir));
    ASSERT_EQ(::symlink("../home.conf", Ini(dir).c_str()), 0);
    const std::string inside = MakePackage(tmp.Path(), "in", "", 2);
    WriteFile(inside + "/real.ini", PackageIni("Inside"));
    fs::remove(Ini(inside));
    ASSERT_EQ(::symlink("real.ini", Ini(inside).c_str()), 0);
    {
        Catalogue c(tmp.Path());
        ASSERT_EQ(c.List.Count(), 2);
        for (int i = 0; i < 2; ++i) {
            c.List.Items(i)->LastPuzzle = 1;
            c.List.Items(i)->LastPuzzleDirty = true;
        }
    }
    EXPECT_EQ(ReadFile(victim), victimText + PackageIni("Linked"));
    EXPECT_TRUE(fs::is_symlink(Ini(dir)));
    EXPECT_EQ(ReadFile(inside + "/real.ini"), PackageIni("Inside") + "\r\n[User]\r\nlast_puzzle=2\r\n");
    EXPECT_TRUE(fs::is_symlink(Ini(inside)));
}

TEST(PackageSafety, AFifoSettingsFileNeitherBlocksTheStartNorTheClose) {
    TempDir tmp;
    const std::string fifo = MakePackage(tmp.Path(), "fifo", "", 1);
    fs::remove(Ini(fifo));
    ASSERT_EQ(::mkfifo(Ini(fifo).c_str(), 0644), 0);
    const std::string swapped = MakePackage(tmp.Path(), "swapped", PackageIni("Swapped"), 1);
    const int result = InChild([&] {
        Catalogue c(tmp.Path());
        if (c.Messages != std::vector<std::string>{app::texts::ConfigurationUnreadable(Ini(fifo))}) return 10;
        if (c.List.Count() != 1) return 11;
        // Replaced by a FIFO while the browser runs: the close must not wait on it.
        fs::remove(Ini(swapped));
        if (::mkfifo(Ini(swapped).c_str(), 0644) != 0) return kCannotTest;
        c.List.Items(0)->LastPuzzleDirty = true;
        return kOk;
    });
    EXPECT_EQ(result, kOk) << "-1: blocked on the FIFO";
    struct stat st {};
    ASSERT_EQ(::lstat(Ini(swapped).c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(PackageSafety, HugeOrUnreadableSettingsSkipThePackageWithTheirOwnMessage) {
    TempDir tmp;
    const std::string huge = MakePackage(tmp.Path(), "huge", PackageIni("Huge"), 1);
    ASSERT_EQ(::truncate(Ini(huge).c_str(), off_t{1} << 30), 0);  // sparse: 1 GB without the disk
    const std::string locked = MakePackage(tmp.Path(), "locked", PackageIni("Locked"), 1);
    ASSERT_EQ(::chmod(Ini(locked).c_str(), 0200), 0);
    ASSERT_EQ(::chmod(tmp.Path().c_str(), 0755), 0);
    const int result = InChild([&] {
        // Root reads any file: the package list is built as an ordinary user.
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return kCannotTest;
        Catalogue c(tmp.Path());
        std::vector<std::string> messages = c.Messages;
        std::sort(messages.begin(), messages.end());
        std::vector<std::string> expected = {app::texts::ConfigurationUnreadable(Ini(huge)),
                                             app::texts::ConfigurationUnreadable(Ini(locked))};
        std::sort(expected.begin(), expected.end());
        return c.List.Count() == 0 && messages == expected ? kOk : 10;
    });
    if (result == kCannotTest) GTEST_SKIP() << "cannot become an unprivileged user";
    EXPECT_EQ(result, kOk);
    EXPECT_EQ(fs::file_size(Ini(huge)), uintmax_t{1} << 30);
    EXPECT_NE(app::texts::ConfigurationUnreadable("x"), app::texts::ConfigurationNotFound("x"));
}

TEST(PackageSafety, AUtf16PackageIsReadAndWrittenBackInUtf16) {
    TempDir tmp;
    const std::u16string text = u"[Package]\r\nname=\u00DCbung\r\nfile=x\r\npreview=p\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    const std::string dir = MakePackage(tmp.Path(), "pk", bytes, 2);
    {
        Catalogue c(tmp.Path());
        ASSERT_EQ(c.List.Count(), 1) << (c.Messages.empty() ? "" : c.Messages[0]);
        EXPECT_EQ(c.List.Items(0)->PackageName, "\u00DCbung");
        c.List.Items(0)->Puzzles[1].Severity = 4;
        c.List.Items(0)->SeverityDirty = true;
    }
    const std::string written = ReadFile(Ini(dir));
    ASSERT_EQ(written.substr(0, bytes.size()), bytes);
    EXPECT_EQ(written.substr(bytes.size(), 6), std::string("\r\0\n\0[\0", 6));  // still UTF-16
    app::TPackage again(dir);
    EXPECT_EQ(again.Puzzles[1].Severity, 4);
}
