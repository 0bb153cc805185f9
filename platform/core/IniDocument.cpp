#include "platform/core/IniDocument.h"

#include <algorithm>
#include <optional>

namespace platform::core::detail {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16Le = "\xFF\xFE";
constexpr std::string_view kBomUtf16Be = "\xFE\xFF";

char32_t Unit16(std::string_view bytes, std::size_t i, bool bigEndian) {
    const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    return static_cast<char32_t>(hi << 8U | lo);
}

// UTF-16 text after its byte order mark, as UTF-8. What is not well-formed (an odd last byte, an
// unpaired surrogate) becomes U+FFFD, and lossy says so.
std::string DecodeUtf16(std::string_view bytes, bool bigEndian, bool& lossy) {
    constexpr char32_t kReplacement = 0xFFFD;
    std::string out;
    out.reserve(bytes.size());
    lossy = bytes.size() % 2 != 0;
    const std::size_t end = bytes.size() - bytes.size() % 2;
    for (std::size_t i = 0; i < end; i += 2) {
        char32_t cp = Unit16(bytes, i, bigEndian);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < end) {
            const char32_t low = Unit16(bytes, i + 2, bigEndian);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10U) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
            lossy = true;
        }
        AppendUtf8(out, cp);
    }
    if (bytes.size() % 2 != 0) AppendUtf8(out, kReplacement);
    return out;
}

void AppendUnit16(std::string& out, char32_t unit, bool bigEndian) {
    const auto hi = static_cast<char>((unit >> 8U) & 0xFFU);
    const auto lo = static_cast<char>(unit & 0xFFU);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
}

