// The skinned main menu bar: item geometry with and without a record, fitting and the overflow
// marker with its popup, menu mode from the keyboard, item commands, the system buttons of a
// maximised MDI child and their commands, merged child menus, and form resources.

#include <cstdlib>
#include <string>
#include <vector>

#include "MenusFixture.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/PropertyTable.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinFormRegister.h"
#include "skin/form/bsSkinMainMenu.h"

namespace {

using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::forms::TForm;
using platform::forms::TMainMenu;
using platform::forms::TMenuItem;
using platform::gfx::RGB;
using platform::gfx::TBitmap;
using platform::gfx::TColor;
using skin::TbsSkinForm;
using skin::TbsSkinFormBehaviour;
using skin::TbsSkinMainMenuBar;
using skin::TbsSkinMainMenuBarButton;
using skin::TbsSkinMainMenuBarItem;
using vktest::Fill;

// Bar picture (40 x 24): 2-pixel ends of kBarEnd round a kBarMiddle middle.
constexpr TColor kBarEnd = RGB(90, 0, 0), kBarMiddle = RGB(240, 220, 160);
// Item picture (30 x 60): normal, active and down rows.
constexpr TColor kItemNormal = RGB(30, 140, 30), kItemActive = RGB(30, 30, 170), kItemDown = RGB(170, 30, 30);
// Button picture (16 x 32): normal and active rows.
constexpr TColor kButtonNormal = RGB(250, 120, 0), kButtonActive = RGB(0, 250, 250);
constexpr TColor kMark = RGB(0, 160, 0), kMarkActive = RGB(200, 0, 200);

constexpr std::string_view kBarSkin = R"([VERSION]
skinname=bar test
[PICTURES]
picture=
activepicturescount=3
0=bar.bmp
1=items.bmp
2=buttons.bmp
[FORMINFO]
[SKINOBJECTS]
count=5
0=baritem:mainmenubaritem
1=barsys:mainmenubarbutton
2=barclose:mainmenubarbutton
3=barrestore:mainmenubarbutton
4=barmin:mainmenubarbutton
[SKINCONTROLS]
count=1
0=mainmenubar:mainmenubar
[mainmenubar]
pictureindex=0
skinrect=0,0,40,24
itemsrect=2,2,38,22
menubaritem=baritem
sysmenubutton=barsys
closebutton=barclose
maxbutton=barrestore
minbutton=barmin
trackmarkcolor=40960
trackmarkactivecolor=13107400
[baritem]
activepictureindex=1
skinrect=0,0,30,20
activeskinrect=0,20,30,40
downrect=0,40,30,60
itemleftoffset=3
itemrightoffset=3
textrect=6,0,24,20
fontname=Arial
fontheight=14
fontcolor=0
activefontcolor=16777215
downfontcolor=16777215
unenabledfontColor=8421504
MORPH
[barsys]
activepictureindex=2
skinrect=0,0,16,16
activeskinrect=0,16,16,32
command=cmsysmenu
[barclose]
activepictureindex=2
skinrect=0,0,16,16
activeskinrect=0,16,16,32
command=cmclose
[barrestore]
activepictureindex=2
skinrect=0,0,16,16
activeskinrect=0,16,16,32
command=cmmaximize
[barmin]
activepictureindex=2
skinrect=0,0,16,16
activeskinrect=0,16,16,32
command=cmminimize
)";

skin::TbsSkinData* MakeBarSkin(platform::forms::TComponent* owner, bool morphing = false) {
    skin::TbsSkinSource source;
    std::string text(kBarSkin);
    text.replace(text.find("MORPH"), 5, morphing ? "morphing=1\nmorphkind=mkdefault" : "");
    source.Lines.SetText(text);
    TBitmap bar(40, 24);
    Fill(bar, {0, 0, 40, 24}, kBarEnd);
    Fill(bar, {2, 0, 38, 24}, kBarMiddle);
    TBitmap items(30, 60);
    Fill(items, {0, 0, 30, 20}, kItemNormal);
    Fill(items, {0, 20, 30, 40}, kItemActive);
    Fill(items, {0, 40, 30, 60}, kItemDown);
    TBitmap buttons(16, 32);
    Fill(buttons, {0, 0, 16, 16}, kButtonNormal);
    Fill(buttons, {0, 16, 16, 32}, kButtonActive);
    for (TBitmap* b : {&bar, &items, &buttons})
        source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(*b));
    auto* stored = new skin::TbsStoredSkin(owner);
    stored->Assign(source);
    auto* data = new skin::TbsSkinData(owner);
    data->SetStoredSkin(stored);
    return data;
}

