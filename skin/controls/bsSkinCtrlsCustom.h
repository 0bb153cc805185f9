#pragma once
// TbsSkinCustomControl: a skinned windowed control whose record is a custom-control record. It
// takes its picture, corner points, client rectangle and mask from the record, keeps its size to
// what the record allows (StretchMode), composes its face for any size and shapes its window
// from the mask's black pixels.

#include <memory>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinCtrlsBase.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {

// How a record's image is built for other sizes.
enum TbsStretchMode : int {
    smNone = -1,       // empty skin rectangle: nothing drawn, size kept
    smFixed = 0,       // the skin rectangle's size only
    smNinePiece = 1,   // both directions
    smHorizontal = 2,  // width only; left and right parts fixed
    smVertical = 3,    // height only; top and bottom parts fixed
};

class TbsSkinCustomControl : public TbsSkinControl {
public:
    explicit TbsSkinCustomControl(platform::forms::TComponent* owner);
    ~TbsSkinCustomControl() override;

    // Published. The size taken without a record; 0 keeps the current size.
    [[nodiscard]] int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int value);
    [[nodiscard]] int DefaultHeight() const { return m_defaultHeight; }
    void SetDefaultHeight(int value);
    // Font of the default look, and source of the character set when the skin font is used.
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return *m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return *m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value);
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);

    [[nodiscard]] int StretchMode() const { return m_stretchMode; }
    [[nodiscard]] platform::gfx::TBitmap* SkinPicture() const { return m_skinPicture; }
    [[nodiscard]] platform::gfx::TBitmap* SkinMask() const { return m_skinMask; }

    void ApplySkin() override;
    void ForgetRecord() override;
    // Every change of position or size: a bound record corrects the size (see StretchMode).
    void SetBounds(int left, int top, int width, int height) override;

    // Copies of the record's geometry (skinrect in picture coordinates, the rest relative to it)
    // and their copies moved for the current size.
    TRect skinrect;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    TPoint CurLeftTop, CurRightTop, CurLeftBottom, CurRightBottom;
    // Descendants lay out their content in it.
    TRect CurClientRect;

protected:
    void LookUpRecord() override;
    void DrawDefaultImage(platform::gfx::TBitmap& bitmap) override;
    void DrawSkinImage(platform::gfx::TBitmap& bitmap) override;
    virtual void DefaultFontChanged() {}
    // Turns a wanted size into the size the record allows and moves the corner points and the
    // client rectangle for it.
    virtual void FitToSkin(int& width, int& height);
    // Sets or removes the window region for the current size from the record's mask.
    virtual void UpdateRegion();
    // Builds the control's image from rectangle r of the picture (the skin rectangle or another
    // state rectangle of the same size).
    void ComposeFromRecord(platform::gfx::TBitmap& bitmap, const TRect& r);

    [[nodiscard]] TbsFrameGeometry RecordGeometry() const;
    [[nodiscard]] TbsFrameGeometry SizedGeometry() const;

    int m_stretchMode = smFixed;
    platform::gfx::TBitmap* m_skinPicture = nullptr;
    platform::gfx::TBitmap* m_skinMask = nullptr;

private:
    void FontObjectChanged();

    int m_defaultWidth = 0;
    int m_defaultHeight = 0;
    std::unique_ptr<platform::gfx::TFont> m_defaultFont;
    bool m_useSkinFont = true;
};

}  // namespace skin
