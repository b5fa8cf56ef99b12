// The text search and the search report on a large demo: generates a demo of about the wanted
// size with the fixture library (the busy game of busy_game.h), decodes it as the editor does, then
// times a text search that walks from the first block to the last without a match (F3 from
// block 1), the same backwards (Shift+F3 from the last block) and the fill of a search report
// listing all console output. Run by hand (not a test):
//   bench_search [MEGABYTES=100] [REPEATS=5]
#include "busy_game.h"
#include "edit_session.h"

#include "demo/demo_block.h"
#include "demo/tresk_doc.h"
#include "editor/search.h"
#include "editor/search_report_model.h"
#include "editor/tresk_view.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Runs `work` `repeats` times, each after an untimed `prepare`; prints the fastest and the
// median run.
template <typename Prepare, typename Work>
void Time(const char* what, int repeats, Prepare prepare, Work work) {
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%s: fastest %.1f ms, median %.1f ms\n", what, ms.front(), ms[ms.size() / 2]);
}

} // namespace

int main(int argc, char** argv) {
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 100.0;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    const fx::Bytes file = fx::GameDemoBuilder(bench::BusyGameOptions(megabytes)).Build();

    CTreskDoc doc;
    doc.LoadFromBytes(file.data(), file.size());
    ConsoleUi ui; // the one not-found message goes to standard error
    NullDisplay display;
    CTreskView view(doc, ui, display);
    view.OnInitialUpdate("/usr/share/games/quake2");
    std::printf("demo: %.1f MB, %u blocks\n", static_cast<double>(file.size()) / (1024 * 1024),
                doc.blockCount);
    size_t messages = 0;
    size_t texts = 0;
    size_t blocksWithTexts = 0;
    for (const DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next) {
        messages += b->MessageCount();
        texts += b->TextMessageCount();
        blocksWithTexts += b->TextMessageCount() > 0 ? 1 : 0;
    }
    std::printf("messages: %zu, %zu of them carrying a text, in %zu blocks\n", messages, texts,
                blocksWithTexts);

    // No message holds this text: F3 walks from block 1 to the last block, Shift+F3 back.
    view.lastSearchText = "no text of the demo holds this";
    Time(
        "text search, first to last block", repeats,
        [&] {
            view.ShowPlace({1, 1, 1});
        },
        [&] { FindTextForwards(view); });
    Time(
        "text search, last to first block", repeats,
        [&] {
            view.ShowPlace({doc.blockCount, 1, 0xFFFF});
        },
        [&] { FindTextBackwards(view); });
    size_t rows = 0;
    AdvancedSearchDlgData console;
    console.console = 1;
    Time(
        "search report fill (console output)", repeats, [] {},
        [&] { rows = RunSearchReport(doc, console).size(); });
    std::printf("report rows: %zu\n", rows);
    return 0;
}
