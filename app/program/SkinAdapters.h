#pragma once
// The browser's view of the skinned choosers, the page up-down, the message box and the window
// itself.

#include <string>
#include <vector>

#include "app/BrowserControls.h"
#include "app/program/ControlAdapters.h"
#include "platform/forms/Form.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"
#include "skin/form/bsMessages.h"

namespace app::program {

class TComboBoxAdapter : public IBrowserComboBox, public TAttachedAdapter<skin::TbsSkinComboBox> {
public:
    void SetItems(const platform::core::TStringList& items) override;
    [[nodiscard]] int ItemIndex() const override;
    void SetItemIndex(int index) override;
    [[nodiscard]] std::vector<TAdapterEvent> Events() {
        return {{"Change", &OnChange}, {"CloseUp", &OnCloseUp}, {"Exit", &OnExit}};
    }
};

class TUpDownAdapter : public IBrowserUpDown, public TAttachedAdapter<skin::TbsSkinUpDown> {
public:
    void SetMin(int value) override { Component().SetMin(value); }
    void SetMax(int value) override { Component().SetMax(value); }
    void SetIncrement(int value) override { Component().SetIncrement(value); }
    void SetPosition(int value) override { Component().SetPosition(value); }
    void SetVisible(bool visible) override { Component().SetVisible(visible); }
    [[nodiscard]] std::vector<TAdapterEvent> Events() {
        return {{"UpButtonClick", &OnUpButtonClick}, {"DownButtonClick", &OnDownButtonClick}};
    }
};

// Every text goes through the skinned message box: the custom kind (no icon, the application's
// title as caption) with one OK button. With a log file each text is also appended there before
// it shows (line breaks as new lines, then a line "--").
class TMessageBoxAdapter : public IMessageBox {
public:
    TMessageBoxAdapter(skin::TbsSkinMessage& message, std::string logPath)
        : m_message(message), m_logPath(std::move(logPath)) {}
    void ShowText(const std::string& text) override;

private:
    skin::TbsSkinMessage& m_message;
    std::string m_logPath;
};

class TWindowAdapter : public IBrowserWindow {
public:
    explicit TWindowAdapter(platform::forms::TForm& form) : m_form(form) {}
    [[nodiscard]] std::string ApplicationTitle() const override;
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(const std::string& caption) override { m_form.SetCaption(caption); }
    void Close() override { m_form.Close(); }

private:
    platform::forms::TForm& m_form;
};

}  // namespace app::program
