#include "platform/forms/FormParser.h"

#include <cstdio>

#include "platform/core/Strings.h"
#include "platform/forms/FormResource.h"

namespace platform::forms::detail {

namespace {

constexpr int kMaxDepth = 200;

enum class TTok { End, Ident, Integer, String, Binary, Symbol };

struct TToken {
    TTok Kind = TTok::End;
    std::string Text;  // Ident, String (decoded), Symbol
    int64_t Int = 0;
    std::vector<uint8_t> Bytes;  // Binary
    int Line = 1;
};

bool IsIdentStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9') || c == '.';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class TLexer {
public:
    TLexer(std::string_view text, const std::string& source) : m_text(text), m_source(source) {}

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw EFormResourceError(m_source, line, message);
    }

    const TToken& Peek() {
        if (!m_hasPeek) {
            m_peek = Next();
            m_hasPeek = true;
        }
        return m_peek;
    }

    TToken Take() {
        Peek();
        m_hasPeek = false;
        return std::move(m_peek);
    }

    int Line() const { return m_line; }

private:
    void SkipSpace() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++m_pos;
            } else if (c == '/' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '/') {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n') ++m_pos;
            } else {
                break;
            }
        }
    }

    int64_t ReadNumber(int line, bool negative) {
        uint64_t value = 0;
        int base = 10;
        if (m_text[m_pos] == '$') {
            base = 16;
            ++m_pos;
        } else if (m_text[m_pos] == '0' && m_pos + 1 < m_text.size() &&
                   (m_text[m_pos + 1] == 'x' || m_text[m_pos + 1] == 'X')) {
            base = 16;
            m_pos += 2;
        }
        size_t digits = 0;
        while (m_pos < m_text.size()) {
            const int d =
                base == 16 ? HexValue(m_text[m_pos]) : (IsDigit(m_text[m_pos]) ? m_text[m_pos] - '0' : -1);
            if (d < 0) break;
            if (value > (UINT64_MAX - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base) ||
                value * base + d > (1ull << 62))
                Fail(line, "number too large");
            value = value * base + static_cast<uint64_t>(d);
            ++m_pos;
            ++digits;
        }
        if (digits == 0) Fail(line, "a number has no digits");
        if (m_pos < m_text.size() && IsIdentChar(m_text[m_pos])) Fail(line, "malformed number");
        const int64_t v = static_cast<int64_t>(value);
        return negative ? -v : v;
    }

    // Quoted parts and #char codes that follow each other without a gap.
    std::string ReadString(int line) {
        std::string out;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\'') {
                ++m_pos;
                for (;;) {
                    if (m_pos >= m_text.size() || m_text[m_pos] == '\n') Fail(line, "unterminated string");
                    if (m_text[m_pos] == '\'') {
                        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\'') {
                            out += '\'';
                            m_pos += 2;
                            continue;
                        }
                        ++m_pos;
                        break;
                    }
                    out += m_text[m_pos++];
                }
            } else if (c == '#') {
                ++m_pos;
                if (m_pos >= m_text.size()) Fail(line, "character code without digits");
                const int64_t code = ReadNumber(line, false);
                if (code < 0 || code > 0x10FFFF) Fail(line, "character code out of range");
                core::AppendUtf8(out, static_cast<char32_t>(code));
            } else {
                break;
            }
        }
        return out;
    }

    std::vector<uint8_t> ReadBinary(int line) {
        ++m_pos;  // '{'
        std::vector<uint8_t> bytes;
        int high = -1;
        while (true) {
            if (m_pos >= m_text.size()) Fail(line, "binary data without closing '}'");
            const char c = m_text[m_pos++];
            if (c == '}') break;
            if (c == '\n') {
                ++m_line;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r') continue;
            const int d = HexValue(c);
            if (d < 0) Fail(m_line, std::string("'") + c + "' in binary data");
            if (high < 0) {
                high = d;
            } else {
                bytes.push_back(static_cast<uint8_t>(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0) Fail(line, "binary data has an odd number of hex digits");
        return bytes;
    }

    TToken Next() {
        SkipSpace();
        TToken t;
        t.Line = m_line;
        if (m_pos >= m_text.size()) return t;
        const char c = m_text[m_pos];
        if (IsIdentStart(c)) {
            const size_t start = m_pos;
            while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos])) ++m_pos;
            t.Kind = TTok::Ident;
            t.Text = std::string(m_text.substr(start, m_pos - start));
            return t;
        }
        if (IsDigit(c) || c == '$' ||
            (c == '-' && m_pos + 1 < m_text.size() &&
             (IsDigit(m_text[m_pos + 1]) || m_text[m_pos + 1] == '$'))) {
            const bool negative = c == '-';
            if (negative) ++m_pos;
            t.Kind = TTok::Integer;
            t.Int = ReadNumber(t.Line, negative);
            return t;
        }
        if (c == '\'' || c == '#') {
            t.Kind = TTok::String;
            t.Text = ReadString(t.Line);
            return t;
        }
        if (c == '{') {
            t.Kind = TTok::Binary;
            t.Bytes = ReadBinary(t.Line);
            return t;
        }
        if (std::string_view("=:[](),+").find(c) != std::string_view::npos) {
            ++m_pos;
            t.Kind = TTok::Symbol;
            t.Text = std::string(1, c);
            return t;
        }
        Fail(m_line, std::string("unexpected character '") + c + "'");
    }

    std::string_view m_text;
    const std::string& m_source;
    size_t m_pos = 0;
    int m_line = 1;
    TToken m_peek;
    bool m_hasPeek = false;
};

