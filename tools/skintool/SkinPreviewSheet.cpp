#include "tools/skintool/SkinPreviewSheet.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/gfx/Canvas.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "tools/skingen/PreviewSheet.h"
#include "tools/skingen/SkinPreview.h"

namespace skintool {

namespace {

using platform::gfx::TBitmap;

constexpr int kMargin = 16;
constexpr int kHeading = 28;
constexpr platform::gfx::TColor kPaper = 0xFFFFFF;
constexpr platform::gfx::TColor kInk = 0x3A3A3A;

TBitmap Stack(const std::vector<std::pair<std::string, TBitmap>>& parts) {
    int width = 0, height = kMargin;
    for (const auto& [heading, picture] : parts) {
        width = std::max(width, picture.Width());
        height += kHeading + picture.Height() + kMargin;
    }
    TBitmap sheet(width + 2 * kMargin, height);
    platform::gfx::TCanvas& c = sheet.Canvas();
    c.Brush.Color = kPaper;
    c.FillRect({0, 0, sheet.Width(), sheet.Height()});
    int y = kMargin;
    for (const auto& [heading, picture] : parts) {
        skingen::DrawSheetText(sheet, {kMargin, y, sheet.Width() - kMargin, y + kHeading - 6}, heading, "Arial", 18,
                               platform::gfx::fsBold, kInk, platform::gfx::DT_LEFT);
        y += kHeading;
        c.Draw(kMargin, y, picture);
        y += picture.Height() + kMargin;
    }
    return sheet;
}

}  // namespace

bool RenderPreviewSheet(const skin::TbsSkinSource& source, TBitmap& sheet, std::string& error) {
    skin::TbsStoredSkin stored;
    stored.Assign(source);
    skin::TbsSkinData data;
    data.SetStoredSkin(&stored);
    if (data.SkinIsEmpty) {
        error = "the skin does not load: " + data.LoadProblem();
        return false;
    }
    using skin::TbsStdCommand;
    skingen::TFramePreviewOptions active{420, 160, true, "Active window", {}, -1, false};
    active.Buttons = {TbsStdCommand::cmSysMenu, TbsStdCommand::cmMinimize, TbsStdCommand::cmMaximize,
                      TbsStdCommand::cmRollUp, TbsStdCommand::cmClose};
    skingen::TFramePreviewOptions inactive = active;
    inactive.Title = "Inactive window, minimise pressed";
    inactive.Active = false;
    inactive.HotCommand = TbsStdCommand::cmMinimize;
    inactive.HotPressed = true;
    skingen::TFramePreviewOptions hot = active;
    hot.Title = "Close button under the mouse";
    hot.HotCommand = TbsStdCommand::cmClose;

    std::vector<std::pair<std::string, TBitmap>> parts;
    parts.emplace_back("Window frame", skingen::RenderFramePreview(data, active));
    parts.emplace_back("Window frame, inactive and pressed", skingen::RenderFramePreview(data, inactive));
    parts.emplace_back("Window frame, hot close button", skingen::RenderFramePreview(data, hot));
    parts.emplace_back("Frame objects, menus and hints", skingen::RenderObjectSheet(data));
    parts.emplace_back("Controls", skingen::RenderControlSheet(data, skingen::TSheetGroup::Controls));
    parts.emplace_back("Boxes", skingen::RenderControlSheet(data, skingen::TSheetGroup::Boxes));
    parts.emplace_back("Panels", skingen::RenderControlSheet(data, skingen::TSheetGroup::Panels));
    sheet = Stack(parts);
    return true;
}

}  // namespace skintool
