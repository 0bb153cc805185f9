#include "app/puzzle-demo/PuzzleWindow.h"

#include <algorithm>
#include <stdexcept>

#include "app/puzzle-demo/SlidingBoardView.h"
#include "platform/forms/Application.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/Picture.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/form/bsMessages.h"

namespace app::puzzle {

namespace forms = platform::forms;

const char* SeverityOfSize(int size) {
    static const char* const kNames[] = {"Beginner", "Intermediate", "Expert", "Guru", "Maniac"};
    const int index =
        std::clamp(size, TSlidingBoard::kMinSize, TSlidingBoard::kMaxSize) - TSlidingBoard::kMinSize;
    return kNames[index];
}

TPuzzleWindow::TPuzzleWindow(forms::TComponent* owner, TPuzzleOptions options)
    : TForm(owner), m_options(std::move(options)) {
    PublishField("board", board);
    PublishField("imgTarget", imgTarget);
    PublishField("lblLevel", lblLevel);
    PublishField("lblMoves", lblMoves);
    PublishField("lblHint", lblHint);
    PublishField("btnShuffle", btnShuffle);
    PublishField("btnClose", btnClose);
    PublishField("dlgMessage", dlgMessage);
    using Notify = void(forms::TComponent*);
    PublishMethod<Notify>("FormCreate", [this](forms::TComponent*) { FormCreate(); });
    PublishMethod<Notify>("btnShuffleClick", [this](forms::TComponent*) {
        if (board) board->Shuffle(m_options.Seed + ++m_games);
        if (board && board->CanFocus()) board->SetFocus();
    });
    PublishMethod<Notify>("btnCloseClick", [this](forms::TComponent*) { Close(); });
}

TPuzzleWindow* TPuzzleWindow::Create(forms::TComponent* owner, TPuzzleOptions options,
                                     const std::string& resource) {
    auto* window = new TPuzzleWindow(owner, std::move(options));
    try {
        forms::ReadComponentResourceNamed(*window, resource);
        window->DoCreate();
    } catch (...) {
        delete window;
        throw;
    }
    return window;
}

void TPuzzleWindow::FormCreate() {
    if (!board || !imgTarget || !lblLevel || !lblMoves || !dlgMessage)
        throw std::runtime_error("the puzzle window lacks one of its components");
    forms::TPicture picture;
    if (!m_options.PicturePath.empty() && picture.LoadFromFile(m_options.PicturePath)) {
        m_picture = picture.Bitmap();
        imgTarget->SetPicture(picture);
    }
    const int size = std::clamp(m_options.Size, TSlidingBoard::kMinSize, TSlidingBoard::kMaxSize);
    const std::string level = std::string(SeverityOfSize(size)) + "  \xC2\xB7  " + std::to_string(size) +
                              " \xC3\x97 " + std::to_string(size);
    SetCaption("Sliding Puzzle / Schiebepuzzle \xE2\x80\x93 " + level);
    lblLevel->SetCaption(level);
    if (lblHint && !HasPicture())
        lblHint->SetCaption(m_options.PicturePath.empty()
                                ? std::string("Put the numbers in order.\rSortiere die Zahlen.")
                                : "The picture cannot be read: put the numbers in order.\r"
                                  "Das Bild ist nicht lesbar: sortiere die Zahlen.");
    board->OnMove = [this] { ShowMoves(); };
    board->OnSolved = [this] { Solved(); };
    board->SetPicture(m_picture);
    board->NewGame(size, m_options.Seed);
    SetActiveControl(board);
}

void TPuzzleWindow::ShowMoves() {
    if (lblMoves) lblMoves->SetCaption("Moves / Z\xC3\xBCge: " + std::to_string(board->Board().Moves()));
}

void TPuzzleWindow::Solved() {
    const std::string moves = std::to_string(board->Board().Moves());
    const std::string text = "Solved in " + moves + (moves == "1" ? " move" : " moves") +
                             "!\r\rGel\xC3\xB6st in " + moves + (moves == "1" ? " Zug" : " Z\xC3\xBCgen") +
                             "!";
    dlgMessage->ShowMessageBox(text, skin::mtCustom, {skin::mbOK}, 0);
}

}  // namespace app::puzzle
