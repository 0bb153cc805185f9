#pragma once
// The two components that carry a skin inside a form resource: the stored skin (description lines
// plus a pictures stream) and the compressed stored skin (one zlib stream).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Stream.h"
#include "platform/core/StringList.h"
#include "platform/forms/Component.h"
#include "skin/data/bsSkinFile.h"

namespace skin {

class TbsStoredSkin : public platform::forms::TComponent {
public:
    explicit TbsStoredSkin(platform::forms::TComponent* owner = nullptr) : TComponent(owner) {}

    // Published. Setting FileName while the form is designed (not while it loads) loads that
    // skin folder; otherwise it only stores the text.
    [[nodiscard]] const std::string& FileName() const { return m_fileName; }
    void SetFileName(std::string value);
    [[nodiscard]] const platform::core::TStringList& IniStrings() const { return m_iniStrings; }
    void SetIniStrings(const platform::core::TStringList& lines);  // copies the lines

    // Held pictures, owned.
    platform::gfx::TBitmap Picture;
    platform::gfx::TBitmap InactivePicture;
    platform::gfx::TBitmap FrameMask;
    TbsBitmapList ActivePictures;

    // The `Pictures` byte-stream property. Reading replaces every held picture; a stream that is
    // not a sound pictures stream leaves no pictures and is remembered as the stored skin's
    // problem, so that no skin is loaded from it.
    bool ReadPictures(platform::core::TStream& stream);
    bool WritePictures(platform::core::TStream& stream) const;
    // Empty while the stored skin can be loaded.
    [[nodiscard]] const std::string& Problem() const { return m_problem; }

    // Takes the text and pictures of a skin folder, from the path of its description file;
    // FileName keeps the file-name part. Nothing changes when the folder cannot be loaded.
    bool LoadFromSkinFolder(const std::string& descriptionPath, std::string* error = nullptr);
    // Takes a skin already in memory (pictures and lines).
    void Assign(const TbsSkinSource& skin);
    [[nodiscard]] TbsSkinSource ToSkinSource() const;

private:
    std::string m_fileName;
    platform::core::TStringList m_iniStrings;
    std::string m_problem;
    // How the text was stored where it came from, so that packing it again gives the same bytes.
    platform::core::TTextEncoding m_encoding = platform::core::TTextEncoding::Utf8;
};

class TbsCompressedStoredSkin : public platform::forms::TComponent {
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

    // The `CompressedData` byte-stream property, held as it is.
    [[nodiscard]] const std::vector<uint8_t>& CompressedData() const { return m_data; }
    void SetCompressedData(std::vector<uint8_t> data) { m_data = std::move(data); }
    void ReadCompressedData(platform::core::TStream& stream);
    void WriteCompressedData(platform::core::TStream& stream) const;
    [[nodiscard]] bool IsEmpty() const { return m_data.empty(); }

    // Builds the compressed data from a skin folder. A description without one of the five
    // required sections, or a picture that cannot be loaded, changes nothing.
    bool CompressFromSkinFolder(const std::string& descriptionPath, std::string* error = nullptr);
    // Takes the compressed data of a compressed skin file; any fault in the file leaves the data
    // empty.
    bool LoadCompressedFile(const std::string& path, std::string* error = nullptr);
    bool SaveCompressedFile(const std::string& path, std::string* error = nullptr) const;

private:
    std::string m_fileName;
    std::string m_compressedFileName;
    std::vector<uint8_t> m_data;
};

}  // namespace skin
