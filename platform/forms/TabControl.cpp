#include "platform/forms/TabControl.h"

#include <algorithm>

#include "platform/forms/ListBox.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Messages.h"

namespace platform::forms {

using namespace ui;

namespace {

constexpr int kSideInset = 2;  // the strip begins and ends this far in from the control's edges
constexpr int kTextPadding = 6;
constexpr int kImageGap = 4;

std::string WithoutAccel(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

}  // namespace

TCustomTabControl::TCustomTabControl(TComponent* owner) : TCustomControl(owner) {
    m_width = 289;
    m_height = 193;
    m_controlStyle |= csAcceptsControls | csDoubleClicks;
    SetTabStop(true);
}

TCustomTabControl::~TCustomTabControl() {
    if (m_images) m_images->RemoveFreeNotification(this);
}

void TCustomTabControl::SetTabIndex(int value) {
    if (value < -1 || value >= TabCount()) value = TabCount() > 0 ? m_tabIndex : -1;
    if (value == m_tabIndex) return;
    m_tabIndex = value;
    if (m_tabIndex >= 0) MakeTabVisible(m_tabIndex);
    InvalidateLayout();
}

// ---- Published look ----

void TCustomTabControl::SetTabPosition(TTabPosition value) {
    if (m_tabPosition == value) return;
    m_tabPosition = value;
    if (value == tpLeft || value == tpRight) m_multiLine = true;
    InvalidateLayout();
}

void TCustomTabControl::SetMultiLine(bool value) {
    if (!value && (m_tabPosition == tpLeft || m_tabPosition == tpRight)) return;
    if (m_multiLine == value) return;
    m_multiLine = value;
    m_firstVisible = 0;
    InvalidateLayout();
}

void TCustomTabControl::SetRaggedRight(bool value) {
    if (m_raggedRight == value) return;
    m_raggedRight = value;
    InvalidateLayout();
}

void TCustomTabControl::SetScrollOpposite(bool value) {
    if (m_scrollOpposite == value) return;
    m_scrollOpposite = value;
    InvalidateLayout();
}

void TCustomTabControl::SetTabWidth(int value) {
    value = std::max(0, value);
    if (m_tabWidth == value) return;
    m_tabWidth = value;
    SetItemSize(value, m_itemHeight);
}

void TCustomTabControl::SetTabHeight(int value) {
    value = std::max(0, value);
    if (m_tabHeight == value) return;
    m_tabHeight = value;
    SetItemSize(m_itemWidth, value);
}

void TCustomTabControl::SetItemSize(int width, int height) {
    m_itemWidth = std::max(0, width);
    m_itemHeight = std::max(0, height);
    InvalidateLayout();
}

void TCustomTabControl::SetHotTrack(bool value) {
    m_hotTrack = value;
    if (!value) SetHotIndex(-1);
}

void TCustomTabControl::SetOwnerDraw(bool value) {
    if (m_ownerDraw == value) return;
    m_ownerDraw = value;
    Invalidate();
}

void TCustomTabControl::SetStyle(TTabStyle value) {
    if (m_style == value) return;
    m_style = value;
    InvalidateLayout();
}

void TCustomTabControl::SetImages(TImageListComponent* value) {
    if (m_images == value) return;
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = value;
    if (m_images) m_images->FreeNotification(this);
    InvalidateLayout();
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == m_images) {
        m_images = nullptr;
        InvalidateLayout();
    }
}

void TCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    InvalidateLayout();
}

// ---- Layout ----

void TCustomTabControl::InvalidateLayout() {
    m_layoutValid = false;
    if (IsLoading() || IsDestroying()) return;
    UpdateLayout();
    UpdateScrollArrows();
    LayoutChanged();
    Invalidate();
}

void TCustomTabControl::TabsChanged() {
    const int count = TabCount();
    if (m_tabIndex >= count) m_tabIndex = count - 1;
    if (m_tabIndex < 0 && count > 0) m_tabIndex = 0;
    m_firstVisible = std::clamp(m_firstVisible, 0, std::max(0, count - 1));
    m_hotIndex = -1;
    InvalidateLayout();
}

int TCustomTabControl::TabThickness() const {
    if (m_itemHeight > 0) return m_itemHeight;
    int h = gfx::TextEngine::Metrics(Font()).Height + 6;
    if (m_images) h = std::max(h, m_images->Height() + 4);
    return h;
}

int TCustomTabControl::MeasureTab(int index) const {
    if (m_itemWidth > 0) return m_itemWidth;
    int w = gfx::TextEngine::TextWidth(Font(), WithoutAccel(TabCaption(index))) + 2 * kTextPadding;
    const int image = TabImageIndex(index);
    if (m_images && image >= 0 && image < m_images->Count()) w += m_images->Width() + kImageGap;
    return w;
}

