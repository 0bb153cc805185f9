#include "platform/forms/ListView.h"

#include <algorithm>
#include <numeric>

#include "platform/core/Strings.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr int kScrollStepX = 10;
constexpr int kIconCellWidth = 76;
constexpr int kMaxListColumnWidth = 300;
constexpr int kOwnerDataColumnWidth = 120;
}  // namespace

TListView::TListView(TComponent* owner) : TCustomControl(owner), m_items(*this), m_columns(*this) {
    m_width = 250;
    m_height = 150;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(gfx::clWindow);
    m_controlStyle |= csOpaque;
    m_rowHeight = std::max(17, gfx::TextEngine::Metrics(Font()).Height + 3);
    SetColumnHeader(new THeaderControl(this));
}

void TListView::SetColumnHeader(THeaderControl* header) {
    if (!header || header == m_header) return;
    // Taken out of the list's children first, while it is still whole: a control being
    // destroyed no longer counts as windowed, and would stay in the tab order.
    if (m_header) m_header->SetParent(nullptr);
    delete m_header;
    m_header = header;
    header->SetAlign(alNone);
    header->SetVisible(false);
    header->SetParent(this);
    header->OnSectionClick = [this](TComponent*, THeaderSection* s) {
        if (OnColumnClick) OnColumnClick(this, s->Index());
    };
    header->OnSectionsChange = [this](TComponent*) { HeaderSectionsChanged(); };
    UpdateHeader();
}

TListView::~TListView() = default;

// ---- Changes ----

void TListView::ItemsChanged() {
    m_selected.resize(static_cast<size_t>(m_items.Count()), 0);
    if (m_focused >= m_items.Count()) m_focused = m_items.Count() - 1;
    if (m_anchor >= m_items.Count()) m_anchor = -1;
    m_listColumnWidth = -1;
    if (m_items.Updating()) return;
    if (m_sortType == stText) AlphaSort();
    Relayout();
}

void TListView::ItemChanged(int index, TItemChange change) {
    if (m_items.Updating() || index < 0 || index >= m_items.Count()) return;
    InvalidateItem(index);
    if (OnChange && !m_ownerData) OnChange(this, m_items.Item(index), change);
}

void TListView::ItemInserted(int index) {
    m_selected.insert(m_selected.begin() + index, 0);
    if (m_focused >= index) ++m_focused;
    if (m_anchor >= index) ++m_anchor;
    m_listColumnWidth = -1;
    if (!m_items.Updating()) Relayout();
}

void TListView::ItemDeleted(int index) {
    if (static_cast<size_t>(index) < m_selected.size()) m_selected.erase(m_selected.begin() + index);
    if (m_focused == index) m_focused = std::min(index, m_items.Count() - 1);
    else if (m_focused > index) --m_focused;
    if (m_anchor == index) m_anchor = -1;
    else if (m_anchor > index) --m_anchor;
    m_listColumnWidth = -1;
    if (!m_items.Updating()) Relayout();
}

void TListView::ColumnsChanged() {
    UpdateHeader();
    Relayout();
}

void TListView::Relayout() {
    SetScrollTop(m_top);
    SetScrollX(m_scrollX);
    UpdateHeader();
    if (HandleAllocated()) Invalidate();
}

int TListView::HeaderHeight() const {
    return m_header && m_viewStyle == vsReport && m_showColumnHeaders ? m_header->Height() : 0;
}

void TListView::UpdateHeader() {
    if (!m_header || m_updatingHeader) return;
    m_updatingHeader = true;
    THeaderSections& sections = m_header->Sections();
    while (sections.Count() > m_columns.Count()) sections.Delete(sections.Count() - 1);
    while (sections.Count() < m_columns.Count()) sections.Add();
    for (int i = 0; i < m_columns.Count(); ++i) {
        const TListColumn& c = m_columns.Items(i);
        THeaderSection* s = sections.Items(i);
        if (s->Text() != c.Caption) s->SetText(c.Caption);
        if (s->Width() != c.Width) s->SetWidth(c.Width);
        if (s->Alignment() != c.Alignment) s->SetAlignment(c.Alignment);
        if (s->ImageIndex() != c.ImageIndex) s->SetImageIndex(c.ImageIndex);
    }
    const int height = std::max(17, gfx::TextEngine::Metrics(Font()).Height + 6);
    m_header->SetBounds(0, 0, std::max(0, ClientWidth()), height);
    m_header->SetOffset(-m_scrollX);
    m_header->SetImages(m_smallImages);
    m_header->SetVisible(m_viewStyle == vsReport && m_showColumnHeaders);
    m_updatingHeader = false;
}

