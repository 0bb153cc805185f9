#include "platform/forms/Edit.h"

#include <algorithm>
#include <cstdlib>

#include "platform/core/Strings.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr uintptr_t kCaretTimer = 0x4544;  // "ED"
constexpr uint64_t kTripleClickMs = 500;
constexpr int kTripleClickSlop = 4;
constexpr std::size_t kTabBlanks = 4;

bool CtrlOnly(TShiftState shift) {
    return (shift & ssCtrl) && !(shift & ssAlt);
}
}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    m_width = 121;
    m_height = 21;
    m_controlStyle |= csOpaque;
    m_controlStyle &= ~csSetCaption;
    SetCursor(crIBeam);
    SetParentColor(false);
    SetColor(gfx::clWindow);
}

TCustomEdit::~TCustomEdit() {
    StopCaretTimer();
}

void TCustomEdit::SetText(const std::string& value) {
    m_core.SetText(ConvertCase(value));
    m_modified = false;
    m_scrollX = 0;
    TextLayoutChanged();
    m_syncing = true;
    TControl::SetText(m_core.Text());
    m_syncing = false;
    EnsureCaretVisible();
    Invalidate();
}

void TCustomEdit::CMTextChanged(TMessage& m) {
    // A change made around SetText (a window text message, a resource) reaches the core here.
    if (!m_syncing && Text() != m_core.Text()) {
        m_core.SetText(Text());
        m_scrollX = 0;
        TextLayoutChanged();
    }
    (void)m;
    InvalidateText();
    Change();
}

void TCustomEdit::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}

// ---- Selection ----

void TCustomEdit::SetSelStart(int value) {
    m_core.MoveCaret(static_cast<std::size_t>(std::max(0, value)), false);
    AfterMove();
}

void TCustomEdit::SetSelLength(int value) {
    const std::size_t start = m_core.SelStart();
    m_core.SetSelection(start, start + static_cast<std::size_t>(std::max(0, value)));
    AfterMove();
}

void TCustomEdit::SetSelText(const std::string& value) {
    AfterEdit(EditInsert(value));
}

void TCustomEdit::SelectAll() {
    m_core.SelectAll();
    AfterMove();
}

void TCustomEdit::ClearSelection() {
    if (EditsAllowed() && m_core.HasSelection()) AfterEdit(EditDelete(false));
}

void TCustomEdit::CutToClipboard() {
    if (!EditsAllowed() || !m_core.HasSelection()) return;
    CopyToClipboard();
    AfterEdit(EditDelete(false));
}

void TCustomEdit::CopyToClipboard() {
    // A password is never handed out.
    if (!m_core.HasSelection() || m_passwordChar != 0) return;
    if (TWindowSystem* ws = TWindowSystem::Current()) ws->SetClipboardText(m_core.SelText());
}

void TCustomEdit::PasteFromClipboard() {
    if (!EditsAllowed()) return;
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws) return;
    const std::string text = ws->ClipboardText();
    if (text.empty()) return;
    m_core.SealUndo();
    AfterEdit(EditInsert(text));
    m_core.SealUndo();
}

void TCustomEdit::Undo() {
    if (EditsAllowed()) AfterEdit(m_core.Undo());
}

void TCustomEdit::Redo() {
    if (EditsAllowed()) AfterEdit(m_core.Redo());
}

// ---- Properties ----

void TCustomEdit::SetMaxLength(int value) {
    m_core.SetMaxLength(static_cast<std::size_t>(std::max(0, value)));
}

void TCustomEdit::SetReadOnly(bool value) {
    m_readOnly = value;
    InvalidateText();
}

void TCustomEdit::SetPasswordChar(char32_t value) {
    if (value == m_passwordChar) return;
    m_passwordChar = value;
    EnsureCaretVisible();
    InvalidateText();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == m_charCase) return;
    m_charCase = value;
    if (value != ecNormal) {
        const std::size_t anchor = m_core.Anchor(), caret = m_core.Caret();
        const std::string converted = ConvertCase(m_core.Text());
        if (converted != m_core.Text()) {
            SetText(converted);
            m_core.SetSelection(anchor, caret);
        }
    }
}

void TCustomEdit::SetAlignment(TAlignment value) {
    if (value == m_alignment) return;
    m_alignment = value;
    EnsureCaretVisible();
    InvalidateText();
}

