// What the file layer refuses and keeps: paths with a NUL byte, files that are not regular, links
// out of a package, the permissions, owner and hard links of a file it rewrites, and the
// temporary files a killed writer left.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/CoreTestSupport.h"
#include "platform/core/Files.h"

using namespace platform::core;
using coretest::kChildCannotTest;
using coretest::kChildFailed;
using coretest::kChildOk;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct stat StatOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

bool Write(const std::string& path, const std::string& bytes, const TWriteOptions& options = {}) {
    return WriteFileAtomic(path, bytes.data(), bytes.size(), options);
}

}  // namespace

// The system reads a path up to its first NUL: "a\0x" must not act on "a".
TEST(FileSafety, PathsWithANulByteNameNothing) {
    const coretest::TTempFolder temp;
    coretest::WriteBytes(temp / "a", "old");
    fs::create_directory(temp / "sub");
    const std::string file = (temp / "a") + std::string(1, '\0') + "-1.jpg";
    const std::string folder = (temp / "sub") + std::string(1, '\0') + "x";
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(EntryKind(file), TEntryKind::None);
    EXPECT_FALSE(DirectoryExists(folder));
    EXPECT_FALSE(StampOfFile(file).has_value());
    EXPECT_FALSE(ReadFileBytes(file).has_value());
    EXPECT_TRUE(ListSubfolders(temp.Path() + std::string(1, '\0') + "x").empty());
    EXPECT_FALSE(Write(file, "new"));
    EXPECT_EQ(coretest::ReadBytes(temp / "a"), "old");
    EXPECT_EQ(Entries(temp.Path()), (std::vector<std::string>{"a", "sub"}));
}

TEST(FileSafety, OnlyRegularFilesAreReadOrWrittenAndAFifoNeverBlocks) {
    const coretest::TTempFolder temp;
    const std::string fifo = temp / "settings.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(EntryKind(fifo), TEntryKind::Other);
    // Opening a FIFO for reading waits for a writer: in a child, so a hang ends as a failure.
    const int result = coretest::RunInChild([&] {
        if (ReadFileBytes(fifo).has_value() || errno != EINVAL) return kChildFailed;
        if (Write(fifo, "[S]\nk=1\n")) return kChildFailed;
        return kChildOk;
    });
    EXPECT_EQ(result, kChildOk);
    EXPECT_TRUE(S_ISFIFO(StatOf(fifo).st_mode));
    EXPECT_EQ(Entries(temp.Path()), (std::vector<std::string>{"settings.ini"}));

    coretest::WriteBytes(temp / "f", std::string(100, 'x'));
    EXPECT_FALSE(ReadFileBytes(temp / "f", 99).has_value());
    EXPECT_EQ(errno, EFBIG);
    ASSERT_TRUE(ReadFileBytes(temp / "f", 100).has_value());
    TFileStamp stamp;
    ASSERT_TRUE(ReadFileBytes(temp / "f", kNoSizeLimit, &stamp).has_value());
    EXPECT_EQ(stamp.Size, 100);
    EXPECT_EQ(StampOfFile(temp / "f"), stamp);
}

TEST(FileSafety, ALinkOutOfTheConfiningFolderIsNotWrittenThrough) {
    const coretest::TTempFolder temp;
    fs::create_directory(temp / "pkg");
    coretest::WriteBytes(temp / "victim", "[User]\nname=me\n");
    ASSERT_EQ(::symlink("../victim", (temp / "pkg/out.ini").c_str()), 0);
    coretest::WriteBytes(temp / "pkg/real.ini", "old");
    ASSERT_EQ(::symlink("real.ini", (temp / "pkg/in.ini").c_str()), 0);

    const TWriteOptions confined{temp / "pkg"};
    EXPECT_FALSE(Write(temp / "pkg/out.ini", "new", confined));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(coretest::ReadBytes(temp / "victim"), "[User]\nname=me\n");
    EXPECT_TRUE(fs::is_symlink(temp / "pkg/out.ini"));

    EXPECT_TRUE(Write(temp / "pkg/in.ini", "new", confined));
    EXPECT_EQ(coretest::ReadBytes(temp / "pkg/real.ini"), "new");
    EXPECT_TRUE(fs::is_symlink(temp / "pkg/in.ini"));
    // The folder itself may be reached through a link.
    ASSERT_EQ(::symlink("pkg", (temp / "alias").c_str()), 0);
    EXPECT_TRUE(Write(temp / "alias/in.ini", "newer", TWriteOptions{temp / "alias"}));
    EXPECT_EQ(coretest::ReadBytes(temp / "pkg/real.ini"), "newer");
}

