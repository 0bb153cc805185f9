#pragma once
// The two components that carry a skin inside a form resource: the stored skin (description lines
// plus a pictures stream) and the compressed stored skin (one zlib stream). What they hold and
// how it is read and written lives in the stores they derive from.

#include <string>

#include "platform/forms/Component.h"
#include "skin/data/bsSkinDataStores.h"

namespace skin {

class TbsStoredSkin : public platform::forms::TComponent, public TbsSkinStore {
public:
    explicit TbsStoredSkin(platform::forms::TComponent* owner = nullptr) : TComponent(owner) {}

    // Published. Setting FileName while the form is designed (not while it loads) loads that
    // skin folder; otherwise it only stores the text.
    [[nodiscard]] const std::string& FileName() const { return m_fileName; }
    void SetFileName(std::string value);

    // Takes the text and pictures of a skin folder, from the path of its description file;
    // FileName keeps the file-name part. Nothing changes when the folder cannot be loaded.
    bool LoadFromSkinFolder(const std::string& descriptionPath, std::string* error = nullptr);

private:
    std::string m_fileName;
};

class TbsCompressedStoredSkin : public platform::forms::TComponent, public TbsCompressedSkinStore {
public:
    explicit TbsCompressedStoredSkin(platform::forms::TComponent* owner = nullptr) : TComponent(owner) {}

    // Published. While the form is designed (not while it loads), setting FileName compresses
    // that skin folder and setting CompressedFileName loads that compressed skin file; otherwise
    // they only store the text.
    std::string Description;
    [[nodiscard]] const std::string& FileName() const { return m_fileName; }
    void SetFileName(std::string value);
    [[nodiscard]] const std::string& CompressedFileName() const { return m_compressedFileName; }
    void SetCompressedFileName(std::string value);

private:
    std::string m_fileName;
    std::string m_compressedFileName;
};

}  // namespace skin
