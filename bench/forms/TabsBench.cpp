// A hot-tab change on a skinned page control with 50 tabs in the default skin: the pointer moves
// from one tab to the next, so the old hot tab is redrawn normal and the new one hot, straight on
// the control. Beside it, the bound: copying those two tabs' pixels from one bitmap to another;
// and, for scale, repainting the whole control.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/PageControl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessSession.h"
#include "skin/boxes/bsSkinTabs.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"

namespace {

using namespace platform;
namespace ui = platform::ui;
using platform::core::TRect;

constexpr int kTabs = 50;

// A shown form with a multi-line page control of 50 sheets in the default skin.
struct TScene {
    ui::headless::THeadlessSession Session;
    std::unique_ptr<forms::TApplication> App = std::make_unique<forms::TApplication>();
    forms::TForm* Form = nullptr;
    skin::TbsSkinPageControl* Pages = nullptr;

    TScene() {
        Form = new forms::TForm(App.get());
        Form->SetBorderStyle(forms::bsNone);
        Form->SetBounds(0, 0, 800, 600);
        auto* stored = new skin::TbsStoredSkin(Form);
        auto* data = new skin::TbsSkinData(Form);
        (void)stored->LoadFromSkinFolder(VK_TABS_BENCH_SKIN);
        data->SetStoredSkin(stored);
        Pages = new skin::TbsSkinPageControl(Form);
        Pages->SetParent(Form);
        Pages->SetBounds(10, 10, 760, 560);
        Pages->SetMultiLine(true);
        for (int i = 0; i < kTabs; ++i) {
            auto* sheet = new forms::TTabSheet(Form);
            sheet->SetCaption("Page " + std::to_string(i));
            sheet->SetPageControl(Pages);
        }
        Pages->SetSkinData(data);
        Form->Show();
        Session.ProcessMessages();
    }
    ~TScene() {
        delete Form;
        App.reset();
    }
    // The centre of a tab in the control's client coordinates.
    [[nodiscard]] core::TPoint Centre(int tab) const {
        const TRect r = Pages->TabRect(tab);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};

void BM_HotTabChange(benchmark::State& state) {
    TScene scene;
    const core::TPoint a = scene.Centre(11), b = scene.Centre(12);
    bool onA = false;
    for (auto _ : state) {
        const core::TPoint p = onA ? b : a;
        scene.Pages->Skin().MouseAt(p.X, p.Y);
        onA = !onA;
    }
    state.counters["record"] = scene.Pages->RecordIndex();
    state.counters["hot_tab"] = scene.Pages->HotTab();
    state.counters["tab_px"] = scene.Pages->TabRect(11).Width() * scene.Pages->TabRect(11).Height();
}
BENCHMARK(BM_HotTabChange)->Unit(benchmark::kMicrosecond);

// Bound: the two tabs' pixels copied, as a finished picture would be.
void BM_CopyTwoTabsPixels(benchmark::State& state) {
    TScene scene;
    const TRect r1 = scene.Pages->TabRect(11), r2 = scene.Pages->TabRect(12);
    gfx::TBitmap source(scene.Pages->Width(), scene.Pages->Height());
    gfx::TBitmap target(scene.Pages->Width(), scene.Pages->Height());
    for (auto _ : state) {
        target.Canvas().CopyRect(r1, source.Canvas(), r1);
        target.Canvas().CopyRect(r2, source.Canvas(), r2);
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_CopyTwoTabsPixels)->Unit(benchmark::kMicrosecond);

// For scale: the whole control painted again (strip, frame and all 50 tabs).
void BM_RepaintWholeControl(benchmark::State& state) {
    TScene scene;
    for (auto _ : state) scene.Pages->Repaint();
}
BENCHMARK(BM_RepaintWholeControl)->Unit(benchmark::kMicrosecond);

}  // namespace
