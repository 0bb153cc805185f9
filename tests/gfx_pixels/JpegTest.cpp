// JPEG decoding of colour, grey and CMYK pictures, and broken files as errors.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

#include "platform/core/Stream.h"
#include "platform/gfx/Jpeg.h"

using namespace platform::gfx;

namespace {

std::filesystem::path TempFile(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("gfx_pixels_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
            name);
}

std::vector<uint8_t> ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Encodes raw samples with libjpeg directly, for colour spaces SaveJpeg does not write.
std::vector<uint8_t> EncodeRaw(int width, int height, int components, J_COLOR_SPACE space,
                               const std::vector<uint8_t>& samples) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPLE*>(samples.data() + cinfo.next_scanline * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

void ExpectNear(TColor actual, TColor expected, int tolerance = 24) {
    EXPECT_NEAR(GetRValue(actual), GetRValue(expected), tolerance);
    EXPECT_NEAR(GetGValue(actual), GetGValue(expected), tolerance);
    EXPECT_NEAR(GetBValue(actual), GetBValue(expected), tolerance);
}

std::vector<uint8_t> RedBlueJpeg() {
    TBitmap bmp(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) bmp.SetPixel(x, y, x < 16 ? clRed : clBlue);
    const auto path = TempFile("rb.jpg");
    EXPECT_TRUE(SaveJpeg(bmp, path.string()));
    auto bytes = ReadAll(path);
    std::filesystem::remove(path);
    return bytes;
}

}  // namespace

TEST(Jpeg, SavedPictureDecodesToItsSizeAndColours) {
    const auto bytes = RedBlueJpeg();
    TJPEGImage jpeg;
    ASSERT_TRUE(jpeg.LoadFromMemory(bytes.data(), bytes.size())) << jpeg.LastError();
    EXPECT_EQ(jpeg.Width(), 32);
    EXPECT_EQ(jpeg.Height(), 16);
    ExpectNear(jpeg.Bitmap().Pixel(3, 8), clRed);
    ExpectNear(jpeg.Bitmap().Pixel(28, 8), clBlue);
    EXPECT_EQ(jpeg.Bitmap().Bits()[0] >> 24, 0u);  // the unused byte stays clear
    EXPECT_EQ(jpeg.Data(), bytes);

    platform::core::TMemoryStream stream(bytes);
    TJPEGImage fromStream;
    ASSERT_TRUE(fromStream.LoadFromStream(stream));
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(fromStream.Width(), 32);
}

TEST(Jpeg, GreyAndCmykPicturesDecodeToColours) {
    std::vector<uint8_t> grey(16 * 8);
    for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = (i % 16) < 8 ? 40 : 220;
    auto bytes = EncodeRaw(16, 8, 1, JCS_GRAYSCALE, grey);
    TJPEGImage jpeg;
    ASSERT_TRUE(jpeg.LoadFromMemory(bytes.data(), bytes.size())) << jpeg.LastError();
    ExpectNear(jpeg.Bitmap().Pixel(2, 4), RGB(40, 40, 40), 8);
    ExpectNear(jpeg.Bitmap().Pixel(13, 4), RGB(220, 220, 220), 8);

    // libjpeg marks CMYK files with the Adobe marker, whose samples are inverted (255 = no ink).
    std::vector<uint8_t> cmyk;
    for (int i = 0; i < 16 * 8; ++i) {
        const bool left = (i % 16) < 8;
        const std::vector<uint8_t> px = left ? std::vector<uint8_t>{255, 0, 0, 255}  // magenta + yellow: red
                                             : std::vector<uint8_t>{255, 255, 255, 0};  // black ink
        cmyk.insert(cmyk.end(), px.begin(), px.end());
    }
    bytes = EncodeRaw(16, 8, 4, JCS_CMYK, cmyk);
    ASSERT_TRUE(jpeg.LoadFromMemory(bytes.data(), bytes.size())) << jpeg.LastError();
    ExpectNear(jpeg.Bitmap().Pixel(2, 4), clRed);
    ExpectNear(jpeg.Bitmap().Pixel(13, 4), clBlack);
}

TEST(Jpeg, BrokenFilesAreErrorsAndChangeNothing) {
    const auto good = RedBlueJpeg();
    TJPEGImage jpeg;
    ASSERT_TRUE(jpeg.LoadFromMemory(good.data(), good.size()));

    const auto expectRejected = [&](std::vector<uint8_t> bytes, const char* what) {
        EXPECT_FALSE(jpeg.LoadFromMemory(bytes.data(), bytes.size())) << what;
        EXPECT_FALSE(jpeg.LastError().empty()) << what;
        EXPECT_EQ(jpeg.Width(), 32) << what;
        EXPECT_EQ(jpeg.Data(), good) << what;
        ExpectNear(jpeg.Bitmap().Pixel(3, 8), clRed);
    };
    expectRejected(
        std::vector<uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)),
        "cut in the scan");
    expectRejected(std::vector<uint8_t>(good.begin(), good.begin() + 40), "cut in the headers");
    expectRejected(std::vector<uint8_t>(good.begin(), good.end() - 2), "no end marker");
    expectRejected({0xFF, 0xD8, 0xFF, 0xD9}, "no frame");
    expectRejected({'B', 'M', 0, 0, 0, 0}, "not a JPEG");
    expectRejected({}, "empty");

    auto huge = good;  // a frame header claiming 60000 x 60000 pixels over a few hundred bytes
    for (std::size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && (huge[i + 1] == 0xC0 || huge[i + 1] == 0xC2)) {
            huge[i + 5] = 0xEA, huge[i + 6] = 0x60, huge[i + 7] = 0xEA, huge[i + 8] = 0x60;
            break;
        }
    expectRejected(huge, "huge frame");

    const auto path = TempFile("missing.jpg");
    EXPECT_FALSE(jpeg.LoadFromFile(path.string()));
    EXPECT_EQ(jpeg.Width(), 32);
}

