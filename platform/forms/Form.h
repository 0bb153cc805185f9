#pragma once
// TForm: a top-level window with a frame (border style and icons), a caption that is the
// desktop title, the focus bookkeeping of its controls (ActiveControl, CM_FOCUSCHANGED), the
// keyboard interface (KeyPreview, dialog keys, accelerators, shortcuts, Tab order), closing with
// OnCloseQuery / OnClose and its close action, and modal showing (ShowModal runs a nested loop
// until ModalResult is set, with the other forms disabled).
//
// A form is made empty (new TForm(owner)) or from a form resource: CreateFormFromResource /
// TApplication::CreateForm construct the class, read the resource into it (the resource's root
// object is the form itself), then fire OnCreate (DoCreate).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/CustomControl.h"
#include "platform/forms/FormHost.h"
#include "platform/gfx/Bitmap.h"

namespace platform::forms {

class TMainMenu;
class TMdiClient;
class TMenuItem;

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TBorderIcon : uint8_t { biSystemMenu = 0x1, biMinimize = 0x2, biMaximize = 0x4, biHelp = 0x8 };
using TBorderIcons = uint8_t;
enum TPosition : uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
// fsMDIForm holds an MDI client window for its fsMDIChild forms (FormMdi.cpp, MdiClient.h).
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TTileMode : uint8_t { tbHorizontal, tbVertical };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TFormStateBit : uint8_t {
    fsCreating = 0x1,
    fsVisible = 0x2,
    fsShowing = 0x4,
    fsModal = 0x8,
    fsActivated = 0x10
};
using TFormState = uint8_t;

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;
// key: the key message (WM_KEYDOWN / WM_SYSKEYDOWN) as the control got it.
using TShortCutEvent = std::function<void(TMessage& key, bool& handled)>;

class TForm : public TCustomControl, public TFormHost {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    [[nodiscard]] TFormHost* AsFormHost() const override { return const_cast<TForm*>(this); }

    // ---- Frame ----
    [[nodiscard]] TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    [[nodiscard]] TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons value);
    [[nodiscard]] TPosition Position() const { return m_position; }
    void SetPosition(TPosition value) { m_position = value; }
    [[nodiscard]] TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    [[nodiscard]] TFormStyle FormStyle() const { return m_formStyle; }
    // fsMDIForm makes the MDI client; fsMDIChild puts the form into the main form's MDI client.
    void SetFormStyle(TFormStyle value);
    [[nodiscard]] const gfx::TBitmap& Icon() const { return m_icon; }
    void SetIcon(const gfx::TBitmap& icon);
    // Client size: while the form is being read the values wait for Loaded (the border style
    // read later still counts); otherwise the window is resized at once.
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;
    [[nodiscard]] TRect ClientRect() const override;
    // Read and written with form resources; they change nothing (no scaling).
    bool Scaled = false;
    int PixelsPerInch = 96;
    int TextHeight = 13;

    // ---- Keyboard ----
    [[nodiscard]] bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool value) { m_keyPreview = value; }
    [[nodiscard]] TWinControl* ActiveControl() const { return m_activeControl; }
    // Focuses the control when the form is showing (else on showing).
    void SetActiveControl(TWinControl* control);
    // Called by a control that took the focus; sends CM_EXIT / CM_ENTER and CM_FOCUSCHANGED.
    virtual bool SetFocusedControl(TWinControl* control);
    // Takes the focus bookkeeping away from a control that goes (or hides).
    void DefocusControl(TWinControl* control, bool removing);
    // Moves the focus to a control (activating the form).
    void FocusControl(TWinControl* control);
    [[nodiscard]] TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);
    // The form's shortcut stage: OnShortCut, then the main menu's shortcuts.
    virtual bool IsShortCut(TMessage& keyMessage);

    // ---- MDI (FormMdi.cpp) ----
    [[nodiscard]] TMdiClient* MDIClient() const { return m_mdiClient; }
    [[nodiscard]] TForm* ActiveMDIChild() const;
    [[nodiscard]] int MDIChildCount() const;
    // In z-order: the active child first.
    [[nodiscard]] TForm* MDIChildren(int index) const;
    [[nodiscard]] TTileMode TileMode() const { return m_tileMode; }
    void SetTileMode(TTileMode value) { m_tileMode = value; }
    [[nodiscard]] TMenuItem* WindowMenu() const;
    void SetWindowMenu(TMenuItem* item);
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();

    // ---- Showing, closing, modal ----
    [[nodiscard]] TFormState FormState() const { return m_formState; }
    [[nodiscard]] bool Active() const { return m_active; }
    void Close();
    [[nodiscard]] virtual bool CloseQuery();
    // Shows the form modally: disables the other forms, runs a nested loop until ModalResult is
    // nonzero (a control sets it, or closing sets mrCancel), hides the form, enables the others,
    // and returns the result. mrCancel when the loop ended otherwise (quit, input ran out).
    virtual TModalResult ShowModal();
    [[nodiscard]] TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult value) { m_modalResult = value; }
    // Frees the form once the messages being handled now are done.
    void Release();
    void BringToFront();
    // Fires OnCreate (once; after the form resource was read).
    void DoCreate();

    void SetFocus() override;
    [[nodiscard]] bool CanFocus() const override;
    [[nodiscard]] bool IsShowing() const override;

    // ---- Events ----
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;
    // The form's own keyboard events (OnKeyDown, OnKeyPress, ...) come from TWinControl; with
    // KeyPreview they see every key of the form's controls first.

