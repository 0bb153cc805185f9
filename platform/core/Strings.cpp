#include "platform/core/Strings.h"

#include <locale.h>
#include <wchar.h>

#include <array>

namespace platform::core {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control with the same number, so every byte has a code point.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the strict UTF-8 sequence at s[i] (no overlong forms, no surrogates, at most
// U+10FFFF). Returns its length, or 0 when the bytes there are not a valid sequence.
std::size_t DecodeAt(std::string_view s, std::size_t i, char32_t& cp) {
    const std::size_t n = s.size();
    if (i >= n) return 0;
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    auto cont = [&](std::size_t k, unsigned char lo, unsigned char hi) {
        if (i + k >= n) return false;
        const auto b = static_cast<unsigned char>(s[i + k]);
        return b >= lo && b <= hi;
    };
    auto bits = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[i + k]) & 0x3F); };
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (!cont(1, 0x80, 0xBF)) return 0;
        cp = (static_cast<char32_t>(b0 & 0x1F) << 6) | bits(1);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        if (!cont(1, lo, hi) || !cont(2, 0x80, 0xBF)) return 0;
        cp = (static_cast<char32_t>(b0 & 0x0F) << 12) | (bits(1) << 6) | bits(2);
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        if (!cont(1, lo, hi) || !cont(2, 0x80, 0xBF) || !cont(3, 0x80, 0xBF)) return 0;
        cp = (static_cast<char32_t>(b0 & 0x07) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
        return 4;
    }
    return 0;
}

char32_t LowerCp(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c < 0xC0) return c;
    if (c <= 0xDE && c != 0xD7) return c + 0x20;
    switch (c) {
        case 0x0152: return 0x0153;  // OE ligature
        case 0x0160: return 0x0161;  // S caron
        case 0x017D: return 0x017E;  // Z caron
        case 0x0178: return 0x00FF;  // Y diaeresis
        default: return c;
    }
}

char32_t UpperCp(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c < 0xE0) return c;
    if (c <= 0xFE && c != 0xF7) return c - 0x20;
    switch (c) {
        case 0x00FF: return 0x0178;
        case 0x0153: return 0x0152;
        case 0x0161: return 0x0160;
        case 0x017E: return 0x017D;
        default: return c;
    }
}

template <typename Map>
std::string MapCase(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeAt(s, i, cp);
        if (len == 0) {  // invalid bytes pass through untouched
            out.push_back(s[i]);
            ++i;
            continue;
        }
        AppendUtf8(out, map(cp));
        i += len;
    }
    return out;
}

