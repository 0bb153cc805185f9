#include "skin/boxes/bsSkinTabsCore.h"

#include <algorithm>

#include "platform/forms/ListBox.h"
#include "platform/ui/Messages.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsSkinDataRecordsPlain.h"
#include "skin/data/bsUtilsDraw.h"

namespace skin {

using platform::forms::TComponent;
using platform::forms::TOperation;
using platform::forms::TTabPosition;
using platform::gfx::TFont;

TbsSkinTabsCore::TbsSkinTabsCore(platform::forms::TCustomTabControl& control)
    : m_control(control), m_defaultFont(std::make_unique<TFont>()) {
    m_defaultFont->SetName("Arial");
    m_defaultFont->SetHeight(14);
    m_defaultFont->SetColor(platform::gfx::clBtnText);
    m_control.SetFont(*m_defaultFont);
    // Without a record the control writes in DefaultFont, also after it changes.
    m_defaultFont->OnChange = [this] {
        if (m_recordIndex == -1 || !m_useSkinFont) ApplySkin();
    };
    // The skin up-down takes the place of the platform's own arrows.
    m_control.SetScrollArrowsAllowed(false);
    m_control.SetItemSize(0, m_defaultItemHeight);
}

TbsSkinTabsCore::~TbsSkinTabsCore() = default;

// ---- Published ----

void TbsSkinTabsCore::SetSkinData(TbsSkinData* value) {
    if (m_skinData == value) return;
    WatchSkinData(m_control, m_skinData, value);
    m_skinData = value;
    if (m_scrollUpDown) m_scrollUpDown->SetSkinData(value);
    if (value && !value->SkinIsEmpty && !m_control.IsDesigning() && !m_control.IsLoading()) ApplySkin();
}

void TbsSkinTabsCore::SetUseSkinFont(bool value) {
    if (m_useSkinFont == value) return;
    m_useSkinFont = value;
    ApplySkin();
}

void TbsSkinTabsCore::SetDefaultItemHeight(int value) {
    if (value < 1 || m_defaultItemHeight == value) return;
    m_defaultItemHeight = value;
    if (m_recordIndex == -1) SetItemSizeFromSkin();
}

void TbsSkinTabsCore::Notification(TComponent* component, TOperation operation) {
    if (operation != platform::forms::opRemove || component != m_skinData) return;
    m_skinData = nullptr;
    ForgetRecord();
}

// ---- Skin ----

void TbsSkinTabsCore::LookUpRecord() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
    auto* r = ControlRecordAs<TbsDataSkinTabControl>(m_skinData, m_recordIndex);
    if (!r) {
        m_recordIndex = -1;
        m_picture = nullptr;
        return;
    }
    m_picture = m_skinData->ActivePicture(r->pictureindex);
    skinrect = r->skinrect;
    clientrect = r->clientrect;
    tabrect = r->tabrect;
    activetabrect = IsEmptyRect(r->activetabrect) ? r->tabrect : r->activetabrect;
    focustabrect = IsEmptyRect(r->focustabrect) ? r->activetabrect : r->focustabrect;
    mouseintabrect = r->mouseintabrect;
    tabsbgrect = r->tabsbgrect;
    lefttoppoint = r->lefttoppoint;
    righttoppoint = r->righttoppoint;
    leftbottompoint = r->leftbottompoint;
    rightbottompoint = r->rightbottompoint;
    tableftoffset = r->tableftoffset;
    tabrightoffset = r->tabrightoffset;
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    fontcolor = r->fontcolor;
    activefontcolor = r->activefontcolor;
    focusfontcolor = r->focusfontcolor;
    mouseinfontcolor = r->mouseinfontcolor;
    updown = r->updown;
    // A record without a picture to draw from gives the default look.
    if (!m_picture) m_recordIndex = -1;
}

void TbsSkinTabsCore::SetItemSizeFromSkin() {
    int height = m_control.TabHeight();
    if (height <= 0) height = m_recordIndex == -1 ? m_defaultItemHeight : tabrect.Height();
    m_control.SetItemSize(m_control.TabWidth(), height);
}

