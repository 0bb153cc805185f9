// The parts of the main menu bar: items (one per top-level menu item) and the system buttons of a
// maximised MDI child.

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/MdiClient.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsDefaultLook.h"
#include "skin/controls/bsEffects.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsGlyphs.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinMainMenu.h"

namespace skin {

using platform::forms::mbLeft;
namespace gfx = platform::gfx;

namespace {

void FillDefaultFace(TCanvas& canvas, const TRect& r, bool framed, TColor fill) {
    canvas.Brush = gfx::TBrush{fill, gfx::TBrushStyle::bsSolid};
    canvas.FillRect(r);
    if (!framed) return;
    canvas.Brush.Color = kDefaultLookFrame;
    canvas.FrameRect(r);
}

}  // namespace

// ---- TbsMenuBarObject -------------------------------------------------------------------------

TbsMenuBarObject::TbsMenuBarObject(TbsSkinMainMenuBar* bar, const TbsDataSkinObject* data) : Bar(bar) {
    TbsSkinData* skin = bar->SkinData();
    if (data && skin && !skin->SkinIsEmpty) {
        IDName = data->SectionName;
        skinrect = data->skinrect;
        activeskinrect = data->activeskinrect;
        morphing = data->morphing;
        morphkind = data->morphkind;
        Picture = skin->ActivePicture(data->activepictureindex);
    }
    ObjectRect = skinrect;
}

bool TbsMenuBarObject::NeedsMorph() const {
    if (Pressed && !IsEmptyRect(downrect)) return false;
    return (Highlighted && MorphFactor < 1) || (!Highlighted && MorphFactor > 0);
}

void TbsMenuBarObject::DrawOnBar() {
    Bar->PaintObjectNow(*this);
}

void TbsMenuBarObject::ReDraw() {
    if (morphing)
        Bar->StartMorph();
    else
        DrawOnBar();
}

// ---- TbsSkinMainMenuBarItem -------------------------------------------------------------------

TbsSkinMainMenuBarItem::TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* bar, const TbsDataSkinMainMenuItem* data,
                                               TMenuItem* menuItem)
    : TbsMenuBarObject(bar, data), MenuItem(menuItem) {
    IDName = menuItem->Name();
    Enabled = menuItem->Enabled();
    SavedEnabled = Enabled;
    m_hasRecord = data && Picture;
    if (!m_hasRecord) {
        skinrect = activeskinrect = {};
        morphing = false;
        return;
    }
    downrect = data->downrect;
    textrect = data->textrect;
    itemleftoffset = data->itemleftoffset;
    itemrightoffset = data->itemrightoffset;
    fontname = data->fontname;
    fontheight = data->fontheight;
    fontstyle = data->fontstyle;
    fontcolor = data->fontcolor;
    activefontcolor = data->activefontcolor;
    downfontcolor = data->downfontcolor;
    unenabledfontColor = data->unenabledfontColor;
    if (IsEmptyRect(downrect)) downrect = IsEmptyRect(activeskinrect) ? skinrect : activeskinrect;
    if (IsEmptyRect(activeskinrect)) morphing = false;
}

void TbsSkinMainMenuBarItem::ApplyFont(TCanvas& canvas) const {
    const gfx::TFont& def = Bar->ItemFont();
    if (m_hasRecord && Bar->UseSkinFont()) {
        gfx::TFont f;
        f.SetName(fontname);
        f.SetHeight(fontheight);
        f.SetStyle(fontstyle);
        f.SetCharset(def.Charset());
        canvas.Font = f;
    } else {
        canvas.Font = def;
    }
}

int TbsSkinMainMenuBarItem::CaptionWidth() const {
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    ApplyFont(c);
    TRect r{0, 0, 0, 0};
    c.DrawText(MenuItem->Caption(), r, gfx::DT_CALCRECT | gfx::DT_CENTER | gfx::DT_SINGLELINE);
    return r.Width();
}

platform::core::TSize TbsSkinMainMenuBarItem::ItemSize() const {
    const int cw = CaptionWidth();
    if (m_hasRecord) return {RectWidthOf(skinrect) - RectWidthOf(textrect) + cw + 2, RectHeightOf(skinrect)};
    return {cw + 12, Bar->BarItemsArea().Height()};
}

void TbsSkinMainMenuBarItem::Draw(TCanvas& canvas) {
    if (m_hasRecord)
        DrawSkin(canvas);
    else
        DrawDefault(canvas);
}

