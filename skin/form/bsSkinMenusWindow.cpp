#include "skin/form/bsSkinMenusWindow.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/ImageListComponent.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsRegion.h"
#include "skin/data/bsUtilsWindow.h"
#include "skin/form/bsSkinMenus.h"

namespace skin {

using namespace platform::ui;
using platform::forms::TMenuItem;

namespace {

// Fades move in exact tenths, so that a fade always takes ten ticks.
double StepFactor(double factor, bool up) {
    return std::clamp(std::round(factor * 10.0 + (up ? 1.0 : -1.0)) / 10.0, 0.0, 1.0);
}

constexpr int kSeparatorHeight = 4;

}  // namespace

// ---- TbsSkinMenuItem ----------------------------------------------------------------------------

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow* window, TMenuItem* item)
    : Window(window), MenuItem(item) {}

bool TbsSkinMenuItem::HasSubItems() const {
    for (int i = 0; i < MenuItem->Count(); ++i)
        if (MenuItem->Items(i)->Visible()) return true;
    return false;
}

bool TbsSkinMenuItem::NeedsMorph() const {
    return Highlighted() ? MorphFactor < 1 : MorphFactor > 0;
}

// ---- TbsSkinPopupWindow: building ---------------------------------------------------------------

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu* menu) : m_menu(menu), m_menuAlive(menu->WeakRef()) {}

TbsSkinPopupWindow::~TbsSkinPopupWindow() {
    Hide();
}

void TbsSkinPopupWindow::Hide() {
    TWindow* window = m_window;
    m_window = nullptr;
    if (window)
        if (TWindowSystem* ws = TWindowSystem::Current(); ws && ws->IsWindow(window))
            ws->DestroyWindow(window);
}

void TbsSkinPopupWindow::BuildItems(const std::vector<TMenuItem*>& items) {
    m_skinData = m_menu->SkinData();
    if (m_skinData && !m_skinData->SkinIsEmpty) {
        m_windowRecord = &m_skinData->PopupWindow;
        m_windowPicture = m_skinData->ActivePicture(m_windowRecord->windowpictureindex);
        if (m_windowPicture && m_windowPicture->Empty()) m_windowPicture = nullptr;
        m_maskPicture =
            m_windowPicture ? m_skinData->ActivePicture(m_windowRecord->maskpictureindex) : nullptr;
        // A mask of another size than the window picture cannot be cut with its corner points.
        if (m_maskPicture && (m_maskPicture->Width() != m_windowPicture->Width() ||
                              m_maskPicture->Height() != m_windowPicture->Height()))
            m_maskPicture = nullptr;
        for (const auto& record : m_skinData->ObjectRecords)
            if (auto* itemRecord = dynamic_cast<const TbsDataSkinMenuItem*>(record.get())) {
                m_itemRecord = itemRecord;
                m_itemPicture = m_skinData->ActivePicture(itemRecord->activepictureindex);
                break;
            }
        // A record without its picture, or without a normal image, would give items of no height
        // and nothing to draw: such a skin gets the built-in items.
        if (m_itemRecord && (!m_itemPicture || IsEmptyRect(m_itemRecord->skinrect))) {
            m_itemRecord = nullptr;
            m_itemPicture = nullptr;
        }
    }
    if (m_menu->UseSkinFont && m_itemRecord) {
        m_font.SetName(m_itemRecord->fontname);
        m_font.SetHeight(m_itemRecord->fontheight);
        m_font.SetStyle(m_itemRecord->fontstyle);
        m_font.SetCharset(m_menu->DefMenuItemFont.Charset());
    } else {
        m_font = m_menu->DefMenuItemFont;
    }
    m_images = nullptr;
    if (!items.empty())
        if (const TMenuItem* parent = items.front()->Parent())
            if (const platform::forms::TMenu* menu = parent->GetParentMenu()) m_images = menu->Images();
    if (m_images && (m_images->Width() <= 0 || m_images->Height() <= 0)) m_images = nullptr;

    m_items.clear();
    for (TMenuItem* menuItem : items) {
        auto item = std::make_unique<TbsSkinMenuItem>(this, menuItem);
        if (m_itemRecord)
            item->Height = item->IsSeparator() ? RectHeightOf(m_itemRecord->dividerrect)
                                               : RectHeightOf(m_itemRecord->skinrect);
        else
            item->Height = item->IsSeparator() ? kSeparatorHeight : m_menu->DefMenuItemHeight();
        item->Height = std::max(item->Height, 0);
        m_items.push_back(std::move(item));
    }
}

