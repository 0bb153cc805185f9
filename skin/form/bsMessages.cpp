#include "skin/form/bsMessages.h"

#include <algorithm>
#include <bit>

#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/form/bsMessagesIcons.h"

namespace skin {

using platform::forms::Application;
using platform::forms::TComponent;
using platform::forms::TImage;

namespace {

constexpr TMsgDlgBtn kButtonOrder[] = {mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                       mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

constexpr int kLabelLeft = 50;
constexpr int kLabelTop = 15;
constexpr int kIconLeft = 5;
constexpr int kIconMinTop = 10;

}  // namespace

int TMsgDlgButtons::Count() const {
    return std::popcount(m_bits);
}

int MsgDlgModalResult(TMsgDlgBtn button) {
    static constexpr int results[kMsgDlgButtonCount] = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0};
    return results[button];
}

const char* MsgDlgButtonName(TMsgDlgBtn button) {
    static constexpr const char* names[kMsgDlgButtonCount] = {
        "Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll", "YesToAll", "Help"};
    return names[button];
}

// ---- TbsMessageForm ----

TbsMessageForm::TbsMessageForm(TComponent* owner) : TForm(owner) {
    SetPosition(platform::forms::poScreenCenter);
    SetBorderStyle(platform::forms::bsDialog);
    SetKeyPreview(true);
    m_skinForm = new TbsSkinForm(this);
    m_skinForm->SetBorderIcons(0);
}

// ---- TbsSkinMessage ----

TbsSkinMessage::TbsSkinMessage(TComponent* owner) : TComponent(owner) {
    for (platform::gfx::TFont* font : {&m_defaultFont, &m_defaultButtonFont}) {
        font->SetName("Arial");
        font->SetHeight(14);
        font->SetStyle(0);
    }
}

TbsSkinMessage::~TbsSkinMessage() {
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    if (m_ctrlSkinData) m_ctrlSkinData->RemoveFreeNotification(this);
}

void TbsSkinMessage::SetSkinData(TbsSkinData* value) {
    if (m_skinData == value) return;
    if (m_skinData && m_skinData != m_ctrlSkinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = value;
    if (m_skinData) m_skinData->FreeNotification(this);
}

void TbsSkinMessage::SetCtrlSkinData(TbsSkinData* value) {
    if (m_ctrlSkinData == value) return;
    if (m_ctrlSkinData && m_ctrlSkinData != m_skinData) m_ctrlSkinData->RemoveFreeNotification(this);
    m_ctrlSkinData = value;
    if (m_ctrlSkinData) m_ctrlSkinData->FreeNotification(this);
}

void TbsSkinMessage::Notification(TComponent* component, platform::forms::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != platform::forms::opRemove) return;
    if (component == m_skinData) m_skinData = nullptr;
    if (component == m_ctrlSkinData) m_ctrlSkinData = nullptr;
}

int TbsSkinMessage::ButtonHeight() const {
    if (!m_ctrlSkinData || m_ctrlSkinData->SkinIsEmpty) return kDefaultButtonHeight;
    const int index = m_ctrlSkinData->IndexOfControl(m_buttonSkinDataName);
    if (index < 0) return kDefaultButtonHeight;
    auto* record = dynamic_cast<TbsDataSkinButtonControl*>(
        m_ctrlSkinData->ControlRecords[static_cast<size_t>(index)].get());
    if (!record || RectHeightOf(record->skinrect) < 1) return kDefaultButtonHeight;
    return RectHeightOf(record->skinrect);
}

std::unique_ptr<TbsMessageForm> TbsSkinMessage::CreateMessageForm(const std::string& message,
                                                                  TMsgDlgType type,
                                                                  TMsgDlgButtons buttons) const {
    auto form = std::make_unique<TbsMessageForm>(nullptr);
    TbsSkinForm* skinForm = form->SkinForm();
    skinForm->SetAlphaBlend(m_alphaBlend);
    skinForm->SetAlphaBlendAnimation(m_alphaBlendAnimation);
    skinForm->SetAlphaBlendValue(m_alphaBlendValue);
    skinForm->SetMenusSkinData(m_ctrlSkinData);
    skinForm->SetSkinData(m_skinData);

    const int buttonHeight = ButtonHeight();
    const int count = buttons.Count();
    const int rowWidth = count > 0 ? count * kButtonWidth + count * kButtonSpacing - kButtonSpacing : 0;

    if (platform::forms::Screen)
        form->SetBounds(platform::forms::Screen->Width() / 2 - form->Width() / 2,
                        platform::forms::Screen->Height() / 2 - form->Height() / 2, form->Width(),
                        form->Height());
    if (type == mtCustom)
        form->SetCaption(Application ? Application->Title() : std::string());
    else
        form->SetCaption(MsgDlgCaptions()[type]);

    auto* label = new TbsSkinStdLabel(form.get());
    label->SetName("Message");
    label->SetParent(form.get());
    label->SetFont(m_defaultFont);
    label->SetDefaultFont(m_defaultFont);
    label->SetUseSkinFont(m_useSkinFont);
    label->SetSkinDataName(m_messageLabelSkinDataName);
    label->SetSkinData(m_ctrlSkinData);
    label->SetAutoSize(true);
    label->SetCaption(message);
    label->SetBounds(kLabelLeft, kLabelTop, label->Width(), label->Height());
    label->AdjustBounds();
    form->SetMessageLabel(label);
    const int textRight = label->Left() + label->Width();

    auto* image = new TImage(form.get());
    image->SetName("Image");
    image->SetParent(form.get());
    if (const TBitmap icon = MessageIcon(MessageIconId(type)); !icon.Empty()) image->Picture().Assign(icon);
    image->SetTransparent(true);
    image->SetBounds(kIconLeft, std::max(kIconMinTop, label->Top() + label->Height() / 2 - 16),
                     kMessageIconSize, kMessageIconSize);
    form->SetIconImage(image);

    form->SetClientHeight(buttonHeight + label->Height() + 50);
    form->SetClientWidth(std::max(rowWidth, textRight) + 40);
    if (form->Width() > skinForm->GetMaxWidth())
        form->SetWidth(skinForm->GetMaxWidth());
    else if (form->Width() < skinForm->GetMinWidth())
        form->SetWidth(skinForm->GetMinWidth());
    // Text wider than the dialog the work area allows is wrapped to it (long words broken), so
    // that a long folder name can be read whole; the dialog grows downwards instead.
    if (const int fit = form->ClientWidth() - 40 - kLabelLeft; label->Width() > fit && fit > 0) {
        label->SetWordWrap(true);
        label->SetBounds(kLabelLeft, kLabelTop, fit, label->Height());
        label->AdjustBounds();
        image->SetBounds(kIconLeft, std::max(kIconMinTop, label->Top() + label->Height() / 2 - 16),
                         kMessageIconSize, kMessageIconSize);
        form->SetClientHeight(buttonHeight + label->Height() + 50);
    }

    const TMsgDlgBtn defaultButton = buttons.Contains(mbOK)    ? mbOK
                                     : buttons.Contains(mbYes) ? mbYes
                                                               : mbRetry;
    const TMsgDlgBtn cancelButton = buttons.Contains(mbCancel) ? mbCancel
                                    : buttons.Contains(mbNo)   ? mbNo
                                                               : mbOK;

    const int clientWidth = form->ClientWidth();
    const int clientHeight = form->ClientHeight();
    int x = (clientWidth - rowWidth) / 2;
    const int y = clientHeight - buttonHeight - 10;
    TbsMessageForm* dialog = form.get();
    for (TMsgDlgBtn b : kButtonOrder) {
        if (!buttons.Contains(b)) continue;
        auto* button = new TbsSkinButton(dialog);
        button->SetName(MsgDlgButtonName(b));
        button->SetParent(dialog);
        button->SetCaption(MsgDlgButtonCaptions()[b]);
        button->SetModalResult(MsgDlgModalResult(b));
        button->SetCanFocused(true);
        button->SetDefault(b == defaultButton);
        button->SetCancel(b == cancelButton);
        button->SetDefaultHeight(buttonHeight);
        button->SetBounds(x, y, kButtonWidth, buttonHeight);
        button->SetDefaultFont(m_defaultButtonFont);
        button->SetUseSkinFont(m_useSkinFont);
        button->SetSkinDataName(m_buttonSkinDataName);
        button->SetSkinData(m_ctrlSkinData);
        if (b == mbHelp)
            button->OnClick = [dialog](TComponent*) {
                if (Application) Application->HelpContext(dialog->HelpContext());
            };
        x += kButtonWidth + kButtonSpacing;
    }
    return form;
}

int TbsSkinMessage::ShowMessageBox(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons,
                                   int) {
    std::unique_ptr<TbsMessageForm> form = CreateMessageForm(message, type, buttons);
    return form->ShowModal();
}

}  // namespace skin
