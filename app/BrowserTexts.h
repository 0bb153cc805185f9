#pragma once
// Every text the browser shows itself, English then German. A line break inside a message is a
// single CR; the text engine breaks lines there.

#include <cstdint>
#include <string>

namespace app::texts {

[[nodiscard]] std::string ConfigurationNotFound(const std::string& iniPath);
// The settings file is there but cannot be read (no permission, not a regular file, too large).
[[nodiscard]] std::string ConfigurationUnreadable(const std::string& iniPath);
[[nodiscard]] std::string PackageIncomplete(const std::string& folder);
[[nodiscard]] std::string NoPackagesFound();
[[nodiscard]] std::string PreviewNotFound(const std::string& path);
[[nodiscard]] std::string PuzzleNotFound(const std::string& path);
// Shown when the puzzle file exists but the system refuses to run it.
[[nodiscard]] std::string PuzzleNotStarted(const std::string& path, const std::string& reason);
// The puzzle is a Windows program and wine, which runs it, is not installed.
[[nodiscard]] std::string WineMissing(const std::string& path);
// A skin chosen in the system menu cannot be used; the current one stays.
[[nodiscard]] std::string SkinUnusable(const std::string& path, const std::string& reason);
[[nodiscard]] std::string LastPageShown();
[[nodiscard]] std::string FirstPageShown();
[[nodiscard]] std::string Help();

[[nodiscard]] std::string Status(int64_t packages, int64_t puzzles);
[[nodiscard]] std::string StartCaption(int64_t puzzleNumber);
[[nodiscard]] std::string PuzzlesLabel(int64_t puzzles);
[[nodiscard]] std::string PuzzlePage(int64_t page, int64_t pages);

}  // namespace app::texts