int TbsSkinPopupWindow::IconColumn() const {
    return m_images ? m_images->Width() + 5 : 19;
}

void TbsSkinPopupWindow::MeasureWindow(int& width, int& height) {
    TBitmap scratch(1, 1);
    TCanvas& canvas = scratch.Canvas();
    canvas.Font = m_font;
    int textWidth = 0;
    for (const auto& item : m_items) {
        if (item->IsSeparator()) continue;
        std::string text = item->MenuItem->Caption();
        const std::string shortcut = platform::forms::ShortCutToText(item->MenuItem->ShortCut());
        if (!shortcut.empty()) text += "  " + shortcut;
        TRect r{0, 0, 0, 0};
        canvas.DrawText(text, r, platform::gfx::DT_SINGLELINE | platform::gfx::DT_CALCRECT);
        textWidth = std::max(textWidth, r.Width() + 2);
    }
    width = textWidth + IconColumn() + 19;
    height = 0;
    for (const auto& item : m_items) height += item->Height;
    if (m_windowPicture) {
        const TRect& itemsRect = m_windowRecord->itemsrect;
        width += m_windowPicture->Width() - RectWidthOf(itemsRect);
        if (m_itemRecord)
            width += m_itemRecord->textrect.Left + RectWidthOf(m_itemRecord->skinrect) -
                     m_itemRecord->textrect.Right;
        height += m_windowPicture->Height() - RectHeightOf(itemsRect);
    } else {
        width += 10;
        height += 4;
    }
    const TRect& workArea = m_menu->WorkArea();
    m_scrolling = false;
    if (workArea.Height() > 0 && height > workArea.Height()) {
        height = workArea.Height();
        m_scrolling = true;
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (m_windowPicture) {
        const int dx = width - m_windowPicture->Width(), dy = height - m_windowPicture->Height();
        m_newLT = m_windowRecord->lefttoppoint;
        m_newRT = {m_windowRecord->righttoppoint.X + dx, m_windowRecord->righttoppoint.Y};
        m_newLB = {m_windowRecord->leftbottompoint.X, m_windowRecord->leftbottompoint.Y + dy};
        m_newRB = {m_windowRecord->rightbottompoint.X + dx, m_windowRecord->rightbottompoint.Y + dy};
        const TRect& ir = m_windowRecord->itemsrect;
        m_itemsArea = {ir.Left, ir.Top, ir.Right + dx, ir.Bottom + dy};
    } else {
        m_itemsArea = {2, 2, width - 2, height - 2};
    }
}

void TbsSkinPopupWindow::LayoutItems() {
    const int margin = m_scrolling ? kScrollMarkerSize : 0;
    int y = m_itemsArea.Top + margin;
    const int bottom = m_itemsArea.Bottom - margin;
    m_firstShown = std::clamp(m_firstShown, 0, std::max(0, ItemCount() - 1));
    m_shownCount = 0;
    bool full = false;
    for (int i = 0; i < ItemCount(); ++i) {
        TbsSkinMenuItem& item = *m_items[static_cast<size_t>(i)];
        if (i >= m_firstShown && !full && y + item.Height <= bottom) {
            item.ItemRect = {m_itemsArea.Left, y, m_itemsArea.Right, y + item.Height};
            item.Shown = true;
            y += item.Height;
            ++m_shownCount;
            continue;
        }
        if (i >= m_firstShown) full = true;
        item.Shown = false;
        item.ItemRect = {};
        if (item.Hot || item.SubOpen || item.Preselected) {
            if (m_hotIndex == i) m_hotIndex = -1;
            m_menu->CancelPending(&item);
        }
        item.Hot = item.SubOpen = item.Preselected = false;
        item.MorphFactor = 0;
    }
}

void TbsSkinPopupWindow::Place(const TRect& a, bool subMenu, bool popupUp, int w, int h) {
    const TRect& wa = m_menu->WorkArea();
    bool beside = false;
    int y = a.Bottom;
    if (m_scrolling) {
        y = wa.Top;
    } else if (subMenu) {
        y = a.Top - m_itemsArea.Top;
        if (y + h > wa.Bottom) {
            if (a.Top < a.Height() / 2 + wa.Top)
                y = wa.Bottom - h;
            else
                y = std::max(wa.Top, a.Bottom + m_itemsArea.Top - h);
        }
    } else if (popupUp) {
        if (a.Top - h >= wa.Top) {
            y = a.Top - h;
        } else if (a.Top < a.Height() / 2 + wa.Top) {
            if (a.Bottom + h <= wa.Bottom) {
                y = a.Bottom;
            } else {
                y = wa.Bottom - h;
                beside = true;
            }
        } else {
            y = wa.Top;
            beside = true;
        }
    } else {
        if (a.Bottom + h <= wa.Bottom) {
            y = a.Bottom;
        } else if (a.Top < a.Height() / 2 + wa.Top) {
            y = wa.Bottom - h;
            beside = true;
        } else if (a.Top - h >= wa.Top) {
            y = a.Top - h;
        } else {
            y = wa.Top;
            beside = true;
        }
    }
    int x = a.Left;
    if (subMenu || m_scrolling || beside) {
        x = a.Right + w + 1 <= wa.Right ? a.Right + 1 : a.Left - w - 1;
    } else if (x + w > wa.Right) {
        x = wa.Right - w;
    } else if (x < wa.Left) {
        x = wa.Left;
    }
    m_bounds = {x, y, x + w, y + h};
}

void TbsSkinPopupWindow::CreateRegion() {
    if (!m_window || !m_maskPicture) return;
    const TbsDataSkinPopupWindow& r = *m_windowRecord;
    const TbsFrameGeometry maskGeometry{r.lefttoppoint, r.righttoppoint, r.leftbottompoint,
                                        r.rightbottompoint, r.itemsrect};
    const TbsFrameGeometry newGeometry{m_newLT, m_newRT, m_newLB, m_newRB, m_itemsArea};
    std::optional<TRegion> region =
        BuildFrameRegion(*m_maskPicture, maskGeometry, newGeometry, m_bounds.Width());
    if (region) TWindowSystem::Instance().SetWindowRgn(m_window, std::move(region), false);
}

void TbsSkinPopupWindow::CreateWindowHandle(bool topLevel) {
    TWindowSystem& ws = TWindowSystem::Instance();
    const bool layered = m_menu->AlphaBlend && SupportsLayeredWindows();
    TCreateParams params;
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST | (layered ? WS_EX_LAYERED : 0);
    params.ClassStyle = CS_SAVEBITS;
    params.Bounds = m_bounds;
    if (platform::forms::TForm* form = m_menu->OwnerForm())
        if (TWindow* owner = form->HandleIfAllocated(); owner && owner->IsTopLevel()) params.Owner = owner;
    std::weak_ptr<TbsSkinPopupWindow> weak = weak_from_this();
    params.WndProc = [weak](TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam) -> TLResult {
        if (auto self = weak.lock()) {
            if (!self->m_window && msg == WM_NCCREATE) self->m_window = &window;
            if (self->m_window == &window) return self->WndProc(msg, wParam, lParam);
        }
        return DefWindowProc(window, msg, wParam, lParam);
    };
    m_window = ws.CreateWindow(params);
    if (!m_window) return;
    CreateRegion();
    const bool animate = layered && topLevel && m_menu->AlphaBlendAnimation;
    const int value = std::clamp(m_menu->AlphaBlendValue, 0, 255);
    if (layered) SetWindowAlpha(m_window, animate ? 0 : value);
    ws.SetWindowPos(m_window, nullptr, m_bounds, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (animate) {
        for (int alpha = 0; alpha < value && m_window; alpha += 3) {
            SetWindowAlpha(m_window, alpha);
            ws.UpdateWindow(m_window);
        }
        if (m_window) SetWindowAlpha(m_window, value);
    }
}

void TbsSkinPopupWindow::Show(const std::vector<TMenuItem*>& items, const TRect& anchor, bool subMenu,
                              bool popupUp, bool topLevel) {
    BuildItems(items);
    int width = 0, height = 0;
    MeasureWindow(width, height);
    m_firstShown = 0;
    LayoutItems();
    Place(anchor, subMenu, popupUp, width, height);
    CreateWindowHandle(topLevel);
    if (!m_window) return;
    TWindowSystem& ws = TWindowSystem::Instance();
    m_lastCursor = ws.GetCursorPos();
    ws.SetTimer(m_window, kMenuPollTimer, kMenuPollInterval);
    for (int i = 0; i < ItemCount(); ++i) {
        TbsSkinMenuItem& item = Item(i);
        if (!item.Reacts() || !item.Shown) continue;
        item.Preselected = true;
        item.Hot = true;
        item.MorphFactor = 1;
        m_hotIndex = i;
        break;
    }
    m_window->Invalidate(true);
}

// ---- Window procedure and timers ----------------------------------------------------------------

TLResult TbsSkinPopupWindow::WndProc(uint32_t msg, TWParam wParam, TLParam lParam) {
    // The caller holds this object while it runs, even when a handler closes the level.
    TWindow& window = *m_window;
    switch (msg) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND: {
            auto* dc = PtrFromParam<TDeviceContext>(wParam);
            if (!dc) return 1;
            TBitmap buffer(window.Width(), window.Height());
            PaintWindow(buffer.Canvas());
            dc->Canvas().Draw(0, 0, buffer);
            return 1;
        }
        case WM_PAINT: {
            TDeviceContextPtr dc = window.System().BeginPaint(&window);
            if (dc && dc->Erase()) {
                TBitmap buffer(window.Width(), window.Height());
                PaintWindow(buffer.Canvas());
                dc->Canvas().Draw(0, 0, buffer);
            }
            return 0;
        }
        case WM_TIMER:
            if (!MenuAlive()) return 0;
            if (wParam == kMenuPollTimer)
                PollTick();
            else if (wParam == kMenuScrollTimer)
                ScrollTick();
            else if (wParam == kMenuFadeTimer)
                FadeTick();
            return 0;
        case WM_LBUTTONUP: {
            if (!MenuAlive()) return 0;
            const int index = ItemAt(PointFromLParam(lParam));
            if (index >= 0 && !Item(index).IsSeparator()) ClickItem(index);
            return 0;
        }
        case WM_NCDESTROY:
            m_window = nullptr;
            return DefWindowProc(window, msg, wParam, lParam);
        default:
            return DefWindowProc(window, msg, wParam, lParam);
    }
}

int TbsSkinPopupWindow::ItemAt(TPoint client) const {
    for (int i = 0; i < ItemCount(); ++i) {
        const TbsSkinMenuItem& item = *m_items[static_cast<size_t>(i)];
        if (item.Shown && item.ItemRect.Contains(client)) return i;
    }
    return -1;
}

TRect TbsSkinPopupWindow::ItemScreenRect(int index) const {
    if (index < 0 || index >= ItemCount()) return {};
    return m_items[static_cast<size_t>(index)]->ItemRect.Offset(m_bounds.Left, m_bounds.Top);
}

void TbsSkinPopupWindow::PollTick() {
    if (!m_window) return;
    TWindowSystem& ws = m_window->System();
    const TPoint cursor = ws.GetCursorPos();
    if (cursor == m_lastCursor) return;
    m_lastCursor = cursor;
    if (ws.WindowFromPoint(cursor) != m_window) return;
    const TPoint p = m_window->ScreenToClient(cursor);
    if (m_scrolling) {
        const TRect topZone{m_itemsArea.Left, m_itemsArea.Top, m_itemsArea.Right,
                            m_itemsArea.Top + kScrollMarkerSize};
        const TRect bottomZone{m_itemsArea.Left, m_itemsArea.Bottom - kScrollMarkerSize, m_itemsArea.Right,
                               m_itemsArea.Bottom};
        if (topZone.Contains(p)) {
            if (m_firstShown > 0) StartScroll(-1);
        } else if (bottomZone.Contains(p)) {
            if (m_firstShown + m_shownCount < ItemCount()) StartScroll(1);
        } else {
            StopScroll();
        }
        if (!MenuAlive() || !m_window) return;
    }
    const int index = ItemAt(p);
    if (index < 0) return;
    if (index == m_hotIndex) {
        TbsSkinMenuItem& item = Item(index);
        if (item.Preselected) {
            item.Preselected = false;
            if (item.HasSubItems()) EnterItem(index, true);
        }
        return;
    }
    if (m_hotIndex >= 0) LeaveItem(m_hotIndex);
    m_hotIndex = index;
    EnterItem(index, true);
}

void TbsSkinPopupWindow::StartScroll(int direction) {
    if (m_scrollDirection == direction) return;
    const int level = m_menu->IndexOfLevel(this);
    if (level >= 0) m_menu->CloseLevels(level + 1);
    m_scrollDirection = direction;
    if (!m_window) return;
    m_window->System().SetTimer(m_window, kMenuScrollTimer, kMenuScrollInterval);
    m_window->Invalidate(true);
}

void TbsSkinPopupWindow::StopScroll() {
    if (m_scrollDirection == 0) return;
    m_scrollDirection = 0;
    if (!m_window) return;
    m_window->System().KillTimer(m_window, kMenuScrollTimer);
    m_window->Invalidate(true);
}

void TbsSkinPopupWindow::ScrollTick() {
    if (m_scrollDirection > 0 && m_firstShown + m_shownCount < ItemCount()) {
        ++m_firstShown;
    } else if (m_scrollDirection < 0 && m_firstShown > 0) {
        --m_firstShown;
    } else {
        StopScroll();
        return;
    }
    LayoutItems();
    if (m_window) m_window->Invalidate(true);
}

void TbsSkinPopupWindow::StartFade() {
    if (!m_window || !m_itemRecord || !m_itemRecord->morphing || IsEmptyRect(m_itemRecord->activeskinrect))
        return;
    if (m_fading) return;
    m_fading = true;
    m_window->System().SetTimer(m_window, kMenuFadeTimer, kMenuFadeInterval);
}

void TbsSkinPopupWindow::FadeTick() {
    bool any = false;
    for (int i = 0; i < ItemCount(); ++i) {
        TbsSkinMenuItem& item = Item(i);
        if (!item.Shown || !item.NeedsMorph()) continue;
        item.MorphFactor = StepFactor(item.MorphFactor, item.Highlighted());
        RepaintItem(i);
        any = true;
    }
    if (!any && m_window) {
        m_fading = false;
        m_window->System().KillTimer(m_window, kMenuFadeTimer);
    }
}

void TbsSkinPopupWindow::RepaintItem(int index) {
    if (!m_window || index < 0 || index >= ItemCount()) return;
    const TRect r = Item(index).ItemRect;
    if (!r.IsEmpty()) m_window->InvalidateRect(r, true);
}

// ---- Items: enter, leave, click -----------------------------------------------------------------

void TbsSkinPopupWindow::EnterItem(int index, bool byMouse) {
    if (index < 0 || index >= ItemCount()) return;
    TbsSkinMenuItem& item = Item(index);
    if (!item.Reacts()) return;
    item.Hot = true;
    m_hotIndex = index;
    for (int i = 0; i < ItemCount(); ++i)
        if (i != index && Item(i).SubOpen) {
            Item(i).SubOpen = false;
            RepaintItem(i);
            StartFade();
        }
    if (item.Preselected && byMouse) {
        RepaintItem(index);
        return;
    }
    const int level = m_menu->IndexOfLevel(this);
    if (item.SubOpen) {
        if (level >= 0) m_menu->CloseLevels(level + 2);
        return;
    }
    RepaintItem(index);
    StartFade();
    if (level < 0) return;
    if (!item.HasSubItems()) {
        m_menu->CloseLevels(level + 1);
    } else if (byMouse) {
        m_menu->CloseLevels(level + 1);
        m_menu->StartSubMenuDelay(&item);
    }
}

void TbsSkinPopupWindow::LeaveItem(int index) {
    if (index < 0 || index >= ItemCount()) return;
    TbsSkinMenuItem& item = Item(index);
    item.Hot = false;
    item.Preselected = false;
    if (!item.SubOpen) {
        RepaintItem(index);
        StartFade();
    }
    m_menu->CancelPending(&item);
}

void TbsSkinPopupWindow::ClearSubOpen() {
    for (int i = 0; i < ItemCount(); ++i)
        if (Item(i).SubOpen) {
            Item(i).SubOpen = false;
            RepaintItem(i);
            StartFade();
        }
}

void TbsSkinPopupWindow::ClickItem(int index) {
    if (index < 0 || index >= ItemCount()) return;
    TbsSkinMenuItem& item = Item(index);
    if (!item.Enabled() || item.IsSeparator() || item.SubOpen) return;
    if (!item.HasSubItems()) {
        m_menu->RunCommand(item.MenuItem);
        return;
    }
    const auto menuAlive = m_menuAlive;
    item.MenuItem->Click();
    if (!menuAlive || m_menu->IndexOfLevel(this) < 0 || index >= ItemCount()) return;
    m_menu->CancelPending(&item);
    item.SubOpen = true;
    RepaintItem(index);
    m_menu->OpenSubMenu(this, item.MenuItem, ItemScreenRect(index));
}

// ---- Keyboard -----------------------------------------------------------------------------------

void TbsSkinPopupWindow::EnsureShown(int index) {
    if (!m_scrolling || index < 0 || index >= ItemCount()) return;
    for (int guard = 0; guard <= ItemCount() && !Item(index).Shown; ++guard) {
        if (index < m_firstShown)
            m_firstShown = index;
        else
            ++m_firstShown;
        LayoutItems();
    }
    if (m_window) m_window->Invalidate(true);
}

void TbsSkinPopupWindow::SelectNext(bool forward) {
    const int n = ItemCount();
    if (n == 0) return;
    int found = -1;
    // From the item after the hot one to the end, then round from the other end.
    const int start = m_hotIndex < 0 ? (forward ? -1 : n) : m_hotIndex;
    for (int step = 1; step <= n; ++step) {
        const int i = ((forward ? start + step : start - step) % n + n) % n;
        if (Item(i).Reacts()) {
            found = i;
            break;
        }
    }
    if (found < 0 || found == m_hotIndex) return;
    const int old = m_hotIndex;
    if (old >= 0) LeaveItem(old);
    EnsureShown(found);
    EnterItem(found, false);
}

void TbsSkinPopupWindow::KeyDown(uint32_t key) {
    switch (key) {
        case VK_RETURN:
            if (m_hotIndex >= 0) ClickItem(m_hotIndex);
            return;
        case VK_ESCAPE:
            m_menu->CloseDeepest();
            return;
        case VK_LEFT:
            if (m_menu->LevelCount() >= 2) m_menu->CloseDeepest();
            return;
        case VK_RIGHT:
            if (m_hotIndex >= 0 && Item(m_hotIndex).HasSubItems()) ClickItem(m_hotIndex);
            return;
        case VK_DOWN:
            SelectNext(true);
            return;
        case VK_UP:
            SelectNext(false);
            return;
        default:
            break;
    }
    const bool letter = key >= 'A' && key <= 'Z';
    const bool digit = key >= '0' && key <= '9';
    if (!letter && !digit) return;
    for (int i = 0; i < ItemCount(); ++i) {
        TbsSkinMenuItem& item = Item(i);
        if (!item.Reacts() || !platform::forms::IsAccel(static_cast<char32_t>(key), item.MenuItem->Caption()))
            continue;
        if (m_hotIndex >= 0 && m_hotIndex != i) LeaveItem(m_hotIndex);
        EnsureShown(i);
        EnterItem(i, false);
        ClickItem(i);
        return;
    }
}

}  // namespace skin
