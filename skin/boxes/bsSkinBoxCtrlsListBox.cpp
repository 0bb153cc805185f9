#include "skin/boxes/bsSkinBoxCtrlsListBox.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsDraw.h"

namespace skin {

using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TMessage;
using platform::forms::TMouseButton;
using platform::forms::TOperation;
using platform::forms::TShiftState;
using platform::gfx::TFont;
namespace forms = platform::forms;
namespace ui = platform::ui;

// ---- TbsListBox ----

TbsListBox::TbsListBox(TComponent* owner, TbsSkinCustomListBox* skinListBox)
    : TCustomListBox(owner), m_skinListBox(skinListBox) {
    SetStyle(forms::lbOwnerDrawFixed);
    SetItemHeight(20);
}

void TbsListBox::SetHorizontalOffset(int value) {
    if (value == m_horizontalOffset) return;
    m_horizontalOffset = value;
    Invalidate();
}

void TbsListBox::Paint() {
    if (!m_skinListBox) {
        TCustomListBox::Paint();
        return;
    }
    m_skinListBox->PaintListItems(Canvas(), Canvas().ClipRect());
}

void TbsListBox::DrawItem(int index, const TRect& rect, forms::TOwnerDrawState state) {
    if (m_skinListBox)
        m_skinListBox->DrawListItem(Canvas(), index, rect, state);
    else
        TCustomListBox::DrawItem(index, rect, state);
}

void TbsListBox::ItemsChanged() {
    if (m_skinListBox) m_skinListBox->UpdateScrollBars();
}

void TbsListBox::WndProc(TMessage& message) {
    if (m_skinListBox) {
        if (!m_skinListBox->ListBoxMessage(message)) return;
        if (message.Msg == ui::WM_MOUSEWHEEL &&
            m_skinListBox->ListBoxWheel(ui::WheelDeltaFromWParam(message.WParam))) {
            message.Result = 1;
            return;
        }
    }
    TCustomListBox::WndProc(message);
}

void TbsListBox::WMEraseBkgnd(TMessage& message) {
    auto* dc = ui::PtrFromParam<ui::TDeviceContext>(message.WParam);
    message.Result = 1;
    if (!m_skinListBox) {
        TCustomListBox::WMEraseBkgnd(message);
        return;
    }
    if (dc) m_skinListBox->FillListBackground(dc->Canvas(), ClientRect());
    m_skinListBox->UpdateScrollBars();
}

void TbsListBox::WMSize(TMessage& message) {
    const int width = Width();
    if (width != m_lastWidth && m_horizontalOffset >= 1) {
        m_horizontalOffset = std::max(0, m_horizontalOffset + m_lastWidth - width);
        Invalidate();
    }
    m_lastWidth = width;
    TCustomListBox::WMSize(message);
}

void TbsListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (m_skinListBox) m_skinListBox->ListBoxMouseDown(button, shift, x, y);
    TCustomListBox::MouseDown(button, shift, x, y);
}

void TbsListBox::MouseMove(TShiftState shift, int x, int y) {
    if (m_skinListBox) m_skinListBox->ListBoxMouseMove(shift, x, y);
    TCustomListBox::MouseMove(shift, x, y);
}

void TbsListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (m_skinListBox) m_skinListBox->ListBoxMouseUp(button, shift, x, y);
    TCustomListBox::MouseUp(button, shift, x, y);
}

void TbsListBox::KeyDown(uint16_t& key, TShiftState shift) {
    if (m_skinListBox) m_skinListBox->ListBoxKeyDown(key, shift);
    if (key != 0) TCustomListBox::KeyDown(key, shift);
}

void TbsListBox::KeyPress(char32_t& key) {
    if (m_skinListBox) m_skinListBox->ListBoxKeyPress(key);
    if (key != 0) TCustomListBox::KeyPress(key);
}

void TbsListBox::KeyUp(uint16_t& key, TShiftState shift) {
    if (m_skinListBox) m_skinListBox->ListBoxKeyUp(key, shift);
    if (key != 0) TCustomListBox::KeyUp(key, shift);
}

void TbsListBox::Click() {
    if (m_skinListBox) m_skinListBox->ListBoxClick();
    TCustomListBox::Click();
}

