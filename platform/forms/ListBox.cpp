#include "platform/forms/ListBox.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "platform/core/Strings.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr int kWheelLines = 3;

int ClampIndex(int value, int count) {
    return count <= 0 ? -1 : std::clamp(value, 0, count - 1);
}
}  // namespace

// ---- TListBoxStrings ----

void TListBoxStrings::SetStrings(int index, std::string value) {
    if (index < 0 || index >= m_list.Count()) throw std::out_of_range("list box item index out of range");
    if (m_list.Sorted()) {
        const bool selected = m_owner.IsSelectedRaw(index);
        Delete(index);
        const int at = Add(std::move(value));
        if (selected) m_owner.SetSelected(at, true);
        return;
    }
    m_list.SetStrings(index, std::move(value));
    m_owner.InvalidateItem(index);
    m_owner.ItemsChanged();
}

int TListBoxStrings::Add(std::string s) {
    const int index = m_list.Add(std::move(s));
    m_owner.ItemInserted(index);
    return index;
}

void TListBoxStrings::Insert(int index, std::string s) {
    if (m_list.Sorted()) {
        Add(std::move(s));
        return;
    }
    if (index < 0 || index > m_list.Count()) throw std::out_of_range("list box insert index out of range");
    m_list.Insert(index, std::move(s));
    m_owner.ItemInserted(index);
}

void TListBoxStrings::Delete(int index) {
    if (index < 0 || index >= m_list.Count()) throw std::out_of_range("list box item index out of range");
    m_list.Delete(index);
    m_owner.ItemDeleted(index);
}

void TListBoxStrings::Clear() {
    m_list.Clear();
    m_owner.ItemsReset();
}

void TListBoxStrings::Assign(const std::vector<std::string>& items) {
    m_list.Clear();
    for (const auto& s : items) m_list.Add(s);
    m_owner.ItemsReset();
}

void TListBoxStrings::Assign(const TListBoxStrings& other) {
    if (&other == this) return;
    Assign(other.ToVector());
}

std::vector<std::string> TListBoxStrings::ToVector() const {
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(m_list.Count()));
    for (int i = 0; i < m_list.Count(); ++i) out.push_back(m_list[i]);
    return out;
}

void TListBoxStrings::SetText(std::string_view text) {
    m_list.SetText(text);
    m_owner.ItemsReset();
}

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* owner) : TCustomControl(owner), m_items(*this) {
    m_controlStyle = csSetCaption | csDoubleClicks | csOpaque | csCaptureMouse;
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(gfx::clWindow);
}

TCustomListBox::~TCustomListBox() = default;

// ---- Items and selection ----

void TCustomListBox::ItemInserted(int index) {
    m_selected.insert(m_selected.begin() + index, 0);
    if (m_itemIndex >= index) ++m_itemIndex;
    if (m_anchor >= index) ++m_anchor;
    AfterItemsChange();
}

void TCustomListBox::ItemDeleted(int index) {
    if (index < static_cast<int>(m_selected.size())) m_selected.erase(m_selected.begin() + index);
    if (m_itemIndex == index)
        m_itemIndex = m_multiSelect ? ClampIndex(index, Count()) : -1;
    else if (m_itemIndex > index)
        --m_itemIndex;
    if (m_anchor == index)
        m_anchor = -1;
    else if (m_anchor > index)
        --m_anchor;
    AfterItemsChange();
}

void TCustomListBox::ItemsReset() {
    m_selected.assign(static_cast<size_t>(Count()), 0);
    m_itemIndex = -1;
    m_anchor = -1;
    m_topIndex = 0;
    AfterItemsChange();
}

void TCustomListBox::AfterItemsChange() {
    m_selected.resize(static_cast<size_t>(Count()), 0);
    const int top = std::min(m_topIndex, MaxTopIndex());
    if (top != m_topIndex) {
        m_topIndex = top;
        TopIndexChanged();
    }
    InvalidateWithErase();
    ItemsChanged();
}

bool TCustomListBox::IsSelectedRaw(int index) const {
    if (index < 0 || index >= Count()) return false;
    if (!m_multiSelect) return index == m_itemIndex;
    return m_selected[static_cast<size_t>(index)] != 0;
}

