// One package of 20,000 puzzles with a severity key each: opening it (read the settings file,
// count and check the previews) and closing it after one severity change (write every key),
// beside the bare work that bounds both: one parse of the file and the existence checks, and one
// write of the file's bytes. Reading key by key must not parse the file again per key, and the
// close must write the file once.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/Package.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"

namespace {

constexpr int kPuzzles = 20000;

class TLargePackage {
public:
    TLargePackage() {
        char tmpl[] = "/tmp/vk-large-package-bench-XXXXXX";
        m_dir = ::mkdtemp(tmpl);
        std::ofstream ini(m_dir + "/PuzzlePackage.ini", std::ios::binary);
        ini << "[Package]\r\nname=Large\r\nfile=puz\r\npreview=prev\r\n\r\n[User]\r\nlast_puzzle=7\r\n\r\n[Severity]\r\n";
        for (int n = 1; n <= kPuzzles; ++n) {
            ini << "puzzle_" << n << "=" << (n % 5 + 1) << "\r\n";
            std::ofstream(m_dir + "/prev-" + std::to_string(n) + ".jpg") << 'x';
        }
    }
    ~TLargePackage() { std::filesystem::remove_all(m_dir); }
    TLargePackage(const TLargePackage&) = delete;
    TLargePackage& operator=(const TLargePackage&) = delete;
    [[nodiscard]] const std::string& Dir() const { return m_dir; }

private:
    std::string m_dir;
};

const TLargePackage& Package() {
    static const TLargePackage package;
    return package;
}

void BM_OpenLargePackage(benchmark::State& state) {
    const std::string& dir = Package().Dir();  // made once, outside the timing
    for (auto _ : state) {
        app::TPackage package(dir);
        if (!package.IsComplete()) state.SkipWithError("package incomplete");
        benchmark::DoNotOptimize(package.Puzzles.data());
    }
}
BENCHMARK(BM_OpenLargePackage)->Unit(benchmark::kMillisecond);

// Baseline: one parse of the file, one read per key from memory, and the existence checks that
// counting and checking the previews make.
void BM_ParseOnceAndCheckPreviews(benchmark::State& state) {
    const std::string& dir = Package().Dir();
    for (auto _ : state) {
        platform::core::TMemIniFile ini(dir + "/PuzzlePackage.ini");
        int sum = 0;
        for (int n = 1; n <= kPuzzles; ++n) sum += ini.ReadInteger("Severity", "puzzle_" + std::to_string(n), 1);
        for (int n = 1; n <= 2 * kPuzzles + 1; ++n)
            sum += platform::core::FileExists(dir + "/prev-" + std::to_string(n % (kPuzzles + 1)) + ".jpg") ? 1 : 0;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ParseOnceAndCheckPreviews)->Unit(benchmark::kMillisecond);

void BM_CloseLargePackageAfterOneChange(benchmark::State& state) {
    const std::string& dir = Package().Dir();
    for (auto _ : state) {
        state.PauseTiming();
        auto package = std::make_unique<app::TPackage>(dir);
        package->Puzzles[100].Severity = package->Puzzles[100].Severity % 5 + 1;
        package->SeverityDirty = true;
        package->LastPuzzleDirty = true;
        state.ResumeTiming();
        package.reset();
    }
}
BENCHMARK(BM_CloseLargePackageAfterOneChange)->Unit(benchmark::kMillisecond);

// Baseline: writing the file's bytes once, atomically.
void BM_WriteFileOnce(benchmark::State& state) {
    const std::string path = Package().Dir() + "/PuzzlePackage.ini";
    const auto bytes = platform::core::ReadFileBytes(path);
    for (auto _ : state) {
        if (!platform::core::WriteFileAtomic(path, bytes->data(), bytes->size())) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteFileOnce)->Unit(benchmark::kMillisecond);

}  // namespace
