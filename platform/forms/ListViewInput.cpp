// TListView: selection, focus, keyboard and mouse.

#include <algorithm>

#include "platform/core/Strings.h"
#include "platform/forms/ListView.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr uint64_t kSearchWindowMs = 1000;
constexpr int kWheelLines = 3;
}  // namespace

// ---- Selection ----

bool TListView::IsSelected(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_selected.size() && m_selected[static_cast<size_t>(index)] != 0;
}

void TListView::SetSelectedRaw(int index, bool value) {
    if (index < 0 || index >= m_items.Count() || IsSelected(index) == value) return;
    m_selected[static_cast<size_t>(index)] = value ? 1 : 0;
    InvalidateItem(index);
    if (OnSelectItem) OnSelectItem(this, m_items.Item(index), value);
    if (OnChange && index < m_items.Count()) OnChange(this, m_items.Item(index), ctState);
}

void TListView::SetItemSelected(int index, bool value) {
    if (index < 0 || index >= m_items.Count()) return;
    if (value && !m_multiSelect)
        for (int i = 0; i < m_items.Count(); ++i)
            if (i != index && m_selected[static_cast<size_t>(i)]) SetSelectedRaw(i, false);
    SetSelectedRaw(index, value);
}

void TListView::ClearSelection() {
    for (int i = 0; i < m_items.Count(); ++i)
        if (m_selected[static_cast<size_t>(i)]) SetSelectedRaw(i, false);
}

void TListView::SelectAll() {
    if (!m_multiSelect) return;
    for (int i = 0; i < m_items.Count(); ++i) SetSelectedRaw(i, true);
}

int TListView::SelCount() const { return static_cast<int>(std::count(m_selected.begin(), m_selected.end(), 1)); }

int TListView::ItemIndex() const {
    if (IsSelected(m_focused)) return m_focused;
    const auto it = std::find(m_selected.begin(), m_selected.end(), 1);
    return it == m_selected.end() ? -1 : static_cast<int>(it - m_selected.begin());
}

void TListView::SetItemIndex(int value) {
    if (value < 0 || value >= m_items.Count()) {
        ClearSelection();
        return;
    }
    for (int i = 0; i < m_items.Count(); ++i)
        if (i != value && m_selected[static_cast<size_t>(i)]) SetSelectedRaw(i, false);
    SetSelectedRaw(value, true);
    SetItemFocusedIndex(value);
    m_anchor = value;
}

TListItem* TListView::Selected() const {
    const int index = ItemIndex();
    return index < 0 ? nullptr : m_items.Item(index);
}

TListItem* TListView::ItemFocused() const {
    return m_focused < 0 || m_focused >= m_items.Count() ? nullptr : m_items.Item(m_focused);
}

void TListView::SetItemFocusedIndex(int index) {
    if (index >= m_items.Count()) index = -1;
    if (index == m_focused) return;
    InvalidateItem(m_focused);
    m_focused = index;
    InvalidateItem(index);
    MakeVisible(index);
}

void TListView::SelectRange(int from, int to, bool keepOthers) {
    const int lo = std::min(from, to);
    const int hi = std::max(from, to);
    for (int i = 0; i < m_items.Count(); ++i) {
        const bool inside = i >= lo && i <= hi;
        if (inside)
            SetSelectedRaw(i, true);
        else if (!keepOthers && m_selected[static_cast<size_t>(i)])
            SetSelectedRaw(i, false);
    }
}

void TListView::MoveFocusTo(int index, TShiftState shift) {
    index = std::clamp(index, 0, m_items.Count() - 1);
    if (m_multiSelect && (shift & ssShift) && m_anchor >= 0) {
        SelectRange(m_anchor, index, (shift & ssCtrl) != 0);
    } else if (m_multiSelect && (shift & ssCtrl)) {
        // Ctrl moves the focus alone; Ctrl+Space then toggles.
    } else {
        SetItemSelected(index, true);
        if (m_multiSelect)
            for (int i = 0; i < m_items.Count(); ++i)
                if (i != index && m_selected[static_cast<size_t>(i)]) SetSelectedRaw(i, false);
        m_anchor = index;
    }
    SetItemFocusedIndex(index);
}

void TListView::InvalidateItem(int index) {
    if (!HandleAllocated() || index < 0) return;
    TRect r = ItemRect(index);
    if (m_viewStyle == vsReport) r = {0, r.Top, ClientWidth(), r.Bottom};
    r = r.Intersect(ClientRect());
    if (!r.IsEmpty()) InvalidateRect(r, false);
}

// ---- Input ----

void TListView::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TListView::WMSize(TMessage& m) {
    TCustomControl::WMSize(m);
    Relayout();
}

void TListView::WMSetFocus(TMessage& m) {
    TCustomControl::WMSetFocus(m);
    Invalidate();
}

void TListView::WMKillFocus(TMessage& m) {
    TCustomControl::WMKillFocus(m);
    Invalidate();
}

