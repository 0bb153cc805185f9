#pragma once
// The framework's list view: items with a caption, sub-items and images, shown as large icons,
// small icons, a list of columns or a report with a column header. The header is a child
// THeaderControl window (a wrapper may hook it); clicking a column title fires OnColumnClick,
// which usually sorts with AlphaSort and OnCompare. The view keeps several selected items
// (MultiSelect), a focused item, a scroll range and position per direction that depend on the
// style, and answers WM_VSCROLL / WM_HSCROLL requests; it draws no scroll bars of its own.
//
// With OwnerData the view holds no items: Items().SetCount gives the number, and OnData fills
// an item whenever the view needs one, so very large lists cost only what is on screen.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/CustomControl.h"
#include "platform/forms/DragDrop.h"
#include "platform/forms/HeaderControl.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/ListBox.h"

namespace platform::forms {

class TListView;

enum TViewStyle : uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
enum TSortType : uint8_t { stNone, stText };
enum TItemChange : uint8_t { ctText, ctImage, ctState };

class TListItem {
public:
    explicit TListItem(TListView& view) : m_view(view) {}
    [[nodiscard]] TListView& Owner() const { return m_view; }
    [[nodiscard]] const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string value);
    [[nodiscard]] std::vector<std::string>& SubItems() { return m_subItems; }
    [[nodiscard]] const std::vector<std::string>& SubItems() const { return m_subItems; }
    void SetSubItems(std::vector<std::string> value);
    // Column 0 is the caption, column n the sub-item n - 1 ("" when missing).
    [[nodiscard]] const std::string& ColumnText(int column) const;
    [[nodiscard]] int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    [[nodiscard]] int StateIndex() const { return m_stateIndex; }
    void SetStateIndex(int value);
    void* Data = nullptr;
    [[nodiscard]] int Index() const { return m_index; }
    [[nodiscard]] bool Selected() const;
    void SetSelected(bool value);
    [[nodiscard]] bool Focused() const;
    void SetFocused(bool value);
    [[nodiscard]] TRect DisplayRect() const;
    void MakeVisible();
    void Delete();

private:
    friend class TListItems;
    friend class TListView;
    void Changed(TItemChange change);
    TListView& m_view;
    std::string m_caption;
    std::vector<std::string> m_subItems;
    int m_imageIndex = -1;
    int m_stateIndex = -1;
    int m_index = 0;
    bool m_scratch = false;  // the item OnData fills in owner-data mode
};

class TListItems {
public:
    explicit TListItems(TListView& view) : m_view(view) {}
    [[nodiscard]] int Count() const;
    // In OwnerData mode this sets the number of items; otherwise it is ignored.
    void SetCount(int value);
    // The item at an index; in OwnerData mode a scratch item filled by OnData, valid until
    // the next call. Throws std::out_of_range outside 0..Count-1.
    [[nodiscard]] TListItem* Item(int index) const;
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    [[nodiscard]] bool Updating() const { return m_updateCount > 0; }

    // Items as "caption|sub1|sub2..." lines, for form resources ("|" inside a text is "||").
    [[nodiscard]] std::vector<std::string> SaveToLines() const;
    void LoadFromLines(const std::vector<std::string>& lines);

private:
    friend class TListView;
    void Renumber(int from);
    TListView& m_view;
    std::vector<std::unique_ptr<TListItem>> m_items;
    int m_virtualCount = 0;
    mutable std::unique_ptr<TListItem> m_scratch;
    int m_updateCount = 0;
};

struct TListColumn {
    std::string Caption;
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
    int ImageIndex = -1;
    friend bool operator==(const TListColumn&, const TListColumn&) = default;
};

class TListColumns {
public:
    explicit TListColumns(TListView& view) : m_view(view) {}
    [[nodiscard]] int Count() const { return static_cast<int>(m_columns.size()); }
    [[nodiscard]] const TListColumn& Items(int index) const;
    TListColumn& Add(std::string caption, int width, TAlignment alignment = taLeftJustify);
    void Set(int index, const TListColumn& column);
    void Delete(int index);
    void Clear();
    [[nodiscard]] int TotalWidth() const;
    // Columns as "caption,width,alignment" lines.
    [[nodiscard]] std::vector<std::string> SaveToLines() const;
    void LoadFromLines(const std::vector<std::string>& lines);

private:
    friend class TListView;
    TListView& m_view;
    std::vector<TListColumn> m_columns;
};

