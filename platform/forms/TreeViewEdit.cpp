// TTreeView: editing a node's label in an edit laid over it.
#include <algorithm>

#include "platform/forms/DragDrop.h"
#include "platform/forms/Edit.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/TreeView.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

// The edit over the label: keeps Enter and Escape for itself (commit, cancel) and commits when
// the focus goes elsewhere.
class TTreeLabelEdit : public TEdit {
public:
    explicit TTreeLabelEdit(TTreeView& tree) : TEdit(&tree), m_tree(tree) {}

protected:
    void WMGetDlgCode(TMessage& m) override {
        TEdit::WMGetDlgCode(m);
        m.Result |= DLGC_WANTALLKEYS;
    }
    void KeyDown(uint16_t& key, TShiftState shift) override {
        TEdit::KeyDown(key, shift);
        if (key != VK_RETURN && key != VK_ESCAPE) return;
        const bool cancel = key == VK_ESCAPE;
        key = 0;
        m_tree.FinishEdit(cancel);
    }
    void KeyPress(char32_t& key) override {
        if (key == U'\r' || key == U'\x1b') {
            key = 0;
            return;
        }
        TEdit::KeyPress(key);
    }
    void WMKillFocus(TMessage& m) override {
        TEdit::WMKillFocus(m);
        if (Visible()) m_tree.FinishEdit(false);
    }

private:
    TTreeView& m_tree;
};

TEdit* TTreeView::EditControl() const {
    return m_editNode ? m_editor : nullptr;
}

bool TTreeNode::EditText() {
    TTreeView* view = TreeView();
    return view && view->StartEdit(this);
}

void TTreeNode::EndEdit(bool cancel) {
    TTreeView* view = TreeView();
    if (view && view->m_editNode == this) view->FinishEdit(cancel);
}

bool TTreeView::StartEdit(TTreeNode* node) {
    ArmClickEdit(nullptr);
    if (!node || m_readOnly || &node->Owner() != m_items.get()) return false;
    if (m_editNode == node) return true;
    const auto alive = WeakRef();
    if (m_editNode) FinishEdit(false);
    if (!alive) return false;
    bool allow = true;
    if (OnEditing) OnEditing(this, node, allow);
    if (!alive || !allow) return false;
    node->MakeVisible();
    ScrollIntoView(node);
    if (!m_editor) {
        m_editor = new TTreeLabelEdit(*this);
        m_editor->SetVisible(false);
        m_editor->SetParent(this);
    }
    // Over the label, a little wider than the text so that typing has room.
    const TRect label = node->DisplayRect(true);
    const int width = std::clamp(label.Width() + 40, 60, std::max(60, ClientWidth() - label.Left));
    m_editor->SetFont(Font());
    m_editor->SetBounds(label.Left - 2, label.Top - 1, width, label.Height() + 2);
    m_editor->SetText(node->Text());
    m_editor->SelectAll();
    m_editNode = node;
    m_editor->Show();
    if (m_editor->CanFocus()) m_editor->SetFocus();
    if (!alive) return false;
    m_editor->SelectAll();
    return alive && m_editNode == node;
}

void TTreeView::FinishEdit(bool cancel) {
    if (!m_editNode || m_finishingEdit) return;
    m_finishingEdit = true;
    TTreeNode* node = m_editNode;
    std::string text = m_editor->Text();
    const auto alive = WeakRef();
    // The focus comes back to the view before the edit goes, so the form's focus stays here.
    if (m_editor->Focused() && CanFocus()) SetFocus();
    if (!alive) return;
    m_editor->Hide();
    m_editNode = nullptr;
    if (!cancel) {
        m_committingNode = node;
        if (OnEdited) OnEdited(this, node, text);
        // A handler may have deleted the node or freed the view.
        if (!alive) return;
        if (m_committingNode) m_committingNode->SetText(text);
        m_committingNode = nullptr;
    }
    m_finishingEdit = false;
    Invalidate();
}

void TTreeView::ArmClickEdit(TTreeNode* node) {
    TWindowSystem* ws = TWindowSystem::Current();
    if (m_clickEditNode && ws && HandleAllocated()) ws->KillTimer(HandleIfAllocated(), kClickEditTimer);
    m_clickEditNode = nullptr;
    if (!node || m_readOnly || !ws) return;
    m_clickEditNode = node;
    ws->SetTimer(Handle(), kClickEditTimer, kDoubleClickTime);
}

void TTreeView::ClickEditTimer() {
    TTreeNode* node = m_clickEditNode;
    ArmClickEdit(nullptr);
    TWindowSystem* ws = TWindowSystem::Current();
    // Not while the button is still held (a drag, or a press that lasts) or the choice moved.
    if (!node || node != m_selected || !ws || ws->GetKeyState(VK_LBUTTON) < 0) return;
    if (TDragManager::Instance().Active() || !Focused()) return;
    StartEdit(node);
}

void RegisterTreeViewEditing(TClassRegistry& r) {
    r.Register<TTreeView>("TTreeView", "TCustomControl")
        .Event("OnEditing", &TTreeView::OnEditing)
        .Event("OnEdited", &TTreeView::OnEdited);
}

}  // namespace platform::forms
