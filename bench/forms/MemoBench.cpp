// Typing one character into a memo that holds 100,000 lines: from the key message to the
// presented frame, in which only the changed row is repainted. Beside it, copying that row's
// pixels (what presenting the row costs at least). And opening that memo (setting Lines) beside
// splitting the same text into lines.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Memo.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessSession.h"

namespace {

using namespace platform;
namespace ui = platform::ui;

constexpr int kLines = 100000;
constexpr int kMemoWidth = 400, kMemoHeight = 300;

std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    lines.reserve(kLines);
    for (int i = 0; i < kLines; ++i)
        lines.push_back("Line " + std::to_string(i) + " of the puzzle notes, typed by hand.");
    return lines;
}

std::string JoinedText() {
    std::string text;
    for (const auto& l : Lines()) {
        text += l;
        text += '\n';
    }
    return text;
}

struct TScene {
    ui::headless::THeadlessSession Session;
    std::unique_ptr<forms::TApplication> App = std::make_unique<forms::TApplication>();
    forms::TForm* Form = nullptr;
    forms::TMemo* Memo = nullptr;

    TScene() {
        Form = new forms::TForm(App.get());
        Form->SetBorderStyle(forms::bsNone);
        Form->SetBounds(0, 0, kMemoWidth + 20, kMemoHeight + 20);
        Memo = new forms::TMemo(Form);
        Memo->SetParent(Form);
        Memo->SetWordWrap(false);
        Memo->SetBounds(10, 10, kMemoWidth, kMemoHeight);
        Form->Show();
        Session.ProcessMessages();
    }
    ~TScene() {
        delete Form;
        App.reset();
    }
};

void BM_TypeCharInto100kLineMemo(benchmark::State& state) {
    TScene scene;
    scene.Memo->SetLines(Lines());
    scene.Memo->SetFocus();
    scene.Memo->SetSelStart(static_cast<int>(scene.Memo->Lines().Text().size() / 2));
    scene.Session.ProcessMessages();
    ui::TWindowSystem& ws = scene.Session.System();
    ws.ResetPaintStats();
    for (auto _ : state) scene.Session.TypeText("x");
    const auto& stats = ws.PaintStats();
    state.counters["painted_px_per_key"] = benchmark::Counter(static_cast<double>(stats.PaintedPixels) /
                                                              static_cast<double>(state.iterations()));
    state.counters["presented_px_per_key"] = benchmark::Counter(static_cast<double>(stats.PresentedPixels) /
                                                                static_cast<double>(state.iterations()));
}
BENCHMARK(BM_TypeCharInto100kLineMemo)->Unit(benchmark::kMicrosecond);

// The bound: the changed row's pixels copied once.
void BM_CopyOneRowOfPixels(benchmark::State& state) {
    gfx::TFont font;
    const int rowHeight = gfx::TextEngine::Metrics(font).Height;
    gfx::TBitmap source(kMemoWidth, kMemoHeight), target(kMemoWidth, kMemoHeight);
    for (auto _ : state) {
        target.Canvas().CopyRect({0, 20, kMemoWidth, 20 + rowHeight}, source.Canvas(),
                                 {0, 20, kMemoWidth, 20 + rowHeight});
        benchmark::DoNotOptimize(target.Pixel(1, 21));
    }
}
BENCHMARK(BM_CopyOneRowOfPixels)->Unit(benchmark::kMicrosecond);

void BM_SetLinesOf100kLineMemo(benchmark::State& state) {
    TScene scene;
    const std::vector<std::string> lines = Lines();
    for (auto _ : state) {
        scene.Memo->SetLines(lines);
        benchmark::DoNotOptimize(scene.Memo->RowCount());
    }
}
BENCHMARK(BM_SetLinesOf100kLineMemo)->Unit(benchmark::kMillisecond);

// The bound: the same text split into lines.
void BM_SplitTextInto100kLines(benchmark::State& state) {
    const std::string text = JoinedText();
    for (auto _ : state) {
        std::vector<std::string> parts = core::SplitString(text, '\n');
        benchmark::DoNotOptimize(parts.data());
    }
}
BENCHMARK(BM_SplitTextInto100kLines)->Unit(benchmark::kMillisecond);

}  // namespace
