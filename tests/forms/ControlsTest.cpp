// Controls: windowless mouse input through the parent, painting of label, image and bevel,
// timers, hints, menus.

#include "FormsTestSupport.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/HintWindow.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/Timer.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using namespace platform::ui;
using platform::gfx::TColor;
namespace gfx = platform::gfx;

class Controls : public FormsFixture {
protected:
    TForm* NewForm(int w = 300, int h = 200) {
        auto* form = new TForm(&App());
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, w, h);
        form->SetColor(gfx::clWhite);
        return form;
    }
    TColor Pixel(TControl* c, int x, int y) {
        const auto p = c->ClientToScreen({x, y});
        return Session().ScreenPixel(p.X, p.Y);
    }
};

TEST_F(Controls, AWindowlessControlGetsClicksEnterAndLeaveThroughItsParent) {
    TForm* form = NewForm();
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(50, 50, 80, 20);
    std::vector<std::string> events;
    label->OnClick = [&](TComponent*) { events.push_back("click"); };
    label->OnDblClick = [&](TComponent*) { events.push_back("dblclick"); };
    label->OnMouseEnter = [&](TComponent*) { events.push_back("enter"); };
    label->OnMouseLeave = [&](TComponent*) { events.push_back("leave"); };
    label->OnMouseDown = [&](TComponent*, platform::forms::TMouseButton b, TShiftState s, int x, int y) {
        events.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                         ((s & ssDouble) ? " double" : ""));
    };
    int formClicks = 0;
    form->OnClick = [&](TComponent*) { ++formClicks; };
    form->Show();
    ProcessMessages();
    Session().MouseMove(label->ClientToScreen({5, 5}));
    Session().Click(label->ClientToScreen({10, 4}));
    Session().MouseMove(form->ClientToScreen({5, 5}));
    Session().Click(form->ClientToScreen({5, 5}));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down 0 10,4", "click", "leave"}));
    EXPECT_EQ(formClicks, 1);
    events.clear();
    Advance(1000);
    Session().DoubleClick(label->ClientToScreen({3, 3}));
    // The first press and release click, the second press is the
    // double click, and its release clicks no more.
    EXPECT_EQ(events,
              (std::vector<std::string>{"enter", "down 0 3,3", "click", "dblclick", "down 0 3,3 double"}));
}

TEST_F(Controls, AHeldButtonKeepsTheMouseWithTheWindowlessControl) {
    TForm* form = NewForm();
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 40, 40);
    int clicks = 0;
    std::vector<std::string> moves;
    image->OnClick = [&](TComponent*) { ++clicks; };
    image->OnMouseMove = [&](TComponent*, TShiftState, int x, int y) {
        moves.push_back(std::to_string(x) + "," + std::to_string(y));
    };
    form->Show();
    ProcessMessages();
    // Pressed inside, released outside: no click, but the moves went to the image.
    Session().Drag(image->ClientToScreen({5, 5}), image->ClientToScreen({100, 100}), 2);
    EXPECT_EQ(clicks, 0);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), "100,100");
    // Pressed inside, dragged out and back in: a click (later, so that it is no double click).
    Advance(1000);
    Session().Drag(image->ClientToScreen({5, 5}), image->ClientToScreen({20, 20}), 2);
    EXPECT_EQ(clicks, 1);
    // A disabled windowless control lets the parent have the mouse.
    image->SetEnabled(false);
    int formDowns = 0;
    form->OnMouseDown = [&](TComponent*, platform::forms::TMouseButton, TShiftState, int, int) {
        ++formDowns;
    };
    Advance(1000);
    Session().Click(image->ClientToScreen({5, 5}));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(formDowns, 1);
}

TEST_F(Controls, LabelsSizeThemselvesAndKeepTheirRightEdgeWhenRightJustified) {
    TForm* form = NewForm();
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(200, 10, 3, 13);
    label->SetAlignment(taRightJustify);
    label->SetCaption("Some text");
    EXPECT_GT(label->Width(), 20);
    EXPECT_EQ(label->Left() + label->Width(), 203);
    const int width = label->Width();
    label->SetCaption("Some");
    EXPECT_LT(label->Width(), width);
    EXPECT_EQ(label->Left() + label->Width(), 203);
    label->SetCaption("");
    EXPECT_GT(label->Width(), 0);  // measured as " "
    EXPECT_GT(label->Height(), 0);
}

