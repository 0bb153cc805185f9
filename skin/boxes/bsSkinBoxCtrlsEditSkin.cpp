// TbsSkinCustomEdit: the edit record's frame and face, the button at the right end, the colours
// by pointer and focus.

#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "skin/boxes/bsSkinBoxCtrlsEdit.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {

namespace forms = platform::forms;
namespace gfx = platform::gfx;
namespace ui = platform::ui;
using platform::core::TPoint;

namespace {
constexpr TColor kNavy = 0x800000;
constexpr TColor kPressedFill = gfx::RGB(133, 147, 181);
constexpr TColor kLitFill = gfx::RGB(182, 189, 210);
constexpr int kDefaultButtonSpace = 22;

bool Empty(const TRect& r) {
    return r.Width() < 1 || r.Height() < 1;
}

const TbsDataSkinEditControl* EditRecord(const TbsSkinData* data, int index) {
    return ControlRecordAs<TbsDataSkinEditControl>(data, index);
}
}  // namespace

TbsSkinCustomEdit::TbsSkinCustomEdit(forms::TComponent* owner) : TbsCustomEdit(owner) {
    gfx::TFont font;
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetColor(gfx::clWindowText);
    SetFont(font);
    m_defaultFont = font;
    m_height = 20;
    SetTransparentText(true);
}

TbsSkinCustomEdit::~TbsSkinCustomEdit() {
    WatchSkinData(*this, m_skinData, nullptr);
}

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    if (value && !value->SkinIsEmpty && !IsDesigning()) ApplySkin();
}

void TbsSkinCustomEdit::Notification(forms::TComponent* component, forms::TOperation operation) {
    TbsCustomEdit::Notification(component, operation);
    if (operation == forms::opRemove && component == m_skinData) {
        m_skinData = nullptr;
        m_recordIndex = -1;
        Invalidate();
    }
}

void TbsSkinCustomEdit::SetDefaultFont(const gfx::TFont& value) {
    m_defaultFont = value;
    if (m_recordIndex < 0 || !m_useSkinFont) ApplySkin();
}

void TbsSkinCustomEdit::SetUseSkinFont(bool value) {
    m_useSkinFont = value;
    ApplySkin();
}

void TbsSkinCustomEdit::SetDefaultWidth(int value) {
    m_defaultWidth = value;
    LookUpRecord();
    if (m_recordIndex < 0 && value > 0) SetWidth(value);
}

void TbsSkinCustomEdit::SetDefaultHeight(int value) {
    m_defaultHeight = value;
    LookUpRecord();
    if (m_recordIndex < 0 && value > 0) SetHeight(value);
}

void TbsSkinCustomEdit::SetHasButton(bool value) {
    if (value == m_hasButton) return;
    m_hasButton = value;
    if (HandleAllocated()) RecreateWnd();
}

void TbsSkinCustomEdit::LookUpRecord() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
    if (m_recordIndex >= 0 && !EditRecord(m_skinData, m_recordIndex)) m_recordIndex = -1;
}

bool TbsSkinCustomEdit::Active() const {
    return MouseInControl() || Focused();
}

void TbsSkinCustomEdit::CalcRects(int w, int h) {
    LookUpRecord();
    const TbsDataSkinEditControl* rec = EditRecord(m_skinData, m_recordIndex);
    if (!rec) {
        m_editTextRect = {2, 2, w - 2 - (m_hasButton ? kDefaultButtonSpace : 0), h - 2};
        m_editButtonRect = {w - h, 0, w, h};
        return;
    }
    const int dw = w - rec->skinrect.Width(), dh = h - rec->skinrect.Height();
    const TRect& c = rec->clientrect;
    m_editTextRect = {c.Left, c.Top, c.Right + dw, c.Bottom + dh};
    m_editButtonRect = rec->buttonrect;
    if (rec->buttonrect.Left >= rec->righttoppoint.X) {
        m_editButtonRect.Left += dw;
        m_editButtonRect.Right += dw;
    }
}

void TbsSkinCustomEdit::SetBounds(int left, int top, int width, int height) {
    LookUpRecord();
    if (const TbsDataSkinEditControl* rec = EditRecord(m_skinData, m_recordIndex))
        height = rec->skinrect.Height();
    TbsCustomEdit::SetBounds(left, top, width, height);
    CalcRects();
    if (HandleAllocated()) ui::TWindowSystem::Instance().RedrawFrame(HandleIfAllocated());
}

