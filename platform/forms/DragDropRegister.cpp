// The drag properties and events every control reads from and writes to form resources.
#include "platform/forms/DragDrop.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/StandardProperties.h"

namespace platform::forms {

const TEnumInfo& DragModeEnum() {
    static const TEnumInfo info{{{"dmManual", dmManual}, {"dmAutomatic", dmAutomatic}}};
    return info;
}

const TEnumInfo& DragKindEnum() {
    static const TEnumInfo info{{{"dkDrag", dkDrag}, {"dkDock", dkDock}}};
    return info;
}

void RegisterDragProperties(TClassRegistry& r) {
    // Registering a class again adds properties to it.
    r.Register<TControl>("TControl", "TComponent", false)
        .Enum<int>("DragCursor", CursorEnum(), &TControl::DragCursor, &TControl::SetDragCursor, crDrag)
        .Enum<TDragKind>("DragKind", DragKindEnum(), &TControl::DragKind, &TControl::SetDragKind, dkDrag)
        .Enum<TDragMode>("DragMode", DragModeEnum(), &TControl::DragMode, &TControl::SetDragMode, dmManual)
        .Event("OnDragDrop", &TControl::OnDragDrop)
        .Event("OnDragOver", &TControl::OnDragOver)
        .Event("OnEndDrag", &TControl::OnEndDrag)
        .Event("OnStartDrag", &TControl::OnStartDrag);
}

}  // namespace platform::forms