void TCustomEdit::SetHideSelection(bool value) {
    m_hideSelection = value;
    InvalidateText();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value == m_borderStyle) return;
    m_borderStyle = value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetMargins(int left, int right) {
    m_leftMargin = std::max(0, left);
    m_rightMargin = std::max(0, right);
    EnsureCaretVisible();
    InvalidateText();
}

void TCustomEdit::SetOverwrite(bool value) {
    m_overwrite = value;
    InvalidateCaret();
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (m_borderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

// ---- Editing plumbing ----

std::string TCustomEdit::ConvertCase(std::string_view text) const {
    switch (m_charCase) {
        case ecUpperCase:
            return core::UpperCase(text);
        case ecLowerCase:
            return core::LowerCase(text);
        case ecNormal:
            break;
    }
    return std::string(text);
}

void TCustomEdit::AfterEdit(bool changed, bool byUser) {
    if (changed) {
        if (byUser) m_modified = true;
        m_syncing = true;
        TextLayoutChanged();
        TControl::SetText(m_core.Text());
        m_syncing = false;
    }
    AfterMove();
}

void TCustomEdit::AfterMove() {
    EnsureCaretVisible();
    ResetCaretBlink();
    InvalidateText();
    OfferPrimarySelection();
    ReportImeCaret();
}

void TCustomEdit::OfferPrimarySelection() {
    if (!m_core.HasSelection() || m_passwordChar != 0) return;
    if (TWindowSystem* ws = TWindowSystem::Current()) ws->SetPrimarySelectionText(m_core.SelText());
}

std::string TCustomEdit::DisplayText(std::string_view text) const {
    if (m_passwordChar == 0) {
        if (text.find('\t') == std::string_view::npos) return std::string(text);
        // A tab shows as a fixed run of blanks, so widths stay additive.
        std::string shown;
        for (const char c : text) {
            if (c == '\t')
                shown.append(kTabBlanks, ' ');
            else
                shown += c;
        }
        return shown;
    }
    std::string shown;
    for (std::size_t at = 0; at < text.size(); at = textseg::NextGrapheme(text, at))
        core::AppendUtf8(shown, m_passwordChar);
    return shown;
}

int TCustomEdit::ShownWidth(std::string_view text) const {
    if (text.empty()) return 0;
    return gfx::TextEngine::TextWidth(Font(), DisplayText(text));
}

std::size_t TCustomEdit::PositionInLine(std::string_view line, int x) const {
    if (x <= 0) return 0;
    int left = 0;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t next = textseg::NextGrapheme(line, at);
        const int right = left + ShownWidth(line.substr(at, next - at));
        if (x < (left + right + 1) / 2) return at;
        if (x < right) return next;
        left = right;
        at = next;
    }
    return line.size();
}

int TCustomEdit::LineHeight() const {
    return std::max(1, gfx::TextEngine::Metrics(Font()).Height);
}

TRect TCustomEdit::TextArea() const {
    const TRect c = ClientRect();
    return {c.Left + m_leftMargin, c.Top, std::max(c.Left + m_leftMargin, c.Right - m_rightMargin), c.Bottom};
}

// ---- Layout of the single line ----

namespace {
// Left of the text within the area for the alignment, before scrolling.
int AlignedStart(TAlignment alignment, int areaWidth, int textWidth) {
    if (textWidth >= areaWidth) return 0;
    switch (alignment) {
        case taRightJustify:
            return areaWidth - textWidth - 1;
        case taCenter:
            return (areaWidth - textWidth) / 2;
        case taLeftJustify:
            break;
    }
    return 0;
}
}  // namespace

TRect TCustomEdit::CaretRect() const {
    const TRect area = TextArea();
    const int h = LineHeight();
    const int top = area.Top + std::max(0, (area.Height() - h) / 2);
    const std::string_view text = m_core.Text();
    const int start = area.Left + AlignedStart(m_alignment, area.Width(), ShownWidth(text)) - m_scrollX;
    const int x = start + ShownWidth(text.substr(0, m_core.Caret()));
    int width = 1;
    if (m_overwrite && m_core.Caret() < text.size())
        width =
            std::max(1, ShownWidth(text.substr(
                            m_core.Caret(), textseg::NextGrapheme(text, m_core.Caret()) - m_core.Caret())));
    return {x, top, x + width, top + h};
}

std::size_t TCustomEdit::PositionAt(TPoint client) const {
    const TRect area = TextArea();
    const std::string_view text = m_core.Text();
    const int start = area.Left + AlignedStart(m_alignment, area.Width(), ShownWidth(text)) - m_scrollX;
    return PositionInLine(text, client.X - start);
}

void TCustomEdit::EnsureCaretVisible() {
    const TRect area = TextArea();
    const int width = area.Width();
    const std::string_view text = m_core.Text();
    const int total = ShownWidth(text);
    if (width <= 0 || total < width) {
        m_scrollX = 0;
        return;
    }
    const int caretX = ShownWidth(text.substr(0, m_core.Caret()));
    // Jump by a third of the width so that typing at an edge does not scroll at every key.
    const int step = std::max(1, width / 3);
    if (caretX < m_scrollX) m_scrollX = std::max(0, caretX - step);
    if (caretX >= m_scrollX + width) m_scrollX = std::min(caretX - width + step, total - width + 1);
    m_scrollX = std::clamp(m_scrollX, 0, std::max(0, total - width + 1));
}

void TCustomEdit::PaintText(gfx::TCanvas& canvas) {
    const TRect area = TextArea();
    const std::string_view text = m_core.Text();
    const int h = LineHeight();
    const int top = area.Top + std::max(0, (area.Height() - h) / 2);
    const int x = area.Left + AlignedStart(m_alignment, area.Width(), ShownWidth(text)) - m_scrollX;
    canvas.IntersectClipRect(area);
    canvas.Brush.Style = gfx::TBrushStyle::bsClear;
    canvas.Font = Font();
    if (!Enabled()) canvas.Font.SetColor(gfx::clGrayText);
    canvas.TextOut(x, top, DisplayText(text));
    const bool showSelection = m_core.HasSelection() && (Focused() || !m_hideSelection);
    if (showSelection) {
        const std::size_t s = m_core.SelStart(), e = m_core.SelEnd();
        const int sx = x + ShownWidth(text.substr(0, s));
        const int ex = sx + ShownWidth(text.substr(s, e - s));
        canvas.Brush = gfx::TBrush{gfx::clHighlight, gfx::TBrushStyle::bsSolid};
        canvas.FillRect({sx, top, ex, top + h});
        canvas.Brush.Style = gfx::TBrushStyle::bsClear;
        canvas.Font.SetColor(gfx::clHighlightText);
        canvas.TextOut(sx, top, DisplayText(text.substr(s, e - s)));
    }
}

void TCustomEdit::PaintBackground(gfx::TCanvas& canvas) {
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(ClientRect());
}

void TCustomEdit::Paint() {
    gfx::TCanvas& canvas = Canvas();
    PaintBackground(canvas);
    PaintText(canvas);
    PaintComposition(canvas);
    if (CaretShown()) {
        canvas.SetClipRegion(std::nullopt);
        const TRect caret = m_composition.empty() ? CaretRect() : CompositionCaretRect();
        canvas.Brush = gfx::TBrush{Font().Color(), gfx::TBrushStyle::bsSolid};
        if (m_overwrite && caret.Width() > 1)
            canvas.FillRect({caret.Left, caret.Bottom - 2, caret.Right, caret.Bottom});
        else
            canvas.FillRect(caret);
    }
}

// ---- Caret ----

void TCustomEdit::ResetCaretBlink() {
    if (!Focused()) return;
    m_caretOn = true;
    if (TWindowSystem* ws = TWindowSystem::Current(); ws && HandleAllocated())
        ws->SetTimer(HandleIfAllocated(), kCaretTimer, kCaretBlinkMs);
    InvalidateCaret();
}

void TCustomEdit::StopCaretTimer() {
    if (TWindowSystem* ws = TWindowSystem::Current(); ws && HandleAllocated())
        ws->KillTimer(HandleIfAllocated(), kCaretTimer);
    m_caretOn = false;
}

void TCustomEdit::InvalidateCaret() {
    if (!HandleAllocated()) return;
    TRect r = m_composition.empty() ? CaretRect() : CompositionCaretRect();
    r.Left -= 1;
    r.Right += 1;
    InvalidateRect(r, false);
}

// ---- Messages ----

void TCustomEdit::WMGetDlgCode(TMessage& m) {
    m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
}

void TCustomEdit::WMSetFocus(TMessage& m) {
    TCustomControl::WMSetFocus(m);
    ResetCaretBlink();
    if (m_core.HasSelection()) InvalidateText();
    OfferPrimarySelection();
    ReportImeCaret();
}

void TCustomEdit::WMKillFocus(TMessage& m) {
    TCustomControl::WMKillFocus(m);
    StopCaretTimer();
    m_tracking = false;
    EndComposition();
    InvalidateText();
}

void TCustomEdit::DoEnter() {
    // A click places the caret itself; only a keyboard entry selects everything.
    if (m_autoSelect && !m_mouseFocusing) {
        m_core.SelectAll();
        EnsureCaretVisible();
        InvalidateText();
    }
    TCustomControl::DoEnter();
}

void TCustomEdit::WMSize(TMessage& m) {
    TCustomControl::WMSize(m);
    EnsureCaretVisible();
    Invalidate();
    ReportImeCaret();
}

void TCustomEdit::CMFontChanged(TMessage& m) {
    TCustomControl::CMFontChanged(m);
    TextLayoutChanged();
    EnsureCaretVisible();
}

void TCustomEdit::CMEnabledChanged(TMessage& m) {
    TCustomControl::CMEnabledChanged(m);
    Invalidate();
}

void TCustomEdit::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
        case WM_TIMER:
            if (m.WParam == kCaretTimer) {
                m_caretOn = !m_caretOn && Focused();
                InvalidateCaret();
                return;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MousePress(PointFromLParam(m.LParam), m.Msg == WM_LBUTTONDBLCLK);
            return;
        case WM_MOUSEMOVE:
            if (m_tracking) MouseTrack(PointFromLParam(m.LParam));
            return;
        case WM_LBUTTONUP:
            m_tracking = false;
            return;
        case WM_MBUTTONUP:
            PastePrimaryAt(PointFromLParam(m.LParam));
            return;
        case WM_CAPTURECHANGED:
            m_tracking = false;
            break;
        case WM_KEYDOWN:
            HandleKey(static_cast<uint16_t>(m.WParam));
            return;
        case WM_CHAR:
            HandleChar(static_cast<char32_t>(m.WParam));
            return;
        case WM_CUT:
            CutToClipboard();
            return;
        case WM_COPY:
            CopyToClipboard();
            return;
        case WM_PASTE:
            PasteFromClipboard();
            return;
        case WM_CLEAR:
            ClearSelection();
            return;
        case WM_UNDO:
            Undo();
            return;
        case WM_IME_COMPOSITION:
            ImeCompositionChanged(static_cast<std::size_t>(m.WParam));
            return;
        default:
            break;
    }
    TCustomControl::DefaultHandler(m);
}

