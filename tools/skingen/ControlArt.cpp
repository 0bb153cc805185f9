#include "tools/skingen/ControlArt.h"

#include <algorithm>

#include "tools/skingen/Theme.h"

namespace skingen {

using namespace theme;

TFace ButtonFace(TState s, double radius) {
    TFace f;
    f.Radius = radius;
    switch (s) {
        case TState::Normal:
            f.Fill = TPaint::Solid(kButtonFace);
            f.Border = kBorder;
            f.Shade = kShade;
            break;
        case TState::Hot:
        case TState::Focused:
            f.Fill = TPaint::Solid(kButtonFaceHot);
            f.Border = s == TState::Hot ? kButtonBorderHot : kAccent;
            f.Shade = f.Border;
            break;
        case TState::Down:
            f.Fill = TPaint::Solid(kButtonFaceDown);
            f.Border = kAccentStrong;
            break;
        case TState::Disabled:
            f.Fill = TPaint::Solid(kButtonFaceDisabled);
            f.Border = kButtonBorderDisabled;
            break;
    }
    return f;
}

TFace PrimaryFace(TState s, double radius) {
    TFace f;
    f.Radius = radius;
    switch (s) {
        case TState::Normal:
            f.Fill = TPaint::Solid(kAccentStrong);
            f.Border = kAccentDeep;
            break;
        case TState::Hot:
        case TState::Focused:
            f.Fill = TPaint::Solid(Hex(0x1C85EC));
            f.Border = kAccentStrong;
            break;
        case TState::Down:
            f.Fill = TPaint::Solid(kAccentDeep);
            f.Border = Hex(0x054A91);
            break;
        case TState::Disabled:
            f.Fill = TPaint::Solid(Hex(0xA9CCF0));
            f.Border = Hex(0x9BC2EA);
            break;
    }
    return f;
}

TFace ToolFace(TState s, double radius) {
    TFace f;
    f.Radius = radius;
    f.Fill = TPaint::Solid(kClient);
    if (s == TState::Hot || s == TState::Focused) {
        f.Fill = TPaint::Solid(kAccentSofter);
        f.Border = kAccentSoftBorder;
    } else if (s == TState::Down) {
        f.Fill = TPaint::Solid(kAccentSoft);
        f.Border = kAccentStrong;
    }
    return f;
}

TFace FieldFace(TState s, double radius) {
    TFace f;
    f.Radius = radius;
    f.Fill = TPaint::Solid(kField);
    switch (s) {
        case TState::Normal:
            f.Border = kBorder;
            break;
        case TState::Hot:
            f.Border = kBorderStrong;
            break;
        case TState::Down:
        case TState::Focused:
            f.Border = kAccent;
            break;
        case TState::Disabled:
            f.Fill = TPaint::Solid(kPanel);
            f.Border = kBorderSoft;
            break;
    }
    return f;
}

TFace SelectionFace(TState s, double radius) {
    TFace f;
    f.Radius = radius;
    switch (s) {
        case TState::Hot:
            f.Fill = TPaint::Solid(kAccentSofter);
            break;
        case TState::Focused:
            f.Fill = TPaint::Solid(kAccentSoft);
            f.Border = kAccentSoftBorder;
            break;
        case TState::Disabled:
            f.Fill = TPaint::Solid(kPanelDark);
            break;
        default:
            f.Fill = TPaint::Solid(kAccentSoft);
            break;
    }
    return f;
}

TColor ButtonTextColor(TState s) {
    switch (s) {
        case TState::Hot:
        case TState::Down:
        case TState::Focused:
            return kAccentText;
        case TState::Disabled:
            return kTextDisabled;
        default:
            return kText;
    }
}

void PaintFocusedField(TRaster& r, const TRectF& box, double radius) {
    TFace outer = FieldFace(TState::Focused, radius);
    PaintFace(r, box, outer);
    r.StrokeRoundRect(box.Inset(1), TRadii(radius).Shrink(1), 1, TPaint::Solid(kAccentSoft));
}

void PaintCheckBox(TRaster& r, const TRectF& box, bool checked, TState s) {
    TFace f;
    f.Radius = 3;
    const bool hot = s == TState::Hot || s == TState::Focused || s == TState::Down;
    if (s == TState::Disabled) {
        f.Fill = TPaint::Solid(kPanel);
        f.Border = kBorderSoft;
    } else if (checked) {
        f.Fill = TPaint::Solid(hot ? Hex(0x1C85EC) : kAccentStrong);
        f.Border = hot ? kAccentStrong : kAccentDeep;
    } else {
        f.Fill = TPaint::Solid(hot ? kAccentSofter : kField);
        f.Border = hot ? kAccent : kBorderStrong;
    }
    PaintFace(r, box, f);
    if (checked) {
        const double cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
        PaintCheck(r, cx, cy, box.Width() * 0.27, s == TState::Disabled ? kTextDisabled : kField, 1.8);
    }
}

void PaintRadioButton(TRaster& r, const TRectF& box, bool checked, TState s) {
    const double cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
    const double rad = std::min(box.Width(), box.Height()) / 2;
    const bool hot = s == TState::Hot || s == TState::Focused || s == TState::Down;
    TColor border = hot ? kAccent : kBorderStrong;
    TColor fill = hot && !checked ? kAccentSofter : kField;
    TColor dot = hot ? Hex(0x1C85EC) : kAccentStrong;
    if (checked && !hot) border = kAccentStrong;
    if (s == TState::Disabled) {
        border = kBorderSoft;
        fill = kPanel;
        dot = kTextDisabled;
    }
    r.FillCircle(cx, cy, rad, TPaint::Solid(border));
    r.FillCircle(cx, cy, rad - 1, TPaint::Solid(fill));
    if (checked) r.FillCircle(cx, cy, rad * 0.45, TPaint::Solid(dot));
}

void PaintSwitch(TRaster& r, const TRectF& box, bool on, TState s) {
    const double h = box.Height();
    const bool hot = s == TState::Hot || s == TState::Focused || s == TState::Down;
    TColor track = on ? (hot ? Hex(0x1C85EC) : kAccentStrong) : (hot ? Hex(0xAEB9C5) : Hex(0xC3CCD6));
    if (s == TState::Disabled) track = on ? Hex(0xA9CCF0) : kPanelDark;
    r.FillRoundRect(box, h / 2, TPaint::Solid(track));
    const double knob = h / 2 - 2;
    const double cx = on ? box.Right - h / 2 : box.Left + h / 2;
    r.FillCircle(cx, box.Top + h / 2, knob, TPaint::Solid(s == TState::Disabled ? kPanel : kField));
}

void PaintArrowButton(TRaster& r, const TRectF& box, TDirection dir, TState s, TColor normalBackground,
                      double radius, double arrowSize) {
    TColor background = normalBackground;
    TColor ink = kArrow;
    if (s == TState::Hot || s == TState::Focused) {
        background = kAccentSofter;
        ink = kAccentStrong;
    } else if (s == TState::Down) {
        background = kAccentSoft;
        ink = kAccentDeep;
    } else if (s == TState::Disabled) {
        ink = kTextDisabled;
    }
    r.FillRoundRect(box, radius, TPaint::Solid(background));
    const double cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
    PaintChevron(r, cx, cy, arrowSize, dir, ink, 1.5);
}

void PaintThumb(TRaster& r, const TRectF& box, bool vertical, TState s, TColor background) {
    r.FillRoundRect(box, 0, TPaint::Solid(background));
    TColor c = Hex(0xC2CBD5);
    if (s == TState::Hot || s == TState::Focused) c = Hex(0xA3AFBC);
    if (s == TState::Down) c = Hex(0x8694A3);
    const TRectF pill = vertical ? TRectF{box.Left + 4, box.Top + 1, box.Right - 4, box.Bottom - 1}
                                 : TRectF{box.Left + 1, box.Top + 4, box.Right - 1, box.Bottom - 4};
    const double radius = (vertical ? pill.Width() : pill.Height()) / 2;
    r.FillRoundRect(pill, radius, TPaint::Solid(c));
}

}  // namespace skingen
