#include "platform/forms/MainMenuBar.h"

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;
using gfx::TCanvas;

namespace {

TWindowSystem* System() {
    return TWindowSystem::Current();
}

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

// ---- TMenuDropDown ----

TMenuDropDown::TMenuDropDown(TMainMenuBar* bar, TMenuItem* item) : TCustomControl(bar), m_bar(bar), m_item(item) {
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
        const gfx::TColor text = !sub->Enabled() ? gfx::clGrayText : selected ? gfx::clHighlightText : gfx::clMenuText;
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
        if (sub->Count() > 0) c.DrawText(">", tr, gfx::DT_RIGHT | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
    }
}

void TMenuDropDown::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    SetSelected(ItemAt(y));
}

void TMenuDropDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const int index = ItemAt(y);
    const auto alive = WeakRef();
    TCustomControl::MouseUp(button, shift, x, y);
    if (!alive || button != TMouseButton::mbLeft || !Selectable(index)) return;
    m_bar->Choose(m_item->Items(index));
}

// ---- TMainMenuBar ----

// Owned by no component (so that form resources never list it): the form frees it as its child.
TMainMenuBar::TMainMenuBar(TForm* form) : TCustomControl(nullptr), m_form(form) {
    SetColor(gfx::clMenu);
    SetTabStop(false);
    SetParent(form);
    UpdateBar();
}

TMainMenuBar::~TMainMenuBar() {
    Destroying();
    m_dropDown = nullptr;
}

int TMainMenuBar::BarHeight() {
    const int metric = GetSystemMetrics(SM_CYMENU);
    return metric > 0 ? metric : 20;
}

std::vector<TMenuItem*> TMainMenuBar::Items() const {
    std::vector<TMenuItem*> items;
    if (TMainMenu* menu = m_form->Menu())
        for (TMenuItem* item : menu->MergedItems())
            if (item->Visible()) items.push_back(item);
    return items;
}

core::TRect TMainMenuBar::ItemRect(int index) const {
    const std::vector<TMenuItem*> items = Items();
    int x = 2;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const int w = MeasureText(Font(), StripHotkey(items[static_cast<size_t>(i)]->Caption())) + 2 * kItemPadding;
        if (i == index) return {x, 1, x + w, Height() - 1};
        x += w;
    }
    return {};
}

int TMainMenuBar::ItemAt(int x, int y) const {
    const int n = static_cast<int>(Items().size());
    for (int i = 0; i < n; ++i)
        if (const core::TRect r = ItemRect(i); r.Contains({x, y})) return i;
    return -1;
}

void TMainMenuBar::UpdateBar() {
    SetBounds(0, 0, m_form->ClientRect().Width(), BarHeight());
    if (m_selected >= static_cast<int>(Items().size())) ExitMenuMode();
    Invalidate();
}

void TMainMenuBar::Paint() {
    TCanvas& c = Canvas();
    c.Brush.Style = gfx::TBrushStyle::bsSolid;
    c.Brush.Color = gfx::clMenu;
    c.FillRect({0, 0, Width(), Height()});
    c.Brush.Color = gfx::clBtnShadow;
    c.FillRect({0, Height() - 1, Width(), Height()});
    const std::vector<TMenuItem*> items = Items();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const TMenuItem* item = items[static_cast<size_t>(i)];
        const core::TRect r = ItemRect(i);
        const bool selected = i == m_selected;
        c.Brush.Style = gfx::TBrushStyle::bsSolid;
        c.Brush.Color = selected ? gfx::clHighlight : gfx::clMenu;
        if (selected) c.FillRect(r);
        c.Brush.Style = gfx::TBrushStyle::bsClear;
        c.Font = Font();
        c.Font.SetColor(!item->Enabled() ? gfx::clGrayText : selected ? gfx::clHighlightText : gfx::clMenuText);
        core::TRect tr = r;
        c.DrawText(item->Caption(), tr, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
    }
}

void TMainMenuBar::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_GETDLGCODE:
            m.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
            return;
        case WM_KILLFOCUS:
            TCustomControl::WndProc(m);
            if (m_menuMode) {
                m_previousFocus = 0;
                ExitMenuMode();
            }
            return;
        default:
            TCustomControl::WndProc(m);
            return;
    }
}

void TMainMenuBar::EnterMenuMode(char32_t key) {
    const std::vector<TMenuItem*> items = Items();
    if (items.empty()) return;
    int index = 0;
    if (key != 0) {
        index = AccelIndex(key);
        if (index < 0) return;
        // An item without sub-items runs at once.
        if (TMenuItem* item = items[static_cast<size_t>(index)]; item->Count() == 0) {
            Choose(item);
            return;
        }
    }
    if (!m_menuMode) {
        m_menuMode = true;
        TWindow* focus = System()->GetFocus();
        m_previousFocus = focus ? focus->Id() : 0;
        if (TWindow* w = Handle()) System()->SetFocus(w);
    }
    if (key != 0)
        Open(index);
    else
        Select(index, false);
}

void TMainMenuBar::ExitMenuMode() {
    CloseDropDown();
    const bool wasInMenuMode = m_menuMode;
    m_menuMode = false;
    m_selected = -1;
    Invalidate();
    if (!wasInMenuMode) return;
    // The bar held the keyboard only for the menu mode: it never stays the form's active control.
    if (m_form->ActiveControl() == this && !m_form->IsDestroying()) m_form->SetActiveControl(nullptr);
    const uint64_t previous = m_previousFocus;
    m_previousFocus = 0;
    if (TWindow* w = previous ? System()->FindWindow(previous) : nullptr; w && w->IsWindowVisible())
        System()->SetFocus(w);
}

