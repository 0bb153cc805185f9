#pragma once
// Test doubles for the browser window's controls and services, and a harness that wires them.

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
    std::vector<std::string> Started;
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

// All doubles plus a browser over a temporary package folder; settings in <base>/browser.ini.
struct BrowserHarness {
    explicit BrowserHarness(app::IProgramStarter* starter = nullptr) {
        app::TBrowserControls c;
        c.cbxPackage = &cbxPackage;
        c.cbxSeverity = &cbxSeverity;
        c.udPageNext = &udPageNext;
        c.lblStatus = &lblStatus;
        c.lblPuzzles = &lblPuzzles;
        c.lblPuzzlePage = &lblPuzzlePage;
        c.btnStart = &btnStart;
        c.btnHelp = &btnHelp;
        c.btnHomepage = &btnHomepage;
        c.bsSkinButton1 = &bsSkinButton1;
        c.Image1 = &Images[0];
        c.Image2 = &Images[1];
        c.Image3 = &Images[2];
        c.Image4 = &Images[3];
        c.Image5 = &Images[4];
        c.Image6 = &Images[5];
        c.Bevel1 = &Frames[0];
        c.bevel2 = &Frames[1];
        c.bevel3 = &Frames[2];
        c.bevel4 = &Frames[3];
        c.bevel5 = &Frames[4];
        c.bevel6 = &Frames[5];
        c.lblMore = &lblMore;
        c.lblNewsletter = &lblNewsletter;
        Controls = c;
        Services = {&Messages, starter != nullptr ? starter : &Starter, &Window};
    }

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
    [[nodiscard]] std::vector<bool> VisibleImages() const {
        std::vector<bool> v;
        for (const auto& image : Images) v.push_back(image.Visible);
        return v;
    }
    [[nodiscard]] std::vector<bool> VisibleFrames() const {
        std::vector<bool> v;
        for (const auto& frame : Frames) v.push_back(frame.Visible);
        return v;
    }

    TempDir Folder;
    FakeComboBox cbxPackage, cbxSeverity;
    FakeUpDown udPageNext;
    FakeLabel lblStatus, lblPuzzles, lblPuzzlePage;
    FakeButton btnStart, btnHelp, btnHomepage, bsSkinButton1;
    FakeImage Images[6];
    FakeFrame Frames[6];
    FakeLink lblMore, lblNewsletter;
    FakeMessageBox Messages;
    FakeStarter Starter;
    FakeWindow Window;
    app::TBrowserControls Controls;
    app::TBrowserServices Services;
    std::unique_ptr<app::TBrowser> Browser;
};

}  // namespace app_test
