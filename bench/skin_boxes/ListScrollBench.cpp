// Scrolling a skinned list box by one page, for lists of 100 to 100,000 items: the list paints
// only the rows it shows, so the cost does not grow with the item count. Beside it, the same area
// repainted by a control whose paint is a single fill (what any repaint of that area costs the
// window system: invalidation, paint, present).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/CustomControl.h"
#include "platform/forms/Form.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessSession.h"
#include "skin/boxes/bsSkinBoxCtrlsListBox.h"

namespace {

using namespace platform;
namespace ui = platform::ui;

constexpr int kWidth = 300, kRows = 20;

// A window system, an application and a shown form.
struct TScene {
    ui::headless::THeadlessSession Session;
    std::unique_ptr<forms::TApplication> App = std::make_unique<forms::TApplication>();
    forms::TForm* Form = nullptr;

    TScene() {
        Form = new forms::TForm(App.get());
        Form->SetBorderStyle(forms::bsNone);
        Form->SetBounds(0, 0, 400, 500);
        Form->Show();
        Session.ProcessMessages();
    }
    ~TScene() {
        delete Form;
        App.reset();
    }
};

void BM_ListBoxPageScroll(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TScene scene;
    auto* list = new skin::TbsSkinListBox(scene.Form);
    list->SetParent(scene.Form);
    list->SetBounds(10, 10, kWidth, 20 * kRows + 4);
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) items.push_back("Puzzle package number " + std::to_string(i));
    list->SetItems(items);
    scene.Session.ProcessMessages();
    auto* inner = list->ListBox();
    ui::TWindowSystem& ws = scene.Session.System();
    ws.ResetPaintStats();
    for (auto _ : state) {
        if (inner->TopIndex() >= count - kRows)
            inner->Perform(ui::WM_VSCROLL, ui::MakeWParam(forms::SB_TOP, 0), 0);
        else
            inner->Perform(ui::WM_VSCROLL, ui::MakeWParam(forms::SB_PAGEDOWN, 0), 0);
        ws.UpdateWindow(scene.Form->Handle());
    }
    const auto& stats = ws.PaintStats();
    state.counters["painted_px/scroll"] =
        benchmark::Counter(static_cast<double>(stats.PaintedPixels), benchmark::Counter::kAvgIterations);
    state.counters["list_px"] = static_cast<double>(inner->Width() * inner->Height());
    state.counters["bar_pos"] = list->VScrollBar() ? list->VScrollBar()->Position() : -1;
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ListBoxPageScroll)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Baseline: the same area repainted by a control that fills it in one colour.
class TFilled : public forms::TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        Canvas().Brush.Color = gfx::clWindow;
        Canvas().FillRect(ClientRect());
    }
};

void BM_BaselineFillRepaint(benchmark::State& state) {
    TScene scene;
    auto* area = new TFilled(scene.Form);
    area->SetParent(scene.Form);
    area->SetBounds(12, 12, kWidth - 4, 20 * kRows);
    scene.Session.ProcessMessages();
    ui::TWindowSystem& ws = scene.Session.System();
    ws.ResetPaintStats();
    for (auto _ : state) {
        area->HandleIfAllocated()->Invalidate(true);
        ws.UpdateWindow(scene.Form->Handle());
    }
    state.counters["painted_px/scroll"] = benchmark::Counter(
        static_cast<double>(ws.PaintStats().PaintedPixels), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BaselineFillRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
