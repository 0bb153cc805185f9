#include "tools/packagegen/PuzzleArt.h"

#include <cmath>
#include <vector>

#include "tools/skingen/Raster.h"

namespace packagegen {

using platform::gfx::TBitmap;
using platform::gfx::TColor;
using skingen::Hex;
using skingen::Mix;
using skingen::TPaint;
using skingen::TPointF;
using skingen::TRaster;
using skingen::TRectF;

uint32_t TRandom::Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

namespace {

constexpr double kPi = 3.14159265358979323846;

// Palettes: background top, background bottom, then accents.
struct TPalette {
    TColor Top, Bottom;
    TColor Accents[4];
};

const TPalette kShapePalettes[] = {
    {Hex(0x1E3C72), Hex(0x2A5298), {Hex(0xF7B733), Hex(0xFC4A1A), Hex(0x4ABDAC), Hex(0xF3F3F3)}},
    {Hex(0xFDEB71), Hex(0xF8D800), {Hex(0xE94057), Hex(0x8A2387), Hex(0x1FA2FF), Hex(0x12D8FA)}},
    {Hex(0x0F2027), Hex(0x2C5364), {Hex(0x00D2FF), Hex(0xF953C6), Hex(0xB91D73), Hex(0xFFE259)}},
    {Hex(0xE0EAFC), Hex(0xCFDEF3), {Hex(0xFF6B6B), Hex(0x4ECDC4), Hex(0x1A535C), Hex(0xFFE66D)}},
    {Hex(0x2B5876), Hex(0x4E4376), {Hex(0xF8B195), Hex(0xF67280), Hex(0xC06C84), Hex(0x6C5B7B)}},
    {Hex(0xFFF1EB), Hex(0xACE0F9), {Hex(0x355C7D), Hex(0xF67280), Hex(0x99B898), Hex(0xFECEAB)}},
};

void PaintShapes(TRaster& r, int size, TRandom& rnd, int index) {
    const TPalette& p = kShapePalettes[(index - 1) % 6];
    r.FillRect(0, 0, size, size, TPaint::Vertical(p.Top, p.Bottom, 0, size));
    const int count = rnd.Int(6, 9);
    for (int i = 0; i < count; ++i) {
        const TColor a = p.Accents[rnd.Int(0, 3)], b = p.Accents[rnd.Int(0, 3)];
        const double cx = rnd.Range(0, size), cy = rnd.Range(0, size),
                     s = rnd.Range(size * 0.12, size * 0.36);
        const TPaint fill = TPaint::Vertical(a, Mix(a, b, 0.6), cy - s, cy + s);
        const double alpha = rnd.Range(0.75, 0.95);
        switch (rnd.Int(0, 3)) {
            case 0:
                r.FillCircle(cx, cy, s, fill, alpha);
                break;
            case 1:
                r.FillRoundRect({cx - s, cy - s, cx + s, cy + s}, s * 0.25, fill, alpha);
                break;
            case 2:
                r.FillPolygon({{cx, cy - s}, {cx + s, cy + s * 0.8}, {cx - s, cy + s * 0.8}}, fill, alpha);
                break;
            default:
                r.StrokeCircle(cx, cy, s, s * 0.3, fill, alpha);
                break;
        }
    }
}

void PaintBeach(TRaster& r, int size, TRandom& rnd, int index) {
    struct TSky {
        TColor Top, Horizon, Sun, Sea;
    };
    const TSky skies[] = {{Hex(0x4FA3E0), Hex(0xBFE3F7), Hex(0xFFF4C2), Hex(0x1E88C7)},
                          {Hex(0xF2709C), Hex(0xFFB88C), Hex(0xFFE29F), Hex(0x6A5ACD)},
                          {Hex(0x2C3E70), Hex(0xF6A07A), Hex(0xFFD27F), Hex(0x31507F)},
                          {Hex(0x74C5F0), Hex(0xE6F6FD), Hex(0xFFFFFF), Hex(0x17A2B8)}};
    const TSky& sky = skies[(index - 1) % 4];
    const double horizon = size * rnd.Range(0.48, 0.58);
    r.FillRect(0, 0, size, static_cast<int>(horizon) + 1, TPaint::Vertical(sky.Top, sky.Horizon, 0, horizon));
    const double sunX = rnd.Range(size * 0.2, size * 0.8),
                 sunY = horizon - rnd.Range(size * 0.08, size * 0.3);
    r.FillCircle(sunX, sunY, size * 0.2, TPaint::Solid(sky.Sun), 0.25);
    r.FillCircle(sunX, sunY, size * 0.11, TPaint::Solid(sky.Sun));
    const double shore = size * rnd.Range(0.74, 0.82);
    r.FillRect(0, static_cast<int>(horizon), size, static_cast<int>(shore) + 1,
               TPaint::Vertical(sky.Sea, Mix(sky.Sea, Hex(0x7FE0E8), 0.5), horizon, shore));
    // Waves: light dashes that grow towards the shore.
    for (int i = 0; i < 26; ++i) {
        const double y = horizon + 3 + (shore - horizon - 6) * (i / 26.0);
        const double x = rnd.Range(-10, size), len = 6 + 18 * (i / 26.0);
        r.StrokeLine(x, y, x + len, y, 1.2, TPaint::Solid(Hex(0xFFFFFF)), 0.45);
    }
    // Sand with the wet edge of the shore.
    std::vector<TPointF> sand{{0, static_cast<double>(size)}};
    for (int x = 0; x <= size; x += 10)
        sand.push_back({static_cast<double>(x), shore + 3 * std::sin(x * 0.09 + index)});
    sand.push_back({static_cast<double>(size), static_cast<double>(size)});
    r.FillPolygon(sand, TPaint::Vertical(Hex(0xF3D9A4), Hex(0xE2BC7A), shore, size));
    // A palm on one side, or a sail on the sea.
    if (index % 2 == 1) {
        const double baseX = index % 4 == 1 ? size * 0.16 : size * 0.84, baseY = size * 0.95;
        const double topX = baseX + (index % 4 == 1 ? 14 : -14), topY = size * 0.42;
        r.StrokePolyline({{baseX, baseY}, {(baseX + topX) / 2 + 4, (baseY + topY) / 2}, {topX, topY}}, 5,
                         TPaint::Solid(Hex(0x7A5230)));
        for (int k = 0; k < 6; ++k) {
            const double angle = kPi * (0.9 + 0.24 * k);
            const double ex = topX + 30 * std::cos(angle), ey = topY + 18 * std::sin(angle) + 10;
            r.StrokePolyline({{topX, topY}, {(topX + ex) / 2, (topY + ey) / 2 - 6}, {ex, ey}}, 4,
                             TPaint::Solid(Hex(0x2E7D32)));
        }
    } else {
        const double bx = rnd.Range(size * 0.3, size * 0.7), by = horizon + (shore - horizon) * 0.45;
        r.FillPolygon({{bx - 12, by}, {bx + 12, by}, {bx + 8, by + 5}, {bx - 8, by + 5}},
                      TPaint::Solid(Hex(0x5D4037)));
        r.FillPolygon({{bx, by - 26}, {bx, by - 2}, {bx + 13, by - 2}}, TPaint::Solid(Hex(0xFFFFFF)));
        r.FillPolygon({{bx - 1, by - 20}, {bx - 1, by - 2}, {bx - 10, by - 2}}, TPaint::Solid(Hex(0xFF7043)));
    }
}

void PaintCity(TRaster& r, int size, TRandom& rnd, int index) {
    const TColor skies[][2] = {
        {Hex(0x0B1026), Hex(0x2B2F77)}, {Hex(0x141E30), Hex(0x35577D)}, {Hex(0x200122), Hex(0x6F0000)}};
    const TColor* sky = skies[(index - 1) % 3];
    r.FillRect(0, 0, size, size, TPaint::Vertical(sky[0], sky[1], 0, size));
    for (int i = 0; i < 40; ++i)
        r.BlendPixel(rnd.Int(0, size - 1), rnd.Int(0, size / 2), Hex(0xFFFFFF), rnd.Range(0.4, 1));
    const double mx = rnd.Range(size * 0.6, size * 0.85), my = size * 0.2;
    r.FillCircle(mx, my, 13, TPaint::Solid(Hex(0xFFF6D5)));
    r.FillCircle(mx + 6, my - 4, 12, TPaint::Solid(sky[0]), 0.85);
    // Two rows of buildings, the far one dimmer.
    for (int layer = 0; layer < 2; ++layer) {
        double x = -5;
        const TColor body = layer == 0 ? Mix(sky[1], Hex(0x000000), 0.35) : Hex(0x10131C);
        while (x < size) {
            const double w = rnd.Range(14, 30),
                         h = rnd.Range(size * (layer ? 0.25 : 0.4), size * (layer ? 0.55 : 0.7));
            const double top = size - h;
            r.FillRect(static_cast<int>(x), static_cast<int>(top), static_cast<int>(x + w), size, body);
            for (double wy = top + 5; wy < size - 4; wy += 7)
                for (double wx = x + 3; wx < x + w - 4; wx += 6)
                    if (rnd.Int(0, 9) < (layer ? 5 : 3))
                        r.FillRect(static_cast<int>(wx), static_cast<int>(wy), static_cast<int>(wx) + 3,
                                   static_cast<int>(wy) + 4, layer ? Hex(0xFFD166) : Hex(0xB8A46A));
            x += w + rnd.Range(0, 4);
        }
    }
}

// One edge of a piece with its knob: from a to b, the knob bulging to the left of the direction
// (side +1) or to the right (side -1).
std::vector<TPointF> KnobEdge(TPointF a, TPointF b, int side) {
    const double ux = b.X - a.X, uy = b.Y - a.Y;
    const double vx = -uy * side, vy = ux * side;
    auto at = [&](double u, double v) { return TPointF{a.X + ux * u + vx * v, a.Y + uy * u + vy * v}; };
    std::vector<TPointF> pts{at(0, 0), at(0.37, 0)};
    for (int k = 0; k <= 16; ++k) {
        const double phi = kPi + 0.5 - (kPi + 1.0) * k / 16.0;
        pts.push_back(at(0.5 + 0.12 * std::cos(phi), 0.14 + 0.12 * std::sin(phi)));
    }
    pts.push_back(at(0.63, 0));
    pts.push_back(at(1, 0));
    return pts;
}

void PaintPieceGrid(TRaster& r, int size, TRandom& rnd, int pieces) {
    const double cell = static_cast<double>(size) / pieces;
    std::vector<std::vector<TPointF>> edges;
    for (int i = 1; i < pieces; ++i) {
        for (int j = 0; j < pieces; ++j) {
            edges.push_back(
                KnobEdge({i * cell, j * cell}, {i * cell, (j + 1) * cell}, rnd.Int(0, 1) ? 1 : -1));
            edges.push_back(
                KnobEdge({j * cell, i * cell}, {(j + 1) * cell, i * cell}, rnd.Int(0, 1) ? 1 : -1));
        }
    }
    for (const auto& e : edges) {
        std::vector<TPointF> shadow;
        for (const TPointF& p : e) shadow.push_back({p.X + 0.8, p.Y + 0.8});
        r.StrokePolyline(shadow, 1.8, TPaint::Solid(Hex(0x000000)), 0.35);
    }
    for (const auto& e : edges) r.StrokePolyline(e, 1.1, TPaint::Solid(Hex(0xFFFFFF)), 0.7);
    r.StrokeLine(0.5, 0.5, size - 0.5, 0.5, 1, TPaint::Solid(Hex(0xFFFFFF)), 0.4);
    r.StrokeLine(0.5, 0.5, 0.5, size - 0.5, 1, TPaint::Solid(Hex(0xFFFFFF)), 0.4);
}

}  // namespace

TBitmap PaintPuzzlePreview(TSceneTheme theme, int index, int size) {
    TBitmap bitmap(size, size);
    TRaster r(bitmap);
    TRandom rnd(static_cast<uint32_t>(index * 7919 + static_cast<int>(theme) * 104729 + 17));
    switch (theme) {
        case TSceneTheme::Shapes:
            PaintShapes(r, size, rnd, index);
            break;
        case TSceneTheme::Beach:
            PaintBeach(r, size, rnd, index);
            break;
        case TSceneTheme::City:
            PaintCity(r, size, rnd, index);
            break;
    }
    // More pieces for later puzzles, as harder puzzles have.
    PaintPieceGrid(r, size, rnd, 4 + index % 3);
    return bitmap;
}

}  // namespace packagegen
