#include "platform/core/IniFile.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/core/Files.h"
#include "platform/core/IniDocument.h"

namespace platform::core {

using detail::TIniDocument;

namespace {

enum class TLoad { Ok, Missing, Failed };

TLoad LoadDocument(const std::string& path, TIniDocument& doc) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        struct stat st {};
        // Only a file that is not there counts as empty; one that cannot be read must not be
        // replaced by a write.
        if (::lstat(path.c_str(), &st) != 0 && errno == ENOENT) return TLoad::Missing;
        return TLoad::Failed;
    }
    doc.Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    return TLoad::Ok;
}

bool SaveDocument(const std::string& path, const TIniDocument& doc) {
    const std::string bytes = doc.Serialize();
    return WriteFileAtomic(path, bytes.data(), bytes.size());
}

// Reads the file, applies a change and writes the file back when something changed.
template <typename Change>
bool ModifyFile(const std::string& path, Change change) {
    TIniDocument doc;
    if (LoadDocument(path, doc) == TLoad::Failed) return false;
    switch (change(doc)) {
        case TIniDocument::TChange::Invalid: return false;
        case TIniDocument::TChange::Unchanged: return true;
        case TIniDocument::TChange::Changed: break;
    }
    return SaveDocument(path, doc);
}

}  // namespace

// ---- TCustomIniFile

int32_t TCustomIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    return StrToIntDef(ReadString(section, key, {}), def);
}

bool TCustomIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, IntToStr(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    const auto value = TryStrToInt(ReadString(section, key, {}));
    return value ? *value != 0 : def;
}

bool TCustomIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

// ---- TIniFile

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    TIniDocument doc;
    if (LoadDocument(FileName(), doc) != TLoad::Ok) return std::string(def);
    auto value = doc.Read(section, key);
    return value ? std::move(*value) : std::string(def);
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return ModifyFile(FileName(), [&](TIniDocument& doc) { return doc.Write(section, key, value); });
}

bool TIniFile::SectionExists(std::string_view section) const {
    TIniDocument doc;
    return LoadDocument(FileName(), doc) == TLoad::Ok && doc.SectionExists(section);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    TIniDocument doc;
    return LoadDocument(FileName(), doc) == TLoad::Ok && doc.Read(section, key).has_value();
}

void TIniFile::ReadSections(TStringList& sections) const {
    TIniDocument doc;
    LoadDocument(FileName(), doc);
    doc.Sections(sections);
}

void TIniFile::ReadSection(std::string_view section, TStringList& keys) const {
    TIniDocument doc;
    LoadDocument(FileName(), doc);
    doc.Keys(section, keys);
}

void TIniFile::ReadSectionValues(std::string_view section, TStringList& values) const {
    TIniDocument doc;
    LoadDocument(FileName(), doc);
    doc.SectionValues(section, values);
}

bool TIniFile::EraseSection(std::string_view section) {
    return ModifyFile(FileName(), [&](TIniDocument& doc) { return doc.EraseSection(section); });
}

bool TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    return ModifyFile(FileName(), [&](TIniDocument& doc) { return doc.DeleteKey(section, key); });
}

// ---- TMemIniFile

struct TMemIniFile::Impl {
    TIniDocument doc;
};

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)), m_impl(new Impl) {
    if (!FileName().empty()) LoadDocument(FileName(), m_impl->doc);
}

TMemIniFile::TMemIniFile() : TCustomIniFile(std::string()), m_impl(new Impl) {}

TMemIniFile::~TMemIniFile() { delete m_impl; }

void TMemIniFile::SetStrings(const TStringList& lines) { m_impl->doc.SetLines(lines); }

void TMemIniFile::GetStrings(TStringList& lines) const { m_impl->doc.GetLines(lines); }

void TMemIniFile::LoadFromBytes(std::string_view bytes) { m_impl->doc.Parse(bytes); }

std::string TMemIniFile::SaveToBytes() const { return m_impl->doc.Serialize(); }

bool TMemIniFile::UpdateFile() {
    if (FileName().empty()) return false;
    return SaveDocument(FileName(), m_impl->doc);
}

void TMemIniFile::Clear() { m_impl->doc.Clear(); }

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    auto value = m_impl->doc.Read(section, key);
    return value ? std::move(*value) : std::string(def);
}

bool TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return m_impl->doc.Write(section, key, value) != TIniDocument::TChange::Invalid;
}

bool TMemIniFile::SectionExists(std::string_view section) const { return m_impl->doc.SectionExists(section); }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return m_impl->doc.Read(section, key).has_value();
}

void TMemIniFile::ReadSections(TStringList& sections) const { m_impl->doc.Sections(sections); }

void TMemIniFile::ReadSection(std::string_view section, TStringList& keys) const { m_impl->doc.Keys(section, keys); }

void TMemIniFile::ReadSectionValues(std::string_view section, TStringList& values) const {
    m_impl->doc.SectionValues(section, values);
}

bool TMemIniFile::EraseSection(std::string_view section) {
    m_impl->doc.EraseSection(section);
    return true;
}

bool TMemIniFile::DeleteKey(std::string_view section, std::string_view key) {
    m_impl->doc.DeleteKey(section, key);
    return true;
}

}  // namespace platform::core