void TbsSkinCustomEdit::Invalidate() {
    TbsCustomEdit::Invalidate();
    if (HandleAllocated()) ui::TWindowSystem::Instance().RedrawFrame(HandleIfAllocated());
}

void TbsSkinCustomEdit::CreateParams(ui::TCreateParams& params) {
    TbsCustomEdit::CreateParams(params);
    params.ExStyle &= ~ui::WS_EX_CLIENTEDGE;
}

void TbsSkinCustomEdit::ComposeImage(TBitmap& image) {
    CalcRects();
    const int w = std::max(1, Width()), h = std::max(1, Height());
    const TbsDataSkinEditControl* rec = EditRecord(m_skinData, m_recordIndex);
    TBitmap* picture = rec ? m_skinData->ActivePicture(rec->pictureindex) : nullptr;
    if (!rec || !picture) {
        image.SetSize(w, h);
        gfx::TCanvas& c = image.Canvas();
        c.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
        c.FillRect({0, 0, w, h});
        if (rec) return;  // a record without a picture draws nothing of its own
        const TRect frame{0, 0, m_hasButton ? m_editButtonRect.Left : w, h};
        c.Brush.Color = gfx::clBtnShadow;
        c.FrameRect(frame);
        c.Brush.Color = gfx::clBtnFace;
        c.FrameRect({frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1});
        if (!m_hasButton) return;
        const TRect& b = m_editButtonRect;
        const bool lit = m_buttonHot, pressed = m_buttonDown && m_buttonHot;
        c.Brush.Color = pressed || lit ? kNavy : gfx::clBtnShadow;
        c.FrameRect(b);
        c.Brush.Color = pressed ? kPressedFill : lit ? kLitFill : gfx::clBtnFace;
        c.FillRect({b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1});
        // Three dots: the button offers more.
        c.Brush.Color = Enabled() ? gfx::clBlack : gfx::clBtnShadow;
        const int cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2 + 2;
        for (int dx = -4; dx <= 4; dx += 4) c.FillRect({cx + dx - 1, cy - 1, cx + dx + 1, cy + 1});
        return;
    }
    const TRect source = Active() && !Empty(rec->activeskinrect) ? rec->activeskinrect : rec->skinrect;
    ComposeHorzImage(image, *picture, source, rec->lefttoppoint.X,
                     rec->skinrect.Width() - rec->righttoppoint.X, w);
    if (!m_hasButton) return;
    TRect part;
    if (!Enabled() && !Empty(rec->unenabledbuttonrect))
        part = rec->unenabledbuttonrect;
    else if (m_buttonDown && m_buttonHot)
        part = Empty(rec->downbuttonrect) ? rec->activebuttonrect : rec->downbuttonrect;
    else if (m_buttonHot)
        part = rec->activebuttonrect;
    if (!Empty(part)) image.Canvas().CopyRect(m_editButtonRect, picture->Canvas(), part);
}

void TbsSkinCustomEdit::PaintBackground(gfx::TCanvas& canvas) {
    TBitmap image;
    ComposeImage(image);
    canvas.Draw(-m_editTextRect.Left, -m_editTextRect.Top, image);
}

void TbsSkinCustomEdit::PaintFrame() {
    ui::TWindow* window = HandleIfAllocated();
    if (!window || Width() <= 0 || Height() <= 0) return;
    TBitmap image;
    ComposeImage(image);
    ui::TDeviceContextPtr dc = ui::TWindowSystem::Instance().GetWindowDC(window);
    gfx::TCanvas& canvas = dc->Canvas();
    canvas.ExcludeClipRect(window->ClientArea());
    canvas.Draw(0, 0, image);
}

void TbsSkinCustomEdit::UpdateColors() {
    const TbsDataSkinEditControl* rec = EditRecord(m_skinData, m_recordIndex);
    TColor color = 0;
    if (!rec)
        color = Enabled() ? m_defaultFont.Color() : gfx::clGrayText;
    else if (!Enabled())
        color = rec->disabledfontcolor;
    else
        color = Active() ? rec->activefontcolor : rec->fontcolor;
    if (Font().Color() != color) Font().SetColor(color);
}

