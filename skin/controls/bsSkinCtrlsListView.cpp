#include "skin/controls/bsSkinCtrlsListView.h"

#include <algorithm>

#include "skin/controls/bsSkinCtrlsBinding.h"

namespace skin {

using namespace platform::forms;
namespace ui = platform::ui;

TbsSkinCustomListView::TbsSkinCustomListView(TComponent* owner) : TListView(owner), m_look("listview") {
    m_skinHeader = new TbsSkinHeaderControl(this);
    SetColumnHeader(m_skinHeader);
}

TbsSkinCustomListView::~TbsSkinCustomListView() {
    WatchSkinData(*this, m_look.SkinData, nullptr);
    SetVScrollBar(nullptr);
    SetHScrollBar(nullptr);
}

void TbsSkinCustomListView::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_look.SkinData, value);
    m_look.SkinData = value;
    if (m_skinHeader) m_skinHeader->SetSkinData(value);
    if (!(ComponentState() & csLoading)) RefreshSkin();
}

void TbsSkinCustomListView::SetHeaderSkinDataName(const std::string& value) {
    m_skinHeader->SetSkinDataName(value);
    m_skinHeader->RefreshSkin();
}

void TbsSkinCustomListView::SetDefaultFont(const platform::gfx::TFont& value) {
    *m_look.DefaultFont = value;
    if (m_skinHeader) m_skinHeader->SetDefaultFont(value);
    if (m_look.RecordIndex == -1) RefreshSkin();
}

void TbsSkinCustomListView::SetUseSkinFont(bool value) {
    m_look.UseSkinFont = value;
    if (m_skinHeader) m_skinHeader->SetUseSkinFont(value);
    if (m_look.RecordIndex != -1) RefreshSkin();
}

void TbsSkinCustomListView::SetDefaultColor(TColor value) {
    m_look.DefaultColor = value;
    if (m_look.RecordIndex == -1) RefreshSkin();
}

void TbsSkinCustomListView::WatchBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* value, int bar) {
    if (slot) {
        slot->RemoveFreeNotification(this);
        slot->OnChange = nullptr;
    }
    slot = value;
    if (!value) return;
    value->FreeNotification(this);
    value->OnChange = [this, bar, value](TComponent*) { BarMoved(bar, value); };
    SyncScrollBars();
}

void TbsSkinCustomListView::SetVScrollBar(TbsSkinScrollBar* value) { WatchBar(m_look.VScrollBar, value, SB_VERT); }

void TbsSkinCustomListView::SetHScrollBar(TbsSkinScrollBar* value) { WatchBar(m_look.HScrollBar, value, SB_HORZ); }

void TbsSkinCustomListView::BarMoved(int bar, TbsSkinScrollBar* source) {
    if (m_syncing) return;
    m_barScrolling = true;
    Scroll(bar, SB_THUMBPOSITION, source->Position());
    m_barScrolling = false;
}

void TbsSkinCustomListView::RefreshSkin() {
    m_look.Apply(*this);
    if (m_skinHeader) m_skinHeader->RefreshSkin();
    SyncScrollBars();
}

void TbsSkinCustomListView::ForgetRecord() {
    m_look.RecordIndex = -1;
    if (m_skinHeader) m_skinHeader->ForgetRecord();
}

void TbsSkinCustomListView::SyncScrollBars() {
    if (m_syncing || m_barScrolling || IsDestroying() || !HandleAllocated()) return;
    if (ClientWidth() <= 5 || ClientHeight() <= 5) return;
    m_syncing = true;
    const bool shown = Visible();
    const TScrollRange v = ScrollRange(SB_VERT);
    const TScrollRange h = ScrollRange(SB_HORZ);
    const int count = Items().Count();
    const int width = ClientWidth(), height = ClientHeight();
    bool showV = false, showH = false;
    int vPage = 0, hPage = width, vSmall = 1, vLarge = 1, hSmall = 1, hLarge = 1;
    switch (ViewStyle()) {
        case vsList: {
            const TRect first = count > 0 ? ItemRect(0) : TRect{};
            hPage = std::max(1, width / std::max(1, first.Width()));
            showH = VisibleRowCount() < count;
            break;
        }
        case vsReport: {
            const int perPage = VisibleRowCount();
            showV = perPage < v.Max + 1 && count > 0;
            vPage = std::max(1, perPage);
            vLarge = vPage;
            showH = width < h.Max;
            hPage = width;
            hSmall = 10;
            hLarge = width;
            break;
        }
        default: {
            const int half = std::max(1, (count > 0 ? ItemRect(0).Height() : 2) / 2);
            showV = height < v.Max;
            showH = width < h.Max;
            vPage = height;
            vSmall = vLarge = hSmall = hLarge = half;
            break;
        }
    }
    showV = showV && shown;
    showH = showH && shown;
    bool changed = TbsSkinViewLook::SetBar(m_look.VScrollBar, showV, v.Max, vPage, v.Pos);
    changed = TbsSkinViewLook::SetBar(m_look.HScrollBar, showH, h.Max, hPage, h.Pos) || changed;
    if (m_look.VScrollBar && showV) {
        m_look.VScrollBar->SetSmallChange(vSmall);
        m_look.VScrollBar->SetLargeChange(vLarge);
    }
    if (m_look.HScrollBar && showH) {
        m_look.HScrollBar->SetSmallChange(hSmall);
        m_look.HScrollBar->SetLargeChange(hLarge);
    }
    m_look.BarsChanged(*this, changed);
    m_syncing = false;
}

void TbsSkinCustomListView::WndProc(TMessage& message) {
    TListView::WndProc(message);
    switch (message.Msg) {
        case ui::WM_SIZE:
        case ui::WM_PAINT:
        case ui::WM_KEYDOWN:
        case ui::WM_LBUTTONUP:
            SyncScrollBars();
            break;
        default:
            break;
    }
}

void TbsSkinCustomListView::ScrollPositionChanged() {
    TListView::ScrollPositionChanged();
    SyncScrollBars();
}

void TbsSkinCustomListView::Loaded() {
    TListView::Loaded();
    RefreshSkin();
}

void TbsSkinCustomListView::Notification(TComponent* component, TOperation operation) {
    TListView::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_skinHeader) m_skinHeader = nullptr;
    if (component == m_look.VScrollBar) m_look.VScrollBar = nullptr;
    if (component == m_look.HScrollBar) m_look.HScrollBar = nullptr;
    if (m_look.SkinData && component == m_look.SkinData) {
        m_look.SkinData = nullptr;
        if (!IsDestroying()) RefreshSkin();
    }
}

void TbsSkinCustomListView::CMVisibleChanged(TMessage& message) {
    TListView::CMVisibleChanged(message);
    if (!Visible()) {
        const bool changed = TbsSkinViewLook::SetBar(m_look.VScrollBar, false, 0, 0, 0) |
                             TbsSkinViewLook::SetBar(m_look.HScrollBar, false, 0, 0, 0);
        m_look.BarsChanged(*this, changed);
    } else {
        SyncScrollBars();
    }
}

}  // namespace skin