void TListView::HeaderSectionsChanged() {
    if (m_updatingHeader) return;
    // The user dragged a divider or moved a section: take the header's widths and order.
    const THeaderSections& sections = m_header->Sections();
    bool changed = false;
    for (int i = 0; i < sections.Count() && i < m_columns.Count(); ++i) {
        TListColumn& c = m_columns.m_columns[static_cast<size_t>(i)];
        const THeaderSection* s = sections.Items(i);
        if (c.Width != s->Width() || c.Caption != s->Text()) {
            c.Width = s->Width();
            c.Caption = s->Text();
            changed = true;
        }
    }
    if (changed) {
        SetScrollX(m_scrollX);
        Invalidate();
    }
}

// ---- Geometry ----

int TListView::ListColumnWidth() const {
    if (m_listColumnWidth < 0) {
        const int image = m_smallImages ? m_smallImages->Width() + 4 : 0;
        int widest = kOwnerDataColumnWidth;
        if (!m_ownerData) {
            widest = 0;
            for (const auto& item : m_items.m_items)
                widest = std::max(widest, gfx::TextEngine::TextWidth(Font(), item->Caption()));
            widest = std::min(widest, kMaxListColumnWidth);
        }
        m_listColumnWidth = std::max(40, image + widest + 10);
    }
    return m_listColumnWidth;
}

core::TSize TListView::CellSize() const {
    switch (m_viewStyle) {
        case vsIcon: {
            const int imageW = m_largeImages ? m_largeImages->Width() : 32;
            const int imageH = m_largeImages ? m_largeImages->Height() : 32;
            const int textH = gfx::TextEngine::Metrics(Font()).Height;
            return {std::max(kIconCellWidth, imageW + 12), imageH + 8 + 2 * textH};
        }
        case vsSmallIcon:
        case vsList:
            return {ListColumnWidth(), m_rowHeight};
        case vsReport:
            return {m_columns.Count() > 0 ? m_columns.TotalWidth() : ClientWidth(), m_rowHeight};
    }
    return {};
}

int TListView::Cols() const { return std::max(1, ClientWidth() / std::max(1, CellSize().cx)); }

int TListView::RowsPerColumn() const { return std::max(1, ClientHeight() / std::max(1, m_rowHeight)); }

int TListView::ContentHeight() const {
    const int count = m_items.Count();
    const int cols = Cols();
    return (count + cols - 1) / cols * CellSize().cy;
}

int TListView::VisibleRowCount() const {
    switch (m_viewStyle) {
        case vsReport: return std::max(0, (ClientHeight() - HeaderHeight()) / std::max(1, m_rowHeight));
        case vsList: return RowsPerColumn() * std::max(1, ClientWidth() / ListColumnWidth());
        default: return std::max(0, ClientHeight() / std::max(1, CellSize().cy)) * Cols();
    }
}

int TListView::TopIndex() const {
    switch (m_viewStyle) {
        case vsReport: return m_top;
        case vsList: return m_top * RowsPerColumn();
        default: return m_top / std::max(1, CellSize().cy) * Cols();
    }
}

TListItem* TListView::TopItem() const {
    const int top = TopIndex();
    return top < m_items.Count() ? m_items.Item(top) : nullptr;
}

TRect TListView::ItemRect(int index) const {
    if (index < 0 || index >= m_items.Count()) return {};
    const core::TSize cell = CellSize();
    switch (m_viewStyle) {
        case vsReport: {
            const int top = HeaderHeight() + (index - m_top) * m_rowHeight;
            return {-m_scrollX, top, cell.cx - m_scrollX, top + m_rowHeight};
        }
        case vsList: {
            const int rows = RowsPerColumn();
            const int x = (index / rows - m_top) * cell.cx;
            const int y = index % rows * m_rowHeight;
            return {x, y, x + cell.cx, y + m_rowHeight};
        }
        default: {
            const int cols = Cols();
            const int x = index % cols * cell.cx - m_scrollX;
            const int y = index / cols * cell.cy - m_top;
            return {x, y, x + cell.cx, y + cell.cy};
        }
    }
}

int TListView::IndexAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= ClientWidth() || y >= ClientHeight()) return -1;
    const core::TSize cell = CellSize();
    int index = -1;
    switch (m_viewStyle) {
        case vsReport:
            if (y < HeaderHeight() || x + m_scrollX >= std::max(cell.cx, 1)) return -1;
            index = m_top + (y - HeaderHeight()) / m_rowHeight;
            break;
        case vsList: {
            const int rows = RowsPerColumn();
            if (y >= rows * m_rowHeight) return -1;
            index = (m_top + x / cell.cx) * rows + y / m_rowHeight;
            break;
        }
        default: {
            const int cols = Cols();
            const int col = (x + m_scrollX) / cell.cx;
            if (col >= cols) return -1;
            index = (y + m_top) / cell.cy * cols + col;
            break;
        }
    }
    return index < m_items.Count() ? index : -1;
}

