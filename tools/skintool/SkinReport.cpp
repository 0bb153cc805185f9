// skintool check and info.

#include <map>

#include "platform/core/IniFile.h"
#include "skin/data/bsSkinDataRecords.h"
#include "skin/data/bsUtilsValues.h"
#include "tools/skintool/SkinCheck.h"
#include "tools/skintool/SkinInput.h"
#include "tools/skintool/SkinTool.h"

namespace skintool {

using namespace skin;

namespace {

bool OneSkinArgument(const TArgs& args, const char* command, std::ostream& err) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
        err << "skintool " << command << ": needs exactly one skin\n";
        return false;
    }
    return true;
}

std::string Describe(const TBitmap& b) {
    if (b.Empty()) return "(none)";
    int depth = b.SourceFormat() ? b.SourceFormat()->BitCount : 24;
    return std::to_string(b.Width()) + " x " + std::to_string(b.Height()) + ", " + std::to_string(depth) +
           "-bit, " + std::to_string(b.SaveToMemory().size()) + " bytes";
}

void ListRecords(std::ostream& out, const platform::core::TMemIniFile& ini, const char* list, bool objects) {
    std::map<std::string, std::vector<std::string>> byKind;
    std::vector<std::string> unknown;
    int records = 0;
    SkinForEachListEntry(ini, list, "count", [&](int, const std::string& text) {
        TbsSkinEntry e = SplitEntry(text);
        bool known = objects ? CreateSkinObjectRecord(e.Kind, e.Name) != nullptr
                             : CreateSkinControlRecord(e.Kind, e.Name) != nullptr;
        if (!known) {
            unknown.push_back(text);
            return;
        }
        byKind[e.Kind].push_back(e.Name);
        ++records;
    });
    out << (objects ? "objects" : "controls") << " (" << records << " records):\n";
    for (const auto& [kind, names] : byKind) {
        out << "  " << kind << " (" << names.size() << "):";
        for (const auto& n : names) out << ' ' << n;
        out << '\n';
    }
    for (const auto& u : unknown) out << "  ignored entry: \"" << u << "\"\n";
}

}  // namespace

int RunCheck(const TArgs& args, std::ostream& out, std::ostream& err) {
    if (!OneSkinArgument(args, "check", err)) return 2;
    TLoadedSkin skin;
    std::string error;
    if (!LoadSkinInput(args[0], skin, error, true)) {
        out << "error: " << error << '\n';
        return 1;
    }
    std::vector<TProblem> problems = skin.Problems;
    for (auto& p : CheckSkin(skin.Source)) problems.push_back(std::move(p));
    int errors = 0, warnings = 0;
    for (const auto& p : problems) {
        out << FormatProblem(p) << '\n';
        (p.Severity == TSeverity::Error ? errors : warnings)++;
    }
    out << skin.Description << ": " << errors << " errors, " << warnings << " warnings\n";
    return errors ? 1 : 0;
}

int RunInfo(const TArgs& args, std::ostream& out, std::ostream& err) {
    if (!OneSkinArgument(args, "info", err)) return 2;
    TLoadedSkin skin;
    std::string error;
    if (!LoadSkinInput(args[0], skin, error)) {
        err << "skintool info: " << error << '\n';
        return 1;
    }
    platform::core::TMemIniFile ini;
    ini.SetStrings(skin.Source.Lines);
    out << "skin: " << skin.Description << " (" << InputKindName(skin.Kind) << ", "
        << skin.Source.Lines.Count() << " lines)\n";
    for (const char* key : {"skinname", "skinauthor", "authoremail", "authorurl", "skincomments"}) {
        std::string value = ini.ReadString("VERSION", key, "");
        if (!value.empty()) out << key << ": " << value << '\n';
    }
    TbsSkinPictureNames names = ReadSkinPictureNames(skin.Source.Lines);
    const TbsSkinPictureSet& pictures = skin.Source.Pictures;
    out << "pictures:\n";
    out << "  picture          " << names.Picture << "  " << Describe(pictures.Picture) << '\n';
    out << "  inactivepicture  " << names.InactivePicture << "  " << Describe(pictures.InactivePicture)
        << '\n';
    out << "  mask             " << names.Mask << "  " << Describe(pictures.FrameMask) << '\n';
    for (std::size_t i = 0; i < pictures.ActivePictures.size(); ++i) {
        std::string name = i < names.ActivePictures.size() ? names.ActivePictures[i] : "";
        out << "  " << i << std::string(i < 10 ? 16 : 15, ' ') << name << "  "
            << Describe(*pictures.ActivePictures[i]) << '\n';
    }
    ListRecords(out, ini, "SKINOBJECTS", true);
    ListRecords(out, ini, "SKINCONTROLS", false);
    return 0;
}

}  // namespace skintool
