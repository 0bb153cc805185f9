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
    return "#!/bin/sh\n"
           "# Stand-in for a puzzle program of the sample package \"" +
           spec.Name +
           "\".\n"
           "echo \"Puzzle " +
           std::to_string(puzzle) + " of the package '" + spec.Name + "', severity " + severity +
           " (sample placeholder: $0)\"\n";
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
