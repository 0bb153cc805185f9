#pragma once
// The carriers of a skin: the skin folder (description file plus BMP pictures), the stored-skin
// pictures stream, the compressed stored skin (a zlib stream) and the compressed skin file.
// Every reader works on a copy and hands over its result only when the whole input was sound, so
// bad input never leaves a half-read skin behind.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/IniFile.h"
#include "platform/core/Stream.h"
#include "platform/core/StringList.h"
#include "platform/core/Strings.h"
#include "platform/gfx/Bitmap.h"

namespace skin {

using platform::gfx::TBitmap;

using TbsBitmapList = std::vector<std::unique_ptr<TBitmap>>;

[[nodiscard]] TbsBitmapList CopyBitmapList(const TbsBitmapList& list);

// The pictures of a skin: main, inactive-window and frame-mask pictures (each may be empty) and
// the numbered pictures.
struct TbsSkinPictureSet {
    TBitmap Picture;
    TBitmap InactivePicture;
    TBitmap FrameMask;
    TbsBitmapList ActivePictures;

    TbsSkinPictureSet() = default;
    TbsSkinPictureSet(const TbsSkinPictureSet& other);
    TbsSkinPictureSet& operator=(const TbsSkinPictureSet& other);
    TbsSkinPictureSet(TbsSkinPictureSet&&) noexcept = default;
    TbsSkinPictureSet& operator=(TbsSkinPictureSet&&) noexcept = default;
    void Clear();
};

// A whole skin: its description lines (UTF-8 inside; Encoding says how the text was stored, so
// that writing it back gives the same bytes) and its pictures.
struct TbsSkinSource {
    platform::core::TStringList Lines;
    platform::core::TTextEncoding Encoding = platform::core::TTextEncoding::Utf8;
    TbsSkinPictureSet Pictures;
};

// The five sections every complete description has.
inline constexpr const char* kRequiredSkinSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS",
                                                        "SKINCONTROLS"};
// Names of the required sections that the description lacks (empty when complete).
[[nodiscard]] std::vector<std::string> MissingSkinSections(const platform::core::TStringList& lines);
[[nodiscard]] std::vector<std::string> MissingSkinSections(const platform::core::TCustomIniFile& ini);

// A description line longer than this is not a skin's; nor is text with control characters other
// than tab, CR and LF. Both checks guard the ini reader against binary data.
inline constexpr std::size_t kMaxSkinLineLength = 64 * 1024;
// Empty when the text can be a skin description, else what is wrong with it.
[[nodiscard]] std::string SkinTextProblem(const platform::core::TStringList& lines);
[[nodiscard]] std::string SkinTextBytesProblem(std::string_view bytes);

// Decodes description bytes (UTF-8, or else Windows-1252) into lines.
void DecodeSkinText(std::string_view bytes, platform::core::TStringList& lines,
                    platform::core::TTextEncoding* encoding = nullptr);
// Lines each followed by CR LF, in the given encoding.
[[nodiscard]] std::string EncodeSkinText(const platform::core::TStringList& lines,
                                         platform::core::TTextEncoding encoding);

// Stored-skin pictures stream: three (absent flag, BMP) pairs, an int32 count, then that many BMPs.
// The reader replaces pictures only on success and leaves the stream after the last picture.
bool ReadSkinPictures(platform::core::TStream& stream, TbsSkinPictureSet& pictures,
                      std::string* error = nullptr);
// False (nothing written) when a numbered picture is empty: it has no BMP form, and writing
// nothing for it would shift every later picture.
bool WriteSkinPictures(platform::core::TStream& stream, const TbsSkinPictureSet& pictures);

// The decompressed content of a compressed stored skin: int32 version 1, the pictures as above,
// then the description, each line followed by CR LF.
inline constexpr int32_t kCompressedSkinVersion = 1;
[[nodiscard]] bool BuildCompressedContent(const TbsSkinSource& skin, std::vector<uint8_t>& content);
// versionOut receives the version read (0 when even that could not be read).
bool ParseCompressedContent(const uint8_t* data, std::size_t size, TbsSkinSource& skin,
                            std::string* error = nullptr, int32_t* versionOut = nullptr);

// The zlib stream of a compressed stored skin.
[[nodiscard]] bool CompressSkin(const TbsSkinSource& skin, std::vector<uint8_t>& compressed);
bool DecompressSkin(const uint8_t* data, std::size_t size, TbsSkinSource& skin, std::string* error = nullptr,
                    int32_t* versionOut = nullptr);

// Compressed skin file: int32 version 1, int32 length L, then L bytes of zlib stream.
bool ReadCompressedSkinFile(const std::string& path, std::vector<uint8_t>& compressed,
                            std::string* error = nullptr);
bool ParseCompressedSkinFile(const uint8_t* data, std::size_t size, std::vector<uint8_t>& compressed,
                             std::string* error = nullptr);
[[nodiscard]] std::vector<uint8_t> BuildCompressedSkinFile(const std::vector<uint8_t>& compressed);
// Written atomically.
bool WriteCompressedSkinFile(const std::string& path, const std::vector<uint8_t>& compressed,
                             std::string* error = nullptr);

// Loads a skin folder from the path of its description file: the text, then [PICTURES]
// `picture`, `inactivepicture`, `mask` (an empty name gives an empty picture) and the counted
// list "activepictures", each from the description's folder + name. Fails, naming the picture,
// when one cannot be loaded.
bool LoadSkinFolder(const std::string& descriptionPath, TbsSkinSource& skin, std::string* error = nullptr);
// Picture file names of a description: main, inactive, mask and the numbered ones (as written,
// with "\" turned into "/").
struct TbsSkinPictureNames {
    std::string Picture;
    std::string InactivePicture;
    std::string Mask;
    std::vector<std::string> ActivePictures;
};
[[nodiscard]] TbsSkinPictureNames ReadSkinPictureNames(const platform::core::TStringList& lines);

}  // namespace skin
