#include "platform/forms/RichEdit.h"

#include <algorithm>
#include <tuple>

#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
// A font's size in whole points; a positive height is a cell height, whose internal leading is
// not part of the size.
int PointsOf(const gfx::TFont& font) {
    if (font.Height() <= 0) return std::max(1, font.Size());
    const int em = font.Height() - gfx::TextEngine::Metrics(font).InternalLeading;
    return std::max(1, (em * 72 + 48) / 96);
}
}  // namespace

bool TCustomRichEdit::TFormatLess::operator()(const TRichCharFormat& a, const TRichCharFormat& b) const {
    return std::tie(a.Name, a.Size, a.Style, a.Color) < std::tie(b.Name, b.Size, b.Style, b.Color);
}

TCustomRichEdit::TCustomRichEdit(TComponent* owner) : TCustomMemo(owner), m_richLines(*this) {
    m_defFormat.Name = Font().Name();
    m_defFormat.Size = PointsOf(Font());
    m_defFormat.Style = Font().Style();
    ResetFormats();
    RebuildParagraphStarts();
    UpdateMetrics();
}

TCustomRichEdit::~TCustomRichEdit() = default;

// ---- Formats and runs ----

int TCustomRichEdit::Intern(const TRichCharFormat& format) {
    const auto it = m_formatIndex.find(format);
    if (it != m_formatIndex.end()) return it->second;
    const int index = static_cast<int>(m_formats.size());
    m_formats.push_back(format);
    m_fonts.emplace_back();
    m_asciiWidths.emplace_back();
    m_asciiWidths.back().fill(-1);
    m_formatIndex.emplace(format, index);
    return index;
}

const gfx::TFont& TCustomRichEdit::FontOf(int format) const {
    auto& slot = m_fonts[static_cast<std::size_t>(format)];
    if (!slot) {
        const TRichCharFormat& f = m_formats[static_cast<std::size_t>(format)];
        gfx::TFont font;
        font.SetName(f.Name);
        font.SetSize(std::max(1, f.Size));
        font.SetStyle(f.Style);
        slot = font;
    }
    return *slot;
}

int TCustomRichEdit::RunIndexAt(std::size_t pos) const {
    auto it = std::upper_bound(m_runs.begin(), m_runs.end(), pos,
                               [](std::size_t p, const TRun& r) { return p < r.Start; });
    return it == m_runs.begin() ? 0 : static_cast<int>(it - m_runs.begin()) - 1;
}

int TCustomRichEdit::FormatIndexAt(std::size_t pos) const {
    return m_runs[static_cast<std::size_t>(RunIndexAt(pos))].Format;
}

TRichCharFormat TCustomRichEdit::FormatAt(std::size_t pos) const {
    return m_formats[static_cast<std::size_t>(FormatIndexAt(pos))];
}

int TCustomRichEdit::ParagraphIndexAt(std::size_t pos) const {
    auto it = std::upper_bound(m_paraStarts.begin(), m_paraStarts.end(), pos);
    return std::max(0, static_cast<int>(it - m_paraStarts.begin()) - 1);
}

TRichParaFormat TCustomRichEdit::ParagraphAt(std::size_t pos) const {
    return m_paras[static_cast<std::size_t>(ParagraphIndexAt(pos))];
}

TRichCharFormat TCustomRichEdit::InsertionFormat() const {
    const std::size_t caret = m_core.SelStart();
    if (m_insertFormat && m_insertAt == caret && !m_core.HasSelection())
        return m_formats[static_cast<std::size_t>(*m_insertFormat)];
    // Typed text continues the character before it.
    return FormatAt(caret > 0 ? caret - 1 : 0);
}

void TCustomRichEdit::ResetFormats() {
    m_runs.assign(1, TRun{0, Intern(m_defFormat)});
    const std::size_t paragraphs =
        static_cast<std::size_t>(std::count(m_core.Text().begin(), m_core.Text().end(), '\n')) + 1;
    m_paras.assign(paragraphs, TRichParaFormat{});
    m_insertFormat.reset();
}

