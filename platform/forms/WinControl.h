#pragma once
// TWinControl: a control with a window of the window system (platform/ui): a child window of its
// parent's window, or a top-level window when it has no parent (forms, hints). It holds child
// controls (windowed and windowless), keeps the tab order and the focus, and answers the
// window's messages through WindowProc / WndProc.
//
// Windows are made when first needed (Handle()), with the children that already exist; the
// fields (bounds, caption, visibility, enabling, region) are the truth while there is none.
//
// The keyboard (with a TApplication running the loop): a key first goes through the form's
// shortcuts and KeyPreview (CN_KEYDOWN stage), then, for Tab, Enter, Escape and the arrows, the
// focused control is asked whether it wants the key (CM_WANTSPECIALKEY, WM_GETDLGCODE); if not,
// the form gets CM_DIALOGKEY (Tab moves the focus; other keys are broadcast to the controls,
// where a default or cancel button takes Enter or Escape). A character that the focused control
// does not want (no DLGC_WANTCHARS), and every Alt+character, is offered as CM_DIALOGCHAR,
// broadcast to the controls, which check their caption's accelerator with IsAccel.

#include <memory>
#include <optional>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/gfx/Region.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Window.h"

namespace platform::forms {

class TFormHost;

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // ---- Window ----
    // The window, made (with the parents' windows) when there is none yet.
    [[nodiscard]] ui::TWindow* Handle();
    [[nodiscard]] ui::TWindow* HandleIfAllocated() const { return m_window; }
    [[nodiscard]] bool HandleAllocated() const { return m_window != nullptr; }
    void HandleNeeded() { (void)Handle(); }
    // Destroys the window (and the children's) and makes it again with the current fields.
    void RecreateWnd();
    // Passes a window region (window coordinates) to the window system; kept and applied again
    // when the window is made again. nullopt: rectangular.
    void SetWindowRgn(std::optional<gfx::TRegion> region, bool redraw = true);
    [[nodiscard]] const std::optional<gfx::TRegion>& WindowRgn() const { return m_region; }

    // ---- Children (index 0 is the bottom of the z-order) ----
    [[nodiscard]] int ControlCount() const { return static_cast<int>(m_controls.size()); }
    [[nodiscard]] TControl* Controls(int index) const { return m_controls.at(static_cast<size_t>(index)); }
    [[nodiscard]] const std::vector<TControl*>& ControlList() const { return m_controls; }
    [[nodiscard]] bool ContainsControl(const TControl* control) const;
    // The topmost visible child at a client point (enabled unless allowDisabled; windowless only
    // unless allowWinControls).
    [[nodiscard]] TControl* ControlAtPos(TPoint clientPos, bool allowDisabled,
                                         bool allowWinControls = false) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Sends the message to every child until one sets a nonzero Result.
    void Broadcast(TMessage& message);
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const override;

    // ---- Alignment ----
    // Lays the aligned children out in the client area: top, bottom, left, right, then client,
    // each kind stacked from its edge in the order of the children's places; control (may be
    // null) is the child that just moved or changed, whose new place wins a tie. Runs by itself
    // when the client size changes or an aligned child's alignment, size or visibility does;
    // held back while loading or between DisableAlign and EnableAlign.
    void AlignControl(TControl* control);
    void Realign() { AlignControl(nullptr); }
    void DisableAlign() { ++m_alignLevel; }
    // The last EnableAlign lays out what was held back.
    void EnableAlign();
    [[nodiscard]] bool AlignDisabled() const { return m_alignLevel > 0; }

