#pragma once
// The window of examples/tabs_demo (also driven by the end-to-end test of the tabs): a skinned
// page control with tabs on top, more than fit, and a skinned tab control with tabs on the left,
// both with pictures on their tabs, read from the embedded resource tabs_demo.vkf.

#include <string>

#include "platform/forms/Form.h"
#include "platform/forms/StdCtrls.h"
#include "skin/boxes/bsSkinTabs.h"
#include "skin/data/bsSkinData.h"

namespace tabsdemo {

class TTabsDemoForm : public platform::forms::TForm {
public:
    explicit TTabsDemoForm(platform::forms::TComponent* owner);
    [[nodiscard]] std::string ClassName() const override { return "TForm"; }

    // Reads the skin description (a skin folder's ini file) into a stored skin and skin data
    // owned by the form, and dresses the controls with it; false (and the plain look) when the
    // skin cannot be read.
    bool LoadSkin(const std::string& skinIni, std::string* error);
    // Pictures on the tabs and the colour swatch; called once the form is read.
    void Dress(skin::TbsSkinData* data);
    // The status line and the swatch follow the selected page and colour.
    void ShowState();

    // The sheet colour of page i, as the form resource gives it.
    [[nodiscard]] platform::gfx::TColor PageColor(int index) const;

    skin::TbsSkinPageControl* pcPages = nullptr;
    skin::TbsSkinTabControl* tcColours = nullptr;
    platform::forms::TLabel* lblStatus = nullptr;
    platform::forms::TLabel* lblColour = nullptr;
};

// Registers the classes the resource names (skinned box controls, labels).
void RegisterDemoClasses();

}  // namespace tabsdemo
