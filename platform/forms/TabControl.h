#pragma once
// The framework's tab control: a strip of tabs on one side of the control (top, bottom, left or
// right) beside a display area. TCustomTabControl lays the tabs out (one scrolled row, or several
// rows with the selected row moved next to the display area), paints them (tabs or buttons,
// owner-drawn on request, with pictures from an image list), hit-tests them, and changes the
// selection from the mouse and the keyboard, asking OnChanging first. TTabControl names its tabs
// with the strings of Tabs; TPageControl (PageControl.h) shows one tab per visible sheet.
//
// Geometry (W, H the client size, T the row thickness, n the rows on a side): tabs of the top row
// lie at y = 2 .. 2 + T, the next rows above-outward; along the side the first tab starts 2 pixels
// in. The display area is the client inset by 4 left, 6 top, 4 right and 4 bottom, plus n * T on
// each side that holds rows. Tab rectangles and hit tests exclude their right and bottom edges.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/CustomControl.h"
#include "platform/forms/ImageListComponent.h"

namespace platform::forms {

enum TTabPosition : uint8_t { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle : uint8_t { tsTabs, tsButtons, tsFlatButtons };

class TCustomTabControl;

// allowChange starts true; setting it false keeps the current tab.
using TTabChangingEvent = std::function<void(TComponent* sender, bool& allowChange)>;
// Owner drawing: the control's Canvas is ready (font, brush), rect is the tab's rectangle.
using TDrawTabEvent =
    std::function<void(TCustomTabControl* control, int tabIndex, const TRect& rect, bool active)>;

// The scroll arrows of a single-row strip whose tabs do not fit: two buttons side by side that
// send their control WM_HSCROLL (SB_THUMBPOSITION) with the new first tab.
class TTabScrollArrows : public TCustomControl {
public:
    explicit TTabScrollArrows(TComponent* owner);
    // Left button (or right button when forward): one tab back or forward.
    void Step(bool forward);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    int m_pressed = -1;  // 0 left, 1 right
};

class TCustomTabControl : public TCustomControl {
public:
    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    // ---- Tabs (the subclass tells what they are) ----
    [[nodiscard]] virtual int TabCount() const = 0;
    [[nodiscard]] virtual std::string TabCaption(int index) const = 0;
    // The picture of a tab in Images; -1 for none.
    [[nodiscard]] virtual int TabImageIndex(int index) const { return index; }
    [[nodiscard]] virtual bool TabImageEnabled(int) const { return true; }
    // The item a tab stands for (the page control: the sheet's page index, hidden sheets counted).
    [[nodiscard]] virtual int TabItemIndex(int index) const { return index; }

    // The selected tab, -1 for none. Setting it changes no events.
    [[nodiscard]] int TabIndex() const { return m_tabIndex; }
    virtual void SetTabIndex(int value);

    // ---- Published look ----
    [[nodiscard]] TTabPosition TabPosition() const { return m_tabPosition; }
    // Left and right tabs are always laid out in rows: MultiLine turns on with them.
    void SetTabPosition(TTabPosition value);
    [[nodiscard]] bool MultiLine() const { return m_multiLine; }
    // Refused (stays on) while the tabs are on the left or right.
    void SetMultiLine(bool value);
    [[nodiscard]] bool RaggedRight() const { return m_raggedRight; }
    void SetRaggedRight(bool value);
    [[nodiscard]] bool ScrollOpposite() const { return m_scrollOpposite; }
    void SetScrollOpposite(bool value);
    [[nodiscard]] int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int value);
    [[nodiscard]] int TabHeight() const { return m_tabHeight; }
    void SetTabHeight(int value);
    [[nodiscard]] bool HotTrack() const { return m_hotTrack; }
    void SetHotTrack(bool value);
    [[nodiscard]] bool OwnerDraw() const { return m_ownerDraw; }
    void SetOwnerDraw(bool value);
    [[nodiscard]] TTabStyle Style() const { return m_style; }
    void SetStyle(TTabStyle value);
    [[nodiscard]] TImageListComponent* Images() const { return m_images; }
    void SetImages(TImageListComponent* value);

    // The size every tab is laid out with (0: from the caption / the font). TabWidth and TabHeight
    // set it too; a wrapper may set it alone.
    void SetItemSize(int width, int height);
    [[nodiscard]] int ItemWidth() const { return m_itemWidth; }
    [[nodiscard]] int ItemHeight() const { return m_itemHeight; }

