#pragma once
// The kinds and events of dragging that every control carries (TControl), apart from the drag
// manager itself (DragDrop.h), so the control header stays small.

#include <cstdint>
#include <functional>

namespace platform::forms {

class TComponent;

enum TDragMode : uint8_t { dmManual, dmAutomatic };
// dkDock is kept and stored; only dkDrag moves anything.
enum TDragKind : uint8_t { dkDrag, dkDock };
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

using TStartDragEvent = std::function<void(TComponent* sender)>;
// Accept arrives true (the handler is there to take drops) and the handler may refuse.
using TDragOverEvent =
    std::function<void(TComponent* sender, TComponent* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TComponent* sender, TComponent* source, int x, int y)>;
// Target is null when the drag ended without a drop.
using TEndDragEvent = std::function<void(TComponent* sender, TComponent* target, int x, int y)>;

}  // namespace platform::forms
