// The rich edit's attribute objects and its lines' loading and saving.

#include <algorithm>

#include "platform/core/Strings.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/RtfReader.h"
#include "platform/forms/RtfWriter.h"

namespace platform::forms {

// ---- TTextAttributes ----

TRichCharFormat TTextAttributes::Format() const {
    if (!m_selection) return m_owner.DefaultFormat();
    const std::size_t start = m_owner.m_core.SelStart();
    return m_owner.m_core.HasSelection() ? m_owner.FormatAt(start) : m_owner.InsertionFormat();
}

void TTextAttributes::Assign(const TRichCharFormat& format) {
    if (!m_selection) {
        m_owner.SetDefaultFormat(format);
        return;
    }
    m_owner.ApplyCharFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichCharFormat& f) { f = format; });
}

void TTextAttributes::SetName(const std::string& value) {
    if (!m_selection) {
        TRichCharFormat f = m_owner.DefaultFormat();
        f.Name = value;
        m_owner.SetDefaultFormat(f);
        return;
    }
    m_owner.ApplyCharFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichCharFormat& f) { f.Name = value; });
}

void TTextAttributes::SetSize(int value) {
    value = std::clamp(value, 1, 1638);
    if (!m_selection) {
        TRichCharFormat f = m_owner.DefaultFormat();
        f.Size = value;
        m_owner.SetDefaultFormat(f);
        return;
    }
    m_owner.ApplyCharFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichCharFormat& f) { f.Size = value; });
}

void TTextAttributes::SetStyle(gfx::TFontStyles value) {
    if (!m_selection) {
        TRichCharFormat f = m_owner.DefaultFormat();
        f.Style = value;
        m_owner.SetDefaultFormat(f);
        return;
    }
    m_owner.ApplyCharFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichCharFormat& f) { f.Style = value; });
}

void TTextAttributes::SetColor(gfx::TColor value) {
    if (!m_selection) {
        TRichCharFormat f = m_owner.DefaultFormat();
        f.Color = value;
        m_owner.SetDefaultFormat(f);
        return;
    }
    m_owner.ApplyCharFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichCharFormat& f) { f.Color = value; });
}

// ---- TParaAttributes ----

TRichParaFormat TParaAttributes::Format() const {
    return m_owner.ParagraphAt(m_owner.m_core.SelStart());
}

void TParaAttributes::Assign(const TRichParaFormat& format) {
    m_owner.ApplyParaFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichParaFormat& p) { p = format; });
}

TAlignment TParaAttributes::Alignment() const {
    switch (Format().Alignment) {
        case raRight:
            return taRightJustify;
        case raCenter:
            return taCenter;
        case raLeft:
            break;
    }
    return taLeftJustify;
}

void TParaAttributes::SetAlignment(TAlignment value) {
    const TRichAlignment a = value == taRightJustify ? raRight : value == taCenter ? raCenter : raLeft;
    m_owner.ApplyParaFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichParaFormat& p) { p.Alignment = a; });
}

void TParaAttributes::SetLeftIndent(int value) {
    m_owner.ApplyParaFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichParaFormat& p) { p.LeftIndent = value; });
}

void TParaAttributes::SetRightIndent(int value) {
    m_owner.ApplyParaFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichParaFormat& p) { p.RightIndent = value; });
}

void TParaAttributes::SetFirstIndent(int value) {
    m_owner.ApplyParaFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichParaFormat& p) { p.FirstIndent = value; });
}

void TParaAttributes::SetNumbering(TNumberingStyle value) {
    m_owner.ApplyParaFormat(m_owner.m_core.SelStart(), m_owner.m_core.SelEnd(),
                            [&](TRichParaFormat& p) { p.Numbering = value; });
}

// ---- TRichEditStrings ----

TRichEditStrings::TRichEditStrings(TCustomRichEdit& owner) : TMemoStrings(owner), m_rich(owner) {}

void TRichEditStrings::LoadFromStream(core::TStream& stream) {
    std::string bytes;
    char buffer[65536];
    for (std::size_t n = stream.Read(buffer, sizeof buffer); n > 0; n = stream.Read(buffer, sizeof buffer))
        bytes.append(buffer, n);
    TRichDocument doc;
    if (m_rich.PlainText() || !TRtfReader::Read(bytes, doc)) {
        doc = TRichDocument{};
        doc.Text = core::DecodeExternalText(bytes);
        doc.Runs.push_back({0, m_rich.DefaultFormat()});
        doc.Normalize();
    }
    m_rich.LoadDocument(doc);
}

bool TRichEditStrings::SaveToStream(core::TStream& stream) const {
    const std::string bytes = m_rich.PlainText() ? m_rich.m_core.Text() : WriteRtf(m_rich.Document());
    return stream.WriteAll(bytes.data(), bytes.size());
}

bool TRichEditStrings::LoadFromFile(const std::string& path) {
    core::TMemoryStream stream;
    if (!stream.LoadFromFile(path)) return false;
    LoadFromStream(stream);
    return true;
}

bool TRichEditStrings::SaveToFile(const std::string& path) const {
    core::TMemoryStream stream;
    return SaveToStream(stream) && stream.SaveToFile(path);
}

}  // namespace platform::forms
