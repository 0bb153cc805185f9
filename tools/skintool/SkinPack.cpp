// skintool pack and unpack.

#include <unistd.h>

#include <filesystem>
#include <map>

#include "platform/core/Files.h"
#include "platform/core/Stream.h"
#include "skin/data/bsSkinFile.h"
#include "tools/skintool/SkinInput.h"
#include "tools/skintool/SkinTool.h"

namespace skintool {

namespace fs = std::filesystem;
using namespace skin;

namespace {

bool WriteBytes(const std::string& path, const std::string& bytes, std::ostream& err) {
    if (!platform::core::WriteFileAtomic(path, bytes.data(), bytes.size())) {
        err << "skintool: cannot write " << path << '\n';
        return false;
    }
    return true;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::ostream& err) {
    return WriteBytes(path, std::string(bytes.begin(), bytes.end()), err);
}

// A picture name that stays inside the folder it is written to.
bool SafeName(const std::string& name) {
    if (name.empty() || name.find('\0') != std::string::npos) return false;
    fs::path p(name);
    if (p.is_absolute() || p.has_root_name() || p.has_root_directory()) return false;
    for (const auto& part : p) {
        if (part == ".." || part == ".") return false;
    }
    return !p.filename().empty();
}

}  // namespace

int RunPack(const TArgs& args, std::ostream& out, std::ostream& err) {
    std::string input, stored, compressed, data;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* target = a == "--stored"       ? &stored
                              : a == "--compressed" ? &compressed
                              : a == "--data"       ? &data
                                                    : nullptr;
        if (target) {
            if (i + 1 >= args.size()) {
                err << "skintool pack: " << a << " needs a path\n";
                return 2;
            }
            *target = args[++i];
        } else if (a.rfind("--", 0) == 0 || !input.empty()) {
            err << "skintool pack: unexpected argument \"" << a << "\"\n";
            return 2;
        } else {
            input = a;
        }
    }
    if (input.empty() || (stored.empty() && compressed.empty() && data.empty())) {
        err << "skintool pack: needs a skin and at least one of --stored, --compressed, --data\n";
        return 2;
    }
    TLoadedSkin skin;
    std::string error;
    if (!LoadSkinInput(input, skin, error)) {
        err << "skintool pack: " << error << '\n';
        return 1;
    }
    if (auto missing = MissingSkinSections(skin.Source.Lines); !missing.empty()) {
        err << "skintool pack: " << skin.Description << ": the required section [" << missing.front()
            << "] is missing\n";
        return 1;
    }
    if (!stored.empty()) {
        platform::core::TMemoryStream pictures;
        if (!WriteSkinPictures(pictures, skin.Source.Pictures)) {
            err << "skintool pack: a numbered picture is empty\n";
            return 1;
        }
        if (!WriteBytes(StoredTextPath(stored), EncodeSkinText(skin.Source.Lines, skin.Source.Encoding),
                        err) ||
            !WriteBytes(StoredPicturesPath(stored), pictures.Bytes(), err)) {
            return 1;
        }
        out << "stored skin: " << StoredTextPath(stored) << ", " << StoredPicturesPath(stored) << " ("
            << pictures.Size() << " bytes of pictures)\n";
    }
    if (!compressed.empty() || !data.empty()) {
        std::vector<uint8_t> packed;
        if (!CompressSkin(skin.Source, packed)) {
            err << "skintool pack: a numbered picture is empty\n";
            return 1;
        }
        if (!compressed.empty()) {
            if (!WriteCompressedSkinFile(compressed, packed, &error)) {
                err << "skintool pack: " << error << '\n';
                return 1;
            }
            out << "compressed skin file: " << compressed << " (" << packed.size() + 8 << " bytes)\n";
        }
        if (!data.empty()) {
            if (!WriteBytes(data, packed, err)) return 1;
            out << "compressed data: " << data << " (" << packed.size() << " bytes)\n";
        }
    }
    return 0;
}

