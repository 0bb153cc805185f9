#pragma once
// TbsSkinControlBar: the platform control bar drawn from a control-bar record ("controlbar"):
// the background is the record's background picture tiled from the top-left, or else the client
// part of its skinrect tiled; each band's frame (its control grown by the grabber and the edges)
// is built from the record's item rectangle. With SkinBevel and a record, the record's border
// around its client rectangle is drawn round the bar as well. Painting goes through one
// off-screen bitmap.

#include <string>

#include "platform/forms/ControlBar.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinControlBar : public platform::forms::TControlBar {
public:
    explicit TbsSkinControlBar(platform::forms::TComponent* owner);
    ~TbsSkinControlBar() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] bool SkinBevel() const { return m_skinBevel; }
    void SetSkinBevel(bool value);
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }

    virtual void RefreshSkin();
    virtual void ForgetRecord() { m_recordIndex = -1; }

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void WMEraseBkgnd(platform::forms::TMessage& message) override;

private:
    void DrawSkinBand(platform::gfx::TCanvas& canvas, TbsDataSkinControlBar& record, platform::gfx::TBitmap& picture,
                      const TRect& rect);

    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "controlbar";
    bool m_skinBevel = false;
    int m_recordIndex = -1;
};

}  // namespace skin
