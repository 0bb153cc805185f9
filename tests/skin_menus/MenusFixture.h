#pragma once
// A form with a skin menu engine on the headless backend, menus built in code, and a small skin
// with a popup-window picture and a menu-item record whose parts have known colours.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menus.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsSkinMenusWindow.h"
#include "support/TestPictures.h"
#include "support/UiTest.h"

namespace menustest {

using platform::core::TPoint;
using platform::core::TRect;
using platform::forms::TMenuItem;
using platform::gfx::RGB;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

// Popup window picture (40 x 40): a 4-pixel border of kBorder around a kInside middle.
constexpr TColor kBorder = RGB(200, 30, 30), kInside = RGB(230, 230, 200);
// Menu items picture (40 x 44): normal row, active row, divider.
constexpr TColor kItemNormal = RGB(20, 120, 20), kItemActive = RGB(20, 20, 160), kDivider = RGB(250, 250, 0);
constexpr TColor kMarker = RGB(0, 200, 200), kMarkerActive = RGB(255, 0, 255);

using vktest::Fill;

inline constexpr std::string_view kMenuSkin = R"([VERSION]
skinname=menus test
[PICTURES]
picture=
activepicturescount=2
0=popup.bmp
1=items.bmp
[FORMINFO]
[POPUPWINDOW]
windowpictureindex=0
maskpictureindex=-1
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
itemsrect=4,4,36,36
scrollmarkercolor=13158400
scrollmarkeractivecolor=16711935
[SKINOBJECTS]
count=1
0=menuitem:menuitem
[SKINCONTROLS]
count=0
[menuitem]
activepictureindex=1
skinrect=0,0,40,20
activeskinrect=0,20,40,40
itemleftoffset=5
itemrightoffset=5
dividerrect=0,40,40,44
dividerleftoffset=2
dividerrightoffset=2
textrect=4,0,36,20
fontname=Arial
fontheight=14
fontcolor=0
activefontcolor=16777215
unenabledfontcolor=8421504
MORPH
)";

inline skin::TbsSkinData* MakeMenuSkin(platform::forms::TComponent* owner, bool morphing = false) {
    std::string text(kMenuSkin);
    text.replace(text.find("MORPH"), 5, morphing ? "morphing=1\nmorphkind=mkdefault" : "");
    skin::TbsSkinSource source;
    source.Lines.SetText(text);
    TBitmap popup(40, 40);
    Fill(popup, {0, 0, 40, 40}, kBorder);
    Fill(popup, {4, 4, 36, 36}, kInside);
    TBitmap items(40, 44);
    Fill(items, {0, 0, 40, 20}, kItemNormal);
    Fill(items, {0, 20, 40, 40}, kItemActive);
    Fill(items, {0, 40, 40, 44}, kDivider);
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(popup));
    source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(items));
    auto* stored = new skin::TbsStoredSkin(owner);
    stored->Assign(source);
    auto* data = new skin::TbsSkinData(owner);
    data->SetStoredSkin(stored);
    return data;
}

// A control that records the messages it is sent.
class TRecorder : public platform::forms::TControl {
public:
    explicit TRecorder(platform::forms::TComponent* owner) : TControl(owner) {
        auto inner = WindowProc;
        WindowProc = [this, inner](platform::forms::TMessage& m) {
            Messages.push_back(m.Msg);
            inner(m);
        };
    }
    [[nodiscard]] int Count(uint32_t msg) const {
        int n = 0;
        for (uint32_t m : Messages) n += m == msg ? 1 : 0;
        return n;
    }
    std::vector<uint32_t> Messages;
};

class MenusFixture : public vktest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = new platform::forms::TForm(&App());
        form->SetBorderStyle(platform::forms::bsNone);
        form->SetBounds(100, 100, 300, 200);
        form->Show();
        menu = new skin::TbsSkinMenu(form);
        popupMenu = new platform::forms::TPopupMenu(form);
        ProcessMessages();
    }
    void TearDown() override {
        delete form;
        form = nullptr;
        UiTest::TearDown();
    }

    TMenuItem* Add(TMenuItem* parent, const std::string& caption, const std::string& name = {}) {
        auto* item = new TMenuItem(popupMenu);
        if (!name.empty()) item->SetName(name);
        item->SetCaption(caption);
        item->OnClick = [this, caption](platform::forms::TComponent*) { clicked.push_back(caption); };
        parent->Add(item);
        return item;
    }
    TMenuItem* Root() { return popupMenu->Items(); }

    bool Open(TPoint at, skin::TbsSkinData* data = nullptr, platform::forms::TControl* notify = nullptr) {
        const bool opened = menu->Popup(notify, data, false, Root(), {at.X, at.Y, at.X, at.Y});
        ProcessMessages();
        return opened;
    }
    skin::TbsSkinPopupWindow& Level(int i) { return *menu->Level(i); }
    // Screen point at the middle of an item of a level.
    TPoint ItemCenter(int level, int index) {
        const TRect r = Level(level).ItemScreenRect(index);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // Moves the pointer and lets the 50 ms poll see it.
    void Hover(TPoint p) {
        Ui().MouseMove(p);
        Advance(50);
    }
    TBitmap CaptureLevel(int i) { return Ui().CaptureWindow(Level(i).Handle()); }

    // Keeps a picture of the screen for a human to look at (see TUiTestContext::SavePng).
    void Shot(const std::string& name) { Ui().SavePng(name); }

    platform::forms::TForm* form = nullptr;
    skin::TbsSkinMenu* menu = nullptr;
    platform::forms::TPopupMenu* popupMenu = nullptr;
    std::vector<std::string> clicked;
};

}  // namespace menustest
