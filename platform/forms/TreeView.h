#pragma once
// The framework's tree view: a windowed control that shows a hierarchy of TTreeNode items with
// expand buttons, lines, images and state images, one selected node, keyboard navigation,
// incremental search and label editing (TreeViewEdit.cpp). It keeps a scroll range and
// position for each direction and answers WM_VSCROLL / WM_HSCROLL requests but draws no scroll
// bars, so a wrapper that reads ScrollRange can show whichever bars it likes.
//
// Rows are laid out lazily: the list of visible rows is rebuilt only when the tree's shape has
// changed and something asks for it, and painting touches only the rows in the window, so a tree
// of a hundred thousand nodes stays responsive.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/CustomControl.h"
#include "platform/forms/DragDrop.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/ListBox.h"

namespace platform::forms {

class TTreeView;
class TTreeNodes;
class TEdit;
class TClassRegistry;

class TTreeNode {
public:
    TTreeNode(TTreeNodes& owner, TTreeNode* parent);
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;
    ~TTreeNode();

    [[nodiscard]] TTreeNodes& Owner() const { return m_owner; }
    [[nodiscard]] TTreeView* TreeView() const;
    [[nodiscard]] const std::string& Text() const { return m_text; }
    void SetText(std::string value);
    [[nodiscard]] int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    // The image shown while the node is selected.
    [[nodiscard]] int SelectedIndex() const { return m_selectedIndex; }
    void SetSelectedIndex(int value);
    // The state image (a check box, say); -1 for none.
    [[nodiscard]] int StateIndex() const { return m_stateIndex; }
    void SetStateIndex(int value);
    void* Data = nullptr;

    // The parent; null for a top-level node.
    [[nodiscard]] TTreeNode* Parent() const;
    [[nodiscard]] int Level() const;
    // Position among its siblings.
    [[nodiscard]] int Index() const { return m_index; }
    [[nodiscard]] int Count() const { return static_cast<int>(m_children.size()); }
    [[nodiscard]] TTreeNode* Item(int index) const;
    // Children present, or promised by SetHasChildren (filled in OnExpanding, say).
    [[nodiscard]] bool HasChildren() const { return !m_children.empty() || m_hasChildren; }
    void SetHasChildren(bool value);

    [[nodiscard]] bool Expanded() const { return m_expanded; }
    // Goes through OnExpanding / OnCollapsing, which may refuse.
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    // Every ancestor is expanded.
    [[nodiscard]] bool IsVisible() const;
    // Expands every ancestor.
    void MakeVisible();

    [[nodiscard]] bool Selected() const;
    void SetSelected(bool value);
    [[nodiscard]] bool Focused() const;

    [[nodiscard]] TTreeNode* GetFirstChild() const { return m_children.empty() ? nullptr : m_children.front().get(); }
    [[nodiscard]] TTreeNode* GetLastChild() const { return m_children.empty() ? nullptr : m_children.back().get(); }
    [[nodiscard]] TTreeNode* GetNextSibling() const;
    [[nodiscard]] TTreeNode* GetPrevSibling() const;
    // Depth-first order over the whole tree.
    [[nodiscard]] TTreeNode* GetNext() const;
    [[nodiscard]] TTreeNode* GetPrev() const;
    // Next and previous row of the expanded tree.
    [[nodiscard]] TTreeNode* GetNextVisible() const;
    [[nodiscard]] TTreeNode* GetPrevVisible() const;
    [[nodiscard]] bool HasAsParent(const TTreeNode* node) const;
    // Position in the depth-first order of the whole tree.
    [[nodiscard]] int AbsoluteIndex() const;
    // The row's rectangle (or the label's with textOnly) in client coordinates; empty when the
    // node is not on an expanded path.
    [[nodiscard]] TRect DisplayRect(bool textOnly) const;

    void Delete();
    void DeleteChildren();

    // Label editing: starts an edit over this node's label (false when the view is read-only or
    // OnEditing refuses), and ends the edit of this node, keeping the typed text unless cancel.
    bool EditText();
    void EndEdit(bool cancel);

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeNode* InsertChild(int at, std::string text);
    void RemoveChild(int at);
    void Changed();

    TTreeNodes& m_owner;
    TTreeNode* m_parent;  // the hidden root for top-level nodes
    std::vector<std::unique_ptr<TTreeNode>> m_children;
    std::string m_text;
    int m_index = 0;
    int m_imageIndex = -1;
    int m_selectedIndex = -1;
    int m_stateIndex = -1;
    bool m_hasChildren = false;
    bool m_expanded = false;
    // Row in the view's visible rows, valid while m_rowGeneration matches the view's.
    int m_row = -1;
    uint32_t m_rowGeneration = 0;
    int m_textWidth = -1;  // cached label width, -1 when not measured
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView& view);
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;
    ~TTreeNodes();

