// Push buttons, menu buttons, check boxes, radio buttons and switches, and the labels.

#include "tools/skingen/ControlArt.h"
#include "tools/skingen/SkinDefault.h"
#include "tools/skingen/Theme.h"

namespace skingen {

using namespace skin;
using namespace theme;

namespace {

constexpr TState kButtonStates[] = {TState::Normal, TState::Hot, TState::Down, TState::Disabled};

using TFaceFor = TFace (*)(TState, double);
using TExtraPainter = std::function<void(TRaster&, const TRect&, TState)>;

struct TButtonSpec {
    const char* Name;
    const char* Kind;  // "button" or "menubutton"
    int Width, Height;
    TFaceFor Face;
    double Radius;
    TPoint LeftTop, RightTop, LeftBottom, RightBottom;
    TRect ClientRect;
    int FontHeight = 14;
    bool WhiteText = false;
    TExtraPainter Extra;  // drawn over the face (a menu button's arrow)
};

TbsDataSkinButtonControl& DescribeButton(TSkinModel& model, TAtlas& atlas, const TButtonSpec& spec) {
    TbsDataSkinButtonControl& b = std::string_view(spec.Kind) == "menubutton"
                                      ? model.AddControl<TbsDataSkinMenuButtonControl>(spec.Name, spec.Kind)
                                      : model.AddControl<TbsDataSkinButtonControl>(spec.Name, spec.Kind);
    std::vector<TRect> rects;
    for (TState s : kButtonStates) {
        rects.push_back(atlas.Place(spec.Width, spec.Height, [spec, s](TRaster& r, const TRect& p) {
            PaintFace(r, Whole(p), spec.Face(s, spec.Radius));
            if (spec.Extra) spec.Extra(r, p, s);
        }));
    }
    b.pictureindex = kButtonsPicture;
    b.skinrect = rects[0];
    b.activeskinrect = rects[1];
    b.downskinrect = rects[2];
    b.disabledskinrect = rects[3];
    b.lefttoppoint = spec.LeftTop;
    b.righttoppoint = spec.RightTop;
    b.leftbottompoint = spec.LeftBottom;
    b.rightbottompoint = spec.RightBottom;
    b.clientrect = spec.ClientRect;
    b.fontname = "Arial";
    b.fontheight = spec.FontHeight;
    if (spec.WhiteText) {
        b.fontcolor = b.activefontcolor = b.downfontcolor = kField;
        b.disabledfontcolor = Hex(0xEAF2FC);
    } else {
        b.fontcolor = ButtonTextColor(TState::Normal);
        b.activefontcolor = ButtonTextColor(TState::Hot);
        b.downfontcolor = ButtonTextColor(TState::Down);
        b.disabledfontcolor = ButtonTextColor(TState::Disabled);
    }
    b.morphing = true;
    b.morphkind = mkDefault;
    return b;
}

// The drop-down part of a menu button: a divider and an arrow right of it.
TExtraPainter MenuArrow(int dividerX, bool dividerAlways) {
    return [dividerX, dividerAlways](TRaster& r, const TRect& p, TState s) {
        const TColor ink =
            s == TState::Disabled ? kTextDisabled : (s == TState::Normal ? kArrow : kAccentStrong);
        if (dividerAlways || s == TState::Hot || s == TState::Down) {
            const TColor line = s == TState::Normal
                                    ? kBorderSoft
                                    : (s == TState::Disabled ? kButtonBorderDisabled : kAccentSoftBorder);
            r.FillRect(p.Left + dividerX, p.Top + 4, p.Left + dividerX + 1, p.Bottom - 4, line);
        }
        const double cx = p.Left + dividerX + (p.Width() - dividerX) / 2.0 + 0.5;
        PaintChevron(r, cx, p.Top + p.Height() / 2.0, 3, TDirection::Down, ink, 1.5);
    };
}

void DescribePushButtons(TSkinModel& model, TAtlas& a) {
    // Stretches only in width: fixed left and right parts 6 pixels wide.
    DescribeButton(model, a,
                   {"button",
                    "button",
                    52,
                    23,
                    &ButtonFace,
                    3,
                    {6, 11},
                    {46, 10},
                    {},
                    {},
                    {4, 3, 48, 20},
                    14,
                    false,
                    {}});
    // Stretches both ways: plain middles, so any size keeps the look.
    DescribeButton(model, a,
                   {"resizebutton",
                    "button",
                    30,
                    19,
                    &ButtonFace,
                    3,
                    {4, 4},
                    {26, 4},
                    {4, 15},
                    {26, 15},
                    {4, 4, 26, 15},
                    14,
                    false,
                    {}});
    DescribeButton(model, a,
                   {"defaultbutton",
                    "button",
                    52,
                    23,
                    &PrimaryFace,
                    3,
                    {6, 6},
                    {46, 6},
                    {6, 17},
                    {46, 17},
                    {4, 4, 48, 19},
                    14,
                    true,
                    {}});
    DescribeButton(model, a,
                   {"smallbutton",
                    "button",
                    40,
                    18,
                    &ButtonFace,
                    3,
                    {5, 9},
                    {35, 9},
                    {},
                    {},
                    {3, 2, 37, 16},
                    12,
                    false,
                    {}});
    DescribeButton(model, a,
                   {"toolbutton",
                    "button",
                    24,
                    24,
                    &ToolFace,
                    3,
                    {5, 5},
                    {19, 5},
                    {5, 19},
                    {19, 19},
                    {3, 3, 21, 21},
                    14,
                    false,
                    {}});
    auto& menu = DescribeButton(model, a,
                                {"menubutton",
                                 "menubutton",
                                 64,
                                 23,
                                 &ButtonFace,
                                 3,
                                 {6, 11},
                                 {50, 11},
                                 {},
                                 {},
                                 {4, 3, 48, 20},
                                 14,
                                 false,
                                 MenuArrow(50, true)});
    static_cast<TbsDataSkinMenuButtonControl&>(menu).trackbuttonrect = {51, 0, 64, 23};
    auto& toolMenu = DescribeButton(model, a,
                                    {"toolmenubutton",
                                     "menubutton",
                                     36,
                                     24,
                                     &ToolFace,
                                     3,
                                     {5, 12},
                                     {24, 12},
                                     {},
                                     {},
                                     {3, 3, 23, 21},
                                     14,
                                     false,
                                     MenuArrow(24, false)});
    static_cast<TbsDataSkinMenuButtonControl&>(toolMenu).trackbuttonrect = {25, 0, 36, 24};
}

enum class TMark { Check, Radio, Switch };

void DescribeCheckRadio(TSkinModel& model, TAtlas& a, const char* name, TMark mark) {
    auto& c = model.AddControl<TbsDataSkinCheckRadioControl>(name, "checkradio");
    const bool isSwitch = mark == TMark::Switch;
    const int width = isSwitch ? 48 : 40;
    const int markW = isSwitch ? 26 : 14;
    c.pictureindex = kButtonsPicture;
    // The control itself is the client colour; only the mark and the text change.
    c.skinrect = a.Place(
        width, 20, [](TRaster& r, const TRect& p) { r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient); });
    c.activeskinrect = c.skinrect;
    c.lefttoppoint = {2, 10};
    c.righttoppoint = {width - 2, 10};
    c.clientrect = {0, 0, width, 20};
    c.checkimagearea = {2, 3, 2 + markW, 17};
    c.textarea = {markW + 6, 0, width, 20};
    auto image = [&](bool on, TState s) {
        return a.Place(markW, 14, [mark, on, s](TRaster& r, const TRect& p) {
            r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
            if (mark == TMark::Check) PaintCheckBox(r, Whole(p), on, s);
            if (mark == TMark::Radio) PaintRadioButton(r, Whole(p), on, s);
            if (mark == TMark::Switch) PaintSwitch(r, Whole(p), on, s);
        });
    };
    c.checkimagerect = image(true, TState::Normal);
    c.uncheckimagerect = image(false, TState::Normal);
    c.activecheckimagerect = image(true, TState::Hot);
    c.activeuncheckimagerect = image(false, TState::Hot);
    c.unenabledcheckimagerect = image(true, TState::Disabled);
    c.unenableduncheckimagerect = image(false, TState::Disabled);
    c.fontname = "Arial";
    c.fontheight = 14;
    c.fontcolor = kText;
    c.activefontcolor = kAccentText;
    c.unenabledfontcolor = kTextDisabled;
    c.framefontcolor = kTextMuted;
    c.morphing = false;
}

void DescribeStdLabel(TSkinModel& model, const char* name, int height, TFontStyles style, TColor color,
                      TColor active) {
    auto& l = model.AddControl<TbsDataSkinStdLabelControl>(name, "stdlabel");
    l.fontname = "Arial";
    l.fontheight = height;
    l.fontstyle = style;
    l.fontcolor = color;
    l.activefontcolor = active;
}

void DescribePlateLabels(TSkinModel& model, TAtlas& a) {
    auto& plain = model.AddControl<TbsDataSkinLabelControl>("label", "label");
    plain.pictureindex = kButtonsPicture;
    plain.skinrect = a.Place(40, 20, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
        TFace f;
        f.Fill = TPaint::Solid(kPanelDark);
        f.Border = kBorderSoft;
        f.Radius = 4;
        PaintFace(r, Whole(p), f);
    });
    plain.lefttoppoint = {5, 5};
    plain.righttoppoint = {35, 5};
    plain.leftbottompoint = {5, 15};
    plain.rightbottompoint = {35, 15};
    plain.clientrect = {5, 5, 35, 15};
    plain.fontcolor = kText;

