#pragma once
// Shared helpers of the asset tests: the source tree, fresh temporary folders, file contents.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace assettest {

namespace fs = std::filesystem;

inline fs::path SourceDir() {
    const char* dir = std::getenv("VK_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::current_path();
}

// A new empty folder, removed with everything in it when the object goes.
class TTempDir {
public:
    TTempDir() {
        static std::atomic<int> counter{0};
        m_path = fs::temp_directory_path() /
                 ("vk-assets-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TTempDir() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    [[nodiscard]] const fs::path& Path() const { return m_path; }
    [[nodiscard]] fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

inline std::vector<char> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Names of the regular files directly in a folder, sorted.
inline std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Names of everything directly in a folder (files and folders), sorted.
inline std::vector<std::string> EntryNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace assettest
