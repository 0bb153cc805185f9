#include "platform/core/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace platform::core {

namespace {

// Closes a descriptor on scope exit.
class TFd {
public:
    explicit TFd(int fd) : m_fd(fd) {}
    ~TFd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    [[nodiscard]] int Get() const { return m_fd; }
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

bool WriteAllFd(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::size_t LastSlash(std::string_view path) { return path.rfind('/'); }

// Where a replacement has to be written: a symbolic link is followed, so that the link stays and
// the file it points to is replaced.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;  // a dangling link: replace the link itself
    std::string result(real);
    std::free(real);  // NOLINT(cppcoreguidelines-no-malloc): realpath allocates with malloc
    return result;
}

std::string TempNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937 rng{std::random_device{}()};
    const std::size_t slash = LastSlash(target);
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // Cut long names so that the temporary's name stays within the file system's limit.
    const std::string name = (slash == std::string::npos ? target : target.substr(slash + 1)).substr(0, 200);
    return dir + "." + name + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(rng() % 1000000U);
}

void SyncFolderOf(const std::string& target) {
    const std::size_t slash = LastSlash(target);
    std::string dir = slash == std::string::npos ? "." : target.substr(0, slash);
    if (dir.empty()) dir = "/";
    const TFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());
}

std::vector<std::string> ListEntries(const std::string& folder, bool wantDirs) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    const std::string prefix = IncludeTrailingPathDelimiter(folder);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool isDir = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            if (::stat((prefix + name).c_str(), &st) != 0) continue;
            isDir = S_ISDIR(st.st_mode);
            isFile = S_ISREG(st.st_mode);
        }
        if (wantDirs ? isDir : isFile) names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

}  // namespace

std::string ExecutablePath() {
    std::string buffer(256, '\0');
    while (true) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return {};
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            return buffer;
        }
        if (buffer.size() > 1U << 20U) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExtractFilePath(std::string_view path) {
    const std::size_t slash = LastSlash(path);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileDir(std::string_view path) {
    const std::size_t slash = LastSlash(path);
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string ExtractFileName(std::string_view path) {
    const std::size_t slash = LastSlash(path);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractFileExt(std::string_view path) {
    const std::size_t slash = LastSlash(path);
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::string current = ExtractFileExt(path);
    std::string result(path.substr(0, path.size() - current.size()));
    result += ext;
    return result;
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string result(path);
    if (!result.empty() && result.back() != '/') result += '/';
    return result;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string result(path);
    while (result.size() > 1 && result.back() == '/') result.pop_back();
    return result;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> ListSubfolders(const std::string& folder) { return ListEntries(folder, true); }

std::vector<std::string> ListFiles(const std::string& folder) { return ListEntries(folder, false); }

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path) {
    const TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
    std::vector<uint8_t> data;
    // The size is a hint only: files under /proc report 0 and files may grow while read.
    data.reserve(S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) + 1 : 4096);
    uint8_t chunk[65536];
    while (true) {
        const ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        data.insert(data.end(), chunk, chunk + n);
    }
    return data;
}

bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size) {
    if (path.empty()) {
        errno = EINVAL;
        return false;
    }
    const std::string target = ResolveTarget(path);
    struct stat old {};
    const bool hadOld = ::stat(target.c_str(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        return false;
    }

    std::string temp;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temp = TempNameFor(target);
        // 0666 lets the umask decide a new file's mode, as for any new file.
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw < 0 && errno != EEXIST) return false;
    }
    if (raw < 0) return false;
    TFd fd(raw);

    bool ok = WriteAllFd(fd.Get(), data, size);
    if (ok && hadOld) ok = ::fchmod(fd.Get(), old.st_mode & 07777) == 0;
    if (ok) ok = ::fsync(fd.Get()) == 0;
    const int closeResult = ::close(fd.Release());
    ok = ok && closeResult == 0;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return false;
    }
    SyncFolderOf(target);
    return true;
}

}  // namespace platform::core
