// Keyboard browsing of the preview grid.
#include "app/Browser.h"
#include "app/BrowserTexts.h"
#include "app/Global.h"

namespace app {

void TBrowser::PreviewKey(TPreviewKey key) {
    if (!Accepting()) return;
    const TPackage* package = CurrentPackageObject();
    if (package == nullptr) return;
    switch (key) {
        case TPreviewKey::Left:
            MoveSelection(-1);
            break;
        case TPreviewKey::Right:
            MoveSelection(1);
            break;
        case TPreviewKey::Up:
            MoveSelection(-kSlotsPerRow);
            break;
        case TPreviewKey::Down:
            MoveSelection(kSlotsPerRow);
            break;
        case TPreviewKey::PageUp:
            udPageNextUpButtonClick();
            break;
        case TPreviewKey::PageDown:
            udPageNextDownButtonClick();
            break;
        case TPreviewKey::Home:
            SelectPuzzle(0);
            break;
        case TPreviewKey::End:
            SelectPuzzle(package->PuzzleCount - 1);
            break;
        case TPreviewKey::Start:
            btnStartClick();
            break;
    }
}

// The up-down's rules for a step of any size: before the first puzzle is the first-page message;
// past the last one is the last-page message when the last page already shows, else the last
// puzzle.
void TBrowser::MoveSelection(int32_t delta) {
    const TPackage* package = CurrentPackageObject();
    const int64_t target = static_cast<int64_t>(CurrentPuzzle) + delta;
    if (target < 0) {
        ShowText(texts::FirstPageShown());
        return;
    }
    if (target >= package->PuzzleCount) {
        if (static_cast<int64_t>(PageFirst) + kSlotsPerPage >= package->PuzzleCount) {
            ShowText(texts::LastPageShown());
            return;
        }
        SelectPuzzle(package->PuzzleCount - 1);
        return;
    }
    SelectPuzzle(static_cast<int32_t>(target));
}

void TBrowser::SelectPuzzle(int32_t index) {
    TPackage* package = CurrentPackageObject();
    if (package == nullptr || index < 0 || index >= package->PuzzleCount || index == CurrentPuzzle) return;
    CurrentPuzzle = index;
    package->LastPuzzle = CurrentPuzzle;
    RefreshView();
}

void TBrowser::ChooseSeverity(int severity) {
    if (!Accepting() || !IsValidSeverity(severity)) return;
    const TPackage* package = CurrentPackageObject();
    if (package == nullptr || package->PuzzleAt(CurrentPuzzle) == nullptr) return;
    cbxSeverity->SetItemIndex(severity - 1);
    SeverityChosen();
}

}  // namespace app
