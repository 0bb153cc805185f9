#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsSkinData.h"

namespace skin {

void TbsSkinData::BroadcastSkinMessage(uint32_t msg) {
    using platform::forms::TForm;
    auto* ownerForm = dynamic_cast<TForm*>(Owner());
    const auto wParam = reinterpret_cast<platform::ui::TWParam>(this);
    auto send = [&](TForm* form) {
        if (auto* window = form->Handle()) platform::ui::SendMessage(window, msg, wParam, kSkinMessageTag);
    };
    if (ownerForm) send(ownerForm);
    if (!platform::forms::Application) return;
    // A receiver may free forms; each form is looked up again before it is sent to.
    const std::vector<TForm*> forms = platform::forms::Application->Forms();
    for (TForm* form : forms) {
        if (form == ownerForm) continue;
        const auto current = platform::forms::Application->Forms();
        if (std::find(current.begin(), current.end(), form) == current.end()) continue;
        send(form);
    }
}

}  // namespace skin
