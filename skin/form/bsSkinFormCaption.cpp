#include "skin/form/bsSkinFormCaption.h"

#include <algorithm>

#include "skin/controls/bsEffects.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsGlyphs.h"
#include "skin/form/bsSkinForm.h"

namespace skin {

using platform::gfx::TBrushStyle;

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinForm* form, const TbsDataSkinCaption* data)
    : TbsActiveSkinObject(form, data) {
    if (!data) return;
    FontName = data->fontname;
    FontHeight = data->fontheight;
    FontStyle = data->fontstyle;
    FontColor = data->fontcolor;
    ActiveFontColor = data->activefontcolor;
    Shadow = data->shadow;
    ShadowColor = data->shadowcolor;
    ActiveShadowColor = data->activeshadowcolor;
    Alignment = data->alignment;
    textrect = data->textrect;
    framerect = data->framerect;
    activeframerect = data->activeframerect;
    frametextrect = data->frametextrect;
    frameleftoffset = data->frameleftoffset;
    framerightoffset = data->framerightoffset;
}

void TbsSkinCaptionObject::BuildImage(TBitmap& dest, TBitmap* picture, const TRect& rect) const {
    const int w = std::max(0, RectWidthOf(ObjectRect)), h = std::max(0, RectHeightOf(ObjectRect));
    dest.SetSize(w, h);
    if (!picture || IsEmptyRect(rect) || w == 0 || h == 0) return;
    TCanvas& c = dest.Canvas();
    const int rw = RectWidthOf(rect);
    // The fixed ends are where the frame's corner pieces are; they are measured on the caption's
    // place in the main picture (the frame's corner points are main-picture coordinates) and
    // apply alike to the normal and the active image.
    int left = 0, right = 0;
    if (SkinData) {
        left = std::clamp(SkinData->lefttoppoint.X - skinrect.Left, 0, rw);
        right = std::clamp(skinrect.Right - SkinData->righttoppoint.X, 0, rw - left);
    }
    const int middle = rw - left - right;
    if ((left > 0 || right > 0) && middle > 0) {
        for (int x = 0; x < w; x += middle) {
            const int piece = std::min(middle, w - x);
            c.DrawBitmapRect({x, 0, x + piece, h}, *picture,
                             {rect.Left + left, rect.Top, rect.Left + left + piece, rect.Bottom});
        }
        if (left > 0)
            c.DrawBitmapRect({0, 0, left, h}, *picture, {rect.Left, rect.Top, rect.Left + left, rect.Bottom});
        if (right > 0)
            c.DrawBitmapRect({w - right, 0, w, h}, *picture,
                             {rect.Right - right, rect.Top, rect.Right, rect.Bottom});
    } else {
        c.DrawBitmapRect({0, 0, w, h}, *picture, rect);
    }
}

TRect TbsSkinCaptionObject::TextRect() const {
    TRect r = textrect;
    r.Right = RectWidthOf(ObjectRect) + textrect.Right - RectWidthOf(skinrect);
    if (!IsEmptyRect(framerect)) {
        r.Left += frametextrect.Left;
        r.Top += frametextrect.Top;
        r.Right += frametextrect.Right - RectWidthOf(framerect);
    }
    return r;
}

void TbsSkinCaptionObject::DrawBackingStrip(TCanvas& canvas, int x, int y, int textWidth, bool active) const {
    if (!ActivePicture) return;
    const TRect source = active && !IsEmptyRect(activeframerect) ? activeframerect : framerect;
    const int w = RectWidthOf(framerect) + textWidth - RectWidthOf(frametextrect);
    const int h = RectHeightOf(framerect);
    const int sw = RectWidthOf(source);
    if (w <= 0 || h <= 0 || sw <= 0) return;
    const int left = std::clamp(frameleftoffset, 0, std::min(sw, w));
    const int right = std::clamp(framerightoffset, 0, std::min(sw - left, w - left));
    TBitmap strip(w, h);
    TCanvas& c = strip.Canvas();
    if (left > 0)
        c.DrawBitmapRect({0, 0, left, h}, *ActivePicture,
                         {source.Left, source.Top, source.Left + left, source.Bottom});
    if (w - left - right > 0 && sw - left - right > 0)
        c.DrawBitmapRect({left, 0, w - right, h}, *ActivePicture,
                         {source.Left + left, source.Top, source.Right - right, source.Bottom});
    if (right > 0)
        c.DrawBitmapRect({w - right, 0, w, h}, *ActivePicture,
                         {source.Right - right, source.Top, source.Right, source.Bottom});
    canvas.Draw(x - frametextrect.Left, y - frametextrect.Top, strip);
}

