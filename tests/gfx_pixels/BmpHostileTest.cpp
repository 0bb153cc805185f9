// Malformed BMPs: every one is an error that leaves the bitmap as it was, reads nothing past the
// buffer and allocates nothing the data could not fill.

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <functional>
#include <new>

#include "gfx_pixels/BmpBuilder.h"
#include "platform/gfx/Bitmap.h"

using namespace platform::gfx;
using namespace gfxtest;

// Records the largest single allocation while a test asks for it.
namespace {
std::atomic<bool> g_tracking{false};
std::atomic<std::size_t> g_largest{0};
}  // namespace

void* operator new(std::size_t size) {
    if (g_tracking.load() && size > g_largest.load()) g_largest.store(size);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

TBmpSpec Valid8() {
    TBmpSpec s;
    s.Width = 3;
    s.Height = 2;
    s.BitCount = 8;
    s.ClrUsed = 2;
    s.Palette = {0x102030, 0x405060};
    s.Rows = {0, 1, 0, 0, 1, 0, 1, 0};
    return s;
}

TBitmap Sentinel() {
    TBitmap bmp(2, 2);
    bmp.SetPixel(1, 1, clFuchsia);
    return bmp;
}

// Loads from an exactly sized heap copy, so ASan reports any read past the end.
bool LoadExact(TBitmap& bmp, const std::vector<uint8_t>& bytes, std::size_t size) {
    std::vector<uint8_t> copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    return bmp.LoadFromMemory(copy.data(), copy.size());
}

void ExpectUnchanged(const TBitmap& bmp) {
    EXPECT_EQ(bmp.Width(), 2);
    EXPECT_EQ(bmp.Height(), 2);
    EXPECT_EQ(bmp.Pixel(1, 1), clFuchsia);
    EXPECT_FALSE(bmp.SourceFormat());
}

}  // namespace

TEST(BmpHostile, EveryTruncationIsAnError) {
    TBmpSpec tail = Valid8();
    tail.Tail = {1, 2, 3};
    TBmpSpec core = Valid8();
    core.HeaderSize = 12;
    TBmpSpec v5 = Valid8();
    v5.HeaderSize = 124;
    for (const TBmpSpec& s : {Valid8(), tail, core, v5}) {
        const auto bytes = BuildBmp(s);
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            TBitmap bmp = Sentinel();
            EXPECT_FALSE(LoadExact(bmp, bytes, size)) << "size " << size << " of " << bytes.size();
            ExpectUnchanged(bmp);
        }
        TBitmap bmp;
        EXPECT_TRUE(LoadExact(bmp, bytes, bytes.size()));
    }
}

TEST(BmpHostile, LyingHeadersAreErrors) {
    const auto valid = BuildBmp(Valid8());
    const std::size_t pixelsAt = valid.size() - 8;
    struct TCase {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> mutate;
    };
    const TCase cases[] = {
        {"signature", [](auto& b) { b[1] = 'A'; }},
        {"size beyond data",
         [&](auto& b) { Patch32(b, kFileSize, static_cast<uint32_t>(valid.size() + 1)); }},
        {"huge size", [](auto& b) { Patch32(b, kFileSize, 0xFFFFFFFFu); }},
        {"offset into headers", [](auto& b) { Patch32(b, kOffBits, 20); }},
        {"offset zero", [](auto& b) { Patch32(b, kOffBits, 0); }},
        {"offset beyond data", [&](auto& b) { Patch32(b, kOffBits, static_cast<uint32_t>(pixelsAt + 1)); }},
        {"offset huge", [](auto& b) { Patch32(b, kOffBits, 0xFFFFFFF0u); }},
        {"no room for a palette", [](auto& b) { Patch32(b, kOffBits, 54); }},
        {"header size 0", [](auto& b) { Patch32(b, kHeaderSize, 0); }},
        {"header size 64", [](auto& b) { Patch32(b, kHeaderSize, 64); }},
        {"header size huge", [](auto& b) { Patch32(b, kHeaderSize, 0x7FFFFFFF); }},
        {"width 0", [](auto& b) { Patch32(b, kWidth, 0); }},
        {"width negative", [](auto& b) { Patch32(b, kWidth, static_cast<uint32_t>(-3)); }},
        {"height 0", [](auto& b) { Patch32(b, kHeight, 0); }},
        {"height INT_MIN", [](auto& b) { Patch32(b, kHeight, static_cast<uint32_t>(INT_MIN)); }},
        {"width past the cap", [](auto& b) { Patch32(b, kWidth, 32769); }},
        {"rows beyond data", [](auto& b) { Patch32(b, kHeight, 3); }},
        {"huge top-down", [](auto& b) { Patch32(b, kHeight, static_cast<uint32_t>(-30000)); }},
        {"bit count 2", [](auto& b) { Patch16(b, kBitCount, 2); }},
        {"bit count 0", [](auto& b) { Patch16(b, kBitCount, 0); }},
        {"bit count 64", [](auto& b) { Patch16(b, kBitCount, 64); }},
        {"planes 0", [](auto& b) { Patch16(b, kPlanes, 0); }},
        {"run-length compression", [](auto& b) { Patch32(b, kCompression, 1); }},
        {"bitfields on 8 bits", [](auto& b) { Patch32(b, kCompression, 3); }},
        {"unknown compression", [](auto& b) { Patch32(b, kCompression, 0x7FFFFFFF); }},
    };
    for (const auto& c : cases) {
        auto bytes = valid;
        c.mutate(bytes);
        TBitmap bmp = Sentinel();
        EXPECT_FALSE(LoadExact(bmp, bytes, bytes.size())) << c.name;
        ExpectUnchanged(bmp);
    }

    TBmpSpec masks;
    masks.BitCount = 16;
    masks.Compression = 3;
    masks.Masks = {0xF00F, 0x0F00, 0x00F0};  // red is not one run of bits
    masks.Rows = {0, 0, 0, 0};
    TBitmap bmp = Sentinel();
    const auto bytes = BuildBmp(masks);
    EXPECT_FALSE(LoadExact(bmp, bytes, bytes.size()));
    ExpectUnchanged(bmp);
}

TEST(BmpHostile, HugeDimensionsAllocateNothingBeforeTheDataIsThere) {
    TBmpSpec s;
    s.Width = 16384;  // within the pixel cap: only the missing data makes it an error
    s.Height = -16384;
    s.BitCount = 32;
    s.Rows = std::vector<uint8_t>(64, 0);
    s.ZeroFileSize = true;
    const auto bytes = BuildBmp(s);
    TBitmap bmp = Sentinel();
    g_largest = 0;
    g_tracking = true;
    const bool loaded = bmp.LoadFromMemory(bytes.data(), bytes.size());
    g_tracking = false;
    EXPECT_FALSE(loaded);
    EXPECT_LT(g_largest.load(), 4096u);
    ExpectUnchanged(bmp);
}
