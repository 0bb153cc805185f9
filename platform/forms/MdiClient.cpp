#include "platform/forms/MdiClient.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/MainMenuBar.h"
#include "platform/forms/Menus.h"
#include "platform/gfx/Color.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {

TWindowSystem* System() {
    return TWindowSystem::Current();
}

// The step between cascaded children: one caption and one frame.
int CascadeStep() {
    return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
}

bool IsArrangeable(const TForm* child) {
    return child->Visible() && child->WindowState() != wsMinimized;
}

}  // namespace

// Owned by no component (so that form resources never list it): the main form frees it as its
// child, and its children with it.
TMdiClient::TMdiClient(TForm* mainForm)
    : TWinControl(nullptr), m_mainForm(mainForm), m_mainCaption(mainForm->Caption()) {
    SetColor(gfx::clAppWorkSpace);
    SetTabStop(false);
    SetParent(mainForm);
    FitToParent();
}

TMdiClient::~TMdiClient() {
    Destroying();
    for (TForm* child : m_created) child->RemoveFreeNotification(this);
    if (m_windowMenu) m_windowMenu->RemoveFreeNotification(this);
}

TForm* TMdiClient::Child(int index) const {
    if (index < 0 || index >= ChildCount()) return nullptr;
    return m_order[static_cast<size_t>(index)];
}

TForm* TMdiClient::MaximizedChild() const {
    for (TForm* child : m_order)
        if (child->Visible() && child->m_windowState == wsMaximized) return child;
    return nullptr;
}

void TMdiClient::AddChild(TForm* child) {
    if (std::find(m_created.begin(), m_created.end(), child) != m_created.end()) return;
    m_created.push_back(child);
    m_order.push_back(child);
    child->FreeNotification(this);
}

void TMdiClient::RemoveChild(TForm* child) {
    if (std::find(m_created.begin(), m_created.end(), child) == m_created.end()) return;
    if (m_drag.Child == child) m_drag = {};
    const bool wasMaximized = child->m_windowState == wsMaximized;
    // While the main form itself goes (its owned children go with it), only the lists are kept
    // right: the form, its menu and its bars are no longer whole objects.
    const bool mainGoing = IsDestroying() || m_mainForm->IsDestroying();
    if (!mainGoing) ChildChanged(child, mdiChildRemoved);
    std::erase(m_created, child);
    std::erase(m_order, child);
    m_normalBounds.erase(child);
    m_minimizedSizes.erase(child);
    if (mainGoing) {
        if (m_active == child) m_active = nullptr;
        return;
    }
    if (TMainMenu* menu = m_mainForm->Menu(); menu && child->Menu()) {
        menu->Unmerge(child->Menu());
        UpdateMenuBar(*m_mainForm);
    }
    if (m_active == child) {
        m_active = nullptr;
        for (TForm* next : m_order)
            if (next->Visible() && !next->IsDestroying()) {
                Activate(next);
                break;
            }
    }
    if (wasMaximized) {
        UpdateMainTitle();
        SignalMainForm(WM_MDICHILDRESTORED);
    }
    UpdateWindowMenu();
}

void TMdiClient::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_windowMenu) {
        m_windowMenu = nullptr;
        m_menuItems.clear();
    }
    std::erase(m_menuItems, component);
    if (auto it = std::find(m_created.begin(), m_created.end(), component); it != m_created.end())
        RemoveChild(*it);
}

void TMdiClient::ShowChild(TForm* child) {
    AddChild(child);
    TWindow* w = child->Handle();
    const TWindowState wanted = child->m_windowState;
    child->m_windowState = wsNormal;
    System()->ShowWindow(w, SW_SHOWNA);
    // A child opened while another is maximised opens maximised too, as the platform does.
    if (wanted == wsNormal && MaximizedChild() && MaximizedChild() != child)
        SetChildState(child, wsMaximized);
    else if (wanted != wsNormal)
        SetChildState(child, wanted);
    const auto alive = child->WeakRef();
    ChildChanged(child, mdiChildShown);
    if (alive) Activate(child);
}

void TMdiClient::ChildChanged(TForm* child, TMdiChildChange change) {
    if (!OnChildChange || IsDestroying() || m_mainForm->IsDestroying()) return;
    // A copy: the handler may replace itself.
    TMdiChildChangeEvent handler = OnChildChange;
    handler(child, change);
}

