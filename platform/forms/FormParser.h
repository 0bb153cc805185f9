#pragma once
// The syntax of form resources (see README.md): text in, a tree of objects with their property
// values out. Internal to the forms layer (the reader and the tests of the syntax use it).

#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/PropertyTable.h"

namespace platform::forms::detail {

struct TPropertyNode {
    std::string Name;
    TPropValue Value;
    std::string FileName;  // set for file('name') binary values (Value.Bytes filled later)
    int Line = 0;
};

struct TObjectNode {
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<TPropertyNode> Properties;
    std::vector<TObjectNode> Children;
};

// Throws EFormResourceError (with source and line) on a syntax error.
[[nodiscard]] TObjectNode ParseFormText(std::string_view text, const std::string& source);

// Writes a value as the syntax wants it (strings quoted, sets bracketed, ...); indent is used
// for the continuation lines of lists and binary data.
[[nodiscard]] std::string FormatValue(const TPropValue& value, const std::string& indent);

}  // namespace platform::forms::detail
