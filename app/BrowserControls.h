#pragma once
// What the browser window needs from its controls and from the program around it. The window's
// layout implements these over the skinned controls; tests implement them with doubles. An
// implementation calls the On... members when its control fires the matching event; the browser
// binds them to its handlers.

#include <functional>
#include <string>
#include <vector>

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

// The browser window's controls: the kind of each (the interface the browser talks to) and its
// name in the window's form, in the form's order. Every list of the controls (the browser's, the
// window's fields and adapters, the test doubles) is made from this one table. cbxSeverity has
// five items: item i stands for severity i + 1.
// Members cannot be declared from a template, hence the macros; they end with this table.
// NOLINTBEGIN(cppcoreguidelines-macro-usage,bugprone-macro-parentheses)
#define VK_BROWSER_CONTROLS(X)       \
    X(IBrowserComboBox, cbxPackage)  \
    X(IBrowserComboBox, cbxSeverity) \
    X(IBrowserUpDown, udPageNext)    \
    X(IBrowserLabel, lblStatus)      \
    X(IBrowserLabel, lblPuzzles)     \
    X(IBrowserLabel, lblPuzzlePage)  \
    X(IBrowserButton, btnStart)      \
    X(IBrowserButton, btnHelp)       \
    X(IBrowserButton, btnHomepage)   \
    X(IBrowserButton, bsSkinButton1) \
    X(IBrowserImage, Image1)         \
    X(IBrowserImage, Image2)         \
    X(IBrowserImage, Image3)         \
    X(IBrowserImage, Image4)         \
    X(IBrowserImage, Image5)         \
    X(IBrowserImage, Image6)         \
    X(IBrowserFrame, Bevel1)         \
    X(IBrowserFrame, bevel2)         \
    X(IBrowserFrame, bevel3)         \
    X(IBrowserFrame, bevel4)         \
    X(IBrowserFrame, bevel5)         \
    X(IBrowserFrame, bevel6)         \
    X(IBrowserLink, lblMore)         \
    X(IBrowserLink, lblNewsletter)

// One member per control, of type Slot<kind>: a pointer to the interface for the browser, the
// real component for the window, an adapter or a test double.
template <template <class> class Slot>
struct TBrowserControlSet {
#define VK_BROWSER_CONTROL_MEMBER(Kind, name) Slot<Kind> name{};
    VK_BROWSER_CONTROLS(VK_BROWSER_CONTROL_MEMBER)
#undef VK_BROWSER_CONTROL_MEMBER
};

// Calls f(name, set.member...) for every control in the form's order, with that control's member
// of each set.
template <class F, class... TSets>
void ForEachBrowserControl(F&& f, TSets&... sets) {
#define VK_BROWSER_CONTROL_VISIT(Kind, name) f(#name, sets.name...);
    VK_BROWSER_CONTROLS(VK_BROWSER_CONTROL_VISIT)
#undef VK_BROWSER_CONTROL_VISIT
}

#undef VK_BROWSER_CONTROLS
// NOLINTEND(cppcoreguidelines-macro-usage,bugprone-macro-parentheses)

// Lambdas as one visitor, so that ForEachBrowserControl can treat some kinds of control apart:
// ForEachBrowserControl(TOverloaded{[](const char*, IBrowserImage*) {...}, [](const char*, auto*) {}}, set).
template <class... Ts>
struct TOverloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
TOverloaded(Ts...) -> TOverloaded<Ts...>;

template <class Kind>
using TInterfacePointer = Kind*;

// The controls as the browser sees them. None may be null.
using TBrowserControls = TBrowserControlSet<TInterfacePointer>;

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
    // The path of the program that runs Windows programs (wine), or "" when none is installed.
    [[nodiscard]] virtual std::string FindWine() = 0;
    // Starts "runner path" in the file's folder, detached, without a shell.
    virtual platform::core::TStartResult StartThrough(const std::string& runner, const std::string& path) = 0;
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
    // Further folders whose package folders are listed after PackageFolder's (app/DataDirs.h).
    std::vector<std::string> MorePackageFolders = {};
    // Where the skins a player can choose lie (app/SkinCatalog.h).
    std::vector<std::string> SkinFolders = {};
};

// The executable's path with ".ini" (or its copy in the configuration folder when the program's
// folder is read-only), the executable's folder, and the XDG data folders' package folders.
[[nodiscard]] TBrowserPaths DefaultBrowserPaths();

// Starts puzzles as real processes.
class TProcessStarter : public IProgramStarter {
public:
    platform::core::TStartResult StartProgram(const std::string& path) override;
    // wine found on PATH.
    [[nodiscard]] std::string FindWine() override;
    platform::core::TStartResult StartThrough(const std::string& runner, const std::string& path) override;
};

// Whether the file is a Windows program: it begins with the "MZ" signature.
[[nodiscard]] bool IsWindowsExecutable(const std::string& path);

}  // namespace app