// As an ordinary user: a read-only folder with a writable file gets the file rewritten in place;
// a file the user made read-only is left alone even though the folder would take a rename.
TEST(FileSafety, TheFilesOwnPermissionsDecideNotTheFolders) {
    const coretest::TTempFolder temp;
    fs::create_directory(temp / "ro");
    fs::create_directory(temp / "rw");
    const std::string inReadOnlyFolder = temp / "ro/settings.ini";
    const std::string readOnlyFile = temp / "rw/settings.ini";
    coretest::WriteBytes(inReadOnlyFolder, "[S]\nk=1\n");
    coretest::WriteBytes(readOnlyFile, "[S]\nk=1\n");
    ASSERT_EQ(::chmod(temp.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(inReadOnlyFolder.c_str(), 0666), 0);
    ASSERT_EQ(::chmod((temp / "ro").c_str(), 0555), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((temp / "rw").c_str(), coretest::kNobody, coretest::kNobody), 0);
        ASSERT_EQ(::chown(readOnlyFile.c_str(), coretest::kNobody, coretest::kNobody), 0);
    }
    ASSERT_EQ(::chmod(readOnlyFile.c_str(), 0444), 0);
    const ino_t inode = StatOf(inReadOnlyFolder).st_ino;

    const int result = coretest::RunInChild([&] {
        if (!coretest::BecomeUnprivileged()) return kChildCannotTest;
        if (!Write(inReadOnlyFolder, "[S]\nk=2\n")) return 10;
        if (Write(readOnlyFile, "[S]\nk=2\n")) return 11;
        return kChildOk;
    });
    ::chmod((temp / "ro").c_str(), 0755);
    if (result == kChildCannotTest) GTEST_SKIP() << "cannot become an unprivileged user";
    EXPECT_EQ(result, kChildOk) << "10: the read-only folder lost the write; 11: the read-only file was replaced";
    EXPECT_EQ(coretest::ReadBytes(inReadOnlyFolder), "[S]\nk=2\n");
    EXPECT_EQ(StatOf(inReadOnlyFolder).st_ino, inode);
    EXPECT_EQ(coretest::ReadBytes(readOnlyFile), "[S]\nk=1\n");
    EXPECT_EQ(StatOf(readOnlyFile).st_mode & 07777, 0444U);
    EXPECT_EQ(Entries(temp / "ro"), (std::vector<std::string>{"settings.ini"}));
}

TEST(FileSafety, ARewriteKeepsOwnerGroupModeAndHardLinks) {
    const coretest::TTempFolder temp;
    const std::string path = temp / "settings.ini";
    coretest::WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(::link(path.c_str(), (temp / "other-name.ini").c_str()), 0);
    ASSERT_TRUE(Write(path, "new"));
    EXPECT_EQ(coretest::ReadBytes(temp / "other-name.ini"), "new");
    EXPECT_EQ(StatOf(path).st_nlink, 2U);
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0640U);

    if (::geteuid() != 0) GTEST_SKIP() << "keeping another user's ownership needs root";
    const std::string owned = temp / "owned.ini";
    coretest::WriteBytes(owned, "old");
    ASSERT_EQ(::chown(owned.c_str(), coretest::kNobody, coretest::kNobody), 0);
    ASSERT_TRUE(Write(owned, "new"));
    EXPECT_EQ(coretest::ReadBytes(owned), "new");
    EXPECT_EQ(StatOf(owned).st_uid, coretest::kNobody);
    EXPECT_EQ(StatOf(owned).st_gid, coretest::kNobody);
}

TEST(FileSafety, TemporariesOfWritersThatNoLongerRunAreRemoved) {
    const coretest::TTempFolder temp;
    const pid_t dead = ::fork();
    ASSERT_GE(dead, 0);
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string stale = ".settings.ini.tmp" + std::to_string(dead) + "-0-17";
    const std::string running = ".settings.ini.tmp1-0-18";  // pid 1 always runs
    for (const std::string& name : {stale, running, std::string(".other.ini.tmp") + std::to_string(dead) + "-0-1"})
        coretest::WriteBytes(temp / name, "partial");

    ASSERT_TRUE(Write(temp / "settings.ini", "[S]\n"));
    EXPECT_EQ(Entries(temp.Path()), (std::vector<std::string>{".other.ini.tmp" + std::to_string(dead) + "-0-1",
                                                              running, "settings.ini"}));
    EXPECT_EQ(RemoveStaleTemporaries(temp / "other.ini"), 1);
}
