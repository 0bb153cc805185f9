// A floor of the browser's start-up: a process that only brings up the font engine (fontconfig,
// the face, one line of text rendered as the browser's labels are) and logs
// "first-frame <monotonic ns> peak-rss-kib <peak resident KiB>" to $VK_EXAMPLE_LOG when that
// is done.

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace {
// The peak resident memory of this process so far, in KiB (0 when unknown).
long PeakRssKiB() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    }
    std::fclose(status);
    return kib;
}

}  // namespace

int main() {
    platform::gfx::TBitmap bitmap(200, 20);
    platform::gfx::TCanvas& canvas = bitmap.Canvas();
    canvas.Font.SetName("Arial");
    canvas.Font.SetHeight(-11);
    canvas.TextOut(0, 0, "Package / Paket:");
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const char* path = std::getenv("VK_EXAMPLE_LOG");
    FILE* log = path ? std::fopen(path, "w") : nullptr;
    if (!log) return 1;
    std::fprintf(log, "first-frame %lld peak-rss-kib %ld\n",
                 static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec, PeakRssKiB());
    return std::fclose(log) == 0 ? 0 : 1;
}
