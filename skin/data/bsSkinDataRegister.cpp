#include "skin/data/bsSkinDataRegister.h"

#include "platform/core/Stream.h"
#include "platform/forms/PropertyTable.h"
#include "skin/data/bsSkinData.h"

namespace skin {

using platform::forms::TClassRegistry;

void RegisterSkinDataClasses() {
    auto& registry = TClassRegistry::Instance();
    registry.Register<TbsStoredSkin>("TbsStoredSkin", "TComponent")
        .String("FileName", &TbsStoredSkin::FileName,
                [](TbsStoredSkin& s, std::string v) { s.SetFileName(std::move(v)); })
        .Strings(
            "IniStrings",
            [](const TbsStoredSkin& s) {
                std::vector<std::string> lines;
                for (int i = 0; i < s.IniStrings().Count(); ++i) lines.push_back(s.IniStrings()[i]);
                return lines;
            },
            [](TbsStoredSkin& s, const std::vector<std::string>& lines) {
                platform::core::TStringList list;
                for (const auto& line : lines) list.Add(line);
                s.SetIniStrings(list);
            })
        // A damaged pictures stream is accepted: the stored skin keeps it as its problem and the
        // skin data then stays empty, so the form still opens, with the default look.
        .Binary(
            "Pictures",
            [](const TbsStoredSkin& s) {
                platform::core::TMemoryStream out;
                return s.WritePictures(out) ? out.Bytes() : std::vector<uint8_t>();
            },
            [](TbsStoredSkin& s, const std::vector<uint8_t>& bytes) {
                platform::core::TMemoryStream in(bytes);
                s.ReadPictures(in);
                return true;
            });

    registry.Register<TbsCompressedStoredSkin>("TbsCompressedStoredSkin", "TComponent")
        .String(
            "Description", [](const TbsCompressedStoredSkin& s) { return s.Description; },
            [](TbsCompressedStoredSkin& s, std::string v) { s.Description = std::move(v); })
        .String("FileName", &TbsCompressedStoredSkin::FileName,
                [](TbsCompressedStoredSkin& s, std::string v) { s.SetFileName(std::move(v)); })
        .String("CompressedFileName", &TbsCompressedStoredSkin::CompressedFileName,
                [](TbsCompressedStoredSkin& s, std::string v) { s.SetCompressedFileName(std::move(v)); })
        .Binary("CompressedData", &TbsCompressedStoredSkin::CompressedData,
                [](TbsCompressedStoredSkin& s, const std::vector<uint8_t>& bytes) {
                    s.SetCompressedData(bytes);
                    return true;
                });

    registry.Register<TbsSkinData>("TbsSkinData", "TComponent")
        .Reference<TbsStoredSkin>("StoredSkin", &TbsSkinData::StoredSkin, &TbsSkinData::SetStoredSkin)
        .Reference<TbsCompressedStoredSkin>("CompressedStoredSkin", &TbsSkinData::CompressedStoredSkin,
                                            &TbsSkinData::SetCompressedStoredSkin);
}

}  // namespace skin
