#include "tools/skingen/Paint.h"

#include <algorithm>

namespace skingen {

TRectF Local(const TRect& place, double left, double top, double right, double bottom) {
    return {place.Left + left, place.Top + top, place.Left + right, place.Top + bottom};
}

TRectF Whole(const TRect& place) {
    return {static_cast<double>(place.Left), static_cast<double>(place.Top), static_cast<double>(place.Right),
            static_cast<double>(place.Bottom)};
}

void PaintFace(TRaster& r, const TRectF& box, const TFace& face) {
    const TRectF inner = face.Border ? box.Inset(face.BorderWidth) : box;
    const TRadii innerRadius = face.Border ? face.Radius.Shrink(face.BorderWidth) : face.Radius;
    if (face.Border) {
        r.FillRoundRect(box, face.Radius, TPaint::Solid(*face.Border));
        if (face.Shade) {
            const double edge = box.Bottom - face.BorderWidth;
            r.FillShape(
                box,
                [&](double x, double y) {
                    return y >= edge && InsideRoundRect(box, face.Radius, x, y) &&
                           !InsideRoundRect(inner, innerRadius, x, y);
                },
                TPaint::Solid(*face.Shade));
        }
    }
    r.FillRoundRect(inner, innerRadius, face.Fill);
    if (face.Highlight) {
        const double edge = inner.Top + 1;
        r.FillShape(
            inner, [&](double x, double y) { return y < edge && InsideRoundRect(inner, innerRadius, x, y); },
            TPaint::Solid(*face.Highlight));
    }
}

void PaintChevron(TRaster& r, double cx, double cy, double size, TDirection dir, TColor color, double width) {
    const double h = size / 2;
    std::vector<TPointF> pts;
    switch (dir) {
        case TDirection::Up:
            pts = {{cx - size, cy + h}, {cx, cy - h}, {cx + size, cy + h}};
            break;
        case TDirection::Down:
            pts = {{cx - size, cy - h}, {cx, cy + h}, {cx + size, cy - h}};
            break;
        case TDirection::Left:
            pts = {{cx + h, cy - size}, {cx - h, cy}, {cx + h, cy + size}};
            break;
        case TDirection::Right:
            pts = {{cx - h, cy - size}, {cx + h, cy}, {cx - h, cy + size}};
            break;
    }
    r.StrokePolyline(pts, width, TPaint::Solid(color));
}

void PaintTriangle(TRaster& r, double cx, double cy, double size, TDirection dir, TColor color) {
    const double h = size / 2;
    std::vector<TPointF> pts;
    switch (dir) {
        case TDirection::Up:
            pts = {{cx - size, cy + h}, {cx, cy - h}, {cx + size, cy + h}};
            break;
        case TDirection::Down:
            pts = {{cx - size, cy - h}, {cx + size, cy - h}, {cx, cy + h}};
            break;
        case TDirection::Left:
            pts = {{cx + h, cy - size}, {cx + h, cy + size}, {cx - h, cy}};
            break;
        case TDirection::Right:
            pts = {{cx - h, cy - size}, {cx + h, cy}, {cx - h, cy + size}};
            break;
    }
    r.FillPolygon(pts, TPaint::Solid(color));
}

void PaintCheck(TRaster& r, double cx, double cy, double size, TColor color, double width) {
    r.StrokePolyline(
        {{cx - size, cy + size * 0.05}, {cx - size * 0.35, cy + size * 0.65}, {cx + size, cy - size * 0.6}},
        width, TPaint::Solid(color));
}

void PaintCross(TRaster& r, double cx, double cy, double size, TColor color, double width) {
    r.StrokeLine(cx - size, cy - size, cx + size, cy + size, width, TPaint::Solid(color));
    r.StrokeLine(cx + size, cy - size, cx - size, cy + size, width, TPaint::Solid(color));
}

void PaintMinimizeGlyph(TRaster& r, double cx, double cy, double size, TColor color) {
    r.FillShape(
        {cx - size, cy - 0.5, cx + size, cy + 0.5}, [](double, double) { return true; },
        TPaint::Solid(color));
}

void PaintMaximizeGlyph(TRaster& r, double cx, double cy, double size, TColor color) {
    r.StrokeRoundRect({cx - size, cy - size, cx + size, cy + size}, 1.5, 1, TPaint::Solid(color));
}

void PaintRestoreGlyph(TRaster& r, double cx, double cy, double size, TColor color, TColor background) {
    const double s = size - 1;
    const TRectF back{cx - s + 2, cy - s - 1, cx + s + 2, cy + s - 1};
    const TRectF front{cx - s - 1, cy - s + 2, cx + s - 1, cy + s + 2};
    r.StrokeRoundRect(back, 1.5, 1, TPaint::Solid(color));
    r.FillRoundRect(front, 1.5, TPaint::Solid(background));
    r.StrokeRoundRect(front, 1.5, 1, TPaint::Solid(color));
}

void PaintRollGlyph(TRaster& r, double cx, double cy, double size, bool up, TColor color) {
    PaintChevron(r, cx, cy + (up ? -1.5 : 1.5), size, up ? TDirection::Up : TDirection::Down, color, 1.4);
    r.FillShape(
        {cx - size, up ? cy + 2.5 : cy - 3.5, cx + size, up ? cy + 3.5 : cy - 2.5},
        [](double, double) { return true; }, TPaint::Solid(color));
}

void PaintPlusGlyph(TRaster& r, double cx, double cy, double size, TColor color, double width) {
    r.StrokeLine(cx - size, cy, cx + size, cy, width, TPaint::Solid(color));
    r.StrokeLine(cx, cy - size, cx, cy + size, width, TPaint::Solid(color));
}

void PaintMinusGlyph(TRaster& r, double cx, double cy, double size, TColor color, double width) {
    r.StrokeLine(cx - size, cy, cx + size, cy, width, TPaint::Solid(color));
}

void PaintEllipsisGlyph(TRaster& r, double cx, double cy, TColor color) {
    for (int i = -1; i <= 1; ++i) r.FillCircle(cx + 4 * i, cy, 1.25, TPaint::Solid(color));
}

void PaintSearchGlyph(TRaster& r, double cx, double cy, double size, TColor color) {
    const double rad = size * 0.62;
    const double ox = cx - size * 0.2, oy = cy - size * 0.2;
    r.StrokeCircle(ox, oy, rad, 1.5, TPaint::Solid(color));
    r.StrokeLine(ox + rad * 0.7, oy + rad * 0.7, cx + size, cy + size, 1.8, TPaint::Solid(color));
}

void PaintGripDots(TRaster& r, double cx, double cy, bool vertical, TColor color) {
    for (int i = -1; i <= 1; ++i) {
        const double x = vertical ? cx : cx + 4 * i;
        const double y = vertical ? cy + 4 * i : cy;
        r.FillShape(
            {x - 1, y - 1, x + 1, y + 1}, [](double, double) { return true; }, TPaint::Solid(color));
    }
}

bool InsidePuzzlePiece(const TRectF& box, double x, double y) {
    const double s = std::min(box.Width(), box.Height());
    const double u = (x - box.Left) / s, v = (y - box.Top) / s;
    auto inCircle = [&](double cx, double cy, double rad) {
        return (u - cx) * (u - cx) + (v - cy) * (v - cy) <= rad * rad;
    };
    const TRectF body{0.04, 0.28, 0.72, 0.96};
    const bool inBody = InsideRoundRect(body, 0.07, u, v);
    // Knobs on narrow necks at the top and on the right, a socket on the left.
    const bool inKnob = inCircle(0.38, 0.15, 0.15) || (u >= 0.32 && u <= 0.44 && v >= 0.2 && v <= 0.3) ||
                        inCircle(0.85, 0.62, 0.15) || (u >= 0.7 && u <= 0.8 && v >= 0.56 && v <= 0.68);
    const bool inSocket = inCircle(0.02, 0.62, 0.14);
    return (inBody || inKnob) && !inSocket;
}

void PaintPuzzlePiece(TRaster& r, const TRectF& box, const TPaint& paint, double alpha) {
    r.FillShape(
        box, [&](double x, double y) { return InsidePuzzlePiece(box, x, y); }, paint, alpha);
}

}  // namespace skingen
