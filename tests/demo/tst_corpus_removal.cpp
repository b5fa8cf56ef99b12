// The removal commands on every corpus demo, run through tresk-cli film and judged by the
// reference decoder (check_removal.py): over runs corpus_runs.py chooses, each removal takes
// away exactly the entities or messages it names, every other frame, field and event stays,
// and the saved demo decodes cleanly. A frame's player state and entities cannot go on their
// own, and the demo's serverdata and precache stay.
#include "corpus_runs.h"
#include "demo_test_util.h"

#include "commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct Removal {
    const char* kind;   // corpus_runs.py's kind of run
    const char* option; // tresk-cli film's
};

constexpr Removal kRemovals[] = {{"entity", "--strip-entity"},
                                 {"model", "--strip-model"},
                                 {"sound", "--strip-sound"},
                                 {"keyword", "--strip-keyword"},
                                 {"type", "--strip-type"}};

class CorpusRemoval : public testing::TestWithParam<fs::path> {};

TEST_P(CorpusRemoval, EachRemovalTakesAwayWhatItNamesAndNothingElse) {
    if (!HaveReferenceDecoder()) {
        GTEST_SKIP() << "reference decoder missing";
    }
    const CorpusRuns runs(GetParam());
    ASSERT_TRUE(runs.Chosen()) << "corpus_runs.py failed on " << GetParam();
    int judged = 0;
    for (const Removal& removal : kRemovals) {
        const std::optional<CorpusRun> run = runs.Find(removal.kind);
        if (!run) {
            continue; // the demo holds nothing of the kind to remove
        }
        SCOPED_TRACE(std::string(removal.option) + " " + run->arg);
        fx::TempFile out(".dm2");
        ASSERT_EQ(FilmOver(GetParam(), *run, out.str(), {removal.option, run->arg}), 0);
        int rc = -1;
        const std::string verdict = Output(
            "python3 " + Quoted(REMOVAL_CHECK_TOOL) + " " + Quoted(Q2REF_TOOL) + " " +
                Quoted(runs.States()) + " " + Quoted(out.str()) + " " + removal.kind + " " +
                std::to_string(run->from) + " " + std::to_string(run->to) + " " + Quoted(run->arg),
            &rc);
        EXPECT_EQ(rc, 0) << verdict;
        ++judged;
    }
    if (judged == 0) {
        GTEST_SKIP() << "no run to remove anything from";
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusRemoval, testing::ValuesIn(CorpusDemos()), DemoTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusRemoval);

TEST(CorpusRemovalRefusals, FramePartsAreRefusedAndTheOpeningStays) {
    const fs::path demo =
        fs::path(CINERAD_CORPUS_DIR) / "demos" / "packetflinger_libq2_testduel.dm2";
    if (!HaveReferenceDecoder() || !fs::exists(demo)) {
        GTEST_SKIP() << "reference decoder or demo missing";
    }
    const CorpusRun play{"type", 500, 520, 0, 0, ""};
    for (const char* type : {"17", "18"}) {
        SCOPED_TRACE(type);
        fx::TempFile out(".dm2");
        testing::internal::CaptureStderr();
        const int rc = FilmOver(demo, play, out.str(), {"--strip-type", type});
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(rc, 1);
        EXPECT_NE(said.find("can't be removed on their own"), std::string::npos) << said;
        EXPECT_FALSE(fs::exists(out.path()));
    }
    // Removing serverdata or stufftexts from the opening blocks leaves the demo as it was:
    // the serverdata and the "precache" that loads the map stay, and the game starts it.
    const CorpusRun opening{"type", 1, 10, 0, 0, ""};
    for (const char* type : {"12", "11"}) {
        SCOPED_TRACE(type);
        fx::TempFile out(".dm2");
        ASSERT_EQ(FilmOver(demo, opening, out.str(), {"--strip-type", type}), 0);
        const std::string compared = ReferenceCompare(demo.string(), out.str(), {});
        EXPECT_NE(compared.find("RESULT: EQUAL"), std::string::npos) << compared;
        EXPECT_EQ(RunCheck({out.str()}), 0); // no frame before the map is loaded
    }
}

} // namespace
