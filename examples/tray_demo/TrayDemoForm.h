#pragma once
// The tray demo's window: a skinned frame with object hints on its caption buttons, two skinned
// buttons and a label with hints, and a tray icon that cycles through three pictures, opens a
// skinned menu (its default item, run by a double click, brings the window back) and takes the
// window when it is minimised to the tray.

#include <string>

#include "platform/forms/Form.h"
#include "platform/forms/ImageListComponent.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsTrayIcon.h"
#include "skin/data/bsSkinData.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

namespace example {

class TTrayDemoForm : public platform::forms::TForm {
public:
    // skinPath: the skin description; without it the built-in look is used.
    TTrayDemoForm(platform::forms::TComponent* owner, const std::string& skinPath);

    skin::TbsSkinData* SkinData = nullptr;
    skin::TbsSkinForm* SkinForm = nullptr;
    skin::TbsSkinHint* Hint = nullptr;
    skin::TbsTrayIcon* TrayIcon = nullptr;
    skin::TbsSkinPopupMenu* TrayMenu = nullptr;
    skin::TbsSkinStdLabel* lblStatus = nullptr;

private:
    void MakeSkin(const std::string& skinPath);
    void MakeControls();
    void MakeTrayIcon();
    void Status(const std::string& text);

    platform::forms::TImageListComponent* m_icons = nullptr;
    int m_clicks = 0;
};

}  // namespace example