void TCustomEdit::MousePress(TPoint pos, bool doubleClick) {
    const auto alive = WeakRef();
    if (!Focused() && CanFocus()) {
        m_mouseFocusing = true;
        SetFocus();
        m_mouseFocusing = false;
        if (!alive) return;
    }
    TWindowSystem* ws = TWindowSystem::Current();
    const uint64_t now = ws ? ws->Now() : 0;
    const std::size_t at = PositionAt(pos);
    m_tracking = true;
    if (doubleClick) {
        const auto [first, last] = textseg::WordAt(m_core.Text(), at);
        m_byWords = true;
        m_wordStart = first;
        m_wordEnd = last;
        m_tripleArmed = true;
        m_lastDoubleClick = now;
        m_lastDoublePos = pos;
        m_core.SetSelection(first, last);
    } else if (m_tripleArmed && now - m_lastDoubleClick <= kTripleClickMs &&
               std::abs(pos.X - m_lastDoublePos.X) <= kTripleClickSlop &&
               std::abs(pos.Y - m_lastDoublePos.Y) <= kTripleClickSlop) {
        m_tripleArmed = false;
        m_byWords = false;
        m_tracking = false;
        SelectUnitAt(at);
    } else {
        m_byWords = false;
        m_tripleArmed = false;
        m_core.MoveCaret(CaretTarget(at, true), (KeyboardShiftState() & ssShift) != 0);
    }
    AfterMove();
}

