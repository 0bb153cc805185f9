#include "app/program/SkinAdapters.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/forms/Application.h"

namespace app::program {

void TComboBoxAdapter::SetItems(const platform::core::TStringList& items) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(items.Count()));
    for (int i = 0; i < items.Count(); ++i) texts.push_back(items[i]);
    Component().SetItems(texts);
}

int TComboBoxAdapter::ItemIndex() const {
    return Component().ItemIndex();
}

void TComboBoxAdapter::SetItemIndex(int index) {
    Component().SetItemIndex(index);
}

void TMessageBoxAdapter::ShowText(const std::string& text) {
    if (!m_logPath.empty()) {
        std::string entry = text;
        std::replace(entry.begin(), entry.end(), '\r', '\n');
        if (std::FILE* log = std::fopen(m_logPath.c_str(), "a")) {
            std::fprintf(log, "%s\n--\n", entry.c_str());
            std::fclose(log);
        }
    }
    m_message.ShowMessageBox(text, skin::mtCustom, {skin::mbOK}, 0);
}

std::string TWindowAdapter::ApplicationTitle() const {
    return platform::forms::Application ? platform::forms::Application->Title() : std::string();
}

void TWindowAdapter::SetApplicationTitle(const std::string& title) {
    if (platform::forms::Application) platform::forms::Application->SetTitle(title);
}

}  // namespace app::program
