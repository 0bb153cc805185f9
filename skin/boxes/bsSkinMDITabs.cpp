// The MDI tabs bar: its tabs, their layout, the record it reads, and the mouse (hot tracking,
// bringing a child forward, dragging a tab to another place).

#include "skin/boxes/bsSkinMDITabs.h"

#include <algorithm>

#include "platform/forms/MdiClient.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsSkinDataRecordsPlain.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"

namespace skin {

using platform::forms::TComponent;
using platform::forms::TMessage;
using platform::forms::TOperation;

TbsSkinMDITabsBar::TbsSkinMDITabsBar(TComponent* owner) : TbsSkinControl(owner) {
    m_skinDataName = "tab";
    m_defaultFont.SetName("Arial");
    m_defaultFont.SetHeight(14);
    m_defaultFont.SetColor(platform::gfx::clBtnText);
    m_defaultFont.OnChange = [this] {
        if (m_recordIndex == -1) Invalidate();
    };
    SetBounds(0, 0, 150, m_defaultHeight);
    SetAlign(platform::forms::alTop);
}

TbsSkinMDITabsBar::~TbsSkinMDITabsBar() {
    for (const auto& tab : m_tabs)
        if (tab->Child) tab->Child->RemoveFreeNotification(this);
}

// ---- Published ----

void TbsSkinMDITabsBar::SetDefaultHeight(int value) {
    if (value < 1 || value == m_defaultHeight) return;
    m_defaultHeight = value;
    if (m_recordIndex == -1) FitHeight();
}

void TbsSkinMDITabsBar::SetDefaultTabWidth(int value) {
    if (value < 1 || value == m_defaultTabWidth) return;
    m_defaultTabWidth = value;
    Layout();
    Invalidate();
}

void TbsSkinMDITabsBar::SetDefaultFont(const platform::gfx::TFont& value) {
    m_defaultFont.Assign(value);
}

// ---- Tabs ----

TbsMDITab* TbsSkinMDITabsBar::Tab(int index) const {
    if (index < 0 || index >= TabCount()) return nullptr;
    return m_tabs[static_cast<size_t>(index)].get();
}

int TbsSkinMDITabsBar::IndexOfTab(const TForm* child) const {
    for (int i = 0; i < TabCount(); ++i)
        if (m_tabs[static_cast<size_t>(i)]->Child == child) return i;
    return -1;
}

TbsMDITab* TbsSkinMDITabsBar::FindTab(const TForm* child) const {
    return Tab(IndexOfTab(child));
}

TbsMDITab* TbsSkinMDITabsBar::AddTab(TForm* child) {
    if (!child) return nullptr;
    if (TbsMDITab* existing = FindTab(child)) return existing;
    EndDrag();
    m_tabs.push_back(std::make_unique<TbsMDITab>(this, child));
    child->FreeNotification(this);
    Layout();
    Invalidate();
    return m_tabs.back().get();
}

void TbsSkinMDITabsBar::DeleteTab(TForm* child) {
    const int index = IndexOfTab(child);
    if (index < 0) return;
    EndDrag();
    if (m_hotTab == index) m_hotTab = -1;
    if (m_hotTab > index) --m_hotTab;
    m_tabs.erase(m_tabs.begin() + index);
    if (child && !child->IsDestroying()) child->RemoveFreeNotification(this);
    Layout();
    Invalidate();
}

void TbsSkinMDITabsBar::ClearTabs() {
    EndDrag();
    for (const auto& tab : m_tabs)
        if (tab->Child) tab->Child->RemoveFreeNotification(this);
    m_tabs.clear();
    m_hotTab = -1;
    Invalidate();
}

void TbsSkinMDITabsBar::CheckActive() {
    const TForm* active = nullptr;
    for (const auto& tab : m_tabs)
        if (auto* client = dynamic_cast<platform::forms::TMdiClient*>(tab->Child->Parent())) {
            active = client->ActiveChild();
            break;
        }
    for (const auto& tab : m_tabs) tab->Active = tab->Child == active;
    Invalidate();
}

void TbsSkinMDITabsBar::UpdateTab(TForm* child) {
    if (FindTab(child)) Invalidate();
}

void TbsSkinMDITabsBar::Notification(TComponent* component, TOperation operation) {
    TbsSkinControl::Notification(component, operation);
    if (operation != platform::forms::opRemove) return;
    // The child is being destroyed: it is no TForm any more, only its address is compared.
    for (const auto& tab : m_tabs)
        if (static_cast<TComponent*>(tab->Child) == component) {
            DeleteTab(tab->Child);
            break;
        }
}

// ---- Layout ----

void TbsSkinMDITabsBar::Layout() {
    const int n = TabCount();
    if (n == 0) return;
    const int width = std::min(Width() / n, m_defaultTabWidth);
    const int height = Height();
    for (int i = 0; i < n; ++i) {
        TbsMDITab& tab = *m_tabs[static_cast<size_t>(i)];
        tab.ObjectRect = {i * width, 0, (i + 1) * width, height};
    }
    // Narrowed tabs fill the bar: the last one takes what the division left over.
    if (width < m_defaultTabWidth) m_tabs.back()->ObjectRect.Right = Width();
}

void TbsSkinMDITabsBar::Resize() {
    TbsSkinControl::Resize();
    Layout();
    // On an MDI main form the client below follows the bar's height.
    if (auto* form = dynamic_cast<TForm*>(Parent());
        form && form->MDIClient() && Align() == platform::forms::alTop)
        form->MDIClient()->FitToParent();
}

int TbsSkinMDITabsBar::TabAt(int x, int y) const {
    for (int i = 0; i < TabCount(); ++i)
        if (m_tabs[static_cast<size_t>(i)]->ObjectRect.Contains({x, y})) return i;
    return -1;
}

TRect TbsSkinMDITabsBar::DraggedRect() const {
    const TbsMDITab* tab = Tab(m_dragTab);
    if (!tab) return {};
    const TRect& r = tab->ObjectRect;
    const int left = std::clamp(r.Left + m_dragOffset, 0, std::max(0, Width() - r.Width()));
    return {left, r.Top, left + r.Width(), r.Bottom};
}

int TbsSkinMDITabsBar::DropIndex() const {
    if (!m_dragging || !Tab(m_dragTab)) return m_dragTab;
    const TRect moved = DraggedRect();
    int target = m_dragTab;
    auto centre = [this](int i) {
        const TRect& r = m_tabs[static_cast<size_t>(i)]->ObjectRect;
        return (r.Left + r.Right) / 2;
    };
    if (m_dragOffset > 0) {
        for (int i = m_dragTab + 1; i < TabCount(); ++i)
            if (moved.Right > centre(i)) target = i;
    } else if (m_dragOffset < 0) {
        for (int i = m_dragTab - 1; i >= 0; --i)
            if (moved.Left < centre(i)) target = i;
    }
    return target;
}

// ---- Skin ----

void TbsSkinMDITabsBar::LookUpRecord() {
    TbsSkinControl::LookUpRecord();
    auto* r = ControlRecordAs<TbsDataSkinTabControl>(m_skinData, m_recordIndex);
    m_picture = r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
    // A record of another class, or one without a picture, gives the default look.
    if (!r || !m_picture) {
        m_recordIndex = -1;
        m_picture = nullptr;
        return;
    }
    tabrect = r->tabrect;
    activetabrect = IsEmptyRect(r->activetabrect) ? r->tabrect : r->activetabrect;
    mouseintabrect = IsEmptyRect(r->mouseintabrect) ? r->tabrect : r->mouseintabrect;
    tabsbgrect = r->tabsbgrect;
    tableftoffset = r->tableftoffset;
    tabrightoffset = r->tabrightoffset;
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    fontcolor = r->fontcolor;
    focusfontcolor = r->focusfontcolor;
    mouseinfontcolor = r->mouseinfontcolor;
}

void TbsSkinMDITabsBar::FitHeight() {
    const int height = m_recordIndex == -1 || IsEmptyRect(tabrect) ? m_defaultHeight : tabrect.Height();
    if (height != Height()) SetBounds(Left(), Top(), Width(), height);
}

void TbsSkinMDITabsBar::ApplySkin() {
    LookUpRecord();
    FitHeight();
    Layout();
    Invalidate();
}

// ---- Mouse ----

void TbsSkinMDITabsBar::SetHot(int index) {
    if (index == m_hotTab) return;
    const auto alive = WeakRef();
    if (TbsMDITab* old = Tab(m_hotTab)) {
        old->PointerOver = false;
        m_hotTab = -1;
        Invalidate();
        if (OnTabMouseLeave) OnTabMouseLeave(old);
        if (!alive) return;
    }
    m_hotTab = -1;
    if (TbsMDITab* now = Tab(index)) {
        now->PointerOver = true;
        m_hotTab = index;
        Invalidate();
        if (OnTabMouseEnter) OnTabMouseEnter(now);
    }
}

void TbsSkinMDITabsBar::ShowChild(TForm* child) {
    const auto alive = WeakRef();
    if (!child->Visible()) child->Show();
    if (!alive) return;
    TbsSkinForm* skinForm = TbsSkinFormBehaviour::FindSkinForm(child);
    if (skinForm && skinForm->WindowState() == platform::forms::wsMinimized)
        skinForm->SetWindowState(platform::forms::wsNormal);
    else if (child->WindowState() == platform::forms::wsMinimized)
        child->SetWindowState(platform::forms::wsNormal);
    if (!alive) return;
    if (auto* client = dynamic_cast<platform::forms::TMdiClient*>(child->Parent()))
        client->Activate(child);
    else
        child->BringToFront();
    if (alive) CheckActive();
}

void TbsSkinMDITabsBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    TbsSkinControl::MouseDown(button, shift, x, y);
    if (!alive) return;
    TbsMDITab* tab = Tab(TabAt(x, y));
    if (!tab) return;
    if (button == platform::forms::mbLeft) {
        const auto childAlive = tab->Child->WeakRef();
        ShowChild(tab->Child);
        if (!alive) return;
        // Showing may have closed the child (and its tab) or changed the row.
        if (!childAlive) return;
        m_dragTab = IndexOfTab(tab->Child);
        m_pressX = x;
        m_dragOffset = 0;
        m_pressed = m_dragTab >= 0;
        m_dragging = false;
        tab = Tab(m_dragTab);
        if (!tab) return;
    }
    if (OnTabMouseDown) OnTabMouseDown(button, shift, tab);
}

