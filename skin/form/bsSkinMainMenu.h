#pragma once
// The skinned main menu bar: TbsSkinMainMenu (a main menu that names its skin data) and
// TbsSkinMainMenuBar, a row of skinned items under a skinned form's caption in place of the
// platform's menu bar. Items that do not fit are hidden behind an overflow marker at the right end;
// while an MDI child is maximised the bar carries the child's system-menu, close, restore and
// minimise buttons.
//
// How a form gets a skinned bar (in code or in its form resource):
//   - a TbsSkinForm (SkinData = the form's skin data) and a TbsSkinMainMenu holding the items;
//   - a TbsSkinMainMenuBar with Parent = the form, MainMenu = that menu, SkinForm = the skin form
//     and SkinData = the skin data (SkinDataName stays "mainmenubar"); the bar keeps itself at the
//     top of the form's client area, across its whole width;
//   - the skin form's MainMenuBar = the bar: Alt or F10 then enters menu mode, Alt+letter opens
//     the item with that accelerator, the menu's shortcuts run while the form is active, and an
//     MDI main form shows a maximised child's buttons in the bar.
//   Do not assign the menu to TForm::Menu as well: that shows the platform's plain bar.
//
// The bar's parts: bsSkinMainMenuBar.cpp (properties, items, layout, painting, pointer and
// timers), bsSkinMainMenuKeys.cpp (keyboard, system buttons, the skin form's side),
// bsSkinMainMenuObjects.cpp (the items and buttons), bsSkinMainMenuRegister.cpp (form resources).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinCtrlsBase.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinForm;
class TbsSkinMainMenuBar;

using platform::forms::TMenuItem;
using platform::forms::TMouseButton;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;
using platform::gfx::TColor;

class TbsSkinMainMenu : public platform::forms::TMainMenu {
public:
    explicit TbsSkinMainMenu(platform::forms::TComponent* owner);
    ~TbsSkinMainMenu() override;
    [[nodiscard]] std::string ClassName() const override { return "TbsSkinMainMenu"; }

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    TbsSkinData* m_skinData = nullptr;
};

// One part of the bar: an item or a system button. Rectangles are bar client coordinates.
class TbsMenuBarObject {
public:
    // data: the object record, or null for the default look.
    TbsMenuBarObject(TbsSkinMainMenuBar* bar, const TbsDataSkinObject* data);
    virtual ~TbsMenuBarObject() = default;
    TbsMenuBarObject(const TbsMenuBarObject&) = delete;
    TbsMenuBarObject& operator=(const TbsMenuBarObject&) = delete;

    virtual void Draw(TCanvas& canvas) = 0;
    virtual void MouseDown(TMouseButton button) = 0;
    virtual void MouseUp(TMouseButton button) = 0;
    virtual void DblClick() {}
    virtual void MouseEnter() = 0;
    virtual void MouseLeave() = 0;
    // Not pressed with a down image, and short of its morph target.
    [[nodiscard]] virtual bool NeedsMorph() const;

    // Draws the object onto the bar's window now.
    void DrawOnBar();
    // With morphing the bar's morph timer fades; otherwise the object repaints now.
    void ReDraw();

    TbsSkinMainMenuBar* Bar;
    std::string IDName;
    bool Enabled = true;
    bool Visible = true;
    bool MouseOver = false;
    bool Highlighted = false;
    bool Pressed = false;
    double MorphFactor = 0;
    bool morphing = false;
    TbsMorphKind morphkind = mkDefault;
    TRect skinrect, activeskinrect, downrect;
    TRect ObjectRect;
    TBitmap* Picture = nullptr;  // not owned
};

