#include "platform/forms/Control.h"

#include <algorithm>
#include <unordered_map>

#include "platform/forms/DragDrop.h"
#include "platform/forms/FormHost.h"
#include "platform/forms/Menus.h"
#include "platform/forms/WinControl.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

bool IsAccel(char32_t ch, const std::string& caption) {
    const char32_t accel = gfx::AcceleratorChar(caption);
    if (accel == 0 || ch == 0) return false;
    char32_t lower = ch;
    if (lower >= 'A' && lower <= 'Z') lower = lower - 'A' + 'a';
    return lower == accel;
}

namespace {
TControlServices* g_services = nullptr;
}  // namespace

TControlServices* ControlServices() {
    return g_services;
}

void SetControlServices(TControlServices* services) {
    g_services = services;
}

TFormHost* FindFormHost(const TControl* control) {
    const TControl* top = control;
    while (top && top->Parent()) {
        if (TFormHost* host = top->AsFormHost(); host && host->HostStandsAlone()) return host;
        top = top->Parent();
    }
    return top ? top->AsFormHost() : nullptr;
}

TControl::TControl(TComponent* owner) : TComponent(owner), m_font(std::make_unique<TFont>()) {
    m_font->OnChange = [this] { FontChanged(); };
    WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
    Destroying();
    EndWeakRefs();
    if (g_services) g_services->ControlDestroying(this);
    TDragManager::Instance().ControlDestroying(this);
    if (m_popupMenu) m_popupMenu->RemoveFreeNotification(this);
    if (m_parent) m_parent->RemoveControl(this);
    m_font->OnChange = nullptr;
}

// ---- Parent ----

TComponent* TControl::GetParentComponent() const {
    return m_parent;
}

void TControl::SetParentComponent(TComponent* parent) {
    auto* control = dynamic_cast<TControl*>(parent);
    if (TWinControl* host = control ? control->ChildParent() : nullptr) SetParent(host);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == m_parent) return;
    if (parent == this) throw std::invalid_argument("a control cannot be its own parent");
    if (m_parent) m_parent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

// ---- Bounds ----

void TControl::ConstrainSize(int& width, int& height) const {
    if (m_constraints.MaxWidth > 0) width = std::min(width, m_constraints.MaxWidth);
    if (m_constraints.MaxHeight > 0) height = std::min(height, m_constraints.MaxHeight);
    width = std::max(width, m_constraints.MinWidth);
    height = std::max(height, m_constraints.MinHeight);
    width = std::max(0, width);
    height = std::max(0, height);
}

void TControl::SetConstraints(const TSizeConstraints& value) {
    m_constraints = value;
    SetBounds(m_left, m_top, m_width, m_height);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (left == m_left && top == m_top && width == m_width && height == m_height) return;
    const bool resized = width != m_width || height != m_height;
    InvalidateControl(m_visible, false);
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    InvalidateControl(m_visible, false);
    BoundsChanged();
    if (resized) Resize();
    RequestAlign();
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
    const bool resized = width != m_width || height != m_height;
    const bool moved = left != m_left || top != m_top;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (moved || resized) BoundsChanged();
    if (resized) Resize();
    if (moved || resized) RequestAlign();
}

TRect TControl::ClientRect() const {
    return {0, 0, m_width, m_height};
}

void TControl::SetClientWidth(int value) {
    SetWidth(value);
}
void TControl::SetClientHeight(int value) {
    SetHeight(value);
}