void TbsListBox::DblClick() {
    if (m_skinListBox) m_skinListBox->ListBoxDblClick();
    TCustomListBox::DblClick();
}

void TbsListBox::DoEnter() {
    if (m_skinListBox) m_skinListBox->ListBoxEnter();
    TCustomListBox::DoEnter();
}

void TbsListBox::DoExit() {
    if (m_skinListBox) m_skinListBox->ListBoxExit();
    TCustomListBox::DoExit();
}

// ---- TbsSkinCustomListBox: construction and properties ----

TbsSkinCustomListBox::TbsSkinCustomListBox(TComponent* owner)
    : TbsSkinCustomControl(owner), m_defaultCaptionFont(std::make_unique<TFont>()) {
    SetControlStyle(ControlStyle() | forms::csOpaque);
    m_defaultCaptionFont->SetName("Arial");
    m_defaultCaptionFont->SetHeight(14);
    m_defaultCaptionFont->OnChange = [this] {
        if (m_captionMode) Invalidate();
    };
    TFont font;
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetColor(platform::gfx::clWindowText);
    SetFont(font);
    SetSkinDataName("listbox");
    SetBounds(0, 0, 120, 120);
    m_list = new TbsListBox(this, this);
    m_list->SetParent(this);
    LayoutList();
}

TbsSkinCustomListBox::~TbsSkinCustomListBox() {
    StopTimer();
    m_defaultCaptionFont->OnChange = nullptr;
    if (m_list) m_list->DetachSkinListBox();
    forms::FreeAndNil(m_hScrollBar);
    forms::FreeAndNil(m_vScrollBar);
    forms::FreeAndNil(m_list);
}

void TbsSkinCustomListBox::SetItems(const std::vector<std::string>& items) {
    m_list->Items().Assign(items);
}

void TbsSkinCustomListBox::SetUseSkinItemHeight(bool value) {
    if (value == m_useSkinItemHeight) return;
    m_useSkinItemHeight = value;
    if (m_recordIndex != -1 && value) m_list->SetItemHeight(RectHeightOf(itemrect));
    if (m_rowCount != 0) SetHeight(RowHeightFor(m_rowCount));
    UpdateScrollBars();
    m_list->Invalidate();
}

void TbsSkinCustomListBox::SetDefaultItemHeight(int value) {
    m_defaultItemHeight = value;
    if (m_recordIndex != -1) return;
    m_list->SetItemHeight(value);
    if (m_rowCount != 0) SetHeight(RowHeightFor(m_rowCount));
    UpdateScrollBars();
}

void TbsSkinCustomListBox::SetRowCount(int value) {
    m_rowCount = value;
    if (value != 0) SetHeight(RowHeightFor(value));
    UpdateScrollBars();
}

void TbsSkinCustomListBox::SetHorizontalExtent(bool value) {
    if (value == m_horizontalExtent) return;
    m_horizontalExtent = value;
    UpdateScrollBars();
}

void TbsSkinCustomListBox::SetColumns(int value) {
    if (value == m_list->Columns()) return;
    // The bar that scrolls the list changes direction with the columns.
    RemoveVScrollBar();
    m_list->SetColumns(value);
    UpdateScrollBars();
}

void TbsSkinCustomListBox::SetImages(forms::TImageListComponent* value) {
    if (value == m_images) return;
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = value;
    if (m_images) m_images->FreeNotification(this);
    UpdateScrollBars();
    m_list->Invalidate();
}

void TbsSkinCustomListBox::SetImageIndex(int value) {
    if (value == m_imageIndex) return;
    m_imageIndex = value;
    m_list->Invalidate();
}

void TbsSkinCustomListBox::SetCaptionMode(bool value) {
    if (value == m_captionMode) return;
    m_captionMode = value;
    if (m_rowCount != 0) SetHeight(RowHeightFor(m_rowCount));
    LayoutList();
    Invalidate();
}

void TbsSkinCustomListBox::SetAlignment(forms::TAlignment value) {
    if (value == m_alignment) return;
    m_alignment = value;
    if (m_captionMode) Invalidate();
}

void TbsSkinCustomListBox::SetDefaultCaptionHeight(int value) {
    if (value == m_defaultCaptionHeight) return;
    m_defaultCaptionHeight = value;
    if (m_rowCount != 0) SetHeight(RowHeightFor(m_rowCount));
    LayoutList();
    Invalidate();
}