class TParser {
public:
    TParser(std::string_view text, const std::string& source) : m_lex(text, source) {}

    TObjectNode ParseRoot() {
        TObjectNode root = ParseObject(0);
        const TToken& t = m_lex.Peek();
        if (t.Kind != TTok::End) m_lex.Fail(t.Line, "text after the end of the root object");
        return root;
    }

private:
    static bool IsObjectWord(const TToken& t) {
        return t.Kind == TTok::Ident &&
               (core::SameText(t.Text, "object") || core::SameText(t.Text, "inherited") ||
                core::SameText(t.Text, "inline"));
    }

    bool IsSymbol(const TToken& t, char c) const { return t.Kind == TTok::Symbol && t.Text[0] == c; }

    TToken Expect(TTok kind, const char* what) {
        TToken t = m_lex.Take();
        if (t.Kind != kind) m_lex.Fail(t.Line, std::string("expected ") + what);
        return t;
    }

    void ExpectSymbol(char c) {
        TToken t = m_lex.Take();
        if (!IsSymbol(t, c)) m_lex.Fail(t.Line, std::string("expected '") + c + "'");
    }

    TObjectNode ParseObject(int depth) {
        if (depth > kMaxDepth) m_lex.Fail(m_lex.Line(), "objects nested too deeply");
        TToken head = m_lex.Take();
        if (!IsObjectWord(head)) m_lex.Fail(head.Line, "expected 'object'");
        TObjectNode node;
        node.Line = head.Line;
        TToken first = Expect(TTok::Ident, "a component name or class");
        if (IsSymbol(m_lex.Peek(), ':')) {
            m_lex.Take();
            node.Name = first.Text;
            node.ClassName = Expect(TTok::Ident, "a class name").Text;
        } else {
            node.ClassName = first.Text;
        }
        if (node.ClassName.find('.') != std::string::npos) m_lex.Fail(first.Line, "a class name has no dots");
        if (node.Name.find('.') != std::string::npos) m_lex.Fail(first.Line, "a component name has no dots");
        for (;;) {
            const TToken& t = m_lex.Peek();
            if (t.Kind == TTok::End)
                m_lex.Fail(t.Line, "missing 'end' of object '" + node.Name + "' (line " +
                                       std::to_string(node.Line) + ")");
            if (t.Kind == TTok::Ident && core::SameText(t.Text, "end")) {
                m_lex.Take();
                break;
            }
            if (IsObjectWord(t)) {
                node.Children.push_back(ParseObject(depth + 1));
                continue;
            }
            if (t.Kind != TTok::Ident) m_lex.Fail(t.Line, "expected a property name, 'object' or 'end'");
            TPropertyNode prop;
            TToken name = m_lex.Take();
            prop.Name = name.Text;
            prop.Line = name.Line;
            ExpectSymbol('=');
            ParseValue(prop);
            node.Properties.push_back(std::move(prop));
        }
        return node;
    }

