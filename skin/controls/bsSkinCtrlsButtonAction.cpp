// The skin button's share of its action: with no glyph of its own, the button shows the action's
// image from the action list's images, on the transparent fuchsia.

#include "platform/forms/ActnList.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/gfx/Canvas.h"
#include "skin/controls/bsSkinCtrlsButton.h"

namespace skin {

using namespace platform::forms;

void RegisterSkinButtonActionHook() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    AddControlActionHook([](TControl& control, TAction& action) {
        auto* button = dynamic_cast<TbsSkinButton*>(&control);
        if (!button || !button->Glyph().Empty() || !action.ActionList()) return;
        const TImageListComponent* images = action.ActionList()->Images();
        const int index = action.ImageIndex();
        if (!images || index < 0 || index >= images->Count()) return;
        platform::gfx::TBitmap glyph(images->Width(), images->Height());
        glyph.Canvas().Brush.Color = platform::gfx::clFuchsia;
        glyph.Canvas().FillRect({0, 0, glyph.Width(), glyph.Height()});
        images->Draw(glyph.Canvas(), 0, 0, index);
        button->SetGlyph(glyph);
    });
}

}  // namespace skin