void TbsSkinTabsCore::ApplySkin() {
    // A form being read applies once, when it is complete.
    if (m_control.IsLoading() || m_control.IsDestroying()) return;
    LookUpRecord();
    TFont font;
    font.Assign(*m_defaultFont);
    if (m_recordIndex != -1) {
        if (m_useSkinFont) {
            font.SetName(fontname);
            font.SetHeight(fontheight);
            font.SetStyle(fontstyle);
            font.SetCharset(m_defaultFont->Charset());
        }
        font.SetColor(fontcolor);
    }
    m_control.SetFont(font);
    SetItemSizeFromSkin();
    delete m_scrollUpDown;
    m_scrollUpDown = nullptr;
    UpdateScrollUpDown();
    m_control.Invalidate();
}

void TbsSkinTabsCore::ForgetRecord() {
    m_recordIndex = -1;
    m_picture = nullptr;
    if (m_scrollUpDown) m_scrollUpDown->ForgetRecord();
}

// ---- Geometry ----

bool TbsSkinTabsCore::Vertical() const {
    const TTabPosition p = m_control.TabPosition();
    return p == platform::forms::tpLeft || p == platform::forms::tpRight;
}

TRect TbsSkinTabsCore::CorrectDisplayRect(const TRect& p) const {
    const TRect c = m_control.ClientRect();
    const int w = c.Width(), h = c.Height();
    if (m_recordIndex == -1) {
        switch (m_control.TabPosition()) {
            case platform::forms::tpTop: return {1, p.Top - 5, w - 1, h - 1};
            case platform::forms::tpBottom: return {1, 1, w - 1, p.Bottom + 3};
            case platform::forms::tpLeft: return {p.Left - 3, p.Top - 5, w - 1, h - 1};
            case platform::forms::tpRight: return {p.Left - 3, p.Top - 5, p.Right + 3, h - 1};
        }
        return p;
    }
    const TRect& cl = clientrect;
    const int b = skinrect.Width() - cl.Right;
    const int a = skinrect.Height() - cl.Bottom;
    switch (m_control.TabPosition()) {
        case platform::forms::tpTop: return {cl.Left, p.Top + cl.Top - 6, w - b, h - a};
        case platform::forms::tpBottom: return {cl.Left, p.Top + cl.Top - 6, w - b, p.Bottom + 4 - a};
        case platform::forms::tpLeft: return {p.Left + cl.Left - 4, p.Top + cl.Top - 6, w - b, h - a};
        case platform::forms::tpRight: return {cl.Left, p.Top + cl.Top - 6, p.Right + 4 - b, h - a};
    }
    return p;
}

TRect TbsSkinTabsCore::ShiftTabRect(const TRect& r) const {
    if (r.IsEmpty() || m_control.Style() != platform::forms::tsTabs) return r;
    const int dx = m_control.MultiLine() ? 0 : -2;
    switch (m_control.TabPosition()) {
        case platform::forms::tpTop: return r.Offset(dx, -2);
        case platform::forms::tpBottom: return r.Offset(dx, 2);
        case platform::forms::tpLeft: return r.Offset(-2, 0);
        case platform::forms::tpRight: return r.Offset(2, 0);
    }
    return r;
}

// ---- Hot tracking ----

void TbsSkinTabsCore::MouseAt(int x, int y) {
    if (m_control.IsDesigning()) return;
    const int index = m_control.IndexOfTabAt(x, y);
    if (index == m_hotTab) return;
    const int old = m_hotTab;
    m_hotTab = index;
    const int selected = m_control.TabIndex();
    if (old >= 0 && old != selected) RedrawTab(old, false);
    if (index >= 0 && index != selected) RedrawTab(index, true);
}

void TbsSkinTabsCore::MouseLeft() {
    const int old = m_hotTab;
    m_hotTab = -1;
    if (old >= 0 && old != m_control.TabIndex()) RedrawTab(old, false);
}

