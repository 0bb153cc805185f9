#pragma once
// The framework's rich edit: the memo's editing core with character formats (font name, size,
// style, colour) kept as runs over the text and a paragraph format (alignment, indents, bullet)
// per paragraph. SelAttributes reads and changes the selection's characters (or, with nothing
// selected, what the next typed text gets), DefAttributes the format of text set as a whole,
// Paragraph the paragraphs the selection touches. Lines loads and saves rich text (or plain
// text with PlainText). Ctrl+B, Ctrl+I and Ctrl+U switch bold, italic and underline.
//
// Rows all have one height, that of the tallest font in the text, so that scrolling stays by
// rows. The scroll ranges the skinned control reads are in pixels (ScrollInfo).

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Stream.h"
#include "platform/forms/Memo.h"
#include "platform/forms/RtfDocument.h"

namespace platform::forms {

class TCustomRichEdit;

// The character format of the selection (or of the default text).
class TTextAttributes {
public:
    TTextAttributes(TCustomRichEdit& owner, bool selection) : m_owner(owner), m_selection(selection) {}
    TTextAttributes(const TTextAttributes&) = delete;
    TTextAttributes& operator=(const TTextAttributes&) = delete;

    [[nodiscard]] TRichCharFormat Format() const;
    void Assign(const TRichCharFormat& format);
    [[nodiscard]] std::string Name() const { return Format().Name; }
    void SetName(const std::string& value);
    // Points.
    [[nodiscard]] int Size() const { return Format().Size; }
    void SetSize(int value);
    [[nodiscard]] gfx::TFontStyles Style() const { return Format().Style; }
    void SetStyle(gfx::TFontStyles value);
    [[nodiscard]] gfx::TColor Color() const { return Format().Color; }
    void SetColor(gfx::TColor value);

private:
    TCustomRichEdit& m_owner;
    bool m_selection;
};

// The paragraph format of the paragraphs the selection touches (read from the first).
class TParaAttributes {
public:
    explicit TParaAttributes(TCustomRichEdit& owner) : m_owner(owner) {}
    TParaAttributes(const TParaAttributes&) = delete;
    TParaAttributes& operator=(const TParaAttributes&) = delete;

    [[nodiscard]] TRichParaFormat Format() const;
    void Assign(const TRichParaFormat& format);
    [[nodiscard]] TAlignment Alignment() const;
    void SetAlignment(TAlignment value);
    // Points.
    [[nodiscard]] int LeftIndent() const { return Format().LeftIndent; }
    void SetLeftIndent(int value);
    [[nodiscard]] int RightIndent() const { return Format().RightIndent; }
    void SetRightIndent(int value);
    [[nodiscard]] int FirstIndent() const { return Format().FirstIndent; }
    void SetFirstIndent(int value);
    [[nodiscard]] TNumberingStyle Numbering() const { return Format().Numbering; }
    void SetNumbering(TNumberingStyle value);

private:
    TCustomRichEdit& m_owner;
};

// The rich edit's lines: the memo's, plus loading and saving whole documents.
class TRichEditStrings : public TMemoStrings {
public:
    explicit TRichEditStrings(TCustomRichEdit& owner);
    // Rich text when the bytes are rich text and PlainText is off, else plain text (UTF-8, or
    // code page 1252 when not valid UTF-8). Reads the stream from its position to the end.
    void LoadFromStream(core::TStream& stream);
    // Rich text, or the plain text with PlainText. False when the stream took fewer bytes.
    bool SaveToStream(core::TStream& stream) const;
    // False when the file cannot be read; the rich edit then keeps its text.
    bool LoadFromFile(const std::string& path);
    // Replaces the file as a whole (never half-written); false on failure.
    bool SaveToFile(const std::string& path) const;

private:
    TCustomRichEdit& m_rich;
};

class TCustomRichEdit : public TCustomMemo {
public:
    explicit TCustomRichEdit(TComponent* owner);
    ~TCustomRichEdit() override;

    [[nodiscard]] TRichEditStrings& Lines() { return m_richLines; }
    [[nodiscard]] const TRichEditStrings& Lines() const { return m_richLines; }
    [[nodiscard]] TTextAttributes& SelAttributes() { return m_selAttributes; }
    [[nodiscard]] TTextAttributes& DefAttributes() { return m_defAttributes; }
    [[nodiscard]] TParaAttributes& Paragraph() { return m_paragraph; }
    // Lines load and save plain text only.
    [[nodiscard]] bool PlainText() const { return m_plainText; }
    void SetPlainText(bool value) { m_plainText = value; }

