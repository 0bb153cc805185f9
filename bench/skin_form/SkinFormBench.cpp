// The skinned frame of the browser-sized window (760 x 570) with the default skin: painting the
// whole frame, and one cross-fade step of a caption button, each beside the raw copy that bounds
// it (the same pixels copied once).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/backend/headless/HeadlessSession.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinForm.h"

namespace {

using platform::gfx::TBitmap;

constexpr int kWidth = 760, kHeight = 570;

// A shown 760 x 570 form with the default skin on the headless backend.
struct TSkinnedWindow {
    platform::ui::headless::THeadlessSession Session;
    std::unique_ptr<platform::forms::TApplication> App = std::make_unique<platform::forms::TApplication>();
    platform::forms::TForm* Form = nullptr;
    skin::TbsSkinForm* SkinForm = nullptr;

    TSkinnedWindow() {
        auto* stored = new skin::TbsStoredSkin(App.get());
        std::string error;
        if (!stored->LoadFromSkinFolder(VK_DEFAULT_SKIN, &error)) std::fprintf(stderr, "%s\n", error.c_str());
        auto* data = new skin::TbsSkinData(App.get());
        data->SetStoredSkin(stored);
        Form = new platform::forms::TForm(App.get());
        Form->SetCaption("Vondrakel(tm) - Puzzle Browser");
        Form->SetBounds(10, 10, kWidth, kHeight);
        SkinForm = new skin::TbsSkinForm(Form);
        SkinForm->SetSkinData(data);
        Form->SetVisible(true);
        Session.ProcessMessages();
    }
    ~TSkinnedWindow() { App.reset(); }
};

void BM_PaintWholeFrame(benchmark::State& state) {
    TSkinnedWindow w;
    if (!w.SkinForm->Skinned()) state.SkipWithError("the default skin did not load");
    for (auto _ : state) {
        w.SkinForm->UpdateFormNC();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PaintWholeFrame)->Unit(benchmark::kMicrosecond);

// Baseline: the window's pixels copied once, bitmap to bitmap.
void BM_CopyWindowPixels(benchmark::State& state) {
    TBitmap source(kWidth, kHeight), dest(kWidth, kHeight);
    for (auto _ : state) {
        dest.Canvas().Draw(0, 0, source);
        benchmark::DoNotOptimize(dest.Bits());
    }
}
BENCHMARK(BM_CopyWindowPixels)->Unit(benchmark::kMicrosecond);

void BM_CaptionButtonMorphStep(benchmark::State& state) {
    TSkinnedWindow w;
    skin::TbsActiveSkinObject* close = w.SkinForm->FindObject("closebutton");
    if (!close || !close->Morphing) {
        state.SkipWithError("the default skin has no morphing close button");
        return;
    }
    close->Highlighted = true;
    for (auto _ : state) {
        // Half-way, so that every step is a real cross-fade.
        close->MorphFactor = 0.4;
        close->DoMorphStep();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CaptionButtonMorphStep)->Unit(benchmark::kMicrosecond);

// Baseline: the button's pixels copied once from the skin picture to the window's back buffer.
void BM_CopyButtonPixels(benchmark::State& state) {
    TBitmap source(22, 18), dest(kWidth, kHeight);
    for (auto _ : state) {
        dest.Canvas().DrawBitmapRect({700, 5, 722, 23}, source, {0, 0, 22, 18});
        benchmark::DoNotOptimize(dest.Bits());
    }
}
BENCHMARK(BM_CopyButtonPixels)->Unit(benchmark::kMicrosecond);

}  // namespace
