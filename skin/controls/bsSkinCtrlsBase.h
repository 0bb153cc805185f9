#pragma once
// The base of the skinned controls: a control bound by name to one record of a skin data
// component, painted from that record through one off-screen bitmap of its size, or in a plain
// default look when there is no skin data or no record of that name. The record is looked up
// again at every paint, so a reloaded skin never leaves a control with a stale record.
//
// TbsSkinControl is the windowed form, TbsGraphicSkinControl the windowless twin.

#include <optional>
#include <string>

#include "platform/forms/CustomControl.h"
#include "platform/forms/GraphicControl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinControl : public platform::forms::TCustomControl {
public:
    explicit TbsSkinControl(platform::forms::TComponent* owner);
    ~TbsSkinControl() override;

    // Published. Not owned; cleared when the skin data goes away.
    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    // Stores the reference; binds at once (ApplySkin) when it is set to a loaded skin.
    virtual void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    // Only stores the name: the record is looked up again at the next paint or ApplySkin.
    virtual void SetSkinDataName(const std::string& value);

    // -1 when the default look is drawn.
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }
    // The window region applied from the record's mask, if any.
    [[nodiscard]] const std::optional<platform::gfx::TRegion>& SkinRegion() const { return m_skinRegion; }

    // Skin-change protocol: before a skin data component reloads, bound controls forget their
    // record; after it they bind again (look up, resize, reshape, repaint).
    virtual void ApplySkin();
    virtual void ForgetRecord();

protected:
    // Sets RecordIndex by name; -1 without skin data or with an empty skin.
    virtual void LookUpRecord();
    virtual void DrawDefaultImage(platform::gfx::TBitmap& bitmap);
    virtual void DrawSkinImage(platform::gfx::TBitmap& bitmap);
    // The bound record, or null (valid until the skin data changes).
    [[nodiscard]] TbsDataSkinControl* Record() const { return ControlRecordAt(m_skinData, m_recordIndex); }

    void Paint() override;
    // Binds once the whole form is read, whichever order its references were resolved in.
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void WMEraseBkgnd(platform::forms::TMessage& message) override;

    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName;
    int m_recordIndex = -1;
    std::optional<platform::gfx::TRegion> m_skinRegion;
};

class TbsGraphicSkinControl : public platform::forms::TGraphicControl {
public:
    explicit TbsGraphicSkinControl(platform::forms::TComponent* owner);
    ~TbsGraphicSkinControl() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    virtual void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }

    virtual void ApplySkin();
    virtual void ForgetRecord();

protected:
    virtual void LookUpRecord();
    virtual void DrawDefaultImage(platform::gfx::TBitmap& bitmap);
    virtual void DrawSkinImage(platform::gfx::TBitmap& bitmap);
    [[nodiscard]] TbsDataSkinControl* Record() const { return ControlRecordAt(m_skinData, m_recordIndex); }

    void Paint() override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName;
    int m_recordIndex = -1;
};

// Paints a skinned control's face into a bitmap of its size and copies it in one step.
template <class DrawFn>
void PaintThroughBitmap(platform::gfx::TCanvas& canvas, int width, int height, DrawFn&& draw) {
    if (width <= 0 || height <= 0) return;
    platform::gfx::TBitmap buffer(width, height);
    draw(buffer);
    canvas.Draw(0, 0, buffer);
}

}  // namespace skin
