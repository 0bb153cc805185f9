// TTreeNode and TTreeNodes: the tree a TTreeView shows.

#include <stdexcept>

#include "platform/core/Strings.h"
#include "platform/forms/TreeView.h"

namespace platform::forms {

namespace {
int SubtreeSize(const TTreeNode& node) {
    int n = 1;
    for (int i = 0; i < node.Count(); ++i) n += SubtreeSize(*node.Item(i));
    return n;
}
}  // namespace

// ---- TTreeNode ----

TTreeNode::TTreeNode(TTreeNodes& owner, TTreeNode* parent) : m_owner(owner), m_parent(parent) {}

TTreeNode::~TTreeNode() = default;

TTreeView* TTreeNode::TreeView() const { return &m_owner.Owner(); }

TTreeNode* TTreeNode::Parent() const {
    return m_parent == m_owner.Root() ? nullptr : m_parent;
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = Parent(); p; p = p->Parent()) ++level;
    return level;
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("tree node child index out of range");
    return m_children[static_cast<size_t>(index)].get();
}

void TTreeNode::Changed() { m_owner.Owner().NodeChanged(this); }

void TTreeNode::SetText(std::string value) {
    if (value == m_text) return;
    m_text = std::move(value);
    m_textWidth = -1;
    m_owner.Owner().m_contentWidth = -1;
    Changed();
}

void TTreeNode::SetImageIndex(int value) {
    m_imageIndex = value;
    Changed();
}

void TTreeNode::SetSelectedIndex(int value) {
    m_selectedIndex = value;
    Changed();
}

void TTreeNode::SetStateIndex(int value) {
    m_stateIndex = value;
    Changed();
}

void TTreeNode::SetHasChildren(bool value) {
    m_hasChildren = value;
    Changed();
}

void TTreeNode::SetExpanded(bool value) {
    if (value == m_expanded) return;
    TTreeView& view = m_owner.Owner();
    if (value) {
        if (!HasChildren() || !view.CanExpand(this)) return;
    } else if (!view.CanCollapse(this)) {
        return;
    }
    m_expanded = value;
    view.NodeExpanded(this, value);
}

void TTreeNode::Expand(bool recurse) {
    SetExpanded(true);
    if (!recurse) return;
    for (auto& child : m_children) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (recurse)
        for (auto& child : m_children) child->Collapse(true);
    SetExpanded(false);
}

bool TTreeNode::IsVisible() const {
    for (const TTreeNode* p = Parent(); p; p = p->Parent())
        if (!p->m_expanded) return false;
    return true;
}

void TTreeNode::MakeVisible() {
    for (TTreeNode* p = Parent(); p; p = p->Parent())
        if (!p->m_expanded) p->SetExpanded(true);
}

bool TTreeNode::Selected() const { return m_owner.Owner().Selected() == this; }

void TTreeNode::SetSelected(bool value) {
    TTreeView& view = m_owner.Owner();
    if (value)
        view.SetSelected(this);
    else if (Selected())
        view.SetSelected(nullptr);
}

bool TTreeNode::Focused() const { return Selected() && m_owner.Owner().Focused(); }

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto next = static_cast<size_t>(m_index + 1);
    return next < m_parent->m_children.size() ? m_parent->m_children[next].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    return m_index > 0 ? m_parent->m_children[static_cast<size_t>(m_index - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!m_children.empty()) return m_children.front().get();
    for (const TTreeNode* n = this; n && n != m_owner.Root(); n = n->m_parent)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* prev = GetPrevSibling();
    if (!prev) return Parent();
    while (!prev->m_children.empty()) prev = prev->m_children.back().get();
    return prev;
}

TTreeNode* TTreeNode::GetNextVisible() const {
    TTreeView& view = m_owner.Owner();
    const int row = view.RowOf(this);
    return row < 0 ? nullptr : view.RowNode(row + 1);
}

