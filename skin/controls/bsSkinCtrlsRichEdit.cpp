#include "skin/controls/bsSkinCtrlsRichEdit.h"

#include "platform/forms/PropertyTable.h"
#include "platform/forms/RichEditRegister.h"
#include "platform/forms/Splitter.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsSkinCtrlsBinding.h"

namespace skin {

using namespace platform::forms;
namespace gfx = platform::gfx;
namespace ui = platform::ui;

TbsSkinRichEdit::TbsSkinRichEdit(TComponent* owner) : TCustomRichEdit(owner) {
    m_defaultFont.SetName("Arial");
    m_defaultFont.SetHeight(14);
    SetBorderStyle(bsNone);
    SetScrollBars(ssBoth);
    SetFont(m_defaultFont);
    SetColor(m_defaultColor);
}

TbsSkinRichEdit::~TbsSkinRichEdit() {
    WatchSkinData(*this, m_skinData, nullptr);
    SetVScrollBar(nullptr);
    SetHScrollBar(nullptr);
}

void TbsSkinRichEdit::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    if (!(ComponentState() & csLoading)) RefreshSkin();
}

void TbsSkinRichEdit::SetSkinSupport(bool value) {
    m_skinSupport = value;
    if (value) RefreshSkin();
}

void TbsSkinRichEdit::SetDefaultFont(const gfx::TFont& value) {
    m_defaultFont = value;
    if (m_recordIndex == -1 && m_skinSupport) SetFont(m_defaultFont);
}

void TbsSkinRichEdit::SetDefaultColor(TColor value) {
    m_defaultColor = value;
    if (m_recordIndex == -1 && m_skinSupport) SetColor(m_defaultColor);
}

void TbsSkinRichEdit::CoupleBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* value, int bar) {
    if (slot) {
        slot->RemoveFreeNotification(this);
        slot->OnChange = nullptr;
        slot->OnUpButtonClick = nullptr;
        slot->OnDownButtonClick = nullptr;
    }
    slot = value;
    if (!value) return;
    value->FreeNotification(this);
    value->OnChange = [this, bar](TComponent* sender) {
        if (m_syncing) return;
        ScrollPixels(bar, SB_THUMBPOSITION, static_cast<TbsSkinScrollBar*>(sender)->Position());
    };
    if (bar != SB_VERT) return;
    // The up button sits at the bottom end and moves the text on by a line.
    value->OnUpButtonClick = [this](TComponent*) {
        if (!m_vScrollBar) return;
        if (m_vScrollBar->Position() < m_vScrollBar->Max() - m_vScrollBar->PageSize() + 1)
            ScrollPixels(SB_VERT, SB_LINEDOWN);
        SyncScrollBars();
    };
    value->OnDownButtonClick = [this](TComponent*) {
        if (!m_vScrollBar) return;
        if (m_vScrollBar->Position() != 0) ScrollPixels(SB_VERT, SB_LINEUP);
        SyncScrollBars();
    };
}

void TbsSkinRichEdit::SetVScrollBar(TbsSkinScrollBar* value) {
    if (m_vScrollBar == value) return;
    CoupleBar(m_vScrollBar, value, SB_VERT);
    SyncScrollBars();
}

void TbsSkinRichEdit::SetHScrollBar(TbsSkinScrollBar* value) {
    if (m_hScrollBar == value) return;
    CoupleBar(m_hScrollBar, value, SB_HORZ);
    SyncScrollBars();
}

void TbsSkinRichEdit::RefreshSkin() {
    if (!m_skinSupport || IsDestroying()) return;
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
    const auto* record = ControlRecordAs<TbsDataSkinRichEdit>(m_skinData, m_recordIndex);
    if (m_recordIndex == -1) {
        SetColor(m_defaultColor);
        SetFont(m_defaultFont);
    } else if (record) {
        gfx::TFont font(m_defaultFont);
        font.SetName(record->fontname);
        font.SetHeight(record->fontheight);
        font.SetStyle(record->fontstyle);
        font.SetColor(record->fontcolor);
        SetFont(font);
        SetColor(record->bgcolor);
    }
    SyncScrollBars();
    Invalidate();
}

