// The window frame, its objects (caption, caption buttons, menu item, menu bar items and
// buttons), the popup menu window and the hint window.

#include "tools/skingen/ControlArt.h"
#include "tools/skingen/FrameArt.h"
#include "tools/skingen/SkinDefault.h"
#include "tools/skingen/Theme.h"

namespace skingen {

using namespace skin;
using namespace theme;

namespace {

const TFrameMetrics kFrame;

struct TCaptionButtonSpec {
    const char* Name;
    const char* Hint;
    TbsStdCommand Command;
    TCaptionGlyph Glyph;
    bool HasRestore;
    TCaptionGlyph RestoreGlyph;
};

// Caption buttons with their images in the objects picture. The frame lays the shown ones out
// from the right end of [FORMINFO] captionrect (close rightmost) and puts the system-menu button at
// its left end; hidden buttons leave no gap.
void DescribeCaptionButton(TSkinModel& model, TAtlas& atlas, const TCaptionButtonSpec& spec) {
    auto place = [&](TCaptionGlyph glyph, TCaptionState state) {
        return atlas.Place(
            kFrame.ButtonWidth, kFrame.ButtonHeight,
            [glyph, state](TRaster& r, const TRect& p) { PaintCaptionButton(r, p, kFrame, glyph, state); });
    };
    auto& b = model.AddObject<TbsDataSkinStdButton>(spec.Name, "stdbutton");
    b.hint = spec.Hint;
    b.activepictureindex = kObjectsPicture;
    b.skinrectinapicture = true;
    b.skinrect = place(spec.Glyph, TCaptionState::Normal);
    b.activeskinrect = place(spec.Glyph, TCaptionState::Hot);
    b.downrect = place(spec.Glyph, TCaptionState::Down);
    b.disableskinrsect = place(spec.Glyph, TCaptionState::Disabled);
    b.morphing = true;
    b.morphkind = mkDefault;
    b.command = spec.Command;
    if (spec.HasRestore) {
        b.restorerect = place(spec.RestoreGlyph, TCaptionState::Normal);
        b.restoreactiverect = place(spec.RestoreGlyph, TCaptionState::Hot);
        b.restoredownrect = place(spec.RestoreGlyph, TCaptionState::Down);
        b.restoreinactiverect = place(spec.RestoreGlyph, TCaptionState::Inactive);
    }
}

void DescribeCaption(TSkinModel& model) {
    auto& c = model.AddObject<TbsDataSkinCaption>("caption", "caption");
    // Across the caption; the frame moves its left edge right of the system-menu button and its
    // right edge left of the buttons shown, so the title uses the room between them.
    c.skinrect = {6, 3, kFrame.Width - 6, 25};
    c.textrect = {4, 0, c.skinrect.Width() - 6, 22};
    c.fontname = "Arial";
    c.fontheight = 14;
    c.fontstyle = platform::gfx::fsBold;
    c.fontcolor = kCaptionTextInactive;
    c.activefontcolor = kCaptionText;
    c.alignment = taLeftJustify;
}

void DescribeMenuItem(TSkinModel& model, TAtlas& atlas) {
    auto& m = model.AddObject<TbsDataSkinMenuItem>("MENUITEM", "menuitem");
    m.activepictureindex = kObjectsPicture;
    m.skinrectinapicture = true;
    m.skinrect = atlas.Place(
        40, 22, [](TRaster& r, const TRect& p) { r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kField); });
    m.activeskinrect = atlas.Place(40, 22, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kField);
        PaintFace(r, Local(p, 2, 1, 38, 21), SelectionFace(TState::Normal, 3));
    });
    m.morphing = true;
    m.morphkind = mkDefault;
    m.itemleftoffset = 6;
    m.itemrightoffset = 6;
    m.dividerrect = atlas.Place(40, 7, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kField);
        r.FillRect(p.Left + 6, p.Top + 3, p.Right - 6, p.Top + 4, kBorderSoft);
    });
    m.dividerleftoffset = 6;
    m.dividerrightoffset = 6;
    m.textrect = {6, 0, 34, 22};
    m.fontcolor = kText;
    m.activefontcolor = kAccentText;
    m.unenabledfontcolor = kTextDisabled;
}

