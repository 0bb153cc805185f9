#pragma once
// TbsSkinBevel: the platform bevel drawn in a bevel record's light and dark colours (the
// platform's button highlight and shadow without a record), optionally as a groove or ridge
// across its middle (DividerMode).

#include <string>

#include "platform/forms/ExtCtrls.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinBevel : public platform::forms::TBevel {
public:
    explicit TbsSkinBevel(platform::forms::TComponent* owner);
    ~TbsSkinBevel() override;

    // Published. Setting it (also to nothing) refreshes the colours.
    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] bool DividerMode() const { return m_dividerMode; }
    void SetDividerMode(bool value);

    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }
    [[nodiscard]] TColor BevelLight() const { return m_bevelLight; }
    [[nodiscard]] TColor BevelDark() const { return m_bevelDark; }

    // Looks the record up: a bevel record gives the colours, no record the platform's; then
    // repaints.
    virtual void RefreshSkin();

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "bevel";
    int m_recordIndex = -1;
    bool m_dividerMode = false;
    TColor m_bevelLight = platform::gfx::clBtnHighlight;
    TColor m_bevelDark = platform::gfx::clBtnShadow;
};

}  // namespace skin
