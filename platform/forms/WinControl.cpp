#include "platform/forms/WinControl.h"

#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/CustomControl.h"
#include "platform/forms/Form.h"
#include "platform/forms/GraphicControl.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
TWindowSystem* System() {
    return TWindowSystem::Current();
}
}  // namespace

TForm* GetParentForm(const TControl* control) {
    const TControl* c = control;
    while (c && c->Parent()) c = c->Parent();
    return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    SetColor(gfx::clBtnFace);
    SetParentColor(true);
}

TWinControl::~TWinControl() {
    Destroying();
    if (TForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, true);
    // From here on the window gets only default handling.
    if (m_window && !(System() && System()->IsWindow(m_window))) m_window = nullptr;
    if (m_window) {
        m_window->SetWndProc({});
        m_window->SetUserData(nullptr);
    }
    DestroyComponents();
    while (!m_controls.empty()) delete m_controls.back();
    if (m_window) {
        TWindowSystem* ws = System();
        if (ws && ws->IsWindow(m_window)) ws->DestroyWindow(m_window);
        m_window = nullptr;
    }
}

TWinControl* TWinControl::FromWindow(const TWindow* window) {
    if (!window) return nullptr;
    auto* c = static_cast<TWinControl*>(window->UserData());
    if (!c) return nullptr;
    // Only windows whose procedure is ours carry a control in UserData.
    return c->m_window == window ? c : nullptr;
}

// ---- Window ----

TWindow* TWinControl::Handle() {
    if (!m_window) CreateHandle();
    return m_window;
}

void TWinControl::CreateHandle() {
    if (m_window || m_creatingHandle) return;
    TWindowSystem* ws = System();
    if (!ws) throw std::logic_error("no window system runs");
    TWinControl* parent = Parent();
    if (parent) {
        parent->HandleNeeded();
        if (m_window) return;  // the parent made it with its children
    }
    m_creatingHandle = true;
    try {
        CreateWnd();
    } catch (...) {
        m_creatingHandle = false;
        throw;
    }
    m_creatingHandle = false;
    if (!m_window) throw std::runtime_error("the window of '" + Name() + "' could not be made");
    if (m_region) ws->SetWindowRgn(m_window, m_region, false);
    for (TControl* c : m_controls)
        if (auto* wc = dynamic_cast<TWinControl*>(c)) wc->CreateHandle();
    UpdateShowing();
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Text = Text();
    TWinControl* parent = Parent();
    if (parent) {
        p.Style = WS_CHILD | WS_CLIPSIBLINGS;
        if (Visible()) p.Style |= WS_VISIBLE;
        p.Parent = parent->m_window;
    } else {
        p.Style = WS_POPUP;
        p.Owner = ParentWindowForTopLevel();
    }
    if (!Enabled()) p.Style |= WS_DISABLED;
    if (m_tabStop) p.Style |= WS_TABSTOP;
    p.ClassStyle = CS_DBLCLKS;
    p.Bounds = BoundsRect();
    p.WndProc = &TWinControl::MainWndProc;
    p.UserData = this;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    TWindow* w = System()->CreateWindow(p);
    if (w) m_window = w;
}

void TWinControl::DestroyWnd() {
    ReleaseCanvasDcs();
}

void TWinControl::DestroyHandle() {
    if (!m_window) return;
    DestroyWnd();
    TWindow* w = m_window;
    TWindowSystem* ws = System();
    if (ws && ws->IsWindow(w)) ws->DestroyWindow(w);
    m_window = nullptr;
    m_showing = false;
}

void TWinControl::RecreateWnd() {
    if (!m_window) return;
    const bool focused = Focused();
    DestroyHandle();
    CreateHandle();
    if (focused && CanFocus()) SetFocus();
}

void TWinControl::SetWindowRgn(std::optional<gfx::TRegion> region, bool redraw) {
    m_region = region;
    if (m_window) System()->SetWindowRgn(m_window, std::move(region), redraw);
}

void TWinControl::ReleaseCanvasDcs() {
    if (auto* cc = dynamic_cast<TCustomControl*>(this)) cc->ReleaseCanvas();
    for (TControl* c : m_controls)
        if (auto* gc = dynamic_cast<TGraphicControl*>(c)) gc->ReleaseCanvas();
}