void TCustomEdit::SelectUnitAt(std::size_t) {
    m_core.SelectAll();
}

void TCustomEdit::MouseTrack(TPoint pos) {
    const std::size_t at = PositionAt(pos);
    if (m_byWords) {
        const auto [first, last] = textseg::WordAt(m_core.Text(), at);
        if (at < m_wordStart)
            m_core.SetSelection(m_wordEnd, first);
        else
            m_core.SetSelection(m_wordStart, std::max(last, m_wordEnd));
    } else {
        m_core.MoveCaret(at, true);
    }
    AfterMove();
}

void TCustomEdit::PastePrimaryAt(TPoint pos) {
    if (!EditsAllowed() || !Enabled()) return;
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws) return;
    const std::string text = ws->PrimarySelectionText();
    if (text.empty()) return;
    if (!Focused() && CanFocus()) {
        m_mouseFocusing = true;
        SetFocus();
        m_mouseFocusing = false;
    }
    m_core.MoveCaret(CaretTarget(PositionAt(pos), true), false);
    AfterEdit(EditInsert(text));
    m_core.SealUndo();
}

bool TCustomEdit::NavigateKey(uint16_t key, TShiftState shift) {
    const bool extend = (shift & ssShift) != 0;
    const std::string_view text = m_core.Text();
    switch (key) {
        case VK_HOME:
            m_core.MoveCaret(0, extend);
            return true;
        case VK_END:
            m_core.MoveCaret(text.size(), extend);
            return true;
        default:
            return false;
    }
}