void TCustomRichEdit::MergeRuns() {
    std::vector<TRun> merged;
    merged.reserve(m_runs.size());
    const std::size_t size = m_core.Text().size();
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        TRun run = m_runs[i];
        run.Start = std::min(run.Start, size);
        const std::size_t end = i + 1 < m_runs.size() ? std::min(m_runs[i + 1].Start, size) : size;
        if (end <= run.Start && i + 1 < m_runs.size()) continue;
        if (!merged.empty() && (merged.back().Format == run.Format || merged.back().Start == run.Start)) {
            if (merged.back().Start == run.Start) merged.back() = run;
            continue;
        }
        merged.push_back(run);
    }
    if (merged.empty()) merged.push_back(TRun{0, Intern(m_defFormat)});
    merged.front().Start = 0;
    if (merged.size() > 1 && merged.back().Start >= size) merged.pop_back();
    m_runs = std::move(merged);
}

void TCustomRichEdit::FollowChange(const TEditChange& change, std::size_t oldSize) {
    const std::string& text = m_core.Text();
    const std::size_t pos = std::min(change.Pos, oldSize);
    const std::size_t removedEnd = std::min(oldSize, pos + change.Removed);
    const auto delta =
        static_cast<std::ptrdiff_t>(change.Inserted) - static_cast<std::ptrdiff_t>(change.Removed);
    // Formats in the old coordinates: the inserted text's and the one after the removed range.
    int inserted = m_runs[static_cast<std::size_t>(RunIndexAt(pos > 0 ? pos - 1 : 0))].Format;
    if (m_insertFormat && m_insertAt == pos) inserted = *m_insertFormat;
    const int after = FormatIndexAt(removedEnd);
    std::vector<TRun> runs;
    runs.reserve(m_runs.size() + 2);
    for (const TRun& r : m_runs)
        if (r.Start < pos) runs.push_back(r);
    if (change.Inserted > 0) runs.push_back({pos, inserted});
    runs.push_back({pos + change.Inserted, after});
    for (const TRun& r : m_runs)
        if (r.Start > removedEnd)
            runs.push_back(
                {static_cast<std::size_t>(static_cast<std::ptrdiff_t>(r.Start) + delta), r.Format});
    m_runs = std::move(runs);
    m_insertFormat.reset();

    // Paragraphs: the one the change starts in absorbs removed breaks; inserted breaks copy it.
    const auto breaksIn = [&](std::size_t from, std::size_t to) {
        return static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(from),
                                                   text.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
    };
    const std::size_t newBreaks = breaksIn(0, text.size());
    const std::size_t insertedBreaks = breaksIn(pos, std::min(text.size(), pos + change.Inserted));
    const std::size_t oldBreaks = m_paras.size() - 1;
    const std::size_t keptBreaks = newBreaks - insertedBreaks;
    const std::size_t removedBreaks = oldBreaks > keptBreaks ? oldBreaks - keptBreaks : 0;
    const std::size_t p = std::min(breaksIn(0, pos), m_paras.size() - 1);
    const auto first = m_paras.begin() + static_cast<std::ptrdiff_t>(p) + 1;
    m_paras.erase(first,
                  first + static_cast<std::ptrdiff_t>(std::min(removedBreaks, m_paras.size() - p - 1)));
    m_paras.insert(m_paras.begin() + static_cast<std::ptrdiff_t>(p) + 1, insertedBreaks, m_paras[p]);
}

void TCustomRichEdit::Fixup() {
    MergeRuns();
    const std::size_t paragraphs =
        static_cast<std::size_t>(std::count(m_core.Text().begin(), m_core.Text().end(), '\n')) + 1;
    if (m_paras.empty()) m_paras.push_back(TRichParaFormat{});
    m_paras.resize(paragraphs, m_paras.back());
    RebuildParagraphStarts();
}

