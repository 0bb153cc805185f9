#include "platform/core/Files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "core/CoreTestSupport.h"

using namespace platform::core;
namespace fs = std::filesystem;

TEST(FilePaths, PartsOfAPath) {
    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFilePath("c.txt"), "");
    EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(ExtractFileDir("/c.txt"), "/");
    EXPECT_EQ(ExtractFileDir("c.txt"), "");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileName("/a/b/"), "");
    EXPECT_EQ(ExtractFileName("c"), "c");
    EXPECT_EQ(ExtractFileExt("/a/b/c.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("/a.d/b"), "");  // a dot in a folder name is no extension
    EXPECT_EQ(ExtractFileExt("/a/b."), ".");
    EXPECT_EQ(ChangeFileExt("/a.d/b.bmp", ".ini"), "/a.d/b.ini");
    EXPECT_EQ(ChangeFileExt("/a.d/b", ".ini"), "/a.d/b.ini");
    EXPECT_EQ(ChangeFileExt("/a/b.bmp", ""), "/a/b");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a//"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(Files, ExecutablePathIsThisProgram) {
    const std::string path = ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(ExtractFileName(path), "core_files_tests");
    EXPECT_TRUE(FileExists(path));
}

TEST(Files, ExistenceOfFilesAndFolders) {
    const coretest::TTempFolder temp;
    coretest::WriteBytes(temp / "file", "x");
    fs::create_directory(temp / "dir");
    fs::create_symlink(temp / "file", temp / "file-link");
    fs::create_symlink(temp / "dir", temp / "dir-link");
    fs::create_symlink(temp / "gone", temp / "dangling");
    EXPECT_TRUE(FileExists(temp / "file"));
    EXPECT_TRUE(FileExists(temp / "file-link"));
    EXPECT_FALSE(FileExists(temp / "dir"));
    EXPECT_FALSE(FileExists(temp / "dangling"));
    EXPECT_FALSE(FileExists(temp / "missing"));
    EXPECT_TRUE(DirectoryExists(temp / "dir"));
    EXPECT_TRUE(DirectoryExists(temp / "dir-link"));
    EXPECT_FALSE(DirectoryExists(temp / "file"));
    EXPECT_FALSE(DirectoryExists(temp / "missing"));
}

TEST(Files, SubfoldersInFileSystemOrder) {
    const coretest::TTempFolder temp;
    // Names whose creation order, sorted order and hash order all differ.
    for (const char* name : {"Puzzles 2", "alpha", "Zeta", "m\u00FCnze", "beta", "10", "9", ".hidden"}) {
        fs::create_directory(temp / name);
    }
    coretest::WriteBytes(temp / "a-file", "x");
    fs::create_symlink(temp / "alpha", temp / "link-to-alpha");
    fs::create_symlink(temp / "a-file", temp / "link-to-file");

    // The order readdir gives, which directory_iterator also walks.
    std::vector<std::string> expected;
    std::vector<std::string> expectedFiles;
    for (const auto& entry : fs::directory_iterator(temp.Path())) {
        if (entry.is_directory()) expected.push_back(entry.path().filename().string());
        if (entry.is_regular_file()) expectedFiles.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(ListSubfolders(temp.Path()), expected);
    EXPECT_EQ(ListSubfolders(temp.Path() + "/"), expected);
    EXPECT_EQ(expected.size(), 9U);
    EXPECT_EQ(ListFiles(temp.Path()), expectedFiles);
    EXPECT_EQ(expectedFiles.size(), 2U);
    EXPECT_TRUE(ListSubfolders(temp / "missing").empty());
    EXPECT_TRUE(ListSubfolders(temp / "a-file").empty());
}

TEST(Files, ReadFileBytes) {
    const coretest::TTempFolder temp;
    const std::string data("bin\0ary\xFF\r\n", 10);
    coretest::WriteBytes(temp / "f", data);
    const auto bytes = ReadFileBytes(temp / "f");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), data);
    EXPECT_FALSE(ReadFileBytes(temp / "missing").has_value());
    EXPECT_FALSE(ReadFileBytes(temp.Path()).has_value());
    const auto proc = ReadFileBytes("/proc/self/status");  // reports size 0, has content
    ASSERT_TRUE(proc.has_value());
    EXPECT_FALSE(proc->empty());
}

TEST(Files, WriteFileAtomicCreatesReplacesAndKeepsTheMode) {
    const coretest::TTempFolder temp;
    const std::string path = temp / "out.bin";
    ASSERT_TRUE(WriteFileAtomic(path, "first", 5));
    EXPECT_EQ(coretest::ReadBytes(path), "first");
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    ASSERT_TRUE(WriteFileAtomic(path, "second!", 7));
    EXPECT_EQ(coretest::ReadBytes(path), "second!");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604U);
    ASSERT_TRUE(WriteFileAtomic(path, "", 0));
    EXPECT_EQ(coretest::ReadBytes(path), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1);

    EXPECT_FALSE(WriteFileAtomic(temp / "no/such/folder", "x", 1));
    fs::create_directory(temp / "dir");
    EXPECT_FALSE(WriteFileAtomic(temp / "dir", "x", 1));
    EXPECT_TRUE(fs::is_directory(temp / "dir"));
}

// A writer killed at any moment leaves either the old or the new file, never a mix or a part.
TEST(Files, WriteFileAtomicKilledMidWayLeavesAWholeFile) {
    const coretest::TTempFolder temp;
    const std::string path = temp / "big.bin";
    const std::string a(1 << 20, 'A');
    const std::string b(1 << 20, 'B');
    ASSERT_TRUE(WriteFileAtomic(path, a.data(), a.size()));
    std::mt19937 rng(12345);
    for (int round = 0; round < 12; ++round) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (int i = 0;; ++i) {
                const std::string& data = (i % 2 == 0) ? b : a;
                WriteFileAtomic(path, data.data(), data.size());
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + rng() % 20000));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        const std::string now = coretest::ReadBytes(path);
        ASSERT_TRUE(now == a || now == b) << "round " << round << ": file of " << now.size() << " bytes";
    }
}