TListItem* TListView::GetItemAt(int x, int y) const {
    const int index = IndexAt(x, y);
    return index < 0 ? nullptr : m_items.Item(index);
}

int TListView::MaxTop() const {
    const int count = m_items.Count();
    switch (m_viewStyle) {
        case vsReport: return std::max(0, count - std::max(1, VisibleRowCount()));
        case vsList: {
            const int rows = RowsPerColumn();
            const int columns = (count + rows - 1) / rows;
            return std::max(0, columns - std::max(1, ClientWidth() / ListColumnWidth()));
        }
        default: return std::max(0, ContentHeight() - ClientHeight());
    }
}

void TListView::SetScrollTop(int value) {
    const int top = std::clamp(value, 0, MaxTop());
    if (top == m_top) return;
    m_top = top;
    if (HandleAllocated()) Invalidate();
    ScrollPositionChanged();
}

void TListView::SetScrollX(int value) {
    int contentWidth = 0;
    if (m_viewStyle == vsReport) contentWidth = m_columns.TotalWidth();
    else if (m_viewStyle != vsList) contentWidth = Cols() * CellSize().cx;
    const int x = std::clamp(value, 0, std::max(0, contentWidth - ClientWidth()));
    if (m_header) m_header->SetOffset(-x);
    if (x == m_scrollX) return;
    m_scrollX = x;
    if (HandleAllocated()) Invalidate();
    ScrollPositionChanged();
}

TScrollRange TListView::ScrollRange(int bar) const {
    const int count = m_items.Count();
    switch (m_viewStyle) {
        case vsReport:
            if (bar == SB_VERT) return count == 0 ? TScrollRange{} : TScrollRange{0, count - 1, VisibleRowCount(), m_top};
            if (m_columns.TotalWidth() == 0) return {};
            return {0, m_columns.TotalWidth(), ClientWidth(), m_scrollX};
        case vsList: {
            if (bar == SB_VERT || count == 0) return {};
            const int rows = RowsPerColumn();
            return {0, (count + rows - 1) / rows - 1, std::max(1, ClientWidth() / ListColumnWidth()), m_top};
        }
        default:
            if (count == 0) return {};
            if (bar == SB_VERT) return {0, ContentHeight(), ClientHeight(), m_top};
            return {0, Cols() * CellSize().cx, ClientWidth(), m_scrollX};
    }
}

void TListView::Scroll(int bar, int code, int pos) {
    const bool rows = m_viewStyle == vsReport || m_viewStyle == vsList;
    const bool vertical = bar == SB_VERT;
    // The direction m_top moves in: report rows (vertical), list columns (horizontal), icon pixels.
    const bool topBar = (m_viewStyle == vsList) ? !vertical : vertical;
    if (m_viewStyle == vsList && vertical) return;
    int line = kScrollStepX;
    int page = std::max(1, ClientWidth());
    int current = m_scrollX;
    if (topBar) {
        line = rows ? 1 : std::max(1, CellSize().cy / 2);
        page = m_viewStyle == vsReport ? std::max(1, VisibleRowCount())
               : m_viewStyle == vsList ? std::max(1, ClientWidth() / ListColumnWidth())
                                       : std::max(1, ClientHeight());
        current = m_top;
    }
    int target = current;
    switch (code) {
        case SB_LINEUP: target = current - line; break;
        case SB_LINEDOWN: target = current + line; break;
        case SB_PAGEUP: target = current - page; break;
        case SB_PAGEDOWN: target = current + page; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: target = pos; break;
        case SB_TOP: target = 0; break;
        case SB_BOTTOM: target = 1 << 28; break;
        default: return;
    }
    if (topBar)
        SetScrollTop(target);
    else
        SetScrollX(target);
}

void TListView::MakeVisible(int index) {
    if (index < 0 || index >= m_items.Count()) return;
    switch (m_viewStyle) {
        case vsReport: {
            const int page = std::max(1, VisibleRowCount());
            if (index < m_top) SetScrollTop(index);
            else if (index >= m_top + page) SetScrollTop(index - page + 1);
            return;
        }
        case vsList: {
            const int column = index / RowsPerColumn();
            const int page = std::max(1, ClientWidth() / ListColumnWidth());
            if (column < m_top) SetScrollTop(column);
            else if (column >= m_top + page) SetScrollTop(column - page + 1);
            return;
        }
        default: {
            const core::TSize cell = CellSize();
            const int y = index / Cols() * cell.cy;
            if (y < m_top) SetScrollTop(y);
            else if (y + cell.cy > m_top + ClientHeight()) SetScrollTop(y + cell.cy - ClientHeight());
            return;
        }
    }
}

