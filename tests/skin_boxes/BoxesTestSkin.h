#pragma once
// A small skin made in code for the box controls' tests, and an event log. The skin's pictures are
// solid blocks of known colours, so a pixel tells which picture a control drew there.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "support/TestPictures.h"

namespace boxes {

using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::RGB;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

// Colours of the skin picture's blocks.
constexpr TColor kHDown = RGB(200, 0, 0), kHTrack = RGB(0, 200, 0), kHUp = RGB(0, 0, 200);
constexpr TColor kThumbNormal = RGB(200, 200, 0), kThumbActive = RGB(0, 200, 200),
                 kThumbDown = RGB(200, 0, 200);
constexpr TColor kUpActive = RGB(120, 60, 0), kUpDown = RGB(60, 120, 0);
constexpr TColor kDownActive = RGB(0, 60, 120), kDownDown = RGB(0, 120, 60);
constexpr TColor kUdUp = RGB(90, 30, 30), kUdDown = RGB(30, 90, 30);
constexpr TColor kUdUpActive = RGB(150, 30, 30), kUdUpPressed = RGB(250, 30, 30);
constexpr TColor kUdDownActive = RGB(30, 150, 30), kUdDownPressed = RGB(30, 250, 30);
constexpr TColor kListFrame = RGB(40, 40, 40), kListClient = RGB(230, 230, 200);
constexpr TColor kItemNormal = RGB(210, 220, 230), kItemActive = RGB(100, 110, 220),
                 kItemFocus = RGB(20, 30, 160);
constexpr TColor kComboBack = RGB(180, 170, 160), kComboButton = RGB(90, 80, 70);
constexpr TColor kComboButtonActive = RGB(250, 150, 50), kComboButtonDown = RGB(150, 50, 250);
constexpr TColor kComboFocus = RGB(10, 90, 10);
constexpr TColor kVTrack = RGB(100, 100, 100);
constexpr TColor kFormColor = RGB(255, 255, 255);
// Font colours of the list and combo records.
constexpr TColor kFontNormal = RGB(255, 0, 0), kFontActive = RGB(0, 255, 0), kFontFocus = RGB(255, 255, 0);

using vktest::Fill;

// The picture of the test skin (200 x 100).
inline TBitmap BoxesPicture() {
    TBitmap b(200, 100);
    Fill(b, {0, 0, 200, 100}, RGB(0, 0, 0));
    // hscrollbar: down button, track, up button; then the thumb pictures and button states.
    Fill(b, {0, 0, 19, 19}, kHDown);
    Fill(b, {19, 0, 41, 19}, kHTrack);
    Fill(b, {41, 0, 60, 19}, kHUp);
    Fill(b, {60, 0, 76, 19}, kThumbNormal);
    Fill(b, {76, 0, 92, 19}, kThumbActive);
    Fill(b, {92, 0, 108, 19}, kThumbDown);
    Fill(b, {108, 0, 127, 19}, kUpActive);
    Fill(b, {127, 0, 146, 19}, kUpDown);
    Fill(b, {0, 20, 19, 39}, kDownActive);
    Fill(b, {19, 20, 38, 39}, kDownDown);
    // vupdown (18 x 36) and its state pictures.
    Fill(b, {40, 20, 58, 38}, kUdUp);
    Fill(b, {40, 38, 58, 56}, kUdDown);
    Fill(b, {60, 20, 78, 38}, kUdUpActive);
    Fill(b, {80, 20, 98, 38}, kUdUpPressed);
    Fill(b, {60, 38, 78, 56}, kUdDownActive);
    Fill(b, {80, 38, 98, 56}, kUdDownPressed);
    // listbox: a 40 x 40 frame with a 2-pixel border, then the three item pictures.
    Fill(b, {0, 60, 40, 100}, kListFrame);
    Fill(b, {2, 62, 38, 98}, kListClient);
    Fill(b, {40, 60, 60, 78}, kItemNormal);
    Fill(b, {60, 60, 80, 78}, kItemActive);
    Fill(b, {80, 60, 100, 78}, kItemFocus);
    // combobox (41 x 18) with its button, the button states and the focused item picture.
    Fill(b, {100, 60, 141, 78}, kComboBack);
    Fill(b, {126, 62, 139, 76}, kComboButton);
    Fill(b, {141, 60, 154, 74}, kComboButtonActive);
    Fill(b, {154, 60, 167, 74}, kComboButtonDown);
    Fill(b, {100, 80, 124, 96}, kComboFocus);
    // vscrollbar (19 x 60): down button, track, up button; its thumb.
    Fill(b, {160, 0, 179, 19}, kHDown);
    Fill(b, {160, 19, 179, 41}, kVTrack);
    Fill(b, {160, 41, 179, 60}, kHUp);
    Fill(b, {180, 0, 199, 16}, kThumbNormal);
    return b;
}

inline constexpr std::string_view kBoxesSkin = R"([VERSION]
skinname=boxes test
[PICTURES]
picture=
activepicturescount=1
0=boxes.bmp
[FORMINFO]
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=7
0=hscrollbar:scrollbar
1=vscrollbar:scrollbar
2=bothhscrollbar:scrollbar
3=vupdown:updown
4=listbox:listbox
5=combobox:combobox
6=plainlist:listbox
[hscrollbar]
pictureindex=0
skinrect=0,0,60,19
lefttoppoint=19,0
righttoppoint=40,0
clientrect=19,0,41,19
trackarea=19,0,41,19
downbuttonrect=0,0,19,19
upbuttonrect=41,0,60,19
activeupbuttonrect=108,0,127,19
downupbuttonrect=127,0,146,19
activedownbuttonrect=0,20,19,39
downdownbuttonrect=19,20,38,39
thumbrect=60,0,76,19
activethumbrect=76,0,92,19
downthumbrect=92,0,108,19
thumboffset1=3
thumboffset2=3
[bothhscrollbar]
pictureindex=0
skinrect=0,0,60,19
lefttoppoint=19,0
righttoppoint=40,0
clientrect=19,0,41,19
trackarea=19,0,41,19
downbuttonrect=0,0,19,19
upbuttonrect=41,0,60,19
thumbrect=60,0,76,19
[vscrollbar]
pictureindex=0
skinrect=160,0,179,60
lefttoppoint=0,19
leftbottompoint=0,41
clientrect=0,19,19,41
trackarea=0,19,19,41
downbuttonrect=0,0,19,19
upbuttonrect=0,41,19,60
thumbrect=180,0,199,16
[vupdown]
pictureindex=0
skinrect=40,20,58,56
upbuttonrect=0,0,18,18
activeupbuttonrect=60,20,78,38
downupbuttonrect=80,20,98,38
downbuttonrect=0,18,18,36
activedownbuttonrect=60,38,78,56
downdownbuttonrect=80,38,98,56
[listbox]
pictureindex=0
skinrect=0,60,40,100
lefttoppoint=2,2
righttoppoint=38,2
leftbottompoint=2,38
rightbottompoint=38,38
clientrect=2,2,38,38
itemrect=40,60,60,78
activeitemrect=60,60,80,78
focusitemrect=80,60,100,78
itemleftoffset=2
itemrightoffset=2
itemtextrect=2,1,18,17
fontname=Arial
fontheight=14
fontcolor=255
activefontcolor=65280
focusfontcolor=65535
vscrollbarname=vscrollbar
hscrollbarname=hscrollbar
bothhscrollbarname=bothhscrollbar
[plainlist]
pictureindex=0
skinrect=0,60,40,100
lefttoppoint=2,2
righttoppoint=38,2
leftbottompoint=2,38
rightbottompoint=38,38
clientrect=2,2,38,38
itemrect=40,60,60,78
itemtextrect=2,1,18,17
[combobox]
pictureindex=0
skinrect=100,60,141,78
lefttoppoint=20,0
righttoppoint=21,8
clientrect=1,1,24,17
itemrect=0,0,0,0
focusitemrect=100,80,124,96
itemleftoffset=4
itemrightoffset=4
itemtextrect=5,1,19,15
fontname=Arial
fontheight=14
fontcolor=255
focusfontcolor=65535
listboxname=listbox
buttonrect=26,2,39,16
activebuttonrect=141,60,154,74
downbuttonrect=154,60,167,74
)";

struct TTestSkin {
    skin::TbsStoredSkin* Stored = nullptr;
    skin::TbsSkinData* Data = nullptr;
};

inline TTestSkin MakeSkin(platform::forms::TComponent* owner) {
    skin::TbsSkinSource source;
    source.Lines.SetText(kBoxesSkin);
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(BoxesPicture()));
    TTestSkin s;
    s.Stored = new skin::TbsStoredSkin(owner);
    s.Stored->Assign(source);
    s.Data = new skin::TbsSkinData(owner);
    s.Data->SetStoredSkin(s.Stored);
    return s;
}

// Records what happened, in order.
struct EventLog {
    std::vector<std::string> Events;
    platform::forms::TNotifyEvent Note(std::string name) {
        return [this, name = std::move(name)](platform::forms::TComponent*) { Events.push_back(name); };
    }
    [[nodiscard]] int Count(const std::string& name) const {
        int n = 0;
        for (const auto& e : Events) n += e == name ? 1 : 0;
        return n;
    }
    void Clear() { Events.clear(); }
};

}  // namespace boxes
