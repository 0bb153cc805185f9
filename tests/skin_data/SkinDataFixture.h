#pragma once
// Skins made in code for the skin data tests: pictures in the depths skins use, a description
// text with every section, skin folders in fresh temporary folders.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/StringList.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/bsSkinFile.h"

namespace skintest {

using platform::core::TStringList;
using platform::gfx::TBitmap;

inline void Le16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Le32(std::vector<uint8_t>& out, uint32_t v) {
    Le16(out, v & 0xFFFF);
    Le16(out, v >> 16);
}

// A palette BMP (1, 4 or 8 bits) with a 40-byte header, bottom-up, pixels from a simple pattern.
inline std::vector<uint8_t> PaletteBmp(int width, int height, int bits) {
    const int colours = 1 << bits;
    const int stride = ((width * bits + 31) / 32) * 4;
    std::vector<uint8_t> rows(static_cast<std::size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int index = (x / 3 + y) % colours;
            int bit = x * bits;
            uint8_t& byte = rows[static_cast<std::size_t>(y) * stride + bit / 8];
            byte |= static_cast<uint8_t>(index << (8 - bits - bit % 8));
        }
    }
    const uint32_t offBits = 14 + 40 + 4 * colours;
    std::vector<uint8_t> out{'B', 'M'};
    Le32(out, offBits + static_cast<uint32_t>(rows.size()));
    Le32(out, 0);
    Le32(out, offBits);
    Le32(out, 40);
    Le32(out, static_cast<uint32_t>(width));
    Le32(out, static_cast<uint32_t>(height));
    Le16(out, 1);
    Le16(out, static_cast<uint32_t>(bits));
    Le32(out, 0);
    Le32(out, static_cast<uint32_t>(rows.size()));
    Le32(out, 2835);
    Le32(out, 2835);
    Le32(out, 0);
    Le32(out, 0);
    for (int i = 0; i < colours; ++i) Le32(out, (static_cast<uint32_t>(i) * 0x00111111u) & 0xFFFFFFu);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

// A 24-bit picture with seeded noise, so that pictures differ.
inline TBitmap NoiseBitmap(int width, int height, uint32_t seed) {
    TBitmap b(width, height);
    std::mt19937 rng(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.SetPixel(x, y, static_cast<int32_t>(rng() & 0xFFFFFF));
    return b;
}

inline TBitmap FromBytes(const std::vector<uint8_t>& bytes) {
    TBitmap b;
    b.LoadFromMemory(bytes.data(), bytes.size());
    return b;
}

inline TStringList Lines(std::string_view text) {
    TStringList l;
    l.SetText(text);
    return l;
}

// A complete description: pictures main.bmp, mask.bmp and two numbered ones; objects and controls
// that exercise the loader's rules.
inline constexpr std::string_view kSkinText = R"([VERSION]
ver=1
skinname=Test Skin
skinauthor=An Author
authoremail=author@example.org
authorurl=http://example.org
skincomments=made for tests

[PICTURES]
picture=main.bmp
inactivepicture=
mask=mask.bmp
activepicturescount=2
0=p0.bmp
1=p1.bmp

[FORMINFO]
lefttoppoint=10,20
righttoppoint=90,20
leftbottompoint=10,70
rightbottompoint=90,70
clientrect=5,25,95,75
maskrectarea=0,0,0,0
hittestlefttoppoint=0,30
hittestrighttoppoint=88,22
buttonsrect=60,2,98,18
captionrect=4,2,60,18
buttonsoffset=2
buttonsinleft=1
borderwidth=3
inactiveeffect=iedarkness

[POPUPWINDOW]
windowpictureindex=0
itemsrect=3,3,30,30

[HINTWINDOW]
windowpictureindex=1
fontname=Tahoma
fontheight=12

[SKINOBJECTS]
count=3
0=caption1:caption
1=closebutton:stdbutton
2=anim:animate

[caption1]
skinrect=0,0,40,20
fontstyle=fsbold
alignment=taleftjustify

[closebutton]
skinrect=80,2,96,16
activepictureindex=0
activeskinrect=0,0,16,14
command=cmclose

[anim]
skinrect=40,0,56,16
morphing=1
countframes=4

[SKINCONTROLS]
count=10
0=button:button
1=combobox:combobox
2=listbox:listbox
3=mystery:frobnicator
4=button:bevel
5=vupdown:updown
6=Label:stdlabel
7=nocolon

[button]
pictureindex=0
skinrect=0,0,30,20
lefttoppoint=3,3
rightbottompoint=27,17
clientrect=3,3,27,17
fontheight=13
activeskinrect=0,20,30,40

[combobox]
pictureindex=1
skinrect=0,0,40,20
listboxname=listbox

[listbox]
pictureindex=1
skinrect=0,20,40,60

[vupdown]
pictureindex=0
skinrect=30,0,45,40
lefttoppoint=6,22
clientrect=1,5,14,72
upbuttonrect=0,0,15,20

[Label]
fontcolor=255
)";

// The pictures that go with kSkinText: 100x80 main picture (24-bit), 4-bit mask, and two
// numbered pictures (24-bit and 1-bit).
inline platform::core::TStringList SkinLines() {
    return Lines(kSkinText);
}
inline skin::TbsSkinPictureSet SkinPictures() {
    skin::TbsSkinPictureSet set;
    set.Picture = NoiseBitmap(100, 80, 1);
    set.FrameMask = FromBytes(PaletteBmp(100, 80, 4));
    set.ActivePictures.push_back(std::make_unique<TBitmap>(NoiseBitmap(48, 64, 2)));
    set.ActivePictures.push_back(std::make_unique<TBitmap>(FromBytes(PaletteBmp(45, 60, 1))));
    return set;
}
inline skin::TbsSkinSource SkinSource() {
    skin::TbsSkinSource s;
    s.Lines = SkinLines();
    s.Pictures = SkinPictures();
    return s;
}

// A fresh folder removed with the object.
class TTempDir {
public:
    TTempDir() {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() / ("skin_data_test_" + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    [[nodiscard]] std::string Path(std::string_view name = {}) const { return (m_path / name).string(); }
    void Write(std::string_view name, std::string_view bytes) const {
        std::ofstream(m_path / name, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void Write(std::string_view name, const std::vector<uint8_t>& bytes) const {
        Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

private:
    std::filesystem::path m_path;
};

// Writes kSkinText and its pictures as a skin folder; returns the description's path.
inline std::string WriteSkinFolder(const TTempDir& dir, std::string_view text = kSkinText) {
    auto set = SkinPictures();
    dir.Write("skin.ini", text);
    dir.Write("main.bmp", set.Picture.SaveToMemory());
    dir.Write("mask.bmp", set.FrameMask.SaveToMemory());
    dir.Write("p0.bmp", set.ActivePictures[0]->SaveToMemory());
    dir.Write("p1.bmp", set.ActivePictures[1]->SaveToMemory());
    return dir.Path("skin.ini");
}

inline std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace skintest
