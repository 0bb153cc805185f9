// The skin data component's loading engine: records, look-ups, [FORMINFO] adjustments, and the
// empty skin that every kind of bad input leaves.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/core/IniFile.h"
#include "platform/core/Stream.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bszlibcompress.h"
#include "tests/skin_data/SkinDataFixture.h"

using namespace skin;
using platform::core::TMemIniFile;

namespace {

std::unique_ptr<TbsStoredSkin> Stored(std::string_view text = skintest::kSkinText) {
    auto s = std::make_unique<TbsStoredSkin>();
    auto source = skintest::SkinSource();
    source.Lines = skintest::Lines(text);
    s->Assign(source);
    return s;
}

std::unique_ptr<TbsCompressedStoredSkin> Compressed(
    const skin::TbsSkinSource& source = skintest::SkinSource()) {
    auto c = std::make_unique<TbsCompressedStoredSkin>();
    std::vector<uint8_t> data;
    EXPECT_TRUE(CompressSkin(source, data));
    c->SetCompressedData(std::move(data));
    return c;
}

void ExpectEmpty(const TbsSkinData& d) {
    EXPECT_TRUE(d.SkinIsEmpty);
    EXPECT_TRUE(d.ObjectRecords.empty());
    EXPECT_TRUE(d.ControlRecords.empty());
    EXPECT_TRUE(d.ActivePictures.empty());
    EXPECT_TRUE(d.Picture.Empty());
    EXPECT_TRUE(d.FrameMask.Empty());
    EXPECT_TRUE(d.SkinName.empty());
    EXPECT_TRUE(d.MaskName.empty());
    EXPECT_EQ(d.IndexOfControl("button"), -1);
    EXPECT_EQ(d.PopupWindow.windowpictureindex, -1);
    EXPECT_EQ(d.HintWindow.windowpictureindex, -1);
}

void ExpectSampleSkin(const TbsSkinData& d) {
    ASSERT_FALSE(d.SkinIsEmpty);
    ASSERT_EQ(d.ObjectRecords.size(), 3u);
    ASSERT_EQ(d.ControlRecords.size(),
              6u);  // an unknown kind, a missing colon and two missing entries make none
    EXPECT_EQ(d.SkinName, "Test Skin");
    EXPECT_EQ(d.SkinComments, "made for tests");
    EXPECT_EQ(d.PictureName, "main.bmp");
    EXPECT_EQ(d.InactivePictureName, "");
    EXPECT_EQ(d.MaskName, "mask.bmp");
    ASSERT_EQ(d.ActivePictureNames.Count(), 2);
    EXPECT_EQ(d.ActivePictureNames[1], "p1.bmp");
    ASSERT_EQ(d.ActivePictures.size(), 2u);
    EXPECT_EQ(d.ActivePicture(1)->Width(), 45);
    EXPECT_EQ(d.ActivePicture(2), nullptr);
    EXPECT_EQ(d.ActivePicture(-1), nullptr);
    EXPECT_EQ(d.Picture.Width(), 100);
    EXPECT_EQ(d.FrameMask.Height(), 80);
    EXPECT_TRUE(d.InactivePicture.Empty());
    EXPECT_EQ(d.PopupWindow.windowpictureindex, 0);
    EXPECT_EQ(d.PopupWindow.itemsrect, (TRect{3, 3, 30, 30}));
    EXPECT_EQ(d.HintWindow.fontname, "Tahoma");
    EXPECT_EQ(d.HintWindow.fontheight, 12);

    // Look-ups are exact in case; a name twice is found at its first record.
    EXPECT_EQ(d.IndexOfControl("button"), 0);
    EXPECT_NE(dynamic_cast<TbsDataSkinButtonControl*>(d.ControlRecords[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinBevel*>(d.ControlRecords[3].get()), nullptr);
    EXPECT_EQ(d.IndexOfControl("Button"), -1);
    EXPECT_EQ(d.IndexOfControl("combobox"), 1);
    EXPECT_EQ(d.IndexOfControl("Combobox"), -1);
    EXPECT_EQ(d.IndexOfControl("Label"), 5);
    EXPECT_EQ(d.IndexOfControl("label"), -1);
    EXPECT_EQ(d.IndexOfControl("mystery"), -1);
    EXPECT_EQ(d.IndexOfControl(""), -1);
    EXPECT_EQ(d.IndexOfSkinObject("closebutton"), 1);
    EXPECT_EQ(d.IndexOfSkinObject("button"), -1);

    auto* button = dynamic_cast<TbsDataSkinButtonControl*>(d.ControlRecords[0].get());
    EXPECT_EQ(button->fontheight, 13);
    EXPECT_EQ(button->activeskinrect, (TRect{0, 20, 30, 40}));
    auto* combo = dynamic_cast<TbsDataSkinComboBox*>(d.ControlRecords[1].get());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->listboxname, "listbox");
    auto* updown = dynamic_cast<TbsDataSkinUpDownControl*>(d.ControlRecords[4].get());
    ASSERT_NE(updown, nullptr);
    EXPECT_EQ(updown->clientrect, (TRect{}));
    auto* label = dynamic_cast<TbsDataSkinStdLabelControl*>(d.ControlRecords[5].get());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->fontcolor, 255);
    auto* close = dynamic_cast<TbsDataSkinStdButton*>(d.ObjectRecords[1].get());
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->command, cmClose);
    EXPECT_FALSE(dynamic_cast<TbsDataSkinAnimate*>(d.ObjectRecords[2].get())->morphing);
}

}  // namespace

