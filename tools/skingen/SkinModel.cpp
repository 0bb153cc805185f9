#include "tools/skingen/SkinModel.h"

#include <filesystem>
#include <set>

#include "platform/core/IniFile.h"
#include "skin/data/bsSkinFile.h"
#include "skin/data/bsUtilsValues.h"
#include "tools/skingen/OutputFolder.h"

namespace skingen {

using namespace skin;
using platform::core::TMemIniFile;
using platform::core::TStringList;

int TSkinModel::AddPicture(std::string fileName, TBitmap bitmap, int bitCount) {
    Pictures.push_back({std::move(fileName), std::move(bitmap), bitCount});
    return static_cast<int>(Pictures.size()) - 1;
}

namespace {

void WriteFormInfo(TMemIniFile& ini, const TFormInfo& f) {
    const char* s = "FORMINFO";
    SkinWritePoint(ini, s, "lefttoppoint", f.lefttoppoint);
    SkinWritePoint(ini, s, "righttoppoint", f.righttoppoint);
    SkinWritePoint(ini, s, "leftbottompoint", f.leftbottompoint);
    SkinWritePoint(ini, s, "rightbottompoint", f.rightbottompoint);
    SkinWriteRect(ini, s, "clientrect", f.clientrect);
    SkinWriteInteger(ini, s, "bgpictureindex", f.bgpictureindex);
    SkinWriteInteger(ini, s, "mdibgpictureindex", f.mdibgpictureindex);
    SkinWriteFlag(ini, s, "leftstretch", f.leftstretch);
    SkinWriteFlag(ini, s, "rightstretch", f.rightstretch);
    SkinWriteFlag(ini, s, "topstretch", f.topstretch);
    SkinWriteFlag(ini, s, "bottomstretch", f.bottomstretch);
    SkinWriteRect(ini, s, "maskrectarea", f.maskrectarea);
    SkinWritePoint(ini, s, "hittestlefttoppoint", f.hittestlefttoppoint);
    SkinWritePoint(ini, s, "hittestrighttoppoint", f.hittestrighttoppoint);
    SkinWritePoint(ini, s, "hittestleftbottompoint", f.hittestleftbottompoint);
    SkinWritePoint(ini, s, "hittestrightbottompoint", f.hittestrightbottompoint);
    SkinWriteRect(ini, s, "buttonsrect", f.buttonsrect);
    SkinWriteRect(ini, s, "captionrect", f.captionrect);
    SkinWriteInteger(ini, s, "buttonsoffset", f.buttonsoffset);
    SkinWriteFlag(ini, s, "buttonsinleft", f.buttonsinleft);
    SkinWriteFlag(ini, s, "mainmenupopupup", f.mainmenupopupup);
    SkinWriteInteger(ini, s, "borderwidth", f.borderwidth);
    SkinWriteFlag(ini, s, "autorenderinginactiveimage", f.autorenderinginactiveimage);
    SkinWriteText(ini, s, "inactiveeffect", InactiveEffectToText(f.inactiveeffect));
}

void WriteList(TMemIniFile& ini, const char* section, std::vector<TSkinEntry>& entries) {
    SkinWriteInteger(ini, section, "count", static_cast<int32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i)
        SkinWriteText(ini, section, std::to_string(i),
                      entries[i].Record->SectionName + ":" + entries[i].Kind);
}

}  // namespace

std::string SkinDescriptionText(TSkinModel& model) {
    TMemIniFile ini;
    const char* v = "VERSION";
    SkinWriteText(ini, v, "ver", model.Version);
    SkinWriteText(ini, v, "skinname", model.SkinName);
    SkinWriteText(ini, v, "skinauthor", model.SkinAuthor);
    SkinWriteText(ini, v, "authoremail", model.AuthorEmail);
    SkinWriteText(ini, v, "authorurl", model.AuthorUrl);
    SkinWriteText(ini, v, "skincomments", model.SkinComments);

    const char* p = "PICTURES";
    SkinWriteText(ini, p, "picture", model.Main.FileName);
    SkinWriteText(ini, p, "inactivepicture", "");
    SkinWriteText(ini, p, "mask", model.Mask.FileName);
    SkinWriteInteger(ini, p, "activepicturescount", static_cast<int32_t>(model.Pictures.size()));
    for (std::size_t i = 0; i < model.Pictures.size(); ++i)
        SkinWriteText(ini, p, std::to_string(i), model.Pictures[i].FileName);

    WriteFormInfo(ini, model.FormInfo);
    model.PopupWindow.SaveToIni(ini);
    model.HintWindow.SaveToIni(ini);
    WriteList(ini, "SKINOBJECTS", model.Objects);
    for (TSkinEntry& e : model.Objects) e.Record->SaveToIni(ini);
    WriteList(ini, "SKINCONTROLS", model.Controls);
    for (TSkinEntry& e : model.Controls) e.Record->SaveToIni(ini);

    TStringList lines;
    ini.GetStrings(lines);
    return EncodeSkinText(lines, platform::core::TTextEncoding::Utf8);
}

std::vector<uint8_t> EncodeMaskBmp(const TBitmap& bitmap, int bitCount) {
    const int w = bitmap.Width(), h = bitmap.Height();
    const int colors = bitCount == 1 ? 2 : 16;
    const int stride = ((w * bitCount + 31) / 32) * 4;
    const uint32_t offBits = 14 + 40 + 4 * colors;
    const uint32_t fileSize = offBits + static_cast<uint32_t>(stride * h);
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    u32(fileSize);
    u32(0);
    u32(offBits);
    u32(40);
    u32(static_cast<uint32_t>(w));
    u32(static_cast<uint32_t>(h));
    u16(1);
    u16(static_cast<uint32_t>(bitCount));
    u32(0);
    u32(static_cast<uint32_t>(stride * h));
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    // The classic 16-colour palette (black first, white last); a 1-bit mask uses its ends.
    static constexpr uint32_t kPalette16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};  // 0xBBGGRR
    for (int i = 0; i < colors; ++i) {
        const uint32_t c = bitCount == 1 ? (i == 0 ? 0u : 0xFFFFFFu) : kPalette16[i];
        out.push_back(static_cast<uint8_t>(c >> 16));  // blue
        out.push_back(static_cast<uint8_t>(c >> 8));   // green
        out.push_back(static_cast<uint8_t>(c));        // red
        out.push_back(0);
    }
    const int white = colors - 1;
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<std::size_t>(stride), 0);
        const uint32_t* src = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int index = (src[x] & 0xFFFFFF) == 0 ? 0 : white;
            if (bitCount == 1) {
                if (index) row[static_cast<std::size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            } else {
                row[static_cast<std::size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool WriteSkinFolder(TSkinModel& model, const std::string& folder, std::string* error) {
    TOutputFolder out;
    out.Add("skin.ini", SkinDescriptionText(model));
    auto addPicture = [&](const TSkinPicture& p) {
        out.Add(p.FileName, p.BitCount == 24 ? p.Bitmap.SaveToMemory() : EncodeMaskBmp(p.Bitmap, p.BitCount));
    };
    addPicture(model.Main);
    addPicture(model.Mask);
    for (const TSkinPicture& p : model.Pictures) addPicture(p);
    // An earlier skin replaced by this one may have named its pictures differently; those go
    // too, but nothing that the earlier description did not name.
    std::set<std::string> earlier{"skin.ini"};
    TStringList lines;
    if (lines.LoadFromFile((std::filesystem::path(folder) / "skin.ini").string())) {
        const TbsSkinPictureNames names = ReadSkinPictureNames(lines);
        for (const std::string& n : {names.Picture, names.InactivePicture, names.Mask}) earlier.insert(n);
        earlier.insert(names.ActivePictures.begin(), names.ActivePictures.end());
    }
    return out.Commit(
        folder,
        [&earlier](const std::string& path) {
            return earlier.count(std::filesystem::path(path).filename().string()) > 0;
        },
        error);
}

}  // namespace skingen