void TbsSkinTabsCore::RedrawTab(int tabIndex, bool hot) {
    if (tabIndex >= m_control.TabCount() || !m_control.HandleAllocated()) return;
    const TRect r = m_control.TabRect(tabIndex);
    platform::gfx::TCanvas& canvas = m_control.Canvas();
    DrawTab(canvas, tabIndex, r, hot, tabIndex == m_control.TabIndex());
    // The up-down lies over the strip's end: it stays on top of a tab drawn under it.
    if (m_scrollUpDown && !r.Intersect(m_scrollUpDown->BoundsRect()).IsEmpty()) m_scrollUpDown->Invalidate();
    m_control.ReleaseCanvas();
}

// ---- Scroll up-down ----

int TbsSkinTabsCore::TabsNotFitting() const {
    const int limit = m_control.Width() - (m_scrollUpDown ? m_scrollUpDown->Width() : 0) - 3;
    int n = 0;
    for (int i = 0; i < m_control.TabCount(); ++i) {
        const TRect r = m_control.TabRect(i);
        if (r.Right > limit || r.Right <= 0) ++n;
    }
    return n;
}

int TbsSkinTabsCore::TabsScrolledOut() const {
    int n = 0;
    for (int i = 0; i < m_control.TabCount(); ++i)
        if (m_control.TabRect(i).Right <= 0) ++n;
    return n;
}

void TbsSkinTabsCore::UpdateScrollUpDown() {
    if (m_updatingUpDown || m_control.IsLoading() || m_control.IsDestroying()) return;
    m_updatingUpDown = true;
    const int notFitting = m_control.MultiLine() ? 0 : TabsNotFitting();
    if (notFitting == 0) {
        delete m_scrollUpDown;
        m_scrollUpDown = nullptr;
        m_updatingUpDown = false;
        return;
    }
    if (!m_scrollUpDown) {
        m_scrollUpDown = new TbsSkinUpDown(&m_control);
        m_scrollUpDown->SetBounds(0, 0, 2 * m_defaultItemHeight, m_defaultItemHeight);
        m_scrollUpDown->SetMin(0);
        m_scrollUpDown->SetMax(notFitting);
        m_scrollUpDown->SetPosition(TabsScrolledOut());
        m_scrollUpDown->SetIncrement(1);
        m_scrollUpDown->SetSkinDataName(updown);
        m_scrollUpDown->SetParent(&m_control);
        m_scrollUpDown->SetSkinData(m_skinData);
        m_scrollUpDown->OnChange = [this](TComponent*) { ScrollUpDownChanged(); };
        m_scrollUpDown->SetVisible(true);
    }
    m_scrollUpDown->SetMax(notFitting);
    const int top =
        m_control.TabPosition() == platform::forms::tpTop ? 0 : m_control.Height() - m_scrollUpDown->Height();
    m_scrollUpDown->SetBounds(m_control.Width() - m_scrollUpDown->Width(), top, m_scrollUpDown->Width(),
                              m_scrollUpDown->Height());
    m_updatingUpDown = false;
}

void TbsSkinTabsCore::ScrollUpDownChanged() {
    if (!m_scrollUpDown || m_updatingUpDown) return;
    m_scrollUpDown->SetMax(TabsNotFitting());
    const int pos = m_scrollUpDown->Position();
    // The up-down is in its own event: the scroll must not free it.
    m_updatingUpDown = true;
    m_control.Perform(platform::ui::WM_HSCROLL,
                      static_cast<platform::forms::TWParam>(platform::forms::SB_THUMBPOSITION | (pos << 16)), 0);
    m_updatingUpDown = false;
}

void TbsSkinTabsCore::Resized() {
    UpdateScrollUpDown();
}

void TbsSkinTabsCore::LayoutChanged() {
    UpdateScrollUpDown();
    const int selected = m_control.TabIndex();
    if (selected == m_lastSelected) return;
    m_lastSelected = selected;
    if (m_scrollUpDown && !m_updatingUpDown) m_scrollUpDown->SetPosition(TabsScrolledOut());
    m_control.Invalidate();
}

}  // namespace skin