void TbsSkinCustomListBox::SetDefaultCaptionFont(const TFont& value) {
    *m_defaultCaptionFont = value;
}

void TbsSkinCustomListBox::SetGlyph(const platform::gfx::TBitmap& value) {
    m_glyph = value;
    if (m_captionMode) Invalidate();
}

void TbsSkinCustomListBox::SetNumGlyphs(int value) {
    m_numGlyphs = value;
    if (m_captionMode) Invalidate();
}

void TbsSkinCustomListBox::SetSpacing(int value) {
    m_spacing = value;
    if (m_captionMode) Invalidate();
}

void TbsSkinCustomListBox::SetSorted(bool value) {
    RemoveVScrollBar();
    m_list->SetSorted(value);
}

void TbsSkinCustomListBox::Notification(TComponent* component, TOperation operation) {
    TbsSkinCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_images) {
        m_images = nullptr;
        if (m_list) m_list->Invalidate();
    }
    if (component == m_list) m_list = nullptr;
    if (component == m_vScrollBar) m_vScrollBar = nullptr;
    if (component == m_hScrollBar) m_hScrollBar = nullptr;
}

void TbsSkinCustomListBox::CMTextChanged(TMessage& message) {
    TbsSkinCustomControl::CMTextChanged(message);
    if (m_captionMode) Invalidate();
}

// ---- Skin ----

void TbsSkinCustomListBox::LookUpRecord() {
    TbsSkinCustomControl::LookUpRecord();
    auto* r = ControlRecordAs<TbsDataSkinListBox>(m_skinData, m_recordIndex);
    if (!r) return;
    const auto replaced = [](const TRect& v, const TRect& fallback) { return IsEmptyRect(v) ? fallback : v; };
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    itemrect = r->itemrect;
    activeitemrect = replaced(r->activeitemrect, itemrect);
    focusitemrect = replaced(r->focusitemrect, itemrect);
    itemleftoffset = r->itemleftoffset;
    itemrightoffset = r->itemrightoffset;
    itemtextrect = r->itemtextrect;
    fontcolor = r->fontcolor;
    activefontcolor = r->activefontcolor;
    focusfontcolor = r->focusfontcolor;
    captionrect = r->captionrect;
    captionfontname = r->captionfontname;
    captionfontstyle = r->captionfontstyle;
    captionfontheight = r->captionfontheight;
    captionfontcolor = r->captionfontcolor;
    upbuttonrect = r->upbuttonrect;
    activeupbuttonrect = r->activeupbuttonrect;
    downupbuttonrect = replaced(r->downupbuttonrect, activeupbuttonrect);
    downbuttonrect = r->downbuttonrect;
    activedownbuttonrect = r->activedownbuttonrect;
    downdownbuttonrect = replaced(r->downdownbuttonrect, activedownbuttonrect);
    checkbuttonrect = r->checkbuttonrect;
    activecheckbuttonrect = r->activecheckbuttonrect;
    downcheckbuttonrect = replaced(r->downcheckbuttonrect, activecheckbuttonrect);
    vscrollbarname = r->vscrollbarname;
    hscrollbarname = r->hscrollbarname;
    bothhscrollbarname = r->bothhscrollbarname;
}

void TbsSkinCustomListBox::ApplySkin() {
    m_applying = true;
    TbsSkinCustomControl::ApplySkin();
    if (m_recordIndex == -1) {
        m_list->SetItemHeight(m_defaultItemHeight);
        SetFont(DefaultFont());
    } else if (m_useSkinItemHeight) {
        m_list->SetItemHeight(RectHeightOf(itemrect));
    }
    RebindScrollBars();
    if (m_rowCount != 0) SetHeight(RowHeightFor(m_rowCount));
    LayoutList();
    m_applying = false;
    UpdateScrollBars();
    if (m_list->HandleAllocated()) m_list->HandleIfAllocated()->Invalidate(true);
}

void TbsSkinCustomListBox::ForgetRecord() {
    TbsSkinCustomControl::ForgetRecord();
    if (m_vScrollBar) m_vScrollBar->ForgetRecord();
    if (m_hScrollBar) m_hScrollBar->ForgetRecord();
}

