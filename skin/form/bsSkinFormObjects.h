#pragma once
// The live objects of a skinned window frame: each object record of the skin becomes one object
// that knows its normal and active (hot) images, cross-fades between them, tracks mouse-over and
// press, and carries out the window command its record names. The skin form owns the list, the
// timers and the window; the objects only draw themselves and ask the form for window operations.

#include <functional>
#include <string>

#include "platform/core/Types.h"
#include "platform/forms/Control.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/bsSkinData.h"

namespace platform::forms {
class TMenuItem;
}

namespace skin {

using platform::core::TPoint;
using platform::core::TRect;
using platform::forms::TMouseButton;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;

class TbsSkinForm;

// The object events of the skin form: the object's IDName first.
using TbsMouseDownEvent = std::function<void(const std::string& idName, int x, int y, const TRect& objectRect,
                                             TMouseButton button)>;
using TbsMouseUpEvent = TbsMouseDownEvent;
using TbsMouseMoveEvent =
    std::function<void(const std::string& idName, int x, int y, const TRect& objectRect)>;
using TbsMouseEnterEvent = std::function<void(const std::string& idName)>;
using TbsMouseLeaveEvent = TbsMouseEnterEvent;
using TbsPaintEvent =
    std::function<void(const std::string& idName, TCanvas& canvas, const TRect& objectRect)>;

class TbsActiveSkinObject {
public:
    // data: the object's record (copied; not kept). Without a record the object has empty images.
    TbsActiveSkinObject(TbsSkinForm* form, const TbsDataSkinObject* data);
    virtual ~TbsActiveSkinObject() = default;
    TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
    TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

    [[nodiscard]] virtual bool CanMorph() const;
    virtual void Draw(TCanvas& canvas, bool fullPaint);
    virtual void DblClick() {}
    virtual void MouseDown(int x, int y, TMouseButton button);
    virtual void MouseUp(int x, int y, TMouseButton button);
    virtual void MouseMove(int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // With morphing the fade timer takes the change over; otherwise the object repaints now.
    void ReDraw();
    // One fade-timer step: the factor moves by 0.1 towards its target, then the object repaints.
    virtual void DoMorphStep();

    TbsSkinForm* Parent;
    double MorphFactor = 0;
    bool MouseOver = false;
    TBitmap* Picture = nullptr;        // the skin's main picture; not owned
    TBitmap* ActivePicture = nullptr;  // the record's numbered picture, or none
    TbsSkinData* SkinData = nullptr;
    std::string IDName;
    std::string Hint;
    TRect skinrect;
    TRect activeskinrect;
    TRect ObjectRect;  // window coordinates
    bool Highlighted = false;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    bool Enabled = true;
    bool Visible = true;
    bool skinrectinapicture = false;

protected:
    // The picture the normal image (skinrect) lies in.
    [[nodiscard]] TBitmap* NormalPicture() const { return skinrectinapicture ? ActivePicture : Picture; }
    [[nodiscard]] bool MorphUnderWay() const { return Morphing && CanMorph(); }
    // Copies rect of picture stretched into ObjectRect.
    void CopyImage(TCanvas& canvas, TBitmap* picture, const TRect& rect) const;
    // Cross-fades normal (of normalPicture) towards active (of the active picture) by MorphFactor
    // and draws the result at ObjectRect's top-left.
    void DrawMorphed(TCanvas& canvas, TBitmap* normalPicture, const TRect& normal, const TRect& active) const;
};

// A frame area that the program paints itself through the form's OnPaintEvent.
class TbsUserObject : public TbsActiveSkinObject {
public:
    using TbsActiveSkinObject::TbsActiveSkinObject;
    void Draw(TCanvas& canvas, bool fullPaint) override;
};

class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    TbsSkinButtonObject(TbsSkinForm* form, const TbsDataSkinButton* data);

    [[nodiscard]] bool CanMorph() const override;
    void Draw(TCanvas& canvas, bool fullPaint) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SetDown(bool value);
    // Pops the sub-items of PopupItem up under the button; a button whose menu cannot be shown
    // is released at once, so that it never stays down with nothing open.
    void ShowPopup();

    bool Pressed = false;
    platform::forms::TMenuItem* PopupItem = nullptr;
    bool PopupUp = false;
    TRect downrect;
    TRect disableskinrsect;
};

// A caption button: close, maximise, minimise, roll-up, system menu, tray.
class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    TbsSkinStdButtonObject(TbsSkinForm* form, const TbsDataSkinStdButton* data);
    // A button without a record, drawn in the built-in look.
    TbsSkinStdButtonObject(TbsSkinForm* form, const std::string& idName, TbsStdCommand command);

    [[nodiscard]] bool CanMorph() const override;
    void Draw(TCanvas& canvas, bool fullPaint) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void DblClick() override;
    virtual void DoCommand();

    bool HasRecord = true;
    TbsStdCommand Command = cmDefault;
    TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;

private:
    [[nodiscard]] bool ShowsFormIcon() const;
    [[nodiscard]] bool InRestoreState() const;
    void DrawDefault(TCanvas& canvas);
};

class TbsSkinAnimateObject : public TbsActiveSkinObject {
public:
    TbsSkinAnimateObject(TbsSkinForm* form, const TbsDataSkinAnimate* data);

    void Draw(TCanvas& canvas, bool fullPaint) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void DblClick() override;
    virtual void DoCommand();
    // Shows frame n (1-based), wrapping by the direction, and repaints.
    void SetFrame(int n);
    // One step of the form's frame timer (every 25 ms while Highlighted).
    void Tick();

    int FrameIndex = 1;
    bool Forward = true;
    int TickCount = 25;
    int FrameInterval = 50;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    TbsStdCommand Command = cmDefault;
    platform::forms::TMenuItem* PopupItem = nullptr;
    bool PopupUp = false;
};

// The frame step of the animate timer.
inline constexpr int kAnimateTimerStep = 25;

}  // namespace skin
