#include "skin/data/bsSkinFile.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "skin/data/bsUtilsValues.h"
#include "skin/data/bszlibcompress.h"

namespace skin {

using platform::core::TMemIniFile;
using platform::core::TSeekOrigin;
using platform::core::TStream;
using platform::core::TStringList;
using platform::core::TTextEncoding;

namespace {

// Read-only view of bytes as a stream, so that parsing a buffer copies nothing.
class TByteViewStream : public TStream {
public:
    TByteViewStream(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::size_t Read(void* buffer, std::size_t count) override {
        std::size_t n = std::min(count, m_size - m_pos);
        if (n) std::memcpy(buffer, m_data + m_pos, n);
        m_pos += n;
        return n;
    }
    std::size_t Write(const void*, std::size_t) override { return 0; }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override {
        int64_t base = origin == TSeekOrigin::Beginning ? 0
                       : origin == TSeekOrigin::Current ? static_cast<int64_t>(m_pos)
                                                        : static_cast<int64_t>(m_size);
        int64_t target = std::clamp<int64_t>(base + offset, 0, static_cast<int64_t>(m_size));
        m_pos = static_cast<std::size_t>(target);
        return target;
    }
    [[nodiscard]] int64_t Size() const override { return static_cast<int64_t>(m_size); }
    [[nodiscard]] const uint8_t* RemainingBytes(std::size_t& count) const override {
        count = m_size - m_pos;
        return count ? m_data + m_pos : nullptr;
    }

private:
    const uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

bool ReadInt32(TStream& s, int32_t& value) {
    uint8_t b[4];
    if (!s.ReadExact(b, 4)) return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                 (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
    return true;
}

void WriteInt32(TStream& s, int32_t value) {
    auto u = static_cast<uint32_t>(value);
    uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                    static_cast<uint8_t>(u >> 24)};
    s.WriteAll(b, 4);
}

void AppendInt32(std::vector<uint8_t>& out, int32_t value) {
    auto u = static_cast<uint32_t>(value);
    out.push_back(static_cast<uint8_t>(u));
    out.push_back(static_cast<uint8_t>(u >> 8));
    out.push_back(static_cast<uint8_t>(u >> 16));
    out.push_back(static_cast<uint8_t>(u >> 24));
}

bool ReadOptionalPicture(TStream& s, TBitmap& bitmap, const char* what, std::string* error) {
    uint8_t absent = 0;
    if (!s.ReadExact(&absent, 1)) {
        SetError(error, std::string("stream ends before the ") + what + " flag");
        return false;
    }
    if (absent == 1) {
        bitmap.Clear();
        return true;
    }
    if (absent != 0) {
        SetError(error, std::string("the ") + what + " flag is " + std::to_string(absent) + ", not 0 or 1");
        return false;
    }
    int64_t at = s.Position();
    if (!bitmap.LoadFromStream(s)) {
        SetError(error,
                 std::string("the ") + what + " at offset " + std::to_string(at) + " is not a readable BMP");
        return false;
    }
    return true;
}

// A memory stream that appends to a caller's vector.
class TAppendStream : public TStream {
public:
    explicit TAppendStream(std::vector<uint8_t>& out) : m_out(out) {}
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void* buffer, std::size_t count) override {
        auto p = static_cast<const uint8_t*>(buffer);
        m_out.insert(m_out.end(), p, p + count);
        return count;
    }
    int64_t Seek(int64_t, TSeekOrigin) override { return static_cast<int64_t>(m_out.size()); }
    [[nodiscard]] int64_t Size() const override { return static_cast<int64_t>(m_out.size()); }

private:
    std::vector<uint8_t>& m_out;
};

std::string PicturePath(const std::string& folder, const std::string& name) {
    return folder + name;
}

std::string NormalizeName(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

}  // namespace

TbsBitmapList CopyBitmapList(const TbsBitmapList& list) {
    TbsBitmapList copy;
    copy.reserve(list.size());
    for (const auto& b : list) copy.push_back(std::make_unique<TBitmap>(b ? *b : TBitmap()));
    return copy;
}

TbsSkinPictureSet::TbsSkinPictureSet(const TbsSkinPictureSet& other)
    : Picture(other.Picture),
      InactivePicture(other.InactivePicture),
      FrameMask(other.FrameMask),
      ActivePictures(CopyBitmapList(other.ActivePictures)) {}

TbsSkinPictureSet& TbsSkinPictureSet::operator=(const TbsSkinPictureSet& other) {
    if (this != &other) {
        TbsSkinPictureSet copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void TbsSkinPictureSet::Clear() {
    Picture.Clear();
    InactivePicture.Clear();
    FrameMask.Clear();
    ActivePictures.clear();
}

std::vector<std::string> MissingSkinSections(const TStringList& lines) {
    TMemIniFile ini;
    ini.SetStrings(lines);
    return MissingSkinSections(ini);
}

std::vector<std::string> MissingSkinSections(const platform::core::TCustomIniFile& ini) {
    std::vector<std::string> missing;
    for (const char* section : kRequiredSkinSections) {
        if (!ini.SectionExists(section)) missing.emplace_back(section);
    }
    return missing;
}

std::string SkinTextProblem(const TStringList& lines) {
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        if (line.size() > kMaxSkinLineLength) {
            return "line " + std::to_string(i + 1) + " is longer than " + std::to_string(kMaxSkinLineLength) +
                   " bytes";
        }
        for (unsigned char c : line) {
            if (c < 0x20 && c != '\t') {
                return "line " + std::to_string(i + 1) + " holds binary data (byte " + std::to_string(c) +
                       ")";
            }
        }
    }
    return {};
}

std::string SkinTextBytesProblem(std::string_view bytes) {
    std::size_t line = 1;
    std::size_t length = 0;
    for (unsigned char c : bytes) {
        if (c == '\n' || c == '\r') {
            if (c == '\n') ++line;
            length = 0;
            continue;
        }
        if (c < 0x20 && c != '\t')
            return "line " + std::to_string(line) + " holds binary data (byte " + std::to_string(c) + ")";
        if (++length > kMaxSkinLineLength) {
            return "line " + std::to_string(line) + " is longer than " + std::to_string(kMaxSkinLineLength) +
                   " bytes";
        }
    }
    return {};
}

void DecodeSkinText(std::string_view bytes, TStringList& lines, TTextEncoding* encoding) {
    TTextEncoding detected = TTextEncoding::Utf8;
    std::string text = platform::core::DecodeExternalText(bytes, &detected);
    lines.SetText(text);
    if (encoding) *encoding = detected;
}

std::string EncodeSkinText(const TStringList& lines, TTextEncoding encoding) {
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        text += lines[i];
        text += "\r\n";
    }
    return platform::core::EncodeExternalText(text, encoding);
}

bool ReadSkinPictures(TStream& stream, TbsSkinPictureSet& pictures, std::string* error) {
    TbsSkinPictureSet read;
    if (!ReadOptionalPicture(stream, read.Picture, "main picture", error) ||
        !ReadOptionalPicture(stream, read.InactivePicture, "inactive picture", error) ||
        !ReadOptionalPicture(stream, read.FrameMask, "mask picture", error)) {
        return false;
    }
    int32_t count = 0;
    if (!ReadInt32(stream, count)) {
        SetError(error, "stream ends before the picture count");
        return false;
    }
    if (count < 0 || count > kMaxSkinListCount) {
        SetError(error, "picture count " + std::to_string(count) + " is out of range");
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        auto bitmap = std::make_unique<TBitmap>();
        int64_t at = stream.Position();
        if (!bitmap->LoadFromStream(stream)) {
            SetError(error, "picture " + std::to_string(i) + " of " + std::to_string(count) + " at offset " +
                                std::to_string(at) + " is not a readable BMP");
            return false;
        }
        read.ActivePictures.push_back(std::move(bitmap));
    }
    pictures = std::move(read);
    return true;
}

bool WriteSkinPictures(TStream& stream, const TbsSkinPictureSet& pictures) {
    for (const auto& b : pictures.ActivePictures) {
        if (!b || b->Empty()) return false;
    }
    for (const TBitmap* b : {&pictures.Picture, &pictures.InactivePicture, &pictures.FrameMask}) {
        uint8_t absent = b->Empty() ? 1 : 0;
        stream.WriteAll(&absent, 1);
        if (!absent) b->SaveToStream(stream);
    }
    WriteInt32(stream, static_cast<int32_t>(pictures.ActivePictures.size()));
    for (const auto& b : pictures.ActivePictures) b->SaveToStream(stream);
    return true;
}

bool BuildCompressedContent(const TbsSkinSource& skin, std::vector<uint8_t>& content) {
    content.clear();
    AppendInt32(content, kCompressedSkinVersion);
    TAppendStream out(content);
    if (!WriteSkinPictures(out, skin.Pictures)) {
        content.clear();
        return false;
    }
    std::string text = EncodeSkinText(skin.Lines, skin.Encoding);
    content.insert(content.end(), text.begin(), text.end());
    return true;
}

bool ParseCompressedContent(const uint8_t* data, std::size_t size, TbsSkinSource& skin, std::string* error,
                            int32_t* versionOut) {
    if (versionOut) *versionOut = 0;
    TByteViewStream in(data, size);
    int32_t version = 0;
    if (!ReadInt32(in, version)) {
        SetError(error, "content ends before its version");
        return false;
    }
    if (versionOut) *versionOut = version;
    if (version != kCompressedSkinVersion) {
        SetError(error, "version " + std::to_string(version) + " is not 1");
        return false;
    }
    TbsSkinSource read;
    if (!ReadSkinPictures(in, read.Pictures, error)) return false;
    auto offset = static_cast<std::size_t>(in.Position());
    std::string_view text(reinterpret_cast<const char*>(data) + offset, size - offset);
    if (std::string problem = SkinTextBytesProblem(text); !problem.empty()) {
        SetError(error, "description: " + problem);
        return false;
    }
    DecodeSkinText(text, read.Lines, &read.Encoding);
    skin = std::move(read);
    return true;
}

bool CompressSkin(const TbsSkinSource& skin, std::vector<uint8_t>& compressed) {
    std::vector<uint8_t> content;
    if (!BuildCompressedContent(skin, content)) return false;
    compressed = ZCompress(content.data(), content.size());
    return true;
}

bool DecompressSkin(const uint8_t* data, std::size_t size, TbsSkinSource& skin, std::string* error,
                    int32_t* versionOut) {
    if (versionOut) *versionOut = 0;
    std::vector<uint8_t> content;
    if (!ZDecompress(data, size, content, error)) return false;
    return ParseCompressedContent(content.data(), content.size(), skin, error, versionOut);
}

bool ParseCompressedSkinFile(const uint8_t* data, std::size_t size, std::vector<uint8_t>& compressed,
                             std::string* error) {
    TByteViewStream in(data, size);
    int32_t version = 0;
    int32_t length = 0;
    if (!ReadInt32(in, version)) {
        SetError(error, "file ends before its version");
        return false;
    }
    if (version != kCompressedSkinVersion) {
        SetError(error, "file version " + std::to_string(version) + " is not 1");
        return false;
    }
    if (!ReadInt32(in, length)) {
        SetError(error, "file ends before its length");
        return false;
    }
    if (length < 0 || static_cast<std::size_t>(length) > size - 8) {
        SetError(error, "file length field " + std::to_string(length) + " does not match the " +
                            std::to_string(size - 8) + " bytes that follow");
        return false;
    }
    compressed.assign(data + 8, data + 8 + length);
    return true;
}

bool ReadCompressedSkinFile(const std::string& path, std::vector<uint8_t>& compressed, std::string* error) {
    auto bytes = platform::core::ReadFileBytes(path);
    if (!bytes) {
        SetError(error, "cannot read " + path);
        return false;
    }
    return ParseCompressedSkinFile(bytes->data(), bytes->size(), compressed, error);
}

std::vector<uint8_t> BuildCompressedSkinFile(const std::vector<uint8_t>& compressed) {
    std::vector<uint8_t> file;
    file.reserve(compressed.size() + 8);
    AppendInt32(file, kCompressedSkinVersion);
    AppendInt32(file, static_cast<int32_t>(compressed.size()));
    file.insert(file.end(), compressed.begin(), compressed.end());
    return file;
}

bool WriteCompressedSkinFile(const std::string& path, const std::vector<uint8_t>& compressed,
                             std::string* error) {
    if (compressed.size() > static_cast<std::size_t>(INT32_MAX) - 8) {
        SetError(error, "compressed data too large for the file format");
        return false;
    }
    std::vector<uint8_t> file = BuildCompressedSkinFile(compressed);
    if (!platform::core::WriteFileAtomic(path, file.data(), file.size())) {
        SetError(error, "cannot write " + path);
        return false;
    }
    return true;
}

TbsSkinPictureNames ReadSkinPictureNames(const TStringList& lines) {
    TMemIniFile ini;
    ini.SetStrings(lines);
    TbsSkinPictureNames names;
    names.Picture = NormalizeName(ini.ReadString("PICTURES", "picture", ""));
    names.InactivePicture = NormalizeName(ini.ReadString("PICTURES", "inactivepicture", ""));
    names.Mask = NormalizeName(ini.ReadString("PICTURES", "mask", ""));
    TStringList list;
    SkinReadList(ini, "PICTURES", "activepictures", list);
    for (int i = 0; i < list.Count(); ++i) names.ActivePictures.push_back(NormalizeName(list[i]));
    return names;
}

bool LoadSkinFolder(const std::string& descriptionPath, TbsSkinSource& skin, std::string* error) {
    auto bytes = platform::core::ReadFileBytes(descriptionPath);
    if (!bytes) {
        SetError(error, "cannot read " + descriptionPath);
        return false;
    }
    std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (std::string problem = SkinTextBytesProblem(text); !problem.empty()) {
        SetError(error, descriptionPath + ": " + problem);
        return false;
    }
    TbsSkinSource read;
    DecodeSkinText(text, read.Lines, &read.Encoding);
    {
        TMemIniFile ini;
        ini.SetStrings(read.Lines);
        int32_t count = ini.ReadInteger("PICTURES", "activepicturescount", 0);
        if (count > kMaxSkinListCount) {
            SetError(error, "[PICTURES] activepicturescount " + std::to_string(count) + " is out of range");
            return false;
        }
    }
    TbsSkinPictureNames names = ReadSkinPictureNames(read.Lines);
    const std::string folder = platform::core::ExtractFilePath(descriptionPath);
    struct TSlot {
        const std::string& Name;
        TBitmap& Bitmap;
        const char* Key;
    };
    for (TSlot slot : {TSlot{names.Picture, read.Pictures.Picture, "picture"},
                       TSlot{names.InactivePicture, read.Pictures.InactivePicture, "inactivepicture"},
                       TSlot{names.Mask, read.Pictures.FrameMask, "mask"}}) {
        if (slot.Name.empty()) continue;
        if (!slot.Bitmap.LoadFromFile(PicturePath(folder, slot.Name))) {
            SetError(error,
                     "[PICTURES] " + std::string(slot.Key) + ": cannot load picture \"" + slot.Name + "\"");
            return false;
        }
    }
    for (std::size_t i = 0; i < names.ActivePictures.size(); ++i) {
        auto bitmap = std::make_unique<TBitmap>();
        if (!bitmap->LoadFromFile(PicturePath(folder, names.ActivePictures[i]))) {
            SetError(error, "[PICTURES] " + std::to_string(i) + ": cannot load picture \"" +
                                names.ActivePictures[i] + "\"");
            return false;
        }
        read.Pictures.ActivePictures.push_back(std::move(bitmap));
    }
    skin = std::move(read);
    return true;
}

}  // namespace skin