void TCustomTabControl::LayoutRows(int stripLength) const {
    const int count = TabCount();
    const int available = std::max(1, stripLength - 2 * kSideInset);
    std::vector<int> widths(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) widths[static_cast<size_t>(i)] = MeasureTab(i);
    m_slots.assign(static_cast<size_t>(count), {});
    m_totalLength = 0;
    for (int w : widths) m_totalLength += w;
    if (!m_multiLine) {
        int x = kSideInset;
        for (int i = 0; i < m_firstVisible && i < count; ++i) x -= widths[static_cast<size_t>(i)];
        for (int i = 0; i < count; ++i) {
            const int w = widths[static_cast<size_t>(i)];
            m_slots[static_cast<size_t>(i)] = {TRect{x, 0, x + w, 0}, 0};
            x += w;
        }
        m_rowCount = count > 0 ? 1 : 0;
        m_oppositeRows = 0;
        return;
    }
    PlaceRows(widths, available);
    MoveSelectedRow();
}

void TCustomTabControl::PlaceRows(const std::vector<int>& widths, int available) const {
    // Rows as they fill, first tab first; then justified unless ragged.
    const int count = static_cast<int>(widths.size());
    std::vector<std::vector<int>> rows;
    int used = 0;
    for (int i = 0; i < count; ++i) {
        const int w = widths[static_cast<size_t>(i)];
        if (rows.empty() || (used + w > available && !rows.back().empty())) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(i);
        used += w;
    }
    const int n = static_cast<int>(rows.size());
    for (int r = 0; r < n; ++r) {
        const auto& row = rows[static_cast<size_t>(r)];
        int rowWidth = 0;
        for (int i : row) rowWidth += widths[static_cast<size_t>(i)];
        const bool justify = n > 1 && !m_raggedRight && m_itemWidth == 0;
        const int extra = justify ? std::max(0, available - rowWidth) : 0;
        int x = kSideInset;
        const int k = static_cast<int>(row.size());
        for (int j = 0; j < k; ++j) {
            const int i = row[static_cast<size_t>(j)];
            const int w = widths[static_cast<size_t>(i)] + extra * (j + 1) / k - extra * j / k;
            m_slots[static_cast<size_t>(i)] = {TRect{x, 0, x + w, 0}, r};
            x += w;
        }
    }
    m_rowCount = n;
}

void TCustomTabControl::MoveSelectedRow() const {
    // The selected row moves next to the display area: rotation, or (ScrollOpposite) the rows in
    // front of it go to the other side.
    const int n = m_rowCount;
    int selectedRow = 0;
    if (m_tabIndex >= 0 && m_tabIndex < static_cast<int>(m_slots.size()))
        selectedRow = m_slots[static_cast<size_t>(m_tabIndex)].Row;
    m_oppositeRows = 0;
    for (auto& slot : m_slots) {
        if (m_scrollOpposite) {
            if (slot.Row >= selectedRow) {
                slot.Row -= selectedRow;
            } else {
                slot.Row = -1 - (selectedRow - 1 - slot.Row);  // opposite rows: -1 next to the area
            }
        } else {
            slot.Row = (slot.Row - selectedRow + n) % n;
        }
    }
    if (m_scrollOpposite) {
        m_oppositeRows = selectedRow;
        m_rowCount = n - selectedRow;
    }
}

void TCustomTabControl::UpdateLayout() const {
    if (m_layoutValid) return;
    const TRect client = ClientRect();
    const bool vertical = m_tabPosition == tpLeft || m_tabPosition == tpRight;
    LayoutRows(vertical ? client.Height() : client.Width());
    m_layoutValid = true;
}

int TCustomTabControl::RowCount() const {
    UpdateLayout();
    return m_rowCount;
}

int TCustomTabControl::OppositeRowCount() const {
    UpdateLayout();
    return m_oppositeRows;
}

int TCustomTabControl::RowOfTab(int index) const {
    UpdateLayout();
    if (index < 0 || index >= static_cast<int>(m_slots.size())) return -1;
    return m_slots[static_cast<size_t>(index)].Row;
}

