#pragma once
// Reads the common subset of rich text format: groups, control words with parameters, the font
// and colour tables, character formatting (font, size, bold, italic, underline, strike, colour),
// paragraph formatting (alignment, indents, bullets), \par \line \tab, \uN with \ucN, \'hh in
// the document's code page (or that of the font's character set) and the usual special
// characters; \line starts a paragraph of the same format. Destinations it does not know are
// skipped when marked with \*, and the tables, style sheet, document information, pictures and
// objects always. Malformed input loads as much as it can: unbalanced or truncated groups end
// where the input ends, parameters are clamped, nesting deeper than kMaxDepth is flattened and
// tables stop growing at kMaxTableEntries. Time and memory are linear in the input.

#include <cstddef>
#include <string_view>

#include "platform/forms/RtfDocument.h"

namespace platform::forms {

class TRtfReader {
public:
    static constexpr int kMaxDepth = 128;
    static constexpr std::size_t kMaxTableEntries = 4096;
    static constexpr std::size_t kMaxFontName = 128;

    // Whether the bytes begin as rich text does ("{\rtf", after blanks).
    [[nodiscard]] static bool LooksLikeRtf(std::string_view data);
    // Parses data into doc (normalised). False when data is not rich text at all; doc is then
    // empty.
    static bool Read(std::string_view data, TRichDocument& doc);
};

// The Unicode code point of a byte in a Windows code page (1250, 1251 and 1252 are known; others
// read as 1252). Undefined bytes give U+FFFD.
[[nodiscard]] char32_t CodePageToUnicode(int codePage, unsigned char byte);
// The byte for a code point in code page 1252, or -1 when it has none.
[[nodiscard]] int UnicodeToCp1252(char32_t cp);

}  // namespace platform::forms
