#include "platform/forms/ExtCtrls.h"

#include "platform/gfx/Canvas.h"

namespace platform::forms {

using namespace platform::gfx;

// ---- TImage ----

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    m_controlStyle |= csReplicatable;
    m_width = 105;
    m_height = 105;
    m_picture.OnChange = [this] { PictureChanged(); };
}

void TImage::SetCenter(bool value) {
    if (value == m_center) return;
    m_center = value;
    Invalidate();
}

void TImage::SetStretch(bool value) {
    if (value == m_stretch) return;
    m_stretch = value;
    Invalidate();
}

void TImage::SetProportional(bool value) {
    if (value == m_proportional) return;
    m_proportional = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    if (value == m_transparent) return;
    m_transparent = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    if (value == m_autoSize) return;
    m_autoSize = value;
    if (value) PictureChanged();
}

void TImage::PictureChanged() {
    if (m_autoSize && !IsLoading() && m_picture.Width() > 0 && m_picture.Height() > 0)
        SetBounds(Left(), Top(), m_picture.Width(), m_picture.Height());
    Invalidate();
}

void TImage::Loaded() {
    TGraphicControl::Loaded();
    PictureChanged();
}

TRect TImage::DestRect() const {
    int w = m_picture.Width();
    int h = m_picture.Height();
    const int cw = Width();
    const int ch = Height();
    if (m_stretch || (m_proportional && (w > cw || h > ch))) {
        if (m_proportional && w > 0 && h > 0) {
            const double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<int>(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(ch * aspect);
                }
            } else {
                h = ch;
                w = static_cast<int>(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r{0, 0, w, h};
    if (m_center) r = r.Offset((cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint() {
    if (m_picture.Empty()) return;
    const TBitmap& bmp = m_picture.Bitmap();
    TColor key = clNone;
    if (m_transparent && m_picture.Format() == TPictureFormat::Bitmap) {
        key = bmp.TransparentColor == clDefault ? bmp.Pixel(0, bmp.Height() - 1) : bmp.TransparentColor;
    }
    Canvas().DrawBitmapRect(DestRect(), bmp, TRect{0, 0, bmp.Width(), bmp.Height()}, key);
}

// ---- TBevel ----

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    m_controlStyle |= csReplicatable;
    m_width = 50;
    m_height = 50;
}

void TBevel::SetShape(TBevelShape value) {
    if (value == m_shape) return;
    m_shape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    if (value == m_style) return;
    m_style = value;
    Invalidate();
}

void TBevel::BevelColors(TColor& color1, TColor& color2) const {
    if (m_style == bsLowered) {
        color1 = clBtnShadow;
        color2 = clBtnHighlight;
    } else {
        color1 = clBtnHighlight;
        color2 = clBtnShadow;
    }
}

void TBevel::Paint() {
    TCanvas& c = Canvas();
    c.Pen.Width = 1;
    c.Pen.Style = TPenStyle::psSolid;
    TColor color1, color2;
    BevelColors(color1, color2);
    const int w = Width();
    const int h = Height();
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c.Pen.Color = color;
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    auto bevelRect = [&](const TRect& r, TColor a, TColor b) {
        c.Pen.Color = a;
        c.Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
        c.Pen.Color = b;
        c.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}});
    };
    switch (m_shape) {
        case bsBox:
            bevelRect({0, 0, w - 1, h - 1}, color1, color2);
            break;
        case bsFrame:
            bevelRect({1, 1, w - 1, h - 1}, color2, color2);
            bevelRect({0, 0, w - 2, h - 2}, color1, color1);
            break;
        case bsTopLine:
            line(color1, 0, 0, w, 0);
            line(color2, 0, 1, w, 1);
            break;
        case bsBottomLine:
            line(color1, 0, h - 2, w, h - 2);
            line(color2, 0, h - 1, w, h - 1);
            break;
        case bsLeftLine:
            line(color1, 0, 0, 0, h);
            line(color2, 1, 0, 1, h);
            break;
        case bsRightLine:
            line(color1, w - 2, 0, w - 2, h);
            line(color2, w - 1, 0, w - 1, h);
            break;
        case bsSpacer:
            break;
    }
}

}  // namespace platform::forms
