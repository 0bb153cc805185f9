#include "tools/skintool/SkinInput.h"

#include <filesystem>

#include "platform/core/Files.h"
#include "platform/core/Stream.h"
#include "skin/data/bszlibcompress.h"

namespace skintool {

namespace fs = std::filesystem;
using namespace skin;

namespace {

bool EndsWith(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string WithoutSuffix(const std::string& s, std::string_view suffix) {
    return s.substr(0, s.size() - suffix.size());
}

bool ReadText(const std::string& path, TbsSkinSource& skin, std::string& error) {
    auto bytes = platform::core::ReadFileBytes(path);
    if (!bytes) {
        error = "cannot read " + path;
        return false;
    }
    std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (std::string problem = SkinTextBytesProblem(text); !problem.empty()) {
        error = path + ": " + problem;
        return false;
    }
    DecodeSkinText(text, skin.Lines, &skin.Encoding);
    return true;
}

bool LoadFolderLenient(const std::string& description, TLoadedSkin& out, std::string& error) {
    if (!ReadText(description, out.Source, error)) return false;
    TbsSkinPictureNames names = ReadSkinPictureNames(out.Source.Lines);
    std::string folder = platform::core::ExtractFilePath(description);
    auto load = [&](const std::string& name, TBitmap& bitmap, const std::string& key) {
        if (name.empty()) return;
        if (!bitmap.LoadFromFile(folder + name))
            out.Problems.push_back(
                {TSeverity::Error, "PICTURES", key, "cannot load picture \"" + name + "\""});
    };
    load(names.Picture, out.Source.Pictures.Picture, "picture");
    load(names.InactivePicture, out.Source.Pictures.InactivePicture, "inactivepicture");
    load(names.Mask, out.Source.Pictures.FrameMask, "mask");
    for (std::size_t i = 0; i < names.ActivePictures.size(); ++i) {
        auto bitmap = std::make_unique<TBitmap>();
        if (!names.ActivePictures[i].empty()) load(names.ActivePictures[i], *bitmap, std::to_string(i));
        out.Source.Pictures.ActivePictures.push_back(std::move(bitmap));
    }
    return true;
}

bool LoadStored(const std::string& prefix, TLoadedSkin& out, std::string& error) {
    if (!ReadText(StoredTextPath(prefix), out.Source, error)) return false;
    auto bytes = platform::core::ReadFileBytes(StoredPicturesPath(prefix));
    if (!bytes) {
        error = "cannot read " + StoredPicturesPath(prefix);
        return false;
    }
    platform::core::TMemoryStream stream(std::move(*bytes));
    std::string why;
    if (!ReadSkinPictures(stream, out.Source.Pictures, &why)) {
        error = StoredPicturesPath(prefix) + ": " + why;
        return false;
    }
    if (stream.Position() != stream.Size()) {
        error = StoredPicturesPath(prefix) + ": " + std::to_string(stream.Size() - stream.Position()) +
                " bytes follow the last picture";
        return false;
    }
    return true;
}

bool LoadCompressed(const std::string& path, TLoadedSkin& out, std::string& error) {
    auto bytes = platform::core::ReadFileBytes(path);
    if (!bytes) {
        error = "cannot read " + path;
        return false;
    }
    std::vector<uint8_t> data;
    std::string why;
    bool isFile =
        bytes->size() >= 4 && (*bytes)[0] == 1 && (*bytes)[1] == 0 && (*bytes)[2] == 0 && (*bytes)[3] == 0;
    if (isFile) {
        out.Kind = TInputKind::CompressedFile;
        if (!ParseCompressedSkinFile(bytes->data(), bytes->size(), data, &why)) {
            error = path + ": " + why;
            return false;
        }
    } else if (!bytes->empty() && (*bytes)[0] == 0x78) {
        out.Kind = TInputKind::CompressedData;
        data = std::move(*bytes);
    } else {
        error = path + ": neither a skin folder, a stored skin nor compressed skin data";
        return false;
    }
    if (!DecompressSkin(data.data(), data.size(), out.Source, &why)) {
        error = path + ": " + why;
        return false;
    }
    return true;
}

}  // namespace

const char* InputKindName(TInputKind kind) {
    switch (kind) {
        case TInputKind::Folder:
            return "skin folder";
        case TInputKind::Stored:
            return "stored skin";
        case TInputKind::CompressedFile:
            return "compressed skin file";
        default:
            return "compressed skin data";
    }
}

std::string StoredTextPath(const std::string& prefix) {
    return prefix + ".ini";
}
std::string StoredPicturesPath(const std::string& prefix) {
    return prefix + ".pictures";
}

bool LoadSkinInput(const std::string& path, TLoadedSkin& out, std::string& error, bool lenient) {
    out = TLoadedSkin();
    std::error_code ec;
    std::string description;
    if (fs::is_directory(path, ec)) {
        description = (fs::path(path) / "skin.ini").string();
        if (!fs::exists(description, ec)) {
            error = path + ": the folder has no skin.ini";
            return false;
        }
    } else if (EndsWith(path, ".pictures") ||
               (EndsWith(path, ".ini") && fs::exists(StoredPicturesPath(WithoutSuffix(path, ".ini")), ec))) {
        std::string prefix =
            EndsWith(path, ".ini") ? WithoutSuffix(path, ".ini") : WithoutSuffix(path, ".pictures");
        out.Kind = TInputKind::Stored;
        out.Description = StoredTextPath(prefix);
        return LoadStored(prefix, out, error);
    } else if (EndsWith(path, ".ini")) {
        description = path;
    } else {
        out.Description = path;
        return LoadCompressed(path, out, error);
    }
    out.Kind = TInputKind::Folder;
    out.Description = description;
    if (lenient) return LoadFolderLenient(description, out, error);
    return LoadSkinFolder(description, out.Source, &error);
}

}  // namespace skintool
