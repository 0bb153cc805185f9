// TWinControl: tab order, focus and the keyboard (the form's key stages, dialog keys and
// characters).
#include <algorithm>

#include "platform/forms/DragDrop.h"
#include "platform/forms/FormHost.h"
#include "platform/forms/WinControl.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
TWindowSystem* System() {
    return TWindowSystem::Current();
}
}  // namespace

// ---- Tab order and focus ----

int TWinControl::TabOrder() const {
    TWinControl* parent = Parent();
    if (!parent) return m_loadedTabOrder >= 0 ? m_loadedTabOrder : 0;
    const auto& list = parent->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (IsLoading()) {
        m_loadedTabOrder = value;
        return;
    }
    TWinControl* parent = Parent();
    if (!parent) {
        m_loadedTabOrder = value;
        return;
    }
    auto& list = parent->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

void TWinControl::FixupTabList() {
    std::stable_sort(m_tabList.begin(), m_tabList.end(), [](TWinControl* a, TWinControl* b) {
        const int oa = a->m_loadedTabOrder < 0 ? 1 << 30 : a->m_loadedTabOrder;
        const int ob = b->m_loadedTabOrder < 0 ? 1 << 30 : b->m_loadedTabOrder;
        return oa < ob;
    });
    for (TWinControl* c : m_tabList) c->m_loadedTabOrder = -1;
}

void TWinControl::SetTabStop(bool value) {
    if (value == m_tabStop) return;
    m_tabStop = value;
    if (m_window) {
        uint32_t style = m_window->Style();
        style = value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        System()->SetWindowStyle(m_window, style);
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : m_tabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        if (goForward) {
            if (++i == count) i = 0;
        } else {
            if (i == 0) i = count;
            --i;
        }
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
    if (next) next->SetFocus();
}

bool TWinControl::CanFocus() const {
    TFormHost* host = FindFormHost(this);
    if (!host) return Visible() && Enabled();
    const TWinControl* form = host->HostControl();
    const TControl* c = this;
    while (c && c != form) {
        if (!c->Visible() || !c->Enabled()) return false;
        c = c->Parent();
    }
    return form->Visible() && form->Enabled();
}

void TWinControl::SetFocus() {
    if (TFormHost* form = OuterFormHost()) {
        form->HostFocusControl(this);
        return;
    }
    if (Handle()) System()->SetFocus(m_window);
}

bool TWinControl::Focused() const {
    TWindowSystem* ws = System();
    return m_window && ws && ws->GetFocus() == m_window;
}

void TWinControl::WMSetFocus(TMessage& m) {
    DefaultHandler(m);
    if (IsDestroying()) return;
    if (TFormHost* form = LiveFormHost()) form->HostSetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& m) {
    DefaultHandler(m);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    uint16_t key = static_cast<uint16_t>(m.WParam);
    KeyDown(key, KeyboardShiftState());
    if (key == 0) return true;
    m.WParam = key;
    return false;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    uint16_t key = static_cast<uint16_t>(m.WParam);
    KeyUp(key, KeyboardShiftState());
    if (key == 0) return true;
    m.WParam = key;
    return false;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    char32_t ch = static_cast<char32_t>(m.WParam);
    KeyPress(ch);
    if (ch == 0) return true;
    m.WParam = ch;
    return false;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::WMKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    if (!DoKeyPress(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMSysChar(TMessage& m) {
    DefaultHandler(m);
}

void TWinControl::CMDialogKey(TMessage& m) {
    Broadcast(m);
}
void TWinControl::CMDialogChar(TMessage& m) {
    Broadcast(m);
}
void TWinControl::CMFocusChanged(TMessage& m) {
    Broadcast(m);
}

void TWinControl::CMShowingChanged(TMessage&) {}
void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}
void TWinControl::CMExit(TMessage&) {
    DoExit();
}
void TWinControl::CMWantSpecialKey(TMessage& m) {
    m.Result = 0;
}

void TWinControl::CMChildKey(TMessage& m) {
    if (TWinControl* parent = Parent()) m.Result = parent->Perform(CM_CHILDKEY, m.WParam, m.LParam);
}

void TWinControl::CNKeyDown(TMessage& m) {
    m.Result = 1;
    // Escape ends a running drag wherever the focus is.
    if (m.WParam == VK_ESCAPE && TDragManager::Instance().Dragging()) {
        TDragManager::Instance().Cancel();
        return;
    }
    const uint32_t keyMsg = m.Msg == CN_SYSKEYDOWN ? WM_SYSKEYDOWN : WM_KEYDOWN;
    TFormHost* form = FindFormHost(this);
    // 1. The form's shortcuts (OnShortCut, main menu).
    if (form) {
        TMessage key{keyMsg, m.WParam, m.LParam, 0};
        if (form->HostIsShortCut(key)) return;
    }
    // 2. KeyPreview: the form sees the key first.
    if (form && form->HostControl() != this && form->HostKeyPreview()) {
        uint16_t key = static_cast<uint16_t>(m.WParam);
        form->HostKeyDown(key, KeyboardShiftState());
        if (key == 0) return;
        m.WParam = key;
    }
    if (Perform(CM_CHILDKEY, m.WParam, PtrToLParam(this)) != 0) return;
    // 3. Navigation keys the control does not want become dialog keys of the form.
    uint32_t mask = 0;
    switch (m.WParam) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        default:
            break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, m.WParam) == 0 &&
        (static_cast<uint32_t>(Perform(WM_GETDLGCODE)) & mask) == 0) {
        TWinControl* target = form ? form->HostControl() : this;
        if (target->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
    }
    m.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& m) {
    m.Result = 0;
    TFormHost* form = OuterFormHost();
    if (form && form->HostKeyPreview()) {
        uint16_t key = static_cast<uint16_t>(m.WParam);
        form->HostKeyUp(key, KeyboardShiftState());
        if (key == 0) m.Result = 1;
    }
}

void TWinControl::CNChar(TMessage& m) {
    m.Result = 1;
    TFormHost* form = FindFormHost(this);
    if (form && form->HostControl() != this && form->HostKeyPreview()) {
        char32_t ch = static_cast<char32_t>(m.WParam);
        form->HostKeyPress(ch);
        if (ch == 0) return;
        m.WParam = ch;
    }
    if ((static_cast<uint32_t>(Perform(WM_GETDLGCODE)) & DLGC_WANTCHARS) == 0) {
        TWinControl* target = form ? form->HostControl() : this;
        if (target->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
    }
    m.Result = 0;
}

void TWinControl::CNSysChar(TMessage& m) {
    m.Result = 0;
    if (m.WParam == VK_SPACE) return;
    TFormHost* form = FindFormHost(this);
    TWinControl* target = form ? form->HostControl() : this;
    if (target->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) m.Result = 1;
}

}  // namespace platform::forms
