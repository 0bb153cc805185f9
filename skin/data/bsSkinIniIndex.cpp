#include "skin/data/bsSkinIniIndex.h"

#include <algorithm>

#include "platform/core/Strings.h"

namespace skin {

using platform::core::TStringList;

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The name as the index keys it: trimmed, lower case. ASCII names, which are all the loader asks
// for, are folded into the caller's buffer without allocating.
std::string_view Fold(std::string_view name, std::string& buffer) {
    name = TrimView(name);
    buffer.assign(name);
    for (char& c : buffer) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            buffer = platform::core::LowerCase(name);
            return buffer;
        }
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return buffer;
}

enum class TKind { Other, Section, Key };

struct TParsedLine {
    TKind kind = TKind::Other;
    std::string_view name;
    std::size_t valueStart = 0;
};

// "[name]" (up to the first "]", or the rest of the line), a comment (";" first), "key=value"
// (the first "=" splits; an empty key makes no key), or a line that carries nothing.
TParsedLine Classify(std::string_view text) {
    TParsedLine p;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size() || text[i] == ';') return p;
    if (text[i] == '[') {
        std::string_view rest = text.substr(i + 1);
        const std::size_t close = rest.find(']');
        if (close != std::string_view::npos) rest = rest.substr(0, close);
        p.kind = TKind::Section;
        p.name = TrimView(rest);
        return p;
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return p;
    p.name = TrimView(text.substr(0, eq));
    if (p.name.empty()) return p;
    p.kind = TKind::Key;
    p.valueStart = eq + 1;
    return p;
}

bool AllValidUtf8(const TStringList& lines) {
    for (int i = 0; i < lines.Count(); ++i) {
        if (!platform::core::IsValidUtf8(lines[i])) return false;
    }
    return true;
}

}  // namespace

TbsSkinIniIndex::TbsSkinIniIndex(const TStringList& lines) : TCustomIniFile(std::string()), m_lines(lines) {
    if (!AllValidUtf8(lines)) {
        m_fallback = std::make_unique<platform::core::TMemIniFile>();
        m_fallback->SetStrings(lines);
        return;
    }
    struct TPendingKey {
        std::size_t section, entry, at, size;
    };
    std::vector<TPendingKey> pending;  // folded key names, seen once all of them are stored
    pending.reserve(static_cast<std::size_t>(lines.Count()));
    std::size_t bytes = 0;
    for (int i = 0; i < lines.Count(); ++i) bytes += lines[i].size();
    m_foldedKeys.reserve(bytes);
    std::size_t current = 0;
    bool inSection = false;
    std::string folded;
    for (int i = 0; i < lines.Count(); ++i) {
        const TParsedLine p = Classify(lines[i]);
        if (p.kind == TKind::Section) {
            const std::string_view name = Fold(p.name, folded);
            auto it = m_sectionIndex.find(name);
            if (it == m_sectionIndex.end()) {
                it = m_sectionIndex.emplace(std::string(name), m_sections.size()).first;
                m_sections.push_back(TSection{p.name, {}, {}});
            }
            current = it->second;
            inSection = true;
        } else if (p.kind == TKind::Key && inSection) {
            TSection& sec = m_sections[current];
            const std::string_view name = Fold(p.name, folded);
            pending.push_back(TPendingKey{current, sec.firstKey.size(), m_foldedKeys.size(), name.size()});
            m_foldedKeys += name;
            sec.firstKey.emplace_back(std::string_view(), sec.keys.size());
            sec.keys.push_back(TKeyLine{p.name, static_cast<std::size_t>(i), p.valueStart, false});
        }
    }
    const std::string_view stored(m_foldedKeys);
    for (const TPendingKey& k : pending)
        m_sections[k.section].firstKey[k.entry].first = stored.substr(k.at, k.size);
    for (TSection& sec : m_sections) KeepFirstOfEachName(sec);
}