// Items of a menu bar: their normal face is the bar's own background.
void DescribeMenuBarItems(TSkinModel& model, TAtlas& atlas) {
    auto& item = model.AddObject<TbsDataSkinMainMenuBarItem>("menubaritem", "mainmenubaritem");
    item.activepictureindex = kObjectsPicture;
    item.skinrectinapicture = true;
    auto face = [&atlas](TState s) {
        return atlas.Place(30, 20, [s](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kPanel);
            if (s != TState::Normal)
                PaintFace(r, Local(p, 1, 1, 29, 19),
                          SelectionFace(s == TState::Hot ? TState::Hot : TState::Focused, 3));
        });
    };
    item.skinrect = face(TState::Normal);
    item.activeskinrect = face(TState::Hot);
    item.downrect = face(TState::Down);
    item.morphing = true;
    item.itemleftoffset = 5;
    item.itemrightoffset = 5;
    item.textrect = {8, 0, 22, 20};
    item.fontcolor = kText;
    item.activefontcolor = kAccentText;
    item.downfontcolor = kAccentText;
    item.unenabledfontColor = kTextDisabled;

    // The buttons a menu bar shows for a maximised child window.
    struct TBarButton {
        const char* Name;
        TbsStdCommand Command;
        int Glyph;  // 0 logo, 1 close, 2 restore, 3 minimise
    };
    for (const TBarButton& spec :
         {TBarButton{"menubarsysmenu", cmSysMenu, 0}, TBarButton{"menubarclose", cmClose, 1},
          TBarButton{"menubarrestore", cmMaximize, 2}, TBarButton{"menubarminimize", cmMinimize, 3}}) {
        auto& b = model.AddObject<TbsDataSkinMainMenuBarButton>(spec.Name, "mainmenubarbutton");
        b.activepictureindex = kObjectsPicture;
        b.skinrectinapicture = true;
        b.command = spec.Command;
        auto button = [&atlas, glyph = spec.Glyph](TState s) {
            return atlas.Place(18, 16, [glyph, s](TRaster& r, const TRect& p) {
                r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kPanel);
                if (s == TState::Hot) r.FillRoundRect(Whole(p), 3, TPaint::Solid(kPanelDark));
                if (s == TState::Down) r.FillRoundRect(Whole(p), 3, TPaint::Solid(kBorderSoft));
                const double cx = p.Left + 9, cy = p.Top + 8;
                switch (glyph) {
                    case 0:
                        PaintPuzzlePiece(r, {cx - 6, cy - 6, cx + 6, cy + 6},
                                         TPaint::Vertical(Hex(0x3DA0FF), kAccentStrong, cy - 6, cy + 6));
                        break;
                    case 1:
                        PaintCross(r, cx, cy, 3.5, kArrow, 1.4);
                        break;
                    case 2:
                        PaintRestoreGlyph(
                            r, cx, cy, 4, kArrow,
                            s == TState::Normal ? kPanel : (s == TState::Hot ? kPanelDark : kBorderSoft));
                        break;
                    default:
                        PaintMinimizeGlyph(r, cx, cy + 3.5, 4.5, kArrow);
                        break;
                }
            });
        };
        b.skinrect = button(TState::Normal);
        b.activeskinrect = button(TState::Hot);
        b.downrect = button(TState::Down);
        b.morphing = true;
    }
}

