#pragma once
// TbsSkinButton: the push button of the skinned user interface. It shows one of its record's
// four pictures (normal, active, down, disabled), can blend between normal and active over
// 200 ms, draws an optional glyph and a caption, works as a toggle in groups, repeats its click
// while held, acts as its form's default or cancel button and sets the form's modal result.

#include <memory>
#include <string>

#include "platform/forms/ControlMessages.h"
#include "platform/forms/Timer.h"
#include "platform/gfx/Bitmap.h"
#include "skin/controls/bsSkinCtrlsCustom.h"
#include "skin/controls/bsSkinCtrlsGlyph.h"

namespace skin {

class TbsSkinButton : public TbsSkinCustomControl {
public:
    explicit TbsSkinButton(platform::forms::TComponent* owner);
    ~TbsSkinButton() override;

    // ---- Published ----
    [[nodiscard]] bool RepeatMode() const { return m_repeatMode; }
    void SetRepeatMode(bool value);
    [[nodiscard]] int RepeatInterval() const { return m_repeatInterval; }
    void SetRepeatInterval(int value);
    [[nodiscard]] bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool value) { m_allowAllUp = value; }
    [[nodiscard]] bool CanFocused() const { return m_canFocused; }
    void SetCanFocused(bool value);
    [[nodiscard]] bool Down() const { return m_down; }
    void SetDown(bool value);
    // Non-zero: a toggle in the group of sibling buttons with the same index; sets CanFocused
    // to false.
    [[nodiscard]] int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value);
    // A strip of NumGlyphs equal cells: 1 normal, 2 disabled, 3 down, 4 active.
    [[nodiscard]] const platform::gfx::TBitmap& Glyph() const { return m_glyph; }
    void SetGlyph(const platform::gfx::TBitmap& value);
    [[nodiscard]] int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int value);
    // -1 centres glyph and caption together; values below -1 are ignored.
    [[nodiscard]] int Margin() const { return m_margin; }
    void SetMargin(int value);
    [[nodiscard]] int Spacing() const { return m_spacing; }
    void SetSpacing(int value);
    [[nodiscard]] TbsButtonLayout Layout() const { return m_layout; }
    void SetLayout(TbsButtonLayout value);
    [[nodiscard]] bool Default() const { return m_default; }
    void SetDefault(bool value);
    [[nodiscard]] bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    // Copied to the parent form at every click of a focusable button.
    [[nodiscard]] int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }

    // ---- State ----
    [[nodiscard]] bool Highlighted() const { return m_highlighted; }
    [[nodiscard]] bool MouseHeld() const { return m_mouseHeld; }
    [[nodiscard]] bool ActiveDefault() const { return m_activeDefault; }
    // 0 shows the normal picture, 1 the active one; steps of 0.1 while morphing.
    [[nodiscard]] double MorphFactor() const { return m_morphSteps / static_cast<double>(kMorphSteps); }
    [[nodiscard]] bool Morphing() const { return m_fadeTimer && m_fadeTimer->Enabled(); }
    [[nodiscard]] bool Repeating() const { return m_repeatTimer && m_repeatTimer->Enabled(); }

    void Click() override;
    void ApplySkin() override;

    // Copies of the button record (its active and down rectangles already replaced when empty).
    std::string fontname = "Arial";
    int fontheight = 14;
    platform::gfx::TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, disabledfontcolor = 0;
    TRect activeskinrect, downskinrect, disabledskinrect;
    bool morphing = false;
    TbsMorphKind morphkind = mkDefault;

    static constexpr int kMorphSteps = 10;
    static constexpr uint32_t kMorphInterval = 20;

protected:
    void LookUpRecord() override;
    void DrawDefaultImage(platform::gfx::TBitmap& bitmap) override;
    void DrawSkinImage(platform::gfx::TBitmap& bitmap) override;
    virtual void DrawSkinState(platform::gfx::TBitmap& bitmap, const TRect& r, bool down, bool active);
    // The click: modal result, then OnClick.
    virtual void ExecuteClick();
    // Fades towards the state's picture when the record morphs, else repaints.
    void StartStateChange();

    [[nodiscard]] bool IsFocusedLook() const;
    [[nodiscard]] bool IsPressedLook() const;

    void CreateWnd() override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                 int y) override;
    void KeyDown(uint16_t& key, platform::forms::TShiftState shift) override;
    void KeyUp(uint16_t& key, platform::forms::TShiftState shift) override;
    void WMLButtonDown(platform::forms::TMessage& message) override;
    void WMLButtonDblClk(platform::forms::TMessage& message) override;
    void WMSetFocus(platform::forms::TMessage& message) override;
    void WMKillFocus(platform::forms::TMessage& message) override;
    void WMCommand(platform::forms::TMessage& message) override;
    void CMMouseEnter(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;
    void CMEnabledChanged(platform::forms::TMessage& message) override;
    void CMTextChanged(platform::forms::TMessage& message) override;
    void CMFocusChanged(platform::forms::TMessage& message) override;
    void CMDialogKey(platform::forms::TMessage& message) override;
    void CMDialogChar(platform::forms::TMessage& message) override;

private:
    // The platform focus moves here on a press; false when it could not.
    bool FocusOnPress();
    void StartRepeat();
    void StopRepeat();
    void StartFade();
    void StopFade();
    void FadeTick();
    [[nodiscard]] bool RecordMorphs() const { return morphing && m_recordIndex != -1; }

    bool m_repeatMode = false;
    int m_repeatInterval = 100;
    bool m_allowAllUp = false;
    bool m_canFocused = true;
    bool m_down = false;
    int m_groupIndex = 0;
    platform::gfx::TBitmap m_glyph;
    int m_numGlyphs = 1;
    int m_margin = -1;
    int m_spacing = 1;
    TbsButtonLayout m_layout = blGlyphLeft;
    bool m_default = false;
    bool m_cancel = false;
    int m_modalResult = 0;

    bool m_highlighted = false;
    bool m_mouseHeld = false;
    bool m_activeDefault = false;
    bool m_allUpPending = false;
    bool m_clicksDisabled = false;
    int m_morphSteps = 0;  // MorphFactor in tenths, so ten steps land exactly on 1
    std::unique_ptr<platform::forms::TTimer> m_repeatTimer;
    std::unique_ptr<platform::forms::TTimer> m_fadeTimer;
};

}  // namespace skin
