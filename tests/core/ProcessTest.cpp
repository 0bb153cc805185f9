#include "platform/core/Process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "core/CoreTestSupport.h"
#include "platform/core/StringList.h"

using namespace platform::core;
namespace fs = std::filesystem;

namespace {

// A folder and a file name with blanks, both kinds of quotes, a semicolon, shell signs and
// non-ASCII letters: through a shell any of them would change what runs.
constexpr const char* kFolderName = "dir with 'single' \"double\"; semi $HOME \u00FC";
constexpr const char* kScriptName = "run me \"x\" 'y'; echo pwned & \u00E9t\u00E9 `id`.sh";

std::vector<std::string> Lines(const std::string& path) {
    TStringList list;
    list.LoadFromFile(path);
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}

void MakeExecutable(const std::string& path, std::string_view content, mode_t mode = 0755) {
    coretest::WriteBytes(path, content);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

// Records $0, the argument count and the working folder.
constexpr std::string_view kRecorder =
    "#!/bin/sh\n"
    "{ printf '%s\\n' \"$0\"; printf '%s\\n' \"$#\"; pwd; } > \"$VK_TEST_RECORD.part\"\n"
    "mv \"$VK_TEST_RECORD.part\" \"$VK_TEST_RECORD\"\n";

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(m_folder);
        ::setenv("VK_TEST_RECORD", m_record.c_str(), 1);
        const char* path = std::getenv("PATH");
        m_savedPath = path != nullptr ? path : "";
    }
    void TearDown() override {
        ::unsetenv("VK_TEST_RECORD");
        ::setenv("PATH", m_savedPath.c_str(), 1);
    }

    coretest::TTempFolder m_temp;
    std::string m_folder = m_temp / kFolderName;
    std::string m_record = m_temp / "record.txt";
    std::string m_savedPath;
};

}  // namespace

TEST_F(ProcessTest, StartsExactlyTheFileAtAPathWithBlanksQuotesSemicolonAndNonAscii) {
    const std::string script = m_folder + "/" + kScriptName;
    MakeExecutable(script, kRecorder);
    const TStartResult result = StartProgram(script);
    ASSERT_TRUE(result.Ok) << result.Message;
    ASSERT_TRUE(coretest::WaitForFile(m_record));
    const auto lines = Lines(m_record);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], script);
    EXPECT_EQ(lines[1], "0");  // no arguments beyond the program's own path
    EXPECT_EQ(lines[2], fs::current_path().string());
    EXPECT_FALSE(fs::exists(m_temp / "pwned"));
}

TEST_F(ProcessTest, ProgramGetsItsPathAsArgv0InItsOwnSession) {
    const std::string probe = m_folder + "/probe \"q\" 'p'; \u00FC";
    fs::copy_file(VK_PROCESS_PROBE, probe);
    ASSERT_EQ(::chmod(probe.c_str(), 0755), 0);
    const TStartResult result = StartProgram(probe, true);
    ASSERT_TRUE(result.Ok) << result.Message;
    ASSERT_TRUE(coretest::WaitForFile(m_record));
    const auto lines = Lines(m_record);
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], probe);
    EXPECT_EQ(lines[2], fs::canonical(m_folder).string());  // chdirToFolder
    EXPECT_NE(lines[3], std::to_string(::getsid(0)));       // detached: a session of its own
}

TEST_F(ProcessTest, RelativePathWithChdirStillNamesTheFile) {
    MakeExecutable(m_folder + "/rel.sh", kRecorder);
    const fs::path saved = fs::current_path();
    fs::current_path(m_temp.Path());
    const TStartResult result = StartProgram(std::string(kFolderName) + "/rel.sh", true);
    fs::current_path(saved);
    ASSERT_TRUE(result.Ok) << result.Message;
    ASSERT_TRUE(coretest::WaitForFile(m_record));
    const auto lines = Lines(m_record);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(fs::canonical(lines[0]), fs::canonical(m_folder + "/rel.sh"));
    EXPECT_EQ(lines[2], fs::canonical(m_folder).string());
}

