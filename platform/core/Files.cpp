#include "platform/core/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string_view>

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
    void Reset(int fd) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
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

bool HasNul(std::string_view path) { return path.find('\0') != std::string_view::npos; }

int64_t Nanoseconds(const struct timespec& t) { return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec; }

TFileStamp StampFrom(const struct stat& st) {
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino), static_cast<int64_t>(st.st_size),
            Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
}

std::string FolderOf(const std::string& target) {
    const std::size_t slash = LastSlash(target);
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : target.substr(0, slash);
}

std::string RealPath(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return {};
    std::string result(real);
    std::free(real);  // NOLINT(cppcoreguidelines-no-malloc): realpath allocates with malloc
    return result;
}

// Where a replacement has to be written: a symbolic link is followed, so that the link stays and
// the file it points to is replaced. Empty when the link leads out of the confining folder.
std::string ResolveTarget(const std::string& path, const std::string& confineTo) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    const std::string real = RealPath(path);
    if (real.empty()) return path;  // a dangling link: replace the link itself
    if (!confineTo.empty()) {
        const std::string root = IncludeTrailingPathDelimiter(RealPath(confineTo));
        if (root.empty() || real.compare(0, root.size(), root) != 0) return {};
    }
    return real;
}

// Temporary names: "." + the target's name + ".tmp" + the writer's pid + "-" + more, so that the
// writer of a stale one can be told from the name.
std::string TempPrefixFor(const std::string& target) {
    const std::size_t slash = LastSlash(target);
    // Cut long names so that the temporary's name stays within the file system's limit.
    const std::string name = (slash == std::string::npos ? target : target.substr(slash + 1)).substr(0, 200);
    return "." + name + ".tmp";
}

std::string TempNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937 rng{std::random_device{}()};
    const std::size_t slash = LastSlash(target);
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    return dir + TempPrefixFor(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(rng() % 1000000U);
}

void SyncFolderOf(const std::string& target) {
    const TFd fd(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());
}

