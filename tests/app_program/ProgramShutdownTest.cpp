// The program's one way out: however its loop ends (the window's close, a termination signal, a
// script that ran out of input), the settings file and the packages' values are written together.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>

#include "ProgramTestSupport.h"
#include "app/program/BrowserProgram.h"
#include "platform/core/IniFile.h"
#include "platform/ui/TerminationSignals.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

namespace {

using platform::ui::TTerminationSignals;
using program_test::MakePackage;
using program_test::TempDir;
using program_test::WriteFile;

class ProgramShutdownTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakePackage(m_dir.Path(), "alpha", "Alpha", 3);
        MakePackage(m_dir.Path(), "beta", "Beta", 2, 1);
    }

    // Runs the program over the folder until its loop ends; idle is what the backend calls when
    // nothing is queued (see THeadlessBackend::OnIdle).
    void Run(std::function<bool(platform::ui::headless::THeadlessBackend&)> idle = {}) {
        auto backend = std::make_unique<platform::ui::headless::THeadlessBackend>();
        platform::ui::headless::THeadlessBackend* raw = backend.get();
        {
            app::program::TBrowserProgram program(std::move(backend));
            program.WindowOptions.Starter = &m_starter;
            program.Initialize();
            if (idle) raw->OnIdle = [raw, idle] { return idle(*raw); };
            program.SetTitle("Puzzle Browser");
            program.CreateMainWindow({Settings(), m_dir.Path() + "/"});
            program.Run();
            EXPECT_TRUE(TTerminationSignals::Installed()) << "a signal during the writes must not be lost";
        }
        EXPECT_FALSE(TTerminationSignals::Installed()) << "the program leaves the handlers it found";
    }

    [[nodiscard]] std::string Settings() const { return m_dir.Path() + "/PuzzleBrowser.ini"; }
    [[nodiscard]] int SettingsInt(const char* key, int fallback) const {
        return platform::core::TIniFile(Settings()).ReadInteger("Browser", key, fallback);
    }

    TempDir m_dir;
    program_test::TRecordingStarter m_starter;
};

TEST_F(ProgramShutdownTest, ScriptRunningOutWritesTheSettingsAsTheCloseDoes) {
    // The first start shows the help; nothing more comes, so the loops end without a close.
    Run();
    EXPECT_EQ(SettingsInt("FirstTime", -1), 0) << "the help would show again at the next start";
    EXPECT_EQ(SettingsInt("Package", -1), 0);
}

TEST_F(ProgramShutdownTest, TerminationSignalClosesFromTheLoopAndKeepsTheChoices) {
    for (const int signo : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signo);
        // The second package was chosen before; the help still shows (a modal loop runs).
        WriteFile(Settings(), "[Browser]\r\nPackage=1\r\nFirstTime=1\r\n");
        int idleCalls = 0;
        Run([&](platform::ui::headless::THeadlessBackend& backend) {
            if (++idleCalls == 1) raise(signo);
            // Time passes as long as the loop waits: only the signal can end it early.
            backend.AdvanceClock(1000);
            return idleCalls < 200;
        });
        EXPECT_LT(idleCalls, 10) << "the loop kept waiting after the signal";
        EXPECT_EQ(SettingsInt("FirstTime", -1), 0);
        EXPECT_EQ(SettingsInt("Package", -1), 1);
        EXPECT_TRUE(m_starter.Started.empty());
    }
}

// A child process: Install, then what `body` does; its exit status is the result.
int InChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFSIGNALED(status)) return 1000 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1;
}

TEST(TerminationSignalsTest, ARequestWakesTheWaitOnceAndASecondSignalAfterItEndsAtOnce) {
    // The request is recorded and wakes the pipe; taking it empties the pipe.
    EXPECT_EQ(InChild([] {
                  if (!TTerminationSignals::Install()) return 2;
                  if (Readable(TTerminationSignals::WakeFd())) return 3;
                  raise(SIGHUP);
                  raise(SIGINT);  // before the request was taken: no harm, still the first one
                  if (!Readable(TTerminationSignals::WakeFd())) return 4;
                  if (TTerminationSignals::Take() != SIGHUP) return 5;
                  if (Readable(TTerminationSignals::WakeFd())) return 6;
                  if (TTerminationSignals::Take() != 0) return 7;
                  return 0;
              }),
              0);
    // A signal while the close runs ends the process with the signal's status.
    EXPECT_EQ(InChild([] {
                  TTerminationSignals::Install();
                  raise(SIGTERM);
                  TTerminationSignals::Take();
                  raise(SIGTERM);
                  return 0;
              }),
              128 + SIGTERM);
    // Uninstall gives back the handlers found: the default one ends the process by the signal.
    EXPECT_EQ(InChild([] {
                  TTerminationSignals::Install();
                  TTerminationSignals::Uninstall();
                  raise(SIGINT);
                  return 0;
              }),
              1000 + SIGINT);
}

}  // namespace