    std::string ParseStringChain(TToken first) {
        std::string s = std::move(first.Text);
        while (IsSymbol(m_lex.Peek(), '+')) {
            m_lex.Take();
            s += Expect(TTok::String, "a string after '+'").Text;
        }
        return s;
    }

    void ParseValue(TPropertyNode& prop) {
        TToken t = m_lex.Take();
        switch (t.Kind) {
            case TTok::Integer:
                prop.Value = TPropValue::Integer(t.Int);
                return;
            case TTok::String:
                prop.Value = TPropValue::String(ParseStringChain(std::move(t)));
                return;
            case TTok::Binary:
                prop.Value = TPropValue::Binary(std::move(t.Bytes));
                return;
            case TTok::Ident:
                if (core::SameText(t.Text, "file") && IsSymbol(m_lex.Peek(), '(')) {
                    m_lex.Take();
                    prop.FileName = ParseStringChain(Expect(TTok::String, "a quoted file name"));
                    if (prop.FileName.empty()) m_lex.Fail(t.Line, "empty file name");
                    ExpectSymbol(')');
                    prop.Value = TPropValue::Binary({});
                    return;
                }
                if (core::SameText(t.Text, "end") || IsObjectWord(t))
                    m_lex.Fail(t.Line, "a value is missing");
                prop.Value = TPropValue::Ident(t.Text);
                return;
            case TTok::Symbol:
                if (t.Text[0] == '[') {
                    std::vector<std::string> items;
                    if (IsSymbol(m_lex.Peek(), ']')) {
                        m_lex.Take();
                    } else {
                        for (;;) {
                            items.push_back(Expect(TTok::Ident, "a set element").Text);
                            TToken sep = m_lex.Take();
                            if (IsSymbol(sep, ']')) break;
                            if (!IsSymbol(sep, ',')) m_lex.Fail(sep.Line, "expected ',' or ']'");
                        }
                    }
                    prop.Value = TPropValue::Set(std::move(items));
                    return;
                }
                if (t.Text[0] == '(') {
                    std::vector<std::string> items;
                    for (;;) {
                        TToken item = m_lex.Take();
                        if (IsSymbol(item, ')')) break;
                        if (item.Kind != TTok::String) m_lex.Fail(item.Line, "a list holds quoted strings");
                        items.push_back(ParseStringChain(std::move(item)));
                    }
                    prop.Value = TPropValue::List(std::move(items));
                    return;
                }
                break;
            case TTok::End:
                m_lex.Fail(t.Line, "a value is missing");
        }
        m_lex.Fail(t.Line, "expected a value");
    }

    TLexer m_lex;
};

std::string QuoteString(const std::string& s) {
    if (s.empty()) return "''";
    std::string out;
    bool inQuote = false;
    for (unsigned char c : s) {
        if (c < 32) {
            if (inQuote) {
                out += '\'';
                inQuote = false;
            }
            out += '#' + std::to_string(c);
        } else {
            if (!inQuote) {
                out += '\'';
                inQuote = true;
            }
            if (c == '\'')
                out += "''";
            else
                out += static_cast<char>(c);
        }
    }
    if (inQuote) out += '\'';
    return out;
}

}  // namespace

TObjectNode ParseFormText(std::string_view text, const std::string& source) {
    TParser parser(text, source);
    return parser.ParseRoot();
}

std::string FormatValue(const TPropValue& v, const std::string& indent) {
    switch (v.Kind) {
        case TValueKind::Integer:
            return std::to_string(v.Int);
        case TValueKind::String:
            return QuoteString(v.Text);
        case TValueKind::Ident:
            return v.Text;
        case TValueKind::Set: {
            std::string out = "[";
            for (size_t i = 0; i < v.Names.size(); ++i) out += (i ? ", " : "") + v.Names[i];
            return out + "]";
        }
        case TValueKind::List: {
            std::string out = "(";
            for (const auto& s : v.Names) out += "\n" + indent + "  " + QuoteString(s);
            return out + ")";
        }
        case TValueKind::Binary: {
            static const char* kHex = "0123456789ABCDEF";
            std::string out = "{";
            for (size_t i = 0; i < v.Bytes.size(); ++i) {
                if (i % 32 == 0) out += "\n" + indent + "  ";
                out += kHex[v.Bytes[i] >> 4];
                out += kHex[v.Bytes[i] & 15];
            }
            return out + "}";
        }
    }
    return {};
}

}  // namespace platform::forms::detail
