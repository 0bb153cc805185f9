// Fonts, measuring and DrawText layout. Assertions compare renderings made in the same run, or
// look at chosen pixels, so they hold for any FreeType version.

#include "CanvasTestSupport.h"

#include "platform/gfx/Font.h"

namespace canvastest {
namespace {

constexpr uint32_t kLine = DT_SINGLELINE;

// Black Arial on white with a clear brush.
struct TTextSurface : TSurface {
    TTextSurface(int w, int h, int height = -20) : TSurface(w, h) {
        Canvas.Font.SetName("Arial");
        Canvas.Font.SetHeight(height);
        Canvas.Font.SetColor(clBlack);
        Canvas.Brush.Style = TBrushStyle::bsClear;
    }
};

bool Dark(TColor c) {
    return GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96;
}

TEST(FontResolution, WindowsNamesResolveToTheirLiberationTwins) {
    EXPECT_EQ(TextEngine::ResolvedFamily("Arial", 0), "Liberation Sans");
    EXPECT_EQ(TextEngine::ResolvedFamily("tahoma", fsBold), "Liberation Sans");
    EXPECT_EQ(TextEngine::ResolvedFamily("MS Sans Serif", 0), "Liberation Sans");
    EXPECT_EQ(TextEngine::ResolvedFamily("Times New Roman", fsItalic), "Liberation Serif");
    EXPECT_EQ(TextEngine::ResolvedFamily("Courier New", 0), "Liberation Mono");
    EXPECT_EQ(TextEngine::ResolvedFamily("No Such Font Anywhere", 0), "Liberation Sans");
    EXPECT_EQ(TextEngine::ResolvedFamily("", 0), "Liberation Sans");
}

TEST(FontMetrics, HeightRuleAndPointSize) {
    TFont cell;
    cell.SetHeight(20);
    EXPECT_EQ(TextEngine::Metrics(cell).Height, 20);

    TFont em;
    em.SetHeight(-20);
    EXPECT_GT(TextEngine::Metrics(em).Height, 20);  // ascent + descent exceed the em
    EXPECT_GT(TextEngine::Metrics(em).InternalLeading, 0);

    TTextSurface a(60, 40, 20), b(60, 40, -20);
    a.Canvas.TextOut(0, 0, "H");
    b.Canvas.TextOut(0, 0, "H");
    EXPECT_GT(b.Ink().Height(), a.Ink().Height());

    TFont f;
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
}

TEST(FontStyle, BoldIsWiderAndChangesFireOnChange) {
    TFont f;
    f.SetHeight(-16);
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    const int regular = TextEngine::TextWidth(f, "Hello World");
    f.SetStyle(fsBold);
    EXPECT_GT(TextEngine::TextWidth(f, "Hello World"), regular);
    f.SetStyle(fsBold);  // no change, no event
    f.SetColor(clRed);
    EXPECT_EQ(changes, 2);
    const TFont copy(f);
    EXPECT_FALSE(copy.OnChange);
    EXPECT_TRUE(copy == f);
}

TEST(TextOut, BackgroundIsFilledUnlessTheBrushIsClear) {
    TTextSurface s(80, 40);
    s.Canvas.Brush.Style = TBrushStyle::bsSolid;
    s.Canvas.Brush.Color = clRed;
    s.Canvas.TextOut(5, 5, "x");
    const int w = s.Canvas.TextWidth("x"), h = s.Canvas.TextHeight("x");
    EXPECT_EQ(s.At(5, 5), clRed);  // above the x-height, inside the cell
    EXPECT_EQ(s.At(5 + w - 1, 5 + h - 1), clRed);
    EXPECT_EQ(s.At(5 + w, 5), clWhite);
    EXPECT_EQ(s.At(5, 5 + h), clWhite);
    EXPECT_EQ(s.Canvas.PenPos(), platform::core::Point(5 + w, 5));

    TTextSurface clear(80, 40);
    clear.Canvas.TextOut(5, 5, "x");
    EXPECT_EQ(clear.At(5, 5), clWhite);
    EXPECT_FALSE(clear.Ink().IsEmpty());
    EXPECT_LE(clear.Ink().Right, 5 + w + 1);
}

TEST(TextMeasure, InvalidUtf8MeasuresAsReplacementCharacters) {
    TFont f;
    EXPECT_EQ(TextEngine::TextWidth(f,
                                    "a\xff"
                                    "b"),
              TextEngine::TextWidth(f,
                                    "a\xEF\xBF\xBD"
                                    "b"));
    EXPECT_EQ(TextEngine::TextWidth(f, "\xE2\x82"), TextEngine::TextWidth(f, "\xEF\xBF\xBD\xEF\xBF\xBD"));
}

TEST(DrawTextPrefix, AmpersandUnderlinesOnlyTheMarkedCharacter) {
    TTextSurface plain(120, 40), marked(120, 40);
    TRect calc{0, 0, 0, 0};
    marked.Canvas.DrawText("&Start", calc, kLine | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), marked.Canvas.TextWidth("Start"));
    EXPECT_TRUE(marked.Ink().IsEmpty());  // measuring draws nothing

