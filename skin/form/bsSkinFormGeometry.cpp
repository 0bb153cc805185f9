// Frame geometry for any window size: minimum and maximum sizes, the moved corner points and
// rectangles, object rectangles, the caption-button layout, the window region from the mask, and
// the two hit tests.

#include <algorithm>

#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsRegion.h"
#include "skin/data/bsUtilsWindow.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormCaption.h"

namespace skin {

using platform::forms::wsMaximized;
using platform::forms::wsMinimized;
using platform::ui::TWindow;

namespace {

constexpr int kDefBorder = 3;
constexpr int kDefButtonTop = 4;

TPoint Moved(TPoint p, int dx, int dy) {
    return {p.X + dx, p.Y + dy};
}

}  // namespace

// ---- Sizes ----

int TbsSkinForm::DefCaptionHeight() const {
    const bool tool = m_form && (m_form->BorderStyle() == platform::forms::bsToolWindow ||
                                 m_form->BorderStyle() == platform::forms::bsSizeToolWin);
    return tool ? 15 : 19;
}

int TbsSkinForm::DefButtonSize() const {
    return DefCaptionHeight() == 15 ? 13 : 17;
}

int TbsSkinForm::GetMinWidth() const {
    if (m_skinned) {
        int w = m_skinData->Picture.Width();
        if (m_minWidth > w && WindowState() != wsMinimized) w = m_minWidth;
        return w;
    }
    return m_minWidth > 0 ? m_minWidth : 120;
}

int TbsSkinForm::GetMinHeight() const {
    const bool shrunk = m_rollUpState || WindowState() == wsMinimized;
    int h = m_skinned ? m_skinData->Picture.Height() - RectHeightOf(m_skinData->clientrect)
                      : DefCaptionHeight() + 6;
    if (m_minHeight > h && !shrunk) h = m_minHeight;
    return h;
}

int TbsSkinForm::GetMaxWidth() const {
    const TRect area =
        MonitorWorkArea(m_form ? m_form->HandleIfAllocated() : nullptr, !m_maximizeOnFullScreen);
    return area.Width() > 0 ? area.Width() : platform::ui::GetSystemMetrics(platform::ui::SM_CXMAXTRACK);
}

int TbsSkinForm::GetMaxHeight() const {
    const TRect area =
        MonitorWorkArea(m_form ? m_form->HandleIfAllocated() : nullptr, !m_maximizeOnFullScreen);
    return area.Height() > 0 ? area.Height() : platform::ui::GetSystemMetrics(platform::ui::SM_CYMAXTRACK);
}

TPoint TbsSkinForm::SmallIconSize() {
    int w = platform::ui::GetSystemMetrics(platform::ui::SM_CXSMICON);
    int h = platform::ui::GetSystemMetrics(platform::ui::SM_CYSMICON);
    if (w <= 0 || h <= 0) {
        w = platform::ui::GetSystemMetrics(platform::ui::SM_CXSIZE);
        h = platform::ui::GetSystemMetrics(platform::ui::SM_CYSIZE);
    }
    if (w <= 0 || h <= 0) w = h = 16;
    return {w, h};
}

TRect TbsSkinForm::ClientInsets() const {
    if (NoFrame()) return {};
    if (m_skinned) {
        const TRect& cl = m_skinData->clientrect;
        return {cl.Left, cl.Top, m_skinData->Picture.Width() - cl.Right,
                m_skinData->Picture.Height() - cl.Bottom};
    }
    return {kDefBorder, DefCaptionHeight() + kDefBorder, kDefBorder, kDefBorder};
}

// ---- Geometry ----

void TbsSkinForm::CalcRects() {
    if (!m_skinned) return;
    const TbsSkinData& sd = *m_skinData;
    const int dx = m_formWidth - sd.Picture.Width();
    const int dy = m_formHeight - sd.Picture.Height();
    TbsFormGeometry& g = m_geometry;
    g.NewLTPoint = sd.lefttoppoint;
    g.NewRTPoint = Moved(sd.righttoppoint, dx, 0);
    g.NewLBPoint = Moved(sd.leftbottompoint, 0, dy);
    g.NewRBPoint = Moved(sd.rightbottompoint, dx, dy);
    g.NewClRect = {sd.clientrect.Left, sd.clientrect.Top, sd.clientrect.Right + dx,
                   sd.clientrect.Bottom + dy};
    g.NewCaptionRect = sd.captionrect;
    if (!IsEmptyRect(g.NewCaptionRect)) g.NewCaptionRect.Right += dx;
    g.NewButtonsRect = sd.buttonsrect;
    if (!IsEmptyRect(g.NewButtonsRect) && g.NewButtonsRect.Left > sd.Picture.Width() / 2)
        g.NewButtonsRect = g.NewButtonsRect.Offset(dx, 0);
    g.ButtonsOffset = sd.buttonsoffset;
    g.ButtonsInLeft = sd.buttonsinleft;
    // A hit-test point the skin leaves unset falls back to its corner point, so that the border
    // codes always have a place to start from.
    auto hit = [](TPoint p, TPoint corner) { return IsEmptyPoint(p) ? corner : p; };
    g.NewHitTestLTPoint = hit(sd.hittestlefttoppoint, sd.lefttoppoint);
    g.NewHitTestRTPoint = Moved(hit(sd.hittestrighttoppoint, sd.righttoppoint), dx, 0);
    g.NewHitTestLBPoint = Moved(hit(sd.hittestleftbottompoint, sd.leftbottompoint), 0, dy);
    g.NewHitTestRBPoint = Moved(hit(sd.hittestrightbottompoint, sd.rightbottompoint), dx, dy);
    g.NewMaskRectArea = {sd.maskrectarea.Left, sd.maskrectarea.Top, sd.maskrectarea.Right + dx,
                         sd.maskrectarea.Bottom + dy};
}

void TbsSkinForm::CalcObjects() {
    if (!m_skinned) {
        LayoutDefaultObjects();
        return;
    }
    const TbsSkinData& sd = *m_skinData;
    const int pw = sd.Picture.Width(), ph = sd.Picture.Height();
    const TRect lt{0, 0, sd.lefttoppoint.X, sd.lefttoppoint.Y};
    const TRect rt{sd.righttoppoint.X, 0, pw, sd.righttoppoint.Y};
    const TRect lb{0, sd.leftbottompoint.Y, sd.leftbottompoint.X, ph};
    const TRect rb{sd.rightbottompoint.X, sd.rightbottompoint.Y, pw, ph};
    const int ox = m_geometry.NewRBPoint.X - sd.rightbottompoint.X;
    const int oy = m_geometry.NewRBPoint.Y - sd.rightbottompoint.Y;
    // A rectangle's corners are tested with the area's edges included, so that an object that
    // ends exactly on the picture's edge or on a corner point still belongs to the area.
    auto in = [](const TRect& area, TPoint p) { return PointInsideRect(area, p); };
    for (auto& object : m_objects) {
        if (object->skinrectinapicture) continue;
        const TRect r = object->skinrect;
        const TPoint tl = r.TopLeft(), br = r.BottomRight();
        TRect o = r;
        if (in(lt, tl) && in(lt, br)) {
            o = r;
        } else if (in(rt, tl) && in(rt, br)) {
            o = r.Offset(ox, 0);
        } else if (in(lb, tl) && in(lb, br)) {
            o = r.Offset(0, oy);
        } else if (in(rb, tl) && in(rb, br)) {
            o = r.Offset(ox, oy);
        } else if (in(lt, tl) && in(rb, br)) {
            o = {r.Left, r.Top, r.Right + ox, r.Bottom + oy};
        } else if (in(lt, tl) && in(rt, br)) {
            o = {r.Left, r.Top, r.Right + ox, r.Bottom};
        } else if (in(lb, tl) && in(rb, br)) {
            o = {r.Left, r.Top + oy, r.Right + ox, r.Bottom + oy};
        } else if (in(lt, tl) && in(lb, br)) {
            o = {r.Left, r.Top, r.Right, r.Bottom + oy};
        } else if (in(rt, tl) && in(rb, br)) {
            o = {r.Left + ox, r.Top, r.Right + ox, r.Bottom + oy};
        }
        object->ObjectRect = o;
    }
    LayoutSkinButtons();
}

void TbsSkinForm::LayoutSkinButtons() {
    const TbsFormGeometry& g = m_geometry;
    TRect area;
    if (!IsEmptyRect(g.NewButtonsRect))
        area = g.NewButtonsRect;
    else if (!IsEmptyRect(g.NewCaptionRect))
        area = g.NewCaptionRect;
    else
        return;
    const bool inButtonsRect = !IsEmptyRect(g.NewButtonsRect);

    // The first visible caption button with its own picture for each command.
    auto candidate = [this](TbsStdCommand command) -> TbsActiveSkinObject* {
        for (auto& object : m_objects) {
            if (!object->Visible || !object->skinrectinapicture) continue;
            if (auto* std = dynamic_cast<TbsSkinStdButtonObject*>(object.get());
                std && std->Command == command)
                return std;
            if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(object.get()); a && a->Command == command)
                return a;
        }
        return nullptr;
    };
    auto sizeOf = [this](TbsActiveSkinObject* o) -> TPoint {
        auto* std = dynamic_cast<TbsSkinStdButtonObject*>(o);
        if (std && std->Command == cmSysMenu && m_showIcon) return SmallIconSize();
        return {RectWidthOf(o->skinrect), RectHeightOf(o->skinrect)};
    };
    const TbsStdCommand order[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray};
    TbsSkinCaptionObject* caption = CaptionObject();
    TbsActiveSkinObject* sysMenu = candidate(cmSysMenu);

