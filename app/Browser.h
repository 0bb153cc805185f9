#pragma once
// The browser window's logic: its state, the refresh that fills every control from it, the
// actions behind the controls' events, and the create, show, activate and close handlers.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/BrowserControls.h"
#include "app/PackageList.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"

namespace app {

inline constexpr int kSlotsPerPage = 6;
inline constexpr int kSlotsPerRow = 3;

// What a key does in the preview grid.
enum class TPreviewKey { Left, Right, Up, Down, PageUp, PageDown, Home, End, Start };

// The controls are a private base, so that the handlers name them as the form does.
class TBrowser : private TBrowserControls {
public:
    // Binds the controls' events to the handlers below. Throws std::invalid_argument when a
    // control or service is missing.
    TBrowser(const TBrowserControls& controls, const TBrowserServices& services, TBrowserPaths paths);
    // Unbinds the events. A catalogue still alive (no close handler ran) is destroyed and so
    // writes its packages' files.
    ~TBrowser();
    TBrowser(const TBrowser&) = delete;
    TBrowser& operator=(const TBrowser&) = delete;

    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();

    void ShowText(const std::string& text);
    void RefreshView();
    // False when the preview is missing: the message was shown and the window asked to close.
    bool ShowPreview(IBrowserImage* image, IBrowserFrame* frame, int32_t puzzleIndex);
    void SelectSlot(int slot);

    // Event handlers. None uses the sender, so they take none.
    void Image1Click() { SelectSlot(0); }
    void Image2Click() { SelectSlot(1); }
    void Image3Click() { SelectSlot(2); }
    void Image4Click() { SelectSlot(3); }
    void Image5Click() { SelectSlot(4); }
    void Image6Click() { SelectSlot(5); }
    void Image1DblClick() { StartFromSlot(0); }
    void Image2DblClick() { StartFromSlot(1); }
    void Image3DblClick() { StartFromSlot(2); }
    void Image4DblClick() { StartFromSlot(3); }
    void Image5DblClick() { StartFromSlot(4); }
    void Image6DblClick() { StartFromSlot(5); }
    void udPageNextDownButtonClick();
    void udPageNextUpButtonClick();
    void cbxPackageCloseUp() { PackageChosen(); }
    void cbxPackageChange() { PackageChosen(); }
    void cbxSeverityCloseUp() { SeverityChosen(); }
    void cbxSeverityChange() { SeverityChosen(); }
    void cbxSeverityExit() { SeverityChosen(); }
    void btnStartClick();
    void btnHelpClick();
    void btnHomepageClick();
    void bsSkinButton1Click();

    // Keyboard browsing of the previews. The arrows move the selection by one slot or one row,
    // across page boundaries with the up-down's rules (the page messages at both ends); Page Up
    // and Page Down are the up-down's buttons; Home and End select the first and last puzzle;
    // Start starts the selected puzzle.
    void PreviewKey(TPreviewKey key);
    // Severity 1..5 for the selected puzzle, as if chosen in cbxSeverity; others are ignored.
    void ChooseSeverity(int severity);
    // Fired after every refresh that filled the whole view (the window moves its focus frame).
    TBrowserEvent OnViewRefreshed;

    // Where the skins a player can choose lie.
    [[nodiscard]] const std::vector<std::string>& SkinFolders() const { return m_paths.SkinFolders; }

    // The controls, under the form's names.
    [[nodiscard]] const TBrowserControls& Controls() const { return *this; }

    // Alive only while the settings are read or written.
    std::unique_ptr<platform::core::TIniFile> SettingsFile;
    std::unique_ptr<TPackageList> Packages;
    int32_t CurrentPackage = 0;
    int32_t CurrentPuzzle = 0;
    bool FirstTime = true;
    // [Browser] Skin: the path of the chosen skin (app/SkinCatalog.h); empty for the built-in one.
    std::string Skin;
    int32_t PageFirst = 0;
    int32_t PageLast = -1;

private:
    [[nodiscard]] TPackage* CurrentPackageObject() const;
    // Events are taken only while a catalogue exists, no close was asked for, and no refresh
    // is running (controls may fire events while the refresh sets them).
    [[nodiscard]] bool Accepting() const;
    [[nodiscard]] bool SlotHoldsPuzzle(int slot) const;
    void StartFromSlot(int slot);
    void MoveSelection(int32_t delta);
    void SelectPuzzle(int32_t index);
    void PackageChosen();
    void SeverityChosen();
    void RequestClose();
    void BindEvents();
    void UnbindEvents();

    // What each slot's picture was last loaded from.
    struct TShownPreview {
        std::string Path;
        std::optional<platform::core::TFileStamp> Stamp;
    };

    std::array<IBrowserImage*, kSlotsPerPage> m_images{};
    std::array<TShownPreview, kSlotsPerPage> m_shown;
    std::array<IBrowserFrame*, kSlotsPerPage> m_frames{};
    TBrowserServices m_services;
    TBrowserPaths m_paths;
    bool m_created = false;
    bool m_refreshing = false;
    bool m_closeRequested = false;
    bool m_closed = false;
};

}  // namespace app