bool TbsSkinRichEdit::SyncBar(TbsSkinScrollBar* bar, int direction, int extent) {
    const TScrollRange range = ScrollInfo(direction);
    const bool enable = range.Max > range.Min && extent < range.Max && Lines().Count() > 0;
    if (enable) {
        if (bar) {
            bar->SetRangeAndPosition(range.Min, range.Max, extent, range.Pos);
            bar->SetEnabled(Enabled());
        }
        return true;
    }
    if (bar) bar->SetEnabled(false);
    ClearScrollRange(direction);
    return false;
}

void TbsSkinRichEdit::SyncScrollBars() {
    if (m_syncing || IsDestroying()) return;
    m_syncing = true;
    SyncBar(m_vScrollBar, SB_VERT, Height());
    SyncBar(m_hScrollBar, SB_HORZ, Width());
    if (m_vScrollBar && m_hScrollBar && m_hScrollBar->Both() != m_vScrollBar->Visible()) {
        m_hScrollBar->SetBoth(m_vScrollBar->Visible());
        if (Align() != alNone && Parent()) ArrangeAlignedControls(*Parent());
    }
    m_syncing = false;
}

void TbsSkinRichEdit::WndProc(TMessage& message) {
    const auto alive = WeakRef();
    TCustomRichEdit::WndProc(message);
    if (!alive) return;
    switch (message.Msg) {
        case ui::WM_SIZE:
        case ui::WM_PAINT:
        case ui::WM_KEYDOWN:
        case ui::WM_LBUTTONDOWN:
        case ui::WM_LBUTTONUP:
        case ui::WM_MOUSEWHEEL:
            SyncScrollBars();
            break;
        default:
            break;
    }
}

void TbsSkinRichEdit::CreateParams(ui::TCreateParams& params) {
    TCustomRichEdit::CreateParams(params);
    params.Style &= ~ui::WS_BORDER;
    params.ExStyle &= ~ui::WS_EX_CLIENTEDGE;
}

void TbsSkinRichEdit::Notification(TComponent* component, TOperation operation) {
    TCustomRichEdit::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_vScrollBar) m_vScrollBar = nullptr;
    if (component == m_hScrollBar) m_hScrollBar = nullptr;
    if (m_skinData && component == m_skinData) {
        m_skinData = nullptr;
        if (!IsDestroying()) RefreshSkin();
    }
}

void TbsSkinRichEdit::Loaded() {
    TCustomRichEdit::Loaded();
    RefreshSkin();
}

void TbsSkinRichEdit::Change() {
    TCustomRichEdit::Change();
    SyncScrollBars();
}

void TbsSkinRichEdit::Scrolled(int bar) {
    TCustomRichEdit::Scrolled(bar);
    SyncScrollBars();
}

void RegisterSkinRichEdit(TClassRegistry& r) {
    RegisterRichEditClasses(r);
    if (r.Find("TbsSkinRichEdit")) return;
    using R = TbsSkinRichEdit;
    r.Register<R>("TbsSkinRichEdit", "TCustomRichEdit")
        .Reference<TbsSkinData>("SkinData", &R::SkinData, &R::SetSkinData)
        .String("SkinDataName", &R::SkinDataName, &R::SetSkinDataName, std::string("richedit"))
        .Boolean("SkinSupport", &R::SkinSupport, &R::SetSkinSupport, true)
        .Reference<TbsSkinScrollBar>("VScrollBar", &R::VScrollBar, &R::SetVScrollBar)
        .Reference<TbsSkinScrollBar>("HScrollBar", &R::HScrollBar, &R::SetHScrollBar)
        .Color("DefaultColor", &R::DefaultColor, &R::SetDefaultColor, gfx::clWindow)
        .String(
            "DefaultFont.Name", [](const R& c) { return c.DefaultFont().Name(); },
            [](R& c, const std::string& v) {
                gfx::TFont f = c.DefaultFont();
                f.SetName(v);
                c.SetDefaultFont(f);
            },
            std::string("Arial"))
        .Integer(
            "DefaultFont.Height", [](const R& c) { return c.DefaultFont().Height(); },
            [](R& c, int v) {
                gfx::TFont f = c.DefaultFont();
                f.SetHeight(v);
                c.SetDefaultFont(f);
            },
            14);
}

}  // namespace skin