void TListView::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MousePress(PointFromLParam(m.LParam), m.Msg == WM_LBUTTONDBLCLK);
            return;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            TDragManager::Instance().SourceMessage(this, m);
            TCustomControl::DefaultHandler(m);
            return;
        case WM_KEYDOWN:
            if (TDragManager::Instance().SourceMessage(this, m)) return;
            HandleKey(static_cast<uint32_t>(m.WParam));
            return;
        case WM_CHAR:
            HandleChar(static_cast<char32_t>(m.WParam));
            return;
        case WM_MOUSEWHEEL: {
            const int delta = WheelDeltaFromWParam(m.WParam);
            if (DoMouseWheel(ShiftFromKeys(LoWord(m.WParam)), delta, PointFromLParam(m.LParam))) {
                m.Result = 1;
                return;
            }
            const int bar = m_viewStyle == vsList ? SB_HORZ : SB_VERT;
            const int steps = std::abs(delta / WHEEL_DELTA) * (m_viewStyle == vsList ? 1 : kWheelLines);
            for (int i = 0; i < steps; ++i) Scroll(bar, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
            m.Result = 1;
            return;
        }
        case WM_VSCROLL:
        case WM_HSCROLL:
            Scroll(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LoWord(m.WParam), static_cast<int16_t>(HiWord(m.WParam)));
            m.Result = 0;
            return;
        default:
            TCustomControl::DefaultHandler(m);
            return;
    }
}

void TListView::MousePress(TPoint pos, bool doubleClick) {
    const auto alive = WeakRef();
    if (!Focused() && CanFocus()) SetFocus();
    if (!alive) return;
    const int index = IndexAt(pos.X, pos.Y);
    const TShiftState shift = KeyboardShiftState();
    if (index < 0) {
        if (m_multiSelect && !(shift & (ssShift | ssCtrl))) ClearSelection();
        return;
    }
    if (m_multiSelect && (shift & ssCtrl) && !(shift & ssShift)) {
        SetSelectedRaw(index, !IsSelected(index));
        m_anchor = index;
        SetItemFocusedIndex(index);
    } else {
        MoveFocusTo(index, shift);
    }
    if (!alive) return;
    if (!doubleClick && DragMode() == dmAutomatic) TDragManager::Instance().Begin(this, ClientToScreen(pos), false);
    if (doubleClick) DblClick();
}

void TListView::HandleKey(uint32_t key) {
    const int count = m_items.Count();
    if (count == 0) return;
    const TShiftState shift = KeyboardShiftState();
    if (key == VK_SPACE) {
        if (m_focused < 0) return;
        if (m_multiSelect && (shift & ssCtrl))
            SetSelectedRaw(m_focused, !IsSelected(m_focused));
        else
            SetItemSelected(m_focused, true);
        return;
    }
    const int current = m_focused < 0 ? -1 : m_focused;
    int step = 0;
    int across = 0;  // the step of the other arrows
    switch (m_viewStyle) {
        case vsReport: step = 1; break;
        case vsList: step = 1; across = RowsPerColumn(); break;
        default: step = Cols(); across = 1; break;
    }
    const int page = std::max(1, VisibleRowCount() - (m_viewStyle == vsReport ? 1 : 0));
    int target = current;
    switch (key) {
        case VK_UP: target = current - step; break;
        case VK_DOWN: target = current + step; break;
        case VK_LEFT:
        case VK_RIGHT:
            if (across == 0) {
                Scroll(SB_HORZ, key == VK_LEFT ? SB_LINELEFT : SB_LINERIGHT);
                return;
            }
            target = current + (key == VK_LEFT ? -across : across);
            break;
        case VK_PRIOR: target = current - page; break;
        case VK_NEXT: target = current + page; break;
        case VK_HOME: target = 0; break;
        case VK_END: target = count - 1; break;
        default: return;
    }
    if (current < 0 && key != VK_END) target = 0;
    // Steps that leave the items stop at the edge, except sideways steps in grids that fall off.
    if ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && (target < 0 || target >= count) &&
        m_viewStyle != vsReport)
        return;
    MoveFocusTo(std::clamp(target, 0, count - 1), shift);
}

void TListView::HandleChar(char32_t ch) {
    if (ch < 0x20 || ch == 0x7F || (ch == U' ' && m_search.empty())) return;
    const uint64_t now = TWindowSystem::Instance().Now();
    if (now - m_lastSearchTime > kSearchWindowMs) m_search.clear();
    m_lastSearchTime = now;
    core::AppendUtf8(m_search, ch);
    const bool cycling = m_search.size() > 1 &&
                         std::all_of(m_search.begin(), m_search.end(), [&](char c) { return c == m_search[0]; });
    const int found = cycling ? FindCaption(m_search.substr(0, 1), m_focused, false)
                              : FindCaption(m_search, m_focused, m_search.size() > 1);
    if (found >= 0) MoveFocusTo(found, 0);
}

}  // namespace platform::forms
