#pragma once
// TbsSkinSplitter: the platform splitter drawn from a splitter record. Its thickness is the
// record's skinrect height (aligned top or bottom) or width (aligned left or right), or
// DefaultSize without a record; that thickness is kept whatever bounds it is given and is also
// its MinSize, so the neighbour cannot be dragged narrower than the bar itself.

#include <string>

#include "platform/forms/Splitter.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinSplitter : public platform::forms::TSplitter {
public:
    explicit TbsSkinSplitter(platform::forms::TComponent* owner);
    ~TbsSkinSplitter() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    // Setting it (also to nothing) refreshes the splitter.
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] int DefaultSize() const { return m_defaultSize; }
    void SetDefaultSize(int value);
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }
    // The width (or height) the splitter keeps; 0 before the first refresh.
    [[nodiscard]] int Thickness() const { return m_thickness; }

    // Looks the record up, copies its rectangles and picture, sets the thickness; repaints.
    virtual void RefreshSkin();
    virtual void ForgetRecord();

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    [[nodiscard]] bool Sided() const;

    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "vsplitter";
    int m_defaultSize = 10;
    int m_recordIndex = -1;
    int m_thickness = 0;
    platform::gfx::TBitmap* m_picture = nullptr;  // the skin data's; looked up at each refresh
    TRect m_skinRect;
    TPoint m_leftTop, m_rightTop, m_leftBottom;
};

}  // namespace skin
