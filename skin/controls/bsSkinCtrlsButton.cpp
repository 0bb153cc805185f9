#include "skin/controls/bsSkinCtrlsButton.h"

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/gfx/Canvas.h"
#include "skin/controls/bsDefaultLook.h"
#include "skin/controls/bsEffects.h"
#include "skin/data/bsUtilsDraw.h"

namespace skin {

using platform::forms::mbLeft;
using platform::forms::TComponent;
using platform::forms::TControl;
using platform::forms::TForm;
using platform::forms::TMessage;
using platform::forms::TMouseButton;
using platform::forms::TShiftState;
using platform::forms::TTimer;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;

namespace {

void FramedFill(TCanvas& canvas, const TRect& r, TColor frame, TColor fill) {
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsSolid;
    canvas.Brush.Color = fill;
    canvas.FillRect(r);
    canvas.Brush.Color = frame;
    canvas.FrameRect(r);
}

}  // namespace

TbsSkinButton::TbsSkinButton(TComponent* owner) : TbsSkinCustomControl(owner) {
    // Clicks come from the button's own press and release rules, not from the framework's.
    SetControlStyle(ControlStyle() & ~platform::forms::csClickEvents);
    m_skinDataName = "button";
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
}

TbsSkinButton::~TbsSkinButton() = default;

// ---- Properties ----

void TbsSkinButton::SetRepeatMode(bool value) {
    m_repeatMode = value;
    if (!value) StopRepeat();
}

void TbsSkinButton::SetRepeatInterval(int value) {
    m_repeatInterval = std::max(1, value);
}

void TbsSkinButton::SetCanFocused(bool value) {
    m_canFocused = value;
    if (IsDesigning()) SetTabStop(value);
}

void TbsSkinButton::SetGroupIndex(int value) {
    m_groupIndex = value;
    if (value != 0) SetCanFocused(false);
}

void TbsSkinButton::SetGlyph(const TBitmap& value) {
    m_glyph = value;
    Invalidate();
}

void TbsSkinButton::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, kMaxNumGlyphs);
    if (value == m_numGlyphs) return;
    m_numGlyphs = value;
    Invalidate();
}

void TbsSkinButton::SetMargin(int value) {
    if (value < -1 || value == m_margin) return;
    m_margin = value;
    Invalidate();
}

void TbsSkinButton::SetSpacing(int value) {
    if (value == m_spacing) return;
    m_spacing = value;
    Invalidate();
}

void TbsSkinButton::SetLayout(TbsButtonLayout value) {
    if (value == m_layout) return;
    m_layout = value;
    Invalidate();
}

void TbsSkinButton::SetDefault(bool value) {
    m_default = value;
    if (!HandleAllocated() || !m_canFocused) return;
    // Every button of the form re-evaluates whether it takes Enter.
    if (TForm* form = platform::forms::GetParentForm(this))
        form->Perform(
            platform::forms::CM_FOCUSCHANGED, 0,
            reinterpret_cast<platform::forms::TLParam>(static_cast<TControl*>(form->ActiveControl())));
}

void TbsSkinButton::SetDown(bool value) {
    m_down = value;
    if (RecordMorphs()) {
        m_morphSteps = kMorphSteps;
        if (value)
            StopFade();
        else
            StartFade();
    }
    Invalidate();
    if (m_groupIndex == 0 || !value || m_allowAllUp || !Parent()) return;
    for (TControl* sibling : Parent()->ControlList()) {
        auto* other = dynamic_cast<TbsSkinButton*>(sibling);
        if (other && other != this && other->m_groupIndex == m_groupIndex && other->m_down)
            other->SetDown(false);
    }
}

// ---- Record ----

void TbsSkinButton::LookUpRecord() {
    TbsSkinCustomControl::LookUpRecord();
    auto* record = ControlRecordAs<TbsDataSkinButtonControl>(m_skinData, m_recordIndex);
    if (!record) return;
    fontname = record->fontname;
    fontheight = record->fontheight;
    fontstyle = record->fontstyle;
    fontcolor = record->fontcolor;
    activefontcolor = record->activefontcolor;
    downfontcolor = record->downfontcolor;
    disabledfontcolor = record->disabledfontcolor;
    activeskinrect = IsEmptyRect(record->activeskinrect) ? skinrect : record->activeskinrect;
    downskinrect = IsEmptyRect(record->downskinrect) ? activeskinrect : record->downskinrect;
    disabledskinrect = record->disabledskinrect;
    morphing = record->morphing;
    morphkind = record->morphkind;
}

