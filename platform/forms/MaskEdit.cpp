#include "platform/forms/MaskEdit.h"

#include "platform/core/Strings.h"
#include "platform/forms/MessageBox.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr uint32_t kRefocusMessage = WM_USER + 0x4D45;  // takes the focus back after a refused exit

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
bool IsLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}
char32_t ApplyCase(char32_t c, int mode) {
    if (mode == 0) return c;
    std::string s;
    core::AppendUtf8(s, c);
    const std::u32string cps = core::Utf8ToCodePoints(mode > 0 ? core::UpperCase(s) : core::LowerCase(s));
    return cps.size() == 1 ? cps[0] : c;
}
}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::ParseMask(const std::string& mask) {
    m_places.clear();
    m_saveLiterals = true;
    m_trimBlanks = false;
    m_blank = U'_';
    const std::vector<std::string> fields = core::SplitString(mask, ';');
    if (fields.size() > 1 && !fields[1].empty()) m_saveLiterals = fields[1] != "0";
    if (fields.size() > 2 && !fields[2].empty()) m_blank = core::Utf8ToCodePoints(fields[2])[0];
    const std::u32string cps = core::Utf8ToCodePoints(fields.empty() ? std::string() : fields[0]);
    int caseMode = 0;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        TPlace p;
        p.Case = caseMode;
        switch (c) {
            case U'!':
                m_trimBlanks = true;
                continue;
            case U'>':
                caseMode = 1;
                continue;
            case U'<':
                if (i + 1 < cps.size() && cps[i + 1] == U'>') {
                    caseMode = 0;
                    ++i;
                } else {
                    caseMode = -1;
                }
                continue;
            case U'\\':
                if (i + 1 < cps.size()) p.Literal = cps[++i];
                break;
            case U'_':
                p.Literal = U' ';
                break;
            case U'0':
            case U'9':
                p = {TPlaceKind::Digit, 0, c == U'0', 0};
                break;
            case U'#':
                p = {TPlaceKind::DigitOrSign, 0, false, 0};
                break;
            case U'L':
            case U'l':
                p = {TPlaceKind::Letter, 0, c == U'L', caseMode};
                break;
            case U'A':
            case U'a':
                p = {TPlaceKind::AlphaNum, 0, c == U'A', caseMode};
                break;
            case U'C':
            case U'c':
                p = {TPlaceKind::Any, 0, c == U'C', caseMode};
                break;
            default:
                p.Literal = c;
                break;
        }
        m_places.push_back(p);
    }
}

void TCustomMaskEdit::SetEditMask(const std::string& value) {
    const std::string before = IsMasked() ? Value() : Text();
    m_editMask = value;
    ParseMask(value);
    TCustomEdit::SetText(IsMasked() ? Dress(before) : before);
}

void TCustomMaskEdit::SetText(const std::string& value) {
    TCustomEdit::SetText(IsMasked() ? Dress(value) : value);
}

bool TCustomMaskEdit::Accepts(const TPlace& place, char32_t ch) const {
    switch (place.Kind) {
        case TPlaceKind::Digit:
            return IsDigit(ch);
        case TPlaceKind::DigitOrSign:
            return IsDigit(ch) || ch == U'+' || ch == U'-';
        case TPlaceKind::Letter:
            return IsLetter(ch);
        case TPlaceKind::AlphaNum:
            return IsLetter(ch) || IsDigit(ch);
        case TPlaceKind::Any:
            return ch >= 0x20;
        case TPlaceKind::Literal:
            break;
    }
    return false;
}

std::string TCustomMaskEdit::Dress(std::string_view text) const {
    const std::u32string in = core::Utf8ToCodePoints(text);
    std::u32string out;
    std::size_t at = 0;
    for (const TPlace& p : m_places) {
        if (p.Kind == TPlaceKind::Literal) {
            if (at < in.size() && in[at] == p.Literal) ++at;
            out += p.Literal;
            continue;
        }
        char32_t put = m_blank;
        while (at < in.size()) {
            const char32_t c = in[at++];
            if (Accepts(p, c)) {
                put = ApplyCase(c, p.Case);
                break;
            }
            if (c == m_blank || c == U' ') break;
        }
        out += put;
    }
    return core::CodePointsToUtf8(out);
}