    // ---- Geometry ----
    // The area the pages (or the tab control's content) take (the display-area request).
    [[nodiscard]] virtual TRect DisplayRect() const;
    // A tab's rectangle in client coordinates (also for tabs scrolled out of view); empty for an
    // index outside the tabs.
    [[nodiscard]] virtual TRect TabRect(int index) const;
    // The tab whose rectangle holds the client point (right and bottom edges excluded), or -1.
    [[nodiscard]] int IndexOfTabAt(int x, int y) const;
    [[nodiscard]] int RowCount() const;
    // The row of a tab counted from the display area (0 is next to it), -1 for none.
    [[nodiscard]] int RowOfTab(int index) const;
    // Rows on the side opposite the tabs (ScrollOpposite).
    [[nodiscard]] int OppositeRowCount() const;
    // The row thickness.
    [[nodiscard]] int TabThickness() const;
    // Single row: the first tab shown at the start of the strip, and the arrows when not all fit.
    [[nodiscard]] int FirstVisibleTab() const { return m_firstVisible; }
    [[nodiscard]] TTabScrollArrows* ScrollArrows() const {
        return m_scrollArrows && m_scrollArrows->Visible() ? m_scrollArrows : nullptr;
    }
    // Whether the control makes its own scroll arrows (a wrapper may show other ones).
    void SetScrollArrowsAllowed(bool value);
    // Tabs under the pointer while HotTrack is on; -1 for none.
    [[nodiscard]] int HotTabIndex() const { return m_hotIndex; }

    // ---- Selection by the user ----
    // OnChanging's answer (true without a handler).
    [[nodiscard]] virtual bool CanChange();
    // Selects a tab as the user does: asks CanChange, selects, fires Change. false when refused.
    bool SelectTabByUser(int index);
    // The next (or previous) tab, wrapping round, as Ctrl+Tab does.
    void SelectNextTab(bool goForward);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;

protected:
    // After the selection changed through the user; fires OnChange.
    virtual void Change();
    // Draws one tab on the canvas (owner draw: OnDrawTab).
    virtual void DrawTab(int tabIndex, const TRect& rect, bool active);
    // The tabs changed (added, removed, renamed): lay out again, repaint.
    void TabsChanged();
    // Called after every layout (size, tabs, selection, scrolling).
    virtual void LayoutChanged() {}
    // Pixels at the end of a single row that other controls cover (the scroll arrows): a tab
    // selected there is scrolled clear of them.
    [[nodiscard]] virtual int StripEndReserve() const;
    // The platform tab rectangle (before any wrapper adjusts it).
    [[nodiscard]] TRect PlatformTabRect(int index) const;

    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void WndProc(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void WMGetDlgCode(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;
    void CMDialogChar(TMessage& message) override;
    void CMChildKey(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

    // Paints the strip and the frame around the display area in the plain look.
    void PaintPlainBackground(gfx::TCanvas& canvas);
    // Lays the tabs out when something changed.
    void UpdateLayout() const;

private:
    struct TTabSlot {
        TRect Rect;  // in strip coordinates (x along the side, y across: 0 at the display area)
        int Row = 0;
    };
    void InvalidateLayout();
    void LayoutRows(int stripLength) const;
    void PlaceRows(const std::vector<int>& widths, int available) const;
    void MoveSelectedRow() const;
    [[nodiscard]] int MeasureTab(int index) const;
    [[nodiscard]] TRect SlotToClient(const TTabSlot& slot) const;
    void UpdateScrollArrows();
    void ScrollTo(int firstTab);
    void MakeTabVisible(int index);
    void SetHotIndex(int index);
    void DrawPlainTab(gfx::TCanvas& canvas, int tabIndex, const TRect& rect, bool active);

    int m_tabIndex = -1;
    TTabPosition m_tabPosition = tpTop;
    TTabStyle m_style = tsTabs;
    bool m_multiLine = false;
    bool m_raggedRight = false;
    bool m_scrollOpposite = false;
    bool m_hotTrack = false;
    bool m_ownerDraw = false;
    int m_tabWidth = 0;
    int m_tabHeight = 0;
    int m_itemWidth = 0;
    int m_itemHeight = 0;
    TImageListComponent* m_images = nullptr;
    int m_firstVisible = 0;
    int m_hotIndex = -1;
    bool m_arrowsAllowed = true;
    TTabScrollArrows* m_scrollArrows = nullptr;

    mutable bool m_layoutValid = false;
    mutable std::vector<TTabSlot> m_slots;
    mutable int m_rowCount = 0;
    mutable int m_oppositeRows = 0;
    mutable int m_totalLength = 0;
};

class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* owner);

    [[nodiscard]] const std::vector<std::string>& Tabs() const { return m_tabs; }
    // Keeps TabIndex when it still names a tab, else selects the first tab (none when empty).
    void SetTabs(const std::vector<std::string>& value);
    int AddTab(const std::string& caption);

    [[nodiscard]] int TabCount() const override { return static_cast<int>(m_tabs.size()); }
    [[nodiscard]] std::string TabCaption(int index) const override;

private:
    std::vector<std::string> m_tabs;
};

class TClassRegistry;
// Makes TTabControl, TPageControl and TTabSheet known to form resources.
void RegisterTabClasses(TClassRegistry& registry);

}  // namespace platform::forms
