#pragma once
// The version record compiled in from the project version.

#include <string>

namespace platform::core {

struct TVersionInfo {
    int Major = 0;
    int Minor = 0;
    int Release = 0;
    int Build = 0;
};

[[nodiscard]] TVersionInfo ProgramVersion();
[[nodiscard]] std::string ProgramVersionString();  // "major.minor.release.build"

}  // namespace platform::core
