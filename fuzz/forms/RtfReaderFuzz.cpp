// Fuzzes the rich text reader over arbitrary bytes. Properties: the document it gives is
// normalised (runs start at 0, ascend and differ from their neighbours; one paragraph format per
// paragraph); what the writer makes of it reads back to the same document, and writing that
// again gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/forms/RtfReader.h"
#include "platform/forms/RtfWriter.h"

using namespace platform::forms;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckNormalised(const TRichDocument& doc) {
    Check(!doc.Runs.empty());
    Check(doc.Runs.front().Start == 0);
    for (std::size_t i = 1; i < doc.Runs.size(); ++i) {
        Check(doc.Runs[i - 1].Start < doc.Runs[i].Start);
        Check(doc.Runs[i].Start < doc.Text.size());
        Check(!(doc.Runs[i - 1].Format == doc.Runs[i].Format));
    }
    Check(doc.Paragraphs.size() == doc.ParagraphCount());
    for (const TRichRun& r : doc.Runs)
        Check(r.Format.Size >= 1 && r.Format.Name.size() <= TRtfReader::kMaxFontName + 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TRichDocument doc;
    const bool rich = TRtfReader::Read(bytes, doc);
    CheckNormalised(doc);
    if (!rich) {
        Check(doc.Text.empty());
        return 0;
    }
    const std::string written = WriteRtf(doc);
    TRichDocument back;
    Check(TRtfReader::Read(written, back));
    Check(back.Text == doc.Text);
    Check(back.Runs == doc.Runs);
    Check(back.Paragraphs == doc.Paragraphs);
    Check(WriteRtf(back) == written);
    return 0;
}
