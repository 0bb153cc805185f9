// Loading a rich text file of about 1 MB into a rich edit (read, parse, lay out with word wrap),
// beside reading the file's bytes (the bound: the data has to come in at least once). Also the
// reader alone over the bytes in memory and the writer over the loaded document, to see where a
// load's time goes.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/core/Stream.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/RtfReader.h"
#include "platform/forms/RtfWriter.h"
#include "platform/ui/backend/headless/HeadlessSession.h"

namespace {

using namespace platform;
namespace ui = platform::ui;

constexpr std::size_t kFileBytes = 1 << 20;

// A document with what rich text usually carries: a font and a colour table, paragraphs with
// alignment and indents, bold, italic and coloured words, size changes and escapes.
std::string MakeRtf() {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}{\\f2 Courier New;}}"
        "{\\colortbl;\\red0\\green0\\blue128;\\red170\\green20\\blue20;}\n";
    for (int p = 0; rtf.size() < kFileBytes - 400; ++p) {
        rtf += p % 7 == 0 ? "\\pard\\qc\\f1\\fs28\\b " : "\\pard\\li360\\fi-180\\plain\\f0\\fs20 ";
        rtf += "Paragraph " + std::to_string(p) + " of the puzzle notes: ";
        rtf += "{\\b bold words}, {\\i italic words}, {\\cf2 red words} and {\\f2 code}; caf\\'e9 \\u8364? ";
        rtf += "the rest of the line is plain text that wraps across the width of the control.\\par\n";
    }
    return rtf + "}";
}

std::string TempPath() {
    return "/tmp/vk_richedit_bench_" + std::to_string(::getpid()) + ".rtf";
}

struct TFile {
    std::string Path = TempPath();
    TFile() {
        const std::string rtf = MakeRtf();
        core::TMemoryStream stream(std::vector<uint8_t>(rtf.begin(), rtf.end()));
        stream.SaveToFile(Path);
    }
    ~TFile() { std::remove(Path.c_str()); }
};

struct TScene {
    ui::headless::THeadlessSession Session;
    std::unique_ptr<forms::TApplication> App = std::make_unique<forms::TApplication>();
    forms::TForm* Form = nullptr;
    forms::TRichEdit* Rich = nullptr;

    TScene() {
        Form = new forms::TForm(App.get());
        Form->SetBorderStyle(forms::bsNone);
        Form->SetBounds(0, 0, 520, 420);
        Rich = new forms::TRichEdit(Form);
        Rich->SetParent(Form);
        Rich->SetBounds(10, 10, 500, 400);
        Form->Show();
        Session.ProcessMessages();
    }
    ~TScene() {
        delete Form;
        App.reset();
    }
};

void BM_LoadOneMegabyteRtfFile(benchmark::State& state) {
    const TFile file;
    TScene scene;
    for (auto _ : state) {
        scene.Rich->Lines().LoadFromFile(file.Path);
        benchmark::DoNotOptimize(scene.Rich->RowCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(MakeRtf().size()));
    state.counters["runs"] = static_cast<double>(scene.Rich->RunCount());
    state.counters["rows"] = static_cast<double>(scene.Rich->RowCount());
}
BENCHMARK(BM_LoadOneMegabyteRtfFile)->Unit(benchmark::kMillisecond);

// The bound: the same file's bytes read into memory.
void BM_ReadOneMegabyteFileBytes(benchmark::State& state) {
    const TFile file;
    for (auto _ : state) {
        core::TMemoryStream stream;
        stream.LoadFromFile(file.Path);
        benchmark::DoNotOptimize(stream.Memory());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(MakeRtf().size()));
}
BENCHMARK(BM_ReadOneMegabyteFileBytes)->Unit(benchmark::kMillisecond);

void BM_ParseOneMegabyteRtf(benchmark::State& state) {
    const std::string rtf = MakeRtf();
    for (auto _ : state) {
        forms::TRichDocument doc;
        forms::TRtfReader::Read(rtf, doc);
        benchmark::DoNotOptimize(doc.Text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(rtf.size()));
}
BENCHMARK(BM_ParseOneMegabyteRtf)->Unit(benchmark::kMillisecond);

void BM_WriteOneMegabyteRtf(benchmark::State& state) {
    forms::TRichDocument doc;
    forms::TRtfReader::Read(MakeRtf(), doc);
    for (auto _ : state) {
        const std::string out = forms::WriteRtf(doc);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_WriteOneMegabyteRtf)->Unit(benchmark::kMillisecond);

}  // namespace
