// The property tables of the framework's own classes.

#include <algorithm>

#include "platform/forms/ActnList.h"
#include "platform/forms/Application.h"
#include "platform/forms/DragDrop.h"
#include "platform/forms/EditClasses.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Form.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/Menus.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/RichEditRegister.h"
#include "platform/forms/StandardProperties.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TabControl.h"
#include "platform/forms/Timer.h"
#include "platform/forms/TreeView.h"
#include "platform/forms/ViewClasses.h"

namespace platform::forms {

namespace {

const TEnumInfo kBorderStyle{{{"bsNone", bsNone},
                              {"bsSingle", bsSingle},
                              {"bsSizeable", bsSizeable},
                              {"bsDialog", bsDialog},
                              {"bsToolWindow", bsToolWindow},
                              {"bsSizeToolWin", bsSizeToolWin}}};
const TEnumInfo kBorderIcons{{{"biSystemMenu", biSystemMenu},
                              {"biMinimize", biMinimize},
                              {"biMaximize", biMaximize},
                              {"biHelp", biHelp}}};
const TEnumInfo kPosition{{{"poDesigned", poDesigned},
                           {"poDefault", poDefault},
                           {"poDefaultPosOnly", poDefaultPosOnly},
                           {"poDefaultSizeOnly", poDefaultSizeOnly},
                           {"poScreenCenter", poScreenCenter},
                           {"poDesktopCenter", poDesktopCenter},
                           {"poMainFormCenter", poMainFormCenter},
                           {"poOwnerFormCenter", poOwnerFormCenter}}};
const TEnumInfo kWindowState{
    {{"wsNormal", wsNormal}, {"wsMinimized", wsMinimized}, {"wsMaximized", wsMaximized}}};
const TEnumInfo kFormStyle{{{"fsNormal", fsNormal},
                            {"fsMDIChild", fsMDIChild},
                            {"fsMDIForm", fsMDIForm},
                            {"fsStayOnTop", fsStayOnTop}}};
const TEnumInfo kBevelShape{{{"bsBox", bsBox},
                             {"bsFrame", bsFrame},
                             {"bsTopLine", bsTopLine},
                             {"bsBottomLine", bsBottomLine},
                             {"bsLeftLine", bsLeftLine},
                             {"bsRightLine", bsRightLine},
                             {"bsSpacer", bsSpacer}}};
const TEnumInfo kBevelStyle{{{"bsLowered", bsLowered}, {"bsRaised", bsRaised}}};
const TEnumInfo kMenuBreak{{{"mbNone", mbNone}, {"mbBreak", mbBreak}, {"mbBarBreak", mbBarBreak}}};
const TEnumInfo kPopupAlignment{{{"paLeft", paLeft}, {"paRight", paRight}, {"paCenter", paCenter}}};

// Constraints.MaxHeight, .MaxWidth, .MinHeight, .MinWidth (negative values read as 0).
void AddConstraints(TClassBuilder<TControl>& b) {
    using TLimit = int TSizeConstraints::*;
    for (auto [name, limit] : {std::pair<const char*, TLimit>{"MaxHeight", &TSizeConstraints::MaxHeight},
                               {"MaxWidth", &TSizeConstraints::MaxWidth},
                               {"MinHeight", &TSizeConstraints::MinHeight},
                               {"MinWidth", &TSizeConstraints::MinWidth}}) {
        b.Integer(
            std::string("Constraints.") + name, [limit](const TControl& c) { return c.Constraints().*limit; },
            [limit](TControl& c, int v) {
                auto k = c.Constraints();
                k.*limit = std::max(0, v);
                c.SetConstraints(k);
            },
            0);
    }
}

void RegisterControl(TClassRegistry& r) {
    auto notFont = [](const TControl& c) { return !c.ParentFont(); };
    // A form stores its client size instead.
    auto notForm = [](const TControl& c) { return dynamic_cast<const TForm*>(&c) == nullptr; };
    TClassBuilder<TControl> b =
        r.Register<TControl>("TControl", "TComponent", false)
            .Integer("Left", &TControl::Left, &TControl::SetLeft, std::nullopt)
            .Integer("Top", &TControl::Top, &TControl::SetTop, std::nullopt)
            .Integer("Width", &TControl::Width, &TControl::SetWidth, std::nullopt)
            .StoredIf(notForm)
            .Integer("Height", &TControl::Height, &TControl::SetHeight, std::nullopt)
            .StoredIf(notForm)
            .Enum<TAlign>("Align", AlignEnum(), &TControl::Align, &TControl::SetAlign, alNone)
            .Set("Anchors", AnchorsEnum(), &TControl::Anchors, &TControl::SetAnchors, akLeft | akTop);
    AddConstraints(b);
    b.String("Caption", &TControl::Caption, &TControl::SetCaption)
        .String("Text", &TControl::Text, &TControl::SetText)
        .StoredIf([](const TControl&) { return false; })
        .Color("Color", &TControl::Color, &TControl::SetColor, std::nullopt)
        .StoredIf([](const TControl& c) { return !c.ParentColor(); })
        .Enum<int>("Cursor", CursorEnum(), &TControl::Cursor, &TControl::SetCursor, crDefault)
        .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, true);
    // The font is written only when it is the control's own.
    AddFontProperties(
        b, "Font", [](const TControl& c) -> const gfx::TFont& { return c.Font(); },
        TFontPropertyOptions<TControl>{std::nullopt, notFont, true});
    b.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true)
        .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
        .Reference<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .String("Hint", &TControl::Hint, &TControl::SetHint)
        .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, std::nullopt)
        .StoredIf([](const TControl& c) { return !c.ParentShowHint(); })
        .Integer("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext, 0)
        .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Event("OnResize", &TControl::OnResize);

    r.Register<TWinControl>("TWinControl", "TControl", false)
        .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, std::nullopt)
        .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnMouseWheel", &TWinControl::OnMouseWheel);
    r.Register<TCustomControl>("TCustomControl", "TWinControl", false);
    r.Register<TGraphicControl>("TGraphicControl", "TControl", false);
}