int TListView::FindCaption(const std::string& prefix, int start, bool includeStart) const {
    const int count = m_items.Count();
    if (prefix.empty() || count == 0) return -1;
    if (start < 0 || start >= count) {
        start = 0;
        includeStart = true;
    }
    for (int step = includeStart ? 0 : 1; step <= count; ++step) {
        const int i = (start + step) % count;
        const std::string& caption = m_items.Item(i)->Caption();
        if (caption.size() >= prefix.size() && core::SameText(caption.substr(0, prefix.size()), prefix)) return i;
    }
    return -1;
}

// ---- Properties ----

void TListView::SetViewStyle(TViewStyle value) {
    if (value == m_viewStyle) return;
    m_viewStyle = value;
    m_top = 0;
    m_scrollX = 0;
    Relayout();
    MakeVisible(m_focused);
}

void TListView::SetShowColumnHeaders(bool value) {
    m_showColumnHeaders = value;
    Relayout();
}

void TListView::SetMultiSelect(bool value) {
    if (value == m_multiSelect) return;
    m_multiSelect = value;
    if (!value) {
        const int keep = ItemIndex();
        for (int i = 0; i < m_items.Count(); ++i)
            if (i != keep && IsSelected(i)) SetSelectedRaw(i, false);
    }
}

void TListView::SetRowSelect(bool value) {
    m_rowSelect = value;
    Invalidate();
}

void TListView::SetHideSelection(bool value) {
    m_hideSelection = value;
    Invalidate();
}

void TListView::SetOwnerData(bool value) {
    if (value == m_ownerData) return;
    m_items.Clear();
    m_ownerData = value;
    m_items.m_virtualCount = 0;
    ItemsChanged();
}

void TListView::SetSortType(TSortType value) {
    m_sortType = value;
    if (value == stText) AlphaSort();
}

void TListView::SetLargeImages(TImageListComponent* value) {
    if (m_largeImages) m_largeImages->RemoveFreeNotification(this);
    m_largeImages = value;
    if (value) value->FreeNotification(this);
    Relayout();
}

void TListView::SetSmallImages(TImageListComponent* value) {
    if (m_smallImages) m_smallImages->RemoveFreeNotification(this);
    m_smallImages = value;
    if (value) value->FreeNotification(this);
    m_listColumnWidth = -1;
    if (value) m_rowHeight = std::max(m_rowHeight, value->Height() + 2);
    Relayout();
}

void TListView::SetStateImages(TImageListComponent* value) {
    if (m_stateImages) m_stateImages->RemoveFreeNotification(this);
    m_stateImages = value;
    if (value) value->FreeNotification(this);
    Invalidate();
}

void TListView::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_header) m_header = nullptr;
    if (component == m_largeImages) SetLargeImages(nullptr);
    if (component == m_smallImages) SetSmallImages(nullptr);
    if (component == m_stateImages) SetStateImages(nullptr);
}

void TListView::FontChanged() {
    TCustomControl::FontChanged();
    m_rowHeight = std::max(17, gfx::TextEngine::Metrics(Font()).Height + 3);
    if (m_smallImages) m_rowHeight = std::max(m_rowHeight, m_smallImages->Height() + 2);
    m_listColumnWidth = -1;
    Relayout();
}

// ---- Sorting ----

void TListView::AlphaSort() {
    CustomSort([this](const TListItem& a, const TListItem& b) {
        if (!OnCompare) return core::CompareText(a.Caption(), b.Caption());
        int result = 0;
        OnCompare(this, const_cast<TListItem*>(&a), const_cast<TListItem*>(&b), 0, result);
        return result;
    });
}

void TListView::CustomSort(const std::function<int(const TListItem&, const TListItem&)>& compare) {
    if (m_ownerData || m_items.m_items.size() < 2) return;
    auto& items = m_items.m_items;
    std::vector<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return compare(*items[static_cast<size_t>(a)], *items[static_cast<size_t>(b)]) < 0;
    });
    std::vector<std::unique_ptr<TListItem>> sorted(items.size());
    std::vector<uint8_t> selected(items.size(), 0);
    std::vector<int> newIndex(items.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const auto from = static_cast<size_t>(order[i]);
        sorted[i] = std::move(items[from]);
        selected[i] = from < m_selected.size() ? m_selected[from] : 0;
        newIndex[from] = static_cast<int>(i);
    }
    items = std::move(sorted);
    m_selected = std::move(selected);
    m_items.Renumber(0);
    if (m_focused >= 0) m_focused = newIndex[static_cast<size_t>(m_focused)];
    if (m_anchor >= 0) m_anchor = newIndex[static_cast<size_t>(m_anchor)];
    if (HandleAllocated()) Invalidate();
}

}  // namespace platform::forms