protected:
    void CreateParams(ui::TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    ui::TWindow* ParentWindowForTopLevel() override;
    void Paint() override;

    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoClose(TCloseAction& action);

    void WMClose(TMessage& message);
    void WMActivate(TMessage& message);
    void WMSysCommand(TMessage& message);
    void WMShowWindow(TMessage& message);
    void WndProc(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void CMShowingChanged(TMessage& message) override;
    void CMDialogKey(TMessage& message) override;
    void CMDialogChar(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;

    // ---- TFormHost ----
    TWinControl* HostControl() override { return this; }
    [[nodiscard]] TWinControl* HostActiveControl() const override { return m_activeControl; }
    void HostSetFocusedControl(TWinControl* control) override { SetFocusedControl(control); }
    void HostDefocusControl(TWinControl* control, bool removing) override {
        DefocusControl(control, removing);
    }
    void HostFocusControl(TWinControl* control) override { FocusControl(control); }
    bool HostIsShortCut(TMessage& keyMessage) override { return IsShortCut(keyMessage); }
    [[nodiscard]] bool HostKeyPreview() const override { return m_keyPreview; }
    void HostKeyDown(uint16_t& key, TShiftState shift) override { KeyDown(key, shift); }
    void HostKeyUp(uint16_t& key, TShiftState shift) override { KeyUp(key, shift); }
    void HostKeyPress(char32_t& key) override { KeyPress(key); }
    [[nodiscard]] bool HostStandsAlone() const override { return m_formStyle == fsMDIChild; }

private:
    friend class TMdiClient;
    // The MDI share of the form's messages and keys; true when handled.
    bool MdiMessage(TMessage& message);
    bool MdiMainMessage(TMessage& message);
    bool MdiChildMessage(TMessage& message, TMdiClient& client);
    bool MdiShortCut(const TMessage& keyMessage);
    // A key no control and no shortcut of an MDI child took goes to its main form's shortcuts.
    bool MdiParentShortCut(TMessage& keyMessage);
    void MdiShown();
    void MdiSetWindowState(TWindowState value);

    void ApplyPosition();
    void ApplyStyles();
    void SetWindowFocus();
    void CloseModal();
    void ShowForm(bool show);

    TFormBorderStyle m_borderStyle = bsSizeable;
    TBorderIcons m_borderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition m_position = poDesigned;
    TWindowState m_windowState = wsNormal;
    TFormStyle m_formStyle = fsNormal;
    TTileMode m_tileMode = tbHorizontal;
    TMdiClient* m_mdiClient = nullptr;
    gfx::TBitmap m_icon;
    bool m_keyPreview = false;
    TWinControl* m_activeControl = nullptr;
    TWinControl* m_focusedControl = nullptr;
    TMainMenu* m_menu = nullptr;
    TFormState m_formState = 0;
    TModalResult m_modalResult = mrNone;
    bool m_active = false;
    bool m_created = false;
    bool m_positioned = false;
    bool m_releasing = false;
    bool m_pendingShow = false;  // Visible was set while the form was being read
    int m_pendingClientWidth = -1;
    int m_pendingClientHeight = -1;
};

using TCustomForm = TForm;

// CreateFormFromResource<T> (FormResource.h) makes a form of class T from a form resource.

}  // namespace platform::forms
