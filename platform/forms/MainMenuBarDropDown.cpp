// TMenuDropDown: one open list of sub-items of the plain menu bar, and the bar's stack of them.

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/MainMenuBar.h"
#include "platform/forms/Menus.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;
using gfx::TCanvas;

namespace {

int MeasureText(const TFont& font, const std::string& text) {
    gfx::TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font = font;
    return c.TextWidth(text);
}

bool IsSelectable(const TMenuItem* item) {
    return item->Visible() && item->Enabled() && !item->IsLine();
}

}  // namespace

TMenuDropDown::TMenuDropDown(TMainMenuBar* bar, TMenuItem* item, int level)
    : TCustomControl(bar), m_bar(bar), m_item(item), m_level(level) {
    SetVisible(false);
    SetColor(gfx::clMenu);
    int width = 80;
    int height = 4;
    for (int i = 0; i < item->Count(); ++i) {
        const TMenuItem* sub = item->Items(i);
        if (!sub->Visible()) continue;
        height += sub->IsLine() ? kLineHeight : kItemHeight;
        width = std::max(width, 2 * 20 + MeasureText(Font(), StripHotkey(sub->Caption())) + 40);
    }
    SetBounds(0, 0, width, height);
}

void TMenuDropDown::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
}

core::TRect TMenuDropDown::ItemRect(int index) const {
    int y = 2;
    for (int i = 0; i < m_item->Count(); ++i) {
        const TMenuItem* sub = m_item->Items(i);
        if (!sub->Visible()) continue;
        const int h = sub->IsLine() ? kLineHeight : kItemHeight;
        if (i == index) return {2, y, Width() - 2, y + h};
        y += h;
    }
    return {};
}

int TMenuDropDown::ItemAt(int y) const {
    for (int i = 0; i < m_item->Count(); ++i)
        if (const core::TRect r = ItemRect(i); r.Height() > 0 && y >= r.Top && y < r.Bottom) return i;
    return -1;
}

bool TMenuDropDown::Selectable(int index) const {
    return index >= 0 && index < m_item->Count() && IsSelectable(m_item->Items(index));
}

TMenuItem* TMenuDropDown::SelectedItem() const {
    return Selectable(m_selected) ? m_item->Items(m_selected) : nullptr;
}

void TMenuDropDown::SetSelected(int index) {
    if (!Selectable(index)) index = -1;
    if (index == m_selected) return;
    m_selected = index;
    Invalidate();
}

void TMenuDropDown::Step(int direction) {
    const int n = m_item->Count();
    if (n == 0) return;
    int index = m_selected;
    for (int k = 0; k < n; ++k) {
        index = index < 0 ? (direction > 0 ? 0 : n - 1) : (index + direction + n) % n;
        if (Selectable(index)) {
            SetSelected(index);
            return;
        }
    }
}

