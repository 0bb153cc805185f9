#pragma once
// The lines of an ini file with an index over them, shared by TIniFile and TMemIniFile. Internal
// to platform/core: the public interface is IniFile.h.
//
// Every line keeps its own text and terminator, so that serializing an unchanged document gives
// back the bytes it was parsed from; changes touch only the lines they concern.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/StringList.h"
#include "platform/core/Strings.h"

namespace platform::core::detail {

class TIniDocument {
public:
    enum class TChange { Invalid, Unchanged, Changed };

    // Detects the encoding (UTF-16 with a byte order mark, valid UTF-8 with or without one, else
    // Windows-1252) and the line terminators.
    void Parse(std::string_view bytes);
    [[nodiscard]] std::string Serialize() const;
    // Lines from a list get the document's terminator; encoding and terminator stay as they were.
    // Text the encoding cannot hold is stored as a later read of the file would give it.
    void SetLines(const TStringList& lines);
    void GetLines(TStringList& lines) const;
    void Clear();

    [[nodiscard]] std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    [[nodiscard]] bool SectionExists(std::string_view section) const;
    void Sections(TStringList& out) const;
    void Keys(std::string_view section, TStringList& out) const;
    void SectionValues(std::string_view section, TStringList& out) const;

    // Invalid: a name or value that cannot be stored (see IniFile.h); nothing changes then.
    TChange Write(std::string_view section, std::string_view key, std::string_view value);
    TChange EraseSection(std::string_view section);
    TChange DeleteKey(std::string_view section, std::string_view key);

private:
    struct TLine {
        std::string text;  // UTF-8
        std::string eol;   // "\r\n", "\n", "\r", or "" for a last line without terminator
    };
    struct TKeyRef {
        std::string name;
        std::size_t line = 0;
    };
    struct TSection {
        std::string name;                  // as first written
        std::vector<std::size_t> headers;  // header line of each occurrence
        std::size_t insertAt = 0;          // where a new key goes: after the first occurrence's last key
        std::vector<TKeyRef> keys;         // every key line of every occurrence, in file order
        std::unordered_map<std::string, std::size_t> firstKey;  // folded name -> its first line
        std::size_t lastLine = 0;          // the last header or key line
    };

    void Reindex();
    // Moves the index's line numbers from line on by one, after a line was inserted there.
    void ShiftIndex(std::size_t line);
    [[nodiscard]] const TSection* FindSection(std::string_view section) const;
    [[nodiscard]] std::string Stored(std::string_view utf8) const;
    void InsertLine(std::size_t at, std::string text);

    enum class TUtf16 { None, LittleEndian, BigEndian };

    std::vector<TLine> m_lines;
    TTextEncoding m_encoding = TTextEncoding::Utf8;
    TUtf16 m_utf16 = TUtf16::None;  // a UTF-16 file is written back as UTF-16 with its mark
    // The bytes of a UTF-16 file that was not well-formed, given back while nothing has changed.
    std::string m_unchangedBytes;
    bool m_bom = false;
    std::string m_eol = "\n";
    std::vector<TSection> m_sections;
    std::unordered_map<std::string, std::size_t> m_sectionIndex;
};

}  // namespace platform::core::detail