bool TCustomListBox::Selected(int index) const {
    return IsSelectedRaw(index);
}

void TCustomListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= Count()) return;
    if (!m_multiSelect) {
        if (value)
            SetItemIndex(index);
        else if (index == m_itemIndex)
            SetItemIndex(-1);
        return;
    }
    uint8_t& flag = m_selected[static_cast<size_t>(index)];
    if ((flag != 0) == value) return;
    flag = value ? 1 : 0;
    InvalidateItem(index);
}

int TCustomListBox::SelCount() const {
    if (!m_multiSelect) return m_itemIndex >= 0 ? 1 : 0;
    return static_cast<int>(std::count(m_selected.begin(), m_selected.end(), uint8_t{1}));
}

void TCustomListBox::ClearSelection() {
    if (!m_multiSelect) {
        SetItemIndex(-1);
        return;
    }
    for (int i = 0; i < Count(); ++i) SetSelected(i, false);
}

void TCustomListBox::SetItemIndex(int value) {
    if (value < 0 || value >= Count()) value = -1;
    if (value == m_itemIndex) {
        if (value >= 0) ScrollIntoView(value);
        return;
    }
    const int old = m_itemIndex;
    m_itemIndex = value;
    if (m_multiSelect && value >= 0 && !m_extendedSelect) m_anchor = value;
    InvalidateItem(old);
    InvalidateItem(value);
    if (value >= 0) ScrollIntoView(value);
}

void TCustomListBox::SetTopIndex(int value) {
    value = std::clamp(value, 0, MaxTopIndex());
    if (m_columns > 0) value -= value % RowsPerColumn();
    if (value == m_topIndex) return;
    m_topIndex = value;
    InvalidateWithErase();
    TopIndexChanged();
}

void TCustomListBox::SetItemHeight(int value) {
    if (value < 1 || value == m_itemHeight) return;
    m_itemHeight = value;
    SetTopIndex(m_topIndex);
    InvalidateWithErase();
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
    if (value == m_style) return;
    m_style = value;
    Invalidate();
}

void TCustomListBox::SetColumns(int value) {
    value = std::max(0, value);
    if (value == m_columns) return;
    m_columns = value;
    m_topIndex = 0;
    SetTopIndex(m_itemIndex >= 0 ? m_itemIndex : 0);
    InvalidateWithErase();
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == m_multiSelect) return;
    m_multiSelect = value;
    m_selected.assign(static_cast<size_t>(Count()), 0);
    if (value && m_itemIndex >= 0) m_selected[static_cast<size_t>(m_itemIndex)] = 1;
    m_anchor = m_itemIndex;
    Invalidate();
}

void TCustomListBox::SetExtendedSelect(bool value) {
    m_extendedSelect = value;
}

void TCustomListBox::SetSorted(bool value) {
    if (value == m_sorted) return;
    m_sorted = value;
    m_items.m_list.SetSorted(value);
    ItemsReset();
}

// ---- Geometry ----

int TCustomListBox::FullRows() const {
    return std::max(0, ClientHeight() / m_itemHeight);
}

int TCustomListBox::RowsPerColumn() const {
    return std::max(1, FullRows());
}

int TCustomListBox::MaxTopIndex() const {
    const int count = Count();
    if (count == 0) return 0;
    if (m_columns <= 0) return std::max(0, count - std::max(1, FullRows()));
    const int rows = RowsPerColumn();
    const int columns = (count + rows - 1) / rows;
    return std::max(0, columns - m_columns) * rows;
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
    const int count = Count();
    const int notFound = existing ? -1 : count;
    if (!ClientRect().Contains(pos)) return notFound;
    int index = m_topIndex + pos.Y / m_itemHeight;
    if (m_columns > 0) {
        const int rows = RowsPerColumn();
        const int columnWidth = std::max(1, ClientWidth() / m_columns);
        const int row = pos.Y / m_itemHeight;
        if (row >= rows) return notFound;
        index = m_topIndex + (pos.X / columnWidth) * rows + row;
    }
    return index < count ? index : notFound;
}

