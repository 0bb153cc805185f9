#pragma once
// Ini files. Section and key names match without regard to case (SameText) and are trimmed. A
// value is the text after the first "=" of its line as the platform's profile reader gives it:
// surrounding blanks removed, then one pair of surrounding double quotes removed. A write quotes
// a value that would otherwise not read back the same (surrounding blanks or surrounding
// quotes), so that reading gives back what was written. An integer that is not valid reads as
// the default.
//
// Lines: "[name]" opens a section (name up to the first "]"); a line whose first non-blank
// character is ";" is a comment; "key=value" splits at the first "="; other lines are kept but
// carry nothing. A section that appears twice is one section (its keys are looked up in file
// order, first match wins). Lines before the first section belong to no section.
//
// A value ends at its first NUL byte, as the profile reader's strings do.
//
// Files: UTF-8 (with or without byte order mark), UTF-16 with a byte order mark, or else
// Windows-1252; a write keeps the encoding. Only regular files up to kMaxIniFileSize are read:
// anything else (a FIFO, a device, a huge file, one without read permission) is unreadable.
//
// Writes return false, changing nothing, when a name or value cannot be stored: an empty section
// or key, a section with "]", a key with "=" or beginning with "[" or ";", a line break in any of
// them, a NUL in a value, or a name the file's encoding (Windows-1252) cannot hold. Characters of a value that a
// Windows-1252 file cannot hold are written as "?". A new key goes after the last key of its
// section's first occurrence; a new section goes at the end of the file, after a blank line. New
// lines take the file's line terminator (that of its first line; LF for a new file).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/StringList.h"
#include "platform/core/Strings.h"

namespace platform::core {

// Settings files are small; a larger file is not an ini file this program should hold in memory.
inline constexpr std::size_t kMaxIniFileSize = std::size_t{4} << 20U;

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : m_fileName(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    [[nodiscard]] const std::string& FileName() const { return m_fileName; }

    [[nodiscard]] virtual std::string ReadString(std::string_view section, std::string_view key,
                                                 std::string_view def) const = 0;
    virtual bool WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
    [[nodiscard]] virtual bool SectionExists(std::string_view section) const = 0;
    [[nodiscard]] virtual bool ValueExists(std::string_view section, std::string_view key) const = 0;
    virtual void ReadSections(TStringList& sections) const = 0;
    virtual void ReadSection(std::string_view section, TStringList& keys) const = 0;
    // The lists are cleared first. Sections and keys are listed once each, in file order, as first
    // written. Section values are lines "key=value", the value as ReadString gives it.
    virtual void ReadSectionValues(std::string_view section, TStringList& values) const = 0;
    virtual bool EraseSection(std::string_view section) = 0;
    virtual bool DeleteKey(std::string_view section, std::string_view key) = 0;

    [[nodiscard]] int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
    // "1"/"0" on write; on read any valid integer other than 0 is true.
    [[nodiscard]] bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    bool WriteBool(std::string_view section, std::string_view key, bool value);

private:
    std::string m_fileName;
};

// Unbuffered: every read sees the file as it is now, every write replaces it at once, atomically
// (see WriteFileAtomic). A parse of the file is kept and used again while the file's identity,
// size and times stay the same, so reading many keys reads the file once. A write keeps the rest
// of the file as it was: order, comments, blank lines, line endings and encoding (a file that is
// not valid UTF-8 stays Windows-1252). A write to a missing file creates it. Write methods return
// false when the file could not be written (the old file is then untouched) or could not be read;
// a write that changes nothing leaves the file alone, and deleting what is not there succeeds. A
// missing or unreadable file reads as empty.
//
// Between BeginUpdate and EndUpdate the file is read at most once: reads answer from memory, the
// writes collect there, and EndUpdate writes the file once with all of them (if there are any),
// so that the file holds all of the changes or none.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(std::string fileName);
    ~TIniFile() override;

    // False when the file exists but cannot be read (see above); a missing file is readable.
    [[nodiscard]] bool Readable() const;
    // Writes never go through a symbolic link to a file outside this folder.
    void ConfineWritesTo(std::string folder);
    void BeginUpdate();
    // Writes the collected changes, if any. False when they could not be written.
    bool EndUpdate();

    [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                         std::string_view def) const override;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    [[nodiscard]] bool SectionExists(std::string_view section) const override;
    [[nodiscard]] bool ValueExists(std::string_view section, std::string_view key) const override;
    void ReadSections(TStringList& sections) const override;
    void ReadSection(std::string_view section, TStringList& keys) const override;
    void ReadSectionValues(std::string_view section, TStringList& values) const override;
    bool EraseSection(std::string_view section) override;
    bool DeleteKey(std::string_view section, std::string_view key) override;

private:
    struct TCache;
    template <typename Change>
    bool Modify(Change change);

    std::unique_ptr<TCache> m_cache;
};

// Reads its lines once (from a file or from a string list) and answers from memory. Writes change
// the memory copy; UpdateFile writes it back (atomically, in the encoding it was read in).
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(std::string fileName);  // reads the file if it exists
    TMemIniFile();                               // empty, no file
    ~TMemIniFile() override;

    void SetStrings(const TStringList& lines);
    void GetStrings(TStringList& lines) const;
    // Reads the lines from bytes as from a file (encoding and line endings detected), for ini text
    // held in memory (a skin container's stream); SaveToBytes gives the bytes UpdateFile writes.
    // An unchanged document gives back the very bytes it was read from.
    void LoadFromBytes(std::string_view bytes);
    [[nodiscard]] std::string SaveToBytes() const;
    // False when there is no file name or the file could not be written.
    bool UpdateFile();
    void Clear();

    [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                         std::string_view def) const override;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    [[nodiscard]] bool SectionExists(std::string_view section) const override;
    [[nodiscard]] bool ValueExists(std::string_view section, std::string_view key) const override;
    void ReadSections(TStringList& sections) const override;
    void ReadSection(std::string_view section, TStringList& keys) const override;
    void ReadSectionValues(std::string_view section, TStringList& values) const override;
    bool EraseSection(std::string_view section) override;
    bool DeleteKey(std::string_view section, std::string_view key) override;

private:
    struct Impl;
    Impl* m_impl;
};

}  // namespace platform::core