// The case-folded unit at s[i] for ordering: a folded code point, or for an invalid byte a value
// above every code point, so that the order is total and stable.
char32_t FoldedAt(std::string_view s, std::size_t& i) {
    char32_t cp = 0;
    const std::size_t len = DecodeAt(s, i, cp);
    if (len == 0) {
        const auto b = static_cast<unsigned char>(s[i]);
        ++i;
        return 0x110000 + b;
    }
    i += len;
    return LowerCp(cp);
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool HexDigit(char c, uint32_t& v) {
    if (c >= '0' && c <= '9') {
        v = static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
        v = static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
        v = static_cast<uint32_t>(c - 'A' + 10);
    } else {
        return false;
    }
    return true;
}

locale_t UserCollationLocale() {
    // Loaded once; a locale the C library cannot load leaves it null (fallback to CompareText).
    static const locale_t loc = newlocale(LC_COLLATE_MASK, "", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t len = DecodeAt(bytes, i, cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else if (b < 0xA0) {
            AppendUtf8(out, kCp1252High[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeAt(utf8, i, cp);
        if (len == 0) {
            out.push_back('?');
            ++i;
            continue;
        }
        i += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        char mapped = '?';
        for (std::size_t k = 0; k < kCp1252High.size(); ++k) {
            if (kCp1252High[k] == cp) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        }
        out.push_back(mapped);
    }
    return out;
}

std::string DecodeExternalText(std::string_view bytes, TTextEncoding* detected) {
    if (IsValidUtf8(bytes)) {
        if (detected) *detected = TTextEncoding::Utf8;
        return std::string(bytes);
    }
    if (detected) *detected = TTextEncoding::Windows1252;
    return Cp1252ToUtf8(bytes);
}

std::string EncodeExternalText(std::string_view utf8, TTextEncoding encoding) {
    if (encoding == TTextEncoding::Windows1252) return Utf8ToCp1252(utf8);
    return std::string(utf8);
}

std::u32string Utf8ToCodePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeAt(utf8, i, cp);
        if (len == 0) {
            out.push_back(kReplacement);
            ++i;
        } else {
            out.push_back(cp);
            i += len;
        }
    }
    return out;
}

std::string CodePointsToUtf8(std::u32string_view cps) {
    std::string out;
    out.reserve(cps.size());
    for (const char32_t cp : cps) AppendUtf8(out, cp);
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
    if (i >= s.size()) return 0;
    char32_t cp = 0;
    const std::size_t len = DecodeAt(s, i, cp);
    return len == 0 ? 1 : len;
}

void Utf8PopBack(std::string& s) {
    if (s.empty()) return;
    // A valid sequence is at most four bytes: try the starts that could end exactly at the end.
    const std::size_t n = s.size();
    for (std::size_t len = 2; len <= 4 && len <= n; ++len) {
        char32_t cp = 0;
        if (DecodeAt(s, n - len, cp) == len) {
            s.resize(n - len);
            return;
        }
    }
    s.pop_back();
}

std::string UpperCase(std::string_view s) { return MapCase(s, UpperCp); }

std::string LowerCase(std::string_view s) { return MapCase(s, LowerCp); }

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

int CompareText(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = FoldedAt(a, i);
        const char32_t cb = FoldedAt(b, j);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

int CompareLocaleText(std::string_view a, std::string_view b) {
    const locale_t loc = UserCollationLocale();
    // wcscoll stops at a NUL and needs code points: such text is ordered by CompareText.
    if (loc == static_cast<locale_t>(nullptr) || !IsValidUtf8(a) || !IsValidUtf8(b) ||
        a.find('\0') != std::string_view::npos || b.find('\0') != std::string_view::npos) {
        return CompareText(a, b);
    }
    auto fold = [](std::string_view s) {
        std::wstring w;
        w.reserve(s.size());
        std::size_t i = 0;
        while (i < s.size()) w.push_back(static_cast<wchar_t>(FoldedAt(s, i)));
        return w;
    };
    const std::wstring wa = fold(a);
    const std::wstring wb = fold(b);
    const int r = wcscoll_l(wa.c_str(), wb.c_str(), loc);
    if (r != 0) return r < 0 ? -1 : 1;
    // Texts the collation holds equal still get a fixed order, so that sorting is repeatable.
    return CompareText(a, b);
}

std::string Trim(std::string_view s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return std::string(s.substr(begin, end - begin));
}

std::string IntToStr(long long v) { return std::to_string(v); }

std::optional<int32_t> TryStrToInt(std::string_view s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    s = s.substr(begin, end - begin);
    if (s.empty()) return std::nullopt;

    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    bool hex = false;
    if (!s.empty() && s.front() == '$') {
        hex = true;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hex = true;
        s.remove_prefix(2);
    }
    if (s.empty()) return std::nullopt;

    uint64_t value = 0;
    if (hex) {
        for (const char c : s) {
            uint32_t d = 0;
            if (!HexDigit(c, d)) return std::nullopt;
            value = value * 16 + d;
            if (value > 0xFFFFFFFFULL) return std::nullopt;
        }
        // "$FFFFFFFF" is the bit pattern -1, as colours are written; a minus sign negates that.
        const auto bitsValue = static_cast<int32_t>(static_cast<uint32_t>(value));
        if (!negative) return bitsValue;
        if (value > 0x80000000ULL) return std::nullopt;
        return static_cast<int32_t>(-static_cast<int64_t>(value));
    }
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > 0x80000000ULL) return std::nullopt;
    }
    if (negative) return static_cast<int32_t>(-static_cast<int64_t>(value));
    if (value > 0x7FFFFFFFULL) return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t StrToIntDef(std::string_view s, int32_t def) { return TryStrToInt(s).value_or(def); }

std::vector<std::string> SplitString(std::string_view s, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t pos = s.find(sep, start);
        if (pos == std::string_view::npos) {
            parts.emplace_back(s.substr(start));
            return parts;
        }
        parts.emplace_back(s.substr(start, pos - start));
        start = pos + 1;
    }
}

}  // namespace platform::core
