#include "app/Browser.h"

#include <algorithm>
#include <stdexcept>

#include "app/BrowserTexts.h"
#include "app/Global.h"
#include "platform/core/Files.h"

namespace app {

namespace {

constexpr const char* kBrowserSection = "Browser";

template <typename T>
T* Required(T* control, const char* name) {
    if (control == nullptr) throw std::invalid_argument(std::string("TBrowser: missing ") + name);
    return control;
}

// A puzzle index the package does not hold (a hand-edited last_puzzle) becomes the first puzzle.
int32_t PuzzleIndexIn(const TPackage* package, int32_t index) {
    if (package == nullptr || index < 0 || index >= package->PuzzleCount) return 0;
    return index;
}

const TBrowserControls& CheckedControls(const TBrowserControls& controls) {
    ForEachBrowserControl([](const char* name, auto* control) { Required(control, name); }, controls);
    return controls;
}

class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TFlagGuard() { m_flag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& m_flag;
};

}  // namespace

TBrowser::TBrowser(const TBrowserControls& controls, const TBrowserServices& services, TBrowserPaths paths)
    : TBrowserControls(CheckedControls(controls)), m_services(services), m_paths(std::move(paths)) {
    Required(m_services.MessageBox, "MessageBox");
    Required(m_services.Starter, "Starter");
    Required(m_services.Window, "Window");
    // The previews in slot order, as the table lists them.
    std::size_t image = 0;
    std::size_t frame = 0;
    ForEachBrowserControl(TOverloaded{[&](const char*, IBrowserImage* c) { m_images.at(image++) = c; },
                                      [&](const char*, IBrowserFrame* c) { m_frames.at(frame++) = c; },
                                      [](const char*, auto*) {}},
                          static_cast<TBrowserControls&>(*this));
    BindEvents();
}

TBrowser::~TBrowser() {
    UnbindEvents();
}

void TBrowser::BindEvents() {
    const std::array<void (TBrowser::*)(), kSlotsPerPage> clicks = {
        &TBrowser::Image1Click, &TBrowser::Image2Click, &TBrowser::Image3Click,
        &TBrowser::Image4Click, &TBrowser::Image5Click, &TBrowser::Image6Click};
    const std::array<void (TBrowser::*)(), kSlotsPerPage> dblClicks = {
        &TBrowser::Image1DblClick, &TBrowser::Image2DblClick, &TBrowser::Image3DblClick,
        &TBrowser::Image4DblClick, &TBrowser::Image5DblClick, &TBrowser::Image6DblClick};
    for (int s = 0; s < kSlotsPerPage; ++s) {
        m_images[s]->OnClick = [this, h = clicks[s]] { (this->*h)(); };
        m_images[s]->OnDblClick = [this, h = dblClicks[s]] { (this->*h)(); };
    }
    udPageNext->OnUpButtonClick = [this] { udPageNextUpButtonClick(); };
    udPageNext->OnDownButtonClick = [this] { udPageNextDownButtonClick(); };
    cbxPackage->OnChange = [this] { cbxPackageChange(); };
    cbxPackage->OnCloseUp = [this] { cbxPackageCloseUp(); };
    cbxSeverity->OnChange = [this] { cbxSeverityChange(); };
    cbxSeverity->OnCloseUp = [this] { cbxSeverityCloseUp(); };
    cbxSeverity->OnExit = [this] { cbxSeverityExit(); };
    btnStart->OnClick = [this] { btnStartClick(); };
    btnHelp->OnClick = [this] { btnHelpClick(); };
    btnHomepage->OnClick = [this] { btnHomepageClick(); };
    bsSkinButton1->OnClick = [this] { bsSkinButton1Click(); };
}

void TBrowser::UnbindEvents() {
    for (int s = 0; s < kSlotsPerPage; ++s) {
        m_images[s]->OnClick = nullptr;
        m_images[s]->OnDblClick = nullptr;
    }
    udPageNext->OnUpButtonClick = nullptr;
    udPageNext->OnDownButtonClick = nullptr;
    cbxPackage->OnChange = nullptr;
    cbxPackage->OnCloseUp = nullptr;
    cbxSeverity->OnChange = nullptr;
    cbxSeverity->OnCloseUp = nullptr;
    cbxSeverity->OnExit = nullptr;
    btnStart->OnClick = nullptr;
    btnHelp->OnClick = nullptr;
    btnHomepage->OnClick = nullptr;
    bsSkinButton1->OnClick = nullptr;
}

void TBrowser::FormCreate() {
    IBrowserWindow& window = *m_services.Window;
    const std::string title = window.ApplicationTitle() + " " + ProgramVersionText();
    window.SetApplicationTitle(title);
    window.SetCaption(title);

    SettingsFile = std::make_unique<platform::core::TIniFile>(m_paths.SettingsFileName);
    CurrentPackage = SettingsFile->ReadInteger(kBrowserSection, "Package", 0);
    FirstTime = SettingsFile->ReadBool(kBrowserSection, "FirstTime", true);
    Skin = SettingsFile->ReadString(kBrowserSection, "Skin", "");
    SettingsFile.reset();

    Packages = std::make_unique<TPackageList>(m_paths.PackageFolder,
                                              [this](const std::string& text) { ShowText(text); },
                                              m_paths.MorePackageFolders);
    m_created = true;

    if (CurrentPackage < 0 || CurrentPackage >= Packages->Count()) CurrentPackage = 0;
    const TPackage* package = Packages->Items(CurrentPackage);
    CurrentPuzzle = package != nullptr ? PuzzleIndexIn(package, package->LastPuzzle) : 0;
}

void TBrowser::FormShow() {
    if (!Packages || m_closeRequested) return;
    if (Packages->Count() == 0) {
        ShowText(texts::NoPackagesFound());
        RequestClose();
        return;
    }
    RefreshView();
}

void TBrowser::FormActivate() {
    if (m_closeRequested || !FirstTime) return;
    // Cleared before the modal box: closing it activates the window again.
    FirstTime = false;
    btnHelpClick();
}

void TBrowser::FormClose() {
    if (m_closed || !m_created) return;
    m_closed = true;
    m_closeRequested = true;
    SettingsFile = std::make_unique<platform::core::TIniFile>(m_paths.SettingsFileName);
    // One write with both keys: a kill in between must not keep one and lose the other.
    SettingsFile->BeginUpdate();
    SettingsFile->WriteInteger(kBrowserSection, "Package", CurrentPackage);
    SettingsFile->WriteBool(kBrowserSection, "FirstTime", false);
    // Only a player who chose a skin gets the key.
    if (!Skin.empty() || SettingsFile->ValueExists(kBrowserSection, "Skin"))
        SettingsFile->WriteString(kBrowserSection, "Skin", Skin);
    SettingsFile->EndUpdate();
    SettingsFile.reset();
    Packages.reset();
}

void TBrowser::RequestClose() {
    m_closeRequested = true;
    m_services.Window->Close();
}

void TBrowser::ShowText(const std::string& text) {
    m_services.MessageBox->ShowText(text);
}

TPackage* TBrowser::CurrentPackageObject() const {
    return Packages ? Packages->Items(CurrentPackage) : nullptr;
}

bool TBrowser::Accepting() const {
    return Packages && !m_closeRequested && !m_refreshing;
}

void TBrowser::RefreshView() {
    if (!Packages || m_closeRequested || m_refreshing) return;
    TFlagGuard refreshing(m_refreshing);

    platform::core::TStringList names;
    int64_t totalPuzzles = 0;
    for (int i = 0; i < Packages->Count(); ++i) {
        const TPackage* p = Packages->Items(i);
        names.Add(p->PackageName);
        totalPuzzles += p->PuzzleCount;
    }
    cbxPackage->SetItems(names);
    if (Packages->Items(CurrentPackage) == nullptr) CurrentPackage = 0;
    cbxPackage->SetItemIndex(CurrentPackage);

    TPackage* package = CurrentPackageObject();
    CurrentPuzzle = PuzzleIndexIn(package, CurrentPuzzle);
    const int32_t puzzleCount = package != nullptr ? package->PuzzleCount : 0;

    const bool paged = puzzleCount > kSlotsPerPage;
    udPageNext->SetVisible(paged);
    lblPuzzlePage->SetVisible(paged);
    udPageNext->SetMin(0);
    udPageNext->SetMax(package != nullptr ? puzzleCount - 1 : 0);
    udPageNext->SetIncrement(kSlotsPerPage);
    udPageNext->SetPosition(CurrentPuzzle);

    PageFirst = CurrentPuzzle - CurrentPuzzle % kSlotsPerPage;
    PageLast = std::min(PageFirst + kSlotsPerPage - 1, puzzleCount - 1);

    for (int s = 0; s < kSlotsPerPage; ++s) {
        m_images[s]->SetVisible(false);
        m_frames[s]->SetVisible(false);
    }
    for (int32_t i = PageFirst; i <= PageLast; ++i) {
        const int slot = i % kSlotsPerPage;
        if (!ShowPreview(m_images[slot], m_frames[slot], i)) return;  // the window is closing
    }

    const TPuzzle* puzzle = package != nullptr ? package->PuzzleAt(CurrentPuzzle) : nullptr;
    cbxSeverity->SetItemIndex(puzzle != nullptr && IsValidSeverity(puzzle->Severity) ? puzzle->Severity - 1
                                                                                     : 0);

    lblStatus->SetCaption(texts::Status(Packages->Count(), totalPuzzles));
    btnStart->SetCaption(texts::StartCaption(static_cast<int64_t>(CurrentPuzzle) + 1));
    lblPuzzles->SetCaption(
        texts::PuzzlesLabel(package != nullptr ? static_cast<int64_t>(package->Puzzles.size()) : 0));
    if (package != nullptr) {
        lblPuzzlePage->SetCaption(
            texts::PuzzlePage(PageFirst / kSlotsPerPage + 1, (puzzleCount - 1) / kSlotsPerPage + 1));
        package->LastPuzzle = CurrentPuzzle;
        package->LastPuzzleDirty = true;
    }
    if (OnViewRefreshed) OnViewRefreshed();
}

bool TBrowser::ShowPreview(IBrowserImage* image, IBrowserFrame* frame, int32_t puzzleIndex) {
    const TPackage* package = CurrentPackageObject();
    if (package == nullptr || image == nullptr || frame == nullptr) return true;
    const std::string path = package->PreviewPath(puzzleIndex);
    if (!platform::core::FileExists(path)) {
        ShowText(texts::PreviewNotFound(path));
        RequestClose();
        return false;
    }
    // A preview that exists but does not decode stays an empty, still clickable slot. The picture
    // a slot already holds is kept while its file stays the same: a click re-decodes nothing.
    const auto slot = static_cast<std::size_t>(
        std::find(m_images.begin(), m_images.end(), image) - m_images.begin());
    const std::optional<platform::core::TFileStamp> stamp = platform::core::StampOfFile(path);
    TShownPreview* shown = slot < m_shown.size() ? &m_shown[slot] : nullptr;
    if (shown == nullptr || shown->Path != path || shown->Stamp != stamp) {
        const bool loaded = image->LoadFromFile(path);
        if (shown != nullptr) *shown = loaded ? TShownPreview{path, stamp} : TShownPreview{};
    }
    image->SetVisible(true);
    if (puzzleIndex == CurrentPuzzle) frame->SetVisible(true);
    return true;
}

bool TBrowser::SlotHoldsPuzzle(int slot) const {
    return slot >= 0 && slot < kSlotsPerPage && PageFirst + slot <= PageLast;
}

void TBrowser::SelectSlot(int slot) {
    if (!Accepting() || !SlotHoldsPuzzle(slot)) return;
    TPackage* package = CurrentPackageObject();
    if (package == nullptr) return;
    CurrentPuzzle = PageFirst + slot;
    package->LastPuzzle = CurrentPuzzle;
    RefreshView();
}

void TBrowser::StartFromSlot(int slot) {
    if (!SlotHoldsPuzzle(slot)) return;
    btnStartClick();
}

void TBrowser::udPageNextDownButtonClick() {
    if (!Accepting()) return;
    const TPackage* package = CurrentPackageObject();
    if (package == nullptr) return;
    int64_t next = static_cast<int64_t>(CurrentPuzzle) + kSlotsPerPage;
    if (next >= package->PuzzleCount) {
        if (static_cast<int64_t>(PageFirst) + kSlotsPerPage >= package->PuzzleCount) {
            ShowText(texts::LastPageShown());
            return;
        }
        next = package->PuzzleCount - 1;
    }
    CurrentPuzzle = static_cast<int32_t>(next);
    RefreshView();
}

void TBrowser::udPageNextUpButtonClick() {
    if (!Accepting()) return;
    if (CurrentPuzzle - kSlotsPerPage < 0) {
        ShowText(texts::FirstPageShown());
        return;
    }
    CurrentPuzzle -= kSlotsPerPage;
    RefreshView();
}

void TBrowser::PackageChosen() {
    if (!Accepting()) return;
    const int index = cbxPackage->ItemIndex();
    // No choice (index -1) or a stale one keeps the current package; the refresh shows it again.
    if (const TPackage* package = Packages->Items(index)) {
        CurrentPackage = index;
        CurrentPuzzle = package->LastPuzzle;
    }
    RefreshView();
}

void TBrowser::SeverityChosen() {
    if (!Accepting()) return;
    TPackage* package = CurrentPackageObject();
    TPuzzle* puzzle = package != nullptr ? package->PuzzleAt(CurrentPuzzle) : nullptr;
    const int severity = cbxSeverity->ItemIndex() + 1;
    if (puzzle == nullptr || !IsValidSeverity(severity)) return;
    if (puzzle->Severity != severity) {
        puzzle->Severity = severity;
        package->SeverityDirty = true;
    }
}

void TBrowser::btnStartClick() {
    if (!Accepting()) return;
    const TPackage* package = CurrentPackageObject();
    const TPuzzle* puzzle = package != nullptr ? package->PuzzleAt(CurrentPuzzle) : nullptr;
    if (puzzle == nullptr) return;
    const std::string path = package->PuzzleExecutablePath(CurrentPuzzle, puzzle->Severity);
    if (!platform::core::FileExists(path)) {
        ShowText(texts::PuzzleNotFound(path));
        return;
    }
    platform::core::TStartResult result;
    if (IsWindowsExecutable(path)) {
        const std::string wine = m_services.Starter->FindWine();
        if (wine.empty()) {
            ShowText(texts::WineMissing(path));
            return;
        }
        result = m_services.Starter->StartThrough(wine, path);
    } else {
        result = m_services.Starter->StartProgram(path);
    }
    if (!result.Ok) ShowText(texts::PuzzleNotStarted(path, result.Message));
}

void TBrowser::btnHelpClick() {
    if (m_closeRequested) return;
    ShowText(texts::Help());
}

void TBrowser::btnHomepageClick() {
    if (!m_closeRequested) lblMore->Click();
}

void TBrowser::bsSkinButton1Click() {
    if (!m_closeRequested) lblNewsletter->Click();
}

}  // namespace app
