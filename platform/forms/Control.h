#pragma once
// TControl: a visual component with bounds in its parent's client area, visibility, enabling,
// a caption, a font, a colour, a cursor, a hint and the mouse and click events. Messages reach a
// control through Perform / WindowProc, which by default is the virtual WndProc: one switch
// that feeds the virtual message handlers below (override a handler, or WndProc itself and call
// the base for what you don't handle). Windowless controls (TGraphicControl) get their mouse
// messages from their parent's hit-testing and paint on their parent's canvas.

#include <functional>
#include <memory>
#include <string>

#include "platform/core/Types.h"
#include "platform/forms/Component.h"
#include "platform/forms/ControlMessages.h"
#include "platform/forms/Cursors.h"
#include "platform/forms/DragTypes.h"
#include "platform/forms/Keyboard.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"

namespace platform::gfx {
class TCanvas;
}

namespace platform::forms {

class TControl;
class TWinControl;
class TPopupMenu;
class TFormHost;

using core::TPoint;
using core::TRect;
using gfx::TColor;
using gfx::TFont;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };  // alNone only acts
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
// Key is the virtual-key code; setting it to 0 stops the key.
using TKeyEvent = std::function<void(TComponent* sender, uint16_t& key, TShiftState shift)>;
// Key is the typed character; setting it to 0 stops it.
using TKeyPressEvent = std::function<void(TComponent* sender, char32_t& key)>;
using TMouseWheelEvent = std::function<void(TComponent* sender, TShiftState shift, int wheelDelta,
                                            TPoint mousePos, bool& handled)>;

// Anchors are read and written with form resources; only akLeft + akTop behaves (no anchoring).
enum TAnchorKind : uint8_t { akLeft = 0x1, akTop = 0x2, akRight = 0x4, akBottom = 0x8 };
using TAnchors = uint8_t;

// Size limits of a control; 0 means no limit. SetBounds keeps the size within them.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    friend bool operator==(const TSizeConstraints&, const TSizeConstraints&) = default;
};

// ControlStyle bits.
enum TControlStyleBit : uint32_t {
    csAcceptsControls = 0x0001,
    csCaptureMouse = 0x0002,  // a left press captures the mouse until release
    csClickEvents = 0x0004,   // press and release inside make a Click
    csFramed = 0x0008,
    csSetCaption = 0x0010,    // a new Name is copied into an empty caption
    csOpaque = 0x0020,        // the control covers its whole rectangle when painting
    csDoubleClicks = 0x0040,  // double clicks arrive as such (else as a second press)
    csFixedWidth = 0x0080,
    csFixedHeight = 0x0100,
    csReplicatable = 0x0200,
    csNoStdEvents = 0x0400,
};
using TControlStyle = uint32_t;

// ControlState bits.
enum TControlStateBit : uint32_t {
    csLButtonDown = 0x01,
    csClicked = 0x02,
    csFocusing = 0x04,
    csCreating = 0x08,
    csReadingState = 0x10,
    csMouseOver = 0x20,  // the pointer is over the control (between CM_MOUSEENTER and CM_MOUSELEAVE)
};
using TControlState = uint32_t;

// The program-wide services a control calls on while it lives: the application provides them
// when it runs (SetControlServices), so the control classes need not know the application.
class TControlServices {
public:
    // A control is being freed: forget every pointer to it.
    virtual void ControlDestroying(TControl* control) = 0;
    // A press ends the hint that may be showing.
    virtual void CancelHint() = 0;
    // The program-wide cursor (crDefault: each control's own cursor shows).
    [[nodiscard]] virtual TCursor ScreenCursor() const = 0;

protected:
    ~TControlServices() = default;
};

// null while no application runs.
[[nodiscard]] TControlServices* ControlServices();
void SetControlServices(TControlServices* services);

