#include "app/PackageList.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/BrowserTexts.h"
#include "app/SkinCatalog.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"

namespace app {

int ComparePackageNames(const TPackage& a, const TPackage& b) {
    return platform::core::CompareLocaleText(a.PackageName, b.PackageName);
}

TPackageList::TPackageList(std::string baseFolder, TShowTextProc showText, std::vector<std::string> moreFolders)
    : m_baseFolder(platform::core::IncludeTrailingPathDelimiter(baseFolder)),
      m_moreFolders(std::move(moreFolders)),
      m_showText(std::move(showText)) {
    ScanFolders();
    LoadPackages();
}

TPackageList::~TPackageList() {
    FolderList.Clear();
    for (auto& package : m_items) package.reset();
}

TPackage* TPackageList::Items(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

void TPackageList::ScanFolders() {
    // A folder reached twice (the same data folder named twice, or the program installed inside
    // one) is listed once.
    std::set<std::string> seen;
    for (std::size_t root = 0; root <= m_moreFolders.size(); ++root) {
        const std::string base =
            root == 0 ? m_baseFolder : platform::core::IncludeTrailingPathDelimiter(m_moreFolders[root - 1]);
        for (const std::string& name : platform::core::ListSubfolders(base)) {
            // The dot rule stands in for the hidden attribute that Linux does not have.
            if (name.empty() || name[0] == '.') continue;
            // The program's skins folder lies beside the packages and is none of them.
            if (root == 0 && name == kSkinFolderName &&
                platform::core::EntryKind(base + name + "/" + kPackageIniName) ==
                    platform::core::TEntryKind::None)
                continue;
            std::error_code ec;
            const std::string identity = std::filesystem::weakly_canonical(base + name, ec).string();
            if (!seen.insert(ec ? base + name : identity).second) continue;
            FolderList.Add(base + name);
        }
    }
}

void TPackageList::LoadPackages() {
    for (int i = 0; i < FolderList.Count(); ++i) {
        const std::string& folder = FolderList[i];
        const std::string iniPath = folder + "/" + kPackageIniName;
        // A folder of that name is not a file, as the system's existence test says.
        const platform::core::TEntryKind kind = platform::core::EntryKind(iniPath);
        if (kind == platform::core::TEntryKind::None || kind == platform::core::TEntryKind::Directory) {
            ShowText(texts::ConfigurationNotFound(iniPath));
            continue;
        }
        auto package = std::make_unique<TPackage>(folder);
        if (!package->Readable()) {
            ShowText(texts::ConfigurationUnreadable(iniPath));
            continue;
        }
        // What an earlier run that was killed while writing left behind.
        platform::core::RemoveStaleTemporaries(iniPath);
        if (!package->IsComplete()) {
            ShowText(texts::PackageIncomplete(folder));
            continue;  // dirty flags are still false: the file stays untouched
        }
        m_items.push_back(std::move(package));
    }
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const std::unique_ptr<TPackage>& a, const std::unique_ptr<TPackage>& b) {
                         return ComparePackageNames(*a, *b) < 0;
                     });
}

void TPackageList::ShowText(const std::string& text) const {
    if (m_showText) m_showText(text);
}

}  // namespace app
