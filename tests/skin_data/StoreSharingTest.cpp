// A skin loaded from a stored skin reads the store's pictures without copying them, yet the two
// stay independent: whatever happens to the store afterwards (pictures written, read again,
// the store freed) leaves the loaded skin as it was loaded, and the other way round.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/core/Stream.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/bsSkinDataLoaded.h"
#include "tests/skin_data/SkinDataFixture.h"

using namespace skin;
using platform::gfx::TBitmap;

namespace {

// Every picture of a loaded skin as BMP bytes, to compare whole pictures before and after.
std::vector<std::vector<uint8_t>> PictureBytes(const TbsLoadedSkin& skin) {
    std::vector<std::vector<uint8_t>> all = {skin.Picture.SaveToMemory(), skin.InactivePicture.SaveToMemory(),
                                             skin.FrameMask.SaveToMemory()};
    for (const auto& b : skin.ActivePictures) all.push_back(b->SaveToMemory());
    return all;
}

std::vector<uint8_t> PicturesStream(const TbsSkinPictureSet& set) {
    platform::core::TMemoryStream s;
    EXPECT_TRUE(WriteSkinPictures(s, set));
    return s.Bytes();
}

}  // namespace

TEST(StoreSharing, TheLoadedSkinReadsTheStoresPicturesWithoutACopy) {
    TbsSkinStore store;
    platform::core::TMemoryStream in(PicturesStream(skintest::SkinPictures()));
    store.SetIniStrings(skintest::SkinLines());
    ASSERT_TRUE(store.ReadPictures(in)) << store.Problem();

    TbsLoadedSkin skin;
    ASSERT_TRUE(skin.LoadStore(&store)) << skin.LoadProblem();
    EXPECT_TRUE(skin.Picture.SharesPixelsWith(store.Picture));
    EXPECT_TRUE(skin.FrameMask.SharesPixelsWith(store.FrameMask));
    ASSERT_EQ(skin.ActivePictures.size(), store.ActivePictures.size());
    for (std::size_t i = 0; i < skin.ActivePictures.size(); ++i) {
        EXPECT_NE(skin.ActivePictures[i].get(), store.ActivePictures[i].get());
        EXPECT_TRUE(skin.ActivePictures[i]->SharesPixelsWith(*store.ActivePictures[i])) << i;
    }
    // Read in place from the stream, the pictures are still those that were written.
    const auto expected = skintest::SkinPictures();
    EXPECT_EQ(skin.ActivePictures[0]->Pixel(5, 7), expected.ActivePictures[0]->Pixel(5, 7));
    EXPECT_EQ(skin.Picture.Pixel(99, 79), expected.Picture.Pixel(99, 79));
}

TEST(StoreSharing, ChangesToTheStoreAfterLoadingLeaveTheLoadedSkinAlone) {
    auto store = std::make_unique<TbsSkinStore>();
    store->Assign(skintest::SkinSource());
    TbsLoadedSkin skin;
    ASSERT_TRUE(skin.LoadStore(store.get())) << skin.LoadProblem();
    const auto before = PictureBytes(skin);
    const auto mainPixel = skin.Picture.Pixel(3, 4);

    // Pictures written in place.
    store->Picture.SetPixel(
        3, 4, mainPixel == platform::gfx::clLime ? platform::gfx::clRed : platform::gfx::clLime);
    store->ActivePictures[0]->Canvas().Brush.Color = platform::gfx::clWhite;
    store->ActivePictures[0]->Canvas().FillRect(platform::core::TRect{0, 0, 48, 64});
    store->FrameMask.SetSize(10, 10);
    EXPECT_EQ(PictureBytes(skin), before);
    EXPECT_EQ(skin.Picture.Pixel(3, 4), mainPixel);

    // Pictures read again from another stream, then the list changed.
    TbsSkinPictureSet other;
    other.Picture = skintest::NoiseBitmap(20, 20, 77);
    other.ActivePictures.push_back(std::make_unique<TBitmap>(skintest::NoiseBitmap(8, 8, 78)));
    platform::core::TMemoryStream in(PicturesStream(other));
    ASSERT_TRUE(store->ReadPictures(in));
    store->ActivePictures.clear();
    EXPECT_EQ(PictureBytes(skin), before);

    // The store freed.
    store.reset();
    EXPECT_EQ(PictureBytes(skin), before);
    EXPECT_EQ(skin.ActivePicture(1)->Width(), 45);
}

TEST(StoreSharing, ChangesToALoadedSkinReachNeitherTheStoreNorTheNextLoad) {
    TbsSkinStore store;
    store.Assign(skintest::SkinSource());
    TbsLoadedSkin first;
    ASSERT_TRUE(first.LoadStore(&store)) << first.LoadProblem();
    const auto pristine = PictureBytes(first);

    first.Picture.Canvas().Brush.Color = platform::gfx::clFuchsia;
    first.Picture.Canvas().FillRect(platform::core::TRect{0, 0, 100, 80});
    first.ActivePictures[1]->SetSize(3, 3);
    first.ActivePictures[0]->SetSize(2, 2);
    ASSERT_NE(first.Picture.SaveToMemory(), pristine[0]);
    EXPECT_EQ(store.Picture.SaveToMemory(), pristine[0]);
    EXPECT_EQ(store.ActivePictures[0]->Width(), 48);
    EXPECT_EQ(store.ActivePictures[1]->SaveToMemory(), pristine[4]);

    TbsLoadedSkin second;
    ASSERT_TRUE(second.LoadStore(&store)) << second.LoadProblem();
    EXPECT_EQ(PictureBytes(second), pristine);

    // A reload of the changed skin from the same store gives the store's pictures again.
    ASSERT_TRUE(first.LoadStore(&store));
    EXPECT_EQ(PictureBytes(first), pristine);

    // The store's picture stream written after all this is the one it read.
    platform::core::TMemoryStream written;
    ASSERT_TRUE(store.WritePictures(written));
    EXPECT_EQ(written.Bytes(), PicturesStream(skintest::SkinPictures()));
}
