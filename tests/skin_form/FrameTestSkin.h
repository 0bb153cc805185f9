#pragma once
// A small frame skin made in code for the skin form's tests. Every pixel of the skin's main
// picture has its own colour (red = x, green = y), so a pixel of the painted frame tells exactly
// which picture pixel was put there.

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/StringList.h"
#include "platform/forms/Component.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "support/TestPictures.h"

namespace skinform {

using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::RGB;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

constexpr int kPicW = 200, kPicH = 100;
constexpr TColor Pix(int x, int y) {
    return RGB(x, y, 100);
}
constexpr TColor kHotClose = RGB(250, 20, 20), kDownClose = RGB(20, 20, 250),
                 kDisabledClose = RGB(90, 90, 90);
constexpr TColor kHotMax = RGB(20, 250, 20);
constexpr TColor kActiveCaption = RGB(240, 240, 0);

using vktest::Fill;

inline TBitmap MainPicture() {
    TBitmap b(kPicW, kPicH);
    for (int y = 0; y < kPicH; ++y)
        for (int x = 0; x < kPicW; ++x) b.SetPixel(x, y, Pix(x, y));
    return b;
}

// Black (inside) but for 4 x 4 white corners.
inline TBitmap MaskPicture() {
    TBitmap m(kPicW, kPicH);
    Fill(m, {0, 0, kPicW, kPicH}, 0);
    const TColor white = RGB(255, 255, 255);
    Fill(m, {0, 0, 4, 4}, white);
    Fill(m, {kPicW - 4, 0, kPicW, 4}, white);
    Fill(m, {0, kPicH - 4, 4, kPicH}, white);
    Fill(m, {kPicW - 4, kPicH - 4, kPicW, kPicH}, white);
    return m;
}

// Picture 0: the close button's hot, down and disabled faces and the maximise button's hot face,
// 15 x 15 each side by side. Picture 1: the caption's active strip.
inline TBitmap ButtonsPicture() {
    TBitmap b(60, 15);
    Fill(b, {0, 0, 15, 15}, kHotClose);
    Fill(b, {15, 0, 30, 15}, kDownClose);
    Fill(b, {30, 0, 45, 15}, kHotMax);
    Fill(b, {45, 0, 60, 15}, kDisabledClose);
    return b;
}

inline TBitmap CaptionPicture() {
    TBitmap b(152, 20);
    Fill(b, {0, 0, 152, 20}, kActiveCaption);
    return b;
}

// The frame: borders 5 pixels wide (30 at the top), corner points at x 40 / 160 and y 30 / 80;
// a caption strip from the left-top into the right-top area, and close and maximise buttons in
// the right-top area.
// extraEntries are appended to the object list ("name:kind"), extraSections to the text.
inline std::string SkinText(bool mask = true, std::string_view extraFormInfo = {},
                            std::string_view closeExtra = {}, std::string_view maxExtra = {},
                            std::initializer_list<std::string_view> extraEntries = {},
                            std::string_view extraSections = {}) {
    std::string t = "[VERSION]\nskinname=frame test\n\n[PICTURES]\npicture=main.bmp\n";
    t += mask ? "mask=mask.bmp\n" : "mask=\n";
    t += "activepicturescount=2\n0=buttons.bmp\n1=caption.bmp\n\n";
    t += "[FORMINFO]\nlefttoppoint=40,30\nrighttoppoint=160,30\nleftbottompoint=40,80\nrightbottompoint=160,"
         "80\n"
         "clientrect=5,30,195,95\nhittestlefttoppoint=8,8\nhittestrighttoppoint=192,8\n"
         "hittestleftbottompoint=8,92\nhittestrightbottompoint=192,92\nborderwidth=3\n";
    t += extraFormInfo;
    t += "\n[SKINOBJECTS]\ncount=" + std::to_string(3 + extraEntries.size()) +
         "\n0=closebutton:stdbutton\n1=maxbutton:stdbutton\n2=caption:caption\n";
    int index = 3;
    for (std::string_view entry : extraEntries)
        t += std::to_string(index++) + "=" + std::string(entry) + "\n";
    t += "\n";
    t += extraSections;
    t += "[closebutton]\nskinrect=178,7,193,22\nactivepictureindex=0\nactiveskinrect=0,0,15,15\n"
         "downrect=15,0,30,15\ndisableskinrsect=45,0,60,15\ncommand=cmclose\n";
    t += closeExtra;
    t += "\n[maxbutton]\nskinrect=162,7,177,22\nactivepictureindex=0\nactiveskinrect=30,0,45,15\ncommand="
         "cmmaximize\n";
    t += maxExtra;
    t += "\n[caption]\nskinrect=10,5,162,25\nactivepictureindex=1\nactiveskinrect=0,0,152,20\ntextrect=5,0,"
         "140,20\n"
         "fontcolor=0\nactivefontcolor=16777215\n\n";
    t += "[SKINCONTROLS]\ncount=0\n";
    return t;
}

inline skin::TbsSkinSource SkinSource(std::string_view text) {
    skin::TbsSkinSource s;
    s.Lines.SetText(text);
    s.Pictures.Picture = MainPicture();
    s.Pictures.FrameMask = MaskPicture();
    s.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(ButtonsPicture()));
    s.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(CaptionPicture()));
    return s;
}

// A skin data component (owned by owner) loaded from text and the test pictures.
inline skin::TbsSkinData* MakeFrameSkin(platform::forms::TComponent* owner, std::string_view text) {
    auto* stored = new skin::TbsStoredSkin(owner);
    stored->Assign(SkinSource(text));
    auto* data = new skin::TbsSkinData(owner);
    data->SetStoredSkin(stored);
    return data;
}

}  // namespace skinform