TPoint TControl::ClientOrigin() const {
    if (!m_parent) return {m_left, m_top};
    TPoint p = m_parent->ClientOrigin();
    return {p.X + m_left, p.Y + m_top};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

// ---- State ----

bool TControl::IsShowing() const {
    return m_visible && (!m_parent || m_parent->IsShowing());
}

void TControl::SetVisible(bool value) {
    if (value == m_visible) return;
    VisibleChanging();
    m_visible = value;
    const auto alive = WeakRef();
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    if (alive) RequestAlign();
}

void TControl::SetAlign(TAlign value) {
    if (value == m_align) return;
    const TAlign old = m_align;
    m_align = value;
    if (m_parent && (old != alNone || value != alNone)) m_parent->AlignControl(value == alNone ? nullptr : this);
}

void TControl::RequestAlign() {
    if (m_parent && m_align != alNone) m_parent->AlignControl(this);
}

void TControl::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& value) {
    if (value == m_text) return;
    m_text = value;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetName(const std::string& name) {
    const std::string old = Name();
    const bool copy = (m_controlStyle & csSetCaption) && !IsLoading() && m_text == old;
    TComponent::SetName(name);
    if (copy) SetText(name);
}

void TControl::SetFont(const TFont& font) {
    const bool same = *m_font == font;
    m_font->Assign(font);
    if (same) m_parentFont = false;
}

void TControl::SetParentFont(bool value) {
    if (m_parentFont == value) return;
    m_parentFont = value;
    if (value && m_parent) ParentFontChangedBy(m_parent->Font());
}

void TControl::ParentFontChangedBy(const TFont& font) {
    if (!m_parentFont) return;
    m_settingParentFont = true;
    m_font->Assign(font);
    m_settingParentFont = false;
}

void TControl::FontChanged() {
    if (!m_settingParentFont) m_parentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor value) {
    m_parentColor = false;
    if (value == m_color) return;
    m_color = value;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (m_parentColor == value) return;
    m_parentColor = value;
    if (value && m_parent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (value == m_cursor) return;
    m_cursor = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool value) {
    m_parentShowHint = false;
    if (value == m_showHint) return;
    m_showHint = value;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (m_parentShowHint == value) return;
    m_parentShowHint = value;
    if (value && m_parent) Perform(CM_PARENTSHOWHINTCHANGED);
}

bool TControl::EffectiveShowHint() const {
    const TControl* c = this;
    while (c) {
        if (!c->m_parentShowHint) return c->m_showHint;
        c = c->m_parent;
    }
    return m_showHint;
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (menu == m_popupMenu) return;
    if (m_popupMenu) m_popupMenu->RemoveFreeNotification(this);
    m_popupMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_popupMenu) m_popupMenu = nullptr;
}

void TControl::Loaded() {
    TComponent::Loaded();
}

// A windowless control holds the mouse through its parent's window (TWinControl overrides).
bool TControl::MouseCapture() const {
    return m_parent && m_parent->m_captureControl == this;
}

void TControl::SetMouseCapture(bool value) {
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws || !m_parent) return;
    if (value) {
        m_parent->m_captureControl = this;
        ws->SetCapture(m_parent->Handle());
    } else if (m_parent->m_captureControl == this) {
        m_parent->m_captureControl = nullptr;
        if (m_parent->HandleAllocated() && ws->GetCapture() == m_parent->HandleIfAllocated())
            ws->ReleaseCapture();
    }
}

// ---- Messages ----

TLResult TControl::Perform(uint32_t msg, TWParam wParam, TLParam lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage& /*message*/) {}

void TControl::WndProc(TMessage& m) {
    // A drag from this control takes its pointer moves, the release and Escape first.
    if (TDragManager& drag = TDragManager::Instance(); drag.Source() == this) {
        const auto alive = WeakRef();
        if (drag.SourceMessage(this, m) || !alive) return;
    }
    static const std::unordered_map<uint32_t, void (TControl::*)(TMessage&)> kHandlers = {
        {WM_LBUTTONDOWN, &TControl::WMLButtonDown},
        {WM_LBUTTONUP, &TControl::WMLButtonUp},
        {WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk},
        {WM_RBUTTONDOWN, &TControl::WMRButtonDown},
        {WM_RBUTTONUP, &TControl::WMRButtonUp},
        {WM_RBUTTONDBLCLK, &TControl::WMRButtonDblClk},
        {WM_MBUTTONDOWN, &TControl::WMMButtonDown},
        {WM_MBUTTONUP, &TControl::WMMButtonUp},
        {WM_MBUTTONDBLCLK, &TControl::WMMButtonDblClk},
        {WM_MOUSEMOVE, &TControl::WMMouseMove},
        {WM_MOUSEWHEEL, &TControl::WMMouseWheel},
        {WM_CANCELMODE, &TControl::WMCancelMode},
        {WM_CONTEXTMENU, &TControl::WMContextMenu},
        {CM_MOUSEENTER, &TControl::CMMouseEnter},
        {CM_MOUSELEAVE, &TControl::CMMouseLeave},
        {CM_ENABLEDCHANGED, &TControl::CMEnabledChanged},
        {CM_VISIBLECHANGED, &TControl::CMVisibleChanged},
        {CM_TEXTCHANGED, &TControl::CMTextChanged},
        {CM_FONTCHANGED, &TControl::CMFontChanged},
        {CM_COLORCHANGED, &TControl::CMColorChanged},
        {CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged},
        {CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged},
        {CM_PARENTSHOWHINTCHANGED, &TControl::CMParentShowHintChanged},
        {CM_HITTEST, &TControl::CMHitTest},
        {CM_HINTSHOW, &TControl::CMHintShow},
        {CM_DIALOGKEY, &TControl::CMDialogKey},
        {CM_DIALOGCHAR, &TControl::CMDialogChar},
        {CM_FOCUSCHANGED, &TControl::CMFocusChanged},
        {CM_SYSCOLORCHANGE, &TControl::CMSysColorChange},
    };
    if (const auto it = kHandlers.find(m.Msg); it != kHandlers.end())
        (this->*(it->second))(m);
    else
        DefaultHandler(m);
}