void TCustomRichEdit::RebuildParagraphStarts() {
    const std::string& text = m_core.Text();
    m_paraStarts.assign(1, 0);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        m_paraStarts.push_back(at + 1);
}

void TCustomRichEdit::UpdateMetrics() {
    int height = 1, ascent = 0;
    std::vector<bool> seen(m_formats.size(), false);
    for (const TRun& r : m_runs) {
        if (seen[static_cast<std::size_t>(r.Format)]) continue;
        seen[static_cast<std::size_t>(r.Format)] = true;
        const gfx::TFontMetrics m = gfx::TextEngine::Metrics(FontOf(r.Format));
        height = std::max(height, m.Height);
        ascent = std::max(ascent, m.Ascent);
    }
    m_rowHeight = height;
    m_ascent = ascent;
}

int TCustomRichEdit::RowHeight() const {
    return m_rowHeight;
}

void TCustomRichEdit::TextLayoutChanged() {
    const TEditChange& change = m_core.LastChange();
    if (change.Serial != m_formatSerial) {
        if (change.Whole) {
            if (m_loading) {
                m_runs.clear();
                for (const TRichRun& r : m_loading->Runs) m_runs.push_back({r.Start, Intern(r.Format)});
                m_paras = m_loading->Paragraphs;
                m_insertFormat.reset();
            } else {
                ResetFormats();
            }
        } else {
            FollowChange(change, m_textSize);
        }
        m_formatSerial = change.Serial;
        Fixup();
        UpdateMetrics();
    }
    m_textSize = m_core.Text().size();
    m_rangeCleared = {};
    TCustomMemo::TextLayoutChanged();
}

void TCustomRichEdit::FormatsChanged() {
    MergeRuns();
    UpdateMetrics();
    m_rangeCleared = {};
    RelayoutAll();
    Change();
}

void TCustomRichEdit::ApplyCharFormat(std::size_t from, std::size_t to,
                                      const std::function<void(TRichCharFormat&)>& change) {
    const std::size_t size = m_core.Text().size();
    to = std::min(to, size);
    from = std::min(from, to);
    if (from == to) {
        TRichCharFormat f = InsertionFormat();
        change(f);
        m_insertFormat = Intern(f);
        m_insertAt = from;
        return;
    }
    // Split at both ends, then change every run inside.
    const int atFrom = FormatIndexAt(from);
    const int atTo = FormatIndexAt(to);
    std::vector<TRun> runs;
    runs.reserve(m_runs.size() + 2);
    for (const TRun& r : m_runs)
        if (r.Start < from) runs.push_back(r);
    runs.push_back({from, atFrom});
    for (const TRun& r : m_runs)
        if (r.Start > from && r.Start < to) runs.push_back(r);
    const std::size_t inside = runs.size();
    runs.push_back({to, atTo});
    for (const TRun& r : m_runs)
        if (r.Start > to) runs.push_back(r);
    for (std::size_t i = 0; i < inside; ++i) {
        if (runs[i].Start < from) continue;
        TRichCharFormat f = m_formats[static_cast<std::size_t>(runs[i].Format)];
        change(f);
        runs[i].Format = Intern(f);
    }
    m_runs = std::move(runs);
    FormatsChanged();
}

void TCustomRichEdit::ApplyParaFormat(std::size_t from, std::size_t to,
                                      const std::function<void(TRichParaFormat&)>& change) {
    const int first = ParagraphIndexAt(from);
    const int last = ParagraphIndexAt(std::max(from, to));
    for (int p = first; p <= last; ++p) change(m_paras[static_cast<std::size_t>(p)]);
    FormatsChanged();
}

void TCustomRichEdit::SetDefaultFormat(const TRichCharFormat& format) {
    const int old = Intern(m_defFormat);
    m_defFormat = format;
    const int now = Intern(m_defFormat);
    // Text still in the old default follows the new one.
    for (TRun& r : m_runs)
        if (r.Format == old) r.Format = now;
    FormatsChanged();
}

