#pragma once
// TMainMenuBar: the plain menu bar of a form with a main menu (TForm.Menu), a row of the menu's
// top-level items (merged with an MDI child's) along the top of the form's client area, drawn by
// the platform. A press on an item opens its sub-items in a drop-down (TMenuDropDown) or clicks
// it. Menu mode from the keyboard: F10 or Alt alone selects the first item, Alt+letter opens the
// item with that accelerator; Left/Right move along the bar, Down/Enter open, Up/Down move in the
// drop-down, Enter or the item's letter chooses, Escape closes the drop-down, then leaves.

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

    TMenuDropDown(TMainMenuBar* bar, TMenuItem* item);

    [[nodiscard]] TMenuItem* Item() const { return m_item; }
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
    [[nodiscard]] TMenuDropDown* DropDown() const { return m_dropDown; }

    // key: 0 for F10 / Alt alone, else the letter typed with Alt.
    void EnterMenuMode(char32_t key);
    void ExitMenuMode();
    // Selects an item; with open its sub-items drop down.
    void Select(int index, bool open);
    // Runs a chosen item: closes everything, then clicks it.
    void Choose(TMenuItem* item);
    // Follows the form's width and the menu's items.
    void UpdateBar();

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

    TForm* m_form;
    int m_selected = -1;
    bool m_menuMode = false;
    TMenuDropDown* m_dropDown = nullptr;
    uint64_t m_previousFocus = 0;
};

// The menu bar of a form, or null. UpdateMenuBar makes, fits or removes it after the form's
// menu or size changed; MenuBarKeyMenu takes the form's keyboard menu request (true if taken).
[[nodiscard]] TMainMenuBar* FindMenuBar(const TForm& form);
void UpdateMenuBar(TForm& form);
bool MenuBarKeyMenu(TForm& form, char32_t key);

}  // namespace platform::forms
