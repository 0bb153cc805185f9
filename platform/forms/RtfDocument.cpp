#include "platform/forms/RtfDocument.h"

#include <algorithm>

namespace platform::forms {

const TRichCharFormat& TRichDocument::FormatAt(std::size_t pos) const {
    static const TRichCharFormat kDefault;
    if (Runs.empty()) return kDefault;
    auto it = std::upper_bound(Runs.begin(), Runs.end(), pos,
                               [](std::size_t p, const TRichRun& r) { return p < r.Start; });
    if (it == Runs.begin()) return Runs.front().Format;
    return std::prev(it)->Format;
}

std::size_t TRichDocument::ParagraphCount() const {
    return static_cast<std::size_t>(std::count(Text.begin(), Text.end(), '\n')) + 1;
}

void TRichDocument::Normalize() {
    std::vector<TRichRun> runs;
    runs.reserve(Runs.size());
    for (std::size_t i = 0; i < Runs.size(); ++i) {
        TRichRun run = Runs[i];
        run.Start = std::min(run.Start, Text.size());
        const std::size_t end = i + 1 < Runs.size() ? std::min(Runs[i + 1].Start, Text.size()) : Text.size();
        // An empty run shows nothing, except the last one, which gives the end its format.
        if (end <= run.Start && i + 1 < Runs.size()) continue;
        if (!runs.empty() && runs.back().Start == run.Start) {
            runs.back() = std::move(run);
            continue;
        }
        if (!runs.empty() && runs.back().Format == run.Format) continue;
        runs.push_back(std::move(run));
    }
    if (runs.empty()) runs.push_back(TRichRun{});
    runs.front().Start = 0;
    // An empty last run after text is dropped unless it is the only one.
    if (runs.size() > 1 && runs.back().Start >= Text.size()) runs.pop_back();
    Runs = std::move(runs);
    const std::size_t paragraphs = ParagraphCount();
    if (Paragraphs.size() > paragraphs) Paragraphs.resize(paragraphs);
    while (Paragraphs.size() < paragraphs)
        Paragraphs.push_back(Paragraphs.empty() ? TRichParaFormat{} : Paragraphs.back());
}

}  // namespace platform::forms