std::vector<std::size_t> TCustomMaskEdit::PlaceOffsets() const {
    const std::string& text = m_core.Text();
    std::vector<std::size_t> offsets;
    offsets.reserve(m_places.size() + 1);
    std::size_t at = 0;
    for (std::size_t i = 0; i < m_places.size() && at <= text.size(); ++i) {
        offsets.push_back(at);
        at += std::max<std::size_t>(1, core::Utf8CharLength(text, at));
    }
    offsets.push_back(std::min(at, text.size()));
    return offsets;
}

int TCustomMaskEdit::PlaceAt(std::size_t byteOffset) const {
    const std::vector<std::size_t> offsets = PlaceOffsets();
    for (std::size_t i = 0; i + 1 < offsets.size(); ++i)
        if (offsets[i] >= byteOffset) return static_cast<int>(i);
    return static_cast<int>(m_places.size());
}

std::size_t TCustomMaskEdit::CaretTarget(std::size_t pos, bool forward) const {
    if (!IsMasked()) return pos;
    const std::vector<std::size_t> offsets = PlaceOffsets();
    const int count = static_cast<int>(m_places.size());
    int i = PlaceAt(pos);
    const auto literal = [&](int k) {
        return k < count && m_places[static_cast<std::size_t>(k)].Kind == TPlaceKind::Literal;
    };
    int j = i;
    if (forward) {
        while (literal(j)) ++j;
    } else {
        while (j > 0 && literal(j)) --j;
        if (literal(j)) {
            j = i;
            while (literal(j)) ++j;
        }
    }
    return offsets[static_cast<std::size_t>(std::min(j, count))];
}

bool TCustomMaskEdit::PutChar(char32_t ch) {
    const std::vector<std::size_t> offsets = PlaceOffsets();
    int i = PlaceAt(CaretTarget(m_core.Caret(), true));
    if (i >= static_cast<int>(m_places.size())) return false;
    const TPlace& place = m_places[static_cast<std::size_t>(i)];
    if (!Accepts(place, ch)) return false;
    std::string s;
    core::AppendUtf8(s, ApplyCase(ch, place.Case));
    m_core.SetSelection(offsets[static_cast<std::size_t>(i)], offsets[static_cast<std::size_t>(i) + 1]);
    m_core.ReplaceSelection(s, TEditKind::Typing);
    m_core.MoveCaret(CaretTarget(m_core.Caret(), true), false);
    return true;
}

bool TCustomMaskEdit::BlankRange(std::size_t from, std::size_t to) {
    const std::u32string cps = core::Utf8ToCodePoints(m_core.Text());
    const int first = PlaceAt(from), last = PlaceAt(to);
    std::u32string blanked = cps;
    bool changed = false;
    for (int k = first; k < last && k < static_cast<int>(m_places.size()) && k < static_cast<int>(cps.size());
         ++k) {
        if (m_places[static_cast<std::size_t>(k)].Kind == TPlaceKind::Literal) continue;
        changed = changed || blanked[static_cast<std::size_t>(k)] != m_blank;
        blanked[static_cast<std::size_t>(k)] = m_blank;
    }
    if (!changed) {
        m_core.MoveCaret(from, false);
        return false;
    }
    const std::vector<std::size_t> offsets = PlaceOffsets();
    const std::size_t a = offsets[static_cast<std::size_t>(first)],
                      b = offsets[static_cast<std::size_t>(last)];
    m_core.SetSelection(a, b);
    m_core.ReplaceSelection(core::CodePointsToUtf8(
        blanked.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first))));
    m_core.MoveCaret(a, false);
    return true;
}

void TCustomMaskEdit::TypeCharacter(char32_t ch) {
    if (!IsMasked()) {
        TCustomEdit::TypeCharacter(ch);
        return;
    }
    if (ch < 0x20 || ch == 0x7F) return;
    bool changed = false;
    if (m_core.HasSelection()) changed = BlankRange(m_core.SelStart(), m_core.SelEnd());
    changed = PutChar(ch) || changed;
    AfterEdit(changed);
}

