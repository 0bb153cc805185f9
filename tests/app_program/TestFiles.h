#pragma once
// Temporary folders, files and colour comparison for the program's tests.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "platform/gfx/Color.h"

namespace program_test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vk-program-XXXXXX").string();
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

// Colour distance for JPEG pixels.
inline bool Near(platform::gfx::TColor a, platform::gfx::TColor b, int tolerance = 10) {
    return std::abs(platform::gfx::GetRValue(a) - platform::gfx::GetRValue(b)) <= tolerance &&
           std::abs(platform::gfx::GetGValue(a) - platform::gfx::GetGValue(b)) <= tolerance &&
           std::abs(platform::gfx::GetBValue(a) - platform::gfx::GetBValue(b)) <= tolerance;
}

}  // namespace program_test