using TLVNotifyEvent = std::function<void(TComponent* sender, TListItem* item)>;
using TLVChangeEvent = std::function<void(TComponent* sender, TListItem* item, TItemChange change)>;
using TLVSelectItemEvent = std::function<void(TComponent* sender, TListItem* item, bool selected)>;
using TLVColumnClickEvent = std::function<void(TComponent* sender, int column)>;
using TLVCompareEvent =
    std::function<void(TComponent* sender, TListItem* item1, TListItem* item2, int data, int& compare)>;
using TLVCustomDrawItemEvent = std::function<void(TComponent* sender, TListItem* item, const TRect& rect,
                                                  TOwnerDrawState state, bool& defaultDraw)>;

class TListView : public TCustomControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    [[nodiscard]] TListItems& Items() { return m_items; }
    [[nodiscard]] const TListItems& Items() const { return m_items; }
    [[nodiscard]] TListColumns& Columns() { return m_columns; }
    [[nodiscard]] const TListColumns& Columns() const { return m_columns; }
    // The column header (a child window, shown in report style with ShowColumnHeaders).
    [[nodiscard]] THeaderControl* Header() const { return m_header; }

    [[nodiscard]] TViewStyle ViewStyle() const { return m_viewStyle; }
    void SetViewStyle(TViewStyle value);
    [[nodiscard]] bool ShowColumnHeaders() const { return m_showColumnHeaders; }
    void SetShowColumnHeaders(bool value);
    [[nodiscard]] bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool value);
    [[nodiscard]] bool RowSelect() const { return m_rowSelect; }
    void SetRowSelect(bool value);
    [[nodiscard]] bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);
    [[nodiscard]] bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    [[nodiscard]] bool OwnerData() const { return m_ownerData; }
    // Switching drops every item and the selection.
    void SetOwnerData(bool value);
    [[nodiscard]] TSortType SortType() const { return m_sortType; }
    // stText sorts at once, and again after every EndUpdate.
    void SetSortType(TSortType value);

    [[nodiscard]] TImageListComponent* LargeImages() const { return m_largeImages; }
    void SetLargeImages(TImageListComponent* value);
    [[nodiscard]] TImageListComponent* SmallImages() const { return m_smallImages; }
    void SetSmallImages(TImageListComponent* value);
    [[nodiscard]] TImageListComponent* StateImages() const { return m_stateImages; }
    void SetStateImages(TImageListComponent* value);

    // Selection: ItemIndex is the focused item when it is selected, else the first selected.
    [[nodiscard]] int ItemIndex() const;
    void SetItemIndex(int value);
    [[nodiscard]] TListItem* Selected() const;
    [[nodiscard]] int SelCount() const;
    [[nodiscard]] bool IsSelected(int index) const;
    void SetItemSelected(int index, bool value);
    void ClearSelection();
    void SelectAll();
    [[nodiscard]] int ItemFocusedIndex() const { return m_focused; }
    [[nodiscard]] TListItem* ItemFocused() const;
    void SetItemFocusedIndex(int index);

    // Report and list styles: the first visible item; icon styles: the first item of the first
    // visible line.
    [[nodiscard]] int TopIndex() const;
    [[nodiscard]] TListItem* TopItem() const;
    // Items wholly visible in one page (report: rows; list: rows x whole columns).
    [[nodiscard]] int VisibleRowCount() const;
    [[nodiscard]] TRect ItemRect(int index) const;
    // The item at a client point, or -1.
    [[nodiscard]] int IndexAt(int x, int y) const;
    [[nodiscard]] TListItem* GetItemAt(int x, int y) const;
    void MakeVisible(int index);
    // The next item after start (wrapping) whose caption begins with prefix, without regard to
    // case; -1 when none.
    [[nodiscard]] int FindCaption(const std::string& prefix, int start, bool includeStart) const;
    [[nodiscard]] int HeaderHeight() const;
    [[nodiscard]] int RowHeight() const { return m_rowHeight; }

    // Sorts the items with OnCompare (or by caption when it is unset); stable, keeps the
    // selection and focus with their items. Nothing happens in OwnerData mode.
    void AlphaSort();
    void CustomSort(const std::function<int(const TListItem&, const TListItem&)>& compare);

    [[nodiscard]] TScrollRange ScrollRange(int bar) const;
    void Scroll(int bar, int code, int pos = 0);

    TLVNotifyEvent OnData;
    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;
    TLVCustomDrawItemEvent OnCustomDrawItem;
    TLVNotifyEvent OnDeletion;

