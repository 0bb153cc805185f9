#pragma once
// The sliding puzzle's window, made from the embedded resource "puzzle.vkf": the board, the
// picture to build, the level and the move count, and the Shuffle and Close buttons, all in the
// default skin; the solved message goes through the skinned message box.

#include <cstdint>
#include <string>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Form.h"
#include "platform/gfx/Bitmap.h"

namespace skin {
class TbsSkinButton;
class TbsSkinMessage;
class TbsSkinStdLabel;
}  // namespace skin

namespace app::puzzle {

class TSlidingBoardView;

inline constexpr const char* kPuzzleFormResource = "puzzle.vkf";

struct TPuzzleOptions {
    std::string PicturePath;  // empty or unreadable: numbered tiles
    int Size = 4;
    uint32_t Seed = 0;
};

// The severity a grid size stands for (3 Beginner .. 7 Maniac).
[[nodiscard]] const char* SeverityOfSize(int size);

class TPuzzleWindow : public platform::forms::TForm {
public:
    TPuzzleWindow(platform::forms::TComponent* owner, TPuzzleOptions options);
    [[nodiscard]] std::string ClassName() const override { return "TPuzzleWindow"; }

    // Makes the window from its resource and starts a game. Throws
    // platform::forms::EFormResourceError for a broken resource.
    static TPuzzleWindow* Create(platform::forms::TComponent* owner, TPuzzleOptions options,
                                 const std::string& resource = kPuzzleFormResource);

    // Whether the picture could be read (else the tiles carry numbers).
    [[nodiscard]] bool HasPicture() const { return !m_picture.Empty(); }

    TSlidingBoardView* board = nullptr;
    platform::forms::TImage* imgTarget = nullptr;
    skin::TbsSkinStdLabel* lblLevel = nullptr;
    skin::TbsSkinStdLabel* lblMoves = nullptr;
    skin::TbsSkinStdLabel* lblHint = nullptr;
    skin::TbsSkinButton* btnShuffle = nullptr;
    skin::TbsSkinButton* btnClose = nullptr;
    skin::TbsSkinMessage* dlgMessage = nullptr;

private:
    void FormCreate();
    void ShowMoves();
    void Solved();

    TPuzzleOptions m_options;
    platform::gfx::TBitmap m_picture;
    uint32_t m_games = 0;
};

}  // namespace app::puzzle
