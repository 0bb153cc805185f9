#include "skin/boxes/bsSkinBoxCtrlsEditMemo.h"

#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsDrawStrips.h"

namespace skin {

namespace forms = platform::forms;
namespace gfx = platform::gfx;
namespace ui = platform::ui;

namespace {
bool Empty(const TRect& r) {
    return r.Width() < 1 || r.Height() < 1;
}
constexpr int kDefaultInset = 2;
}  // namespace

// ---- TbsSkinMemoBase ----

TbsSkinMemoBase::TbsSkinMemoBase(forms::TComponent* owner) : forms::TCustomMemo(owner) {
    gfx::TFont font;
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetColor(gfx::clWindowText);
    SetFont(font);
    m_defaultFont = font;
    SetBorderStyle(forms::bsNone);
    SetScrollBars(forms::ssNone);
}

TbsSkinMemoBase::~TbsSkinMemoBase() {
    WatchSkinData(*this, m_skinData, nullptr);
    SetVScrollBar(nullptr);
}

void TbsSkinMemoBase::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    if (value && !value->SkinIsEmpty && !IsDesigning()) ApplySkin();
}

void TbsSkinMemoBase::SetDefaultFont(const gfx::TFont& value) {
    m_defaultFont = value;
    ApplySkin();
}

void TbsSkinMemoBase::SetUseSkinFont(bool value) {
    m_useSkinFont = value;
    ApplySkin();
}

void TbsSkinMemoBase::SetVScrollBar(TbsSkinScrollBar* value) {
    if (m_vScrollBar == value) return;
    if (m_vScrollBar) {
        m_vScrollBar->OnChange = nullptr;
        m_vScrollBar->RemoveFreeNotification(this);
    }
    m_vScrollBar = value;
    if (!value) return;
    value->FreeNotification(this);
    value->OnChange = [this](forms::TComponent*) {
        if (m_coupling || !m_vScrollBar) return;
        Scroll(forms::SB_VERT, forms::SB_THUMBPOSITION, m_vScrollBar->Position());
        Invalidate();
    };
    UpdateScrollBars();
}

void TbsSkinMemoBase::Notification(forms::TComponent* component, forms::TOperation operation) {
    forms::TCustomMemo::Notification(component, operation);
    if (operation != forms::opRemove) return;
    if (component == m_skinData) {
        m_skinData = nullptr;
        m_recordIndex = -1;
        Invalidate();
    }
    if (component == m_vScrollBar) m_vScrollBar = nullptr;
}

void TbsSkinMemoBase::LookUpRecord() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
    if (m_recordIndex >= 0 && !Record()) m_recordIndex = -1;
}

const TbsDataSkinMemoControl* TbsSkinMemoBase::Record() const {
    return ControlRecordAs<TbsDataSkinMemoControl>(m_skinData, m_recordIndex);
}

void TbsSkinMemoBase::CreateParams(ui::TCreateParams& params) {
    forms::TCustomMemo::CreateParams(params);
    params.ExStyle &= ~ui::WS_EX_CLIENTEDGE;
}

void TbsSkinMemoBase::UpdateColors() {
    const TbsDataSkinMemoControl* rec = Record();
    TColor font = m_defaultFont.Color();
    TColor back = gfx::clWindow;
    if (rec) {
        font = Active() ? rec->activefontcolor : rec->fontcolor;
        back = Active() ? rec->activebgcolor : rec->bgcolor;
    }
    if (!Enabled()) font = gfx::clGrayText;
    if (Font().Color() != font) Font().SetColor(font);
    if (Color() != back) SetColor(back);
}

void TbsSkinMemoBase::ApplySkin() {
    LookUpRecord();
    gfx::TFont font = m_defaultFont;
    if (const TbsDataSkinMemoControl* rec = Record(); rec && m_useSkinFont) {
        font.SetName(rec->fontname);
        font.SetStyle(rec->fontstyle);
        font.SetHeight(rec->fontheight);
    }
    SetFont(font);
    if (const TbsDataSkinMemoControl* rec = Record()) SetColor(rec->bgcolor);
    if (HandleAllocated()) RecreateWnd();
    UpdateColors();
    UpdateScrollBars();
    StateChanged();
}

void TbsSkinMemoBase::CoupleBar(TbsSkinScrollBar* bar, int min, int max, int page, int pos, bool enabled) {
    if (!bar) return;
    m_coupling = true;
    bar->SetRangeAndPosition(min, max, page, pos);
    bar->SetEnabled(enabled && Enabled());
    m_coupling = false;
}

