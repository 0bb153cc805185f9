#pragma once
// The caption object of a skinned frame: a caption strip that stretches with the window and
// carries the window's title, with an optional shadow and a backing strip behind the text. Its
// active look follows the window's activation, not the mouse.

#include <string>

#include "skin/form/bsSkinFormObjects.h"

namespace skin {

class TbsSkinCaptionObject : public TbsActiveSkinObject {
public:
    TbsSkinCaptionObject(TbsSkinForm* form, const TbsDataSkinCaption* data);

    void Draw(TCanvas& canvas, bool fullPaint) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // The strip of ObjectRect's size built from rect of picture: fixed ends where the frame's
    // corners are, the middle tiled (or the whole rect stretched when there are no ends).
    void BuildImage(TBitmap& dest, TBitmap* picture, const TRect& rect) const;
    // The title at its place inside the object, drawn with the object's top-left at (dx, dy).
    void DrawCaptionText(TCanvas& canvas, int dx, int dy, bool active) const;
    // The text rectangle for the current width (object coordinates).
    [[nodiscard]] TRect TextRect() const;

    std::string FontName = "Arial";
    int FontHeight = 14;
    platform::gfx::TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    bool Shadow = false;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    TAlignment Alignment = taCenter;
    TRect textrect, framerect, activeframerect, frametextrect;
    int frameleftoffset = 0, framerightoffset = 0;

private:
    // Builds the image of one state with its text and, when asked, the inactive effect.
    void BuildStateImage(TBitmap& dest, bool active, bool inactiveEffect) const;
    void DrawBackingStrip(TCanvas& canvas, int x, int y, int textWidth, bool active) const;
};

}  // namespace skin