TRect TCustomTabControl::SlotToClient(const TTabSlot& slot) const {
    const TRect c = ClientRect();
    const int t = TabThickness();
    const int a0 = slot.Rect.Left, a1 = slot.Rect.Right;
    const bool opposite = slot.Row < 0;
    const int row = opposite ? -1 - slot.Row : slot.Row;
    const int rows = opposite ? m_oppositeRows : m_rowCount;
    TTabPosition side = m_tabPosition;
    if (opposite) {
        static constexpr TTabPosition kOpposite[] = {tpBottom, tpTop, tpRight, tpLeft};
        side = kOpposite[m_tabPosition];
    }
    switch (side) {
        case tpTop: {
            const int y = kSideInset + (rows - 1 - row) * t;
            return {a0, y, a1, y + t};
        }
        case tpBottom: {
            const int y = c.Bottom - kSideInset - (rows - row) * t;
            return {a0, y, a1, y + t};
        }
        case tpLeft: {
            const int x = kSideInset + (rows - 1 - row) * t;
            return {x, a0, x + t, a1};
        }
        case tpRight: {
            const int x = c.Right - kSideInset - (rows - row) * t;
            return {x, a0, x + t, a1};
        }
    }
    return {};
}

TRect TCustomTabControl::PlatformTabRect(int index) const {
    UpdateLayout();
    if (index < 0 || index >= static_cast<int>(m_slots.size())) return {};
    return SlotToClient(m_slots[static_cast<size_t>(index)]);
}

TRect TCustomTabControl::TabRect(int index) const {
    return PlatformTabRect(index);
}

