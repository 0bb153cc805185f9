#pragma once
// Dragging between controls: a control with DragMode dmAutomatic (or one that calls BeginDrag)
// starts a drag with the left button; while it runs, the control under the pointer that takes
// part (has drag hooks) is asked through OnDragOver whether it accepts the source, and the
// pointer shows the source's DragCursor or crNoDrop. Releasing over an accepting control fires
// its OnDragDrop; the source always gets OnEndDrag with the target (null when none accepted).
// A drag that is not immediate begins only once the pointer has moved Threshold pixels, so a
// click stays a click. Escape, or a cancelled mouse mode, ends it without a drop.

#include <functional>
#include <map>

#include "platform/forms/Control.h"

namespace platform::forms {

enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

using TStartDragEvent = std::function<void(TComponent* sender)>;
using TDragOverEvent =
    std::function<void(TComponent* sender, TComponent* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TComponent* sender, TComponent* source, int x, int y)>;
using TEndDragEvent = std::function<void(TComponent* sender, TComponent* target, int x, int y)>;

// What a control carries to take part in dragging, as source or as target.
struct TDragHooks {
    TDragMode DragMode = dmManual;
    TCursor DragCursor = crDrag;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
};

class TDragManager {
public:
    static constexpr int kThreshold = 5;
    static TDragManager& Instance();

    // Controls with hooks register for their lifetime.
    void Register(TControl* control, TDragHooks* hooks);
    void Unregister(TControl* control);

    // Starts a drag from source at a screen point.
    void Begin(TControl* source, TPoint screen, bool immediate);
    // A pending or running drag.
    [[nodiscard]] bool Active() const { return m_source != nullptr; }
    [[nodiscard]] bool Dragging() const { return m_source && m_dragging; }
    [[nodiscard]] TControl* Source() const { return m_source; }
    [[nodiscard]] TControl* Target() const { return m_target; }
    [[nodiscard]] bool Accepted() const { return m_accepted; }
    // Pointer moves (screen coordinates) while the source holds the mouse.
    void Move(TPoint screen);
    // The left button was released.
    void Drop(TPoint screen);
    void Cancel();
    // The source control's share of its own mouse and key messages while it drags: pointer moves,
    // the release and a lost capture go to the drag; Escape cancels it. True when the message was
    // Escape and is used up.
    bool SourceMessage(TControl* source, const TMessage& m);

private:
    [[nodiscard]] TControl* HookedControlAt(TPoint screen) const;
    void Leave();
    void Finish(TControl* target, TPoint screen);

    std::map<TControl*, TDragHooks*> m_hooks;
    TControl* m_source = nullptr;
    TControl* m_target = nullptr;
    TPoint m_start;
    TCursor m_savedCursor = crDefault;
    bool m_dragging = false;
    bool m_immediate = false;
    bool m_accepted = false;
};

}  // namespace platform::forms