void AppendUtf16(std::string& out, std::string_view utf8, bool bigEndian) {
    for (const char32_t cp : Utf8ToCodePoints(utf8)) {
        if (cp >= 0x10000) {
            AppendUnit16(out, 0xD800 + ((cp - 0x10000) >> 10U), bigEndian);
            AppendUnit16(out, 0xDC00 + ((cp - 0x10000) & 0x3FFU), bigEndian);
        } else {
            AppendUnit16(out, cp, bigEndian);
        }
    }
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string Fold(std::string_view name) { return LowerCase(TrimView(name)); }

enum class TKind { Other, Section, Key };

struct TParsedLine {
    TKind kind = TKind::Other;
    std::string_view name;       // section or key name, trimmed
    std::size_t valueStart = 0;  // for keys: the offset after the first "="
};

// How the profile reader sees a line: "[name]" (up to the first "]", or the rest of the line when
// there is none), a comment (";" first), "key=value" (the first "=" splits; an empty key makes no
// key), or anything else, which is kept but carries nothing.
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

// The value as the profile reader gives it: up to the first NUL (the reader's strings end there),
// surrounding blanks removed, then one pair of surrounding double quotes.
std::string_view ValueOf(std::string_view text, std::size_t valueStart) {
    std::string_view v = text.substr(valueStart);
    v = TrimView(v.substr(0, v.find('\0')));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return v;
}

// The text to write so that ValueOf gives value back.
std::string QuoteIfNeeded(std::string_view value) {
    const bool needs = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                          (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    if (!needs) return std::string(value);
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

void TIniDocument::Parse(std::string_view bytes) {
    Clear();
    m_eol = "\n";
    m_bom = false;
    m_utf16 = TUtf16::None;
    std::string text;
    const bool bigEndian = bytes.substr(0, 2) == kBomUtf16Be;
    // A byte order mark decides: such a file is UTF-16 even where it is not well-formed, so that
    // a write cannot turn it into a file that reads differently.
    if (bigEndian || bytes.substr(0, 2) == kBomUtf16Le) {
        bool lossy = false;
        text = DecodeUtf16(bytes.substr(2), bigEndian, lossy);
        m_encoding = TTextEncoding::Utf8;
        m_utf16 = bigEndian ? TUtf16::BigEndian : TUtf16::LittleEndian;
        if (lossy) m_unchangedBytes = std::string(bytes);
    } else if (IsValidUtf8(bytes)) {
        m_encoding = TTextEncoding::Utf8;
        if (bytes.substr(0, kBom.size()) == kBom) {
            m_bom = true;
            bytes.remove_prefix(kBom.size());
        }
        text.assign(bytes);
    } else {
        m_encoding = TTextEncoding::Windows1252;
        text = Cp1252ToUtf8(bytes);
    }

    bool eolSeen = false;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        const std::size_t eolLength = (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        TLine line{text.substr(start, i - start), text.substr(i, eolLength)};
        if (!eolSeen) {
            m_eol = line.eol;
            eolSeen = true;
        }
        m_lines.push_back(std::move(line));
        i += eolLength;
        start = i;
    }
    if (start < text.size()) m_lines.push_back(TLine{text.substr(start), std::string()});
    Reindex();
}

std::string TIniDocument::Serialize() const {
    std::string out;
    if (!m_unchangedBytes.empty()) return m_unchangedBytes;
    if (m_utf16 != TUtf16::None) {
        const bool bigEndian = m_utf16 == TUtf16::BigEndian;
        out += bigEndian ? kBomUtf16Be : kBomUtf16Le;
        for (const TLine& line : m_lines) {
            AppendUtf16(out, line.text, bigEndian);
            AppendUtf16(out, line.eol, bigEndian);
        }
        return out;
    }
    if (m_bom) out += kBom;
    for (const TLine& line : m_lines) {
        out += EncodeExternalText(line.text, m_encoding);
        out += line.eol;
    }
    return out;
}

void TIniDocument::SetLines(const TStringList& lines) {
    m_unchangedBytes.clear();
    m_lines.clear();
    m_lines.reserve(static_cast<std::size_t>(lines.Count()));
    for (int i = 0; i < lines.Count(); ++i) m_lines.push_back(TLine{Stored(lines[i]), m_eol});
    Reindex();
}

void TIniDocument::GetLines(TStringList& lines) const {
    lines.Clear();
    for (const TLine& line : m_lines) lines.Add(line.text);
}

void TIniDocument::Clear() {
    m_unchangedBytes.clear();
    m_lines.clear();
    Reindex();
}

std::optional<std::string> TIniDocument::Read(std::string_view section, std::string_view key) const {
    const TSection* sec = FindSection(section);
    if (sec == nullptr) return std::nullopt;
    const auto it = sec->firstKey.find(Fold(key));
    if (it == sec->firstKey.end()) return std::nullopt;
    const std::string& text = m_lines[it->second].text;
    return std::string(ValueOf(text, Classify(text).valueStart));
}

bool TIniDocument::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

void TIniDocument::Sections(TStringList& out) const {
    out.Clear();
    for (const TSection& sec : m_sections) out.Add(sec.name);
}

void TIniDocument::Keys(std::string_view section, TStringList& out) const {
    out.Clear();
    const TSection* sec = FindSection(section);
    if (sec == nullptr) return;
    for (const TKeyRef& ref : sec->keys) {
        // A key written twice is listed once, where it first appears.
        if (sec->firstKey.at(Fold(ref.name)) == ref.line) out.Add(ref.name);
    }
}

void TIniDocument::SectionValues(std::string_view section, TStringList& out) const {
    out.Clear();
    const TSection* sec = FindSection(section);
    if (sec == nullptr) return;
    for (const TKeyRef& ref : sec->keys) {
        if (sec->firstKey.at(Fold(ref.name)) != ref.line) continue;
        const std::string& text = m_lines[ref.line].text;
        out.Add(ref.name + "=" + std::string(ValueOf(text, Classify(text).valueStart)));
    }
}

TIniDocument::TChange TIniDocument::Write(std::string_view section, std::string_view key,
                                          std::string_view value) {
    const std::string_view secName = TrimView(section);
    const std::string_view keyName = TrimView(key);
    if (secName.empty() || secName.find(']') != std::string_view::npos || HasLineBreak(secName)) {
        return TChange::Invalid;
    }
    if (keyName.empty() || keyName.find('=') != std::string_view::npos || keyName.front() == '[' ||
        keyName.front() == ';' || HasLineBreak(keyName)) {
        return TChange::Invalid;
    }
    // A value with a NUL would not read back: the reader stops there.
    if (HasLineBreak(value) || value.find('\0') != std::string_view::npos) return TChange::Invalid;
    // Names the file's encoding cannot hold could not be found again.
    if (Stored(secName) != secName || Stored(keyName) != keyName) return TChange::Invalid;
    const std::string stored = Stored(value);  // what a later read of the file gives
    const std::string valueText = QuoteIfNeeded(stored);

    const std::string foldedKey = Fold(keyName);
    const auto secIt = m_sectionIndex.find(Fold(secName));
    if (secIt != m_sectionIndex.end()) {
        TSection& sec = m_sections[secIt->second];
        const auto it = sec.firstKey.find(foldedKey);
        if (it != sec.firstKey.end()) {
            std::string& text = m_lines[it->second].text;
            const std::size_t valueStart = Classify(text).valueStart;
            if (ValueOf(text, valueStart) == stored) return TChange::Unchanged;
            // Keeps the key as written and the blanks after "=", as the line was laid out.
            std::size_t keep = valueStart;
            while (keep < text.size() && (text[keep] == ' ' || text[keep] == '\t')) ++keep;
            text.resize(keep);
            text += valueText;
            m_unchangedBytes.clear();
            return TChange::Changed;  // the index holds line numbers only: it stays valid
        }
        // The index is updated in place rather than rebuilt, so that writing many keys stays
        // linear in the number of keys per write.
        const std::size_t at = sec.insertAt;
        InsertLine(at, std::string(keyName) + "=" + valueText);
        ShiftIndex(at);
        const auto pos = std::upper_bound(sec.keys.begin(), sec.keys.end(), at,
                                          [](std::size_t line, const TKeyRef& r) { return line < r.line; });
        sec.keys.insert(pos, TKeyRef{std::string(keyName), at});
        sec.firstKey.emplace(foldedKey, at);
        sec.insertAt = at + 1;
        sec.lastLine = std::max(sec.lastLine, at);
        return TChange::Changed;
    }

    // A new section goes at the end, after a blank line when the file does not end with one.
    if (!m_lines.empty() && !TrimView(m_lines.back().text).empty()) InsertLine(m_lines.size(), std::string());
    const std::size_t header = m_lines.size();
    InsertLine(header, "[" + std::string(secName) + "]");
    InsertLine(header + 1, std::string(keyName) + "=" + valueText);
    TSection added{std::string(secName), {header}, header + 2, {TKeyRef{std::string(keyName), header + 1}}, {},
                   header + 1};
    added.firstKey.emplace(foldedKey, header + 1);
    m_sectionIndex.emplace(Fold(secName), m_sections.size());
    m_sections.push_back(std::move(added));
    return TChange::Changed;
}

TIniDocument::TChange TIniDocument::EraseSection(std::string_view section) {
    const TSection* sec = FindSection(section);
    if (sec == nullptr) return TChange::Unchanged;
    std::vector<bool> drop(m_lines.size(), false);
    for (const std::size_t header : sec->headers) {
        drop[header] = true;
        for (std::size_t i = header + 1; i < m_lines.size(); ++i) {
            if (Classify(m_lines[i].text).kind == TKind::Section) break;
            drop[i] = true;
        }
    }
    std::vector<TLine> kept;
    kept.reserve(m_lines.size());
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (!drop[i]) kept.push_back(std::move(m_lines[i]));
    }
    m_lines = std::move(kept);
    m_unchangedBytes.clear();
    Reindex();
    return TChange::Changed;
}

TIniDocument::TChange TIniDocument::DeleteKey(std::string_view section, std::string_view key) {
    const TSection* sec = FindSection(section);
    if (sec == nullptr) return TChange::Unchanged;
    const std::string folded = Fold(key);
    std::vector<std::size_t> lines;
    for (const TKeyRef& ref : sec->keys) {
        if (Fold(ref.name) == folded) lines.push_back(ref.line);
    }
    if (lines.empty()) return TChange::Unchanged;
    // From the back, so that the earlier line numbers stay right.
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*it));
    }
    m_unchangedBytes.clear();
    Reindex();
    return TChange::Changed;
}

