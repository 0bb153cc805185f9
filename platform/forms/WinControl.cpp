#include "platform/forms/WinControl.h"

#include <algorithm>

#include "platform/forms/Cursors.h"
#include "platform/forms/FormHost.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
TWindowSystem* System() {
    return TWindowSystem::Current();
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    SetColor(gfx::clBtnFace);
    SetParentColor(true);
}

TWinControl::~TWinControl() {
    Destroying();
    if (TFormHost* form = OuterFormHost()) form->HostDefocusControl(this, true);
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
    // Leave the parent while this is still a windowed control: by the time the base destructor
    // runs, the parent could no longer tell, and its tab list would keep a dangling entry.
    if (TWinControl* parent = Parent()) parent->RemoveControl(this);
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
    ReleaseCanvas();
    for (TControl* c : m_controls)
        if (c->PaintsOnParent()) c->ReleaseCanvas();
}

TFormHost* TWinControl::OuterFormHost() const {
    TFormHost* form = FindFormHost(this);
    return form && form->HostControl() != this ? form : nullptr;
}

TFormHost* TWinControl::LiveFormHost() const {
    TFormHost* form = FindFormHost(this);
    return form && !form->HostControl()->IsDestroying() ? form : nullptr;
}

bool TWinControl::MouseCapture() const {
    TWindowSystem* ws = System();
    return ws && m_window && ws->GetCapture() == m_window;
}

void TWinControl::SetMouseCapture(bool value) {
    TWindowSystem* ws = System();
    if (!ws) return;
    if (value)
        ws->SetCapture(Handle());
    else if (m_window && ws->GetCapture() == m_window)
        ws->ReleaseCapture();
}

// The window's default handling asks for the context menu (WM_CONTEXTMENU).
void TWinControl::RequestContextMenu(TMessage& m) {
    DefaultHandler(m);
}

void TWinControl::PassOnContextMenu(TMessage& m) {
    DefaultHandler(m);
}

void TWinControl::ZOrderChanged(bool toFront) {
    TWindowSystem* ws = System();
    if (!ws || !m_window) return;
    if (toFront)
        ws->BringToTop(m_window);
    else
        ws->SendToBack(m_window);
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
    const auto alive = control->WeakRef();
    TMessage m{msg, wParam, lParam, 0};
    ++control->m_dispatchDepth;
    if (control->WindowProc)
        control->WindowProc(m);
    else
        control->WndProc(m);
    if (!alive) return m.Result;
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
    if (control->Align() != alNone) AlignControl(control);
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
        if (TFormHost* form = LiveFormHost()) form->HostDefocusControl(wc, true);
        m_tabList.erase(std::remove(m_tabList.begin(), m_tabList.end(), wc), m_tabList.end());
        if (!IsDestroying()) wc->DestroyHandle();
    }
    m_controls.erase(std::find(m_controls.begin(), m_controls.end(), control));
    control->SetParentFieldOnly(nullptr);
    if (!IsDestroying()) {
        Perform(CM_CONTROLLISTCHANGE, PtrToWParam(control), 0);
        if (control->Align() != alNone) Realign();
    }
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
        const bool resized = width != Width() || height != Height();
        TControl::SetBounds(left, top, width, height);
        if (resized) Realign();
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
    Realign();
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
        TControl* gc = c;
        if (!gc->PaintsOnParent() || !gc->Visible() || gc->Width() <= 0 || gc->Height() <= 0) continue;
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

}  // namespace platform::forms
