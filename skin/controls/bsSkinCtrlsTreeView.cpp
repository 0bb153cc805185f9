#include "skin/controls/bsSkinCtrlsTreeView.h"

#include "platform/forms/Splitter.h"
#include "platform/forms/WinControl.h"
#include "skin/controls/bsSkinCtrlsBinding.h"

namespace skin {

using namespace platform::forms;
namespace ui = platform::ui;

// ---- TbsSkinViewLook ----

TbsSkinViewLook::TbsSkinViewLook(std::string name)
    : SkinDataName(std::move(name)), DefaultFont(std::make_unique<platform::gfx::TFont>()) {
    DefaultFont->SetName("Arial");
    DefaultFont->SetHeight(14);
}

void TbsSkinViewLook::Apply(TControl& control) {
    RecordIndex = FindControlRecord(SkinData, SkinDataName);
    auto* record = ControlRecordAs<TbsDataSkinTextViewControl>(SkinData, RecordIndex);
    if (RecordIndex == -1) {
        control.SetColor(DefaultColor);
        control.SetFont(*DefaultFont);
        return;
    }
    if (!record) return;  // a record of another class changes nothing
    if (UseSkinFont) {
        platform::gfx::TFont font(*DefaultFont);
        font.SetName(record->fontname);
        font.SetHeight(record->fontheight);
        font.SetStyle(record->fontstyle);
        font.SetColor(record->fontcolor);
        control.SetFont(font);
    } else {
        platform::gfx::TFont font(*DefaultFont);
        font.SetColor(record->fontcolor);
        control.SetFont(font);
    }
    control.SetColor(record->bgcolor);
}

bool TbsSkinViewLook::SetBar(TbsSkinScrollBar* bar, bool show, int max, int page, int position) {
    if (!bar) return false;
    const bool changed = bar->Visible() != show;
    if (show) bar->SetRangeAndPosition(0, max, page, position);
    bar->SetVisible(show);
    return changed;
}

void TbsSkinViewLook::BarsChanged(TControl& control, bool visibilityChanged) {
    if (VScrollBar && HScrollBar) HScrollBar->SetBoth(VScrollBar->Visible());
    if (visibilityChanged && control.Align() != alNone && control.Parent())
        control.Parent()->Realign();
}

// ---- TbsSkinCustomTreeView ----

TbsSkinCustomTreeView::TbsSkinCustomTreeView(TComponent* owner) : TTreeView(owner), m_look("treeview") {}

TbsSkinCustomTreeView::~TbsSkinCustomTreeView() {
    WatchSkinData(*this, m_look.SkinData, nullptr);
    SetVScrollBar(nullptr);
    SetHScrollBar(nullptr);
}

void TbsSkinCustomTreeView::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_look.SkinData, value);
    m_look.SkinData = value;
    if (!(ComponentState() & csLoading)) RefreshSkin();
}

void TbsSkinCustomTreeView::SetDefaultFont(const platform::gfx::TFont& value) {
    *m_look.DefaultFont = value;
    if (m_look.RecordIndex == -1) RefreshSkin();
}

void TbsSkinCustomTreeView::SetUseSkinFont(bool value) {
    m_look.UseSkinFont = value;
    if (m_look.RecordIndex != -1) RefreshSkin();
}

void TbsSkinCustomTreeView::SetDefaultColor(TColor value) {
    m_look.DefaultColor = value;
    if (m_look.RecordIndex == -1) RefreshSkin();
}

void TbsSkinCustomTreeView::SetVScrollBar(TbsSkinScrollBar* value) {
    if (m_look.VScrollBar) {
        m_look.VScrollBar->RemoveFreeNotification(this);
        m_look.VScrollBar->OnChange = nullptr;
    }
    m_look.VScrollBar = value;
    if (!value) return;
    value->FreeNotification(this);
    value->OnChange = [this](TComponent*) {
        if (!m_syncing) Scroll(SB_VERT, SB_THUMBPOSITION, m_look.VScrollBar->Position());
    };
    SyncScrollBars();
}

void TbsSkinCustomTreeView::SetHScrollBar(TbsSkinScrollBar* value) {
    if (m_look.HScrollBar) {
        m_look.HScrollBar->RemoveFreeNotification(this);
        m_look.HScrollBar->OnChange = nullptr;
    }
    m_look.HScrollBar = value;
    if (!value) return;
    value->FreeNotification(this);
    value->OnChange = [this](TComponent*) {
        if (!m_syncing) Scroll(SB_HORZ, SB_THUMBPOSITION, m_look.HScrollBar->Position());
    };
    SyncScrollBars();
}

void TbsSkinCustomTreeView::RefreshSkin() {
    m_look.Apply(*this);
    SyncScrollBars();
}

void TbsSkinCustomTreeView::SyncScrollBars() {
    if (m_syncing || IsDestroying()) return;
    m_syncing = true;
    const bool shown = Visible();
    const TScrollRange v = ScrollRange(SB_VERT);
    const int visibleItems = VisibleCount();
    const bool showV = shown && v.Max > 0 && v.Max >= visibleItems && v.Max < Items().Count();
    bool changed = TbsSkinViewLook::SetBar(m_look.VScrollBar, showV, v.Max, visibleItems, v.Pos);
    const TScrollRange h = ScrollRange(SB_HORZ);
    const bool showH = shown && ClientWidth() < h.Max;
    changed = TbsSkinViewLook::SetBar(m_look.HScrollBar, showH, h.Max, ClientWidth(), h.Pos) || changed;
    m_look.BarsChanged(*this, changed);
    m_syncing = false;
}

void TbsSkinCustomTreeView::WndProc(TMessage& message) {
    TTreeView::WndProc(message);
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

void TbsSkinCustomTreeView::ScrollPositionChanged() {
    TTreeView::ScrollPositionChanged();
    SyncScrollBars();
}

void TbsSkinCustomTreeView::Loaded() {
    TTreeView::Loaded();
    RefreshSkin();
}

void TbsSkinCustomTreeView::Notification(TComponent* component, TOperation operation) {
    TTreeView::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_look.VScrollBar) m_look.VScrollBar = nullptr;
    if (component == m_look.HScrollBar) m_look.HScrollBar = nullptr;
    if (m_look.SkinData && component == m_look.SkinData) {
        m_look.SkinData = nullptr;
        if (!IsDestroying()) RefreshSkin();
    }
}

void TbsSkinCustomTreeView::CMVisibleChanged(TMessage& message) {
    TTreeView::CMVisibleChanged(message);
    if (!Visible()) {
        const bool changed = TbsSkinViewLook::SetBar(m_look.VScrollBar, false, 0, 0, 0) |
                             TbsSkinViewLook::SetBar(m_look.HScrollBar, false, 0, 0, 0);
        m_look.BarsChanged(*this, changed);
    } else {
        SyncScrollBars();
    }
}

}  // namespace skin