void TIniDocument::Reindex() {
    m_sections.clear();
    m_sectionIndex.clear();
    std::size_t current = 0;
    bool inSection = false;
    bool firstOccurrence = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const TParsedLine p = Classify(m_lines[i].text);
        if (p.kind == TKind::Section) {
            const auto [it, added] = m_sectionIndex.try_emplace(LowerCase(p.name), m_sections.size());
            if (added) m_sections.push_back(TSection{std::string(p.name), {}, i + 1, {}, {}, i});
            current = it->second;
            inSection = true;
            m_sections[current].headers.push_back(i);
            m_sections[current].lastLine = i;
            firstOccurrence = m_sections[current].headers.size() == 1;
        } else if (p.kind == TKind::Key && inSection) {
            TSection& sec = m_sections[current];
            sec.keys.push_back(TKeyRef{std::string(p.name), i});
            sec.firstKey.try_emplace(LowerCase(p.name), i);
            sec.lastLine = i;
            if (firstOccurrence) sec.insertAt = i + 1;
        }
    }
}

void TIniDocument::ShiftIndex(std::size_t line) {
    for (TSection& sec : m_sections) {
        if (sec.lastLine < line) {  // its lines are all before: at most where new keys go moves
            sec.insertAt += sec.insertAt >= line ? 1 : 0;
            continue;
        }
        sec.lastLine += sec.lastLine >= line ? 1 : 0;
        for (std::size_t& h : sec.headers) h += h >= line ? 1 : 0;
        for (TKeyRef& ref : sec.keys) ref.line += ref.line >= line ? 1 : 0;
        for (auto& entry : sec.firstKey) entry.second += entry.second >= line ? 1 : 0;
        sec.insertAt += sec.insertAt >= line ? 1 : 0;
    }
}

const TIniDocument::TSection* TIniDocument::FindSection(std::string_view section) const {
    const auto it = m_sectionIndex.find(Fold(section));
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

std::string TIniDocument::Stored(std::string_view utf8) const {
    // Invalid UTF-8 would turn a UTF-8 file into one read as Windows-1252: such bytes become
    // U+FFFD (or "?" in a Windows-1252 file, which cannot hold U+FFFD either).
    if (m_encoding == TTextEncoding::Utf8) {
        return IsValidUtf8(utf8) ? std::string(utf8) : CodePointsToUtf8(Utf8ToCodePoints(utf8));
    }
    return Cp1252ToUtf8(Utf8ToCp1252(utf8));
}

void TIniDocument::InsertLine(std::size_t at, std::string text) {
    m_unchangedBytes.clear();
    // Only the last line can lack a terminator; it needs one once a line follows it.
    if (at == m_lines.size() && at > 0 && m_lines.back().eol.empty()) m_lines.back().eol = m_eol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), TLine{std::move(text), m_eol});
}

}  // namespace platform::core::detail
