#pragma once
// The browser's view of its controls (app/BrowserControls.h) over the window's real components:
// labels, buttons, preview pictures, preview frames and hidden links. They need no more than
// what every control has, so they hold the framework's base classes.

#include <string>

#include "app/BrowserControls.h"
#include "platform/forms/Control.h"
#include "platform/forms/ExtCtrls.h"

namespace app::program {

class TLabelAdapter : public IBrowserLabel {
public:
    explicit TLabelAdapter(platform::forms::TControl& control) : m_control(control) {}
    void SetCaption(const std::string& text) override { m_control.SetCaption(text); }
    void SetVisible(bool visible) override { m_control.SetVisible(visible); }

private:
    platform::forms::TControl& m_control;
};

class TButtonAdapter : public IBrowserButton {
public:
    explicit TButtonAdapter(platform::forms::TControl& control) : m_control(control) {}
    void SetCaption(const std::string& text) override { m_control.SetCaption(text); }

private:
    platform::forms::TControl& m_control;
};

class TFrameAdapter : public IBrowserFrame {
public:
    explicit TFrameAdapter(platform::forms::TControl& control) : m_control(control) {}
    void SetVisible(bool visible) override { m_control.SetVisible(visible); }

private:
    platform::forms::TControl& m_control;
};

class TImageAdapter : public IBrowserImage {
public:
    explicit TImageAdapter(platform::forms::TImage& image) : m_image(image) {}
    // A file that does not decode leaves the picture empty rather than showing the previous one.
    bool LoadFromFile(const std::string& path) override;
    void SetVisible(bool visible) override { m_image.SetVisible(visible); }

private:
    platform::forms::TImage& m_image;
};

// A hidden link label: its click opens its target.
class TLinkAdapter : public IBrowserLink {
public:
    explicit TLinkAdapter(platform::forms::TControl& control) : m_control(control) {}
    void Click() override { m_control.Click(); }

private:
    platform::forms::TControl& m_control;
};

// Fires an adapter's event when it is bound.
inline void Fire(const TBrowserEvent& event) {
    if (event) event();
}

}  // namespace app::program