    if (!g.ButtonsInLeft) {
        int x = area.Right;
        const int y = area.Top;
        for (TbsStdCommand command : order) {
            TbsActiveSkinObject* o = candidate(command);
            if (!o) continue;
            const TPoint s = sizeOf(o);
            o->ObjectRect = {x - s.X, y, x, y + s.Y};
            x -= s.X + g.ButtonsOffset;
        }
        if (!inButtonsRect && caption) caption->ObjectRect.Right = x + g.ButtonsOffset;
        if (sysMenu && !IsEmptyRect(g.NewCaptionRect)) {
            const TPoint s = sizeOf(sysMenu);
            const int left = g.NewCaptionRect.Left;
            const int top = g.NewCaptionRect.Top + RectHeightOf(g.NewCaptionRect) / 2 - s.Y / 2;
            sysMenu->ObjectRect = {left, top, left + s.X, top + s.Y};
            const int after = sysMenu->ObjectRect.Right + g.ButtonsOffset;
            if (caption) caption->ObjectRect.Left = after - g.ButtonsOffset;
        }
        return;
    }

    int x = area.Left;
    const int y = area.Top;
    bool first = true;
    auto place = [&](TbsActiveSkinObject* o) {
        if (!first) x += g.ButtonsOffset;
        first = false;
        const TPoint s = sizeOf(o);
        o->ObjectRect = {x, y, x + s.X, y + s.Y};
        x += s.X;
    };
    for (TbsStdCommand command : order)
        if (TbsActiveSkinObject* o = candidate(command)) place(o);
    if (!inButtonsRect) {
        if (sysMenu) place(sysMenu);
        if (caption) caption->ObjectRect.Left = x + g.ButtonsOffset;
    }
}