    [[nodiscard]] TTreeView& Owner() const { return m_view; }
    // Every node of the tree.
    [[nodiscard]] int Count() const { return m_count; }
    // The node at a depth-first position; null outside 0..Count-1.
    [[nodiscard]] TTreeNode* Item(int index) const;
    [[nodiscard]] TTreeNode* GetFirstNode() const { return m_root->GetFirstChild(); }
    // Top-level nodes.
    [[nodiscard]] int RootCount() const { return m_root->Count(); }

    // A node after the last sibling of sibling (top level when sibling is null).
    TTreeNode* Add(TTreeNode* sibling, std::string text);
    TTreeNode* AddFirst(TTreeNode* sibling, std::string text);
    TTreeNode* AddChild(TTreeNode* parent, std::string text);
    TTreeNode* AddChildFirst(TTreeNode* parent, std::string text);
    // A node just before sibling (at the end of the top level when sibling is null).
    TTreeNode* Insert(TTreeNode* sibling, std::string text);
    void Delete(TTreeNode* node);
    void Clear();
    // While updating, the view neither repaints nor re-lays out.
    void BeginUpdate();
    void EndUpdate();
    [[nodiscard]] bool Updating() const { return m_updateCount > 0; }

    // The tree as text, one node a line, indented by one tab a level; a line may end with
    // "|image|selected|state" indexes. Reading replaces every node; lines with more tabs than
    // one level below the previous line are taken one level below it.
    [[nodiscard]] std::vector<std::string> SaveToLines() const;
    void LoadFromLines(const std::vector<std::string>& lines);

private:
    friend class TTreeNode;
    friend class TTreeView;
    TTreeNode* Root() const { return m_root.get(); }

    TTreeView& m_view;
    std::unique_ptr<TTreeNode> m_root;
    int m_count = 0;
    int m_updateCount = 0;
};

enum THitTestBit : uint16_t {
    htAbove = 0x1,
    htBelow = 0x2,
    htNowhere = 0x4,
    htOnItem = 0x8,  // on the icon, state icon or label
    htOnButton = 0x10,
    htOnIcon = 0x20,
    htOnIndent = 0x40,
    htOnLabel = 0x80,
    htOnRight = 0x100,
    htOnStateIcon = 0x200,
    htToLeft = 0x400,
    htToRight = 0x800,
};
using THitTests = uint16_t;

using TTVChangedEvent = std::function<void(TComponent* sender, TTreeNode* node)>;
using TTVChangingEvent = std::function<void(TComponent* sender, TTreeNode* node, bool& allowChange)>;
using TTVExpandingEvent = std::function<void(TComponent* sender, TTreeNode* node, bool& allow)>;
using TTVExpandedEvent = std::function<void(TComponent* sender, TTreeNode* node)>;
// Before a label edit starts; clearing allowEdit refuses it.
using TTVEditingEvent = std::function<void(TComponent* sender, TTreeNode* node, bool& allowEdit)>;
// An edit is being committed with text s, which the handler may change.
using TTVEditedEvent = std::function<void(TComponent* sender, TTreeNode* node, std::string& s)>;
// Before a row is drawn: draw it yourself on Canvas() and clear defaultDraw, or change the
// canvas's font and brush and leave it set.
using TTVCustomDrawItemEvent =
    std::function<void(TComponent* sender, TTreeNode* node, const TRect& rect, TOwnerDrawState state,
                       bool& defaultDraw)>;

class TTreeView : public TCustomControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    [[nodiscard]] TTreeNodes& Items() { return *m_items; }
    [[nodiscard]] const TTreeNodes& Items() const { return *m_items; }

    [[nodiscard]] TTreeNode* Selected() const { return m_selected; }
    // Goes through OnChanging (which may refuse), makes the node visible and fires OnChange.
    void SetSelected(TTreeNode* node);
    // The first row in the window.
    [[nodiscard]] TTreeNode* TopItem();
    void SetTopItem(TTreeNode* node);
    // Rows wholly visible in the window.
    [[nodiscard]] int VisibleCount() const;
    // Rows of the expanded tree.
    [[nodiscard]] int RowCount();
    [[nodiscard]] TTreeNode* RowNode(int row);
    [[nodiscard]] int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int value);
    [[nodiscard]] int Indent() const { return m_indent; }
    void SetIndent(int value);

    [[nodiscard]] bool ShowButtons() const { return m_showButtons; }
    void SetShowButtons(bool value);
    [[nodiscard]] bool ShowLines() const { return m_showLines; }
    void SetShowLines(bool value);
    [[nodiscard]] bool ShowRoot() const { return m_showRoot; }
    void SetShowRoot(bool value);
    [[nodiscard]] bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);
    [[nodiscard]] bool RowSelect() const { return m_rowSelect; }
    void SetRowSelect(bool value);
    [[nodiscard]] bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    [[nodiscard]] bool AutoExpand() const { return m_autoExpand; }
    void SetAutoExpand(bool value) { m_autoExpand = value; }

    [[nodiscard]] TImageListComponent* Images() const { return m_images; }
    void SetImages(TImageListComponent* value);
    [[nodiscard]] TImageListComponent* StateImages() const { return m_stateImages; }
    void SetStateImages(TImageListComponent* value);

    [[nodiscard]] TTreeNode* GetNodeAt(int x, int y);
    [[nodiscard]] THitTests GetHitTestInfoAt(int x, int y);
    void FullExpand();
    void FullCollapse();
    // The visible node after (or, with an empty buffer of one character, after) start whose
    // text begins with prefix, without regard to case, wrapping round; null when none.
    [[nodiscard]] TTreeNode* FindPrefix(const std::string& prefix, TTreeNode* start, bool includeStart);

    // Vertical: rows (Max = rows - 1, Page = VisibleCount, Pos = top row). Horizontal: pixels
    // (Max = widest row, Page = client width, Pos = scrolled-off width).
    [[nodiscard]] TScrollRange ScrollRange(int bar);
    void Scroll(int bar, int code, int pos = 0);

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVExpandingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVCustomDrawItemEvent OnCustomDrawItem;
    TTVExpandedEvent OnDeletion;

    // ---- Label editing (F2, or a slow second click on the selected node's label) ----
    // An edit over the label takes the typing: Enter commits through OnEdited, Escape cancels,
    // and leaving it commits as well. ReadOnly turns editing off.
    [[nodiscard]] bool IsEditing() const { return m_editNode != nullptr; }
    [[nodiscard]] TTreeNode* EditingNode() const { return m_editNode; }
    // The edit over the label while editing, else null.
    [[nodiscard]] TEdit* EditControl() const;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;

