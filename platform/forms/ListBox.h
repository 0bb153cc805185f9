#pragma once
// The framework's list box: a windowed list of text items with fixed-height rows, drawn by the
// list itself or by its owner (lbOwnerDrawFixed). It keeps the selection (one item, or several
// with MultiSelect), the top row, and a scroll range and position for each direction, and
// answers WM_VSCROLL / WM_HSCROLL requests; it draws no scroll bars of its own, so a wrapper
// that reads ScrollRange can show whichever bars it likes.
//
// Scrolling invalidates the list with erasing, so a wrapper that follows the list's scroll
// position can do so in its WM_ERASEBKGND handling.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/StringList.h"
#include "platform/forms/CustomControl.h"

namespace platform::forms {

// Scroll-bar identifiers and scroll request codes (low word of WM_VSCROLL / WM_HSCROLL's
// wParam; the high word carries the position of SB_THUMBPOSITION and SB_THUMBTRACK).
constexpr int SB_HORZ = 0, SB_VERT = 1;
constexpr int SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
              SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5,
              SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;

// Owner-draw state of an item.
enum TOwnerDrawStateBit : uint16_t {
    odSelected = 0x01,
    odGrayed = 0x02,
    odDisabled = 0x04,
    odChecked = 0x08,
    odFocused = 0x10,
    odDefault = 0x20,
    odComboBoxEdit = 0x1000,
};
using TOwnerDrawState = uint16_t;

enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed };

// A scroll bar's range as the list keeps it: Min..Max with Page units visible, Pos the first.
struct TScrollRange {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    friend bool operator==(const TScrollRange&, const TScrollRange&) = default;
};

class TCustomListBox;

using TDrawItemEvent =
    std::function<void(TComponent* control, int index, const TRect& rect, TOwnerDrawState state)>;

// The items of a list box: a string list that tells its list box about every change.
class TListBoxStrings {
public:
    explicit TListBoxStrings(TCustomListBox& owner) : m_owner(owner) {}
    TListBoxStrings(const TListBoxStrings&) = delete;
    TListBoxStrings& operator=(const TListBoxStrings&) = delete;

    [[nodiscard]] int Count() const { return m_list.Count(); }
    [[nodiscard]] const std::string& operator[](int index) const { return m_list[index]; }
    [[nodiscard]] const std::string& Strings(int index) const { return m_list[index]; }
    void SetStrings(int index, std::string value);
    // In a sorted list the item goes to its place; returns its index.
    int Add(std::string s);
    // An index out of 0..Count throws std::out_of_range; a sorted list adds in order instead.
    void Insert(int index, std::string s);
    void Delete(int index);
    void Clear();
    [[nodiscard]] int IndexOf(std::string_view s) const { return m_list.IndexOf(s); }
    // Replaces every item (one change notice).
    void Assign(const std::vector<std::string>& items);
    void Assign(const TListBoxStrings& other);
    [[nodiscard]] std::vector<std::string> ToVector() const;
    [[nodiscard]] std::string Text() const { return m_list.Text(); }
    void SetText(std::string_view text);

private:
    friend class TCustomListBox;
    TCustomListBox& m_owner;
    core::TStringList m_list;
};

class TCustomListBox : public TCustomControl {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    [[nodiscard]] TListBoxStrings& Items() { return m_items; }
    [[nodiscard]] const TListBoxStrings& Items() const { return m_items; }
    void SetItems(const std::vector<std::string>& items) { m_items.Assign(items); }
    [[nodiscard]] int Count() const { return m_items.Count(); }