class TbsSkinMainMenuBarItem : public TbsMenuBarObject {
public:
    TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* bar, const TbsDataSkinMainMenuItem* data, TMenuItem* menuItem);

    void Draw(TCanvas& canvas) override;
    void MouseDown(TMouseButton button) override;
    void MouseUp(TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Presses (opens the item's menu) or releases the item.
    void SetPressed(bool value);
    [[nodiscard]] bool HasSubItems() const { return MenuItem && MenuItem->Count() > 0; }
    [[nodiscard]] bool HasRecord() const { return m_hasRecord; }
    // The caption's width in the item font.
    [[nodiscard]] int CaptionWidth() const;
    // Width and height this item takes on the bar.
    [[nodiscard]] platform::core::TSize ItemSize() const;

    TMenuItem* MenuItem;
    TRect textrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    std::string fontname = "Arial";
    int fontheight = 14;
    platform::gfx::TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, unenabledfontColor = 0;
    bool Shown = true;
    bool SavedEnabled = true;

private:
    void ApplyFont(TCanvas& canvas) const;
    void DrawSkin(TCanvas& canvas);
    void DrawDefault(TCanvas& canvas);
    void BuildImage(TBitmap& image, const TRect& source) const;
    bool m_hasRecord = false;
};

class TbsSkinMainMenuBarButton : public TbsMenuBarObject {
public:
    TbsSkinMainMenuBarButton(TbsSkinMainMenuBar* bar, const TbsDataSkinStdButton* data, TbsStdCommand command,
                             std::string name);

    void Draw(TCanvas& canvas) override;
    void MouseDown(TMouseButton button) override;
    void MouseUp(TMouseButton button) override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;
    [[nodiscard]] bool HasRecord() const { return m_hasRecord; }
    void DoCommand();

    TbsStdCommand Command;

private:
    void DrawDefault(TCanvas& canvas);
    bool m_hasRecord = false;
};

class TbsSkinMainMenuBar : public TbsSkinControl {
public:
    static constexpr int kMarkerWidth = 5;
    static constexpr int kButtonGap = 2;
    static constexpr uintptr_t kPollInterval = 50;
    static constexpr uintptr_t kMorphInterval = 20;

    explicit TbsSkinMainMenuBar(platform::forms::TComponent* owner);
    ~TbsSkinMainMenuBar() override;
    [[nodiscard]] std::string ClassName() const override { return "TbsSkinMainMenuBar"; }

    // ---- Published ----
    [[nodiscard]] platform::forms::TMainMenu* MainMenu() const { return m_mainMenu; }
    void SetMainMenu(platform::forms::TMainMenu* value);
    [[nodiscard]] TbsSkinForm* SkinForm() const { return m_skinForm; }
    void SetSkinForm(TbsSkinForm* value);
    [[nodiscard]] bool ScrollMenu() const { return m_scrollMenu; }
    void SetScrollMenu(bool value);
    [[nodiscard]] bool PopupToUp() const { return m_popupToUp; }
    void SetPopupToUp(bool value) { m_popupToUp = value; }
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);
    [[nodiscard]] const platform::gfx::TFont& DefItemFont() const { return m_defItemFont; }
    void SetDefItemFont(const platform::gfx::TFont& value);
    [[nodiscard]] int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int value);
    [[nodiscard]] int DefaultHeight() const { return m_defaultHeight; }
    void SetDefaultHeight(int value);

    std::function<void(platform::forms::TComponent*, TMenuItem*)> OnItemMouseEnter;
    std::function<void(platform::forms::TComponent*, TMenuItem*)> OnItemMouseLeave;

    // ---- The skin control protocol ----
    void ApplySkin() override;
    void ForgetRecord() override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetSkinData(TbsSkinData* value) override;
    void SetParent(platform::forms::TWinControl* parent) override;

    // ---- Operations for the skin form ----
    void RebuildItems();
    void UpdateItems();
    void ChildMaximizedChanged();
    void ChildRestored();
    void EnterMenuMode();
    void LeaveMenuMode();
    void NextItem();
    void PreviousItem();
    bool TakeAccelerator(uint32_t key);
    bool TakeEnter();
    void ItemMenuClosed();
    // Keeps the bar across the top of its parent's client area.
    void FitToParent();

    // ---- State ----
    [[nodiscard]] const std::vector<std::unique_ptr<TbsMenuBarObject>>& BarObjects() const {
        return m_objects;
    }
    [[nodiscard]] int ObjectCount() const { return static_cast<int>(m_objects.size()); }
    [[nodiscard]] TbsMenuBarObject* Object(int index) const;
    // The item showing a menu item, or null.
    [[nodiscard]] TbsSkinMainMenuBarItem* ItemOf(const TMenuItem* menuItem) const;
    [[nodiscard]] TbsSkinMainMenuBarButton* Button(TbsStdCommand command) const;
    [[nodiscard]] int HotObject() const { return m_hotObject; }
    [[nodiscard]] int CapturedObject() const { return m_capturedObject; }
    [[nodiscard]] int SystemButtonCount() const { return m_systemButtonCount; }
    [[nodiscard]] const TRect& BarItemsArea() const { return m_barItemsArea; }
    [[nodiscard]] bool ItemsOverflow() const { return m_itemsOverflow; }
    [[nodiscard]] bool MarkerHot() const { return m_markerHot; }
    [[nodiscard]] TRect MarkerRect() const;
    [[nodiscard]] bool MenuMode() const { return m_menuMode; }
    [[nodiscard]] bool ChildMaximized() const { return m_childMaximized; }
    [[nodiscard]] bool HasChildMenu() const { return m_hasChildMenu; }
    [[nodiscard]] platform::forms::TTimer& BarPollTimer() { return *m_pollTimer; }
    [[nodiscard]] platform::forms::TTimer& BarMorphTimer() { return *m_morphTimer; }
    // The bound record, or null.
    [[nodiscard]] TbsDataSkinMainMenuBar* BarRecord() const;
    // The picture of the bar's record, or null.
    [[nodiscard]] TBitmap* BarPicture() const;
    // The maximised MDI child's skin form, or null.
    [[nodiscard]] TbsSkinForm* MaximizedChildSkinForm() const;

    // ---- For the objects ----
    void StartMorph();
    void PaintObjectNow(TbsMenuBarObject& object);
    void OpenItemMenu(TbsSkinMainMenuBarItem& item);
    // The skin form's menu mode is on.
    [[nodiscard]] bool FormMenuMode() const;
    // A skin menu of the skin form is open.
    [[nodiscard]] bool FormMenuOpen() const;
    void FireMainMenuEnter();
    void LeaveFormMenuMode();
    // Closes the skin form's open menu and ends menu mode.
    void CloseFormMenus();
    [[nodiscard]] const platform::gfx::TFont& ItemFont() const { return m_defItemFont; }
    void SetMenuModeFlag(bool value) { m_menuMode = value; }
    // A system button's command, applied to the maximised child.
    void RunChildCommand(TbsSkinMainMenuBarButton& button);
    // A double click on the system-menu button: the menus close, then the maximised child.
    void CloseMenusAndChild();

    // Tracks the pointer at a bar point ((-1, -1) when it left).
    void TrackPointer(int x, int y);

