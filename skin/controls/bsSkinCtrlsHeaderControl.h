#pragma once
// TbsSkinHeaderControl: the platform header control with its sections drawn from a button record
// ("resizebutton"): the record's picture for a plain, hot or pressed section (the active and down
// rectangles fall back as the skin button's do), its font and font colours, the area right of the
// last section from the same picture left open at the right. A record that does not stretch
// vertically fixes the header's height to its skinrect; without a record DefaultHeight (when not
// 0) does. Without a record the sections are drawn in the default palette of pressable parts.
// OnDrawSkinSection may draw a section's content itself.

#include <functional>
#include <memory>
#include <string>

#include "platform/forms/HeaderControl.h"
#include "skin/data/bsSkinData.h"

namespace skin {

using TbsDrawSkinSectionEvent = std::function<void(
    platform::forms::TComponent* sender, platform::forms::THeaderSection* section, platform::gfx::TCanvas& canvas,
    bool pressed, bool hot, const TRect& textArea)>;

class TbsSkinHeaderControl : public platform::forms::THeaderControl {
public:
    explicit TbsSkinHeaderControl(platform::forms::TComponent* owner);
    ~TbsSkinHeaderControl() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return *m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value);
    [[nodiscard]] int DefaultHeight() const { return m_defaultHeight; }
    void SetDefaultHeight(int value);
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);

    // Looks the record up, fixes the height where the record (or DefaultHeight) asks; repaints.
    virtual void RefreshSkin();
    virtual void ForgetRecord() { m_recordIndex = -1; }
    void SetBounds(int left, int top, int width, int height) override;

    platform::forms::TSectionNotifyEvent OnSkinSectionClick;
    TbsDrawSkinSectionEvent OnDrawSkinSection;

protected:
    void DrawSection(platform::gfx::TCanvas& canvas, int index, const TRect& rect, bool pressed, bool hot) override;
    void DrawRest(platform::gfx::TCanvas& canvas, const TRect& rect) override;
    void SectionClick(platform::forms::THeaderSection* section) override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void WMEraseBkgnd(platform::forms::TMessage& message) override;

private:
    [[nodiscard]] TbsDataSkinButtonControl* ButtonRecord() const;
    [[nodiscard]] int FixedHeight() const;

    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "resizebutton";
    int m_recordIndex = -1;
    std::unique_ptr<platform::gfx::TFont> m_defaultFont;
    int m_defaultHeight = 0;
    bool m_useSkinFont = true;
};

}  // namespace skin
