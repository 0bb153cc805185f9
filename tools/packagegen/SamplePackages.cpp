#include "tools/packagegen/SamplePackages.h"

#include <filesystem>

#include "tools/skingen/OutputFolder.h"

namespace packagegen {

const std::vector<TPackageSpec>& SamplePackages() {
    static const std::vector<TPackageSpec> kPackages{
        {"Shapes", "Abstract Shapes", "shapes", "shapes", 13, TSceneTheme::Shapes},
        {"Beach", "beach Holidays", "beach", "beach", 7, TSceneTheme::Beach},
        {"City", "City Lights", "city", "city", 3, TSceneTheme::City},
    };
    return kPackages;
}

std::string PackageIniText(const TPackageSpec& spec) {
    return "[Package]\r\nname=" + spec.Name + "\r\nfile=" + spec.FileBase +
           "\r\npreview=" + spec.PreviewBase + "\r\npuzzles=" + std::to_string(spec.Puzzles) + "\r\n";
}

std::string PuzzleScript(const TPackageSpec& spec, int puzzle, const char* severity) {
    // The sliding-tile demo that comes with the browser plays every sample puzzle: its grid grows
    // with the severity, from 3 x 3 (Beginner) to 7 x 7 (Maniac).
    int size = 3;
    for (int i = 0; i < 5; ++i)
        if (std::string(kSeverityNames[i]) == severity) size = 3 + i;
    const std::string number = std::to_string(puzzle);
    return "#!/bin/sh\n"
           "# Puzzle " + number + " of the sample package \"" + spec.Name + "\", severity " + severity +
           ": the sliding puzzle beside the\n"
           "# browser, with this puzzle's preview as its picture.\n"
           "echo \"Puzzle " + number + " of the package '" + spec.Name + "', severity " + severity + "\"\n"
           "here=$(dirname \"$0\")\n"
           "if [ -x \"$here/../SlidingPuzzle\" ]; then\n"
           "  exec \"$here/../SlidingPuzzle\" --picture \"$here/" + spec.PreviewBase + "-" + number +
           ".jpg\" --size " + std::to_string(size) + "\n"
           "fi\n"
           "# Installed system-wide, the launcher names the puzzle program's place.\n"
           "if [ -n \"$VK_SLIDING_PUZZLE\" ] && [ -x \"$VK_SLIDING_PUZZLE\" ]; then\n"
           "  exec \"$VK_SLIDING_PUZZLE\" --picture \"$here/" + spec.PreviewBase + "-" + number +
           ".jpg\" --size " + std::to_string(size) + "\n"
           "fi\n"
           "echo \"SlidingPuzzle is not installed beside the puzzle browser\" >&2\n"
           "exit 1\n";
}

bool WriteSamplePackages(const std::string& folder, std::string* error) {
    // Any package folder left from an earlier run may go.
    const auto ownsEntry = [](const std::string& path) {
        return std::filesystem::exists(std::filesystem::path(path) / "PuzzlePackage.ini");
    };
    std::vector<std::string> names;
    for (const TPackageSpec& spec : SamplePackages()) names.push_back(spec.Folder);
    if (!skingen::TOutputFolder::CheckTarget(folder, names, ownsEntry, error)) return false;
    skingen::TOutputFolder out;
    for (const TPackageSpec& spec : SamplePackages()) {
        out.Add(spec.Folder + "/PuzzlePackage.ini", PackageIniText(spec));
        for (int n = 1; n <= spec.Puzzles; ++n) {
            std::vector<uint8_t> jpeg = skingen::JpegBytes(PaintPuzzlePreview(spec.Theme, n), 88);
            if (jpeg.empty()) {
                if (error)
                    *error = "cannot encode the preview of puzzle " + std::to_string(n) + " of " + spec.Name;
                return false;
            }
            out.Add(spec.Folder + "/" + spec.PreviewBase + "-" + std::to_string(n) + ".jpg", std::move(jpeg));
            for (const char* severity : kSeverityNames)
                out.Add(spec.Folder + "/" + spec.FileBase + "-" + std::to_string(n) + "-" + severity + ".exe",
                        PuzzleScript(spec, n, severity), true);
        }
    }
    return out.Commit(folder, ownsEntry, error);
}

}  // namespace packagegen
