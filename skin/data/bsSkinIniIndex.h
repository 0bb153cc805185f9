#pragma once
// A read-only view of a skin description's lines for loading: the lines are classified and
// indexed once, without copying them, and every key is then found without folding the names
// into new strings. It reads exactly as an in-memory ini file set to the same lines does
// (sections and keys without regard to case, the first of a repeated key, values trimmed and
// unquoted); lines that are not valid UTF-8 are left to such a file. The lines must outlive it.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/IniFile.h"
#include "platform/core/StringList.h"

namespace skin {

class TbsSkinIniIndex : public platform::core::TCustomIniFile {
public:
    explicit TbsSkinIniIndex(const platform::core::TStringList& lines);
    ~TbsSkinIniIndex() override;

    [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                         std::string_view def) const override;
    [[nodiscard]] bool SectionExists(std::string_view section) const override;
    [[nodiscard]] bool ValueExists(std::string_view section, std::string_view key) const override;
    void ReadSections(platform::core::TStringList& sections) const override;
    void ReadSection(std::string_view section, platform::core::TStringList& keys) const override;
    void ReadSectionValues(std::string_view section, platform::core::TStringList& values) const override;
    // The view never changes the lines: every write fails.
    bool WriteString(std::string_view, std::string_view, std::string_view) override { return false; }
    bool EraseSection(std::string_view) override { return false; }
    bool DeleteKey(std::string_view, std::string_view) override { return false; }

private:
    struct THash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    struct TKeyLine {
        std::string_view name;  // as written, trimmed
        std::size_t line = 0;
        std::size_t valueStart = 0;
        bool first = false;  // the first line of its folded name in the section
    };
    struct TSection {
        std::string_view name;  // as first written
        std::vector<TKeyLine> keys;
        // (folded key name, index into keys) sorted by name, the first line of each name only.
        std::vector<std::pair<std::string_view, std::size_t>> firstKey;
    };

    static void KeepFirstOfEachName(TSection& sec);
    [[nodiscard]] const TSection* FindSection(std::string_view section) const;
    [[nodiscard]] const TKeyLine* FindKey(std::string_view section, std::string_view key) const;
    [[nodiscard]] std::string_view ValueOf(const TKeyLine& key) const;

    const platform::core::TStringList& m_lines;
    std::string m_foldedKeys;  // every folded key name, one after the other
    std::vector<TSection> m_sections;
    std::unordered_map<std::string, std::size_t, THash, std::equal_to<>> m_sectionIndex;
    std::unique_ptr<platform::core::TMemIniFile> m_fallback;
    // A record reads all its keys from one section: the last section asked for, as asked.
    mutable std::string m_lastSectionAsked;
    mutable const TSection* m_lastSection = nullptr;  // for lines that are not UTF-8
};

}  // namespace skin
