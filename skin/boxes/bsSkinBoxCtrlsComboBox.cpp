#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/core/Strings.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsWindow.h"

namespace skin {

using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TControl;
using platform::forms::TMessage;
using platform::forms::TMouseButton;
using platform::forms::TShiftState;
using platform::gfx::TFont;
namespace forms = platform::forms;
namespace ui = platform::ui;

TbsSkinCustomComboBox::TbsSkinCustomComboBox(TComponent* owner) : TbsSkinCustomControl(owner) {
    // OnClick reports a chosen item, never a mouse click on the box.
    SetControlStyle((ControlStyle() | forms::csOpaque) & ~(forms::csSetCaption | forms::csClickEvents));
    TFont font;
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetColor(platform::gfx::clWindowText);
    SetFont(font);
    SetSkinDataName("combobox");
    SetBounds(0, 0, 120, 20);
    SetTabStop(true);
    m_list = new TbsPopupListBox(this);
    m_list->OnCheckButtonClick = [this](TComponent*) { CloseUp(true); };
    TbsListBox* inner = m_list->ListBox();
    inner->SetTabStop(false);
    m_listProc = inner->WindowProc;
    inner->WindowProc = [this](TMessage& m) { ListWindowProc(m); };
    CalcRects();
}

TbsSkinCustomComboBox::~TbsSkinCustomComboBox() {
    if (m_list) {
        m_list->ListBox()->WindowProc = m_listProc;
        forms::FreeAndNil(m_list);
    }
}

// ---- Properties ----

void TbsSkinCustomComboBox::SetStyle(TbsSkinCustomComboBoxStyle value) {
    if (value == m_style) return;
    m_style = value;
    StyleChanged();
    CalcRects();
    Invalidate();
}

void TbsSkinCustomComboBox::SetItemIndex(int value) {
    const auto alive = WeakRef();
    m_list->SetItemIndex(value);
    const int index = m_list->ItemIndex();
    if (Items().Count() > 0 && index != -1) {
        SetText(Items()[index]);
        if (!alive) return;
    }
    m_savedItemIndex = m_list->ItemIndex();
    Invalidate();
    if (!IsLoading() && !IsDesigning() && OnClick) OnClick(this);
}

void TbsSkinCustomComboBox::SetDropDownCount(int value) {
    if (value > 0) m_dropDownCount = value;
}

void TbsSkinCustomComboBox::SetImages(forms::TImageListComponent* value) {
    m_list->SetImages(value);
    Invalidate();
}

void TbsSkinCustomComboBox::SetImageIndex(int value) {
    m_list->SetImageIndex(value);
    Invalidate();
}

void TbsSkinCustomComboBox::CMTextChanged(TMessage& message) {
    TbsSkinCustomControl::CMTextChanged(message);
    SyncEditText();
    if (OnChange) OnChange(this);
}

// ---- Skin ----

void TbsSkinCustomComboBox::LookUpRecord() {
    TbsSkinCustomControl::LookUpRecord();
    auto* r = ControlRecordAs<TbsDataSkinComboBox>(m_skinData, m_recordIndex);
    if (!r) return;
    itemrect = r->itemrect;
    focusitemrect = IsEmptyRect(r->focusitemrect) ? itemrect : r->focusitemrect;
    itemleftoffset = r->itemleftoffset;
    itemrightoffset = r->itemrightoffset;
    itemtextrect = r->itemtextrect;
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    fontcolor = r->fontcolor;
    focusfontcolor = r->focusfontcolor;
    buttonrect = r->buttonrect;
    activebuttonrect = r->activebuttonrect;
    downbuttonrect = r->downbuttonrect;
    unenabledbuttonrect = r->unenabledbuttonrect;
    listboxname = r->listboxname;
}

void TbsSkinCustomComboBox::ApplySkin() {
    TbsSkinCustomControl::ApplySkin();
    CalcRects();
    Invalidate();
    m_list->SetSkinDataName(m_recordIndex != -1 ? listboxname : std::string());
    m_list->SetSkinData(m_skinData);
    if (!m_skinData || m_skinData->SkinIsEmpty) m_list->ApplySkin();
    m_list->UpdateScrollBars();
    RefreshEditLook();
}

void TbsSkinCustomComboBox::ForgetRecord() {
    TbsSkinCustomControl::ForgetRecord();
    if (m_list) m_list->ForgetRecord();
}

void TbsSkinCustomComboBox::SetBounds(int left, int top, int width, int height) {
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    CalcRects();
}

// ---- The list ----

void TbsSkinCustomComboBox::DropDown() {
    const int count = Items().Count();
    if (count == 0) return;
    const auto alive = WeakRef();
    if (OnDropDown) {
        OnDropDown(this);
        if (!alive || Items().Count() == 0) return;
    }
    if (!m_list->HandleAllocated())
        m_list->SetOwnerWindow(HandleAllocated() ? HandleIfAllocated()->TopLevel() : nullptr);
    m_list->SetWidth(Width());
    m_list->SetRowCount(std::min(Items().Count(), m_dropDownCount));
    TPoint position = ClientToScreen({0, Height()});
    const TRect work = MonitorWorkArea(HandleIfAllocated(), true);
    if (position.Y + m_list->Height() > work.Bottom) position.Y = position.Y - Height() - m_list->Height();
    m_savedItemIndex = m_list->ItemIndex();
    if (m_edit && m_edit->CanFocus()) m_edit->SetFocus();
    m_list->SetTopIndex(m_list->ItemIndex());
    m_list->ShowPopup(position);
    if (alive) Invalidate();
}

void TbsSkinCustomComboBox::CloseUp(bool accept) {
    if (!DroppedDown()) return;
    const auto alive = WeakRef();
    m_list->HidePopup();
    const int index = m_list->ItemIndex();
    if (index < 0) {
        m_list->SetItemIndex(m_savedItemIndex);
    } else if (index < Items().Count() && accept) {
        SetText(Items()[index]);
        if (!alive) return;
        Invalidate();
        if (OnClick) {
            OnClick(this);
            if (!alive) return;
        }
    } else {
        m_list->SetItemIndex(m_savedItemIndex);
    }
    Invalidate();
    if (accept && OnCloseUp) OnCloseUp(this);
}

void TbsSkinCustomComboBox::ListWindowProc(TMessage& m) {
    switch (m.Msg) {
        case ui::WM_MOUSEMOVE: {
            TbsListBox* inner = m_list->ListBox();
            const int index = inner->ItemAtPos(ui::PointFromLParam(m.LParam), true);
            if (index >= 0 && index < inner->Count()) inner->SetItemIndex(index);
            break;
        }
        case ui::WM_LBUTTONUP:
            CloseUp(true);
            return;
        case ui::WM_LBUTTONDOWN:
        case ui::WM_LBUTTONDBLCLK:
        case ui::WM_RBUTTONDOWN:
        case ui::WM_RBUTTONDBLCLK:
        case ui::WM_RBUTTONUP:
        case ui::WM_MBUTTONDOWN:
        case ui::WM_MBUTTONDBLCLK:
        case ui::WM_MBUTTONUP:
            return;
        case ui::WM_MOUSEACTIVATE:
            m.Result = ui::MA_NOACTIVATE;
            return;
        default:
            break;
    }
    if (m_listProc) m_listProc(m);
}

void TbsSkinCustomComboBox::CancelMode(const TControl* origin) {
    if (origin == this || origin == m_list) return;
    if (m_list && (origin == m_list->ListBox() || (origin && origin == m_list->VScrollBar()) ||
                   (origin && origin == m_list->HScrollBar())))
        return;
    CloseUp(false);
}

// ---- Input ----

void TbsSkinCustomComboBox::SetButtonActive(bool value) {
    if (value == m_buttonActive) return;
    m_buttonActive = value;
    Invalidate();
}

void TbsSkinCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (!alive) return;
    if (m_style == bscbFixedStyle && !Focused() && CanFocus()) {
        SetFocus();
        if (!alive) return;
    }
    if (button != forms::mbLeft) return;
    CalcRects();
    SetButtonActive(m_dropButtonArea.Contains({x, y}));
    if (m_buttonActive || (m_style == bscbFixedStyle && m_itemArea.Contains({x, y}))) {
        m_buttonPressed = true;
        Invalidate();
        if (!DroppedDown())
            DropDown();
        else
            CloseUp(false);
    } else {
        CloseUp(false);
    }
}

