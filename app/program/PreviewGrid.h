#pragma once
// The preview grid's place in the keyboard order. The previews stay windowless pictures that the
// mouse clicks; the grid is a windowed control without area that takes the focus and the grid's
// keys, and a frame drawn around the selected preview shows that it has the focus.

#include <functional>

#include "app/Browser.h"
#include "platform/forms/GraphicControl.h"
#include "platform/forms/WinControl.h"

namespace app::program {

// The focus frame: a two-pixel ring inside the selected preview's bevel, between the bevel's own
// lines and the picture. It takes no mouse input, so clicks reach the picture below it.
class TPreviewFocusFrame : public platform::forms::TGraphicControl {
public:
    explicit TPreviewFocusFrame(platform::forms::TComponent* owner);
    [[nodiscard]] std::string ClassName() const override { return "TPreviewFocusFrame"; }

    [[nodiscard]] platform::gfx::TColor FrameColor() const { return m_frameColor; }
    void SetFrameColor(platform::gfx::TColor color);

protected:
    void Paint() override;
    void CMHitTest(platform::forms::TMessage& message) override;

private:
    platform::gfx::TColor m_frameColor;
};

class TPreviewGrid : public platform::forms::TWinControl {
public:
    explicit TPreviewGrid(platform::forms::TComponent* owner);
    [[nodiscard]] std::string ClassName() const override { return "TPreviewGrid"; }

    // The browser's handlers for the keys the grid takes.
    std::function<void(TPreviewKey)> OnPreviewKey;
    std::function<void(int)> OnSeverityKey;
    // Fired when the grid gains or loses the focus.
    std::function<void(bool)> OnFocusChanged;

    // The key's action in the grid, or false for a key the grid leaves alone.
    [[nodiscard]] static bool PreviewKeyOf(uint16_t key, TPreviewKey& action);
    // 1 to 5 for the digit keys of the main block and the number pad, else 0.
    [[nodiscard]] static int SeverityOfKey(uint16_t key);

protected:
    void KeyDown(uint16_t& key, platform::forms::TShiftState shift) override;
    void WMGetDlgCode(platform::forms::TMessage& message) override;
    void DoEnter() override;
    void DoExit() override;
};

}  // namespace app::program