TRect TCustomListBox::ItemRect(int index) const {
    if (index < 0 || index >= Count()) return {};
    if (m_columns <= 0)
        return core::Bounds(0, (index - m_topIndex) * m_itemHeight, ClientWidth(), m_itemHeight);
    const int rows = RowsPerColumn();
    const int columnWidth = std::max(1, ClientWidth() / m_columns);
    const int column = index / rows - m_topIndex / rows;
    return core::Bounds(column * columnWidth, (index % rows) * m_itemHeight, columnWidth, m_itemHeight);
}

int TCustomListBox::FindPrefix(std::string_view prefix, int startAfter) const {
    const int count = Count();
    if (prefix.empty() || count == 0) return -1;
    const std::string wanted = core::LowerCase(prefix);
    if (startAfter < -1 || startAfter >= count) startAfter = -1;
    for (int n = 1; n <= count; ++n) {
        const int i = (startAfter + n) % count;
        const std::string item = core::LowerCase(m_items[i]);
        if (item.size() >= wanted.size() && item.compare(0, wanted.size(), wanted) == 0) return i;
    }
    return -1;
}

TScrollRange TCustomListBox::ScrollRange(int bar) const {
    const int count = Count();
    if (count == 0) return {};
    if (bar == SB_VERT) {
        if (m_columns > 0) return {};
        return {0, count - 1, FullRows(), m_topIndex};
    }
    if (m_columns <= 0) return {};
    const int rows = RowsPerColumn();
    const int columns = (count + rows - 1) / rows;
    return {0, columns - 1, m_columns, m_topIndex / rows};
}

void TCustomListBox::Scroll(int bar, int code, int pos) {
    const bool columns = m_columns > 0;
    if ((bar == SB_VERT) == columns) return;
    const int unit = columns ? RowsPerColumn() : 1;
    const int page = columns ? m_columns : std::max(1, FullRows() - 1);
    const int current = m_topIndex / unit;
    int target = current;
    switch (code) {
        case SB_LINEUP:
            target = current - 1;
            break;
        case SB_LINEDOWN:
            target = current + 1;
            break;
        case SB_PAGEUP:
            target = current - page;
            break;
        case SB_PAGEDOWN:
            target = current + page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            target = pos;
            break;
        case SB_TOP:
            target = 0;
            break;
        case SB_BOTTOM:
            target = MaxTopIndex() / unit;
            break;
        default:
            return;
    }
    SetTopIndex(std::max(0, target) * unit);
}

void TCustomListBox::ScrollIntoView(int index) {
    if (index < 0 || index >= Count()) return;
    if (m_columns <= 0) {
        const int rows = std::max(1, FullRows());
        if (index < m_topIndex)
            SetTopIndex(index);
        else if (index >= m_topIndex + rows)
            SetTopIndex(index - rows + 1);
        return;
    }
    const int rows = RowsPerColumn();
    const int column = index / rows;
    const int first = m_topIndex / rows;
    if (column < first)
        SetTopIndex(column * rows);
    else if (column >= first + m_columns)
        SetTopIndex((column - m_columns + 1) * rows);
}

// ---- Painting ----

void TCustomListBox::InvalidateWithErase() {
    if (TWindow* w = HandleIfAllocated()) w->Invalidate(true);
}

void TCustomListBox::InvalidateItem(int index) {
    if (index < 0 || !HandleAllocated()) return;
    const TRect r = ItemRect(index).Intersect(ClientRect());
    if (!r.IsEmpty()) InvalidateRect(r, false);
}

