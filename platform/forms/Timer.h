#pragma once
// TTimer: fires OnTimer every Interval ms while Enabled (and OnTimer is set), on the window
// system's timers (a message-only window of its own). A timer being read from a form resource
// starts in Loaded.

#include <cstdint>

#include "platform/forms/Component.h"

namespace platform::ui {
class TWindow;
}

namespace platform::forms {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    [[nodiscard]] bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    [[nodiscard]] uint32_t Interval() const { return m_interval; }
    // Setting the interval restarts the period.
    void SetInterval(uint32_t value);
    [[nodiscard]] const TNotifyEvent& OnTimer() const { return m_onTimer; }
    void SetOnTimer(TNotifyEvent handler);
    // True while the window system's timer runs.
    [[nodiscard]] bool Running() const { return m_running; }

protected:
    void Loaded() override;
    virtual void Timer();

private:
    void UpdateTimer();

    bool m_enabled = true;
    uint32_t m_interval = 1000;
    TNotifyEvent m_onTimer;
    ui::TWindow* m_window = nullptr;
    bool m_running = false;
};

}  // namespace platform::forms
