#include "tools/skintool/SkinTool.h"

namespace skintool {

namespace {

constexpr const char* kInputForms =
    "SKIN is a skin folder (holding skin.ini), a description file, a stored skin (PREFIX.ini beside\n"
    "PREFIX.pictures), a compressed skin file, or a bare compressed data stream.\n";

const std::string kPackUsage =
    std::string(
        "usage: skintool pack SKIN [--stored PREFIX] [--compressed FILE] [--data FILE]\n"
        "\n"
        "Packs a skin into the forms a program carries:\n"
        "  --stored PREFIX    the stored skin: PREFIX.ini (the description text) and PREFIX.pictures\n"
        "                     (the pictures stream)\n"
        "  --compressed FILE  a compressed skin file (version, length, compressed data)\n"
        "  --data FILE        the bare compressed data stream\n"
        "At least one output is needed. A skin without one of the sections [VERSION], [PICTURES],\n"
        "[FORMINFO], [SKINOBJECTS], [SKINCONTROLS] is refused. Files are replaced atomically.\n") +
    kInputForms;

const std::string kUnpackUsage =
    std::string(
        "usage: skintool unpack SKIN FOLDER\n"
        "\n"
        "Writes the skin as a skin folder: FOLDER/skin.ini and the pictures under the names that\n"
        "[PICTURES] gives them. FOLDER must not exist or be empty; it appears whole or not at all.\n") +
    kInputForms;

const std::string kCheckUsage =
    std::string(
        "usage: skintool check SKIN\n"
        "\n"
        "Reports every problem of a skin with its section and key: missing sections, pictures that\n"
        "cannot be loaded, unknown kinds, picture indices out of range, empty rectangles and rectangles\n"
        "outside their picture, corner points outside their skinrect, and record names (listboxname,\n"
        "scroll-bar names, ...) that the skin does not list. Exits with 1 when there are errors.\n") +
    kInputForms;

const std::string kInfoUsage =
    std::string(
        "usage: skintool info SKIN\n"
        "\n"
        "Shows the skin's version texts, its pictures with their sizes and depths, and its records by\n"
        "kind.\n") +
    kInputForms;

const std::string kPreviewUsage =
    std::string(
        "usage: skintool preview SKIN OUT.png\n"
        "\n"
        "Renders the skin on one sheet: the window frame (active, inactive with a pressed caption\n"
        "button, with a hot close button), the frame's objects with the popup menu and hint windows,\n"
        "and every control record in each of its states, at its natural size and stretched. The PNG\n"
        "is replaced atomically.\n") +
    kInputForms;

const TCommand kCommands[] = {
    {"pack", "pack a skin into the stored or compressed form", kPackUsage.c_str(), &RunPack},
    {"unpack", "write a packed skin back into a skin folder", kUnpackUsage.c_str(), &RunUnpack},
    {"check", "report every problem of a skin", kCheckUsage.c_str(), &RunCheck},
    {"info", "show a skin's pictures and records", kInfoUsage.c_str(), &RunInfo},
    {"preview", "render every record and the frame on one sheet", kPreviewUsage.c_str(), &RunPreview},
};

void PrintOverview(std::ostream& out) {
    out << "usage: skintool COMMAND [ARGS]\n\ncommands:\n";
    for (const TCommand& c : kCommands)
        out << "  " << c.Name << std::string(10 - std::string(c.Name).size(), ' ') << c.Summary << '\n';
    out << "\n'skintool COMMAND --help' describes a command.\n";
}

}  // namespace

std::span<const TCommand> Commands() {
    return kCommands;
}

int RunSkinTool(const TArgs& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintOverview(err);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintOverview(out);
        return 0;
    }
    for (const TCommand& c : kCommands) {
        if (args[0] != c.Name) continue;
        TArgs rest(args.begin() + 1, args.end());
        for (const auto& a : rest) {
            if (a == "--help" || a == "-h") {
                out << c.Usage;
                return 0;
            }
        }
        return c.Run(rest, out, err);
    }
    err << "skintool: unknown command \"" << args[0] << "\"\n";
    PrintOverview(err);
    return 2;
}

}  // namespace skintool
