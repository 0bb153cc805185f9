// TCanvas: text output, measuring and the DrawText layout (prefixes, line breaks, word wrap,
// tabs, alignment, ellipsis).

#include "platform/gfx/CanvasInternal.h"
#include "platform/gfx/TextEngineInternal.h"

namespace platform::gfx {
namespace {

constexpr char32_t kEllipsis[] = U"...";
constexpr int kTabChars = 8;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// "&&" is a literal "&"; any other "&" is dropped and the first one marks the next character.
std::u32string StripPrefix(const std::u32string& in, int& accel) {
    accel = -1;
    std::u32string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != U'&') {
            out.push_back(in[i]);
            continue;
        }
        if (i + 1 < in.size() && in[i + 1] == U'&') {
            out.push_back(U'&');
            ++i;
        } else if (i + 1 < in.size() && accel < 0) {
            accel = static_cast<int>(out.size());
        }
    }
    return out;
}

char32_t LowerChar(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs upper/lower case on even/odd code points, with a shift at 0x139.
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper ? (c & 1) : !(c & 1)) return c + 1;
        return c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

// Lays out and draws single lines with one face; every call runs under the engine lock.
class TLineWriter {
public:
    TLineWriter(TFontFace& face, bool expandTabs)
        : m_face(face),
          m_tabStop(expandTabs ? kTabChars * face.Metrics.AveCharWidth : 0),
          m_expandTabs(expandTabs) {}

    int Advance(char32_t ch, long long penX) {
        if (ch == U'\t') {
            if (m_expandTabs && m_tabStop > 0)
                return static_cast<int>((penX / m_tabStop + 1) * m_tabStop - penX);
            ch = U' ';
        }
        return TextEngine::GlyphFor(m_face, ch).Advance;
    }

    long long Width(std::u32string_view text) {
        long long pen = 0;
        for (char32_t ch : text) pen += Advance(ch, pen);
        return pen;
    }

    // The width, measured only until it passes stop (the result then exceeds stop): a huge line
    // costs what can show of it.
    long long WidthUpTo(std::u32string_view text, long long stop) {
        long long pen = 0;
        for (std::size_t i = 0; i < text.size() && pen <= stop; ++i) pen += Advance(text[i], pen);
        return pen;
    }

    // Pen positions before each character and after the last.
    std::vector<long long> Positions(std::u32string_view text) {
        std::vector<long long> pos(text.size() + 1, 0);
        for (std::size_t i = 0; i < text.size(); ++i) pos[i + 1] = pos[i] + Advance(text[i], pos[i]);
        return pos;
    }

    // Draws text with its cell's top-left at logical target (x, top) on a surface, with the
    // glyphs of drawFace (the face at the surface's scale); returns the logical width drawn.
    // Glyphs sit where the logical layout puts them, so text takes the room it measured.
    long long Draw(const TSurface& surface, TFontFace& drawFace, std::u32string_view text, long long x,
                   long long top, uint32_t color, TFontStyles style, int accel) {
        const long long k = surface.Scale;
        const long long baseline = top * k + drawFace.Metrics.Ascent;
        // Past the clip's right edge (with room for a glyph reaching back) nothing more shows.
        const long long stop = static_cast<long long>(surface.Clip.Bounds().Right) + drawFace.Metrics.Height;
        long long pen = 0, accelX0 = 0, accelX1 = 0;
        for (std::size_t i = 0; i < text.size() && (x + pen) * k <= stop; ++i) {
            const char32_t ch = text[i];
            const int advance = Advance(ch, pen);
            if (static_cast<int>(i) == accel) {
                accelX0 = x + pen;
                accelX1 = accelX0 + advance;
            }
            if (ch != U'\t') {
                const TGlyph& g = TextEngine::GlyphFor(drawFace, ch);
                if (g.Width > 0) Blend(surface, g, (x + pen) * k + g.Left, baseline - g.Top, color);
            }
            pen += advance;
        }
        auto line = [&](long long x0, long long x1, int offset, int thickness) {
            FillDeviceRect(surface,
                           {ClampCoord(x0 * k), ClampCoord(baseline + offset), ClampCoord(x1 * k),
                            ClampCoord(baseline + offset + thickness)},
                           color, TRop::Copy);
        };
        if (style & fsUnderline) line(x, x + pen, drawFace.UnderlineOffset, drawFace.UnderlineThickness);
        if (style & fsStrikeOut) line(x, x + pen, drawFace.StrikeoutOffset, drawFace.StrikeoutThickness);
        if (accel >= 0 && accelX1 > accelX0)
            line(accelX0, accelX1, drawFace.UnderlineOffset, drawFace.UnderlineThickness);
        return pen;
    }

