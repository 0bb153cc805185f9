#pragma once
// The skinned memos. TbsSkinMemo takes its frame from a memo record ("memo"), may draw the
// record's picture under the text (BitMapBG) and drives an external skin scroll bar
// (VScrollBar). TbsSkinMemo2 has no frame and drives two external bars (VScrollBar, HScrollBar).
// Both switch their colours by pointer and focus and offer the skinned standard context menu.

#include <string>

#include "platform/forms/Memo.h"
#include "skin/boxes/bsSkinBoxCtrlsEdit.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

namespace skin {

// What both memos share: the record binding, the fonts and colours, the standard menu and the
// vertical bar.
class TbsSkinMemoBase : public platform::forms::TCustomMemo, public TbsSkinChangeClient {
public:
    explicit TbsSkinMemoBase(platform::forms::TComponent* owner);
    ~TbsSkinMemoBase() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value);
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);
    [[nodiscard]] TbsSkinScrollBar* VScrollBar() const { return m_vScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* value);
    [[nodiscard]] TbsEditStandardMenu& StandardMenu() { return m_standardMenu; }
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }

    virtual void ApplySkin();
    // Brings the bars in line with the memo's lines and position.
    virtual void UpdateScrollBars();

    // TbsSkinChangeClient
    [[nodiscard]] TbsSkinData* BoundSkinData() const override { return m_skinData; }
    void SkinBeforeChange() override { m_recordIndex = -1; }
    void SkinAfterChange() override { ApplySkin(); }

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void WndProc(platform::forms::TMessage& message) override;
    void Scrolled(int bar) override;
    // The skin's scroll bars stand in for the platform's.
    [[nodiscard]] bool DrawsScrollBars() const override { return false; }
    void Change() override;
    void CreateParams(platform::ui::TCreateParams& params) override;
    void LookUpRecord();
    [[nodiscard]] const TbsDataSkinMemoControl* Record() const;
    [[nodiscard]] bool Active() const { return MouseInControl() || Focused(); }
    // Font colour and memo colour for the pointer, focus and enabled state.
    virtual void UpdateColors();
    virtual void StateChanged() { Invalidate(); }
    void CoupleBar(TbsSkinScrollBar* bar, int min, int max, int page, int pos, bool enabled);

    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "memo";
    int m_recordIndex = -1;
    TbsSkinScrollBar* m_vScrollBar = nullptr;
    bool m_coupling = false;

private:
    platform::gfx::TFont m_defaultFont;
    bool m_useSkinFont = true;
    TbsEditStandardMenu m_standardMenu{*this};
};

class TbsSkinMemo : public TbsSkinMemoBase {
public:
    explicit TbsSkinMemo(platform::forms::TComponent* owner);

    // The record's picture under the text (true), or only its border with the memo colour.
    [[nodiscard]] bool BitMapBG() const { return m_bitMapBG; }
    void SetBitMapBG(bool value);
    // Text-area insets of the frame in window coordinates.
    [[nodiscard]] TRect FrameInsets() const;
    void UpdateScrollBars() override;
    void ApplySkin() override;

protected:
    void WndProc(platform::forms::TMessage& message) override;
    void PaintBackground(platform::gfx::TCanvas& canvas) override;
    void StateChanged() override;

private:
    void ComposeImage(TBitmap& image, bool whole);
    void PaintFrame();
    bool m_bitMapBG = true;
};

class TbsSkinMemo2 : public TbsSkinMemoBase {
public:
    explicit TbsSkinMemo2(platform::forms::TComponent* owner);

    [[nodiscard]] TbsSkinScrollBar* HScrollBar() const { return m_hScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* value);
    void UpdateScrollBars() override;

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    TbsSkinScrollBar* m_hScrollBar = nullptr;
};

}  // namespace skin
