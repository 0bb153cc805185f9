#pragma once
// Skinned labels built on the platform label, which keeps layout, alignment, word wrap and
// auto-size; they take only their font and colours from a standard-label record.
//
// TbsSkinStdLabel draws its caption in the record's font and colour (embossed when disabled).
// TbsSkinLinkLabel looks like a hyperlink and opens its URL with the desktop's opener when
// clicked.

#include <memory>
#include <string>

#include "platform/forms/StdCtrls.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinCtrlsLabelSkin.h"

namespace skin {

class TbsSkinStdLabel : public platform::forms::TCustomLabel {
public:
    explicit TbsSkinStdLabel(platform::forms::TComponent* owner);
    ~TbsSkinStdLabel() override;

    // Published. Not owned; cleared when the skin data goes away. Setting it refreshes.
    [[nodiscard]] TbsSkinData* SkinData() const { return m_skin.SkinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skin.SkinDataName; }
    void SetSkinDataName(const std::string& value) { m_skin.SkinDataName = value; }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return *m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return *m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value) { *m_defaultFont = value; }
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);

    [[nodiscard]] int RecordIndex() const { return m_skin.RecordIndex; }
    [[nodiscard]] const TbsStdLabelValues& SkinValues() const { return m_skin.Values; }
    // Looks the record up, copies its values when its class fits, repaints.
    virtual void RefreshSkin();

protected:
    void DoDrawText(TRect& rect, uint32_t flags) override;
    // Takes the record's values once the whole form is read, before the label sizes itself.
    void Loaded() override;
    // The canvas font of the text drawing step.
    virtual void SelectTextFont(platform::gfx::TFont& out) const;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

    TbsLabelSkinBinding m_skin{"stdlabel"};
    std::unique_ptr<platform::gfx::TFont> m_defaultFont;
    bool m_useSkinFont = true;
};

class TbsSkinLinkLabel : public TbsSkinStdLabel {
public:
    explicit TbsSkinLinkLabel(platform::forms::TComponent* owner);

    [[nodiscard]] const std::string& URL() const { return m_url; }
    void SetURL(const std::string& value) { m_url = value; }
    // The text colour while hovered without a record.
    [[nodiscard]] TColor DefaultActiveFontColor() const { return m_defaultActiveFontColor; }
    void SetDefaultActiveFontColor(TColor value);
    [[nodiscard]] bool Hovered() const { return m_hovered; }

    // OnClick first, then the URL is opened.
    void Click() override;

protected:
    void SelectTextFont(platform::gfx::TFont& out) const override;
    void CMMouseEnter(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;

private:
    std::string m_url;
    TColor m_defaultActiveFontColor = platform::gfx::clBlue;
    bool m_hovered = false;
};

}  // namespace skin
