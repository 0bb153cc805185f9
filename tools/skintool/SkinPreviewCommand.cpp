// skintool preview: one PNG sheet of a whole skin.

#include "platform/gfx/Bitmap.h"
#include "tools/skintool/SkinInput.h"
#include "tools/skintool/SkinPreviewSheet.h"
#include "tools/skintool/SkinTool.h"

namespace skintool {

int RunPreview(const TArgs& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].starts_with("-") || args[1].starts_with("-")) {
        err << "usage: skintool preview SKIN OUT.png\n";
        return 2;
    }
    TLoadedSkin skin;
    std::string error;
    if (!LoadSkinInput(args[0], skin, error)) {
        err << "skintool preview: " << error << '\n';
        return 1;
    }
    platform::gfx::TBitmap sheet;
    if (!RenderPreviewSheet(skin.Source, sheet, error)) {
        err << "skintool preview: " << error << '\n';
        return 1;
    }
    // Written atomically: a failed write leaves any earlier sheet as it was.
    if (!platform::gfx::SavePng(sheet, args[1])) {
        err << "skintool preview: cannot write " << args[1] << '\n';
        return 1;
    }
    out << args[1] << ": " << sheet.Width() << " x " << sheet.Height() << '\n';
    return 0;
}

}  // namespace skintool
