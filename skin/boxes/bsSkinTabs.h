#pragma once
// TbsSkinPageControl and TbsSkinTabControl: the platform's page control and tab control with
// the strip, the page frame and every tab painted from a tab record (default "tab"), hot-tracked
// tabs, and a skin up-down instead of the platform's scroll arrows while a single row of tabs does
// not fit. Without skin data or a record they keep a plain default look of their own.

#include <memory>
#include <string>

#include "platform/forms/PageControl.h"
#include "platform/forms/TabControl.h"
#include "skin/boxes/bsSkinTabsCore.h"
#include "skin/controls/bsSkinCtrlsNotify.h"

namespace skin {

// Both controls: a platform control (Base) bound to a tab record through a TbsSkinTabsCore.
template <class Base>
class TbsSkinTabsControl : public Base, public TbsSkinChangeClient {
public:
    explicit TbsSkinTabsControl(platform::forms::TComponent* owner);
    ~TbsSkinTabsControl() override;

    // ---- Published ----
    [[nodiscard]] TbsSkinData* SkinData() const { return m_core->SkinData(); }
    void SetSkinData(TbsSkinData* value) { m_core->SetSkinData(value); }
    [[nodiscard]] const std::string& SkinDataName() const { return m_core->SkinDataName(); }
    void SetSkinDataName(const std::string& value) { m_core->SetSkinDataName(value); }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return m_core->DefaultFont(); }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return m_core->DefaultFont(); }
    [[nodiscard]] bool UseSkinFont() const { return m_core->UseSkinFont(); }
    void SetUseSkinFont(bool value) { m_core->SetUseSkinFont(value); }
    [[nodiscard]] int DefaultItemHeight() const { return m_core->DefaultItemHeight(); }
    void SetDefaultItemHeight(int value) { m_core->SetDefaultItemHeight(value); }

    // ---- State ----
    [[nodiscard]] TbsSkinTabsCore& Skin() { return *m_core; }
    [[nodiscard]] const TbsSkinTabsCore& Skin() const { return *m_core; }
    [[nodiscard]] int RecordIndex() const { return m_core->RecordIndex(); }
    [[nodiscard]] int HotTab() const { return m_core->HotTab(); }
    [[nodiscard]] TbsSkinUpDown* ScrollUpDown() const { return m_core->ScrollUpDown(); }
    void ApplySkin() { m_core->ApplySkin(); }

    [[nodiscard]] TbsSkinData* BoundSkinData() const override { return m_core->SkinData(); }
    void SkinBeforeChange() override { m_core->ForgetRecord(); }
    void SkinAfterChange() override { m_core->ApplySkin(); }

    [[nodiscard]] TRect DisplayRect() const override;
    [[nodiscard]] TRect TabRect(int index) const override;

protected:
    [[nodiscard]] int StripEndReserve() const override;
    void Paint() override;
    void Loaded() override;
    void LayoutChanged() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void WndProc(platform::forms::TMessage& message) override;
    void WMSize(platform::forms::TMessage& message) override;
    void WMEraseBkgnd(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;
    void MouseMove(platform::forms::TShiftState shift, int x, int y) override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;

private:
    // Null while the core itself is being made (it sets the control's font and item size).
    std::unique_ptr<TbsSkinTabsCore> m_core;
};

class TbsSkinPageControl : public TbsSkinTabsControl<platform::forms::TPageControl> {
public:
    using TbsSkinTabsControl::TbsSkinTabsControl;
};

class TbsSkinTabControl : public TbsSkinTabsControl<platform::forms::TTabControl> {
public:
    using TbsSkinTabsControl::TbsSkinTabsControl;
};

extern template class TbsSkinTabsControl<platform::forms::TPageControl>;
extern template class TbsSkinTabsControl<platform::forms::TTabControl>;

// Makes the two controls known to form resources (called with the other box controls).
void RegisterSkinTabClasses();

}  // namespace skin
