#pragma once
// The framework's single-line edit, drawn with its own canvas and fonts: a caret that blinks on
// the window system's clock while the edit has the focus, insert and overwrite typing, selection
// by mouse (press and drag, Shift+click, double-click for a word, triple-click for everything)
// and by keyboard (arrows, Home/End, Ctrl+arrows by word, with Shift to extend), horizontal
// scrolling that keeps the caret in view, a length limit, read-only and password modes, case
// conversion, alignment, inner margins, the modified flag, undo/redo and the clipboard (the
// CLIPBOARD selection for cut/copy/paste; selected text is offered as the PRIMARY selection and
// a middle click pastes it).
//
// The memo (Memo.h) descends from it and replaces the layout hooks for several lines.
// SelStart and SelLength count bytes of the UTF-8 text and always lie on character boundaries.

#include <cstdint>
#include <string>

#include "platform/forms/CustomControl.h"
#include "platform/forms/EditCore.h"
#include "platform/forms/Form.h"

namespace platform::forms {

enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    void SetText(const std::string& value) override;

    // ---- Selection ----
    [[nodiscard]] int SelStart() const { return static_cast<int>(m_core.SelStart()); }
    // Collapses the selection at the position.
    void SetSelStart(int value);
    [[nodiscard]] int SelLength() const { return static_cast<int>(m_core.SelLength()); }
    // Extends from SelStart by the length (clamped to the text).
    void SetSelLength(int value);
    [[nodiscard]] std::string SelText() const { return m_core.SelText(); }
    // Replaces the selection as typing would (one undo step; MaxLength applies).
    void SetSelText(const std::string& value);
    // The caret position (the moving end of the selection), in bytes.
    [[nodiscard]] int CaretPos() const { return static_cast<int>(m_core.Caret()); }
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(std::string()); }

    // ---- Clipboard and undo (all but CopyToClipboard do nothing while ReadOnly) ----
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void Undo();
    void Redo();
    [[nodiscard]] bool CanUndo() const { return m_core.CanUndo(); }
    [[nodiscard]] bool CanRedo() const { return m_core.CanRedo(); }
    void ClearUndo() { m_core.ClearUndo(); }

    // ---- Properties ----
    [[nodiscard]] int MaxLength() const { return static_cast<int>(m_core.MaxLength()); }
    // Code points; 0 (or less) means no limit.
    void SetMaxLength(int value);
    [[nodiscard]] bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    // 0: the text shows; another character hides every character behind it.
    [[nodiscard]] char32_t PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char32_t value);
    [[nodiscard]] bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }
    // Converts typed, pasted and set text.
    [[nodiscard]] TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase value);
    [[nodiscard]] TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    [[nodiscard]] bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);
    [[nodiscard]] TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // Inner margins between the client edges and the text, in pixels.
    [[nodiscard]] int LeftMargin() const { return m_leftMargin; }
    [[nodiscard]] int RightMargin() const { return m_rightMargin; }
    void SetMargins(int left, int right);
    // True after the user changed the text; setting Text clears it.
    [[nodiscard]] bool Modified() const { return m_modified; }
    void SetModified(bool value) { m_modified = value; }
    // Overwrite mode (toggled by Insert).
    [[nodiscard]] bool Overwrite() const { return m_overwrite; }
    void SetOverwrite(bool value);
    // Horizontal scroll offset of the text in pixels.
    [[nodiscard]] int ScrollX() const { return m_scrollX; }
    // Whether the caret is drawn now (focused and in the shown half of its blink).
    [[nodiscard]] bool CaretShown() const { return m_caretOn && Focused(); }
    // The caret's rectangle in client coordinates.
    [[nodiscard]] virtual TRect CaretRect() const;
    // The text position nearest to a client point.
    [[nodiscard]] virtual std::size_t PositionAt(TPoint client) const;
    // The blink half-period in milliseconds.
    static constexpr uint32_t kCaretBlinkMs = 500;
    // The input method's pre-edit text, shown underlined at the caret and not part of Text.
    [[nodiscard]] const std::string& CompositionText() const { return m_composition; }
    // Where the pre-edit text shows (client coordinates); empty when none.
    [[nodiscard]] TRect CompositionRect() const;

    TNotifyEvent OnChange;