void TWinControl::AddChildWindow(TWinControl* child) {
    if (m_window && !child->m_window) child->CreateHandle();
}

TLResult TWinControl::MainWndProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam) {
    auto* control = static_cast<TWinControl*>(window.UserData());
    if (!control) return DefWindowProc(window, msg, wParam, lParam);
    if (!control->m_window) {
        if (!control->m_creatingHandle) return DefWindowProc(window, msg, wParam, lParam);
        control->m_window = &window;
    }
    if (control->m_window != &window) return DefWindowProc(window, msg, wParam, lParam);
    auto alive = control->AliveToken().lock();
    TMessage m{msg, wParam, lParam, 0};
    ++control->m_dispatchDepth;
    if (control->WindowProc)
        control->WindowProc(m);
    else
        control->WndProc(m);
    if (!*alive) return m.Result;
    if (--control->m_dispatchDepth == 0) control->ReleaseCanvasDcs();
    return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (m_window && m.Msg < CM_BASE) m.Result = DefWindowProc(*m_window, m.Msg, m.WParam, m.LParam);
}

// ---- Children ----

bool TWinControl::ContainsControl(const TControl* control) const {
    while (control) {
        if (control == this) return true;
        control = control->Parent();
    }
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    if (!control || control->Parent() == this) return;
    if (auto* wc = dynamic_cast<TWinControl*>(control); wc && wc->ContainsControl(this))
        throw std::invalid_argument("a control cannot be placed inside itself");
    m_controls.push_back(control);
    control->SetParentFieldOnly(this);
    if (auto* wc = dynamic_cast<TWinControl*>(control)) {
        m_tabList.push_back(wc);
        // A window cannot change its parent: make it again under the new one.
        if (wc->m_window) wc->DestroyHandle();
    }
    if (control->ParentFont()) control->ParentFontChangedBy(Font());
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    if (auto* wc = dynamic_cast<TWinControl*>(control))
        AddChildWindow(wc);
    else
        control->Invalidate();
    Perform(CM_CONTROLLISTCHANGE, PtrToWParam(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end()) return;
    if (m_captureControl == control) {
        m_captureControl = nullptr;
        TWindowSystem* ws = System();
        if (ws && m_window && ws->GetCapture() == m_window) ws->ReleaseCapture();
    }
    if (m_hoverControl == control) m_hoverControl = nullptr;
    control->Invalidate();
    if (auto* wc = dynamic_cast<TWinControl*>(control)) {
        if (TForm* form = GetParentForm(this); form && !form->IsDestroying()) form->DefocusControl(wc, true);
        m_tabList.erase(std::remove(m_tabList.begin(), m_tabList.end(), wc), m_tabList.end());
        if (!IsDestroying()) wc->DestroyHandle();
    }
    m_controls.erase(std::find(m_controls.begin(), m_controls.end(), control));
    control->SetParentFieldOnly(nullptr);
    if (!IsDestroying()) Perform(CM_CONTROLLISTCHANGE, PtrToWParam(control), 0);
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* c = *it;
        const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls) continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
        if (!c->BoundsRect().Contains(pos)) continue;
        const TPoint local{pos.X - c->Left(), pos.Y - c->Top()};
        if (c->Perform(CM_HITTEST, 0, PointToLParam(local)) == 0) continue;
        return c;
    }
    return nullptr;
}

TControl* TWinControl::GraphicControlAt(TPoint pos) const {
    return ControlAtPos(pos, false, false);
}

void TWinControl::Broadcast(TMessage& m) {
    std::vector<TControl*> list = m_controls;
    for (TControl* c : list) {
        if (std::find(m_controls.begin(), m_controls.end(), c) == m_controls.end()) continue;
        c->Dispatch(m);
        if (m.Result != 0) return;
    }
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
    for (TControl* c : m_controls)
        if (c->Owner() == root) proc(c);
    if (root == this) {
        for (TComponent* c : ComponentList())
            if (!c->HasParent() || !c->GetParentComponent()) proc(c);
    }
}

// ---- Tab order and focus ----