TEST_F(Controls, ALabelPaintsItsTextAndBackground) {
    TForm* form = NewForm();
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 100, 30);
    label->SetColor(gfx::clYellow);
    label->Font().SetColor(gfx::clBlue);
    label->Font().SetHeight(-20);
    label->SetCaption("WWWW");
    form->Show();
    ProcessMessages();
    EXPECT_EQ(Pixel(label, 99, 29), gfx::clYellow);  // background, below the text
    int blue = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 25; ++y) blue += Pixel(label, x, y) == gfx::clBlue;
    EXPECT_GT(blue, 20);
    EXPECT_EQ(Pixel(form, 5, 5), gfx::clWhite);  // outside the label
    label->SetTransparent(true);
    ProcessMessages();
    EXPECT_EQ(Pixel(label, 99, 29), gfx::clWhite);
}

TEST_F(Controls, AnImageDrawsItsPictureCentredStretchedOrTransparent) {
    TForm* form = NewForm();
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 60, 40);
    gfx::TBitmap pic(20, 10);
    pic.Canvas().Brush.Color = gfx::clRed;
    pic.Canvas().FillRect({0, 0, 20, 10});
    pic.SetPixel(0, 9, gfx::clGreen);  // the bottom-left pixel: the transparent colour
    pic.SetPixel(19, 9, gfx::clGreen);
    image->Picture().Assign(pic);
    form->Show();
    ProcessMessages();
    EXPECT_EQ(Pixel(image, 5, 5), gfx::clRed);
    EXPECT_EQ(Pixel(image, 25, 5), gfx::clWhite);
    image->SetCenter(true);
    ProcessMessages();
    EXPECT_EQ(Pixel(image, 5, 5), gfx::clWhite);
    EXPECT_EQ(Pixel(image, 20, 15), gfx::clRed);  // picture at 20,15 .. 40,25
    EXPECT_EQ(Pixel(image, 39, 24), gfx::clGreen);
    image->SetTransparent(true);
    ProcessMessages();
    EXPECT_EQ(Pixel(image, 39, 24), gfx::clWhite);
    image->SetStretch(true);
    ProcessMessages();
    EXPECT_EQ(Pixel(image, 30, 2), gfx::clRed);
    EXPECT_EQ(Pixel(image, 59, 39), gfx::clWhite);  // the stretched transparent corner
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 10);
    // Constraints bound every size, the automatic one too.
    image->SetConstraints({0, 0, 16, 0});
    EXPECT_EQ(image->Width(), 16);
    image->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(image->Width(), 16);
    EXPECT_EQ(image->Height(), 100);
}

TEST_F(Controls, ABevelDrawsShadowAndHighlightLines) {
    TForm* form = NewForm();
    auto* bevel = new TBevel(form);
    bevel->SetParent(form);
    bevel->SetBounds(10, 10, 50, 40);
    form->Show();
    ProcessMessages();
    const TColor shadow = gfx::ColorToRGB(gfx::clBtnShadow);
    const TColor light = gfx::ColorToRGB(gfx::clBtnHighlight);
    EXPECT_EQ(Pixel(bevel, 0, 20), shadow);  // lowered box: left and top dark
    EXPECT_EQ(Pixel(bevel, 20, 0), shadow);
    EXPECT_EQ(Pixel(bevel, 49, 20), light);  // right and bottom light
    EXPECT_EQ(Pixel(bevel, 20, 39), light);
    EXPECT_EQ(Pixel(bevel, 20, 20), gfx::clWhite);
    bevel->SetStyle(bsRaised);
    bevel->SetShape(bsTopLine);
    ProcessMessages();
    EXPECT_EQ(Pixel(bevel, 20, 0), light);
    EXPECT_EQ(Pixel(bevel, 20, 1), shadow);
    EXPECT_EQ(Pixel(bevel, 0, 20), gfx::clWhite);
}

TEST_F(Controls, ATimerFiresAtItsIntervalWhileEnabled) {
    auto* timer = new TTimer(&App());
    std::vector<uint64_t> at;
    timer->SetInterval(100);
    timer->SetOnTimer([&](TComponent*) { at.push_back(Session().Now()); });
    const uint64_t start = Session().Now();
    Advance(350);
    EXPECT_EQ(at, (std::vector<uint64_t>{start + 100, start + 200, start + 300}));
    timer->SetEnabled(false);
    Advance(300);
    EXPECT_EQ(at.size(), 3u);
    delete timer;
    Advance(300);
    EXPECT_EQ(at.size(), 3u);
}

TEST_F(Controls, ATimerReadFromAResourceStartsWhenLoaded) {
    struct TTimerForm : TForm {
        explicit TTimerForm(TComponent* owner) : TForm(owner) {
            PublishMethod<void(TComponent*)>("Tick", [this](TComponent*) { ++Ticks; });
        }
        int Ticks = 0;
    } form(&App());
    ReadComponentResource(
        form, "object F: TForm\n  object T: TTimer\n    Interval = 50\n    OnTimer = Tick\n  end\nend\n");
    Advance(120);
    EXPECT_EQ(form.Ticks, 2);
}

