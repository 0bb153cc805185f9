#pragma once
// What a skin inside a form resource holds, without the component around it: the stored skin's
// description lines and pictures, and the compressed stored skin's single zlib stream.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Stream.h"
#include "platform/core/StringList.h"
#include "skin/data/bsSkinFile.h"

namespace skin {

class TbsSkinStore {
public:
    [[nodiscard]] const platform::core::TStringList& IniStrings() const { return m_iniStrings; }
    void SetIniStrings(const platform::core::TStringList& lines);  // copies the lines

    // Held pictures, owned.
    platform::gfx::TBitmap Picture;
    platform::gfx::TBitmap InactivePicture;
    platform::gfx::TBitmap FrameMask;
    TbsBitmapList ActivePictures;

    // The `Pictures` byte stream. Reading replaces every held picture; a stream that is not a
    // sound pictures stream leaves no pictures and is remembered as the store's problem, so that
    // no skin is loaded from it.
    bool ReadPictures(platform::core::TStream& stream);
    bool WritePictures(platform::core::TStream& stream) const;
    // Empty while the stored skin can be loaded.
    [[nodiscard]] const std::string& Problem() const { return m_problem; }

    // Takes the text and pictures of a skin folder, from the path of its description file.
    // Nothing changes when the folder cannot be loaded.
    bool ReadSkinFolder(const std::string& descriptionPath, std::string* error = nullptr);
    // Takes a skin already in memory (pictures and lines).
    void Assign(const TbsSkinSource& skin);
    [[nodiscard]] TbsSkinSource ToSkinSource() const;

private:
    platform::core::TStringList m_iniStrings;
    std::string m_problem;
    // How the text was stored where it came from, so that packing it again gives the same bytes.
    platform::core::TTextEncoding m_encoding = platform::core::TTextEncoding::Utf8;
};

class TbsCompressedSkinStore {
public:
    // The `CompressedData` byte stream, held as it is.
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
    std::vector<uint8_t> m_data;
};

}  // namespace skin