void TbsSkinCustomEdit::SetButtonState(bool hot, bool down) {
    if (hot == m_buttonHot && down == m_buttonDown) return;
    m_buttonHot = hot;
    m_buttonDown = down;
    if (HandleAllocated()) ui::TWindowSystem::Instance().RedrawFrame(HandleIfAllocated());
}

int TbsSkinCustomEdit::HitTest(TPoint screen) const {
    const ui::TWindow* window = HandleIfAllocated();
    if (!window) return ui::HTNOWHERE;
    const TPoint p = window->ScreenToWindow(screen);
    if (m_hasButton && !IsDesigning() && m_editButtonRect.Contains(p)) return ui::HTOBJECT;
    if (window->ClientArea().Contains(p)) return ui::HTCLIENT;
    return ui::HTBORDER;
}

void TbsSkinCustomEdit::ApplySkin() {
    LookUpRecord();
    const TbsDataSkinEditControl* rec = EditRecord(m_skinData, m_recordIndex);
    if (!rec) {
        SetFont(m_defaultFont);
        if (m_defaultWidth > 0) SetWidth(m_defaultWidth);
        if (m_defaultHeight > 0) SetHeight(m_defaultHeight);
    } else {
        gfx::TFont font = m_defaultFont;
        if (m_useSkinFont) {
            font.SetName(rec->fontname);
            font.SetStyle(rec->fontstyle);
            font.SetHeight(rec->fontheight);
        }
        font.SetColor(Focused() ? rec->activefontcolor : rec->fontcolor);
        SetFont(font);
        SetHeight(rec->skinrect.Height());
    }
    if (HandleAllocated()) RecreateWnd();
    UpdateColors();
    Invalidate();
}

void TbsSkinCustomEdit::WndProc(forms::TMessage& m) {
    const bool button = m_hasButton && !IsDesigning();
    switch (m.Msg) {
        case ui::WM_NCCALCSIZE:
            if (auto* r = ui::PtrFromParam<TRect>(m.LParam)) {
                const int w = r->Width(), h = r->Height();
                CalcRects(w, h);
                *r = {r->Left + m_editTextRect.Left, r->Top + m_editTextRect.Top,
                      r->Right - (w - m_editTextRect.Right), r->Bottom - (h - m_editTextRect.Bottom)};
                r->Right = std::max(r->Right, r->Left);
                r->Bottom = std::max(r->Bottom, r->Top);
            }
            m.Result = 0;
            return;
        case ui::WM_NCPAINT:
            PaintFrame();
            m.Result = 0;
            return;
        case ui::WM_NCHITTEST:
            m.Result = HitTest(ui::PointFromLParam(m.LParam));
            return;
        case ui::WM_NCMOUSEMOVE:
            if (button) SetButtonState(static_cast<int>(m.WParam) == ui::HTOBJECT, m_buttonDown);
            return;
        case ui::WM_NCLBUTTONDOWN:
        case ui::WM_NCLBUTTONDBLCLK:
            if (button && static_cast<int>(m.WParam) == ui::HTOBJECT) {
                SetButtonState(true, true);
                return;
            }
            break;
        case ui::WM_NCLBUTTONUP:
            if (button && m_buttonDown) {
                const bool onButton = static_cast<int>(m.WParam) == ui::HTOBJECT;
                SetButtonState(onButton, false);
                if (!onButton) return;
                const auto alive = WeakRef();
                if (!Focused() && CanFocus()) SetFocus();
                if (alive && OnButtonClick) OnButtonClick(this);
                return;
            }
            break;
        case ui::WM_MOUSEMOVE:
            if (button && m_buttonHot) SetButtonState(false, m_buttonDown);
            break;
        case forms::CM_MOUSEENTER:
            m_controlState |= forms::csMouseOver;
            UpdateColors();
            Invalidate();
            break;
        case forms::CM_MOUSELEAVE:
            m_controlState &= ~forms::csMouseOver;
            SetButtonState(false, false);
            UpdateColors();
            Invalidate();
            break;
        default:
            break;
    }
    TbsCustomEdit::WndProc(m);
    switch (m.Msg) {
        case ui::WM_SETFOCUS:
        case ui::WM_KILLFOCUS:
        case forms::CM_ENABLEDCHANGED:
            UpdateColors();
            Invalidate();
            break;
        default:
            break;
    }
}

}  // namespace skin
