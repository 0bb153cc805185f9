#pragma once
// TbsSkinForm: a non-visual component dropped on a form that takes over the form's window frame.
// It puts its own window procedure in front of the form's, computes the frame geometry for any
// window size from the skin's frame description, paints the frame (borders, caption strip, title,
// caption buttons and the other frame objects), cuts the window to the skin's mask, answers the
// hit-test questions so that moving and sizing work, and routes non-client mouse input to the
// frame objects. Without a skin it draws a plain three-pixel frame with a caption bar and
// built-in caption buttons.
//
// The implementation is split by responsibility: bsSkinForm.cpp (attaching, properties, timers,
// objects), bsSkinFormGeometry.cpp (sizes, geometry, object layout, region, hit tests),
// bsSkinFormPaint.cpp (frame and background painting), bsSkinFormWndProc.cpp (the window
// procedure and mouse routing), bsSkinFormSkin.cpp (activation, applying the skin, skin-change
// notifications, the walk over the form's skinned controls) and bsSkinFormCommands.cpp (the
// window commands the caption buttons run).

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/forms/Form.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Messages.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtilsDrawStrips.h"
#include "skin/form/bsSkinFormObjects.h"

namespace skin {

using platform::forms::TComponent;
using platform::forms::TForm;
using platform::forms::TMessage;
using platform::forms::TNotifyEvent;
using platform::forms::TWindowState;
using platform::gfx::TFont;
using platform::gfx::TRegion;

// Which caption buttons work.
enum TbsBorderIcon : uint8_t {
    biSystemMenu = 0x01,
    biMinimize = 0x02,
    biMaximize = 0x04,
    biRollUp = 0x08,
    biMinimizeToTray = 0x10,
};
using TbsBorderIcons = uint8_t;

// The hit-test code of a frame object or dead frame area (19).
using platform::ui::HTOBJECT;

// The frame geometry for the current window size (window coordinates).
struct TbsFormGeometry {
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    TRect NewCaptionRect;
    TRect NewButtonsRect;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    TRect NewMaskRectArea;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
};

class TbsSkinCaptionObject;
class TbsSkinMainMenuBar;
class TbsSkinHint;
class TbsTrayIcon;
class TbsMDITabsBarLink;

class TbsSkinForm : public TComponent {
    // The window behaviour (states, roll-up, menus, transparency) keeps part of its state here.
    friend class TbsSkinFormBehaviour;

public:
    // The owner is the form whose frame this component takes over; with another owner the
    // component only keeps its properties.
    explicit TbsSkinForm(TComponent* owner);
    ~TbsSkinForm() override;

