#pragma once
// TImage (a picture in a windowless control) and TBevel (a lowered or raised frame or line).

#include "platform/forms/GraphicControl.h"
#include "platform/forms/Picture.h"

namespace platform::forms {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    [[nodiscard]] TPicture& Picture() { return m_picture; }
    [[nodiscard]] const TPicture& Picture() const { return m_picture; }
    void SetPicture(const TPicture& picture) {
        m_picture = picture;
        PictureChanged();
    }
    [[nodiscard]] bool Center() const { return m_center; }
    void SetCenter(bool value);
    [[nodiscard]] bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    [[nodiscard]] bool Proportional() const { return m_proportional; }
    void SetProportional(bool value);
    // A bitmap is drawn without its transparent colour (its bottom-left pixel); JPEGs have none.
    [[nodiscard]] bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    [[nodiscard]] bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    // Where the picture goes in the client area.
    [[nodiscard]] TRect DestRect() const;

protected:
    void Paint() override;
    void Loaded() override;
    virtual void PictureChanged();

private:
    TPicture m_picture;
    bool m_center = false;
    bool m_stretch = false;
    bool m_proportional = false;
    bool m_transparent = false;
    bool m_autoSize = false;
};

enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : uint8_t { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);

    [[nodiscard]] TBevelShape Shape() const { return m_shape; }
    void SetShape(TBevelShape value);
    [[nodiscard]] TBevelStyle Style() const { return m_style; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;
    // The colours of the top-left (light side for raised) and bottom-right lines.
    virtual void BevelColors(TColor& color1, TColor& color2) const;

private:
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
};

}  // namespace platform::forms