void TbsSkinCustomListBox::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width(), oldHeight = Height();
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    if (Width() == oldWidth && Height() == oldHeight) return;
    LayoutList();
    UpdateScrollBars();
    if (m_recordIndex == -1) Invalidate();
}

int TbsSkinCustomListBox::RowHeightFor(int n) const {
    const int itemHeight = m_list ? m_list->ItemHeight() : m_defaultItemHeight;
    int height = 0;
    if (m_recordIndex == -1) {
        height = n * itemHeight + 4;
        if (m_captionMode) height += m_defaultCaptionHeight;
    } else {
        height = RectHeightOf(skinrect) + n * itemHeight + clientrect.Top - clientrect.Bottom;
    }
    if (m_hScrollBar) height += m_hScrollBar->Height();
    return height;
}

// ---- Layout and scroll bars ----

void TbsSkinCustomListBox::LayoutList() {
    if (!m_list) return;
    const int w = Width(), h = Height();
    const bool record = m_recordIndex != -1;
    const int cap = CaptionHeightCap();
    if (record)
        m_listClientRect = {clientrect.Left, clientrect.Top, clientrect.Right + w - RectWidthOf(skinrect),
                            clientrect.Bottom + h - RectHeightOf(skinrect)};
    else
        m_listClientRect = {2, cap + 1, w - 2, h - 2};
    const TRect& lcr = m_listClientRect;
    const bool columns = m_list->Columns() > 0;

    int hh = 0;
    if (!columns && m_hScrollBar && m_hScrollBar->Visible()) {
        if (!record) {
            m_hScrollBar->SetBounds(1, h - 20, w - 2, 19);
            hh = 18;
        } else {
            const int barHeight = m_hScrollBar->Height();
            m_hScrollBar->SetBounds(lcr.Left, lcr.Bottom - barHeight, lcr.Width(), barHeight);
            hh = barHeight;
        }
    }
    if (m_vScrollBar && m_vScrollBar->Visible()) {
        if (!record && !columns) {
            m_vScrollBar->SetBounds(w - 20, cap, 19, h - cap - hh - 1);
            m_listRect = {2, cap + 1, m_vScrollBar->Left(), h - hh - 2};
        } else if (!record) {
            m_vScrollBar->SetBounds(1, h - 20, w - 2, 19);
            m_listRect = {2, cap + 1, w - 2, m_vScrollBar->Top()};
        } else if (!columns) {
            const int barWidth = m_vScrollBar->Width();
            m_vScrollBar->SetBounds(lcr.Right - barWidth, lcr.Top, barWidth, lcr.Height() - hh);
            m_listRect = {lcr.Left, lcr.Top, lcr.Right - barWidth, lcr.Bottom - hh};
        } else {
            const int barHeight = m_vScrollBar->Height();
            m_vScrollBar->SetBounds(lcr.Left, lcr.Bottom - barHeight, lcr.Width(), barHeight);
            m_listRect = {lcr.Left, lcr.Top, lcr.Right, lcr.Bottom - barHeight};
        }
    } else if (!record) {
        m_listRect = {2, cap + 1, w - 2, h - 2 - hh};
    } else {
        m_listRect = {lcr.Left, lcr.Top, lcr.Right, lcr.Bottom - hh};
    }
    m_list->SetBoundsRect(m_listRect);
}

TFont TbsSkinCustomListBox::ItemFont() const {
    TFont font = m_list->Font();
    if (m_recordIndex != -1) {
        font.SetName(fontname);
        font.SetStyle(fontstyle);
        font.SetHeight(fontheight);
    }
    return font;
}

int TbsSkinCustomListBox::WidestItemText() const {
    const TFont font = ItemFont();
    int widest = 0;
    const auto& items = m_list->Items();
    for (int i = 0; i < items.Count(); ++i)
        widest = std::max(widest, platform::gfx::TextEngine::TextWidth(font, items[i]));
    return widest;
}

