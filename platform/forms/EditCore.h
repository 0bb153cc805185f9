#pragma once
// The text-editing core shared by the edit, the memo and the masked edit: UTF-8 text with a
// caret and a selection that always sit on user-perceived character boundaries, editing with a
// length limit and a line rule, word boundaries, and multi-level undo/redo in which a run of
// typing (or of deleting) is one step.
//
// Positions are byte offsets into the UTF-8 text. They never split a code point or a combining
// sequence: every setter moves a position back to the boundary at or before it.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::forms {

// Boundaries of user-perceived characters (a base with its combining marks, joined emoji,
// flag pairs, CR LF) and of words.
namespace textseg {
[[nodiscard]] std::size_t NextGrapheme(std::string_view s, std::size_t pos);
[[nodiscard]] std::size_t PrevGrapheme(std::string_view s, std::size_t pos);
// The boundary at or before pos.
[[nodiscard]] std::size_t SnapToGrapheme(std::string_view s, std::size_t pos);
// Where Ctrl+Right goes: past the current word or punctuation run and the blanks after it;
// a line break is a stop of its own.
[[nodiscard]] std::size_t NextWordStart(std::string_view s, std::size_t pos);
// Where Ctrl+Left goes: back over blanks, then to the start of the run before them.
[[nodiscard]] std::size_t PrevWordStart(std::string_view s, std::size_t pos);
// The run (word, punctuation or blanks) that contains the character at pos, as [first, second).
[[nodiscard]] std::pair<std::size_t, std::size_t> WordAt(std::string_view s, std::size_t pos);
[[nodiscard]] std::size_t CodePointCount(std::string_view s);
}  // namespace textseg

// What an edit was, for merging undo steps.
enum class TEditKind : unsigned char { Other, Typing, DeleteBack, DeleteForward };

// The last change of the text: bytes [Pos, Pos + Removed) became Inserted bytes; Whole means
// the text was replaced as a whole.
struct TEditChange {
    std::size_t Pos = 0;
    std::size_t Removed = 0;
    std::size_t Inserted = 0;
    bool Whole = true;
    std::size_t Serial = 0;  // counts the changes, so a reader can tell a new one
};

class TEditCore {
public:
    [[nodiscard]] const std::string& Text() const { return m_text; }
    // Replaces the text (line breaks follow the line rule), puts the caret at the start and
    // forgets the undo history.
    void SetText(std::string_view text);

    // Replaces [from, to) as the program does (no undo step; the history is forgotten). The
    // caret and anchor keep their places, moved with the text after the change.
    void ReplaceRange(std::size_t from, std::size_t to, std::string_view text);

    // ---- Caret and selection ----
    [[nodiscard]] std::size_t Caret() const { return m_caret; }
    [[nodiscard]] std::size_t Anchor() const { return m_anchor; }
    [[nodiscard]] std::size_t SelStart() const { return std::min(m_caret, m_anchor); }
    [[nodiscard]] std::size_t SelEnd() const { return std::max(m_caret, m_anchor); }
    [[nodiscard]] std::size_t SelLength() const { return SelEnd() - SelStart(); }
    [[nodiscard]] bool HasSelection() const { return m_caret != m_anchor; }
    [[nodiscard]] std::string SelText() const { return m_text.substr(SelStart(), SelLength()); }
    // Positions past the end go to the end; both snap to character boundaries.
    void SetSelection(std::size_t anchor, std::size_t caret);
    // Moves the caret; with extend the anchor stays, else the selection collapses there.
    void MoveCaret(std::size_t pos, bool extend);
    void SelectAll() { SetSelection(0, m_text.size()); }

    // ---- Editing (each returns whether the text changed) ----
    // Replaces the selection (or inserts at the caret). A single-line core keeps the text up to
    // the first line break; a multi-line one turns CR LF and CR into LF. With MaxLength, only as
    // much as fits goes in (whole characters). The caret ends after the inserted text.
    bool ReplaceSelection(std::string_view text, TEditKind kind = TEditKind::Other);
    // A typed character; in overwrite mode it replaces the character after the caret (not a
    // line break) when nothing is selected.
    bool TypeChar(char32_t ch, bool overwrite);
    // Deletes the selection, or one character before / after the caret.
    bool Backspace();
    bool DeleteForward();
    // Deletes the selection, or back to the previous / on to the next word start.
    bool DeleteWordBack();
    bool DeleteWordForward();
    bool ClearSelection();

    // ---- Undo ----
    [[nodiscard]] bool CanUndo() const { return !m_undo.empty(); }
    [[nodiscard]] bool CanRedo() const { return !m_redo.empty(); }
    bool Undo();
    bool Redo();
    void ClearUndo();
    // Ends the current typing run: the next edit starts a new undo step.
    void SealUndo() { m_sealed = true; }

    [[nodiscard]] const TEditChange& LastChange() const { return m_lastChange; }

    // ---- Rules ----
    // Most code points the text may hold; 0 means no limit. Text already longer stays.
    [[nodiscard]] std::size_t MaxLength() const { return m_maxLength; }
    void SetMaxLength(std::size_t value) { m_maxLength = value; }
    [[nodiscard]] bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool value) { m_multiLine = value; }
    // Undo steps kept (the oldest go first).
    static constexpr std::size_t kUndoLimit = 256;

private:
    struct TStep {
        std::size_t Pos = 0;
        std::string Removed;
        std::string Inserted;
        std::size_t AnchorBefore = 0;
        std::size_t CaretBefore = 0;
        TEditKind Kind = TEditKind::Other;
    };
    // Replaces [from, to) and records the step (merged into the last one when it continues a run).
    void Apply(std::size_t from, std::size_t to, std::string inserted, TEditKind kind);
    [[nodiscard]] bool Merge(const TStep& step);
    [[nodiscard]] std::string Normalize(std::string_view text) const;
    [[nodiscard]] std::string FitLength(std::string text, std::size_t replacedCodePoints) const;

    std::string m_text;
    std::size_t m_caret = 0;
    std::size_t m_anchor = 0;
    std::size_t m_maxLength = 0;
    bool m_multiLine = false;
    bool m_sealed = true;
    std::vector<TStep> m_undo;
    std::vector<TStep> m_redo;
    TEditChange m_lastChange;
};

}  // namespace platform::forms
