// Switching the active MDI child among twenty children, from the request to the presented frame,
// beside a whole repaint of the MDI client area that bounds it.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/MdiClient.h"
#include "platform/ui/backend/headless/HeadlessSession.h"

namespace {

using namespace platform::forms;

constexpr int kChildren = 20;

struct TMdiWorld {
    platform::ui::headless::THeadlessSession Session;
    std::unique_ptr<TApplication> App = std::make_unique<TApplication>();
    TForm* Main = new TForm(App.get());

    TMdiWorld() {
        Main->SetCaption("Editor");
        Main->SetFormStyle(fsMDIForm);
        App->SetMainForm(Main);
        Main->SetBounds(0, 0, 800, 600);
        Main->Show();
        for (int i = 0; i < kChildren; ++i) {
            auto* child = new TForm(App.get());
            child->SetCaption("Document " + std::to_string(i + 1));
            child->SetFormStyle(fsMDIChild);
            child->SetBounds(12 * i, 12 * i, 320, 240);
            child->Show();
        }
        Session.ProcessMessages();
    }
    ~TMdiWorld() {
        delete Main;
        App.reset();
    }
};

// Next: the active child goes to the back, the next one is activated, both frames and the
// uncovered client parts are repainted and presented.
void BM_MdiSwitchActiveChild(benchmark::State& state) {
    TMdiWorld world;
    if (world.Main->MDIChildCount() != kChildren) state.SkipWithError("children missing");
    for (auto _ : state) {
        world.Main->Next();
        world.Session.ProcessMessages();
    }
}
BENCHMARK(BM_MdiSwitchActiveChild)->Unit(benchmark::kMicrosecond);

// The same with a maximised child: the maximised state moves on with every switch.
void BM_MdiSwitchMaximisedChild(benchmark::State& state) {
    TMdiWorld world;
    world.Main->ActiveMDIChild()->SetWindowState(wsMaximized);
    world.Session.ProcessMessages();
    for (auto _ : state) {
        world.Main->Next();
        world.Session.ProcessMessages();
    }
}
BENCHMARK(BM_MdiSwitchMaximisedChild)->Unit(benchmark::kMicrosecond);

// Baseline: the whole client area with all its children repainted and presented.
void BM_MdiClientRepaint(benchmark::State& state) {
    TMdiWorld world;
    for (auto _ : state) {
        world.Main->MDIClient()->Invalidate();
        world.Session.ProcessMessages();
    }
}
BENCHMARK(BM_MdiClientRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