    // ---- Published properties ----
    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    // Applies the skin (or the built-in look when cleared).
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] TbsSkinData* MenusSkinData() const { return m_menusSkinData; }
    void SetMenusSkinData(TbsSkinData* value);
    [[nodiscard]] TbsBorderIcons BorderIcons() const { return m_borderIcons; }
    // Rebuilds the frame's objects and applies the button states again.
    void SetBorderIcons(TbsBorderIcons value);
    [[nodiscard]] bool HideCaptionButtons() const { return m_hideCaptionButtons; }
    void SetHideCaptionButtons(bool value);
    [[nodiscard]] bool ShowIcon() const { return m_showIcon; }
    void SetShowIcon(bool value);  // repaints the frame
    [[nodiscard]] const TBitmap& LogoBitMap() const { return m_logoBitMap; }
    void SetLogoBitMap(const TBitmap& value);
    [[nodiscard]] bool LogoBitMapTransparent() const { return m_logoBitMapTransparent; }
    void SetLogoBitMapTransparent(bool value);
    [[nodiscard]] int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int value) { m_minWidth = value; }
    [[nodiscard]] int MinHeight() const { return m_minHeight; }
    void SetMinHeight(int value) { m_minHeight = value; }
    [[nodiscard]] TFont& DefCaptionFont() { return m_defCaptionFont; }
    [[nodiscard]] const TFont& DefCaptionFont() const { return m_defCaptionFont; }
    void SetDefCaptionFont(const TFont& value);
    [[nodiscard]] TFont& DefInActiveCaptionFont() { return m_defInActiveCaptionFont; }
    [[nodiscard]] const TFont& DefInActiveCaptionFont() const { return m_defInActiveCaptionFont; }
    void SetDefInActiveCaptionFont(const TFont& value);
    [[nodiscard]] platform::forms::TPopupMenu* SystemMenu() const { return m_systemMenu; }
    void SetSystemMenu(platform::forms::TPopupMenu* value);

    // Object hints and the tray icon (bsSkinFormTray.cpp).
    [[nodiscard]] TbsSkinHint* SkinHint() const { return m_skinHint; }
    void SetSkinHint(TbsSkinHint* value);
    [[nodiscard]] bool ShowObjectHint() const { return m_showObjectHint; }
    void SetShowObjectHint(bool value) { m_showObjectHint = value; }
    [[nodiscard]] TbsTrayIcon* TrayIcon() const { return m_trayIcon; }
    void SetTrayIcon(TbsTrayIcon* value);
    void HideObjectHint();
    // The tray icon's part of minimising to the tray and back; false without a tray icon.
    bool MinimizeFormToTray();
    void RestoreFormFromTray();
    // Kept for the window behaviour, the menus and transparency.
    [[nodiscard]] bool AlwaysShowInTray() const { return m_alwaysShowInTray; }
    void SetAlwaysShowInTray(bool value) { m_alwaysShowInTray = value; }
    [[nodiscard]] bool AlwaysMinimizeToTray() const { return m_alwaysMinimizeToTray; }
    void SetAlwaysMinimizeToTray(bool value) { m_alwaysMinimizeToTray = value; }
    [[nodiscard]] bool UseSkinFontInMenu() const { return m_useSkinFontInMenu; }
    void SetUseSkinFontInMenu(bool value) { m_useSkinFontInMenu = value; }
    [[nodiscard]] bool MaximizeOnFullScreen() const { return m_maximizeOnFullScreen; }
    void SetMaximizeOnFullScreen(bool value) { m_maximizeOnFullScreen = value; }
    [[nodiscard]] bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool value);
    [[nodiscard]] bool AlphaBlendAnimation() const { return m_alphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool value) { m_alphaBlendAnimation = value; }
    [[nodiscard]] uint8_t AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(uint8_t value);
    [[nodiscard]] bool MenusAlphaBlend() const { return m_menusAlphaBlend; }
    void SetMenusAlphaBlend(bool value) { m_menusAlphaBlend = value; }
    [[nodiscard]] bool MenusAlphaBlendAnimation() const { return m_menusAlphaBlendAnimation; }
    void SetMenusAlphaBlendAnimation(bool value) { m_menusAlphaBlendAnimation = value; }
    [[nodiscard]] uint8_t MenusAlphaBlendValue() const { return m_menusAlphaBlendValue; }
    void SetMenusAlphaBlendValue(uint8_t value) { m_menusAlphaBlendValue = value; }
    [[nodiscard]] int DefMenuItemHeight() const { return m_defMenuItemHeight; }
    void SetDefMenuItemHeight(int value) {
        if (value > 0) m_defMenuItemHeight = value;
    }
    [[nodiscard]] TFont& DefMenuItemFont() { return m_defMenuItemFont; }
    [[nodiscard]] const TFont& DefMenuItemFont() const { return m_defMenuItemFont; }
    void SetDefMenuItemFont(const TFont& value) { m_defMenuItemFont = value; }
    [[nodiscard]] bool UseDefaultSysMenu() const { return m_useDefaultSysMenu; }
    void SetUseDefaultSysMenu(bool value) { m_useDefaultSysMenu = value; }
    [[nodiscard]] bool Magnetic() const { return m_magnetic; }
    void SetMagnetic(bool value) { m_magnetic = value; }
    [[nodiscard]] uint8_t MagneticSize() const { return m_magneticSize; }
    void SetMagneticSize(uint8_t value) { m_magneticSize = value; }

    // ---- MDI (bsSkinFormMdi.cpp) ----
    // The tabs bar that shows a tab per MDI child of this MDI main form; any other component is
    // refused. Cleared when the bar goes away.
    [[nodiscard]] TComponent* MDITabsBar() const { return m_mdiTabsBar; }
    void SetMDITabsBar(TComponent* value);
    [[nodiscard]] bool IsMDIForm() const;
    [[nodiscard]] bool IsMDIChild() const;
    // The form is an MDI child shown maximised: it has no frame of its own then.
    [[nodiscard]] bool MaximizedMDIChild() const;
    // The size of the form minimised (its frame alone).
    [[nodiscard]] platform::core::TSize MinimizedSize() const;
    // An MDI child's window state goes through its MDI client; false for other forms.
    bool MdiSetWindowState(TWindowState value);

    // ---- Events ----
    TNotifyEvent OnChangeSkinData;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnChangeRollUpState;
    TbsMouseDownEvent OnMouseDownEvent;
    TbsMouseUpEvent OnMouseUpEvent;
    TbsMouseMoveEvent OnMouseMoveEvent;
    TbsMouseEnterEvent OnMouseEnterEvent;
    TbsMouseLeaveEvent OnMouseLeaveEvent;
    TbsPaintEvent OnPaintEvent;
    // The main menu bar's menu mode starts / ends (form resources bind these).
    TNotifyEvent OnMainMenuEnter;
    TNotifyEvent OnMainMenuExit;

    // ---- State ----
    [[nodiscard]] TForm* Form() const { return m_form; }
    // True while SkinData is set and holds a skin.
    [[nodiscard]] bool Skinned() const { return m_skinned; }
    [[nodiscard]] const std::vector<std::unique_ptr<TbsActiveSkinObject>>& ObjectList() const {
        return m_objects;
    }
    // An object by IDName, or null.
    [[nodiscard]] TbsActiveSkinObject* FindObject(std::string_view idName) const;
    // Indices into the object list, -1 when none: under the mouse, the one before, and the one
    // the mouse was pressed on.
    [[nodiscard]] int ActiveObject() const { return m_activeObject; }
    [[nodiscard]] int MouseCaptureObject() const { return m_mouseCaptureObject; }
    [[nodiscard]] const TbsFormGeometry& Geometry() const { return m_geometry; }
    // The form's window is the active window.
    [[nodiscard]] bool GetActive() const;
    [[nodiscard]] bool InSizeMove() const { return m_inSizeMove; }
    [[nodiscard]] platform::forms::TTimer& HoverTimer() { return *m_hoverTimer; }
    [[nodiscard]] platform::forms::TTimer& FadeTimer() { return *m_fadeTimer; }
    [[nodiscard]] platform::forms::TTimer& FrameTimer() { return *m_frameTimer; }
    [[nodiscard]] bool IsSizeAble() const;
    // The inactive look is built by the skin's inactive effect.
    [[nodiscard]] bool AutoRenderingInactive() const;

    // ---- Sizes ----
    [[nodiscard]] int GetMinWidth() const;
    [[nodiscard]] int GetMinHeight() const;
    [[nodiscard]] int GetMaxWidth() const;
    [[nodiscard]] int GetMaxHeight() const;
    // The built-in look's caption height and caption button size.
    [[nodiscard]] int DefCaptionHeight() const;
    [[nodiscard]] int DefButtonSize() const;

    // ---- Frame ----
    // Paints one object straight into the window's frame.
    void PaintObject(TbsActiveSkinObject* object);
    // Paints the whole frame now (skinned or built-in).
    void UpdateFormNC();
    // The title the caption shows.
    [[nodiscard]] std::string FormCaption() const;
    // The form's small icon (or the application's) scaled into rect.
    void DrawFormIcon(TCanvas& canvas, const TRect& rect) const;
    // The small icon size of the system-menu button with ShowIcon.
    [[nodiscard]] static TPoint SmallIconSize();
    // Composes the frame for the current size: four strips with the objects drawn in.
    void BuildFrameStrips(TbsBorderStrips& strips);
    // The client background at the client canvas.
    void PaintBackground(TCanvas& canvas);

    // ---- Geometry, layout and hit-testing (window coordinates) ----
    void CalcRects();
    void CalcObjects();
    void SetFormRegion();
    [[nodiscard]] bool PointInMask(TPoint p) const;
    [[nodiscard]] int HitTest(TPoint p);
    [[nodiscard]] TRect DefaultCaptionRect() const { return m_defCaptionRect; }

    // ---- Objects ----
    void TestActive(int x, int y, bool inFrame);
    void ShowObjectHintOf(const TbsActiveSkinObject& object);
    void ResetAllObjects();
    // The first caption object, or null.
    [[nodiscard]] TbsSkinCaptionObject* CaptionObject() const;
    void EnableFadeTimer();
    void EnableFrameTimer();

    // ---- Skin ----
    void ApplySkin();
    // Sets the caption's active look from the window's activation; fires OnActivate or
    // OnDeActivate.
    void FormChangeActive(bool repaint);

    // ---- Window commands (caption buttons, caption double-click) ----
    virtual void CloseForm();
    [[nodiscard]] virtual TWindowState WindowState() const;
    virtual void SetWindowState(TWindowState value);
    [[nodiscard]] bool RollUpState() const { return m_rollUpState; }
    virtual void SetRollUpState(bool value);
    virtual void MinimizeToTray();
    // The items of the system menu, or null when there is no menu to show.
    [[nodiscard]] virtual platform::forms::TMenuItem* SystemMenuItems();
    // Pops the sub-items of item up at an anchor (screen coordinates); false when nothing opened
    // (the calling button is then released at once).
    virtual bool PopupObjectMenu(platform::forms::TMenuItem* item, const TRect& anchor, bool popupUp);
    // A double click on the caption.
    virtual void CaptionDblClick();
    // A right press on the caption (screen coordinates).
    virtual void PopupSystemMenu(TPoint screen);
    // Messages that end menu interaction arrive (moves, sizes, presses, activation).
    virtual void CloseSkinMenus();

    // ---- Main menu bar (bsSkinMainMenuKeys.cpp) ----
    // The bar that menu mode, Alt, F10 and the menu's shortcuts go to; cleared when it goes.
    [[nodiscard]] TbsSkinMainMenuBar* MainMenuBar() const { return m_mainMenuBar; }
    void SetMainMenuBar(TbsSkinMainMenuBar* value);