int TWinControl::TabOrder() const {
    TWinControl* parent = Parent();
    if (!parent) return m_loadedTabOrder >= 0 ? m_loadedTabOrder : 0;
    const auto& list = parent->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (IsLoading()) {
        m_loadedTabOrder = value;
        return;
    }
    TWinControl* parent = Parent();
    if (!parent) {
        m_loadedTabOrder = value;
        return;
    }
    auto& list = parent->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

void TWinControl::FixupTabList() {
    std::stable_sort(m_tabList.begin(), m_tabList.end(), [](TWinControl* a, TWinControl* b) {
        const int oa = a->m_loadedTabOrder < 0 ? 1 << 30 : a->m_loadedTabOrder;
        const int ob = b->m_loadedTabOrder < 0 ? 1 << 30 : b->m_loadedTabOrder;
        return oa < ob;
    });
    for (TWinControl* c : m_tabList) c->m_loadedTabOrder = -1;
}

void TWinControl::SetTabStop(bool value) {
    if (value == m_tabStop) return;
    m_tabStop = value;
    if (m_window) {
        uint32_t style = m_window->Style();
        style = value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        System()->SetWindowStyle(m_window, style);
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : m_tabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        if (goForward) {
            if (++i == count) i = 0;
        } else {
            if (i == 0) i = count;
            --i;
        }
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
    if (next) next->SetFocus();
}

bool TWinControl::CanFocus() const {
    TForm* form = GetParentForm(this);
    if (!form) return Visible() && Enabled();
    const TControl* c = this;
    while (c && c != form) {
        if (!c->Visible() || !c->Enabled()) return false;
        c = c->Parent();
    }
    return form->Visible() && form->Enabled();
}

void TWinControl::SetFocus() {
    if (TForm* form = GetParentForm(this); form && form != this) {
        form->FocusControl(this);
        return;
    }
    if (Handle()) System()->SetFocus(m_window);
}

bool TWinControl::Focused() const {
    TWindowSystem* ws = System();
    return m_window && ws && ws->GetFocus() == m_window;
}

bool TWinControl::IsShowing() const {
    return m_window ? m_window->IsWindowVisible() : false;
}

TRect TWinControl::ClientRect() const {
    if (m_window) return m_window->ClientRect();
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
    if (m_window) return m_window->ClientToScreen({0, 0});
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (!m_window) {
        TControl::SetBounds(left, top, width, height);
        return;
    }
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    System()->SetWindowPos(m_window, nullptr, core::Bounds(left, top, width, height),
                           SWP_NOZORDER | SWP_NOACTIVATE);
    // WM_WINDOWPOSCHANGED brought the fields in line; a window that refused keeps its own.
}

void TWinControl::SetText(const std::string& value) {
    if (!m_window) {
        TControl::SetText(value);
        return;
    }
    if (value == Text()) return;
    System()->SetWindowText(m_window, value);
}

void TWinControl::Invalidate() {
    if (m_window) m_window->Invalidate(!(m_controlStyle & csOpaque));
}

void TWinControl::InvalidateRect(const TRect& rect, bool erase) {
    if (m_window) System()->InvalidateRect(m_window, &rect, erase);
}

void TWinControl::Update() {
    if (m_window) System()->UpdateWindow(m_window);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::InvalidateControl(bool isVisible, bool isOpaque) {
    TControl::InvalidateControl(isVisible, isOpaque);
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    std::vector<TControl*> list = m_controls;
    for (TControl* c : list) c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FixupTabList();
}

void TWinControl::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
}

void TWinControl::UpdateShowing() {
    const bool showing = m_window && m_window->IsWindowVisible();
    if (showing == m_showing) return;
    m_showing = showing;
    Perform(CM_SHOWINGCHANGED, showing ? 1 : 0);
    for (TControl* c : m_controls)
        if (auto* wc = dynamic_cast<TWinControl*>(c)) wc->UpdateShowing();
}

void TWinControl::UpdateControlState() {
    UpdateShowing();
}

// ---- Painting ----

void TWinControl::PaintWindow(TDeviceContext&) {}

void TWinControl::PaintHandler(TDeviceContext& dc) {
    PaintWindow(dc);
    dc.Canvas().SetClipRegion(std::nullopt);
    PaintControls(dc);
}

void TWinControl::PaintControls(TDeviceContext& dc, TControl* first) {
    gfx::TCanvas& canvas = dc.Canvas();
    const TPoint origin = canvas.DeviceOrigin();
    const TRect paintRect = dc.PaintRect();
    bool started = first == nullptr;
    std::vector<TControl*> list = m_controls;
    for (TControl* c : list) {
        if (!started) {
            if (c != first) continue;
            started = true;
        }
        auto* gc = dynamic_cast<TGraphicControl*>(c);
        if (!gc || !gc->Visible() || gc->Width() <= 0 || gc->Height() <= 0) continue;
        if (gc->BoundsRect().Intersect(paintRect).IsEmpty()) continue;
        canvas.SetDeviceOrigin({origin.X + gc->Left(), origin.Y + gc->Top()});
        canvas.SetClipRegion(gfx::TRegion(TRect{0, 0, gc->Width(), gc->Height()}));
        canvas.Font = gc->Font();
        canvas.Brush = gfx::TBrush{gc->Color(), gfx::TBrushStyle::bsSolid};
        canvas.Pen = gfx::TPen{};
        gc->PaintOn(canvas);
        canvas.SetDeviceOrigin(origin);
        canvas.SetClipRegion(std::nullopt);
    }
}

// ---- Messages ----

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEMOVE:
            SetHoverGraphic(GraphicControlAt(PointFromLParam(m.LParam)));
            if (ForwardMouseToGraphic(m)) return;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            if (ForwardMouseToGraphic(m)) return;
            break;
        case WM_CAPTURECHANGED:
            if (PtrFromParam<TWindow>(m.LParam) != m_window) m_captureControl = nullptr;
            DefaultHandler(m);
            return;
        case CM_MOUSELEAVE:
            SetHoverGraphic(nullptr);
            break;
        case WM_GETMINMAXINFO:
            DefaultHandler(m);
            if (auto* info = PtrFromParam<TMinMaxInfo>(m.LParam)) {
                const TSizeConstraints& k = Constraints();
                if (k.MinWidth > 0) info->MinTrackSize.X = std::max(info->MinTrackSize.X, k.MinWidth);
                if (k.MinHeight > 0) info->MinTrackSize.Y = std::max(info->MinTrackSize.Y, k.MinHeight);
                if (k.MaxWidth > 0) info->MaxTrackSize.X = std::min(info->MaxTrackSize.X, k.MaxWidth);
                if (k.MaxHeight > 0) info->MaxTrackSize.Y = std::min(info->MaxTrackSize.Y, k.MaxHeight);
            }
            return;
        default:
            break;
    }
    switch (m.Msg) {
        case WM_PAINT:
            WMPaint(m);
            return;
        case WM_ERASEBKGND:
            WMEraseBkgnd(m);
            return;
        case WM_SETFOCUS:
            WMSetFocus(m);
            return;
        case WM_KILLFOCUS:
            WMKillFocus(m);
            return;
        case WM_KEYDOWN:
            WMKeyDown(m);
            return;
        case WM_KEYUP:
            WMKeyUp(m);
            return;
        case WM_CHAR:
            WMChar(m);
            return;
        case WM_SYSKEYDOWN:
            WMSysKeyDown(m);
            return;
        case WM_SYSCHAR:
            WMSysChar(m);
            return;
        case WM_WINDOWPOSCHANGED:
            WMWindowPosChanged(m);
            return;
        case WM_SIZE:
            WMSize(m);
            return;
        case WM_MOVE:
            WMMove(m);
            return;
        case WM_SETCURSOR:
            WMSetCursor(m);
            return;
        case WM_GETDLGCODE:
            WMGetDlgCode(m);
            return;
        case WM_SETTEXT:
            WMSetText(m);
            return;
        case WM_NCDESTROY:
            WMNCDestroy(m);
            return;
        case WM_COMMAND:
            WMCommand(m);
            return;
        case CM_SHOWINGCHANGED:
            CMShowingChanged(m);
            return;
        case CM_ENTER:
            CMEnter(m);
            return;
        case CM_EXIT:
            CMExit(m);
            return;
        case CM_WANTSPECIALKEY:
            CMWantSpecialKey(m);
            return;
        case CM_CHILDKEY:
            CMChildKey(m);
            return;
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN:
            CNKeyDown(m);
            return;
        case CN_KEYUP:
            CNKeyUp(m);
            return;
        case CN_CHAR:
            CNChar(m);
            return;
        case CN_SYSCHAR:
            CNSysChar(m);
            return;
        default:
            TControl::WndProc(m);
            return;
    }
}