void TbsSkinCustomListBox::UpdateScrollBars() {
    if (!m_list) return;
    const int count = m_list->Count();
    const int itemHeight = std::max(1, m_list->ItemHeight());
    if (m_list->Columns() < 1) {
        if (!m_horizontalExtent || m_applying) {
            if (m_hScrollBar && m_hScrollBar->Visible()) RemoveHScrollBar();
        } else {
            const int widest = WidestItemText();
            int visible = m_recordIndex == -1
                              ? m_list->Width() - 4
                              : m_list->Width() + RectWidthOf(itemtextrect) - RectWidthOf(itemrect);
            if (m_images) visible -= m_images->Width() + 4;
            if (widest > visible) {
                if (!m_hScrollBar) CreateHScrollBar();
                m_hScrollBar->SetRangeAndPosition(0, widest, visible, m_hScrollBar->Position());
                const int step = platform::gfx::TextEngine::TextWidth(ItemFont(), "0");
                m_hScrollBar->SetSmallChange(step);
                m_hScrollBar->SetLargeChange(step);
            } else if (m_hScrollBar && m_hScrollBar->Visible()) {
                RemoveHScrollBar();
            }
        }
        if (m_rowCount < 1 || m_rowCount != count) {
            const forms::TScrollRange range = m_list->ScrollRange(forms::SB_VERT);
            const int listRows = m_list->Height() / itemHeight;
            if (range.Min < range.Max && range.Max >= range.Pos && listRows < count) {
                if (!m_vScrollBar) CreateVScrollBar();
                m_vScrollBar->SetRangeAndPosition(range.Min, range.Max, listRows, range.Pos);
                m_vScrollBar->SetLargeChange(listRows);
                return;
            }
        }
    } else {
        const forms::TScrollRange range = m_list->ScrollRange(forms::SB_HORZ);
        const int columns = m_list->Columns();
        const int rows = m_list->Height() / itemHeight;
        if (range.Min < range.Max && range.Max >= range.Pos && range.Max >= columns &&
            rows * columns < count) {
            if (!m_vScrollBar) CreateVScrollBar();
            m_vScrollBar->SetRangeAndPosition(range.Min, range.Max, columns, range.Pos);
            return;
        }
    }
    if (m_vScrollBar && m_vScrollBar->Visible()) RemoveVScrollBar();
}

void TbsSkinCustomListBox::RebindScrollBars() {
    const bool record = m_recordIndex != -1;
    if (m_vScrollBar) {
        m_vScrollBar->SetSkinDataName(!record ? ""
                                              : (m_list->Columns() > 0 ? hscrollbarname : vscrollbarname));
        m_vScrollBar->SetSkinData(m_skinData);
        m_vScrollBar->ApplySkin();
    }
    if (m_hScrollBar) {
        m_hScrollBar->SetBothSkinDataName(bothhscrollbarname);
        m_hScrollBar->SetBoth(m_vScrollBar != nullptr);
        m_hScrollBar->SetSkinDataName(!record ? "" : (m_vScrollBar ? bothhscrollbarname : hscrollbarname));
        m_hScrollBar->SetSkinData(m_skinData);
        m_hScrollBar->ApplySkin();
    }
}

void TbsSkinCustomListBox::CreateVScrollBar() {
    const bool horizontal = m_list->Columns() > 0;
    auto* bar = new TbsSkinScrollBar(this);
    bar->SetKind(horizontal ? sbHorizontal : sbVertical);
    if (!horizontal) {
        // Without a record the bar keeps its breadth, not its length.
        bar->SetDefaultHeight(0);
        bar->SetDefaultWidth(19);
    }
    bar->SetBounds(0, 0, 20, 100);
    bar->SetRangeAndPosition(0, bar->Max(), 0, 0);
    bar->OnChange = [this](TComponent*) { VScrollBarChanged(); };
    m_vScrollBar = bar;
    const bool record = m_recordIndex != -1;
    bar->SetSkinDataName(!record ? "" : (horizontal ? hscrollbarname : vscrollbarname));
    if (m_hScrollBar) {
        m_hScrollBar->SetBothSkinDataName(bothhscrollbarname);
        m_hScrollBar->SetBoth(true);
        m_hScrollBar->SetSkinDataName(record ? bothhscrollbarname : "");
        m_hScrollBar->ApplySkin();
    }
    bar->SetParent(this);
    bar->SetSkinData(m_skinData);
    bar->ApplySkin();
    LayoutList();
    bar->Show();
    Invalidate();
}