TOwnerDrawState TCustomListBox::ItemState(int index) const {
    TOwnerDrawState state = 0;
    if (IsSelectedRaw(index)) state |= odSelected;
    if (index == m_itemIndex && Focused()) state |= odFocused;
    if (!Enabled()) state |= odDisabled;
    return state;
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (m_style == lbOwnerDrawFixed && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    gfx::TCanvas& canvas = Canvas();
    const bool selected = (state & odSelected) != 0;
    canvas.Brush = gfx::TBrush{selected ? gfx::clHighlight : Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(rect);
    canvas.Font = Font();
    if (selected)
        canvas.Font.SetColor(gfx::clHighlightText);
    else if (state & odDisabled)
        canvas.Font.SetColor(gfx::clGrayText);
    canvas.Brush.Style = gfx::TBrushStyle::bsClear;
    const std::string& text = m_items[index];
    canvas.TextRect(rect, rect.Left + 2, rect.Top + (rect.Height() - canvas.TextHeight(text)) / 2, text);
    if (state & odFocused) canvas.DrawFocusRect(rect);
}

void TCustomListBox::Paint() {
    gfx::TCanvas& canvas = Canvas();
    const TRect clip = canvas.ClipRect();
    const TRect client = ClientRect();
    const int count = Count();
    gfx::TRegion rest(client);
    const int last =
        m_columns <= 0 ? m_topIndex + FullRows() : m_topIndex + RowsPerColumn() * (m_columns + 1);
    for (int i = m_topIndex; i < count && i <= last; ++i) {
        const TRect r = ItemRect(i);
        if (r.Top >= client.Bottom || r.Left >= client.Right) continue;
        rest.Subtract(r);
        if (r.Intersect(clip).IsEmpty()) continue;
        DrawItem(i, r, ItemState(i));
    }
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    for (const TRect& r : rest.Rects())
        if (!r.Intersect(clip).IsEmpty()) canvas.FillRect(r);
}

// ---- Input ----

void TCustomListBox::WMGetDlgCode(TMessage& m) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TCustomListBox::WMSize(TMessage& m) {
    TCustomControl::WMSize(m);
    const int top = std::min(m_topIndex, MaxTopIndex());
    if (top != m_topIndex) {
        m_topIndex = top;
        TopIndexChanged();
    }
    InvalidateWithErase();
}

void TCustomListBox::WMSetFocus(TMessage& m) {
    TCustomControl::WMSetFocus(m);
    InvalidateItem(m_itemIndex);
}

void TCustomListBox::WMKillFocus(TMessage& m) {
    TCustomControl::WMKillFocus(m);
    InvalidateItem(m_itemIndex);
}

void TCustomListBox::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MousePress(PointFromLParam(m.LParam), m.Msg == WM_LBUTTONDBLCLK);
            return;
        case WM_MOUSEMOVE:
            if (m_tracking) MouseTrack(PointFromLParam(m.LParam));
            return;
        case WM_LBUTTONUP:
            if (m_tracking) {
                m_tracking = false;
                Click();
            }
            return;
        case WM_CAPTURECHANGED:
            m_tracking = false;
            TCustomControl::DefaultHandler(m);
            return;
        case WM_KEYDOWN:
            HandleKey(static_cast<uint32_t>(m.WParam));
            return;
        case WM_CHAR:
            HandleChar(static_cast<char32_t>(m.WParam));
            return;
        case WM_MOUSEWHEEL:
            HandleWheel(m);
            return;
        case WM_VSCROLL:
        case WM_HSCROLL:
            Scroll(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LoWord(m.WParam),
                   static_cast<int16_t>(HiWord(m.WParam)));
            m.Result = 0;
            return;
        default:
            TCustomControl::DefaultHandler(m);
            return;
    }
}

void TCustomListBox::MousePress(TPoint pos, bool doubleClick) {
    const auto alive = WeakRef();
    if (!Focused() && CanFocus()) SetFocus();
    if (!alive) return;
    m_tracking = true;
    const int index = ItemAtPos(pos, true);
    if (index >= 0) {
        const TShiftState shift = KeyboardShiftState();
        if (!m_multiSelect) {
            SetItemIndex(index);
        } else if (!m_extendedSelect) {
            SetSelected(index, !Selected(index));
            SetItemIndex(index);
        } else if ((shift & ssShift) && m_anchor >= 0) {
            SelectRange(m_anchor, index, (shift & ssCtrl) != 0);
            SetItemIndex(index);
        } else if (shift & ssCtrl) {
            SetSelected(index, !Selected(index));
            m_anchor = index;
            SetItemIndex(index);
        } else {
            SelectRange(index, index, false);
            m_anchor = index;
            SetItemIndex(index);
        }
    }
    if (doubleClick) DblClick();
}

