// The tree and list views with a hundred thousand entries on the headless backend, each figure
// beside its baseline measured in the same run:
// - tree: expand every folder, scroll one page, select the last node; baseline: sorting the same
//   texts with std::sort (what any view of that many strings must at least afford);
// - report list: sort by a column, scroll one page; baselines: std::sort of the same strings,
//   and copying the pixels of the visible rows (what repainting a page must at least cost).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TreeView.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/backend/headless/HeadlessSession.h"

namespace {

using namespace platform::forms;
constexpr int kCount = 100000;
constexpr int kWidth = 400, kHeight = 400;

std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    texts.reserve(kCount);
    // Not in order, so that sorting has work to do.
    for (int i = 0; i < kCount; ++i) texts.push_back("Entry " + std::to_string((i * 7919) % kCount));
    return texts;
}

struct TWindow {
    platform::ui::headless::THeadlessSession Session;
    std::unique_ptr<TApplication> App = std::make_unique<TApplication>();
    TForm* Form = nullptr;
    TWindow() {
        Form = new TForm(App.get());
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, kWidth, kHeight);
        Form->Show();
        Session.ProcessMessages();
    }
    ~TWindow() { App.reset(); }
};

// 1,000 folders of 99 files each.
TTreeView* MakeTree(TWindow& w) {
    auto* tree = new TTreeView(w.Form);
    tree->SetParent(w.Form);
    tree->SetBounds(0, 0, kWidth, kHeight);
    const auto texts = Texts();
    tree->Items().BeginUpdate();
    TTreeNode* folder = nullptr;
    for (int i = 0; i < kCount; ++i) {
        if (i % 100 == 0) folder = tree->Items().Add(nullptr, texts[static_cast<size_t>(i)]);
        else tree->Items().AddChild(folder, texts[static_cast<size_t>(i)]);
    }
    tree->Items().EndUpdate();
    w.Session.ProcessMessages();
    return tree;
}

void BM_TreeExpandAllScrollSelectLast(benchmark::State& state) {
    TWindow w;
    TTreeView* tree = MakeTree(w);
    TTreeNode* lastFolder = tree->Items().GetFirstNode();
    while (lastFolder->GetNextSibling()) lastFolder = lastFolder->GetNextSibling();
    for (auto _ : state) {
        tree->FullExpand();
        tree->Perform(platform::ui::WM_VSCROLL, platform::ui::MakeWParam(SB_PAGEDOWN, 0), 0);
        tree->SetSelected(lastFolder->GetLastChild());
        w.Session.ProcessMessages();
        state.PauseTiming();
        tree->FullCollapse();
        tree->SetSelected(nullptr);
        tree->Perform(platform::ui::WM_VSCROLL, platform::ui::MakeWParam(SB_TOP, 0), 0);
        w.Session.ProcessMessages();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_TreeExpandAllScrollSelectLast)->Unit(benchmark::kMillisecond);

void BM_ListSortByColumnScrollPage(benchmark::State& state) {
    TWindow w;
    auto* list = new TListView(w.Form);
    list->SetParent(w.Form);
    list->SetBounds(0, 0, kWidth, kHeight);
    list->SetViewStyle(vsReport);
    list->Columns().Add("Name", 200);
    list->Columns().Add("Key", 150);
    const auto texts = Texts();
    list->Items().BeginUpdate();
    for (int i = 0; i < kCount; ++i) {
        TListItem* item = list->Items().Add();
        item->SetCaption(texts[static_cast<size_t>(i)]);
        item->SetSubItems({texts[static_cast<size_t>((i * 31) % kCount)]});
    }
    list->Items().EndUpdate();
    w.Session.ProcessMessages();
    int column = 0;
    list->OnCompare = [&](TComponent*, TListItem* a, TListItem* b, int, int& compare) {
        compare = a->ColumnText(column).compare(b->ColumnText(column));
    };
    for (auto _ : state) {
        column = 1 - column;
        list->AlphaSort();
        list->Perform(platform::ui::WM_VSCROLL, platform::ui::MakeWParam(SB_PAGEDOWN, 0), 0);
        w.Session.ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ListSortByColumnScrollPage)->Unit(benchmark::kMillisecond);

// Baseline: the same hundred thousand strings sorted with std::sort.
void BM_StdSortStrings(benchmark::State& state) {
    const auto texts = Texts();
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = texts;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_StdSortStrings)->Unit(benchmark::kMillisecond);

// Baseline: the pixels of one page of visible rows copied once.
void BM_CopyVisibleRowsPixels(benchmark::State& state) {
    platform::gfx::TBitmap source(kWidth, kHeight), dest(kWidth, kHeight);
    for (auto _ : state) {
        dest.Canvas().Draw(0, 0, source);
        benchmark::DoNotOptimize(dest.Bits());
    }
}
BENCHMARK(BM_CopyVisibleRowsPixels)->Unit(benchmark::kMicrosecond);

}  // namespace