void TbsSkinCustomListBox::CreateHScrollBar() {
    auto* bar = new TbsSkinScrollBar(this);
    bar->SetKind(sbHorizontal);
    bar->SetBounds(0, 0, 100, 20);
    bar->SetRangeAndPosition(0, bar->Max(), 0, 0);
    bar->OnChange = [this](TComponent*) { HScrollBarChanged(); };
    m_hScrollBar = bar;
    const bool record = m_recordIndex != -1;
    bar->SetBothSkinDataName(bothhscrollbarname);
    bar->SetBoth(m_vScrollBar != nullptr);
    bar->SetSkinDataName(!record ? "" : (m_vScrollBar ? bothhscrollbarname : hscrollbarname));
    bar->SetParent(this);
    bar->SetSkinData(m_skinData);
    bar->ApplySkin();
    LayoutList();
    bar->Show();
    Invalidate();
}

void TbsSkinCustomListBox::RemoveVScrollBar() {
    if (!m_vScrollBar) return;
    TbsSkinScrollBar* bar = m_vScrollBar;
    m_vScrollBar = nullptr;
    bar->Hide();
    delete bar;
    if (m_hScrollBar) {
        // The horizontal bar no longer shares a corner.
        m_hScrollBar->SetBoth(false);
        m_hScrollBar->SetSkinDataName(m_recordIndex != -1 ? hscrollbarname : "");
        m_hScrollBar->ApplySkin();
    }
    LayoutList();
    Invalidate();
}

void TbsSkinCustomListBox::RemoveHScrollBar() {
    if (!m_hScrollBar) return;
    TbsSkinScrollBar* bar = m_hScrollBar;
    m_hScrollBar = nullptr;
    bar->Hide();
    delete bar;
    LayoutList();
    m_list->SetHorizontalOffset(0);
    m_list->Invalidate();
    Invalidate();
}

void TbsSkinCustomListBox::VScrollBarChanged() {
    if (!m_vScrollBar) return;
    const uint32_t msg = m_list->Columns() > 0 ? ui::WM_HSCROLL : ui::WM_VSCROLL;
    m_list->Perform(msg, ui::MakeWParam(forms::SB_THUMBPOSITION, m_vScrollBar->Position()), 0);
}

void TbsSkinCustomListBox::HScrollBarChanged() {
    if (m_hScrollBar) m_list->SetHorizontalOffset(m_hScrollBar->Position());
}

// ---- Inner list notifications ----

bool TbsSkinCustomListBox::ListBoxMessage(TMessage&) {
    return true;
}

void TbsSkinCustomListBox::ListBoxMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, button, shift, x, y);
}

void TbsSkinCustomListBox::ListBoxMouseMove(TShiftState shift, int x, int y) {
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, shift, x, y);
}

void TbsSkinCustomListBox::ListBoxMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, button, shift, x, y);
}

void TbsSkinCustomListBox::ListBoxKeyDown(uint16_t& key, TShiftState shift) {
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, key, shift);
    if (m_hScrollBar && (key == ui::VK_LEFT || key == ui::VK_RIGHT)) {
        const int step = m_hScrollBar->SmallChange();
        m_hScrollBar->SetPosition(m_hScrollBar->Position() + (key == ui::VK_LEFT ? -step : step));
        key = 0;
    }
}

void TbsSkinCustomListBox::ListBoxKeyPress(char32_t& key) {
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, key);
}

void TbsSkinCustomListBox::ListBoxKeyUp(uint16_t& key, TShiftState shift) {
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, key, shift);
}

void TbsSkinCustomListBox::ListBoxClick() {
    if (OnListBoxClick) OnListBoxClick(this);
}

void TbsSkinCustomListBox::ListBoxDblClick() {
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}

bool TbsSkinCustomListBox::ListBoxWheel(int delta) {
    if (m_vScrollBar) {
        const bool columns = m_list->Columns() > 0;
        const int code = delta < 0 ? forms::SB_LINEDOWN : forms::SB_LINEUP;
        m_list->Perform(columns ? ui::WM_HSCROLL : ui::WM_VSCROLL, ui::MakeWParam(code, 0), 0);
        UpdateScrollBars();
        return true;
    }
    if (m_hScrollBar) {
        const int step = m_hScrollBar->SmallChange();
        m_hScrollBar->SetPosition(m_hScrollBar->Position() + (delta < 0 ? step : -step));
        return true;
    }
    return false;
}

}  // namespace skin