class MainMenuBarTest : public vktest::UiTest {
protected:
    // A shown form with a skin form (built-in frame), a main menu and a bar bound to both.
    TForm* MakeForm(int width, platform::forms::TFormStyle style = platform::forms::fsNormal) {
        form = new TForm(&App());
        form->SetBorderStyle(platform::forms::bsSizeable);
        if (style == platform::forms::fsMDIForm) {
            form->SetFormStyle(style);
            App().SetMainForm(form);
        }
        form->SetBounds(40, 40, width, 300);
        skinForm = new TbsSkinForm(form);
        menu = new skin::TbsSkinMainMenu(form);
        bar = new TbsSkinMainMenuBar(form);
        bar->SetName("bar");
        bar->SetParent(form);
        bar->SetSkinForm(skinForm);
        skinForm->SetMainMenuBar(bar);
        form->SetVisible(true);
        ProcessMessages();
        return form;
    }
    TMenuItem* Add(TMenuItem* parent, const std::string& caption,
                   platform::forms::TComponent* owner = nullptr) {
        auto* item = new TMenuItem(owner ? owner : menu);
        item->SetCaption(caption);
        item->OnClick = [this, caption](platform::forms::TComponent*) { clicked.push_back(caption); };
        parent->Add(item);
        return item;
    }
    // Top-level items, each with one sub-item "<caption> item".
    void AddMenus(const std::vector<std::string>& captions) {
        for (const std::string& c : captions) Add(Add(menu->Items(), c), c + " item");
        bar->SetMainMenu(menu);
        ProcessMessages();
    }
    TbsSkinMainMenuBarItem& Item(int i) {
        return *static_cast<TbsSkinMainMenuBarItem*>(bar->Object(bar->SystemButtonCount() + i));
    }
    // Width of a caption in a font, measured as the platform measures accelerator captions.
    static int CaptionWidth(const platform::gfx::TFont& font, const std::string& caption) {
        TBitmap scratch(1, 1);
        scratch.Canvas().Font = font;
        TRect r{0, 0, 0, 0};
        scratch.Canvas().DrawText(caption, r, platform::gfx::DT_CALCRECT | platform::gfx::DT_SINGLELINE);
        return r.Width();
    }
    TPoint Center(const TRect& r) const {
        return bar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    TbsSkinFormBehaviour& Behaviour() { return *TbsSkinFormBehaviour::Of(skinForm); }
    skin::TbsSkinMenu& Engine() { return Behaviour().SkinMenu(); }
    std::vector<std::string> OpenCaptions() {
        std::vector<std::string> out;
        if (skin::TbsSkinPopupWindow* level = Engine().Level(0))
            for (int i = 0; i < level->ItemCount(); ++i) out.push_back(level->Item(i).MenuItem->Caption());
        return out;
    }
    void KeyMenu(char letter = 0) {
        System().SendMessage(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<TLParam>(letter));
        ProcessMessages();
    }

    TForm* form = nullptr;
    TbsSkinForm* skinForm = nullptr;
    skin::TbsSkinMainMenu* menu = nullptr;
    TbsSkinMainMenuBar* bar = nullptr;
    std::vector<std::string> clicked;
};

TEST_F(MainMenuBarTest, DefaultLookLaysItemsOutAndHidesWhatPassesTheMarker) {
    MakeForm(300);
    ASSERT_EQ(bar->Width(), form->ClientRect().Width());
    form->SetClientWidth(300);
    ProcessMessages();
    ASSERT_EQ(bar->Width(), 300);
    EXPECT_EQ(bar->Height(), 22);
    AddMenus({"&File", "&Edit", "&View", "&Insert", "F&ormat", "&Tools", "&Window", "&Help"});
    EXPECT_EQ(bar->BarItemsArea(), (TRect{2, 2, 298, 20}));
    int left = 2;
    int firstHidden = -1;
    for (int i = 0; i < 8; ++i) {
        const TbsSkinMainMenuBarItem& item = Item(i);
        const int width = CaptionWidth(bar->DefItemFont(), item.MenuItem->Caption()) + 12;
        EXPECT_EQ(item.ObjectRect, (TRect{left, 2, left + width, 20})) << i;
        left += width;
        EXPECT_EQ(item.Shown, item.ObjectRect.Right <= 293) << i;
        if (!item.Shown && firstHidden < 0) firstHidden = i;
    }
    ASSERT_GT(firstHidden, 0) << "the captions must not all fit in 300 pixels";
    EXPECT_TRUE(bar->ItemsOverflow());
    EXPECT_FALSE(Item(firstHidden).Enabled);
    // The marker: a right-pointing arrow in the button-shadow colour in the last 5 pixels.
    const TBitmap shot = Ui().Capture(bar);
    int shadowPixels = 0;
    for (int y = 2; y < 20; ++y)
        for (int x = 293; x < 298; ++x)
            shadowPixels += shot.Pixel(x, y) == platform::gfx::ColorToRGB(platform::gfx::clBtnShadow);
    EXPECT_GE(shadowPixels, 4);
    // A press on the marker lists only the hidden items.
    Ui().Click(bar, 295, 10);
    std::vector<std::string> expected;
    for (int i = firstHidden; i < 8; ++i) expected.push_back(Item(i).MenuItem->Caption());
    EXPECT_EQ(OpenCaptions(), expected);
    Ui().SavePng("menubar_overflow_default");
}

TEST_F(MainMenuBarTest, WideningShowsHiddenItemsWithTheirFormerEnabledState) {
    MakeForm(300);
    form->SetClientWidth(120);
    AddMenus({"&File", "&Edit", "&View", "&Help"});
    const int last = 3;
    ASSERT_FALSE(Item(last).Shown);
    Item(last).MenuItem->SetEnabled(false);
    bar->RebuildItems();
    ASSERT_FALSE(Item(last).Shown);
    ASSERT_FALSE(Item(last).SavedEnabled);
    form->SetClientWidth(500);
    ProcessMessages();
    EXPECT_TRUE(Item(last).Shown);
    EXPECT_FALSE(Item(last).Enabled);
    EXPECT_TRUE(Item(2).Shown);
    EXPECT_TRUE(Item(2).Enabled);
    EXPECT_FALSE(bar->ItemsOverflow());
}

TEST_F(MainMenuBarTest, RecordGivesItemSizesTheBarHeightAndItsPicture) {
    MakeForm(400);
    bar->SetSkinData(MakeBarSkin(form));
    AddMenus({"&File", "&Edit"});
    ASSERT_GE(bar->RecordIndex(), 0);
    EXPECT_EQ(bar->Height(), 24);
    const int w = bar->Width();
    EXPECT_EQ(bar->BarItemsArea(), (TRect{2, 2, w - 2, 22}));
    ASSERT_TRUE(Item(0).HasRecord());
    // Width: skinrect 30 less textrect 18, plus the caption and 2.
    const int fileWidth = 30 - 18 + Item(0).CaptionWidth() + 2;
    EXPECT_EQ(Item(0).ObjectRect, (TRect{2, 2, 2 + fileWidth, 22}));
    EXPECT_EQ(Item(1).ObjectRect.Left, 2 + fileWidth);
    // Bar ends and middle, the item's normal face (its left end, clear of the text).
    EXPECT_EQ(Ui().Pixel(bar, 0, 12), kBarEnd);
    EXPECT_EQ(Ui().Pixel(bar, w - 1, 12), kBarEnd);
    EXPECT_EQ(Ui().Pixel(bar, w - 20, 12), kBarMiddle);
    EXPECT_EQ(Ui().Pixel(bar, 3, 4), kItemNormal);
    // Hover: the active face.
    Ui().MouseMove(Center(Item(1).ObjectRect));
    Advance(50);
    EXPECT_TRUE(Item(1).Highlighted);
    EXPECT_EQ(Ui().Pixel(bar, Item(1).ObjectRect.Left + 1, 4), kItemActive);
    // Pressed: the down face while its menu is open.
    Ui().Click(Center(Item(1).ObjectRect));
    EXPECT_TRUE(Item(1).Pressed);
    EXPECT_EQ(Ui().Pixel(bar, Item(1).ObjectRect.Left + 1, 4), kItemDown);
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"&Edit item"}));
    Ui().SavePng("menubar_skinned_open");
    // Setting the bounds cannot take the height away from the record's.
    bar->SetBounds(0, 0, 200, 40);
    EXPECT_EQ(bar->Height(), 24);
}