void RegisterForm(TClassRegistry& r) {
    r.Register<TForm>("TForm", "TCustomControl")
        .Enum<TFormBorderStyle>("BorderStyle", kBorderStyle, &TForm::BorderStyle, &TForm::SetBorderStyle,
                                bsSizeable)
        .Set("BorderIcons", kBorderIcons, &TForm::BorderIcons, &TForm::SetBorderIcons,
             biSystemMenu | biMinimize | biMaximize)
        .Integer(
            "ClientWidth", [](const TForm& f) { return f.ClientRect().Width(); }, &TForm::SetClientWidth,
            std::nullopt)
        .Integer(
            "ClientHeight", [](const TForm& f) { return f.ClientRect().Height(); }, &TForm::SetClientHeight,
            std::nullopt)
        .Enum<TPosition>("Position", kPosition, &TForm::Position, &TForm::SetPosition, poDesigned)
        .Enum<TWindowState>("WindowState", kWindowState, &TForm::WindowState, &TForm::SetWindowState,
                            wsNormal)
        .Enum<TFormStyle>("FormStyle", kFormStyle, &TForm::FormStyle, &TForm::SetFormStyle, fsNormal)
        .Boolean("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview, false)
        .Reference<TWinControl>("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl)
        .Reference<TMainMenu>("Menu", &TForm::Menu, &TForm::SetMenu)
        .Binary(
            "Icon",
            [](const TForm& f) {
                return f.Icon().Empty() ? std::vector<uint8_t>{} : f.Icon().SaveToMemory();
            },
            [](TForm& f, const std::vector<uint8_t>& bytes) {
                gfx::TBitmap icon;
                if (!icon.LoadFromMemory(bytes.data(), bytes.size())) return false;
                f.SetIcon(icon);
                return true;
            })
        .Boolean(
            "Scaled", [](const TForm& f) { return f.Scaled; }, [](TForm& f, bool v) { f.Scaled = v; }, false)
        .Integer(
            "PixelsPerInch", [](const TForm& f) { return f.PixelsPerInch; },
            [](TForm& f, int v) { f.PixelsPerInch = v; }, 96)
        .Integer(
            "TextHeight", [](const TForm& f) { return f.TextHeight; },
            [](TForm& f, int v) { f.TextHeight = v; }, 13)
        .Custom(
            "OldCreateOrder", [](TForm&, const TPropValue& v) { (void)BoolFromValue(v); },
            [](const TForm&) { return TPropValue::Bool(false); }, TPropValue::Bool(false))
        .Event("OnCreate", &TForm::OnCreate)
        .Event("OnDestroy", &TForm::OnDestroy)
        .Event("OnShow", &TForm::OnShow)
        .Event("OnHide", &TForm::OnHide)
        .Event("OnActivate", &TForm::OnActivate)
        .Event("OnDeactivate", &TForm::OnDeactivate)
        .Event("OnPaint", &TForm::OnPaint)
        .Event("OnClose", &TForm::OnClose)
        .Event("OnCloseQuery", &TForm::OnCloseQuery)
        .Event("OnShortCut", &TForm::OnShortCut);
}

void RegisterStdControls(TClassRegistry& r) {
    r.Register<TCustomLabel>("TCustomLabel", "TGraphicControl")
        .Enum<TAlignment>("Alignment", AlignmentEnum(), &TCustomLabel::Alignment, &TCustomLabel::SetAlignment,
                          taLeftJustify)
        .Boolean("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Reference<TWinControl>("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
        .Enum<TTextLayout>("Layout", TextLayoutEnum(), &TCustomLabel::Layout, &TCustomLabel::SetLayout, tlTop)
        .Boolean("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true)
        .Boolean("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Boolean("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false);
    r.Register<TLabel>("TLabel", "TCustomLabel");

    r.Register<TImage>("TImage", "TGraphicControl")
        .Boolean("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false)
        .Boolean("Center", &TImage::Center, &TImage::SetCenter, false)
        .Binary(
            "Picture.Data", [](const TImage& i) { return i.Picture().SaveToMemory(); },
            [](TImage& i, const std::vector<uint8_t>& bytes) {
                if (bytes.empty()) {
                    i.Picture().Clear();
                    return true;
                }
                return i.Picture().LoadFromMemory(bytes);
            })
        .Boolean("Proportional", &TImage::Proportional, &TImage::SetProportional, false)
        .Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
        .Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent, false);

    r.Register<TBevel>("TBevel", "TGraphicControl")
        .Enum<TBevelShape>("Shape", kBevelShape, &TBevel::Shape, &TBevel::SetShape, bsBox)
        .Enum<TBevelStyle>("Style", kBevelStyle, &TBevel::Style, &TBevel::SetStyle, bsLowered);
}

void RegisterNonVisual(TClassRegistry& r) {
    r.Register<TTimer>("TTimer", "TComponent")
        .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
        .EventSetter<void(TComponent*)>("OnTimer", &TTimer::SetOnTimer);

    r.Register<TImageListComponent>("TImageList", "TComponent")
        .Integer("Width", &TImageListComponent::Width, &TImageListComponent::SetWidth, 16)
        .Integer("Height", &TImageListComponent::Height, &TImageListComponent::SetHeight, 16)
        .Boolean("Masked", &TImageListComponent::Masked, &TImageListComponent::SetMasked, true)
        .Color("TransparentColor", &TImageListComponent::TransparentColor,
               &TImageListComponent::SetTransparentColor, gfx::clDefault)
        .Binary("Bitmap", &TImageListComponent::StripData, &TImageListComponent::SetStripData)
        .Event("OnChange", &TImageListComponent::OnChange);
    r.RegisterAlias("TImageListComponent", "TImageList");
    r.RegisterAlias("TCustomImageList", "TImageList");

    r.Register<TMenuItem>("TMenuItem", "TComponent")
        .Enum<TMenuBreak>("Break", kMenuBreak, &TMenuItem::Break, &TMenuItem::SetBreak, mbNone)
        .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Boolean("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false)
        .Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
        .Boolean("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
        .Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
        .Integer("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0)
        .Integer("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext, 0)
        .String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
        .Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1)
        .Boolean("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
        .Custom(
            "ShortCut",
            [](TMenuItem& m, const TPropValue& v) {
                if (v.Kind == TValueKind::Integer) {
                    if (v.Int < 0 || v.Int > 0xFFFF) throw EPropertyError("shortcut out of range");
                    m.SetShortCut(static_cast<TShortCut>(v.Int));
                    return;
                }
                if (v.Kind != TValueKind::String)
                    throw EPropertyError("a shortcut is a text such as 'Ctrl+S'");
                if (v.Text.empty()) {
                    m.SetShortCut(0);
                    return;
                }
                const TShortCut sc = TextToShortCut(v.Text);
                if (sc == 0) throw EPropertyError("'" + v.Text + "' is no shortcut");
                m.SetShortCut(sc);
            },
            [](const TMenuItem& m) { return TPropValue::String(ShortCutToText(m.ShortCut())); },
            TPropValue::String(""))
        .Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
        .Event("OnClick", &TMenuItem::OnClick);

    r.Register<TMenu>("TMenu", "TComponent", false)
        .Reference<TImageListComponent>("Images", &TMenu::Images, &TMenu::SetImages);
    r.Register<TMainMenu>("TMainMenu", "TMenu")
        .Boolean(
            "AutoMerge", [](const TMainMenu& m) { return m.AutoMerge; },
            [](TMainMenu& m, bool v) { m.AutoMerge = v; }, false);
    r.Register<TPopupMenu>("TPopupMenu", "TMenu")
        .Enum<TPopupAlignment>("Alignment", kPopupAlignment, &TPopupMenu::Alignment,
                               &TPopupMenu::SetAlignment, paLeft)
        .Boolean("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
        .Event("OnPopup", &TPopupMenu::OnPopup);
}

}  // namespace

void RegisterFormsClasses(TClassRegistry& r) {
    if (r.Find("TComponent")) return;
    r.Register<TComponent>("TComponent", "", false).Integer("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
    RegisterControl(r);
    RegisterForm(r);
    RegisterStdControls(r);
    RegisterNonVisual(r);
    RegisterViewClasses(r);
    RegisterEditClasses(r);
    RegisterRichEditClasses(r);
    RegisterTabClasses(r);
    RegisterActionClasses(r);
    RegisterDragProperties(r);
    RegisterTreeViewEditing(r);
}

}  // namespace platform::forms