void TMainMenuBar::Select(int index, bool open) {
    const int n = static_cast<int>(Items().size());
    if (index < 0 || index >= n) return;
    if (open) {
        Open(index);
        return;
    }
    CloseDropDown();
    m_selected = index;
    Invalidate();
}

void TMainMenuBar::Open(int index) {
    const std::vector<TMenuItem*> items = Items();
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    TMenuItem* item = items[static_cast<size_t>(index)];
    if (!m_menuMode) {
        m_menuMode = true;
        TWindow* focus = System()->GetFocus();
        m_previousFocus = focus ? focus->Id() : 0;
        if (TWindow* w = Handle()) System()->SetFocus(w);
    }
    CloseDropDown();
    m_selected = index;
    Invalidate();
    if (item->Count() == 0 || !item->Enabled()) return;
    m_dropDown = new TMenuDropDown(this, item);
    const core::TRect r = ItemRect(index);
    const core::TPoint at = ClientToScreen({r.Left, r.Bottom});
    m_dropDown->SetBounds(at.X, at.Y, m_dropDown->Width(), m_dropDown->Height());
    if (TWindow* w = m_dropDown->Handle())
        System()->SetWindowPos(w, nullptr, w->WindowRect(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_dropDown->Step(1);
}

void TMainMenuBar::CloseDropDown() {
    if (!m_dropDown) return;
    TMenuDropDown* d = m_dropDown;
    m_dropDown = nullptr;
    delete d;
}

void TMainMenuBar::Choose(TMenuItem* item) {
    if (!item || !IsSelectable(item)) return;
    if (item->Count() > 0) return;
    ExitMenuMode();
    item->Click();
}

int TMainMenuBar::AccelIndex(char32_t key) const {
    const std::vector<TMenuItem*> items = Items();
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (items[static_cast<size_t>(i)]->Enabled() && IsAccel(key, items[static_cast<size_t>(i)]->Caption())) return i;
    return -1;
}

void TMainMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != TMouseButton::mbLeft) return;
    const int index = ItemAt(x, y);
    if (index < 0) return;
    if (m_dropDown && index == m_selected) {
        ExitMenuMode();
        return;
    }
    TMenuItem* item = Items()[static_cast<size_t>(index)];
    if (item->Count() == 0) {
        Choose(item);
        return;
    }
    Open(index);
}

void TMainMenuBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    // With a drop-down open, pointing at another item opens that one.
    if (!m_dropDown) return;
    const int index = ItemAt(x, y);
    if (index >= 0 && index != m_selected) Open(index);
}

void TMainMenuBar::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (!m_menuMode || key == 0) return;
    const int n = static_cast<int>(Items().size());
    if (n == 0) return;
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT: {
            const int index = (m_selected + (key == VK_RIGHT ? 1 : -1) + n) % n;
            Select(index, m_dropDown != nullptr);
            break;
        }
        case VK_DOWN:
        case VK_UP:
            if (m_dropDown)
                m_dropDown->Step(key == VK_DOWN ? 1 : -1);
            else if (key == VK_DOWN)
                Open(m_selected);
            break;
        case VK_RETURN:
            if (m_dropDown && m_dropDown->Selected() >= 0)
                Choose(m_dropDown->Item()->Items(m_dropDown->Selected()));
            else if (m_selected >= 0 && Items()[static_cast<size_t>(m_selected)]->Count() == 0)
                Choose(Items()[static_cast<size_t>(m_selected)]);
            else
                Open(m_selected);
            break;
        case VK_ESCAPE:
            if (m_dropDown)
                Select(m_selected, false);
            else
                ExitMenuMode();
            break;
        case VK_F10:
        case VK_MENU:
            ExitMenuMode();
            break;
        default:
            return;
    }
    key = 0;
}

void TMainMenuBar::KeyPress(char32_t& key) {
    TCustomControl::KeyPress(key);
    if (!m_menuMode || key == 0) return;
    if (m_dropDown) {
        TMenuItem* item = m_dropDown->Item();
        for (int i = 0; i < item->Count(); ++i)
            if (IsSelectable(item->Items(i)) && IsAccel(key, item->Items(i)->Caption())) {
                key = 0;
                Choose(item->Items(i));
                return;
            }
    } else if (const int index = AccelIndex(key); index >= 0) {
        key = 0;
        if (TMenuItem* item = Items()[static_cast<size_t>(index)]; item->Count() == 0)
            Choose(item);
        else
            Open(index);
    }
}

// ---- The form's side ----

TMainMenuBar* FindMenuBar(const TForm& form) {
    for (int i = 0; i < form.ControlCount(); ++i)
        if (auto* bar = dynamic_cast<TMainMenuBar*>(form.Controls(i)); bar && !bar->IsDestroying()) return bar;
    return nullptr;
}

void UpdateMenuBar(TForm& form) {
    if (form.IsDestroying()) return;
    TMainMenuBar* bar = FindMenuBar(form);
    // An MDI child's menu shows merged in its main form's bar.
    if (!form.Menu() || form.FormStyle() == fsMDIChild) {
        delete bar;
        bar = nullptr;
    } else if (!bar) {
        bar = new TMainMenuBar(&form);
    } else {
        bar->UpdateBar();
    }
    if (TMdiClient* client = form.MDIClient()) client->SetTopInset(bar ? bar->Height() : 0);
}

bool MenuBarKeyMenu(TForm& form, char32_t key) {
    TMainMenuBar* bar = FindMenuBar(form);
    if (!bar) return false;
    if (bar->InMenuMode() && key == 0) {
        bar->ExitMenuMode();
        return true;
    }
    bar->EnterMenuMode(key);
    return true;
}

}  // namespace platform::forms