protected:
    void Notification(TComponent* component, platform::forms::TOperation operation) override;
    void Loaded() override;

    // The hooked window procedure and the form's own one.
    virtual void NewWndProc(TMessage& m);
    void CallFormProc(TMessage& m);

private:
    // bsSkinFormWndProc.cpp: the parts of NewWndProc; true when the message is done.
    bool HandleFrameGeometry(TMessage& message);
    bool HandleFrameState(TMessage& message);
    bool HandleNonClientMouse(TMessage& message);
    // bsSkinMainMenuKeys.cpp: binds the window behaviour's keyboard to the bar; keeps the bar's
    // system buttons in step with a maximised MDI child.
    void BindMainMenuBar();
    void MainMenuBarMessage(TMessage& m);
    // bsSkinForm.cpp
    void Attach();
    void Detach();
    void ApplySkinIfReady();
    void RebuildObjects();
    void ClearObjects();
    void CreateSkinObjects();
    void CreateDefaultObjects();
    void CheckObjects();
    void FadeTimerTick();
    void FrameTimerTick();
    void HoverTimerTick();
    void StopTimers();

    // bsSkinFormGeometry.cpp
    void LayoutSkinButtons();
    void LayoutDefaultObjects();
    [[nodiscard]] int SkinnedHitTest(TPoint p);
    [[nodiscard]] int DefaultHitTest(TPoint p);
    [[nodiscard]] bool InCaptionObject(TPoint p) const;
    [[nodiscard]] TRect ClientInsets() const;

    // bsSkinFormPaint.cpp
    void PaintSkinFrame();
    void PaintDefaultFrame();

    // bsSkinFormWndProc.cpp
    void PressObject(TMouseButton button, int x, int y);
    void ReleaseObject(TMouseButton button, int x, int y);
    [[nodiscard]] TPoint WindowPoint(TPoint screen) const;
    void SizeChanged(int width, int height, bool paintNow);
    [[nodiscard]] bool NoFrame() const;

    // bsSkinFormMdi.cpp
    bool HandleMdiMessage(TMessage& message);
    // Hooks the MDI client of an MDI main form (background, children, window menu) or registers
    // an MDI child's minimised size with its client; again whenever that may have changed.
    void UpdateMdiHooks();
    void ReleaseMdiHooks();
    void MdiChildChanged(TForm* child, int change);
    void PaintMdiBackground(TCanvas& canvas, const TRect& area);
    void SyncMdiWindowState();

    // bsSkinFormSkin.cpp
    void SkinBeforeChangeReceived(TbsSkinData* data);
    void SkinChangeReceived(TbsSkinData* data);
    void EnforceMinimumSize();
    void Nudge();

    TForm* m_form = nullptr;
    platform::forms::TWndMethod m_formProc;

    TbsSkinData* m_skinData = nullptr;
    TbsSkinData* m_menusSkinData = nullptr;
    platform::forms::TPopupMenu* m_systemMenu = nullptr;
    TbsBorderIcons m_borderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;
    bool m_hideCaptionButtons = false;
    bool m_showIcon = false;
    TBitmap m_logoBitMap;
    bool m_logoBitMapTransparent = false;
    int m_minWidth = 0;
    int m_minHeight = 0;
    TFont m_defCaptionFont;
    TFont m_defInActiveCaptionFont;
    bool m_alwaysShowInTray = false;
    TbsSkinHint* m_skinHint = nullptr;
    bool m_showObjectHint = false;
    TbsTrayIcon* m_trayIcon = nullptr;
    bool m_alwaysMinimizeToTray = false;
    bool m_useSkinFontInMenu = true;
    bool m_maximizeOnFullScreen = false;
    bool m_alphaBlend = false;
    bool m_alphaBlendAnimation = false;
    uint8_t m_alphaBlendValue = 200;
    bool m_menusAlphaBlend = false;
    bool m_menusAlphaBlendAnimation = false;
    uint8_t m_menusAlphaBlendValue = 200;
    int m_defMenuItemHeight = 20;
    TFont m_defMenuItemFont;
    bool m_useDefaultSysMenu = true;
    bool m_magnetic = false;
    uint8_t m_magneticSize = 5;

    std::vector<std::unique_ptr<TbsActiveSkinObject>> m_objects;
    int m_activeObject = -1;
    int m_oldActiveObject = -1;
    int m_mouseCaptureObject = -1;
    bool m_skinned = false;
    int m_formWidth = 0;
    int m_formHeight = 0;
    TbsFormGeometry m_geometry;
    TRect m_defCaptionRect;
    TbsBorderStrips m_maskStrips;
    std::unique_ptr<platform::forms::TTimer> m_hoverTimerOwned, m_fadeTimerOwned, m_frameTimerOwned;
    platform::forms::TTimer* m_hoverTimer = nullptr;
    platform::forms::TTimer* m_fadeTimer = nullptr;
    platform::forms::TTimer* m_frameTimer = nullptr;
    TMouseButton m_captureButton = platform::forms::mbLeft;
    bool m_inSizeMove = false;
    bool m_sizeMoveRan = false;  // a move or size loop ran inside the current non-client press
    bool m_fullDrag = false;
    bool m_rollUpState = false;
    int m_rollUpHeight = 0;
    // Main menu bar.
    TbsSkinMainMenuBar* m_mainMenuBar = nullptr;
    bool m_shortCutTaken = false;

    // MDI (bsSkinFormMdi.cpp)
    TComponent* m_mdiTabsBar = nullptr;
    TbsMDITabsBarLink* m_mdiTabsLink = nullptr;
    bool m_activeFlag = false;  // an MDI child's last WM_NCACTIVATE
    platform::forms::TMdiClient* m_hookedClient = nullptr;
    platform::forms::TWeakRef<TComponent> m_hookedClientRef;
    platform::forms::TWndMethod m_clientProc;
};

}  // namespace skin
