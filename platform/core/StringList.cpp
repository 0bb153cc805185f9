#include "platform/core/StringList.h"

#include <algorithm>
#include <stdexcept>

#include "platform/core/Files.h"
#include "platform/core/Strings.h"

namespace platform::core {

namespace {

void CheckIndex(int index, std::size_t count) {
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        throw std::out_of_range("TStringList: index " + std::to_string(index) + " out of bounds (count " +
                                std::to_string(count) + ")");
    }
}

std::string_view NamePart(std::string_view line) {
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view{} : line.substr(0, eq);
}

}  // namespace

const std::string& TStringList::operator[](int index) const {
    CheckIndex(index, m_items.size());
    return m_items[static_cast<std::size_t>(index)].text;
}

void TStringList::SetStrings(int index, std::string value) {
    CheckIndex(index, m_items.size());
    if (!m_sorted) {
        m_items[static_cast<std::size_t>(index)].text = std::move(value);
        return;
    }
    // A sorted list stays sorted: the entry moves to the place of its new text.
    void* object = m_items[static_cast<std::size_t>(index)].object;
    Delete(index);
    AddObject(std::move(value), object);
}

void* TStringList::Objects(int index) const {
    CheckIndex(index, m_items.size());
    return m_items[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObjects(int index, void* object) {
    CheckIndex(index, m_items.size());
    m_items[static_cast<std::size_t>(index)].object = object;
}

int TStringList::Add(std::string s) { return AddObject(std::move(s), nullptr); }

int TStringList::AddObject(std::string s, void* object) {
    std::size_t pos = m_items.size();
    if (m_sorted) {
        // After any equal entries, so that equal entries keep the order they were added in.
        const auto it = std::upper_bound(m_items.begin(), m_items.end(), s, [this](const std::string& v, const Item& item) {
            return Compare(v, item.text) < 0;
        });
        pos = static_cast<std::size_t>(it - m_items.begin());
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(pos), Item{std::move(s), object});
    return static_cast<int>(pos);
}

void TStringList::Insert(int index, std::string s) {
    if (m_sorted) {
        Add(std::move(s));
        return;
    }
    if (index < 0 || static_cast<std::size_t>(index) > m_items.size()) {
        throw std::out_of_range("TStringList: insert index " + std::to_string(index) + " out of bounds");
    }
    m_items.insert(m_items.begin() + index, Item{std::move(s), nullptr});
}

void TStringList::Delete(int index) {
    CheckIndex(index, m_items.size());
    m_items.erase(m_items.begin() + index);
}

void TStringList::Clear() { m_items.clear(); }

void TStringList::Exchange(int a, int b) {
    CheckIndex(a, m_items.size());
    CheckIndex(b, m_items.size());
    std::swap(m_items[static_cast<std::size_t>(a)], m_items[static_cast<std::size_t>(b)]);
}

int TStringList::IndexOf(std::string_view s) const {
    if (m_sorted) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (Compare(m_items[i].text, s) == 0) return static_cast<int>(i);
    }
    return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const std::string_view line = m_items[i].text;
        if (line.find('=') == std::string_view::npos) continue;
        if (Compare(NamePart(line), name) == 0) return static_cast<int>(i);
    }
    return -1;
}

std::string TStringList::Names(int index) const { return std::string(NamePart((*this)[index])); }

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& line = (*this)[index];
    const std::size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TStringList::Values(std::string_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStringList::SetValues(std::string_view name, std::string_view value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) Delete(index);
        return;
    }
    std::string line(name);
    line += '=';
    line += value;
    if (index >= 0) {
        SetStrings(index, std::move(line));
    } else {
        Add(std::move(line));
    }
}

std::string TStringList::Text() const {
    std::size_t total = 0;
    for (const Item& item : m_items) total += item.text.size() + 2;
    std::string out;
    out.reserve(total);
    for (const Item& item : m_items) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    Clear();
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            Add(std::string(text.substr(start, i - start)));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) Add(std::string(text.substr(start)));
}

std::string TStringList::CommaText() const {
    std::string out;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (i > 0) out += ',';
        const std::string& s = m_items[i].text;
        const bool quote = s.empty() || std::any_of(s.begin(), s.end(), [](char c) {
                               return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"';
                           });
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (const char c : s) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted && !m_sorted) {
        m_sorted = true;
        Sort();
    }
    m_sorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == m_caseSensitive) return;
    m_caseSensitive = caseSensitive;
    if (m_sorted) Sort();
}

void TStringList::Sort() {
    std::stable_sort(m_items.begin(), m_items.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
}

bool TStringList::LoadFromFile(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return false;
    std::string_view view(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);  // UTF-8 byte order mark
    SetText(DecodeExternalText(view));
    return true;
}

bool TStringList::SaveToFile(const std::string& path) const {
    const std::string text = Text();
    return WriteFileAtomic(path, text.data(), text.size());
}

int TStringList::Compare(std::string_view a, std::string_view b) const {
    if (m_caseSensitive) {
        const int r = a.compare(b);
        return r < 0 ? -1 : (r > 0 ? 1 : 0);
    }
    return CompareText(a, b);
}

bool TStringList::Find(std::string_view s, int& index) const {
    const auto it = std::lower_bound(m_items.begin(), m_items.end(), s,
                                     [this](const Item& item, std::string_view v) { return Compare(item.text, v) < 0; });
    index = static_cast<int>(it - m_items.begin());
    return it != m_items.end() && Compare(it->text, s) == 0;
}

}  // namespace platform::core