bool TWinControl::ForwardMouseToGraphic(TMessage& m) {
    TControl* target = nullptr;
    if (m_captureControl && m_captureControl->Parent() == this) {
        target = m_captureControl;
    } else {
        TWindowSystem* ws = System();
        // While this window holds the capture for itself, its own client gets the mouse.
        if (ws && m_window && ws->GetCapture() == m_window && !m_captureControl) return false;
        target = GraphicControlAt(PointFromLParam(m.LParam));
    }
    if (!target) return false;
    const TPoint p = PointFromLParam(m.LParam);
    TMessage local{m.Msg, m.WParam, PointToLParam({p.X - target->Left(), p.Y - target->Top()}), 0};
    target->Dispatch(local);
    m.Result = local.Result;
    return true;
}

void TWinControl::SetHoverGraphic(TControl* control) {
    if (control == m_hoverControl) return;
    TControl* old = m_hoverControl;
    m_hoverControl = control;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (control && m_hoverControl == control) control->Perform(CM_MOUSEENTER);
}

void TWinControl::WMPaint(TMessage& m) {
    if (!m_window) return;
    TDeviceContextPtr dc = System()->BeginPaint(m_window);
    if (dc) PaintHandler(*dc);
    m.Result = 0;
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    auto* dc = PtrFromParam<TDeviceContext>(m.WParam);
    if (!dc || (m_controlStyle & csOpaque)) {
        m.Result = 1;
        return;
    }
    gfx::TCanvas& canvas = dc->Canvas();
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(ClientRect());
    m.Result = 1;
}

