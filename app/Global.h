#pragma once
// Program-wide texts: the title, the version text and the severity names.

#include <array>
#include <string>
#include <string_view>

namespace app {

inline constexpr std::string_view kApplicationTitle = "Vondrakel(tm) - Puzzle Browser";

// Indexed 1..5; entry 0 is unused so that a severity indexes the table directly.
inline constexpr std::array<std::string_view, 6> SeverityNames = {"",       "Beginner", "Intermediate",
                                                                  "Expert", "Guru",     "Maniac"};
inline constexpr int kMinSeverity = 1;
inline constexpr int kMaxSeverity = 5;

[[nodiscard]] constexpr bool IsValidSeverity(long long severity) {
    return severity >= kMinSeverity && severity <= kMaxSeverity;
}

// The program's file version: major.minor.release.build, without leading zeros.
[[nodiscard]] std::string ProgramVersionText();

}  // namespace app
