// Loading a skin with the format library alone: the stores and the loaded skin, without the
// components or any window system (this suite links nothing else).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Stream.h"
#include "skin/data/bsSkinDataLoaded.h"
#include "skin/data/bszlibcompress.h"
#include "tests/skin_data/SkinDataFixture.h"

using namespace skin;

namespace {

std::vector<std::string> SectionNames(const TbsLoadedSkin& skin) {
    std::vector<std::string> names;
    for (const auto& r : skin.ObjectRecords) names.push_back(r->SectionName);
    for (const auto& r : skin.ControlRecords) names.push_back(r->SectionName);
    return names;
}

void ExpectEmpty(const TbsLoadedSkin& skin) {
    EXPECT_TRUE(skin.SkinIsEmpty);
    EXPECT_TRUE(skin.ObjectRecords.empty());
    EXPECT_TRUE(skin.ControlRecords.empty());
    EXPECT_TRUE(skin.Picture.Empty());
    EXPECT_TRUE(skin.ActivePictures.empty());
    EXPECT_TRUE(skin.SkinName.empty());
    EXPECT_EQ(skin.clientrect, TRect{});
}

TbsCompressedSkinStore CompressedStore(const TbsSkinSource& source) {
    TbsCompressedSkinStore store;
    std::vector<uint8_t> data;
    EXPECT_TRUE(CompressSkin(source, data));
    store.SetCompressedData(std::move(data));
    return store;
}

}  // namespace

TEST(LoadedSkin, StoreAndCompressedStoreGiveTheSameSkin) {
    TbsSkinStore store;
    store.Assign(skintest::SkinSource());
    TbsLoadedSkin plain;
    ASSERT_TRUE(plain.LoadStore(&store)) << plain.LoadProblem();
    EXPECT_FALSE(plain.SkinIsEmpty);
    EXPECT_TRUE(plain.LoadProblem().empty());
    EXPECT_EQ(plain.SkinName, "Test Skin");
    EXPECT_EQ(plain.Picture.Width(), 100);
    ASSERT_EQ(plain.ActivePictures.size(), 2u);
    EXPECT_EQ(plain.ActivePicture(1)->Width(), 45);
    EXPECT_EQ(plain.ActivePicture(2), nullptr);
    EXPECT_EQ(plain.IndexOfControl("combobox"), 1);
    EXPECT_EQ(plain.IndexOfSkinObject("closebutton"), 1);
    EXPECT_EQ(plain.IndexOfControl("Combobox"), -1);

    TbsLoadedSkin compressed;
    ASSERT_TRUE(compressed.LoadCompressedStore(CompressedStore(skintest::SkinSource())))
        << compressed.LoadProblem();
    EXPECT_EQ(SectionNames(compressed), SectionNames(plain));
    EXPECT_EQ(compressed.SkinName, plain.SkinName);
    EXPECT_EQ(compressed.clientrect, plain.clientrect);
    EXPECT_EQ(compressed.lefttoppoint, plain.lefttoppoint);
    EXPECT_EQ(compressed.maskrectarea, plain.maskrectarea);
    EXPECT_EQ(compressed.Picture.Height(), plain.Picture.Height());
}

TEST(LoadedSkin, EveryFailedLoadReportsFalseAndLeavesNothingOfTheLastSkin) {
    TbsSkinStore good;
    good.Assign(skintest::SkinSource());
    TbsLoadedSkin skin;

    ASSERT_TRUE(skin.LoadStore(&good));
    EXPECT_FALSE(skin.LoadStore(nullptr));
    ExpectEmpty(skin);
    EXPECT_EQ(skin.LoadProblem(), "no stored skin");

    // A store whose pictures stream was damaged keeps that as its problem.
    TbsSkinStore damaged;
    damaged.Assign(skintest::SkinSource());
    platform::core::TMemoryStream stream(std::vector<uint8_t>{0, 'B', 'M', 1, 2});
    EXPECT_FALSE(damaged.ReadPictures(stream));
    ASSERT_TRUE(skin.LoadStore(&good));
    EXPECT_FALSE(skin.LoadStore(&damaged));
    ExpectEmpty(skin);
    EXPECT_EQ(skin.LoadProblem().rfind("pictures: ", 0), 0u) << skin.LoadProblem();

    // Taking a skin again clears the problem.
    damaged.Assign(skintest::SkinSource());
    EXPECT_TRUE(damaged.Problem().empty());
    EXPECT_TRUE(skin.LoadStore(&damaged));

    // Unlike the component, which ignores it, the loaded skin treats empty data as no skin.
    EXPECT_FALSE(skin.LoadCompressedStore(TbsCompressedSkinStore()));
    ExpectEmpty(skin);
    EXPECT_FALSE(skin.LoadProblem().empty());

    // Data cut inside a picture, behind a sound zlib stream.
    std::vector<uint8_t> content;
    ASSERT_TRUE(BuildCompressedContent(skintest::SkinSource(), content));
    content.resize(content.size() / 3);
    TbsCompressedSkinStore cut;
    cut.SetCompressedData(ZCompress(content.data(), content.size()));
    ASSERT_TRUE(skin.LoadStore(&good));
    EXPECT_FALSE(skin.LoadCompressedStore(cut));
    ExpectEmpty(skin);
}
