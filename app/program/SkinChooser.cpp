#include "app/program/SkinChooser.h"

#include "app/BrowserTexts.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"

namespace app::program {

namespace forms = platform::forms;

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A name shown as it is: "&" would mark an accelerator.
std::string MenuText(const std::string& name) {
    std::string text;
    for (const char c : name) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

}  // namespace

bool ReadChosenSkin(const std::string& path, skin::TbsSkinSource& skin, std::string& error) {
    error.clear();
    if (EndsWith(path, kCompressedSkinExtension)) {
        std::vector<uint8_t> compressed;
        if (!skin::ReadCompressedSkinFile(path, compressed, &error) ||
            !skin::DecompressSkin(compressed.data(), compressed.size(), skin, &error)) {
            if (error.empty()) error = "not a compressed skin file";
            return false;
        }
    } else if (!skin::LoadSkinFolder(path, skin, &error)) {
        if (error.empty()) error = "cannot read the skin folder";
        return false;
    }
    const std::vector<std::string> missing = skin::MissingSkinSections(skin.Lines);
    if (!missing.empty()) {
        error = "the description has no section [" + missing.front() + "]";
        return false;
    }
    return true;
}

TSkinChooser::TSkinChooser(forms::TComponent& owner, skin::TbsSkinData& data, skin::TbsStoredSkin* builtIn,
                           std::function<void(const std::string&)> showText)
    : m_data(data),
      m_builtIn(builtIn),
      m_chosen(new skin::TbsStoredSkin(&owner)),
      m_showText(std::move(showText)),
      m_menu(new forms::TPopupMenu(&owner)),
      m_skinsItem(new forms::TMenuItem(m_menu)) {
    m_menu->SetName("pmSystem");
    m_skinsItem->SetName("miSkins");
    m_skinsItem->SetCaption("&Skins");
    m_menu->Items()->Add(m_skinsItem);
}

void TSkinChooser::Refresh(const std::vector<std::string>& skinFolders) {
    m_skinsItem->Clear();
    m_paths.clear();
    auto add = [this](const std::string& caption, const std::string& path) {
        auto* item = new forms::TMenuItem(m_menu);
        item->SetCaption(caption);
        item->SetRadioItem(true);
        m_paths.push_back(path);
        item->OnClick = [this, path](forms::TComponent*) {
            if (Choose(path) && OnChosen) OnChosen(path);
        };
        m_skinsItem->Add(item);
    };
    add("Built-in / Eingebaut", "");
    for (const TSkinChoice& choice : FindSkins(skinFolders)) add(MenuText(choice.Name), choice.Path);
    MarkCurrent();
}

bool TSkinChooser::Choose(const std::string& path, bool quiet) {
    if (path.empty()) {
        if (m_builtIn == nullptr) return false;
        m_data.LoadFromStoredSkin(m_builtIn);
    } else {
        skin::TbsSkinSource source;
        std::string error;
        if (!ReadChosenSkin(path, source, error)) {
            if (!quiet && m_showText) m_showText(texts::SkinUnusable(path, error));
            return false;
        }
        m_chosen->Assign(source);
        m_data.LoadFromStoredSkin(m_chosen);
    }
    m_current = path;
    MarkCurrent();
    return true;
}

void TSkinChooser::MarkCurrent() {
    for (int i = 0; i < m_skinsItem->Count(); ++i)
        m_skinsItem->Items(i)->SetChecked(m_paths[static_cast<std::size_t>(i)] == m_current);
}

}  // namespace app::program
