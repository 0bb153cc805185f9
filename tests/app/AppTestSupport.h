#pragma once
// Temporary folders and package fixtures for the browser's tests.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace app_test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vk-app-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    [[nodiscard]] const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

inline void WriteFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A JPEG start marker is all the image double looks at.
inline const std::string kFakeJpeg = std::string("\xFF\xD8\xFF\xE0 preview", 11);

// A package folder <base>/<folder> with previews <preview>-1.jpg .. -<previews>.jpg and the given
// ini text.
inline std::string MakePackage(const std::string& base, const std::string& folder, const std::string& ini,
                               int previews, const std::string& preview = "p") {
    const std::string dir = base + "/" + folder;
    std::filesystem::create_directories(dir);
    WriteFile(dir + "/PuzzlePackage.ini", ini);
    for (int n = 1; n <= previews; ++n)
        WriteFile(dir + "/" + preview + "-" + std::to_string(n) + ".jpg", kFakeJpeg);
    return dir;
}

inline std::string PackageIni(const std::string& name, const std::string& extra = "") {
    return "[Package]\r\nname=" + name + "\r\nfile=x\r\npreview=p\r\n" + extra;
}

// What an atomic rewrite changes even when the bytes stay the same.
struct FileStamp {
    ino_t Inode = 0;
    time_t Seconds = 0;
    long Nanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

inline FileStamp StampOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return {st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

}  // namespace app_test