    TRect r{0, 0, 120, 40};
    plain.Canvas.DrawText("Start", r, kLine);
    marked.Canvas.DrawText("&Start", r, kLine);
    const int sWidth = marked.Canvas.TextWidth("S");
    // The only added pixels are a line under the S.
    int underlineRow = -1;
    for (int y = 0; y < 40 && underlineRow < 0; ++y) {
        bool full = true;
        for (int x = 0; x < sWidth - 1; ++x) full = full && Dark(marked.At(x, y)) && !Dark(plain.At(x, y));
        if (full) underlineRow = y;
    }
    ASSERT_GE(underlineRow, 0);
    EXPECT_GT(underlineRow, TextEngine::Metrics(marked.Canvas.Font).Ascent - 1);
    for (int y = 0; y < 40; ++y)
        for (int x = sWidth; x < 120; ++x) ASSERT_EQ(marked.At(x, y), plain.At(x, y)) << x << "," << y;

    TTextSurface hidden(120, 40);
    hidden.Canvas.DrawText("&Start", r, kLine | DT_HIDEPREFIX);
    EXPECT_TRUE(hidden.SamePixels(plain));
    TTextSurface noPrefix(120, 40);
    TRect np{0, 0, 0, 0};
    noPrefix.Canvas.DrawText("&Start", np, kLine | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_EQ(np.Width(), noPrefix.Canvas.TextWidth("&Start"));
}

TEST(DrawTextPrefix, DoubleAmpersandDrawsOneAndHelpersAgree) {
    TTextSurface drawn(120, 40), reference(120, 40);
    TRect r{0, 0, 120, 40};
    drawn.Canvas.DrawText("a&&b", r, kLine);
    reference.Canvas.TextOut(0, 0, "a&b");
    EXPECT_TRUE(drawn.SamePixels(reference));

    const TPrefixedText p = StripAccelerator("&&x&yz");
    EXPECT_EQ(p.Text, "&xyz");
    EXPECT_EQ(p.AccelIndex, 2);
    EXPECT_EQ(StripAccelerator("Fi&le").AccelIndex, 2);
    EXPECT_EQ(StripAccelerator("no marks").AccelIndex, -1);
    EXPECT_EQ(AcceleratorChar("&Start"), U's');
    EXPECT_EQ(AcceleratorChar("A&&B"), 0u);
    EXPECT_EQ(AcceleratorChar("\xC3\x9C"
                              "ber &\xC3\x84rger"),
              U'\u00E4');
    EXPECT_EQ(AcceleratorChar("trailing&"), 0u);
}

TEST(DrawTextLines, LineBreaksStackLinesUnlessSingleLine) {
    TTextSurface s(200, 100);
    const int line = s.Canvas.TextHeight("A");
    for (const char* text : {"One\rTwo", "One\nTwo", "One\r\nTwo", "One\rTwo\r"}) {
        TRect r{0, 0, 200, 100};
        EXPECT_EQ(s.Canvas.DrawText(text, r, DT_CALCRECT), 2 * line) << text;
        EXPECT_EQ(r.Bottom, 2 * line) << text;
        EXPECT_EQ(r.Right, s.Canvas.TextWidth("One")) << text;
    }
    TRect single{0, 0, 200, 100};
    EXPECT_EQ(s.Canvas.DrawText("One\rTwo", single, DT_CALCRECT | DT_SINGLELINE), line);

    TRect r{0, 0, 200, 100};
    s.Canvas.DrawText("One\rTwo", r, 0);
    const TRect ink = s.Ink();
    EXPECT_LT(ink.Top, line);
    EXPECT_GT(ink.Bottom, line + line / 2);  // "Two" sits on the second line
}

TEST(DrawTextLines, WordBreakWrapsAtBlanksAndBreaksWordsWiderThanTheLine) {
    TTextSurface s(300, 200);
    const int line = s.Canvas.TextHeight("A");
    const int limit = s.Canvas.TextWidth("alpha beta") + 2;
    TRect r{10, 10, 10 + limit, 200};
    EXPECT_EQ(s.Canvas.DrawText("alpha beta alpha beta", r, DT_WORDBREAK | DT_CALCRECT), 2 * line);
    EXPECT_EQ(r.Right, 10 + s.Canvas.TextWidth("alpha beta"));
    EXPECT_EQ(r.Bottom, 10 + 2 * line);

    // A word wider than the line is broken: no line is wider than the rectangle.
    TRect narrow{0, 0, s.Canvas.TextWidth("extra") + 1, 200};
    s.Canvas.DrawText("extraordinarily long", narrow, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_LE(narrow.Right, s.Canvas.TextWidth("extra") + 1);
    EXPECT_GE(narrow.Bottom, 4 * line);
}

TEST(DrawTextLines, AWordWiderThanTheLineBreaksAfterTheLastSeparatorOrCharacterThatFits) {
    // Each case: the text, the part whose width sets the line, and the lines expected.
    struct TCase {
        const char* Text;
        const char* Fits;
        const char* Lines;
    };
    const TCase cases[] = {
        {"abcdefghij", "abcde", "abcde\nfghij"},
        {"/home/user/abc", "/home/user/ab", "/home/user/\nabc"},
        {"C:\\Games\\Puzzles", "C:\\Games\\Puz", "C:\\Games\\\nPuzzles"},
        {"long-folder-name", "long-folder-na", "long-folder-\nname"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TTextSurface broken(300, 120), expected(300, 120);
        TRect r{5, 5, 5 + broken.Canvas.TextWidth(c.Fits), 120};
        broken.Canvas.DrawText(c.Text, r, DT_WORDBREAK | DT_NOCLIP);
        TRect wide{5, 5, 295, 120};
        expected.Canvas.DrawText(c.Lines, wide, 0);
        EXPECT_TRUE(broken.SamePixels(expected));
    }
}

TEST(DrawTextPlacement, AlignmentShiftsByTheExactRemainder) {
    const TRect box{10, 5, 210, 65};
    auto inkOf = [&](uint32_t flags) {
        TTextSurface s(240, 80);
        TRect r = box;
        s.Canvas.DrawText("Hi", r, flags);
        return s.Ink();
    };
    TTextSurface probe(10, 10);
    const int w = probe.Canvas.TextWidth("Hi"), h = probe.Canvas.TextHeight("Hi");
    const TRect left = inkOf(kLine);
    ASSERT_FALSE(left.IsEmpty());
    EXPECT_EQ(inkOf(kLine | DT_CENTER).Left - left.Left, (box.Width() - w) / 2);
    EXPECT_EQ(inkOf(kLine | DT_RIGHT).Left - left.Left, box.Width() - w);
    EXPECT_EQ(inkOf(kLine | DT_VCENTER).Top - left.Top, (box.Height() - h) / 2);
    EXPECT_EQ(inkOf(kLine | DT_BOTTOM).Top - left.Top, box.Height() - h);
    EXPECT_EQ(inkOf(DT_VCENTER).Top, left.Top);  // vertical placement needs a single line
}

TEST(DrawTextPlacement, ClippingEllipsisAndTabs) {
    TTextSurface s(300, 60);
    TRect r{0, 0, 40, 30};
    s.Canvas.DrawText("Clipped text that is long", r, kLine);
    EXPECT_LE(s.Ink().Right, 40);

    TTextSurface free(300, 60);
    TRect nc = r;
    free.Canvas.DrawText("Clipped text that is long", nc, kLine | DT_NOCLIP);
    EXPECT_GT(free.Ink().Right, 40);

    TTextSurface e(300, 60);
    TRect er{0, 0, 80, 30};
    e.Canvas.DrawText("An ellipsis shortens this", er, kLine | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(er.Width(), 80);
    EXPECT_GT(er.Width(), e.Canvas.TextWidth("..."));

    TFont f;
    f.SetHeight(-16);
    TSurface t(300, 60);
    t.Canvas.Font = f;
    TRect tr{0, 0, 300, 60};
    t.Canvas.DrawText("a\tb", tr, kLine | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(tr.Width(), 8 * TextEngine::Metrics(f).AveCharWidth + t.Canvas.TextWidth("b"));
}

TEST(DrawTextPlacement, AHugeLineShowsAsItsVisibleStartWouldWithAndWithoutEllipsis) {
    // Only the start of a line of a million characters can show: it draws as the start alone.
    std::string huge;
    for (int i = 0; i < 100000; ++i) huge += "Name-&0123";
    const std::string start = huge.substr(0, 200);
    for (const uint32_t flags : {kLine, kLine | DT_END_ELLIPSIS, kLine | DT_NOPREFIX | DT_END_ELLIPSIS}) {
        SCOPED_TRACE(flags);
        for (const bool opaque : {false, true}) {
            TTextSurface big(300, 40), small(300, 40);
            for (TTextSurface* s : {&big, &small}) {
                s->Canvas.Brush.Color = clAqua;
                s->Canvas.Brush.Style = opaque ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
            }
            TRect a{10, 5, 250, 35}, b = a;
            big.Canvas.DrawText(huge, a, flags);
            small.Canvas.DrawText(flags & DT_END_ELLIPSIS ? start : huge.substr(0, 60), b, flags);
            EXPECT_TRUE(big.SamePixels(small));
        }
    }
}

TEST(TextRect, FillsTheRectangleAndClipsTheText) {
    TTextSurface s(200, 40);
    s.Canvas.Brush.Style = TBrushStyle::bsSolid;
    s.Canvas.Brush.Color = clAqua;
    s.Canvas.TextRect({10, 0, 50, 30}, 12, 2, "A long clipped caption");
    EXPECT_EQ(s.At(10, 29), clAqua);
    EXPECT_EQ(s.At(49, 0), clAqua);
    EXPECT_EQ(s.Ink(), platform::core::Rect(10, 0, 50, 30));
}

TEST(TextDecoration, UnderlineAndStrikeOutSpanTheText) {
    TTextSurface plain(200, 40), under(200, 40), strike(200, 40);
    under.Canvas.Font.SetStyle(fsUnderline);
    strike.Canvas.Font.SetStyle(fsStrikeOut);
    plain.Canvas.TextOut(0, 0, "mmmm");
    under.Canvas.TextOut(0, 0, "mmmm");
    strike.Canvas.TextOut(0, 0, "mmmm");
    const int ascent = TextEngine::Metrics(plain.Canvas.Font).Ascent;
    const int w = plain.Canvas.TextWidth("mmmm");
    auto addedRow = [&](const TSurface& s) {
        for (int y = 0; y < 40; ++y) {
            int added = 0;
            for (int x = 0; x < w; ++x) added += Dark(s.At(x, y)) && !Dark(plain.At(x, y));
            if (added > w / 3) return y;
        }
        return -1;
    };
    EXPECT_GE(addedRow(under), ascent);
    const int strikeRow = addedRow(strike);
    EXPECT_GT(strikeRow, 0);
    EXPECT_LT(strikeRow, ascent);
}

TEST(GlyphCache, StaysBoundedAndRefillsAfterClearing) {
    TFont f;
    TextEngine::ClearGlyphCache();
    EXPECT_EQ(TextEngine::GlyphCacheSize(), 0u);
    std::string all;
    for (char32_t c = 0x21; c < 0x250; ++c) {
        if (c < 0x80)
            all += static_cast<char>(c);
        else if (c < 0x800) {
            all += static_cast<char>(0xC0 | (c >> 6));
            all += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    f.SetHeight(-12);
    const int width12 = TextEngine::TextWidth(f, all);
    EXPECT_GT(TextEngine::GlyphCacheSize(), 100u);
    for (int h = 13; h < 23; ++h) {
        f.SetHeight(-h);
        (void)TextEngine::TextWidth(f, all);
    }
    EXPECT_LE(TextEngine::GlyphCacheSize(), 4096u);
    f.SetHeight(-12);
    EXPECT_EQ(TextEngine::TextWidth(f, all), width12);  // evicted glyphs come back the same
}

}  // namespace
}  // namespace canvastest
