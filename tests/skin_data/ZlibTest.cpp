// The zlib helpers: maximum-level streams, and inflating that refuses damaged, unfinished and
// oversized streams.

#include <gtest/gtest.h>

#include <random>

#include "platform/core/Stream.h"
#include "skin/data/bszlibcompress.h"

using namespace skin;

namespace {

std::vector<uint8_t> Sample(std::size_t size) {
    std::vector<uint8_t> data(size);
    std::mt19937 rng(7);
    // Half noise, half runs, so the stream has both literal and match blocks.
    for (std::size_t i = 0; i < size; ++i)
        data[i] = (i / 512) % 2 ? static_cast<uint8_t>(rng()) : static_cast<uint8_t>(i / 64);
    return data;
}

}  // namespace

TEST(SkinZlib, RoundTripsAtTheMaximumLevel) {
    auto data = Sample(100000);
    auto packed = ZCompress(data.data(), data.size());
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed[0], 0x78);
    EXPECT_EQ(packed[1] >> 6, 3);  // the header's level field: maximum compression
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(ZDecompress(packed.data(), packed.size(), out, &error)) << error;
    EXPECT_EQ(out, data);

    auto empty = ZCompress(nullptr, 0);
    ASSERT_TRUE(ZDecompress(empty.data(), empty.size(), out));
    EXPECT_TRUE(out.empty());

    // Streams in and out give the same bytes.
    platform::core::TMemoryStream in(data), packedStream, unpacked;
    ZCompressStream(in, packedStream);
    EXPECT_EQ(packedStream.Bytes(), packed);
    packedStream.SetPosition(0);
    ASSERT_TRUE(ZDecompressStream(packedStream, unpacked));
    EXPECT_EQ(unpacked.Bytes(), data);
}

TEST(SkinZlib, RefusesUnfinishedAndDamagedStreams) {
    auto data = Sample(20000);
    auto packed = ZCompress(data.data(), data.size());
    std::vector<uint8_t> out{1, 2, 3};
    std::string error;
    for (std::size_t cut :
         {std::size_t{0}, std::size_t{1}, std::size_t{2}, packed.size() / 2, packed.size() - 1}) {
        EXPECT_FALSE(ZDecompress(packed.data(), cut, out, &error)) << cut;
        EXPECT_TRUE(out.empty());
        EXPECT_FALSE(error.empty());
    }
    auto damaged = packed;
    damaged[0] = 0x12;  // not a zlib header
    EXPECT_FALSE(ZDecompress(damaged.data(), damaged.size(), out));
    damaged = packed;
    damaged[damaged.size() - 1] ^= 0xFF;  // the checksum no longer fits
    EXPECT_FALSE(ZDecompress(damaged.data(), damaged.size(), out));

    // Bytes after the end of the stream do not matter.
    auto trailing = packed;
    trailing.insert(trailing.end(), {9, 9, 9});
    ASSERT_TRUE(ZDecompress(trailing.data(), trailing.size(), out));
    EXPECT_EQ(out, data);
}

TEST(SkinZlib, CapsTheInflatedSize) {
    std::vector<uint8_t> zeros(10000, 0);
    auto packed = ZCompress(zeros.data(), zeros.size());
    std::vector<uint8_t> out;
    EXPECT_TRUE(ZDecompress(packed.data(), packed.size(), out, nullptr, 10000));
    std::string error;
    EXPECT_FALSE(ZDecompress(packed.data(), packed.size(), out, &error, 9999));
    EXPECT_TRUE(out.empty());
    EXPECT_NE(error.find("9999"), std::string::npos);

    // The default cap holds against a small stream that would inflate to just over 64 MiB.
    std::vector<uint8_t> bomb(kMaxInflatedSize + 1, 0);
    auto packedBomb = ZCompress(bomb.data(), bomb.size());
    bomb = {};
    EXPECT_LT(packedBomb.size(), 100000u);
    EXPECT_FALSE(ZDecompress(packedBomb.data(), packedBomb.size(), out));
    EXPECT_TRUE(out.empty());
}

// Streams that inflate to far more than their first buffer holds (a few KiB that become MiBs)
// still come out whole, up to a cap that equals their size exactly.
TEST(SkinZlib, InflatesFarBeyondItsFirstGuess) {
    std::vector<uint8_t> data(5 * 1024 * 1024 + 3);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>((i / 4096) * 7 + (i % 3));
    const auto packed = ZCompress(data.data(), data.size());
    ASSERT_LT(packed.size() * 64, data.size());
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(ZDecompress(packed.data(), packed.size(), out, &error)) << error;
    EXPECT_EQ(out, data);
    EXPECT_TRUE(ZDecompress(packed.data(), packed.size(), out, nullptr, data.size()));
    EXPECT_EQ(out.size(), data.size());
    EXPECT_FALSE(ZDecompress(packed.data(), packed.size(), out, &error, data.size() - 1));
    EXPECT_TRUE(out.empty());
}