void TbsSkinCaptionObject::DrawCaptionText(TCanvas& canvas, int dx, int dy, bool active) const {
    if (!Parent || IsEmptyRect(textrect)) return;
    std::string text = Parent->FormCaption();
    if (text.empty()) return;
    const TRect r = TextRect();
    canvas.Font.SetName(FontName);
    canvas.Font.SetStyle(FontStyle);
    canvas.Font.SetHeight(FontHeight);
    canvas.Font.SetCharset(Parent->DefCaptionFont().Charset());
    FitTextWithEllipsis(canvas, text, RectWidthOf(r));
    const int tw = canvas.TextWidth(text), th = canvas.TextHeight(text);
    const int y = r.Top + RectHeightOf(r) / 2 - th / 2;
    int x = r.Left;
    if (Alignment == taRightJustify)
        x = r.Right - tw;
    else if (Alignment == taCenter)
        x = r.Left + RectWidthOf(r) / 2 - tw / 2;
    canvas.Brush.Style = TBrushStyle::bsClear;
    if (!IsEmptyRect(framerect)) DrawBackingStrip(canvas, dx + x, dy + y, tw, active);
    canvas.Brush.Style = TBrushStyle::bsClear;
    if (Shadow) {
        canvas.Font.SetColor(active ? ActiveShadowColor : ShadowColor);
        canvas.TextOut(dx + x + 1, dy + y + 1, text);
    }
    canvas.Font.SetColor(active ? ActiveFontColor : FontColor);
    canvas.TextOut(dx + x, dy + y, text);
}

void TbsSkinCaptionObject::BuildStateImage(TBitmap& dest, bool active, bool inactiveEffect) const {
    BuildImage(dest, active ? ActivePicture : Picture, active ? activeskinrect : skinrect);
    if (dest.Empty()) return;
    DrawCaptionText(dest.Canvas(), 0, 0, active);
    if (inactiveEffect && SkinData) {
        TbsEffectBmp e(dest);
        ApplyInactiveEffect(e, SkinData->inactiveeffect);
        e.AssignTo(dest);
    }
}

void TbsSkinCaptionObject::Draw(TCanvas& canvas, bool) {
    if (!Parent) return;
    const bool inactiveLook = Parent->AutoRenderingInactive() && !Parent->GetActive();
    if (MorphUnderWay()) {
        TBitmap normal, active;
        BuildStateImage(normal, false, false);
        BuildStateImage(active, true, false);
        if (normal.Empty()) return;
        TbsEffectBmp a(normal), b(active);
        ApplyMorphKind(a, b, MorphKind, MorphFactor);
        if (inactiveLook && !Highlighted && SkinData) ApplyInactiveEffect(a, SkinData->inactiveeffect);
        a.DrawTo(canvas, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    if (IsEmptyRect(activeskinrect) || (!Highlighted && !Morphing)) {
        // The frame under the caption already holds the strip.
        DrawCaptionText(canvas, ObjectRect.Left, ObjectRect.Top, Highlighted);
        return;
    }
    TBitmap image;
    BuildStateImage(image, Highlighted, !Highlighted && inactiveLook);
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TbsSkinCaptionObject::MouseEnter() {
    MouseOver = true;
    if (Parent && Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TbsSkinCaptionObject::MouseLeave() {
    MouseOver = false;
    if (Parent && Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

void TbsSkinCaptionObject::MouseDown(int x, int y, TMouseButton button) {
    if (Parent && Parent->OnMouseDownEvent) Parent->OnMouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TbsSkinCaptionObject::MouseUp(int x, int y, TMouseButton button) {
    if (Parent && Parent->OnMouseUpEvent) Parent->OnMouseUpEvent(IDName, x, y, ObjectRect, button);
}

}  // namespace skin