void TbsSkinMDITabsBar::MouseMove(TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    TbsSkinControl::MouseMove(shift, x, y);
    if (!alive) return;
    if (m_pressed && (m_dragging || x != m_pressX)) {
        m_dragging = true;
        m_dragOffset = x - m_pressX;
        Invalidate();
        return;
    }
    SetHot(TabAt(x, y));
}

void TbsSkinMDITabsBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    TbsSkinControl::MouseUp(button, shift, x, y);
    if (!alive) return;
    if (button == platform::forms::mbLeft && m_dragging) {
        const int from = m_dragTab;
        const int to = DropIndex();
        if (from >= 0 && to >= 0 && from != to) {
            auto moved = std::move(m_tabs[static_cast<size_t>(from)]);
            m_tabs.erase(m_tabs.begin() + from);
            m_tabs.insert(m_tabs.begin() + to, std::move(moved));
        }
        EndDrag();
        Layout();
        m_hotTab = -1;
        for (const auto& tab : m_tabs) tab->PointerOver = false;
        SetHot(TabAt(x, y));
        Invalidate();
        return;
    }
    if (button == platform::forms::mbLeft) EndDrag();
    if (TbsMDITab* tab = Tab(TabAt(x, y)); tab && OnTabMouseUp) OnTabMouseUp(button, shift, tab);
}

void TbsSkinMDITabsBar::EndDrag() {
    const bool wasDragging = m_dragging;
    m_pressed = m_dragging = false;
    m_dragTab = -1;
    m_dragOffset = 0;
    if (wasDragging) Invalidate();
}

void TbsSkinMDITabsBar::CMMouseLeave(TMessage& message) {
    TbsSkinControl::CMMouseLeave(message);
    // A drag keeps the mouse; its tab stays hot until it is dropped.
    if (!m_pressed) SetHot(-1);
}

void TbsSkinMDITabsBar::WMCancelMode(TMessage& message) {
    TbsSkinControl::WMCancelMode(message);
    EndDrag();
    Layout();
}

}  // namespace skin
