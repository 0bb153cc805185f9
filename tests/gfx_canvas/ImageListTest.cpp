// Image list: cutting, masks and the disabled look.

#include "CanvasTestSupport.h"

#include "platform/gfx/ImageList.h"

namespace canvastest {
namespace {

TEST(ImageList, WideImagesAreCutAndMasksHideTheirWhitePixels) {
    TImageList list(2, 2);
    const TBitmap strip = MakeBitmap(4, 2,
                                     {clRed, clGreen, clBlue, clYellow,  //
                                      clBlack, clNavy, clTeal, clMaroon});
    const TBitmap mask = MakeBitmap(4, 2,
                                    {clBlack, clWhite, clBlack, clBlack,  //
                                     clBlack, clBlack, clWhite, clBlack});
    EXPECT_EQ(list.Add(strip, &mask), 0);
    EXPECT_EQ(list.Count(), 2);
    TBitmap second;
    ASSERT_TRUE(list.GetBitmap(1, second));
    EXPECT_EQ(PixelToColor(second.ScanLine(0)[0] & 0xFFFFFF), clBlue);
    EXPECT_FALSE(list.GetBitmap(2, second));

    TSurface s(4, 4, clGray);
    list.Draw(s.Canvas, 1, 1, 0);
    EXPECT_EQ(s.At(1, 1), clRed);
    EXPECT_EQ(s.At(2, 1), clGray);  // masked out
    EXPECT_EQ(s.At(2, 2), clNavy);
    list.Draw(s.Canvas, 0, 0, 1);
    EXPECT_EQ(s.At(0, 1), clGray);
    EXPECT_EQ(s.At(1, 1), clMaroon);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Add(TBitmap()), -1);
}

TEST(ImageList, TransparentColourMasksAndDisabledDrawingIsEmbossed) {
    TImageList list(3, 3);
    const TBitmap pic = MakeBitmap(3, 3,
                                   {clBlack, clBlack, clFuchsia,  //
                                    clBlack, clWhite, clFuchsia,  //
                                    clFuchsia, clFuchsia, clFuchsia});
    ASSERT_EQ(list.AddMasked(pic, clFuchsia), 0);

    TSurface enabled(5, 5, clRed);
    list.Draw(enabled.Canvas, 0, 0, 0);
    EXPECT_EQ(enabled.At(0, 0), clBlack);
    EXPECT_EQ(enabled.At(1, 1), clWhite);
    EXPECT_EQ(enabled.At(2, 0), clRed);

    TSurface disabled(5, 5, clRed);
    list.Draw(disabled.Canvas, 0, 0, 0, false);
    const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(disabled.At(0, 0), shadow);
    EXPECT_EQ(disabled.At(1, 0), shadow);
    EXPECT_EQ(disabled.At(1, 1), highlight);  // white in the picture: only the offset highlight
    EXPECT_EQ(disabled.At(2, 1), highlight);
    EXPECT_EQ(disabled.At(1, 2), highlight);
    EXPECT_EQ(disabled.At(2, 2), clRed);
    EXPECT_EQ(disabled.At(2, 0), clRed);
    EXPECT_FALSE(disabled.SamePixels(enabled));
}

}  // namespace
}  // namespace canvastest
