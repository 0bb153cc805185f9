#pragma once
// The browser window: the form made from the embedded resource "browser.vkf". The resource
// creates every component and binds their events to the handlers this class publishes under the
// resource's names; each handler fires the event of a control adapter, which the browser's logic
// (app::TBrowser) binds to its own handler. The create handler attaches the adapters to the
// components.

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
class TbsStoredSkin;
class TbsSkinUpDown;
}  // namespace skin

namespace app::program {

struct TBrowserAdapters;
class TMessageBoxAdapter;
class TPreviewFocusFrame;
class TPreviewGrid;
class TSkinChooser;
class TWindowAdapter;

// The component the window's form makes for each kind of control.
template <class Kind>
struct TWindowControlOf;
template <>
struct TWindowControlOf<IBrowserComboBox> {
    using Type = skin::TbsSkinComboBox;
};
template <>
struct TWindowControlOf<IBrowserUpDown> {
    using Type = skin::TbsSkinUpDown;
};
template <>
struct TWindowControlOf<IBrowserLabel> {
    using Type = skin::TbsSkinStdLabel;
};
template <>
struct TWindowControlOf<IBrowserButton> {
    using Type = skin::TbsSkinButton;
};
template <>
struct TWindowControlOf<IBrowserImage> {
    using Type = platform::forms::TImage;
};
template <>
struct TWindowControlOf<IBrowserFrame> {
    using Type = skin::TbsSkinBevel;
};
template <>
struct TWindowControlOf<IBrowserLink> {
    using Type = skin::TbsSkinLinkLabel;
};
template <class Kind>
using TWindowControl = typename TWindowControlOf<Kind>::Type*;
using TBrowserWindowControls = TBrowserControlSet<TWindowControl>;

inline constexpr const char* kBrowserFormResource = "browser.vkf";

struct TBrowserWindowOptions {
    // How puzzles are started; null starts them as processes.
    IProgramStarter* Starter = nullptr;
    // A file that every message shown is appended to (for checking the program from outside);
    // empty: none.
    std::string MessageLog;
};

class TBrowserWindow : public platform::forms::TForm, public TBrowserWindowControls {
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

    // The components, under the resource's names: the browser's controls (the base above) and
    // these.
    skin::TbsSkinMessage* dlgMessage = nullptr;
    skin::TbsSkinForm* bsSkinForm1 = nullptr;
    skin::TbsSkinData* bsSkinData1 = nullptr;
    skin::TbsStoredSkin* bsStoredSkin1 = nullptr;
    // Made by the create handler, not by the resource: the previews' place in the keyboard order
    // (last, after the page up-down) and the frame that shows its focus.
    TPreviewGrid* grdPreviews = nullptr;
    TPreviewFocusFrame* shpPreviewFocus = nullptr;

    // The skins the system menu offers; null before the create handler ran.
    [[nodiscard]] TSkinChooser* SkinChooser() const { return m_skinChooser.get(); }

private:
    void PublishComponents();
    void PublishHandlers();
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();
    void CreateKeyboardControls();
    void CreateSkinChooser();
    void PlaceFocusFrame();
    TBrowserWindowControls& Controls() { return *this; }

    TBrowserPaths m_paths;
    TBrowserWindowOptions m_options;
    std::unique_ptr<IProgramStarter> m_ownStarter;
    // Shared with the handlers the resource binds to the controls' events, so that a control
    // firing while the window is destroyed still finds its (by then unbound) event.
    std::shared_ptr<TBrowserAdapters> m_adapters;
    std::unique_ptr<TMessageBoxAdapter> m_messageBox;
    std::unique_ptr<TWindowAdapter> m_windowAdapter;
    std::unique_ptr<TBrowser> m_browser;
    std::unique_ptr<TSkinChooser> m_skinChooser;
};

}  // namespace app::program
