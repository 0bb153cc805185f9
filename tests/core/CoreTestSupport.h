#pragma once
// Helpers shared by the core tests: a fresh temporary folder and whole-file byte access.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

namespace coretest {

// A new folder under the temporary directory, removed with everything in it at the end.
class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vk-core-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TTempFolder() {
        std::error_code ec;
        // Give back write permission that a test may have taken away, so that removal works.
        for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory(ec) && !it->is_symlink(ec)) {
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ec);
            }
        }
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    [[nodiscard]] const std::string& Path() const { return m_path; }
    [[nodiscard]] std::string operator/(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Waits, at most about timeoutMs, until a file exists. Bounded: never hangs a test.
inline bool WaitForFile(const std::string& path, int timeoutMs = 20000) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (std::filesystem::exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::filesystem::exists(path);
}

// Exit codes of RunInChild's function, and what RunInChild reports for a child that did not exit
// by itself (killed, or stopped by the alarm because it hung).
constexpr int kChildOk = 0;
constexpr int kChildFailed = 1;
constexpr int kChildCannotTest = 2;
constexpr int kChildHung = -1;

// Runs fn in a forked child and returns its exit code. A child that blocks is ended after
// timeoutSeconds, so a test of something that used to hang fails instead of hanging.
inline int RunInChild(const std::function<int()>& fn, unsigned timeoutSeconds = 10) {
    const pid_t pid = ::fork();
    if (pid < 0) return kChildHung;
    if (pid == 0) {
        ::alarm(timeoutSeconds);
        ::_exit(fn());
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kChildHung;
}

// The unprivileged user that permission tests run as when the tests run as root.
constexpr uid_t kNobody = 65534;

// In a child: becomes an ordinary user (nobody) when running as root. False when that fails.
inline bool BecomeUnprivileged() {
    if (::geteuid() != 0) return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

}  // namespace coretest