void TMdiClient::SetMinimizedSize(const TForm* child, core::TSize size) {
    if (size.cx > 0 && size.cy > 0)
        m_minimizedSizes[child] = size;
    else
        m_minimizedSizes.erase(child);
}

void TMdiClient::Activate(TForm* child) {
    if (!child || std::find(m_order.begin(), m_order.end(), child) == m_order.end()) return;
    TForm* old = m_active;
    std::erase(m_order, child);
    m_order.insert(m_order.begin(), child);
    Restack();
    if (old != child) {
        if (old && old->m_windowState == wsMaximized && !m_switching) {
            m_switching = true;
            SetChildState(old, wsNormal);
            if (child->m_windowState != wsMinimized) SetChildState(child, wsMaximized);
            m_switching = false;
        }
        m_active = child;
        if (old) {
            old->m_active = false;
            if (TWindow* ow = old->HandleIfAllocated()) System()->SendMessage(ow, WM_NCACTIVATE, 0, 0);
            old->Deactivate();
        }
        child->m_active = true;
        if (TWindow* cw = child->HandleIfAllocated()) System()->SendMessage(cw, WM_NCACTIVATE, 1, 0);
        child->Activate();
    }
    MergeMenu(child);
    // The keyboard goes to the child while the main form holds the activation.
    if (m_mainForm->Active() && child->Visible()) child->SetWindowFocus();
    UpdateMainTitle();
    UpdateWindowMenu();
    ChildChanged(child, mdiChildActivated);
}

void TMdiClient::MergeMenu(const TForm* child) {
    TMainMenu* menu = m_mainForm->Menu();
    if (!menu) return;
    if (child->Menu())
        menu->Merge(child->Menu());
    else if (menu->MergedMenu())
        menu->Unmerge(menu->MergedMenu());
    UpdateMenuBar(*m_mainForm);
}