void TbsSkinMainMenuBarItem::BuildImage(TBitmap& image, const TRect& source) const {
    const int w = ObjectRect.Width();
    const int middle = RectWidthOf(source) - itemleftoffset - itemrightoffset;
    if (middle > 0) {
        ComposeHorzImage(image, *Picture, source, itemleftoffset, itemrightoffset, w);
        return;
    }
    // A middle without width cannot be tiled: the two ends meet.
    image.SetSize(w, RectHeightOf(source));
    TCanvas& c = image.Canvas();
    const int left = std::min(itemleftoffset, w);
    c.DrawBitmapRect({0, 0, left, image.Height()}, *Picture,
                     {source.Left, source.Top, source.Left + left, source.Bottom});
    const int right = std::min(itemrightoffset, w - left);
    c.DrawBitmapRect({w - right, 0, w, image.Height()}, *Picture,
                     {source.Right - right, source.Top, source.Right, source.Bottom});
}

void TbsSkinMainMenuBarItem::DrawSkin(TCanvas& canvas) {
    if (IsEmptyRect(skinrect) || IsEmptyRect(textrect) || ObjectRect.Width() <= 0) return;
    TBitmap image;
    bool active = false;
    if (Pressed) {
        BuildImage(image, downrect);
    } else if (!morphing || (Highlighted && MorphFactor >= 1) || (!Highlighted && MorphFactor <= 0)) {
        active = Highlighted && !IsEmptyRect(activeskinrect);
        BuildImage(image, active ? activeskinrect : skinrect);
    } else {
        TBitmap normal, hot;
        BuildImage(normal, skinrect);
        BuildImage(hot, activeskinrect);
        TbsEffectBmp a(normal), b(hot);
        ApplyMorphKind(a, b, morphkind, MorphFactor);
        a.AssignTo(image);
        active = MorphFactor >= 0.5;
    }
    TCanvas& c = image.Canvas();
    ApplyFont(c);
    const TColor color = Pressed               ? downfontcolor
                         : active              ? activefontcolor
                         : MenuItem->Enabled() ? fontcolor
                                               : unenabledfontColor;
    c.Font.SetColor(color);
    c.Brush.Style = gfx::TBrushStyle::bsClear;
    TRect text{textrect.Left, textrect.Top, textrect.Left + CaptionWidth() + 2, textrect.Bottom};
    c.DrawText(MenuItem->Caption(), text, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TbsSkinMainMenuBarItem::DrawDefault(TCanvas& canvas) {
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap image(w, h);
    TCanvas& c = image.Canvas();
    const TRect all{0, 0, w, h};
    if (Pressed)
        FillDefaultFace(c, all, true, kDefaultLookPressedFill);
    else if (MouseOver || Highlighted)
        FillDefaultFace(c, all, true, kDefaultLookHotFill);
    else
        FillDefaultFace(c, all, false, gfx::clBtnFace);
    c.Font = Bar->ItemFont();
    if (!Enabled) c.Font.SetColor(gfx::clBtnShadow);
    c.Brush.Style = gfx::TBrushStyle::bsClear;
    const int shift = Pressed ? 1 : 0;
    const int textHeight = c.TextHeight("Wg");
    TRect text{shift, h / 2 - textHeight / 2 + shift, w + shift, h / 2 - textHeight / 2 + textHeight + shift};
    c.DrawText(MenuItem->Caption(), text, gfx::DT_CENTER | gfx::DT_SINGLELINE);
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TbsSkinMainMenuBarItem::MouseEnter() {
    TbsSkinMainMenuBarItem* pressed = nullptr;
    for (const auto& o : Bar->BarObjects())
        if (auto* item = dynamic_cast<TbsSkinMainMenuBarItem*>(o.get());
            item && item != this && item->Pressed)
            pressed = item;
    const auto alive = Bar->WeakRef();
    if (pressed) {
        // Moving along the bar while a menu is open moves the open menu.
        pressed->SetPressed(false);
        Highlighted = MouseOver = true;
        if (morphing) MorphFactor = 1;
        SetPressed(true);
        return;
    }
    for (const auto& o : Bar->BarObjects())
        if (auto* item = dynamic_cast<TbsSkinMainMenuBarItem*>(o.get());
            item && item != this && item->Highlighted)
            item->MouseLeave();
    MouseOver = Highlighted = true;
    ReDraw();
    if (Bar->OnItemMouseEnter) Bar->OnItemMouseEnter(Bar, MenuItem);
}

void TbsSkinMainMenuBarItem::MouseLeave() {
    Highlighted = MouseOver = false;
    if (morphing && Pressed) MorphFactor = 0;
    ReDraw();
    if (Bar->OnItemMouseLeave) Bar->OnItemMouseLeave(Bar, MenuItem);
}

void TbsSkinMainMenuBarItem::MouseDown(TMouseButton button) {
    if (button != mbLeft || !Enabled) return;
    if (HasSubItems()) {
        // A press on the item whose menu is open closes it.
        if (Pressed) {
            Bar->CloseFormMenus();
            return;
        }
        Bar->SetMenuModeFlag(true);
        SetPressed(true);
        return;
    }
    const auto alive = Bar->WeakRef();
    Bar->LeaveFormMenuMode();
    if (!alive) return;
    DrawOnBar();
    MenuItem->Click();
}

void TbsSkinMainMenuBarItem::MouseUp(TMouseButton) {}

void TbsSkinMainMenuBarItem::SetPressed(bool value) {
    Pressed = value;
    if (value) {
        MorphFactor = 1;
        DrawOnBar();
        const auto alive = Bar->WeakRef();
        if (!Bar->FormMenuMode()) Bar->FireMainMenuEnter();
        if (!alive) return;
        Bar->OpenItemMenu(*this);
        return;
    }
    Highlighted = false;
    if (!morphing) {
        DrawOnBar();
        return;
    }
    MorphFactor = 1;
    Bar->StartMorph();
}

// ---- TbsSkinMainMenuBarButton -----------------------------------------------------------------

TbsSkinMainMenuBarButton::TbsSkinMainMenuBarButton(TbsSkinMainMenuBar* bar, const TbsDataSkinStdButton* data,
                                                   TbsStdCommand command, std::string name)
    : TbsMenuBarObject(bar, data), Command(command) {
    m_hasRecord = data && Picture && !IsEmptyRect(skinrect);
    if (m_hasRecord) {
        Command = data->command;
        downrect = data->downrect;
    } else {
        IDName = std::move(name);
        skinrect = activeskinrect = {};
        morphing = false;
    }
}

void TbsSkinMainMenuBarButton::Draw(TCanvas& canvas) {
    if (!m_hasRecord) {
        DrawDefault(canvas);
        return;
    }
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    if (Pressed && MouseOver && !IsEmptyRect(downrect)) {
        canvas.DrawBitmapRect(ObjectRect, *Picture, downrect);
    } else if (morphing && NeedsMorph()) {
        TBitmap normal(w, h), hot(w, h);
        normal.Canvas().DrawBitmapRect({0, 0, w, h}, *Picture, skinrect);
        hot.Canvas().DrawBitmapRect({0, 0, w, h}, *Picture, activeskinrect);
        TbsEffectBmp a(normal), b(hot);
        ApplyMorphKind(a, b, morphkind, MorphFactor);
        TBitmap image;
        a.AssignTo(image);
        canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
    } else {
        const bool active = Highlighted && !IsEmptyRect(activeskinrect);
        canvas.DrawBitmapRect(ObjectRect, *Picture, active ? activeskinrect : skinrect);
    }
}

void TbsSkinMainMenuBarButton::DrawDefault(TCanvas& canvas) {
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap image(w, h);
    TCanvas& c = image.Canvas();
    const bool down = Pressed && MouseOver;
    if (down)
        FillDefaultFace(c, {0, 0, w, h}, true, kDefaultLookPressedFill);
    else if (MouseOver)
        FillDefaultFace(c, {0, 0, w, h}, true, kDefaultLookHotFill);
    else
        FillDefaultFace(c, {0, 0, w, h}, false, gfx::clBtnFace);
    const int x = w / 2 - 5 + (down ? 1 : 0), y = h / 2 - 4 + (down ? 1 : 0);
    const TColor color = Enabled ? gfx::clBtnText : gfx::clBtnShadow;
    switch (Command) {
        case cmClose:
            DrawCloseGlyph(c, x, y, color);
            break;
        case cmMaximize:
            DrawRestoreGlyph(c, x, y, color);
            break;
        case cmMinimize:
            DrawMinimizeGlyph(c, x, y, color);
            break;
        default:
            DrawSysMenuGlyph(c, x, y, color);
            break;
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TbsSkinMainMenuBarButton::MouseDown(TMouseButton button) {
    if (button != mbLeft || !Enabled || Pressed) return;
    Pressed = true;
    if (morphing && !IsEmptyRect(downrect)) MorphFactor = 1;
    DrawOnBar();
    if (Command == cmSysMenu) DoCommand();
}

void TbsSkinMainMenuBarButton::MouseUp(TMouseButton button) {
    if (button != mbLeft || !Enabled) return;
    if (Command != cmSysMenu) {
        Pressed = false;
        DrawOnBar();
    }
    if (Highlighted && Command != cmSysMenu) DoCommand();
}

void TbsSkinMainMenuBarButton::MouseEnter() {
    MouseOver = Highlighted = true;
    if (Pressed && Command == cmSysMenu) return;
    ReDraw();
}

void TbsSkinMainMenuBarButton::MouseLeave() {
    MouseOver = Highlighted = false;
    if (Pressed && Command == cmSysMenu) return;
    ReDraw();
}

void TbsSkinMainMenuBarButton::DblClick() {
    if (Command != cmSysMenu) return;
    Bar->CloseMenusAndChild();
}

void TbsSkinMainMenuBarButton::DoCommand() {
    Bar->RunChildCommand(*this);
}

}  // namespace skin