TEST(SkinDataLoad, StoredSkinYieldsItsRecordsInListOrder) {
    auto stored = Stored();
    TbsSkinData data;
    EXPECT_TRUE(data.SkinIsEmpty);
    data.SetStoredSkin(stored.get());
    EXPECT_EQ(data.StoredSkin(), stored.get());
    ExpectSampleSkin(data);
    EXPECT_TRUE(data.LoadProblem().empty());
}

TEST(SkinDataLoad, CompressedSkinYieldsTheSameSkin) {
    auto compressed = Compressed();
    TbsSkinData data;
    data.SetCompressedStoredSkin(compressed.get());
    ExpectSampleSkin(data);
}

TEST(SkinDataLoad, FormInfoIsAdjustedForMaskAndClientArea) {
    TbsSkinData data;
    auto stored = Stored();
    data.LoadFromStoredSkin(stored.get());
    // With a mask: an empty mask area becomes the client rectangle; hit-test points with a 0
    // take the corner point as read, before the corners are moved into the client area.
    EXPECT_EQ(data.maskrectarea, (TRect{5, 25, 95, 75}));
    EXPECT_EQ(data.hittestlefttoppoint, (TPoint{10, 20}));
    EXPECT_EQ(data.hittestrighttoppoint, (TPoint{88, 22}));
    EXPECT_EQ(data.hittestleftbottompoint, (TPoint{10, 70}));
    EXPECT_EQ(data.hittestrightbottompoint, (TPoint{90, 70}));
    EXPECT_EQ(data.lefttoppoint, (TPoint{10, 25}));
    EXPECT_EQ(data.righttoppoint, (TPoint{90, 25}));
    EXPECT_EQ(data.leftbottompoint, (TPoint{10, 70}));
    EXPECT_EQ(data.rightbottompoint, (TPoint{90, 70}));
    EXPECT_EQ(data.buttonsrect, (TRect{60, 2, 98, 18}));
    EXPECT_EQ(data.buttonsoffset, 2);
    EXPECT_TRUE(data.buttonsinleft);
    EXPECT_EQ(data.borderwidth, 3);
    EXPECT_EQ(data.inactiveeffect, ieDarkness);
    EXPECT_EQ(data.bgpictureindex, -1);

    auto loadFormInfo = [&](std::string_view text, std::string maskName) {
        TMemIniFile ini;
        ini.SetStrings(skintest::Lines(text));
        data.ClearSkin();
        data.MaskName = std::move(maskName);
        data.LoadFormInfo(ini);
    };
    // A mask area is widened to hold the client rectangle.
    loadFormInfo("[FORMINFO]\nclientrect=5,12,30,18\nmaskrectarea=10,10,20,20\n", "m.bmp");
    EXPECT_EQ(data.maskrectarea, (TRect{5, 10, 30, 20}));
    // Without a mask neither the mask area nor the hit-test points change.
    loadFormInfo("[FORMINFO]\nclientrect=5,12,30,18\nlefttoppoint=4,4\nhittestlefttoppoint=0,30\n", "");
    EXPECT_EQ(data.maskrectarea, (TRect{}));
    EXPECT_EQ(data.hittestlefttoppoint, (TPoint{0, 30}));
    // Corners that share a column are not moved.
    loadFormInfo("[FORMINFO]\nclientrect=5,12,30,18\nlefttoppoint=4,4\nrightbottompoint=4,40\n", "");
    EXPECT_EQ(data.lefttoppoint, (TPoint{4, 4}));
    EXPECT_EQ(data.rightbottompoint, (TPoint{4, 40}));
    loadFormInfo("[FORMINFO]\nclientrect=5,12,30,18\nlefttoppoint=4,4\nrightbottompoint=40,40\n", "");
    EXPECT_EQ(data.lefttoppoint, (TPoint{5, 12}));
    EXPECT_EQ(data.rightbottompoint, (TPoint{30, 18}));
}