void TbsSkinForm::LayoutDefaultObjects() {
    const int w = m_formWidth;
    const int captionHeight = DefCaptionHeight();
    const int size = DefButtonSize();
    auto find = [this](TbsStdCommand command) -> TbsSkinStdButtonObject* {
        for (auto& object : m_objects)
            if (auto* std = dynamic_cast<TbsSkinStdButtonObject*>(object.get());
                std && std->Command == command && std->Visible)
                return std;
        return nullptr;
    };
    int x = w - kDefBorder;
    for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        TbsSkinStdButtonObject* o = find(command);
        if (!o) continue;
        o->ObjectRect = {x - size, kDefButtonTop, x, kDefButtonTop + size};
        x -= size;
    }
    m_defCaptionRect = {kDefBorder, kDefBorder, x, kDefBorder + captionHeight};
    if (TbsSkinStdButtonObject* sys = find(cmSysMenu)) {
        const TPoint s = m_showIcon ? SmallIconSize() : TPoint{size, size};
        sys->ObjectRect = {kDefBorder, kDefButtonTop, kDefBorder + s.X, kDefButtonTop + s.Y};
        m_defCaptionRect.Left = sys->ObjectRect.Right;
    }
    if (m_defCaptionRect.Right < m_defCaptionRect.Left) m_defCaptionRect.Right = m_defCaptionRect.Left;
}