void TCustomListBox::MouseTrack(TPoint pos) {
    const int height = ClientHeight();
    if (m_columns <= 0) {
        if (pos.Y < 0)
            Scroll(SB_VERT, SB_LINEUP);
        else if (pos.Y >= height)
            Scroll(SB_VERT, SB_LINEDOWN);
    }
    const TPoint inside{std::clamp(pos.X, 0, std::max(0, ClientWidth() - 1)),
                        std::clamp(pos.Y, 0, std::max(0, height - 1))};
    const int index = ItemAtPos(inside, true);
    if (index < 0 || index == m_itemIndex) return;
    if (!m_multiSelect) {
        SetItemIndex(index);
    } else if (m_extendedSelect && m_anchor >= 0) {
        SelectRange(m_anchor, index, (KeyboardShiftState() & ssCtrl) != 0);
        SetItemIndex(index);
    }
}

void TCustomListBox::SelectRange(int from, int to, bool keepOthers) {
    if (!m_multiSelect) return;
    const int lo = std::min(from, to);
    const int hi = std::max(from, to);
    for (int i = 0; i < Count(); ++i) {
        const bool inRange = i >= lo && i <= hi;
        if (inRange)
            SetSelected(i, true);
        else if (!keepOthers)
            SetSelected(i, false);
    }
}

void TCustomListBox::MoveCaretTo(int index, TShiftState shift, bool fromKeyboard) {
    index = ClampIndex(index, Count());
    if (index < 0) return;
    if (!m_multiSelect) {
        if (index == m_itemIndex) {
            ScrollIntoView(index);
            return;
        }
        SetItemIndex(index);
        if (fromKeyboard) Click();
        return;
    }
    if (!m_extendedSelect) {
        SetItemIndex(index);
        return;
    }
    if ((shift & ssShift) && m_anchor >= 0) {
        SelectRange(m_anchor, index, false);
    } else if (!(shift & ssCtrl)) {
        SelectRange(index, index, false);
        m_anchor = index;
    }
    SetItemIndex(index);
    if (fromKeyboard) Click();
}

void TCustomListBox::HandleKey(uint32_t key) {
    const int count = Count();
    if (count == 0) return;
    const int current = m_itemIndex;
    const int rows = RowsPerColumn();
    const bool columns = m_columns > 0;
    const int pageStep = columns ? rows * m_columns : std::max(1, FullRows() - 1);
    int target = current;
    switch (key) {
        case VK_UP:
            target = current < 0 ? 0 : current - 1;
            break;
        case VK_DOWN:
            target = current < 0 ? 0 : current + 1;
            break;
        case VK_LEFT:
            target = current < 0 ? 0 : current - (columns ? rows : 1);
            break;
        case VK_RIGHT:
            target = current < 0 ? 0 : current + (columns ? rows : 1);
            break;
        case VK_PRIOR:
            target = current < 0 ? 0 : current - pageStep;
            break;
        case VK_NEXT:
            target = current < 0 ? 0 : current + pageStep;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_SPACE:
            if (m_multiSelect && current >= 0) {
                SetSelected(current, !Selected(current));
                m_anchor = current;
                Click();
            }
            return;
        default:
            return;
    }
    MoveCaretTo(target, KeyboardShiftState(), true);
}

void TCustomListBox::HandleChar(char32_t ch) {
    if (ch < 0x20 || ch == 0x7F) return;
    if (ch == U' ' && m_multiSelect) return;
    std::string text;
    core::AppendUtf8(text, ch);
    const int found = FindPrefix(text, m_itemIndex);
    if (found >= 0) MoveCaretTo(found, 0, true);
}

void TCustomListBox::HandleWheel(TMessage& m) {
    const int delta = WheelDeltaFromWParam(m.WParam);
    const TPoint pos = PointFromLParam(m.LParam);
    if (DoMouseWheel(ShiftFromKeys(LoWord(m.WParam)), delta, pos)) {
        m.Result = 1;
        return;
    }
    const int notches = delta / WHEEL_DELTA;
    const int bar = m_columns > 0 ? SB_HORZ : SB_VERT;
    const int lines = m_columns > 0 ? 1 : kWheelLines;
    for (int i = 0; i < std::abs(notches) * lines; ++i) Scroll(bar, notches > 0 ? SB_LINEUP : SB_LINEDOWN);
    m.Result = 1;
}

}  // namespace platform::forms