// Gives the unnamed file opened with O_TMPFILE a temporary name. False when the system cannot.
bool NameUnnamedFile(int fd, const std::string& target, std::string& temp) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = TempNameFor(target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

struct TTempFile {
    TFd fd{-1};
    std::string name;  // empty while the file is unnamed
};

// Opens the temporary file for target: unnamed where the file system offers it, so that a kill
// while it is written leaves nothing behind.
bool OpenTemporary(const std::string& target, TTempFile& temp) {
    // An unnamed file is named through /proc before the rename; without /proc it cannot be.
    static const bool canName = ::access("/proc/self/fd", X_OK) == 0;
    // 0666 lets the umask decide a new file's mode, as for any new file.
    const int unnamed = canName ? ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
    if (unnamed >= 0) {
        temp.fd.Reset(unnamed);
        return true;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp.name = TempNameFor(target);
        const int raw = ::open(temp.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw >= 0) {
            temp.fd.Reset(raw);
            return true;
        }
        if (errno != EEXIST) break;
    }
    temp.name.clear();
    return false;
}

enum class TReplace { Done, Failed, InPlace };

// Gives the temporary file the old file's mode, owner and group. False when they cannot be kept.
bool KeepIdentity(int fd, const struct stat* old) {
    if (old == nullptr) return true;
    struct stat mine {};
    if (::fstat(fd, &mine) != 0) return false;
    if ((mine.st_uid != old->st_uid || mine.st_gid != old->st_gid) && ::fchown(fd, old->st_uid, old->st_gid) != 0)
        return false;
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

TReplace Replace(const std::string& target, const void* data, std::size_t size, const struct stat* old) {
    TTempFile temp;
    if (!OpenTemporary(target, temp)) return old != nullptr ? TReplace::InPlace : TReplace::Failed;
    const auto discard = [&temp](TReplace result) {
        const int saved = errno;
        if (!temp.name.empty()) ::unlink(temp.name.c_str());
        errno = saved;
        return result;
    };
    if (!KeepIdentity(temp.fd.Get(), old)) return discard(TReplace::InPlace);
    bool ok = WriteAllFd(temp.fd.Get(), data, size) && ::fsync(temp.fd.Get()) == 0;
    if (ok && temp.name.empty() && !NameUnnamedFile(temp.fd.Get(), target, temp.name)) {
        temp.name.clear();
        ok = false;
    }
    const int closeResult = ::close(temp.fd.Release());
    ok = ok && closeResult == 0 && ::rename(temp.name.c_str(), target.c_str()) == 0;
    if (!ok) return discard(TReplace::Failed);
    SyncFolderOf(target);
    return TReplace::Done;
}

// Rewrites the file where it is: for a file whose folder takes no temporary file, whose owner a
// replacement could not keep, or that has other hard links.
bool RewriteInPlace(const std::string& target, const void* data, std::size_t size, const struct stat& old) {
    const TFd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    struct stat now {};
    if (::fstat(fd.Get(), &now) != 0) return false;
    if (!S_ISREG(now.st_mode) || now.st_ino != old.st_ino || now.st_dev != old.st_dev) {
        errno = EINVAL;
        return false;
    }
    // New bytes first, then the length: a failure in between leaves the start of the new text.
    return WriteAllFd(fd.Get(), data, size) && ::ftruncate(fd.Get(), static_cast<off_t>(size)) == 0 &&
           ::fsync(fd.Get()) == 0;
}

std::vector<std::string> ListEntries(const std::string& folder, bool wantDirs) {
    std::vector<std::string> names;
    if (HasNul(folder)) return names;
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

bool FileExists(const std::string& path) { return EntryKind(path) == TEntryKind::File; }

bool DirectoryExists(const std::string& path) { return EntryKind(path) == TEntryKind::Directory; }

TEntryKind EntryKind(const std::string& path) {
    struct stat st {};
    if (HasNul(path) || ::stat(path.c_str(), &st) != 0) return TEntryKind::None;
    if (S_ISREG(st.st_mode)) return TEntryKind::File;
    return S_ISDIR(st.st_mode) ? TEntryKind::Directory : TEntryKind::Other;
}

std::optional<TFileStamp> StampOfFile(const std::string& path) {
    struct stat st {};
    if (HasNul(path) || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    return StampFrom(st);
}

std::vector<std::string> ListSubfolders(const std::string& folder) { return ListEntries(folder, true); }

std::vector<std::string> ListFiles(const std::string& folder) { return ListEntries(folder, false); }

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, std::size_t maxSize, TFileStamp* stamp) {
    if (HasNul(path)) {
        errno = ENOENT;
        return std::nullopt;
    }
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const TFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) return std::nullopt;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    if (static_cast<uint64_t>(st.st_size) > maxSize) {
        errno = EFBIG;
        return std::nullopt;
    }
    if (stamp != nullptr) *stamp = StampFrom(st);
    std::vector<uint8_t> data;
    // The size is a hint only: files under /proc report 0 and files may grow while read.
    data.reserve(static_cast<std::size_t>(st.st_size) + 1);
    uint8_t chunk[65536];
    while (true) {
        const ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        if (static_cast<std::size_t>(n) > maxSize - data.size()) {
            errno = EFBIG;
            return std::nullopt;
        }
        data.insert(data.end(), chunk, chunk + n);
    }
    return data;
}

bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size, const TWriteOptions& options) {
    if (path.empty() || HasNul(path)) {
        errno = EINVAL;
        return false;
    }
    const std::string target = ResolveTarget(path, options.ConfineTo);
    if (target.empty()) {
        errno = EACCES;
        return false;
    }
    struct stat old {};
    const bool hadOld = ::stat(target.c_str(), &old) == 0;
    if (hadOld && !S_ISREG(old.st_mode)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    // A file the user made read-only stays as it is, although its folder would allow a rename.
    if (hadOld && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
    RemoveStaleTemporaries(target);
    // Replacing would detach the other names of a hard-linked file.
    if (hadOld && old.st_nlink > 1) return RewriteInPlace(target, data, size, old);
    switch (Replace(target, data, size, hadOld ? &old : nullptr)) {
        case TReplace::Done: return true;
        case TReplace::Failed: return false;
        case TReplace::InPlace: break;
    }
    return RewriteInPlace(target, data, size, old);
}

int RemoveStaleTemporaries(const std::string& path) {
    if (path.empty() || HasNul(path)) return 0;
    const std::string target = ResolveTarget(path, {});
    const std::string folder = FolderOf(target);
    const std::string prefix = TempPrefixFor(target);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.substr(0, prefix.size()) != prefix) continue;
        const std::string_view rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string_view::npos || dash > 9) continue;
        if (rest.find_first_not_of("0123456789") != dash) continue;
        const pid_t writer = static_cast<pid_t>(std::stol(std::string(rest.substr(0, dash))));
        // A writer that still runs may be about to rename its temporary.
        if (writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH) continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

}  // namespace platform::core
