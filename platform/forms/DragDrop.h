#pragma once
// Dragging between controls. Any control can be a source: with DragMode dmAutomatic a left press
// starts a drag, or the program calls BeginDrag. A drag that is not immediate begins only once
// the pointer has moved Threshold pixels from the press, so a click stays a click. While it
// runs, the control under the pointer that takes drops (TakesDragOver: it has OnDragOver) is
// asked through DragOver whether it accepts the source, and the source shows its DragCursor or
// crNoDrop. Releasing over an accepting control calls its DragDrop; the source always gets
// DoEndDrag with the target (null when none accepted). Escape, a lost capture or EndDrag(false)
// ends it without a drop.

#include "platform/forms/Control.h"

namespace platform::forms {

class TClassRegistry;
struct TEnumInfo;
// DragMode, DragKind, DragCursor and the drag events of every control, for form resources.
void RegisterDragProperties(TClassRegistry& registry);
// The names of TDragMode and TDragKind values in form resources.
[[nodiscard]] const TEnumInfo& DragModeEnum();
[[nodiscard]] const TEnumInfo& DragKindEnum();

class TDragManager {
public:
    static constexpr int kDefaultThreshold = 5;
    static TDragManager& Instance();

    // Starts a drag from source at a screen point; threshold < 0 takes kDefaultThreshold.
    void Begin(TControl* source, TPoint screen, bool immediate, int threshold = -1);
    // A pending or running drag.
    [[nodiscard]] bool Active() const { return m_source != nullptr; }
    [[nodiscard]] bool Dragging() const { return m_source && m_dragging; }
    [[nodiscard]] TControl* Source() const { return m_source; }
    [[nodiscard]] TControl* Target() const { return m_target; }
    [[nodiscard]] bool Accepted() const { return m_accepted; }
    // The control under a screen point that drops are offered to, or null.
    [[nodiscard]] static TControl* FindTarget(TPoint screen);
    // Pointer moves (screen coordinates) while the source holds the mouse.
    void Move(TPoint screen);
    // The left button was released (or EndDrag(true)): drops on an accepting target.
    void Drop(TPoint screen);
    void Cancel();
    // A control is going: a drag from or onto it ends without touching it again.
    void ControlDestroying(TControl* control);
    // The source control's share of its own mouse and key messages while it drags: pointer moves,
    // the release and a lost capture go to the drag; Escape cancels it. True when the message was
    // Escape, or a pointer move while dragging, and is used up. A message seen twice (a control
    // that passes it on) counts once.
    bool SourceMessage(TControl* source, const TMessage& m);

private:
    void Leave();
    void Finish(TControl* target, TPoint screen);

    TControl* m_source = nullptr;
    TControl* m_target = nullptr;
    TPoint m_start;
    TPoint m_last;
    TCursor m_savedCursor = crDefault;
    int m_threshold = kDefaultThreshold;
    bool m_dragging = false;
    bool m_immediate = false;
    bool m_accepted = false;
    bool m_tookCapture = false;
    const TMessage* m_lastMessage = nullptr;
    TMessage m_lastCopy{};
};

}  // namespace platform::forms
