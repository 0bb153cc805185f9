#include "platform/forms/RtfReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

#include "platform/core/Strings.h"

namespace platform::forms {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code page 1252 between 0x80 and 0x9F; 0 marks an undefined byte.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Code page 1251 between 0x80 and 0xBF (0xC0 to 0xFF are U+0410 to U+044F).
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// Code page 1250 between 0x80 and 0xFF.
constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

// Destinations whose content is never text of the document.
constexpr std::array<std::string_view, 34> kSkippedDestinations = {"stylesheet",
                                                                   "info",
                                                                   "pict",
                                                                   "object",
                                                                   "header",
                                                                   "headerl",
                                                                   "headerr",
                                                                   "headerf",
                                                                   "footer",
                                                                   "footerl",
                                                                   "footerr",
                                                                   "footerf",
                                                                   "footnote",
                                                                   "annotation",
                                                                   "xe",
                                                                   "tc",
                                                                   "fldinst",
                                                                   "themedata",
                                                                   "colorschememapping",
                                                                   "latentstyles",
                                                                   "datastore",
                                                                   "listtable",
                                                                   "listoverridetable",
                                                                   "rsidtbl",
                                                                   "generator",
                                                                   "pntext",
                                                                   "listtext",
                                                                   "bkmkstart",
                                                                   "bkmkend",
                                                                   "filetbl",
                                                                   "revtbl",
                                                                   "nonshppict",
                                                                   "pntxtb",
                                                                   "pntxta"};

enum class TDest : uint8_t { Text, FontTable, ColorTable, Numbering, Skip };

struct TState {
    TDest Dest = TDest::Text;
    int Font = -1;  // -1: the default font
    int HalfPoints = 24;
    gfx::TFontStyles Style = 0;
    int ColorIndex = 0;
    int UcSkip = 1;
    TRichParaFormat Para;
};

constexpr int64_t kParamLimit = 1000000000;
constexpr std::size_t kMaxWordLength = 32;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class TParser {
public:
    TParser(std::string_view in, TRichDocument& doc) : m_in(in), m_doc(doc) {}

    void Run() {
        while (m_pos < m_in.size() && !m_done) {
            const char c = m_in[m_pos];
            if (c == '{') {
                ++m_pos;
                OpenGroup();
            } else if (c == '}') {
                ++m_pos;
                CloseGroup();
            } else if (c == '\\') {
                Control();
            } else {
                ++m_pos;
                if (c == '\r' || c == '\n' || c == '\0') continue;
                if (Skipping()) continue;
                Character(static_cast<unsigned char>(c) < 0x80
                              ? static_cast<char32_t>(c)
                              : CodePageToUnicode(CodePage(), static_cast<unsigned char>(c)));
            }
        }
        if (!m_done) Finish();
        m_doc.Normalize();
    }

    // The last paragraph takes the format in force where the document ends.
    void Finish() {
        m_done = true;
        m_doc.Paragraphs.push_back(m_state.Para);
        // A document without text keeps the format its end was given.
        if (m_doc.Runs.empty()) StartRun();
    }

private:
    // After \uN, the fallback characters that follow are dropped.
    bool Skipping() {
        if (m_skip <= 0) return false;
        --m_skip;
        return true;
    }

    void OpenGroup() {
        m_skip = 0;
        if (m_stack.size() >= static_cast<std::size_t>(TRtfReader::kMaxDepth)) {
            ++m_flattened;
            return;
        }
        m_stack.push_back(m_state);
        m_star = false;
    }

    void CloseGroup() {
        m_skip = 0;
        if (m_flattened > 0) {
            --m_flattened;
            return;
        }
        if (m_stack.empty()) return;  // a stray closing brace
        if (m_state.Dest == TDest::FontTable) EndFontEntry();
        // The document's own group ends here; what follows is not part of it.
        if (m_stack.size() == 1) {
            Finish();
            return;
        }
        const bool bullet = m_state.Dest == TDest::Numbering && m_bulletSeen;
        m_state = m_stack.back();
        m_stack.pop_back();
        if (bullet) {
            m_state.Para.Numbering = nsBullet;
            m_bulletSeen = false;
        }
    }

    void Control() {
        ++m_pos;  // the backslash
        if (m_pos >= m_in.size()) return;
        const char c = m_in[m_pos];
        if (IsLetter(c)) {
            Word();
            return;
        }
        ++m_pos;
        if (c == '\'') {
            if (m_pos + 2 > m_in.size()) {
                m_pos = m_in.size();  // cut off inside the escape
                return;
            }
            {
                const int hi = HexValue(m_in[m_pos]), lo = HexValue(m_in[m_pos + 1]);
                if (hi >= 0 && lo >= 0) {
                    m_pos += 2;
                    if (!Skipping())
                        Character(CodePageToUnicode(CodePage(), static_cast<unsigned char>(hi * 16 + lo)));
                    return;
                }
            }
            return;
        }
        if (c == '*') {
            m_star = true;
            return;
        }
        if (Skipping()) return;
        switch (c) {
            case '\\':
            case '{':
            case '}':
                Character(static_cast<char32_t>(c));
                break;
            case '~':
                Character(0x00A0);
                break;
            case '_':
                Character(0x2011);
                break;
            case '\r':
            case '\n':
                Paragraph();
                break;
            case '\t':
                Character(U'\t');
                break;
            default:
                break;  // \- (optional hyphen), \| \: and unknown symbols
        }
    }

    void Word() {
        std::string_view name;
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && IsLetter(m_in[m_pos])) ++m_pos;
        name = m_in.substr(start, std::min(m_pos - start, kMaxWordLength));
        bool hasParam = false;
        bool negative = false;
        int64_t param = 0;
        if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
            hasParam = true;
            param = std::min<int64_t>(kParamLimit, param * 10 + (m_in[m_pos] - '0'));
            ++m_pos;
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;
        const int value = static_cast<int>(negative ? -param : param);
        if (name == "bin") {
            // Raw bytes follow; they are never text.
            const std::size_t count = hasParam && value > 0 ? static_cast<std::size_t>(value) : 0;
            m_pos += std::min(count, m_in.size() - m_pos);
            return;
        }
        const bool star = m_star;
        m_star = false;
        if (m_state.Dest == TDest::Skip) return;
        if (Destination(name, star)) return;
        if (Skipping()) return;
        Apply(name, hasParam, value);
    }

