#pragma once
// TScreen: the desktop as the program sees it: the forms of the program (in creation order),
// the active form and control, the primary monitor's size and work area, the monitors, and the
// program-wide cursor (crDefault lets each control's cursor show).

#include <functional>
#include <string_view>
#include <vector>

#include "platform/core/Types.h"
#include "platform/forms/Component.h"
#include "platform/forms/Cursors.h"
#include "platform/ui/backend/Backend.h"

namespace platform::forms {

using core::TPoint;
using core::TRect;

class TForm;
class TFormHost;
class TWinControl;

class TScreen {
public:
    TScreen();
    ~TScreen();
    TScreen(const TScreen&) = delete;
    TScreen& operator=(const TScreen&) = delete;

    [[nodiscard]] int FormCount() const { return static_cast<int>(m_forms.size()); }
    [[nodiscard]] TForm* Forms(int index) const { return m_forms.at(static_cast<size_t>(index)); }
    [[nodiscard]] const std::vector<TForm*>& FormList() const { return m_forms; }
    // The form whose window is the active window, or null.
    [[nodiscard]] TForm* ActiveForm() const;
    [[nodiscard]] TWinControl* ActiveControl() const;
    // The form of a given name (case-insensitive), or null.
    [[nodiscard]] TForm* FindForm(std::string_view name) const;

    // The primary monitor.
    [[nodiscard]] int Width() const;
    [[nodiscard]] int Height() const;
    [[nodiscard]] TRect WorkAreaRect() const;
    [[nodiscard]] int WorkAreaLeft() const { return WorkAreaRect().Left; }
    [[nodiscard]] int WorkAreaTop() const { return WorkAreaRect().Top; }
    [[nodiscard]] int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    [[nodiscard]] int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    [[nodiscard]] std::vector<ui::TMonitor> Monitors() const;
    [[nodiscard]] int MonitorCount() const { return static_cast<int>(Monitors().size()); }
    [[nodiscard]] int PixelsPerInch() const { return 96; }

    [[nodiscard]] TCursor Cursor() const { return m_cursor; }
    // Applies the shape at once (and to every later WM_SETCURSOR while not crDefault).
    void SetCursor(TCursor cursor);
    [[nodiscard]] TPoint CursorPos() const;

    TNotifyEvent OnActiveFormChange;

    // Kept by TForm, which passes itself twice: as the form that the list gives out and as the
    // host the screen asks (so that the screen needs not know the form class).
    void AddForm(TForm* form, TFormHost* host);
    void RemoveForm(TForm* form);
    void ActiveFormChanged();

private:
    // Index of the first form that matches, or -1.
    [[nodiscard]] int IndexOf(const std::function<bool(TWinControl* form)>& match) const;

    std::vector<TForm*> m_forms;
    std::vector<TFormHost*> m_hosts;  // m_hosts[i] is m_forms[i]
    TCursor m_cursor = crDefault;
    TForm* m_lastActive = nullptr;
};

extern TScreen* Screen;

}  // namespace platform::forms
