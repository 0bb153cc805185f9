#pragma once
// Test doubles for the browser window's controls and services, and a harness that wires them.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/Browser.h"

namespace app_test {

class FakeComboBox : public app::IBrowserComboBox {
public:
    void SetItems(const platform::core::TStringList& items) override {
        Items = items;
        m_index = -1;
    }
    [[nodiscard]] int ItemIndex() const override { return m_index; }
    void SetItemIndex(int index) override {
        m_index = index;
        // The skinned combo box fires events when the program sets the index.
        if (FireOnProgramChange && OnChange) OnChange();
    }
    // A user's choice: the index changes, then the events fire as the real box fires them.
    void Choose(int index) {
        m_index = index;
        if (OnChange) OnChange();
        if (OnCloseUp) OnCloseUp();
    }
    platform::core::TStringList Items;
    bool FireOnProgramChange = false;

private:
    int m_index = -1;
};

class FakeUpDown : public app::IBrowserUpDown {
public:
    void SetMin(int value) override { Min = value; }
    void SetMax(int value) override { Max = value; }
    void SetIncrement(int value) override { Increment = value; }
    void SetPosition(int value) override { Position = value; }
    void SetVisible(bool visible) override { Visible = visible; }
    int Min = -99, Max = -99, Increment = -99, Position = -99;
    bool Visible = true;
};

class FakeLabel : public app::IBrowserLabel {
public:
    void SetCaption(const std::string& text) override { Caption = text; }
    void SetVisible(bool visible) override { Visible = visible; }
    std::string Caption = "<unset>";
    bool Visible = true;
};

class FakeButton : public app::IBrowserButton {
public:
    void SetCaption(const std::string& text) override { Caption = text; }
    std::string Caption = "<unset>";
};

// Accepts a file that starts with a JPEG start marker.
class FakeImage : public app::IBrowserImage {
public:
    bool LoadFromFile(const std::string& path) override {
        Loaded = ReadFile(path).rfind("\xFF\xD8", 0) == 0 ? path : "";
        return !Loaded.empty();
    }
    void SetVisible(bool visible) override { Visible = visible; }
    std::string Loaded;
    bool Visible = true;
};

class FakeFrame : public app::IBrowserFrame {
public:
    void SetVisible(bool visible) override { Visible = visible; }
    bool Visible = true;
};

class FakeLink : public app::IBrowserLink {
public:
    void Click() override { ++Clicks; }
    int Clicks = 0;
};

class FakeMessageBox : public app::IMessageBox {
public:
    void ShowText(const std::string& text) override {
        Texts.push_back(text);
        if (OnShow) OnShow();
    }
    std::vector<std::string> Texts;
    std::function<void()> OnShow;  // runs while the box is up
};

class FakeStarter : public app::IProgramStarter {
public:
    platform::core::TStartResult StartProgram(const std::string& path) override {
        Started.push_back(path);
        return {true, 0, ""};
    }
    std::string FindWine() override { return Wine; }
    platform::core::TStartResult StartThrough(const std::string& runner, const std::string& path) override {
        Started.push_back(runner + " " + path);
        return {true, 0, ""};
    }
    std::vector<std::string> Started;
    std::string Wine;  // "" : not installed
};

// Closing runs the close handler inside the call, as the framework does for the main form.
class FakeWindow : public app::IBrowserWindow {
public:
    [[nodiscard]] std::string ApplicationTitle() const override { return Title; }
    void SetApplicationTitle(const std::string& title) override { Title = title; }
    void SetCaption(const std::string& caption) override { Caption = caption; }
    void Close() override {
        ++Closes;
        if (Browser != nullptr) Browser->FormClose();
    }
    std::string Title = "Vondrakel(tm) - Puzzle Browser";
    std::string Caption;
    int Closes = 0;
    app::TBrowser* Browser = nullptr;
};

// The double that stands for each kind of control.
template <class Kind>
struct FakeFor;
template <>
struct FakeFor<app::IBrowserComboBox> {
    using Type = FakeComboBox;
};
template <>
struct FakeFor<app::IBrowserUpDown> {
    using Type = FakeUpDown;
};
template <>
struct FakeFor<app::IBrowserLabel> {
    using Type = FakeLabel;
};
template <>
struct FakeFor<app::IBrowserButton> {
    using Type = FakeButton;
};
template <>
struct FakeFor<app::IBrowserImage> {
    using Type = FakeImage;
};
template <>
struct FakeFor<app::IBrowserFrame> {
    using Type = FakeFrame;
};
template <>
struct FakeFor<app::IBrowserLink> {
    using Type = FakeLink;
};
template <class Kind>
using FakeControl = typename FakeFor<Kind>::Type;

// All doubles (one per control of the window, under the form's names) plus a browser over a
// temporary package folder; settings in <base>/browser.ini.
struct BrowserHarness : app::TBrowserControlSet<FakeControl> {
    explicit BrowserHarness(app::IProgramStarter* starter = nullptr) {
        app::ForEachBrowserControl([](const char*, auto& fake, auto*& control) { control = &fake; }, Fakes(),
                                   Controls);
        std::size_t image = 0;
        std::size_t frame = 0;
        app::ForEachBrowserControl(
            app::TOverloaded{[&](const char*, FakeImage& i) { m_images.at(image++) = &i; },
                             [&](const char*, FakeFrame& f) { m_frames.at(frame++) = &f; },
                             [](const char*, auto&) {}},
            Fakes());
        Services = {&Messages, starter != nullptr ? starter : &Starter, &Window};
    }
    BrowserHarness(const BrowserHarness&) = delete;
    BrowserHarness& operator=(const BrowserHarness&) = delete;

    [[nodiscard]] std::string Base() const { return Folder.Path(); }
    [[nodiscard]] std::string SettingsFile() const { return Base() + "/browser.ini"; }

    app::TBrowser& Create() {
        Browser =
            std::make_unique<app::TBrowser>(Controls, Services, app::TBrowserPaths{SettingsFile(), Base()});
        Window.Browser = Browser.get();
        Browser->FormCreate();
        return *Browser;
    }
    // Create, show and first activation, as the framework runs them.
    app::TBrowser& Open() {
        Create();
        Browser->FormShow();
        Browser->FormActivate();
        return *Browser;
    }
    // The preview picture and frame of a slot (0 to 5).
    FakeImage& Image(int slot) { return *m_images.at(static_cast<std::size_t>(slot)); }
    FakeFrame& Frame(int slot) { return *m_frames.at(static_cast<std::size_t>(slot)); }
    [[nodiscard]] std::vector<bool> VisibleImages() const {
        std::vector<bool> v;
        for (const auto* image : m_images) v.push_back(image->Visible);
        return v;
    }
    [[nodiscard]] std::vector<bool> VisibleFrames() const {
        std::vector<bool> v;
        for (const auto* frame : m_frames) v.push_back(frame->Visible);
        return v;
    }

    TempDir Folder;
    FakeMessageBox Messages;
    FakeStarter Starter;
    FakeWindow Window;
    app::TBrowserControls Controls;
    app::TBrowserServices Services;
    std::unique_ptr<app::TBrowser> Browser;

private:
    app::TBrowserControlSet<FakeControl>& Fakes() { return *this; }

    std::array<FakeImage*, app::kSlotsPerPage> m_images{};
    std::array<FakeFrame*, app::kSlotsPerPage> m_frames{};
};

}  // namespace app_test
