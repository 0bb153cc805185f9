// A 336 x 19 skin button bound to a nine-piece record: its face, a whole repaint through the
// window system, and one morph step, each beside the plain copy of the same pixels.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/backend/headless/HeadlessSession.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"

namespace {

using platform::gfx::TBitmap;

constexpr int kWidth = 336, kHeight = 19;

// A button whose face can be drawn without the window system.
class TBenchButton : public skin::TbsSkinButton {
public:
    using TbsSkinButton::TbsSkinButton;
    void Face(TBitmap& bitmap) {
        LookUpRecord();
        DrawSkinImage(bitmap);
    }
};

TBitmap Noise(int w, int h, uint32_t seed) {
    std::mt19937 rnd(seed);
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = rnd() & 0xFFFFFFu;
    return b;
}

// A nine-piece button record 60 x 19 with normal and active pictures, fading between them.
constexpr const char* kSkin = R"([VERSION]
[PICTURES]
activepicturescount=1
0=buttons.bmp
[FORMINFO]
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=1
0=resizebutton:button
[resizebutton]
pictureindex=0
skinrect=0,0,60,19
lefttoppoint=6,6
righttoppoint=54,6
leftbottompoint=6,13
rightbottompoint=54,13
clientrect=6,6,54,13
activeskinrect=0,19,60,38
fontname=Arial
fontheight=14
morphing=1
morphkind=mkdefault
)";

struct TBenchWorld {
    platform::ui::headless::THeadlessSession Session;
    std::unique_ptr<platform::forms::TApplication> App = std::make_unique<platform::forms::TApplication>();
    platform::forms::TForm* Form = new platform::forms::TForm(App.get());
    TBenchButton* Button = nullptr;

    TBenchWorld() {
        Form->SetBorderStyle(platform::forms::bsNone);
        Form->SetBounds(0, 0, 400, 100);
        Form->Show();
        skin::TbsSkinSource source;
        source.Lines.SetText(kSkin);
        source.Pictures.ActivePictures.push_back(std::make_unique<TBitmap>(Noise(60, 38, 7)));
        auto* stored = new skin::TbsStoredSkin(Form);
        stored->Assign(source);
        auto* data = new skin::TbsSkinData(Form);
        data->SetStoredSkin(stored);
        Button = new TBenchButton(Form);
        Button->SetParent(Form);
        Button->SetSkinDataName("resizebutton");
        Button->SetSkinData(data);
        Button->SetBounds(10, 10, kWidth, kHeight);
        Button->SetCaption("Start puzzle 12 (Expert)");
        Session.ProcessMessages();
    }
    ~TBenchWorld() {
        delete Form;
        App.reset();
    }
};

// The face alone: nine-piece composition of the record and the caption.
void BM_ButtonFace(benchmark::State& state) {
    TBenchWorld world;
    TBitmap face(kWidth, kHeight);
    for (auto _ : state) {
        world.Button->Face(face);
        benchmark::DoNotOptimize(face.Bits());
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_ButtonFace)->Unit(benchmark::kMicrosecond);

// A whole repaint: invalidate, paint through the off-screen bitmap into the form's back buffer,
// present.
void BM_ButtonRepaint(benchmark::State& state) {
    TBenchWorld world;
    for (auto _ : state) {
        world.Button->Repaint();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_ButtonRepaint)->Unit(benchmark::kMicrosecond);

// One morph step half way: both state pictures composed, blended, and copied out.
void BM_ButtonMorphStepFace(benchmark::State& state) {
    TBenchWorld world;
    const platform::core::TPoint p = world.Button->ClientToScreen({100, 9});
    world.Session.MouseMove(p);
    world.Session.Advance(100);
    if (world.Button->MorphFactor() != 0.5) state.SkipWithError("the fade is not half way");
    TBitmap face(kWidth, kHeight);
    for (auto _ : state) {
        world.Button->Face(face);
        benchmark::DoNotOptimize(face.Bits());
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_ButtonMorphStepFace)->Unit(benchmark::kMicrosecond);

// The same step as the fade timer runs it: the tick, then the repaint it asks for.
void BM_ButtonMorphTick(benchmark::State& state) {
    TBenchWorld world;
    const platform::core::TPoint p = world.Button->ClientToScreen({100, 9});
    world.Session.MouseMove(p);
    for (auto _ : state) {
        // Twenty milliseconds: one tick and one repaint; the fade runs to its end and back.
        world.Session.Advance(skin::TbsSkinButton::kMorphInterval);
        if (!world.Button->Morphing()) {
            state.PauseTiming();
            world.Session.MouseMove(world.Button->MorphFactor() > 0.5 ? platform::core::TPoint{395, 95} : p);
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_ButtonMorphTick)->Unit(benchmark::kMicrosecond);

// Baselines: the copy that ends every paint, and the bytes themselves.
void BM_CopyButtonBitmap(benchmark::State& state) {
    const TBitmap source = Noise(kWidth, kHeight, 3);
    TBitmap dest(400, 100);
    for (auto _ : state) {
        dest.Canvas().Draw(10, 10, source);
        benchmark::DoNotOptimize(dest.Bits());
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_CopyButtonBitmap)->Unit(benchmark::kMicrosecond);

void BM_MemcpyButtonBytes(benchmark::State& state) {
    const TBitmap source = Noise(kWidth, kHeight, 3);
    TBitmap dest(kWidth, kHeight);
    for (auto _ : state) {
        std::memcpy(dest.Bits(), source.Bits(), static_cast<std::size_t>(kWidth) * kHeight * 4);
        benchmark::DoNotOptimize(dest.Bits());
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_MemcpyButtonBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
