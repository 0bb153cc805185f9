// Writing BMPs: byte-identical round trips, re-encoding in the source format, fresh bitmaps,
// streams and PNG.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "gfx_pixels/BmpBuilder.h"
#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"

using namespace platform::gfx;
using gfxtest::BuildBmp;
using gfxtest::TBmpSpec;
using platform::core::TMemoryStream;

namespace {

TBitmap Load(const std::vector<uint8_t>& bytes) {
    TBitmap bmp;
    EXPECT_TRUE(bmp.LoadFromMemory(bytes.data(), bytes.size()));
    return bmp;
}

TBmpSpec OneBit() {
    TBmpSpec s;
    s.Width = 10;
    s.Height = 2;
    s.BitCount = 1;
    s.Palette = {0x0A141E, 0xC86432};
    s.Rows = {0xAA, 0xBF, 0x12, 0x34, 0xC0, 0xFF, 0x56, 0x78};
    s.Gap = {0xDE, 0xAD};
    s.Tail = {1, 2, 3};
    s.Reserved = 0x12345678;
    return s;
}

TBmpSpec FourBit() {
    TBmpSpec s;
    s.Width = 3;
    s.Height = 2;
    s.BitCount = 4;
    s.ClrUsed = 3;
    s.Palette = {0xFF0000, 0x00FF00, 0x010203};
    s.Rows = {0x21, 0x0F, 0xAB, 0xCD, 0x01, 0x2E, 0xEE, 0xFF};
    return s;
}

TBmpSpec TwentyFourBit() {
    TBmpSpec s;
    s.Width = 3;
    s.Height = 2;
    s.Rows = {1,    2, 3, 4, 5,    6, 7, 8, 9,    0xA1, 0xA2, 0xA3,
              0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xB1, 0xB2, 0xB3};
    return s;
}

std::filesystem::path TempDir() {
    auto dir = std::filesystem::temp_directory_path() /
               ("gfx_pixels_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    return dir;
}

std::vector<uint8_t> ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(BmpWrite, UnchangedBitmapsAreWrittenBackByteForByte) {
    TBmpSpec sixteen;
    sixteen.Width = 3;
    sixteen.BitCount = 16;
    sixteen.Compression = 3;
    sixteen.Masks = {0xF800, 0x07E0, 0x001F};
    sixteen.Rows = {0x00, 0xF8, 0xE0, 0x07, 0x10, 0x84, 0x55, 0x55};
    TBmpSpec core;
    core.HeaderSize = 12;
    core.BitCount = 8;
    core.Height = 2;
    core.Palette = {0x0000FF, 0xFFFF00};
    core.Rows = {1, 9, 9, 9, 0, 8, 8, 8};
    TBmpSpec v5;
    v5.HeaderSize = 124;
    v5.BitCount = 32;
    v5.Compression = 3;
    v5.Width = 2;
    v5.Height = -1;
    v5.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    v5.Rows = {0xFF, 0, 0, 0x7F, 1, 2, 3, 0x80};
    v5.Tail = {'p', 'r', 'o', 'f'};
    TBmpSpec noSize = FourBit();
    noSize.ZeroFileSize = true;

    for (const TBmpSpec& s : {OneBit(), FourBit(), TwentyFourBit(), sixteen, core, v5, noSize}) {
        const auto bytes = BuildBmp(s);
        const TBitmap bmp = Load(bytes);
        EXPECT_EQ(bmp.SaveToMemory(), bytes) << "bits " << s.BitCount << ", header " << s.HeaderSize;
        const TBitmap copy(bmp);  // the source format travels with copies
        EXPECT_EQ(copy.SaveToMemory(), bytes);
    }

    const auto dir = TempDir();
    const auto bytes = BuildBmp(OneBit());
    ASSERT_TRUE(Load(bytes).SaveToFile((dir / "one.bmp").string()));
    EXPECT_EQ(ReadAll(dir / "one.bmp"), bytes);
    std::filesystem::remove_all(dir);
}

TEST(BmpWrite, ChangedPixelsKeepTheDepthAndEveryOtherByte) {
    // 4-bit: x=1 of row 0 (the second file row) becomes palette entry 2.
    auto bytes = BuildBmp(FourBit());
    TBitmap bmp = Load(bytes);
    bmp.SetPixel(1, 0, RGB(1, 2, 3));
    auto expected = bytes;
    expected[expected.size() - 4] = 0x02;
    EXPECT_EQ(bmp.SaveToMemory(), expected);

    // 1-bit: x=9 of row 1 (the first file row) becomes entry 1.
    bytes = BuildBmp(OneBit());
    bmp = Load(bytes);
    bmp.SetPixel(9, 1, RGB(200, 100, 50));
    expected = bytes;
    expected[expected.size() - 3 - 8 + 1] = 0xFF;  // 0xBF with bit 6 set
    EXPECT_EQ(bmp.SaveToMemory(), expected);

    // Equal palette entries: untouched pixels keep their index, a changed one takes the first.
    TBmpSpec dup;
    dup.Width = 3;
    dup.BitCount = 8;
    dup.ClrUsed = 3;
    dup.Palette = {0x808080, 0x00FF00, 0x808080};
    dup.Rows = {2, 1, 1, 0};
    bytes = BuildBmp(dup);
    bmp = Load(bytes);
    bmp.SetPixel(1, 0, clGray);
    expected = bytes;
    expected[expected.size() - 3] = 0;
    EXPECT_EQ(bmp.SaveToMemory(), expected);

    // 16-bit 565: an exactly representable colour stays 16-bit, other bits unchanged.
    TBmpSpec sixteen;
    sixteen.Width = 2;
    sixteen.BitCount = 16;
    sixteen.Compression = 3;
    sixteen.Masks = {0xF800, 0x07E0, 0x001F};
    sixteen.Rows = {0x00, 0xF8, 0x1F, 0x00};
    bytes = BuildBmp(sixteen);
    bmp = Load(bytes);
    bmp.SetPixel(1, 0, clYellow);
    expected = bytes;
    expected[expected.size() - 2] = 0xE0;
    expected[expected.size() - 1] = 0xFF;
    EXPECT_EQ(bmp.SaveToMemory(), expected);

    // 32-bit: the unused byte of the changed pixel is kept too.
    TBmpSpec wide;
    wide.BitCount = 32;
    wide.Width = 2;
    wide.Rows = {1, 2, 3, 0xAA, 4, 5, 6, 0xBB};
    bytes = BuildBmp(wide);
    bmp = Load(bytes);
    bmp.SetPixel(0, 0, RGB(0x30, 0x20, 0x10));
    expected = bytes;
    std::copy_n(std::vector<uint8_t>{0x10, 0x20, 0x30, 0xAA}.begin(), 4, expected.end() - 8);
    EXPECT_EQ(bmp.SaveToMemory(), expected);
}

TEST(BmpWrite, ColoursOutsideTheFormatFallBackToTwentyFourBits) {
    TBitmap bmp = Load(BuildBmp(FourBit()));
    bmp.SetPixel(0, 0, RGB(9, 9, 9));
    TBitmap again = Load(bmp.SaveToMemory());
    EXPECT_EQ(again.SourceFormat()->BitCount, 24);
    EXPECT_EQ(again.Pixel(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(again.Pixel(2, 1), clRed);

    TBmpSpec sixteen;
    sixteen.Width = 2;
    sixteen.BitCount = 16;
    sixteen.Rows = {0x00, 0x7C, 0x1F, 0x00};
    bmp = Load(BuildBmp(sixteen));
    bmp.SetPixel(1, 0, RGB(1, 2, 3));  // no 555 code gives exactly this
    again = Load(bmp.SaveToMemory());
    EXPECT_EQ(again.SourceFormat()->BitCount, 24);
    EXPECT_EQ(again.Pixel(0, 0), clRed);
    EXPECT_EQ(again.Pixel(1, 0), RGB(1, 2, 3));
}

TEST(BmpWrite, ResizedBitmapKeepsItsFormatAndUpdatesSizes) {
    TBmpSpec s;
    s.Width = 2;
    s.Height = -1;
    s.BitCount = 8;
    s.ClrUsed = 2;
    s.Palette = {0x000000, 0xFFFFFF};
    s.Rows = {1, 0, 0, 0};
    s.Tail = {7, 7};
    TBitmap bmp = Load(BuildBmp(s));
    bmp.SetSize(5, 2);
    const auto bytes = bmp.SaveToMemory();
    const TBitmap again = Load(bytes);
    ASSERT_EQ(again.Width(), 5);
    ASSERT_EQ(again.Height(), 2);
    EXPECT_EQ(again.SourceFormat()->BitCount, 8);
    EXPECT_TRUE(again.SourceFormat()->TopDown);
    EXPECT_EQ(again.SourceFormat()->Tail, s.Tail);
    EXPECT_EQ(again.Pixel(0, 0), clWhite);
    EXPECT_EQ(again.Pixel(4, 1), clBlack);
    EXPECT_EQ(again.SourceFormat()->FileSizeField, bytes.size());
    EXPECT_EQ(again.SourceFormat()->ImageSizeField, 16u);
}

TEST(BmpWrite, MemoryBitmapIsTwentyFourBitBottomUp) {
    TBitmap bmp(3, 2);
    bmp.SetPixel(0, 0, clRed);
    bmp.SetPixel(2, 1, clBlue);
    const auto bytes = bmp.SaveToMemory();
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[gfxtest::kOffBits], 54);
    EXPECT_EQ(bytes[gfxtest::kFileSize], 54 + 24);
    EXPECT_EQ(bytes[gfxtest::kHeaderSize], 40);
    EXPECT_EQ(bytes[gfxtest::kHeight], 2);  // positive: bottom-up
    EXPECT_EQ(bytes[gfxtest::kBitCount], 24);
    EXPECT_EQ(bytes[gfxtest::kCompression], 0);
    // First file row is y = 1: black, black, blue, then three zero padding bytes.
    const std::vector<uint8_t> rows(bytes.begin() + 54, bytes.end());
    EXPECT_EQ(rows, (std::vector<uint8_t>{0, 0, 0,    0, 0, 0, 0xFF, 0, 0, 0, 0, 0,  //
                                          0, 0, 0xFF, 0, 0, 0, 0,    0, 0, 0, 0, 0}));

    TBitmap empty;
    EXPECT_TRUE(empty.SaveToMemory().empty());
    EXPECT_FALSE(
        empty.SaveToFile((std::filesystem::temp_directory_path() / "gfx_pixels_never.bmp").string()));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::temp_directory_path() / "gfx_pixels_never.bmp"));
}

TEST(BmpWrite, StreamLoadsConsumeExactlyTheFileSize) {
    TBmpSpec first = OneBit();  // with a tail inside its size field
    TBmpSpec second = FourBit();
    second.ZeroFileSize = true;  // ends where its pixel rows end
    const auto a = BuildBmp(first);
    const auto b = BuildBmp(second);
    std::vector<uint8_t> all = a;
    all.insert(all.end(), b.begin(), b.end());
    all.push_back(0x42);
    TMemoryStream stream(all);

    TBitmap one, two, three;
    ASSERT_TRUE(one.LoadFromStream(stream));
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(a.size()));
    ASSERT_TRUE(two.LoadFromStream(stream));
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(a.size() + b.size()));
    EXPECT_EQ(one.Width(), 10);
    EXPECT_EQ(two.Pixel(0, 0), clRed);
    EXPECT_FALSE(three.LoadFromStream(stream));
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(a.size() + b.size()));

    TMemoryStream out;
    one.SaveToStream(out);
    EXPECT_EQ(out.Bytes(), a);

    // A stream shorter than the size field: nothing read, nothing changed.
    TMemoryStream cut(std::vector<uint8_t>(a.begin(), a.end() - 1));
    TBitmap kept(1, 1);
    kept.SetPixel(0, 0, clAqua);
    EXPECT_FALSE(kept.LoadFromStream(cut));
    EXPECT_EQ(cut.Position(), 0);
    EXPECT_EQ(kept.Width(), 1);
    EXPECT_EQ(kept.Pixel(0, 0), clAqua);

    // Headers that give a length but a broken body: the position is restored as well.
    TBmpSpec badMasks;
    badMasks.BitCount = 16;
    badMasks.Compression = 3;
    badMasks.Masks = {0xF00F, 0x0F00, 0x00F0};
    badMasks.Rows = {0, 0, 0, 0};
    TMemoryStream bad(BuildBmp(badMasks));
    EXPECT_FALSE(kept.LoadFromStream(bad));
    EXPECT_EQ(bad.Position(), 0);
    EXPECT_EQ(kept.Pixel(0, 0), clAqua);
}

TEST(Png, RoundTripKeepsPixelsAndRejectsOtherFiles) {
    const auto dir = TempDir();
    TBitmap bmp(4, 3);
    bmp.SetPixel(0, 0, clRed);
    bmp.SetPixel(3, 2, RGB(1, 2, 3));
    ASSERT_TRUE(SavePng(bmp, (dir / "a.png").string()));
    TBitmap back;
    ASSERT_TRUE(LoadPng(back, (dir / "a.png").string()));
    ASSERT_EQ(back.Width(), 4);
    ASSERT_EQ(back.Height(), 3);
    EXPECT_EQ(back.Pixel(0, 0), clRed);
    EXPECT_EQ(back.Pixel(3, 2), RGB(1, 2, 3));
    EXPECT_EQ(back.Pixel(1, 1), clBlack);

    ASSERT_TRUE(bmp.SaveToFile((dir / "a.bmp").string()));
    EXPECT_FALSE(LoadPng(back, (dir / "a.bmp").string()));
    EXPECT_EQ(back.Pixel(0, 0), clRed);
    std::filesystem::remove_all(dir);
}
