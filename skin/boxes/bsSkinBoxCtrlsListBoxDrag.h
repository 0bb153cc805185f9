#pragma once
// The skinned list box's drag properties and events in form resources: ListBoxDragMode,
// ListBoxDragKind, ListBoxDragCursor and OnListBox...Drag..., all held by the inner list.

namespace platform::forms {
class TClassRegistry;
}

namespace skin {

void RegisterListBoxDrag(platform::forms::TClassRegistry& registry);

}  // namespace skin