// A replaceable message entry: the control's WindowProc. To hook a control, keep its
// WindowProc, install your own and pass what you don't take to the kept one; restore it when
// you go (the skin form does this with its form).
using TWndMethod = std::function<void(TMessage& message)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- Parent ----
    [[nodiscard]] TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* parent);
    [[nodiscard]] bool HasParent() const override { return true; }
    [[nodiscard]] TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    // ---- Bounds (parent client coordinates; screen coordinates for a top-level window) ----
    [[nodiscard]] int Left() const { return m_left; }
    [[nodiscard]] int Top() const { return m_top; }
    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }
    void SetLeft(int value) { SetBounds(value, m_top, m_width, m_height); }
    void SetTop(int value) { SetBounds(m_left, value, m_width, m_height); }
    void SetWidth(int value) { SetBounds(m_left, m_top, value, m_height); }
    void SetHeight(int value) { SetBounds(m_left, m_top, m_width, value); }
    // Every change of position or size goes through here (skinned controls override it).
    virtual void SetBounds(int left, int top, int width, int height);
    [[nodiscard]] TRect BoundsRect() const { return core::Bounds(m_left, m_top, m_width, m_height); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    [[nodiscard]] virtual TRect ClientRect() const;
    [[nodiscard]] int ClientWidth() const { return ClientRect().Width(); }
    [[nodiscard]] int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    // Screen position of the client area's top-left.
    [[nodiscard]] virtual TPoint ClientOrigin() const;
    [[nodiscard]] TPoint ClientToScreen(TPoint p) const;
    [[nodiscard]] TPoint ScreenToClient(TPoint p) const;
    // Client point of the parent's client area.
    [[nodiscard]] TPoint ClientToParent(TPoint p) const { return {p.X + m_left, p.Y + m_top}; }

    // ---- State ----
    [[nodiscard]] bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible together with all parents (and, for windowed controls, the top-level shown).
    [[nodiscard]] virtual bool IsShowing() const;
    [[nodiscard]] bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool value);

    // Caption and Text are the same string.
    [[nodiscard]] const std::string& Caption() const { return m_text; }
    void SetCaption(const std::string& value) { SetText(value); }
    [[nodiscard]] const std::string& Text() const { return m_text; }
    virtual void SetText(const std::string& value);

    [[nodiscard]] TFont& Font() { return *m_font; }
    [[nodiscard]] const TFont& Font() const { return *m_font; }
    // Copies the font; clears ParentFont.
    void SetFont(const TFont& font);
    [[nodiscard]] bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool value);
    [[nodiscard]] TColor Color() const { return m_color; }
    void SetColor(TColor value);
    [[nodiscard]] bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool value);
    [[nodiscard]] TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor value);
    [[nodiscard]] const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value) { m_hint = value; }
    [[nodiscard]] bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    [[nodiscard]] bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool value);
    [[nodiscard]] TAlign Align() const { return m_align; }
    // The parent lays its aligned children out again.
    void SetAlign(TAlign value);
    [[nodiscard]] TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors value) { m_anchors = value; }
    [[nodiscard]] const TSizeConstraints& Constraints() const { return m_constraints; }
    // Applies the limits to the current size at once.
    void SetConstraints(const TSizeConstraints& value);
    [[nodiscard]] TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* menu);
    [[nodiscard]] int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int value) { m_helpContext = value; }

    [[nodiscard]] TControlStyle ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(TControlStyle style) { m_controlStyle = style; }
    [[nodiscard]] TControlState ControlState() const { return m_controlState; }
    void SetControlState(TControlState state) { m_controlState = state; }
    [[nodiscard]] bool MouseInControl() const { return (m_controlState & csMouseOver) != 0; }
    // The mouse stays with this control while a button is held (windowless controls hold it
    // through their parent's window).
    [[nodiscard]] virtual bool MouseCapture() const;
    virtual void SetMouseCapture(bool value);
    // A new name is copied into a caption that still equals the old name (csSetCaption).
    void SetName(const std::string& name) override;
    // Whether the control's hint shows (ShowHint, or the parent's while ParentShowHint).
    [[nodiscard]] bool EffectiveShowHint() const;

    // The form behind a top-level control (TForm), or null.
    [[nodiscard]] virtual TFormHost* AsFormHost() const { return nullptr; }

    // ---- Messages ----
    // Tells the parent form's focused control that this control was pressed (CM_CANCELMODE).
    void SendCancelMode();
    TLResult Perform(uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
    // Dispatches through WindowProc (what Perform does with a ready message).
    void Dispatch(TMessage& message) { WindowProc(message); }
    TWndMethod WindowProc;
    // The message switch. Unknown messages go to DefaultHandler.
    virtual void WndProc(TMessage& message);
    // TControl: nothing (Result stays). TWinControl: the window's default procedure.
    virtual void DefaultHandler(TMessage& message);

    // ---- Painting ----
    virtual void Invalidate();
    // Paint now what is invalid.
    virtual void Update();
    // Invalidate and paint now.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Z-order among the parent's controls.
    void BringToFront();
    void SendToBack();

    // ---- Events ----
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // The control's click: fires OnClick (virtual: buttons override).
    virtual void Click();

    // ---- Dragging (the drag manager is in DragDrop.h) ----
    [[nodiscard]] TDragMode DragMode() const { return m_dragMode; }
    void SetDragMode(TDragMode value) { m_dragMode = value; }
    [[nodiscard]] TDragKind DragKind() const { return m_dragKind; }
    void SetDragKind(TDragKind value) { m_dragKind = value; }
    [[nodiscard]] TCursor DragCursor() const { return m_dragCursor; }
    void SetDragCursor(TCursor value) { m_dragCursor = value; }
    // Starts dragging this control from the pointer's place; unless immediate, the drag begins
    // once the pointer has moved threshold pixels (below 0: the default of 5).
    void BeginDrag(bool immediate, int threshold = -1);
    // Ends this control's drag: drops on an accepting target when drop, else cancels.
    void EndDrag(bool drop);
    [[nodiscard]] bool Dragging() const;
    // Whether a drag over this control asks it (it has OnDragOver; descendants may take drops
    // without one).
    [[nodiscard]] virtual bool TakesDragOver() const { return static_cast<bool>(OnDragOver); }
    // Accept comes in false; with OnDragOver it is set true and the handler decides.
    virtual void DragOver(TControl* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TControl* source, int x, int y);
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    virtual void DblClick();
    // Dragging: the source's start and end, and a left press with DragMode dmAutomatic (a view
    // that drags only from its items starts the drag itself and overrides this).
    friend class TDragManager;
    virtual void DoStartDrag();
    virtual void DoEndDrag(TControl* target, int x, int y);
    virtual void BeginAutoDrag() { BeginDrag(false); }
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    // Sends CM_VISIBLECHANGED etc. only when the value changes; hooks for descendants.
    virtual void VisibleChanging() {}
    virtual void FontChanged();
    // Fills a window region / invalidates the parent area; TWinControl overrides.
    virtual void InvalidateControl(bool isVisible, bool isOpaque);
    // Called when the bounds change (after the fields are set).
    virtual void BoundsChanged() {}

    // ---- Hooks a windowed control answers for itself ----
    // The control that children read inside this one in a form resource are placed on (a
    // windowed control: itself; others hold no children).
    [[nodiscard]] virtual TWinControl* ChildParent() { return nullptr; }
    // A right button release that no one took asks for the context menu: a windowless control
    // asks itself at once, a window leaves it to its default handling.
    virtual void RequestContextMenu(TMessage& rightButtonUp);
    // A context menu request this control has no popup menu for: a windowless control passes
    // it to its parent, a window to its default handling.
    virtual void PassOnContextMenu(TMessage& message);
    // After the control moved to the top or the bottom of its parent's list.
    virtual void ZOrderChanged(bool /*toFront*/) {}
    // Paint-time device contexts held for the current message go back (see TGraphicControl).
    virtual void ReleaseCanvas() {}
    // Windowless controls draw on their parent's canvas (origin and clip set by the parent).
    [[nodiscard]] virtual bool PaintsOnParent() const { return false; }
    virtual void PaintOn(gfx::TCanvas& /*canvas*/) {}
    // Adapts a window's bounds to the fields and back (TWinControl).
    void UpdateBoundsFields(int left, int top, int width, int height);
    // Keeps a wanted size within Constraints.
    void ConstrainSize(int& width, int& height) const;

    // ---- Message handlers (called by WndProc) ----
    virtual void WMLButtonDown(TMessage& message);
    virtual void WMLButtonUp(TMessage& message);
    virtual void WMLButtonDblClk(TMessage& message);
    virtual void WMRButtonDown(TMessage& message);
    virtual void WMRButtonUp(TMessage& message);
    virtual void WMRButtonDblClk(TMessage& message);
    virtual void WMMButtonDown(TMessage& message);
    virtual void WMMButtonUp(TMessage& message);
    virtual void WMMButtonDblClk(TMessage& message);
    virtual void WMMouseMove(TMessage& message);
    virtual void WMMouseWheel(TMessage& message);
    virtual void WMCancelMode(TMessage& message);
    virtual void WMContextMenu(TMessage& message);
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);
    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMColorChanged(TMessage& message);
    virtual void CMParentFontChanged(TMessage& message);
    virtual void CMParentColorChanged(TMessage& message);
    virtual void CMParentShowHintChanged(TMessage& message);
    virtual void CMHitTest(TMessage& message);
    virtual void CMHintShow(TMessage& message);
    virtual void CMDialogKey(TMessage& message);
    virtual void CMDialogChar(TMessage& message);
    virtual void CMFocusChanged(TMessage& message);
    virtual void CMSysColorChange(TMessage& message);

    // Mouse plumbing shared by the button handlers.
    void DoMouseDown(TMessage& message, TMouseButton button, TShiftState extra);
    void DoMouseUp(TMessage& message, TMouseButton button);
    [[nodiscard]] static TShiftState ShiftFromKeys(TWParam mkFlags);

    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TControlStyle m_controlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState m_controlState = 0;

private:
    friend class TWinControl;
    void ParentFontChangedBy(const TFont& font);
    void SetParentFieldOnly(TWinControl* parent) { m_parent = parent; }
    // An aligned control changed place, size or visibility: the parent lays its children out.
    void RequestAlign();

    TWinControl* m_parent = nullptr;
    bool m_visible = true;
    bool m_enabled = true;
    std::string m_text;
    std::unique_ptr<TFont> m_font;
    bool m_parentFont = true;
    bool m_settingParentFont = false;
    TColor m_color = gfx::clWindow;
    bool m_parentColor = true;
    TCursor m_cursor = crDefault;
    std::string m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TAlign m_align = alNone;
    TAnchors m_anchors = akLeft | akTop;
    TDragMode m_dragMode = dmManual;
    TDragKind m_dragKind = dkDrag;
    TCursor m_dragCursor = crDrag;
    TSizeConstraints m_constraints;
    TPopupMenu* m_popupMenu = nullptr;
    int m_helpContext = 0;
};

// The accelerator test of captions: true when ch is the character after the caption's single
// "&" (without regard to case).
[[nodiscard]] bool IsAccel(char32_t ch, const std::string& caption);

}  // namespace platform::forms