TEST(SkinDataLoad, IncompleteOrBrokenStoredSkinsLeaveTheSkinEmpty) {
    TbsSkinData data;
    auto good = Stored();

    std::string text(skintest::kSkinText);
    text.erase(text.find("[SKINCONTROLS]"), 14);
    auto incomplete = Stored(text);
    data.LoadFromStoredSkin(good.get());
    data.LoadFromStoredSkin(incomplete.get());
    ExpectEmpty(data);
    EXPECT_NE(data.LoadProblem().find("SKINCONTROLS"), std::string::npos);

    auto binary = Stored(std::string(skintest::kSkinText) + "junk=\x01\x02\x7F\n");
    data.LoadFromStoredSkin(good.get());
    data.LoadFromStoredSkin(binary.get());
    ExpectEmpty(data);

    auto longLine =
        Stored(std::string(skintest::kSkinText) + "x=" + std::string(10 * 1024 * 1024, 'a') + "\n");
    data.LoadFromStoredSkin(good.get());
    data.LoadFromStoredSkin(longLine.get());
    ExpectEmpty(data);

    // A stored skin whose pictures stream was damaged in the form resource.
    auto damaged = Stored();
    platform::core::TMemoryStream stream(std::vector<uint8_t>{0, 'B', 'M', 1, 2});
    EXPECT_FALSE(damaged->ReadPictures(stream));
    data.LoadFromStoredSkin(good.get());
    data.LoadFromStoredSkin(damaged.get());
    ExpectEmpty(data);
    EXPECT_NE(data.LoadProblem().find("pictures"), std::string::npos);

    // A later good load recovers.
    data.LoadFromStoredSkin(good.get());
    ExpectSampleSkin(data);
}

