#pragma once
// Checks a skin and reports every problem with its section and key.

#include <string>
#include <vector>

#include "skin/data/bsSkinFile.h"

namespace skintool {

enum class TSeverity { Error, Warning };

struct TProblem {
    TSeverity Severity = TSeverity::Error;
    std::string Section;  // without brackets; empty for problems of the whole skin
    std::string Key;      // empty for problems of a whole section
    std::string Message;
};

// "error: [section] key: message"
[[nodiscard]] std::string FormatProblem(const TProblem& p);
[[nodiscard]] bool HasErrors(const std::vector<TProblem>& problems);

// Every problem of a skin whose text and pictures are in memory. Pictures that could not be
// loaded are reported by the loader, not here.
[[nodiscard]] std::vector<TProblem> CheckSkin(const skin::TbsSkinSource& skin);

}  // namespace skintool
