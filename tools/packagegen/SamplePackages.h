#pragma once
// The sample puzzle packages that come with the built program: three packages of 3, 7 and 13
// puzzles, each a folder with PuzzlePackage.ini, one JPEG preview per puzzle and one executable
// per puzzle and severity. Their names differ in case on purpose, so that sorting them without
// regard to case gives another order than sorting by bytes.

#include <string>
#include <vector>

#include "tools/packagegen/PuzzleArt.h"

namespace packagegen {

struct TPackageSpec {
    std::string Folder;
    std::string Name;
    std::string FileBase;
    std::string PreviewBase;
    int Puzzles = 0;
    TSceneTheme Theme = TSceneTheme::Shapes;
};

inline const char* const kSeverityNames[5] = {"Beginner", "Intermediate", "Expert", "Guru", "Maniac"};

[[nodiscard]] const std::vector<TPackageSpec>& SamplePackages();

// The text of a package's PuzzlePackage.ini.
[[nodiscard]] std::string PackageIniText(const TPackageSpec& spec);
// The program of one puzzle and severity: a shell script that says what it stands for and starts
// the sliding puzzle beside the browser with the puzzle's preview and a grid for the severity.
[[nodiscard]] std::string PuzzleScript(const TPackageSpec& spec, int puzzle, const char* severity);

// Writes every sample package into folder (one subfolder each); the folder is replaced as a whole
// and may hold nothing but package folders.
bool WriteSamplePackages(const std::string& folder, std::string* error);

}  // namespace packagegen
