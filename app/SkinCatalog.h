#pragma once
// The skins a player can choose besides the built-in one: skin folders (holding skin.ini) and
// compressed skin files (*.skn) in the `skins` folders beside the program and under the XDG data
// folders.

#include <string>
#include <vector>

namespace app {

inline constexpr const char* kSkinFolderName = "skins";
inline constexpr const char* kSkinDescriptionName = "skin.ini";
inline constexpr const char* kCompressedSkinExtension = ".skn";

struct TSkinChoice {
    std::string Name;  // shown in the menu: the folder's name, or the file's without ".skn"
    std::string Path;  // the description file of a folder, or the compressed file
    bool Compressed = false;
};

// Every skin of the folders, in folder order and by name within a folder. A name already found
// in an earlier folder is left out, so the program's own folder comes first. Folders that do not
// exist or cannot be read give nothing.
[[nodiscard]] std::vector<TSkinChoice> FindSkins(const std::vector<std::string>& skinFolders);

}  // namespace app