void TCustomRichEdit::ToggleStyle(gfx::TFontStyles style) {
    const bool on = (m_selAttributes.Style() & style) == 0;
    ApplyCharFormat(m_core.SelStart(), m_core.SelEnd(), [&](TRichCharFormat& f) {
        if (on)
            f.Style |= style;
        else
            f.Style &= static_cast<gfx::TFontStyles>(~style);
    });
}

// ---- The document ----

TRichDocument TCustomRichEdit::Document() const {
    TRichDocument doc;
    doc.Text = m_core.Text();
    doc.Runs.reserve(m_runs.size());
    for (const TRun& r : m_runs) doc.Runs.push_back({r.Start, m_formats[static_cast<std::size_t>(r.Format)]});
    doc.Paragraphs = m_paras;
    doc.Normalize();
    return doc;
}

void TCustomRichEdit::LoadDocument(const TRichDocument& doc) {
    // The formats are taken over while the text is laid out, so one layout does.
    m_loading = &doc;
    SetText(doc.Text);
    m_loading = nullptr;
}

// ---- Messages ----

bool TCustomRichEdit::NavigateKey(uint16_t key, TShiftState shift) {
    const bool ctrlOnly = (shift & ssCtrl) && !(shift & (ssAlt | ssShift));
    if (ctrlOnly && !ReadOnly()) {
        switch (key) {
            case 'B':
                ToggleStyle(gfx::fsBold);
                return true;
            case 'I':
                ToggleStyle(gfx::fsItalic);
                return true;
            case 'U':
                ToggleStyle(gfx::fsUnderline);
                return true;
            default:
                break;
        }
    }
    return TCustomMemo::NavigateKey(key, shift);
}

void TCustomRichEdit::CMFontChanged(TMessage& message) {
    TRichCharFormat f = m_defFormat;
    f.Name = Font().Name();
    f.Size = PointsOf(Font());
    f.Style = Font().Style();
    if (!(f == m_defFormat)) {
        const int old = Intern(m_defFormat);
        m_defFormat = f;
        const int now = Intern(m_defFormat);
        for (TRun& r : m_runs)
            if (r.Format == old) r.Format = now;
        MergeRuns();
        UpdateMetrics();
    }
    TCustomMemo::CMFontChanged(message);
}

void TCustomRichEdit::WMSize(TMessage& message) {
    m_rangeCleared = {};
    TCustomMemo::WMSize(message);
}

void TCustomRichEdit::Scrolled(int bar) {
    m_rangeCleared = {};
    TCustomMemo::Scrolled(bar);
}

void TCustomRichEdit::DefaultHandler(TMessage& message) {
    if (message.Msg == WM_VSCROLL || message.Msg == WM_HSCROLL) {
        ScrollPixels(message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LoWord(message.WParam),
                     static_cast<int16_t>(HiWord(message.WParam)));
        message.Result = 0;
        return;
    }
    TCustomMemo::DefaultHandler(message);
}

TScrollRange TCustomRichEdit::ScrollInfo(int bar) const {
    const std::size_t slot = bar == SB_VERT ? 0 : 1;
    if (m_rangeCleared[slot]) return {};
    const TScrollRange r = ScrollRange(bar);
    if (bar != SB_VERT) return r;
    const int h = RowHeight();
    return {r.Min * h, r.Max * h, r.Max == 0 ? 0 : TextArea().Height(), r.Pos * h};
}

void TCustomRichEdit::ClearScrollRange(int bar) {
    m_rangeCleared[bar == SB_VERT ? 0 : 1] = true;
}

void TCustomRichEdit::ScrollPixels(int bar, int code, int pos) {
    if (bar == SB_VERT && (code == SB_THUMBPOSITION || code == SB_THUMBTRACK))
        pos = (pos + RowHeight() / 2) / RowHeight();
    Scroll(bar, code, pos);
}

}  // namespace platform::forms
