#include "skin/form/bsSkinFormObjects.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/Menus.h"
#include "platform/gfx/Color.h"
#include "skin/controls/bsDefaultLook.h"
#include "skin/controls/bsEffects.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsGlyphs.h"
#include "skin/form/bsSkinForm.h"

namespace skin {

using platform::forms::mbLeft;
using platform::forms::wsMaximized;
using platform::forms::wsMinimized;
using platform::forms::wsNormal;

namespace {

// Steps of 0.1 that add up exactly, so that a fade always takes ten ticks.
double StepFactor(double factor, bool up) {
    const double next = std::round(factor * 10.0 + (up ? 1.0 : -1.0)) / 10.0;
    return std::clamp(next, 0.0, 1.0);
}

// The window commands that caption buttons and animations share; false for the others.
bool RunWindowCommand(TbsSkinForm& form, TbsStdCommand command) {
    switch (command) {
        case cmClose:
            form.CloseForm();
            return true;
        case cmMaximize:
            form.SetWindowState(form.WindowState() == wsMaximized ? wsNormal : wsMaximized);
            return true;
        case cmMinimize:
            if (form.AlwaysMinimizeToTray())
                form.MinimizeToTray();
            else
                form.SetWindowState(form.WindowState() == wsMinimized ? wsNormal : wsMinimized);
            return true;
        case cmRollUp:
            form.SetRollUpState(!form.RollUpState());
            return true;
        case cmMinimizeToTray:
            form.MinimizeToTray();
            return true;
        default:
            return false;
    }
}

}  // namespace

// ---- TbsActiveSkinObject ----------------------------------------------------------------------

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinForm* form, const TbsDataSkinObject* data) : Parent(form) {
    SkinData = form ? form->SkinData() : nullptr;
    if (SkinData && !SkinData->SkinIsEmpty) Picture = &SkinData->Picture;
    if (data) {
        IDName = data->SectionName;
        Hint = data->hint;
        skinrect = data->skinrect;
        activeskinrect = data->activeskinrect;
        Morphing = data->morphing;
        MorphKind = data->morphkind;
        skinrectinapicture = data->skinrectinapicture;
        if (Picture) ActivePicture = SkinData->ActivePicture(data->activepictureindex);
    }
    // Without an active picture there is no active image to show or fade to.
    if (!ActivePicture) activeskinrect = {};
    if (Morphing && IsEmptyRect(activeskinrect)) Morphing = false;
    ObjectRect = skinrect;
}

bool TbsActiveSkinObject::CanMorph() const {
    return (Highlighted && MorphFactor < 1) || (!Highlighted && MorphFactor > 0);
}

void TbsActiveSkinObject::CopyImage(TCanvas& canvas, TBitmap* picture, const TRect& rect) const {
    if (!picture || IsEmptyRect(rect) || IsEmptyRect(ObjectRect)) return;
    canvas.DrawBitmapRect(ObjectRect, *picture, rect);
}

void TbsActiveSkinObject::DrawMorphed(TCanvas& canvas, TBitmap* normalPicture, const TRect& normal,
                                      const TRect& active) const {
    const int w = RectWidthOf(ObjectRect), h = RectHeightOf(ObjectRect);
    if (w <= 0 || h <= 0) return;
    TBitmap first(w, h), second(w, h);
    if (normalPicture) first.Canvas().DrawBitmapRect({0, 0, w, h}, *normalPicture, normal);
    if (ActivePicture) second.Canvas().DrawBitmapRect({0, 0, w, h}, *ActivePicture, active);
    TbsEffectBmp a(first), b(second);
    ApplyMorphKind(a, b, MorphKind, MorphFactor);
    a.DrawTo(canvas, ObjectRect.Left, ObjectRect.Top);
}

void TbsActiveSkinObject::Draw(TCanvas& canvas, bool fullPaint) {
    if (MorphUnderWay()) {
        DrawMorphed(canvas, NormalPicture(), skinrect, activeskinrect);
        return;
    }
    if (!Highlighted || IsEmptyRect(activeskinrect)) {
        // The frame picture already shows a normal image that lies in it.
        if (!fullPaint && !skinrectinapicture) return;
        CopyImage(canvas, NormalPicture(), skinrect);
        return;
    }
    CopyImage(canvas, ActivePicture, activeskinrect);
}