void TWinControl::WMSetFocus(TMessage& m) {
    DefaultHandler(m);
    if (IsDestroying()) return;
    if (TForm* form = GetParentForm(this); form && !form->IsDestroying()) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& m) {
    DefaultHandler(m);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    uint16_t key = static_cast<uint16_t>(m.WParam);
    KeyDown(key, KeyboardShiftState());
    if (key == 0) return true;
    m.WParam = key;
    return false;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    uint16_t key = static_cast<uint16_t>(m.WParam);
    KeyUp(key, KeyboardShiftState());
    if (key == 0) return true;
    m.WParam = key;
    return false;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    char32_t ch = static_cast<char32_t>(m.WParam);
    KeyPress(ch);
    if (ch == 0) return true;
    m.WParam = ch;
    return false;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::WMKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    if (!DoKeyPress(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMSysChar(TMessage& m) {
    DefaultHandler(m);
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
    if (m_window) {
        const TRect r = m_window->WindowRect();
        UpdateBoundsFields(r.Left, r.Top, r.Width(), r.Height());
    }
    DefaultHandler(m);
    UpdateShowing();
}

void TWinControl::WMSize(TMessage& m) {
    DefaultHandler(m);
}
void TWinControl::WMMove(TMessage& m) {
    DefaultHandler(m);
}

void TWinControl::WMSetCursor(TMessage& m) {
    const int hit = static_cast<int16_t>(LoWord(static_cast<uintptr_t>(m.LParam)));
    if (hit == HTCLIENT && m_window) {
        TCursor cursor = crDefault;
        if (Screen && Screen->Cursor() != crDefault) {
            cursor = Screen->Cursor();
        } else {
            const TPoint p = m_window->ScreenToClient(System()->GetCursorPos());
            TControl* c = ControlAtPos(p, false, false);
            cursor = c ? c->Cursor() : Cursor();
            if (cursor == crDefault && c) cursor = Cursor();
        }
        if (cursor != crDefault) {
            System()->SetCursor(CursorShape(cursor));
            m.Result = 1;
            return;
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMGetDlgCode(TMessage& m) {
    m.Result = 0;
}

void TWinControl::WMSetText(TMessage& m) {
    DefaultHandler(m);
    const char* text = PtrFromParam<const char>(m.LParam);
    std::string value = text ? text : "";
    if (value != Text()) TControl::SetText(value);
}

void TWinControl::WMNCDestroy(TMessage& m) {
    DefaultHandler(m);
    ReleaseCanvasDcs();
    m_window = nullptr;
    m_showing = false;
    m_captureControl = nullptr;
    m_hoverControl = nullptr;
}

void TWinControl::WMCommand(TMessage& m) {
    DefaultHandler(m);
}

void TWinControl::CMEnabledChanged(TMessage& m) {
    if (m_window) {
        if (!Enabled() && Focused()) {
            if (TForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, false);
        }
        System()->EnableWindow(m_window, Enabled());
    }
    TControl::CMEnabledChanged(m);
}

void TWinControl::CMVisibleChanged(TMessage&) {
    if (!m_window) return;
    if (!Visible()) {
        if (TForm* form = GetParentForm(this); form && form != this && ContainsControl(form->ActiveControl()))
            form->DefocusControl(this, false);
    }
    System()->ShowWindow(m_window, Visible() ? SW_SHOWNA : SW_HIDE);
    UpdateShowing();
}

void TWinControl::CMColorChanged(TMessage& m) {
    TControl::CMColorChanged(m);
    std::vector<TControl*> list = m_controls;
    for (TControl* c : list) c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMDialogKey(TMessage& m) {
    Broadcast(m);
}
void TWinControl::CMDialogChar(TMessage& m) {
    Broadcast(m);
}
void TWinControl::CMFocusChanged(TMessage& m) {
    Broadcast(m);
}

void TWinControl::CMSysColorChange(TMessage& m) {
    TControl::CMSysColorChange(m);
    Broadcast(m);
    m.Result = 0;
}

void TWinControl::CMShowingChanged(TMessage&) {}
void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}
void TWinControl::CMExit(TMessage&) {
    DoExit();
}
void TWinControl::CMWantSpecialKey(TMessage& m) {
    m.Result = 0;
}

void TWinControl::CMChildKey(TMessage& m) {
    if (TWinControl* parent = Parent()) m.Result = parent->Perform(CM_CHILDKEY, m.WParam, m.LParam);
}

void TWinControl::CNKeyDown(TMessage& m) {
    m.Result = 1;
    const uint32_t keyMsg = m.Msg == CN_SYSKEYDOWN ? WM_SYSKEYDOWN : WM_KEYDOWN;
    TForm* form = GetParentForm(this);
    // 1. The form's shortcuts (OnShortCut, main menu).
    if (form) {
        TMessage key{keyMsg, m.WParam, m.LParam, 0};
        if (form->IsShortCut(key)) return;
    }
    // 2. KeyPreview: the form sees the key first.
    if (form && form != this && form->KeyPreview()) {
        uint16_t key = static_cast<uint16_t>(m.WParam);
        form->KeyDown(key, KeyboardShiftState());
        if (key == 0) return;
        m.WParam = key;
    }
    if (Perform(CM_CHILDKEY, m.WParam, PtrToLParam(this)) != 0) return;
    // 3. Navigation keys the control does not want become dialog keys of the form.
    uint32_t mask = 0;
    switch (m.WParam) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        default:
            break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, m.WParam) == 0 &&
        (static_cast<uint32_t>(Perform(WM_GETDLGCODE)) & mask) == 0) {
        TWinControl* target = form ? static_cast<TWinControl*>(form) : this;
        if (target->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
    }
    m.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& m) {
    m.Result = 0;
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        uint16_t key = static_cast<uint16_t>(m.WParam);
        form->KeyUp(key, KeyboardShiftState());
        if (key == 0) m.Result = 1;
    }
}

void TWinControl::CNChar(TMessage& m) {
    m.Result = 1;
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        char32_t ch = static_cast<char32_t>(m.WParam);
        form->KeyPress(ch);
        if (ch == 0) return;
        m.WParam = ch;
    }
    if ((static_cast<uint32_t>(Perform(WM_GETDLGCODE)) & DLGC_WANTCHARS) == 0) {
        TWinControl* target = form ? static_cast<TWinControl*>(form) : this;
        if (target->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
    }
    m.Result = 0;
}

void TWinControl::CNSysChar(TMessage& m) {
    m.Result = 0;
    if (m.WParam == VK_SPACE) return;
    TForm* form = GetParentForm(this);
    TWinControl* target = form ? static_cast<TWinControl*>(form) : this;
    if (target->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) m.Result = 1;
}

}  // namespace platform::forms