    auto& caption = model.AddControl<TbsDataSkinLabelControl>("captionlabel", "label");
    caption.pictureindex = kButtonsPicture;
    caption.skinrect = a.Place(40, 22, [](TRaster& r, const TRect& p) {
        r.FillRect(p.Left, p.Top, p.Right, p.Bottom, kClient);
        TFace f;
        f.Fill = TPaint::Vertical(kFrameTop, kFrameBottom, p.Top, p.Bottom);
        f.Radius = 3;
        PaintFace(r, Whole(p), f);
    });
    caption.lefttoppoint = {5, 11};
    caption.righttoppoint = {35, 11};
    caption.clientrect = {6, 2, 34, 20};
    caption.fontstyle = platform::gfx::fsBold;
    caption.fontcolor = kCaptionText;
}

}  // namespace

void DescribeButtonsAndLabels(TSkinModel& model, TSkinAtlases& atlases) {
    TAtlas& a = atlases.Buttons;
    DescribePushButtons(model, a);
    DescribeCheckRadio(model, a, "checkbox", TMark::Check);
    DescribeCheckRadio(model, a, "radiobox", TMark::Radio);
    DescribeCheckRadio(model, a, "switch", TMark::Switch);
    // Black text that turns to the accent under the mouse (link labels).
    DescribeStdLabel(model, "stdlabel", 14, 0, 0, kLinkHover);
    DescribeStdLabel(model, "titlelabel", 18, platform::gfx::fsBold, kText, kAccentStrong);
    DescribeStdLabel(model, "hintlabel", 13, 0, kTextMuted, kText);
    DescribeStdLabel(model, "linklabel", 14, 0, kAccentStrong, kAccent);
    DescribePlateLabels(model, a);
}

}  // namespace skingen
