#pragma once
// Skins to choose: the "Skins" entry that the window's system menu gains, with the built-in skin
// first and then every skin found in the skin folders. Choosing one loads it into the window's
// skin data, whose change broadcast re-skins the frame and every bound control; a skin that
// cannot be read or lacks what every skin has is refused with a message and changes nothing.

#include <functional>
#include <string>
#include <vector>

#include "app/SkinCatalog.h"
#include "platform/forms/Menus.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/data/bsSkinFile.h"

namespace app::program {

// Reads the skin at path (a description file in a skin folder, or a compressed skin file) and
// checks that it is complete. False with the reason in error.
bool ReadChosenSkin(const std::string& path, skin::TbsSkinSource& skin, std::string& error);

class TSkinChooser {
public:
    // owner owns the menu and the store of the chosen skin; builtIn is the skin the window was
    // made with; showText shows a message to the player.
    TSkinChooser(platform::forms::TComponent& owner, skin::TbsSkinData& data, skin::TbsStoredSkin* builtIn,
                 std::function<void(const std::string&)> showText);

    // The popup menu to give the skin form as its system menu: its own item is "&Skins".
    [[nodiscard]] platform::forms::TPopupMenu* Menu() const { return m_menu; }
    [[nodiscard]] platform::forms::TMenuItem* SkinsItem() const { return m_skinsItem; }

    // Lists the skins of these folders again under "&Skins".
    void Refresh(const std::vector<std::string>& skinFolders);

    // Applies the skin at path ("" is the built-in one). A skin that cannot be used leaves
    // everything as it was, and the message says why unless quiet. True when applied.
    bool Choose(const std::string& path, bool quiet = false);
    // The path of the skin applied last ("" for the built-in one).
    [[nodiscard]] const std::string& Current() const { return m_current; }

    // Fired with the path after a choice was applied from the menu.
    std::function<void(const std::string&)> OnChosen;

private:
    void MarkCurrent();

    skin::TbsSkinData& m_data;
    skin::TbsStoredSkin* m_builtIn;
    skin::TbsStoredSkin* m_chosen;
    std::function<void(const std::string&)> m_showText;
    platform::forms::TPopupMenu* m_menu;
    platform::forms::TMenuItem* m_skinsItem;
    std::vector<std::string> m_paths;  // the path of each sub-item of "&Skins"
    std::string m_current;
};

}  // namespace app::program