TEST_F(MainMenuBarTest, ASkinChangeRebuildsTheItemsFromTheNewRecords) {
    MakeForm(400);
    skinForm->SetSkinData(MakeBarSkin(form));
    auto* data = skinForm->SkinData();
    bar->SetSkinData(data);
    AddMenus({"&File", "&Edit"});
    ASSERT_TRUE(Item(0).HasRecord());
    TbsSkinMainMenuBarItem* before = &Item(0);
    // Reloading the same skin: the records are new, and so are the items made from them.
    auto* other = MakeBarSkin(form);
    data->LoadFromStoredSkin(other->StoredSkin());
    ProcessMessages();
    ASSERT_EQ(bar->ObjectCount(), 2);
    EXPECT_NE(&Item(0), before);
    EXPECT_TRUE(Item(0).HasRecord());
    EXPECT_EQ(bar->Height(), 24);
    EXPECT_EQ(Ui().Pixel(bar, 3, 4), kItemNormal);
    // Without the skin data the bar falls back to the default look.
    bar->SetSkinData(nullptr);
    ProcessMessages();
    ASSERT_EQ(bar->ObjectCount(), 2);
    EXPECT_FALSE(Item(0).HasRecord());
    EXPECT_EQ(Item(0).ObjectRect.Left, 2);
}