TEST_F(ProcessTest, ReturnsWithoutWaitingAndLeavesNoChildBehind) {
    // The program waits for a file that the test creates only after StartProgram returned.
    const std::string go = m_temp / "go";
    ::setenv("VK_TEST_GO", go.c_str(), 1);
    MakeExecutable(m_folder + "/waiter.sh",
                   "#!/bin/sh\n"
                   "i=0\n"
                   "while [ ! -e \"$VK_TEST_GO\" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n"
                   "echo done > \"$VK_TEST_RECORD.part\"; mv \"$VK_TEST_RECORD.part\" \"$VK_TEST_RECORD\"\n");
    const TStartResult result = StartProgram(m_folder + "/waiter.sh");
    ::unsetenv("VK_TEST_GO");
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_FALSE(fs::exists(m_record));
    // The intermediate child is reaped and the program is not our child: nothing to wait for.
    int status = 0;
    errno = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    coretest::WriteBytes(go, "");
    EXPECT_TRUE(coretest::WaitForFile(m_record));
}

TEST_F(ProcessTest, FailuresAreReported) {
    const TStartResult missing = StartProgram(m_folder + "/missing program");
    EXPECT_FALSE(missing.Ok);
    EXPECT_EQ(missing.Error, ENOENT);
    EXPECT_NE(missing.Message.find("missing program"), std::string::npos) << missing.Message;

    MakeExecutable(m_folder + "/not-executable.sh", kRecorder, 0644);
    const TStartResult notExec = StartProgram(m_folder + "/not-executable.sh");
    EXPECT_FALSE(notExec.Ok);
    EXPECT_EQ(notExec.Error, EACCES);

    const TStartResult folder = StartProgram(m_folder);
    EXPECT_FALSE(folder.Ok);
    EXPECT_EQ(folder.Error, EACCES);

    MakeExecutable(m_folder + "/no-interpreter", "#!/nonexistent/interpreter\n");
    const TStartResult noInterpreter = StartProgram(m_folder + "/no-interpreter");
    EXPECT_FALSE(noInterpreter.Ok);
    EXPECT_EQ(noInterpreter.Error, ENOENT);

    MakeExecutable(m_folder + "/garbage", std::string("\x01\x02\x03 not a program", 18));
    const TStartResult garbage = StartProgram(m_folder + "/garbage");
    EXPECT_FALSE(garbage.Ok);
    EXPECT_EQ(garbage.Error, ENOEXEC);

    EXPECT_FALSE(StartProgram("").Ok);
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);  // failed starts leave no child either
    EXPECT_FALSE(fs::exists(m_record));
}

TEST_F(ProcessTest, OpenDocumentHandsTheNameUnchangedToXdgOpen) {
    const std::string bin = m_temp / "bin";
    fs::create_directory(bin);
    MakeExecutable(bin + "/xdg-open",
                   "#!/bin/sh\n"
                   "{ printf '%s\\n' \"$#\"; printf '%s\\n' \"$1\"; } > \"$VK_TEST_RECORD.part\"\n"
                   "mv \"$VK_TEST_RECORD.part\" \"$VK_TEST_RECORD\"\n");
    ::setenv("PATH", (bin + ":" + m_savedPath).c_str(), 1);
    const std::string url = "https://example.org/a b?q='1';r=\"2\"&s=\u00FC";
    const TStartResult result = OpenDocument(url);
    ASSERT_TRUE(result.Ok) << result.Message;
    ASSERT_TRUE(coretest::WaitForFile(m_record));
    EXPECT_EQ(Lines(m_record), (std::vector<std::string>{"1", url}));

    fs::remove(m_record);
    ASSERT_TRUE(OpenDocument("-v").Ok);  // would be an option of xdg-open
    ASSERT_TRUE(coretest::WaitForFile(m_record));
    EXPECT_EQ(Lines(m_record), (std::vector<std::string>{"1", "./-v"}));
}

TEST_F(ProcessTest, OpenDocumentWithoutXdgOpenFails) {
    const std::string empty = m_temp / "empty-bin";
    fs::create_directory(empty);
    ::setenv("PATH", empty.c_str(), 1);
    const TStartResult result = OpenDocument("https://example.org");
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, ENOENT);
    EXPECT_FALSE(result.Message.empty());
}

// The system reads a path up to its first NUL: "run.sh\0-1-Beginner.exe" would start run.sh.
TEST_F(ProcessTest, APathHoldingANulByteStartsNothing) {
    MakeExecutable(m_folder + "/run.sh", kRecorder);
    const TStartResult result = StartProgram(m_folder + "/run.sh" + std::string(1, '\0') + "-1-Beginner.exe");
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, EINVAL);
    EXPECT_FALSE(OpenDocument(std::string("https://example.invalid/\0x", 26)).Ok);
    ASSERT_TRUE(StartProgram(m_folder + "/run.sh").Ok);  // the file itself does start
    EXPECT_TRUE(coretest::WaitForFile(m_record));
}