    // The selected item (single selection) or the caret item (multi-selection); -1 for none.
    // Setting an index outside the items clears it; a valid index is scrolled into view.
    [[nodiscard]] int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int value);
    // First visible row (single column) or first item of the first visible column.
    [[nodiscard]] int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int value);
    [[nodiscard]] int ItemHeight() const { return m_itemHeight; }
    // Values below 1 are ignored.
    void SetItemHeight(int value);
    [[nodiscard]] TListBoxStyle Style() const { return m_style; }
    void SetStyle(TListBoxStyle value);
    // 0: one column scrolled vertically; n > 0: n columns of the list's width, scrolled sideways.
    [[nodiscard]] int Columns() const { return m_columns; }
    void SetColumns(int value);
    [[nodiscard]] bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool value);
    // With MultiSelect: Shift and Ctrl extend the selection instead of a click toggling an item.
    [[nodiscard]] bool ExtendedSelect() const { return m_extendedSelect; }
    void SetExtendedSelect(bool value);
    [[nodiscard]] bool Sorted() const { return m_sorted; }
    void SetSorted(bool value);

    // Selection of single items; in a single-selection list only ItemIndex is selected.
    [[nodiscard]] bool Selected(int index) const;
    void SetSelected(int index, bool value);
    [[nodiscard]] int SelCount() const;
    void ClearSelection();

    // Rows wholly visible in one column (at least 1 once the list has a height and items).
    [[nodiscard]] int FullRows() const;
    // The item whose row contains a client point. Below the last item: -1 when existing, else
    // Count. Points outside the list count by their row as long as they are in its width.
    [[nodiscard]] int ItemAtPos(TPoint pos, bool existing) const;
    // An item's rectangle in client coordinates (also for items scrolled out of view); empty
    // for an index outside the items.
    [[nodiscard]] TRect ItemRect(int index) const;
    // The first item after startAfter (wrapping round; -1 searches from the start) whose text
    // begins with prefix, compared without regard to case; -1 when none or prefix is empty.
    [[nodiscard]] int FindPrefix(std::string_view prefix, int startAfter) const;

    // The range and position of the vertical bar (single column: items, page = full rows,
    // position = top index) or the horizontal bar (columns: columns, page = Columns, position
    // = first visible column); all 0 for an empty list or a direction the list does not scroll.
    [[nodiscard]] TScrollRange ScrollRange(int bar) const;
    // A scroll request as WM_VSCROLL / WM_HSCROLL carry it.
    void Scroll(int bar, int code, int pos = 0);

    TDrawItemEvent OnDrawItem;

protected:
    // Draws one item; the default calls OnDrawItem for owner-drawn lists, else draws the text.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    // After items were added, inserted, deleted, changed or replaced.
    virtual void ItemsChanged() {}
    // After the top index changed (the list has been invalidated with erasing).
    virtual void TopIndexChanged() {}
    // The state the list paints an item with.
    [[nodiscard]] TOwnerDrawState ItemState(int index) const;

    void Paint() override;
    // The list's own handling of mouse, keys, characters, wheel and scroll requests, which runs
    // after OnKeyDown / OnKeyPress and before OnMouseDown / OnMouseUp, as a window's default
    // procedure does.
    void DefaultHandler(TMessage& message) override;
    void WMGetDlgCode(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;

    // Rows per column in a multi-column list (at least 1).
    [[nodiscard]] int RowsPerColumn() const;
    [[nodiscard]] int MaxTopIndex() const;
    // Redraws the whole list, erasing first (what a scroll does).
    void InvalidateWithErase();

private:
    friend class TListBoxStrings;
    void ItemInserted(int index);
    void ItemDeleted(int index);
    void ItemsReset();
    void AfterItemsChange();
    void ScrollIntoView(int index);
    void MoveCaretTo(int index, TShiftState shift, bool fromKeyboard);
    void SelectRange(int from, int to, bool keepOthers);
    void MousePress(TPoint pos, bool doubleClick);
    void MouseTrack(TPoint pos);
    void HandleKey(uint32_t key);
    void HandleChar(char32_t ch);
    void HandleWheel(TMessage& message);
    void InvalidateItem(int index);
    [[nodiscard]] bool IsSelectedRaw(int index) const;

    TListBoxStrings m_items;
    std::vector<uint8_t> m_selected;  // multi-selection flags, one per item
    int m_itemIndex = -1;
    int m_anchor = -1;
    int m_topIndex = 0;
    int m_itemHeight = 16;
    int m_columns = 0;
    TListBoxStyle m_style = lbStandard;
    bool m_multiSelect = false;
    bool m_extendedSelect = true;
    bool m_sorted = false;
    bool m_tracking = false;  // the left button went down on the list
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

}  // namespace platform::forms