    [[nodiscard]] const TFontMetrics& Metrics() const { return m_face.Metrics; }

private:
    static void Blend(const TSurface& surface, const TGlyph& g, long long gx, long long gy, uint32_t color) {
        const TRect area{ClampCoord(gx), ClampCoord(gy), ClampCoord(gx + g.Width), ClampCoord(gy + g.Height)};
        surface.Clip.ForEach(area, [&](const TRect& r) {
            for (int y = r.Top; y < r.Bottom; ++y) {
                const uint8_t* cov = g.Coverage.data() + static_cast<std::size_t>(y - area.Top) * g.Width;
                uint32_t* row = surface.Row(y);
                for (int x = r.Left; x < r.Right; ++x) {
                    const uint8_t a = cov[x - area.Left];
                    if (a) BlendPixel(row[x], color, a);
                }
            }
        });
    }

    TFontFace& m_face;
    int m_tabStop;
    bool m_expandTabs;
};

struct TTextLine {
    std::u32string Text;
    int Accel = -1;
    long long Width = 0;
};

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

bool IsWordBreakAfter(char32_t c) {
    return c == U'/' || c == U'\\' || c == U'-';
}

// Splits at CR, LF and CR LF; a break at the very end opens no further line.
std::vector<TTextLine> SplitLines(const std::u32string& text, int accel) {
    std::vector<TTextLine> lines;
    std::size_t start = 0;
    auto push = [&](std::size_t end) {
        TTextLine l;
        l.Text = text.substr(start, end - start);
        if (accel >= static_cast<int>(start) && accel < static_cast<int>(end))
            l.Accel = accel - static_cast<int>(start);
        lines.push_back(std::move(l));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'\r' && text[i] != U'\n') continue;
        push(i);
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
        start = i + 1;
    }
    if (start < text.size() || lines.empty()) push(text.size());
    return lines;
}

// Greedy wrapping at blanks; the blanks at a break are dropped and a word wider than the limit
// is broken across lines.
std::vector<TTextLine> WrapLine(TLineWriter& writer, const TTextLine& line, long long limit) {
    std::vector<TTextLine> out;
    const std::u32string& t = line.Text;
    const std::vector<long long> pos = writer.Positions(t);
    const std::size_t n = t.size();
    std::size_t start = 0;
    auto emit = [&](std::size_t from, std::size_t to) {
        while (to > from && IsBlank(t[to - 1])) --to;
        TTextLine l;
        l.Text = t.substr(from, to - from);
        if (line.Accel >= static_cast<int>(from) && line.Accel < static_cast<int>(to))
            l.Accel = line.Accel - static_cast<int>(from);
        out.push_back(std::move(l));
    };
    do {
        std::size_t i = start, lastBlank = n;
        // Widths are measured from the line start so tabs keep their stops.
        const long long base = pos[start];
        while (i < n && (pos[i + 1] - base <= limit || i == start)) {
            if (IsBlank(t[i])) lastBlank = i;
            ++i;
        }
        std::size_t next;
        if (i >= n) {
            emit(start, n);
            break;
        }
        if (IsBlank(t[i])) {
            emit(start, i);
            next = i;
        } else if (lastBlank != n && lastBlank > start) {
            emit(start, lastBlank);
            next = lastBlank;
        } else {
            // A word wider than the line breaks at the last character that fits, or just after
            // the last "/", "\" or "-" that fits, so that a long path stays readable.
            std::size_t cut = i;
            for (std::size_t k = i; k > start + 1; --k) {
                if (IsWordBreakAfter(t[k - 1])) {
                    cut = k;
                    break;
                }
            }
            emit(start, cut);
            next = cut;
        }
        while (next < n && IsBlank(t[next])) ++next;
        start = next;
    } while (start < n);
    return out;
}

