#include "skin/data/bsSkinDataStored.h"

#include "platform/core/Files.h"

namespace skin {

namespace {

bool DesignTime(const platform::forms::TComponent& c) {
    return c.IsDesigning() && !c.IsLoading();
}

}  // namespace

void TbsStoredSkin::SetFileName(std::string value) {
    if (DesignTime(*this) && LoadFromSkinFolder(value)) return;
    m_fileName = std::move(value);
}

bool TbsStoredSkin::LoadFromSkinFolder(const std::string& descriptionPath, std::string* error) {
    if (!ReadSkinFolder(descriptionPath, error)) return false;
    m_fileName = platform::core::ExtractFileName(descriptionPath);
    return true;
}

void TbsCompressedStoredSkin::SetFileName(std::string value) {
    if (DesignTime(*this)) CompressFromSkinFolder(value);
    m_fileName = std::move(value);
}

void TbsCompressedStoredSkin::SetCompressedFileName(std::string value) {
    if (DesignTime(*this)) LoadCompressedFile(value);
    m_compressedFileName = std::move(value);
}

}  // namespace skin
