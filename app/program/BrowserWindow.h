#pragma once
// The browser window: the form made from the embedded resource "browser.vkf". The resource
// creates every component and binds their events to the handlers this class publishes under the
// resource's names; the handlers pass each event on to the browser's logic (app::TBrowser)
// through the control adapters, which the create handler sets up.

#include <memory>
#include <string>

#include "app/Browser.h"
#include "app/BrowserControls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Form.h"

namespace skin {
class TbsSkinButton;
class TbsSkinBevel;
class TbsSkinComboBox;
class TbsSkinData;
class TbsSkinForm;
class TbsSkinLinkLabel;
class TbsSkinMessage;
class TbsSkinStdLabel;
class TbsSkinUpDown;
}  // namespace skin

namespace app::program {

struct TBrowserAdapters;

inline constexpr const char* kBrowserFormResource = "browser.vkf";

struct TBrowserWindowOptions {
    // How puzzles are started; null starts them as processes.
    IProgramStarter* Starter = nullptr;
    // A file that every message shown is appended to (for checking the program from outside);
    // empty: none.
    std::string MessageLog;
};

class TBrowserWindow : public platform::forms::TForm {
public:
    TBrowserWindow(platform::forms::TComponent* owner, TBrowserPaths paths,
                   TBrowserWindowOptions options = {});
    ~TBrowserWindow() override;
    [[nodiscard]] std::string ClassName() const override { return "TBrowser"; }

    // Makes the window from its resource and runs its create handler. Throws
    // platform::forms::EFormResourceError for a broken resource and std::runtime_error when it
    // lacks a component the browser needs.
    static TBrowserWindow* Create(platform::forms::TComponent* owner, TBrowserPaths paths,
                                  TBrowserWindowOptions options = {},
                                  const std::string& resource = kBrowserFormResource);

    // The browser's logic; null before the create handler ran.
    [[nodiscard]] TBrowser* Browser() const { return m_browser.get(); }

    // The components, under the resource's names.
    skin::TbsSkinComboBox* cbxPackage = nullptr;
    skin::TbsSkinComboBox* cbxSeverity = nullptr;
    skin::TbsSkinUpDown* udPageNext = nullptr;
    skin::TbsSkinStdLabel* lblStatus = nullptr;
    skin::TbsSkinStdLabel* lblPuzzles = nullptr;
    skin::TbsSkinStdLabel* lblPuzzlePage = nullptr;
    skin::TbsSkinButton* btnStart = nullptr;
    skin::TbsSkinButton* btnHelp = nullptr;
    skin::TbsSkinButton* btnHomepage = nullptr;
    skin::TbsSkinButton* bsSkinButton1 = nullptr;
    platform::forms::TImage* Image1 = nullptr;
    platform::forms::TImage* Image2 = nullptr;
    platform::forms::TImage* Image3 = nullptr;
    platform::forms::TImage* Image4 = nullptr;
    platform::forms::TImage* Image5 = nullptr;
    platform::forms::TImage* Image6 = nullptr;
    skin::TbsSkinBevel* Bevel1 = nullptr;
    skin::TbsSkinBevel* bevel2 = nullptr;
    skin::TbsSkinBevel* bevel3 = nullptr;
    skin::TbsSkinBevel* bevel4 = nullptr;
    skin::TbsSkinBevel* bevel5 = nullptr;
    skin::TbsSkinBevel* bevel6 = nullptr;
    skin::TbsSkinLinkLabel* lblMore = nullptr;
    skin::TbsSkinLinkLabel* lblNewsletter = nullptr;
    skin::TbsSkinMessage* dlgMessage = nullptr;
    skin::TbsSkinForm* bsSkinForm1 = nullptr;
    skin::TbsSkinData* bsSkinData1 = nullptr;

private:
    void PublishComponents();
    void PublishHandlers();
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();

    TBrowserPaths m_paths;
    TBrowserWindowOptions m_options;
    std::unique_ptr<IProgramStarter> m_ownStarter;
    std::unique_ptr<TBrowserAdapters> m_adapters;
    std::unique_ptr<TBrowser> m_browser;
};

}  // namespace app::program