TRect TCustomTabControl::DisplayRect() const {
    UpdateLayout();
    const TRect c = ClientRect();
    const int t = TabThickness();
    TRect r{c.Left + 4, c.Top + 6, c.Right - 4, c.Bottom - 4};
    const int near = m_rowCount * t, far = m_oppositeRows * t;
    switch (m_tabPosition) {
        case tpTop:
            r.Top += near;
            r.Bottom -= far;
            break;
        case tpBottom:
            r.Bottom -= near;
            r.Top += far;
            break;
        case tpLeft:
            r.Left += near;
            r.Right -= far;
            break;
        case tpRight:
            r.Right -= near;
            r.Left += far;
            break;
    }
    return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const {
    const int count = TabCount();
    for (int i = 0; i < count; ++i)
        if (TabRect(i).Contains({x, y})) return i;
    return -1;
}

// ---- Scrolling of a single row ----

void TCustomTabControl::SetScrollArrowsAllowed(bool value) {
    m_arrowsAllowed = value;
    UpdateScrollArrows();
}

void TCustomTabControl::UpdateScrollArrows() {
    if (IsLoading() || IsDestroying()) return;
    UpdateLayout();
    const bool vertical = m_tabPosition == tpLeft || m_tabPosition == tpRight;
    const TRect c = ClientRect();
    const int length = vertical ? c.Height() : c.Width();
    const bool needed = m_arrowsAllowed && !m_multiLine && TabCount() > 0 &&
                        (m_totalLength > length - 2 * kSideInset || m_firstVisible > 0);
    // Hidden rather than freed: a click on the arrows may be what made them unneeded.
    if (!needed) {
        if (m_scrollArrows) m_scrollArrows->SetVisible(false);
        return;
    }
    if (!m_scrollArrows) {
        m_scrollArrows = new TTabScrollArrows(this);
        m_scrollArrows->SetParent(this);
    }
    m_scrollArrows->SetVisible(true);
    const int size = std::max(8, TabThickness() - 2);
    const int top = m_tabPosition == tpTop ? kSideInset : c.Bottom - kSideInset - size;
    m_scrollArrows->SetBounds(c.Right - 2 * size - kSideInset, top, 2 * size, size);
}

void TCustomTabControl::ScrollTo(int firstTab) {
    firstTab = std::clamp(firstTab, 0, std::max(0, TabCount() - 1));
    if (m_multiLine || firstTab == m_firstVisible) return;
    m_firstVisible = firstTab;
    InvalidateLayout();
}

void TCustomTabControl::MakeTabVisible(int index) {
    if (m_multiLine) return;
    if (index < m_firstVisible) {
        m_firstVisible = index;
        return;
    }
    // Scroll forward until the tab ends before the arrows.
    const TRect c = ClientRect();
    const bool vertical = m_tabPosition == tpLeft || m_tabPosition == tpRight;
    const int limit = (vertical ? c.Height() : c.Width()) - kSideInset - StripEndReserve();
    while (m_firstVisible < index) {
        int end = kSideInset;
        for (int i = m_firstVisible; i <= index; ++i) end += MeasureTab(i);
        if (end <= limit) break;
        ++m_firstVisible;
    }
}

int TCustomTabControl::StripEndReserve() const {
    return ScrollArrows() ? m_scrollArrows->Width() : 0;
}

// ---- Selection ----

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

bool TCustomTabControl::SelectTabByUser(int index) {
    if (index < 0 || index >= TabCount() || index == m_tabIndex) return false;
    if (!CanChange()) return false;
    SetTabIndex(index);
    Change();
    return true;
}

void TCustomTabControl::SelectNextTab(bool goForward) {
    const int count = TabCount();
    if (count < 2) return;
    const int from = m_tabIndex < 0 ? 0 : m_tabIndex;
    SelectTabByUser((from + (goForward ? 1 : count - 1)) % count);
}

void TCustomTabControl::SetHotIndex(int index) {
    if (index == m_hotIndex) return;
    const int old = m_hotIndex;
    m_hotIndex = index;
    if (old >= 0) InvalidateRect(TabRect(old), false);
    if (index >= 0) InvalidateRect(TabRect(index), false);
}

// ---- Messages ----

void TCustomTabControl::WndProc(TMessage& m) {
    if (m.Msg == WM_HSCROLL) {
        const int code = static_cast<int>(m.WParam & 0xFFFF);
        const int pos = static_cast<int16_t>((m.WParam >> 16) & 0xFFFF);
        if (code == SB_THUMBPOSITION) ScrollTo(pos);
        else if (code == SB_LINELEFT) ScrollTo(m_firstVisible - 1);
        else if (code == SB_LINERIGHT) ScrollTo(m_firstVisible + 1);
        m.Result = 0;
        return;
    }
    TCustomControl::WndProc(m);
}

void TCustomTabControl::WMSize(TMessage& m) {
    TCustomControl::WMSize(m);
    InvalidateLayout();
}

void TCustomTabControl::WMGetDlgCode(TMessage& m) {
    m.Result = DLGC_WANTARROWS;
}

// The selected tab shows whether the control has the focus.
void TCustomTabControl::WMSetFocus(TMessage& m) {
    TCustomControl::WMSetFocus(m);
    Invalidate();
}

void TCustomTabControl::WMKillFocus(TMessage& m) {
    TCustomControl::WMKillFocus(m);
    Invalidate();
}

void TCustomTabControl::CMFontChanged(TMessage& m) {
    TCustomControl::CMFontChanged(m);
    InvalidateLayout();
}

void TCustomTabControl::CMDialogChar(TMessage& m) {
    const auto ch = static_cast<char32_t>(m.WParam);
    const int count = TabCount();
    for (int i = 0; i < count; ++i) {
        if (!IsAccel(ch, TabCaption(i))) continue;
        if (!IsShowing() || !Enabled()) break;
        m.Result = 1;
        if (CanFocus() && !Focused()) SetFocus();
        SelectTabByUser(i);
        return;
    }
    TCustomControl::CMDialogChar(m);
}

void TCustomTabControl::CMChildKey(TMessage& m) {
    const TShiftState shift = KeyboardShiftState();
    if ((shift & ssCtrl) != 0 && (shift & ssAlt) == 0) {
        switch (m.WParam) {
            case VK_TAB:
                SelectNextTab((shift & ssShift) == 0);
                m.Result = 1;
                return;
            case VK_NEXT:
            case VK_PRIOR:
                SelectNextTab(m.WParam == VK_NEXT);
                m.Result = 1;
                return;
            default:
                break;
        }
    }
    TCustomControl::CMChildKey(m);
}

void TCustomTabControl::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_LEFT || key == VK_UP) {
        if (m_tabIndex > 0) SelectTabByUser(m_tabIndex - 1);
        key = 0;
    } else if (key == VK_RIGHT || key == VK_DOWN) {
        if (m_tabIndex + 1 < TabCount()) SelectTabByUser(m_tabIndex + 1);
        key = 0;
    }
}

void TCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        const int index = IndexOfTabAt(x, y);
        if (index >= 0) {
            if (CanFocus() && !Focused()) SetFocus();
            SelectTabByUser(index);
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
    if (m_hotTrack) SetHotIndex(IndexOfTabAt(x, y));
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomTabControl::CMMouseLeave(TMessage& m) {
    SetHotIndex(-1);
    TCustomControl::CMMouseLeave(m);
}

// ---- TTabControl ----

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner) {}

void TTabControl::SetTabs(const std::vector<std::string>& value) {
    m_tabs = value;
    TabsChanged();
}

int TTabControl::AddTab(const std::string& caption) {
    m_tabs.push_back(caption);
    TabsChanged();
    return static_cast<int>(m_tabs.size()) - 1;
}

std::string TTabControl::TabCaption(int index) const {
    if (index < 0 || index >= TabCount()) return {};
    return m_tabs[static_cast<size_t>(index)];
}

}  // namespace platform::forms