    // ---- Tab order and focus ----
    [[nodiscard]] int TabOrder() const;
    void SetTabOrder(int value);
    [[nodiscard]] bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value);
    // Windowed descendants in tab order, depth first (a container's children follow it).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) control after current among the descendants that can take the
    // focus (and have TabStop when checkTabStop), wrapping round; null when there is none.
    [[nodiscard]] TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                               bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    [[nodiscard]] virtual bool CanFocus() const;
    virtual void SetFocus();
    [[nodiscard]] virtual bool Focused() const;
    [[nodiscard]] bool IsShowing() const override;
    [[nodiscard]] TRect ClientRect() const override;
    [[nodiscard]] TPoint ClientOrigin() const override;
    // A window holds the mouse itself.
    [[nodiscard]] bool MouseCapture() const override;
    void SetMouseCapture(bool value) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetText(const std::string& value) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Invalidates part of the client area (client coordinates).
    void InvalidateRect(const TRect& rect, bool erase);

    void DefaultHandler(TMessage& message) override;
    void WndProc(TMessage& message) override;

    // ---- Events ----
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseWheelEvent OnMouseWheel;

    // The window procedure the window system calls; it dispatches to the control's WindowProc.
    static ui::TLResult MainWndProc(ui::TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);
    // The control of a window made by this framework, or null.
    [[nodiscard]] static TWinControl* FromWindow(const ui::TWindow* window);

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // What the window is made with. Bounds, parent, caption, visibility and enabling are
    // filled in beforehand; descendants change styles.
    virtual void CreateParams(ui::TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // A top-level window's owner window (forms: the application's main form).
    [[nodiscard]] virtual ui::TWindow* ParentWindowForTopLevel() { return nullptr; }

    // Painting: the window's own paint (TCustomControl draws Paint here), then the windowless
    // children onto the same context.
    virtual void PaintWindow(ui::TDeviceContext& dc);
    void PaintControls(ui::TDeviceContext& dc, TControl* first = nullptr);
    void PaintHandler(ui::TDeviceContext& dc);

    // Alignment: places the aligned children inside rect, shrinking it by what each takes.
    virtual void AlignControls(TControl* control, TRect& rect);
    // The part of the client area aligned children may take (a frame or caption keeps the rest).
    virtual void AdjustClientRect(TRect& /*rect*/) {}

    // Keys: the control's own handlers (fire OnKeyDown etc.).
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    // true when the key was used up.
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void DoEnter();
    virtual void DoExit();

    void InvalidateControl(bool isVisible, bool isOpaque) override;
    void FontChanged() override;
    TWinControl* ChildParent() override { return this; }
    void RequestContextMenu(TMessage& rightButtonUp) override;
    void PassOnContextMenu(TMessage& message) override;
    void ZOrderChanged(bool toFront) override;

    // ---- Message handlers ----
    virtual void WMPaint(TMessage& message);
    virtual void WMEraseBkgnd(TMessage& message);
    virtual void WMSetFocus(TMessage& message);
    virtual void WMKillFocus(TMessage& message);
    virtual void WMKeyDown(TMessage& message);
    virtual void WMKeyUp(TMessage& message);
    virtual void WMChar(TMessage& message);
    virtual void WMSysKeyDown(TMessage& message);
    virtual void WMSysChar(TMessage& message);
    virtual void WMWindowPosChanged(TMessage& message);
    virtual void WMSize(TMessage& message);
    virtual void WMMove(TMessage& message);
    virtual void WMSetCursor(TMessage& message);
    virtual void WMGetDlgCode(TMessage& message);
    virtual void WMSetText(TMessage& message);
    virtual void WMNCDestroy(TMessage& message);
    virtual void WMCommand(TMessage& message);
    void CMEnabledChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMDialogKey(TMessage& message) override;
    void CMDialogChar(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;
    void CMSysColorChange(TMessage& message) override;
    virtual void CMShowingChanged(TMessage& message);
    virtual void CMEnter(TMessage& message);
    virtual void CMExit(TMessage& message);
    virtual void CMWantSpecialKey(TMessage& message);
    virtual void CMChildKey(TMessage& message);
    virtual void CNKeyDown(TMessage& message);
    virtual void CNKeyUp(TMessage& message);
    virtual void CNChar(TMessage& message);
    virtual void CNSysChar(TMessage& message);

    // The windowless child that gets the mouse at a client point (hit-testing), or null.
    [[nodiscard]] TControl* GraphicControlAt(TPoint clientPos) const;
    // Routes a client mouse message to a windowless child; true when one took it.
    bool ForwardMouseToGraphic(TMessage& message);
    void SetHoverGraphic(TControl* control);
    void UpdateShowing();
    void UpdateControlState();

private:
    friend class TControl;
    friend class TForm;
    void AddChildWindow(TWinControl* child);
    void FixupTabList();
    void ReleaseCanvasDcs();
    bool RouteMouse(TMessage& message);
    // The form this control lies on, unless the control is that form.
    [[nodiscard]] TFormHost* OuterFormHost() const;
    // The form this control lies on (or is), unless it is being destroyed.
    [[nodiscard]] TFormHost* LiveFormHost() const;

    ui::TWindow* m_window = nullptr;
    std::vector<TControl*> m_controls;    // z-order, bottom first
    std::vector<TWinControl*> m_tabList;  // windowed children in tab order
    std::optional<gfx::TRegion> m_region;
    bool m_tabStop = false;
    int m_loadedTabOrder = -1;  // TabOrder read from a resource, sorted out in the parent's Loaded
    bool m_showing = false;
    bool m_creatingHandle = false;
    TControl* m_captureControl = nullptr;  // windowless child that holds the mouse
    TControl* m_hoverControl = nullptr;    // windowless child under the pointer
    int m_dispatchDepth = 0;
    int m_alignLevel = 0;
    bool m_alignPending = false;  // an alignment was asked for while held back
    bool m_aligning = false;
};

// The form a control lies on (its top-level TForm), or null.
class TForm;
[[nodiscard]] TForm* GetParentForm(const TControl* control);

}  // namespace platform::forms
