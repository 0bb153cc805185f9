#include "app/SkinCatalog.h"

#include <algorithm>
#include <set>

#include "platform/core/Files.h"

namespace app {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::vector<TSkinChoice> FindSkins(const std::vector<std::string>& skinFolders) {
    namespace core = platform::core;
    std::vector<TSkinChoice> skins;
    std::set<std::string> names;
    for (const std::string& folder : skinFolders) {
        const std::string base = core::IncludeTrailingPathDelimiter(folder);
        std::vector<TSkinChoice> found;
        for (const std::string& name : core::ListSubfolders(base)) {
            if (name.empty() || name[0] == '.') continue;
            const std::string description = base + name + "/" + kSkinDescriptionName;
            if (core::EntryKind(description) == core::TEntryKind::File)
                found.push_back({name, description, false});
        }
        for (const std::string& name : core::ListFiles(base)) {
            if (name[0] == '.' || !EndsWith(name, kCompressedSkinExtension)) continue;
            found.push_back({name.substr(0, name.size() - std::string(kCompressedSkinExtension).size()),
                             base + name, true});
        }
        std::sort(found.begin(), found.end(),
                  [](const TSkinChoice& a, const TSkinChoice& b) { return a.Name < b.Name; });
        for (TSkinChoice& skin : found)
            if (names.insert(skin.Name).second) skins.push_back(std::move(skin));
    }
    return skins;
}

}  // namespace app
