#include "platform/core/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/core/Files.h"

namespace platform::core {

namespace {

TStartResult Failure(int error, const std::string& what) {
    TStartResult result;
    result.Error = error;
    result.Message = what + ": " + std::system_category().message(error);
    return result;
}

// Reports errno through the pipe and ends the (forked) process. Only async-signal-safe calls.
[[noreturn]] void FailChild(int pipeFd, int error) {
    const char* p = reinterpret_cast<const char*>(&error);
    std::size_t left = sizeof error;
    while (left > 0) {
        const ssize_t n = ::write(pipeFd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    ::_exit(127);
}

// Runs file with argv in a grandchild of a child that calls setsid and exits at once: the
// grandchild belongs to no one here (init or the subreaper reaps it), the child is reaped before
// this returns, and the caller waits only until exec has succeeded or failed. A close-on-exec pipe
// carries the errno of a failure; end of file on it means exec succeeded.
TStartResult SpawnDetached(const std::string& file, const std::vector<std::string>& args,
                           const std::string& workDir, const std::string& what) {
    // Everything the forked processes use is prepared here: after fork, a multithreaded program
    // may only make async-signal-safe calls.
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const char* filePath = file.c_str();
    const char* dir = workDir.empty() ? nullptr : workDir.c_str();

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return Failure(errno, what);
    const int readFd = fds[0];
    const int writeFd = fds[1];

    const pid_t child = ::fork();
    if (child < 0) {
        const int err = errno;
        ::close(readFd);
        ::close(writeFd);
        return Failure(err, what);
    }
    if (child == 0) {
        ::close(readFd);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) FailChild(writeFd, errno);
        if (grandchild > 0) ::_exit(0);

        // The program starts clean: no blocked or ignored signals, none of our descriptors.
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        struct sigaction dfl {};
        dfl.sa_handler = SIG_DFL;
        ::sigemptyset(&dfl.sa_mask);
        for (int sig = 1; sig < NSIG; ++sig) ::sigaction(sig, &dfl, nullptr);
        ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);  // the pipe is already close-on-exec

        if (dir != nullptr && ::chdir(dir) != 0) FailChild(writeFd, errno);
        ::execv(filePath, argv.data());
        FailChild(writeFd, errno);
    }

    ::close(writeFd);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // ECHILD (SIGCHLD ignored by the program) needs nothing more: the child is gone either way.

    int childError = 0;
    std::size_t got = 0;
    auto* dst = reinterpret_cast<char*>(&childError);
    while (got < sizeof childError) {
        const ssize_t n = ::read(readFd, dst + got, sizeof childError - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(readFd);
    if (got == sizeof childError) return Failure(childError, what);
    if (got != 0) return Failure(EIO, what);
    TStartResult ok;
    ok.Ok = true;
    return ok;
}

// The path of an executable named on PATH, or "" when there is none.
std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string search = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= search.size()) {
        std::size_t end = search.find(':', start);
        if (end == std::string::npos) end = search.size();
        std::string dir = search.substr(start, end - start);
        if (dir.empty()) dir = ".";
        std::string candidate = IncludeTrailingPathDelimiter(dir) + name;
        if (FileExists(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

}  // namespace

TStartResult StartProgramWith(const std::vector<std::string>& args, const std::string& workDir) {
    if (args.empty() || args.front().empty()) return Failure(EINVAL, "cannot start an empty path");
    for (const std::string& a : args)
        if (a.find('\0') != std::string::npos)
            return Failure(EINVAL, "cannot start an argument holding a NUL byte");
    return SpawnDetached(args.front(), args, workDir, "cannot start " + args.front());
}

std::string FindProgramOnPath(const std::string& name) {
    return FindOnPath(name);
}

TStartResult StartProgram(const std::string& path, bool chdirToFolder) {
    if (path.empty()) return Failure(EINVAL, "cannot start an empty path");
    // The system would start the file named by the part before the NUL.
    if (path.find('\0') != std::string::npos) return Failure(EINVAL, "cannot start a path holding a NUL byte");
    std::string file = path;
    std::string workDir;
    if (chdirToFolder) {
        // A relative path would no longer name the file once the folder is changed.
        if (file.front() != '/') {
            char* cwd = ::getcwd(nullptr, 0);
            if (cwd == nullptr) return Failure(errno, "cannot start " + path);
            file = IncludeTrailingPathDelimiter(cwd) + file;
            std::free(cwd);  // NOLINT(cppcoreguidelines-no-malloc): getcwd allocates with malloc
        }
        workDir = ExtractFileDir(file);
    }
    return SpawnDetached(file, {file}, workDir, "cannot start " + path);
}

TStartResult OpenDocument(const std::string& urlOrPath) {
    if (urlOrPath.empty()) return Failure(EINVAL, "cannot open an empty name");
    if (urlOrPath.find('\0') != std::string::npos) return Failure(EINVAL, "cannot open a name holding a NUL byte");
    const std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) return Failure(ENOENT, "cannot open " + urlOrPath + " (xdg-open not found)");
    // A path that begins with "-" would read as an option of xdg-open.
    const std::string arg = urlOrPath.front() == '-' ? "./" + urlOrPath : urlOrPath;
    return SpawnDetached(opener, {"xdg-open", arg}, {}, "cannot open " + urlOrPath);
}

}  // namespace platform::core