void TbsSkinMemoBase::UpdateScrollBars() {
    const int visible = VisibleRows();
    const int lines = RowCount();
    if (visible < lines)
        CoupleBar(m_vScrollBar, 0, lines, visible + 1, FirstVisibleLine(), true);
    else
        CoupleBar(m_vScrollBar, 0, 0, 0, 0, false);
}

void TbsSkinMemoBase::Scrolled(int bar) {
    forms::TCustomMemo::Scrolled(bar);
    if (!m_coupling) UpdateScrollBars();
}

void TbsSkinMemoBase::Change() {
    forms::TCustomMemo::Change();
    UpdateScrollBars();
}

void TbsSkinMemoBase::WndProc(forms::TMessage& m) {
    switch (m.Msg) {
        case ui::WM_CONTEXTMENU:
            if (!PopupMenu()) {
                m_standardMenu.Popup(ui::PointFromLParam(m.LParam));
                m.Result = 1;
                return;
            }
            break;
        case ui::WM_MOUSEWHEEL:
            // One row per notch, as a scroll request.
            Scroll(forms::SB_VERT,
                   ui::WheelDeltaFromWParam(m.WParam) > 0 ? forms::SB_LINEUP : forms::SB_LINEDOWN);
            m.Result = 1;
            return;
        case forms::CM_MOUSEENTER:
        case forms::CM_MOUSELEAVE:
            m_controlState = m.Msg == forms::CM_MOUSEENTER ? (m_controlState | forms::csMouseOver)
                                                           : (m_controlState & ~forms::csMouseOver);
            UpdateColors();
            StateChanged();
            break;
        default:
            break;
    }
    forms::TCustomMemo::WndProc(m);
    switch (m.Msg) {
        case ui::WM_SETFOCUS:
        case ui::WM_KILLFOCUS:
        case forms::CM_ENABLEDCHANGED:
            UpdateColors();
            UpdateScrollBars();
            StateChanged();
            break;
        case ui::WM_KEYDOWN:
        case ui::WM_CHAR:
        case ui::WM_LBUTTONUP:
        case ui::WM_SIZE:
            UpdateScrollBars();
            break;
        case ui::WM_MOUSEMOVE:
            if (m.WParam & ui::MK_LBUTTON) UpdateScrollBars();
            break;
        default:
            break;
    }
}

// ---- TbsSkinMemo ----

TbsSkinMemo::TbsSkinMemo(forms::TComponent* owner) : TbsSkinMemoBase(owner) {}

void TbsSkinMemo::SetBitMapBG(bool value) {
    if (value == m_bitMapBG) return;
    m_bitMapBG = value;
    UpdateColors();
    StateChanged();
}

TRect TbsSkinMemo::FrameInsets() const {
    const TbsDataSkinMemoControl* rec = Record();
    if (!rec) return {kDefaultInset, kDefaultInset, kDefaultInset, kDefaultInset};
    const TRect& c = rec->clientrect;
    return {c.Left, c.Top, rec->skinrect.Width() - c.Right, rec->skinrect.Height() - c.Bottom};
}

void TbsSkinMemo::ApplySkin() {
    TbsSkinMemoBase::ApplySkin();
}

void TbsSkinMemo::UpdateScrollBars() {
    // Rows of the height of "Wq" that fit the client area.
    const int textHeight = gfx::TextEngine::Metrics(Font()).Height;
    const int visible = textHeight > 0 ? ClientHeight() / textHeight : 1;
    const int lines = RowCount();
    if (visible < lines)
        CoupleBar(m_vScrollBar, 0, lines, visible + 1, FirstVisibleLine(), true);
    else
        CoupleBar(m_vScrollBar, 0, 0, 0, 0, false);
}

