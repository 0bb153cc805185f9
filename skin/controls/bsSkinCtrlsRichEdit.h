#pragma once
// TbsSkinRichEdit: the platform rich edit with its font and colours from a rich-edit record
// ("richedit") and external skin scroll bars in place of its own. It has no border; both native
// ranges stay on, and after a size, paint, key, left-button, wheel or text change the bars are
// synchronised: the vertical bar is enabled while the text is higher than the control (else it
// is disabled and the native range cleared), the horizontal bar likewise with the width, and the
// horizontal bar's Both follows the vertical bar. Moving a bar scrolls the text. With SkinSupport
// off the control keeps whatever font and colour it was given.

#include <string>

#include "platform/forms/PropertyTable.h"
#include "platform/forms/RichEdit.h"
#include "skin/controls/bsSkinCtrlsNotify.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinRichEdit : public platform::forms::TCustomRichEdit, public TbsSkinChangeClient {
public:
    explicit TbsSkinRichEdit(platform::forms::TComponent* owner);
    ~TbsSkinRichEdit() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }
    [[nodiscard]] bool SkinSupport() const { return m_skinSupport; }
    void SetSkinSupport(bool value);
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value);
    [[nodiscard]] TColor DefaultColor() const { return m_defaultColor; }
    void SetDefaultColor(TColor value);
    [[nodiscard]] TbsSkinScrollBar* VScrollBar() const { return m_vScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* value);
    [[nodiscard]] TbsSkinScrollBar* HScrollBar() const { return m_hScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* value);

    // Looks the record up and applies its (or the default) font and colours, then
    // synchronises the bars; nothing with SkinSupport off.
    void RefreshSkin();
    void SyncScrollBars();

    // TbsSkinChangeClient
    [[nodiscard]] TbsSkinData* BoundSkinData() const override { return m_skinData; }
    void SkinBeforeChange() override { m_recordIndex = -1; }
    void SkinAfterChange() override { RefreshSkin(); }

protected:
    // The outside skin bars stand in for the rich edit's own.
    [[nodiscard]] bool DrawsScrollBars() const override { return false; }
    void WndProc(platform::forms::TMessage& message) override;
    void CreateParams(platform::ui::TCreateParams& params) override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void Loaded() override;
    void Change() override;
    void Scrolled(int bar) override;

private:
    void CoupleBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* value, int bar);
    // Sets one bar from its native range; false when it was disabled.
    bool SyncBar(TbsSkinScrollBar* bar, int direction, int extent);

    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "richedit";
    int m_recordIndex = -1;
    bool m_skinSupport = true;
    platform::gfx::TFont m_defaultFont;
    TColor m_defaultColor = platform::gfx::clWindow;
    TbsSkinScrollBar* m_vScrollBar = nullptr;
    TbsSkinScrollBar* m_hScrollBar = nullptr;
    bool m_syncing = false;
};

// Registers TbsSkinRichEdit for form resources.
void RegisterSkinRichEdit(platform::forms::TClassRegistry& registry);

}  // namespace skin
