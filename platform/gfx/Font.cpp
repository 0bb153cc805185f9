#include "platform/gfx/Font.h"

#include <cstdlib>

#include "platform/gfx/TextEngineInternal.h"

namespace platform::gfx {
namespace {

// The platform's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long num = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const long long q = (num >= 0) == (c > 0) ? (std::llabs(num) + half) / std::llabs(c)
                                              : -((std::llabs(num) + half) / std::llabs(c));
    return static_cast<int>(q);
}

constexpr int kPixelsPerInch = 96;

}  // namespace

TFont::TFont() = default;

// Events belong to the owner of a font, not to its value: copies start without OnChange.
TFont::TFont(const TFont& other)
    : m_name(other.m_name),
      m_height(other.m_height),
      m_style(other.m_style),
      m_color(other.m_color),
      m_charset(other.m_charset),
      m_face(other.m_face) {}

TFont& TFont::operator=(const TFont& other) {
    if (this == &other) return *this;
    const bool same = *this == other;
    m_name = other.m_name;
    m_height = other.m_height;
    m_style = other.m_style;
    m_color = other.m_color;
    m_charset = other.m_charset;
    m_face = other.m_face;
    if (!same && OnChange) OnChange();
    return *this;
}

TFont::~TFont() = default;

void TFont::SetName(std::string name) {
    if (name == m_name) return;
    m_name = std::move(name);
    m_face.reset();
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == m_height) return;
    m_height = height;
    m_face.reset();
    Changed();
}

int TFont::Size() const {
    return -MulDiv(m_height, 72, kPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == m_style) return;
    const bool faceChanges = (style & (fsBold | fsItalic)) != (m_style & (fsBold | fsItalic));
    m_style = style;
    if (faceChanges) m_face.reset();
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == m_charset) return;
    m_charset = charset;
    Changed();
}

std::shared_ptr<TFontFace> TFont::Face() const {
    if (!m_face) m_face = TextEngine::ResolveFace(m_name, m_height, m_style);
    return m_face;
}

void TFont::Changed() {
    if (OnChange) OnChange();
}

bool operator==(const TFont& a, const TFont& b) {
    return a.m_name == b.m_name && a.m_height == b.m_height && a.m_style == b.m_style &&
           a.m_color == b.m_color && a.m_charset == b.m_charset;
}

}  // namespace platform::gfx
