// The combo box's edit style: a TbsCustomEdit on the item area whose text and the drop-down
// list's selection follow each other, with the edit's keys, wheel and focus routed through the
// combo box.

#include "platform/core/Strings.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"

namespace skin {

namespace forms = platform::forms;
namespace ui = platform::ui;
using forms::TComponent;
using forms::TMessage;
using forms::TShiftState;

void TbsSkinCustomComboBox::StyleChanged() {
    if (m_style == bscbFixedStyle) {
        if (!m_edit) return;
        SetTabStop(true);
        m_edit->WindowProc = m_editProc;
        forms::FreeAndNil(m_edit);
        return;
    }
    if (m_edit) return;
    const bool hadFocus = Focused();
    SetTabStop(false);
    m_edit = new TbsCustomEdit(this);
    m_edit->SetParent(this);
    m_editProc = m_edit->WindowProc;
    m_edit->WindowProc = [this](TMessage& m) { EditWindowProc(m); };
    m_edit->OnChange = [this](TComponent*) { EditChanged(); };
    m_edit->OnKeyDown = [this](TComponent*, uint16_t& key, TShiftState shift) { EditKeyDown(key, shift); };
    m_edit->OnKeyUp = [this](TComponent*, uint16_t& key, TShiftState shift) { EditKeyUp(key, shift); };
    m_edit->OnKeyPress = [this](TComponent*, char32_t& key) {
        if (OnKeyPress) OnKeyPress(this, key);
    };
    m_edit->OnCancelMode = [this](forms::TControl* origin) { CancelMode(origin); };
    m_editSyncing = true;
    m_edit->SetText(Text());
    m_editSyncing = false;
    RefreshEditLook();
    PlaceEdit();
    if (hadFocus && m_edit->CanFocus()) m_edit->SetFocus();
}

void TbsSkinCustomComboBox::PlaceEdit() {
    if (m_edit) m_edit->SetBounds(m_itemArea.Left, m_itemArea.Top, m_itemArea.Width(), m_itemArea.Height());
}

void TbsSkinCustomComboBox::SyncEditText() {
    if (!m_edit || m_editSyncing || m_edit->Text() == Text()) return;
    m_edit->SetText(Text());
}

void TbsSkinCustomComboBox::RefreshEditLook() {
    if (!m_edit) return;
    if (m_recordIndex == -1) {
        m_edit->SetFont(Font());
        m_edit->OnPaintUnder = nullptr;
        m_edit->SetTransparentText(false);
        return;
    }
    platform::gfx::TFont font = DefaultFont();
    if (UseSkinFont()) {
        font.SetName(fontname);
        font.SetStyle(fontstyle);
        font.SetHeight(fontheight);
    }
    font.SetColor(fontcolor);
    m_edit->SetFont(font);
    // The text lies on the combo box's own picture.
    m_edit->OnPaintUnder = [this](platform::gfx::TCanvas& canvas) {
        TBitmap image(std::max(1, Width()), std::max(1, Height()));
        DrawSkinImage(image);
        canvas.Draw(-m_edit->Left(), -m_edit->Top(), image);
    };
    m_edit->SetTransparentText(true);
}

void TbsSkinCustomComboBox::EditChanged() {
    if (!m_edit) return;
    const bool wasSyncing = m_editSyncing;
    m_editSyncing = true;
    const std::string text = m_edit->Text();
    if (!text.empty()) {
        const int found = m_list->ListBox()->FindPrefix(text, -1);
        if (found >= 0) {
            if (m_autoComplete)
                m_list->SetItemIndex(found);
            else
                m_list->SetTopIndex(found);
        }
    }
    SetText(text);
    m_editSyncing = wasSyncing;
}

void TbsSkinCustomComboBox::StepEditItem(int delta) {
    const int index = m_list->ItemIndex();
    const int target = index + delta;
    if (target < 0 || target >= Items().Count()) return;
    m_list->SetItemIndex(target);
    if (DroppedDown()) return;
    const auto alive = WeakRef();
    SetText(Items()[target]);
    if (alive && OnClick) OnClick(this);
}

void TbsSkinCustomComboBox::EditKeyDown(uint16_t& key, TShiftState shift) {
    const auto alive = WeakRef();
    if (OnKeyDown) OnKeyDown(this, key, shift);
    if (!alive || key == 0) return;
    const int count = Items().Count();
    const int index = m_list->ItemIndex();
    switch (key) {
        case ui::VK_RETURN:
            if (DroppedDown()) CloseUp(true);
            break;
        case ui::VK_ESCAPE:
            if (DroppedDown()) CloseUp(false);
            break;
        case ui::VK_PRIOR:
            if (DroppedDown() && count > 0) {
                m_list->SetItemIndex(std::max(index - m_dropDownCount - 1, 0));
                key = 0;
            }
            break;
        case ui::VK_NEXT:
            if (DroppedDown() && count > 0) {
                m_list->SetItemIndex(std::min(index + m_dropDownCount - 1, count - 1));
                key = 0;
            }
            break;
        case ui::VK_UP:
        case ui::VK_DOWN: {
            // One row through the list; the edit shows the item. Not passed to the edit.
            const int target = index + (key == ui::VK_UP ? -1 : 1);
            key = 0;
            if (target < 0 || target >= count) break;
            m_list->SetItemIndex(target);
            SetText(Items()[target]);
            if (alive && OnClick) OnClick(this);
            break;
        }
        default:
            break;
    }
}

void TbsSkinCustomComboBox::EditKeyUp(uint16_t& key, TShiftState shift) {
    const auto alive = WeakRef();
    if (OnKeyUp) OnKeyUp(this, key, shift);
    if (!alive || key < 48 || !m_autoComplete || !m_edit) return;
    const std::string typed = m_edit->Text();
    if (typed.empty()) return;
    // One character: from the current item on (it may already be the match), else from the start.
    const bool single = platform::core::Utf8ToCodePoints(typed).size() == 1;
    const int found = m_list->ListBox()->FindPrefix(typed, single ? ItemIndex() - 1 : -1);
    if (found < 0) return;
    SetItemIndex(found);
    if (!alive || !m_edit) return;
    const std::string& item = Items()[found];
    m_edit->SetSelStart(static_cast<int>(typed.size()));
    m_edit->SetSelLength(static_cast<int>(item.size()) - static_cast<int>(typed.size()));
}

void TbsSkinCustomComboBox::EditWindowProc(TMessage& m) {
    switch (m.Msg) {
        case ui::WM_MOUSEWHEEL: {
            const int delta = ui::WheelDeltaFromWParam(m.WParam);
            StepEditItem(delta < 0 ? 1 : -1);
            m.Result = 1;
            return;
        }
        case ui::WM_LBUTTONDOWN:
        case ui::WM_RBUTTONDOWN:
            CloseUp(false);
            break;
        case ui::WM_KILLFOCUS: {
            const auto alive = WeakRef();
            if (m_editProc) m_editProc(m);
            if (alive) CloseUp(false);
            return;
        }
        default:
            break;
    }
    if (m_editProc) m_editProc(m);
}

}  // namespace skin
