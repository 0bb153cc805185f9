#include "platform/forms/RtfWriter.h"

#include <algorithm>
#include <optional>

#include "platform/core/Strings.h"
#include "platform/forms/RtfReader.h"

namespace platform::forms {

namespace {

constexpr char kHex[] = "0123456789abcdef";

bool IsAutoColor(gfx::TColor c) {
    return (static_cast<uint32_t>(c) & 0x80000000u) != 0 || c == gfx::clNone || c == gfx::clDefault;
}

template <class T>
int IndexOf(const std::vector<T>& list, const T& value) {
    const auto it = std::find(list.begin(), list.end(), value);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

class TWriter {
public:
    explicit TWriter(const TRichDocument& doc) : m_doc(doc) {
        for (const TRichRun& run : doc.Runs) {
            if (IndexOf(m_fonts, run.Format.Name) < 0) m_fonts.push_back(run.Format.Name);
            if (!IsAutoColor(run.Format.Color) && IndexOf(m_colors, run.Format.Color) < 0)
                m_colors.push_back(run.Format.Color);
        }
        if (m_fonts.empty()) m_fonts.emplace_back("Arial");
    }

    std::string Write() {
        m_out.reserve(m_doc.Text.size() + m_doc.Text.size() / 4 + 256);
        m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
        for (std::size_t i = 0; i < m_fonts.size(); ++i) {
            m_out += "{\\f" + std::to_string(i) + "\\fnil ";
            Escaped(m_fonts[i], true);
            m_out += ";}";
        }
        m_out += "}\n{\\colortbl;";
        for (const gfx::TColor c : m_colors)
            m_out += "\\red" + std::to_string(gfx::GetRValue(c)) + "\\green" +
                     std::to_string(gfx::GetGValue(c)) + "\\blue" + std::to_string(gfx::GetBValue(c)) + ";";
        m_out += "}\n";
        Body();
        m_out += "}\n";
        return std::move(m_out);
    }

private:
    void Body() {
        const std::string& text = m_doc.Text;
        std::size_t paragraph = 0;
        std::size_t run = 0;
        ParagraphStart(paragraph);
        for (std::size_t at = 0; at < text.size();) {
            while (run + 1 < m_doc.Runs.size() && m_doc.Runs[run + 1].Start <= at) ++run;
            const char32_t cp = DecodeAt(text, at);
            if (run < m_doc.Runs.size()) RunStart(m_doc.Runs[run].Format);
            if (cp == U'\n') {
                m_out += "\\par\n";
                ParagraphStart(++paragraph);
                continue;
            }
            Character(cp, false);
        }
        // A document without text still keeps the format of its end.
        if (text.empty() && !m_doc.Runs.empty()) RunStart(m_doc.Runs.front().Format);
    }

    // The code point at s[at] (U+FFFD for a broken sequence); at moves past it.
    static char32_t DecodeAt(std::string_view s, std::size_t& at) {
        const std::size_t len = std::max<std::size_t>(1, core::Utf8CharLength(s, at));
        const auto lead = static_cast<unsigned char>(s[at]);
        if (len == 1 || at + len > s.size()) {
            ++at;
            return lead < 0x80 ? lead : 0xFFFD;
        }
        char32_t cp = lead & (0x7F >> len);
        for (std::size_t i = 1; i < len; ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[at + i]) & 0x3F);
        at += len;
        return cp;
    }

    void ParagraphStart(std::size_t index) {
        const TRichParaFormat p =
            index < m_doc.Paragraphs.size() ? m_doc.Paragraphs[index] : TRichParaFormat{};
        m_out += "\\pard";
        if (p.Alignment == raRight) m_out += "\\qr";
        if (p.Alignment == raCenter) m_out += "\\qc";
        if (p.LeftIndent != 0) m_out += "\\li" + std::to_string(p.LeftIndent * 20);
        if (p.RightIndent != 0) m_out += "\\ri" + std::to_string(p.RightIndent * 20);
        if (p.FirstIndent != 0) m_out += "\\fi" + std::to_string(p.FirstIndent * 20);
        // A group ends a control word by itself; a word needs a space before text.
        if (p.Numbering == nsBullet)
            m_out += "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'b7}}";
        else
            m_out += ' ';
    }

    void RunStart(const TRichCharFormat& f) {
        if (m_format && *m_format == f) return;
        m_format = f;
        m_out += "\\plain\\f" + std::to_string(std::max(0, IndexOf(m_fonts, f.Name))) + "\\fs" +
                 std::to_string(std::max(1, f.Size) * 2);
        if (f.Style & gfx::fsBold) m_out += "\\b";
        if (f.Style & gfx::fsItalic) m_out += "\\i";
        if (f.Style & gfx::fsUnderline) m_out += "\\ul";
        if (f.Style & gfx::fsStrikeOut) m_out += "\\strike";
        if (!IsAutoColor(f.Color)) m_out += "\\cf" + std::to_string(IndexOf(m_colors, f.Color) + 1);
        m_out += ' ';
    }

    void Escaped(std::string_view s, bool inTable) {
        for (const char32_t cp : core::Utf8ToCodePoints(s)) Character(cp, inTable);
    }

    void Character(char32_t cp, bool inTable) {
        if (cp == U'\\' || cp == U'{' || cp == U'}') {
            m_out += '\\';
            m_out += static_cast<char>(cp);
        } else if (cp == U'\t' && !inTable) {
            m_out += "\\tab ";
        } else if (cp >= 0x20 && cp < 0x7F) {
            m_out += static_cast<char>(cp);
        } else if (const int b = UnicodeToCp1252(cp); b >= 0x80) {
            m_out += "\\'";
            m_out += kHex[b >> 4];
            m_out += kHex[b & 15];
        } else if (cp < 0x20) {
            // Other control characters have no place in rich text.
        } else if (cp <= 0xFFFF) {
            m_out += "\\u" + std::to_string(static_cast<int16_t>(static_cast<uint16_t>(cp))) + "?";
        } else {
            const char32_t v = cp - 0x10000;
            const auto hi = static_cast<uint16_t>(0xD800 + (v >> 10));
            const auto lo = static_cast<uint16_t>(0xDC00 + (v & 0x3FF));
            m_out += "\\u" + std::to_string(static_cast<int16_t>(hi)) + "?\\u" +
                     std::to_string(static_cast<int16_t>(lo)) + "?";
        }
    }

    const TRichDocument& m_doc;
    std::vector<std::string> m_fonts;
    std::vector<gfx::TColor> m_colors;
    std::optional<TRichCharFormat> m_format;
    std::string m_out;
};

}  // namespace

std::string WriteRtf(const TRichDocument& doc) {
    return TWriter(doc).Write();
}

}  // namespace platform::forms
