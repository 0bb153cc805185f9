// TbsSkinMainMenuBar: properties, the bar's objects, layout, painting, the pointer and the timers.

#include <algorithm>
#include <cmath>

#include "platform/forms/Form.h"
#include "platform/forms/MdiClient.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsGlyphs.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

namespace skin {

using namespace platform::ui;
using platform::forms::mbLeft;
using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TMainMenu;
using platform::forms::TMessage;
using platform::forms::TOperation;
using platform::forms::TShiftState;
namespace gfx = platform::gfx;

// ---- TbsSkinMainMenu --------------------------------------------------------------------------

TbsSkinMainMenu::TbsSkinMainMenu(TComponent* owner) : TMainMenu(owner) {}

TbsSkinMainMenu::~TbsSkinMainMenu() {
    WatchSkinData(*this, m_skinData, nullptr);
}

void TbsSkinMainMenu::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
}

void TbsSkinMainMenu::Notification(TComponent* component, TOperation operation) {
    TMainMenu::Notification(component, operation);
    if (operation == opRemove && component == m_skinData) m_skinData = nullptr;
}

// ---- Construction and properties --------------------------------------------------------------

TbsSkinMainMenuBar::TbsSkinMainMenuBar(TComponent* owner) : TbsSkinControl(owner) {
    m_skinDataName = "mainmenubar";
    SetAlign(platform::forms::alTop);
    SetTabStop(false);
    m_defItemFont.SetName("Arial");
    m_defItemFont.SetHeight(14);
    m_defItemFont.SetStyle(0);
    m_defItemFont.SetColor(gfx::clBtnText);
    m_pollTimer = new platform::forms::TTimer(this);
    m_pollTimer->SetEnabled(false);
    m_pollTimer->SetInterval(kPollInterval);
    m_pollTimer->SetOnTimer([this](TComponent*) { PollTick(); });
    m_morphTimer = new platform::forms::TTimer(this);
    m_morphTimer->SetEnabled(false);
    m_morphTimer->SetInterval(kMorphInterval);
    m_morphTimer->SetOnTimer([this](TComponent*) { MorphTick(); });
    TbsSkinControl::SetBounds(Left(), Top(), Width() > 0 ? Width() : 100, m_defaultHeight);
}

TbsSkinMainMenuBar::~TbsSkinMainMenuBar() {
    if (m_mainMenu) m_mainMenu->RemoveFreeNotification(this);
    if (m_skinForm) m_skinForm->RemoveFreeNotification(this);
    if (m_childMenu) m_childMenu->RemoveFreeNotification(this);
    m_objects.clear();
}

void TbsSkinMainMenuBar::Notification(TComponent* component, TOperation operation) {
    TbsSkinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_childMenu) {
        m_childMenu = nullptr;
        if (!IsDestroying()) UpdateItems();
    }
    if (component == m_mainMenu) {
        m_mainMenu = nullptr;
        if (!IsDestroying()) UpdateItems();
    }
    if (component == m_skinForm) m_skinForm = nullptr;
}

void TbsSkinMainMenuBar::SetMainMenu(TMainMenu* value) {
    if (m_mainMenu == value) return;
    if (m_mainMenu) m_mainMenu->RemoveFreeNotification(this);
    m_mainMenu = value;
    if (m_mainMenu) m_mainMenu->FreeNotification(this);
    RebuildItems();
    ResetHot();
    Invalidate();
}

void TbsSkinMainMenuBar::SetSkinForm(TbsSkinForm* value) {
    if (m_skinForm == value) return;
    if (m_skinForm) m_skinForm->RemoveFreeNotification(this);
    m_skinForm = value;
    if (m_skinForm) m_skinForm->FreeNotification(this);
    RebuildItems();
    Invalidate();
}

void TbsSkinMainMenuBar::SetScrollMenu(bool value) {
    m_scrollMenu = value;
    Invalidate();
}

void TbsSkinMainMenuBar::SetUseSkinFont(bool value) {
    m_useSkinFont = value;
    Invalidate();
}

void TbsSkinMainMenuBar::SetDefItemFont(const gfx::TFont& value) {
    m_defItemFont = value;
    if (RecordIndex() < 0) Invalidate();
}

void TbsSkinMainMenuBar::SetDefaultWidth(int value) {
    m_defaultWidth = value;
    LookUpRecord();
    if (value > 0 && RecordIndex() < 0) SetBounds(Left(), Top(), value, Height());
}