protected:
    // DragMode dmAutomatic drags from a press on a node only (MousePress starts it).
    void BeginAutoDrag() override {}
    void Paint() override;
    void DefaultHandler(TMessage& message) override;
    void WMGetDlgCode(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void FontChanged() override;
    // After the top row or the horizontal offset changed (the view has been invalidated).
    virtual void ScrollPositionChanged() {}
    // Draws one row; rect spans the client width.
    virtual void DrawRow(gfx::TCanvas& canvas, TTreeNode* node, const TRect& rect);

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    bool CanExpand(TTreeNode* node);
    bool CanCollapse(TTreeNode* node);
    void NodeExpanded(TTreeNode* node, bool expanded);
    void NodeDeleting(TTreeNode* node);
    void ShapeChanged();
    void NodeChanged(TTreeNode* node);
    void EnsureRows();
    void AddRows(TTreeNode* parent);
    [[nodiscard]] int RowOf(const TTreeNode* node);
    [[nodiscard]] int NodeTextWidth(TTreeNode* node);
    [[nodiscard]] int RowContentLeft(const TTreeNode* node) const;
    [[nodiscard]] int ContentWidth();
    [[nodiscard]] int MaxTopRow();
    void SetTopRow(int row);
    void SetScrollX(int value);
    void ScrollIntoView(TTreeNode* node);
    void InvalidateNode(TTreeNode* node);
    void HandleKey(uint32_t key);
    void HandleChar(char32_t ch);
    void MousePress(TPoint pos, bool doubleClick);
    friend class TTreeLabelEdit;
    static constexpr uintptr_t kClickEditTimer = 0x7E01;
    bool StartEdit(TTreeNode* node);
    void FinishEdit(bool cancel);
    void ArmClickEdit(TTreeNode* node);
    void ClickEditTimer();
    void DrawLinesAndButton(gfx::TCanvas& canvas, TTreeNode* node, const TRect& rect);

    std::unique_ptr<TTreeNodes> m_items;
    std::vector<TTreeNode*> m_rows;  // the expanded tree's rows, valid unless m_rowsDirty
    bool m_rowsDirty = true;
    uint32_t m_rowGeneration = 1;
    int m_contentWidth = -1;  // widest row, -1 when to be measured
    TTreeNode* m_selected = nullptr;
    int m_topRow = 0;
    int m_scrollX = 0;
    int m_itemHeight = 17;
    int m_indent = 19;
    bool m_showButtons = true;
    bool m_showLines = true;
    bool m_showRoot = true;
    bool m_hideSelection = true;
    bool m_rowSelect = false;
    bool m_readOnly = false;
    bool m_autoExpand = false;
    TImageListComponent* m_images = nullptr;
    TImageListComponent* m_stateImages = nullptr;
    std::string m_search;
    uint64_t m_lastSearchTime = 0;
    TEdit* m_editor = nullptr;             // made at the first edit, hidden between edits
    TTreeNode* m_editNode = nullptr;       // the node being edited
    TTreeNode* m_clickEditNode = nullptr;  // a slow second click waits to edit this node
    TTreeNode* m_committingNode = nullptr; // the node OnEdited runs for (cleared if it is deleted)
    bool m_finishingEdit = false;
};

// OnEditing and OnEdited of the tree view, for form resources.
void RegisterTreeViewEditing(TClassRegistry& registry);

}  // namespace platform::forms
