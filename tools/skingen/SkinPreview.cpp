#include "tools/skingen/SkinPreview.h"

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/gfx/Canvas.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsDrawStrips.h"
#include "skin/data/bsUtilsRegion.h"
#include "tools/skingen/PreviewRows.h"

namespace skingen {

using namespace skin;
using platform::gfx::TCanvas;

namespace {

TbsFrameGeometry FrameGeometry(const TbsSkinData& s, const TRect& client) {
    return {s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, client};
}

// The frame geometry for a window of w x h: the right and bottom points and the client rectangle
// follow the size difference.
TbsFrameGeometry SizedFrameGeometry(const TbsSkinData& s, const TRect& client, int w, int h) {
    const int dx = w - s.Picture.Width(), dy = h - s.Picture.Height();
    return {s.lefttoppoint,
            {s.righttoppoint.X + dx, s.righttoppoint.Y},
            {s.leftbottompoint.X, s.leftbottompoint.Y + dy},
            {s.rightbottompoint.X + dx, s.rightbottompoint.Y + dy},
            {client.Left, client.Top, client.Right + dx, client.Bottom + dy}};
}

const TbsDataSkinStdButton* StdButton(const TbsSkinData& s, TbsStdCommand command) {
    for (const auto& r : s.ObjectRecords)
        if (auto* b = dynamic_cast<const TbsDataSkinStdButton*>(r.get());
            b && b->command == command && !dynamic_cast<const TbsDataSkinMainMenuBarButton*>(b))
            return b;
    return nullptr;
}

}  // namespace

std::optional<platform::gfx::TRegion> FrameRegion(TbsSkinData& skin, int width, int height) {
    if (skin.FrameMask.Empty()) return std::nullopt;
    return BuildFrameRegion(skin.FrameMask, FrameGeometry(skin, skin.maskrectarea),
                            SizedFrameGeometry(skin, skin.maskrectarea, width, height), width);
}

TBitmap RenderFramePreview(TbsSkinData& s, const TFramePreviewOptions& o) {
    const int w = o.Width, h = o.Height;
    TBitmap out(w, h);
    const TbsFrameGeometry geometry = FrameGeometry(s, s.clientrect);
    const TbsFrameGeometry sized = SizedFrameGeometry(s, s.clientrect, w, h);
    const TRect& ncl = sized.ClientRect;
    const TRect pictureRect{0, 0, s.Picture.Width(), s.Picture.Height()};
    TbsBorderStrips strips;
    ComposeBorderStrips(strips, s.Picture, pictureRect, geometry, w, h, sized,
                        {s.leftstretch, s.topstretch, s.rightstretch, s.bottomstretch});
    TCanvas& c = out.Canvas();
    // The client background: the client piece of the picture, tiled.
    const TRect& cl = s.clientrect;
    for (int y = ncl.Top; y < ncl.Bottom; y += cl.Height())
        for (int x = ncl.Left; x < ncl.Right; x += cl.Width())
            c.CopyRect({x, y, x + cl.Width(), y + cl.Height()}, s.Picture.Canvas(), cl);
    c.Draw(0, 0, strips.Top);
    c.Draw(0, ncl.Top, strips.Left);
    c.Draw(w - strips.Right.Width(), ncl.Top, strips.Right);
    c.Draw(0, h - strips.Bottom.Height(), strips.Bottom);

    // Caption buttons laid out right to left in the buttons rectangle (or, without one, in the
    // caption rectangle), the system-menu button at the caption's left.
    const int dx = w - s.Picture.Width();
    TRect caption = s.captionrect;
    caption.Right += dx;
    TRect area = s.buttonsrect;
    if (area.Left > s.Picture.Width() / 2) area = area.Offset(dx, 0);
    if (IsEmptyRect(area)) area = caption;
    auto drawButton = [&](const TbsDataSkinStdButton& b, int x, int y) {
        TBitmap* picture = s.ActivePicture(b.activepictureindex);
        if (!picture) return;
        TRect source = b.skinrect;
        if (static_cast<int>(b.command) == o.HotCommand)
            source = o.HotPressed ? b.downrect : b.activeskinrect;
        c.CopyRect({x, y, x + b.skinrect.Width(), y + b.skinrect.Height()}, picture->Canvas(), source);
    };
    int x = area.Right;
    for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        const TbsDataSkinStdButton* b = StdButton(s, command);
        if (!b || !o.Buttons.count(command)) continue;
        drawButton(*b, x - b->skinrect.Width(), area.Top);
        x -= b->skinrect.Width() + s.buttonsoffset;
    }
    const int captionRight = IsEmptyRect(s.buttonsrect) ? x + s.buttonsoffset : -1;
    int captionLeft = -1;
    if (const TbsDataSkinStdButton* b = StdButton(s, cmSysMenu); b && o.Buttons.count(cmSysMenu)) {
        const int top = caption.Top + caption.Height() / 2 - b->skinrect.Height() / 2;
        drawButton(*b, caption.Left, top);
        captionLeft = caption.Left + b->skinrect.Width();
    }
    for (const auto& r : s.ObjectRecords) {
        auto* cap = dynamic_cast<const TbsDataSkinCaption*>(r.get());
        if (!cap) continue;
        TRect object = cap->skinrect;
        object.Right += dx;
        if (captionRight >= 0) object.Right = captionRight;
        if (captionLeft >= 0) object.Left = captionLeft;
        TRect text{object.Left + cap->textrect.Left, object.Top + cap->textrect.Top,
                   object.Left + object.Width() + cap->textrect.Right - cap->skinrect.Width(),
                   object.Top + cap->textrect.Bottom};
        const uint32_t align = cap->alignment == taLeftJustify    ? platform::gfx::DT_LEFT
                               : cap->alignment == taRightJustify ? platform::gfx::DT_RIGHT
                                                                  : platform::gfx::DT_CENTER;
        DrawSheetText(out, text, o.Title, cap->fontname, cap->fontheight, cap->fontstyle,
                      o.Active ? cap->activefontcolor : cap->fontcolor,
                      align | platform::gfx::DT_END_ELLIPSIS);
        break;
    }
    MarkOutsideRegion(out, FrameRegion(s, w, h));
    return out;
}