void TCustomEdit::HandleKey(uint16_t key) {
    const TShiftState shift = KeyboardShiftState();
    const bool extend = (shift & ssShift) != 0;
    const bool ctrl = CtrlOnly(shift);
    const std::string_view text = m_core.Text();
    const std::size_t caret = m_core.Caret();
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT: {
            const bool left = key == VK_LEFT;
            std::size_t to = 0;
            if (m_core.HasSelection() && !extend && !ctrl)
                to = left ? m_core.SelStart() : m_core.SelEnd();
            else if (ctrl)
                to = left ? textseg::PrevWordStart(text, caret) : textseg::NextWordStart(text, caret);
            else
                to = CaretTarget(
                    left ? textseg::PrevGrapheme(text, caret) : textseg::NextGrapheme(text, caret), !left);
            m_core.MoveCaret(to, extend);
            AfterMove();
            return;
        }
        case VK_DELETE:
            if (shift & ssShift) {
                CutToClipboard();
            } else if (EditsAllowed()) {
                AfterEdit(EditDelete(ctrl));
            }
            return;
        case VK_BACK:
            if (ctrl && EditsAllowed()) AfterEdit(m_core.DeleteWordBack());
            return;
        case VK_INSERT:
            if (shift & ssShift)
                PasteFromClipboard();
            else if (ctrl)
                CopyToClipboard();
            else if (!(shift & (ssShift | ssCtrl | ssAlt)))
                SetOverwrite(!m_overwrite);
            return;
        default:
            break;
    }
    if (ctrl) {
        switch (key) {
            case 'A':
                SelectAll();
                return;
            case 'C':
                CopyToClipboard();
                return;
            case 'X':
                CutToClipboard();
                return;
            case 'V':
                PasteFromClipboard();
                return;
            case 'Z':
                if (shift & ssShift)
                    Redo();
                else
                    Undo();
                return;
            case 'Y':
                Redo();
                return;
            default:
                break;
        }
    }
    if (NavigateKey(key, shift)) AfterMove();
}

void TCustomEdit::HandleChar(char32_t ch) {
    // Control combinations arrive as keys; their characters are not text. AltGr (Ctrl+Alt) types.
    if (CtrlOnly(KeyboardShiftState())) return;
    if (!EditsAllowed()) return;
    if (ch == 0x08) {
        AfterEdit(EditBackspace());
        return;
    }
    TypeCharacter(ch);
}

void TCustomEdit::TypeCharacter(char32_t ch) {
    if (ch < 0x20 || ch == 0x7F) return;
    std::string s;
    core::AppendUtf8(s, ch);
    s = ConvertCase(s);
    const std::u32string cps = core::Utf8ToCodePoints(s);
    bool changed = false;
    for (const char32_t c : cps) changed = m_core.TypeChar(c, m_overwrite) || changed;
    AfterEdit(changed);
}

}  // namespace platform::forms