void TbsSkinButton::ApplySkin() {
    StopFade();
    m_morphSteps = 0;
    TbsSkinCustomControl::ApplySkin();
    if (RecordMorphs() && (IsFocusedLook() || m_highlighted)) m_morphSteps = kMorphSteps;
}

// ---- Painting ----

bool TbsSkinButton::IsFocusedLook() const {
    return m_canFocused && Focused();
}

bool TbsSkinButton::IsPressedLook() const {
    return m_down && (m_groupIndex != 0 || m_highlighted || (IsFocusedLook() && !m_mouseHeld));
}

void TbsSkinButton::DrawSkinImage(TBitmap& bitmap) {
    const bool focused = IsFocusedLook();
    if (morphing && m_morphSteps > 0 && m_morphSteps < kMorphSteps && Enabled()) {
        TBitmap active(Width(), Height());
        DrawSkinState(bitmap, skinrect, false, false);
        DrawSkinState(active, activeskinrect, false, true);
        TbsEffectBmp a(bitmap);
        const TbsEffectBmp b(active);
        ApplyMorphKind(a, b, morphkind, MorphFactor());
        a.AssignTo(bitmap);
    } else if (!Enabled() && !IsEmptyRect(disabledskinrect)) {
        DrawSkinState(bitmap, disabledskinrect, false, false);
    } else if (IsPressedLook()) {
        DrawSkinState(bitmap, downskinrect, true, true);
    } else if (focused || m_highlighted) {
        DrawSkinState(bitmap, activeskinrect, false, true);
    } else if (morphing && m_morphSteps == kMorphSteps) {
        DrawSkinState(bitmap, activeskinrect, false, true);
    } else {
        DrawSkinState(bitmap, skinrect, false, false);
    }
}

void TbsSkinButton::DrawSkinState(TBitmap& bitmap, const TRect& r, bool down, bool active) {
    ComposeFromRecord(bitmap, r);
    TCanvas& canvas = bitmap.Canvas();
    if (UseSkinFont()) {
        canvas.Font.SetName(fontname);
        canvas.Font.SetHeight(fontheight);
        canvas.Font.SetStyle(fontstyle);
        canvas.Font.SetCharset(DefaultFont().Charset());
    } else {
        canvas.Font = DefaultFont();
    }
    if (!Enabled())
        canvas.Font.SetColor(disabledfontcolor);
    else if (down && active)
        canvas.Font.SetColor(downfontcolor);
    else if (active)
        canvas.Font.SetColor(activefontcolor);
    else
        canvas.Font.SetColor(fontcolor);
    const int cell = GlyphCellFor(down, active, !Enabled(), m_numGlyphs);
    DrawGlyphAndCaption(canvas, CurClientRect, m_margin, down && active, cell, m_numGlyphs, m_glyph,
                        Caption(), m_layout, m_spacing);
}

void TbsSkinButton::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    const TRect r{0, 0, bitmap.Width(), bitmap.Height()};
    const bool pressed = IsPressedLook();
    if (pressed)
        FramedFill(canvas, r, kDefaultLookFrame, kDefaultLookPressedFill);
    else if (IsFocusedLook() || m_highlighted)
        FramedFill(canvas, r, kDefaultLookFrame, kDefaultLookHotFill);
    else
        FramedFill(canvas, r, platform::gfx::clBtnShadow, platform::gfx::clBtnFace);
    canvas.Font = DefaultFont();
    if (!Enabled()) canvas.Font.SetColor(platform::gfx::clBtnShadow);
    const int cell = GlyphCellFor(m_down, m_highlighted, !Enabled(), m_numGlyphs);
    DrawGlyphAndCaption(canvas, r, m_margin, pressed, cell, m_numGlyphs, m_glyph, Caption(), m_layout,
                        m_spacing);
}

// ---- Morphing ----

void TbsSkinButton::StartStateChange() {
    if (RecordMorphs())
        StartFade();
    else
        Invalidate();
}