void TbsSkinMemo::ComposeImage(TBitmap& image, bool whole) {
    const int w = std::max(1, Width()), h = std::max(1, Height());
    image.SetSize(w, h);
    gfx::TCanvas& c = image.Canvas();
    c.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    c.FillRect({0, 0, w, h});
    LookUpRecord();
    const TbsDataSkinMemoControl* rec = Record();
    TBitmap* picture = rec ? m_skinData->ActivePicture(rec->pictureindex) : nullptr;
    if (!rec) {
        c.Brush.Color = gfx::clBtnShadow;
        c.FrameRect({0, 0, w, h});
        c.Brush.Color = gfx::clBtnFace;
        c.FrameRect({1, 1, w - 1, h - 1});
        return;
    }
    if (!picture) return;
    const TRect source = Active() && !Empty(rec->activeskinrect) ? rec->activeskinrect : rec->skinrect;
    const int dw = w - rec->skinrect.Width(), dh = h - rec->skinrect.Height();
    const TbsFrameGeometry geometry{rec->lefttoppoint, rec->righttoppoint, rec->leftbottompoint,
                                    rec->rightbottompoint, rec->clientrect};
    TbsFrameGeometry sized = geometry;
    sized.RightTop.X += dw;
    sized.LeftBottom.Y += dh;
    sized.RightBottom.X += dw;
    sized.RightBottom.Y += dh;
    sized.ClientRect.Right += dw;
    sized.ClientRect.Bottom += dh;
    if (whole) {
        ComposeFrameImage(image, *picture, source, geometry, w, h, sized, true, {});
        return;
    }
    TbsBorderStrips strips;
    ComposeBorderStrips(strips, *picture, source, geometry, w, h, sized, {});
    c.Draw(0, 0, strips.Top);
    c.Draw(0, h - strips.Bottom.Height(), strips.Bottom);
    c.Draw(0, strips.Top.Height(), strips.Left);
    c.Draw(w - strips.Right.Width(), strips.Top.Height(), strips.Right);
}

void TbsSkinMemo::PaintFrame() {
    ui::TWindow* window = HandleIfAllocated();
    if (!window || Width() <= 0 || Height() <= 0) return;
    TBitmap image;
    ComposeImage(image, m_bitMapBG);
    ui::TDeviceContextPtr dc = ui::TWindowSystem::Instance().GetWindowDC(window);
    gfx::TCanvas& canvas = dc->Canvas();
    canvas.ExcludeClipRect(window->ClientArea());
    canvas.Draw(0, 0, image);
}

void TbsSkinMemo::PaintBackground(gfx::TCanvas& canvas) {
    if (!m_bitMapBG || !Record()) {
        TbsSkinMemoBase::PaintBackground(canvas);
        return;
    }
    TBitmap image;
    ComposeImage(image, true);
    const TRect insets = FrameInsets();
    canvas.Draw(-insets.Left, -insets.Top, image);
}

void TbsSkinMemo::StateChanged() {
    Invalidate();
    if (HandleAllocated()) ui::TWindowSystem::Instance().RedrawFrame(HandleIfAllocated());
}

void TbsSkinMemo::WndProc(forms::TMessage& m) {
    switch (m.Msg) {
        case ui::WM_NCCALCSIZE:
            if (auto* r = ui::PtrFromParam<TRect>(m.LParam)) {
                LookUpRecord();
                const TRect in = FrameInsets();
                *r = {r->Left + in.Left, r->Top + in.Top, std::max(r->Left + in.Left, r->Right - in.Right),
                      std::max(r->Top + in.Top, r->Bottom - in.Bottom)};
            }
            m.Result = 0;
            return;
        case ui::WM_NCPAINT:
            PaintFrame();
            m.Result = 0;
            return;
        default:
            break;
    }
    TbsSkinMemoBase::WndProc(m);
}

// ---- TbsSkinMemo2 ----

TbsSkinMemo2::TbsSkinMemo2(forms::TComponent* owner) : TbsSkinMemoBase(owner) {
    SetScrollBars(forms::ssBoth);
}

void TbsSkinMemo2::SetHScrollBar(TbsSkinScrollBar* value) {
    if (m_hScrollBar == value) return;
    if (m_hScrollBar) {
        m_hScrollBar->OnChange = nullptr;
        m_hScrollBar->RemoveFreeNotification(this);
    }
    m_hScrollBar = value;
    if (!value) return;
    value->FreeNotification(this);
    value->OnChange = [this](forms::TComponent*) {
        if (m_coupling || !m_hScrollBar) return;
        Scroll(forms::SB_HORZ, forms::SB_THUMBPOSITION, m_hScrollBar->Position());
        Invalidate();
    };
    UpdateScrollBars();
}

void TbsSkinMemo2::Notification(forms::TComponent* component, forms::TOperation operation) {
    TbsSkinMemoBase::Notification(component, operation);
    if (operation == forms::opRemove && component == m_hScrollBar) m_hScrollBar = nullptr;
}

void TbsSkinMemo2::UpdateScrollBars() {
    const auto couple = [this](TbsSkinScrollBar* bar, int direction, int page) {
        const forms::TScrollRange range = ScrollRange(direction);
        if (page < range.Max)
            CoupleBar(bar, 0, range.Max, page + 1, range.Pos, true);
        else
            CoupleBar(bar, 0, 0, 0, 0, false);
    };
    couple(m_vScrollBar, forms::SB_VERT, VisibleRows());
    couple(m_hScrollBar, forms::SB_HORZ, m_hScrollBar ? m_hScrollBar->Width() : 0);
}

}  // namespace skin
