#pragma once
// TMainMenuBar: the plain menu bar of a form with a main menu (TForm.Menu), a row of the menu's
// top-level items (merged with an MDI child's) in a strip of the form's frame just above its
// client area, drawn by the platform: the client area starts below the bar, so a control at y = 0
// shows. The bar control itself lies over that strip (at y = -height, outside the client area):
// it holds the keyboard in menu mode, and the form paints it and hands it the strip's mouse. A
// press on an item opens its sub-items in a drop-down (TMenuDropDown) or clicks it; an item with
// sub-items in a drop-down opens a further drop-down beside it. Menu mode from the keyboard: F10
// or Alt alone selects the first item, Alt+letter opens the item with that accelerator;
// Left/Right move along the bar, Right opens a sub-menu and Left closes it, Down/Enter open,
// Up/Down move in the drop-down, Enter or the item's letter chooses, Escape closes the deepest
// drop-down, then leaves.

#include <string>
#include <vector>

#include "platform/forms/CustomControl.h"

namespace platform::forms {

class TForm;
class TMenuItem;
class TMainMenuBar;

// The open list of one item's sub-items: a top-level window that never takes the activation.
class TMenuDropDown : public TCustomControl {
public:
    static constexpr int kItemHeight = 20;
    static constexpr int kLineHeight = 8;

    // level: 0 under the bar, 1 and more beside the drop-down before it.
    TMenuDropDown(TMainMenuBar* bar, TMenuItem* item, int level = 0);

    [[nodiscard]] TMenuItem* Item() const { return m_item; }
    [[nodiscard]] int Level() const { return m_level; }
    // The selected item, or null.
    [[nodiscard]] TMenuItem* SelectedItem() const;
    [[nodiscard]] int Selected() const { return m_selected; }
    void SetSelected(int index);
    // Moves the selection to the next (or previous) enabled item, wrapping.
    void Step(int direction);
    [[nodiscard]] core::TRect ItemRect(int index) const;
    [[nodiscard]] int ItemAt(int y) const;

protected:
    void CreateParams(ui::TCreateParams& params) override;
    void Paint() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    [[nodiscard]] bool Selectable(int index) const;

    TMainMenuBar* m_bar;
    TMenuItem* m_item;
    int m_level;
    int m_selected = -1;
};

class TMainMenuBar : public TCustomControl {
public:
    static constexpr int kItemPadding = 7;

    explicit TMainMenuBar(TForm* form);
    ~TMainMenuBar() override;

    [[nodiscard]] static int BarHeight();
    // The visible top-level items shown now (the main menu merged with an MDI child's).
    [[nodiscard]] std::vector<TMenuItem*> Items() const;
    [[nodiscard]] core::TRect ItemRect(int index) const;
    [[nodiscard]] int ItemAt(int x, int y) const;
    [[nodiscard]] int Selected() const { return m_selected; }
    [[nodiscard]] bool InMenuMode() const { return m_menuMode; }
    // The drop-down under the bar, or null.
    [[nodiscard]] TMenuDropDown* DropDown() const {
        return m_dropDowns.empty() ? nullptr : m_dropDowns.front();
    }
    [[nodiscard]] int DropDownCount() const { return static_cast<int>(m_dropDowns.size()); }
    [[nodiscard]] TMenuDropDown* DropDownAt(int level) const;
    [[nodiscard]] TMenuDropDown* DeepestDropDown() const {
        return m_dropDowns.empty() ? nullptr : m_dropDowns.back();
    }

    // key: 0 for F10 / Alt alone, else the letter typed with Alt.
    void EnterMenuMode(char32_t key);
    void ExitMenuMode();
    // Selects an item; with open its sub-items drop down.
    void Select(int index, bool open);
    // Runs a chosen item: closes everything, then clicks it.
    void Choose(TMenuItem* item);
    // Opens the sub-items of the selected item of the drop-down at level beside it (closing the
    // deeper ones); select: its first item is selected (keyboard).
    void OpenSubMenu(int level, bool select);
    // Closes the drop-downs deeper than level.
    void CloseDeeperThan(int level);
    // Follows the form's width and the menu's items.
    void UpdateBar();
    // The bar's strip in the form's window coordinates.
    [[nodiscard]] core::TRect StripRect() const;
    // Paints the bar into the form's frame.
    void PaintStrip();
    void Invalidate() override;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;

private:
    void CloseDropDown();
    void Open(int index);
    [[nodiscard]] int AccelIndex(char32_t key) const;

    void PaintItems(gfx::TCanvas& canvas);
    void TakeKeyboard();

    TForm* m_form;
    int m_selected = -1;
    bool m_menuMode = false;
    std::vector<TMenuDropDown*> m_dropDowns;  // first under the bar, then each beside the one before
    uint64_t m_previousFocus = 0;
};

// The menu bar of a form, or null. UpdateMenuBar makes, fits or removes it after the form's
// menu or size changed; MenuBarKeyMenu takes the form's keyboard menu request (true if taken).
[[nodiscard]] TMainMenuBar* FindMenuBar(const TForm& form);
void UpdateMenuBar(TForm& form);
bool MenuBarKeyMenu(TForm& form, char32_t key);
// The form's frame messages that the bar's strip changes: 0 none; 1 taken whole (a pointer message
// on the strip, done by MenuBarFrameMessage alone); 2 the form's own handling first, then
// MenuBarFrameMessage (the client area, the frame's paint, hit-testing).
[[nodiscard]] int MenuBarFrameStage(const TForm& form, const TMessage& message);
void MenuBarFrameMessage(TForm& form, TMessage& message);

}  // namespace platform::forms
