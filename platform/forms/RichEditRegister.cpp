#include "platform/forms/RichEditRegister.h"

#include "platform/forms/EditClasses.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/RichEdit.h"

namespace platform::forms {

void RegisterRichEditClasses(TClassRegistry& r) {
    RegisterEditClasses(r);
    if (r.Find("TCustomRichEdit")) return;
    using R = TCustomRichEdit;
    r.Register<R>("TCustomRichEdit", "TCustomMemo", false)
        .Boolean("PlainText", &R::PlainText, &R::SetPlainText, false);
    r.Register<TRichEdit>("TRichEdit", "TCustomRichEdit");
}

}  // namespace platform::forms