TTreeNode* TTreeNode::GetPrevVisible() const {
    TTreeView& view = m_owner.Owner();
    const int row = view.RowOf(this);
    return row <= 0 ? nullptr : view.RowNode(row - 1);
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const {
    if (!node) return false;
    for (const TTreeNode* p = Parent(); p; p = p->Parent())
        if (p == node) return true;
    return false;
}

int TTreeNode::AbsoluteIndex() const {
    int index = -1;
    for (const TTreeNode* n = this; n; n = n->GetPrev()) ++index;
    return index;
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
    TTreeView& view = m_owner.Owner();
    const int row = view.RowOf(this);
    if (row < 0) return {};
    const int top = (row - view.m_topRow) * view.m_itemHeight;
    if (!textOnly) return {0, top, view.ClientWidth(), top + view.m_itemHeight};
    const int left = view.RowContentLeft(this) - view.m_scrollX;
    return {left, top, left + view.NodeTextWidth(const_cast<TTreeNode*>(this)) + 4, top + view.m_itemHeight};
}

void TTreeNode::Delete() { m_owner.Delete(this); }

void TTreeNode::DeleteChildren() {
    while (!m_children.empty()) m_owner.Delete(m_children.back().get());
}

TTreeNode* TTreeNode::InsertChild(int at, std::string text) {
    auto node = std::make_unique<TTreeNode>(m_owner, this);
    node->m_text = std::move(text);
    TTreeNode* raw = node.get();
    m_children.insert(m_children.begin() + at, std::move(node));
    for (size_t i = static_cast<size_t>(at); i < m_children.size(); ++i) m_children[i]->m_index = static_cast<int>(i);
    ++m_owner.m_count;
    m_owner.Owner().ShapeChanged();
    return raw;
}

void TTreeNode::RemoveChild(int at) {
    m_children.erase(m_children.begin() + at);
    for (size_t i = static_cast<size_t>(at); i < m_children.size(); ++i) m_children[i]->m_index = static_cast<int>(i);
}

// ---- TTreeNodes ----

TTreeNodes::TTreeNodes(TTreeView& view) : m_view(view), m_root(std::make_unique<TTreeNode>(*this, nullptr)) {
    m_root->m_expanded = true;
}

TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::Item(int index) const {
    if (index < 0 || index >= m_count) return nullptr;
    TTreeNode* node = GetFirstNode();
    for (int i = 0; i < index && node; ++i) node = node->GetNext();
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, std::string text) {
    TTreeNode* parent = sibling ? sibling->m_parent : m_root.get();
    return parent->InsertChild(parent->Count(), std::move(text));
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, std::string text) {
    TTreeNode* parent = sibling ? sibling->m_parent : m_root.get();
    return parent->InsertChild(0, std::move(text));
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, std::string text) {
    TTreeNode* p = parent ? parent : m_root.get();
    return p->InsertChild(p->Count(), std::move(text));
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, std::string text) {
    TTreeNode* p = parent ? parent : m_root.get();
    return p->InsertChild(0, std::move(text));
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, std::string text) {
    if (!sibling) return Add(nullptr, std::move(text));
    return sibling->m_parent->InsertChild(sibling->m_index, std::move(text));
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node == m_root.get()) return;
    m_view.NodeDeleting(node);
    m_count -= SubtreeSize(*node);
    TTreeNode* parent = node->m_parent;
    parent->RemoveChild(node->m_index);
    m_view.ShapeChanged();
}

void TTreeNodes::Clear() {
    BeginUpdate();
    while (m_root->Count() > 0) Delete(m_root->GetLastChild());
    EndUpdate();
}

void TTreeNodes::BeginUpdate() { ++m_updateCount; }

void TTreeNodes::EndUpdate() {
    if (m_updateCount == 0) return;
    if (--m_updateCount == 0) m_view.ShapeChanged();
}

std::vector<std::string> TTreeNodes::SaveToLines() const {
    std::vector<std::string> lines;
    for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) {
        std::string line(static_cast<size_t>(n->Level()), '\t');
        line += n->Text();
        if (n->ImageIndex() != -1 || n->SelectedIndex() != -1 || n->StateIndex() != -1)
            line += "|" + std::to_string(n->ImageIndex()) + "|" + std::to_string(n->SelectedIndex()) + "|" +
                    std::to_string(n->StateIndex());
        lines.push_back(std::move(line));
    }
    return lines;
}

void TTreeNodes::LoadFromLines(const std::vector<std::string>& lines) {
    BeginUpdate();
    Clear();
    std::vector<TTreeNode*> path;  // the last node of each level
    for (const std::string& raw : lines) {
        size_t tabs = 0;
        while (tabs < raw.size() && raw[tabs] == '\t') ++tabs;
        if (tabs > path.size()) tabs = path.size();
        std::string text = raw.substr(std::min(tabs, raw.size()));
        int indexes[3] = {-1, -1, -1};
        // "|a|b|c" at the end holds the image indexes when all three are numbers.
        const auto bar = text.find('|');
        if (bar != std::string::npos) {
            const auto parts = core::SplitString(text.substr(bar + 1), '|');
            bool ok = parts.size() == 3;
            for (size_t i = 0; ok && i < 3; ++i) {
                const auto v = core::TryStrToInt(parts[i]);
                if (v) indexes[i] = static_cast<int>(*v);
                else ok = false;
            }
            if (ok)
                text.resize(bar);
            else
                indexes[0] = indexes[1] = indexes[2] = -1;
        }
        path.resize(tabs);
        TTreeNode* node = AddChild(path.empty() ? nullptr : path.back(), std::move(text));
        node->m_imageIndex = indexes[0];
        node->m_selectedIndex = indexes[1];
        node->m_stateIndex = indexes[2];
        path.push_back(node);
    }
    EndUpdate();
}

}  // namespace platform::forms
