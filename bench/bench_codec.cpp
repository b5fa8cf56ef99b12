// Decode and encode speed of the codec in MB/s of demo, and resident memory per byte of demo
// after DecodeAll, on the largest corpus demo and on a large generated one.
//
//   bench_codec [--demo-mb=N] [benchmark options]
//
// The generated demo is written once to the system's temporary folder and reused.
#include "demo/show_message.h"
#include "demo/tresk_doc.h"
#include "editor/block_edit.h"

#include "fx/demo_file_writer.h"
#include "fx/game_demo_builder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <malloc.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

size_t g_generatedMb = 100;

size_t ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

const fx::Bytes& LargestCorpusDemo() {
    static fx::Bytes bytes = [] {
        fs::path best;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(fs::path(CINERAD_CORPUS_DIR) / "demos", ec)) {
            if (e.path().extension() == ".dm2" &&
                (best.empty() || fs::file_size(e.path()) > fs::file_size(best))) {
                best = e.path();
            }
        }
        return best.empty() ? fx::Bytes{} : fx::ReadBytes(best);
    }();
    return bytes;
}

const fx::Bytes& GeneratedDemo() {
    static fx::Bytes bytes = [] {
        fs::path path = fs::temp_directory_path() /
                        ("cinerad-bench-" + std::to_string(g_generatedMb) + "mb.dm2");
        if (!fs::exists(path)) {
            fx::GameDemoOptions options;
            options.players = 8;
            options.entities = 64;
            options.seed = 7;
            // About 290 bytes a frame with these settings.
            options.frames = static_cast<int>(g_generatedMb * 1024 * 1024 / 290);
            fx::GameDemoBuilder(options).WriteFile(path);
        }
        return fx::ReadBytes(path);
    }();
    return bytes;
}

// The demo a benchmark's argument names (0: the largest corpus demo, 1: the generated one),
// with the benchmark labelled by it; null, and the benchmark skipped, when there is none.
const fx::Bytes* DemoOrSkip(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const fx::Bytes& demo = which == 0 ? LargestCorpusDemo() : GeneratedDemo();
    if (demo.empty()) {
        state.SkipWithError("no demo");
        return nullptr;
    }
    char label[64];
    std::snprintf(label, sizeof label, "%s, %.1f MB",
                  which == 0 ? "largest corpus demo" : "generated",
                  demo.size() / (1024.0 * 1024.0));
    state.SetLabel(label);
    return &demo;
}

// Reading the container and decoding every block.
void LoadAndDecode(CTreskDoc& doc, const fx::Bytes& demo) {
    doc.LoadFromBytes(demo.data(), demo.size());
    doc.DecodeAll();
}

void BM_Decode(benchmark::State& state) {
    const fx::Bytes* demo = DemoOrSkip(state);
    if (demo == nullptr) {
        return;
    }
    for (auto _ : state) {
        CTreskDoc doc;
        LoadAndDecode(doc, *demo);
        benchmark::DoNotOptimize(doc.blockCount);
        state.PauseTiming();
        doc.OnCloseDocument();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * demo->size()));
}

// Saves `doc` into memory once per iteration; returns the size of the saved demo.
size_t TimeSaves(benchmark::State& state, CTreskDoc& doc, size_t demoSize) {
    VectorSink out;
    out.bytes.reserve(demoSize + (1 << 20));
    for (auto _ : state) {
        out.bytes.clear();
        doc.SaveTo(out);
        benchmark::DoNotOptimize(out.bytes.data());
    }
    return out.bytes.size();
}

// Saving: the rebuilt signon and every block encoded, into memory.
void BM_Encode(benchmark::State& state) {
    const fx::Bytes* demo = DemoOrSkip(state);
    if (demo == nullptr) {
        return;
    }
    CTreskDoc doc;
    LoadAndDecode(doc, *demo);
    TimeSaves(state, doc, demo->size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * demo->size()));
}

// Resident memory an open, decoded demo costs, per byte of demo.
void BM_MemoryPerByte(benchmark::State& state) {
    const fx::Bytes* demo = DemoOrSkip(state);
    if (demo == nullptr) {
        return;
    }
    double perByte = 0;
    for (auto _ : state) {
        malloc_trim(0);
        size_t before = ResidentBytes();
        auto doc = std::make_unique<CTreskDoc>();
        LoadAndDecode(*doc, *demo);
        size_t after = ResidentBytes();
        perByte = static_cast<double>(after - before) / static_cast<double>(demo->size());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["resident_bytes_per_demo_byte"] = perByte;
}

// Saving after 100 cuts of five blocks spread over the demo: every frame after a cut is kept
// whole, so the save repairs 100 joins.
void BM_SaveAfterCuts(benchmark::State& state) {
    const fx::Bytes* demo = DemoOrSkip(state);
    if (demo == nullptr) {
        return;
    }
    CTreskDoc doc;
    LoadAndDecode(doc, *demo);
    const uint32_t firstPlay = FirstFrameBlockNumber(doc);
    const uint32_t step = (doc.blockCount - firstPlay) / 101;
    if (firstPlay == 0 || step < 6) {
        state.SkipWithError("demo too short for 100 cuts");
        return;
    }
    for (uint32_t k = 100; k >= 1; --k) {
        DeleteBlockChain(UnlinkBlockRun(doc, doc.BlockAt(firstPlay + k * step), 5));
    }
    const size_t saved = TimeSaves(state, doc, demo->size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * saved));
    state.counters["frames_not_exact"] = static_cast<double>(doc.lastSave.framesDiffering);
}

BENCHMARK(BM_Decode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Encode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveAfterCuts)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemoryPerByte)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    SetShowMessageHandler([](const std::string&) {});
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--demo-mb=", 10) == 0) {
            g_generatedMb = std::strtoul(argv[i] + 10, nullptr, 10);
            for (int j = i; j + 1 < argc; ++j) {
                argv[j] = argv[j + 1];
            }
            --argc;
            --i;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