protected:
    friend class TListItems;
    friend class TListColumns;
    friend class TListItem;
    void Paint() override;
    void DefaultHandler(TMessage& message) override;
    void WMGetDlgCode(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void FontChanged() override;
    // Draws one item in its rectangle.
    virtual void DrawItem(gfx::TCanvas& canvas, int index, const TRect& rect);
    // After the scroll position changed (the view has been invalidated).
    virtual void ScrollPositionChanged() {}
    [[nodiscard]] TOwnerDrawState ItemState(int index) const;
    // Puts another header window in place of the list's own (a skinned one, say); the list
    // owns it from then on.
    void SetColumnHeader(THeaderControl* header);

private:
    void ItemsChanged();
    void ItemChanged(int index, TItemChange change);
    void ItemInserted(int index);
    void ItemDeleted(int index);
    void ColumnsChanged();
    void UpdateHeader();
    void HeaderSectionsChanged();
    void Relayout();
    [[nodiscard]] int Cols() const;
    [[nodiscard]] int RowsPerColumn() const;
    [[nodiscard]] core::TSize CellSize() const;
    [[nodiscard]] int ListColumnWidth() const;
    [[nodiscard]] int ContentHeight() const;
    void SetScrollTop(int value);
    void SetScrollX(int value);
    [[nodiscard]] int MaxTop() const;
    void InvalidateItem(int index);
    void SelectRange(int from, int to, bool keepOthers);
    void MoveFocusTo(int index, TShiftState shift);
    void HandleKey(uint32_t key);
    void HandleChar(char32_t ch);
    void MousePress(TPoint pos, bool doubleClick);
    void SetSelectedRaw(int index, bool value);
    void DrawReportItem(gfx::TCanvas& canvas, int index, TListItem& item, const TRect& rect, TOwnerDrawState state);
    void DrawIconItem(gfx::TCanvas& canvas, TListItem& item, const TRect& rect, TOwnerDrawState state);
    void DrawSmallItem(gfx::TCanvas& canvas, TListItem& item, const TRect& rect, TOwnerDrawState state);

    TListItems m_items;
    TListColumns m_columns;
    THeaderControl* m_header = nullptr;
    std::vector<uint8_t> m_selected;  // one flag per item
    int m_focused = -1;
    int m_anchor = -1;
    TViewStyle m_viewStyle = vsIcon;
    bool m_showColumnHeaders = true;
    bool m_multiSelect = false;
    bool m_rowSelect = false;
    bool m_hideSelection = true;
    bool m_readOnly = false;
    bool m_ownerData = false;
    bool m_updatingHeader = false;
    TSortType m_sortType = stNone;
    TImageListComponent* m_largeImages = nullptr;
    TImageListComponent* m_smallImages = nullptr;
    TImageListComponent* m_stateImages = nullptr;
    // Report and list: m_top is the first row / first column; icon styles: pixels.
    int m_top = 0;
    int m_scrollX = 0;
    int m_rowHeight = 17;
    mutable int m_listColumnWidth = -1;  // measured widest caption cell, -1 when to be measured
    std::string m_search;
    uint64_t m_lastSearchTime = 0;
};

}  // namespace platform::forms
