// TListItem, TListItems and TListColumns: what a TListView shows.

#include <algorithm>
#include <stdexcept>

#include "platform/core/Strings.h"
#include "platform/forms/ListView.h"

namespace platform::forms {

namespace {
const std::string kEmpty;

std::string EscapeBars(const std::string& s) {
    std::string out;
    for (char c : s) {
        out += c;
        if (c == '|') out += '|';
    }
    return out;
}

// Splits at single "|"; "||" stands for one "|" inside a part.
std::vector<std::string> SplitBars(const std::string& line) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '|') {
            parts.back() += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '|') {
            parts.back() += '|';
            ++i;
        } else {
            parts.emplace_back();
        }
    }
    return parts;
}
}  // namespace

// ---- TListItem ----

void TListItem::Changed(TItemChange change) {
    // An owner-data item is being filled for the view; that is no change of the list.
    if (!m_scratch) m_view.ItemChanged(m_index, change);
}

void TListItem::SetCaption(std::string value) {
    m_caption = std::move(value);
    if (!m_scratch) m_view.m_listColumnWidth = -1;
    Changed(ctText);
}

void TListItem::SetSubItems(std::vector<std::string> value) {
    m_subItems = std::move(value);
    Changed(ctText);
}

const std::string& TListItem::ColumnText(int column) const {
    if (column == 0) return m_caption;
    const auto sub = static_cast<size_t>(column - 1);
    return column > 0 && sub < m_subItems.size() ? m_subItems[sub] : kEmpty;
}

void TListItem::SetImageIndex(int value) {
    m_imageIndex = value;
    Changed(ctImage);
}

void TListItem::SetStateIndex(int value) {
    m_stateIndex = value;
    Changed(ctState);
}

bool TListItem::Selected() const { return m_view.IsSelected(m_index); }

void TListItem::SetSelected(bool value) { m_view.SetItemSelected(m_index, value); }

bool TListItem::Focused() const { return m_view.ItemFocusedIndex() == m_index; }

void TListItem::SetFocused(bool value) {
    if (value)
        m_view.SetItemFocusedIndex(m_index);
    else if (Focused())
        m_view.SetItemFocusedIndex(-1);
}

TRect TListItem::DisplayRect() const { return m_view.ItemRect(m_index); }

void TListItem::MakeVisible() { m_view.MakeVisible(m_index); }

void TListItem::Delete() { m_view.Items().Delete(m_index); }

// ---- TListItems ----

int TListItems::Count() const {
    return m_view.OwnerData() ? m_virtualCount : static_cast<int>(m_items.size());
}

void TListItems::SetCount(int value) {
    if (!m_view.OwnerData()) return;
    m_virtualCount = std::max(0, value);
    m_view.ItemsChanged();
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("list item index out of range");
    if (!m_view.OwnerData()) return m_items[static_cast<size_t>(index)].get();
    if (!m_scratch) {
        m_scratch = std::make_unique<TListItem>(m_view);
        m_scratch->m_scratch = true;
    }
    TListItem& item = *m_scratch;
    item.m_caption.clear();
    item.m_subItems.clear();
    item.m_imageIndex = -1;
    item.m_stateIndex = -1;
    item.Data = nullptr;
    item.m_index = index;
    if (m_view.OnData) m_view.OnData(&m_view, m_scratch.get());
    return m_scratch.get();
}

void TListItems::Renumber(int from) {
    for (size_t i = static_cast<size_t>(std::max(0, from)); i < m_items.size(); ++i)
        m_items[i]->m_index = static_cast<int>(i);
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    if (m_view.OwnerData()) throw std::logic_error("an owner-data list view holds no items");
    if (index < 0 || index > Count()) throw std::out_of_range("list item insert index out of range");
    auto item = std::make_unique<TListItem>(m_view);
    TListItem* raw = item.get();
    m_items.insert(m_items.begin() + index, std::move(item));
    Renumber(index);
    m_view.ItemInserted(index);
    return raw;
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("list item index out of range");
    if (m_view.OwnerData()) {
        --m_virtualCount;
        m_view.ItemDeleted(index);
        return;
    }
    if (m_view.OnDeletion) m_view.OnDeletion(&m_view, m_items[static_cast<size_t>(index)].get());
    m_items.erase(m_items.begin() + index);
    Renumber(index);
    m_view.ItemDeleted(index);
}

