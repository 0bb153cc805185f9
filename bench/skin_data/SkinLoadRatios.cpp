// Each skin-load and region figure beside the raw work that bounds it, and their ratio:
//
//   stored skin load        the form's pictures stream read and the skin data loaded from it,
//                           beside decoding the same BMP pictures alone          goal <= 1.3
//   compressed skin load    the compressed skin loaded, beside zlib inflating the same stream
//                           whole and decoding its pictures                      goal <= 1.0
//   region from a mask      RegionFromBitmap of a 760 x 570 mask, beside one byte scan that
//                           counts its black pixels (noise, and a window outline) goal <= 3
//
// A figure and its floor are timed in turns, and each keeps the least time of one call, which on
// a shared machine stands for the undisturbed speed.
//
//   skin_load_ratios [MILLISECONDS PER FIGURE]      default 3000

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

#include <zlib.h>

#include "bench/skin_data/BenchSkin.h"
#include "platform/core/Stream.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtilsRegion.h"
#include "skin/data/bszlibcompress.h"

namespace {

using namespace skin;
using Clock = std::chrono::steady_clock;

volatile std::size_t g_sink = 0;

double TimeOnceUs(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

struct TPair {
    double Figure = 1e300;
    double Floor = 1e300;
};

TPair Measure(double budgetMs, const std::function<void()>& figure, const std::function<void()>& floor) {
    TPair best;
    const auto end = Clock::now() + std::chrono::duration<double, std::milli>(budgetMs);
    int rounds = 0;
    while (rounds < 5 || Clock::now() < end) {
        best.Figure = std::min(best.Figure, TimeOnceUs(figure));
        best.Floor = std::min(best.Floor, TimeOnceUs(floor));
        ++rounds;
    }
    return best;
}

void Print(const char* name, const char* floorName, const TPair& p, double goal) {
    const double ratio = p.Figure / p.Floor;
    std::printf("%-34s %9.1f us   %-34s %9.1f us   ratio %5.2f   goal <= %.1f %s\n", name, p.Figure,
                floorName, p.Floor, ratio, goal, ratio <= goal ? "met" : "NOT met");
}

// 0: a window outline (black, with rounded white corners); 1: noise, each pixel black or white.
TBitmap Mask(int kind) {
    constexpr int w = 760, h = 570;
    TBitmap m(w, h);
    std::mt19937 rnd(5);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool black = false;
            if (kind == 0) {
                const int dx = std::min(x, w - 1 - x), dy = std::min(y, h - 1 - y);
                black = !(dx < 8 && dy < 8 && (8 - dx) * (8 - dx) + (8 - dy) * (8 - dy) > 64);
            } else {
                black = (rnd() & 1) != 0;
            }
            m.ScanLine(y)[x] = black ? 0 : 0xFFFFFFu;
        }
    }
    return m;
}

void ScanMask(const TBitmap& mask) {
    std::size_t black = 0;
    for (int y = 0; y < mask.Height(); ++y) {
        const uint32_t* row = mask.ScanLine(y);
        for (int x = 0; x < mask.Width(); ++x) black += (row[x] & 0xFFFFFFu) == 0;
    }
    g_sink = black;
}

}  // namespace

int main(int argc, char** argv) {
    const double budgetMs = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 3000.0;
    const skin_bench::TFixture& f = skin_bench::Fixture();

    const TPair stored = Measure(
        budgetMs,
        [&] {
            TbsStoredSkin skin;
            skin.SetIniStrings(f.Skin.Lines);
            platform::core::TMemoryStream in(f.PicturesStream);
            skin.ReadPictures(in);
            TbsSkinData data;
            data.LoadFromStoredSkin(&skin);
            g_sink = data.ControlRecords.size();
        },
        [&] {
            platform::core::TMemoryStream in(f.PicturesStream);
            TbsSkinPictureSet set;
            ReadSkinPictures(in, set);
            g_sink = set.ActivePictures.size();
        });

    TbsCompressedStoredSkin compressed;
    compressed.SetCompressedData(f.Compressed);
    const TPair loaded = Measure(
        budgetMs,
        [&] {
            TbsSkinData data;
            data.LoadFromCompressedStoredSkin(&compressed);
            g_sink = data.ControlRecords.size();
        },
        [&] {
            // zlib's own whole-buffer inflate into a buffer of the known size: the least zlib does.
            std::vector<uint8_t> out(f.Content.size());
            uLongf length = static_cast<uLongf>(out.size());
            if (uncompress(out.data(), &length, f.Compressed.data(),
                           static_cast<uLong>(f.Compressed.size())) != Z_OK)
                std::abort();
            platform::core::TMemoryStream in(std::vector<uint8_t>(out.begin() + 4, out.end()));
            TbsSkinPictureSet set;
            ReadSkinPictures(in, set);
            g_sink = set.ActivePictures.size();
        });

    const TBitmap noise = Mask(1);
    const TBitmap outline = Mask(0);
    const TPair noiseRegion = Measure(
        budgetMs, [&] { g_sink = static_cast<std::size_t>(RegionFromBitmap(noise)->RectCount()); },
        [&] { ScanMask(noise); });
    const TPair outlineRegion = Measure(
        budgetMs, [&] { g_sink = static_cast<std::size_t>(RegionFromBitmap(outline)->RectCount()); },
        [&] { ScanMask(outline); });

    std::printf("skin of %zu bytes of pictures, %zu bytes compressed; least time of one call\n\n",
                f.PicturesStream.size(), f.Compressed.size());
    Print("stored skin load", "BMP decoding alone", stored, 1.3);
    Print("compressed skin load", "zlib inflate + BMP decoding", loaded, 1.0);
    Print("region from 760x570 noise mask", "byte scan of the mask", noiseRegion, 3.0);
    Print("region from 760x570 outline mask", "byte scan of the mask", outlineRegion, 3.0);
    return 0;
}