void TMenuDropDown::Paint() {
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    c.Brush.Style = gfx::TBrushStyle::bsSolid;
    c.Brush.Color = gfx::clMenu;
    c.FillRect({0, 0, W, H});
    c.Brush.Color = gfx::clBtnShadow;
    c.FrameRect({0, 0, W, H});
    for (int i = 0; i < m_item->Count(); ++i) {
        const TMenuItem* sub = m_item->Items(i);
        const core::TRect r = ItemRect(i);
        if (!sub->Visible() || r.Height() <= 0) continue;
        if (sub->IsLine()) {
            c.Brush.Style = gfx::TBrushStyle::bsSolid;
            c.Brush.Color = gfx::clBtnShadow;
            c.FillRect({r.Left + 2, r.Top + kLineHeight / 2 - 1, r.Right - 2, r.Top + kLineHeight / 2});
            c.Brush.Color = gfx::clBtnHighlight;
            c.FillRect({r.Left + 2, r.Top + kLineHeight / 2, r.Right - 2, r.Top + kLineHeight / 2 + 1});
            continue;
        }
        const bool selected = i == m_selected;
        c.Brush.Style = gfx::TBrushStyle::bsSolid;
        c.Brush.Color = selected ? gfx::clHighlight : gfx::clMenu;
        c.FillRect(r);
        const gfx::TColor text = !sub->Enabled() ? gfx::clGrayText
                                 : selected      ? gfx::clHighlightText
                                                 : gfx::clMenuText;
        if (sub->Checked()) {
            // A small tick in the left margin.
            c.Pen.Color = text;
            const int x = r.Left + 6, y = r.Top + r.Height() / 2;
            for (int k = 0; k < 3; ++k) {
                c.MoveTo(x, y - 1 + k);
                c.LineTo(x + 3, y + 2 + k);
                c.LineTo(x + 8, y - 3 + k);
            }
        }
        c.Brush.Style = gfx::TBrushStyle::bsClear;
        c.Font = Font();
        c.Font.SetColor(text);
        core::TRect tr{r.Left + 20, r.Top, r.Right - 8, r.Bottom};
        c.DrawText(sub->Caption(), tr, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
        if (sub->ShortCut() != scNone)
            c.DrawText(ShortCutToText(sub->ShortCut()), tr,
                       gfx::DT_RIGHT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
        if (sub->Count() > 0) {
            // A small right-pointing triangle: the item opens a further drop-down.
            c.Brush.Style = gfx::TBrushStyle::bsSolid;
            c.Brush.Color = text;
            const int x = r.Right - 10, y = r.Top + r.Height() / 2;
            for (int k = 0; k < 4; ++k) c.FillRect({x + k, y - 3 + k, x + k + 1, y + 4 - k});
        }
    }
}

void TMenuDropDown::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    const int index = ItemAt(y);
    if (index == m_selected && index >= 0) return;
    SetSelected(index);
    // Pointing at an item opens its sub-items at once; pointing elsewhere closes deeper levels.
    if (TMenuItem* item = SelectedItem(); item && item->Count() > 0)
        m_bar->OpenSubMenu(m_level, false);
    else
        m_bar->CloseDeeperThan(m_level);
}

void TMenuDropDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const int index = ItemAt(y);
    const auto alive = WeakRef();
    TCustomControl::MouseUp(button, shift, x, y);
    if (!alive || button != TMouseButton::mbLeft || !Selectable(index)) return;
    TMenuItem* item = m_item->Items(index);
    if (item->Count() > 0) {
        SetSelected(index);
        m_bar->OpenSubMenu(m_level, false);
        return;
    }
    m_bar->Choose(item);
}

// ---- The bar's drop-down levels ----

TMenuDropDown* TMainMenuBar::DropDownAt(int level) const {
    if (level < 0 || level >= DropDownCount()) return nullptr;
    return m_dropDowns[static_cast<size_t>(level)];
}

void TMainMenuBar::CloseDeeperThan(int level) {
    while (DropDownCount() > level + 1) {
        TMenuDropDown* d = m_dropDowns.back();
        m_dropDowns.pop_back();
        delete d;
    }
}

void TMainMenuBar::OpenSubMenu(int level, bool select) {
    TMenuDropDown* parent = DropDownAt(level);
    TMenuItem* item = parent ? parent->SelectedItem() : nullptr;
    if (!item || item->Count() == 0) return;
    CloseDeeperThan(level);
    auto* drop = new TMenuDropDown(this, item, level + 1);
    m_dropDowns.push_back(drop);
    // Beside the item, to the right unless that passes the screen's right edge.
    const core::TRect r = parent->ItemRect(parent->Selected());
    const core::TPoint right = parent->ClientToScreen({parent->Width(), r.Top - 2});
    int x = right.X - 2;
    if (x + drop->Width() > GetSystemMetrics(SM_CXSCREEN))
        x = parent->ClientToScreen({0, 0}).X - drop->Width() + 2;
    drop->SetBounds(x, right.Y, drop->Width(), drop->Height());
    if (TWindow* w = drop->Handle())
        TWindowSystem::Current()->SetWindowPos(w, nullptr, w->WindowRect(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (select) drop->Step(1);
}

}  // namespace platform::forms
