#include "ExplorerWindow.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/forms/Splitter.h"
#include "platform/gfx/Canvas.h"

namespace example {

using namespace platform::forms;
namespace fs = std::filesystem;
namespace core = platform::core;

namespace {

// A plain container; it lays out its aligned children (a view and its skin bars) by itself.
class TPane : public TCustomControl {
public:
    explicit TPane(TComponent* owner) : TCustomControl(owner) { m_controlStyle |= csAcceptsControls | csOpaque; }

protected:
    void Paint() override {
        Canvas().Brush = platform::gfx::TBrush{Color(), platform::gfx::TBrushStyle::bsSolid};
        Canvas().FillRect(ClientRect());
    }
};

skin::TbsSkinScrollBar* MakeBar(TComponent* owner, TWinControl* parent, skin::TbsSkinData* data, bool vertical) {
    auto* bar = new skin::TbsSkinScrollBar(owner);
    bar->SetKind(vertical ? skin::sbVertical : skin::sbHorizontal);
    bar->SetSkinDataName(vertical ? "vscrollbar" : "hscrollbar");
    bar->SetBounds(0, 0, 19, 19);
    bar->SetAlign(vertical ? alRight : alBottom);
    bar->SetVisible(false);
    bar->SetParent(parent);
    bar->SetSkinData(data);
    return bar;
}

std::string KindOf(const fs::path& p) {
    std::string ext = p.extension().string();
    if (ext.empty()) return "File";
    return core::UpperCase(ext.substr(1)) + " file";
}

// Folders first, then by name without regard to case.
std::vector<fs::directory_entry> ReadFolder(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.empty() && name[0] != '.') entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const fs::directory_entry& a, const fs::directory_entry& b) {
        std::error_code e1, e2;
        const bool da = a.is_directory(e1), db = b.is_directory(e2);
        if (da != db) return da;
        return core::CompareText(a.path().filename().string(), b.path().filename().string()) < 0;
    });
    return entries;
}

bool HasSubfolders(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code e;
        if (it->is_directory(e) && it->path().filename().string()[0] != '.') return true;
    }
    return false;
}

}  // namespace

TExplorerWindow::TExplorerWindow(TComponent* owner, skin::TbsSkinData* skinData, fs::path root)
    : TForm(owner), m_root(std::move(root)) {
    SetCaption("Explorer - " + m_root.filename().string());
    SetBounds(40, 40, 760, 520);
    auto* skinForm = new skin::TbsSkinForm(this);
    skinForm->SetSkinData(skinData);
    BuildBar(skinData);
    BuildPanes(skinData);
    Tree->Items().BeginUpdate();
    AddFolderNode(nullptr, m_root);
    Tree->Items().EndUpdate();
    TTreeNode* first = Tree->Items().GetFirstNode();
    first->Expand(false);
    Tree->SetSelected(first);
}

void TExplorerWindow::BuildBar(skin::TbsSkinData* skinData) {
    Bar = new skin::TbsSkinControlBar(this);
    Bar->SetAlign(alTop);
    Bar->SetBounds(0, 0, 700, 30);
    Bar->SetRowSize(30);
    Bar->SetAutoSize(true);
    Bar->SetParent(this);
    Bar->SetSkinData(skinData);
    auto* up = new skin::TbsSkinButton(this);
    up->SetCaption("Up");
    up->SetSkinDataName("resizebutton");
    up->SetBounds(11, 3, 70, 24);
    up->SetParent(Bar);
    up->SetSkinData(skinData);
    up->OnClick = [this](TComponent*) {
        if (TTreeNode* node = Tree->Selected(); node && node->Parent()) Tree->SetSelected(node->Parent());
    };
    PathLabel = new skin::TbsSkinStdLabel(this);
    PathLabel->SetAutoSize(false);
    PathLabel->SetLayout(tlCenter);
    PathLabel->SetBounds(120, 3, 420, 24);
    PathLabel->SetParent(Bar);
    PathLabel->SetSkinData(skinData);
}