TEST_F(MainMenuBarTest, MorphingItemsFadeInTenStepsAndBackFromWhereTheyStood) {
    MakeForm(400);
    bar->SetSkinData(MakeBarSkin(form, true));
    AddMenus({"&File", "&Edit"});
    ASSERT_TRUE(Item(0).morphing);
    Ui().MouseMove(Center(Item(0).ObjectRect));
    Advance(50);
    ASSERT_TRUE(Item(0).Highlighted);
    EXPECT_TRUE(bar->BarMorphTimer().Enabled());
    // The poll found the item just now; the fade steps every 20 ms from here.
    EXPECT_EQ(Item(0).MorphFactor, 0.0);
    Advance(60);
    EXPECT_NEAR(Item(0).MorphFactor, 0.3, 1e-9);
    // Half-way faded in, the pointer leaves: the factor runs back down from there.
    Ui().MouseMove(bar->ClientToScreen({300, 150}));
    Advance(50);
    EXPECT_FALSE(Item(0).Highlighted);
    const double back = Item(0).MorphFactor;
    EXPECT_LT(back, 1.0);
    EXPECT_GT(back, 0.0);
    Advance(400);
    EXPECT_EQ(Item(0).MorphFactor, 0.0);
    EXPECT_FALSE(bar->BarMorphTimer().Enabled());
    EXPECT_EQ(Ui().Pixel(bar, 3, 4), kItemNormal);
    // All the way in: the active face, and the timer stops.
    Ui().MouseMove(Center(Item(0).ObjectRect));
    Advance(400);
    EXPECT_EQ(Item(0).MorphFactor, 1.0);
    EXPECT_FALSE(bar->BarMorphTimer().Enabled());
    EXPECT_EQ(Ui().Pixel(bar, 3, 4), kItemActive);
}

TEST_F(MainMenuBarTest, OverflowMarkerWithRecordUsesTheTrackMarkColours) {
    MakeForm(300);
    bar->SetSkinData(MakeBarSkin(form));
    form->SetClientWidth(150);
    AddMenus({"&File", "&Edit", "&View", "&Help"});
    ASSERT_TRUE(bar->ItemsOverflow());
    const TRect marker = bar->MarkerRect();
    EXPECT_EQ(marker, (TRect{150 - 2 - 5, 2, 148, 22}));
    auto count = [&](TColor colour) {
        const TBitmap shot = Ui().Capture(bar);
        int n = 0;
        for (int y = marker.Top; y < marker.Bottom; ++y)
            for (int x = marker.Left; x < marker.Right; ++x) n += shot.Pixel(x, y) == colour;
        return n;
    };
    EXPECT_GE(count(kMark), 4);
    EXPECT_EQ(count(kMarkActive), 0);
    Ui().MouseMove(bar->ClientToScreen({marker.Left + 2, 12}));
    Advance(50);
    ProcessMessages();
    EXPECT_TRUE(bar->MarkerHot());
    EXPECT_GE(count(kMarkActive), 4);
    Ui().SavePng("menubar_overflow_skinned");
}

