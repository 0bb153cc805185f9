#pragma once
// The package catalogue: every complete package in the sub-folders of one base folder, sorted by
// name. It owns its packages; destroying it lets each package write its own settings file.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Package.h"
#include "platform/core/StringList.h"

namespace app {

// Shows a message to the user and returns when it was read.
using TShowTextProc = std::function<void(const std::string& text)>;

// Locale-aware, case-insensitive order of the package names (negative, zero or positive).
[[nodiscard]] int ComparePackageNames(const TPackage& a, const TPackage& b);

class TPackageList {
public:
    // Scans baseFolder (normally the executable's folder), then each of moreFolders, and loads
    // their packages; problems are reported through showText, which may be empty.
    TPackageList(std::string baseFolder, TShowTextProc showText, std::vector<std::string> moreFolders = {});
    // Destroys the packages in index order, so each writes its file in that order.
    ~TPackageList();
    TPackageList(const TPackageList&) = delete;
    TPackageList& operator=(const TPackageList&) = delete;

    [[nodiscard]] int Count() const { return static_cast<int>(m_items.size()); }
    // The package at an index, or nullptr when the index is outside the list.
    [[nodiscard]] TPackage* Items(int index) const;

    // Candidate folders, base folder + name, in the order the file system gave them.
    void ScanFolders();
    // Builds a package for each candidate folder, reports and drops the broken ones, sorts.
    void LoadPackages();

    platform::core::TStringList FolderList;

private:
    void ShowText(const std::string& text) const;

    std::string m_baseFolder;
    std::vector<std::string> m_moreFolders;
    TShowTextProc m_showText;
    std::vector<std::unique_ptr<TPackage>> m_items;
};

}  // namespace app