void TbsSkinMainMenuBar::SetDefaultHeight(int value) {
    m_defaultHeight = value;
    LookUpRecord();
    if (value > 0 && RecordIndex() < 0) SetBounds(Left(), Top(), Width(), value);
}

TbsDataSkinMainMenuBar* TbsSkinMainMenuBar::BarRecord() const {
    return ControlRecordAs<TbsDataSkinMainMenuBar>(m_skinData, m_recordIndex);
}

TBitmap* TbsSkinMainMenuBar::BarPicture() const {
    const TbsDataSkinMainMenuBar* r = BarRecord();
    return r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
}

// ---- Skin protocol ----------------------------------------------------------------------------

void TbsSkinMainMenuBar::SetSkinData(TbsSkinData* value) {
    TbsSkinControl::SetSkinData(value);
    // Without a loaded skin the bar still shows its items in the default look.
    if (!m_skinData || m_skinData->SkinIsEmpty) {
        m_recordIndex = -1;
        RebuildItems();
        Invalidate();
    }
}

void TbsSkinMainMenuBar::ApplySkin() {
    LookUpRecord();
    RebuildItems();
    ResetHot();
    if (const TbsDataSkinMainMenuBar* r = BarRecord())
        TbsSkinControl::SetBounds(Left(), Top(), Width(), RectHeightOf(r->skinrect));
    else if (m_defaultHeight > 0)
        TbsSkinControl::SetBounds(Left(), Top(), Width(), m_defaultHeight);
    FitToParent();
    Invalidate();
}

void TbsSkinMainMenuBar::ForgetRecord() {
    TbsSkinControl::ForgetRecord();
    FreeObjects();
}

void TbsSkinMainMenuBar::SetBounds(int left, int top, int width, int height) {
    LookUpRecord();
    if (const TbsDataSkinMainMenuBar* r = BarRecord(); r && RectHeightOf(r->skinrect) > 0)
        height = RectHeightOf(r->skinrect);
    TbsSkinControl::SetBounds(left, top, width, height);
    if (m_fitting) return;
    LayOut();
    Invalidate();
}

void TbsSkinMainMenuBar::SetParent(platform::forms::TWinControl* parent) {
    TbsSkinControl::SetParent(parent);
    FitToParent();
}

void TbsSkinMainMenuBar::FitToParent() {
    platform::forms::TWinControl* parent = Parent();
    if (!parent || Align() != platform::forms::alTop || m_fitting) return;
    m_fitting = true;
    SetBounds(0, 0, parent->ClientRect().Width(), Height());
    m_fitting = false;
    LayOut();
    Invalidate();
    // An MDI main form's client window starts below the bar: the client stacks the form's
    // top-aligned bars (this one first) above itself.
    if (auto* form = dynamic_cast<platform::forms::TForm*>(parent))
        if (platform::forms::TMdiClient* client = form->MDIClient(); client && Visible()) client->FitToParent();
}

// ---- Objects ----------------------------------------------------------------------------------

TbsMenuBarObject* TbsSkinMainMenuBar::Object(int index) const {
    if (index < 0 || index >= ObjectCount()) return nullptr;
    return m_objects[static_cast<size_t>(index)].get();
}

TbsSkinMainMenuBarItem* TbsSkinMainMenuBar::ItemOf(const TMenuItem* menuItem) const {
    for (const auto& o : m_objects)
        if (auto* item = dynamic_cast<TbsSkinMainMenuBarItem*>(o.get()); item && item->MenuItem == menuItem)
            return item;
    return nullptr;
}

TbsSkinMainMenuBarButton* TbsSkinMainMenuBar::Button(TbsStdCommand command) const {
    for (int i = 0; i < m_systemButtonCount; ++i)
        if (auto* b = dynamic_cast<TbsSkinMainMenuBarButton*>(Object(i)); b && b->Command == command)
            return b;
    return nullptr;
}

void TbsSkinMainMenuBar::FreeObjects() {
    m_objects.clear();
    m_systemButtonCount = 0;
    m_hotObject = m_previousHotObject = m_capturedObject = -1;
}