// Sorted with file order kept among equal names: the first of each name is the one read.
void TbsSkinIniIndex::KeepFirstOfEachName(TSection& sec) {
    std::stable_sort(sec.firstKey.begin(), sec.firstKey.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto out = sec.firstKey.begin();
    for (auto at = sec.firstKey.begin(); at != sec.firstKey.end(); ++at) {
        if (out != sec.firstKey.begin() && (out - 1)->first == at->first) continue;
        *out++ = *at;
        sec.keys[at->second].first = true;
    }
    sec.firstKey.erase(out, sec.firstKey.end());
}

TbsSkinIniIndex::~TbsSkinIniIndex() = default;

const TbsSkinIniIndex::TSection* TbsSkinIniIndex::FindSection(std::string_view section) const {
    if (m_lastSection && section == m_lastSectionAsked) return m_lastSection;
    thread_local std::string folded;
    const auto it = m_sectionIndex.find(Fold(section, folded));
    if (it == m_sectionIndex.end()) return nullptr;
    m_lastSectionAsked.assign(section);
    m_lastSection = &m_sections[it->second];
    return m_lastSection;
}

const TbsSkinIniIndex::TKeyLine* TbsSkinIniIndex::FindKey(std::string_view section,
                                                          std::string_view key) const {
    const TSection* sec = FindSection(section);
    if (!sec) return nullptr;
    thread_local std::string folded;
    const std::string_view name = Fold(key, folded);
    const auto it = std::lower_bound(sec->firstKey.begin(), sec->firstKey.end(), name,
                                     [](const auto& entry, std::string_view n) { return entry.first < n; });
    return it == sec->firstKey.end() || it->first != name ? nullptr : &sec->keys[it->second];
}

// As an ini file gives a value: up to the first NUL, blanks around removed, then one pair of
// surrounding double quotes.
std::string_view TbsSkinIniIndex::ValueOf(const TKeyLine& key) const {
    std::string_view v = std::string_view(m_lines[static_cast<int>(key.line)]).substr(key.valueStart);
    v = TrimView(v.substr(0, v.find('\0')));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return v;
}

std::string TbsSkinIniIndex::ReadString(std::string_view section, std::string_view key,
                                        std::string_view def) const {
    if (m_fallback) return m_fallback->ReadString(section, key, def);
    const TKeyLine* k = FindKey(section, key);
    return std::string(k ? ValueOf(*k) : def);
}

bool TbsSkinIniIndex::SectionExists(std::string_view section) const {
    if (m_fallback) return m_fallback->SectionExists(section);
    return FindSection(section) != nullptr;
}

bool TbsSkinIniIndex::ValueExists(std::string_view section, std::string_view key) const {
    if (m_fallback) return m_fallback->ValueExists(section, key);
    return FindKey(section, key) != nullptr;
}

void TbsSkinIniIndex::ReadSections(TStringList& sections) const {
    if (m_fallback) return m_fallback->ReadSections(sections);
    sections.Clear();
    for (const TSection& sec : m_sections) sections.Add(std::string(sec.name));
}

void TbsSkinIniIndex::ReadSection(std::string_view section, TStringList& keys) const {
    if (m_fallback) return m_fallback->ReadSection(section, keys);
    keys.Clear();
    const TSection* sec = FindSection(section);
    if (!sec) return;
    for (const TKeyLine& k : sec->keys) {
        if (k.first) keys.Add(std::string(k.name));
    }
}

void TbsSkinIniIndex::ReadSectionValues(std::string_view section, TStringList& values) const {
    if (m_fallback) return m_fallback->ReadSectionValues(section, values);
    values.Clear();
    const TSection* sec = FindSection(section);
    if (!sec) return;
    for (const TKeyLine& k : sec->keys) {
        if (k.first) values.Add(std::string(k.name) + "=" + std::string(ValueOf(k)));
    }
}

}  // namespace skin
