// Film effects on a real recording, run through tresk-cli film and judged by the reference
// decoder: every selected frame shows what the effect says (check_film.py), and everything
// but the edited field stays equal.
#include "demo_test_util.h"

#include "commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const kDemo = "packetflinger_libq2_testduel.dm2";

struct FilmCase {
    std::vector<std::string> action; // tresk-cli film's action arguments
    std::string check;               // check_film.py's action and arguments
    std::string ignored;             // the fields the effect changes ("A --ignore B" for two)
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
        {{"--zoom", "-50:50"}, "zoom 45 125", "ps.fov"},
        {{"--track", "2"}, "track 2", "ps.viewangles"},
        {{"--recamera", "2"}, "recamera 2", "ps.origin"},
        {{"--palette", "0,0,0,255:0,0,0,0"}, "palette 255 0", "ps.blend"},
        {{"--no-view-weapon"}, "noweapon", "ps.gunindex"},
        {{"--remodel", "3:28"}, "model 3 28", "ent.modelindex"},
        {{"--no-status-bar"}, "nostatusbar", "cs --ignore configstrings"},
    };
    for (const FilmCase& c : cases) {
        SCOPED_TRACE(c.action[0]);
        fx::TempFile out(".dm2");
        std::vector<std::string> args = {demo.string(), out.str(), "--blocks",
                                         std::to_string(first) + "-" + std::to_string(last)};
        args.insert(args.end(), c.action.begin(), c.action.end());
        ASSERT_EQ(RunFilm(args), 0);
        int rc = -1;
        const size_t space = std::min(c.check.find(' '), c.check.size());
        const std::string checked = Output(
            "python3 " + Quoted(Q2REF_TOOL) + " states " + Quoted(out.str()) + " | python3 " +
                Quoted(FILM_CHECK_TOOL) + " " + c.check.substr(0, space) + " " +
                std::to_string(from) + " " + std::to_string(to) + c.check.substr(space),
            &rc);
        EXPECT_EQ(rc, 0) << checked;
        const std::string compared =
            Output("python3 " + Quoted(Q2REF_TOOL) + " compare --ignore " + c.ignored + " " +
                   Quoted(demo.string()) + " " + Quoted(out.str()));
        EXPECT_NE(compared.find("RESULT: EQUAL"), std::string::npos) << compared;
    }
}

} // namespace