// ---- Region ----

void TbsSkinForm::SetFormRegion() {
    if (!m_form) return;
    const bool masked =
        m_skinned && !m_skinData->MaskName.empty() && !m_skinData->FrameMask.Empty() && !NoFrame();
    if (!masked) {
        m_maskStrips = {};
        if (m_form->WindowRgn()) m_form->SetWindowRgn(std::nullopt);
        return;
    }
    const TbsSkinData& sd = *m_skinData;
    const TbsFormGeometry& g = m_geometry;
    const TbsFrameGeometry maskGeometry{sd.lefttoppoint, sd.righttoppoint, sd.leftbottompoint,
                                        sd.rightbottompoint, sd.maskrectarea};
    const TbsFrameGeometry newGeometry{g.NewLTPoint, g.NewRTPoint, g.NewLBPoint, g.NewRBPoint,
                                       g.NewMaskRectArea};
    m_maskStrips = {};
    ComposeMaskStrips(m_maskStrips, m_skinData->FrameMask, maskGeometry, m_formWidth, newGeometry);
    TRegion region;
    if (!IsEmptyRect(g.NewMaskRectArea)) region = TRegion(g.NewMaskRectArea);
    auto add = [&region](const TBitmap& strip, int dx, int dy) {
        if (auto r = RegionFromBitmap(strip)) region.Union(r->Offset(dx, dy));
    };
    add(m_maskStrips.Top, 0, 0);
    add(m_maskStrips.Bottom, 0, g.NewMaskRectArea.Bottom);
    add(m_maskStrips.Left, 0, g.NewMaskRectArea.Top);
    add(m_maskStrips.Right, g.NewMaskRectArea.Right, g.NewMaskRectArea.Top);
    m_form->SetWindowRgn(region, true);
}

bool TbsSkinForm::PointInMask(TPoint p) const {
    const TRect& m = m_geometry.NewMaskRectArea;
    if (m.Contains(p)) return true;
    auto black = [](const TBitmap& b, int x, int y) {
        return x >= 0 && y >= 0 && x < b.Width() && y < b.Height() && (b.ScanLine(y)[x] & 0x00FFFFFFu) == 0;
    };
    if (p.Y < m.Top) return black(m_maskStrips.Top, p.X, p.Y);
    if (p.Y >= m.Bottom) return black(m_maskStrips.Bottom, p.X, p.Y - m.Bottom);
    if (p.X >= m.Right) return black(m_maskStrips.Right, p.X - m.Right, p.Y - m.Top);
    return black(m_maskStrips.Left, p.X, p.Y - m.Top);
}

// ---- Hit tests ----

bool TbsSkinForm::InCaptionObject(TPoint p) const {
    for (const auto& object : m_objects)
        if (object->Visible && dynamic_cast<TbsSkinCaptionObject*>(object.get()) &&
            object->ObjectRect.Contains(p))
            return true;
    return false;
}

int TbsSkinForm::HitTest(TPoint p) {
    if (NoFrame()) return platform::ui::HTCLIENT;
    return m_skinned ? SkinnedHitTest(p) : DefaultHitTest(p);
}