bool RenderSkinPreview(const std::string& skinFolder, const std::string& outFolder, std::string* error) {
    TbsSkinSource source;
    if (!LoadSkinFolder((std::filesystem::path(skinFolder) / "skin.ini").string(), source, error))
        return false;
    TbsStoredSkin stored;
    stored.Assign(source);
    TbsSkinData skin;
    skin.SetStoredSkin(&stored);
    if (skin.SkinIsEmpty) {
        if (error) *error = "the skin does not load: " + skin.LoadProblem();
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(outFolder, ec);
    auto save = [&](const std::string& name, const TBitmap& b, int scale) {
        const std::string path = (std::filesystem::path(outFolder) / name).string();
        if (!SavePng(scale > 1 ? ScaleUp(b, scale) : b, path)) {
            if (error) *error = "cannot write " + path;
            return false;
        }
        return true;
    };
    const std::string title = "Vondrakel(tm) - Puzzle Browser 1.0.0.1";
    TFramePreviewOptions browser{770, 603,  true, title, {cmSysMenu, cmMinimize, cmRollUp, cmClose},
                                 -1,  false};
    TFramePreviewOptions dialog{260, 120, true, title, {cmClose}, -1, false};
    TFramePreviewOptions hot{
        300,     100,  true, "Hot close button", {cmSysMenu, cmMinimize, cmMaximize, cmRollUp, cmClose},
        cmClose, false};
    TFramePreviewOptions pressed = hot;
    pressed.Title = "Inactive, minimise pressed";
    pressed.Active = false;
    pressed.HotCommand = cmMinimize;
    pressed.HotPressed = true;
    const std::filesystem::path browserFolder =
        std::filesystem::path(skinFolder).lexically_normal().parent_path() / "browser";
    if (std::filesystem::exists(browserFolder / "background.jpg") &&
        !save("browser-mock.png", RenderBrowserMock(skin, browserFolder.string()), 1))
        return false;
    return save("frame-browser.png", RenderFramePreview(skin, browser), 1) &&
           save("frame-dialog.png", RenderFramePreview(skin, dialog), 2) &&
           save("frame-hot.png", RenderFramePreview(skin, hot), 2) &&
           save("frame-pressed.png", RenderFramePreview(skin, pressed), 2) &&
           save("controls.png", RenderControlSheet(skin, TSheetGroup::Controls), 2) &&
           save("boxes.png", RenderControlSheet(skin, TSheetGroup::Boxes), 2) &&
           save("panels.png", RenderControlSheet(skin, TSheetGroup::Panels), 2) &&
           save("objects.png", RenderObjectSheet(skin), 2);
}

}  // namespace skingen