void TbsActiveSkinObject::MouseEnter() {
    MouseOver = true;
    Highlighted = true;
    if (!IsEmptyRect(activeskinrect)) ReDraw();
    if (Parent && Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TbsActiveSkinObject::MouseLeave() {
    MouseOver = false;
    Highlighted = false;
    if (!IsEmptyRect(activeskinrect)) ReDraw();
    if (Parent && Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

void TbsActiveSkinObject::MouseDown(int x, int y, TMouseButton button) {
    if (Parent && Parent->OnMouseDownEvent) Parent->OnMouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TbsActiveSkinObject::MouseUp(int x, int y, TMouseButton button) {
    if (MouseOver && Parent && Parent->OnMouseUpEvent)
        Parent->OnMouseUpEvent(IDName, x, y, ObjectRect, button);
}

void TbsActiveSkinObject::MouseMove(int x, int y) {
    if (Parent && Parent->OnMouseMoveEvent) Parent->OnMouseMoveEvent(IDName, x, y, ObjectRect);
}

void TbsActiveSkinObject::ReDraw() {
    if (!Parent) return;
    if (Morphing)
        Parent->EnableFadeTimer();
    else
        Parent->PaintObject(this);
}

void TbsActiveSkinObject::DoMorphStep() {
    MorphFactor = StepFactor(MorphFactor, Highlighted);
    if (Parent) Parent->PaintObject(this);
}

// ---- TbsUserObject ----------------------------------------------------------------------------

void TbsUserObject::Draw(TCanvas& canvas, bool) {
    if (Parent && Parent->OnPaintEvent) Parent->OnPaintEvent(IDName, canvas, ObjectRect);
}

// ---- TbsSkinButtonObject ----------------------------------------------------------------------

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinForm* form, const TbsDataSkinButton* data)
    : TbsActiveSkinObject(form, data) {
    if (data) {
        downrect = data->downrect;
        disableskinrsect = data->disableskinrsect;
    }
}

bool TbsSkinButtonObject::CanMorph() const {
    if (PopupItem && Pressed) return false;
    return TbsActiveSkinObject::CanMorph();
}

void TbsSkinButtonObject::Draw(TCanvas& canvas, bool fullPaint) {
    if (!Enabled && !IsEmptyRect(disableskinrsect))
        CopyImage(canvas, ActivePicture, disableskinrsect);
    else if (Pressed && !IsEmptyRect(downrect) && MouseOver)
        CopyImage(canvas, ActivePicture, downrect);
    else
        TbsActiveSkinObject::Draw(canvas, fullPaint);
}

void TbsSkinButtonObject::SetDown(bool value) {
    Pressed = value;
    if (Morphing && Highlighted) MorphFactor = 1;
    if (Parent) Parent->PaintObject(this);
    if (Morphing && !Pressed) ReDraw();
}

void TbsSkinButtonObject::MouseDown(int x, int y, TMouseButton button) {
    if (!Enabled) return;
    if (button == mbLeft && !Pressed) {
        SetDown(true);
        ShowPopup();
    }
    TbsActiveSkinObject::MouseDown(x, y, button);
}

void TbsSkinButtonObject::MouseUp(int x, int y, TMouseButton button) {
    if (!Enabled) return;
    if (button == mbLeft && !PopupItem && Pressed) SetDown(false);
    TbsActiveSkinObject::MouseUp(x, y, button);
}

void TbsSkinButtonObject::MouseEnter() {
    MouseOver = true;
    Highlighted = true;
    if (!IsEmptyRect(downrect) && Pressed) {
        if (Morphing) MorphFactor = 1;
        if (Parent) Parent->PaintObject(this);
    } else if (!IsEmptyRect(activeskinrect)) {
        ReDraw();
    }
    if (Parent && Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TbsSkinButtonObject::MouseLeave() {
    MouseOver = false;
    Highlighted = false;
    if (!(PopupItem && Pressed) && Parent) {
        Parent->PaintObject(this);
        ReDraw();
    }
    if (Parent && Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

void TbsSkinButtonObject::ShowPopup() {
    if (!Parent || !PopupItem || PopupItem->Count() == 0) return;
    TForm* form = Parent->Form();
    platform::ui::TWindow* window = form ? form->HandleIfAllocated() : nullptr;
    TRect anchor = ObjectRect;
    if (window) anchor = anchor.Offset(window->ScreenRect().Left, window->ScreenRect().Top);
    if (!Parent->PopupObjectMenu(PopupItem, anchor, PopupUp)) SetDown(false);
}

// ---- TbsSkinStdButtonObject -------------------------------------------------------------------

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinForm* form, const TbsDataSkinStdButton* data)
    : TbsSkinButtonObject(form, data) {
    if (!data) {
        HasRecord = false;
        return;
    }
    Command = data->command;
    restorerect = data->restorerect;
    restoreactiverect = data->restoreactiverect;
    restoredownrect = data->restoredownrect;
    restoreinactiverect = data->restoreinactiverect;
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinForm* form, const std::string& idName,
                                               TbsStdCommand command)
    : TbsSkinButtonObject(form, nullptr) {
    HasRecord = false;
    IDName = idName;
    Command = command;
    Picture = nullptr;
}

bool TbsSkinStdButtonObject::ShowsFormIcon() const {
    return Enabled && Command == cmSysMenu && Parent && Parent->ShowIcon() && skinrectinapicture;
}

bool TbsSkinStdButtonObject::InRestoreState() const {
    if (!Parent) return false;
    switch (Command) {
        case cmMaximize:
            return Parent->WindowState() == wsMaximized;
        case cmMinimize:
            return Parent->WindowState() == wsMinimized;
        case cmRollUp:
            return Parent->RollUpState();
        default:
            return false;
    }
}

bool TbsSkinStdButtonObject::CanMorph() const {
    if (ShowsFormIcon()) return false;
    return TbsSkinButtonObject::CanMorph();
}

void TbsSkinStdButtonObject::Draw(TCanvas& canvas, bool fullPaint) {
    if (!HasRecord) {
        DrawDefault(canvas);
        return;
    }
    if (ShowsFormIcon()) {
        const TPoint size = TbsSkinForm::SmallIconSize();
        Parent->DrawFormIcon(canvas, platform::core::Bounds(ObjectRect.Left, ObjectRect.Top, size.X, size.Y));
        MorphFactor = 0;
        return;
    }
    if (Enabled && !IsEmptyRect(restorerect) && InRestoreState()) {
        if (!Parent->GetActive() && !IsEmptyRect(restoreinactiverect))
            CopyImage(canvas, ActivePicture, restoreinactiverect);
        else if (Pressed && !IsEmptyRect(restoredownrect) && MouseOver)
            CopyImage(canvas, ActivePicture, restoredownrect);
        else if (MorphUnderWay() && !IsEmptyRect(restoreactiverect))
            DrawMorphed(canvas, ActivePicture, restorerect, restoreactiverect);
        else if (Highlighted && !IsEmptyRect(restoreactiverect))
            CopyImage(canvas, ActivePicture, restoreactiverect);
        else
            CopyImage(canvas, ActivePicture, restorerect);
        return;
    }
    TbsSkinButtonObject::Draw(canvas, fullPaint);
}

void TbsSkinStdButtonObject::DrawDefault(TCanvas& canvas) {
    using namespace platform::gfx;
    const int w = RectWidthOf(ObjectRect), h = RectHeightOf(ObjectRect);
    if (w <= 0 || h <= 0) return;
    TBitmap face(w, h);
    TCanvas& c = face.Canvas();
    const TRect all{0, 0, w, h};
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = clBtnFace;
    c.FillRect(all);
    if (MouseOver) {
        c.Brush.Color = Pressed ? kDefaultLookPressedFill : kDefaultLookHotFill;
        c.FillRect(all);
        c.Brush.Color = kDefaultLookFrame;
        c.FrameRect(all);
    }
    int x = w / 2 - 5, y = h / 2 - 4;
    if (Pressed) {
        x = w / 2 - 4;
        y = h / 2 - 3;
        if (!MouseOver) {
            --x;
            --y;
        }
    }
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    c.Pen.Color = color;
    c.Pen.Width = 1;
    c.Brush.Color = color;
    const bool restore = InRestoreState();
    switch (Command) {
        case cmClose:
            DrawCloseGlyph(c, x, y, color);
            break;
        case cmMaximize:
            if (restore)
                DrawRestoreGlyph(c, x, y, color);
            else
                DrawMaximizeGlyph(c, x, y, color);
            break;
        case cmMinimize:
            if (restore)
                DrawRestoreGlyph(c, x, y, color);
            else
                DrawMinimizeGlyph(c, x, y, color);
            break;
        case cmSysMenu:
            if (Parent && Parent->ShowIcon()) {
                const TPoint size = TbsSkinForm::SmallIconSize();
                Parent->DrawFormIcon(
                    c, platform::core::Bounds((w - size.X) / 2, (h - size.Y) / 2, size.X, size.Y));
            } else {
                DrawSysMenuGlyph(c, x, y, color);
            }
            break;
        case cmRollUp:
            if (restore)
                DrawRollDownGlyph(c, x, y, color);
            else
                DrawRollUpGlyph(c, x, y, color);
            break;
        case cmMinimizeToTray:
            DrawTrayGlyph(c, x, y, color);
            break;
        default:
            break;
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, face);
}

void TbsSkinStdButtonObject::MouseDown(int, int, TMouseButton button) {
    if (!Enabled || button != mbLeft || Pressed) return;
    SetDown(true);
    if (Command == cmSysMenu && Parent) {
        PopupItem = Parent->SystemMenuItems();
        ShowPopup();
    }
}

void TbsSkinStdButtonObject::MouseUp(int x, int y, TMouseButton button) {
    // The command needs the hot look at release: a press dragged off the button does nothing.
    const bool run = Enabled && Highlighted && button == mbLeft;
    if (Command != cmClose) {
        if (run) DoCommand();
        TbsSkinButtonObject::MouseUp(x, y, button);
    } else {
        TbsSkinButtonObject::MouseUp(x, y, button);
        if (run) DoCommand();
    }
}

void TbsSkinStdButtonObject::MouseEnter() {
    TbsSkinButtonObject::MouseEnter();
    // The built-in look shows the hover by itself; it has no active image to fade to.
    if (!HasRecord && Parent) Parent->PaintObject(this);
}

void TbsSkinStdButtonObject::DblClick() {
    if (Command == cmSysMenu && Parent) Parent->CloseForm();
}

void TbsSkinStdButtonObject::DoCommand() {
    if (Parent) RunWindowCommand(*Parent, Command);
}

// ---- TbsSkinAnimateObject ---------------------------------------------------------------------

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinForm* form, const TbsDataSkinAnimate* data)
    : TbsActiveSkinObject(form, data) {
    // Frames are cut side by side from the active picture; they never cross-fade.
    Morphing = false;
    if (!data) return;
    CountFrames = std::max(1, data->countframes);
    Cycle = data->cycle;
    ButtonStyle = data->buttonstyle;
    FrameInterval = std::max(kAnimateTimerStep, data->timerinterval);
    Command = data->command;
}

void TbsSkinAnimateObject::Draw(TCanvas& canvas, bool) {
    if (!ActivePicture) return;
    const int w = RectWidthOf(skinrect), h = RectHeightOf(skinrect);
    if (w <= 0 || h <= 0) return;
    const int left = activeskinrect.Left + w * (FrameIndex - 1);
    CopyImage(canvas, ActivePicture, {left, activeskinrect.Top, left + w, activeskinrect.Top + h});
}

void TbsSkinAnimateObject::SetFrame(int n) {
    if (Forward)
        FrameIndex = n > CountFrames ? 1 : n;
    else
        FrameIndex = n <= 0 ? CountFrames : n;
    if (Parent) Parent->PaintObject(this);
}

void TbsSkinAnimateObject::Tick() {
    if (TickCount < FrameInterval) {
        TickCount += kAnimateTimerStep;
        return;
    }
    if (Forward) {
        SetFrame(FrameIndex + 1);
        if (!Cycle && FrameIndex == CountFrames) Highlighted = false;
    } else {
        SetFrame(FrameIndex - 1);
        if (FrameIndex == 1) Highlighted = false;
    }
    TickCount = kAnimateTimerStep;
}

void TbsSkinAnimateObject::MouseEnter() {
    MouseOver = true;
    if (ButtonStyle) {
        Highlighted = true;
        Forward = true;
        if (Parent) Parent->EnableFrameTimer();
    }
    if (Parent && Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TbsSkinAnimateObject::MouseLeave() {
    if (!MouseOver) return;
    MouseOver = false;
    if (ButtonStyle) {
        // The animation plays back to its first frame.
        Highlighted = true;
        Forward = false;
        if (Parent) Parent->EnableFrameTimer();
    }
    if (Parent && Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

void TbsSkinAnimateObject::MouseUp(int x, int y, TMouseButton button) {
    TbsActiveSkinObject::MouseUp(x, y, button);
    if (MouseOver && ButtonStyle && button == mbLeft) DoCommand();
}

void TbsSkinAnimateObject::DblClick() {
    if (Command == cmSysMenu && Parent) Parent->CloseForm();
}

void TbsSkinAnimateObject::DoCommand() {
    if (!Parent) return;
    auto popup = [this] {
        if (!PopupItem || PopupItem->Count() == 0) return;
        TForm* form = Parent->Form();
        platform::ui::TWindow* window = form ? form->HandleIfAllocated() : nullptr;
        TRect anchor = ObjectRect;
        if (window) anchor = anchor.Offset(window->ScreenRect().Left, window->ScreenRect().Top);
        Parent->PopupObjectMenu(PopupItem, anchor, PopupUp);
    };
    if (RunWindowCommand(*Parent, Command)) return;
    switch (Command) {
        case cmSysMenu:
            PopupItem = Parent->SystemMenuItems();
            popup();
            break;
        case cmDefault:
            popup();
            break;
        default:
            break;
    }
}

}  // namespace skin