TShiftState TControl::ShiftFromKeys(TWParam mk) {
    TShiftState s = 0;
    if (mk & MK_SHIFT) s |= ssShift;
    if (mk & MK_CONTROL) s |= ssCtrl;
    if (mk & MK_LBUTTON) s |= ssLeft;
    if (mk & MK_RBUTTON) s |= ssRight;
    if (mk & MK_MBUTTON) s |= ssMiddle;
    TWindowSystem* ws = TWindowSystem::Current();
    if (ws && ws->GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

void TControl::DoMouseDown(TMessage& m, TMouseButton button, TShiftState extra) {
    const TPoint p = PointFromLParam(m.LParam);
    MouseDown(button, static_cast<TShiftState>(ShiftFromKeys(m.WParam) | extra), p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& m, TMouseButton button) {
    const TPoint p = PointFromLParam(m.LParam);
    MouseUp(button, ShiftFromKeys(m.WParam), p.X, p.Y);
}

void TControl::WMLButtonDown(TMessage& m) {
    if (g_services) g_services->CancelHint();
    SendCancelMode();
    DefaultHandler(m);
    if (m_controlStyle & csCaptureMouse) SetMouseCapture(true);
    if (m_controlStyle & csClickEvents) m_controlState |= csClicked;
    m_controlState |= csLButtonDown;
    if (m_dragMode == dmAutomatic && m_dragKind == dkDrag) BeginAutoDrag();
    DoMouseDown(m, mbLeft, 0);
}

// A press anywhere else in the form ends the focused control's own modes (an open drop-down
// list, a held scroll button); the control decides from the origin whether the press is its own.
void TControl::SendCancelMode() {
    TFormHost* form = FindFormHost(this);
    if (!form) return;
    TWinControl* active = form->HostActiveControl();
    if (active && active != this) active->Perform(CM_CANCELMODE, 0, ui::PtrToLParam(this));
}

void TControl::WMLButtonDblClk(TMessage& m) {
    if (!(m_controlStyle & csDoubleClicks)) {
        // Taken as a second press.
        m.Msg = WM_LBUTTONDOWN;
        WMLButtonDown(m);
        return;
    }
    DefaultHandler(m);
    if (m_controlStyle & csCaptureMouse) SetMouseCapture(true);
    if (m_controlStyle & csClickEvents) DblClick();
    m_controlState |= csLButtonDown;
    DoMouseDown(m, mbLeft, ssDouble);
}

void TControl::WMLButtonUp(TMessage& m) {
    const auto alive = WeakRef();
    DefaultHandler(m);
    if (m_controlStyle & csCaptureMouse) SetMouseCapture(false);
    m_controlState &= ~csLButtonDown;
    if (m_controlState & csClicked) {
        m_controlState &= ~csClicked;
        if (ClientRect().Contains(PointFromLParam(m.LParam))) Click();
        if (!alive) return;
    }
    DoMouseUp(m, mbLeft);
}

void TControl::WMRButtonDown(TMessage& m) {
    if (g_services) g_services->CancelHint();
    DefaultHandler(m);
    DoMouseDown(m, mbRight, 0);
}

void TControl::WMRButtonDblClk(TMessage& m) {
    DefaultHandler(m);
    DoMouseDown(m, mbRight, ssDouble);
}

void TControl::WMRButtonUp(TMessage& m) {
    const auto alive = WeakRef();
    DoMouseUp(m, mbRight);
    if (!alive) return;
    RequestContextMenu(m);
}

void TControl::RequestContextMenu(TMessage& m) {
    const TPoint screen = ClientToScreen(PointFromLParam(m.LParam));
    TMessage menu{WM_CONTEXTMENU, 0, PointToLParam(screen), 0};
    WMContextMenu(menu);
}

void TControl::PassOnContextMenu(TMessage& m) {
    if (m_parent) m.Result = m_parent->Perform(WM_CONTEXTMENU, 0, m.LParam);
}

void TControl::WMMButtonDown(TMessage& m) {
    DefaultHandler(m);
    DoMouseDown(m, mbMiddle, 0);
}

void TControl::WMMButtonDblClk(TMessage& m) {
    DefaultHandler(m);
    DoMouseDown(m, mbMiddle, ssDouble);
}

void TControl::WMMButtonUp(TMessage& m) {
    DefaultHandler(m);
    DoMouseUp(m, mbMiddle);
}

void TControl::WMMouseMove(TMessage& m) {
    DefaultHandler(m);
    const TPoint p = PointFromLParam(m.LParam);
    MouseMove(ShiftFromKeys(m.WParam), p.X, p.Y);
}

void TControl::WMMouseWheel(TMessage& m) {
    DefaultHandler(m);
}

void TControl::WMCancelMode(TMessage& m) {
    if (MouseCapture()) {
        SetMouseCapture(false);
        m_controlState &= ~(csClicked | csLButtonDown);
    }
    DefaultHandler(m);
}

void TControl::WMContextMenu(TMessage& m) {
    if (m_popupMenu && m_popupMenu->AutoPopup()) {
        const TPoint p = PointFromLParam(m.LParam);
        m_popupMenu->SetPopupComponent(this);
        m_popupMenu->Popup(p.X, p.Y);
        m.Result = 1;
        return;
    }
    PassOnContextMenu(m);
}

void TControl::CMMouseEnter(TMessage& m) {
    m_controlState |= csMouseOver;
    DefaultHandler(m);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& m) {
    m_controlState &= ~csMouseOver;
    DefaultHandler(m);
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    InvalidateControl(true, (m_controlStyle & csOpaque) != 0);
}

void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}

void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage&) {
    if (m_parentFont && m_parent) ParentFontChangedBy(m_parent->Font());
}

void TControl::CMParentColorChanged(TMessage&) {
    if (m_parentColor && m_parent) {
        const TColor c = m_parent->Color();
        if (c != m_color) {
            m_color = c;
            Perform(CM_COLORCHANGED);
        }
    }
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (m_parentShowHint && m_parent) {
        const bool v = m_parent->ShowHint();
        if (v != m_showHint) {
            m_showHint = v;
            Perform(CM_SHOWHINTCHANGED);
        }
    }
}

void TControl::CMHitTest(TMessage& m) {
    m.Result = 1;
}
void TControl::CMHintShow(TMessage&) {}
void TControl::CMDialogKey(TMessage& m) {
    DefaultHandler(m);
}
void TControl::CMDialogChar(TMessage& m) {
    DefaultHandler(m);
}
void TControl::CMFocusChanged(TMessage&) {}
void TControl::CMSysColorChange(TMessage&) {
    Invalidate();
}

// ---- Events ----

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---- Painting ----

void TControl::InvalidateControl(bool isVisible, bool /*isOpaque*/) {
    if (!isVisible || !m_parent || !m_parent->HandleAllocated()) return;
    m_parent->InvalidateRect(BoundsRect(), true);
}

void TControl::Invalidate() {
    InvalidateControl(m_visible, (m_controlStyle & csOpaque) != 0);
}

void TControl::Update() {
    if (m_parent) m_parent->Update();
}

void TControl::Repaint() {
    if (!m_visible || !m_parent || !m_parent->HandleAllocated()) return;
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (!m_parent) return;
    auto& list = m_parent->m_controls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    ZOrderChanged(true);
    Invalidate();
}

void TControl::SendToBack() {
    if (!m_parent) return;
    auto& list = m_parent->m_controls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    ZOrderChanged(false);
    Invalidate();
}

}  // namespace platform::forms