bool TCustomMaskEdit::EditBackspace() {
    if (!IsMasked()) return TCustomEdit::EditBackspace();
    if (m_core.HasSelection()) return BlankRange(m_core.SelStart(), m_core.SelEnd());
    const std::vector<std::size_t> offsets = PlaceOffsets();
    int i = PlaceAt(m_core.Caret()) - 1;
    while (i >= 0 && m_places[static_cast<std::size_t>(i)].Kind == TPlaceKind::Literal) --i;
    if (i < 0) return false;
    return BlankRange(offsets[static_cast<std::size_t>(i)], offsets[static_cast<std::size_t>(i) + 1]);
}

bool TCustomMaskEdit::EditDelete(bool byWord) {
    if (!IsMasked()) return TCustomEdit::EditDelete(byWord);
    if (m_core.HasSelection()) return BlankRange(m_core.SelStart(), m_core.SelEnd());
    const std::size_t at = CaretTarget(m_core.Caret(), true);
    const std::vector<std::size_t> offsets = PlaceOffsets();
    const int i = PlaceAt(at);
    if (i >= static_cast<int>(m_places.size())) return false;
    const bool changed =
        BlankRange(offsets[static_cast<std::size_t>(i)], offsets[static_cast<std::size_t>(i) + 1]);
    m_core.MoveCaret(at, false);
    return changed;
}

bool TCustomMaskEdit::EditInsert(std::string_view text) {
    if (!IsMasked()) return TCustomEdit::EditInsert(text);
    bool changed = false;
    if (m_core.HasSelection()) changed = BlankRange(m_core.SelStart(), m_core.SelEnd());
    for (const char32_t c : core::Utf8ToCodePoints(text)) changed = PutChar(c) || changed;
    return changed;
}

std::string TCustomMaskEdit::Value() const {
    if (!IsMasked()) return Text();
    const std::u32string cps = core::Utf8ToCodePoints(m_core.Text());
    std::u32string out;
    for (std::size_t i = 0; i < m_places.size() && i < cps.size(); ++i) {
        if (m_places[i].Kind == TPlaceKind::Literal) {
            if (m_saveLiterals) out += cps[i];
        } else {
            out += cps[i] == m_blank ? U' ' : cps[i];
        }
    }
    if (m_trimBlanks)
        while (!out.empty() && out.back() == U' ') out.pop_back();
    return core::CodePointsToUtf8(out);
}

bool TCustomMaskEdit::IsValid() const {
    if (!IsMasked()) return true;
    const std::u32string cps = core::Utf8ToCodePoints(m_core.Text());
    for (std::size_t i = 0; i < m_places.size(); ++i)
        if (m_places[i].Required && (i >= cps.size() || cps[i] == m_blank)) return false;
    return true;
}

bool TCustomMaskEdit::ValidateEdit() {
    if (IsValid()) return true;
    if (OnValidateError)
        OnValidateError(this, kInvalidInput);
    else
        ShowMessageBox(kInvalidInput);
    return false;
}

void TCustomMaskEdit::DoExit() {
    if (IsMasked() && Modified() && !IsValid()) {
        // Without a handler the message shows once the change of focus has finished: a modal box
        // in the middle of it would take the focus from both controls.
        if (OnValidateError)
            OnValidateError(this, kInvalidInput);
        else
            m_refusalPending = true;
        // The focus comes back once the change of focus has finished.
        if (TWindowSystem* ws = TWindowSystem::Current(); ws && HandleAllocated())
            ws->PostMessage(HandleIfAllocated(), kRefocusMessage);
        return;
    }
    TCustomEdit::DoExit();
}

void TCustomMaskEdit::DefaultHandler(TMessage& m) {
    if (m.Msg == kRefocusMessage) {
        if (m_refusalPending) {
            m_refusalPending = false;
            const auto alive = WeakRef();
            ShowMessageBox(kInvalidInput);
            if (!alive) return;
        }
        if (CanFocus()) SetFocus();
        // The caret goes to the first required place still empty.
        const std::u32string cps = core::Utf8ToCodePoints(m_core.Text());
        const std::vector<std::size_t> offsets = PlaceOffsets();
        for (std::size_t i = 0; i < m_places.size() && i < cps.size(); ++i) {
            if (m_places[i].Required && cps[i] == m_blank) {
                SetSelStart(static_cast<int>(offsets[i]));
                break;
            }
        }
        return;
    }
    TCustomEdit::DefaultHandler(m);
}

}  // namespace platform::forms
