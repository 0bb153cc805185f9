#pragma once
// The browser's view of its controls (app/BrowserControls.h) over the window's real components:
// labels, buttons, preview pictures, preview frames and hidden links. They need no more than
// what every control has, so they hold the framework's base classes.
//
// An adapter exists from the window's construction and is attached to its component once the form
// resource has made it. Its events are the handlers the resource binds by name (the control's name
// and the event's suffix), so a control's event calls straight into the handler the browser bound.

#include <string>
#include <vector>

#include "app/BrowserControls.h"
#include "platform/forms/Control.h"
#include "platform/forms/ExtCtrls.h"

namespace app::program {

// An event the form resource binds as "<control name><Suffix>" (btnStart + "Click").
struct TAdapterEvent {
    const char* Suffix;
    TBrowserEvent* Event;
};

// The component an adapter works on; set once, before the browser uses the adapter.
template <class TComponentType>
class TAttachedAdapter {
public:
    void Attach(TComponentType& component) { m_component = &component; }
    // The events the adapter passes on; none by default.
    [[nodiscard]] std::vector<TAdapterEvent> Events() { return {}; }

protected:
    [[nodiscard]] TComponentType& Component() const { return *m_component; }

private:
    TComponentType* m_component = nullptr;
};

class TLabelAdapter : public IBrowserLabel, public TAttachedAdapter<platform::forms::TControl> {
public:
    // Texts get the first occurrence of this letter (either case) marked as the label's
    // accelerator; other "&" are doubled so that they show. 0: texts stand as they are.
    void SetMnemonic(char letter) { m_mnemonic = letter; }
    void SetCaption(const std::string& text) override {
        Component().SetCaption(WithMnemonic(text, m_mnemonic));
    }
    void SetVisible(bool visible) override { Component().SetVisible(visible); }

    [[nodiscard]] static std::string WithMnemonic(const std::string& text, char letter);

private:
    char m_mnemonic = 0;
};

class TButtonAdapter : public IBrowserButton, public TAttachedAdapter<platform::forms::TControl> {
public:
    void SetCaption(const std::string& text) override { Component().SetCaption(text); }
    [[nodiscard]] std::vector<TAdapterEvent> Events() { return {{"Click", &OnClick}}; }
};

class TFrameAdapter : public IBrowserFrame, public TAttachedAdapter<platform::forms::TControl> {
public:
    void SetVisible(bool visible) override { Component().SetVisible(visible); }
};

class TImageAdapter : public IBrowserImage, public TAttachedAdapter<platform::forms::TImage> {
public:
    // A file that does not decode leaves the picture empty rather than showing the previous one.
    bool LoadFromFile(const std::string& path) override;
    void SetVisible(bool visible) override { Component().SetVisible(visible); }
    [[nodiscard]] std::vector<TAdapterEvent> Events() {
        return {{"Click", &OnClick}, {"DblClick", &OnDblClick}};
    }
};

// A hidden link label: its click opens its target.
class TLinkAdapter : public IBrowserLink, public TAttachedAdapter<platform::forms::TControl> {
public:
    void Click() override { Component().Click(); }
};

// Fires an adapter's event when it is bound.
inline void Fire(const TBrowserEvent& event) {
    if (event) event();
}

}  // namespace app::program
