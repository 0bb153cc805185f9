#pragma once
// TbsSkinMessage: a non-visual component that shows a modal message box drawn by the skin: a
// small dialog form with the skin's frame, a standard icon, a skinned label with the message and
// a row of skinned buttons. TbsMessageForm is that dialog.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/forms/Component.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Form.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/data/bsSkinData.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsconst.h"

namespace skin {

// A set of dialog buttons.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (TMsgDlgBtn b : buttons) m_bits |= Bit(b);
    }
    [[nodiscard]] constexpr bool Contains(TMsgDlgBtn b) const { return (m_bits & Bit(b)) != 0; }
    [[nodiscard]] int Count() const;
    [[nodiscard]] constexpr bool Empty() const { return m_bits == 0; }

private:
    static constexpr uint32_t Bit(TMsgDlgBtn b) { return 1u << static_cast<unsigned>(b); }
    uint32_t m_bits = 0;
};

// The dialog: centred on the screen, dialog border, key preview on, with a skin form whose border
// icons are empty.
class TbsMessageForm : public platform::forms::TForm {
public:
    explicit TbsMessageForm(platform::forms::TComponent* owner);

    [[nodiscard]] TbsSkinForm* SkinForm() const { return m_skinForm; }
    [[nodiscard]] TbsSkinStdLabel* MessageLabel() const { return m_messageLabel; }
    void SetMessageLabel(TbsSkinStdLabel* label) { m_messageLabel = label; }
    [[nodiscard]] platform::forms::TImage* IconImage() const { return m_iconImage; }
    void SetIconImage(platform::forms::TImage* image) { m_iconImage = image; }

private:
    TbsSkinForm* m_skinForm;
    TbsSkinStdLabel* m_messageLabel = nullptr;
    platform::forms::TImage* m_iconImage = nullptr;
};

class TbsSkinMessage : public platform::forms::TComponent {
public:
    explicit TbsSkinMessage(platform::forms::TComponent* owner = nullptr);
    ~TbsSkinMessage() override;

    // ---- Published ----
    [[nodiscard]] bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool value) { m_alphaBlend = value; }
    [[nodiscard]] bool AlphaBlendAnimation() const { return m_alphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool value) { m_alphaBlendAnimation = value; }
    [[nodiscard]] uint8_t AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(uint8_t value) { m_alphaBlendValue = value; }
    // Skin of the dialog's frame; cleared when that component goes.
    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    // Skin of the label and the buttons; cleared when that component goes.
    [[nodiscard]] TbsSkinData* CtrlSkinData() const { return m_ctrlSkinData; }
    void SetCtrlSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& ButtonSkinDataName() const { return m_buttonSkinDataName; }
    void SetButtonSkinDataName(const std::string& value) { m_buttonSkinDataName = value; }
    [[nodiscard]] const std::string& MessageLabelSkinDataName() const { return m_messageLabelSkinDataName; }
    void SetMessageLabelSkinDataName(const std::string& value) { m_messageLabelSkinDataName = value; }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value) { m_defaultFont = value; }
    [[nodiscard]] platform::gfx::TFont& DefaultButtonFont() { return m_defaultButtonFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultButtonFont() const { return m_defaultButtonFont; }
    void SetDefaultButtonFont(const platform::gfx::TFont& value) { m_defaultButtonFont = value; }
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value) { m_useSkinFont = value; }

    // Builds the dialog, shows it modally and returns its modal result; the dialog is freed
    // afterwards, also when showing fails. The help context is not passed to the dialog.
    int ShowMessageBox(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
    // The dialog as ShowMessageBox shows it, not yet shown.
    [[nodiscard]] std::unique_ptr<TbsMessageForm> CreateMessageForm(const std::string& message,
                                                                    TMsgDlgType type,
                                                                    TMsgDlgButtons buttons) const;

    static constexpr int kButtonWidth = 60;
    static constexpr int kButtonSpacing = 10;
    static constexpr int kDefaultButtonHeight = 25;

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    [[nodiscard]] int ButtonHeight() const;

    bool m_alphaBlend = false;
    bool m_alphaBlendAnimation = false;
    uint8_t m_alphaBlendValue = 200;
    TbsSkinData* m_skinData = nullptr;
    TbsSkinData* m_ctrlSkinData = nullptr;
    std::string m_buttonSkinDataName = "button";
    std::string m_messageLabelSkinDataName = "stdlabel";
    platform::gfx::TFont m_defaultFont;
    platform::gfx::TFont m_defaultButtonFont;
    bool m_useSkinFont = true;
};

// The modal result and component name of each dialog button.
[[nodiscard]] int MsgDlgModalResult(TMsgDlgBtn button);
[[nodiscard]] const char* MsgDlgButtonName(TMsgDlgBtn button);

}  // namespace skin