void DescribeFormInfo(TSkinModel& model) {
    TFormInfo& f = model.FormInfo;
    const int w = kFrame.Width, h = kFrame.Height;
    f.clientrect = kFrame.ClientRect();
    // The middles of the edges (30..175 across, 30..150 down) are plain and repeat.
    f.lefttoppoint = {30, 30};
    f.righttoppoint = {w - 30, 30};
    f.leftbottompoint = {30, h - 17};
    f.rightbottompoint = {w - 30, h - 17};
    f.maskrectarea = f.clientrect;
    f.hittestlefttoppoint = {10, 10};
    f.hittestrighttoppoint = {w - 10, 10};
    f.hittestleftbottompoint = {10, h - 10};
    f.hittestrightbottompoint = {w - 10, h - 10};
    // No buttons rectangle: the buttons take their place in the caption rectangle.
    f.captionrect = {6, kFrame.ButtonTop, w - 6, kFrame.ButtonTop + kFrame.ButtonHeight};
    f.buttonsoffset = 2;
    f.borderwidth = 4;
}

void DescribePopupAndHint(TSkinModel& model, TSkinAtlases& atlases) {
    // A white menu window with a rounded outline; the mask cuts its corners.
    const TRadii corners(4);
    atlases.Popup = PaintOutlinedShape(40, 40, corners, Hex(0xA3AEBB), kField);
    atlases.PopupMask = PaintShapeMask(40, 40, corners);
    TbsDataSkinPopupWindow& p = model.PopupWindow;
    p.windowpictureindex = kPopupPicture;
    p.maskpictureindex = kPopupMaskPicture;
    p.lefttoppoint = {6, 6};
    p.righttoppoint = {34, 6};
    p.leftbottompoint = {6, 34};
    p.rightbottompoint = {34, 34};
    p.itemsrect = {3, 3, 37, 37};
    p.scrollmarkercolor = kTextMuted;
    p.scrollmarkeractivecolor = kAccent;

    // A slate tooltip with an accent bar along its left side.
    TBitmap hint(47, 21);
    TRaster r(hint);
    r.FillRect(0, 0, 47, 21, kFrameOutline);
    r.FillRect(1, 1, 46, 20, kHintFace);
    r.FillRect(3, 3, 5, 18, kAccent);
    atlases.Hint = std::move(hint);
    TbsDataSkinHintWindow& h = model.HintWindow;
    h.windowpictureindex = kHintPicture;
    h.lefttoppoint = {10, 5};
    h.righttoppoint = {37, 5};
    h.leftbottompoint = {10, 16};
    h.rightbottompoint = {37, 16};
    h.clientrect = {8, 3, 39, 18};
    h.fontname = "Arial";
    h.fontheight = 14;
    h.fontcolor = kHintText;
}

}  // namespace

void DescribeFrame(TSkinModel& model, TSkinAtlases& atlases) {
    model.Main = {"frame.bmp", PaintFramePicture(kFrame), 24};
    model.Mask = {"framemask.bmp", PaintFrameMask(kFrame), 4};
    DescribeFormInfo(model);

    TAtlas& a = atlases.Objects;
    DescribeCaptionButton(
        model, a, {"closebutton", "Close", cmClose, TCaptionGlyph::Close, false, TCaptionGlyph::Close});
    DescribeCaptionButton(
        model, a,
        {"maxbutton", "Maximize", cmMaximize, TCaptionGlyph::Maximize, true, TCaptionGlyph::Restore});
    DescribeCaptionButton(
        model, a,
        {"minbutton", "Minimize", cmMinimize, TCaptionGlyph::Minimize, true, TCaptionGlyph::Restore});
    DescribeCaptionButton(
        model, a,
        {"rollupbutton", "Roll up", cmRollUp, TCaptionGlyph::RollUp, true, TCaptionGlyph::RollDown});
    DescribeCaptionButton(model, a,
                          {"sysmenubutton", "Window menu", cmSysMenu, TCaptionGlyph::SystemMenu, false,
                           TCaptionGlyph::SystemMenu});
    DescribeCaption(model);
    DescribeMenuItem(model, a);
    DescribeMenuBarItems(model, a);
    DescribePopupAndHint(model, atlases);
}

}  // namespace skingen
