// formgen: makes a form resource of the program from its template at build time.
//
//   formgen OUTPUT TEMPLATE [--skin PREFIX] [--text NAME=VALUE]...
//
// In the template, "<<skin-lines>>" becomes the description lines of the stored skin
// PREFIX.ini (as skintool packs it), as a list value; "<<NAME>>" becomes the string given with
// --text NAME=VALUE. Any other placeholder, or one without its value, is an error. The output
// is replaced atomically; on an error nothing is written.

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/forms/FormParser.h"

namespace {

using platform::forms::TPropValue;

struct TArgs {
    std::string Output;
    std::string Template;
    std::string SkinPrefix;
    std::map<std::string, std::string> Texts;
};

bool Fail(const std::string& message) {
    std::fprintf(stderr, "formgen: %s\n", message.c_str());
    return false;
}

bool ParseArgs(int argc, char** argv, TArgs& args) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--skin" && i + 1 < argc) {
            args.SkinPrefix = argv[++i];
        } else if (a == "--text" && i + 1 < argc) {
            const std::string pair = argv[++i];
            const auto eq = pair.find('=');
            if (eq == std::string::npos || eq == 0)
                return Fail("--text wants NAME=VALUE, not \"" + pair + "\"");
            args.Texts[pair.substr(0, eq)] = pair.substr(eq + 1);
        } else if (a.rfind("--", 0) == 0) {
            return Fail("unknown option " + a);
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2)
        return Fail("usage: formgen OUTPUT TEMPLATE [--skin PREFIX] [--text NAME=VALUE]...");
    args.Output = positional[0];
    args.Template = positional[1];
    return true;
}

bool ReadText(const std::string& path, std::string& text) {
    auto bytes = platform::core::ReadFileBytes(path);
    if (!bytes) return Fail("cannot read " + path);
    text.assign(bytes->begin(), bytes->end());
    return true;
}

// The description lines as the stored skin holds them: UTF-8 inside the program, whatever the
// file was written in.
bool SkinLines(const std::string& prefix, std::vector<std::string>& lines) {
    std::string raw;
    if (!ReadText(prefix + ".ini", raw)) return false;
    const std::string text = platform::core::DecodeExternalText(raw);
    std::string line;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            if (i < text.size() || !line.empty()) lines.push_back(line);
            line.clear();
            if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
        } else {
            line += text[i];
        }
    }
    if (lines.empty()) return Fail(prefix + ".ini holds no lines");
    return true;
}

// The indentation of the line that holds position pos, for the continuation lines of a list.
std::string IndentAt(const std::string& text, std::size_t pos) {
    const std::size_t start = text.rfind('\n', pos);
    std::size_t i = start == std::string::npos ? 0 : start + 1;
    std::string indent;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) indent += text[i++];
    return indent;
}

bool Expand(const TArgs& args, const std::string& templ, std::string& out) {
    std::vector<std::string> skinLines;
    std::size_t pos = 0;
    int line = 1;
    while (pos < templ.size()) {
        const std::size_t open = templ.find("<<", pos);
        const std::size_t stop = open == std::string::npos ? templ.size() : open;
        for (std::size_t i = pos; i < stop; ++i) line += templ[i] == '\n' ? 1 : 0;
        out.append(templ, pos, stop - pos);
        if (open == std::string::npos) break;
        const std::size_t close = templ.find(">>", open + 2);
        if (close == std::string::npos || templ.find('\n', open) < close)
            return Fail(args.Template + ":" + std::to_string(line) + ": unclosed placeholder");
        const std::string name = templ.substr(open + 2, close - open - 2);
        if (name == "skin-lines") {
            if (args.SkinPrefix.empty())
                return Fail(args.Template + ":" + std::to_string(line) + ": <<skin-lines>> needs --skin");
            if (skinLines.empty() && !SkinLines(args.SkinPrefix, skinLines)) return false;
            out += platform::forms::detail::FormatValue(TPropValue::List(skinLines), IndentAt(templ, open));
        } else if (auto it = args.Texts.find(name); it != args.Texts.end()) {
            out += platform::forms::detail::FormatValue(TPropValue::String(it->second), "");
        } else {
            return Fail(args.Template + ":" + std::to_string(line) + ": no value for <<" + name + ">>");
        }
        pos = close + 2;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    TArgs args;
    if (!ParseArgs(argc, argv, args)) return 2;
    std::string templ;
    std::string form;
    if (!ReadText(args.Template, templ) || !Expand(args, templ, form)) return 1;
    if (!platform::core::WriteFileAtomic(args.Output, form.data(), form.size())) {
        Fail("cannot write " + args.Output);
        return 1;
    }
    return 0;
}
