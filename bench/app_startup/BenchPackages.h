#pragma once
// The packages the start-up and paging figures run on: 20 packages of 12 puzzles each, with
// 150 × 150 previews that have detail (gradients and rings), so that decoding them costs what a
// real preview costs.

#include <string>

namespace app_bench {

inline constexpr int kPackages = 20;
inline constexpr int kPuzzlesPerPackage = 12;

// Writes the packages and a settings file that has seen its first run (no help text) into
// folder, beside where the program's executable is taken to be.
void WriteBenchPackages(const std::string& folder);

// The path of preview n (1-based) of package p (0-based) of such a folder.
[[nodiscard]] std::string BenchPreviewPath(const std::string& folder, int package, int n);

}  // namespace app_bench
