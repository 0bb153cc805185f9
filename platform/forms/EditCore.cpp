#include "platform/forms/EditCore.h"

#include "platform/core/Strings.h"

namespace platform::forms {

namespace {

// The code point at s[i] and its length; a broken sequence is one byte of U+FFFD (the core keeps
// its text valid, so this only guards against misuse).
char32_t DecodeAt(std::string_view s, std::size_t i, std::size_t& len) {
    const auto b = static_cast<unsigned char>(s[i]);
    len = core::Utf8CharLength(s, i);
    if (len <= 1) return b < 0x80 ? b : U'\uFFFD';
    char32_t cp = b & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

// The start of the code point that holds s[pos - 1] (a broken byte stands alone).
std::size_t PrevCodePointStart(std::string_view s, std::size_t pos) {
    if (pos == 0) return 0;
    std::size_t start = pos - 1;
    for (int k = 0; k < 3 && start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80; ++k) --start;
    if ((static_cast<unsigned char>(s[start]) & 0xC0) != 0x80 &&
        start + core::Utf8CharLength(s, start) >= pos)
        return start;
    return pos - 1;
}

char32_t CodePointBefore(std::string_view s, std::size_t pos, std::size_t& start) {
    start = PrevCodePointStart(s, pos);
    std::size_t len = 0;
    return DecodeAt(s, start, len);
}

bool InRanges(char32_t c, std::initializer_list<std::pair<char32_t, char32_t>> ranges) {
    for (const auto& [lo, hi] : ranges)
        if (c >= lo && c <= hi) return true;
    return false;
}

// Marks that attach to the character before them (the common combining ranges of the scripts a
// desktop meets), variation selectors, emoji modifiers and the zero-width joiner.
bool IsExtender(char32_t c) {
    return InRanges(
        c, {{0x0300, 0x036F},  {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF},   {0x05C1, 0x05C2},
            {0x05C4, 0x05C5},  {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F},   {0x0670, 0x0670},
            {0x06D6, 0x06DC},  {0x06DF, 0x06E4}, {0x0900, 0x0903}, {0x093A, 0x094F},   {0x0951, 0x0957},
            {0x0962, 0x0963},  {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E},   {0x1160, 0x11FF},
            {0x1AB0, 0x1AFF},  {0x1DC0, 0x1DFF}, {0x200C, 0x200D}, {0x20D0, 0x20FF},   {0x302A, 0x302F},
            {0x3099, 0x309A},  {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0x1F3FB, 0x1F3FF}, {0xE0020, 0xE007F},
            {0xE0100, 0xE01EF}});
}

bool IsRegionalIndicator(char32_t c) {
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

// Whether a boundary lies between the code points a (before) and b (after); riCount is the
// number of regional indicators in a row ending with a.
bool BreakBetween(char32_t a, char32_t b, int riCount) {
    if (a == U'\r' && b == U'\n') return false;
    if (a == U'\r' || a == U'\n' || b == U'\r' || b == U'\n') return true;
    if (IsExtender(b)) return false;
    if (a == 0x200D) return false;  // a joined emoji sequence
    if (IsRegionalIndicator(a) && IsRegionalIndicator(b)) return riCount % 2 == 0;
    return true;
}

enum class TCharClass : unsigned char { Blank, LineBreak, Word, Punct };

TCharClass ClassOf(char32_t c) {
    if (c == U'\n' || c == U'\r') return TCharClass::LineBreak;
    if (c == U' ' || c == U'\t' || c == 0xA0 || c == 0x3000 || (c >= 0x2000 && c <= 0x200A))
        return TCharClass::Blank;
    if ((c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'_')
        return TCharClass::Word;
    if (c < 0x80) return TCharClass::Punct;
    if ((c >= 0x2010 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) || c == 0xAB || c == 0xBB || c == 0xBF ||
        c == 0xA1 || c == 0xA7 || c == 0xB7 || c == 0xD7 || c == 0xF7)
        return TCharClass::Punct;
    return TCharClass::Word;
}

TCharClass ClassAt(std::string_view s, std::size_t pos) {
    std::size_t len = 0;
    return ClassOf(DecodeAt(s, pos, len));
}

// The index of the next code point whose class differs from cls, from pos on.
std::size_t SkipForward(std::string_view s, std::size_t pos, TCharClass cls) {
    while (pos < s.size() && ClassAt(s, pos) == cls) pos = textseg::NextGrapheme(s, pos);
    return pos;
}

std::size_t SkipBackward(std::string_view s, std::size_t pos, TCharClass cls) {
    while (pos > 0) {
        const std::size_t prev = textseg::PrevGrapheme(s, pos);
        if (ClassAt(s, prev) != cls) break;
        pos = prev;
    }
    return pos;
}

}  // namespace

namespace textseg {

std::size_t NextGrapheme(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return s.size();
    std::size_t len = 0;
    char32_t prev = DecodeAt(s, pos, len);
    int ri = IsRegionalIndicator(prev) ? 1 : 0;
    pos += len;
    while (pos < s.size()) {
        const char32_t next = DecodeAt(s, pos, len);
        if (BreakBetween(prev, next, ri)) break;
        ri = IsRegionalIndicator(next) ? ri + 1 : 0;
        prev = next;
        pos += len;
    }
    return pos;
}

std::size_t PrevGrapheme(std::string_view s, std::size_t pos) {
    pos = std::min(pos, s.size());
    if (pos == 0) return 0;
    // Walk back to a code point that surely starts a character (not an extender, not after a
    // joiner, not within a run of regional indicators), then forward by characters.
    std::size_t start = pos;
    int guard = 0;
    while (start > 0 && guard++ < 64) {
        std::size_t before = 0;
        const char32_t c = CodePointBefore(s, start, before);
        start = before;
        if (start == 0) break;
        std::size_t ignored = 0;
        const char32_t p = CodePointBefore(s, start, ignored);
        if (!IsExtender(c) && p != 0x200D && !IsRegionalIndicator(c) && !(p == U'\r' && c == U'\n')) break;
    }
    std::size_t last = start;
    for (std::size_t at = start; at < pos;) {
        last = at;
        at = NextGrapheme(s, at);
    }
    return last;
}

std::size_t SnapToGrapheme(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return s.size();
    if (pos == 0) return 0;
    const std::size_t prev = PrevGrapheme(s, pos);
    return NextGrapheme(s, prev) == pos ? pos : prev;
}

std::size_t NextWordStart(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return s.size();
    const TCharClass cls = ClassAt(s, pos);
    if (cls == TCharClass::LineBreak) return NextGrapheme(s, pos);
    if (cls != TCharClass::Blank) pos = SkipForward(s, pos, cls);
    return SkipForward(s, pos, TCharClass::Blank);
}

std::size_t PrevWordStart(std::string_view s, std::size_t pos) {
    pos = std::min(pos, s.size());
    pos = SkipBackward(s, pos, TCharClass::Blank);
    if (pos == 0) return 0;
    const std::size_t prev = PrevGrapheme(s, pos);
    const TCharClass cls = ClassAt(s, prev);
    if (cls == TCharClass::LineBreak) return prev;
    return SkipBackward(s, pos, cls);
}

std::pair<std::size_t, std::size_t> WordAt(std::string_view s, std::size_t pos) {
    if (s.empty()) return {0, 0};
    pos = SnapToGrapheme(s, pos);
    if (pos >= s.size()) pos = PrevGrapheme(s, s.size());
    TCharClass cls = ClassAt(s, pos);
    // At a line end the word before it is meant.
    if (cls == TCharClass::LineBreak && pos > 0) {
        const std::size_t prev = PrevGrapheme(s, pos);
        if (ClassAt(s, prev) != TCharClass::LineBreak) {
            pos = prev;
            cls = ClassAt(s, pos);
        }
    }
    if (cls == TCharClass::LineBreak) return {pos, NextGrapheme(s, pos)};
    return {SkipBackward(s, pos, cls), SkipForward(s, pos, cls)};
}

std::size_t CodePointCount(std::string_view s) {
    std::size_t n = 0;
    for (const char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace textseg

// ---- TEditCore ----

void TEditCore::SetText(std::string_view text) {
    m_text = Normalize(text);
    m_caret = m_anchor = 0;
    m_lastChange = {0, 0, 0, true, m_lastChange.Serial + 1};
    ClearUndo();
}

void TEditCore::ReplaceRange(std::size_t from, std::size_t to, std::string_view text) {
    from = textseg::SnapToGrapheme(m_text, from);
    to = std::max(from, textseg::SnapToGrapheme(m_text, to));
    const std::string inserted = Normalize(text);
    m_text.replace(from, to - from, inserted);
    m_lastChange = {from, to - from, inserted.size(), false, m_lastChange.Serial + 1};
    const auto moved = [&](std::size_t p) {
        if (p <= from) return p;
        if (p >= to) return p - (to - from) + inserted.size();
        return from + inserted.size();
    };
    m_caret = textseg::SnapToGrapheme(m_text, moved(m_caret));
    m_anchor = textseg::SnapToGrapheme(m_text, moved(m_anchor));
    ClearUndo();
}

void TEditCore::SetSelection(std::size_t anchor, std::size_t caret) {
    m_anchor = textseg::SnapToGrapheme(m_text, anchor);
    m_caret = textseg::SnapToGrapheme(m_text, caret);
    m_sealed = true;
}

void TEditCore::MoveCaret(std::size_t pos, bool extend) {
    SetSelection(extend ? m_anchor : pos, pos);
}

std::string TEditCore::Normalize(std::string_view text) const {
    std::string out =
        core::IsValidUtf8(text) ? std::string(text) : core::CodePointsToUtf8(core::Utf8ToCodePoints(text));
    if (!m_multiLine) {
        const std::size_t cut = out.find_first_of("\r\n");
        if (cut != std::string::npos) out.resize(cut);
        return out;
    }
    if (out.find('\r') == std::string::npos) return out;
    std::string lf;
    lf.reserve(out.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != '\r') {
            lf += out[i];
        } else {
            lf += '\n';
            if (i + 1 < out.size() && out[i + 1] == '\n') ++i;
        }
    }
    return lf;
}

std::string TEditCore::FitLength(std::string text, std::size_t replacedCodePoints) const {
    if (m_maxLength == 0) return text;
    const std::size_t have = textseg::CodePointCount(m_text) - replacedCodePoints;
    if (have >= m_maxLength) return {};
    const std::size_t room = m_maxLength - have;
    if (textseg::CodePointCount(text) <= room) return text;
    // Whole characters only: stop at the last boundary that fits.
    std::size_t fit = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = textseg::NextGrapheme(text, at);
        if (textseg::CodePointCount(std::string_view(text).substr(0, next)) > room) break;
        fit = at = next;
    }
    text.resize(fit);
    return text;
}

bool TEditCore::ReplaceSelection(std::string_view text, TEditKind kind) {
    const std::size_t from = SelStart();
    const std::size_t to = SelEnd();
    std::string inserted =
        FitLength(Normalize(text), textseg::CodePointCount(std::string_view(m_text).substr(from, to - from)));
    if (inserted.empty() && from == to) return false;
    Apply(from, to, std::move(inserted), kind);
    return true;
}

bool TEditCore::TypeChar(char32_t ch, bool overwrite) {
    std::string s;
    core::AppendUtf8(s, ch);
    if (overwrite && !HasSelection() && m_caret < m_text.size() && m_text[m_caret] != '\n') {
        const std::size_t next = textseg::NextGrapheme(m_text, m_caret);
        // A combining mark joins the character before it instead of replacing one.
        if (!IsExtender(ch)) {
            const std::string fitted = FitLength(
                s, textseg::CodePointCount(std::string_view(m_text).substr(m_caret, next - m_caret)));
            if (fitted.empty()) return false;
            Apply(m_caret, next, fitted, TEditKind::Typing);
            return true;
        }
    }
    return ReplaceSelection(s, TEditKind::Typing);
}

bool TEditCore::Backspace() {
    if (HasSelection()) return ClearSelection();
    if (m_caret == 0) return false;
    Apply(textseg::PrevGrapheme(m_text, m_caret), m_caret, {}, TEditKind::DeleteBack);
    return true;
}

bool TEditCore::DeleteForward() {
    if (HasSelection()) return ClearSelection();
    if (m_caret >= m_text.size()) return false;
    Apply(m_caret, textseg::NextGrapheme(m_text, m_caret), {}, TEditKind::DeleteForward);
    return true;
}

bool TEditCore::DeleteWordBack() {
    if (HasSelection()) return ClearSelection();
    if (m_caret == 0) return false;
    Apply(textseg::PrevWordStart(m_text, m_caret), m_caret, {}, TEditKind::Other);
    return true;
}

bool TEditCore::DeleteWordForward() {
    if (HasSelection()) return ClearSelection();
    if (m_caret >= m_text.size()) return false;
    Apply(m_caret, textseg::NextWordStart(m_text, m_caret), {}, TEditKind::Other);
    return true;
}

bool TEditCore::ClearSelection() {
    if (!HasSelection()) return false;
    Apply(SelStart(), SelEnd(), {}, TEditKind::Other);
    return true;
}

void TEditCore::Apply(std::size_t from, std::size_t to, std::string inserted, TEditKind kind) {
    TStep step{from, m_text.substr(from, to - from), std::move(inserted), m_anchor, m_caret, kind};
    m_text.replace(from, to - from, step.Inserted);
    m_lastChange = {from, to - from, step.Inserted.size(), false, m_lastChange.Serial + 1};
    m_caret = m_anchor = from + step.Inserted.size();
    m_redo.clear();
    if (!Merge(step)) {
        m_undo.push_back(std::move(step));
        if (m_undo.size() > kUndoLimit) m_undo.erase(m_undo.begin());
    }
    m_sealed = kind == TEditKind::Other;
}

bool TEditCore::Merge(const TStep& step) {
    if (m_sealed || m_undo.empty() || step.Kind == TEditKind::Other) return false;
    TStep& last = m_undo.back();
    if (last.Kind != step.Kind) return false;
    switch (step.Kind) {
        case TEditKind::Typing:
            if (step.Pos != last.Pos + last.Inserted.size()) return false;
            last.Inserted += step.Inserted;
            last.Removed += step.Removed;
            return true;
        case TEditKind::DeleteBack:
            if (step.Pos + step.Removed.size() != last.Pos) return false;
            last.Pos = step.Pos;
            last.Removed = step.Removed + last.Removed;
            return true;
        case TEditKind::DeleteForward:
            if (step.Pos != last.Pos) return false;
            last.Removed += step.Removed;
            return true;
        case TEditKind::Other:
            break;
    }
    return false;
}

bool TEditCore::Undo() {
    if (m_undo.empty()) return false;
    TStep step = std::move(m_undo.back());
    m_undo.pop_back();
    m_text.replace(step.Pos, step.Inserted.size(), step.Removed);
    m_lastChange = {step.Pos, step.Inserted.size(), step.Removed.size(), false, m_lastChange.Serial + 1};
    m_anchor = std::min(step.AnchorBefore, m_text.size());
    m_caret = std::min(step.CaretBefore, m_text.size());
    m_redo.push_back(std::move(step));
    m_sealed = true;
    return true;
}

bool TEditCore::Redo() {
    if (m_redo.empty()) return false;
    TStep step = std::move(m_redo.back());
    m_redo.pop_back();
    m_text.replace(step.Pos, step.Removed.size(), step.Inserted);
    m_lastChange = {step.Pos, step.Removed.size(), step.Inserted.size(), false, m_lastChange.Serial + 1};
    m_caret = m_anchor = step.Pos + step.Inserted.size();
    m_undo.push_back(std::move(step));
    m_sealed = true;
    return true;
}

void TEditCore::ClearUndo() {
    m_undo.clear();
    m_redo.clear();
    m_sealed = true;
}

}  // namespace platform::forms
