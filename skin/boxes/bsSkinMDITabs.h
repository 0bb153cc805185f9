#pragma once
// TbsSkinMDITabsBar: a skinned bar with one tab (TbsMDITab) per MDI child window of the main form.
// The tabs share the bar's width (at most DefaultTabWidth each), show their child's caption and
// mark the active child; a click on a tab brings its child forward (restoring it when it is
// minimised), and a tab can be dragged to another place in the row. The skin form adds and
// removes tabs as children come and go and marks the active child's tab.
//
// Painted from a tab record (default name "tab"): the strip's background, the normal, active and
// hot tab pictures and their font colours; without a record in the default palette.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinCtrlsBase.h"
#include "skin/form/bsSkinFormMdi.h"

namespace skin {

class TbsSkinMDITabsBar;

using platform::core::TRect;
using platform::forms::TForm;
using platform::forms::TMouseButton;
using platform::forms::TShiftState;

// One tab of the bar: its child form, its place in the bar and its look.
class TbsMDITab {
public:
    TbsMDITab(TbsSkinMDITabsBar* tabsBar, TForm* child) : TabsBar(tabsBar), Child(child) {}

    TbsSkinMDITabsBar* TabsBar;
    TForm* Child;
    // In bar coordinates, as laid out at rest (a dragged tab is drawn moved by the drag offset).
    TRect ObjectRect;
    bool Active = false;
    bool PointerOver = false;
};

using TbsMDITabEvent = std::function<void(TbsMDITab* tab)>;
using TbsMDITabMouseEvent = std::function<void(TMouseButton button, TShiftState shift, TbsMDITab* tab)>;

class TbsSkinMDITabsBar : public TbsSkinControl, public TbsMDITabsBarLink {
public:
    static constexpr platform::gfx::TColor kHotFill = platform::gfx::RGB(182, 189, 210);
    static constexpr platform::gfx::TColor kActiveFill = platform::gfx::RGB(133, 147, 181);

    explicit TbsSkinMDITabsBar(platform::forms::TComponent* owner);
    ~TbsSkinMDITabsBar() override;

    // ---- Published ----
    [[nodiscard]] int DefaultHeight() const { return m_defaultHeight; }
    // Without a record the bar takes this height at once.
    void SetDefaultHeight(int value);
    [[nodiscard]] int DefaultTabWidth() const { return m_defaultTabWidth; }
    void SetDefaultTabWidth(int value);
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value);

    TbsMDITabEvent OnTabMouseEnter;
    TbsMDITabEvent OnTabMouseLeave;
    TbsMDITabMouseEvent OnTabMouseDown;
    TbsMDITabMouseEvent OnTabMouseUp;

    // ---- Tabs (each call repaints) ----
    // A tab for the child at the end of the row; nothing when it has one already.
    TbsMDITab* AddTab(TForm* child);
    void DeleteTab(TForm* child);
    void ClearTabs();
    // Marks the tab of the main form's active MDI child (and only that one) as active.
    void CheckActive();
    // Repaints the child's tab (its caption changed).
    void UpdateTab(TForm* child);

    [[nodiscard]] int TabCount() const { return static_cast<int>(m_tabs.size()); }
    [[nodiscard]] TbsMDITab* Tab(int index) const;
    [[nodiscard]] TbsMDITab* FindTab(const TForm* child) const;
    [[nodiscard]] int IndexOfTab(const TForm* child) const;
    // The tab at a point of the bar (rest layout, right and bottom edges excluded), -1 when none.
    [[nodiscard]] int TabAt(int x, int y) const;

    // ---- State ----
    [[nodiscard]] int HotTab() const { return m_hotTab; }
    [[nodiscard]] int DragTab() const { return m_dragTab; }
    [[nodiscard]] bool Dragging() const { return m_dragging; }
    [[nodiscard]] int DragOffset() const { return m_dragOffset; }
    // Where the dragged tab would go if it were dropped now (DragTab when it stays).
    [[nodiscard]] int DropIndex() const;
    // The dragged tab's rectangle as drawn (moved by the drag offset, kept in the bar).
    [[nodiscard]] TRect DraggedRect() const;

    void ApplySkin() override;

    // What the skin form of the MDI main form calls as children come, go and change.
    void MDITabAdd(TForm* child) override { AddTab(child); }
    void MDITabDelete(TForm* child) override { DeleteTab(child); }
    void MDITabsCheckActive() override { CheckActive(); }
    void MDITabUpdate(TForm* child) override { UpdateTab(child); }

    // Copies of the tab record (fallbacks applied).
    TRect tabrect, activetabrect, mouseintabrect, tabsbgrect;
    int tableftoffset = 0, tabrightoffset = 0;
    std::string fontname = "Arial";
    platform::gfx::TFontStyles fontstyle = 0;
    int fontheight = 14;
    platform::gfx::TColor fontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;

protected:
    void LookUpRecord() override;
    void DrawDefaultImage(platform::gfx::TBitmap& bitmap) override;
    void DrawSkinImage(platform::gfx::TBitmap& bitmap) override;
    void Resize() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;
    void WMCancelMode(platform::forms::TMessage& message) override;

private:
    void Layout();
    void FitHeight();
    void SetHot(int index);
    void EndDrag();
    // Brings the tab's child forward, restoring it when it is minimised.
    void ShowChild(TForm* child);
    void PaintBar(platform::gfx::TBitmap& bitmap, bool skinned);
    void DrawTab(platform::gfx::TCanvas& canvas, const TbsMDITab& tab, const TRect& rect, bool hot,
                 bool skinned);
    void DrawInsertionMarker(platform::gfx::TCanvas& canvas);
    void TileBackground(platform::gfx::TCanvas& canvas, int width, int height);

    std::vector<std::unique_ptr<TbsMDITab>> m_tabs;
    int m_defaultHeight = 21;
    int m_defaultTabWidth = 100;
    platform::gfx::TFont m_defaultFont;
    platform::gfx::TBitmap* m_picture = nullptr;
    int m_hotTab = -1;
    int m_dragTab = -1;
    int m_pressX = 0;
    int m_dragOffset = 0;
    bool m_pressed = false;
    bool m_dragging = false;
};

// Makes the bar known to form resources (bsSkinMDITabsRegister.cpp).
void RegisterSkinMDITabsBarClass();

}  // namespace skin
