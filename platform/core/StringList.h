#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

// An ordered list of strings with an optional object pointer per entry. When Sorted is on, Add
// inserts in order (Duplicates are accepted, after their equals) and IndexOf uses the same
// comparison; Insert then adds in order and SetStrings moves the entry to its new place.
// Comparison: byte (code point) order when CaseSensitive, else CompareText. An index out of
// bounds throws std::out_of_range.
class TStringList {
public:
    TStringList() = default;

    [[nodiscard]] int Count() const { return static_cast<int>(m_items.size()); }
    [[nodiscard]] const std::string& operator[](int index) const;
    [[nodiscard]] const std::string& Strings(int index) const { return (*this)[index]; }
    void SetStrings(int index, std::string value);
    [[nodiscard]] void* Objects(int index) const;
    void SetObjects(int index, void* object);

    int Add(std::string s);
    int AddObject(std::string s, void* object);
    void Insert(int index, std::string s);
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    [[nodiscard]] int IndexOf(std::string_view s) const;
    // Key=value access as the Values property has it ("name=value" lines).
    [[nodiscard]] int IndexOfName(std::string_view name) const;
    [[nodiscard]] std::string Names(int index) const;
    [[nodiscard]] std::string ValueFromIndex(int index) const;
    [[nodiscard]] std::string Values(std::string_view name) const;
    // An empty value deletes the line, as the Values property does.
    void SetValues(std::string_view name, std::string_view value);

    // Lines joined with CR LF, each line terminated. SetText splits at CR LF, LF or a lone CR.
    [[nodiscard]] std::string Text() const;
    void SetText(std::string_view text);
    // Comma text: entries separated by commas, entries with blanks or commas quoted.
    [[nodiscard]] std::string CommaText() const;

    [[nodiscard]] bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    [[nodiscard]] bool CaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool caseSensitive);
    void Sort();

    // Reads and writes bytes from/to disk; text that is not valid UTF-8 is decoded as Windows-1252
    // (a UTF-8 byte order mark is dropped). SaveToFile writes UTF-8 with CR LF, atomically.
    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const;

private:
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    [[nodiscard]] int Compare(std::string_view a, std::string_view b) const;
    [[nodiscard]] bool Find(std::string_view s, int& index) const;

    std::vector<Item> m_items;
    bool m_sorted = false;
    bool m_caseSensitive = false;
};

}  // namespace platform::core