TEST_F(MainMenuBarTest, PointingAtAnotherItemMovesTheOpenMenu) {
    MakeForm(400);
    AddMenus({"&File", "&Edit"});
    std::vector<std::string> entered;
    bar->OnItemMouseEnter = [&](platform::forms::TComponent*, TMenuItem* item) {
        entered.push_back(item->Caption());
    };
    Ui().Click(Center(Item(0).ObjectRect));
    ASSERT_EQ(OpenCaptions(), (std::vector<std::string>{"&File item"}));
    EXPECT_TRUE(Behaviour().MainMenuActive());
    Ui().MouseMove(Center(Item(1).ObjectRect));
    Advance(50);
    EXPECT_FALSE(Item(0).Pressed);
    EXPECT_TRUE(Item(1).Pressed);
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"&Edit item"}));
    // The swap kept menu mode.
    EXPECT_TRUE(Behaviour().MainMenuActive());
    EXPECT_TRUE(bar->MenuMode());
    EXPECT_EQ(entered, (std::vector<std::string>{"&File"}));
    // Choosing the open item runs it and ends everything.
    Engine().KeyDown(VK_RETURN);
    ProcessMessages();
    EXPECT_EQ(clicked, (std::vector<std::string>{"&Edit item"}));
    EXPECT_FALSE(Engine().IsOpen());
    EXPECT_FALSE(Behaviour().MainMenuActive());
    EXPECT_FALSE(Item(1).Pressed);
}

TEST_F(MainMenuBarTest, APressOnTheOpenItemClosesItsMenuAndThePointerLeavingUnhighlights) {
    MakeForm(400);
    AddMenus({"&File", "&Edit"});
    int barEnters = 0, barLeaves = 0;
    bar->OnMouseEnter = [&](platform::forms::TComponent*) { ++barEnters; };
    bar->OnMouseLeave = [&](platform::forms::TComponent*) { ++barLeaves; };
    Ui().MouseMove(Center(Item(0).ObjectRect));
    Advance(50);
    EXPECT_TRUE(Item(0).Highlighted);
    EXPECT_TRUE(bar->BarPollTimer().Enabled());
    EXPECT_EQ(barEnters, 1);
    Ui().Click(Center(Item(0).ObjectRect));
    ASSERT_TRUE(Engine().IsOpen());
    Ui().Click(Center(Item(0).ObjectRect));
    EXPECT_FALSE(Engine().IsOpen());
    EXPECT_FALSE(bar->MenuMode());
    EXPECT_FALSE(Behaviour().MainMenuActive());
    EXPECT_FALSE(Item(0).Pressed);
    Advance(50);
    EXPECT_TRUE(Item(0).Highlighted);
    // Off the bar: the poll sees the pointer gone and the item goes back to normal.
    Ui().MouseMove(bar->ClientToScreen({100, 150}));
    Advance(50);
    EXPECT_FALSE(Item(0).Highlighted);
    EXPECT_EQ(bar->HotObject(), -1);
    EXPECT_FALSE(bar->BarPollTimer().Enabled());
    EXPECT_EQ(barLeaves, 1);
}

TEST_F(MainMenuBarTest, ItemWithoutSubItemsRunsOnLeftPressOnly) {
    MakeForm(400);
    Add(menu->Items(), "&About");
    bar->SetMainMenu(menu);
    ProcessMessages();
    Ui().Click(Center(Item(0).ObjectRect), TMouseButton::Right);
    EXPECT_TRUE(clicked.empty());
    Ui().Click(Center(Item(0).ObjectRect));
    EXPECT_EQ(clicked, (std::vector<std::string>{"&About"}));
    EXPECT_FALSE(Engine().IsOpen());
}

TEST_F(MainMenuBarTest, KeyboardMenuModeWrapsAndOpensWithEnterAndAccelerators) {
    MakeForm(400);
    AddMenus({"&File", "&Edit", "&View"});
    Item(1).MenuItem->SetEnabled(false);
    bar->RebuildItems();
    int enters = 0, exits = 0;
    skinForm->OnMainMenuEnter = [&](platform::forms::TComponent*) { ++enters; };
    skinForm->OnMainMenuExit = [&](platform::forms::TComponent*) { ++exits; };
    Ui().KeyPress(VK_MENU);  // Alt alone
    EXPECT_TRUE(bar->MenuMode());
    EXPECT_TRUE(Item(0).Highlighted);
    EXPECT_EQ(enters, 1);
    Ui().KeyPress(VK_LEFT);  // from the first to the last usable
    EXPECT_FALSE(Item(0).Highlighted);
    EXPECT_TRUE(Item(2).Highlighted);
    Ui().KeyPress(VK_RIGHT);  // from the last back to the first; the disabled one is skipped
    EXPECT_TRUE(Item(0).Highlighted);
    Ui().KeyPress(VK_RIGHT);
    EXPECT_TRUE(Item(2).Highlighted);
    EXPECT_FALSE(Item(1).Highlighted);
    Ui().KeyPress(VK_RETURN);
    EXPECT_TRUE(Item(2).Pressed);
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"&View item"}));
    // Right in the open menu moves it along the bar.
    Ui().KeyPress(VK_RIGHT);
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"&File item"}));
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_FALSE(Engine().IsOpen());
    EXPECT_FALSE(bar->MenuMode());
    EXPECT_FALSE(Item(0).Highlighted || Item(0).Pressed);
    EXPECT_EQ(exits, 1);
    // Alt+V opens View's menu at once; a letter no item has does nothing.
    Ui().KeyPress('V', vktest::kAlt);
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"&View item"}));
    Ui().KeyPress(VK_RETURN);
    EXPECT_EQ(clicked, (std::vector<std::string>{"&View item"}));
    EXPECT_FALSE(bar->MenuMode());
    KeyMenu('q');
    EXPECT_FALSE(Engine().IsOpen());
    // Escape in menu mode without a menu leaves it.
    Ui().KeyPress(VK_F10);
    EXPECT_TRUE(bar->MenuMode());
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_FALSE(bar->MenuMode());
    EXPECT_FALSE(Behaviour().MainMenuActive());
}

