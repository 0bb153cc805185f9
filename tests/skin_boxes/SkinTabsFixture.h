#pragma once
// A skin with a tab record and the horizontal up-down it names, for the skinned page and tab
// controls' tests. Every picture is a solid block of its own colour; the normal tab picture's top
// row has a colour of its own, so that a pixel tells which way a side tab was turned.

#include <memory>
#include <string_view>

#include "BoxesFixture.h"
#include "platform/forms/PageControl.h"
#include "skin/boxes/bsSkinTabs.h"

namespace boxes {

constexpr TColor kTabFrame = RGB(60, 60, 90), kTabPage = RGB(235, 235, 225), kTabStrip = RGB(120, 90, 60);
constexpr TColor kTab = RGB(200, 200, 200), kTabTop = RGB(40, 140, 40), kTabActive = RGB(200, 180, 160);
constexpr TColor kTabFocus = RGB(160, 180, 200), kTabHot = RGB(220, 220, 160);
constexpr TColor kTabUdDown = RGB(90, 30, 90), kTabUdUp = RGB(30, 90, 90);
// Font colours: normal, active, focused, hot.
constexpr TColor kTabFontNormal = RGB(255, 0, 0), kTabFontActive = RGB(0, 255, 0),
                 kTabFontFocus = RGB(0, 0, 255), kTabFontHot = RGB(255, 0, 255);

inline TBitmap TabsPicture() {
    TBitmap b(200, 100);
    Fill(b, {0, 0, 200, 100}, RGB(0, 0, 0));
    // The page frame (40 x 40): borders 3, 4, 3, 4 around the page colour.
    Fill(b, {0, 0, 40, 40}, kTabFrame);
    Fill(b, {3, 4, 37, 36}, kTabPage);
    Fill(b, {40, 0, 70, 22}, kTab);
    Fill(b, {40, 0, 70, 1}, kTabTop);
    Fill(b, {70, 0, 100, 22}, kTabActive);
    Fill(b, {100, 0, 130, 22}, kTabFocus);
    Fill(b, {130, 0, 160, 22}, kTabHot);
    Fill(b, {160, 0, 170, 10}, kTabStrip);
    Fill(b, {0, 50, 20, 70}, kTabUdDown);
    Fill(b, {20, 50, 40, 70}, kTabUdUp);
    return b;
}

inline constexpr std::string_view kTabsSkin = R"([VERSION]
skinname=tabs test
[PICTURES]
picture=
activepicturescount=1
0=tabs.bmp
[FORMINFO]
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=2
0=tab:tab
1=hupdown:updown
[tab]
pictureindex=0
skinrect=0,0,40,40
clientrect=3,4,37,36
lefttoppoint=3,4
righttoppoint=37,4
leftbottompoint=3,36
rightbottompoint=37,36
tabrect=40,0,70,22
activetabrect=70,0,100,22
focustabrect=100,0,130,22
mouseintabrect=130,0,160,22
tableftoffset=3
tabrightoffset=3
tabsbgrect=160,0,170,10
fontname=Arial
fontheight=14
fontcolor=255
activefontcolor=65280
focusfontcolor=16711680
mouseinfontcolor=16711935
updown=hupdown
[hupdown]
pictureindex=0
skinrect=0,50,40,70
upbuttonrect=20,0,40,20
downbuttonrect=0,0,20,20
)";

inline TTestSkin MakeTabsSkin(platform::forms::TComponent* owner) {
    skin::TbsSkinSource source;
    source.Lines.SetText(kTabsSkin);
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(TabsPicture()));
    TTestSkin s;
    s.Stored = new skin::TbsStoredSkin(owner);
    s.Stored->Assign(source);
    s.Data = new skin::TbsSkinData(owner);
    s.Data->SetStoredSkin(s.Stored);
    return s;
}

class SkinTabsFixture : public FormFixture {
protected:
    // A 300 x 200 page control at (10, 10) with n sheets "P0".. of fixed 60-pixel tabs.
    skin::TbsSkinPageControl* MakePages(int n, bool skinned = true, int width = 300, int height = 200) {
        auto* pc = Make<skin::TbsSkinPageControl>(10, 10);
        pc->SetBounds(10, 10, width, height);
        pc->SetTabWidth(60);
        for (int i = 0; i < n; ++i) {
            auto* sheet = new platform::forms::TTabSheet(form);
            sheet->SetCaption("P" + std::to_string(i));
            sheet->SetPageControl(pc);
        }
        if (skinned) {
            if (!skin.Data) skin = MakeTabsSkin(form);
            pc->SetSkinData(skin.Data);
        }
        ProcessMessages();
        return pc;
    }
    TTestSkin skin;
};

}  // namespace boxes