int RunUnpack(const TArgs& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0) {
        err << "skintool unpack: needs a skin and a folder\n";
        return 2;
    }
    const std::string& folder = args[1];
    TLoadedSkin skin;
    std::string error;
    if (!LoadSkinInput(args[0], skin, error)) {
        err << "skintool unpack: " << error << '\n';
        return 1;
    }

    // The description must name every picture the skin carries, and only those, or the folder
    // would not pack back into the same skin.
    const TbsSkinPictureSet& pictures = skin.Source.Pictures;
    TbsSkinPictureNames names = ReadSkinPictureNames(skin.Source.Lines);
    std::vector<std::pair<std::string, const TBitmap*>> files;
    bool consistent = true;
    auto take = [&](const std::string& name, const TBitmap& bitmap, const std::string& key) {
        if (name.empty() != bitmap.Empty()) {
            err << "skintool unpack: [PICTURES] " << key
                << (name.empty() ? ": the skin carries this picture but the description names none\n"
                                 : ": names \"" + name + "\", but the skin carries no such picture\n");
            consistent = false;
        } else if (!name.empty()) {
            files.emplace_back(name, &bitmap);
        }
    };
    take(names.Picture, pictures.Picture, "picture");
    take(names.InactivePicture, pictures.InactivePicture, "inactivepicture");
    take(names.Mask, pictures.FrameMask, "mask");
    if (names.ActivePictures.size() != pictures.ActivePictures.size()) {
        err << "skintool unpack: [PICTURES] activepicturescount: the description counts "
            << names.ActivePictures.size() << " pictures, the skin carries " << pictures.ActivePictures.size()
            << '\n';
        return 1;
    }
    for (std::size_t i = 0; i < names.ActivePictures.size(); ++i)
        take(names.ActivePictures[i], *pictures.ActivePictures[i], std::to_string(i));
    if (!consistent) return 1;

    std::map<std::string, std::vector<uint8_t>> contents{{"skin.ini", {}}};
    std::string text = EncodeSkinText(skin.Source.Lines, skin.Source.Encoding);
    contents["skin.ini"].assign(text.begin(), text.end());
    for (const auto& [name, bitmap] : files) {
        if (!SafeName(name)) {
            err << "skintool unpack: [PICTURES] picture name \"" << name << "\" would leave the folder\n";
            return 1;
        }
        std::string key = fs::path(name).lexically_normal().string();
        auto bytes = bitmap->SaveToMemory();
        auto [it, inserted] = contents.emplace(key, bytes);
        if (!inserted && it->second != bytes) {
            err << "skintool unpack: [PICTURES] \"" << name << "\" names two different pictures\n";
            return 1;
        }
    }

    std::error_code ec;
    fs::path target(folder);
    if (fs::exists(target, ec) && !(fs::is_directory(target, ec) && fs::is_empty(target, ec))) {
        err << "skintool unpack: " << folder << " exists and is not an empty folder\n";
        return 1;
    }
    fs::path staging = target;
    staging += ".unpack-" + std::to_string(::getpid());
    fs::remove_all(staging, ec);
    auto fail = [&](const std::string& what) {
        err << "skintool unpack: " << what << '\n';
        fs::remove_all(staging, ec);
        return 1;
    };
    if (!fs::create_directories(staging, ec)) return fail("cannot create " + staging.string());
    for (const auto& [name, bytes] : contents) {
        fs::path path = staging / name;
        fs::create_directories(path.parent_path(), ec);
        if (!platform::core::WriteFileAtomic(path.string(), bytes.data(), bytes.size()))
            return fail("cannot write " + path.string());
    }
    if (fs::exists(target, ec)) fs::remove(target, ec);
    fs::rename(staging, target, ec);
    if (ec) return fail("cannot move the unpacked skin to " + folder + ": " + ec.message());
    out << InputKindName(skin.Kind) << " unpacked into " << folder << " (" << contents.size() << " files)\n";
    return 0;
}

}  // namespace skintool