protected:
    void Paint() override;
    void WndProc(platform::forms::TMessage& message) override;
    void WMEraseBkgnd(platform::forms::TMessage& message) override;
    void MouseDown(TMouseButton button, platform::forms::TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, platform::forms::TShiftState shift, int x, int y) override;
    void MouseMove(platform::forms::TShiftState shift, int x, int y) override;
    void CMMouseEnter(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    void FreeObjects();
    void AddSystemButtons();
    void ApplyButtonStates();
    void LayOut();
    void LayOutButtons();
    void PaintBar(TCanvas& canvas);
    void DrawMarker(TCanvas& canvas);
    void PopupOverflowMenu();
    void PollTick();
    void MorphTick();
    void ResetHot();
    void Press(int x, int y, TMouseButton button, bool doubleClick);
    [[nodiscard]] bool Usable(const TbsMenuBarObject& object) const;
    [[nodiscard]] int FirstItemIndex() const { return m_systemButtonCount; }
    [[nodiscard]] platform::forms::TMainMenu* ChildMenu() const;

    platform::forms::TMainMenu* m_mainMenu = nullptr;
    TbsSkinForm* m_skinForm = nullptr;
    bool m_scrollMenu = true;
    bool m_popupToUp = false;
    bool m_useSkinFont = true;
    platform::gfx::TFont m_defItemFont;
    int m_defaultWidth = 0;
    int m_defaultHeight = 22;

    std::vector<std::unique_ptr<TbsMenuBarObject>> m_objects;
    int m_hotObject = -1;
    int m_previousHotObject = -1;
    int m_capturedObject = -1;
    int m_systemButtonCount = 0;
    TRect m_barItemsArea;
    bool m_itemsOverflow = false;
    bool m_markerHot = false;
    bool m_menuMode = false;
    bool m_childMaximized = false;
    bool m_hasChildMenu = false;
    platform::forms::TTimer* m_pollTimer = nullptr;
    platform::forms::TTimer* m_morphTimer = nullptr;
    platform::forms::TMainMenu* m_childMenu = nullptr;
    bool m_fitting = false;
    bool m_switchingMenus = false;  // one item's menu is closing for another's
};

}  // namespace skin
