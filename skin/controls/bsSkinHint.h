#pragma once
// TbsSkinHint: puts the skinned hint window in place of the application's hint window and shows
// hints of its own on request (the skin form's caption buttons): after the application's hint
// pause, just below the visible pointer, hidden again after the hide pause. Of several on the
// main form, the first active one is in charge; activating one deactivates the others.

#include <memory>
#include <string>

#include "platform/forms/Application.h"
#include "platform/forms/Component.h"
#include "platform/forms/Timer.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinHintWindow.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinHint : public platform::forms::TComponent {
public:
    explicit TbsSkinHint(platform::forms::TComponent* owner);
    ~TbsSkinHint() override;
    [[nodiscard]] std::string ClassName() const override { return "TbsSkinHint"; }

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] bool Active() const { return m_active; }
    void SetActive(bool value);
    [[nodiscard]] bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool value) { m_alphaBlend = value; }
    [[nodiscard]] int AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(int value) { m_alphaBlendValue = value < 0 ? 0 : (value > 255 ? 255 : value); }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& font) { m_defaultFont = font; }
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value) { m_useSkinFont = value; }
    platform::forms::TShowHintEvent OnShowHint;

    // Shows text after the application's hint pause (a pending one is dropped).
    void ShowSkinHint(const std::string& text);
    // Shows the pending text now, below the pointer, and starts the hide pause.
    void PopUpNow();
    void HideSkinHint();
    [[nodiscard]] TbsSkinHintWindow* HintWindow() const { return m_window; }
    // A hint is pending or shown (the show timer runs).
    [[nodiscard]] bool TimerRunning() const;
    // Rows from the pointer's hot spot to the lowest visible row of its image.
    [[nodiscard]] static int VisibleCursorHeight();

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    void InstallForwarder();
    void StartTimer(int ms, bool thenHide);

    TbsSkinData* m_skinData = nullptr;
    bool m_active = true;
    bool m_alphaBlend = false;
    int m_alphaBlendValue = 200;
    bool m_useSkinFont = true;
    platform::gfx::TFont m_defaultFont;
    TbsSkinHintWindow* m_window = nullptr;
    platform::forms::TTimer* m_showTimer = nullptr;
    bool m_timerHides = false;
    std::string m_pendingText;
};

}  // namespace skin