TEST_F(MainMenuBarTest, MenuShortcutsRunWhileTheFormIsActive) {
    MakeForm(400);
    TMenuItem* file = Add(menu->Items(), "&File");
    TMenuItem* save = Add(file, "&Save");
    save->SetShortCut(platform::forms::ShortCut('S', platform::forms::ssCtrl));
    bar->SetMainMenu(menu);
    ProcessMessages();
    Ui().KeyPress('S', vktest::kControl);
    EXPECT_EQ(clicked, (std::vector<std::string>{"&Save"}));
}

class MainMenuBarMdiTest : public MainMenuBarTest {
protected:
    TForm* AddChild(const std::string& caption, bool withSkinForm, skin::TbsBorderIcons icons = 0xFF) {
        auto* child = new TForm(&App());
        child->SetCaption(caption);
        child->SetFormStyle(platform::forms::fsMDIChild);
        child->SetBounds(10, 10, 200, 150);
        child->OnClose = [](platform::forms::TComponent*, platform::forms::TCloseAction& action) {
            action = platform::forms::caFree;
        };
        if (withSkinForm) {
            auto* sf = new TbsSkinForm(child);
            if (icons != 0xFF) sf->SetBorderIcons(icons);
        }
        child->Show();
        ProcessMessages();
        return child;
    }
    void Maximize(TForm* child) {
        form->MDIClient()->SetChildState(child, platform::forms::wsMaximized);
        ProcessMessages();
    }
};

TEST_F(MainMenuBarMdiTest, MaximisedChildBringsFourButtonsAndRestoringTakesThemAway) {
    MakeForm(500, platform::forms::fsMDIForm);
    AddMenus({"&File", "&Window"});
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_EQ(form->MDIClient()->Top(), bar->Height());
    TForm* child = AddChild("Doc", true, skin::biSystemMenu | skin::biMaximize);
    EXPECT_EQ(bar->SystemButtonCount(), 0);
    Maximize(child);
    ASSERT_TRUE(bar->ChildMaximized());
    ASSERT_EQ(bar->SystemButtonCount(), 4);
    const char* names[] = {"SysMenuButton", "CloseButton", "MaxButton", "MinButton"};
    const skin::TbsStdCommand commands[] = {skin::cmSysMenu, skin::cmClose, skin::cmMaximize,
                                            skin::cmMinimize};
    for (int i = 0; i < 4; ++i) {
        auto* b = static_cast<TbsSkinMainMenuBarButton*>(bar->Object(i));
        EXPECT_EQ(b->IDName, names[i]);
        EXPECT_EQ(b->Command, commands[i]);
        EXPECT_EQ(b->Enabled, i != 3) << names[i];
    }
    // The system-menu button at the left end, then the items; close, restore, minimise from the right.
    const TRect area{2, 2, bar->Width() - 2, bar->Height() - 2};
    const int h = area.Height();
    EXPECT_EQ(bar->Object(0)->ObjectRect, (TRect{2, 2, 2 + h, 2 + h}));
    EXPECT_EQ(Item(0).ObjectRect.Left, 2 + h + 2);
    EXPECT_EQ(bar->Object(1)->ObjectRect.Right, area.Right);
    EXPECT_EQ(bar->Object(2)->ObjectRect.Right, area.Right - h - 2);
    EXPECT_EQ(bar->Object(3)->ObjectRect.Right, area.Right - 2 * (h + 2));
    Ui().SavePng("menubar_system_buttons_default");
    // Restoring removes them.
    form->MDIClient()->SetChildState(child, platform::forms::wsNormal);
    ProcessMessages();
    EXPECT_FALSE(bar->ChildMaximized());
    EXPECT_EQ(bar->SystemButtonCount(), 0);
    EXPECT_EQ(Item(0).ObjectRect.Left, 2);
}

