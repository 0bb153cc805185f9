#include "skin/boxes/bsSkinBoxCtrlsListBoxDrag.h"

#include "platform/forms/DragDrop.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/StandardProperties.h"
#include "skin/boxes/bsSkinBoxCtrlsListBox.h"

namespace skin {

using namespace platform::forms;

void RegisterListBoxDrag(TClassRegistry& r) {
    using L = TbsSkinCustomListBox;
    // Registering a class again adds properties to it.
    r.Register<L>("TbsSkinCustomListBox", "TbsSkinCustomControl", false)
        .Enum<int>("ListBoxDragCursor", CursorEnum(), &L::ListBoxDragCursor, &L::SetListBoxDragCursor, crDrag)
        .Enum<TDragKind>("ListBoxDragKind", DragKindEnum(), &L::ListBoxDragKind, &L::SetListBoxDragKind,
                         dkDrag)
        .Enum<TDragMode>("ListBoxDragMode", DragModeEnum(), &L::ListBoxDragMode, &L::SetListBoxDragMode,
                         dmManual)
        .EventSetter<void(TComponent*, TComponent*, int, int)>(
            "OnListBoxDragDrop", [](L& l, const TDragDropEvent& e) { l.OnListBoxDragDrop() = e; })
        .EventSetter<void(TComponent*, TComponent*, int, int, TDragState, bool&)>(
            "OnListBoxDragOver", [](L& l, const TDragOverEvent& e) { l.OnListBoxDragOver() = e; })
        .EventSetter<void(TComponent*, TComponent*, int, int)>(
            "OnListBoxEndDrag", [](L& l, const TEndDragEvent& e) { l.OnListBoxEndDrag() = e; })
        .EventSetter<void(TComponent*)>("OnListBoxStartDrag",
                                        [](L& l, const TStartDragEvent& e) { l.OnListBoxStartDrag() = e; });
}

}  // namespace skin