void ApplyEllipsis(TLineWriter& writer, TTextLine& line, long long limit) {
    if (line.Width <= limit) return;
    const long long dots = writer.Width(kEllipsis);
    // Only the characters that fit before the dots are measured.
    std::size_t keep = 0;
    long long pen = 0;
    while (keep < line.Text.size()) {
        const long long next = pen + writer.Advance(line.Text[keep], pen);
        if (next + dots > limit) break;
        pen = next;
        ++keep;
    }
    line.Text.resize(keep);
    line.Text += kEllipsis;
    if (line.Accel >= static_cast<int>(keep)) line.Accel = -1;
    line.Width = pen + dots;
}

}  // namespace

namespace {

// The face that draws a font on a surface of the given scale: the font at its height x scale.
std::shared_ptr<TFontFace> FaceAt(const TFont& font, const std::shared_ptr<TFontFace>& logical, int scale) {
    if (scale == 1) return logical;
    const int height = font.Height() == 0 ? -11 : font.Height();
    return TextEngine::ResolveFace(font.Name(), height * scale, font.Style());
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
    auto face = Font.Face();
    const std::u32string t = DecodeUtf8(text);
    const long long dx = static_cast<long long>(x) + m_origin.X, dy = static_cast<long long>(y) + m_origin.Y;
    long long width = 0;
    for (const TSurface& s : TCanvasAccess::Surfaces(*this)) {
        auto drawFace = FaceAt(Font, face, s.Scale);
        auto lock = TextEngine::Lock();
        TLineWriter writer(*face, false);
        width = writer.Width(t);
        if (Brush.Style == TBrushStyle::bsSolid)
            FillLogical(s,
                        {ClampCoord(dx), ClampCoord(dy), ClampCoord(dx + width),
                         ClampCoord(dy + face->Metrics.Height)},
                        ResolvePixel(Brush.Color), TRop::Copy);
        writer.Draw(s, *drawFace, t, dx, dy, ResolvePixel(Font.Color()), Font.Style(), -1);
    }
    MoveTo(ClampCoord(x + width), y);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    auto face = Font.Face();
    const std::u32string t = DecodeUtf8(text);
    const TRect limit = ClampRect(rect).Offset(m_origin.X, m_origin.Y);
    for (const TSurface& s : TCanvasAccess::Surfaces(*this, limit)) {
        if (Brush.Style == TBrushStyle::bsSolid) FillLogical(s, limit, ResolvePixel(Brush.Color), TRop::Copy);
        auto drawFace = FaceAt(Font, face, s.Scale);
        auto lock = TextEngine::Lock();
        TLineWriter writer(*face, false);
        writer.Draw(s, *drawFace, t, static_cast<long long>(x) + m_origin.X,
                    static_cast<long long>(y) + m_origin.Y, ResolvePixel(Font.Color()), Font.Style(), -1);
    }
}

int TCanvas::TextWidth(const std::string& text) const {
    return TextEngine::TextWidth(Font, text);
}

int TCanvas::TextHeight(const std::string&) const {
    return Font.Face()->Metrics.Height;
}

core::TSize TCanvas::TextExtent(const std::string& text) const {
    return {TextWidth(text), TextHeight(text)};
}

// DT_VCENTER and DT_BOTTOM act only with DT_SINGLELINE; lines are one cell (ascent + descent)
// high. The return value is the height of all lines.
int TCanvas::DrawText(const std::string& text, TRect& rect, uint32_t flags) {
    auto face = Font.Face();
    const bool singleLine = flags & DT_SINGLELINE;
    const TRect r = ClampRect(rect);
    const long long limit = std::max(0, r.Width());
    // A left-aligned line clipped to the rectangle, or one that gets an ellipsis, is measured
    // only as far as the rectangle: past it nothing of the line shows.
    const bool measureToLimit =
        (flags & DT_END_ELLIPSIS) || !(flags & (DT_NOCLIP | DT_CALCRECT | DT_CENTER | DT_RIGHT));
    // Such a single line is not even decoded past what can show: every character that shows
    // moves the pen (zero-width marks aside), so 16 bytes per pixel hold all of it.
    std::string_view source = text;
    const std::size_t shown = static_cast<std::size_t>(limit + 64) * 16;
    const bool cut = singleLine && measureToLimit && source.size() > shown;
    if (cut) source = source.substr(0, shown);
    std::u32string t = DecodeUtf8(source);
    int accel = -1;
    if (!(flags & DT_NOPREFIX)) t = StripPrefix(t, accel);

    auto lock = TextEngine::Lock();
    TLineWriter writer(*face, flags & DT_EXPANDTABS);
    const int lineHeight = writer.Metrics().Height;

    std::vector<TTextLine> lines;
    if (singleLine) {
        lines.push_back({t, accel, 0});
    } else if (!t.empty()) {
        for (TTextLine& l : SplitLines(t, accel)) {
            if (flags & DT_WORDBREAK) {
                for (TTextLine& w : WrapLine(writer, l, limit)) lines.push_back(std::move(w));
            } else {
                lines.push_back(std::move(l));
            }
        }
    }
    long long maxWidth = 0;
    for (TTextLine& l : lines) {
        l.Width = measureToLimit ? writer.WidthUpTo(l.Text, limit) : writer.Width(l.Text);
        // A cut line is longer than its rectangle even when its kept part is not.
        if (cut) l.Width = std::max(l.Width, limit + 1);
        if (flags & DT_END_ELLIPSIS) ApplyEllipsis(writer, l, limit);
        maxWidth = std::max(maxWidth, l.Width);
    }
    const int height = ClampCoord(static_cast<long long>(lines.size()) * lineHeight);

    if (flags & DT_CALCRECT) {
        rect.Right = ClampCoord(r.Left + maxWidth);
        rect.Bottom = ClampCoord(static_cast<long long>(r.Top) + height);
        return height;
    }

    long long y = r.Top;
    if (singleLine && (flags & DT_VCENTER))
        y = r.Top + (r.Height() - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        y = static_cast<long long>(r.Bottom) - lineHeight;
    const TRect limitRect = (flags & DT_NOCLIP) ? kUnlimited : r.Offset(m_origin.X, m_origin.Y);
    const uint32_t color = ResolvePixel(Font.Color());
    const uint32_t background = ResolvePixel(Brush.Color);
    const bool opaque = Brush.Style == TBrushStyle::bsSolid;
    const TFontStyles style = Font.Style();
    const long long firstY = y;
    for (const TSurface& s : TCanvasAccess::Surfaces(*this, limitRect)) {
        auto drawFace = FaceAt(Font, face, s.Scale);
        const TRect bounds = s.LogicalBounds();
        y = firstY;
        for (const TTextLine& l : lines) {
            const long long top = y + m_origin.Y;
            y += lineHeight;
            if (top >= bounds.Bottom) break;
            if (top + lineHeight <= bounds.Top) continue;
            long long x = r.Left;
            if (flags & DT_CENTER)
                x = r.Left + (r.Width() - l.Width) / 2;
            else if (flags & DT_RIGHT)
                x = r.Right - l.Width;
            x += m_origin.X;
            if (opaque)
                FillLogical(
                    s,
                    {ClampCoord(x), ClampCoord(top), ClampCoord(x + l.Width), ClampCoord(top + lineHeight)},
                    background, TRop::Copy);
            writer.Draw(s, *drawFace, l.Text, x, top, color, style, (flags & DT_HIDEPREFIX) ? -1 : l.Accel);
        }
    }
    return height;
}

TPrefixedText StripAccelerator(const std::string& text) {
    TPrefixedText out;
    for (char32_t c : StripPrefix(DecodeUtf8(text), out.AccelIndex)) AppendUtf8(out.Text, c);
    return out;
}

char32_t AcceleratorChar(const std::string& caption) {
    int accel = -1;
    const std::u32string stripped = StripPrefix(DecodeUtf8(caption), accel);
    return accel < 0 ? 0 : LowerChar(stripped[static_cast<std::size_t>(accel)]);
}

}  // namespace platform::gfx