TMainMenu* TbsSkinMainMenuBar::ChildMenu() const {
    platform::forms::TForm* form = m_skinForm ? m_skinForm->Form() : nullptr;
    if (!form || form->FormStyle() != platform::forms::fsMDIForm) return nullptr;
    platform::forms::TForm* child = form->ActiveMDIChild();
    if (!child) return nullptr;
    if (child->Menu()) return child->Menu();
    // The skin form takes the menu off a shown form; the menu component stays its own.
    for (TComponent* c : child->ComponentList())
        if (auto* menu = dynamic_cast<TMainMenu*>(c)) return menu;
    return nullptr;
}

void TbsSkinMainMenuBar::RebuildItems() {
    FreeObjects();
    if (m_childMenu) m_childMenu->RemoveFreeNotification(this);
    m_childMenu = nullptr;
    m_hasChildMenu = false;
    if (!m_mainMenu) return;
    const TbsDataSkinMainMenuItem* record = nullptr;
    LookUpRecord();
    if (const TbsDataSkinMainMenuBar* bar = BarRecord()) {
        const int index = m_skinData->IndexOfSkinObject(bar->menubaritem);
        if (index >= 0)
            record = dynamic_cast<const TbsDataSkinMainMenuItem*>(
                m_skinData->ObjectRecords[static_cast<size_t>(index)].get());
    }
    auto addItems = [&](TMainMenu* menu) {
        TMenuItem* root = menu->Items();
        for (int i = 0; i < root->Count(); ++i)
            if (TMenuItem* mi = root->Items(i); mi->Visible())
                m_objects.push_back(std::make_unique<TbsSkinMainMenuBarItem>(this, record, mi));
    };
    addItems(m_mainMenu);
    if (TMainMenu* child = ChildMenu(); child && child != m_mainMenu) {
        m_childMenu = child;
        m_childMenu->FreeNotification(this);
        m_hasChildMenu = true;
        addItems(child);
    }
    if (m_childMaximized) {
        AddSystemButtons();
        ApplyButtonStates();
    }
    LayOut();
}

void TbsSkinMainMenuBar::UpdateItems() {
    RebuildItems();
    Invalidate();
    ResetHot();
    m_pollTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::ResetHot() {
    m_hotObject = m_previousHotObject = -1;
}

// ---- Layout -----------------------------------------------------------------------------------

void TbsSkinMainMenuBar::LayOut() {
    const int w = Width(), h = Height();
    if (const TbsDataSkinMainMenuBar* r = BarRecord())
        m_barItemsArea = {r->itemsrect.Left, r->itemsrect.Top,
                          w + r->itemsrect.Right - RectWidthOf(r->skinrect), r->itemsrect.Bottom};
    else
        m_barItemsArea = {2, 2, w - 2, h - 2};
    if (m_childMaximized && m_systemButtonCount == 4) LayOutButtons();
    m_itemsOverflow = false;
    const int limit = m_scrollMenu ? m_barItemsArea.Right - kMarkerWidth : m_barItemsArea.Right;
    int left = m_barItemsArea.Left;
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i) {
        auto* item = static_cast<TbsSkinMainMenuBarItem*>(Object(i));
        const platform::core::TSize size = item->ItemSize();
        const int top = m_barItemsArea.Top;
        item->ObjectRect = {left, top, left + size.cx,
                            item->HasRecord() ? top + size.cy : m_barItemsArea.Bottom};
        left = item->ObjectRect.Right;
        if (item->ObjectRect.Right > limit) {
            m_itemsOverflow = true;
            if (item->Shown) {
                item->SavedEnabled = item->Enabled;
                item->Enabled = false;
                item->Shown = false;
            }
        } else if (!item->Shown) {
            item->Shown = true;
            item->Enabled = item->SavedEnabled;
        }
    }
}

void TbsSkinMainMenuBar::LayOutButtons() {
    TRect& area = m_barItemsArea;
    const int h = area.Height();
    auto place = [&](TbsMenuBarObject& b, int left) {
        if (static_cast<TbsSkinMainMenuBarButton&>(b).HasRecord()) {
            const int bw = RectWidthOf(b.skinrect), bh = RectHeightOf(b.skinrect);
            const int top = area.Top + h / 2 - bh / 2;
            b.ObjectRect = {left, top, left + bw, top + bh};
        } else {
            b.ObjectRect = {left, area.Top, left + h, area.Top + h};
        }
    };
    TbsMenuBarObject& sysMenu = *Object(0);
    place(sysMenu, area.Left);
    area.Left = sysMenu.ObjectRect.Right + kButtonGap;
    for (int i = 1; i <= 3; ++i) {
        TbsMenuBarObject& b = *Object(i);
        const int width = static_cast<TbsSkinMainMenuBarButton&>(b).HasRecord() ? RectWidthOf(b.skinrect) : h;
        place(b, area.Right - width);
        area.Right = b.ObjectRect.Left - kButtonGap;
    }
}

