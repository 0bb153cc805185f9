#pragma once
// Test doubles and the fixture of the forms tests: a window system on the headless backend with
// an application, a button-like and an edit-like custom control, a container, and a probe
// component that logs its Loaded, its references and its destruction.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/CustomControl.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/Canvas.h"
#include "support/HeadlessFixture.h"

namespace formstest {

using namespace platform::forms;
namespace ui = platform::ui;

inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// A component with a reference to another, a value with a declared default, and a log of its
// life.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner) : TComponent(owner) {}
    ~TProbe() override {
        Log().push_back("free " + Name());
        if (m_partner) m_partner->RemoveFreeNotification(this);
    }
    [[nodiscard]] TComponent* Partner() const { return m_partner; }
    void SetPartner(TComponent* partner) {
        if (m_partner) m_partner->RemoveFreeNotification(this);
        m_partner = partner;
        if (partner) partner->FreeNotification(this);
    }
    [[nodiscard]] int Value() const { return m_value; }
    void SetValue(int v) { m_value = v; }
    TNotifyEvent OnPing;

protected:
    void Loaded() override {
        TComponent::Loaded();
        std::string text = "loaded " + Name() + " partner=" + (m_partner ? m_partner->Name() : "nil");
        if (auto* p = dynamic_cast<TProbe*>(m_partner))
            text += " partner.partner=" + std::string(p->Partner() ? p->Partner()->Name() : "nil");
        Log().push_back(text);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == m_partner) m_partner = nullptr;
    }

private:
    TComponent* m_partner = nullptr;
    int m_value = 7;
};

// A push button in miniature: takes the focus when pressed, clicks on Space, answers Enter as
// the default button and Escape as the cancel button, clicks on its accelerator, and sets its
// form's modal result.
class TTestButton : public TCustomControl {
public:
    explicit TTestButton(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        m_width = 75;
        m_height = 25;
        m_controlStyle |= csOpaque;
    }
    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    int Clicks = 0;

    void Click() override {
        ++Clicks;
        Log().push_back("click " + Name());
        if (TForm* f = GetParentForm(this); f && ModalResult != mrNone) f->SetModalResult(ModalResult);
        TCustomControl::Click();
    }

protected:
    void CMDialogKey(TMessage& m) override {
        if (((m.WParam == ui::VK_RETURN && Default) || (m.WParam == ui::VK_ESCAPE && Cancel)) && Enabled() &&
            Visible()) {
            Click();
            m.Result = 1;
            return;
        }
        TCustomControl::CMDialogKey(m);
    }
    void CMDialogChar(TMessage& m) override {
        if (IsAccel(static_cast<char32_t>(m.WParam), Caption()) && CanFocus()) {
            SetFocus();
            Click();
            m.Result = 1;
        }
    }
    void WMLButtonDown(TMessage& m) override {
        if (CanFocus() && !Focused()) SetFocus();
        TCustomControl::WMLButtonDown(m);
    }
    void KeyDown(uint16_t& key, TShiftState shift) override {
        TCustomControl::KeyDown(key, shift);
        if (key == ui::VK_SPACE) Click();
    }
    void Paint() override {
        auto& c = Canvas();
        c.Brush.Color = Focused() ? platform::gfx::clNavy : platform::gfx::clBtnFace;
        c.FillRect(ClientRect());
    }
};

// Keeps characters and arrows for itself; records what it was typed.
class TTestEdit : public TCustomControl {
public:
    explicit TTestEdit(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        m_width = 100;
        m_height = 21;
    }
    std::string Typed;
    bool WantReturn = false;

protected:
    void WMGetDlgCode(TMessage& m) override { m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS; }
    void CMWantSpecialKey(TMessage& m) override {
        m.Result = (WantReturn && m.WParam == ui::VK_RETURN) ? 1 : 0;
    }
    void KeyPress(char32_t& key) override {
        TCustomControl::KeyPress(key);
        if (key >= 32 && key < 127) Typed += static_cast<char>(key);
        if (key == '\r') Typed += "<CR>";
    }
};

// A container for other controls (not a tab stop itself).
class TTestPanel : public TCustomControl {
public:
    explicit TTestPanel(TComponent* owner) : TCustomControl(owner) {
        m_width = 200;
        m_height = 100;
        m_controlStyle |= csAcceptsControls;
    }
};

inline void RegisterTestClasses() {
    auto& r = TClassRegistry::Instance();
    if (r.Find("TProbe")) return;
    r.Register<TProbe>("TProbe", "TComponent")
        .Reference<TComponent>("Partner", &TProbe::Partner, &TProbe::SetPartner)
        .Integer("Value", &TProbe::Value, &TProbe::SetValue, 7)
        .Event("OnPing", &TProbe::OnPing);
    r.Register<TTestButton>("TTestButton", "TCustomControl")
        .Boolean(
            "Default", [](const TTestButton& b) { return b.Default; },
            [](TTestButton& b, bool v) { b.Default = v; }, false)
        .Boolean(
            "Cancel", [](const TTestButton& b) { return b.Cancel; },
            [](TTestButton& b, bool v) { b.Cancel = v; }, false)
        .Integer(
            "ModalResult", [](const TTestButton& b) { return b.ModalResult; },
            [](TTestButton& b, int v) { b.ModalResult = v; }, 0);
    r.Register<TTestEdit>("TTestEdit", "TCustomControl");
    r.Register<TTestPanel>("TTestPanel", "TCustomControl");
}

class FormsFixture : public vktest::HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        RegisterTestClasses();
        Log().clear();
        m_app = std::make_unique<TApplication>();
    }
    void TearDown() override {
        m_app.reset();
        HeadlessFixture::TearDown();
    }

    TApplication& App() { return *m_app; }

    // A form read from text, owned by the application, shown.
    TForm* ShowForm(const std::string& text) {
        auto* form = new TForm(m_app.get());
        TFormReadOptions options;
        options.SourceName = "test.vkf";
        options.IgnoreMissingHandlers = true;
        ReadComponentResource(*form, text, options);
        form->DoCreate();
        form->Show();
        ProcessMessages();
        return form;
    }

    // Screen point of a control's client point.
    platform::core::TPoint At(const TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }

    void Press(uint32_t vk) { Session().KeyPress(vk); }
    void PressWith(uint32_t modifier, uint32_t vk) {
        Session().KeyDown(modifier);
        Session().KeyPress(vk);
        Session().KeyUp(modifier);
    }

private:
    std::unique_ptr<TApplication> m_app;
};

}  // namespace formstest
