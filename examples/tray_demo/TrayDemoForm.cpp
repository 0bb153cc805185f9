#include "TrayDemoForm.h"

#include <cstdio>

#include "platform/forms/Application.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinFormBehaviour.h"

namespace example {

using namespace platform::forms;
using platform::gfx::RGB;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

namespace {

// A 16 x 16 puzzle piece in one of three colours: the frames of the tray animation.
TBitmap PieceIcon(TColor face) {
    TBitmap b(16, 16);
    platform::gfx::TCanvas& c = b.Canvas();
    c.Brush.Color = RGB(40, 44, 52);
    c.FillRect({0, 0, 16, 16});
    c.Brush.Color = face;
    c.FillRect({2, 4, 12, 14});
    c.FillRect({5, 1, 9, 4});
    c.FillRect({12, 7, 15, 11});
    return b;
}

TMenuItem* Item(TComponent* owner, const std::string& name, const std::string& caption, TNotifyEvent click) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    return item;
}

}  // namespace

TTrayDemoForm::TTrayDemoForm(TComponent* owner, const std::string& skinPath) : TForm(owner) {
    SetCaption("Tray demo");
    SetBorderStyle(bsSizeable);
    SetBounds(200, 160, 420, 220);
    MakeSkin(skinPath);
    MakeControls();
    MakeTrayIcon();
}

void TTrayDemoForm::MakeSkin(const std::string& skinPath) {
    auto* stored = new skin::TbsStoredSkin(this);
    SkinData = new skin::TbsSkinData(this);
    if (!skinPath.empty() && stored->LoadFromSkinFolder(skinPath)) SkinData->SetStoredSkin(stored);
    SkinForm = new skin::TbsSkinForm(this);
    SkinForm->SetBorderIcons(static_cast<skin::TbsBorderIcons>(skin::biSystemMenu | skin::biMinimize |
                                                               skin::biMaximize | skin::biMinimizeToTray));
    SkinForm->SetSkinData(SkinData);
    Hint = new skin::TbsSkinHint(this);
    Hint->SetSkinData(SkinData);
    SkinForm->SetSkinHint(Hint);
    SkinForm->SetShowObjectHint(true);
}

void TTrayDemoForm::MakeControls() {
    lblStatus = new skin::TbsSkinStdLabel(this);
    lblStatus->SetParent(this);
    lblStatus->SetSkinData(SkinData);
    lblStatus->SetBounds(20, 20, 360, 20);
    lblStatus->SetHint("What the tray icon did last");
    lblStatus->SetShowHint(true);
    Status("Click, double-click or right-click the tray icon.");

    auto* toTray = new skin::TbsSkinButton(this);
    toTray->SetParent(this);
    toTray->SetSkinData(SkinData);
    toTray->SetBounds(20, 60, 160, 30);
    toTray->SetCaption("Minimize to tray");
    toTray->SetHint("Hides the window; double-click the tray icon to bring it back");
    toTray->SetShowHint(true);
    toTray->OnClick = [this](TComponent*) { SkinForm->MinimizeToTray(); };

    auto* animate = new skin::TbsSkinButton(this);
    animate->SetParent(this);
    animate->SetSkinData(SkinData);
    animate->SetBounds(200, 60, 160, 30);
    animate->SetCaption("Animate icon");
    animate->SetHint("Starts or stops cycling the tray icon's pictures");
    animate->SetShowHint(true);
    animate->OnClick = [this](TComponent*) { TrayIcon->SetCycleIcons(!TrayIcon->CycleIcons()); };
}

void TTrayDemoForm::MakeTrayIcon() {
    m_icons = new TImageListComponent(this);
    m_icons->SetWidth(16);
    m_icons->SetHeight(16);
    for (TColor face : {RGB(230, 80, 60), RGB(240, 190, 40), RGB(70, 170, 230)})
        m_icons->Add(PieceIcon(face));

    TrayMenu = new skin::TbsSkinPopupMenu(this);
    TrayMenu->SetSkinData(SkinData);
    TrayMenu->SetPopupForm(this);
    TMenuItem* show = Item(TrayMenu, "miShow", "&Show window", [this](TComponent*) {
        if (auto* b = skin::TbsSkinFormBehaviour::Of(SkinForm)) b->RestoreFromTray();
    });
    show->SetDefault(true);
    TrayMenu->Items()->Add(show);
    TrayMenu->Items()->Add(Item(TrayMenu, "miAnimate", "&Animate icon",
                                [this](TComponent*) { TrayIcon->SetCycleIcons(!TrayIcon->CycleIcons()); }));
    TrayMenu->Items()->Add(Item(TrayMenu, "miLine", "-", nullptr));
    TrayMenu->Items()->Add(Item(TrayMenu, "miExit", "E&xit", [this](TComponent*) { Close(); }));

    TrayIcon = new skin::TbsTrayIcon(this);
    TrayIcon->SetIconList(m_icons);
    TrayIcon->SetAnimateTimerInterval(400);
    TrayIcon->SetHint("Tray demo");
    TrayIcon->SetPopupMenu(TrayMenu);
    // Also on standard output, for whoever drives the demo from outside.
    TrayIcon->OnClick = [this](TComponent*) {
        Status("Clicked " + std::to_string(++m_clicks) + " time(s).");
        std::printf("tray_demo: click\n");
        std::fflush(stdout);
    };
    TrayIcon->OnDblClick = [](TComponent*) {
        std::printf("tray_demo: double click\n");
        std::fflush(stdout);
    };
    // The wheel over the icon steps through its pictures.
    TrayIcon->OnMouseWheel = [this](TComponent*, platform::forms::TShiftState, int delta,
                                    platform::core::TPoint, bool& handled) {
        const int count = m_icons->Count();
        if (count == 0) return;
        const int step = delta > 0 ? 1 : -1;
        TrayIcon->SetIconIndex((TrayIcon->IconIndex() + step + count) % count);
        Status("Picture " + std::to_string(TrayIcon->IconIndex() + 1) + " of " + std::to_string(count) + ".");
        handled = true;
    };
    SkinForm->SetAlwaysShowInTray(true);
    SkinForm->SetTrayIcon(TrayIcon);
    TrayIcon->SetIconVisible(true);
}

void TTrayDemoForm::Status(const std::string& text) {
    lblStatus->SetCaption(text);
}

}  // namespace example