TRect TbsSkinMainMenuBar::MarkerRect() const {
    return {m_barItemsArea.Right - kMarkerWidth, m_barItemsArea.Top, m_barItemsArea.Right,
            m_barItemsArea.Bottom};
}

// ---- Painting ---------------------------------------------------------------------------------

void TbsSkinMainMenuBar::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
}

void TbsSkinMainMenuBar::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    LookUpRecord();
    PaintThroughBitmap(Canvas(), Width(), Height(), [this](TBitmap& b) { PaintBar(b.Canvas()); });
}

void TbsSkinMainMenuBar::PaintBar(TCanvas& canvas) {
    const TbsDataSkinMainMenuBar* r = BarRecord();
    TBitmap* picture = BarPicture();
    if (r && picture && !IsEmptyRect(r->skinrect)) {
        TBitmap strip;
        ComposeHorzImage(strip, *picture, r->skinrect, r->itemsrect.Left,
                         RectWidthOf(r->skinrect) - r->itemsrect.Right, Width());
        canvas.Draw(0, 0, strip);
    } else {
        canvas.Brush = gfx::TBrush{gfx::clBtnFace, gfx::TBrushStyle::bsSolid};
        canvas.FillRect({0, 0, Width(), Height()});
    }
    LayOut();
    for (int i = 0; i < ObjectCount(); ++i) {
        TbsMenuBarObject& o = *Object(i);
        if (!o.Visible) continue;
        if (auto* item = dynamic_cast<TbsSkinMainMenuBarItem*>(&o); item && !item->Shown) continue;
        o.Draw(canvas);
    }
    if (m_itemsOverflow && m_scrollMenu) DrawMarker(canvas);
}

void TbsSkinMainMenuBar::DrawMarker(TCanvas& canvas) {
    TColor color;
    if (const TbsDataSkinMainMenuBar* r = BarRecord())
        color = m_markerHot ? r->trackmarkactivecolor : r->trackmarkcolor;
    else
        color = m_markerHot ? gfx::clBtnText : gfx::clBtnShadow;
    DrawArrowGlyph(canvas, MarkerRect(), color, adRight);
}

void TbsSkinMainMenuBar::PaintObjectNow(TbsMenuBarObject& object) {
    TWindow* window = HandleIfAllocated();
    if (!window || !IsShowing()) return;
    TDeviceContextPtr dc = window->System().GetDC(window);
    if (!dc) return;
    object.Draw(dc->Canvas());
}

// ---- Pointer ----------------------------------------------------------------------------------

bool TbsSkinMainMenuBar::Usable(const TbsMenuBarObject& object) const {
    if (!object.Enabled) return false;
    const auto* item = dynamic_cast<const TbsSkinMainMenuBarItem*>(&object);
    return !item || item->Shown;
}

void TbsSkinMainMenuBar::TrackPointer(int x, int y) {
    m_previousHotObject = m_hotObject;
    int hit = -1;
    for (int i = 0; i < ObjectCount(); ++i) {
        const TbsMenuBarObject& o = *Object(i);
        if (o.Enabled && o.Visible && o.ObjectRect.Contains({x, y})) {
            hit = i;
            break;
        }
    }
    const bool keepItem = hit < 0 && m_menuMode && m_previousHotObject >= FirstItemIndex() &&
                          m_previousHotObject < ObjectCount();
    if (!keepItem) m_hotObject = hit;
    if (m_capturedObject >= 0 && m_hotObject != m_capturedObject) m_hotObject = -1;
    const auto alive = WeakRef();
    if (m_hotObject != m_previousHotObject) {
        if (TbsMenuBarObject* old = Object(m_previousHotObject); old && old->Enabled) old->MouseLeave();
        if (!alive) return;
        if (TbsMenuBarObject* now = Object(m_hotObject); now && now->Enabled) now->MouseEnter();
        if (!alive) return;
    }
    if (m_itemsOverflow && m_scrollMenu) {
        const bool onMarker = MarkerRect().Contains({x, y});
        if (onMarker != m_markerHot) {
            m_markerHot = onMarker;
            Invalidate();
        }
    }
}

