#pragma once
// Small skins made in code for the skinned controls' tests. The pictures are solid blocks of known
// colours, so that a pixel tells which part of which picture a control drew there.

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/StringList.h"
#include "platform/forms/Component.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "support/TestPictures.h"

namespace skinctl {

using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::RGB;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

// Button states in the picture's rows: normal, active, down, disabled; each row has a left
// part (10 pixels), a middle (20) and a right part (10).
enum TState { stNormal = 0, stActive = 1, stDown = 2, stDisabled = 3 };
enum TPart { ptLeft = 0, ptMiddle = 1, ptRight = 2 };
constexpr TColor StateColor(int state, int part) {
    return RGB(30 + 50 * state, 40 + 70 * part, 90 + 20 * state);
}
// The nine pieces of the nine-piece record (column, row from 0 to 2).
constexpr TColor NineColor(int col, int row) {
    return RGB(200 - 30 * col, 20 + 30 * row, 220 - 20 * col - 20 * row);
}
constexpr TColor kFixedColor = RGB(250, 200, 10);
constexpr TColor kVertTop = RGB(10, 250, 10), kVertMiddle = RGB(10, 150, 150), kVertBottom = RGB(10, 50, 250);
constexpr TColor kFormColor = RGB(255, 255, 255);
// Font colours of the button records.
constexpr TColor kFontNormal = RGB(255, 0, 0), kFontActive = RGB(0, 255, 0), kFontDown = RGB(0, 0, 255),
                 kFontDisabled = RGB(255, 0, 255);

using vktest::Fill;

// Picture 0: the state rows of "btn" at (0, 0), the nine pieces of "nine" at (40, 0), "fixed" at
// (70, 0), "vert" at (90, 0). Picture 1: a 20 x 16 mask, black but for a white 5 x 5 corner at
// the top left. Picture 2: a 30 x 30 mask, black but for white 3 x 3 corners.
inline TBitmap MainPicture() {
    TBitmap b(120, 80);
    for (int s = 0; s < 4; ++s) {
        Fill(b, {0, 20 * s, 10, 20 * s + 20}, StateColor(s, ptLeft));
        Fill(b, {10, 20 * s, 30, 20 * s + 20}, StateColor(s, ptMiddle));
        Fill(b, {30, 20 * s, 40, 20 * s + 20}, StateColor(s, ptRight));
    }
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            Fill(b, {40 + 10 * col, 10 * row, 50 + 10 * col, 10 * row + 10}, NineColor(col, row));
    Fill(b, {70, 0, 90, 16}, kFixedColor);
    Fill(b, {90, 0, 110, 10}, kVertTop);
    Fill(b, {90, 10, 110, 20}, kVertMiddle);
    Fill(b, {90, 20, 110, 30}, kVertBottom);
    return b;
}

inline TBitmap CornerMask(int w, int h, int corner, bool allCorners) {
    TBitmap m(w, h);
    Fill(m, {0, 0, w, h}, 0);
    Fill(m, {0, 0, corner, corner}, RGB(255, 255, 255));
    if (allCorners) {
        Fill(m, {w - corner, 0, w, corner}, RGB(255, 255, 255));
        Fill(m, {0, h - corner, corner, h}, RGB(255, 255, 255));
        Fill(m, {w - corner, h - corner, w, h}, RGB(255, 255, 255));
    }
    return m;
}

inline constexpr std::string_view kSkinText = R"([VERSION]
skinname=controls test
[PICTURES]
picture=
activepicturescount=3
0=main.bmp
1=fixedmask.bmp
2=ninemask.bmp
[FORMINFO]
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=13
0=btn:button
1=nine:button
2=fixed:button
3=vert:button
4=fixedmask:button
5=ninemask:button
6=morph:button
7=stdlabel:stdlabel
8=bevel:bevel
9=wrong:stdlabel
10=empty:button
11=plain:button
12=badpicture:button
[btn]
pictureindex=0
skinrect=0,0,40,20
lefttoppoint=10,0
righttoppoint=30,0
clientrect=2,2,38,18
fontname=Arial
fontheight=14
fontcolor=255
activefontcolor=65280
downfontcolor=16711680
disabledfontcolor=16711935
activeskinrect=0,20,40,40
downskinrect=0,40,40,60
disabledskinrect=0,60,40,80
[nine]
pictureindex=0
skinrect=40,0,70,30
lefttoppoint=10,10
righttoppoint=20,10
leftbottompoint=10,20
rightbottompoint=20,20
clientrect=10,10,20,20
[fixed]
pictureindex=0
skinrect=70,0,90,16
clientrect=2,2,18,14
[vert]
pictureindex=0
skinrect=90,0,110,30
lefttoppoint=0,10
leftbottompoint=0,20
clientrect=0,10,20,20
[fixedmask]
pictureindex=0
maskpictureindex=1
skinrect=70,0,90,16
clientrect=2,2,18,14
[ninemask]
pictureindex=0
maskpictureindex=2
skinrect=40,0,70,30
lefttoppoint=10,10
righttoppoint=20,10
leftbottompoint=10,20
rightbottompoint=20,20
clientrect=10,10,20,20
[morph]
pictureindex=0
skinrect=0,0,40,20
lefttoppoint=10,0
righttoppoint=30,0
clientrect=2,2,38,18
activeskinrect=0,20,40,40
morphing=1
morphkind=mkdefault
[stdlabel]
fontname=Arial
fontheight=14
fontcolor=0
activefontcolor=16744448
[bevel]
lightcolor=0
darkcolor=12632256
[wrong]
fontcolor=255
[empty]
pictureindex=0
skinrect=0,0,0,0
[plain]
pictureindex=0
skinrect=0,0,40,20
lefttoppoint=10,0
righttoppoint=30,0
clientrect=2,2,38,18
fontcolor=255
activefontcolor=65280
downfontcolor=16711680
[badpicture]
pictureindex=7
maskpictureindex=9
skinrect=0,0,40,20
)";

// A stored skin and its skin data, owned by owner.
struct TTestSkin {
    skin::TbsStoredSkin* Stored = nullptr;
    skin::TbsSkinData* Data = nullptr;
};

inline TTestSkin MakeSkin(platform::forms::TComponent* owner, std::string_view text = kSkinText) {
    skin::TbsSkinSource source;
    source.Lines.SetText(text);
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(MainPicture()));
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(CornerMask(20, 16, 5, false)));
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(CornerMask(30, 30, 3, true)));
    TTestSkin skin;
    skin.Stored = new skin::TbsStoredSkin(owner);
    skin.Stored->Assign(source);
    skin.Data = new skin::TbsSkinData(owner);
    skin.Data->SetStoredSkin(skin.Stored);
    return skin;
}

}  // namespace skinctl
