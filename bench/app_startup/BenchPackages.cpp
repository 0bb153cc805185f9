#include "bench/app_startup/BenchPackages.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Jpeg.h"

namespace app_bench {

std::string BenchPreviewPath(const std::string& folder, int package, int n) {
    return folder + "/package" + std::to_string(package) + "/prev-" + std::to_string(n) + ".jpg";
}

void WriteBenchPackages(const std::string& folder) {
    for (int p = 0; p < kPackages; ++p) {
        const std::string dir = folder + "/package" + std::to_string(p);
        std::filesystem::create_directories(dir);
        std::ofstream(dir + "/PuzzlePackage.ini")
            << "[Package]\r\nname=Package " << p << "\r\nfile=puz\r\npreview=prev\r\n";
        for (int n = 1; n <= kPuzzlesPerPackage; ++n) {
            platform::gfx::TBitmap picture(150, 150);
            for (int y = 0; y < 150; ++y) {
                for (int x = 0; x < 150; ++x) {
                    const double ring = std::sin(std::hypot(x - 75, y - 75) / (3.0 + n)) * 0.5 + 0.5;
                    picture.SetPixel(
                        x, y,
                        platform::gfx::RGB(static_cast<int>(x * 1.7) % 256, static_cast<int>(ring * 255),
                                           (y * 3 + p * 11 + n * 17) % 256));
                }
            }
            platform::gfx::SaveJpeg(picture, BenchPreviewPath(folder, p, n), 90);
        }
    }
    std::ofstream(folder + "/PuzzleBrowser.ini") << "[Browser]\r\nPackage=0\r\nFirstTime=0\r\n";
}

}  // namespace app_bench
