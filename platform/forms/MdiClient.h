#pragma once
// TMdiClient: the window that fills an MDI main form's client area (below a top-aligned menu
// bar) and holds the form's MDI children. It keeps the children in z-order with the active child
// first, activates one child at a time while the main form itself stays active, maximises a
// child over its whole area (the child's frame is hidden and the main form's title becomes
// "caption - [child caption]"), parks minimised children in slots along its bottom edge, and
// arranges the children (cascade, tile, arrange icons). It answers the platform's MDI requests
// (WM_MDIACTIVATE, WM_MDINEXT, ...) and keeps the main form's window menu listing the children.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/forms/WinControl.h"

namespace platform::forms {

class TMenuItem;

// The platform's requests to an MDI client window.
constexpr uint32_t WM_MDICREATE = 0x0220, WM_MDIDESTROY = 0x0221, WM_MDIACTIVATE = 0x0222,
                   WM_MDIRESTORE = 0x0223, WM_MDINEXT = 0x0224, WM_MDIMAXIMIZE = 0x0225, WM_MDITILE = 0x0226,
                   WM_MDICASCADE = 0x0227, WM_MDIICONARRANGE = 0x0228, WM_MDIGETACTIVE = 0x0229;
// WM_MDITILE's flags.
constexpr uint32_t MDITILE_VERTICAL = 0x0, MDITILE_HORIZONTAL = 0x1;
// Sent to the main form after the MDI client fitted itself, after a child was maximised, and after
// a child was restored or closed, so that frame and menu bar can follow.
constexpr uint32_t WM_MDIFITCLIENT = 0x0400 + 206;     // 1230
constexpr uint32_t WM_MDICHILDMAXIMIZED = 0x0400 + 207;  // 1231
constexpr uint32_t WM_MDICHILDRESTORED = 0x0400 + 208;   // 1232

// What happened to a child, for those who keep something per child (a tabs bar, a skinned frame).
enum TMdiChildChange : uint8_t { mdiChildShown, mdiChildRemoved, mdiChildActivated, mdiCaptionChanged };
using TMdiChildChangeEvent = std::function<void(TForm* child, TMdiChildChange change)>;

class TMdiClient : public TWinControl {
public:
    // The width of a minimised child; its height is its caption and frame.
    static constexpr int kMinimizedWidth = 160;

    explicit TMdiClient(TForm* mainForm);
    ~TMdiClient() override;

    [[nodiscard]] TForm* MainForm() const { return m_mainForm; }
    [[nodiscard]] int ChildCount() const { return static_cast<int>(m_order.size()); }
    // In z-order, the active child first; null out of range.
    [[nodiscard]] TForm* Child(int index) const;
    [[nodiscard]] TForm* ActiveChild() const { return m_active; }
    // The child that is maximised now, if any.
    [[nodiscard]] TForm* MaximizedChild() const;

    void AddChild(TForm* child);
    // Shows a child that was added hidden, in its window state, and activates it.
    void ShowChild(TForm* child);
    // Makes the child the active one (and the top of the z-order). A maximised active child
    // hands its maximised state on to the new one.
    void Activate(TForm* child);
    // The next child (the active one goes to the back) / the rearmost child.
    void Next();
    void Previous();
    void SetChildState(TForm* child, TWindowState state);

    void Cascade();
    void Tile(TTileMode mode);
    void ArrangeIcons();

    // Space kept free above the client for a top-aligned menu bar.
    [[nodiscard]] int TopInset() const { return m_topInset; }
    void SetTopInset(int value);
    // Stacks the main form's visible top-aligned controls below the inset, fills the rest of
    // its client area and re-fits a maximised child. Such a bar calls it when its height changes.
    void FitToParent();

    // The main form's own caption; its Caption shows MainTitle, which adds " - [child caption]"
    // while a child is maximised.
    [[nodiscard]] const std::string& MainCaption() const { return m_mainCaption; }
    [[nodiscard]] std::string MainTitle() const;
    void UpdateMainTitle();
    // The main form's caption was set from outside: that is its own caption from now on.
    void MainCaptionChanged();

    // Fired after a child was shown, before it leaves the client, after the activation moved to it,
    // and after its caption changed.
    TMdiChildChangeEvent OnChildChange;
    void ChildChanged(TForm* child, TMdiChildChange change);
    // Called for each child's item of the window menu after it was made (to name or re-caption it).
    std::function<void(TMenuItem* item, TForm* child)> OnWindowMenuItem;
    // The size of a minimised child; a child whose frame has another minimum size sets its own.
    void SetMinimizedSize(const TForm* child, core::TSize size);

    [[nodiscard]] TMenuItem* WindowMenu() const { return m_windowMenu; }
    void SetWindowMenu(TMenuItem* item);
    // Rebuilds the child items of the window menu (captions and the active child's check).
    void UpdateWindowMenu();

    // Size of a minimised child (its frame and caption only); the child's own when it set one.
    [[nodiscard]] core::TSize MinimizedSize() const;
    [[nodiscard]] core::TSize MinimizedSize(const TForm* child) const;
    // The slot a newly minimised child takes: from the bottom-left, rightwards, then rows upwards.
    [[nodiscard]] core::TPoint FreeIconSlot(const TForm* child) const;

    // Moving a child by its caption or sizing it by its border (hit: the frame's hit-test code),
    // with the pointer captured by the child; the child stays inside the client.
    void BeginDrag(TForm* child, int hit, core::TPoint screen);
    [[nodiscard]] bool Dragging(const TForm* child) const { return m_drag.Child == child; }
    void DragTo(core::TPoint screen);
    void EndDrag();
    // The child's pointer messages while it is being dragged; true when taken.
    bool DragMessage(TForm* child, TMessage& message);
    // A child's window command (SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE, SC_NEXTWINDOW,
    // SC_PREVWINDOW); true when taken.
    bool ChildCommand(TForm* child, uint32_t command);

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TForm;
    void RemoveChild(TForm* child);
    void Restack();
    // The active child's main menu is merged into the main form's.
    void MergeMenu(const TForm* child);
    void Maximize(TForm* child);
    void RestoreFrame(TForm* child);
    void Minimize(TForm* child);
    void SetChildBounds(TForm* child, const core::TRect& rect);
    [[nodiscard]] std::vector<TForm*> ArrangeableChildren() const;
    void SignalMainForm(uint32_t message);

    TForm* m_mainForm;
    std::vector<TForm*> m_order;  // z-order, front first
    std::vector<TForm*> m_created;  // creation order (the window menu lists them so)
    TForm* m_active = nullptr;
    std::map<const TForm*, core::TRect> m_normalBounds;
    std::map<const TForm*, core::TSize> m_minimizedSizes;
    TMenuItem* m_windowMenu = nullptr;
    std::vector<TMenuItem*> m_menuItems;  // the items this client added to the window menu
    struct TDrag {
        TForm* Child = nullptr;
        int Hit = 0;
        core::TPoint Start;
        core::TRect Bounds;
    } m_drag;
    std::string m_mainCaption;
    bool m_settingTitle = false;
    int m_topInset = 0;
    bool m_switching = false;
    bool m_fitting = false;  // FitToParent moves bars, whose resizing asks for it again  // passing the maximised state from one child to another
};

}  // namespace platform::forms
