#pragma once
// Text helpers. Text inside the program is UTF-8 in std::string; outside data that is not valid
// UTF-8 is Windows-1252 and is converted at the edge.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

enum class TTextEncoding { Utf8, Windows1252 };

[[nodiscard]] bool IsValidUtf8(std::string_view bytes);
// Every byte 0x00..0xFF maps to a code point; the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081.. so that decoding and encoding round-trip.
[[nodiscard]] std::string Cp1252ToUtf8(std::string_view bytes);
// Characters outside the code page become '?'. Invalid UTF-8 input bytes also become '?'.
[[nodiscard]] std::string Utf8ToCp1252(std::string_view utf8);
// Decodes outside bytes: valid UTF-8 stays as it is, anything else is read as Windows-1252.
[[nodiscard]] std::string DecodeExternalText(std::string_view bytes, TTextEncoding* detected = nullptr);
[[nodiscard]] std::string EncodeExternalText(std::string_view utf8, TTextEncoding encoding);

// Code points of a UTF-8 string (invalid bytes yield U+FFFD each, never a read past the end).
[[nodiscard]] std::u32string Utf8ToCodePoints(std::string_view utf8);
[[nodiscard]] std::string CodePointsToUtf8(std::u32string_view cps);
void AppendUtf8(std::string& out, char32_t cp);
// Byte length of the UTF-8 sequence starting at s[i] (1 for invalid bytes, 0 when i is past the end).
[[nodiscard]] std::size_t Utf8CharLength(std::string_view s, std::size_t i);
// Removes the last code point (for ellipsis fitting and backspace).
void Utf8PopBack(std::string& s);

// ASCII-and-Latin-1 aware case mapping (enough for the program's texts and skin keys).
[[nodiscard]] std::string UpperCase(std::string_view s);
[[nodiscard]] std::string LowerCase(std::string_view s);
[[nodiscard]] bool SameText(std::string_view a, std::string_view b);  // case-insensitive equality
[[nodiscard]] int CompareText(std::string_view a, std::string_view b);  // case-insensitive, <0 / 0 / >0
// Locale-aware, case-insensitive comparison with the user's locale (LC_COLLATE from the
// environment, loaded once). Falls back to CompareText where the locale cannot be loaded or the
// text is not valid UTF-8; texts the collation holds equal are ordered by CompareText.
[[nodiscard]] int CompareLocaleText(std::string_view a, std::string_view b);

// Removes blanks and control characters (bytes up to 0x20) from both ends.
[[nodiscard]] std::string Trim(std::string_view s);
[[nodiscard]] std::string IntToStr(long long v);
// Decimal with optional sign, or "$" followed by hexadecimal digits (also "0x"); surrounding
// blanks allowed. Anything else, or a value outside 32 bits, yields nullopt. Hexadecimal is a
// 32-bit pattern ("$FFFFFFFF" is -1, as colours are written); a sign may precede "$" or "0x".
[[nodiscard]] std::optional<int32_t> TryStrToInt(std::string_view s);
[[nodiscard]] int32_t StrToIntDef(std::string_view s, int32_t def);
// n separators give n + 1 parts, empty ones included ("" gives one empty part).
[[nodiscard]] std::vector<std::string> SplitString(std::string_view s, char sep);

}  // namespace platform::core