protected:
    // ---- Hooks for the memo ----
    // Where text is laid out: the client area less the margins.
    [[nodiscard]] virtual TRect TextArea() const;
    virtual void PaintText(gfx::TCanvas& canvas);
    // Under the text: the edit fills its client area with Color.
    virtual void PaintBackground(gfx::TCanvas& canvas);
    virtual void EnsureCaretVisible();
    // Up, Down, Page Up, Page Down, Home and End; true when the key was used.
    virtual bool NavigateKey(uint16_t key, TShiftState shift);
    // A typed character other than Backspace; Enter and Tab arrive here too.
    virtual void TypeCharacter(char32_t ch);
    // Editing steps the masked edit replaces; each returns whether the text changed.
    virtual bool EditBackspace() { return m_core.Backspace(); }
    virtual bool EditDelete(bool byWord) {
        return byWord ? m_core.DeleteWordForward() : m_core.DeleteForward();
    }
    virtual bool EditInsert(std::string_view text) { return m_core.ReplaceSelection(ConvertCase(text)); }
    // Where a caret move by keyboard or mouse lands (the masked edit skips literals).
    [[nodiscard]] virtual std::size_t CaretTarget(std::size_t pos, bool forward) const {
        (void)forward;
        return pos;
    }
    // A triple click selects this much around the position.
    virtual void SelectUnitAt(std::size_t pos);
    // After the text changed (by the user or the program) and before OnChange.
    virtual void TextLayoutChanged() {}
    // After a change that needs repainting: the edit repaints all of itself.
    virtual void InvalidateText() { Invalidate(); }
    virtual void Change();

    // Applies a change made on the core: marks Modified (user), syncs Text, fires OnChange,
    // keeps the caret in view and repaints.
    void AfterEdit(bool changed, bool byUser = true);
    // After the caret or selection moved without a text change.
    void AfterMove();
    // The text as it shows (password characters instead of the text).
    [[nodiscard]] std::string DisplayText(std::string_view text) const;
    [[nodiscard]] std::string ConvertCase(std::string_view text) const;
    // Width of text[from, to) as shown, in the edit's font.
    [[nodiscard]] int ShownWidth(std::string_view text) const;
    // The position in a line of text nearest to x pixels from the line's start.
    [[nodiscard]] std::size_t PositionInLine(std::string_view line, int x) const;
    [[nodiscard]] int LineHeight() const;
    // Restarts the blink with the caret shown.
    void ResetCaretBlink();
    void InvalidateCaret();
    void OfferPrimarySelection();
    // Tells the input method where the caret is (it shows its pre-edit text and candidates there).
    void ReportImeCaret();

    void Paint() override;
    void CreateParams(ui::TCreateParams& params) override;
    void DefaultHandler(TMessage& message) override;
    void WMGetDlgCode(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void DoEnter() override;

    TEditCore m_core;
    int m_scrollX = 0;

private:
    void HandleKey(uint16_t key);
    void HandleChar(char32_t ch);
    void MousePress(TPoint pos, bool doubleClick);
    void MouseTrack(TPoint pos);
    void PastePrimaryAt(TPoint pos);
    void StopCaretTimer();
    bool EditsAllowed() const { return !m_readOnly; }
    // EditIme.cpp
    void ImeCompositionChanged(std::size_t caretCodePoints);
    void EndComposition();
    void PaintComposition(gfx::TCanvas& canvas);
    [[nodiscard]] TRect CompositionCaretRect() const;

    bool m_readOnly = false;
    char32_t m_passwordChar = 0;
    bool m_autoSelect = true;
    TEditCharCase m_charCase = ecNormal;
    TAlignment m_alignment = taLeftJustify;
    bool m_hideSelection = true;
    TBorderStyle m_borderStyle = bsSingle;
    int m_leftMargin = 1;
    int m_rightMargin = 1;
    bool m_modified = false;
    bool m_overwrite = false;
    bool m_caretOn = false;
    bool m_syncing = false;
    // Mouse selection: the button is held; by words after a double click (the word first hit).
    bool m_tracking = false;
    bool m_byWords = false;
    std::size_t m_wordStart = 0;
    std::size_t m_wordEnd = 0;
    bool m_tripleArmed = false;  // a double click happened; a quick press there selects more
    uint64_t m_lastDoubleClick = 0;
    TPoint m_lastDoublePos{};
    bool m_mouseFocusing = false;
    std::string m_composition;
    std::size_t m_compositionCaret = 0;  // bytes into m_composition
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

}  // namespace platform::forms
