#pragma once
// The skintool commands. Each takes its arguments (without the command name) and reports on the
// two streams; the result is the process exit code: 0 done, 1 a problem with the skin or a file,
// 2 a usage error.

#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace skintool {

using TArgs = std::vector<std::string>;

struct TCommand {
    const char* Name;
    const char* Summary;
    const char* Usage;  // full help text
    int (*Run)(const TArgs& args, std::ostream& out, std::ostream& err);
};

[[nodiscard]] std::span<const TCommand> Commands();

int RunPack(const TArgs& args, std::ostream& out, std::ostream& err);
int RunUnpack(const TArgs& args, std::ostream& out, std::ostream& err);
int RunCheck(const TArgs& args, std::ostream& out, std::ostream& err);
int RunInfo(const TArgs& args, std::ostream& out, std::ostream& err);
int RunPreview(const TArgs& args, std::ostream& out, std::ostream& err);

// Dispatches "skintool <command> ..." (args without the program name).
int RunSkinTool(const TArgs& args, std::ostream& out, std::ostream& err);

}  // namespace skintool