void TbsSkinCustomComboBox::MouseMove(TShiftState shift, int x, int y) {
    SetButtonActive(m_dropButtonArea.Contains({x, y}));
    TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinCustomComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
    if (!alive) return;
    if (m_buttonPressed) {
        m_buttonPressed = false;
        Invalidate();
    }
}

void TbsSkinCustomComboBox::CMMouseLeave(TMessage& message) {
    SetButtonActive(false);
    TbsSkinCustomControl::CMMouseLeave(message);
}

void TbsSkinCustomComboBox::KeyDown(uint16_t& key, TShiftState shift) {
    const auto alive = WeakRef();
    TbsSkinCustomControl::KeyDown(key, shift);
    if (!alive || key == 0) return;
    const int count = Items().Count();
    const int index = ItemIndex();
    const bool alt = (shift & forms::ssAlt) != 0;
    switch (key) {
        case ui::VK_RETURN:
            if (DroppedDown()) {
                CloseUp(true);
                key = 0;
            }
            break;
        case ui::VK_ESCAPE:
            if (DroppedDown()) {
                CloseUp(false);
                key = 0;
            }
            break;
        case ui::VK_PRIOR:
            if (count > 0) SetItemIndex(std::max(index - m_dropDownCount - 1, 0));
            key = 0;
            break;
        case ui::VK_NEXT:
            if (count > 0) SetItemIndex(std::min(index + m_dropDownCount - 1, count - 1));
            key = 0;
            break;
        case ui::VK_UP:
        case ui::VK_LEFT:
            if (alt)
                CloseUp(false);
            else if (index > 0)
                SetItemIndex(index - 1);
            key = 0;
            break;
        case ui::VK_DOWN:
        case ui::VK_RIGHT:
            if (alt) {
                if (!DroppedDown()) DropDown();
            } else if (index < count - 1) {
                SetItemIndex(index + 1);
            }
            key = 0;
            break;
        default:
            break;
    }
}