TEST(Jpeg, ScaledDownInTheDecoderToJustCoverTheWantedSize) {
    // 1200 x 800: left half red, right half blue.
    std::vector<uint8_t> samples(static_cast<std::size_t>(1200) * 800 * 3);
    for (std::size_t i = 0; i < samples.size(); i += 3) {
        const bool left = (i / 3) % 1200 < 600;
        samples[i] = left ? 255 : 0;
        samples[i + 2] = left ? 0 : 255;
    }
    const std::vector<uint8_t> bytes = EncodeRaw(1200, 800, 3, JCS_RGB, samples);
    struct TCase {
        platform::core::TSize Cover;
        int Width, Height;
    };
    const TCase cases[] = {
        {{150, 150}, 300, 200},  // 1/4 covers 150 x 150; 1/8 (150 x 100) does not
        {{150, 100}, 150, 100},  // 1/8 covers it exactly
        {{100, 50}, 150, 100},   // never below 1/8
        {{700, 100}, 1200, 800}, // 1/2 is 600 wide: too narrow, the full size is kept
        {{0, 0}, 1200, 800},     // nothing wanted: the full size
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Cover.cx << " x " << c.Cover.cy);
        TJPEGImage jpeg;
        jpeg.ScaleToCover = c.Cover;
        ASSERT_TRUE(jpeg.LoadFromMemory(bytes.data(), bytes.size())) << jpeg.LastError();
        EXPECT_EQ(jpeg.Width(), c.Width);
        EXPECT_EQ(jpeg.Height(), c.Height);
        // The whole picture, smaller: red on the left, blue on the right.
        ExpectNear(jpeg.Bitmap().Pixel(jpeg.Width() / 4, jpeg.Height() / 2), clRed);
        ExpectNear(jpeg.Bitmap().Pixel(jpeg.Width() * 3 / 4, jpeg.Height() / 2), clBlue);
    }
}
