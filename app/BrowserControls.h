#pragma once
// What the browser window needs from its controls and from the program around it. The window's
// layout implements these over the skinned controls; tests implement them with doubles. An
// implementation calls the On... members when its control fires the matching event; the browser
// binds them to its handlers.

#include <functional>
#include <string>

#include "platform/core/Process.h"
#include "platform/core/StringList.h"

namespace app {

using TBrowserEvent = std::function<void()>;

class IBrowserComboBox {
public:
    virtual ~IBrowserComboBox() = default;
    // Replaces all items at once (the package chooser clears and refills its list).
    virtual void SetItems(const platform::core::TStringList& items) = 0;
    [[nodiscard]] virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;

    TBrowserEvent OnChange;
    TBrowserEvent OnCloseUp;
    TBrowserEvent OnExit;
};

class IBrowserUpDown {
public:
    virtual ~IBrowserUpDown() = default;
    virtual void SetMin(int value) = 0;
    virtual void SetMax(int value) = 0;
    virtual void SetIncrement(int value) = 0;
    virtual void SetPosition(int value) = 0;
    virtual void SetVisible(bool visible) = 0;

    TBrowserEvent OnUpButtonClick;    // the upper button: previous page
    TBrowserEvent OnDownButtonClick;  // the lower button: next page
};

class IBrowserLabel {
public:
    virtual ~IBrowserLabel() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetVisible(bool visible) = 0;
};

class IBrowserButton {
public:
    virtual ~IBrowserButton() = default;
    virtual void SetCaption(const std::string& text) = 0;

    TBrowserEvent OnClick;
};

class IBrowserImage {
public:
    virtual ~IBrowserImage() = default;
    // Loads a JPEG file into the picture. False when it cannot be read or decoded; the picture
    // is then empty.
    virtual bool LoadFromFile(const std::string& path) = 0;
    virtual void SetVisible(bool visible) = 0;

    TBrowserEvent OnClick;
    TBrowserEvent OnDblClick;
};

// The frame around a preview.
class IBrowserFrame {
public:
    virtual ~IBrowserFrame() = default;
    virtual void SetVisible(bool visible) = 0;
};

// A hidden link whose click action opens its target.
class IBrowserLink {
public:
    virtual ~IBrowserLink() = default;
    virtual void Click() = 0;
};

// The controls, under the names the window's form gives them. None may be null.
struct TBrowserControls {
    IBrowserComboBox* cbxPackage = nullptr;
    IBrowserComboBox* cbxSeverity = nullptr;  // five items: item i stands for severity i + 1
    IBrowserUpDown* udPageNext = nullptr;
    IBrowserLabel* lblStatus = nullptr;
    IBrowserLabel* lblPuzzles = nullptr;
    IBrowserLabel* lblPuzzlePage = nullptr;
    IBrowserButton* btnStart = nullptr;
    IBrowserButton* btnHelp = nullptr;
    IBrowserButton* btnHomepage = nullptr;
    IBrowserButton* bsSkinButton1 = nullptr;
    IBrowserImage* Image1 = nullptr;
    IBrowserImage* Image2 = nullptr;
    IBrowserImage* Image3 = nullptr;
    IBrowserImage* Image4 = nullptr;
    IBrowserImage* Image5 = nullptr;
    IBrowserImage* Image6 = nullptr;
    IBrowserFrame* Bevel1 = nullptr;
    IBrowserFrame* bevel2 = nullptr;
    IBrowserFrame* bevel3 = nullptr;
    IBrowserFrame* bevel4 = nullptr;
    IBrowserFrame* bevel5 = nullptr;
    IBrowserFrame* bevel6 = nullptr;
    IBrowserLink* lblMore = nullptr;
    IBrowserLink* lblNewsletter = nullptr;
};

// The modal message box: one OK button, no icon, the application's title as caption. Returns
// when the user has closed it.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void ShowText(const std::string& text) = 0;
};

class IProgramStarter {
public:
    virtual ~IProgramStarter() = default;
    // Starts the file as a new process, detached; does not wait for it.
    virtual platform::core::TStartResult StartProgram(const std::string& path) = 0;
};

// The window itself and the application that owns it.
class IBrowserWindow {
public:
    virtual ~IBrowserWindow() = default;
    [[nodiscard]] virtual std::string ApplicationTitle() const = 0;
    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // Closes the window, which ends the program. The window's close handler may run inside the
    // call or later; the browser copes with both.
    virtual void Close() = 0;
};

struct TBrowserServices {
    IMessageBox* MessageBox = nullptr;
    IProgramStarter* Starter = nullptr;
    IBrowserWindow* Window = nullptr;
};

// Where the browser keeps its settings and looks for packages.
struct TBrowserPaths {
    std::string SettingsFileName;
    std::string PackageFolder;
};

// The executable's path with ".ini", and the executable's folder.
[[nodiscard]] TBrowserPaths DefaultBrowserPaths();

// Starts puzzles as real processes.
class TProcessStarter : public IProgramStarter {
public:
    platform::core::TStartResult StartProgram(const std::string& path) override;
};

}  // namespace app