void TMdiClient::Restack() {
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it)
        if (TWindow* w = (*it)->HandleIfAllocated())
            System()->SetWindowPos(w, nullptr, w->WindowRect(), SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMdiClient::Next() {
    std::vector<TForm*> visible;
    for (TForm* child : m_order)
        if (child->Visible()) visible.push_back(child);
    if (visible.size() < 2) return;
    TForm* current = visible.front();
    TForm* next = visible[1];
    // The active child goes to the back, so repeated Next visits every child.
    std::erase(m_order, current);
    m_order.push_back(current);
    Activate(next);
}

void TMdiClient::Previous() {
    TForm* last = nullptr;
    for (TForm* child : m_order)
        if (child->Visible()) last = child;
    if (last && last != m_active) Activate(last);
}

void TMdiClient::SetChildState(TForm* child, TWindowState state) {
    const TWindowState old = child->m_windowState;
    if (state == old) return;
    if (old == wsMaximized) RestoreFrame(child);
    switch (state) {
        case wsMaximized:
            if (TForm* other = MaximizedChild(); other && other != child) {
                RestoreFrame(other);
                other->m_windowState = wsNormal;
                SetChildBounds(other, m_normalBounds[other]);
            }
            if (old == wsNormal) m_normalBounds[child] = child->BoundsRect();
            child->m_windowState = wsMaximized;
            Maximize(child);
            UpdateMainTitle();
            SignalMainForm(WM_MDICHILDMAXIMIZED);
            if (!m_switching) Activate(child);
            return;
        case wsMinimized:
            if (old == wsNormal) m_normalBounds[child] = child->BoundsRect();
            child->m_windowState = wsMinimized;
            Minimize(child);
            break;
        case wsNormal:
            child->m_windowState = wsNormal;
            if (auto it = m_normalBounds.find(child); it != m_normalBounds.end()) SetChildBounds(child, it->second);
            break;
    }
    if (old == wsMaximized) {
        UpdateMainTitle();
        SignalMainForm(WM_MDICHILDRESTORED);
    }
}

void TMdiClient::Maximize(TForm* child) {
    if (TWindow* w = child->HandleIfAllocated()) {
        System()->SetWindowStyle(w, w->Style() & ~(WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME));
        System()->SetWindowPos(w, nullptr, w->WindowRect(),
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    SetChildBounds(child, ClientRect());
}

void TMdiClient::RestoreFrame(TForm* child) {
    child->ApplyStyles();
}

void TMdiClient::Minimize(TForm* child) {
    const core::TSize size = MinimizedSize(child);
    const core::TPoint slot = FreeIconSlot(child);
    SetChildBounds(child, {slot.X, slot.Y, slot.X + size.cx, slot.Y + size.cy});
}

void TMdiClient::SetChildBounds(TForm* child, const core::TRect& r) {
    child->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

core::TSize TMdiClient::MinimizedSize() const {
    return {kMinimizedWidth, GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME)};
}

core::TSize TMdiClient::MinimizedSize(const TForm* child) const {
    const auto it = m_minimizedSizes.find(child);
    return it != m_minimizedSizes.end() ? it->second : MinimizedSize();
}

core::TPoint TMdiClient::FreeIconSlot(const TForm* child) const {
    const core::TSize size = MinimizedSize(child);
    const core::TRect area = ClientRect();
    auto taken = [&](int x, int y) {
        for (const TForm* other : m_order)
            if (other != child && other->Visible() && other->m_windowState == wsMinimized && other->Left() == x &&
                other->Top() == y)
                return true;
        return false;
    };
    int x = 0;
    int y = area.Height() - size.cy;
    while (taken(x, y)) {
        x += size.cx;
        if (x + size.cx > area.Width()) {
            x = 0;
            y -= size.cy;
            if (y < 0) return {0, area.Height() - size.cy};
        }
    }
    return {x, y};
}

std::vector<TForm*> TMdiClient::ArrangeableChildren() const {
    std::vector<TForm*> list;
    for (TForm* child : m_order)
        if (IsArrangeable(child)) list.push_back(child);
    return list;
}

void TMdiClient::Cascade() {
    if (TForm* maximized = MaximizedChild()) SetChildState(maximized, wsNormal);
    ArrangeIcons();
    const std::vector<TForm*> list = ArrangeableChildren();
    const core::TRect area = ClientRect();
    const int step = CascadeStep();
    const int width = area.Width() * 3 / 4;
    const int height = area.Height() * 3 / 4;
    // The rearmost child first, so the active child ends on top with the largest offset.
    int offset = 0;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        if (offset + height > area.Height() || offset + width > area.Width()) offset = 0;
        SetChildBounds(*it, {offset, offset, offset + width, offset + height});
        offset += step;
    }
}

void TMdiClient::Tile(TTileMode mode) {
    if (TForm* maximized = MaximizedChild()) SetChildState(maximized, wsNormal);
    ArrangeIcons();
    const std::vector<TForm*> list = ArrangeableChildren();
    const int n = static_cast<int>(list.size());
    if (n == 0) return;
    core::TRect area = ClientRect();
    // Minimised children keep their row at the bottom.
    for (TForm* child : m_order)
        if (child->Visible() && child->m_windowState == wsMinimized) area.Bottom = std::min(area.Bottom, child->Top());
    // Lines across the tiling direction; the last lines take one child more when n does not divide.
    const int lines = std::max(1, static_cast<int>(std::floor(std::sqrt(static_cast<double>(n)))));
    const bool columns = mode == tbHorizontal;  // horizontal tiles: wide windows, stacked per column
    const int across = columns ? area.Width() : area.Height();
    const int along = columns ? area.Height() : area.Width();
    int index = 0;
    for (int line = 0; line < lines; ++line) {
        const int count = n / lines + (line >= lines - n % lines ? 1 : 0);
        const int lineStart = across * line / lines;
        const int lineEnd = across * (line + 1) / lines;
        for (int k = 0; k < count; ++k, ++index) {
            const int cellStart = along * k / count;
            const int cellEnd = along * (k + 1) / count;
            const core::TRect r = columns ? core::TRect{area.Left + lineStart, area.Top + cellStart,
                                                        area.Left + lineEnd, area.Top + cellEnd}
                                          : core::TRect{area.Left + cellStart, area.Top + lineStart,
                                                        area.Left + cellEnd, area.Top + lineEnd};
            SetChildBounds(list[static_cast<size_t>(index)], r);
        }
    }
}

void TMdiClient::ArrangeIcons() {
    const core::TRect area = ClientRect();
    int x = 0;
    int y = 0;
    bool first = true;
    for (TForm* child : m_created) {
        if (!child->Visible() || child->m_windowState != wsMinimized) continue;
        const core::TSize size = MinimizedSize(child);
        if (first) y = area.Height() - size.cy;
        first = false;
        SetChildBounds(child, {x, y, x + size.cx, y + size.cy});
        x += size.cx;
        if (x + size.cx > area.Width()) {
            x = 0;
            y = std::max(0, y - size.cy);
        }
    }
}

void TMdiClient::BeginDrag(TForm* child, int hit, core::TPoint screen) {
    TWindow* w = child->HandleIfAllocated();
    if (!w || child->m_windowState == wsMaximized) return;
    const bool sizing = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
    if (hit != HTCAPTION && (!sizing || child->m_windowState == wsMinimized || !(w->Style() & WS_THICKFRAME))) return;
    m_drag = {child, hit, screen, child->BoundsRect()};
    System()->SetCapture(w);
}

void TMdiClient::DragTo(core::TPoint screen) {
    if (!m_drag.Child) return;
    const int dx = screen.X - m_drag.Start.X;
    const int dy = screen.Y - m_drag.Start.Y;
    core::TRect r = m_drag.Bounds;
    const core::TRect area = ClientRect();
    if (m_drag.Hit == HTCAPTION) {
        // The caption stays reachable: the top edge within the client, some of the width inside.
        const int left = std::clamp(r.Left + dx, 24 - r.Width(), std::max(0, area.Width() - 24));
        const int top = std::clamp(r.Top + dy, 0, std::max(0, area.Height() - 8));
        r = {left, top, left + r.Width(), top + r.Height()};
    } else {
        const int minW = GetSystemMetrics(SM_CXMINTRACK);
        const int minH = MinimizedSize().cy;
        const int h = m_drag.Hit;
        if (h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT) r.Left = std::min(r.Left + dx, r.Right - minW);
        if (h == HTRIGHT || h == HTTOPRIGHT || h == HTBOTTOMRIGHT) r.Right = std::max(r.Right + dx, r.Left + minW);
        if (h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT) r.Top = std::min(r.Top + dy, r.Bottom - minH);
        if (h == HTBOTTOM || h == HTBOTTOMLEFT || h == HTBOTTOMRIGHT) r.Bottom = std::max(r.Bottom + dy, r.Top + minH);
    }
    if (r != m_drag.Child->BoundsRect()) SetChildBounds(m_drag.Child, r);
}

void TMdiClient::EndDrag() {
    if (!m_drag.Child) return;
    TWindow* w = m_drag.Child->HandleIfAllocated();
    m_drag = {};
    if (w && System()->GetCapture() == w) System()->ReleaseCapture();
}

bool TMdiClient::DragMessage(TForm* child, TMessage& m) {
    if (m_drag.Child != child) return false;
    if (m.Msg == WM_MOUSEMOVE) {
        if (TWindow* w = child->HandleIfAllocated()) DragTo(w->ClientToScreen(PointFromLParam(m.LParam)));
        return true;
    }
    EndDrag();
    return m.Msg == WM_LBUTTONUP;
}

bool TMdiClient::ChildCommand(TForm* child, uint32_t command) {
    switch (command) {
        case SC_MINIMIZE:
            SetChildState(child, wsMinimized);
            return true;
        case SC_MAXIMIZE:
            SetChildState(child, wsMaximized);
            return true;
        case SC_RESTORE:
            SetChildState(child, wsNormal);
            return true;
        case SC_CLOSE:
            child->Close();
            return true;
        case SC_NEXTWINDOW:
            Next();
            return true;
        case SC_PREVWINDOW:
            Previous();
            return true;
        default:
            return false;
    }
}

void TMdiClient::SetTopInset(int value) {
    value = std::max(0, value);
    if (value == m_topInset) return;
    m_topInset = value;
    FitToParent();
}

void TMdiClient::FitToParent() {
    if (m_fitting) return;
    m_fitting = true;
    const core::TRect area = m_mainForm->ClientRect();
    // Top-aligned bars of the main form (a tabs bar, a tool bar) stack under the menu bar, in
    // their order among the form's controls; the client takes what is left below them.
    int top = m_topInset;
    for (int i = 0; i < m_mainForm->ControlCount(); ++i) {
        TControl* bar = m_mainForm->Controls(i);
        if (bar == this || bar->Align() != alTop || !bar->Visible()) continue;
        bar->SetBounds(0, top, area.Width(), bar->Height());
        top += bar->Height();
    }
    SetBounds(0, top, area.Width(), std::max(0, area.Height() - top));
    m_fitting = false;
    if (TForm* maximized = MaximizedChild()) SetChildBounds(maximized, ClientRect());
    SignalMainForm(WM_MDIFITCLIENT);
}

std::string TMdiClient::MainTitle() const {
    std::string title = m_mainCaption;
    if (const TForm* maximized = MaximizedChild()) title += " - [" + maximized->Caption() + "]";
    return title;
}

void TMdiClient::UpdateMainTitle() {
    if (m_mainForm->Caption() == MainTitle() || m_mainForm->IsDestroying()) return;
    m_settingTitle = true;
    m_mainForm->SetCaption(MainTitle());
    m_settingTitle = false;
}

void TMdiClient::MainCaptionChanged() {
    if (m_settingTitle) return;
    m_mainCaption = m_mainForm->Caption();
    UpdateMainTitle();
}

void TMdiClient::SetWindowMenu(TMenuItem* item) {
    if (item == m_windowMenu) return;
    for (TMenuItem* old : std::vector<TMenuItem*>(m_menuItems)) delete old;
    m_menuItems.clear();
    if (m_windowMenu) m_windowMenu->RemoveFreeNotification(this);
    m_windowMenu = item;
    if (item) item->FreeNotification(this);
    UpdateWindowMenu();
}

void TMdiClient::UpdateWindowMenu() {
    if (!m_windowMenu || IsDestroying()) return;
    for (TMenuItem* old : std::vector<TMenuItem*>(m_menuItems)) delete old;
    m_menuItems.clear();
    std::vector<TForm*> listed;
    for (TForm* child : m_created)
        if (child->Visible() && !child->IsDestroying()) listed.push_back(child);
    if (listed.empty()) return;
    auto add = [&](const std::string& caption) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        m_windowMenu->Add(item);
        item->FreeNotification(this);
        m_menuItems.push_back(item);
        return item;
    };
    if (m_windowMenu->Count() > 0) add("-");
    int number = 1;
    for (TForm* child : listed) {
        const std::string prefix = number < 10 ? "&" + std::to_string(number) + " " : std::to_string(number) + " ";
        TMenuItem* item = add(prefix + child->Caption());
        item->SetChecked(child == m_active);
        if (OnWindowMenuItem) OnWindowMenuItem(item, child);
        const auto target = child->WeakRef();
        item->OnClick = [this, child, target](TComponent*) {
            if (!target) return;
            if (child->m_windowState == wsMinimized) SetChildState(child, wsNormal);
            Activate(child);
        };
        ++number;
    }
}

void TMdiClient::SignalMainForm(uint32_t message) {
    if (TWindow* w = m_mainForm->HandleIfAllocated(); w && !m_mainForm->IsDestroying())
        System()->SendMessage(w, message, 0, 0);
}

void TMdiClient::WndProc(TMessage& m) {
    auto childOf = [this](TLParam p) -> TForm* {
        auto* window = PtrFromParam<TWindow>(p);
        for (TForm* child : m_order)
            if (child->HandleIfAllocated() == window) return child;
        return nullptr;
    };
    switch (m.Msg) {
        case WM_MDIACTIVATE:
            Activate(childOf(static_cast<TLParam>(m.WParam)));
            return;
        case WM_MDIRESTORE:
            if (TForm* child = childOf(static_cast<TLParam>(m.WParam))) SetChildState(child, wsNormal);
            return;
        case WM_MDIMAXIMIZE:
            if (TForm* child = childOf(static_cast<TLParam>(m.WParam))) SetChildState(child, wsMaximized);
            return;
        case WM_MDINEXT:
            if (m.LParam)
                Previous();
            else
                Next();
            return;
        case WM_MDICASCADE:
            Cascade();
            return;
        case WM_MDITILE:
            Tile((m.WParam & MDITILE_HORIZONTAL) ? tbHorizontal : tbVertical);
            return;
        case WM_MDIICONARRANGE:
            ArrangeIcons();
            return;
        case WM_MDIGETACTIVE:
            m.Result = m_active ? PtrToLParam(m_active->HandleIfAllocated()) : 0;
            return;
        default:
            TWinControl::WndProc(m);
            return;
    }
}

}  // namespace platform::forms
