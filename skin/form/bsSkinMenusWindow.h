#pragma once
// One open level of a skinned menu: a borderless popup window that never takes activation, with
// one item object per visible menu item. It lays its items out (scrolling when the level is
// taller than the work area), places itself against its anchor, paints the skin's popup window
// and menu-item pictures (or a plain system-coloured look), follows the pointer with a poll
// timer, fades items in and out, and answers the keys the engine hands it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "platform/forms/Menus.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Window.h"
#include "skin/data/bsSkinData.h"

namespace platform::forms {
class TImageListComponent;
}

namespace skin {

using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;

class TbsSkinMenu;
class TbsSkinPopupWindow;

// Timer ids of a popup window.
inline constexpr uintptr_t kMenuScrollTimer = 1;
inline constexpr uintptr_t kMenuPollTimer = 2;
inline constexpr uintptr_t kMenuFadeTimer = 3;
inline constexpr uint32_t kMenuScrollInterval = 100;
inline constexpr uint32_t kMenuPollInterval = 50;
inline constexpr uint32_t kMenuFadeInterval = 20;
// Height of a scroll marker zone.
inline constexpr int kScrollMarkerSize = 10;

class TbsSkinMenuItem {
public:
    TbsSkinMenuItem(TbsSkinPopupWindow* window, platform::forms::TMenuItem* item);

    [[nodiscard]] bool IsSeparator() const { return MenuItem->IsLine(); }
    [[nodiscard]] bool HasSubItems() const;
    [[nodiscard]] bool Enabled() const { return MenuItem->Enabled(); }
    // Enabled and not a separator: the items the pointer and the keys stop at.
    [[nodiscard]] bool Reacts() const { return Enabled() && !IsSeparator(); }
    [[nodiscard]] bool Highlighted() const { return Hot || SubOpen; }
    // The fade has not reached the state's end yet.
    [[nodiscard]] bool NeedsMorph() const;

    TbsSkinPopupWindow* Window;
    platform::forms::TMenuItem* MenuItem;
    TRect ItemRect{};  // window coordinates
    int Height = 0;
    bool Shown = false;
    bool Hot = false;
    bool SubOpen = false;
    bool Preselected = false;
    double MorphFactor = 0;
};

class TbsSkinPopupWindow : public std::enable_shared_from_this<TbsSkinPopupWindow> {
public:
    explicit TbsSkinPopupWindow(TbsSkinMenu* menu);
    ~TbsSkinPopupWindow();
    TbsSkinPopupWindow(const TbsSkinPopupWindow&) = delete;
    TbsSkinPopupWindow& operator=(const TbsSkinPopupWindow&) = delete;

    // Builds the level from the items, places it against the anchor (screen coordinates) and
    // shows it. subMenu: the anchor is the parent item's rectangle.
    void Show(const std::vector<platform::forms::TMenuItem*>& items, const TRect& anchor, bool subMenu,
              bool popupUp, bool topLevel);
    // Destroys the window (the object may outlive it while a handler of it runs).
    void Hide();

    // ---- Items and keys ----
    [[nodiscard]] int ItemCount() const { return static_cast<int>(m_items.size()); }
    [[nodiscard]] TbsSkinMenuItem& Item(int index) { return *m_items.at(static_cast<size_t>(index)); }
    [[nodiscard]] int HotIndex() const { return m_hotIndex; }
    [[nodiscard]] int FirstShown() const { return m_firstShown; }
    [[nodiscard]] int ShownCount() const { return m_shownCount; }
    [[nodiscard]] bool Scrolling() const { return m_scrolling; }
    // 0 none, -1 up, 1 down.
    [[nodiscard]] int ScrollDirection() const { return m_scrollDirection; }
    [[nodiscard]] const TRect& ItemsArea() const { return m_itemsArea; }
    [[nodiscard]] platform::ui::TWindow* Handle() const { return m_window; }
    [[nodiscard]] TRect BoundsRect() const { return m_bounds; }
    // The item's rectangle in screen coordinates.
    [[nodiscard]] TRect ItemScreenRect(int index) const;
    [[nodiscard]] bool Skinned() const { return m_windowPicture != nullptr; }
    [[nodiscard]] bool SkinnedItems() const { return m_itemRecord != nullptr; }

    void KeyDown(uint32_t key);
    // The item whose sub-menu is open loses that state (its sub-menu closed).
    void ClearSubOpen();
    // Enters an item (by mouse or by keyboard).
    void EnterItem(int index, bool byMouse);
    void LeaveItem(int index);
    // Runs an item: its command, or its sub-menu.
    void ClickItem(int index);
    // Paints one item again.
    void RepaintItem(int index);

    // ---- Painting (bsSkinMenusPaint.cpp) ----
    // The whole window at its size into canvas (window coordinates).
    void PaintWindow(TCanvas& canvas);

private:
    // bsSkinMenusWindow.cpp
    void BuildItems(const std::vector<platform::forms::TMenuItem*>& items);
    void MeasureWindow(int& width, int& height);
    void LayoutItems();
    void Place(const TRect& anchor, bool subMenu, bool popupUp, int width, int height);
    void CreateRegion();
    void CreateWindowHandle(bool topLevel);
    platform::ui::TLResult WndProc(uint32_t msg, platform::ui::TWParam wParam, platform::ui::TLParam lParam);
    void PollTick();
    void ScrollTick();
    void FadeTick();
    void StartScroll(int direction);
    void StopScroll();
    void StartFade();
    [[nodiscard]] int ItemAt(TPoint client) const;
    [[nodiscard]] bool MenuAlive() const { return m_menuAlive.Alive(); }
    void SelectNext(bool forward);
    void EnsureShown(int index);

    // bsSkinMenusPaint.cpp
    void PaintBackground(TCanvas& canvas);
    void PaintScrollMarkers(TCanvas& canvas);
    void PaintItem(TCanvas& canvas, TbsSkinMenuItem& item);
    void PaintSkinnedItem(TCanvas& canvas, TbsSkinMenuItem& item);
    void PaintDefaultItem(TCanvas& canvas, TbsSkinMenuItem& item);
    void BuildItemImage(TBitmap& image, const TRect& source, int width, int height) const;
    void PaintItemContent(TCanvas& canvas, TbsSkinMenuItem& item, const TRect& textRect, TColor color,
                          int iconColumn, int shortcutGap);
    [[nodiscard]] int IconColumn() const;

    friend class TbsSkinMenu;

    TbsSkinMenu* m_menu;
    platform::forms::TWeakRef<platform::forms::TComponent> m_menuAlive;
    TbsSkinData* m_skinData = nullptr;
    const TbsDataSkinPopupWindow* m_windowRecord = nullptr;
    TBitmap* m_windowPicture = nullptr;
    TBitmap* m_maskPicture = nullptr;
    const TbsDataSkinMenuItem* m_itemRecord = nullptr;
    TBitmap* m_itemPicture = nullptr;
    platform::forms::TImageListComponent* m_images = nullptr;
    platform::gfx::TFont m_font;

    std::vector<std::unique_ptr<TbsSkinMenuItem>> m_items;
    int m_hotIndex = -1;
    int m_firstShown = 0;
    int m_shownCount = 0;
    bool m_scrolling = false;
    int m_scrollDirection = 0;
    TRect m_itemsArea{};
    TRect m_bounds{};
    // Corner points of the window picture moved with the size.
    TPoint m_newLT, m_newRT, m_newLB, m_newRB;
    platform::ui::TWindow* m_window = nullptr;
    TPoint m_lastCursor{-1 << 20, -1 << 20};
    bool m_fading = false;
};

}  // namespace skin