void TbsSkinButton::StartFade() {
    if (!m_fadeTimer) {
        m_fadeTimer = std::make_unique<TTimer>(nullptr);
        m_fadeTimer->SetEnabled(false);
        m_fadeTimer->SetInterval(kMorphInterval);
        m_fadeTimer->SetOnTimer([this](TComponent*) { FadeTick(); });
    }
    m_fadeTimer->SetEnabled(true);
}

void TbsSkinButton::StopFade() {
    if (m_fadeTimer) m_fadeTimer->SetEnabled(false);
}

void TbsSkinButton::FadeTick() {
    const bool lit = m_highlighted || IsFocusedLook();
    if (!RecordMorphs()) {
        m_morphSteps = lit ? kMorphSteps : 0;
        StopFade();
        return;
    }
    if (lit && m_morphSteps < kMorphSteps) {
        ++m_morphSteps;
    } else if (!lit && m_morphSteps > 0) {
        --m_morphSteps;
    } else {
        m_morphSteps = lit ? kMorphSteps : 0;
        StopFade();
    }
    Invalidate();
}

// ---- Clicks ----

void TbsSkinButton::Click() {
    ExecuteClick();
}

void TbsSkinButton::ExecuteClick() {
    if (m_canFocused)
        if (TForm* form = platform::forms::GetParentForm(this)) form->SetModalResult(m_modalResult);
    if (OnClick) OnClick(this);
}

void TbsSkinButton::StartRepeat() {
    if (!m_repeatTimer) {
        m_repeatTimer = std::make_unique<TTimer>(nullptr);
        m_repeatTimer->SetOnTimer([this](TComponent*) { ExecuteClick(); });
    }
    // Restarting gives a full interval before the next click.
    m_repeatTimer->SetEnabled(false);
    m_repeatTimer->SetInterval(static_cast<uint32_t>(m_repeatInterval));
    m_repeatTimer->SetEnabled(true);
}

void TbsSkinButton::StopRepeat() {
    if (m_repeatTimer) m_repeatTimer->SetEnabled(false);
}

// ---- Mouse ----

bool TbsSkinButton::FocusOnPress() {
    if (!m_canFocused || IsDesigning() || Focused()) return true;
    m_clicksDisabled = true;
    if (CanFocus()) SetFocus();
    m_clicksDisabled = false;
    return Focused();
}

void TbsSkinButton::WMLButtonDown(TMessage& message) {
    if (!FocusOnPress()) return;
    TbsSkinCustomControl::WMLButtonDown(message);
}

void TbsSkinButton::WMLButtonDblClk(TMessage& message) {
    if (!FocusOnPress()) return;
    TbsSkinCustomControl::WMLButtonDblClk(message);
}

void TbsSkinButton::WMCommand(TMessage& message) {
    if (m_clicksDisabled) return;
    TbsSkinCustomControl::WMCommand(message);
}

void TbsSkinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    m_mouseHeld = true;
    if (!m_down) {
        m_highlighted = true;
        SetDown(true);
        if (m_groupIndex != 0)
            ExecuteClick();
        else if (m_repeatMode)
            StartRepeat();
        m_allUpPending = false;
    } else if (m_groupIndex != 0) {
        m_allUpPending = true;
    }
}

void TbsSkinButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        m_mouseHeld = false;
        if (m_groupIndex == 0) {
            StopRepeat();
            if (m_highlighted) {
                SetDown(false);
                ExecuteClick();
            } else {
                m_down = false;
            }
        } else if (m_down && m_allowAllUp && m_allUpPending && m_highlighted) {
            SetDown(false);
            ExecuteClick();
        }
    }
    if (HandleAllocated() && Visible()) TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinButton::CMMouseEnter(TMessage& message) {
    TbsSkinCustomControl::CMMouseEnter(message);
    if (IsDesigning()) return;
    m_highlighted = true;
    const bool needsPaint = m_groupIndex != 0 ? !m_down : (!IsFocusedLook() || m_down);
    if (needsPaint) {
        if (m_down) {
            if (RecordMorphs()) m_morphSteps = kMorphSteps;
            Invalidate();
        } else {
            StartStateChange();
        }
    }
    // Only a press still held resumes repeating: a Down set by the keyboard must not start
    // clicks that nothing would stop.
    if (m_down && m_repeatMode && m_groupIndex == 0 && m_mouseHeld) StartRepeat();
}

