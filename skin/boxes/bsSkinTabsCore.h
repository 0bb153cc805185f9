#pragma once
// What the skinned page control and tab control share: the binding to a tab record, the page
// area corrected for the skin, the tab rectangles moved onto the strip's edge, off-screen painting
// of the strip, the page frame and the tabs, hot tracking, and the skin up-down that replaces the
// platform's scroll arrows of a single row. Each control owns one core and forwards to it.

#include <memory>
#include <string>

#include "platform/forms/TabControl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinCtrlsNotify.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinUpDown;

using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TColor;

class TbsSkinTabsCore {
public:
    static constexpr TColor kHotFill = platform::gfx::RGB(182, 189, 210);
    static constexpr TColor kPressedFill = platform::gfx::RGB(133, 147, 181);
    static constexpr TColor kNavy = 0x800000;

    explicit TbsSkinTabsCore(platform::forms::TCustomTabControl& control);
    ~TbsSkinTabsCore();
    TbsSkinTabsCore(const TbsSkinTabsCore&) = delete;
    TbsSkinTabsCore& operator=(const TbsSkinTabsCore&) = delete;

    // ---- Published ----
    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return *m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return *m_defaultFont; }
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);
    [[nodiscard]] int DefaultItemHeight() const { return m_defaultItemHeight; }
    void SetDefaultItemHeight(int value);

    // ---- State ----
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }
    [[nodiscard]] int HotTab() const { return m_hotTab; }
    [[nodiscard]] TbsSkinUpDown* ScrollUpDown() const { return m_scrollUpDown; }
    // Visible tabs lying beyond the strip's free length or scrolled out on the left.
    [[nodiscard]] int TabsNotFitting() const;
    // Visible tabs whose right edge is at or left of 0.
    [[nodiscard]] int TabsScrolledOut() const;

    // ---- Skin ----
    void ApplySkin();
    void ForgetRecord();
    // The item size from the record (or DefaultItemHeight) without looking the record up again.
    void SetItemSizeFromSkin();

    // ---- Geometry (what the control's overrides return) ----
    [[nodiscard]] TRect CorrectDisplayRect(const TRect& platformRect) const;
    [[nodiscard]] TRect ShiftTabRect(const TRect& platformRect) const;

    // ---- Painting ----
    // The whole control into a canvas of its size.
    void PaintControl(platform::gfx::TCanvas& canvas);
    // One tab into the canvas at its rectangle.
    void DrawTab(platform::gfx::TCanvas& canvas, int tabIndex, const TRect& rect, bool hot, bool active);

    // ---- Events the control forwards ----
    void MouseAt(int x, int y);
    void MouseLeft();
    void Resized();
    // After every layout: the up-down follows, and a new selection scrolls it.
    void LayoutChanged();
    // The skin data went away.
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation);

    // Copies of the tab record (fallbacks applied).
    TRect skinrect, clientrect, tabrect, activetabrect, focustabrect, mouseintabrect, tabsbgrect;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    int tableftoffset = 0, tabrightoffset = 0;
    std::string fontname = "Arial";
    platform::gfx::TFontStyles fontstyle = 0;
    int fontheight = 14;
    TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;
    std::string updown;

private:
    void LookUpRecord();
    void UpdateScrollUpDown();
    void ScrollUpDownChanged();
    void RedrawTab(int tabIndex, bool hot);
    void PaintFrame(platform::gfx::TCanvas& canvas, const TRect& frame);
    void TileStrip(platform::gfx::TCanvas& canvas, const TRect& area);
    void DrawTabContent(platform::gfx::TCanvas& canvas, int tabIndex, int width, int height, bool hot,
                        bool active);
    [[nodiscard]] TRect FrameRect() const;
    [[nodiscard]] bool Vertical() const;

    platform::forms::TCustomTabControl& m_control;
    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "tab";
    std::unique_ptr<platform::gfx::TFont> m_defaultFont;
    bool m_useSkinFont = true;
    int m_defaultItemHeight = 20;
    int m_recordIndex = -1;
    platform::gfx::TBitmap* m_picture = nullptr;
    int m_hotTab = -1;
    int m_lastSelected = -1;
    TbsSkinUpDown* m_scrollUpDown = nullptr;
    bool m_updatingUpDown = false;
};

}  // namespace skin
