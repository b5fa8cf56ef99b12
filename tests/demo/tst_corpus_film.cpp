// Film effects on a real recording, run through tresk-cli film and judged by the reference
// decoder: every selected frame shows what the effect says (check_film.py), and everything
// but the edited field stays equal. Smooth Camera and FrameRate run on every corpus demo, over
// runs corpus_runs.py chooses there.
#include "corpus_runs.h"
#include "demo_test_util.h"

#include "commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace fs = std::filesystem;

namespace {

const char* const kDemo = "packetflinger_libq2_testduel.dm2";
const char* const kNoRun = "no run chosen: too few frames, or a demo too big to judge quickly";

struct FilmCase {
    std::vector<std::string> action;  // tresk-cli film's action arguments
    std::string check;                // check_film.py's action and arguments
    std::vector<std::string> ignored; // the fields the effect changes
};

TEST(CorpusFilm, EffectsShowInEverySelectedFrameAndNothingElseChanges) {
    const fs::path demo = fs::path(CINERAD_CORPUS_DIR) / "demos" / kDemo;
    if (!HaveReferenceDecoder() || !fs::exists(demo)) {
        GTEST_SKIP() << "reference decoder or " << kDemo << " missing";
    }
    const uint32_t first = 500;
    const uint32_t last = 700;
    const int from = OrdinalOfBlock(demo, first);
    const int to = OrdinalOfBlock(demo, last);
    ASSERT_GT(from, 0);
    ASSERT_EQ(to - from, static_cast<int>(last - first)); // one frame a block here
    const std::vector<FilmCase> cases = {
        {{"--zoom", "-50:50"}, "zoom 45 125", {"ps.fov"}},
        {{"--track", "2"}, "track 2", {"ps.viewangles"}},
        {{"--recamera", "2"}, "recamera 2", {"ps.origin"}},
        {{"--palette", "0,0,0,255:0,0,0,0"}, "palette 255 0", {"ps.blend"}},
        {{"--no-view-weapon"}, "noweapon", {"ps.gunindex"}},
        {{"--remodel", "3:28"}, "model 3 28", {"ent.modelindex"}},
        {{"--no-status-bar"}, "nostatusbar", {"cs", "configstrings"}},
    };
    for (const FilmCase& c : cases) {
        SCOPED_TRACE(c.action[0]);
        fx::TempFile out(".dm2");
        std::vector<std::string> args = {demo.string(), out.str(), "--blocks",
                                         std::to_string(first) + "-" + std::to_string(last)};
        args.insert(args.end(), c.action.begin(), c.action.end());
        ASSERT_EQ(RunFilm(args), 0);
        int rc = -1;
        const std::string checked = FilmVerdict(out.str(), c.check, from, to, &rc);
        EXPECT_EQ(rc, 0) << checked;
        const std::string compared = ReferenceCompare(demo.string(), out.str(), c.ignored);
        EXPECT_NE(compared.find("RESULT: EQUAL"), std::string::npos) << compared;
    }
}

class CorpusFilmRuns : public testing::TestWithParam<fs::path> {
  protected:
    void SetUp() override {
        if (!HaveReferenceDecoder()) {
            GTEST_SKIP() << "reference decoder missing";
        }
        runs = std::make_unique<CorpusRuns>(GetParam());
        ASSERT_TRUE(runs->Chosen()) << "corpus_runs.py failed on " << GetParam();
    }

    // check_film.py's verdict: `action` over the run, judged against the demo before.
    void ExpectFilm(const CorpusRun& run, const std::string& out, const std::string& action) {
        int rc = -1;
        const std::string verdict =
            FilmVerdict(out, action + " " + Quoted(Q2REF_TOOL) + " " + Quoted(runs->States()),
                        run.from, run.to, &rc);
        EXPECT_EQ(rc, 0) << verdict;
    }

    std::unique_ptr<CorpusRuns> runs;
};

TEST_P(CorpusFilmRuns, SmoothTurnsTheViewEvenlyTheShorterWayAndChangesNothingElse) {
    const std::optional<CorpusRun> run = runs->Find("smooth");
    if (!run) {
        GTEST_SKIP() << kNoRun;
    }
    fx::TempFile out(".dm2");
    ASSERT_EQ(FilmOver(GetParam(), *run, out.str(), {"--smooth"}), 0);
    ExpectFilm(*run, out.str(), "smooth");
    const std::string compared =
        ReferenceCompare(GetParam().string(), out.str(), {"ps.viewangles"});
    EXPECT_NE(compared.find("RESULT: EQUAL"), std::string::npos) << compared;
}

TEST_P(CorpusFilmRuns, SpeedRunsTheTimescaleAfterTheFirstFrameAndNormalAfterTheLast) {
    const std::optional<CorpusRun> run = runs->Find("speed");
    if (!run) {
        GTEST_SKIP() << kNoRun;
    }
    fx::TempFile out(".dm2");
    ASSERT_EQ(FilmOver(GetParam(), *run, out.str(), {"--speed", run->arg}), 0);
    ExpectFilm(*run, out.str(), "speed " + run->arg);
    // The events are check_film.py's to judge: it knows which are new.
    const std::string compared = ReferenceCompare(GetParam().string(), out.str(), {"events"});
    EXPECT_NE(compared.find("RESULT: EQUAL"), std::string::npos) << compared;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusFilmRuns, testing::ValuesIn(CorpusDemos()), DemoTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusFilmRuns);

} // namespace
