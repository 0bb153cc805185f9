#pragma once
// TbsSkinHintWindow: the application's hint window drawn from the skin's [HINTWINDOW] record: the
// record's picture composed around the text (corners kept, edges tiled or stretched), cut to the
// mask's region when the record has one, optionally translucent. Without an active TbsSkinHint
// on the main form it shows nothing; without a skinned record it draws a plain tooltip.

#include <string>

#include "platform/core/Types.h"
#include "platform/forms/HintWindow.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinHint;

class TbsSkinHintWindow : public platform::forms::THintWindow {
public:
    explicit TbsSkinHintWindow(platform::forms::TComponent* owner);
    [[nodiscard]] std::string ClassName() const override { return "TbsSkinHintWindow"; }

    // rect's top-left is the wanted position; the size comes from MeasureHint.
    void ActivateHint(TRect rect, const std::string& hint) override;
    void ActivateHintData(TRect rect, const std::string& hint, void* data) override;
    [[nodiscard]] TRect CalcHintRect(int maxWidth, const std::string& hint, void* data) override;

    // The window size the text needs with the font of the last activation; sets the sized
    // points and client rectangle.
    platform::core::TSize MeasureHint(const std::string& text);

    // The first TbsSkinHint of the application's main form that is active, or null.
    [[nodiscard]] static TbsSkinHint* HintInCharge();
    // The record's picture is used (set at each activation).
    [[nodiscard]] bool Skinned() const { return m_picture != nullptr; }
    [[nodiscard]] const TRect& CurClientRect() const { return m_curClientRect; }
    [[nodiscard]] TPoint CurLeftTop() const { return m_curLeftTop; }
    [[nodiscard]] TPoint CurRightTop() const { return m_curRightTop; }
    [[nodiscard]] TPoint CurLeftBottom() const { return m_curLeftBottom; }
    [[nodiscard]] TPoint CurRightBottom() const { return m_curRightBottom; }
    // The opacity last applied (255 when translucency is off).
    [[nodiscard]] int AppliedAlpha() const { return m_appliedAlpha; }

protected:
    void CreateParams(platform::ui::TCreateParams& params) override;
    void Paint() override;
    void WndProc(platform::forms::TMessage& message) override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    // Binds to the hint in charge and its skin; false when there is no hint in charge.
    bool BindSkin();
    void PrepareFont();
    void ApplyTransparency();
    void UpdateHintRegion();
    void PaintSkinned(platform::gfx::TCanvas& canvas, int w, int h);
    void PaintPlain(platform::gfx::TCanvas& canvas, int w, int h);

    TbsSkinHint* m_hint = nullptr;
    TbsSkinData* m_skinData = nullptr;
    platform::gfx::TBitmap* m_picture = nullptr;
    TPoint m_curLeftTop, m_curRightTop, m_curLeftBottom, m_curRightBottom;
    TRect m_curClientRect;
    bool m_alphaOn = false;
    int m_appliedAlpha = 255;
};

}  // namespace skin