TEST_F(Controls, AHintShowsAfterThePauseAndHidesAfterTheHidePause) {
    TForm* form = NewForm();
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 40, 40);
    image->SetHint("Picture");
    image->SetShowHint(true);
    std::vector<THintWindow*> made;
    App().HintWindowClass = [&](TComponent* owner) {
        auto* w = new THintWindow(owner);
        made.push_back(w);
        return w;
    };
    form->Show();
    ProcessMessages();
    Session().MouseMove(image->ClientToScreen({5, 5}));
    Advance(App().HintPause - 10);
    EXPECT_TRUE(made.empty());
    Advance(20);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_TRUE(made[0]->IsHintVisible());
    EXPECT_EQ(made[0]->Caption(), "Picture");
    Advance(App().HintHidePause + 10);
    EXPECT_FALSE(made[0]->IsHintVisible());
    // No hint where ShowHint is off.
    image->SetShowHint(false);
    Session().MouseMove(form->ClientToScreen({150, 150}));
    Session().MouseMove(image->ClientToScreen({6, 6}));
    Advance(App().HintPause + 50);
    EXPECT_FALSE(made[0]->IsHintVisible());
}

TEST(Menus, ShortCutsReadAndWriteAsText) {
    EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl)), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, ssAlt)), "Alt+F4");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssShift | ssCtrl)), "Shift+Ctrl+Del");
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(TextToShortCut("Ctrl+F4"), ShortCut(VK_F4, ssCtrl));
    EXPECT_EQ(TextToShortCut("alt+f4"), ShortCut(VK_F4, ssAlt));
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Hyper+X"), 0);
}

TEST(Menus, ItemsFormATreeWithRadioGroups) {
    TMainMenu menu(nullptr);
    auto* file = new TMenuItem(&menu);
    file->SetCaption("&File");
    menu.Items()->Add(file);
    auto* a = new TMenuItem(&menu);
    auto* b = new TMenuItem(&menu);
    auto* c = new TMenuItem(&menu);
    for (auto* item : {a, b, c}) {
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        file->Add(item);
    }
    c->SetGroupIndex(2);
    a->SetChecked(true);
    c->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(file->Count(), 3);
    EXPECT_EQ(b->Parent(), file);
    EXPECT_EQ(b->GetParentMenu(), &menu);
    EXPECT_EQ(menu.Items()->Find("file"), file);
    file->Insert(0, c);
    EXPECT_EQ(file->IndexOf(c), 0);
    EXPECT_THROW(c->Add(file), std::invalid_argument);
    int changes = 0;
    menu.OnChange = [&](TMenu*, TMenuItem*, bool) { ++changes; };
    file->Delete(1);  // a
    EXPECT_EQ(file->Count(), 2);
    EXPECT_GT(changes, 0);
    int clicks = 0;
    b->OnClick = [&](TComponent*) { ++clicks; };
    b->SetEnabled(false);
    b->Click();
    EXPECT_EQ(clicks, 0);
    b->SetEnabled(true);
    b->Click();
    EXPECT_EQ(clicks, 1);
    delete file;  // frees its items
    EXPECT_EQ(menu.Items()->Count(), 0);
}

TEST_F(Controls, ARightClickPopsTheControlsPopupMenu) {
    struct TRecordingPopup : TPopupMenu {
        using TPopupMenu::TPopupMenu;
        void Popup(int x, int y) override {
            At = {x, y};
            TPopupMenu::Popup(x, y);
        }
        platform::core::TPoint At{-1, -1};
    };
    TForm* form = NewForm();
    auto* popup = new TRecordingPopup(form);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 40, 40);
    image->SetPopupMenu(popup);
    int popped = 0;
    popup->OnPopup = [&](TComponent*) { ++popped; };
    form->Show();
    ProcessMessages();
    Session().Click(image->ClientToScreen({7, 8}), platform::ui::TMouseButton::Right);
    EXPECT_EQ(popped, 1);
    EXPECT_EQ(popup->At, image->ClientToScreen({7, 8}));
    EXPECT_EQ(popup->PopupComponent(), image);
}

TEST_F(Controls, ADeletedWindowedChildLeavesTheTabOrderOfItsLivingParent) {
    auto* form = NewForm();
    auto* first = new TWinControl(form);
    first->SetParent(form);
    auto* second = new TWinControl(form);
    second->SetParent(form);
    auto* inner = new TWinControl(form);
    inner->SetParent(second);
    form->Show();
    ProcessMessages();
    delete second;  // takes `inner` with it
    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    ASSERT_EQ(order.size(), 1u);
    EXPECT_EQ(order[0], first);
    EXPECT_EQ(first->TabOrder(), 0);
    EXPECT_EQ(form->FindNextControl(first, true, false, false), first);
}

}  // namespace
}  // namespace formstest