TEST(SkinDataLoad, BadCompressedSkinsLeaveTheSkinEmpty) {
    TbsSkinData data;
    auto good = Stored();

    auto source = skintest::SkinSource();
    std::vector<uint8_t> content;
    ASSERT_TRUE(BuildCompressedContent(source, content));
    content[0] = 2;
    auto v2 = std::make_unique<TbsCompressedStoredSkin>();
    v2->SetCompressedData(ZCompress(content.data(), content.size()));
    data.LoadFromStoredSkin(good.get());
    data.LoadFromCompressedStoredSkin(v2.get());
    ExpectEmpty(data);
    EXPECT_NE(data.LoadProblem().find("version"), std::string::npos);

    auto truncated = Compressed();
    auto bytes = truncated->CompressedData();
    bytes.resize(bytes.size() / 2);
    truncated->SetCompressedData(bytes);
    data.LoadFromStoredSkin(good.get());
    data.LoadFromCompressedStoredSkin(truncated.get());
    ExpectEmpty(data);

    // Content cut inside a picture, behind a sound zlib stream.
    ASSERT_TRUE(BuildCompressedContent(source, content));
    content.resize(content.size() / 3);
    auto cut = std::make_unique<TbsCompressedStoredSkin>();
    cut->SetCompressedData(ZCompress(content.data(), content.size()));
    data.LoadFromStoredSkin(good.get());
    data.LoadFromCompressedStoredSkin(cut.get());
    ExpectEmpty(data);

    // An empty compressed skin is no skin change at all.
    TbsCompressedStoredSkin empty;
    data.LoadFromStoredSkin(good.get());
    data.LoadFromCompressedStoredSkin(&empty);
    ExpectSampleSkin(data);
}

TEST(SkinDataLoad, ReloadReplacesEverythingAndNilKeepsTheSkin) {
    TbsSkinData data;
    auto first = Stored();
    data.SetStoredSkin(first.get());

    std::string text(skintest::kSkinText);
    text.replace(text.find("skinname=Test Skin"), 18, "skinname=Second");
    text.replace(text.find("count=3"), 7, "count=1");
    auto second = Stored(text);
    data.SetStoredSkin(second.get());
    EXPECT_EQ(data.SkinName, "Second");
    EXPECT_EQ(data.ObjectRecords.size(), 1u);
    EXPECT_EQ(data.ControlRecords.size(), 6u);

    data.SetStoredSkin(nullptr);
    EXPECT_EQ(data.StoredSkin(), nullptr);
    EXPECT_FALSE(data.SkinIsEmpty);
    EXPECT_EQ(data.SkinName, "Second");

    data.ClearSkin();
    ExpectEmpty(data);
}

// The program's own skin, as the build packs it: its records, its look-ups and its pictures
// stream, read back to the last byte.
TEST(SkinDataLoad, TheProgramsDefaultSkin) {
    const char* source = std::getenv("VK_SOURCE_DIR");
    if (!source) GTEST_SKIP() << "VK_SOURCE_DIR is not set";
    std::string folder = std::string(source) + "/assets/skin/";
    TbsStoredSkin stored;
    std::string error;
    ASSERT_TRUE(stored.LoadFromSkinFolder(folder + "skin.ini", &error)) << error;
    TbsSkinData data;
    data.SetStoredSkin(&stored);
    ASSERT_FALSE(data.SkinIsEmpty) << data.LoadProblem();
    EXPECT_EQ(data.ObjectRecords.size(), 12u);
    EXPECT_EQ(data.ControlRecords.size(), 57u);
    EXPECT_EQ(data.IndexOfControl("combobox"), 18);
    EXPECT_EQ(data.IndexOfControl("Combobox"), -1);
    auto* combo = dynamic_cast<TbsDataSkinComboBox*>(data.ControlRecords[18].get());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->listboxname, "listbox");
    EXPECT_NE(dynamic_cast<TbsDataSkinUpDownControl*>(data.ControlRecords[data.IndexOfControl("vupdown")].get()),
              nullptr);
    EXPECT_EQ(data.ActivePictures.size(), 9u);
    EXPECT_TRUE(data.InactivePicture.Empty());
    EXPECT_FALSE(data.FrameMask.Empty());

    platform::core::TMemoryStream stream;
    ASSERT_TRUE(stored.WritePictures(stream));
    auto main = skintest::ReadAll(folder + data.PictureName);
    ASSERT_GT(stream.Size(), static_cast<int64_t>(main.size()));
    EXPECT_TRUE(std::equal(main.begin(), main.end(), stream.Bytes().begin() + 1));
    stream.SetPosition(0);
    TbsStoredSkin reread;
    ASSERT_TRUE(reread.ReadPictures(stream));
    EXPECT_EQ(stream.Position(), stream.Size());
}
