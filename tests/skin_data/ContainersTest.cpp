// The skin's carriers: skin folder, stored-skin pictures stream, compressed content and stream,
// compressed skin file. Round trips are byte for byte; bad input changes nothing.

#include <gtest/gtest.h>

#include "platform/core/Stream.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/data/bsSkinFile.h"
#include "skin/data/bszlibcompress.h"
#include "tests/skin_data/SkinDataFixture.h"

using namespace skin;
using platform::core::TMemoryStream;
using skintest::TTempDir;

namespace {

std::vector<uint8_t> PicturesBytes(const TbsSkinPictureSet& set) {
    TMemoryStream s;
    EXPECT_TRUE(WriteSkinPictures(s, set));
    return s.Bytes();
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

}  // namespace

TEST(SkinContainers, PicturesStreamHasTheDocumentedLayoutAndRoundTrips) {
    auto set = skintest::SkinPictures();
    auto bytes = PicturesBytes(set);
    auto main = set.Picture.SaveToMemory();
    auto mask = set.FrameMask.SaveToMemory();
    auto p0 = set.ActivePictures[0]->SaveToMemory();
    auto p1 = set.ActivePictures[1]->SaveToMemory();
    ASSERT_EQ(bytes.size(), 1 + main.size() + 1 + 1 + mask.size() + 4 + p0.size() + p1.size());
    EXPECT_EQ(bytes[0], 0);  // main picture present
    EXPECT_EQ(bytes[1], 'B');
    EXPECT_EQ(bytes[1 + main.size()], 1);  // inactive picture absent, no BMP follows
    EXPECT_EQ(bytes[2 + main.size()], 0);  // mask present
    std::size_t countAt = 3 + main.size() + mask.size();
    EXPECT_EQ(bytes[countAt], 2);
    EXPECT_EQ(bytes[countAt + 1] | bytes[countAt + 2] | bytes[countAt + 3], 0);

    // Read back and written again: the same bytes, also for the 4-bit and 1-bit pictures.
    TMemoryStream in(bytes);
    TbsSkinPictureSet read;
    std::string error;
    ASSERT_TRUE(ReadSkinPictures(in, read, &error)) << error;
    EXPECT_EQ(in.Position(), static_cast<int64_t>(bytes.size()));
    EXPECT_TRUE(read.InactivePicture.Empty());
    ASSERT_EQ(read.ActivePictures.size(), 2u);
    EXPECT_TRUE(SamePixels(read.Picture, set.Picture));
    EXPECT_TRUE(SamePixels(*read.ActivePictures[1], *set.ActivePictures[1]));
    EXPECT_EQ(PicturesBytes(read), bytes);

    // The stored skin's property does the same, and stops exactly after the last picture.
    auto withTail = bytes;
    withTail.push_back(0xEE);
    TMemoryStream property(withTail);
    TbsStoredSkin stored;
    ASSERT_TRUE(stored.ReadPictures(property));
    EXPECT_EQ(property.Position(), static_cast<int64_t>(bytes.size()));
    TMemoryStream out;
    ASSERT_TRUE(stored.WritePictures(out));
    EXPECT_EQ(out.Bytes(), bytes);
}

TEST(SkinContainers, BrokenPicturesStreamsLeaveTheTargetUntouched) {
    auto set = skintest::SkinPictures();
    auto bytes = PicturesBytes(set);
    TbsSkinPictureSet target;
    target.Picture = skintest::NoiseBitmap(3, 3, 9);

    // Every truncation fails.
    for (std::size_t cut = 0; cut < bytes.size(); cut += (cut < 64 ? 1 : 997)) {
        TMemoryStream in(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        std::string error;
        EXPECT_FALSE(ReadSkinPictures(in, target, &error)) << cut;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(target.Picture.Width(), 3);
    }
    auto corrupt = [&](std::size_t at, uint8_t value) {
        auto b = bytes;
        b[at] = value;
        TMemoryStream in(b);
        return ReadSkinPictures(in, target);
    };
    auto mainSize = set.Picture.SaveToMemory().size();
    auto maskSize = set.FrameMask.SaveToMemory().size();
    std::size_t countAt = 3 + mainSize + maskSize;
    EXPECT_FALSE(corrupt(0, 2));               // a flag that is neither 0 nor 1
    EXPECT_FALSE(corrupt(1, 'X'));             // no BMP where one is announced
    EXPECT_FALSE(corrupt(countAt + 3, 0x80));  // negative count
    EXPECT_FALSE(corrupt(countAt, 3));         // one picture more than the stream holds
    // A BMP whose size field claims more than the stream holds.
    EXPECT_FALSE(corrupt(countAt + 4 + 4, 0x7F));
    EXPECT_EQ(target.Picture.Width(), 3);
    EXPECT_TRUE(target.ActivePictures.empty());

    // A stored skin reading such a stream keeps no pictures and remembers why.
    TbsStoredSkin stored;
    stored.Picture = skintest::NoiseBitmap(2, 2, 1);
    auto truncated = std::vector<uint8_t>(bytes.begin(), bytes.end() - 10);
    TMemoryStream in(truncated);
    EXPECT_FALSE(stored.ReadPictures(in));
    EXPECT_FALSE(stored.Problem().empty());
    EXPECT_TRUE(stored.Picture.Empty());
    EXPECT_TRUE(stored.ActivePictures.empty());
}

TEST(SkinContainers, EmptyNumberedPictureIsRefusedByTheWriter) {
    auto set = skintest::SkinPictures();
    set.ActivePictures.push_back(std::make_unique<TBitmap>());
    TMemoryStream s;
    EXPECT_FALSE(WriteSkinPictures(s, set));
    EXPECT_EQ(s.Size(), 0);
}

TEST(SkinContainers, CompressedContentRoundTripsByteForByte) {
    auto skin = skintest::SkinSource();
    std::vector<uint8_t> content;
    ASSERT_TRUE(BuildCompressedContent(skin, content));
    EXPECT_EQ(content[0], 1);
    EXPECT_EQ(content[1] | content[2] | content[3], 0);
    // The description ends the content, each line followed by CR LF.
    std::string tail(content.end() - 15, content.end());
    EXPECT_EQ(tail, "fontcolor=255\r\n");

    TbsSkinSource read;
    std::string error;
    ASSERT_TRUE(ParseCompressedContent(content.data(), content.size(), read, &error)) << error;
    EXPECT_EQ(read.Lines.Text(), skin.Lines.Text());
    std::vector<uint8_t> again;
    ASSERT_TRUE(BuildCompressedContent(read, again));
    EXPECT_EQ(again, content);

    // And through zlib: the compressed data of the re-read skin is the same stream.
    std::vector<uint8_t> packed, repacked;
    ASSERT_TRUE(CompressSkin(skin, packed));
    TbsSkinSource unpacked;
    ASSERT_TRUE(DecompressSkin(packed.data(), packed.size(), unpacked, &error)) << error;
    ASSERT_TRUE(CompressSkin(unpacked, repacked));
    EXPECT_EQ(repacked, packed);
}

TEST(SkinContainers, WindowsTextKeepsItsBytes) {
    auto skin = skintest::SkinSource();
    std::string cp1252 =
        "[VERSION]\r\nskinname=Gr\xFC\xDF"
        "e\r\n";
    DecodeSkinText(cp1252, skin.Lines, &skin.Encoding);
    EXPECT_EQ(skin.Encoding, platform::core::TTextEncoding::Windows1252);
    EXPECT_EQ(skin.Lines[1],
              "skinname=Gr\xC3\xBC\xC3\x9F"
              "e");
    EXPECT_EQ(EncodeSkinText(skin.Lines, skin.Encoding), cp1252);
}

TEST(SkinContainers, CompressedContentRejectsWrongVersionsAndBadText) {
    auto skin = skintest::SkinSource();
    std::vector<uint8_t> content;
    ASSERT_TRUE(BuildCompressedContent(skin, content));
    TbsSkinSource read;
    int32_t version = -1;
    auto v2 = content;
    v2[0] = 2;
    EXPECT_FALSE(ParseCompressedContent(v2.data(), v2.size(), read, nullptr, &version));
    EXPECT_EQ(version, 2);
    EXPECT_FALSE(ParseCompressedContent(content.data(), 3, read, nullptr, &version));
    EXPECT_EQ(version, 0);

    auto binary = content;
    binary.push_back(0);
    std::string error;
    EXPECT_FALSE(ParseCompressedContent(binary.data(), binary.size(), read, &error));
    EXPECT_NE(error.find("binary"), std::string::npos);

    auto longLine = content;
    longLine.insert(longLine.end(), 10 * 1024 * 1024, 'a');
    EXPECT_FALSE(ParseCompressedContent(longLine.data(), longLine.size(), read, &error));
    EXPECT_NE(error.find("longer"), std::string::npos);
    EXPECT_EQ(read.Lines.Count(), 0);
}

TEST(SkinContainers, SkinFolderLoadsAndAnEmptyInactivePictureStoresNoBmp) {
    TTempDir dir;
    std::string path = skintest::WriteSkinFolder(dir);
    TbsStoredSkin stored;
    std::string error;
    ASSERT_TRUE(stored.LoadFromSkinFolder(path, &error)) << error;
    EXPECT_EQ(stored.FileName(), "skin.ini");
    EXPECT_EQ(stored.IniStrings().Text(), skintest::SkinLines().Text());
    EXPECT_TRUE(stored.InactivePicture.Empty());
    ASSERT_EQ(stored.ActivePictures.size(), 2u);
    EXPECT_EQ(stored.ActivePictures[1]->Width(), 45);

    // The pictures stream of a folder skin holds its files byte for byte.
    TMemoryStream s;
    ASSERT_TRUE(stored.WritePictures(s));
    auto main = skintest::ReadAll(dir.Path("main.bmp"));
    auto mask = skintest::ReadAll(dir.Path("mask.bmp"));
    const auto& bytes = s.Bytes();
    ASSERT_GT(bytes.size(), main.size() + 2);
    EXPECT_TRUE(std::equal(main.begin(), main.end(), bytes.begin() + 1));
    EXPECT_EQ(bytes[1 + main.size()], 1);
    EXPECT_TRUE(std::equal(mask.begin(), mask.end(), bytes.begin() + 3 + static_cast<long>(main.size())));
}

TEST(SkinContainers, SkinFolderFailuresNameTheProblemAndChangeNothing) {
    TTempDir dir;
    std::string path = skintest::WriteSkinFolder(dir);
    TbsStoredSkin stored;
    ASSERT_TRUE(stored.LoadFromSkinFolder(path));

    std::filesystem::remove(dir.Path("p1.bmp"));
    std::string error;
    EXPECT_FALSE(stored.LoadFromSkinFolder(path, &error));
    EXPECT_NE(error.find("p1.bmp"), std::string::npos);
    EXPECT_EQ(stored.ActivePictures.size(), 2u);

    EXPECT_FALSE(stored.LoadFromSkinFolder(dir.Path("nothing.ini"), &error));
    dir.Write("binary.ini", std::string("[VERSION]\n\x01\x02\x03", 13));
    EXPECT_FALSE(stored.LoadFromSkinFolder(dir.Path("binary.ini"), &error));
    EXPECT_NE(error.find("binary"), std::string::npos);
    EXPECT_EQ(stored.FileName(), "skin.ini");

    // The compressor refuses a description without its five sections and keeps its data.
    TTempDir good;
    TbsCompressedStoredSkin compressed;
    ASSERT_TRUE(compressed.CompressFromSkinFolder(skintest::WriteSkinFolder(good), &error)) << error;
    auto data = compressed.CompressedData();
    TTempDir partial;
    std::string text(skintest::kSkinText);
    text.replace(text.find("[FORMINFO]"), 10, "[FORMINFOX]");
    EXPECT_FALSE(compressed.CompressFromSkinFolder(skintest::WriteSkinFolder(partial, text), &error));
    EXPECT_NE(error.find("FORMINFO"), std::string::npos);
    EXPECT_EQ(compressed.CompressedData(), data);
}

TEST(SkinContainers, CompressedSkinFileRoundTripsAndRejectsBadHeaders) {
    TTempDir dir;
    TbsCompressedStoredSkin compressed;
    std::string error;
    ASSERT_TRUE(compressed.CompressFromSkinFolder(skintest::WriteSkinFolder(dir), &error)) << error;
    ASSERT_TRUE(compressed.SaveCompressedFile(dir.Path("skin.skn"), &error)) << error;
    auto file = skintest::ReadAll(dir.Path("skin.skn"));
    ASSERT_EQ(file.size(), compressed.CompressedData().size() + 8);
    EXPECT_EQ(file[0], 1);
    EXPECT_EQ(file[4] | (file[5] << 8) | (file[6] << 16),
              static_cast<int>(compressed.CompressedData().size()));

    TbsCompressedStoredSkin loaded;
    ASSERT_TRUE(loaded.LoadCompressedFile(dir.Path("skin.skn"), &error)) << error;
    EXPECT_EQ(loaded.CompressedData(), compressed.CompressedData());

    auto bad = file;
    bad[0] = 2;
    dir.Write("v2.skn", bad);
    EXPECT_FALSE(loaded.LoadCompressedFile(dir.Path("v2.skn"), &error));
    EXPECT_TRUE(loaded.IsEmpty());

    ASSERT_TRUE(loaded.LoadCompressedFile(dir.Path("skin.skn")));
    dir.Write("short.skn", std::vector<uint8_t>(file.begin(), file.end() - 1));
    EXPECT_FALSE(loaded.LoadCompressedFile(dir.Path("short.skn"), &error));
    EXPECT_NE(error.find("length"), std::string::npos);
    EXPECT_TRUE(loaded.IsEmpty());
    EXPECT_FALSE(loaded.LoadCompressedFile(dir.Path("missing.skn"), &error));
}
