// Loading a skin of program size (about 60 records, 11 pictures, 700 KB) from the stored and from
// the compressed form, each beside the bare work that bounds it: BMP decoding of the same
// pictures, and inflating the same stream.

#include <benchmark/benchmark.h>

#include "bench/skin_data/BenchSkin.h"
#include "platform/core/Stream.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bszlibcompress.h"

namespace {

using namespace skin;
using skin_bench::Fixture;

void Report(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// Stored form: the form resource's pictures stream is decoded into the stored skin, then the
// skin data loads from it (text parsed once, pictures copied).
void BM_StoredSkin_ReadPicturesAndLoad(benchmark::State& state) {
    const auto& f = Fixture();
    for (auto _ : state) {
        TbsStoredSkin stored;
        stored.SetIniStrings(f.Skin.Lines);
        platform::core::TMemoryStream in(f.PicturesStream);
        stored.ReadPictures(in);
        TbsSkinData data;
        data.LoadFromStoredSkin(&stored);
        benchmark::DoNotOptimize(data.ControlRecords.size());
    }
    Report(state, f.PicturesStream.size());
}

void BM_StoredSkin_LoadOnly(benchmark::State& state) {
    const auto& f = Fixture();
    TbsStoredSkin stored;
    stored.Assign(f.Skin);
    for (auto _ : state) {
        TbsSkinData data;
        data.LoadFromStoredSkin(&stored);
        benchmark::DoNotOptimize(data.ControlRecords.size());
    }
    state.counters["records"] = 60;
}

// Baseline: decoding the same 11 BMP files, nothing else.
void BM_Baseline_BmpDecode(benchmark::State& state) {
    const auto& f = Fixture();
    for (auto _ : state) {
        platform::core::TMemoryStream in(f.PicturesStream);
        TbsSkinPictureSet set;
        ReadSkinPictures(in, set);
        benchmark::DoNotOptimize(set.ActivePictures.size());
    }
    Report(state, f.PicturesStream.size());
}

// Baseline: parsing the description text once, as the loader does.
void BM_Baseline_IniParse(benchmark::State& state) {
    const auto& f = Fixture();
    for (auto _ : state) {
        platform::core::TMemIniFile ini;
        ini.SetStrings(f.Skin.Lines);
        benchmark::DoNotOptimize(ini.SectionExists("FORMINFO"));
    }
    state.counters["lines"] = f.Skin.Lines.Count();
}

void BM_CompressedSkin_Load(benchmark::State& state) {
    const auto& f = Fixture();
    TbsCompressedStoredSkin compressed;
    compressed.SetCompressedData(f.Compressed);
    for (auto _ : state) {
        TbsSkinData data;
        data.LoadFromCompressedStoredSkin(&compressed);
        benchmark::DoNotOptimize(data.ControlRecords.size());
    }
    Report(state, f.Content.size());
    state.counters["compressed_bytes"] = static_cast<double>(f.Compressed.size());
}

// Baselines: the bare inflate of the same stream, and inflate plus BMP decoding.
void BM_Baseline_Inflate(benchmark::State& state) {
    const auto& f = Fixture();
    std::vector<uint8_t> out;
    for (auto _ : state) {
        ZDecompress(f.Compressed.data(), f.Compressed.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, f.Content.size());
}

void BM_Baseline_InflateAndBmpDecode(benchmark::State& state) {
    const auto& f = Fixture();
    std::vector<uint8_t> out;
    for (auto _ : state) {
        ZDecompress(f.Compressed.data(), f.Compressed.size(), out);
        platform::core::TMemoryStream in(std::vector<uint8_t>(out.begin() + 4, out.end()));
        TbsSkinPictureSet set;
        ReadSkinPictures(in, set);
        benchmark::DoNotOptimize(set.ActivePictures.size());
    }
    Report(state, f.Content.size());
}

BENCHMARK(BM_StoredSkin_ReadPicturesAndLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StoredSkin_LoadOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Baseline_BmpDecode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Baseline_IniParse)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompressedSkin_Load)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Baseline_Inflate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Baseline_InflateAndBmpDecode)->Unit(benchmark::kMicrosecond);

}  // namespace