void TListItems::Clear() {
    BeginUpdate();
    if (m_view.OwnerData()) {
        m_virtualCount = 0;
    } else {
        if (m_view.OnDeletion)
            for (auto& item : m_items) m_view.OnDeletion(&m_view, item.get());
        m_items.clear();
    }
    m_view.m_selected.clear();
    m_view.m_focused = -1;
    m_view.m_anchor = -1;
    EndUpdate();
}

void TListItems::BeginUpdate() { ++m_updateCount; }

void TListItems::EndUpdate() {
    if (m_updateCount == 0) return;
    if (--m_updateCount == 0) m_view.ItemsChanged();
}

std::vector<std::string> TListItems::SaveToLines() const {
    std::vector<std::string> lines;
    if (m_view.OwnerData()) return lines;
    for (const auto& item : m_items) {
        std::string line = EscapeBars(item->Caption());
        for (const std::string& sub : item->SubItems()) line += "|" + EscapeBars(sub);
        lines.push_back(std::move(line));
    }
    return lines;
}

void TListItems::LoadFromLines(const std::vector<std::string>& lines) {
    if (m_view.OwnerData()) return;
    BeginUpdate();
    Clear();
    for (const std::string& line : lines) {
        auto parts = SplitBars(line);
        TListItem* item = Add();
        item->m_caption = parts[0];
        item->m_subItems.assign(parts.begin() + 1, parts.end());
    }
    EndUpdate();
}

// ---- TListColumns ----

const TListColumn& TListColumns::Items(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("list column index out of range");
    return m_columns[static_cast<size_t>(index)];
}

TListColumn& TListColumns::Add(std::string caption, int width, TAlignment alignment) {
    m_columns.push_back({std::move(caption), std::max(0, width), alignment, -1});
    m_view.ColumnsChanged();
    return m_columns.back();
}

void TListColumns::Set(int index, const TListColumn& column) {
    if (index < 0 || index >= Count()) throw std::out_of_range("list column index out of range");
    m_columns[static_cast<size_t>(index)] = column;
    m_columns[static_cast<size_t>(index)].Width = std::max(0, column.Width);
    m_view.ColumnsChanged();
}

void TListColumns::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("list column index out of range");
    m_columns.erase(m_columns.begin() + index);
    m_view.ColumnsChanged();
}

void TListColumns::Clear() {
    m_columns.clear();
    m_view.ColumnsChanged();
}

int TListColumns::TotalWidth() const {
    int total = 0;
    for (const auto& c : m_columns) total += c.Width;
    return total;
}

std::vector<std::string> TListColumns::SaveToLines() const {
    std::vector<std::string> lines;
    for (const auto& c : m_columns)
        lines.push_back(EscapeBars(c.Caption) + "|" + std::to_string(c.Width) + "|" + std::to_string(c.Alignment));
    return lines;
}

void TListColumns::LoadFromLines(const std::vector<std::string>& lines) {
    m_columns.clear();
    for (const std::string& line : lines) {
        auto parts = SplitBars(line);
        TListColumn column;
        column.Caption = parts[0];
        if (parts.size() > 1) column.Width = std::max(0, core::StrToIntDef(parts[1], 50));
        if (parts.size() > 2) {
            const int a = core::StrToIntDef(parts[2], 0);
            if (a >= taLeftJustify && a <= taCenter) column.Alignment = static_cast<TAlignment>(a);
        }
        m_columns.push_back(std::move(column));
    }
    m_view.ColumnsChanged();
}

}  // namespace platform::forms
