#pragma once
// The explorer example's window: a control bar with two bands on top, a tree of folders on the
// left with its skin scroll bar, a splitter, and a report list of the chosen folder's files
// (name, size, kind) with its skin scroll bars; a click on a column title sorts by that column,
// a second click reverses the order (folders stay first). Folders are read when they are first opened.
// F2 or a slow second click on a folder in the tree renames it on disk. Under the list a read-only
// rich edit shows the chosen file's text (rich text for RTF files).

#include <deque>
#include <filesystem>
#include <string>

#include "platform/forms/Form.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsControlBar.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsListView.h"
#include "skin/controls/bsSkinCtrlsRichEdit.h"
#include "skin/controls/bsSkinCtrlsSplitter.h"
#include "skin/controls/bsSkinCtrlsTreeView.h"
#include "skin/form/bsSkinForm.h"

namespace example {

class TExplorerWindow : public platform::forms::TForm {
public:
    // skinData may be null (the plain look).
    TExplorerWindow(platform::forms::TComponent* owner, skin::TbsSkinData* skinData, std::filesystem::path root);

    skin::TbsSkinTreeView* Tree = nullptr;
    skin::TbsSkinListView* Files = nullptr;
    skin::TbsSkinRichEdit* Preview = nullptr;
    skin::TbsSkinSplitter* Splitter = nullptr;
    skin::TbsSkinControlBar* Bar = nullptr;
    skin::TbsSkinStdLabel* PathLabel = nullptr;
    int SortColumn = 0;
    bool SortDescending = false;

    // The folder a tree node stands for.
    [[nodiscard]] std::filesystem::path NodePath(platform::forms::TTreeNode* node) const;
private:
    void BuildBar(skin::TbsSkinData* skinData);
    void BuildPanes(skin::TbsSkinData* skinData);
    void AddFolderNode(platform::forms::TTreeNode* parent, const std::filesystem::path& path);
    void FillChildren(platform::forms::TTreeNode* node);
    void ShowFolder(platform::forms::TTreeNode* node);
    // Shows the file of a list item in the preview; folders, large and binary files show a note.
    void ShowFile(const platform::forms::TListItem* item);
    void SortFiles();
    // Renames the node's folder to name; a name that cannot be used becomes the old one again.
    void RenameFolder(platform::forms::TTreeNode* node, std::string& name);

    std::filesystem::path m_root;
    std::deque<std::filesystem::path> m_paths;  // the nodes' folders (node Data points here)
    platform::forms::TCustomControl* m_left = nullptr;
    platform::forms::TCustomControl* m_right = nullptr;
    platform::forms::TCustomControl* m_list = nullptr;
    platform::forms::TCustomControl* m_preview = nullptr;
};

}  // namespace example
