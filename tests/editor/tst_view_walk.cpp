// Walking a whole demo message by message: every page is filled and left on the way, and the
// saved demo must come out as if nobody had looked, with nothing in its edit history.
#include "demo_bytes.h"
#include "scripted_ui.h"

#include "demo/byte_sink.h"
#include "editor/tresk_view.h"

#include "fx/game_demo_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace edtest;

namespace {

struct Saved {
    Bytes bytes;
    uint64_t steps = 0;    // NEXT message presses
    uint64_t expected = 0; // message positions of the demo, less the first
};

// Opens the demo in an editor view, walks it from block 1 to its last message when asked,
// and saves it.
Saved OpenWalkAndSave(const Bytes& file, bool walk) {
    Saved out;
    auto doc = LoadFile(file);
    ScriptedUi ui;
    RecordingDisplay display;
    {
        CTreskView view(*doc, ui, display);
        view.OnInitialUpdate("");
        if (walk) {
            if (view.CurrentBlockNumber() != 1) {
                ui.AnswerNumber(1);
                view.OnGotoBlock();
            }
            for (DemoBlock* b = doc->FirstBlock(); b != nullptr; b = b->next) {
                out.expected += std::max<uint32_t>(b->MessageCount(), 1);
            }
            --out.expected;
            while (view.CurrentBlockNumber() < view.BlockCount() ||
                   view.CurrentMessageNumber() < doc->currentBlock->MessageCount()) {
                view.OnNextMessage();
                ++out.steps;
            }
        }
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(doc->history.Count(), 0u);
        VectorSink sink;
        doc->SaveTo(sink);
        out.bytes = std::move(sink.bytes);
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    return out;
}

void ExpectWalkChangesNothing(const Bytes& file) {
    Saved untouched = OpenWalkAndSave(file, false);
    Saved walked = OpenWalkAndSave(file, true);
    EXPECT_EQ(walked.steps, walked.expected);
    ASSERT_EQ(walked.bytes.size(), untouched.bytes.size());
    EXPECT_TRUE(walked.bytes == untouched.bytes);
}

TEST(ViewWalk, ShowingAndLeavingEveryPageOfAGeneratedGameChangesNothing) {
    fx::GameDemoOptions options;
    options.frames = 60;
    options.players = 3;
    options.lateJoin = true;
    ExpectWalkChangesNothing(fx::GameDemoBuilder(options).Build());
}

TEST(ViewWalk, ShowingAndLeavingEveryPageOfRecordedDemosChangesNothing) {
    const std::filesystem::path demos = std::filesystem::path(CINERAD_CORPUS_DIR) / "demos";
    int walked = 0;
    for (const char* name : {"packetflinger_q2demo-go_test.dm2", "aqtion_demo-guide.dm2"}) {
        std::filesystem::path path = demos / name;
        if (!std::filesystem::exists(path)) {
            continue;
        }
        SCOPED_TRACE(name);
        ExpectWalkChangesNothing(fx::ReadBytes(path));
        ++walked;
    }
    if (walked == 0) {
        GTEST_SKIP() << "no recorded demos in " << demos;
    }
}

} // namespace
