#pragma once
// The browser window on the headless backend, over packages in a temporary folder whose previews
// are real JPEGs of one colour each, with the puzzle starts recorded and message boxes answered
// by the test.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "app/Global.h"
#include "app/program/BrowserProgram.h"
#include "app/program/BrowserWindow.h"
#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Jpeg.h"
#include "platform/ui/Messages.h"
#include "skin/form/bsMessages.h"
#include "support/HeadlessFixture.h"

namespace program_test {

// The colour of preview n (1-based) of the package with the given hue step.
inline platform::gfx::TColor PreviewColor(int n, int step = 0) {
    return platform::gfx::RGB((40 * n + 90 * step) % 256, (200 - 13 * n) % 256,
                              (60 + 29 * n * (step + 1)) % 256);
}

// <base>/<folder> with PuzzlePackage.ini, `puzzles` solid-colour previews <preview>-N.jpg and one
// (empty) executable per puzzle and severity.
inline std::string MakePackage(const std::string& base, const std::string& folder, const std::string& name,
                               int puzzles, int colorStep = 0, const std::string& extraIni = "") {
    const std::string dir = base + "/" + folder;
    std::filesystem::create_directories(dir);
    WriteFile(dir + "/PuzzlePackage.ini",
              "[Package]\r\nname=" + name + "\r\nfile=x\r\npreview=p\r\n" + extraIni);
    for (int n = 1; n <= puzzles; ++n) {
        platform::gfx::TBitmap picture(150, 150);
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 150; ++x) picture.SetPixel(x, y, PreviewColor(n, colorStep));
        platform::gfx::SaveJpeg(picture, dir + "/p-" + std::to_string(n) + ".jpg", 95);
        for (int s = 1; s <= 5; ++s)
            WriteFile(dir + "/x-" + std::to_string(n) + "-" + std::string(app::SeverityNames[s]) + ".exe",
                      "");
    }
    return dir;
}

class TRecordingStarter : public app::IProgramStarter {
public:
    platform::core::TStartResult StartProgram(const std::string& path) override {
        Started.push_back(path);
        platform::core::TStartResult r;
        r.Ok = true;
        return r;
    }
    // Windows puzzles go to the real starter: the tests put their own wine on PATH.
    std::string FindWine() override { return m_real.FindWine(); }
    platform::core::TStartResult StartThrough(const std::string& runner, const std::string& path) override {
        Started.push_back(runner + " " + path);
        return m_real.StartThrough(runner, path);
    }
    std::vector<std::string> Started;

private:
    app::TProcessStarter m_real;
};

class BrowserFixture : public vktest::HeadlessFixture {
protected:
    [[nodiscard]] platform::ui::headless::THeadlessScreen Screen() const override {
        platform::ui::headless::THeadlessScreen s;
        s.Width = 1280;
        s.Height = 1024;
        return s;
    }

    void SetUp() override {
        HeadlessFixture::SetUp();
        m_application = std::make_unique<platform::forms::TApplication>();
        m_application->SetTitle(std::string(app::kApplicationTitle));
        app::program::RegisterProgramClasses();
        Session().SetIdleHook(
            [this](platform::ui::headless::THeadlessSession& s) { return AnswerMessage(s); });
    }

    void TearDown() override {
        m_application.reset();
        HeadlessFixture::TearDown();
    }

    // Skins are looked for in <dir>/skins (beside the program) and <dir>/.data/skins (a data folder).
    [[nodiscard]] app::TBrowserPaths Paths() const {
        app::TBrowserPaths paths{m_dir.Path() + "/PuzzleBrowser.ini", m_dir.Path() + "/"};
        paths.SkinFolders = {m_dir.Path() + "/skins", m_dir.Path() + "/.data/skins"};
        return paths;
    }

    // Makes and shows the window; messages shown on the way are answered and recorded.
    app::program::TBrowserWindow& Open() {
        app::program::TBrowserWindowOptions options;
        options.Starter = &Starter;
        m_window = app::program::TBrowserWindow::Create(m_application.get(), Paths(), options);
        m_application->SetMainForm(m_window);
        m_window->Show();
        ProcessMessages();
        return *m_window;
    }

    // Ends this "run" (the window and the application go) and starts the next one.
    void Restart() {
        m_window = nullptr;
        m_application.reset();
        // What the ended run left in the queue (its quit message) does not reach the next one.
        platform::ui::TMessage leftOver;
        while (System().PeekMessage(leftOver, true)) {
        }
        m_application = std::make_unique<platform::forms::TApplication>();
        m_application->SetTitle(std::string(app::kApplicationTitle));
        Messages.clear();
        MessageCaptions.clear();
    }

    // Closes the window as the user would and lets the program finish.
    void CloseWindow() {
        m_window->Close();
        ProcessMessages();
    }

    // The message box a loop waits on: its text is recorded and it is answered with Enter (or
    // the key the test chose).
    bool AnswerMessage(platform::ui::headless::THeadlessSession& s) {
        auto* form = dynamic_cast<skin::TbsMessageForm*>(platform::forms::Screen->ActiveForm());
        if (!form) return false;
        Messages.push_back(form->MessageLabel() ? form->MessageLabel()->Caption() : std::string());
        MessageCaptions.push_back(form->Caption());
        if (OnMessage) OnMessage(*form);
        s.KeyPress(AnswerKey);
        return true;
    }

    [[nodiscard]] platform::core::TPoint ScreenPointOf(const platform::forms::TControl& control, int dx,
                                                       int dy) const {
        return control.ClientToScreen({dx, dy});
    }
    void ClickControl(const platform::forms::TControl& control, int dx, int dy) {
        Session().Click(control.ClientToScreen({dx, dy}));
    }

    [[nodiscard]] const std::string& Dir() const { return m_dir.Path(); }
    [[nodiscard]] app::program::TBrowserWindow& Window() { return *m_window; }
    [[nodiscard]] platform::forms::TApplication& Application() { return *m_application; }

    TRecordingStarter Starter;
    std::vector<std::string> Messages;
    std::vector<std::string> MessageCaptions;
    std::function<void(skin::TbsMessageForm&)> OnMessage;
    uint32_t AnswerKey = platform::ui::VK_RETURN;

private:
    TempDir m_dir;
    std::unique_ptr<platform::forms::TApplication> m_application;
    app::program::TBrowserWindow* m_window = nullptr;
};

}  // namespace program_test
