#pragma once
// Reading a skin in any of its forms: a skin folder (or its description file), a stored skin
// (PREFIX.ini beside PREFIX.pictures), a compressed skin file, or a bare compressed data stream.

#include <string>
#include <vector>

#include "skin/data/bsSkinFile.h"
#include "tools/skintool/SkinCheck.h"

namespace skintool {

enum class TInputKind { Folder, Stored, CompressedFile, CompressedData };

[[nodiscard]] const char* InputKindName(TInputKind kind);

struct TLoadedSkin {
    skin::TbsSkinSource Source;
    TInputKind Kind = TInputKind::Folder;
    std::string Description;  // the path the description came from
    // Pictures of a folder that could not be loaded (only when loading leniently).
    std::vector<TProblem> Problems;
};

// Strict: any picture that cannot be loaded fails the load. Lenient (for check): such pictures
// become problems and are left empty, so that everything else can still be checked.
bool LoadSkinInput(const std::string& path, TLoadedSkin& out, std::string& error, bool lenient = false);

// Stored-skin form on disk.
[[nodiscard]] std::string StoredTextPath(const std::string& prefix);
[[nodiscard]] std::string StoredPicturesPath(const std::string& prefix);

}  // namespace skintool
