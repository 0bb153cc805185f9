#pragma once
// Writes a rich document as rich text: a font table and a colour table of what the runs use,
// one \par between paragraphs, paragraph formatting after each \pard, and character formatting
// after \plain at every run. The output is 7-bit: characters of code page 1252 go as \'hh, all
// others as \uN with a "?" for readers that do not know it.

#include <string>

#include "platform/forms/RtfDocument.h"

namespace platform::forms {

[[nodiscard]] std::string WriteRtf(const TRichDocument& doc);

}  // namespace platform::forms