    // Handles a control word that starts a destination; true when it was one (or was skipped).
    bool Destination(std::string_view name, bool star) {
        if (name == "fonttbl") {
            m_state.Dest = TDest::FontTable;
            return true;
        }
        if (name == "colortbl") {
            m_state.Dest = TDest::ColorTable;
            return true;
        }
        if (name == "pn") {
            m_state.Dest = TDest::Numbering;
            return true;
        }
        if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), name) !=
                kSkippedDestinations.end() ||
            star) {
            m_state.Dest = TDest::Skip;
            return true;
        }
        return false;
    }

    void Apply(std::string_view w, bool hasParam, int value) {
        const bool on = !hasParam || value != 0;
        TState& s = m_state;
        if (w == "ansi")
            m_codePage = 1252;
        else if (w == "ansicpg")
            m_codePage = value;
        else if (w == "fcharset")
            FontCharset(value);
        else if (w == "deff")
            m_defaultFont = value;
        else if (w == "plain") {
            s.Font = -1;
            s.HalfPoints = 24;
            s.Style = 0;
            s.ColorIndex = 0;
        } else if (w == "f")
            s.Font = value;
        else if (w == "fs")
            s.HalfPoints = hasParam && value > 0 ? std::min(value, 3276) : 24;
        else if (w == "b")
            SetStyle(gfx::fsBold, on);
        else if (w == "i")
            SetStyle(gfx::fsItalic, on);
        else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulth" || w == "uldash")
            SetStyle(gfx::fsUnderline, on);
        else if (w == "ulnone")
            SetStyle(gfx::fsUnderline, false);
        else if (w == "strike" || w == "striked")
            SetStyle(gfx::fsStrikeOut, on);
        else if (w == "cf")
            s.ColorIndex = std::max(0, value);
        else if (w == "uc")
            s.UcSkip = std::clamp(value, 0, 16);
        else if (w == "u")
            Unicode(value);
        else if (w == "pard")
            s.Para = TRichParaFormat{};
        else if (w == "ql" || w == "qj" || w == "qd")
            s.Para.Alignment = raLeft;
        else if (w == "qr")
            s.Para.Alignment = raRight;
        else if (w == "qc")
            s.Para.Alignment = raCenter;
        else if (w == "li")
            s.Para.LeftIndent = value / 20;
        else if (w == "ri")
            s.Para.RightIndent = value / 20;
        else if (w == "fi")
            s.Para.FirstIndent = value / 20;
        else if (w == "pnlvlblt") {
            if (s.Dest == TDest::Numbering)
                m_bulletSeen = true;
            else
                s.Para.Numbering = nsBullet;
        } else if (w == "ls")
            s.Para.Numbering = value > 0 ? nsBullet : nsNone;
        else if (w == "red" || w == "green" || w == "blue")
            ColorPart(w, value);
        else if (w == "par" || w == "line" || w == "page" || w == "sect" || w == "row")
            Paragraph();
        else if (w == "tab" || w == "cell")
            Character(U'\t');
        else if (w == "emdash")
            Character(0x2014);
        else if (w == "endash")
            Character(0x2013);
        else if (w == "bullet")
            Character(0x2022);
        else if (w == "lquote")
            Character(0x2018);
        else if (w == "rquote")
            Character(0x2019);
        else if (w == "ldblquote")
            Character(0x201C);
        else if (w == "rdblquote")
            Character(0x201D);
        else if (w == "emspace" || w == "enspace" || w == "qmspace")
            Character(U' ');
    }

    // Bytes of text in a font with a character set are in that set's code page.
    int CodePage() const {
        if (m_state.Dest != TDest::Text || m_fontCodePages.empty()) return m_codePage;
        const auto it = m_fontCodePages.find(m_state.Font < 0 ? m_defaultFont : m_state.Font);
        return it == m_fontCodePages.end() || it->second == 0 ? m_codePage : it->second;
    }

    void FontCharset(int charset) {
        if (m_state.Dest == TDest::FontTable && m_fontCodePages.size() < TRtfReader::kMaxTableEntries)
            m_fontCodePages[m_state.Font] = CharsetCodePage(charset);
    }

    static int CharsetCodePage(int charset) {
        switch (charset) {
            case 0:
                return 1252;
            case 204:
                return 1251;
            case 238:
                return 1250;
            default:
                return 0;  // the document's
        }
    }

    void SetStyle(gfx::TFontStyles bit, bool on) {
        if (on)
            m_state.Style |= bit;
        else
            m_state.Style &= static_cast<gfx::TFontStyles>(~bit);
    }

    void Unicode(int value) {
        m_skip = m_state.UcSkip;
        const int unit = value < 0 ? value + 65536 : value;
        if (unit < 0 || unit > 0xFFFF) {
            m_highSurrogate = 0;
            Character(kReplacement);
            return;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            m_highSurrogate = static_cast<char32_t>(unit);
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (m_highSurrogate == 0) {
                Character(kReplacement);
                return;
            }
            const char32_t cp =
                0x10000 + ((m_highSurrogate - 0xD800) << 10) + (static_cast<char32_t>(unit) - 0xDC00);
            m_highSurrogate = 0;
            Character(cp);
            return;
        }
        Character(static_cast<char32_t>(unit));
    }

    void ColorPart(std::string_view w, int value) {
        if (m_state.Dest != TDest::ColorTable) return;
        const int v = std::clamp(value, 0, 255);
        if (w == "red")
            m_red = v;
        else if (w == "green")
            m_green = v;
        else
            m_blue = v;
        m_colorSet = true;
    }

    void Paragraph() {
        if (m_state.Dest != TDest::Text) return;
        FlushSurrogate();
        Emit(U'\n');
        m_doc.Paragraphs.push_back(m_state.Para);
    }

    void Character(char32_t cp) {
        switch (m_state.Dest) {
            case TDest::Text:
                // Breaks come only from \par and its kin; other control characters are no text.
                if (cp < 0x20 && cp != U'\t') return;
                FlushSurrogate();
                Emit(cp);
                return;
            case TDest::FontTable:
                if (cp == U';') {
                    EndFontEntry();
                } else if (cp >= 0x20 && m_fontName.size() < TRtfReader::kMaxFontName) {
                    core::AppendUtf8(m_fontName, cp);
                }
                return;
            case TDest::ColorTable:
                if (cp == U';') EndColorEntry();
                return;
            case TDest::Numbering:
            case TDest::Skip:
                return;
        }
    }

    void FlushSurrogate() {
        if (m_highSurrogate == 0) return;
        m_highSurrogate = 0;
        Emit(kReplacement);
    }

    void EndFontEntry() {
        std::string name = m_fontName;
        m_fontName.clear();
        while (!name.empty() && name.back() == ' ') name.pop_back();
        while (!name.empty() && name.front() == ' ') name.erase(name.begin());
        if (name.empty() || m_fonts.size() >= TRtfReader::kMaxTableEntries) return;
        m_fonts[m_state.Font] = std::move(name);
    }

    void EndColorEntry() {
        if (m_colors.size() < TRtfReader::kMaxTableEntries)
            m_colors.push_back(m_colorSet ? gfx::RGB(m_red, m_green, m_blue) : gfx::clWindowText);
        m_red = m_green = m_blue = 0;
        m_colorSet = false;
    }

    void Emit(char32_t cp) {
        const TState& s = m_state;
        const bool same = m_haveRun && s.Font == m_runFont && s.HalfPoints == m_runHalfPoints &&
                          s.Style == m_runStyle && s.ColorIndex == m_runColor;
        if (!same) StartRun();
        core::AppendUtf8(m_doc.Text, cp);
    }

    void StartRun() {
        const TState& s = m_state;
        m_haveRun = true;
        m_runFont = s.Font;
        m_runHalfPoints = s.HalfPoints;
        m_runStyle = s.Style;
        m_runColor = s.ColorIndex;
        TRichRun run;
        run.Start = m_doc.Text.size();
        auto font = m_fonts.find(s.Font < 0 ? m_defaultFont : s.Font);
        if (font == m_fonts.end()) font = m_fonts.find(m_defaultFont);
        if (font != m_fonts.end()) run.Format.Name = font->second;
        run.Format.Size = std::max(1, s.HalfPoints / 2);
        run.Format.Style = s.Style;
        if (s.ColorIndex >= 0 && static_cast<std::size_t>(s.ColorIndex) < m_colors.size())
            run.Format.Color = m_colors[static_cast<std::size_t>(s.ColorIndex)];
        if (!m_doc.Runs.empty() && m_doc.Runs.back().Start == run.Start)
            m_doc.Runs.back() = std::move(run);
        else
            m_doc.Runs.push_back(std::move(run));
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    TRichDocument& m_doc;
    TState m_state;
    std::vector<TState> m_stack;
    int m_flattened = 0;
    bool m_done = false;
    bool m_star = false;
    int m_skip = 0;
    char32_t m_highSurrogate = 0;
    bool m_bulletSeen = false;
    int m_codePage = 1252;
    std::map<int, int> m_fontCodePages;  // fonts whose character set names a code page
    int m_defaultFont = 0;
    std::map<int, std::string> m_fonts;
    std::string m_fontName;
    std::vector<gfx::TColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    bool m_haveRun = false;
    int m_runFont = 0, m_runHalfPoints = 0, m_runColor = 0;
    gfx::TFontStyles m_runStyle = 0;
};

}  // namespace

char32_t CodePageToUnicode(int codePage, unsigned char byte) {
    if (byte < 0x80) return byte;
    char16_t cp = 0;
    if (codePage == 1251) {
        if (byte >= 0xC0) return static_cast<char32_t>(0x0410 + (byte - 0xC0));
        cp = kCp1251High[byte - 0x80];
    } else if (codePage == 1250) {
        cp = kCp1250High[byte - 0x80];
    } else {
        if (byte >= 0xA0) return byte;
        cp = kCp1252High[byte - 0x80];
    }
    return cp == 0 ? kReplacement : static_cast<char32_t>(cp);
}

int UnicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

bool TRtfReader::LooksLikeRtf(std::string_view data) {
    std::size_t at = 0;
    while (at < data.size() && (data[at] == ' ' || data[at] == '\r' || data[at] == '\n' || data[at] == '\t'))
        ++at;
    return data.substr(at, 5) == "{\\rtf";
}

bool TRtfReader::Read(std::string_view data, TRichDocument& doc) {
    doc = TRichDocument{};
    if (!LooksLikeRtf(data)) {
        doc.Normalize();
        return false;
    }
    TParser(data, doc).Run();
    return true;
}

}  // namespace platform::forms