int TbsSkinForm::SkinnedHitTest(TPoint p) {
    using namespace platform::ui;
    const TbsFormGeometry& g = m_geometry;
    if (m_rollUpState || WindowState() == wsMinimized) return InCaptionObject(p) ? HTCAPTION : HTOBJECT;
    if (m_activeObject != -1 && !InCaptionObject(p) && !g.NewClRect.Contains(p) && !m_inSizeMove)
        return HTOBJECT;
    if (WindowState() != wsMaximized && IsSizeAble()) {
        const int b = m_skinData->borderwidth;
        const TPoint probes[] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
        const int w = m_formWidth, h = m_formHeight;
        bool edge = false;
        if (m_maskStrips.Top.Empty() && m_maskStrips.Bottom.Empty() && m_maskStrips.Left.Empty() &&
            m_maskStrips.Right.Empty()) {
            for (const TPoint& q : probes)
                if (q.X < 0 || q.Y < 0 || q.X >= w || q.Y >= h) edge = true;
        } else if (!g.NewMaskRectArea.Contains(p)) {
            for (const TPoint& q : probes)
                if (!PointInMask(q)) edge = true;
        }
        if (edge) {
            const TRect& cl = g.NewClRect;
            const TPoint lt = g.NewHitTestLTPoint, rt = g.NewHitTestRTPoint;
            const TPoint lb = g.NewHitTestLBPoint, rb = g.NewHitTestRBPoint;
            if (p.X <= lt.X && p.Y <= lt.Y) return HTTOPLEFT;
            if (p.X >= rt.X && p.Y <= rt.Y) return HTTOPRIGHT;
            if (p.X <= lb.X && p.Y >= lb.Y) return HTBOTTOMLEFT;
            if (p.X >= rb.X && p.Y >= rb.Y) return HTBOTTOMRIGHT;
            if (TRect{lt.X, 0, rt.X, cl.Top}.Contains(p)) return HTTOP;
            if (TRect{lb.X, cl.Bottom, rb.X, h}.Contains(p)) return HTBOTTOM;
            if (TRect{0, lt.Y, cl.Left, lb.Y}.Contains(p)) return HTLEFT;
            if (TRect{cl.Right, rt.Y, w, rb.Y}.Contains(p)) return HTRIGHT;
        }
    }
    if (g.NewClRect.Contains(p)) return HTCLIENT;
    if (InCaptionObject(p)) return HTCAPTION;
    return HTOBJECT;
}

int TbsSkinForm::DefaultHitTest(TPoint p) {
    using namespace platform::ui;
    if (m_objects.empty()) {
        CreateDefaultObjects();
        CheckObjects();
    }
    LayoutDefaultObjects();
    const int w = m_formWidth, h = m_formHeight;
    const TWindowState state = WindowState();
    const bool border = state != wsMaximized && state != wsMinimized && !m_rollUpState && IsSizeAble();
    if (border) {
        if (m_activeObject != -1) return HTOBJECT;
        if (p.X <= 2 && p.Y <= 2) return HTTOPLEFT;
        if (p.X >= w - 2 && p.Y <= 2) return HTTOPRIGHT;
        if (p.X <= 2 && p.Y >= h - 2) return HTBOTTOMLEFT;
        if (p.X >= w - 2 && p.Y >= h - 2) return HTBOTTOMRIGHT;
        if (p.X <= 2) return HTLEFT;
        if (p.Y <= 2) return HTTOP;
        if (p.X >= w - 2) return HTRIGHT;
        if (p.Y >= h - 2) return HTBOTTOM;
    }
    if (m_defCaptionRect.Contains(p)) return HTCAPTION;
    const int captionHeight = DefCaptionHeight();
    if (TRect{kDefBorder, captionHeight + kDefBorder, w - kDefBorder, h - kDefBorder}.Contains(p))
        return HTCLIENT;
    return HTOBJECT;
}

}  // namespace skin