void TbsSkinCustomComboBox::KeyPress(char32_t& key) {
    const auto alive = WeakRef();
    TbsSkinCustomControl::KeyPress(key);
    if (!alive || key < 0x20 || key == 0x7F) return;
    SearchItem(key);
}

void TbsSkinCustomComboBox::SearchItem(char32_t ch) {
    std::string text;
    if (m_autoComplete) {
        const uint32_t now = platform::core::GetTickCount();
        if (static_cast<uint32_t>(now - m_lastKeyTick) > kSearchWindow - 1) m_searchText.clear();
        m_lastKeyTick = now;
        platform::core::AppendUtf8(m_searchText, ch);
        text = m_searchText;
    } else {
        platform::core::AppendUtf8(text, ch);
    }
    if (text.empty()) return;
    const bool single = platform::core::Utf8ToCodePoints(text).size() == 1;
    const int found = m_list->ListBox()->FindPrefix(text, single ? ItemIndex() : -1);
    if (found >= 0) SetItemIndex(found);
}

void TbsSkinCustomComboBox::Wheel(int delta) {
    const int count = Items().Count();
    const int index = ItemIndex();
    int target = index;
    if (delta < 0 && index < count - 1)
        target = index + 1;
    else if (delta > 0 && index > 0)
        target = index - 1;
    if (target == index) return;
    if (DroppedDown())
        m_list->SetItemIndex(target);
    else
        SetItemIndex(target);
}

void TbsSkinCustomComboBox::WMGetDlgCode(TMessage& message) {
    message.Result = forms::DLGC_WANTARROWS | forms::DLGC_WANTCHARS;
}

void TbsSkinCustomComboBox::CMWantSpecialKey(TMessage& message) {
    if ((message.WParam == ui::VK_RETURN || message.WParam == ui::VK_ESCAPE) && DroppedDown()) {
        message.Result = 1;
        return;
    }
    TbsSkinCustomControl::CMWantSpecialKey(message);
}

void TbsSkinCustomComboBox::WMSetFocus(TMessage& message) {
    TbsSkinCustomControl::WMSetFocus(message);
    if (m_edit && m_edit->CanFocus()) {
        m_edit->SetFocus();
        return;
    }
    Invalidate();
}

void TbsSkinCustomComboBox::WMKillFocus(TMessage& message) {
    TbsSkinCustomControl::WMKillFocus(message);
    if (m_style == bscbFixedStyle) CloseUp(false);
    Invalidate();
}

void TbsSkinCustomComboBox::CMEnabledChanged(TMessage& message) {
    TbsSkinCustomControl::CMEnabledChanged(message);
    Invalidate();
}

void TbsSkinCustomComboBox::WndProc(TMessage& message) {
    switch (message.Msg) {
        case forms::CM_CANCELMODE:
            CancelMode(ui::PtrFromParam<TControl>(message.LParam));
            return;
        case ui::WM_MOUSEWHEEL: {
            const int delta = ui::WheelDeltaFromWParam(message.WParam);
            if (!DoMouseWheel(forms::KeyboardShiftState(), delta, ui::PointFromLParam(message.LParam)))
                Wheel(delta);
            message.Result = 1;
            return;
        }
        default:
            break;
    }
    TbsSkinCustomControl::WndProc(message);
}

}  // namespace skin
