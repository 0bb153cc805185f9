// Building the package catalogue of 1,000 packages of 60 previews each, beside the bare existence
// checks of the same files, which bound it: the catalogue must read each package file and probe
// every preview once.

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/PackageList.h"
#include "platform/core/Files.h"

namespace {

constexpr int kPackages = 1000;
constexpr int kPreviews = 60;

// One catalogue folder for the whole run, made on first use and removed at exit.
class TCatalogueFolder {
public:
    TCatalogueFolder() {
        char tmpl[] = "/tmp/vk-catalogue-bench-XXXXXX";
        m_root = ::mkdtemp(tmpl);
        for (int p = 0; p < kPackages; ++p) {
            const std::string dir = m_root + "/pkg" + std::to_string(p);
            std::filesystem::create_directory(dir);
            std::ofstream ini(dir + "/PuzzlePackage.ini");
            ini << "[Package]\r\nname=Package " << p << "\r\nfile=puz\r\npreview=prev\r\n";
            for (int n = 1; n <= kPreviews; ++n) {
                std::ofstream(dir + "/prev-" + std::to_string(n) + ".jpg") << 'x';
            }
        }
    }
    ~TCatalogueFolder() { std::filesystem::remove_all(m_root); }
    TCatalogueFolder(const TCatalogueFolder&) = delete;
    TCatalogueFolder& operator=(const TCatalogueFolder&) = delete;
    [[nodiscard]] const std::string& Root() const { return m_root; }

private:
    std::string m_root;
};

const TCatalogueFolder& Folder() {
    static const TCatalogueFolder folder;
    return folder;
}

void BM_BuildCatalogue(benchmark::State& state) {
    const std::string& root = Folder().Root();
    for (auto _ : state) {
        app::TPackageList list(root, nullptr);
        benchmark::DoNotOptimize(list.Count());
        if (list.Count() != kPackages) state.SkipWithError("catalogue incomplete");
    }
    state.SetItemsProcessed(state.iterations() * kPackages);
}
BENCHMARK(BM_BuildCatalogue)->Unit(benchmark::kMillisecond);

// Baseline: the same number of existence checks (the package file and 61 previews, the last one
// missing, per package), with no reading or sorting.
void BM_BareExistenceChecks(benchmark::State& state) {
    const std::string& root = Folder().Root();
    for (auto _ : state) {
        int found = 0;
        for (int p = 0; p < kPackages; ++p) {
            const std::string dir = root + "/pkg" + std::to_string(p);
            found += platform::core::FileExists(dir + "/PuzzlePackage.ini") ? 1 : 0;
            for (int n = 1; n <= kPreviews + 1; ++n) {
                found += platform::core::FileExists(dir + "/prev-" + std::to_string(n) + ".jpg") ? 1 : 0;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kPackages);
}
BENCHMARK(BM_BareExistenceChecks)->Unit(benchmark::kMillisecond);

}  // namespace