    // ---- The document ----
    [[nodiscard]] TRichDocument Document() const;
    // Replaces text and formats (the caret goes to the start, the undo history is forgotten).
    void LoadDocument(const TRichDocument& doc);
    // The character format at a byte offset of the text, and the paragraph format of the
    // paragraph that holds it.
    [[nodiscard]] TRichCharFormat FormatAt(std::size_t pos) const;
    [[nodiscard]] TRichParaFormat ParagraphAt(std::size_t pos) const;
    [[nodiscard]] int ParagraphIndexAt(std::size_t pos) const;
    [[nodiscard]] std::size_t RunCount() const { return m_runs.size(); }

    // ---- Formatting by range (what the attribute objects use) ----
    void ApplyCharFormat(std::size_t from, std::size_t to,
                         const std::function<void(TRichCharFormat&)>& change);
    void ApplyParaFormat(std::size_t from, std::size_t to,
                         const std::function<void(TRichParaFormat&)>& change);
    [[nodiscard]] const TRichCharFormat& DefaultFormat() const { return m_defFormat; }
    void SetDefaultFormat(const TRichCharFormat& format);
    // What typed text at the caret gets now.
    [[nodiscard]] TRichCharFormat InsertionFormat() const;

    // ---- Scrolling as the skinned control sees it ----
    // SB_VERT: Min 0, Max = rows * row height, Page = text area height, Pos = first row's top,
    // all in pixels; SB_HORZ as the memo's. Empty after ClearScrollRange until the layout or
    // size changes.
    [[nodiscard]] TScrollRange ScrollInfo(int bar) const;
    void ClearScrollRange(int bar);
    // A scroll request in the units of ScrollInfo.
    void ScrollPixels(int bar, int code, int pos = 0);
    [[nodiscard]] int RowHeight() const override;

protected:
    void TextLayoutChanged() override;
    void PaintText(gfx::TCanvas& canvas) override;
    bool NavigateKey(uint16_t key, TShiftState shift) override;
    void CMFontChanged(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    [[nodiscard]] int SpanWidth(std::size_t from, std::size_t to) const override;
    [[nodiscard]] std::size_t SpanPosition(std::size_t from, std::size_t to, int x) const override;
    [[nodiscard]] int RowOffset(int row, int rowWidth) const override;
    [[nodiscard]] int WrapWidth(std::size_t lineStart) const override;
    // Left edge of a row's text relative to the text area (indents and bullet), and the room
    // it has.
    [[nodiscard]] int IndentOf(int paragraph, bool firstRow) const;
    [[nodiscard]] int RoomOf(int paragraph) const;
    void Scrolled(int bar) override;

private:
    friend class TTextAttributes;
    friend class TParaAttributes;
    friend class TRichEditStrings;
    struct TRun {
        std::size_t Start = 0;
        int Format = 0;
    };
    struct TFormatLess {
        bool operator()(const TRichCharFormat& a, const TRichCharFormat& b) const;
    };
    [[nodiscard]] int Intern(const TRichCharFormat& format);
    [[nodiscard]] int RunIndexAt(std::size_t pos) const;
    [[nodiscard]] int FormatIndexAt(std::size_t pos) const;
    [[nodiscard]] const gfx::TFont& FontOf(int format) const;
    [[nodiscard]] int AsciiWidth(int format, unsigned char c) const;
    [[nodiscard]] int ChunkWidth(int format, std::string_view chunk) const;
    // Moves the runs and paragraphs with a change of the text.
    void FollowChange(const TEditChange& change, std::size_t oldSize);
    void ResetFormats();
    void MergeRuns();
    // Puts runs and paragraphs back in line with the text whatever happened to it.
    void Fixup();
    void RebuildParagraphStarts();
    void UpdateMetrics();
    void FormatsChanged();
    void ToggleStyle(gfx::TFontStyles style);
    void PaintRow(gfx::TCanvas& canvas, int row, int top);

    TRichEditStrings m_richLines;
    TTextAttributes m_selAttributes{*this, true};
    TTextAttributes m_defAttributes{*this, false};
    TParaAttributes m_paragraph{*this};
    bool m_plainText = false;

    std::vector<TRichCharFormat> m_formats;
    std::map<TRichCharFormat, int, TFormatLess> m_formatIndex;
    mutable std::vector<std::optional<gfx::TFont>> m_fonts;
    // Widths of the printable ASCII characters per format, -1 until measured.
    mutable std::vector<std::array<int, 128>> m_asciiWidths;
    std::vector<TRun> m_runs;
    std::vector<TRichParaFormat> m_paras;
    std::vector<std::size_t> m_paraStarts;
    TRichCharFormat m_defFormat;
    std::optional<int> m_insertFormat;
    std::size_t m_insertAt = 0;
    const TRichDocument* m_loading = nullptr;
    std::size_t m_formatSerial = 0;
    std::size_t m_textSize = 0;
    int m_rowHeight = 1;
    int m_ascent = 0;
    std::array<bool, 2> m_rangeCleared{};
};

class TRichEdit : public TCustomRichEdit {
public:
    explicit TRichEdit(TComponent* owner) : TCustomRichEdit(owner) {}
};

}  // namespace platform::forms