TEST_F(MainMenuBarMdiTest, SystemButtonCommandsActOnTheMaximisedChild) {
    MakeForm(500, platform::forms::fsMDIForm);
    AddMenus({"&File"});
    TForm* a = AddChild("A", false);
    Maximize(a);
    ASSERT_EQ(bar->SystemButtonCount(), 4);
    // Minimise, restore: a press and release on the button.
    Ui().Click(Center(bar->Button(skin::cmMinimize)->ObjectRect));
    EXPECT_EQ(a->WindowState(), platform::forms::wsMinimized);
    EXPECT_EQ(bar->SystemButtonCount(), 0);
    Maximize(a);
    Ui().Click(Center(bar->Button(skin::cmMaximize)->ObjectRect));
    EXPECT_EQ(a->WindowState(), platform::forms::wsNormal);
    // A press released outside the button does nothing.
    Maximize(a);
    Ui().Press(bar, Center(bar->Button(skin::cmClose)->ObjectRect).X - bar->ClientOrigin().X, 8);
    Ui().MouseMove(bar->ClientToScreen({bar->Width() / 2, 8}));
    Advance(50);
    Ui().Release();
    ProcessMessages();
    EXPECT_EQ(form->MDIChildCount(), 1);
    // Close.
    Ui().Click(Center(bar->Button(skin::cmClose)->ObjectRect));
    ProcessMessages();
    EXPECT_EQ(form->MDIChildCount(), 0);
    EXPECT_FALSE(bar->ChildMaximized());
}

TEST_F(MainMenuBarMdiTest, SystemMenuButtonPopsTheChildMenuAndADoubleClickClosesTheChild) {
    MakeForm(500, platform::forms::fsMDIForm);
    bar->SetSkinData(MakeBarSkin(form));
    AddMenus({"&File"});
    TForm* child = AddChild("Doc", true);
    Maximize(child);
    ASSERT_EQ(bar->SystemButtonCount(), 4);
    auto* sys = bar->Button(skin::cmSysMenu);
    ASSERT_TRUE(sys->HasRecord());
    // With a record: the record's size, centred on the items area's height.
    EXPECT_EQ(sys->ObjectRect, (TRect{2, 4, 18, 20}));
    EXPECT_EQ(Ui().Pixel(bar, 3, 5), kButtonNormal);
    Ui().SavePng("menubar_system_buttons_skinned");
    skin::TbsSkinMenu& childMenus =
        TbsSkinFormBehaviour::Of(TbsSkinFormBehaviour::FindSkinForm(child))->SkinMenu();
    Ui().Click(Center(sys->ObjectRect));
    ASSERT_TRUE(childMenus.IsOpen());
    EXPECT_TRUE(sys->Pressed);
    bool hasClose = false;
    for (int i = 0; i < childMenus.Level(0)->ItemCount(); ++i)
        hasClose |= childMenus.Level(0)->Item(i).MenuItem->Name() == "SF_CLOSE";
    EXPECT_TRUE(hasClose);
    childMenus.CloseAll();
    ProcessMessages();
    EXPECT_FALSE(sys->Pressed);
    // The double click closes the child, and its menus go with it.
    const auto menusAlive = childMenus.WeakRef();
    Ui().DoubleClick(Center(sys->ObjectRect));
    ProcessMessages();
    EXPECT_TRUE(!menusAlive || !childMenus.IsOpen());
    EXPECT_EQ(form->MDIChildCount(), 0);
}

TEST_F(MainMenuBarMdiTest, ActiveChildMenuIsAppendedToTheBar) {
    MakeForm(500, platform::forms::fsMDIForm);
    AddMenus({"&File", "&Window"});
    TForm* child = AddChild("Doc", false);
    auto* childMenu = new TMainMenu(child);
    Add(Add(childMenu->Items(), "&Edit", childMenu), "&Undo", childMenu);
    bar->UpdateItems();
    ASSERT_EQ(bar->ObjectCount(), 3);
    EXPECT_TRUE(bar->HasChildMenu());
    EXPECT_EQ(Item(2).MenuItem->Caption(), "&Edit");
    Ui().Click(Center(Item(2).ObjectRect));
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"&Undo"}));
    Engine().CloseAll();
    // The child going away takes its items with it.
    delete child;
    ProcessMessages();
    bar->UpdateItems();
    EXPECT_EQ(bar->ObjectCount(), 2);
    EXPECT_FALSE(bar->HasChildMenu());
}

