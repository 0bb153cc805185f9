#include "platform/core/IniFile.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/core/Files.h"
#include "platform/core/IniDocument.h"

namespace platform::core {

using detail::TIniDocument;

namespace {

enum class TLoad { Ok, Missing, Failed };

// Only a file that is not there counts as empty; one that cannot be read must not be replaced
// by a write.
TLoad MissingOrFailed(const std::string& path) {
    struct stat st {};
    if (path.find('\0') == std::string::npos && ::lstat(path.c_str(), &st) != 0 && errno == ENOENT)
        return TLoad::Missing;
    return TLoad::Failed;
}

TLoad LoadDocument(const std::string& path, TIniDocument& doc, TFileStamp* stamp = nullptr) {
    const auto bytes = ReadFileBytes(path, kMaxIniFileSize, stamp);
    if (!bytes) return MissingOrFailed(path);
    doc.Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    return TLoad::Ok;
}

bool SaveDocument(const std::string& path, const TIniDocument& doc, const TWriteOptions& options = {}) {
    const std::string bytes = doc.Serialize();
    return WriteFileAtomic(path, bytes.data(), bytes.size(), options);
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

struct TIniFile::TCache {
    TIniDocument doc;  // the file as last read or written, plus the changes of an update
    TFileStamp stamp;  // of the file that doc was read from or written to
    TLoad state = TLoad::Failed;
    bool valid = false;
    TWriteOptions options;
    int updateDepth = 0;
    bool pending = false;  // an update holds changes not yet written
    bool refused = false;  // an update refused a change because the file could not be read
};

namespace {

// Brings the parse up to date with the file. During an update memory is what counts.
template <typename Cache>
TLoad Refresh(const std::string& path, Cache& c) {
    if (c.updateDepth > 0 && c.valid) return c.state;
    const auto now = StampOfFile(path);
    if (c.valid && c.state == TLoad::Ok && now && *now == c.stamp) return TLoad::Ok;
    c.valid = false;
    c.doc.Clear();
    c.state = now ? LoadDocument(path, c.doc, &c.stamp) : MissingOrFailed(path);
    if (c.state == TLoad::Failed) c.doc.Clear();
    // Valid also when the file cannot be read: an update then keeps that answer instead of trying
    // again at every key. Outside an update only a good read is used again.
    c.valid = true;
    return c.state;
}

template <typename Cache>
bool Save(const std::string& path, Cache& c) {
    if (!SaveDocument(path, c.doc, c.options)) {
        c.valid = false;  // memory holds changes that the file does not
        return false;
    }
    const auto written = StampOfFile(path);
    c.valid = written.has_value();
    c.state = TLoad::Ok;
    if (written) c.stamp = *written;
    return true;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)), m_cache(std::make_unique<TCache>()) {}

TIniFile::~TIniFile() = default;

bool TIniFile::Readable() const { return Refresh(FileName(), *m_cache) != TLoad::Failed; }

void TIniFile::ConfineWritesTo(std::string folder) { m_cache->options.ConfineTo = std::move(folder); }

void TIniFile::BeginUpdate() {
    TCache& c = *m_cache;
    if (c.updateDepth == 0) {
        Refresh(FileName(), c);
        c.pending = false;
        c.refused = false;
    }
    ++c.updateDepth;
}

bool TIniFile::EndUpdate() {
    TCache& c = *m_cache;
    if (c.updateDepth == 0 || --c.updateDepth > 0) return true;
    const bool written = !c.pending || Save(FileName(), c);
    c.pending = false;
    return written && !c.refused;
}

template <typename Change>
bool TIniFile::Modify(Change change) {
    TCache& c = *m_cache;
    if (Refresh(FileName(), c) == TLoad::Failed) {
        c.refused = c.updateDepth > 0;
        return false;
    }
    switch (change(c.doc)) {
        case TIniDocument::TChange::Invalid: return false;
        case TIniDocument::TChange::Unchanged: return true;
        case TIniDocument::TChange::Changed: break;
    }
    if (c.updateDepth > 0) {
        c.pending = true;
        return true;
    }
    return Save(FileName(), c);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    Refresh(FileName(), *m_cache);
    auto value = m_cache->doc.Read(section, key);
    return value ? std::move(*value) : std::string(def);
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return Modify([&](TIniDocument& doc) { return doc.Write(section, key, value); });
}

bool TIniFile::SectionExists(std::string_view section) const {
    Refresh(FileName(), *m_cache);
    return m_cache->doc.SectionExists(section);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    Refresh(FileName(), *m_cache);
    return m_cache->doc.Read(section, key).has_value();
}

void TIniFile::ReadSections(TStringList& sections) const {
    Refresh(FileName(), *m_cache);
    m_cache->doc.Sections(sections);
}

void TIniFile::ReadSection(std::string_view section, TStringList& keys) const {
    Refresh(FileName(), *m_cache);
    m_cache->doc.Keys(section, keys);
}

void TIniFile::ReadSectionValues(std::string_view section, TStringList& values) const {
    Refresh(FileName(), *m_cache);
    m_cache->doc.SectionValues(section, values);
}

bool TIniFile::EraseSection(std::string_view section) {
    return Modify([&](TIniDocument& doc) { return doc.EraseSection(section); });
}

bool TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    return Modify([&](TIniDocument& doc) { return doc.DeleteKey(section, key); });
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
