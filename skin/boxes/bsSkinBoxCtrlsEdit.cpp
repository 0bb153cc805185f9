#include "skin/boxes/bsSkinBoxCtrlsEdit.h"

#include "platform/forms/Form.h"
#include "platform/forms/Menus.h"
#include "platform/ui/WindowSystem.h"
#include "skin/form/bsSkinMenus.h"

namespace skin {

namespace forms = platform::forms;
namespace ui = platform::ui;
using platform::core::TPoint;

namespace {
// Frees the standard menu once its command has returned.
constexpr uint32_t kFreeMenuMessage = ui::WM_USER + 0x4546;

forms::TMenuItem* AddItem(TbsSkinPopupMenu& menu, const char* caption, bool enabled,
                          std::function<void()> run) {
    auto* item = new forms::TMenuItem(&menu);
    item->SetCaption(caption);
    item->SetEnabled(enabled);
    if (run) item->OnClick = [run = std::move(run)](forms::TComponent*) { run(); };
    menu.Items()->Add(item);
    return item;
}
}  // namespace

// ---- TbsEditStandardMenu ----

TbsEditStandardMenu::~TbsEditStandardMenu() = default;  // the menu belongs to the edit

void TbsEditStandardMenu::Free() {
    delete m_menu;
    m_menu = nullptr;
}

TbsSkinPopupMenu* TbsEditStandardMenu::Build() {
    Free();
    forms::TCustomEdit* edit = &m_edit;
    m_menu = new TbsSkinPopupMenu(edit);
    m_menu->SetPopupForm(forms::GetParentForm(edit));
    const bool selected = edit->SelLength() > 0;
    const bool writable = !edit->ReadOnly();
    ui::TWindowSystem* ws = ui::TWindowSystem::Current();
    const bool clipboardText = ws && !ws->ClipboardText().empty();
    AddItem(*m_menu, BS_EDIT_UNDO, edit->CanUndo(), [edit] { edit->Undo(); });
    AddItem(*m_menu, "-", true, nullptr);
    AddItem(*m_menu, BS_EDIT_CUT, selected && writable, [edit] { edit->CutToClipboard(); });
    AddItem(*m_menu, BS_EDIT_COPY, selected, [edit] { edit->CopyToClipboard(); });
    AddItem(*m_menu, BS_EDIT_PASTE, clipboardText && writable, [edit] { edit->PasteFromClipboard(); });
    AddItem(*m_menu, BS_EDIT_DELETE, selected && writable, [edit] { edit->ClearSelection(); });
    AddItem(*m_menu, "-", true, nullptr);
    AddItem(*m_menu, BS_EDIT_SELECTALL, edit->SelLength() < static_cast<int>(edit->Text().size()),
            [edit] { edit->SelectAll(); });
    return m_menu;
}

void TbsEditStandardMenu::Popup(TPoint screen) {
    Build();
    if (screen.X < 0 || screen.Y < 0)
        screen = m_edit.ClientToScreen({m_edit.ClientWidth() / 2, m_edit.ClientHeight() / 2});
    m_menu->PopupForControl(&m_edit, screen.X, screen.Y);
}

// ---- TbsCustomEdit ----

TbsCustomEdit::TbsCustomEdit(forms::TComponent* owner) : forms::TCustomMaskEdit(owner) {
    SetBorderStyle(forms::bsNone);
    SetMargins(2, 0);
}

TbsCustomEdit::~TbsCustomEdit() = default;

void TbsCustomEdit::SetTransparentText(bool value) {
    if (value == m_transparentText) return;
    m_transparentText = value;
    // Without its own background the edit no longer covers its rectangle.
    if (value)
        m_controlStyle &= ~forms::csOpaque;
    else
        m_controlStyle |= forms::csOpaque;
    if (HandleAllocated()) RecreateWnd();
}

void TbsCustomEdit::Invalidate() {
    if (m_transparentText && !OnPaintUnder) {
        if (forms::TWinControl* parent = Parent(); parent && parent->HandleAllocated())
            parent->InvalidateRect(BoundsRect(), true);
    }
    forms::TCustomMaskEdit::Invalidate();
}

void TbsCustomEdit::CreateParams(ui::TCreateParams& params) {
    forms::TCustomMaskEdit::CreateParams(params);
    params.ExStyle &= ~ui::WS_EX_CLIENTEDGE;
}

void TbsCustomEdit::PaintBackground(platform::gfx::TCanvas& canvas) {
    if (!m_transparentText) {
        forms::TCustomMaskEdit::PaintBackground(canvas);
        return;
    }
    if (OnPaintUnder) OnPaintUnder(canvas);
}

void TbsCustomEdit::CMFontChanged(forms::TMessage& m) {
    forms::TCustomMaskEdit::CMFontChanged(m);
    SetMargins(2, 0);
}

void TbsCustomEdit::KeyDown(uint16_t& key, forms::TShiftState shift) {
    if (key != ui::VK_ESCAPE) {
        forms::TCustomMaskEdit::KeyDown(key, shift);
        return;
    }
    // Escape reaches OnKeyDown without shift state and then OnKeyPress, before its character
    // goes the usual way.
    forms::TCustomMaskEdit::KeyDown(key, 0);
    if (key == 0) return;
    char32_t ch = 0x1B;
    forms::TCustomMaskEdit::KeyPress(ch);
}

void TbsCustomEdit::KeyPress(char32_t& key) {
    forms::TCustomMaskEdit::KeyPress(key);
    // Enter goes no further than OnKeyPress.
    if (key == U'\r') key = 0;
}

void TbsCustomEdit::WndProc(forms::TMessage& m) {
    switch (m.Msg) {
        case ui::WM_CONTEXTMENU:
            if (!PopupMenu()) {
                m_standardMenu.Popup(ui::PointFromLParam(m.LParam));
                m.Result = 1;
                return;
            }
            break;
        case MenuDoneMessage:
            if (ui::TWindowSystem* ws = ui::TWindowSystem::Current(); ws && HandleAllocated())
                ws->PostMessage(HandleIfAllocated(), kFreeMenuMessage);
            return;
        case kFreeMenuMessage:
            m_standardMenu.Free();
            return;
        case forms::CM_CANCELMODE:
            if (OnCancelMode) OnCancelMode(ui::PtrFromParam<forms::TControl>(m.LParam));
            break;
        case ui::WM_KEYDOWN:
            // The keyboard's menu request: the menu key or Shift+F10.
            if (m.WParam == ui::VK_APPS ||
                (m.WParam == ui::VK_F10 && (forms::KeyboardShiftState() & forms::ssShift))) {
                Perform(ui::WM_CONTEXTMENU, 0, ui::MakeLParam(-1, -1));
                return;
            }
            break;
        case ui::WM_LBUTTONDOWN:
            m_pressed = true;
            break;
        case ui::WM_LBUTTONUP:
            m_pressed = false;
            break;
        default:
            break;
    }
    forms::TCustomMaskEdit::WndProc(m);
}

}  // namespace skin
