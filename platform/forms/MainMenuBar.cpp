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

void FrameChanged(TForm& form) {
    if (TWindow* w = form.HandleIfAllocated())
        System()->SetWindowPos(w, nullptr, w->WindowRect(),
                               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsSelectable(const TMenuItem* item) {
    return item->Visible() && item->Enabled() && !item->IsLine();
}

}  // namespace

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
    // The drop-downs are owned components: they go with the bar.
    m_dropDowns.clear();
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
        const int w =
            MeasureText(Font(), StripHotkey(items[static_cast<size_t>(i)]->Caption())) + 2 * kItemPadding;
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
    // Over the frame's strip above the client area.
    SetBounds(0, -BarHeight(), m_form->ClientRect().Width(), BarHeight());
    if (m_selected >= static_cast<int>(Items().size())) ExitMenuMode();
    Invalidate();
}

core::TRect TMainMenuBar::StripRect() const {
    const TWindow* w = m_form->HandleIfAllocated();
    if (!w) return {};
    const core::TRect client = w->ClientArea();
    return {client.Left, client.Top - Height(), client.Right, client.Top};
}

void TMainMenuBar::Invalidate() {
    if (TWindow* w = m_form->HandleIfAllocated(); w && !IsDestroying()) System()->RedrawFrame(w);
}

// The bar's own window lies outside the client area and shows nothing; the form's frame shows it.
void TMainMenuBar::Paint() {}

void TMainMenuBar::PaintStrip() {
    TWindow* w = m_form->HandleIfAllocated();
    const core::TRect strip = StripRect();
    if (!w || strip.Width() <= 0 || strip.Height() <= 0) return;
    gfx::TBitmap buffer(strip.Width(), strip.Height());
    PaintItems(buffer.Canvas());
    TDeviceContextPtr dc = System()->GetWindowDC(w);
    if (dc) dc->Canvas().Draw(strip.Left, strip.Top, buffer);
}

void TMainMenuBar::PaintItems(TCanvas& c) {
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
        c.Font.SetColor(!item->Enabled() ? gfx::clGrayText
                        : selected       ? gfx::clHighlightText
                                         : gfx::clMenuText);
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

void TMainMenuBar::TakeKeyboard() {
    if (m_menuMode) return;
    m_menuMode = true;
    TWindow* focus = System()->GetFocus();
    m_previousFocus = focus ? focus->Id() : 0;
    if (TWindow* w = Handle()) System()->SetFocus(w);
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
    TakeKeyboard();
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
    TakeKeyboard();
    CloseDropDown();
    m_selected = index;
    Invalidate();
    if (item->Count() == 0 || !item->Enabled()) return;
    auto* drop = new TMenuDropDown(this, item);
    m_dropDowns.push_back(drop);
    const core::TRect r = ItemRect(index);
    const core::TPoint at = ClientToScreen({r.Left, r.Bottom});
    drop->SetBounds(at.X, at.Y, drop->Width(), drop->Height());
    if (TWindow* w = drop->Handle())
        System()->SetWindowPos(w, nullptr, w->WindowRect(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    drop->Step(1);
}

void TMainMenuBar::CloseDropDown() {
    CloseDeeperThan(-1);
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
        if (items[static_cast<size_t>(i)]->Enabled() &&
            IsAccel(key, items[static_cast<size_t>(i)]->Caption()))
            return i;
    return -1;
}

void TMainMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != TMouseButton::mbLeft) return;
    const int index = ItemAt(x, y);
    if (index < 0) return;
    if (DropDown() && index == m_selected) {
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
    if (!DropDown()) return;
    const int index = ItemAt(x, y);
    if (index >= 0 && index != m_selected) Open(index);
}

void TMainMenuBar::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (!m_menuMode || key == 0) return;
    const int n = static_cast<int>(Items().size());
    if (n == 0) return;
    TMenuDropDown* deepest = DeepestDropDown();
    TMenuItem* chosen = deepest ? deepest->SelectedItem() : nullptr;
    switch (key) {
        case VK_RIGHT:
            if (chosen && chosen->Count() > 0) {
                OpenSubMenu(deepest->Level(), true);
                break;
            }
            Select((m_selected + 1) % n, deepest != nullptr);
            break;
        case VK_LEFT:
            if (DropDownCount() > 1) {
                CloseDeeperThan(DropDownCount() - 2);
                break;
            }
            Select((m_selected - 1 + n) % n, deepest != nullptr);
            break;
        case VK_DOWN:
        case VK_UP:
            if (deepest)
                deepest->Step(key == VK_DOWN ? 1 : -1);
            else if (key == VK_DOWN)
                Open(m_selected);
            break;
        case VK_RETURN:
            if (chosen && chosen->Count() > 0)
                OpenSubMenu(deepest->Level(), true);
            else if (chosen)
                Choose(chosen);
            else if (m_selected >= 0 && Items()[static_cast<size_t>(m_selected)]->Count() == 0)
                Choose(Items()[static_cast<size_t>(m_selected)]);
            else if (!deepest)
                Open(m_selected);
            break;
        case VK_ESCAPE:
            if (DropDownCount() > 1)
                CloseDeeperThan(DropDownCount() - 2);
            else if (deepest)
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
    if (TMenuDropDown* deepest = DeepestDropDown()) {
        TMenuItem* item = deepest->Item();
        for (int i = 0; i < item->Count(); ++i)
            if (IsSelectable(item->Items(i)) && IsAccel(key, item->Items(i)->Caption())) {
                key = 0;
                if (item->Items(i)->Count() > 0) {
                    deepest->SetSelected(i);
                    OpenSubMenu(deepest->Level(), true);
                } else {
                    Choose(item->Items(i));
                }
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
        if (auto* bar = dynamic_cast<TMainMenuBar*>(form.Controls(i)); bar && !bar->IsDestroying())
            return bar;
    return nullptr;
}

void UpdateMenuBar(TForm& form) {
    if (form.IsDestroying()) return;
    TMainMenuBar* bar = FindMenuBar(form);
    // An MDI child's menu shows merged in its main form's bar.
    if (!form.Menu() || form.FormStyle() == fsMDIChild) {
        if (!bar) return;
        delete bar;
        FrameChanged(form);
        return;
    }
    if (!bar) {
        bar = new TMainMenuBar(&form);
        // The client area gives up the bar's strip.
        FrameChanged(form);
        bar->UpdateBar();
    } else {
        bar->UpdateBar();
    }
    if (TMdiClient* client = form.MDIClient()) client->SetTopInset(0);
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
