// Copies of a bitmap share their pixels until one is written, and a BMP in a memory stream is
// decoded where its bytes lie: no change may leak from one copy into another, and a stream read
// in place must end where a copying read ends.

#include <gtest/gtest.h>

#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

using namespace platform::gfx;
using platform::core::TMemoryStream;
using platform::core::TSeekOrigin;
using platform::core::TStream;

namespace {

TBitmap Striped(int w, int h) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, (x + y) % 2 ? clRed : clBlue);
    return b;
}

// A stream over a caller's bytes that does not show them: LoadFromStream must copy from it.
class TOpaqueStream : public TStream {
public:
    explicit TOpaqueStream(std::vector<uint8_t> bytes) : m_inner(std::move(bytes)) {}
    std::size_t Read(void* buffer, std::size_t count) override { return m_inner.Read(buffer, count); }
    std::size_t Write(const void* buffer, std::size_t count) override { return m_inner.Write(buffer, count); }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override { return m_inner.Seek(offset, origin); }
    [[nodiscard]] int64_t Size() const override { return m_inner.Size(); }

private:
    TMemoryStream m_inner;
};

}  // namespace

TEST(BitmapSharing, AWriteToOneCopyLeavesTheOthersAlone) {
    const TBitmap original = Striped(4, 3);
    TBitmap copy = original;
    EXPECT_TRUE(copy.SharesPixelsWith(original));

    // Every way of writing gives the writer its own pixels.
    copy.SetPixel(0, 0, clLime);
    EXPECT_FALSE(copy.SharesPixelsWith(original));
    EXPECT_EQ(copy.Pixel(0, 0), clLime);
    EXPECT_EQ(original.Pixel(0, 0), clBlue);
    EXPECT_EQ(copy.Pixel(1, 0), clRed);  // the rest came along

    TBitmap viaScanLine = original;
    viaScanLine.ScanLine(2)[3] = 0x123456;
    EXPECT_EQ(original.ScanLine(2)[3], ColorToPixel(clRed));

    TBitmap viaCanvas;
    viaCanvas = original;
    viaCanvas.Canvas().Brush.Color = clWhite;
    viaCanvas.Canvas().FillRect(platform::core::TRect{0, 0, 4, 3});
    EXPECT_EQ(viaCanvas.Pixel(3, 2), clWhite);
    EXPECT_EQ(original.Pixel(3, 2), clRed);

    // The source written after the copy: the copy keeps what it was given.
    TBitmap source = Striped(2, 2);
    const TBitmap kept = source;
    source.SetPixel(1, 1, clYellow);
    source.SetSize(5, 5);
    EXPECT_EQ(kept.Width(), 2);
    EXPECT_EQ(kept.Pixel(1, 1), clBlue);

    // Freeing the source leaves the copy whole.
    auto temporary = std::make_unique<TBitmap>(Striped(3, 3));
    TBitmap survivor = *temporary;
    temporary.reset();
    EXPECT_EQ(survivor.Pixel(2, 1), clRed);
    EXPECT_EQ(survivor.Pixel(2, 2), clBlue);
}

TEST(BitmapSharing, ACopyOfAReadBitmapKeepsItsFormatAndWritesTheSameBytes) {
    TBitmap made = Striped(5, 3);
    const std::vector<uint8_t> bytes = made.SaveToMemory();
    TBitmap read;
    ASSERT_TRUE(read.LoadFromMemory(bytes.data(), bytes.size()));
    const TBitmap copy = read;
    ASSERT_TRUE(copy.SourceFormat().has_value());
    EXPECT_EQ(copy.SourceFormat()->BitCount, read.SourceFormat()->BitCount);
    EXPECT_EQ(copy.SaveToMemory(), bytes);

    // Forgetting the format in one copy does not forget it in the other.
    TBitmap forgetful = read;
    forgetful.ForgetSourceFormat();
    EXPECT_FALSE(forgetful.SourceFormat().has_value());
    EXPECT_TRUE(read.SourceFormat().has_value());
}

TEST(BitmapSharing, AMemoryStreamIsReadInPlaceAndEndsWhereACopyingReadEnds) {
    const std::vector<uint8_t> first = Striped(3, 2).SaveToMemory();
    const std::vector<uint8_t> second = Striped(2, 4).SaveToMemory();
    std::vector<uint8_t> all = {0xEE};  // a byte before, as in a container
    all.insert(all.end(), first.begin(), first.end());
    all.insert(all.end(), second.begin(), second.end());
    all.push_back(0x7F);

    TMemoryStream memory(all);
    TOpaqueStream opaque(all);
    for (TStream* s : {static_cast<TStream*>(&memory), static_cast<TStream*>(&opaque)}) {
        s->SetPosition(1);
        TBitmap a, b;
        ASSERT_TRUE(a.LoadFromStream(*s));
        EXPECT_EQ(s->Position(), static_cast<int64_t>(1 + first.size()));
        ASSERT_TRUE(b.LoadFromStream(*s));
        EXPECT_EQ(s->Position(), static_cast<int64_t>(1 + first.size() + second.size()));
        EXPECT_EQ(a.Width(), 3);
        EXPECT_EQ(b.Height(), 4);
        EXPECT_EQ(a.Pixel(1, 0), clRed);
        EXPECT_EQ(b.Pixel(1, 3), clBlue);
        // What is left is not a BMP: the read fails and the position stays.
        TBitmap c;
        EXPECT_FALSE(c.LoadFromStream(*s));
        EXPECT_EQ(s->Position(), static_cast<int64_t>(all.size() - 1));
    }

    // The decoded pixels are the bitmap's own: the stream's bytes may change afterwards.
    TMemoryStream changing(first);
    TBitmap own;
    ASSERT_TRUE(own.LoadFromStream(changing));
    changing.SetPosition(0);
    const std::vector<uint8_t> zeros(first.size(), 0);
    changing.Write(zeros.data(), zeros.size());
    EXPECT_EQ(own.Pixel(0, 0), clBlue);
    EXPECT_EQ(own.SaveToMemory(), first);
}

TEST(BitmapSharing, ATruncatedBmpInMemoryFailsWithoutMovingTheStream) {
    std::vector<uint8_t> bytes = Striped(6, 6).SaveToMemory();
    bytes.resize(bytes.size() - 5);
    TMemoryStream s(bytes);
    TBitmap b = Striped(1, 1);
    EXPECT_FALSE(b.LoadFromStream(s));
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(b.Width(), 1);  // unchanged
}

TEST(MemoryStream, RemainingBytesFollowThePosition) {
    TMemoryStream s(std::vector<uint8_t>{1, 2, 3, 4});
    std::size_t count = 99;
    const uint8_t* p = s.RemainingBytes(count);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(p[0], 1);
    s.SetPosition(3);
    p = s.RemainingBytes(count);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(*p, 4);
    s.SetPosition(10);  // past the end
    EXPECT_EQ(s.RemainingBytes(count), nullptr);
    EXPECT_EQ(count, 0u);
}