void TExplorerWindow::BuildPanes(skin::TbsSkinData* skinData) {
    m_left = new TPane(this);
    m_left->SetAlign(alLeft);
    m_left->SetBounds(0, 30, 230, 400);
    m_left->SetParent(this);
    Tree = new skin::TbsSkinTreeView(this);
    Tree->SetAlign(alClient);
    Tree->SetHideSelection(false);
    Tree->SetParent(m_left);
    Tree->SetVScrollBar(MakeBar(this, m_left, skinData, true));
    Tree->SetHScrollBar(MakeBar(this, m_left, skinData, false));
    Tree->SetSkinData(skinData);
    Tree->OnExpanding = [this](TComponent*, TTreeNode* node, bool&) { FillChildren(node); };
    Tree->OnChange = [this](TComponent*, TTreeNode* node) { ShowFolder(node); };
    // F2 or a slow second click renames a folder; the root keeps its name.
    Tree->OnEditing = [](TComponent*, TTreeNode* node, bool& allow) { allow = node->Parent() != nullptr; };
    Tree->OnEdited = [this](TComponent*, TTreeNode* node, std::string& name) { RenameFolder(node, name); };

    Splitter = new skin::TbsSkinSplitter(this);
    Splitter->SetAlign(alLeft);
    Splitter->SetBounds(230, 30, 6, 400);
    Splitter->SetResizeStyle(rsUpdate);
    Splitter->SetMinSize(80);
    Splitter->SetParent(this);
    Splitter->SetSkinData(skinData);

    m_right = new TPane(this);
    m_right->SetAlign(alClient);
    m_right->SetParent(this);
    // The preview under the list, each in a pane of its own with its skin bars.
    m_preview = new TPane(this);
    m_preview->SetAlign(alBottom);
    m_preview->SetBounds(0, 0, 400, 130);
    m_preview->SetParent(m_right);
    // A strip of the face colour parts the preview from the list.
    auto* gap = new TPane(this);
    gap->SetAlign(alTop);
    gap->SetBounds(0, 0, 400, 5);
    gap->SetColor(platform::gfx::clBtnFace);
    gap->SetParent(m_preview);
    Preview = new skin::TbsSkinRichEdit(this);
    Preview->SetAlign(alClient);
    Preview->SetReadOnly(true);
    Preview->SetParent(m_preview);
    Preview->SetVScrollBar(MakeBar(this, m_preview, skinData, true));
    Preview->SetSkinData(skinData);
    m_list = new TPane(this);
    m_list->SetAlign(alClient);
    m_list->SetParent(m_right);
    Files = new skin::TbsSkinListView(this);
    Files->SetAlign(alClient);
    Files->SetViewStyle(vsReport);
    Files->SetRowSelect(true);
    Files->SetMultiSelect(true);
    Files->SetHideSelection(false);
    Files->Columns().Add("Name", 240);
    Files->Columns().Add("Size", 90, taRightJustify);
    Files->Columns().Add("Kind", 120);
    Files->SetParent(m_list);
    Files->SetVScrollBar(MakeBar(this, m_list, skinData, true));
    Files->SetHScrollBar(MakeBar(this, m_list, skinData, false));
    Files->SetSkinData(skinData);
    Files->OnSelectItem = [this](TComponent*, TListItem* item, bool selected) {
        if (selected) ShowFile(item);
    };
    Files->OnColumnClick = [this](TComponent*, int column) {
        SortDescending = column == SortColumn ? !SortDescending : false;
        SortColumn = column;
        SortFiles();
    };
    Files->OnCompare = [this](TComponent*, TListItem* a, TListItem* b, int, int& compare) {
        // Folders stay before files in either direction.
        const bool folderA = a->ColumnText(2) == "Folder", folderB = b->ColumnText(2) == "Folder";
        if (folderA != folderB) {
            compare = folderA ? -1 : 1;
            return;
        }
        if (SortColumn == 1) {
            const long long x = std::stoll("0" + a->ColumnText(1)), y = std::stoll("0" + b->ColumnText(1));
            compare = x < y ? -1 : x > y ? 1 : 0;
        } else {
            compare = core::CompareText(a->ColumnText(SortColumn), b->ColumnText(SortColumn));
        }
        if (SortDescending) compare = -compare;
    };
}

