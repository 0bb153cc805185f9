#include "platform/forms/PageControl.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"

namespace platform::forms {

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    m_controlStyle |= csAcceptsControls;
    m_controlStyle &= ~csSetCaption;
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (m_pageControl) m_pageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) {
    SetParent(value);
}

void TTabSheet::SetParent(TWinControl* parent) {
    auto* pc = dynamic_cast<TPageControl*>(parent);
    if (m_pageControl && m_pageControl != pc) m_pageControl->RemovePage(this);
    TCustomControl::SetParent(parent);
    if (pc && m_pageControl != pc) pc->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!m_pageControl) return -1;
    const auto& pages = m_pageControl->m_pages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (m_pageControl) m_pageControl->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value) {
    if (m_tabVisible == value) return;
    m_tabVisible = value;
    if (m_pageControl) m_pageControl->PagesChanged();
}

void TTabSheet::SetImageIndex(int value) {
    if (m_imageIndex == value) return;
    m_imageIndex = value;
    if (m_pageControl) m_pageControl->PagesChanged();
}

int TTabSheet::TabIndex() const {
    return m_pageControl ? m_pageControl->TabIndexOfPage(this) : -1;
}

void TTabSheet::SetText(const std::string& value) {
    TCustomControl::SetText(value);
    if (m_pageControl) m_pageControl->PagesChanged();
}

void TTabSheet::SetEnabled(bool value) {
    TCustomControl::SetEnabled(value);
    if (m_pageControl) m_pageControl->Invalidate();
}

void TTabSheet::Paint() {
    auto& c = Canvas();
    c.Brush.Style = gfx::TBrushStyle::bsSolid;
    c.Brush.Color = Color();
    c.FillRect(ClientRect());
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
    // The sheets are freed with the control's children; they must not report back to it.
    for (TTabSheet* page : m_pages) page->m_pageControl = nullptr;
    m_pages.clear();
    m_activePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return m_pages[static_cast<size_t>(index)];
}

int TPageControl::TabCount() const {
    return static_cast<int>(std::count_if(m_pages.begin(), m_pages.end(),
                                          [](const TTabSheet* p) { return p->TabVisible(); }));
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TTabSheet* p : m_pages) {
        if (!p->TabVisible()) continue;
        if (tabIndex-- == 0) return p;
    }
    return nullptr;
}

int TPageControl::TabIndexOfPage(const TTabSheet* page) const {
    int index = 0;
    for (const TTabSheet* p : m_pages) {
        if (!p->TabVisible()) continue;
        if (p == page) return index;
        ++index;
    }
    return -1;
}

std::string TPageControl::TabCaption(int index) const {
    const TTabSheet* p = PageOfTab(index);
    return p ? p->Caption() : std::string();
}

int TPageControl::TabImageIndex(int index) const {
    const TTabSheet* p = PageOfTab(index);
    return p ? p->ImageIndex() : -1;
}

bool TPageControl::TabImageEnabled(int index) const {
    const TTabSheet* p = PageOfTab(index);
    return p && p->Enabled();
}

int TPageControl::TabItemIndex(int index) const {
    const TTabSheet* p = PageOfTab(index);
    return p ? p->PageIndex() : -1;
}

void TPageControl::SetTabIndex(int value) {
    if (TTabSheet* p = PageOfTab(value)) SetActivePage(p);
}

int TPageControl::ActivePageIndex() const {
    return m_activePage ? m_activePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int value) {
    SetActivePage(Pages(value));
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->m_pageControl != this) return;
    if (page == m_activePage) return;
    TTabSheet* old = m_activePage;
    m_activePage = page;
    TCustomTabControl::SetTabIndex(TabIndexOfPage(page));
    ShowActiveOnly();
    if (old && old->OnHide) old->OnHide(old);
    if (page && page->OnShow) page->OnShow(page);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    int start = current ? current->PageIndex() : -1;
    if (start < 0) start = goForward ? count - 1 : 0;
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* p = m_pages[static_cast<size_t>(i)];
        if (!checkTabVisible || p->TabVisible()) return p;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* next = FindNextPage(m_activePage, goForward, checkTabVisible);
    if (!next || next == m_activePage || !CanChange()) return;
    SetActivePage(next);
    Change();
}

void TPageControl::InsertPage(TTabSheet* page) {
    m_pages.push_back(page);
    page->m_pageControl = this;
    PagesChanged();
    if (!m_activePage && !IsLoading()) SetActivePage(page);
    else page->SetVisible(page == m_activePage);
}

void TPageControl::RemovePage(TTabSheet* page) {
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end()) return;
    TTabSheet* next = page == m_activePage ? FindNextPage(page, true, true) : m_activePage;
    if (next == page) next = nullptr;
    m_pages.erase(it);
    page->m_pageControl = nullptr;
    if (page == m_activePage) m_activePage = nullptr;
    PagesChanged();
    if (!m_activePage && next) SetActivePage(next);
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end()) return;
    m_pages.erase(it);
    index = std::clamp(index, 0, PageCount());
    m_pages.insert(m_pages.begin() + index, page);
    PagesChanged();
}

void TPageControl::PagesChanged() {
    TabsChanged();
    TCustomTabControl::SetTabIndex(TabIndexOfPage(m_activePage));
}

void TPageControl::LayoutChanged() {
    PlaceSheets();
}

void TPageControl::PlaceSheets() {
    const TRect r = DisplayRect();
    for (TTabSheet* p : m_pages) p->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

void TPageControl::ShowActiveOnly() {
    for (TTabSheet* p : m_pages) p->SetVisible(p == m_activePage);
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    if (!m_activePage && !m_pages.empty()) {
        TTabSheet* first = FindNextPage(nullptr, true, true);
        SetActivePage(first ? first : m_pages.front());
    }
    PagesChanged();
    ShowActiveOnly();
    PlaceSheets();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TCustomTabControl::Notification(component, operation);
    // A sheet reports its own going; only the pointer is compared here, as the sheet may be
    // half destroyed.
    if (operation != opRemove) return;
    for (TTabSheet* page : m_pages)
        if (page == component) {
            RemovePage(page);
            return;
        }
}

}  // namespace platform::forms