TEST_F(MainMenuBarTest, FormResourcesMakeAndBindTheBar) {
    skin::RegisterSkinFormClasses();
    const auto* info = platform::forms::TClassRegistry::Instance().Find("TbsSkinMainMenuBar");
    ASSERT_NE(info, nullptr);
    for (const char* p : {"MainMenu", "SkinForm", "ScrollMenu", "PopupToUp", "UseSkinFont", "DefaultHeight",
                          "SkinDataName", "DefItemFont.Name"})
        EXPECT_NE(info->FindProperty(p), nullptr) << p;
    ASSERT_NE(platform::forms::TClassRegistry::Instance().Find("TbsSkinMainMenu"), nullptr);
    const auto* formInfo = platform::forms::TClassRegistry::Instance().Find("TbsSkinForm");
    for (const char* p : {"MainMenuBar", "OnMainMenuEnter", "OnMainMenuExit"})
        EXPECT_NE(formInfo->FindProperty(p), nullptr) << p;
    const std::string text = R"(object frmMain: TForm
  Left = 10
  Top = 10
  Width = 400
  Height = 300
  object sf: TbsSkinForm
    MainMenuBar = bar
  end
  object mm: TbsSkinMainMenu
    object miFile: TMenuItem
      Caption = '&File'
      object miOpen: TMenuItem
        Caption = '&Open'
      end
    end
  end
  object bar: TbsSkinMainMenuBar
    MainMenu = mm
    SkinForm = sf
    ScrollMenu = False
  end
end
)";
    auto* loaded = new TForm(&App());
    platform::forms::ReadComponentResource(*loaded, text);
    auto* b = Ui().Find<TbsSkinMainMenuBar>(*loaded, "bar");
    auto* sf = Ui().Find<TbsSkinForm>(*loaded, "sf");
    EXPECT_EQ(sf->MainMenuBar(), b);
    EXPECT_EQ(b->SkinForm(), sf);
    EXPECT_FALSE(b->ScrollMenu());
    EXPECT_EQ(b->SkinDataName(), "mainmenubar");
    ASSERT_EQ(b->ObjectCount(), 1);
    EXPECT_EQ(b->Object(0)->IDName, "miFile");
    delete loaded;
}

}  // namespace

namespace {

// The default skin's bar records: items, system buttons and the marker drawn from the skin.
TEST_F(MainMenuBarMdiTest, DefaultSkinDrawsTheBarItsButtonsAndItsMenus) {
    const char* source = std::getenv("VK_SOURCE_DIR");
    ASSERT_TRUE(source && *source);
    MakeForm(420, platform::forms::fsMDIForm);
    form->SetCaption("Editor");
    auto* stored = new skin::TbsStoredSkin(form);
    ASSERT_TRUE(stored->LoadFromSkinFolder(std::string(source) + "/assets/skin/skin.ini"));
    auto* data = new skin::TbsSkinData(form);
    data->SetStoredSkin(stored);
    skinForm->SetSkinData(data);
    bar->SetSkinData(data);
    AddMenus({"&File", "&Edit", "&View", "&Insert", "F&ormat", "&Tools", "&Window", "&Help"});
    ProcessMessages();
    ASSERT_GE(bar->RecordIndex(), 0);
    const skin::TbsDataSkinMainMenuBar* record = bar->BarRecord();
    EXPECT_EQ(bar->Height(), skin::RectHeightOf(record->skinrect));
    ASSERT_TRUE(Item(0).HasRecord());
    // The bar's face is its record's picture: the middle column of skinrect at mid-height.
    const TBitmap* picture = bar->BarPicture();
    ASSERT_NE(picture, nullptr);
    const int midX = (record->skinrect.Left + record->skinrect.Right) / 2;
    const int midY = (record->skinrect.Top + record->skinrect.Bottom) / 2;
    EXPECT_EQ(Ui().Pixel(bar, bar->Width() - 30, midY - record->skinrect.Top), picture->Pixel(midX, midY));
    TForm* child = AddChild("Notes", true);
    Maximize(child);
    ASSERT_EQ(bar->SystemButtonCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(static_cast<TbsSkinMainMenuBarButton*>(bar->Object(i))->HasRecord()) << i;
    EXPECT_TRUE(bar->ItemsOverflow());
    Ui().SavePng("menubar_default_skin_maximised");
    Ui().Click(Center(Item(0).ObjectRect));
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"&File item"}));
    Ui().SavePng("menubar_default_skin_open");
}

}  // namespace