void TbsSkinButton::CMMouseLeave(TMessage& message) {
    TbsSkinCustomControl::CMMouseLeave(message);
    if (IsDesigning()) return;
    const bool focused = IsFocusedLook();
    if (!(m_canFocused && m_default && m_activeDefault && !focused)) m_highlighted = false;
    const bool needsPaint = m_groupIndex != 0 ? !m_down : (!focused || m_down);
    if (needsPaint) StartStateChange();
    if (m_groupIndex == 0) StopRepeat();
}

// ---- Keyboard and focus ----

void TbsSkinButton::KeyDown(uint16_t& key, TShiftState shift) {
    if (m_canFocused) {
        if (key == platform::ui::VK_SPACE) {
            SetDown(true);
            if (m_repeatMode) ExecuteClick();
        } else if (key == platform::ui::VK_RETURN) {
            ExecuteClick();
        }
    }
    TbsSkinCustomControl::KeyDown(key, shift);
}

void TbsSkinButton::KeyUp(uint16_t& key, TShiftState shift) {
    if (m_canFocused && key == platform::ui::VK_SPACE) {
        SetDown(false);
        ExecuteClick();
    }
    TbsSkinCustomControl::KeyUp(key, shift);
}

void TbsSkinButton::WMSetFocus(TMessage& message) {
    TbsSkinCustomControl::WMSetFocus(message);
    if (m_canFocused) StartStateChange();
}

void TbsSkinButton::WMKillFocus(TMessage& message) {
    TbsSkinCustomControl::WMKillFocus(message);
    if (m_repeatMode) StopRepeat();
    if (m_groupIndex == 0 && m_down) m_down = false;
    if (m_canFocused) StartStateChange();
}

void TbsSkinButton::CreateWnd() {
    TbsSkinCustomControl::CreateWnd();
    m_activeDefault = m_default;
}

void TbsSkinButton::CMFocusChanged(TMessage& message) {
    TbsSkinCustomControl::CMFocusChanged(message);
    auto* focusedControl = reinterpret_cast<TControl*>(message.LParam);
    const bool toButton = dynamic_cast<TbsSkinButton*>(focusedControl) != nullptr;
    m_activeDefault = toButton ? focusedControl == this : m_default;
    if (!m_canFocused || !m_default) return;
    if (toButton && focusedControl != this) {
        if (m_highlighted) {
            m_highlighted = false;
            StartStateChange();
        }
    } else if (!toButton && !m_highlighted) {
        if (RecordMorphs()) m_morphSteps = kMorphSteps;
        m_highlighted = true;
        StartStateChange();
    }
}

void TbsSkinButton::CMDialogKey(TMessage& message) {
    const auto key = static_cast<uint32_t>(message.WParam);
    const bool plain = (platform::forms::KeyboardShiftState() &
                        (platform::forms::ssShift | platform::forms::ssCtrl | platform::forms::ssAlt)) == 0;
    if ((key == platform::ui::VK_RETURN && m_activeDefault && Enabled()) ||
        (key == platform::ui::VK_ESCAPE && m_cancel && m_canFocused && plain && CanFocus())) {
        ExecuteClick();
        message.Result = 1;
        return;
    }
    TbsSkinCustomControl::CMDialogKey(message);
}

void TbsSkinButton::CMDialogChar(TMessage& message) {
    if (platform::forms::IsAccel(static_cast<char32_t>(message.WParam), Caption()) && m_canFocused &&
        CanFocus()) {
        SetFocus();
        ExecuteClick();
        message.Result = 1;
        return;
    }
    TbsSkinCustomControl::CMDialogChar(message);
}

void TbsSkinButton::CMEnabledChanged(TMessage& message) {
    TbsSkinCustomControl::CMEnabledChanged(message);
    if (morphing) {
        StopFade();
        m_morphSteps = 0;
    }
    m_highlighted = false;
    Invalidate();
}

void TbsSkinButton::CMTextChanged(TMessage& message) {
    TbsSkinCustomControl::CMTextChanged(message);
    Invalidate();
}

}  // namespace skin
