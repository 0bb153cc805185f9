// Fuzzes the ini reader: TMemIniFile over arbitrary bytes, every read it offers, and a write.
// Properties: an unchanged document gives back its bytes; every listed section and key is found;
// a written value reads back the same, also after the bytes are read again; a write leaves the
// other sections as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/IniFile.h"

using namespace platform::core;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string Values(const TMemIniFile& ini, const std::string& section) {
    TStringList values;
    ini.ReadSectionValues(section, values);
    return values.Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TMemIniFile ini;
    ini.LoadFromBytes(bytes);
    Check(ini.SaveToBytes() == bytes);

    TStringList sections;
    ini.ReadSections(sections);
    TStringList keys;
    TStringList values;
    for (int s = 0; s < sections.Count() && s < 64; ++s) {
        const std::string& section = sections[s];
        Check(ini.SectionExists(section));
        ini.ReadSection(section, keys);
        ini.ReadSectionValues(section, values);
        Check(keys.Count() == values.Count());
        for (int k = 0; k < keys.Count() && k < 64; ++k) {
            Check(ini.ValueExists(section, keys[k]));
            const std::string value = ini.ReadString(section, keys[k], "\x01");
            Check(values[k] == keys[k] + "=" + value);
            (void)ini.ReadInteger(section, keys[k], 0);
            (void)ini.ReadBool(section, keys[k], false);
        }
    }
    TStringList lines;
    ini.GetStrings(lines);

    // A write into the first section (and into a new one) reads back, before and after a reparse.
    if (sections.Count() > 0 && !sections[0].empty() && !ini.SectionExists("Fuzz New Section")) {
        const std::string section = sections[0];
        ini.ReadSection(section, keys);
        const std::string key = keys.Count() > 0 ? keys[0] : "NewKey";
        const std::string other = sections.Count() > 1 ? sections[1] : std::string();
        const std::string otherBefore = other.empty() ? "" : Values(ini, other);
        const std::string value = " \"fuzzed\" = value ";
        Check(ini.WriteString(section, key, value));
        Check(ini.ReadString(section, key, "") == value);
        Check(ini.WriteString("Fuzz New Section", "k", "v"));
        Check(ini.ReadString("fuzz new section", "K", "") == "v");
        if (!other.empty()) Check(Values(ini, other) == otherBefore);

        // New keys into every section (the index is updated in place), then everything memory
        // answers must be what the bytes say.
        for (int s = 0; s < sections.Count() && s < 16; ++s) {
            if (!sections[s].empty()) Check(ini.WriteString(sections[s], "Fuzz Added", IntToStr(s)));
        }
        Check(ini.WriteString("Fuzz New Section", "k2", "v2"));
        TMemIniFile again;
        again.LoadFromBytes(ini.SaveToBytes());
        Check(again.ReadString(section, key, "") == value);
        Check(again.ReadString("Fuzz New Section", "k", "") == "v");
        TStringList now;
        ini.ReadSections(now);
        TStringList reread;
        again.ReadSections(reread);
        Check(now.Text() == reread.Text());
        for (int s = 0; s < now.Count() && s < 64; ++s) Check(Values(ini, now[s]) == Values(again, now[s]));
        ini.EraseSection(section);
        Check(!ini.SectionExists(section));
    }
    ini.SetStrings(lines);
    return 0;
}
