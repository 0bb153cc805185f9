#pragma once
// Rich text as the rich edit holds it and the RTF reader and writer exchange it: UTF-8 text in
// which a line feed ends a paragraph, character formats as runs over byte ranges of the text, and
// one paragraph format per paragraph.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"

namespace platform::forms {

enum TRichAlignment : uint8_t { raLeft, raRight, raCenter };
enum TNumberingStyle : uint8_t { nsNone, nsBullet };

// The look of a stretch of characters. Size is in points; a system colour (clWindowText) means
// the automatic text colour.
struct TRichCharFormat {
    std::string Name = "Arial";
    int Size = 10;
    gfx::TFontStyles Style = 0;
    gfx::TColor Color = gfx::clWindowText;
    friend bool operator==(const TRichCharFormat&, const TRichCharFormat&) = default;
};

// The layout of one paragraph; indents are in points (the first-line indent is relative to the
// left indent and may be negative).
struct TRichParaFormat {
    TRichAlignment Alignment = raLeft;
    int LeftIndent = 0;
    int RightIndent = 0;
    int FirstIndent = 0;
    TNumberingStyle Numbering = nsNone;
    friend bool operator==(const TRichParaFormat&, const TRichParaFormat&) = default;
};

struct TRichRun {
    std::size_t Start = 0;  // byte offset; the run lasts up to the next run's start
    TRichCharFormat Format;
    friend bool operator==(const TRichRun&, const TRichRun&) = default;
};

struct TRichDocument {
    std::string Text;
    std::vector<TRichRun> Runs;               // sorted by Start, the first at 0
    std::vector<TRichParaFormat> Paragraphs;  // one per paragraph: line feeds + 1

    // The format of the character at a byte offset (the last run's for the end).
    [[nodiscard]] const TRichCharFormat& FormatAt(std::size_t pos) const;
    // Drops empty and repeated runs, puts a run at 0, and gives the paragraph list the length
    // the text asks for (missing paragraphs take the last format, or the default).
    void Normalize();
    [[nodiscard]] std::size_t ParagraphCount() const;
};

// Points at the screen's 96 pixels per inch.
[[nodiscard]] inline int PointsToPixels(int points) {
    return points * 96 / 72;
}

}  // namespace platform::forms
