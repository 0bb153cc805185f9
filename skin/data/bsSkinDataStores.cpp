#include "skin/data/bsSkinDataStores.h"

namespace skin {

void TbsSkinStore::SetIniStrings(const platform::core::TStringList& lines) {
    m_iniStrings = lines;
}

bool TbsSkinStore::ReadPictures(platform::core::TStream& stream) {
    TbsSkinPictureSet set;
    std::string error;
    bool ok = ReadSkinPictures(stream, set, &error);
    m_problem = ok ? std::string() : "pictures: " + error;
    Picture = std::move(set.Picture);
    InactivePicture = std::move(set.InactivePicture);
    FrameMask = std::move(set.FrameMask);
    ActivePictures = std::move(set.ActivePictures);
    return ok;
}

bool TbsSkinStore::WritePictures(platform::core::TStream& stream) const {
    TbsSkinPictureSet set;
    set.Picture = Picture;
    set.InactivePicture = InactivePicture;
    set.FrameMask = FrameMask;
    set.ActivePictures = CopyBitmapList(ActivePictures);
    return WriteSkinPictures(stream, set);
}

bool TbsSkinStore::ReadSkinFolder(const std::string& descriptionPath, std::string* error) {
    TbsSkinSource skin;
    if (!LoadSkinFolder(descriptionPath, skin, error)) return false;
    Assign(skin);
    return true;
}

void TbsSkinStore::Assign(const TbsSkinSource& skin) {
    m_iniStrings = skin.Lines;
    m_encoding = skin.Encoding;
    Picture = skin.Pictures.Picture;
    InactivePicture = skin.Pictures.InactivePicture;
    FrameMask = skin.Pictures.FrameMask;
    ActivePictures = CopyBitmapList(skin.Pictures.ActivePictures);
    m_problem.clear();
}

TbsSkinSource TbsSkinStore::ToSkinSource() const {
    TbsSkinSource skin;
    skin.Lines = m_iniStrings;
    skin.Encoding = m_encoding;
    skin.Pictures.Picture = Picture;
    skin.Pictures.InactivePicture = InactivePicture;
    skin.Pictures.FrameMask = FrameMask;
    skin.Pictures.ActivePictures = CopyBitmapList(ActivePictures);
    return skin;
}

void TbsCompressedSkinStore::ReadCompressedData(platform::core::TStream& stream) {
    std::vector<uint8_t> data;
    uint8_t block[4096];
    for (;;) {
        std::size_t n = stream.Read(block, sizeof block);
        if (n == 0) break;
        data.insert(data.end(), block, block + n);
    }
    m_data = std::move(data);
}

void TbsCompressedSkinStore::WriteCompressedData(platform::core::TStream& stream) const {
    stream.WriteAll(m_data.data(), m_data.size());
}

bool TbsCompressedSkinStore::CompressFromSkinFolder(const std::string& descriptionPath, std::string* error) {
    TbsSkinSource skin;
    if (!LoadSkinFolder(descriptionPath, skin, error)) return false;
    auto missing = MissingSkinSections(skin.Lines);
    if (!missing.empty()) {
        if (error) *error = descriptionPath + ": lacks the section [" + missing.front() + "]";
        return false;
    }
    std::vector<uint8_t> compressed;
    if (!CompressSkin(skin, compressed)) {
        if (error) *error = "a numbered picture is empty";
        return false;
    }
    m_data = std::move(compressed);
    return true;
}

bool TbsCompressedSkinStore::LoadCompressedFile(const std::string& path, std::string* error) {
    std::vector<uint8_t> compressed;
    bool ok = ReadCompressedSkinFile(path, compressed, error);
    m_data = ok ? std::move(compressed) : std::vector<uint8_t>();
    return ok;
}

bool TbsCompressedSkinStore::SaveCompressedFile(const std::string& path, std::string* error) const {
    return WriteCompressedSkinFile(path, m_data, error);
}

}  // namespace skin