void TbsSkinMainMenuBar::PollTick() {
    TWindow* window = HandleIfAllocated();
    if (!window) {
        m_pollTimer->SetEnabled(false);
        return;
    }
    const TPoint p = ScreenToClient(window->System().GetCursorPos());
    if (p.X < 0 || p.Y < 0 || p.X >= Width() || p.Y >= Height()) {
        m_pollTimer->SetEnabled(false);
        TrackPointer(-1, -1);
        return;
    }
    TrackPointer(p.X, p.Y);
}

void TbsSkinMainMenuBar::CMMouseEnter(TMessage& message) {
    TbsSkinControl::CMMouseEnter(message);
    m_pollTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::CMMouseLeave(TMessage& message) {
    const auto alive = WeakRef();
    TbsSkinControl::CMMouseLeave(message);
    if (!alive) return;
    m_pollTimer->SetEnabled(false);
    TrackPointer(-1, -1);
}

void TbsSkinMainMenuBar::MouseMove(TShiftState shift, int x, int y) {
    TbsSkinControl::MouseMove(shift, x, y);
    if (!m_pollTimer->Enabled()) m_pollTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    TbsSkinControl::MouseDown(button, shift, x, y);
    if (!alive) return;
    Press(x, y, button, (shift & platform::forms::ssDouble) != 0);
}

void TbsSkinMainMenuBar::Press(int x, int y, TMouseButton button, bool doubleClick) {
    const auto alive = WeakRef();
    TrackPointer(x, y);
    if (!alive) return;
    if (TbsMenuBarObject* hot = Object(m_hotObject)) {
        m_capturedObject = m_hotObject;
        hot->MouseDown(button);
        if (!alive) return;
        if (doubleClick)
            if (TbsMenuBarObject* again = Object(m_capturedObject)) again->DblClick();
        return;
    }
    if (button == mbLeft && m_itemsOverflow && m_scrollMenu && MarkerRect().Contains({x, y}))
        PopupOverflowMenu();
}

void TbsSkinMainMenuBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    if (TbsMenuBarObject* captured = Object(m_capturedObject)) {
        captured->MouseUp(button);
        if (!alive) return;
    }
    m_capturedObject = -1;
    TbsSkinControl::MouseUp(button, shift, x, y);
}

// ---- Timers -----------------------------------------------------------------------------------

void TbsSkinMainMenuBar::StartMorph() {
    m_morphTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::MorphTick() {
    bool stepped = false;
    for (int i = 0; i < ObjectCount(); ++i) {
        TbsMenuBarObject& o = *Object(i);
        if (!o.morphing || !o.NeedsMorph()) continue;
        const double step = o.Highlighted ? 0.1 : -0.1;
        o.MorphFactor = std::clamp(std::round((o.MorphFactor + step) * 10.0) / 10.0, 0.0, 1.0);
        stepped = true;
        PaintObjectNow(o);
    }
    if (!stepped) m_morphTimer->SetEnabled(false);
}

// ---- Overflow ---------------------------------------------------------------------------------

void TbsSkinMainMenuBar::PopupOverflowMenu() {
    if (!m_mainMenu || !m_skinForm) return;
    TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(m_skinForm);
    if (!behaviour) return;
    int shown = 0;
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i)
        if (static_cast<TbsSkinMainMenuBarItem*>(Object(i))->Shown) ++shown;
    const TRect marker = MarkerRect();
    const TPoint topLeft = ClientToScreen(marker.TopLeft());
    const TRect anchor{topLeft.X, topLeft.Y, topLeft.X + marker.Width(), topLeft.Y + marker.Height()};
    TbsSkinMenu& engine = behaviour->SkinMenu();
    if (engine.IsOpen()) engine.CloseAll();
    behaviour->SyncMenuSettings();
    behaviour->MarkSkinMenuOpen();
    TbsSkinData* data = m_skinData ? m_skinData : behaviour->MenusData();
    bool opened;
    if (m_hasChildMenu && m_childMenu)
        opened =
            engine.Popup2(this, data, m_popupToUp, m_childMenu->Items(), m_mainMenu->Items(), anchor, shown);
    else
        opened = engine.Popup(this, data, m_popupToUp, m_mainMenu->Items(), anchor, shown);
    if (!opened) behaviour->SkinMenuClosed();
}

}  // namespace skin