fs::path TExplorerWindow::NodePath(TTreeNode* node) const {
    return node && node->Data ? *static_cast<fs::path*>(node->Data) : fs::path();
}

void TExplorerWindow::AddFolderNode(TTreeNode* parent, const fs::path& path) {
    TTreeNode* node = Tree->Items().AddChild(parent, path.filename().string());
    m_paths.push_back(path);
    node->Data = &m_paths.back();
    node->SetHasChildren(HasSubfolders(path));
}

void TExplorerWindow::FillChildren(TTreeNode* node) {
    if (node->Count() > 0) return;
    Tree->Items().BeginUpdate();
    for (const auto& entry : ReadFolder(NodePath(node))) {
        std::error_code ec;
        if (entry.is_directory(ec)) AddFolderNode(node, entry.path());
    }
    Tree->Items().EndUpdate();
}

void TExplorerWindow::ShowFolder(TTreeNode* node) {
    const fs::path folder = NodePath(node);
    PathLabel->SetCaption(folder.string());
    Files->Items().BeginUpdate();
    Files->Items().Clear();
    for (const auto& entry : ReadFolder(folder)) {
        std::error_code ec;
        TListItem* item = Files->Items().Add();
        item->SetCaption(entry.path().filename().string());
        if (entry.is_directory(ec))
            item->SetSubItems({"", "Folder"});
        else
            item->SetSubItems({std::to_string(entry.file_size(ec)), KindOf(entry.path())});
    }
    Files->Items().EndUpdate();
    SortFiles();
}

void TExplorerWindow::SortFiles() { Files->AlphaSort(); }

void TExplorerWindow::ShowFile(const TListItem* item) {
    constexpr std::uintmax_t kLargest = 4u << 20;
    const fs::path path = NodePath(Tree->Selected()) / item->Caption();
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        Preview->SetText("");
        return;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kLargest) {
        Preview->SetText(ec ? "(cannot be read)" : "(too large to show)");
        return;
    }
    std::string head(static_cast<std::size_t>(std::min<std::uintmax_t>(size, 4096)), '\0');
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        head.resize(std::fread(head.data(), 1, head.size(), f));
        std::fclose(f);
    }
    // A NUL near the start marks a binary file: its bytes would show as noise.
    if (head.find('\0') != std::string::npos) {
        Preview->SetText("(binary file)");
        return;
    }
    if (!Preview->Lines().LoadFromFile(path.string())) Preview->SetText("(cannot be read)");
}

void TExplorerWindow::RenameFolder(TTreeNode* node, std::string& name) {
    const fs::path from = NodePath(node);
    const bool plain = !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
    const fs::path to = from.parent_path() / name;
    std::error_code ec;
    // A name that is no plain file name, or one already taken, leaves the folder as it was.
    if (!plain || from.empty() || fs::exists(to, ec)) {
        name = node->Text();
        return;
    }
    fs::rename(from, to, ec);
    if (ec) {
        name = node->Text();
        return;
    }
    // The node and every node below it stand for paths under the new name now.
    *static_cast<fs::path*>(node->Data) = to;
    for (TTreeNode* n = node->GetNext(); n && n->HasAsParent(node); n = n->GetNext())
        if (n->Data) *static_cast<fs::path*>(n->Data) = to / static_cast<fs::path*>(n->Data)->lexically_relative(from);
    if (Tree->Selected() == node || (Tree->Selected() && Tree->Selected()->HasAsParent(node))) ShowFolder(Tree->Selected());
}

}  // namespace example
